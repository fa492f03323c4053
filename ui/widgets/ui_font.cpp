#include "ui/widgets/ui_font.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolTip>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "chart/draw/image_plus.h"
#include "platform/ini_file.h"
#include "ui/widgets/qt_prompter.h"

namespace taiyi {
namespace {

constexpr int kDotsPerMeter96 = 3780;
const QString kMeasureText = QString::fromUtf8("国");

QImage MakeSurface() {
  QImage image(50, 50, QImage::Format_RGB32);
  image.setDotsPerMeterX(kDotsPerMeter96);
  image.setDotsPerMeterY(kDotsPerMeter96);
  image.fill(Qt::white);
  return image;
}

QFont SongFont(int pointSize) {
  QFont font(ResolveFontFamily("宋体"));
  font.setPointSize(pointSize);
  return font;
}

bool LayoutHolds(const QLayout* layout, const QWidget* widget) {
  for (int i = 0; i < layout->count(); ++i) {
    QLayoutItem* item = layout->itemAt(i);
    if (item->widget() == widget) return true;
    if (item->layout() != nullptr && LayoutHolds(item->layout(), widget)) return true;
  }
  return false;
}

// Whether a layout of the parent places the widget: then the layout, not the scaling, sets
// its geometry, and the new font alone makes it grow.
bool PlacedByLayout(const QWidget* widget) {
  const QWidget* parent = widget->parentWidget();
  return parent != nullptr && parent->layout() != nullptr && LayoutHolds(parent->layout(), widget);
}

}  // namespace

int CaptionWidth(const QWidget* window) {
  QFont font = window->font();
  font.setBold(true);
  // Icon, minimise, maximise and close buttons and the margins of a common title bar.
  const int decoration = 4 * QFontMetrics(font).height() + 40;
  return QFontMetrics(font).horizontalAdvance(window->windowTitle()) + decoration;
}

void FitCaption(QWidget* window) {
  if (window->minimumWidth() == window->maximumWidth()) return;
  const int width = CaptionWidth(window);
  if (window->minimumWidth() < width) window->setMinimumWidth(width);
  if (window->width() < width) window->resize(width, window->height());
}

int FontPointSize(const QWidget* widget) {
  const QFont font = widget->font();
  if (font.pointSize() > 0) return font.pointSize();
  if (font.pixelSize() > 0) return static_cast<int>(std::lround(font.pixelSize() * 72.0 / 96.0));
  return static_cast<int>(std::lround(font.pointSizeF()));
}

MUiFont::MUiFont(const AppFolder& folder) : surface_(MakeSurface()) {
  const IniFile ini(folder.Dat() + "set.ini");
  step_ = ini.ReadInteger("set", "iFontSizeVar", 0);
  changeMenuSize_ = ini.ReadBool("set", "bChangeMenuSize", false);
}

MUiFont::MUiFont(int step, bool changeMenuSize)
    : step_(step), changeMenuSize_(changeMenuSize), surface_(MakeSurface()) {}

QSize MUiFont::MeasureText(int pointSize) {
  const QFontMetrics metrics(SongFont(pointSize), &surface_);
  return QSize(metrics.horizontalAdvance(kMeasureText), metrics.height());
}

MUiFont::Ratio MUiFont::Ratios(int size) {
  const int scaled = size + step_;
  if (scaled < 3 || scaled > 100 || size <= 0) return {};
  const QSize before = MeasureText(size);
  const QSize after = MeasureText(scaled);
  if (before.width() <= 0 || before.height() <= 0) return {};
  return {true, static_cast<double>(after.width()) / before.width(),
          static_cast<double>(after.height()) / before.height()};
}

bool MUiFont::ScaleForm(QWidget* form, const std::vector<std::string>& leaveAlone) {
  if (form == nullptr || step_ == 0) return false;
  const int size = FontPointSize(form);
  if (size + step_ <= 2 || size + step_ > 100) return false;
  leaveAlone_ = leaveAlone;
  const Ratio r = Ratios(size);
  if (!r.ok) return false;
  Scale(form, r.rx, r.ry, size + step_, true);

  const QFont system = SongFont(size + step_);
  QToolTip::setFont(system);
  if (changeMenuSize_) {
    QApplication::setFont(system, "QMenu");
    QApplication::setFont(system, "QMenuBar");
    // The window's menus made before now (drop-downs and popups) take it as well.
    for (QMenu* menu : form->findChildren<QMenu*>()) menu->setFont(system);
  }
  return true;
}

void MUiFont::Scale(QWidget* control, double rx, double ry, int size, bool isForm) {
  if (!changeMenuSize_ && qobject_cast<QMenuBar*>(control) != nullptr) {
    // Without the menu setting the menu bar keeps the font of its drop-down menus.
    QFont menus = QApplication::font("QMenu");
    menus.setResolveMask(QFont::AllPropertiesResolved);  // not the window's new font
    control->setFont(menus);
    return;
  }
  const QList<QWidget*> children = control->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  if (!children.isEmpty()) {
    double crx = rx, cry = ry;
    int childSize = size;
    const int own = FontPointSize(control);
    if (!isForm && control->testAttribute(Qt::WA_SetFont) && own > 0) {
      const Ratio r = Ratios(own);
      if (r.ok) {
        crx = r.rx;
        cry = r.ry;
        childSize = own + step_;
      }
    }
    for (QWidget* child : children) {
      // Top-level windows owned by this one (dialogs, popups) are scaled when they open.
      if (child->isWindow()) continue;
      Scale(child, crx, cry, childSize, false);
    }
  }
  const std::string name = ToStdString(control->objectName());
  if (std::find(leaveAlone_.begin(), leaveAlone_.end(), name) != leaveAlone_.end()) {
    // Pin the size it has now, so that the window's new font does not reach it.
    QFont font = control->font();
    font.setPointSize(FontPointSize(control));
    control->setFont(font);
    return;
  }

  const auto sx = [rx](int v) { return static_cast<int>(v * rx); };
  const auto sy = [ry](int v) { return static_cast<int>(v * ry); };
  const QRect g = control->geometry();
  const QSize newSize(sx(g.width()), sy(g.height()));
  // Size limits set by the window's design scale with the text, so that a fixed-width edit
  // still holds its digits.
  const QSize min = control->minimumSize(), max = control->maximumSize();
  if (min.width() > 0 || min.height() > 0)
    control->setMinimumSize(sx(min.width()), sy(min.height()));
  control->setMaximumSize(max.width() < QWIDGETSIZE_MAX ? sx(max.width()) : QWIDGETSIZE_MAX,
                          max.height() < QWIDGETSIZE_MAX ? sy(max.height()) : QWIDGETSIZE_MAX);
  if (isForm) {
    // A window that its layout sizes, and that nobody has sized yet, takes its layout's size
    // in the new font when it opens; its size now is only Qt's default.
    if (control->layout() == nullptr || control->testAttribute(Qt::WA_Resized))
      control->resize(newSize);
  } else if (!PlacedByLayout(control)) {
    control->setGeometry(sx(g.x()), sy(g.y()), newSize.width(), newSize.height());
  }
  if (auto* label = qobject_cast<QLabel*>(control); label != nullptr && !label->pixmap().isNull())
    label->clear();
  QFont font = control->font();
  font.setPointSize(size);
  control->setFont(font);
}

int MUiFont::Recommend(const QWidget* dialog) {
  const QScreen* screen = dialog != nullptr ? dialog->screen() : nullptr;
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  return Recommend(dialog, screen != nullptr ? screen->geometry().width() : 1920);
}

int MUiFont::Recommend(const QWidget* dialog, int screenWidth) {
  const int s = dialog != nullptr ? FontPointSize(dialog) : 9;
  const int w = MeasureText(s).width();
  const int target = static_cast<int>(screenWidth / 1920.0 * w);
  const int d = screenWidth <= 1920 ? -1 : 1;
  int v = s;
  while (v > 2 && v < 100) {
    v += d;
    const int width = MeasureText(v).width();
    if ((d == -1 && width < target) || (d == 1 && width > target)) break;
  }
  return v - s - d;
}

}  // namespace taiyi
