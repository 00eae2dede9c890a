#include "RegionalNumberSettings.h"

#include <iterator>
#include <windows.h>

namespace pq {

RegionalNumberSettings ReadUserNumberSettings()
{
    RegionalNumberSettings settings;

    // Windows allows at most three characters plus the terminator for the separator.
    wchar_t separator[8] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator,
                                       static_cast<int>(std::size(separator)));
    if (length > 1)
        settings.decimalSeparator.assign(separator, static_cast<std::size_t>(length - 1));

    DWORD leadingZero = 1;
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_ILZERO | LOCALE_RETURN_NUMBER,
                        reinterpret_cast<LPWSTR>(&leadingZero), sizeof(leadingZero) / sizeof(wchar_t)) > 0)
        settings.leadingZero = leadingZero != 0;

    return settings;
}

} // namespace pq
