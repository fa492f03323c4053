#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <atomic>
#include <optional>

#include "platform/file_util.h"
#include "store/case_caption.h"
#include "store/rtf_reader.h"
#include "support/temp_dir.h"
#include "ui/calendar_window.h"
#include "ui/comment_output.h"
#include "ui/export_class_dialog.h"
#include "ui/flow_time_dialog.h"
#include "ui/input_panel_texts.h"
#include "ui/output_dialogs.h"
#include "ui/qt_prompter.h"
#include "ui/reverse_pillars_window.h"
#include "ui/settings_dialog.h"
#include "ui/ui_font.h"

namespace taiyi {
namespace {

// A fresh application folder filled with the shipped places, texts and skins.
class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    AppFolderInputs in;
    in.dataDirOption = dir_.path();
    in.shippedDataDir = TAIYI_SOURCE_DAT_DIR;
    std::string error;
    ASSERT_TRUE(PrepareAppFolder(in, folder_, error)) << error;
  }
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

TEST_F(MainWindowTest, FirstStartUsesTheDefaults) {
  auto w = Open();
  // The title as the built case tree leaves it.
  EXPECT_EQ(w->windowTitle(), QStringLiteral("墨衡太乙神数 1.3 "));
  EXPECT_EQ(w->pos(), QPoint(10, 10));
  EXPECT_EQ(w->size(), QSize(400, 400));
  EXPECT_EQ(Find<QSplitter>(*w, "Splitter1")->sizes().front(), 180);
  EXPECT_EQ(Find<QSplitter>(*w, "SplitterDuan")->sizes().back(), 80);
  auto* duan = Find<QTextEdit>(*w, "RedtDuan");
  EXPECT_EQ(duan->font().pointSize(), 12);
  EXPECT_EQ(duan->palette().color(QPalette::Base), QColor(208, 204, 192));
  EXPECT_EQ(Find<QComboBox>(*w, "cbodiZ")->currentText(), QStringLiteral("福建省"));
  EXPECT_EQ(Find<QComboBox>(*w, "cbodiZ")->count(), 35);
  EXPECT_EQ(Find<QComboBox>(*w, "cbodiC")->currentText(), QStringLiteral("福州市"));
  EXPECT_FLOAT_EQ(w->CityLongitudes().front(), 119.0f + 18.0f / 60.0f);
  EXPECT_EQ(Find<QComboBox>(*w, "cbos")->itemText(23), QStringLiteral("23时子"));
  EXPECT_EQ(Find<QComboBox>(*w, "cbomin")->count(), 60);
  EXPECT_EQ(Find<QTextEdit>(*w, "RedtPingYu")->toPlainText(), QStringLiteral("输入自己的评语："));
  EXPECT_EQ(Find<QTreeWidget>(*w, "Tree")->topLevelItemCount(), 0);
  EXPECT_TRUE(qApp->styleSheet().isEmpty());
  // The shipped skins are listed with "系统默认", which is checked.
  QMenu* skins = Find<QMenu>(*w, "Opt_Skin");
  ASSERT_GE(skins->actions().size(), 3);
  EXPECT_EQ(skins->actions().back()->text(), QStringLiteral("系统默认"));
  EXPECT_TRUE(skins->actions().back()->isChecked());
  EXPECT_EQ(Boxes(), 0u);
  EXPECT_TRUE(FileExists(folder_.Dat() + "TaiYi.db"));
}

TEST_F(MainWindowTest, StartUpAppliesTheSavedState) {
  WriteInit(
      "[winpos]\r\nleft=40\r\ntop=30\r\nwidth=800\r\nheight=600\r\ntreewid=5\r\npinghei=0\r\n"
      "sheng=34\r\nshi=9\r\n[minggao]\r\nfsize=15\r\nbcolor=255\r\njuStyle=3\r\n"
      "[window]\r\nskined=1\r\nskinname=Mx1\r\n");
  auto w = Open();
  EXPECT_EQ(w->pos(), QPoint(40, 30));
  EXPECT_EQ(w->size(), QSize(800, 600));
  EXPECT_EQ(Find<QSplitter>(*w, "Splitter1")->sizes().front(), 30);
  EXPECT_EQ(Find<QSplitter>(*w, "SplitterDuan")->sizes().back(), 20);
  EXPECT_EQ(Find<QTextEdit>(*w, "RedtDuan")->palette().color(QPalette::Base), QColor(255, 0, 0));
  EXPECT_EQ(Find<QComboBox>(*w, "CboJuStyle")->currentIndex(), 3);
  // The unknown place has one city, so a stored row 9 falls back to row 0.
  auto* cities = Find<QComboBox>(*w, "cbodiC");
  ASSERT_EQ(cities->count(), 1);
  EXPECT_EQ(cities->currentIndex(), 0);
  EXPECT_EQ(cities->currentText(), QStringLiteral("未知地"));
  EXPECT_FLOAT_EQ(w->CityLongitudes()[0], 120.0f);
  EXPECT_FLOAT_EQ(w->CityLatitudes()[0], 30.0f);
  std::string sheet;
  ASSERT_TRUE(ReadFile(folder_.SkinDir() + "Mx1.skn", sheet));
  EXPECT_EQ(qApp->styleSheet(), ToQString(sheet));
}

TEST_F(MainWindowTest, ClosingAsksAndWritesTheStateOnlyWhenConfirmed) {
  auto w = Open();
  prompter_.AnswerQuestion(false);
  EXPECT_FALSE(w->close());
  EXPECT_EQ(prompter_.ShownBoxes().back().title, "关闭");
  EXPECT_EQ(prompter_.LastText(), "确定要关闭软件吗？");
  EXPECT_FALSE(FileExists(folder_.Dat() + "init.ini"));

  Find<QComboBox>(*w, "cbodiZ")->setCurrentIndex(1);
  w->cbodiZClick();
  Find<QComboBox>(*w, "CboJuStyle")->setCurrentIndex(2);
  w->move(70, 80);
  prompter_.AnswerQuestion(true);
  EXPECT_TRUE(w->close());
  const WindowConfig c = ReadWindowConfig(IniFile(folder_.Dat() + "init.ini"));
  EXPECT_EQ(c.sheng, 1);
  EXPECT_EQ(c.shi, 0);
  EXPECT_EQ(c.juStyle, 2);
  EXPECT_EQ(c.left, 70);
  EXPECT_EQ(c.top, 80);
  EXPECT_EQ(c.width, 400);
  EXPECT_EQ(c.treewid, 180);
  EXPECT_EQ(c.pinghei, 80);
  EXPECT_EQ(c.fname, "宋体");
  EXPECT_EQ(c.bcolor, 0xC0CCD0u);
}

TEST_F(MainWindowTest, ClosingMaximisedKeepsTheStoredGeometry) {
  WriteInit("[winpos]\r\nleft=21\r\ntop=22\r\nwidth=623\r\nheight=424\r\nstate=2\r\n");
  auto w = Open();
  EXPECT_TRUE(w->isMaximized());
  prompter_.AnswerQuestion(true);
  EXPECT_TRUE(w->close());
  const WindowConfig c = ReadWindowConfig(IniFile(folder_.Dat() + "init.ini"));
  EXPECT_EQ(c.state, StoredWindowState::kMaximised);
  EXPECT_EQ(c.left, 21);
  EXPECT_EQ(c.top, 22);
  EXPECT_EQ(c.width, 623);
  EXPECT_EQ(c.height, 424);
}

TEST_F(MainWindowTest, AStoreThatCannotBeOpenedIsReportedAndTheWindowStillOpens) {
  ASSERT_TRUE(CreateDirs(folder_.Dat() + "TaiYi.db/"));  // a folder where the file should be
  auto w = Open();
  ASSERT_EQ(Boxes(), 1u);
  EXPECT_EQ(prompter_.ShownBoxes()[0].kind, ScriptedPrompter::Kind::Message);
  EXPECT_EQ(prompter_.LastText(), store_.LastMessage());
  EXPECT_FALSE(prompter_.LastText().empty());
  EXPECT_TRUE(w->isVisible());
  FillPanel(*w);
  w->BtnpaiClick();
  EXPECT_TRUE(w->ChartValid());
}

TEST_F(MainWindowTest, ManyCasesAddTheNoteToTheCommentEditor) {
  ASSERT_EQ(store_.Open(folder_.Dat() + "TaiYi.db", folder_.root, true), 0);
  ASSERT_GE(store_.Connect(), 0);
  ASSERT_TRUE(store_.Execute("update case_extra set primaryId=1500;"));
  ASSERT_TRUE(store_.Disconnect());
  auto w = Open();
  EXPECT_TRUE(
      Find<QTextEdit>(*w, "RedtPingYu")
          ->toPlainText()
          .endsWith(QStringLiteral("案例总数大致：1500个，可以在树表上按鼠标右键，点击“条件查找”，"
                                   "然后再点“全部案例”！")));
}

TEST_F(MainWindowTest, NowButtonSetsTheClockAndTheCivilCalendar) {
  auto w = Open();
  Find<QRadioButton>(*w, "Rdonl")->setChecked(true);
  Find<QCheckBox>(*w, "Chkrun")->setChecked(true);
  Find<QLineEdit>(*w, "EdtYear")->setText("-300");
  w->SbtoNowClick();
  const QDateTime now = QDateTime::currentDateTime();
  EXPECT_TRUE(Find<QRadioButton>(*w, "Rdogl")->isChecked());
  EXPECT_FALSE(Find<QCheckBox>(*w, "Chkrun")->isChecked());
  EXPECT_EQ(Find<QLineEdit>(*w, "EdtYear")->text(), QString::number(now.date().year()));
  EXPECT_EQ(Find<QSpinBox>(*w, "UpDyear")->value(), now.date().year());
  EXPECT_EQ(Find<QComboBox>(*w, "cbom")->currentIndex(), now.date().month() - 1);
}

TEST_F(MainWindowTest, TheChartIsCentredInItsPage) {
  WriteInit("[winpos]\r\nwidth=1900\r\nheight=1400\r\n");
  auto w = Open();
  FillPanel(*w);
  w->BtnpaiClick();
  ASSERT_TRUE(w->ChartValid());
  auto* image = Find<QLabel>(*w, "ImgTaiYi");
  const QSize client = Find<QScrollArea>(*w, "ScrPic")->viewport()->size();
  ASSERT_GT(client.width(), image->width());
  EXPECT_EQ(image->x(), (client.width() - image->width()) / 2);
  EXPECT_EQ(image->y(), std::max(3, (client.height() - image->height()) / 2));
}

TEST_F(MainWindowTest, YearsOutsideTheRangeAreRefused) {
  auto w = Open();
  for (const char* year : {"-4714", "0", "10000", "abc", ""}) {
    FillPanel(*w, year);
    w->BtnpaiClick();
    EXPECT_FALSE(w->ChartValid()) << year;
    ASSERT_FALSE(prompter_.ShownBoxes().empty()) << year;
    EXPECT_EQ(prompter_.ShownBoxes().back().kind, ScriptedPrompter::Kind::Warning);
    EXPECT_EQ(prompter_.ShownBoxes().back().title, kYearErrorTitle);
    EXPECT_EQ(prompter_.LastText(), kYearErrorText);
  }
}

TEST_F(MainWindowTest, YearOneBcIsStoredAsZeroAndTheArrowsContinueFromIt) {
  auto w = Open();
  FillPanel(*w, "-1");
  w->BtnpaiClick();
  EXPECT_TRUE(w->ChartValid()) << prompter_.LastText();
  EXPECT_EQ(w->CurrentRecord().year, 0);
  auto* arrows = Find<QSpinBox>(*w, "UpDyear");
  EXPECT_EQ(arrows->value(), 0);
  arrows->stepBy(1);
  EXPECT_EQ(Find<QLineEdit>(*w, "EdtYear")->text(), "1");
  arrows->stepBy(-2);
  EXPECT_EQ(Find<QLineEdit>(*w, "EdtYear")->text(), "-2");

  FillPanel(*w, "-4713");
  w->BtnpaiClick();
  EXPECT_EQ(w->CurrentRecord().year, -4712);
}

TEST_F(MainWindowTest, NamesAreCleanedWithANotice) {
  auto w = Open();
  struct Case {
    const char* typed;
    const char* used;
    bool notice;
  };
  const Case cases[] = {{"  李四  ", "李四", false},
                        {"张 三", "张三", true},
                        {"", "甲", true},
                        {"一二三四五六七八九十壹贰", "一二三四五六七八九十", true}};
  for (const Case& c : cases) {
    const std::size_t before = Boxes();
    FillPanel(*w);
    Find<QLineEdit>(*w, "EdtName")->setText(ToQString(c.typed));
    w->BtnpaiClick();
    EXPECT_EQ(w->CurrentRecord().name, c.used) << c.typed;
    EXPECT_EQ(Boxes() > before, c.notice) << c.typed;
    if (c.notice) {
      EXPECT_EQ(prompter_.ShownBoxes()[before].text, kNameCleanedText);
      EXPECT_EQ(Find<QLineEdit>(*w, "EdtName")->text(), ToQString(c.used));
    }
  }
}

TEST_F(MainWindowTest, ChartFromThePanel) {
  auto w = Open();
  FillPanel(*w);
  Find<QComboBox>(*w, "cbodiC")->setCurrentIndex(1);
  Find<QRadioButton>(*w, "Rdonv")->setChecked(true);
  Find<QTabWidget>(*w, "PageMain")->setCurrentIndex(1);
  w->BtnpaiClick();
  ASSERT_TRUE(w->ChartValid()) << prompter_.LastText();
  const TRecordData& r = w->CurrentRecord();
  EXPECT_EQ(r.kind, ChartKind::kLife);
  EXPECT_EQ(r.year, 1984);
  EXPECT_EQ(r.month, 3);
  EXPECT_EQ(r.day, 5);
  EXPECT_EQ(r.hour, 14);
  EXPECT_EQ(r.minute, 30);
  EXPECT_FALSE(r.male);
  EXPECT_FALSE(r.lunar);
  EXPECT_EQ(r.name, "某人");
  EXPECT_EQ(r.place, "福建省-厦门市");
  EXPECT_EQ(r.cityIndex, 1);
  EXPECT_FLOAT_EQ(r.longitude, 118.0f + 5.0f / 60.0f);
  EXPECT_EQ(Find<QTabWidget>(*w, "PageMain")->currentIndex(), 0);
  EXPECT_NEAR(w->FlowMoment(), 2445765.1, 0.01);  // 1984-03-05 14:30 UTC+8
  // 甲子 year (1); 丙寅 month (3), as 惊蛰 comes later that day.
  EXPECT_EQ(w->LastPillars()[0], 1);
  EXPECT_EQ(w->LastPillars()[1], 3);
  auto* image = Find<QLabel>(*w, "ImgTaiYi");
  EXPECT_EQ(image->pixmap().size(), w->ChartImage().size());
  EXPECT_GE(image->x(), 3);
  EXPECT_TRUE(
      Find<QTextEdit>(*w, "RedtDuan")->toPlainText().contains(QStringLiteral("【星盘分析】")));

  // The unknown place goes into the request as such.
  Find<QComboBox>(*w, "cbodiZ")->setCurrentIndex(34);
  w->cbodiZClick();
  w->BtnpaiClick();
  EXPECT_EQ(w->CurrentRecord().place, "未知地");
  EXPECT_FLOAT_EQ(w->CurrentRecord().longitude, 120.0f);
}

TEST_F(MainWindowTest, ADateThatDoesNotExistIsAnError) {
  auto w = Open();
  FillPanel(*w, "2023");
  Find<QComboBox>(*w, "cbom")->setCurrentIndex(1);
  Find<QComboBox>(*w, "cbod")->setCurrentIndex(29);  // 30 February
  w->BtnpaiClick();
  EXPECT_FALSE(w->ChartValid());
  EXPECT_EQ(prompter_.ShownBoxes().back().kind, ScriptedPrompter::Kind::Error);
  EXPECT_EQ(prompter_.ShownBoxes().back().title, "错误");
  EXPECT_EQ(prompter_.LastText(), w->Engine().LastError());
}

TEST_F(MainWindowTest, FlowCommandsNeedALifeChart) {
  auto w = Open();
  FillPanel(*w, "1984", 1);  // 年局
  w->BtnpaiClick();
  ASSERT_TRUE(w->ChartValid());
  w->StepFlowMoment(24);
  w->SbtoZw_liuClick();
  w->CboLiuJuClick();
  ASSERT_EQ(Boxes(), 3u);
  for (const auto& box : prompter_.ShownBoxes()) {
    EXPECT_EQ(box.kind, ScriptedPrompter::Kind::Information);
    EXPECT_EQ(box.title, "提示");
    EXPECT_EQ(box.text, kNeedLifeChart);
  }
}

TEST_F(MainWindowTest, FlowStepsMoveTheFlowMomentWithinTheYearRange) {
  auto w = Open();
  FillPanel(*w);
  w->BtnpaiClick();
  ASSERT_TRUE(w->ChartValid());
  const double start = w->FlowMoment();
  w->StepFlowMoment(24);
  EXPECT_NEAR(w->FlowMoment() - start, 1.0, 1e-6);
  EXPECT_TRUE(w->Engine().FlowShown()) << prompter_.LastText();
  w->StepFlowMoment(-2);
  EXPECT_NEAR(w->FlowMoment() - start, 22.0 / 24.0, 1e-6);

  // Stepping back into 1 BC (stored year 0) is a step like any other.
  MYiDateEx dates;
  const double firstDay = dates.ToJulianDay(YiDate{1, 1, 1, 12, 0});
  w->SetFlowMoment(firstDay);
  w->StepFlowMoment(-24);
  YiDate moment;
  dates.FromJulianDay(w->FlowMoment(), moment);
  EXPECT_EQ(moment.year, 0);
  EXPECT_EQ(moment.month, 12);
  EXPECT_EQ(moment.day, 31);

  const double late = dates.ToJulianDay(YiDate{9999, 12, 31, 22, 0});
  w->SetFlowMoment(late);
  w->StepFlowMoment(24);
  EXPECT_EQ(prompter_.ShownBoxes().back().title, kYearErrorTitle);
  EXPECT_EQ(w->FlowMoment(), late);
}

TEST_F(MainWindowTest, FlowDialogHandsBackTheMomentOnlyWhenConfirmed) {
  auto w = Open();
  FillPanel(*w);
  w->BtnpaiClick();
  ASSERT_TRUE(w->ChartValid());
  const double start = w->FlowMoment();
  auto answer = [](bool ok) {
    QTimer::singleShot(0, [ok] {
      auto* dialog = qobject_cast<TFrmLiu*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialog->findChild<QLineEdit*>("EdtYear")->setText("2030");
      if (ok) {
        dialog->BtnokClick();
      } else {
        dialog->BtncancelClick();
      }
    });
  };
  answer(false);
  w->SbtoZw_liuClick();
  EXPECT_EQ(w->FlowMoment(), start);
  EXPECT_FALSE(w->Engine().FlowShown());

  answer(true);
  w->SbtoZw_liuClick();
  YiDate moment;
  MYiDateEx().FromJulianDay(w->FlowMoment(), moment);
  EXPECT_EQ(moment.year, 2030);
  EXPECT_EQ(moment.month, 3);
  EXPECT_TRUE(w->Engine().FlowShown()) << prompter_.LastText();
}

TEST_F(MainWindowTest, ReversePillarsChartAMomentWithTheSamePillars) {
  auto w = Open();
  FillPanel(*w);
  w->BtnpaiClick();
  ASSERT_TRUE(w->ChartValid());
  const auto pillars = w->LastPillars();
  Find<QComboBox>(*w, "cbomin")->setCurrentIndex(30);
  Find<QRadioButton>(*w, "Rdonl")->setChecked(true);

  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TFrmFanTui*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->Search();
    dialog->BtnpaiClick();
  });
  w->N3Click();
  ASSERT_TRUE(w->ChartValid()) << prompter_.LastText();
  const TRecordData& r = w->CurrentRecord();
  EXPECT_FALSE(r.lunar);
  EXPECT_EQ(r.minute, 0);
  EXPECT_TRUE(r.male);
  EXPECT_EQ(w->LastPillars()[0], pillars[0]);
  EXPECT_EQ(w->LastPillars()[2], pillars[2]);
  EXPECT_EQ(w->LastPillars()[1] % 12, pillars[1] % 12);
  EXPECT_EQ(w->LastPillars()[3] % 12, pillars[3] % 12);

  // Cancelled: nothing changes.
  const TRecordData before = w->CurrentRecord();
  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  w->N3Click();
  EXPECT_EQ(w->CurrentRecord(), before);
}

// Settings saved in the dialog reach the next chart without a restart.
TEST_F(MainWindowTest, ChartSettingsFromTheMenuApplyToTheNextChart) {
  auto w = Open();
  FillPanel(*w);
  w->BtnpaiClick();
  ASSERT_TRUE(w->ChartValid());
  EXPECT_FALSE(w->Engine().Chart().settings.zishi);
  QAction* item = w->findChild<QAction*>("Omnusetcan");
  ASSERT_NE(item, nullptr);
  ASSERT_TRUE(item->isEnabled());
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TFrmSetcan*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QCheckBox*>("ChkZiShi")->setChecked(true);
    dialog->BitBtn1Click();
  });
  item->trigger();
  w->BtnpaiClick();
  EXPECT_TRUE(w->Engine().Chart().settings.zishi);
  EXPECT_TRUE(w->findChild<QAction*>("mnuT_dili")->isEnabled());
}

TEST_F(MainWindowTest, PerpetualCalendarOpensAtThePanelMomentAndHandsItBack) {
  auto w = Open();
  FillPanel(*w, "-1");
  w->BtnpaiClick();                                 // the arrows now stand at stored year 0
  Find<QLineEdit>(*w, "EdtYear")->setText("1990");  // typing does not move them
  w->mnuT_wnlClick();
  TFrmWnl* calendar = w->findChild<TFrmWnl*>();
  ASSERT_NE(calendar, nullptr);
  EXPECT_TRUE(calendar->isVisible());
  EXPECT_EQ(calendar->findChild<QLineEdit*>("EdtYear")->text(), "-1");
  w->mnuT_wnlClick();
  EXPECT_EQ(w->findChildren<TFrmWnl*>().size(), 1);

  calendar->findChild<QLineEdit*>("EdtYear")->setText("2001");
  calendar->BtnPaiClick();
  ASSERT_TRUE(w->ChartValid()) << prompter_.LastText();
  EXPECT_EQ(w->CurrentRecord().year, 2001);
  EXPECT_EQ(w->CurrentRecord().month, 3);
  EXPECT_EQ(w->CurrentRecord().hour, 14);
}

TEST_F(MainWindowTest, ZoomNeedsAChartAndStaysWithinItsSizes) {
  auto w = Open();
  w->N15Click();
  EXPECT_EQ(prompter_.LastText(), kNeedChart);
  EXPECT_EQ(prompter_.ShownBoxes().back().title, "提示");

  FillPanel(*w);
  w->BtnpaiClick();
  ASSERT_TRUE(w->ChartValid());
  const int size = w->Engine().FontSize();
  const QSize image = w->ChartImage().size();
  w->N15Click();
  EXPECT_EQ(w->Engine().FontSize(), size + 1);
  EXPECT_GT(w->ChartImage().width(), image.width());
  EXPECT_TRUE(w->ChartValid());
  EXPECT_EQ(IniFile(folder_.Dat() + "set.ini").ReadInteger("chart", "fontSize", 0), size + 1);

  while (w->Engine().FontSize() > 9) w->N16Click();
  const std::size_t before = Boxes();
  w->N16Click();
  ASSERT_EQ(Boxes(), before + 1);
  EXPECT_EQ(prompter_.LastText(), kZoomRefused);
  EXPECT_EQ(w->Engine().FontSize(), 9);
}

TEST_F(MainWindowTest, CitySearchSelectsTheFirstFittingCity) {
  auto w = Open();
  auto* cities = Find<QComboBox>(*w, "cbodiC");
  prompter_.AnswerInput("厦门");
  w->SpeedButton1Click();
  EXPECT_EQ(cities->currentText(), QStringLiteral("厦门市"));
  EXPECT_EQ(prompter_.ShownBoxes().back().title, "输入");
  EXPECT_EQ(prompter_.LastText(), "输入县、市、区名：");
  prompter_.AnswerInput("没有这个地方");
  w->SpeedButton1Click();
  EXPECT_EQ(cities->currentText(), QStringLiteral("厦门市"));
  prompter_.CancelInput();
  w->SpeedButton1Click();
  EXPECT_EQ(cities->currentText(), QStringLiteral("厦门市"));
}

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
  bool ChooseFont(QWidget*, QFont& f, QColor& c) override {
    calls.push_back("font");
    if (!font) return false;
    f = *font;
    c = colour;
    return true;
  }
  bool ChooseColour(QWidget*, QColor& c) override {
    calls.push_back("colour");
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

TEST_F(CurrentCaseTest, SavingANewCaseNeedsAChartAndACategory) {
  auto w = OpenWithChooser();
  EXPECT_FALSE(w->SaveCase());
  EXPECT_EQ(prompter_.ShownBoxes().back().title, "提示");
  EXPECT_EQ(prompter_.LastText(), "请先排一个正确的盘后再保存");

  FillPanel(*w);
  w->BtnpaiClick();
  chooseOk_ = false;
  EXPECT_FALSE(w->SaveCase());
  EXPECT_EQ(store_.ReadPrimaryId(), 0);
  EXPECT_TRUE(ListFiles(folder_.CommentDir(), "*.rtf").empty());
  EXPECT_EQ(w->CurrentSaveMode(), TFrmMain::SaveMode::NewCase);
  EXPECT_EQ(Find<QPushButton>(*w, "SbtoSave")->text(), QStringLiteral("存新"));
}

TEST_F(CurrentCaseTest, ANewCaseIsStoredWithItsCommentAndItsTreeNode) {
  auto w = OpenWithChooser();
  const int id = SaveNew(*w, "张三", "他's 好人\n第二行");
  ASSERT_GT(id, 0);
  EXPECT_EQ(w->CurrentSaveMode(), TFrmMain::SaveMode::StoredCase);
  auto* save = Find<QPushButton>(*w, "SbtoSave");
  EXPECT_EQ(save->text(), QStringLiteral("存旧"));
  EXPECT_FALSE(Find<QTextEdit>(*w, "RedtPingYu")->document()->isModified());

  TRecordData stored;
  ASSERT_TRUE(store_.LoadCase(id, stored));
  EXPECT_EQ(stored.name, "张三");
  EXPECT_EQ(stored.className, "朋友");
  EXPECT_EQ(stored.remarkText, "他s 好人\n第二行");
  EXPECT_EQ(stored.remarkFile, "张三_198403051430");
  EXPECT_EQ(w->CommentPath(), folder_.CommentDir() + "张三_198403051430.rtf");
  EXPECT_EQ(StoredComment(w->CommentPath()), "他's 好人\n第二行");

  auto* tree = Find<QTreeWidget>(*w, "Tree");
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("朋友"));
  ASSERT_EQ(tree->topLevelItem(0)->childCount(), 1);
  EXPECT_EQ(tree->topLevelItem(0)->child(0)->text(0), ToQString(CaseCaption(stored)));

  // A second case of the same name and minute gets its own comment file.
  const int second = SaveNew(*w, "张三", "另一个");
  EXPECT_NE(second, id);
  EXPECT_EQ(w->CommentPath(), folder_.CommentDir() + "张三_198403051430_0.rtf");
  EXPECT_EQ(StoredComment(folder_.CommentDir() + "张三_198403051430.rtf"), "他's 好人\n第二行");
}

TEST_F(MainWindowTest, ANewCaseTakesTheCategoryChosenInTheChooser) {
  auto w = Open();
  ASSERT_TRUE(store_.SaveCategories({"客户", "家人"}));
  FillPanel(*w);
  w->BtnpaiClick();
  QTimer::singleShot(0, [] {
    QWidget* chooser = QApplication::activeModalWidget();
    ASSERT_NE(chooser, nullptr);
    chooser->findChild<QComboBox*>("CboFenLei")->setCurrentIndex(1);
    chooser->findChild<QPushButton*>("Btnok")->click();
  });
  ASSERT_TRUE(w->SaveCase()) << prompter_.LastText();
  TRecordData stored;
  ASSERT_TRUE(store_.LoadCase(w->CurrentCaseId(), stored));
  EXPECT_EQ(stored.className, "家人");
}

TEST_F(CurrentCaseTest, AFailedInsertIsReportedAndLeavesTheNewCase) {
  auto w = OpenWithChooser();
  FillPanel(*w);
  w->BtnpaiClick();
  // The database cannot be opened any more: a folder stands where the file was.
  ASSERT_TRUE(DeleteFile(folder_.Dat() + "TaiYi.db"));
  ASSERT_TRUE(CreateDirs(folder_.Dat() + "TaiYi.db"));
  EXPECT_FALSE(w->SaveCase());
  EXPECT_EQ(prompter_.ShownBoxes().back().kind, ScriptedPrompter::Kind::Message);
  EXPECT_FALSE(prompter_.LastText().empty());
  EXPECT_EQ(w->CurrentSaveMode(), TFrmMain::SaveMode::NewCase);
  EXPECT_EQ(Find<QPushButton>(*w, "SbtoSave")->text(), QStringLiteral("存新"));
  EXPECT_EQ(Find<QTreeWidget>(*w, "Tree")->topLevelItemCount(), 0);
}

TEST_F(CurrentCaseTest, SavingAStoredCaseAsksAndUpdatesRowFileAndNode) {
  auto w = OpenWithChooser();
  const int id = SaveNew(*w, "李四", "旧评语");
  Find<QLineEdit>(*w, "EdtName")->setText(QStringLiteral("李四改"));
  w->BtnpaiClick();
  SetComment(*w, "新评语");

  prompter_.AnswerQuestion(false);
  EXPECT_FALSE(w->SaveCase());
  EXPECT_EQ(prompter_.LastText(), "要修改“李四”这条记录吗？");
  EXPECT_EQ(StoredComment(w->CommentPath()), "旧评语");

  prompter_.AnswerQuestion(true);
  EXPECT_TRUE(w->SaveCase());
  EXPECT_EQ(prompter_.LastText(), "已保存编辑后的命例。");
  TRecordData stored;
  ASSERT_TRUE(store_.LoadCase(id, stored));
  EXPECT_EQ(stored.name, "李四改");
  EXPECT_EQ(stored.remarkText, "新评语");
  EXPECT_EQ(StoredComment(w->CommentPath()), "新评语");
  EXPECT_EQ(w->SavedRecord().name, "李四改");
  EXPECT_EQ(Find<QTreeWidget>(*w, "Tree")->topLevelItem(0)->child(0)->text(0),
            ToQString(CaseCaption(stored)));

  // Without its node in the tree the case is stored without the message.
  Find<QTreeWidget>(*w, "Tree")->clear();
  SetComment(*w, "第三版");
  const std::size_t before = Boxes();
  prompter_.AnswerQuestion(true);
  EXPECT_TRUE(w->SaveCase());
  EXPECT_EQ(Boxes(), before + 1);  // the question only
  EXPECT_EQ(StoredComment(w->CommentPath()), "第三版");
}

TEST_F(CurrentCaseTest, OpeningACaseSavesTheChangedCommentOfTheOneBefore) {
  auto w = OpenWithChooser();
  const int a = SaveNew(*w, "甲", "甲的评语");
  const std::string pathA = w->CommentPath();
  const int b = SaveNew(*w, "乙", "乙的评语", 1);
  ASSERT_NE(a, b);

  w->OpenCase(a);
  EXPECT_EQ(Comment(*w), "甲的评语");
  EXPECT_EQ(Find<QLineEdit>(*w, "EdtName")->text(), QStringLiteral("甲"));
  EXPECT_EQ(w->CurrentCaseId(), a);
  EXPECT_TRUE(w->ChartValid());
  SetComment(*w, "甲的新评语");

  prompter_.AnswerQuestion(true);  // save the changed comment
  prompter_.AnswerQuestion(true);  // 要修改…
  w->OpenCase(b);
  EXPECT_EQ(StoredComment(pathA), "甲的新评语");
  EXPECT_EQ(w->CurrentCaseId(), b);
  EXPECT_EQ(Comment(*w), "乙的评语");
  EXPECT_EQ(Find<QLineEdit>(*w, "EdtName")->text(), QStringLiteral("乙"));
  EXPECT_EQ(Find<QComboBox>(*w, "CboJuStyle")->currentIndex(), 1);
  EXPECT_EQ(w->CurrentRecord().kind, ChartKind::kYear);
  EXPECT_FALSE(Find<QTextEdit>(*w, "RedtPingYu")->document()->isModified());

  // An id that is not stored changes nothing.
  w->OpenCase(b + 100);
  EXPECT_EQ(w->CurrentCaseId(), b);
}

TEST_F(CurrentCaseTest, ACaseWithoutItsCommentFileShowsTheStoredText) {
  auto w = OpenWithChooser();
  const int id = SaveNew(*w, "丙", "存着的评语");
  ASSERT_TRUE(DeleteFile(w->CommentPath()));
  prompter_.AnswerQuestion(true);
  w->BtoNewClick();
  w->OpenCase(id);
  EXPECT_EQ(Comment(*w), "存着的评语");
}

TEST_F(CurrentCaseTest, NewKeepsThePanelAndAsksForTheChangedComment) {
  auto w = OpenWithChooser();
  SaveNew(*w, "丁", "评语一");
  SetComment(*w, "改过的评语");
  prompter_.AnswerQuestion(false);
  w->BtoNewClick();
  EXPECT_EQ(prompter_.ShownBoxes().back().title, "新建");
  EXPECT_EQ(w->CurrentSaveMode(), TFrmMain::SaveMode::StoredCase);

  prompter_.AnswerQuestion(true);   // start a new case
  prompter_.AnswerQuestion(false);  // do not save the changed comment
  w->BtoNewClick();
  EXPECT_EQ(prompter_.LastText(), "当前评语文本已改变，要保存吗？");
  EXPECT_EQ(StoredComment(w->CommentPath()), "评语一");
  EXPECT_EQ(w->CurrentSaveMode(), TFrmMain::SaveMode::NewCase);
  EXPECT_FALSE(w->ChartValid());
  EXPECT_EQ(Comment(*w), "输入自己的评语：");
  EXPECT_EQ(Find<QPushButton>(*w, "SbtoSave")->text(), QStringLiteral("存新"));
  EXPECT_TRUE(Find<QTextEdit>(*w, "RedtDuan")->toPlainText().isEmpty());
  EXPECT_EQ(Find<QLineEdit>(*w, "EdtName")->text(), QStringLiteral("丁"));

  EXPECT_FALSE(w->SaveCase());
  EXPECT_EQ(prompter_.LastText(), "请先排一个正确的盘后再保存");
  w->BtnpaiClick();
  EXPECT_TRUE(w->SaveCase());
  EXPECT_EQ(w->CommentPath(), folder_.CommentDir() + "丁_198403051430_0.rtf");
}

TEST_F(CurrentCaseTest, StoreCommandsWaitForTheTree) {
  auto w = OpenWithChooser();
  const int id = SaveNew(*w, "戊", "评语");
  w->SetTreeBusyCheck([] { return true; });
  EXPECT_FALSE(w->SaveCase());
  EXPECT_EQ(prompter_.LastText(), "请等待案例加载完毕！");
  prompter_.AnswerQuestion(true);
  w->BtoNewClick();  // uses neither the tree nor the store
  w->OpenCase(id);
  EXPECT_EQ(prompter_.LastText(), "请等待案例加载完毕！");
  EXPECT_EQ(w->CurrentSaveMode(), TFrmMain::SaveMode::NewCase);
}

TEST_F(CurrentCaseTest, ClosingOffersToSaveTheChangedComment) {
  auto w = OpenWithChooser();
  SaveNew(*w, "己", "原来");
  SetComment(*w, "关闭前改的");
  // A save that is refused keeps the window open with the changed comment.
  bool busy = true;
  w->SetTreeBusyCheck([&busy] { return busy; });
  prompter_.AnswerQuestion(true);  // close
  prompter_.AnswerQuestion(true);  // save the comment
  EXPECT_FALSE(w->close());
  EXPECT_EQ(prompter_.LastText(), "请等待案例加载完毕！");
  EXPECT_EQ(Comment(*w), "关闭前改的");
  EXPECT_FALSE(FileExists(folder_.Dat() + "init.ini"));

  busy = false;
  prompter_.AnswerQuestion(true);  // close
  prompter_.AnswerQuestion(true);  // save the comment
  prompter_.AnswerQuestion(true);  // 要修改…
  EXPECT_TRUE(w->close());
  EXPECT_EQ(StoredComment(w->CommentPath()), "关闭前改的");
}

TEST_F(CurrentCaseTest, DeletingTheViewedCaseFromTheTreeLeavesANewCase) {
  auto w = OpenWithChooser();
  const int id = SaveNew(*w, "庚", "评语");
  const std::string path = w->CommentPath();
  auto* tree = Find<QTreeWidget>(*w, "Tree");
  tree->setCurrentItem(w->Cases().FindCaseNode(id));
  prompter_.AnswerQuestion(true);  // 确定要删除…
  prompter_.AnswerQuestion(true);  // 确定要删除当前正在查看的案例吗？
  w->Cases().DeleteSelectedCase();
  TRecordData gone;
  EXPECT_FALSE(store_.LoadCase(id, gone));
  EXPECT_FALSE(FileExists(path));
  EXPECT_EQ(w->CurrentSaveMode(), TFrmMain::SaveMode::NewCase);
  EXPECT_EQ(Find<QPushButton>(*w, "SbtoSave")->text(), QStringLiteral("存新"));
  EXPECT_TRUE(Find<QTextEdit>(*w, "RedtDuan")->toPlainText().isEmpty());
  EXPECT_FALSE(w->SaveCase());
  EXPECT_EQ(prompter_.LastText(), "请先排一个正确的盘后再保存");

  // Charted again, the panel is stored as a case of its own.
  w->BtnpaiClick();
  EXPECT_TRUE(w->SaveCase());
  EXPECT_NE(w->CurrentCaseId(), id);
  TRecordData again;
  EXPECT_TRUE(store_.LoadCase(w->CurrentCaseId(), again));
}

TEST_F(CurrentCaseTest, TheOpenCaseMovedInTheTreeIsSavedInItsNewCategory) {
  auto w = OpenWithChooser();
  const int id = SaveNew(*w, "子", "评语");
  w->SetCategoryChooser([](const std::vector<std::string>&, std::string& chosen) {
    chosen = "家人";
    return true;
  });
  SaveNew(*w, "丑", "评语");  // makes the second category node
  w->OpenCase(id);
  auto* tree = Find<QTreeWidget>(*w, "Tree");
  QTreeWidgetItem* node = w->Cases().FindCaseNode(id);
  tree->setCurrentItem(node);
  node->setSelected(true);
  w->Cases().TreeMouseDown();
  ASSERT_EQ(w->Cases().MoveMenu()->actions().size(), 1);
  w->Cases().MoveCase(w->Cases().MoveMenu()->actions().front());
  SetComment(*w, "移动后的评语");
  prompter_.AnswerQuestion(true);
  ASSERT_TRUE(w->SaveCase());
  TRecordData stored;
  ASSERT_TRUE(store_.LoadCase(id, stored));
  EXPECT_EQ(stored.className, "家人");
}

TEST_F(CurrentCaseTest, TheTreeShowsTheStoredCasesAndOpensThem) {
  int first = 0;
  {
    auto w = OpenWithChooser();
    first = SaveNew(*w, "辛", "辛的评语");
    SaveNew(*w, "壬", "壬的评语", 1);
  }
  auto w = OpenWithChooser();
  auto* tree = Find<QTreeWidget>(*w, "Tree");
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("朋友"));
  EXPECT_EQ(tree->topLevelItem(0)->childCount(), 2);
  EXPECT_EQ(w->Cases().RecordCount(), 2);

  tree->setCurrentItem(w->Cases().FindCaseNode(first));
  w->Cases().OpenSelectedCase();
  EXPECT_EQ(w->CurrentCaseId(), first);
  EXPECT_EQ(Comment(*w), "辛的评语");
  EXPECT_TRUE(w->ChartValid());
  EXPECT_EQ(Find<QPushButton>(*w, "SbtoSave")->text(), QStringLiteral("存旧"));
}

TEST_F(CurrentCaseTest, DeletingEveryCaseEndsTheProgramWithoutTheClosingSteps) {
  auto w = OpenWithChooser();
  SaveNew(*w, "癸", "评语");
  SetComment(*w, "未保存的改动");
  w->Database().SetRandom([] { return 3; });
  prompter_.AnswerQuestion(true);
  prompter_.AnswerInput("3333");
  const std::size_t before = Boxes();
  w->findChild<QAction*>("N2")->trigger();
  EXPECT_TRUE(w->Ending());
  EXPECT_FALSE(w->isVisible());
  TRecordData gone;
  EXPECT_FALSE(store_.LoadCase(1, gone)) << prompter_.LastText();
  EXPECT_FALSE(FileExists(folder_.Dat() + "init.ini"));
  for (std::size_t i = before; i < Boxes(); ++i)
    EXPECT_NE(prompter_.ShownBoxes()[i].text, "确定要关闭软件吗？");
}

// An export shows its progress in the comment editor; afterwards the open case's comment is
// back, unchanged and unmodified, so a save cannot store the progress line.
TEST_F(CurrentCaseTest, AnExportLeavesTheOpenCasesCommentAsItWas) {
  auto w = OpenWithChooser();
  SaveNew(*w, "甲", "甲的评语");
  w->Database().SetFolderChooser([this](const std::string&, std::string& folder) {
    folder = dir_.file("out");
    return CreateDirs(folder);
  });
  prompter_.AnswerQuestion(false);  // do not open the folder
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TFrmExportClass*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QCheckBox*>("ChkAll")->setChecked(true);
    dialog->ChkAllClick();
    dialog->BitBtn1Click();
  });
  w->findChild<QAction*>("db2")->trigger();
  EXPECT_EQ(ListFiles(dir_.file("out"), "*.db").size(), 1u) << prompter_.LastText();
  EXPECT_EQ(Comment(*w), "甲的评语");
  EXPECT_FALSE(Find<QTextEdit>(*w, "RedtPingYu")->document()->isModified());
}

TEST_F(CurrentCaseTest, WholeDatabaseCommandsWaitForTheTree) {
  auto w = OpenWithChooser();
  w->SetTreeBusyCheck([] { return true; });
  w->findChild<QAction*>("N7")->trigger();
  EXPECT_EQ(prompter_.LastText(), "请等待案例加载完毕！");
}

TEST_F(MainWindowTest, EditorsAreSavedWithTheChosenFiltersExtension) {
  auto w = Open();
  ScriptedDialogs dialogs;
  w->SetOutputDialogs(&dialogs);
  auto* comment = Find<QTextEdit>(*w, "RedtPingYu");
  comment->setPlainText(QStringLiteral("第一行\n第二行"));
  const std::string note = dir_.file("note");
  dialogs.files = {{true, 1, note}, {true, 1, note + ".txt"}, {true, 0, note}, {false, 0, ""}};
  w->SaveEditorAs(comment);
  EXPECT_EQ(dialogs.calls.back(), "|Rtf格式|*.rtf|Txt格式|*.txt|0");
  std::string bytes;
  ASSERT_TRUE(ReadFile(note + ".txt", bytes));
  EXPECT_EQ(bytes, "第一行\n第二行");
  EXPECT_EQ(prompter_.LastText(), "已保存！");
  w->SaveEditorAs(comment);
  EXPECT_TRUE(FileExists(note + ".txt.txt"));
  w->SaveEditorAs(comment);
  ASSERT_TRUE(ReadFile(note + ".rtf", bytes));
  EXPECT_TRUE(LooksLikeRtf(bytes));
  EXPECT_EQ(RtfPlainText(bytes), "第一行\n第二行");
  const std::size_t before = Boxes();
  w->SaveEditorAs(comment);  // cancelled
  EXPECT_EQ(Boxes(), before);

  // A file that cannot be written is reported, not announced as saved.
  dialogs.files = {{true, 1, dir_.file("missing/folder/x")}};
  w->SaveEditorAs(comment);
  EXPECT_EQ(prompter_.ShownBoxes().back().kind, ScriptedPrompter::Kind::Error);
}

TEST_F(MainWindowTest, TheChartImageIsSavedAsJpegOrBitmap) {
  auto w = Open();
  FillPanel(*w);
  w->BtnpaiClick();
  ScriptedDialogs dialogs;
  w->SetOutputDialogs(&dialogs);
  dialogs.files = {{true, 1, dir_.file("pan")}, {true, 0, dir_.file("pan")}};
  w->SaveChartImage();
  EXPECT_EQ(dialogs.calls.back(), "另存为Bmp图片|bmp格式|*.bmp|jpg格式|*.jpg|1");
  EXPECT_GT(FileSize(dir_.file("pan.jpg")), 0);
  w->SaveChartImage();
  QImage bitmap(QString::fromStdString(dir_.file("pan.bmp")));
  EXPECT_EQ(bitmap.size(), w->ChartImage().size());
  EXPECT_EQ(prompter_.LastText(), "已保存！");
}

TEST_F(MainWindowTest, SelectionFontAndImportOfTheAnalysis) {
  auto w = Open();
  ScriptedDialogs dialogs;
  w->SetOutputDialogs(&dialogs);
  auto* comment = Find<QTextEdit>(*w, "RedtPingYu");
  w->SetSelectionFont(comment);  // nothing selected
  EXPECT_TRUE(dialogs.calls.empty());
  comment->selectAll();
  QFont big = comment->font();
  big.setPointSize(20);
  big.setBold(true);
  dialogs.font = big;
  w->SetSelectionFont(comment);
  QTextCursor at(comment->document());
  at.setPosition(2);
  EXPECT_EQ(at.charFormat().fontPointSize(), 20);
  EXPECT_EQ(at.charFormat().foreground().color(), QColor(Qt::red));

  const std::string text = dir_.file("duan.txt");
  ASSERT_TRUE(WriteFileAtomic(text, "导入的断语"));
  dialogs.files = {{true, 1, text}, {true, 0, dir_.file("none.rtf")}};
  w->ImportAnalysis();
  EXPECT_EQ(dialogs.calls.back(), "All.rtf|*.rtf|All.txt|*.txt");
  EXPECT_EQ(Find<QTextEdit>(*w, "RedtDuan")->toPlainText(), QStringLiteral("导入的断语"));
  w->ImportAnalysis();
  EXPECT_EQ(prompter_.ShownBoxes().back().title, "重试一次");
  EXPECT_EQ(prompter_.LastText(), "导入文件出错,请重试一次");
  EXPECT_EQ(Find<QTextEdit>(*w, "RedtDuan")->toPlainText(), QStringLiteral("导入的断语"));
}

TEST_F(MainWindowTest, AnalysisEditorLookIsKeptForTheClose) {
  auto w = Open();
  ScriptedDialogs dialogs;
  w->SetOutputDialogs(&dialogs);
  dialogs.colour = QColor(1, 2, 3);
  w->N14Click();
  EXPECT_EQ(prompter_.LastText(), "设置完成");
  auto* duan = Find<QTextEdit>(*w, "RedtDuan");
  EXPECT_EQ(duan->palette().color(QPalette::Base), QColor(1, 2, 3));
  QFont font = duan->font();
  font.setPointSize(17);
  dialogs.font = font;
  w->N13Click();
  EXPECT_EQ(duan->font().pointSize(), 17);
  w->N12Click();
  EXPECT_EQ(duan->font().pointSize(), 12);
  prompter_.AnswerQuestion(true);
  ASSERT_TRUE(w->close());
  const WindowConfig c = ReadWindowConfig(IniFile(folder_.Dat() + "init.ini"));
  EXPECT_EQ(c.fname, "宋体");
  EXPECT_EQ(c.fsize, 12);
  EXPECT_EQ(c.bcolor, 0xC0CCD0u);
}

TEST_F(MainWindowTest, PrintingAsksFirstAndStopsAtACancelledDialog) {
  auto w = Open();
  ScriptedDialogs dialogs;
  w->SetOutputDialogs(&dialogs);
  prompter_.AnswerQuestion(false);
  w->PrintChart();
  EXPECT_EQ(prompter_.ShownBoxes().back().title, "打印");
  EXPECT_EQ(prompter_.LastText(), "准备开始打印吗?");
  EXPECT_TRUE(dialogs.calls.empty());
  prompter_.AnswerQuestion(true);
  w->PrintEditor(Find<QTextEdit>(*w, "RedtDuan"));
  EXPECT_EQ(dialogs.calls.back(), "printer");
  EXPECT_EQ(prompter_.ShownBoxes().back().kind, ScriptedPrompter::Kind::Question);

  FillPanel(*w);
  w->BtnpaiClick();
  dialogs.printTo = dir_.file("chart.pdf");
  prompter_.AnswerQuestion(true);
  w->PrintChart();
  EXPECT_GT(FileSize(dialogs.printTo), 1000);
  dialogs.printTo = dir_.file("duan.pdf");
  prompter_.AnswerQuestion(true);
  w->PrintEditor(Find<QTextEdit>(*w, "RedtDuan"));
  EXPECT_GT(FileSize(dialogs.printTo), 1000);
  EXPECT_EQ(prompter_.ShownBoxes().back().kind, ScriptedPrompter::Kind::Question);
}

TEST_F(MainWindowTest, HelpWindowShowsItsPages) {
  auto w = Open();
  QString title;
  int pages = 0;
  QTimer::singleShot(0, [&] {
    QWidget* help = QApplication::activeModalWidget();
    ASSERT_NE(help, nullptr);
    title = help->windowTitle();
    pages = help->findChild<QTabWidget*>("PageHelp")->count();
    help->close();
  });
  w->findChild<QAction*>("mnuH_help")->trigger();
  EXPECT_EQ(title, QStringLiteral("软件帮助"));
  EXPECT_EQ(pages, 2);
}

TEST(ChartPrintRect, NinetyPercentWideCentredDown) {
  EXPECT_EQ(ChartPrintRect(4000, 3000), QRect(200, 211, 3600, 2577));
}

}  // namespace
}  // namespace taiyi
