#include "app/WindowsDllSearch.h"

#include <windows.h>

namespace pq {

void loadDllsFromSystem32Only()
{
    // Windows looks for a DLL that is not one of its KnownDLLs in the program's folder first, and by
    // default in the current folder and PATH too: a Downloads folder holds whatever the browser saved
    // there, a file named like one of Windows' DLLs among it. The flag is valid and the call is there
    // since Windows 8, so it cannot fail on the Windows the program needs.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

} // namespace pq
