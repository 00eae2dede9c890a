# What a Windows user downloads: the program, one self-contained pindlequorix.exe (Qt, its plugins and
# the MinGW runtime linked in; it imports only Windows' own DLLs), with the licence texts, as a portable
# ZIP, as an installer, and as the bare .exe (cpack in the Windows build folder makes all three, each with
# a .sha256 beside it).
#
#   pindlequorix.exe
#   LICENSE.txt                 the program's licence, MIT
#   LICENSE-Qt.txt              Qt, linked in statically under the LGPL-3.0: its text, and how to relink
#   LICENSE-GPL-3.0.txt         the GPL-3.0, on which the LGPL-3.0 builds
#   LICENSE-third-party.txt     the code that Qt bundles (zlib, libpng, libjpeg-turbo, HarfBuzz, ...)
#
# The program (installed by src/CMakeLists.txt) is stripped when installing with --strip, as CPack does.

# Licences: the program's; Qt's (LGPL-3.0, a set of permissions on top of the GPL-3.0, whose text goes
# along), from the Qt's LICENSES folder; and those of the third-party code inside Qt, composed from Qt's
# own attribution files (packaging/windows/third-party-notices.txt).
set(pq_qt_licences "${PQ_WINDOWS_QT_PREFIX}/LICENSES")
foreach(text IN ITEMS LGPL-3.0-only.txt GPL-3.0-only.txt)
    if(NOT EXISTS "${pq_qt_licences}/${text}")
        message(FATAL_ERROR "The Qt for Windows in ${PQ_WINDOWS_QT_PREFIX} has no LICENSES/${text}, which the \
packages of a program that links it must carry.")
    endif()
endforeach()
file(READ "${pq_qt_licences}/LGPL-3.0-only.txt" pq_lgpl)
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" pq_program_licence)
configure_file("${PROJECT_SOURCE_DIR}/packaging/windows/LICENSE-Qt.txt.in" "${CMAKE_BINARY_DIR}/LICENSE-Qt.txt" @ONLY)
file(READ "${CMAKE_BINARY_DIR}/LICENSE-Qt.txt" pq_qt_notice)
# The installer shows the program's licence and Qt's, in plain ASCII, which its licence page reads in any
# code page.
configure_file("${PROJECT_SOURCE_DIR}/packaging/windows/installer-licence.txt.in"
               "${CMAKE_BINARY_DIR}/installer-licence.txt" @ONLY)
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION . RENAME LICENSE.txt)
install(FILES "${CMAKE_BINARY_DIR}/LICENSE-Qt.txt" DESTINATION .)
install(FILES "${PROJECT_SOURCE_DIR}/packaging/windows/third-party-notices.txt" DESTINATION .
        RENAME LICENSE-third-party.txt)
install(FILES "${pq_qt_licences}/GPL-3.0-only.txt" DESTINATION . RENAME LICENSE-GPL-3.0.txt)

# The packages. The installer's script is packaging/windows/NSIS.template.in; the bare program is copied
# out of the ZIP's contents, stripped, by packaging/windows/BareProgram.cmake.
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_FILE_NAME "pindlequorix-${CPACK_PACKAGE_VERSION}-windows-x64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY PindleQuorix)
set(CPACK_RESOURCE_FILE_LICENSE "${CMAKE_BINARY_DIR}/installer-licence.txt")
set(CPACK_NSIS_DISPLAY_NAME "${PQ_CAPTION}")
set(CPACK_NSIS_PACKAGE_NAME "${PQ_CAPTION}")
set(CPACK_PQ_FILE_VERSION "${PQ_FILE_VERSION_DOTTED}")
# The installer's icon is kept uncompressed in it: the program's, in fewer sizes.
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/packaging/windows/installer.ico")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# When the build signs (cmake/WindowsSigning.cmake), makensis runs the signing command on the uninstaller it
# embeds and on the finished installer.
if(PQ_SIGNING)
    set(CPACK_PQ_SIGN_COMMAND "${PQ_SIGN_COMMAND}")
    set(CPACK_PRE_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/packaging/windows/TrialSigning.cmake")
endif()
list(APPEND CMAKE_MODULE_PATH "${PROJECT_SOURCE_DIR}/packaging/windows") # CPack finds the template there
set(CPACK_POST_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/packaging/windows/BareProgram.cmake")
# The installer's name says what it is, and leaves pindlequorix-VERSION-windows-x64.exe to the program.
file(APPEND "${CPACK_PROJECT_CONFIG_FILE}" "if(CPACK_GENERATOR STREQUAL \"NSIS\")
    set(CPACK_PACKAGE_FILE_NAME \"${CPACK_PACKAGE_FILE_NAME}-setup\")
endif()\n")
