# The facts of a release, each written in one place:
#   the version   project(VERSION) in CMakeLists.txt
#   the captions  PQ_CAPTION and PQ_PRODUCT_NAME below
#   the date      the newest entry of packaging/linux/changelog
# A release is the version changed there and a new entry at the top of the changelog. configure_file()
# writes them into the window, the Windows resources and installer, the desktop entry, the AppStream
# metadata and the manual page; the test release_facts_agree checks that the changelog's newest entry
# is this version and that every generated file carries what it was made from.

set(PQ_CAPTION "PindleQuorix服务器测评工具") # the window's caption; the program's name on desktops
set(PQ_PRODUCT_NAME "Quorix服务器测评")       # the product name in the version information
# The program's id on Linux desktops (reverse DNS of the project's .example domain): the file name of its
# desktop entry, its AppStream id and its icon's name; the window announces it as its Wayland app_id and
# as the class in its X11 WM_CLASS, which the entry's StartupWMClass names, so that docks match the two.
set(PQ_APP_ID example.pindlequorix.pindlequorix)

# Windows' version numbers: 1.00 is 1, 0, 0, 0.
math(EXPR pq_minor "${PROJECT_VERSION_MINOR}" OUTPUT_FORMAT DECIMAL)
set(PQ_FILE_VERSION_NUMBERS "${PROJECT_VERSION_MAJOR}, ${pq_minor}, 0, 0")
set(PQ_FILE_VERSION_DOTTED "${PROJECT_VERSION_MAJOR}.${pq_minor}.0.0")

# The release date, from the trailer of the changelog's newest entry:
# " -- PindleQuorix developers <dev@pindlequorix.example>  Mon, 07 Dec 2026 12:00:00 +0000"
set(PQ_CHANGELOG "${PROJECT_SOURCE_DIR}/packaging/linux/changelog")
file(STRINGS "${PQ_CHANGELOG}" pq_trailer REGEX "^ -- " LIMIT_COUNT 1)
if(NOT pq_trailer MATCHES ">  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    message(FATAL_ERROR "The newest entry of ${PQ_CHANGELOG} has no trailer line with a date \
(\" -- NAME <MAIL>  Mon, 07 Dec 2026 12:00:00 +0000\"), which gives the release date.")
endif()
set(pq_day "${CMAKE_MATCH_1}")
set(pq_month_name "${CMAKE_MATCH_2}")
set(pq_year "${CMAKE_MATCH_3}")
set(pq_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND pq_months "${pq_month_name}" pq_month)
math(EXPR pq_month "${pq_month} + 1")
if(pq_month LESS 10)
    set(pq_month "0${pq_month}")
endif()
set(PQ_RELEASE_DATE "${pq_year}-${pq_month}-${pq_day}")

# The Windows resources, and the texts for Linux desktops and the Debian package, filled in here (the
# window's caption is filled in with the sources in src/).
set(PQ_GENERATED "${PROJECT_BINARY_DIR}/generated")
set(PQ_WINDOWS_RESOURCES "${PQ_GENERATED}/pindlequorix.rc")
set(PQ_DESKTOP_ENTRY "${PQ_GENERATED}/${PQ_APP_ID}.desktop")
set(PQ_METAINFO "${PQ_GENERATED}/${PQ_APP_ID}.metainfo.xml")
set(PQ_MANUAL_PAGE "${PQ_GENERATED}/pindlequorix.1")
configure_file("${PROJECT_SOURCE_DIR}/resources/pindlequorix.rc.in" "${PQ_WINDOWS_RESOURCES}" @ONLY)
configure_file("${PROJECT_SOURCE_DIR}/resources/pindlequorix.desktop.in" "${PQ_DESKTOP_ENTRY}" @ONLY)
configure_file("${PROJECT_SOURCE_DIR}/packaging/linux/metainfo.xml.in" "${PQ_METAINFO}" @ONLY)
configure_file("${PROJECT_SOURCE_DIR}/packaging/linux/pindlequorix.1.in" "${PQ_MANUAL_PAGE}" @ONLY)
