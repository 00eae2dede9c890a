# Programs of the Windows build run on this Linux host through Wine: CTest runs each test program
# through run-under-wine, generated here into the build folder (and usable by hand:
# build/windows/run-under-wine build/windows/pindlequorix.exe).

include(MinGWRuntime)
list(JOIN PQ_MINGW_RUNTIME_DIRS ":" pq_runtime_dirs)
set(PQ_WINE_DLL_DIRS "${PQ_WINDOWS_QT_PREFIX}/bin:${pq_runtime_dirs}") # Qt's DLLs and the runtime

set(PQ_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine-prefix")
set(PQ_WINE_SETTINGS "${CMAKE_CURRENT_LIST_DIR}/wine-prefix.reg")
configure_file("${CMAKE_CURRENT_LIST_DIR}/run-under-wine.in" "${CMAKE_BINARY_DIR}/run-under-wine" @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/run-under-wine")
