# Run by CPack once it has made a package (CPACK_POST_BUILD_SCRIPTS): after the ZIP, the program alone
# beside the packages, as the ZIP holds it (stripped), named as they are, with its checksum beside it as
# CPack writes theirs.
if(NOT CPACK_GENERATOR STREQUAL "ZIP")
    return()
endif()
set(program "${CPACK_TEMPORARY_DIRECTORY}/pindlequorix.exe")
if(NOT EXISTS "${program}")
    message(FATAL_ERROR "no ${program} among the ZIP's contents")
endif()
set(bare "${CPACK_PACKAGE_FILE_NAME}.exe")
file(COPY_FILE "${program}" "${CPACK_PACKAGE_DIRECTORY}/${bare}")
file(SHA256 "${CPACK_PACKAGE_DIRECTORY}/${bare}" checksum)
file(WRITE "${CPACK_PACKAGE_DIRECTORY}/${bare}.sha256" "${checksum}  ${bare}\n")
message(STATUS "CPack: - program alone: ${CPACK_PACKAGE_DIRECTORY}/${bare} generated.")
