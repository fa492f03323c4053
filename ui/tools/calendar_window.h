// The perpetual calendar window (墨衡万年历): one civil month drawn as a grid with lunar days
// and solar terms, the month's term moments, the era title and the four pillars of the chosen
// moment, and a hand-off of that moment to the main window for a chart.
#pragma once

#include <QImage>
#include <QWidget>

#include "calendar/date_service.h"
#include "calendar/era_names.h"
#include "calendar/month_grid.h"
#include "calendar/yi_date.h"
#include "platform/prompter.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace taiyi {

class MUiFont;
class UpDown;

// The point size for a day's lunar text in a grid cell: the given size, or the largest smaller
// one (down to 5) at which the text fits the width in pixels.
int CellTextPointSize(const QString& family, const QString& text, int points, int width);

class TFrmWnl final : public QWidget {
  Q_OBJECT

 public:
  // A modeless, always-on-top tool window that deletes itself when closed. uiFont, when
  // given, scales the window once now.
  explicit TFrmWnl(Prompter& prompter, MUiFont* uiFont = nullptr, QWidget* parent = nullptr);

  // Shows the month of date (year as the user writes it, no year 0); a day that does not
  // exist in that month becomes the 15th. The caller shows the window afterwards.
  void Open(const YiDate& typedDate);

  // Redraws the grid, the titles, the terms and the pillars from the controls; reports an
  // invalid year or a date that does not exist and then leaves everything as it was.
  void DrawMonth();

  void EdtYearEnter();
  void UpYearClick();
  void BitBtn2Click();  // previous month
  void BitBtn1Click();  // next month
  void BtoNowClick();
  // A left click at (x, y) in the grid image selects the day under it.
  void ImgMouseDown(int x, int y);
  void BtnPaiClick();

  // The month as last drawn, and its picture.
  const MonthGrid& Grid() const { return grid_; }
  const QImage& GridImage() const { return image_; }

 signals:
  // The chosen civil moment for a chart: the year as the user writes it (EdtYear's text),
  // month 1 … 12, day 1 … 31, hour and minute. The receiver selects the civil calendar,
  // clears the lunar and leap-month options, copies the moment and computes the chart.
  void ChartMomentChosen(const QString& yearText, int month, int day, int hour, int minute);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void FillLists();
  // The term list of the year in EdtYear (1900 when unreadable).
  void RecomputeTerms();
  // Typed year of EdtYear, or 0 when unreadable.
  int TypedYear() const;
  // Sets the year, month and day controls without redrawing.
  void SetYearMonthDay(int typedYear, int month, int day);
  void Paint();

  Prompter& prompter_;
  MYiDateEx service_;
  EraNames eras_;
  TermEntry terms_[25];
  int termsYear_ = 0;  // stored year of terms_
  MonthGrid grid_;
  QImage image_;
  QString gridFamily_;

  QPlainTextEdit* MeoTitle = nullptr;
  QLabel* LabShow = nullptr;
  QToolButton* BitBtn2 = nullptr;
  QToolButton* BitBtn1 = nullptr;
  QToolButton* BtoNow = nullptr;
  QLineEdit* EdtYear = nullptr;
  UpDown* UpYear = nullptr;
  QComboBox* CboM = nullptr;
  QComboBox* CboD = nullptr;
  QComboBox* CboH = nullptr;
  QComboBox* CboMinute = nullptr;
  QLabel* Img = nullptr;
  QPlainTextEdit* MeoJie = nullptr;
  QPlainTextEdit* MeoGanZhi = nullptr;
  QPushButton* BtnPai = nullptr;
};

}  // namespace taiyi
