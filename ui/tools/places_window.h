// The places editor: pick a province and one of its cities from dat/dili.ini and correct the
// city's longitude and latitude (degrees and minutes), written back to the file at once.
#pragma once

#include <QDialog>

#include "chart/places.h"
#include "platform/app_folder.h"
#include "platform/prompter.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace taiyi {

class MUiFont;

class TFrmDiLi final : public QDialog {
  Q_OBJECT

 public:
  TFrmDiLi(MUiFont& uiFont, const AppFolder& folder, Prompter& prompter, QWidget* parent = nullptr);

  // A province chosen in CboSheng: its cities, the first one selected.
  void CboShengChange();
  // A city chosen in CboShi: its stored value in the four edits.
  void CboShiChange();
  // 修改: asks, checks the four numbers and writes the city's value.
  void BtoEditClick();

 private:
  PlaceTable places_;
  Prompter& prompter_;

  QComboBox* CboSheng = nullptr;
  QComboBox* CboShi = nullptr;
  QLineEdit* LedtJingDu = nullptr;
  QLineEdit* LedtJingFen = nullptr;
  QLineEdit* LedtWeiDu = nullptr;
  QLineEdit* LedtWeiFen = nullptr;
  QPushButton* BtoEdit = nullptr;
};

}  // namespace taiyi
