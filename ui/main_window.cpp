#include "ui/main_window.h"

#include "ui/program_title.h"
#include "ui/qt_prompter.h"

namespace taiyi {

TFrmMain::TFrmMain(QWidget* parent) : QMainWindow(parent) {
  setObjectName("FrmMain");
  setWindowTitle(ToQString(kProgramTitle));
  resize(1000, 700);
}

}  // namespace taiyi
