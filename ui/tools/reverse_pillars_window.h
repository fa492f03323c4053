// The reverse four pillars dialog (四柱排盘): the user picks a year pillar, a month branch, a
// day pillar and an hour branch; the dialog finds the first civil moment from a start year
// with those pillars and hands it, with the chosen sex, back for a chart.
#pragma once

#include <QDialog>
#include <array>

#include "calendar/yi_date.h"
#include "platform/prompter.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace taiyi {

class MUiFont;
class UpDown;

class TFrmFanTui final : public QDialog {
  Q_OBJECT

 public:
  // uiFont, when given, scales the dialog the first time it is shown.
  explicit TFrmFanTui(Prompter& prompter, MUiFont* uiFont = nullptr, QWidget* parent = nullptr);

  // Sets the lists from the pillars of the current chart (sexagenary numbers of year, month,
  // day and hour; the month and hour stems are not shown) and the sex buttons from male.
  void Open(const std::array<int, 4>& pillars, bool male);

  // 反推: checks the start year and the pillars, then searches.
  void BtnchaClick();
  // The search from the start year in Edtyear; lists the first match or says there is none.
  void Search();
  void UpyearClick();
  // 排盘: records the sex and closes the dialog with OK.
  void BtnpaiClick();

  // The moment found (stored year, 0 = 1 BC; an even hour, minute 0) and the sex chosen;
  // meaningful after the dialog closed with OK.
  const YiDate& FoundMoment() const { return found_; }
  bool IsMale() const { return male_; }

 signals:
  // Sent by 排盘 before the dialog closes: the found moment with the year as the user
  // writes it (no year 0) and the sex. The receiver selects the civil calendar, clears the
  // lunar and leap-month options, copies the moment and computes the chart.
  void ChartMomentChosen(int year, int month, int day, int hour, int minute, bool male);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  // Reads the start year typed in Edtyear; false, after the warning, when it is not one.
  bool ReadStartYear(int& typedYear);

  Prompter& prompter_;
  MUiFont* uiFont_;
  bool scaled_ = false;
  YiDate found_;
  bool male_ = true;

  QComboBox* cbotian0 = nullptr;
  QComboBox* cbodi0 = nullptr;
  QComboBox* cbodi1 = nullptr;
  QComboBox* cbotian2 = nullptr;
  QComboBox* cbodi2 = nullptr;
  QComboBox* cbodi3 = nullptr;
  QRadioButton* Rdona1 = nullptr;
  QRadioButton* Rdonv1 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QLineEdit* Edtyear = nullptr;
  UpDown* Upyear = nullptr;
  QPushButton* Btncha = nullptr;
  QPushButton* Btnpai = nullptr;
};

}  // namespace taiyi
