// Speed of the reverse search from four pillars and of laying out a calendar month.
#include <benchmark/benchmark.h>

#include "calendar/date_service.h"
#include "calendar/era_names.h"
#include "calendar/month_grid.h"
#include "calendar/pillar_search.h"

namespace {

using taiyi::MYiDateEx;
using taiyi::YiDate;

// One search as the dialog runs it, with a fresh date service: from 1950 (a match in the
// first candidate year) and from the first year of the range (a match in the third).
void BM_FindPillarMoment(benchmark::State& state, int startYear, taiyi::PillarChoice choice) {
  const taiyi::TargetPillars target = *taiyi::BuildTargetPillars(choice).pillars;
  for (auto _ : state) {
    MYiDateEx service;
    benchmark::DoNotOptimize(taiyi::FindPillarMoment(service, startYear, target));
  }
}
// 甲辰 巳 辛巳 子
BENCHMARK_CAPTURE(BM_FindPillarMoment, from_1950, 1950, taiyi::PillarChoice{1, 5, 6, 8, 6, 1})
    ->Unit(benchmark::kMicrosecond);
// 甲子 寅 甲子 子
BENCHMARK_CAPTURE(BM_FindPillarMoment, from_first_year, -4712,
                  taiyi::PillarChoice{1, 1, 3, 1, 1, 1})
    ->Unit(benchmark::kMicrosecond);

// One redraw of the perpetual calendar without the painting: the year's terms and the grid
// of a month with its lunar days and pillars, the service kept as the window keeps it.
void BM_MonthGridWithTerms(benchmark::State& state) {
  MYiDateEx service;
  taiyi::EraNames eras;
  taiyi::TermEntry terms[25];
  int16_t year = 1900;
  for (auto _ : state) {
    year = static_cast<int16_t>(year >= 2100 ? 1900 : year + 1);
    service.YearTerms(year, terms);
    benchmark::DoNotOptimize(
        taiyi::BuildMonthGrid(service, eras, YiDate{year, 2, 4, 16, 27}, terms));
  }
}
BENCHMARK(BM_MonthGridWithTerms)->Unit(benchmark::kMicrosecond);

}  // namespace
