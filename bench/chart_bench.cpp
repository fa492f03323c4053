// Time to compute one chart (no drawing, no text) and one flow chart.
#include <benchmark/benchmark.h>

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

void BM_FlowChart(benchmark::State& state) {
  taiyi::MYiDateEx dates;
  const auto natal = taiyi::ComputeChart(Request(taiyi::ChartKind::kLife), {}, dates);
  const double moment = natal.chart.moments.clockJulianDay + 365.25 * 24;
  for (auto _ : state)
    benchmark::DoNotOptimize(taiyi::MakeFlowChart(natal.chart, moment, 1, dates));
}
BENCHMARK(BM_FlowChart);

}  // namespace
