#include "ui/main_window/output_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "ui/widgets/qt_prompter.h"

namespace taiyi {

QString QtFilterList(std::string_view filters) {
  const QStringList parts = ToQString(filters).split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    out << parts[i] + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
  return out.join(QStringLiteral(";;"));
}

namespace {

bool RunFileDialog(QFileDialog& dialog, std::string_view filters, int& filter, std::string& path) {
  const QStringList list = QtFilterList(filters).split(QStringLiteral(";;"));
  dialog.setNameFilters(list);
  if (filter >= 0 && filter < list.size()) dialog.selectNameFilter(list[filter]);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  filter = static_cast<int>(list.indexOf(dialog.selectedNameFilter()));
  if (filter < 0) filter = 0;
  path = ToStdString(dialog.selectedFiles().front());
  return true;
}

}  // namespace

bool QtOutputDialogs::SaveFileName(QWidget* parent, std::string_view title,
                                   std::string_view filters, int& filter, std::string& path) {
  QFileDialog dialog(parent, ToQString(title));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The extension of the chosen filter is added by the command, not by the dialog.
  dialog.setDefaultSuffix(QString());
  return RunFileDialog(dialog, filters, filter, path);
}

bool QtOutputDialogs::OpenFileName(QWidget* parent, std::string_view filters, int& filter,
                                   std::string& path) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  return RunFileDialog(dialog, filters, filter, path);
}

bool QtOutputDialogs::ChooseFont(QWidget* parent, QFont& font) {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, font, parent);
  if (ok) font = chosen;
  return ok;
}

bool QtOutputDialogs::ChooseColour(QWidget* parent, QColor& colour) {
  const QColor chosen = QColorDialog::getColor(colour, parent);
  if (!chosen.isValid()) return false;
  colour = chosen;
  return true;
}

bool QtOutputDialogs::SetUpPrinter(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace taiyi
