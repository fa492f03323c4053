#include "chart/draw/image_plus.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QList>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace taiyi {

namespace {

// 96 dots per inch: the pixel size of a point size is the same on every platform.
constexpr int kDotsPerMeter96 = 3780;
constexpr float kEmBoxAscent = 0.88f;

bool IsSongAlias(const std::string& face) {
  return face == "宋体" || face == "新宋体" || face == "SimSun" || face == "NSimSun";
}

}  // namespace

QColor ToQColor(SurfaceColour colour) {
  return QColor(ColourRed(colour), ColourGreen(colour), ColourBlue(colour), 255);
}

QString ResolveFontFamily(const std::string& face) {
  if (!IsSongAlias(face)) return QString::fromStdString(face);
  static const QString resolved = [] {
    const QStringList installed = QFontDatabase::families();
    for (const char* candidate :
         {"Noto Serif CJK SC", "Noto Serif CJK", "Source Han Serif SC", "AR PL UMing CN",
          "AR PL SungtiL GB", "Noto Serif CJK TC", "Noto Sans CJK SC"}) {
      const QString name = QString::fromUtf8(candidate);
      if (installed.contains(name, Qt::CaseInsensitive)) return name;
    }
    return QString::fromUtf8("serif");
  }();
  return resolved;
}

MImagePlus::MImagePlus() {
  usable_ = QGuiApplication::instance() != nullptr;
}

MImagePlus::~MImagePlus() {
  Release();
}

bool MImagePlus::Bind(QImage* target) {
  Release();
  if (!usable_ || target == nullptr || target->isNull()) return false;
  target->setDotsPerMeterX(kDotsPerMeter96);
  target->setDotsPerMeterY(kDotsPerMeter96);
  target_ = target;
  ownPainter_ = std::make_unique<QPainter>(target_);
  painter_ = ownPainter_.get();
  // An image made for a high-density screen has more pixels than its drawing coordinates.
  width_ = target->deviceIndependentSize().toSize().width();
  height_ = target->deviceIndependentSize().toSize().height();
  StartPainting();
  return true;
}

bool MImagePlus::Bind(QPainter* painter, int width, int height) {
  Release();
  if (!usable_ || painter == nullptr || !painter->isActive()) return false;
  painter_ = painter;
  painter_->save();
  width_ = width;
  height_ = height;
  StartPainting();
  return true;
}

void MImagePlus::StartPainting() {
  painter_->setRenderHint(QPainter::Antialiasing, true);
  painter_->setRenderHint(QPainter::TextAntialiasing, true);
  fill_ = true;
  pen_ = QPen(QColor(0, 0, 0), 1.0);
  pen_.setCapStyle(Qt::FlatCap);
  fillColour_ = QColor(255, 255, 255);
  textColour_ = QColor(0, 0, 0);
  face_ = kDefaultFontFace;
  fontSize_ = kDefaultFontSize;
  bold_ = false;
  MakeFont();
  lastBox_ = {};
}

void MImagePlus::Release() {
  if (ownPainter_)
    ownPainter_->end();
  else if (painter_)
    painter_->restore();
  ownPainter_.reset();
  painter_ = nullptr;
  target_ = nullptr;
}

void MImagePlus::SetFillColor(SurfaceColour colour) {
  fillColour_ = ToQColor(colour);
}

void MImagePlus::SetPenColor(SurfaceColour colour) {
  pen_.setColor(ToQColor(colour));
}

void MImagePlus::SetTextColor(SurfaceColour colour) {
  textColour_ = ToQColor(colour);
}

void MImagePlus::SetPenWidth(float width) {
  pen_.setWidthF(std::max(0.0f, width));
}

void MImagePlus::SetPenDash(const float* pattern, int count) {
  QList<qreal> dashes;
  bool valid = pattern != nullptr && count > 0;
  for (int i = 0; valid && i < count; ++i) {
    if (!(pattern[i] > 0)) valid = false;
    dashes.push_back(pattern[i]);
  }
  if (!valid) {
    pen_.setStyle(Qt::SolidLine);
    return;
  }
  // The pattern alternates dash and gap; an odd count repeats once so that each length
  // serves as dash and as gap in turn.
  if (dashes.size() % 2 == 1) dashes.append(QList<qreal>(dashes));
  pen_.setDashPattern(dashes);
}

void MImagePlus::DrawLine(float x1, float y1, float x2, float y2) {
  if (!painter_) return;
  painter_->setPen(pen_);
  painter_->drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void MImagePlus::DrawEllipse(float x1, float y1, float x2, float y2) {
  if (!painter_) return;
  const QRectF box(x1, y1, x2 - x1 + 1, y2 - y1 + 1);
  painter_->setPen(pen_);
  painter_->setBrush(Qt::NoBrush);
  painter_->drawEllipse(box);
  if (fill_) {
    // The fill reaches the middle of the outline and so covers its inner half.
    painter_->setPen(Qt::NoPen);
    painter_->setBrush(fillColour_);
    painter_->drawEllipse(box);
    painter_->setBrush(Qt::NoBrush);
  }
}

void MImagePlus::MakeFont() {
  font_ = QFont(ResolveFontFamily(face_));
  font_.setPointSizeF(std::max(0.5f, fontSize_));
  font_.setBold(bold_);
  font_.setStyleStrategy(QFont::PreferAntialias);
}

void MImagePlus::SetFontSize(float size) {
  fontSize_ = size;
  MakeFont();
}

void MImagePlus::SetBold(bool bold) {
  bold_ = bold;
  MakeFont();
}

float MImagePlus::EmPixels() const {
  return static_cast<float>(font_.pointSizeF() * 96.0 / 72.0);
}

float MImagePlus::PlainPadding() const {
  // The default format leaves a sixth of the em before and after the text.
  return static_cast<float>(font_.pointSizeF() * 96.0 / 72.0 / 6.0);
}

TextBox MImagePlus::Measure(const QString& text, bool plain) const {
  // Text is measured as on an image at 96 dots per inch whatever the device drawn on.
  static QImage* const measuring = [] {
    auto* image = new QImage(1, 1, QImage::Format_RGB32);
    image->setDotsPerMeterX(kDotsPerMeter96);
    image->setDotsPerMeterY(kDotsPerMeter96);
    return image;
  }();
  const QFontMetricsF metrics(font_, target_ ? static_cast<QPaintDevice*>(target_) : measuring);
  TextBox box;
  box.width = static_cast<float>(metrics.horizontalAdvance(text));
  // The box of a line is the em square, as the Song faces the chart was laid out for have it;
  // the CJK faces standing in for them have much taller ascents and descents.
  box.height = EmPixels();
  if (plain) box.width += 2 * PlainPadding();
  return box;
}

void MImagePlus::DrawText(float x, float y, const std::string& text, bool plain) {
  if (!painter_) return;
  const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const float left = x + (plain ? PlainPadding() : 0.0f);
  painter_->setFont(font_);
  painter_->setPen(textColour_);
  // The ideographs' em box sits 0.88 em above the baseline in the CJK faces.
  painter_->drawText(QPointF(left, y + kEmBoxAscent * EmPixels()), s);
}

float MImagePlus::TextWidth(const std::string& text, bool plain) {
  const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  lastBox_ = Measure(s, plain);
  return lastBox_.width;
}

float MImagePlus::TextHeight(const std::string& text) {
  const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  lastBox_ = Measure(s, false);
  return lastBox_.height;
}

void MImagePlus::FillBackground(SurfaceColour colour) {
  if (!painter_) return;
  const int w = TargetWidth();
  const int h = TargetHeight();
  painter_->save();
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->fillRect(QRect(0, 0, w, h), QColor(0, 0, 0));
  if (w > 2 && h > 2) painter_->fillRect(QRect(1, 1, w - 2, h - 2), ToQColor(colour));
  painter_->restore();
}

void MImagePlus::StretchPicture(const RgbImage& picture) {
  if (!painter_ || picture.width <= 0 || picture.height <= 0 ||
      picture.pixels.size() < static_cast<size_t>(picture.width) * picture.height * 3)
    return;
  const QImage source(picture.pixels.data(), picture.width, picture.height, picture.width * 3,
                      QImage::Format_RGB888);
  painter_->save();
  painter_->setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter_->drawImage(QRectF(0, 0, TargetWidth(), TargetHeight()), source);
  painter_->restore();
}

}  // namespace taiyi
