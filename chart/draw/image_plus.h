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
  // Paints through a painter already begun on another device (a PDF page) over a target of
  // width × height pixels in the painter's coordinates; text is measured at 96 dots per
  // inch as on an image, and the painter's state is given back on Release.
  bool Bind(QPainter* painter, int width, int height);
  // Ends painting and gives the image back.
  void Release();
  bool IsBound() const { return painter_ != nullptr; }

  int TargetWidth() const override { return painter_ ? width_ : 0; }
  int TargetHeight() const override { return painter_ ? height_ : 0; }

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
  void StartPainting();
  void MakeFont();
  // Padding the default (plain) format adds before and after a text, pixels.
  float PlainPadding() const;
  // One em of the current font in pixels (96 dots per inch).
  float EmPixels() const;
  TextBox Measure(const QString& text, bool plain) const;

  bool usable_ = false;
  QImage* target_ = nullptr;              // the bound image; null for a painter's device
  std::unique_ptr<QPainter> ownPainter_;  // the painter on the bound image
  QPainter* painter_ = nullptr;           // the painter drawn through
  int width_ = 0;
  int height_ = 0;
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
