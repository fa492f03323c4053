#include "chart/draw/chart_geometry.h"

#include <algorithm>

#include "chart/draw/image_plus.h"
#include "platform/ini_file.h"

namespace taiyi {

ChartGeometry GeometryForCharWidth(int fontSize, float charWidth) {
  ChartGeometry g;
  g.fontSize = fontSize;
  g.width = static_cast<int>(60.0f * charWidth);
  g.height = static_cast<int>(0.72f * static_cast<float>(g.width));
  g.radius = static_cast<float>(g.width) * 0.65f * 0.5f;
  g.cx = g.radius + 5;
  g.cy = g.radius + 5;
  return g;
}

float MeasureChartCharWidth(DrawingSurface& surface, int fontSize) {
  surface.SetFontSize(static_cast<float>(fontSize));
  surface.SetBold(true);
  return surface.TextWidth("国", false);
}

ChartGeometry SizeChartImage(MImagePlus& surface, QImage& image, int fontSize) {
  float w = static_cast<float>(fontSize) * 96.0f / 72.0f;
  if (surface.IsUsable()) {
    QImage probe(8, 8, QImage::Format_RGB32);
    if (surface.Bind(&probe)) w = MeasureChartCharWidth(surface, fontSize);
    surface.Release();
  }
  const ChartGeometry g = GeometryForCharWidth(fontSize, w);
  image = QImage(std::max(1, g.width), std::max(1, g.height), QImage::Format_RGB32);
  image.fill(Qt::white);
  return g;
}

int ReadChartFontSize(const std::string& setIniPath) {
  const IniFile ini(setIniPath);
  const int size = ini.ReadInteger("chart", "fontSize", kDefaultChartFontSize);
  if (size < kMinChartFontSize || size > kMaxChartFontSize) return kDefaultChartFontSize;
  return size;
}

bool WriteChartFontSize(const std::string& setIniPath, int fontSize) {
  IniFile ini(setIniPath);
  return ini.WriteInteger("chart", "fontSize", fontSize);
}

}  // namespace taiyi
