#pragma once

// Windows only, and free of Qt so that a plain MinGW compiler can check it.

#include <string>

namespace pq {

struct RegionalNumberSettings
{
    std::wstring decimalSeparator = L".";
    bool leadingZero = true;
};

// The decimal separator and the leading-zero rule from the current user's regional settings;
// the defaults above stand in for any value Windows cannot give.
[[nodiscard]] RegionalNumberSettings readUserNumberSettings();

} // namespace pq
