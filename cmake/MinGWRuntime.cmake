# PQ_MINGW_RUNTIME_DIRS: the folders of the MinGW runtime DLLs that every program of the Windows build
# loads, as the compiler knows them. The Wine runner finds the DLLs there; the packages copy them from there.
include_guard(GLOBAL)

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
