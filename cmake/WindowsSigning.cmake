# Signing the Windows downloads with the publisher's certificate (Authenticode, SHA-256, by osslsigncode):
# the program, before it goes into the ZIP, the installer and the bare download; the uninstaller that the
# installer writes; and the installer. Off unless PQ_SIGN_KEY names a key:
#
#   a key file      -DPQ_SIGN_KEY=publisher.p12 (PKCS#12, with its certificate chain)
#   a token         -DPQ_SIGN_KEY='pkcs11:token=...;object=...' -DPQ_SIGN_PKCS11_MODULE=/usr/lib/.../module.so
#                   -DPQ_SIGN_CERTIFICATES=chain.pem
#
# The password or PIN is read when signing, from the file that PQ_SIGN_PASSWORD_FILE names or the
# environment variable that PQ_SIGN_PASSWORD_VARIABLE names; the cache holds only those names. Without
# time-stamp servers (PQ_SIGN_TIMESTAMP_URLS) the signature is the same bytes at every build. The checks
# that need the secret (the password, the token, the certificate's dates and purpose) are made when
# signing, and stop the build before anything is packaged: cmake/sign-windows-file.in.

set(PQ_SIGN_KEY "" CACHE STRING
    "Sign the Windows downloads with this key: a PKCS#12 file, or a PKCS#11 URI (pkcs11:token=...;object=...)")
set(PQ_SIGN_PKCS11_MODULE "" CACHE FILEPATH "The token's PKCS#11 module, when PQ_SIGN_KEY is a pkcs11: URI")
set(PQ_SIGN_CERTIFICATES "" CACHE FILEPATH
    "The signing certificate and its chain (PEM), when PQ_SIGN_KEY is a pkcs11: URI")
set(PQ_SIGN_PASSWORD_FILE "" CACHE FILEPATH "A file whose first line is the key file's password or the token's PIN")
set(PQ_SIGN_PASSWORD_VARIABLE "" CACHE STRING
    "The name of an environment variable that holds the password or PIN when signing")
set(PQ_SIGN_TIMESTAMP_URLS "" CACHE STRING "RFC 3161 time-stamp servers, tried in turn (a ;-list)")
set(PQ_SIGN_URL "" CACHE STRING "The web address that the signature names beside the program's caption")

set(PQ_SIGNING FALSE)
if(NOT PQ_SIGN_KEY)
    foreach(setting IN ITEMS PQ_SIGN_PKCS11_MODULE PQ_SIGN_CERTIFICATES PQ_SIGN_PASSWORD_FILE PQ_SIGN_PASSWORD_VARIABLE
                             PQ_SIGN_TIMESTAMP_URLS PQ_SIGN_URL)
        if(${setting})
            message(FATAL_ERROR "${setting} is set, but PQ_SIGN_KEY is empty, so nothing is signed. Name the key \
with PQ_SIGN_KEY (a PKCS#12 file or a pkcs11: URI), or clear ${setting}.")
        endif()
    endforeach()
    return()
endif()
set(PQ_SIGNING TRUE)

function(pq_signing_refuses problem)
    message(FATAL_ERROR "Signing the Windows downloads: ${problem}")
endfunction()
function(pq_signing_needs_file setting what)
    if(NOT ${setting})
        pq_signing_refuses("${setting} is empty, but ${what} is needed.")
    elseif(NOT EXISTS "${${setting}}" OR IS_DIRECTORY "${${setting}}")
        pq_signing_refuses("${setting} is \"${${setting}}\", which is not a file.")
    endif()
endfunction()

if(PQ_SIGN_KEY MATCHES "^pkcs11:")
    set(pq_sign_kind token)
    pq_signing_needs_file(PQ_SIGN_PKCS11_MODULE "with a token, the token's PKCS#11 module")
    pq_signing_needs_file(PQ_SIGN_CERTIFICATES "with a token, the signing certificate and its chain (PEM)")
    if(NOT PQ_SIGN_PASSWORD_FILE AND NOT PQ_SIGN_PASSWORD_VARIABLE)
        pq_signing_refuses("a token needs its PIN: name a file with PQ_SIGN_PASSWORD_FILE or an environment \
variable with PQ_SIGN_PASSWORD_VARIABLE.")
    endif()
else()
    set(pq_sign_kind file)
    pq_signing_needs_file(PQ_SIGN_KEY "the key file (PKCS#12)")
    if(PQ_SIGN_PKCS11_MODULE OR PQ_SIGN_CERTIFICATES)
        pq_signing_refuses("PQ_SIGN_PKCS11_MODULE and PQ_SIGN_CERTIFICATES are for a token (PQ_SIGN_KEY a pkcs11: \
URI); a PKCS#12 key file carries its certificates itself.")
    endif()
endif()
if(PQ_SIGN_PASSWORD_FILE AND PQ_SIGN_PASSWORD_VARIABLE)
    pq_signing_refuses("PQ_SIGN_PASSWORD_FILE and PQ_SIGN_PASSWORD_VARIABLE are both set: name one.")
elseif(PQ_SIGN_PASSWORD_FILE)
    pq_signing_needs_file(PQ_SIGN_PASSWORD_FILE "")
elseif(PQ_SIGN_PASSWORD_VARIABLE AND NOT PQ_SIGN_PASSWORD_VARIABLE MATCHES "^[A-Za-z_][A-Za-z0-9_]*$")
    pq_signing_refuses("PQ_SIGN_PASSWORD_VARIABLE is \"${PQ_SIGN_PASSWORD_VARIABLE}\", which is not the name of an \
environment variable (letters, digits and underscores).")
endif()
foreach(url IN LISTS PQ_SIGN_TIMESTAMP_URLS PQ_SIGN_URL)
    if(NOT url MATCHES "^https?://[^ '\"]+$")
        pq_signing_refuses("\"${url}\" is not an http:// or https:// address.")
    endif()
endforeach()

find_program(PQ_OSSLSIGNCODE osslsigncode)
find_program(PQ_OPENSSL openssl)
if(NOT PQ_OSSLSIGNCODE OR NOT PQ_OPENSSL)
    pq_signing_refuses("osslsigncode and openssl sign and check, and one is missing: scripts/setup --windows \
installs them.")
endif()

# The signing command, made for this build. It holds names of files and of a variable, never a secret.
function(pq_shell_quoted out value)
    string(REPLACE "'" "'\\''" value "${value}")
    set(${out} "'${value}'" PARENT_SCOPE)
endfunction()
string(JOIN " " pq_urls ${PQ_SIGN_TIMESTAMP_URLS})
foreach(setting IN ITEMS PQ_SIGN_KEY PQ_SIGN_PKCS11_MODULE PQ_SIGN_CERTIFICATES PQ_SIGN_PASSWORD_FILE
                         PQ_SIGN_PASSWORD_VARIABLE PQ_SIGN_URL PQ_CAPTION PQ_OSSLSIGNCODE PQ_OPENSSL)
    pq_shell_quoted(${setting}_QUOTED "${${setting}}")
endforeach()
pq_shell_quoted(PQ_SIGN_TIMESTAMP_URLS_QUOTED "${pq_urls}")
pq_shell_quoted(PQ_SIGN_DOWNLOADS_QUOTED "${CMAKE_BINARY_DIR}")
set(PQ_SIGN_KIND ${pq_sign_kind})
set(PQ_SIGN_COMMAND "${CMAKE_BINARY_DIR}/sign-windows-file")
configure_file("${PROJECT_SOURCE_DIR}/cmake/sign-windows-file.in" "${PQ_SIGN_COMMAND}"
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
               @ONLY)
message(STATUS "Signing the Windows downloads with ${PQ_SIGN_KEY}")

# pq_install_signed_program(target): the program stripped, as an install strips it, then signed (a signature
# does not survive stripping), and installed in its place. Signed when it is built, so that the ZIP, the
# installer and the bare download all carry the one signed program.
function(pq_install_signed_program target)
    set(dir "${CMAKE_BINARY_DIR}/signed")
    set(unsigned "${dir}/${target}-unsigned.exe")
    set(signed "${dir}/${target}.exe")
    add_custom_command(OUTPUT "${signed}"
                       COMMAND "${CMAKE_COMMAND}" -E make_directory "${dir}"
                       COMMAND "${CMAKE_COMMAND}" -E copy "$<TARGET_FILE:${target}>" "${unsigned}"
                       COMMAND "${CMAKE_STRIP}" "${unsigned}"
                       COMMAND "${PQ_SIGN_COMMAND}" "${unsigned}" "${signed}"
                       DEPENDS ${target} "${PQ_SIGN_COMMAND}"
                       COMMENT "Signing ${target}.exe"
                       VERBATIM)
    add_custom_target(${target}_signed ALL DEPENDS "${signed}")
    install(PROGRAMS "${signed}" DESTINATION .)
endfunction()
