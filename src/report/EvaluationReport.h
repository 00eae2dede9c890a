#pragma once

#include "NumberStyle.h"
#include "RandomSource.h"

#include <QString>

namespace pq {

// Composes one evaluation report: a latency header, one line per province and the SSD read and write
// lines, 19 lines in all, each ending in CR LF. Every figure is drawn from random; nothing is measured.
//
// ProvinceList receives the province list the report was built from ("山东|河北|...").
// random is reseeded from the clock, then asked for exactly 18 values: one per province in order,
// then the read figure, then the write figure.
[[nodiscard]] QString BuildEvaluationReport(QString &ProvinceList, RandomSource &random,
                                            const NumberStyle &style);

} // namespace pq
