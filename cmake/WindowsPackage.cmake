# What a Windows user downloads: a folder that runs where it lies on a clean Windows, as a portable ZIP
# and as an installer (cpack in the Windows build folder makes both).
#
#   pindlequorix.exe, Qt's DLLs, the MinGW runtime DLLs      side by side, found by Windows beside the .exe
#   platforms/, styles/, imageformats/                       the Qt plugins the program loads at run time
#   LICENSE.txt, LICENSE-Qt.txt, LICENSE-GPL-3.0.txt         the program's licence and Qt's (LGPL-3.0)
#
# Everything third-party is stripped of its debug information; the program itself is stripped when
# installing with --strip, as CPack does.

# Qt's DLLs and plugins, from Qt's own imported targets.
set(pq_qt_libraries Qt6::Core Qt6::Gui Qt6::Widgets)
install(IMPORTED_RUNTIME_ARTIFACTS ${pq_qt_libraries} RUNTIME DESTINATION .)
foreach(plugin_and_folder IN ITEMS QWindowsIntegrationPlugin:platforms QWindowsVistaStylePlugin:styles
                                   QJpegPlugin:imageformats)
    string(REPLACE ":" ";" plugin_and_folder "${plugin_and_folder}")
    list(GET plugin_and_folder 0 plugin)
    list(GET plugin_and_folder 1 folder)
    install(IMPORTED_RUNTIME_ARTIFACTS Qt6::${plugin} LIBRARY DESTINATION ${folder})
    string(APPEND pq_qt_plugin_files " \"$<TARGET_FILE:Qt6::${plugin}>\"")
endforeach()
list(TRANSFORM pq_qt_libraries REPLACE "(.+)" "\"$<TARGET_FILE:\\1>\"" OUTPUT_VARIABLE pq_qt_library_files)
list(JOIN pq_qt_library_files " " pq_qt_library_files)

# The MinGW runtime: whatever the program, Qt's DLLs and the plugins import from the compiler's folders.
# On a Linux host, CMake looks the imports up under lower-case names, so Qt's own DLLs (Qt6Core.dll) stay
# unresolved here; they come from the imported targets above. Windows' own DLLs stay unresolved too.
list(TRANSFORM PQ_MINGW_RUNTIME_DIRS REPLACE "(.+)" "\"\\1\"" OUTPUT_VARIABLE pq_mingw_runtime_dirs)
list(JOIN pq_mingw_runtime_dirs " " pq_mingw_runtime_dirs)
cmake_path(GET CMAKE_CXX_COMPILER PARENT_PATH pq_compiler_dir)
install(CODE "
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND \"${pq_compiler_dir}/x86_64-w64-mingw32-objdump\")
    file(GET_RUNTIME_DEPENDENCIES
        EXECUTABLES \"$<TARGET_FILE:pindlequorix>\"
        LIBRARIES ${pq_qt_library_files}
        MODULES ${pq_qt_plugin_files}
        DIRECTORIES ${pq_mingw_runtime_dirs}
        RESOLVED_DEPENDENCIES_VAR runtime
        UNRESOLVED_DEPENDENCIES_VAR unresolved)
    if(NOT runtime)
        message(FATAL_ERROR \"found none of the MinGW runtime DLLs in the compiler's folders\")
    endif()
    file(INSTALL \${runtime} DESTINATION \"\${CMAKE_INSTALL_PREFIX}\")

    # Debian's MinGW libstdc++-6.dll alone carries some 20 MB of debug information, Qt's DLLs a third of
    # their size: users need none of it.
    file(GLOB_RECURSE third_party \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\")
    foreach(dll IN LISTS third_party)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${dll}\" RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR \"could not strip \${dll}\")
        endif()
    endforeach()
")

# Licences: the program's, and Qt's, whose DLLs ship under the LGPL-3.0 (a set of permissions on top of
# the GPL-3.0, whose text goes along).
set(pq_qt_licences "${PQ_WINDOWS_QT_PREFIX}/LICENSES")
foreach(text IN ITEMS LGPL-3.0-only.txt GPL-3.0-only.txt)
    if(NOT EXISTS "${pq_qt_licences}/${text}")
        message(FATAL_ERROR "The Qt for Windows in ${PQ_WINDOWS_QT_PREFIX} has no LICENSES/${text}, which a \
package that ships its DLLs must carry.")
    endif()
endforeach()
file(READ "${pq_qt_licences}/LGPL-3.0-only.txt" pq_lgpl)
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" pq_program_licence)
configure_file("${PROJECT_SOURCE_DIR}/packaging/windows/LICENSE-Qt.txt.in" "${CMAKE_BINARY_DIR}/LICENSE-Qt.txt" @ONLY)
file(READ "${CMAKE_BINARY_DIR}/LICENSE-Qt.txt" pq_qt_notice)
# The installer shows both, in plain ASCII, which its licence page reads in any code page.
configure_file("${PROJECT_SOURCE_DIR}/packaging/windows/installer-licence.txt.in"
               "${CMAKE_BINARY_DIR}/installer-licence.txt" @ONLY)
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION . RENAME LICENSE.txt)
install(FILES "${CMAKE_BINARY_DIR}/LICENSE-Qt.txt" DESTINATION .)
install(FILES "${pq_qt_licences}/GPL-3.0-only.txt" DESTINATION . RENAME LICENSE-GPL-3.0.txt)

# The packages. The installer's script is packaging/windows/NSIS.template.in.
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_FILE_NAME "pindlequorix-${CPACK_PACKAGE_VERSION}-windows-x64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY PindleQuorix)
set(CPACK_RESOURCE_FILE_LICENSE "${CMAKE_BINARY_DIR}/installer-licence.txt")
set(CPACK_NSIS_DISPLAY_NAME "PindleQuorix服务器测评工具")
set(CPACK_NSIS_PACKAGE_NAME "PindleQuorix服务器测评工具")
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/resources/pindlequorix.ico")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
list(APPEND CMAKE_MODULE_PATH "${PROJECT_SOURCE_DIR}/packaging/windows") # CPack finds the template there
