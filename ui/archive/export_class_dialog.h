// The export-category dialog "选择导出类别：": every stored category as a check box line, all
// checked at first, for choosing which categories an export database receives.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "platform/prompter.h"

class QCheckBox;
class QListWidget;
class QPushButton;

namespace taiyi {

class MUiFont;

class TFrmExportClass final : public QDialog {
  Q_OBJECT

 public:
  TFrmExportClass(MUiFont& uiFont, Prompter& prompter, QWidget* parent = nullptr);

  void SetCategories(const std::vector<std::string>& categories);
  // The checked lines in list order, and whether every line is checked.
  std::vector<std::string> CheckedCategories() const;
  bool AllChecked() const;

  // Checks 全部 and every line.
  void FormShow();
  // Checks or unchecks every line to match 全部.
  void ChkAllClick();
  // Closes with OK when at least one line is checked.
  void BitBtn1Click();
  void BitBtn2Click();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  Prompter& prompter_;

  QListWidget* LstClass = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QCheckBox* ChkAll = nullptr;
};

}  // namespace taiyi
