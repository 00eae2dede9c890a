# What a Windows user downloads: a folder that runs where it lies on a clean Windows, as a portable ZIP
# and as an installer (cpack in the Windows build folder makes both).
#
#   pindlequorix.exe, Qt's DLLs, the MinGW runtime DLLs      side by side, found by Windows beside the .exe
#   platforms/, styles/, imageformats/                       the Qt plugins the program loads at run time
#   LICENSE.txt, LICENSE-Qt.txt, LICENSE-GPL-3.0.txt         the program's licence and Qt's (LGPL-3.0)
#
# Everything third-party is stripped of its debug information; the program itself is stripped when
# installing with --strip, as CPack does.

include(MinGWRuntime)

# Qt's DLLs and plugins, from Qt's own imported targets.
set(pq_qt_libraries Qt6::Core Qt6::Gui Qt6::Widgets)
install(IMPORTED_RUNTIME_ARTIFACTS ${pq_qt_libraries} RUNTIME DESTINATION .)
set(pq_qt_plugins "")
foreach(plugin_and_folder IN ITEMS QWindowsIntegrationPlugin:platforms QWindowsVistaStylePlugin:styles
                                   QJpegPlugin:imageformats)
    string(REPLACE ":" ";" plugin_and_folder "${plugin_and_folder}")
    list(GET plugin_and_folder 0 plugin)
    list(GET plugin_and_folder 1 folder)
    install(IMPORTED_RUNTIME_ARTIFACTS Qt6::${plugin} LIBRARY DESTINATION ${folder})
    list(APPEND pq_qt_plugins "$<TARGET_FILE:Qt6::${plugin}>")
endforeach()
list(TRANSFORM pq_qt_libraries REPLACE "(.+)" "$<TARGET_FILE:\\1>")

# The MinGW runtime beside them, and every third-party DLL stripped: cmake/InstallWindowsRuntime.cmake.
cmake_path(GET CMAKE_CXX_COMPILER PARENT_PATH pq_compiler_dir)
install(CODE "
    set(PQ_PROGRAM \"$<TARGET_FILE:pindlequorix>\")
    set(PQ_QT_LIBRARIES \"${pq_qt_libraries}\")
    set(PQ_QT_PLUGINS \"${pq_qt_plugins}\")
    set(PQ_RUNTIME_DIRS \"${PQ_MINGW_RUNTIME_DIRS}\")
    set(PQ_OBJDUMP \"${pq_compiler_dir}/x86_64-w64-mingw32-objdump\")
    set(PQ_STRIP \"${CMAKE_STRIP}\")")
install(SCRIPT "${CMAKE_CURRENT_LIST_DIR}/InstallWindowsRuntime.cmake")

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
set(CPACK_NSIS_DISPLAY_NAME "${PQ_CAPTION}")
set(CPACK_NSIS_PACKAGE_NAME "${PQ_CAPTION}")
set(CPACK_PQ_FILE_VERSION "${PQ_FILE_VERSION_DOTTED}")
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/resources/pindlequorix.ico")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
list(APPEND CMAKE_MODULE_PATH "${PROJECT_SOURCE_DIR}/packaging/windows") # CPack finds the template there
