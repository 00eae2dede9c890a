# Programs of the Windows build run on this Linux host through Wine: CTest runs each test program
# through run-under-wine, generated here into the build folder (and usable by hand:
# build/windows/run-under-wine build/windows/pindlequorix.exe).

# The folders of the MinGW runtime DLLs that every program of the build loads, as the compiler knows them
# (the Windows packages take the DLLs from there too).
set(PQ_MINGW_RUNTIME_DIRS "")
foreach(dll IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is; install Debian's \
g++-mingw-w64-x86-64-posix (scripts/setup --windows does).")
    endif()
    cmake_path(NORMAL_PATH path)
    cmake_path(GET path PARENT_PATH dir)
    list(APPEND PQ_MINGW_RUNTIME_DIRS "${dir}")
endforeach()
list(REMOVE_DUPLICATES PQ_MINGW_RUNTIME_DIRS)
list(JOIN PQ_MINGW_RUNTIME_DIRS ":" pq_runtime_dirs)
set(PQ_WINE_DLL_DIRS "${PQ_WINDOWS_QT_PREFIX}/bin:${pq_runtime_dirs}") # Qt's DLLs and the runtime

set(PQ_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine-prefix")
set(PQ_WINE_SETTINGS "${CMAKE_CURRENT_LIST_DIR}/wine-prefix.reg")
configure_file("${CMAKE_CURRENT_LIST_DIR}/run-under-wine.in" "${CMAKE_BINARY_DIR}/run-under-wine" @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/run-under-wine")
