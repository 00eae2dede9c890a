# The Debian package (cpack -G DEB in a Linux build folder) and what a Linux desktop and software centre
# need: the desktop entry, the icon at the theme's sizes, AppStream metadata, a manual page, and the
# copyright file and changelog Debian asks for. The texts that only the package needs are in
# packaging/linux. The desktop entry, the icon and the metadata share the program's id, PQ_APP_ID.

include(GNUInstallDirs)
set(pq_packaging "${PROJECT_SOURCE_DIR}/packaging/linux")
set(pq_docdir "${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME}")

install(FILES "${PQ_DESKTOP_ENTRY}" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${PQ_METAINFO}" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
foreach(size IN ITEMS 16 24 32 48 64 128 256)
    set(picture "${PROJECT_SOURCE_DIR}/resources/icons/${size}.png")
    if(size EQUAL 32)
        set(picture "${PROJECT_SOURCE_DIR}/resources/icon.png") # the window's own icon
    endif()
    install(FILES "${picture}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
            RENAME ${PQ_APP_ID}.png)
endforeach()
install(FILES "${pq_packaging}/copyright" DESTINATION "${pq_docdir}")

# Debian keeps the manual page and the changelog compressed, at maximum compression and without a time
# stamp, so that the package is the same whenever it is built.
set(pq_compressed "")
foreach(text IN ITEMS "${PQ_MANUAL_PAGE}" "${pq_packaging}/changelog")
    cmake_path(GET text FILENAME name)
    add_custom_command(OUTPUT "${CMAKE_BINARY_DIR}/packaging/${name}.gz"
                       COMMAND "${CMAKE_COMMAND}" -E make_directory "${CMAKE_BINARY_DIR}/packaging"
                       COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" sh "${text}" "${CMAKE_BINARY_DIR}/packaging/${name}.gz"
                       DEPENDS "${text}" VERBATIM)
    list(APPEND pq_compressed "${CMAKE_BINARY_DIR}/packaging/${name}.gz")
endforeach()
add_custom_target(pq_compressed_texts ALL DEPENDS ${pq_compressed})
install(FILES "${CMAKE_BINARY_DIR}/packaging/pindlequorix.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${CMAKE_BINARY_DIR}/packaging/changelog.gz" DESTINATION "${pq_docdir}")

set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The same bytes whatever the umask of whoever runs cpack: the folders that the install makes on the way
# are 0755, as Debian's own tools make them (files get their modes from the install rules already), and
# the archive's members 0644, as dpkg-deb writes them, which no CPack setting reaches
# (cmake/DebianMemberModes.cmake sets them in the finished package).
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)
set(CPACK_POST_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/DebianMemberModes.cmake")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Lines of at most 80 characters, as Debian asks.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "PindleQuorix shows a server evaluation report, with latency figures for"
    "sixteen Chinese provinces and SSD 4K random read and write figures, one line"
    "every half second, under a banner that advertises a vendor's discount coupons."
    "Every figure is simulated: it is drawn at random within fixed ranges, and"
    "nothing is measured, neither on the network nor on any disk.")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils") # opens the promotion link in the default browser
# Not found by shlibdeps: the platform plugins Qt loads at run time, and a font with Chinese glyphs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-noto-cjk | fonts-wqy-microhei | fonts-wqy-zenhei")
