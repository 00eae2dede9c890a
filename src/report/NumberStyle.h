#pragma once

#include <QString>

namespace pq {

// How the user's region writes decimal numbers.
struct NumberStyle
{
    QString decimalSeparator = QStringLiteral(".");
    bool leadingZero = true; // "0.70" rather than ".70"
};

// value with exactly two digits after the separator, without digit grouping.
[[nodiscard]] QString formatTwoDecimals(double value, const NumberStyle &style);

// The current user's style: on Windows the regional settings, elsewhere the system locale
// (LC_ALL, LC_NUMERIC, LANG), which has no leading-zero setting.
[[nodiscard]] NumberStyle systemNumberStyle();

} // namespace pq
