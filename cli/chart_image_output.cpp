#include "cli/chart_image_output.h"

#include <QGuiApplication>
#include <QImage>

#include "chart/draw/chart_drawing.h"
#include "chart/draw/chart_geometry.h"
#include "chart/draw/chart_image_file.h"
#include "chart/draw/image_plus.h"
#include "cli/stdio_files.h"
#include "platform/jpeg_image.h"

namespace taiyi::cli {

void AddChartImageOptions(CLI::App* command, ChartImageOptions& options) {
  command->add_option("--png", options.png, "draw the chart into a PNG file (- for stdout)");
  command->add_option("--jpg", options.jpg,
                      "draw the chart into a JPEG file, quality 90 (- for stdout)");
  command->add_option("--bmp", options.bmp, "draw the chart into a BMP file (- for stdout)");
  command
      ->add_option("--font-size", options.fontSize,
                   "chart font size 9..25 (default: fontSize of section chart in dat/set.ini)")
      ->check(CLI::Range(kMinChartFontSize, kMaxChartFontSize));
}

bool WantsChartImage(const ChartImageOptions& options) {
  return !options.png.empty() || !options.jpg.empty() || !options.bmp.empty();
}

void EnsureGuiApplication() {
  if (QGuiApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "taiyi-cli";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = new QGuiApplication(argc, argv);  // lives until exit
  (void)app;
}

bool WriteChartImages(const ChartImageOptions& options, const AppFolder& folder,
                      const ComputedChart& chart, const FlowChart* flow, std::string& error) {
  EnsureGuiApplication();
  const int fontSize =
      options.fontSize != 0 ? options.fontSize : ReadChartFontSize(folder.Dat() + "set.ini");
  MImagePlus surface;
  QImage image;
  const ChartGeometry geometry = SizeChartImage(surface, image, fontSize);
  RgbImage background;
  std::string ignored;  // an unreadable picture leaves the plain colour
  if (chart.settings.bOldBk) ReadJpeg(folder.ShippedDat(kBackgroundFileName), background, ignored);
  if (!surface.Bind(&image)) {
    error = "无法绘制星图";
    return false;
  }
  ChartDrawInput in;
  in.chart = &chart;
  in.flow = flow;
  in.background = background.width > 0 ? &background : nullptr;
  DrawChart(surface, geometry, in);
  surface.Release();
  for (const auto& [path, type] : {std::pair{options.png, "png"}, std::pair{options.jpg, "jpg"},
                                   std::pair{options.bmp, "bmp"}}) {
    if (path.empty()) continue;
    const std::string target =
        IsStdStream(path) ? TemporaryOutputPath(std::string(".") + type) : path;
    if (target.empty() || !SaveChartImageAs(image, target, type, error) ||
        (IsStdStream(path) && !CopyToStdout(target))) {
      error = "无法写入文件：" + path;
      return false;
    }
  }
  return true;
}

}  // namespace taiyi::cli
