#include "report/RegionalNumberSettings.h"

#include <utility>
#include <windows.h>

namespace pq {

RegionalNumberSettings readUserNumberSettings()
{
    RegionalNumberSettings settings;

    // Windows' own dialog allows three characters, but the registry may hold more: ask for the length
    // first, so that any separator is shown as it is set. An empty one keeps the default ".".
    const int size = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, nullptr, 0);
    if (size > 1) {
        std::wstring separator(static_cast<std::size_t>(size), L'\0');
        const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator.data(), size);
        if (length > 1) {
            separator.resize(static_cast<std::size_t>(length - 1)); // without the terminator
            settings.decimalSeparator = std::move(separator);
        }
    }

    DWORD leadingZero = 1;
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_ILZERO | LOCALE_RETURN_NUMBER,
                        reinterpret_cast<LPWSTR>(&leadingZero), sizeof(leadingZero) / sizeof(wchar_t)) > 0)
        settings.leadingZero = leadingZero != 0;

    return settings;
}

} // namespace pq
