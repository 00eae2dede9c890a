# Finds the Qt for Windows that a cross-build on Debian links against, and the host tools of the same version
# (moc, rcc, uic) that serve the cross-build, which come with it.
#
# The Windows program is one self-contained .exe: it links a static Qt (static libraries, a static MinGW
# runtime), built by the project's recipe (scripts/build-qt-windows --static), which also builds the host
# tools into the Qt's folder, under host/. PQ_WINDOWS_QT (cache or environment variable) names either an
# installed one (a folder holding lib/cmake/Qt6, lib/libQt6Core.a and host/, and no bin/Qt6Core.dll) or a
# .tar.xz of one, which is unpacked into the build folder. Left empty, it is the one that the checks build
# and keep for this recipe (scripts/lib/check.sh: under ~/.cache/pindlequorix), or else the prebuilt copy of
# the recipe's Qt version beside the project, in ../shared/toolchains.

set(PQ_WINDOWS_QT "$ENV{PQ_WINDOWS_QT}" CACHE PATH
    "Static Qt 6 for Windows x64 (MinGW-w64): an installed folder, or a .tar.xz of one")

# The recipe: every line that is not a comment. A Qt built with it repeats them in pindlequorix-qt.options.
set(pq_recipe_lines REGEX "^[ \t]*[^# \t]")
file(STRINGS "${PROJECT_SOURCE_DIR}/cmake/qt-windows.options" pq_recipe ${pq_recipe_lines})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/cmake/qt-windows.options")
set(pq_recipe_source ${pq_recipe})
list(FILTER pq_recipe_source INCLUDE REGEX "^source ")
string(REGEX REPLACE "^source [^ ]+ ([0-9.]+).*" "\\1" PQ_RECIPE_QT_VERSION "${pq_recipe_source}")

# Where the checks keep the Qt they built for this recipe: named by the recipe's SHA-256, as check.sh names it.
list(JOIN pq_recipe "\n" pq_recipe_text)
string(SHA256 pq_recipe_hash "${pq_recipe_text}\n")
string(SUBSTRING "${pq_recipe_hash}" 0 16 pq_recipe_key)
if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(pq_cache "$ENV{XDG_CACHE_HOME}")
else()
    set(pq_cache "$ENV{HOME}/.cache")
endif()
set(pq_cached_qt "${pq_cache}/pindlequorix/qt-windows-static-${pq_recipe_key}")
cmake_path(SET pq_shared_qt NORMALIZE
    "${PROJECT_SOURCE_DIR}/../shared/toolchains/qt-${PQ_RECIPE_QT_VERSION}-mingw-w64-x86_64-static.tar.xz")

set(pq_how_to_get_qt "Point PQ_WINDOWS_QT at a static Qt ${PQ_RECIPE_QT_VERSION} for MinGW-w64 built with the \
project's recipe (a folder or its .tar.xz), or build one from Debian's source with scripts/build-qt-windows \
--static FOLDER (about 17 minutes on 2 cores), then configure with -DPQ_WINDOWS_QT=FOLDER.")

set(pq_source "${PQ_WINDOWS_QT}")
if(NOT pq_source)
    if(EXISTS "${pq_cached_qt}/pindlequorix-qt.options")
        set(pq_source "${pq_cached_qt}")
    elseif(EXISTS "${pq_shared_qt}")
        set(pq_source "${pq_shared_qt}")
    else()
        message(FATAL_ERROR "The Windows build needs Qt for MinGW-w64, and none is named: PQ_WINDOWS_QT is \
empty, no Qt of this recipe is kept in ${pq_cached_qt}, and there is no prebuilt copy at ${pq_shared_qt}. \
${pq_how_to_get_qt}")
    endif()
endif()
if(NOT EXISTS "${pq_source}")
    message(FATAL_ERROR "PQ_WINDOWS_QT is \"${pq_source}\", which does not exist. ${pq_how_to_get_qt}")
endif()

if(IS_DIRECTORY "${pq_source}")
    set(pq_qt "${pq_source}")
else()
    # An archive: unpacked once per archive into the build folder. It holds the Qt's folder, or its contents.
    set(pq_unpacked "${CMAKE_BINARY_DIR}/qt-windows")
    file(SHA256 "${pq_source}" pq_archive_hash)
    if(NOT EXISTS "${pq_unpacked}/.archive-${pq_archive_hash}")
        message(STATUS "Unpacking ${pq_source}")
        file(REMOVE_RECURSE "${pq_unpacked}")
        file(ARCHIVE_EXTRACT INPUT "${pq_source}" DESTINATION "${pq_unpacked}")
        file(TOUCH "${pq_unpacked}/.archive-${pq_archive_hash}")
    endif()
    set(pq_qt "${pq_unpacked}")
    file(GLOB pq_qt_options "${pq_unpacked}/*/pindlequorix-qt.options")
    if(NOT EXISTS "${pq_unpacked}/pindlequorix-qt.options" AND pq_qt_options)
        list(GET pq_qt_options 0 pq_qt_options)
        cmake_path(GET pq_qt_options PARENT_PATH pq_qt)
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
# Only a Qt built with the project's recipe: Debian's source of the recipe's version, the features the program
# needs and no others, and code that is safe to link statically with the program's (the options say why).
set(pq_built_with "")
if(EXISTS "${pq_qt}/pindlequorix-qt.options")
    file(STRINGS "${pq_qt}/pindlequorix-qt.options" pq_built_with ${pq_recipe_lines})
endif()
if(NOT pq_built_with STREQUAL pq_recipe)
    message(FATAL_ERROR "The Qt for Windows in ${pq_qt} was not built with this project's recipe \
(cmake/qt-windows.options, which ${pq_qt}/pindlequorix-qt.options should repeat). ${pq_how_to_get_qt}")
endif()

function(pq_qt_version config_version_impl out)
    file(STRINGS "${config_version_impl}" line REGEX "^set\\(PACKAGE_VERSION \"[0-9.]+\"\\)")
    string(REGEX REPLACE ".*\"([0-9.]+)\".*" "\\1" version "${line}")
    set(${out} "${version}" PARENT_SCOPE)
endfunction()
pq_qt_version("${pq_qt_config}" pq_windows_qt_version)

# The host tools built with it: code that moc, rcc and uic generate fits only the Qt of their own version.
set(pq_host_qt_config "${pq_qt}/host/lib/cmake/Qt6/Qt6ConfigVersionImpl.cmake")
if(NOT EXISTS "${pq_host_qt_config}" OR NOT EXISTS "${pq_qt}/host/libexec/moc")
    message(FATAL_ERROR "The Qt for Windows in ${pq_qt} has no host tools (moc, rcc, uic) in host/, which the \
Windows build runs. ${pq_how_to_get_qt}")
endif()
pq_qt_version("${pq_host_qt_config}" pq_host_qt_version)
if(NOT pq_windows_qt_version VERSION_EQUAL pq_host_qt_version)
    message(FATAL_ERROR "The Qt for Windows in ${pq_qt} is version ${pq_windows_qt_version}, but its host tools \
are ${pq_host_qt_version}; code generated by one does not fit the other. ${pq_how_to_get_qt}")
endif()
set(QT_HOST_PATH "${pq_qt}/host" CACHE PATH "Prefix of the host's Qt tools, which the Windows build runs" FORCE)
set(QT_HOST_PATH_CMAKE_DIR "${pq_qt}/host/lib/cmake" CACHE PATH "Folder of the host tools' CMake packages" FORCE)

# Debian's Qt leaves its plugins' CMake packages unread unless asked (its patch enable_skip_plugins): a program
# that links a static Qt links the plugins it uses, so it asks.
set(QT_SKIP_AUTO_PLUGIN_INCLUSION OFF)

# The packages of a Qt that an earlier configure of this folder found elsewhere are forgotten, for this one's.
if(DEFINED CACHE{PQ_WINDOWS_QT_FOUND} AND NOT PQ_WINDOWS_QT_FOUND STREQUAL pq_qt)
    get_cmake_property(pq_cached CACHE_VARIABLES)
    list(FILTER pq_cached INCLUDE REGEX "^(Qt6|WrapVulkanHeaders).*_DIR$")
    foreach(variable IN LISTS pq_cached)
        unset(${variable} CACHE)
    endforeach()
endif()
set(PQ_WINDOWS_QT_FOUND "${pq_qt}" CACHE INTERNAL "The Qt for Windows that this folder was configured with")

set(PQ_WINDOWS_QT_PREFIX "${pq_qt}")
list(PREPEND CMAKE_PREFIX_PATH "${pq_qt}")
list(APPEND CMAKE_FIND_ROOT_PATH "${pq_qt}")
message(STATUS "Qt ${pq_windows_qt_version} for Windows, with its host tools: ${pq_qt}")
