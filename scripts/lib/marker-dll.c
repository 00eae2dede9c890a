/* A stand-in for a DLL that someone left in a folder: scripts/check-windows-packages copies it there under
 * the names of Windows' DLLs. It does nothing but tell that it was loaded: it appends the path of the program
 * that loaded it, and a line end, to a file beside itself named after it, NAME.dll.loaded.
 *
 *     x86_64-w64-mingw32-gcc-posix -O2 -shared -s -o marker.dll marker-dll.c
 */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    static const WCHAR suffix[] = L".loaded";
    WCHAR record[MAX_PATH + sizeof suffix / sizeof *suffix];
    WCHAR program[MAX_PATH];
    char line[4 * MAX_PATH + 2];
    const DWORD length = GetModuleFileNameW(self, record, MAX_PATH);
    const DWORD programLength = GetModuleFileNameW(NULL, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || programLength == 0 || programLength >= MAX_PATH)
        return TRUE;
    lstrcpyW(record + length, suffix);
    int bytes =
        WideCharToMultiByte(CP_UTF8, 0, program, (int)programLength, line, sizeof line - 2, NULL, NULL);
    line[bytes++] = '\r';
    line[bytes++] = '\n';
    const HANDLE file = CreateFileW(record, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written;
        WriteFile(file, line, (DWORD)bytes, &written, NULL);
        CloseHandle(file);
    }
    return TRUE;
}
