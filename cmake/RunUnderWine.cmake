# Programs of the Windows build run on this Linux host through Wine: CTest runs each test program
# through run-under-wine, generated here into the build folder (and usable by hand:
# build/windows/run-under-wine build/windows/pindlequorix.exe). Each program is self-contained (Qt and
# the MinGW runtime linked in), so Wine needs no folder of DLLs.

set(PQ_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine-prefix")
set(PQ_WINE_SETTINGS "${CMAKE_CURRENT_LIST_DIR}/wine-prefix.reg")
configure_file("${CMAKE_CURRENT_LIST_DIR}/run-under-wine.in" "${CMAKE_BINARY_DIR}/run-under-wine" @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/run-under-wine")
