#include "ui/widgets/qt_prompter.h"

#include <QInputDialog>
#include <QMessageBox>

#include "ui/widgets/program_title.h"

namespace taiyi {

void QtPrompter::Information(std::string_view title, std::string_view text) {
  QMessageBox::information(parent_, ToQString(title), ToQString(text));
}

void QtPrompter::Warning(std::string_view title, std::string_view text) {
  QMessageBox::warning(parent_, ToQString(title), ToQString(text));
}

void QtPrompter::Error(std::string_view title, std::string_view text) {
  QMessageBox::critical(parent_, ToQString(title), ToQString(text));
}

void QtPrompter::Message(std::string_view text) {
  QMessageBox::information(parent_, ToQString(kProgramTitle), ToQString(text));
}

bool QtPrompter::Question(std::string_view title, std::string_view text, bool defaultYes) {
  const auto answer = QMessageBox::question(parent_, ToQString(title), ToQString(text),
                                            QMessageBox::Yes | QMessageBox::No,
                                            defaultYes ? QMessageBox::Yes : QMessageBox::No);
  return answer == QMessageBox::Yes;
}

bool QtPrompter::InputText(std::string_view title, std::string_view prompt, std::string& value) {
  bool ok = false;
  const QString answer = QInputDialog::getText(parent_, ToQString(title), ToQString(prompt),
                                               QLineEdit::Normal, ToQString(value), &ok);
  if (ok) value = ToStdString(answer);
  return ok;
}

}  // namespace taiyi
