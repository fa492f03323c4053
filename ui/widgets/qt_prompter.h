// The message boxes and the input box of the windows: the Prompter interface shown with Qt's
// standard dialogs over a parent window.
#pragma once

#include <QWidget>

#include "platform/prompter.h"

namespace taiyi {

class QtPrompter final : public Prompter {
 public:
  // parent: the window the boxes are centred on and modal to (may be null).
  explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Information(std::string_view title, std::string_view text) override;
  void Warning(std::string_view title, std::string_view text) override;
  void Error(std::string_view title, std::string_view text) override;
  void Message(std::string_view text) override;
  bool Question(std::string_view title, std::string_view text, bool defaultYes) override;
  bool InputText(std::string_view title, std::string_view prompt, std::string& value) override;

 private:
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
