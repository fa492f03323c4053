// The condition search window "查找命例": sex, year range, province, comment keyword,
// category and name, and on a second page conditions on each case's chart; 查找 searches the store and closes when something was found, keeping
// the conditions for the next opening.
#pragma once

#include <QDialog>
#include <cstdint>
#include <vector>

#include "platform/prompter.h"
#include "store/case_search.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;

namespace taiyi {

class ChartConditionsEditor;
class MRecordBase;
class MUiFont;
class RadioGroup;

class TFrmSearch final : public QDialog {
  Q_OBJECT

 public:
  // conditions: the caller's record, shown when the window opens and replaced by 查找.
  TFrmSearch(MRecordBase& store, SearchConditions& conditions, MUiFont& uiFont, Prompter& prompter,
             QWidget* parent = nullptr);

  // After the window closed: whether 查找 found cases, and their ids in ascending order.
  bool Found() const { return found_; }
  const std::vector<std::int32_t>& FoundIds() const { return foundIds_; }

  // Fills the controls from the conditions and the store's categories.
  void FormShow();
  // 清空: after a question, empties every control (the conditions stay until 查找).
  void BtoAllClick();
  void BtnSearchClick();
  void BtoCancelClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void setBusy(bool busy);

  MRecordBase& store_;
  SearchConditions& conditions_;
  Prompter& prompter_;
  bool found_ = false;
  std::vector<std::int32_t> foundIds_;

  RadioGroup* RdoSex = nullptr;
  QComboBox* CboProv = nullptr;
  QLineEdit* LedtY1 = nullptr;
  QLineEdit* LedtY2 = nullptr;
  QLineEdit* EdtComment = nullptr;
  QComboBox* CboClass = nullptr;
  QCheckBox* ChkClass = nullptr;
  QLineEdit* EdtName = nullptr;
  QCheckBox* ChkName = nullptr;
  QPushButton* BtoAll = nullptr;
  QPushButton* BtnSearch = nullptr;
  QPushButton* BtoCancel = nullptr;
  QProgressBar* Animate1 = nullptr;
  QTabWidget* TabPages = nullptr;
  ChartConditionsEditor* ChartConditions = nullptr;  // the page "星盘条件"
};

// Shows the search window modally; true with the found ids when 查找 found cases.
bool SearchCases(MRecordBase& store, SearchConditions& conditions, MUiFont& uiFont,
                 Prompter& prompter, QWidget* parent, std::vector<std::int32_t>& ids);

}  // namespace taiyi
