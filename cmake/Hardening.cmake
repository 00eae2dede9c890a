# The protections Debian gives its own packages (dpkg-buildflags with hardening=+all), on every target
# of the project: stack protector, fortified libc calls, stack clash protection, control-flow
# protection, read-only relocations bound at start-up, and position-independent executables. Checked on
# the packaged program with Debian's hardening-check.
#
# On Windows, MinGW's executables have ASLR, high-entropy ASLR and DEP by default; they get the stack
# protector too, with its runtime linked in statically, so that no libssp-0.dll has to ship beside them.

if(MSVC)
    return()
endif()
if(WIN32)
    execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=libssp.a
                    OUTPUT_VARIABLE pq_libssp OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${pq_libssp}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} has no libssp.a for the stack protector")
    endif()
    target_compile_options(pq_compile_options INTERFACE -fstack-protector-strong)
    target_link_libraries(pq_compile_options INTERFACE "${pq_libssp}")
    return()
endif()

include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
target_compile_options(pq_compile_options INTERFACE -fstack-protector-strong -fstack-clash-protection)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64|i[3-6]86")
    target_compile_options(pq_compile_options INTERFACE -fcf-protection)
endif()
# Fortified calls need the optimiser: glibc warns about them in an unoptimised build.
target_compile_options(pq_compile_options INTERFACE "$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=3>")
if(NOT APPLE)
    target_link_options(pq_compile_options INTERFACE -Wl,-z,relro -Wl,-z,now)
endif()
# Every object the project compiles carries the control-flow protection note, but Debian 12's C start
# files (Scrt1.o, crti.o) do not, so the linker would leave it off the program, as it does for Debian 12's
# own packages. The note only allows a system to enforce the protection where every library loaded
# with the program carries it too (Qt's do not, yet).
if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64" AND NOT APPLE)
    target_link_options(pq_compile_options INTERFACE -Wl,-z,ibt -Wl,-z,shstk)
endif()
