#include "chart/draw/taiyi_num.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QtMath>
#include <utility>

#include "chart/chart_analysis.h"
#include "chart/draw/chart_drawing.h"

namespace taiyi {

MTaiYiNum::MTaiYiNum(AppFolder folder) : folder_(std::move(folder)) {
  TrigramLines();  // built once, before any chart
}

void MTaiYiNum::Attach(RichTextSink* editor, QImage* image) {
  editor_ = editor;
  image_ = image;
  const int size = ReadChartFontSize(SetIniPath());
  if (image_ != nullptr) {
    geometry_ = SizeChartImage(plus_, *image_, size);
  } else {
    geometry_ = GeometryForCharWidth(size, static_cast<float>(size) * 96.0f / 72.0f);
  }
  yiStar_.Load(folder_.ShippedDat(kStarTextFileName));  // a missing file leaves the texts empty
  juTexts_.Load(folder_.ShippedDat(kJuTextFileName));
}

const RgbImage* MTaiYiNum::Background() {
  if (!backgroundTried_) {
    backgroundTried_ = true;
    std::string error;
    if (!ReadJpeg(folder_.ShippedDat(kBackgroundFileName), background_, error)) background_ = {};
  }
  return background_.width > 0 ? &background_ : nullptr;
}

bool MTaiYiNum::MakeChart(const ChartRequest& request) {
  // 1. The request; everything of the previous chart, its flow included, is dropped.
  chart_ = ComputedChart{};
  chart_.request = request;
  haveChart_ = false;
  flow_ = FlowChart{};
  flowShown_ = false;
  // 2. Settings are read before every chart, so changes on disk apply at once.
  const ChartSettings settings = ReadChartSettings(SetIniPath());
  // 3.–7. Moments, pillars, ju, deities and counts, hexagrams, birth pair, natal table.
  lastError_.clear();
  ChartResult result = ComputeChart(request, settings, dates_);
  if (!result.ok) {
    lastError_ = result.error;
    chart_.settings = settings;
    return false;
  }
  chart_ = std::move(result.chart);
  haveChart_ = true;
  // 8. The analysis facts (life palaces, per-deity facts, conditions, count patterns) come
  //    with the computed chart.
  // 9. The drawing.
  Draw();
  // 10.–12. Summary, ju text, analysis, caret.
  WriteTexts();
  return true;
}

void MTaiYiNum::WriteTexts() {
  if (editor_ == nullptr) return;
  WriteChartSummary(chart_, juTexts_, editorFont_, *editor_);
  editor_->SetColour(MakeColour(0, 0, 255));
  editor_->SetBold(true);
  editor_->Append("\r\n【星盘分析】");
  WriteAnalysis(chart_, yiStar_, dates_, *editor_);
  editor_->CaretToStart();
}

bool MTaiYiNum::MakeFlowChart(double moment, int kind, bool draw) {
  if (!haveChart_ || chart_.request.kind != ChartKind::kLife || !chart_.birth) {
    lastError_ = kFlowNeedsLifeChart;
    return false;
  }
  lastError_.clear();
  FlowResult result = taiyi::MakeFlowChart(chart_, moment, kind, dates_);
  if (!result.ok) {
    lastError_ = result.error;
    return false;
  }
  flow_ = std::move(result.flow);
  flowShown_ = true;
  // The facts of the flow entries for the analysis come with the flow.
  if (draw) Draw();
  return true;
}

void MTaiYiNum::Draw() {
  if (image_ == nullptr) return;
  if (!plus_.IsUsable()) {
    DrawNotice();
    return;
  }
  if (image_->width() != geometry_.width || image_->height() != geometry_.height)
    geometry_ = SizeChartImage(plus_, *image_, geometry_.fontSize);
  if (!plus_.Bind(image_)) return;
  DrawChart(plus_, geometry_, DrawInput());
  plus_.Release();
  drawnKey_ = image_->cacheKey();
}

ChartDrawInput MTaiYiNum::DrawInput() {
  ChartDrawInput in;
  in.chart = &chart_;
  in.flow = flowShown_ ? &flow_ : nullptr;
  in.background = chart_.settings.bOldBk ? Background() : nullptr;
  return in;
}

QImage MTaiYiNum::DisplayImage(qreal ratio) {
  if (image_ == nullptr) return {};
  // Only the chart last drawn is drawn again: an image cleared or changed since shows as it is.
  if (ratio <= 1.0 || !plus_.IsUsable() || image_->cacheKey() != drawnKey_) return *image_;
  QImage display(qCeil(geometry_.width * ratio), qCeil(geometry_.height * ratio), image_->format());
  display.setDevicePixelRatio(ratio);
  if (!plus_.Bind(&display)) return *image_;
  DrawChart(plus_, geometry_, DrawInput());
  plus_.Release();
  return display;
}

void MTaiYiNum::DrawNotice() {
  // Without a GUI application Qt has no fonts: the image is cleared and the notice is only
  // drawn when text can be rendered at all.
  image_->fill(Qt::white);
  if (QGuiApplication::instance() == nullptr) return;
  QPainter painter(image_);
  QFont font(ResolveFontFamily(kDefaultFontFace));
  font.setPointSize(20);
  painter.setFont(font);
  painter.setPen(QColor(255, 0, 0));
  painter.drawText(QPointF(10, 10 + QFontMetricsF(font).ascent()),
                   QString::fromUtf8(kNoDrawingLibrary));
}

bool MTaiYiNum::Zoom(int step) {
  const int size = geometry_.fontSize + step;
  if (size < kMinChartFontSize || size > kMaxChartFontSize) return false;
  if (image_ != nullptr) {
    geometry_ = SizeChartImage(plus_, *image_, size);
  } else {
    geometry_ = GeometryForCharWidth(size, static_cast<float>(size) * 96.0f / 72.0f);
  }
  WriteChartFontSize(SetIniPath(), size);
  return true;
}

ChartGeometry MTaiYiNum::GeometryFor(int fontSize) {
  QImage sizing;
  return SizeChartImage(plus_, sizing, fontSize);
}

void MTaiYiNum::GetPillars(std::uint8_t out[4]) const {
  const Pillars& p = chart_.pillars.pillars;
  out[0] = static_cast<std::uint8_t>(p.year);
  out[1] = static_cast<std::uint8_t>(p.month);
  out[2] = static_cast<std::uint8_t>(p.day);
  out[3] = static_cast<std::uint8_t>(p.hour);
}

}  // namespace taiyi
