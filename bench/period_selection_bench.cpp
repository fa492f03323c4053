// Speed of the selection of moments (择时) and of the chart search of the archive: every hour
// chart and every day chart from 1900 to 2100 tested for 囚, single-threaded and with the
// threads the machine offers, and 100,000 stored cases charted and tested for 囚.
#include <benchmark/benchmark.h>

#include <thread>

#include "bench/support/sample_store.h"
#include "chart/period_selection.h"
#include "store/chart_case_search.h"

namespace {

using namespace taiyi;

PeriodSelection Span1900To2100(ChartKind kind) {
  PeriodSelection s;
  s.kind = kind;
  s.from = YiDate{1900, 1, 1, 0, 0};
  s.to = YiDate{2100, 12, 31, 23, 59};
  s.conditions.with = {{kCondQiu, 0}};
  return s;
}

void Select(benchmark::State& state, ChartKind kind) {
  const PeriodSelection s = Span1900To2100(kind);
  const int threads = static_cast<int>(state.range(0));
  SelectionResult r;
  for (auto _ : state) r = SelectPeriods(s, {}, threads);
  state.counters["periods"] = static_cast<double>(r.scanned);
  state.counters["found"] = static_cast<double>(r.periods.size());
}

void BM_SelectHours1900To2100(benchmark::State& state) {
  Select(state, ChartKind::kHour);
}
BENCHMARK(BM_SelectHours1900To2100)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SelectDays1900To2100(benchmark::State& state) {
  Select(state, ChartKind::kDay);
}
BENCHMARK(BM_SelectDays1900To2100)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// 100,000 cases of every kind, spread over 120 years and all hours.
void BM_ChartCaseSearch100000(benchmark::State& state) {
  static MRecordBase store;
  static const bool filled = [] {
    const std::string dir = bench::FreshAppFolder("taiyi-bench-chart-search");
    store.Open(CaseDatabasePath(dir), dir, false);
    store.Connect();
    for (int i = 0; i < 100000; ++i) {
      TRecordData r = bench::SampleCase(i);
      r.kind = static_cast<ChartKind>(i % 5);
      r.hour = static_cast<int16_t>(i % 24);
      r.minute = static_cast<int16_t>(i % 60);
      r.male = i % 3 != 0;
      store.AddCaseInBatch(r);
    }
    store.Disconnect();
    return true;
  }();
  benchmark::DoNotOptimize(filled);
  ChartConditions c;
  c.with = {{kCondQiu, 0}};
  std::vector<std::int32_t> ids;
  for (auto _ : state) SearchByChart(store, {}, c, ids);
  state.counters["found"] = static_cast<double>(ids.size());
}
BENCHMARK(BM_ChartCaseSearch100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
