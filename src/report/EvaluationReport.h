#pragma once

#include "report/NumberStyle.h"
#include "report/RandomSource.h"

#include <QString>

namespace pq {

// Composes one evaluation report: a latency header, one line per province and the SSD read and write
// lines, 19 lines in all, each ending in CR LF. Every figure is drawn from random; nothing is measured.
//
// random is reseeded from the clock, then asked for exactly 18 values: one per province in order,
// then the read figure, then the write figure.
[[nodiscard]] QString buildEvaluationReport(RandomSource &random, const NumberStyle &style);

// Every line of a report ends in CR LF.
inline constexpr QStringView LineEnd = u"\r\n";

} // namespace pq
