# Reproducible builds (reproducible-builds.org): the same commit gives the same bytes, whatever the folder
# it is built in and whenever. Every time stamp that reaches an output is SOURCE_DATE_EPOCH:
#   - from the environment, when it is set (a plain number of seconds since 1970, else configuring stops);
#   - else the time of the last commit, when the sources are a git clone;
#   - else (a source tarball) the date of the changelog's newest entry, at 00:00 UTC.
# It reaches Qt's resource compiler (which otherwise stores each file's modification time), CPack (the
# time stamps in the .deb, the ZIP and the installer, and strip), through the environment. Paths of the
# source and build folders are mapped away in the compiled code, and Windows executables carry no link
# time.

if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(PQ_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
    if(NOT PQ_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
        message(FATAL_ERROR "SOURCE_DATE_EPOCH is \"${PQ_SOURCE_DATE_EPOCH}\", but it must be a plain number: the \
seconds since 1970-01-01 00:00 UTC, for example $(git log -1 --format=%ct).")
    endif()
    set(pq_epoch_from "the environment")
else()
    find_package(Git QUIET)
    set(pq_status 1)
    if(GIT_FOUND)
        execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${PROJECT_SOURCE_DIR}" log -1 --format=%ct
                        OUTPUT_VARIABLE PQ_SOURCE_DATE_EPOCH RESULT_VARIABLE pq_status
                        OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
    if(pq_status EQUAL 0 AND PQ_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
        set(pq_epoch_from "the last commit")
        # A new commit changes it: configure again when HEAD moves.
        execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${PROJECT_SOURCE_DIR}" rev-parse --absolute-git-dir
                        OUTPUT_VARIABLE pq_git_dir OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        foreach(ref IN ITEMS HEAD logs/HEAD)
            if(EXISTS "${pq_git_dir}/${ref}")
                set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${pq_git_dir}/${ref}")
            endif()
        endforeach()
    else()
        # Days from 1970-01-01 to PQ_RELEASE_DATE (the proleptic Gregorian calendar).
        string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" pq_unused "${PQ_RELEASE_DATE}")
        set(y "${CMAKE_MATCH_1}")
        math(EXPR m "${CMAKE_MATCH_2}" OUTPUT_FORMAT DECIMAL)
        math(EXPR d "${CMAKE_MATCH_3}" OUTPUT_FORMAT DECIMAL)
        if(m LESS_EQUAL 2) # the year counted from March
            math(EXPR y "${y} - 1")
            math(EXPR mp "${m} + 9")
        else()
            math(EXPR mp "${m} - 3")
        endif()
        math(EXPR era "${y} / 400")
        math(EXPR yoe "${y} - ${era} * 400")
        math(EXPR doy "(153 * ${mp} + 2) / 5 + ${d} - 1")
        math(EXPR doe "${yoe} * 365 + ${yoe} / 4 - ${yoe} / 100 + ${doy}")
        math(EXPR PQ_SOURCE_DATE_EPOCH "(${era} * 146097 + ${doe} - 719468) * 86400")
        set(pq_epoch_from "the changelog's newest entry, ${PQ_RELEASE_DATE}")
    endif()
endif()
message(STATUS "SOURCE_DATE_EPOCH ${PQ_SOURCE_DATE_EPOCH}, from ${pq_epoch_from}")

# Build steps that are not compilers (Qt's resource compiler among them) see it in their environment.
set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${PQ_SOURCE_DATE_EPOCH}")

# No build folder in the compiled code (file names in debug information and in __FILE__); the ELF build
# ID hashes it all. The build folder's own map comes last, so it wins where it lies inside the sources.
if(NOT MSVC)
    target_compile_options(pq_compile_options INTERFACE "-ffile-prefix-map=${PROJECT_SOURCE_DIR}=."
                                                        "-ffile-prefix-map=${PROJECT_BINARY_DIR}=build")
endif()
# Nor the folder of the Qt for Windows, wherever it lies (its headers are named in the debug information).
if(PQ_WINDOWS_QT_PREFIX AND NOT MSVC)
    target_compile_options(pq_compile_options INTERFACE "-ffile-prefix-map=${PQ_WINDOWS_QT_PREFIX}=qt")
endif()
# Windows executables: no time of linking in the PE header.
if(WIN32 AND NOT MSVC)
    target_link_options(pq_compile_options INTERFACE -Wl,--no-insert-timestamp)
endif()

# cpack runs with it in its environment: the .deb's and the ZIP's entries, and strip, take it up.
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_BINARY_DIR}/CPackReproducible.cmake")
file(WRITE "${CPACK_PROJECT_CONFIG_FILE}" "set(ENV{SOURCE_DATE_EPOCH} \"${PQ_SOURCE_DATE_EPOCH}\")\n")
