# Programs of the Windows build run on this Linux host through Wine: CTest runs each test program
# through run-under-wine, generated here into the build folder (and usable by hand:
# build/windows/run-under-wine build/windows/pindlequorix.exe).

# The MinGW runtime DLLs that every program of the build loads, where the compiler keeps them.
set(PQ_MINGW_RUNTIME_DLLS "")
set(PQ_WINE_DLL_DIRS "${PQ_WINDOWS_QT_PREFIX}/bin")
foreach(dll IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is; install Debian's \
g++-mingw-w64-x86-64-posix (scripts/setup --windows does).")
    endif()
    cmake_path(NORMAL_PATH path)
    list(APPEND PQ_MINGW_RUNTIME_DLLS "${path}")
    cmake_path(GET path PARENT_PATH dir)
    list(APPEND PQ_WINE_DLL_DIRS "${dir}")
endforeach()
list(REMOVE_DUPLICATES PQ_WINE_DLL_DIRS)
list(JOIN PQ_WINE_DLL_DIRS ":" PQ_WINE_DLL_DIRS)

set(PQ_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine-prefix")
configure_file("${CMAKE_CURRENT_LIST_DIR}/run-under-wine.in" "${CMAKE_BINARY_DIR}/run-under-wine" @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/run-under-wine")
