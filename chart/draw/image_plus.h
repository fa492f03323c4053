// The chart's drawing surface on QPainter: binds to a QImage and paints anti-aliased lines,
// ellipses and text into it.  Usable when a QGuiApplication exists (fonts need one).
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <memory>
#include <string>

#include "chart/draw/drawing_surface.h"

namespace taiyi {

// The installed family drawn for a face name: 宋体 and its Windows aliases become the first
// installed Song/Ming face; any other name is kept.
QString ResolveFontFamily(const std::string& face);

class MImagePlus final : public DrawingSurface {
 public:
  MImagePlus();
  ~MImagePlus() override;
  MImagePlus(const MImagePlus&) = delete;
  MImagePlus& operator=(const MImagePlus&) = delete;

  bool IsUsable() const override { return usable_; }
  // Releases a previous binding and starts painting into the image with the initial pen,
  // brushes and font.  The image must stay alive and unresized until Release or the next
  // Bind.  Returns false (nothing bound) when unusable or the image is null.
  bool Bind(QImage* target);
  // Ends painting and gives the image back.
  void Release();
  bool IsBound() const { return painter_ != nullptr; }

  // The target's size in drawing coordinates: an image made for a high-density screen has
  // more pixels than that (its device pixel ratio), and everything is drawn finer on it.
  int TargetWidth() const override { return target_ ? LogicalSize().width() : 0; }
  int TargetHeight() const override { return target_ ? LogicalSize().height() : 0; }

  void SetFill(bool on) override { fill_ = on; }
  void SetFillColor(SurfaceColour colour) override;
  void SetPenColor(SurfaceColour colour) override;
  void SetTextColor(SurfaceColour colour) override;
  void SetPenWidth(float width) override;
  void SetPenDash(const float* pattern, int count) override;
  void DrawLine(float x1, float y1, float x2, float y2) override;
  void DrawEllipse(float x1, float y1, float x2, float y2) override;
  void SetFontSize(float size) override;
  void SetBold(bool bold) override;
  void DrawText(float x, float y, const std::string& text, bool plain) override;
  float TextWidth(const std::string& text, bool plain) override;
  float TextHeight(const std::string& text) override;
  TextBox LastMeasuredBox() const override { return lastBox_; }
  void FillBackground(SurfaceColour colour) override;
  void StretchPicture(const RgbImage& picture) override;

  float FontSize() const { return fontSize_; }
  bool Bold() const { return bold_; }

 private:
  void MakeFont();
  // Padding the default (plain) format adds before and after a text, pixels.
  float PlainPadding() const;
  // One em of the current font in pixels (96 dots per inch).
  float EmPixels() const;
  TextBox Measure(const QString& text, bool plain) const;

  bool usable_ = false;
  QSize LogicalSize() const { return target_->deviceIndependentSize().toSize(); }

  QImage* target_ = nullptr;
  std::unique_ptr<QPainter> painter_;
  bool fill_ = true;
  QPen pen_;
  QColor fillColour_;
  QColor textColour_;
  QFont font_;
  std::string face_ = kDefaultFontFace;
  float fontSize_ = kDefaultFontSize;
  bool bold_ = false;
  TextBox lastBox_;
};

QColor ToQColor(SurfaceColour colour);

}  // namespace taiyi
