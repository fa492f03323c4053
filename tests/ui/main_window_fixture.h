// The main window under test: a fresh application folder, a scripted prompter, scripted
// output dialogs, and the panel and case helpers the window tests share.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <atomic>
#include <optional>

#include "platform/file_util.h"
#include "store/case_caption.h"
#include "store/rtf_reader.h"
#include "support/temp_dir.h"
#include "ui/archive/export_class_dialog.h"
#include "ui/main_window/comment_output.h"
#include "ui/main_window/flow_time_dialog.h"
#include "ui/main_window/input_panel_texts.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/output_dialogs.h"
#include "ui/tools/about_window.h"
#include "ui/tools/calendar_window.h"
#include "ui/tools/reverse_pillars_window.h"
#include "ui/tools/settings_dialog.h"
#include "ui/widgets/caption_font.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/ui_font.h"

namespace taiyi::test {

// A fresh application folder that reads the shipped places, texts and skins of the source tree.
class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    AppFolderInputs in;
    in.dataDirOption = dir_.path();
    in.shippedDir = std::string(TAIYI_SOURCE_DAT_DIR) + "/../";
    std::string error;
    ASSERT_TRUE(PrepareAppFolder(in, folder_, error)) << error;
    // A window placed as on a later start; FirstStart() removes it.
    WriteInit(kPlacedInit);
  }
  static constexpr char kPlacedInit[] =
      "[winpos]\r\nleft=10\r\ntop=10\r\nwidth=400\r\nheight=400\r\n";
  // Whether dat/init.ini is still as SetUp wrote it.
  bool InitUnchanged() const {
    std::string text;
    return ReadFile(folder_.Dat() + "init.ini", text) && text == kPlacedInit;
  }
  void FirstStart() { ASSERT_TRUE(DeleteFile(folder_.Dat() + "init.ini")); }
  void TearDown() override { qApp->setStyleSheet(QString()); }

  void WriteInit(const std::string& text) {
    ASSERT_TRUE(WriteFileAtomic(folder_.Dat() + "init.ini", text));
  }
  std::unique_ptr<TFrmMain> Open() {
    auto w = std::make_unique<TFrmMain>(folder_, prompter_, store_, uiFont_);
    w->show();
    return w;
  }
  template <typename T>
  static T* Find(TFrmMain& w, const char* name) {
    T* child = w.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  // The panel set to a Gregorian life chart of a man born 1984-03-05 14:30.
  static void FillPanel(TFrmMain& w, const char* year = "1984", int kind = 0) {
    Find<QLineEdit>(w, "EdtYear")->setText(year);
    Find<QComboBox>(w, "cbom")->setCurrentIndex(2);
    Find<QComboBox>(w, "cbod")->setCurrentIndex(4);
    Find<QComboBox>(w, "cbos")->setCurrentIndex(14);
    Find<QComboBox>(w, "cbomin")->setCurrentIndex(30);
    Find<QComboBox>(w, "CboJuStyle")->setCurrentIndex(kind);
  }
  std::size_t Boxes() const { return prompter_.ShownBoxes().size(); }

  test::TempDir dir_;
  AppFolder folder_;
  ScriptedPrompter prompter_;
  MRecordBase store_;
  MUiFont uiFont_{0, false};
};

// Answers of the output dialogs, in order; every call is remembered.
class ScriptedDialogs final : public OutputDialogs {
 public:
  struct File {
    bool ok;
    int filter;
    std::string path;
  };
  bool SaveFileName(QWidget*, std::string_view title, std::string_view filters, int& filter,
                    std::string& path) override {
    calls.push_back(std::string(title) + "|" + std::string(filters) + "|" + std::to_string(filter));
    return Next(filter, path);
  }
  bool OpenFileName(QWidget*, std::string_view filters, int& filter, std::string& path) override {
    calls.push_back(std::string(filters));
    return Next(filter, path);
  }
  bool ChooseFont(QWidget*, QFont& f) override {
    calls.push_back("font");
    if (!font) return false;
    f = *font;
    return true;
  }
  bool ChooseColour(QWidget*, QColor& c) override {
    calls.push_back("colour");
    if (!colour.isValid()) return false;
    c = colour;
    return true;
  }
  bool SetUpPrinter(QWidget*, QPrinter& printer) override {
    calls.push_back("printer");
    if (printTo.empty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(printTo));
    return true;
  }
  bool Next(int& filter, std::string& path) {
    if (files.empty()) return false;
    const File f = files.front();
    files.erase(files.begin());
    filter = f.filter;
    path = f.path;
    return f.ok;
  }

  std::vector<File> files;
  std::optional<QFont> font;
  QColor colour = Qt::red;
  std::string printTo;  // the printer dialog is confirmed with a PDF file as the printer
  std::vector<std::string> calls;
};

class CurrentCaseTest : public MainWindowTest {
 protected:
  std::unique_ptr<TFrmMain> OpenWithChooser() {
    auto w = Open();
    w->SetCategoryChooser([this](const std::vector<std::string>&, std::string& chosen) {
      if (!chooseOk_) return false;
      chosen = "朋友";
      return true;
    });
    return w;
  }
  // Types the text over the whole comment, as the user would.
  static void SetComment(TFrmMain& w, const char* text) {
    QTextCursor cursor(Find<QTextEdit>(w, "RedtPingYu")->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(QString::fromUtf8(text));
  }
  static std::string Comment(TFrmMain& w) {
    return ToStdString(Find<QTextEdit>(w, "RedtPingYu")->toPlainText());
  }
  std::string StoredComment(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(ReadFile(path, bytes)) << path;
    return RtfPlainText(bytes);
  }
  // Charts the panel under the name and saves it as a new case; returns its id.
  int SaveNew(TFrmMain& w, const char* name, const char* comment, int kind = 0) {
    FillPanel(w, "1984", kind);
    Find<QLineEdit>(w, "EdtName")->setText(QString::fromUtf8(name));
    if (w.CurrentSaveMode() == TFrmMain::SaveMode::StoredCase) {
      prompter_.AnswerQuestion(true);
      w.BtoNewClick();
    }
    w.BtnpaiClick();
    EXPECT_TRUE(w.ChartValid()) << prompter_.LastText();
    SetComment(w, comment);
    EXPECT_TRUE(w.SaveCase()) << prompter_.LastText();
    return w.CurrentCaseId();
  }

  bool chooseOk_ = true;
};

}  // namespace taiyi::test
