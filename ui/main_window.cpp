#include "ui/main_window.h"

namespace taiyi {

TFrmMain::TFrmMain(QWidget* parent) : QMainWindow(parent) {
  setObjectName("FrmMain");
  setWindowTitle(QStringLiteral("墨衡太乙神数 1.3"));
  resize(1000, 700);
}

}  // namespace taiyi
