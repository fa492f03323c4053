// The chart engine: turns a chart request into a computed chart, draws it into the chart
// image, writes the summary and analysis into the analysis editor, and afterwards lays flow
// charts over the same natal chart.  Owns its drawing surface and date service.
#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "calendar/date_service.h"
#include "chart/chart_computation.h"
#include "chart/chart_summary.h"
#include "chart/draw/chart_drawing.h"
#include "chart/draw/chart_geometry.h"
#include "chart/draw/image_plus.h"
#include "chart/flow_chart.h"
#include "chart/ju_texts.h"
#include "chart/star_texts.h"
#include "platform/app_folder.h"
#include "platform/jpeg_image.h"
#include "platform/rich_text_sink.h"

namespace taiyi {

inline constexpr char kNoDrawingLibrary[] = "请先安装 GdiPlus.dll ";
inline constexpr char kFlowNeedsLifeChart[] = "流年只适用于命局";

class MTaiYiNum {
 public:
  // Settings, the star text and the background picture are read from the folder's dat/.
  explicit MTaiYiNum(AppFolder folder);
  MTaiYiNum(const MTaiYiNum&) = delete;
  MTaiYiNum& operator=(const MTaiYiNum&) = delete;

  // Keeps both (not owned; they must outlive the engine's use), reads the chart font size,
  // sizes the image for it and loads the star and ju texts.
  void Attach(RichTextSink* editor, QImage* image);

  // Computes, draws and writes one chart.  False with LastError when the moment cannot be
  // resolved; the image and the editor then keep the previous chart.
  bool MakeChart(const ChartRequest& request);
  // A flow of the last life chart at a moment (Julian day) of FlowKind 1..4; with draw the
  // disc is redrawn with the flow deities and the flow block.
  bool MakeFlowChart(double moment, int kind, bool draw);
  // Changes the font size by step within 9..25, resizes the image and writes the setting.
  // False (nothing changed) outside the range.  The caller redraws by charting again.
  bool Zoom(int step);
  // The chart's size at a font size, measured as drawing would (nothing changes).
  ChartGeometry GeometryFor(int fontSize);

  double ClockJulianDay() const { return chart_.moments.clockJulianDay; }
  // Year, month, day and hour sexagenary numbers of the last chart.
  void GetPillars(std::uint8_t out[4]) const;
  const std::string& LastError() const { return lastError_; }

  const ComputedChart& Chart() const { return chart_; }
  const FlowChart& Flow() const { return flow_; }
  bool FlowShown() const { return flowShown_; }
  const ChartGeometry& Geometry() const { return geometry_; }
  // What the chart last made is drawn from: the chart, the flow shown over it and the
  // background picture when the settings ask for it (valid while the engine lives).
  ChartDrawInput DrawInput();
  // The chart on screen drawn again for a screen of the given device pixel ratio: the same
  // size in drawing coordinates with ratio times the pixels, so that a high-density screen
  // shows it sharp.  When the image no longer holds the chart last drawn (or with ratio 1), a
  // copy of the image.
  QImage DisplayImage(qreal ratio);
  int FontSize() const { return geometry_.fontSize; }
  const StarTexts& YiStar() const { return yiStar_; }
  // The analysis editor's own font, which the summary starts from.
  void SetEditorFont(EditorFont font) { editorFont_ = std::move(font); }
  const AppFolder& Folder() const { return folder_; }

 private:
  std::string SetIniPath() const { return folder_.Dat() + "set.ini"; }
  const RgbImage* Background();
  void Draw();
  void DrawNotice();
  void WriteTexts();

  AppFolder folder_;
  RichTextSink* editor_ = nullptr;
  QImage* image_ = nullptr;
  qint64 drawnKey_ = 0;  // the image's cache key right after the chart was drawn into it
  MImagePlus plus_;
  MYiDateEx dates_;
  StarTexts yiStar_;
  JuTexts juTexts_;
  EditorFont editorFont_;
  std::string lastError_;
  ComputedChart chart_;
  bool haveChart_ = false;
  FlowChart flow_;
  bool flowShown_ = false;
  ChartGeometry geometry_;
  RgbImage background_;
  bool backgroundTried_ = false;
};

}  // namespace taiyi
