// The flow-year time dialog: shows the civil moment of the flow-year chart, lets the user
// change it (or take the computer's clock) and checks it before handing it back as a Julian
// day.
#pragma once

#include <QDateTime>
#include <QDialog>
#include <functional>

#include "calendar/date_service.h"
#include "platform/prompter.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace taiyi {

class MUiFont;
class UpDown;

class TFrmLiu final : public QDialog {
  Q_OBJECT

 public:
  TFrmLiu(MUiFont& uiFont, Prompter& prompter, QWidget* parent = nullptr);

  // Shows the moment of the Julian day (to the minute).
  void Load(double flowJulianDay);
  // The moment chosen, as a Julian day of second 1 of its minute; after 确定 the checked
  // moment, before it the one loaded.
  double FlowJulianDay() const { return flowJulianDay_; }

  // The local clock 现在时间 reads; tests set a fixed one.
  void SetClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

  void UpDyearClick();
  void SbtoNowClick();
  // 确定: checks the year and the date; closes with OK or stays open with a message.
  void BtnokClick();
  void BtncancelClick();

 private:
  void showMoment(const YiDate& moment);

  Prompter& prompter_;
  MYiDateEx dates_;
  std::function<QDateTime()> clock_;
  double flowJulianDay_ = 0;

  QLineEdit* EdtYear = nullptr;
  UpDown* UpDyear = nullptr;
  QComboBox* cbom = nullptr;
  QComboBox* cbod = nullptr;
  QComboBox* cbos = nullptr;
  QComboBox* cbomin = nullptr;
  QToolButton* SbtoNow = nullptr;
  QPushButton* Btnok = nullptr;
  QPushButton* Btncancel = nullptr;
};

}  // namespace taiyi
