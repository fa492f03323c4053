// The message boxes and the input box of the windows: the Prompter interface shown with Qt's
// standard dialogs over the window that asks.
#pragma once

#include <QMessageBox>
#include <QWidget>

#include "platform/prompter.h"

namespace taiyi {

class QtPrompter final : public Prompter {
 public:
  // parent: the window the boxes belong to when no other window of the program is in front
  // (the main window; may be null).
  explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Information(std::string_view title, std::string_view text) override;
  void Warning(std::string_view title, std::string_view text) override;
  void Error(std::string_view title, std::string_view text) override;
  void Message(std::string_view text) override;
  bool Question(std::string_view title, std::string_view text, bool defaultYes,
                QuestionIcon icon = QuestionIcon::Question) override;
  bool InputText(std::string_view title, std::string_view prompt, std::string& value) override;

  // The window a box opens over: the modal dialog in front, else the window the user is
  // working in, else a window that stays on top (the perpetual calendar), else the parent.
  QWidget* Owner() const;

 private:
  // Shows one modal box above its owner; the answer is the button pressed.
  QMessageBox::StandardButton Show(QMessageBox::Icon icon, std::string_view title,
                                   std::string_view text, QMessageBox::StandardButtons buttons,
                                   QMessageBox::StandardButton defaultButton);

  QWidget* parent_;
};

// UTF-8 text to a QString and back.
inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string ToStdString(const QString& text) {
  return text.toUtf8().toStdString();
}

}  // namespace taiyi
