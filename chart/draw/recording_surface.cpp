#include "chart/draw/recording_surface.h"

namespace taiyi {

namespace {

// Counts UTF-8 code points: wide ones (three or more bytes) and narrow ones.
void CountCharacters(const std::string& text, int& wide, int& narrow) {
  wide = narrow = 0;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    (length >= 3 ? wide : narrow) += 1;
    i += length;
  }
}

}  // namespace

void RecordingSurface::Bind(int width, int height) {
  width_ = width;
  height_ = height;
  items_.clear();
  fill_ = true;
  penColour_ = 0;
  penWidth_ = 1;
  dash_.clear();
  fillColour_ = MakeColour(255, 255, 255);
  textColour_ = 0;
  fontSize_ = kDefaultFontSize;
  bold_ = false;
  lastBox_ = {};
}

std::vector<RecordingSurface::Primitive> RecordingSurface::OfKind(Kind kind) const {
  std::vector<Primitive> found;
  for (const Primitive& p : items_)
    if (p.kind == kind) found.push_back(p);
  return found;
}

std::vector<RecordingSurface::Primitive> RecordingSurface::TextsEqual(
    const std::string& text) const {
  std::vector<Primitive> found;
  for (const Primitive& p : items_)
    if (p.kind == Kind::kText && p.text == text) found.push_back(p);
  return found;
}

RecordingSurface::Primitive RecordingSurface::Current(Kind kind) const {
  Primitive p;
  p.kind = kind;
  p.penColour = penColour_;
  p.penWidth = penWidth_;
  p.dash = dash_;
  p.fill = fill_;
  p.fillColour = fillColour_;
  p.textColour = textColour_;
  p.fontSize = fontSize_;
  p.bold = bold_;
  return p;
}

void RecordingSurface::SetPenDash(const float* pattern, int count) {
  dash_.clear();
  if (pattern == nullptr || count <= 0) return;
  for (int i = 0; i < count; ++i) {
    if (!(pattern[i] > 0)) {
      dash_.clear();
      return;
    }
    dash_.push_back(pattern[i]);
  }
}

void RecordingSurface::DrawLine(float x1, float y1, float x2, float y2) {
  Primitive p = Current(Kind::kLine);
  p.x1 = x1, p.y1 = y1, p.x2 = x2, p.y2 = y2;
  items_.push_back(std::move(p));
}

void RecordingSurface::DrawEllipse(float x1, float y1, float x2, float y2) {
  Primitive p = Current(Kind::kEllipse);
  p.x1 = x1, p.y1 = y1, p.x2 = x2, p.y2 = y2;
  items_.push_back(std::move(p));
}

void RecordingSurface::DrawText(float x, float y, const std::string& text, bool plain) {
  Primitive p = Current(Kind::kText);
  p.x1 = x, p.y1 = y;
  p.text = text;
  p.plain = plain;
  items_.push_back(std::move(p));
}

float RecordingSurface::TextWidth(const std::string& text, bool plain) {
  int wide = 0, narrow = 0;
  CountCharacters(text, wide, narrow);
  const float em = Em();
  lastBox_ = {0, 0, em * wide + em * 0.5f * narrow + (plain ? em / 3 : 0), em};
  return lastBox_.width;
}

float RecordingSurface::TextHeight(const std::string& text) {
  TextWidth(text, false);
  return lastBox_.height;
}

void RecordingSurface::FillBackground(SurfaceColour colour) {
  Primitive p = Current(Kind::kBackground);
  p.x2 = static_cast<float>(width_), p.y2 = static_cast<float>(height_);
  p.fillColour = colour;
  items_.push_back(std::move(p));
}

void RecordingSurface::StretchPicture(const RgbImage& picture) {
  Primitive p = Current(Kind::kPicture);
  p.x2 = static_cast<float>(width_), p.y2 = static_cast<float>(height_);
  p.text = std::to_string(picture.width) + "x" + std::to_string(picture.height);
  items_.push_back(std::move(p));
}

}  // namespace taiyi
