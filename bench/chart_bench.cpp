// Time to compute one chart (no drawing, no text), its analysis facts alone, and one flow chart.
#include <benchmark/benchmark.h>

#include <optional>

#include "calendar/date_service.h"
#include "chart/chart_computation.h"
#include "chart/flow_chart.h"

namespace {

taiyi::ChartRequest Request(taiyi::ChartKind kind) {
  taiyi::ChartRequest r;
  r.kind = kind;
  r.SetDate({1980, 5, 5, 10, 30});
  return r;
}

void BM_PeriodChart(benchmark::State& state) {
  taiyi::MYiDateEx dates;
  const auto r = Request(taiyi::ChartKind::kHour);
  for (auto _ : state) benchmark::DoNotOptimize(taiyi::ComputeChart(r, {}, dates));
}
BENCHMARK(BM_PeriodChart);

void BM_LifeChart(benchmark::State& state) {
  taiyi::MYiDateEx dates;
  const auto r = Request(taiyi::ChartKind::kLife);
  for (auto _ : state) benchmark::DoNotOptimize(taiyi::ComputeChart(r, {}, dates));
}
BENCHMARK(BM_LifeChart);

// Life palaces, deity facts, conditions and count patterns of a computed life chart.
void BM_AnalysisFacts(benchmark::State& state) {
  taiyi::MYiDateEx dates;
  const auto natal = taiyi::ComputeChart(Request(taiyi::ChartKind::kLife), {}, dates).chart;
  const auto& palaces = natal.birth->palaces;
  for (auto _ : state) {
    const auto life = std::optional(taiyi::ComputeLifePalaces(
        palaces.ming, palaces.shen, natal.pillars.pillars.year, true, natal.natal));
    const auto facts = taiyi::ComputeDeityFacts(natal.natal, taiyi::FactEntries::kNatal,
                                                natal.pillars.pillars.year % 12, life);
    benchmark::DoNotOptimize(taiyi::LifeConditions(facts));
    benchmark::DoNotOptimize(taiyi::ComputeCountPatterns(natal.counts.host, natal.counts.guest,
                                                         facts[taiyi::kWenChang]));
  }
}
BENCHMARK(BM_AnalysisFacts);

void BM_FlowChart(benchmark::State& state) {
  taiyi::MYiDateEx dates;
  const auto natal = taiyi::ComputeChart(Request(taiyi::ChartKind::kLife), {}, dates);
  const double moment = natal.chart.moments.clockJulianDay + 365.25 * 24;
  for (auto _ : state)
    benchmark::DoNotOptimize(taiyi::MakeFlowChart(natal.chart, moment, 1, dates));
}
BENCHMARK(BM_FlowChart);

}  // namespace
