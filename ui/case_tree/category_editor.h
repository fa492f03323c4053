// The category editor "编辑类别（全部案例）": every category with its number of cases; adds,
// deletes, renames and reorders categories and moves all cases of one category into another,
// rewriting the cases in the store.  The category list is written when the editor closes
// after a change.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "platform/prompter.h"
#include "store/category_cases.h"

class QListWidget;
class QPushButton;

namespace taiyi {

class MRecordBase;
class MUiFont;

class TFrmEditClass final : public QDialog {
  Q_OBJECT

 public:
  TFrmEditClass(MRecordBase& store, MUiFont& uiFont, Prompter& prompter, QWidget* parent = nullptr);

  // After closing: whether categories or cases changed (the case tree is then rebuilt).
  bool Modified() const { return data_.modified; }
  // The category names in list order.
  std::vector<std::string> Names() const;

  // Reads every category and case of the store and fills the list.
  void FormShow();
  void Button1Click();  // ▲
  void Button2Click();  // ▼
  void Button3Click();  // 增加
  void BtoDeleteClick();
  void BtoRenameClick();
  void BtoMoveClick();
  void Button6Click();  // 返回

  // Writes the category list when something changed, then closes.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void moveSelected(int step);
  void addLine(const std::string& name);
  void updateLine(int row, const std::string& name);
  int rowOf(const std::string& name) const;
  std::string selectedName() const;
  // Asks for a category name (cleaned to 10 characters); false on cancel.
  bool askName(const char* title, const char* prompt, std::string& name);

  MRecordBase& store_;
  Prompter& prompter_;
  CategoryCases data_;

  QListWidget* LstClass = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* Button3 = nullptr;
  QPushButton* BtoDelete = nullptr;
  QPushButton* BtoRename = nullptr;
  QPushButton* BtoMove = nullptr;
  QPushButton* Button6 = nullptr;
};

// Shows the editor modally over parent; true when it changed categories or cases (the case
// tree is then rebuilt).  Not to be opened while the case loader reads the store.
bool EditCategories(MRecordBase& store, MUiFont& uiFont, Prompter& prompter, QWidget* parent);

}  // namespace taiyi
