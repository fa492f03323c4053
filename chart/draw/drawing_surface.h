// The drawing surface the chart is painted through: one pen, one fill brush, one text brush
// and one font at a time, anti-aliased lines, ellipses and text at float pixel coordinates.
// Implemented on QPainter (ImagePlus) and as a recorder of primitives for layout tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/jpeg_image.h"

namespace taiyi {

// Colours are given as 0x00BBGGRR (red in the lowest byte) and drawn opaque.
using SurfaceColour = std::uint32_t;

constexpr int ColourRed(SurfaceColour c) {
  return static_cast<int>(c & 0xFF);
}
constexpr int ColourGreen(SurfaceColour c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int ColourBlue(SurfaceColour c) {
  return static_cast<int>((c >> 16) & 0xFF);
}
constexpr SurfaceColour MakeColour(int r, int g, int b) {
  return static_cast<SurfaceColour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// A text's measured bounding box, pixels, origin at the top-left of the target.
struct TextBox {
  float x = 0;
  float y = 0;
  float width = 0;
  float height = 0;
  bool operator==(const TextBox&) const = default;
};

// Values every binding starts from.
inline constexpr char kDefaultFontFace[] = "宋体";
inline constexpr float kDefaultFontSize = 12.0f;

class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;

  // False when no drawing library could be started; the surface then draws nothing.
  virtual bool IsUsable() const = 0;
  // Width and height of the bound target in pixels (0 × 0 when unbound).
  virtual int TargetWidth() const = 0;
  virtual int TargetHeight() const = 0;

  virtual void SetFill(bool on) = 0;
  virtual void SetFillColor(SurfaceColour colour) = 0;
  virtual void SetPenColor(SurfaceColour colour) = 0;
  virtual void SetTextColor(SurfaceColour colour) = 0;
  // Float pixels; negative widths are drawn as 0 (a hairline).
  virtual void SetPenWidth(float width) = 0;
  // Dash and gap lengths in pen widths for the lines that follow; count 0 means solid.
  // Non-positive lengths and a null pattern give solid lines.
  virtual void SetPenDash(const float* pattern, int count) = 0;

  virtual void DrawLine(float x1, float y1, float x2, float y2) = 0;
  // (x1, y1) and (x2, y2) are opposite corners of the bounding box; the box is
  // (x2 − x1 + 1) × (y2 − y1 + 1).  The outline comes first; with fill on the ellipse is then
  // filled over the inner half of the outline.
  virtual void DrawEllipse(float x1, float y1, float x2, float y2) = 0;

  // Recreate the font with a new size (points) or style, keeping the rest.
  virtual void SetFontSize(float size) = 0;
  virtual void SetBold(bool bold) = 0;
  // UTF-8 text, its layout box starting at (x, y).  plain: the library's default format,
  // which pads before and after the text; otherwise the typographic format without padding.
  virtual void DrawText(float x, float y, const std::string& text, bool plain) = 0;
  // Width of the measured box (kept as the last measured box).
  virtual float TextWidth(const std::string& text, bool plain) = 0;
  // Height of the measured box, typographic format (kept as the last measured box).
  virtual float TextHeight(const std::string& text) = 0;
  virtual TextBox LastMeasuredBox() const = 0;

  // Whole-target operations on the image's own canvas (not through pen and brushes):
  // fill the target with a colour inside a one-pixel black border, and stretch a picture
  // over the whole target.
  virtual void FillBackground(SurfaceColour colour) = 0;
  virtual void StretchPicture(const RgbImage& picture) = 0;
};

}  // namespace taiyi
