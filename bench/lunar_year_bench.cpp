// Cost of one lunar year table in each era: the ephemeris (2024, −500) and the
// low-precision formulas with corrections (1700).
#include <benchmark/benchmark.h>

#include "calendar/calendar_date.h"
#include "calendar/lunar_year.h"

namespace {

void BM_BuildLunarYear(benchmark::State& state) {
  const int32_t day = taiyi::JulianDayNumber(static_cast<int>(state.range(0)), 6, 15) - 2451545;
  taiyi::LunarYearBuilder builder;
  for (auto _ : state) {
    builder.BuildLunarYear(day);
    benchmark::DoNotOptimize(builder.YearTable());
  }
}
BENCHMARK(BM_BuildLunarYear)->Arg(2024)->Arg(1700)->Arg(-500);

void BM_ConstructLunarYearBuilder(benchmark::State& state) {
  for (auto _ : state) {
    taiyi::LunarYearBuilder builder;
    benchmark::DoNotOptimize(builder);
  }
}
BENCHMARK(BM_ConstructLunarYearBuilder);

}  // namespace
