// The category chooser "分类保存": picks the category of a new case from the stored ones when
// the case is first saved.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "platform/prompter.h"

class QComboBox;
class QPushButton;

namespace taiyi {

class MRecordBase;
class MUiFont;

class TFrmFenLei final : public QDialog {
  Q_OBJECT

 public:
  TFrmFenLei(MUiFont& uiFont, Prompter& prompter, QWidget* parent = nullptr);

  // The categories to choose from, in stored order.
  void SetCategories(const std::vector<std::string>& categories);
  // After OK: the chosen category.
  const std::string& Category() const { return category_; }

  // Selects the first category when there is one.
  void FormShow();
  // Accepts a typed or chosen name only when it is one of the categories.
  void BtnokClick();
  void BtnnoClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  Prompter& prompter_;
  std::string category_;

  QComboBox* CboFenLei = nullptr;
  QPushButton* Btnok = nullptr;
  QPushButton* Btnno = nullptr;
};

// Shows the chooser modally with the store's categories; true with the chosen category.
bool ChooseCategory(MRecordBase& store, MUiFont& uiFont, Prompter& prompter, QWidget* parent,
                    std::string& category);

}  // namespace taiyi
