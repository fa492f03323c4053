// Speed of the lunar year, the lunar conversions, the solar terms and the four pillars.
#include <benchmark/benchmark.h>

#include "calendar/calendar_date.h"
#include "calendar/date_service.h"
#include "calendar/lunar_year.h"

namespace {

using taiyi::LunarYearBuilder;
using taiyi::MYiDateEx;
using taiyi::YiDate;

int DayNumber(int y, int m, int d) {
  return taiyi::JulianDayNumber(y, m, d) - 2451545;
}

// One whole lunar year, built from scratch each time.
void BM_BuildLunarYear(benchmark::State& state, int day) {
  LunarYearBuilder builder;
  for (auto _ : state) {
    builder.BuildLunarYear(day);
    benchmark::DoNotOptimize(builder);
  }
}
BENCHMARK_CAPTURE(BM_BuildLunarYear, modern_2024, DayNumber(2024, 6, 1));
BENCHMARK_CAPTURE(BM_BuildLunarYear, year_1700, DayNumber(1700, 6, 1));
BENCHMARK_CAPTURE(BM_BuildLunarYear, bc_501, DayNumber(-500, 6, 1));

// A conversion of a day in a year not seen before (the cache never hits): a fresh
// service per iteration would also time the correction strings, so the day moves on by
// more than a year each time instead.
void BM_SolarToLunarColdYear(benchmark::State& state) {
  MYiDateEx service;
  YiDate solar{1900, 6, 1, 12, 0};
  YiDate lunar;
  for (auto _ : state) {
    solar.year = static_cast<int16_t>(solar.year >= 2100 ? 1900 : solar.year + 1);
    benchmark::DoNotOptimize(service.SolarToLunar(solar, lunar));
  }
}
BENCHMARK(BM_SolarToLunarColdYear);

// Consecutive days, as the perpetual calendar and the day list convert them.
void BM_SolarToLunarNextDay(benchmark::State& state) {
  MYiDateEx service;
  YiDate solar{2024, 1, 1, 12, 0};
  YiDate lunar;
  for (auto _ : state) {
    service.NextDay(solar);
    if (solar.year > 2100) solar = YiDate{1900, 1, 1, 12, 0};
    benchmark::DoNotOptimize(service.SolarToLunar(solar, lunar));
  }
}
BENCHMARK(BM_SolarToLunarNextDay);

// LunarToSolar on a fresh service each time, so that nothing is remembered from the
// iteration before.
//   worst: the last day of a lunar year lies about 40 days after the civil day with the
//          same numbers, so the walk runs through the turn of the lunar year.
//   missing: a date that does not exist: all 181 days are walked before the failure.
void BM_LunarToSolar(benchmark::State& state, YiDate lunar) {
  YiDate solar;
  for (auto _ : state) {
    state.PauseTiming();
    MYiDateEx service;
    state.ResumeTiming();
    benchmark::DoNotOptimize(service.LunarToSolar(lunar, solar, false));
  }
}
BENCHMARK_CAPTURE(BM_LunarToSolar, worst, YiDate{2023, 12, 30, 12, 0});
BENCHMARK_CAPTURE(BM_LunarToSolar, missing, YiDate{2024, 12, 30, 12, 0});

// A new year each time, so that the instant is computed, not remembered.
void BM_TermDate(benchmark::State& state) {
  MYiDateEx service;
  int16_t year = 1900;
  for (auto _ : state) {
    year = static_cast<int16_t>(year >= 2100 ? 1900 : year + 1);
    benchmark::DoNotOptimize(service.TermDate(year, 2, true));
  }
}
BENCHMARK(BM_TermDate);

// The same moment again and again: the term instants are remembered.
void BM_FourPillarsSameMoment(benchmark::State& state) {
  MYiDateEx service;
  const YiDate moment{2024, 5, 17, 23, 30};
  for (auto _ : state) benchmark::DoNotOptimize(service.FourPillars(moment, moment, false));
}
BENCHMARK(BM_FourPillarsSameMoment);

// A new year each time, so that no term instant is remembered.
void BM_FourPillarsNewYear(benchmark::State& state) {
  MYiDateEx service;
  YiDate moment{1900, 5, 17, 23, 30};
  for (auto _ : state) {
    moment.year = static_cast<int16_t>(moment.year >= 2100 ? 1900 : moment.year + 1);
    benchmark::DoNotOptimize(service.FourPillars(moment, moment, false));
  }
}
BENCHMARK(BM_FourPillarsNewYear);

}  // namespace
