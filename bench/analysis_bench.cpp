// Time to write the whole text of a life chart (summary, ju text and the analysis with its
// hundred-year offence scan) and the analysis of a period chart.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "calendar/date_service.h"
#include "chart/chart_analysis.h"
#include "chart/chart_computation.h"
#include "chart/chart_summary.h"
#include "chart/ju_texts.h"
#include "chart/offence_years.h"
#include "chart/star_texts.h"

namespace {

// A man born 1950-01-19 12:00: 迫, 关 and 格 present, so the offence scan runs.
taiyi::ChartRequest Request(taiyi::ChartKind kind) {
  taiyi::ChartRequest r;
  r.kind = kind;
  r.SetDate({1950, 1, 19, 12, 0});
  return r;
}

struct Texts {
  taiyi::StarTexts stars;
  taiyi::JuTexts ju;
  Texts() {
    // The texts shipped in the source tree.
    const std::string dat = std::string(TAIYI_SOURCE_DAT_DIR) + "/";
    stars.Load(dat + taiyi::kStarTextFileName);
    ju.Load(dat + taiyi::kJuTextFileName);
  }
};

void BM_LifeChartWholeText(benchmark::State& state) {
  taiyi::MYiDateEx dates;
  const Texts texts;
  const auto chart = taiyi::ComputeChart(Request(taiyi::ChartKind::kLife), {}, dates).chart;
  for (auto _ : state) {
    taiyi::RichTextRecorder sink;
    taiyi::WriteChartSummary(chart, texts.ju, {}, sink);
    sink.Append("\r\n【星盘分析】");
    taiyi::WriteAnalysis(chart, texts.stars, dates, sink);
    benchmark::DoNotOptimize(sink.Paragraphs().data());
  }
}
BENCHMARK(BM_LifeChartWholeText)->Unit(benchmark::kMillisecond);

void BM_OffenceYearScan(benchmark::State& state) {
  taiyi::MYiDateEx dates;
  const auto chart = taiyi::ComputeChart(Request(taiyi::ChartKind::kLife), {}, dates).chart;
  for (auto _ : state) benchmark::DoNotOptimize(taiyi::ScanOffenceYears(chart, dates));
}
BENCHMARK(BM_OffenceYearScan)->Unit(benchmark::kMillisecond);

void BM_PeriodChartAnalysis(benchmark::State& state) {
  taiyi::MYiDateEx dates;
  const Texts texts;
  const auto chart = taiyi::ComputeChart(Request(taiyi::ChartKind::kYear), {}, dates).chart;
  for (auto _ : state) {
    taiyi::RichTextRecorder sink;
    taiyi::WriteAnalysis(chart, texts.stars, dates, sink);
    benchmark::DoNotOptimize(sink.Paragraphs().data());
  }
}
BENCHMARK(BM_PeriodChartAnalysis);

}  // namespace
