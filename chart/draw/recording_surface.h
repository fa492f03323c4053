// A drawing surface that draws nothing and keeps every primitive with its coordinates,
// colours and texts, so that the chart's layout rules can be checked without pixels.
// Texts are measured with fixed metrics: a wide (CJK) character is one em wide, others half,
// and every text one em high.
#pragma once

#include <string>
#include <vector>

#include "chart/draw/drawing_surface.h"

namespace taiyi {

class RecordingSurface final : public DrawingSurface {
 public:
  enum class Kind { kLine, kEllipse, kText, kBackground, kPicture };

  // Every item carries the state it was drawn with.
  struct Primitive {
    Kind kind = Kind::kLine;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // text: (x1, y1) is the layout box's corner
    SurfaceColour penColour = 0;
    float penWidth = 1;
    std::vector<float> dash;  // empty: solid
    bool fill = true;
    SurfaceColour fillColour = 0;
    SurfaceColour textColour = 0;
    std::string text;
    bool plain = false;
    float fontSize = 0;
    bool bold = false;
  };

  RecordingSurface(int width = 0, int height = 0) { Bind(width, height); }

  // Starts over: forgets the primitives and restores the initial state.
  void Bind(int width, int height);
  const std::vector<Primitive>& Primitives() const { return items_; }
  // The primitives of one kind, in drawing order.
  std::vector<Primitive> OfKind(Kind kind) const;
  // The text primitives whose text is exactly `text`.
  std::vector<Primitive> TextsEqual(const std::string& text) const;

  // One em in pixels at the current font size (96 dots per inch).
  float Em() const { return fontSize_ * 96.0f / 72.0f; }

  bool IsUsable() const override { return true; }
  int TargetWidth() const override { return width_; }
  int TargetHeight() const override { return height_; }
  void SetFill(bool on) override { fill_ = on; }
  void SetFillColor(SurfaceColour colour) override { fillColour_ = colour; }
  void SetPenColor(SurfaceColour colour) override { penColour_ = colour; }
  void SetTextColor(SurfaceColour colour) override { textColour_ = colour; }
  void SetPenWidth(float width) override { penWidth_ = width < 0 ? 0 : width; }
  void SetPenDash(const float* pattern, int count) override;
  void DrawLine(float x1, float y1, float x2, float y2) override;
  void DrawEllipse(float x1, float y1, float x2, float y2) override;
  void SetFontSize(float size) override { fontSize_ = size; }
  void SetBold(bool bold) override { bold_ = bold; }
  void DrawText(float x, float y, const std::string& text, bool plain) override;
  float TextWidth(const std::string& text, bool plain) override;
  float TextHeight(const std::string& text) override;
  TextBox LastMeasuredBox() const override { return lastBox_; }
  void FillBackground(SurfaceColour colour) override;
  void StretchPicture(const RgbImage& picture) override;

 private:
  Primitive Current(Kind kind) const;

  int width_ = 0;
  int height_ = 0;
  std::vector<Primitive> items_;
  bool fill_ = true;
  SurfaceColour penColour_ = 0;
  float penWidth_ = 1;
  std::vector<float> dash_;
  SurfaceColour fillColour_ = MakeColour(255, 255, 255);
  SurfaceColour textColour_ = 0;
  float fontSize_ = kDefaultFontSize;
  bool bold_ = false;
  TextBox lastBox_;
};

}  // namespace taiyi
