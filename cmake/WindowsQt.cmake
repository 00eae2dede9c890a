# Finds the Qt for Windows that a cross-build on Debian links against, and Debian's own Qt on the host,
# whose moc, rcc and uic serve the cross-build. The two must be the same version.
#
# The Windows program is one self-contained .exe: it links a static Qt (static libraries, a static MinGW
# runtime; scripts/build-qt-windows --static builds one). PQ_WINDOWS_QT (cache or environment variable)
# names either an installed one (a folder holding lib/cmake/Qt6 and lib/libQt6Core.a, and no
# bin/Qt6Core.dll) or a .tar.xz of one, which is unpacked into the build folder. Left empty, it is the
# prebuilt copy beside the project, ../shared/toolchains, when that is there.

set(PQ_WINDOWS_QT "$ENV{PQ_WINDOWS_QT}" CACHE PATH
    "Static Qt 6 for Windows x64 (MinGW-w64): an installed folder, or a .tar.xz of one")
cmake_path(SET pq_shared_qt NORMALIZE
           "${PROJECT_SOURCE_DIR}/../shared/toolchains/qt-6.4.2-mingw-w64-x86_64-static.tar.xz")

# Debian's Qt on the host: its tools generate code for the Windows build.
set(QT_HOST_PATH /usr CACHE PATH "Prefix of the host's Qt, whose moc, rcc and uic the Windows build runs")
file(GLOB pq_host_qt_configs "${QT_HOST_PATH}/lib/*/cmake/Qt6/Qt6ConfigVersionImpl.cmake"
                             "${QT_HOST_PATH}/lib/cmake/Qt6/Qt6ConfigVersionImpl.cmake")
list(GET pq_host_qt_configs 0 pq_host_qt_config)
if(NOT pq_host_qt_config OR NOT EXISTS "${QT_HOST_PATH}/lib/qt6/libexec/moc")
    message(FATAL_ERROR "The Windows build runs the host's Qt tools (moc, rcc, uic), but there is no Qt 6 \
with its tools under ${QT_HOST_PATH}. Install Debian's qt6-base-dev and qt6-base-dev-tools \
(scripts/setup --windows does).")
endif()
cmake_path(GET pq_host_qt_config PARENT_PATH pq_dir)
cmake_path(GET pq_dir PARENT_PATH pq_dir)
set(QT_HOST_PATH_CMAKE_DIR "${pq_dir}" CACHE PATH "Folder of the host Qt's CMake packages")

function(pq_qt_version config_version_impl out)
    file(STRINGS "${config_version_impl}" line REGEX "^set\\(PACKAGE_VERSION \"[0-9.]+\"\\)")
    string(REGEX REPLACE ".*\"([0-9.]+)\".*" "\\1" version "${line}")
    set(${out} "${version}" PARENT_SCOPE)
endfunction()
pq_qt_version("${pq_host_qt_config}" PQ_HOST_QT_VERSION)
set(pq_how_to_get_qt "Point PQ_WINDOWS_QT at a static Qt ${PQ_HOST_QT_VERSION} for MinGW-w64 (a folder or its \
.tar.xz), or build one from Debian's source with scripts/build-qt-windows --static FOLDER (about 10 minutes on 2 \
cores), then configure with -DPQ_WINDOWS_QT=FOLDER.")

set(pq_source "${PQ_WINDOWS_QT}")
if(NOT pq_source)
    if(NOT EXISTS "${pq_shared_qt}")
        message(FATAL_ERROR "The Windows build needs Qt for MinGW-w64, and none is named: PQ_WINDOWS_QT is \
empty and there is no prebuilt copy at ${pq_shared_qt}. ${pq_how_to_get_qt}")
    endif()
    set(pq_source "${pq_shared_qt}")
endif()
if(NOT EXISTS "${pq_source}")
    message(FATAL_ERROR "PQ_WINDOWS_QT is \"${pq_source}\", which does not exist. ${pq_how_to_get_qt}")
endif()

if(IS_DIRECTORY "${pq_source}")
    set(pq_qt "${pq_source}")
else()
    # An archive: unpacked once per archive into the build folder.
    set(pq_unpacked "${CMAKE_BINARY_DIR}/qt-windows")
    file(SHA256 "${pq_source}" pq_archive_hash)
    if(NOT EXISTS "${pq_unpacked}/.archive-${pq_archive_hash}")
        message(STATUS "Unpacking ${pq_source}")
        file(REMOVE_RECURSE "${pq_unpacked}")
        file(ARCHIVE_EXTRACT INPUT "${pq_source}" DESTINATION "${pq_unpacked}")
        file(TOUCH "${pq_unpacked}/.archive-${pq_archive_hash}")
    endif()
    file(GLOB pq_qt_configs "${pq_unpacked}/*/lib/cmake/Qt6/Qt6ConfigVersionImpl.cmake"
                            "${pq_unpacked}/lib/cmake/Qt6/Qt6ConfigVersionImpl.cmake")
    set(pq_qt "${pq_unpacked}")
    if(pq_qt_configs)
        list(GET pq_qt_configs 0 pq_qt)
        foreach(up RANGE 3)
            cmake_path(GET pq_qt PARENT_PATH pq_qt)
        endforeach()
    endif()
endif()

set(pq_qt_config "${pq_qt}/lib/cmake/Qt6/Qt6ConfigVersionImpl.cmake")
if(NOT EXISTS "${pq_qt_config}" OR NOT EXISTS "${pq_qt}/lib/libQt6Core.a")
    message(FATAL_ERROR "${pq_source} holds no Qt for Windows: lib/cmake/Qt6 or lib/libQt6Core.a is missing \
in ${pq_qt}. ${pq_how_to_get_qt}")
endif()
if(EXISTS "${pq_qt}/bin/Qt6Core.dll")
    message(FATAL_ERROR "${pq_source} is a Qt of DLLs, but the Windows program links Qt statically, into one \
.exe. ${pq_how_to_get_qt}")
endif()
# Only a Qt built with the project's recipe: the features the program needs, no others, and code that is
# safe to link statically with the program's (the options say why). scripts/build-qt-windows records them.
set(pq_recipe_lines REGEX "^[ \t]*[^# \t]")
file(STRINGS "${PROJECT_SOURCE_DIR}/cmake/qt-windows.options" pq_recipe ${pq_recipe_lines})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/cmake/qt-windows.options")
set(pq_built_with "")
if(EXISTS "${pq_qt}/pindlequorix-qt.options")
    file(STRINGS "${pq_qt}/pindlequorix-qt.options" pq_built_with ${pq_recipe_lines})
endif()
if(NOT pq_built_with STREQUAL pq_recipe)
    message(FATAL_ERROR "The Qt for Windows in ${pq_qt} was not built with this project's recipe \
(cmake/qt-windows.options, which ${pq_qt}/pindlequorix-qt.options should repeat). ${pq_how_to_get_qt}")
endif()
pq_qt_version("${pq_qt_config}" pq_windows_qt_version)
if(NOT pq_windows_qt_version VERSION_EQUAL PQ_HOST_QT_VERSION)
    message(FATAL_ERROR "The Qt for Windows in ${pq_qt} is version ${pq_windows_qt_version}, but the host's \
Qt tools (Debian's qt6-base-dev-tools) are ${PQ_HOST_QT_VERSION}; code generated by one does not fit the \
other. ${pq_how_to_get_qt}")
endif()

set(PQ_WINDOWS_QT_PREFIX "${pq_qt}")
list(PREPEND CMAKE_PREFIX_PATH "${pq_qt}")
list(APPEND CMAKE_FIND_ROOT_PATH "${pq_qt}")
message(STATUS "Qt ${pq_windows_qt_version} for Windows: ${pq_qt}")
