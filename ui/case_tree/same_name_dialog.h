// The result list of a search: one line per found case; the user picks the case to view and
// chooses whether all found cases go into the case tree and whether they replace its cases.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "platform/prompter.h"
#include "store/record_data.h"

class QCheckBox;
class QListWidget;
class QPushButton;

namespace taiyi {

class MUiFont;

// The line of a found case: "张三 1990-5-12 23:30  家人" (name, the moment with the year in
// the user's numbering and no leading zeros, two blanks, the category).
std::string SameNameLine(const TRecordData& record);

class TFrmSameName final : public QDialog {
  Q_OBJECT

 public:
  TFrmSameName(MUiFont& uiFont, Prompter& prompter, QWidget* parent = nullptr);

  void SetLines(const std::vector<std::string>& lines);
  // After OK: the position of the chosen line (-1 when none), and the two check boxes.
  int SelectedIndex() const;
  bool ShowAll() const;
  bool ClearList() const;

  // Caption with the number of lines; the first line selected and focused.
  void FormShow();
  // 查看案例 (and a double click): closes with OK when a line is selected.
  void BtnSeeClick();
  void BitBtn2Click();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  Prompter& prompter_;

  QListWidget* LstRecord = nullptr;
  QPushButton* BtnSee = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QCheckBox* ChkShow = nullptr;
  QCheckBox* ChkClear = nullptr;
};

// Shows the result list modally; true after 查看案例 with the chosen line and the two
// check boxes.
bool ChooseFoundCase(MUiFont& uiFont, Prompter& prompter, QWidget* parent,
                     const std::vector<std::string>& lines, int& line, bool& showAll,
                     bool& clearList);

}  // namespace taiyi
