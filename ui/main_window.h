// The main window of the charting program: input panel, chart, editors and case tree.
#pragma once

#include <QMainWindow>

namespace taiyi {

class TFrmMain final : public QMainWindow {
  Q_OBJECT

 public:
  explicit TFrmMain(QWidget* parent = nullptr);
};

}  // namespace taiyi
