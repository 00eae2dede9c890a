# Compiles the Windows resource script and checks that the version texts came through as UTF-16
# (a resource compiler that misreads the UTF-8 file would turn the Chinese into other characters), and
# that the manifest went in with its Windows 10/11 entry and its execution level.
execute_process(COMMAND "${WINDRES}" -O res "${RC}" -o "${OUT}" RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "windres failed: ${errors}")
endif()
file(READ "${OUT}" resource HEX)

set(expected
    # "Quorix服务器测评" (product and internal name)
    "510075006f007200690078000d67a15268564b6dc48b"
    # "PindleQuorix服务器测评工具" (description)
    "500069006e0064006c006500510075006f007200690078000d67a15268564b6dc48be55d7751"
    # the string block "080404b0"
    "30003800300034003000340062003000"
    # translation: language 0x0804, code page 1200
    "0408b004"
    # the manifest, in its own bytes: the id of Windows 10 and 11, and level="asInvoker"
    "38653066376131322d626662332d346665382d623961352d343866643530613135613961"
    "6c6576656c3d226173496e766f6b657222")
foreach(hex IN LISTS expected)
    string(FIND "${resource}" "${hex}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the compiled resource lacks ${hex}")
    endif()
endforeach()
message(STATUS "Windows resource OK")
