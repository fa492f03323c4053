// The 择时 window: a chart kind, a range of days and chart conditions; 开始 scans the range on
// a worker thread with a progress bar and 停止, and lists every period whose chart meets the
// conditions with the moment it begins, its pillars, ju, counts, gate, 格局 and 断数.  A
// double click hands that moment and kind to the main window for a chart.
#pragma once

#include <QWidget>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "chart/period_selection.h"
#include "platform/prompter.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace taiyi {

class ChartConditionsEditor;
class MUiFont;

class TFrmSelect final : public QWidget {
  Q_OBJECT

 public:
  // setIniPath: dat/set.ini, read at every 开始.  A modeless tool window that deletes itself
  // when closed.
  TFrmSelect(std::string setIniPath, Prompter& prompter, MUiFont* uiFont = nullptr,
             QWidget* parent = nullptr);
  ~TFrmSelect() override;

  // The longitude of the current place, for 真太阳时 and 地方时.
  void Open(float longitude);

  void BtnStartClick();
  void BtnStopClick();
  bool Running() const { return worker_.joinable(); }

 signals:
  // kind 1..4; the year as the user writes it.
  void ChartMomentChosen(int kind, const QString& typedYear, int month, int day, int hour,
                         int minute);

 private:
  // One listed period, made on the worker thread.
  struct Row {
    YiDate start;
    std::vector<std::string> columns;
  };
  void poll();
  void finish();
  void itemDoubleClicked(QTreeWidgetItem* item);
  void setRunning(bool running);

  std::string setIniPath_;
  Prompter& prompter_;
  float longitude_ = 120.0f;
  ChartKind kind_ = ChartKind::kDay;

  std::thread worker_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> done_{false};
  std::atomic<int> permille_{0};
  std::vector<Row> rows_;  // written by the worker until done_
  std::int64_t scanned_ = 0;
  bool cancelled_ = false;

  QComboBox* CboKind = nullptr;
  QLineEdit* EdtFrom = nullptr;
  QLineEdit* EdtTo = nullptr;
  QSpinBox* SbtoLimit = nullptr;
  ChartConditionsEditor* Conditions = nullptr;
  QPushButton* BtnStart = nullptr;
  QPushButton* BtnStop = nullptr;
  QProgressBar* PrgScan = nullptr;
  QLabel* LabStatus = nullptr;
  QTreeWidget* LstResult = nullptr;
  QTimer* timer_ = nullptr;
};

}  // namespace taiyi
