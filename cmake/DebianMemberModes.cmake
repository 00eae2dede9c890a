# Run by cpack once it has made the Debian package (CPACK_POST_BUILD_SCRIPTS), before it writes the
# checksum: gives the package's three members (debian-binary, control.tar.gz, data.tar.gz) the mode that
# dpkg-deb gives them, 0644. CPack writes them as files first and takes each member's mode from its file,
# so that they would carry the builder's umask (0664 under 0002), and no CPack setting reaches them. The
# mode is a field of eight characters in each member's header of the ar archive; nothing else changes.

foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "\\.deb$")
        continue()
    endif()
    file(SIZE "${package}" end)
    file(READ "${package}" magic LIMIT 8)
    if(NOT magic STREQUAL "!<arch>\n")
        message(FATAL_ERROR "${package} is not an ar archive")
    endif()
    set(at 8)
    while(at LESS end)
        # A member's header: name (16), date (12), owner (6), group (6), mode (8), size (10), "`\n".
        file(READ "${package}" header OFFSET ${at} LIMIT 60)
        string(SUBSTRING "${header}" 40 8 mode)
        string(SUBSTRING "${header}" 48 10 size)
        string(STRIP "${size}" size)
        if(NOT size MATCHES "^[0-9]+$")
            message(FATAL_ERROR "${package}: no ar member header at byte ${at}")
        endif()
        if(NOT mode STREQUAL "100644  ")
            math(EXPR field "${at} + 40")
            execute_process(COMMAND sh -c "printf '100644  ' | dd of=\"$1\" bs=1 seek=\"$2\" conv=notrunc status=none"
                                    sh "${package}" "${field}" RESULT_VARIABLE status)
            if(NOT status EQUAL 0)
                message(FATAL_ERROR "${package}: the mode of the member at byte ${at} could not be set")
            endif()
        endif()
        math(EXPR at "${at} + 60 + ${size} + ${size} % 2") # members start at even bytes
    endwhile()
endforeach()
