// Speed of the chart image: drawing one life chart, a whole MakeChart of a life chart
// (computation, drawing, texts) and a flow chart with its drawing, at font size 12.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <filesystem>

#include "calendar/date_service.h"
#include "chart/chart_computation.h"
#include "chart/draw/chart_drawing.h"
#include "chart/draw/chart_geometry.h"
#include "chart/draw/image_plus.h"
#include "chart/draw/taiyi_num.h"
#include "platform/file_util.h"
#include "platform/jpeg_image.h"
#include "platform/rich_text_sink.h"

namespace taiyi {
namespace {

QGuiApplication& App() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "draw_bench";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  return *app;
}

ChartRequest LifeRequest() {
  ChartRequest r;
  r.SetName("张三");
  r.SetDate({1980, 5, 6, 10, 30});
  return r;
}

// An application folder with the shipped data, made once.
AppFolder BenchFolder() {
  static const AppFolder folder = [] {
    AppFolder f;
    f.root = (std::filesystem::temp_directory_path() / "taiyi-draw-bench/").string();
    CreateDirs(f.Dat());
    for (const char* name : {"oldbk.jpg", "yistar.txt", "jutext.txt"})
      CopyFile(std::string(TAIYI_SOURCE_DAT_DIR) + "/" + name, f.Dat() + name, true);
    return f;
  }();
  return folder;
}

void BM_DrawLifeChart(benchmark::State& state) {
  App();
  MYiDateEx dates;
  const ChartResult result = ComputeChart(LifeRequest(), ChartSettings{}, dates);
  RgbImage picture;
  std::string error;
  ReadJpeg(BenchFolder().Dat() + "oldbk.jpg", picture, error);
  MImagePlus surface;
  QImage image;
  const ChartGeometry g = SizeChartImage(surface, image, 12);
  for (auto _ : state) {
    surface.Bind(&image);
    DrawChart(surface, g, {&result.chart, nullptr, &picture});
    surface.Release();
  }
}
BENCHMARK(BM_DrawLifeChart)->Unit(benchmark::kMillisecond);

void BM_MakeLifeChart(benchmark::State& state) {
  App();
  MTaiYiNum engine(BenchFolder());
  RichTextRecorder editor;
  QImage image;
  engine.Attach(&editor, &image);
  for (auto _ : state) benchmark::DoNotOptimize(engine.MakeChart(LifeRequest()));
}
BENCHMARK(BM_MakeLifeChart)->Unit(benchmark::kMillisecond);

void BM_FlowChartWithDrawing(benchmark::State& state) {
  App();
  MTaiYiNum engine(BenchFolder());
  RichTextRecorder editor;
  QImage image;
  engine.Attach(&editor, &image);
  engine.MakeChart(LifeRequest());
  const double moment = engine.ClockJulianDay() + 9000 + 3.0 / 86400;
  for (auto _ : state) benchmark::DoNotOptimize(engine.MakeFlowChart(moment, 1, true));
}
BENCHMARK(BM_FlowChartWithDrawing)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace taiyi
