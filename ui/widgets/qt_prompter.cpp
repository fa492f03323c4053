#include "ui/widgets/qt_prompter.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QScreen>
#include <QSpacerItem>
#include <algorithm>

#include "ui/widgets/program_title.h"

namespace taiyi {
namespace {

// A visible window of the program that stays above all others (the perpetual calendar), or
// null.  A box must then stay on top as well, or it opens behind that window and blocks it
// unseen.
QWidget* WindowOnTop() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible() && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) &&
        !qobject_cast<QMessageBox*>(window))
      return window;
  }
  return nullptr;
}

bool AnyWindowStaysOnTop() {
  return WindowOnTop() != nullptr;
}

QMessageBox::Icon IconOf(QuestionIcon icon) {
  switch (icon) {
    case QuestionIcon::Information:
      return QMessageBox::Information;
    case QuestionIcon::Warning:
      return QMessageBox::Warning;
    case QuestionIcon::Question:
      break;
  }
  return QMessageBox::Question;
}

// A box sizes itself by its text, so a short message gives a box narrower than its title, and
// the window manager cuts the title ("墨衡…1.3").  An empty spacer row as wide as the title,
// with room for the frame's icon and buttons, keeps the whole title readable.
void WidenForTitle(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  constexpr int kFrameButtonsRoom = 140;
  int width =
      QFontMetrics(box.font()).horizontalAdvance(box.windowTitle()) * 6 / 5 + kFrameButtonsRoom;
  if (const QScreen* screen = box.screen())
    width = std::min(width, screen->availableGeometry().width() * 4 / 5);
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

QWidget* QtPrompter::Owner() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow()) return active;
  if (QWidget* onTop = WindowOnTop()) return onTop;
  return parent_;
}

QMessageBox::StandardButton QtPrompter::Show(QMessageBox::Icon icon, std::string_view title,
                                             std::string_view text,
                                             QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton) {
  QMessageBox box(icon, ToQString(title), ToQString(text), buttons, Owner());
  if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
  if (AnyWindowStaysOnTop()) box.setWindowFlag(Qt::WindowStaysOnTopHint);
  WidenForTitle(box);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

void QtPrompter::Information(std::string_view title, std::string_view text) {
  Show(QMessageBox::Information, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtPrompter::Warning(std::string_view title, std::string_view text) {
  Show(QMessageBox::Warning, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtPrompter::Error(std::string_view title, std::string_view text) {
  Show(QMessageBox::Critical, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtPrompter::Message(std::string_view text) {
  Show(QMessageBox::NoIcon, kProgramTitle, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtPrompter::Question(std::string_view title, std::string_view text, bool defaultYes,
                          QuestionIcon icon) {
  return Show(IconOf(icon), title, text, QMessageBox::Yes | QMessageBox::No,
              defaultYes ? QMessageBox::Yes : QMessageBox::No) == QMessageBox::Yes;
}

bool QtPrompter::InputText(std::string_view title, std::string_view prompt, std::string& value) {
  QInputDialog dialog(Owner());
  dialog.setWindowTitle(ToQString(title));
  dialog.setLabelText(ToQString(prompt));
  dialog.setTextValue(ToQString(value));
  if (AnyWindowStaysOnTop()) dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
  if (dialog.exec() != QDialog::Accepted) return false;
  value = ToStdString(dialog.textValue());
  return true;
}

}  // namespace taiyi
