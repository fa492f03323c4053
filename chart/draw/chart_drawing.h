// Painting one computed chart through a drawing surface: background, star disc with rings,
// radial lines, palace numbers, positions and gods, the deities, the text blocks with the
// hexagram pair, and for a life chart the life-palace ring, the birth pair and the flow block.
#pragma once

#include "chart/chart_computation.h"
#include "chart/draw/chart_geometry.h"
#include "chart/draw/drawing_surface.h"
#include "chart/flow_chart.h"

namespace taiyi {

// Colours of the drawing, 0x00BBGGRR.
inline constexpr SurfaceColour kInkBlack = MakeColour(0, 0, 0);
inline constexpr SurfaceColour kInkRed = MakeColour(255, 0, 0);
inline constexpr SurfaceColour kInkBlue = MakeColour(0, 0, 255);
inline constexpr SurfaceColour kInkDarkRed = MakeColour(128, 0, 0);
inline constexpr SurfaceColour kInkGreen = MakeColour(0, 128, 0);
inline constexpr SurfaceColour kInkGrey = MakeColour(128, 128, 128);
inline constexpr SurfaceColour kInkPurple = MakeColour(104, 47, 153);

// The most places a position shows; the flow marker takes one.
inline constexpr int kPlacesPerPosition = 12;

struct ChartDrawInput {
  const ComputedChart* chart = nullptr;
  // The flow laid over a life chart, when one is shown: its positions are drawn and the
  // flow block follows the life block.
  const FlowChart* flow = nullptr;
  // The antique background, stretched over the image when bOldBk is on; may be empty.
  const RgbImage* background = nullptr;
};

// Draws on a surface already bound to a target of the geometry's size.
void DrawChart(DrawingSurface& surface, const ChartGeometry& geometry, const ChartDrawInput& in);

// A point of the disc at an angle (degrees, 90° straight down) and a radius.
struct DiscPoint {
  float x = 0;
  float y = 0;
};
DiscPoint PointOnDisc(const ChartGeometry& g, float degrees, float radius);

// Centre angle of position k (0 子 … 15 丑): 101.25° − 22.5°·k.
float SectorCentre(int position);

}  // namespace taiyi
