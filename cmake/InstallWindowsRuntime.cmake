# Runs at install time (cmake --install, cpack) in the Windows build, after the program and Qt's DLLs
# and plugins: copies the MinGW runtime DLLs they import beside them, then strips every third-party DLL.
# Set by WindowsPackage.cmake before it runs: PQ_PROGRAM, PQ_QT_LIBRARIES, PQ_QT_PLUGINS (the built
# files), PQ_RUNTIME_DIRS (the compiler's folders), PQ_OBJDUMP and PQ_STRIP (MinGW's tools).

# On a Linux host, CMake looks the imports up under lower-case names, so Qt's own DLLs (Qt6Core.dll) stay
# unresolved here; they are installed from Qt's imported targets. Windows' own DLLs stay unresolved too.
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND "${PQ_OBJDUMP}")
file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES "${PQ_PROGRAM}"
    LIBRARIES ${PQ_QT_LIBRARIES}
    MODULES ${PQ_QT_PLUGINS}
    DIRECTORIES ${PQ_RUNTIME_DIRS}
    RESOLVED_DEPENDENCIES_VAR runtime
    UNRESOLVED_DEPENDENCIES_VAR unresolved)
if(NOT runtime)
    message(FATAL_ERROR "found none of the MinGW runtime DLLs in the compiler's folders: ${PQ_RUNTIME_DIRS}")
endif()
file(INSTALL ${runtime} DESTINATION "${CMAKE_INSTALL_PREFIX}")

# Debian's MinGW libstdc++-6.dll alone carries some 20 MB of debug information, Qt's DLLs a third of their
# size: users need none of it.
file(GLOB_RECURSE third_party "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/*.dll")
foreach(dll IN LISTS third_party)
    execute_process(COMMAND "${PQ_STRIP}" --strip-unneeded "${dll}" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "could not strip ${dll}")
    endif()
endforeach()
