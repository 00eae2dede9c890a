// Cost of composing one report, as a click on the start button pays it.
// Run: build/release/bench/bench_report   (prints mean, median and spread over 15 repetitions)

#include "report/EvaluationReport.h"

#include <benchmark/benchmark.h>

namespace {

void reportWithFixedStyle(benchmark::State &state)
{
    pq::ClockSeededRandom random;
    const pq::NumberStyle style = pq::systemNumberStyle();
    for (auto _ : state)
        benchmark::DoNotOptimize(pq::buildEvaluationReport(random, style));
}
BENCHMARK(reportWithFixedStyle)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

// The same with the system number style looked up per report, as the program does.
void reportWithStyleLookup(benchmark::State &state)
{
    pq::ClockSeededRandom random;
    for (auto _ : state)
        benchmark::DoNotOptimize(pq::buildEvaluationReport(random, pq::systemNumberStyle()));
}
BENCHMARK(reportWithStyleLookup)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
