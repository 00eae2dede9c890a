// Cost of composing one report, as a click on the start button pays it.
// Run: build/release/bench/bench_report   (prints mean, median and spread over 15 repetitions)

#include "EvaluationReport.h"

#include <benchmark/benchmark.h>

namespace {

void BuildEvaluationReport(benchmark::State &state)
{
    pq::ClockSeededRandom random;
    const pq::NumberStyle style = pq::SystemNumberStyle();
    QString provinceList;
    for (auto _ : state)
        benchmark::DoNotOptimize(pq::BuildEvaluationReport(provinceList, random, style));
}
BENCHMARK(BuildEvaluationReport)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

// The same with the system number style looked up per report, as the program does.
void BuildEvaluationReportWithStyleLookup(benchmark::State &state)
{
    pq::ClockSeededRandom random;
    QString provinceList;
    for (auto _ : state)
        benchmark::DoNotOptimize(pq::BuildEvaluationReport(provinceList, random, pq::SystemNumberStyle()));
}
BENCHMARK(BuildEvaluationReportWithStyleLookup)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
