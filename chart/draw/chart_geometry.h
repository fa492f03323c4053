// The chart's size: the image, disc radius and centre that follow from the chart font size,
// the limits of zooming, and the fontSize setting of section "chart" in dat/set.ini.
#pragma once

#include <QImage>
#include <string>

#include "chart/draw/drawing_surface.h"

namespace taiyi {

class MImagePlus;

inline constexpr int kDefaultChartFontSize = 12;
inline constexpr int kMinChartFontSize = 9;
inline constexpr int kMaxChartFontSize = 25;
inline constexpr char kZoomRefused[] = "尺寸不合理，星图不能再缩放了！";

struct ChartGeometry {
  int fontSize = kDefaultChartFontSize;  // points
  int width = 0;                         // image, pixels
  int height = 0;
  float radius = 0;  // disc radius R
  float cx = 0;      // disc centre
  float cy = 0;
  bool operator==(const ChartGeometry&) const = default;
};

// The geometry for font size F when "国" measures w pixels wide (size F, bold):
// W = 60·w, H = 0.72·W (whole pixels), R = W·0.65·0.5, centre (R + 5, R + 5).
ChartGeometry GeometryForCharWidth(int fontSize, float charWidth);

// Measures "国" on the surface at size F, bold, typographic format.
float MeasureChartCharWidth(DrawingSurface& surface, int fontSize);

// Measures on the surface bound to the image, then clears and resizes the image to the
// chart's size (white).  An unusable surface measures one em at 96 dots per inch.
ChartGeometry SizeChartImage(MImagePlus& surface, QImage& image, int fontSize);

// fontSize of section "chart": 12 when missing, not a number or outside 9..25.
int ReadChartFontSize(const std::string& setIniPath);
// False when the file could not be written.
bool WriteChartFontSize(const std::string& setIniPath, int fontSize);

}  // namespace taiyi
