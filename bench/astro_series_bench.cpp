// Cost of the ephemeris solvers and of the full Sun and Moon series they evaluate.
#include <benchmark/benchmark.h>

#include "calendar/astro_series.h"

namespace {

using namespace taiyi;

void BM_SunLongitudeTime(benchmark::State& state) {
  double w = 25 * 2 * kCalendarPi;
  for (auto _ : state) benchmark::DoNotOptimize(SunLongitudeTime(w));
}
BENCHMARK(BM_SunLongitudeTime);

void BM_SunLongitudeTimeFast(benchmark::State& state) {
  double w = 25 * 2 * kCalendarPi;
  for (auto _ : state) benchmark::DoNotOptimize(SunLongitudeTimeFast(w));
}
BENCHMARK(BM_SunLongitudeTimeFast);

void BM_NewMoonTime(benchmark::State& state) {
  double w = 298 * 2 * kCalendarPi;
  for (auto _ : state) benchmark::DoNotOptimize(NewMoonTime(w));
}
BENCHMARK(BM_NewMoonTime);

void BM_NewMoonTimeFast(benchmark::State& state) {
  double w = 298 * 2 * kCalendarPi;
  for (auto _ : state) benchmark::DoNotOptimize(NewMoonTimeFast(w));
}
BENCHMARK(BM_NewMoonTimeFast);

void BM_MoonLongitudeAllTerms(benchmark::State& state) {
  double t = 0.24;
  for (auto _ : state) benchmark::DoNotOptimize(MoonLongitude(t, -1));
}
BENCHMARK(BM_MoonLongitudeAllTerms);

void BM_EquationOfTimeDays(benchmark::State& state) {
  double t = 0.2084;
  for (auto _ : state) benchmark::DoNotOptimize(EquationOfTimeDays(t));
}
BENCHMARK(BM_EquationOfTimeDays);

}  // namespace
