// The main window's menu bar and what it starts: the whole-store commands of the file menu,
// the tool windows, the help, and the hooks that tie the case tree to the window.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QTextEdit>

#include "ui/case_tree/category_editor.h"
#include "ui/main_window/input_panel_texts.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/main_window_parts.h"
#include "ui/tools/about_window.h"
#include "ui/tools/calendar_window.h"
#include "ui/tools/help_window.h"
#include "ui/tools/places_window.h"
#include "ui/tools/reverse_pillars_window.h"
#include "ui/tools/select_window.h"
#include "ui/tools/settings_dialog.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/up_down.h"

namespace taiyi {
using namespace main_window_parts;

void TFrmMain::buildMenus() {
  QMenu* file = menuBar()->addMenu(ToQString("文件(&F)"));
  file->setObjectName("MnuFile");
  QAction* save = AddItem(file, "N9", "保存案例");
  save->setShortcut(QKeySequence::Save);
  connect(save, &QAction::triggered, this, [this] { N9Click(); });
  connect(AddItem(file, "MnuPdfReport", "导出PDF报告"), &QAction::triggered, this,
          [this] { ExportPdfReport(); });
  file->addSeparator();
  connect(AddItem(file, "N1", "还原案例数据"), &QAction::triggered, this,
          [this] { RunDatabaseCommand(&DatabaseCommands::N1Click); });
  connect(AddItem(file, "N7", "备份案例数据"), &QAction::triggered, this,
          [this] { RunDatabaseCommand(&DatabaseCommands::N7Click); });
  connect(AddItem(file, "N2", "删除案例数据"), &QAction::triggered, this,
          [this] { RunDatabaseCommand(&DatabaseCommands::N2Click); });
  connect(AddItem(file, "N17", "整理数据"), &QAction::triggered, this,
          [this] { RunDatabaseCommand(&DatabaseCommands::N17Click); });
  QMenu* transfer = file->addMenu(ToQString("导入导出"));
  transfer->setObjectName("N18");
  connect(AddItem(transfer, "db1", "添加db文件"), &QAction::triggered, this,
          [this] { RunDatabaseCommand(&DatabaseCommands::db1Click); });
  transfer->addSeparator();
  connect(AddItem(transfer, "db2", "导出db文件"), &QAction::triggered, this,
          [this] { RunDatabaseCommand(&DatabaseCommands::db2Click); });
  file->addSeparator();
  QAction* quit = AddItem(file, "N6", "退出程序");
  quit->setShortcut(QKeySequence("Ctrl+Q"));
  connect(quit, &QAction::triggered, this, [this] { N6Click(); });

  QMenu* tools = menuBar()->addMenu(ToQString("辅助工具(&T)"));
  tools->setObjectName("MnuTools");
  connect(AddItem(tools, "N3", "反推八字"), &QAction::triggered, this, [this] { N3Click(); });
  connect(AddItem(tools, "mnuT_dili", "经纬度设置"), &QAction::triggered, this,
          [this] { mnuT_diliClick(); });
  connect(AddItem(tools, "mnuT_wnl", "万年历"), &QAction::triggered, this,
          [this] { mnuT_wnlClick(); });
  connect(AddItem(tools, "mnuT_zeshi", "择时"), &QAction::triggered, this, [this] {
    // One 择时 window at a time, from its first use until it is closed.
    auto* select = findChild<TFrmSelect*>();
    if (select == nullptr) {
      select = new TFrmSelect(folder_.Dat() + "set.ini", prompter_, &uiFont_, this);
      connect(select, &TFrmSelect::ChartMomentChosen, this,
              [this](int kind, const QString& year, int month, int day, int hour, int minute) {
                cboJuStyle_->setCurrentIndex(kind);
                chartFromMoment(year, month, day, hour, minute);
              });
    }
    select->Open(currentRecord_.longitude);
    select->show();
    select->raise();
    select->activateWindow();
  });

  QMenu* options = menuBar()->addMenu(ToQString("选项(&O)"));
  options->setObjectName("MnuOptions");
  QMenu* editorLook = options->addMenu(ToQString("命稿设置"));
  editorLook->setObjectName("N11");
  connect(AddItem(editorLook, "N12", "默认"), &QAction::triggered, this, [this] { N12Click(); });
  connect(AddItem(editorLook, "N13", "字体设置"), &QAction::triggered, this,
          [this] { N13Click(); });
  connect(AddItem(editorLook, "N14", "背景色设置"), &QAction::triggered, this,
          [this] { N14Click(); });
  connect(AddItem(options, "Omnusetcan", "排盘设置"), &QAction::triggered, this,
          [this] { OmnusetcanClick(); });
  options->addSeparator();
  optSkin_ = options->addMenu(ToQString("界面风格"));
  optSkin_->setObjectName("Opt_Skin");
  QAction* zoomIn = AddItem(options, "N15", "放大星盘");
  zoomIn->setShortcuts({QKeySequence("Ctrl+D"), QKeySequence("Ctrl+="), QKeySequence("Ctrl++")});
  connect(zoomIn, &QAction::triggered, this, [this] { N15Click(); });
  QAction* zoomOut = AddItem(options, "N16", "缩小星盘");
  // Inside an editor Ctrl+X cuts: the editor claims its editing keys before the menu's.
  zoomOut->setShortcuts({QKeySequence("Ctrl+X"), QKeySequence("Ctrl+-")});
  connect(zoomOut, &QAction::triggered, this, [this] { N16Click(); });

  QMenu* help = menuBar()->addMenu(ToQString("帮助(&H)"));
  help->setObjectName("MnuHelp");
  QAction* helpItem = AddItem(help, "mnuH_help", "软件帮助");
  helpItem->setShortcut(QKeySequence(Qt::Key_F1));
  connect(helpItem, &QAction::triggered, this, [this] { mnuH_helpClick(); });
  help->addSeparator();
  connect(AddItem(help, "mnuH_about", "关于"), &QAction::triggered, this, [this] { AboutClick(); });
}

void TFrmMain::buildShortcuts() {
  // Keys of the window without a menu item of their own.
  struct Key {
    const char* name;
    QKeySequence keys;
    void (TFrmMain::*command)();
  };
  const Key keys[] = {{"ActNew", QKeySequence("Ctrl+N"), &TFrmMain::BtoNewClick},
                      {"ActPrintChart", QKeySequence("Ctrl+P"), &TFrmMain::PrintChart}};
  for (const Key& key : keys) {
    auto* item = new QAction(this);
    item->setObjectName(key.name);
    item->setShortcut(key.keys);
    const auto command = key.command;
    connect(item, &QAction::triggered, this, [this, command] { (this->*command)(); });
    addAction(item);
  }
}

// ---------------------------------------------------------------- tool windows

void TFrmMain::chartFromMoment(const QString& typedYear, int month, int day, int hour, int minute) {
  rdogl_->setChecked(true);
  chkrun_->setChecked(false);
  edtYear_->setText(typedYear);
  cbom_->setCurrentIndex(month - 1);
  cbod_->setCurrentIndex(day - 1);
  cbos_->setCurrentIndex(hour);
  cbomin_->setCurrentIndex(minute);
  BtnpaiClick();
}

void TFrmMain::N3Click() {
  TFrmFanTui dialog(prompter_, &uiFont_, this);
  dialog.Open({lastPillars_[0], lastPillars_[1], lastPillars_[2], lastPillars_[3]},
              rdona_->isChecked());
  if (dialog.exec() != QDialog::Accepted) return;
  const YiDate& found = dialog.FoundMoment();
  (dialog.IsMale() ? rdona_ : rdonv_)->setChecked(true);
  chartFromMoment(QString::number(TypedYearOf(found.year)), found.month, found.day, found.hour, 0);
}

void TFrmMain::mnuT_diliClick() {
  TFrmDiLi dialog(uiFont_, folder_, prompter_, this);
  dialog.exec();
}

void TFrmMain::OmnusetcanClick() {
  TFrmSetcan dialog(uiFont_, folder_, prompter_, this);
  dialog.exec();
}

void TFrmMain::mnuH_helpClick() {
  TFrmTxtHelp dialog(uiFont_, this);
  dialog.exec();
}

void TFrmMain::AboutClick() {
  TFrmAbout dialog(uiFont_, folder_, this);
  dialog.exec();
}

void TFrmMain::mnuT_wnlClick() {
  if (wnl_ == nullptr) {
    wnl_ = new TFrmWnl(prompter_, &uiFont_, this);
    connect(wnl_, &TFrmWnl::ChartMomentChosen, this,
            [this](const QString& year, int month, int day, int hour, int minute) {
              chartFromMoment(year, month, day, hour, minute);
            });
  }
  const int stored = upDyear_->Position();
  const YiDate moment{
      static_cast<int16_t>(TypedYearOf(stored)), static_cast<int16_t>(cbom_->currentIndex() + 1),
      static_cast<int16_t>(cbod_->currentIndex() + 1), static_cast<int16_t>(cbos_->currentIndex()),
      static_cast<int16_t>(cbomin_->currentIndex())};
  wnl_->Open(moment);
  wnl_->show();
  wnl_->raise();
  wnl_->activateWindow();
}

// ---------------------------------------------------------------- case tree and database

void TFrmMain::connectCaseTree() {
  CaseTreeHooks hooks;
  hooks.openCase = [this](int id) { OpenCase(id); };
  hooks.viewedCaseId = [this] { return saveMode_ == SaveMode::StoredCase ? currentCaseId_ : -1; };
  hooks.viewedCommentPath = [this] { return commentPath_; };
  hooks.viewedCaseDeleted = [this] { CurrentCaseDeleted(); };
  hooks.storeRenumbered = [this] { CurrentCaseRenumbered(); };
  hooks.caseMoved = [this](int id, const std::string& category) {
    // A later save of the open case keeps the category it was moved to.
    if (saveMode_ == SaveMode::StoredCase && id == currentCaseId_) {
      currentRecord_.className = category;
      savedRecord_.className = category;
    }
  };
  hooks.editCategories = [this] {
    if (!EditCategories(store_, uiFont_, prompter_, this)) return false;
    // The open case may have been renamed into or moved to another category.
    TRecordData stored;
    if (saveMode_ == SaveMode::StoredCase && store_.LoadCase(currentCaseId_, stored)) {
      currentRecord_.className = stored.className;
      savedRecord_.className = stored.className;
    }
    return true;
  };
  // Condition search and the result list: the case tree's own dialogs.
  hooks.loaderFinished = [this] {
    if (!windowStatePending_) return;
    windowStatePending_ = false;
    applyPendingWindowState();
  };
  caseTree_->SetHooks(std::move(hooks));
}

void TFrmMain::RunDatabaseCommand(AfterCommand (DatabaseCommands::*command)()) {
  // The store must not be used by the case loader and a whole-database command at once.
  if (treeIsBusy()) return;
  if (caseTree_->LoaderRunning()) {
    prompter_.Message(kWaitForTree);
    return;
  }
  // The command shows its own progress dialog; the comment editor is left alone.
  if (((*dbCommands_).*command)() == AfterCommand::kEndProgram) EndProgram();
}

void TFrmMain::EndProgram() {
  ending_ = true;
  caseTree_->StopLoader();
  // The program ends with its last window.
  close();
}

}  // namespace taiyi
