#include <gtest/gtest.h>

#include "ui/main_window_fixture.h"

namespace taiyi::test {
namespace {

TEST_F(MainWindowTest, FirstStartFitsTheScreenAndShowsTheChartOfNow) {
  FirstStart();
  auto w = Open();
  // The title as the built case tree leaves it.
  EXPECT_EQ(w->windowTitle(), QStringLiteral("墨衡太乙神数 1.3 "));
  // About 80% of the screen, centred.
  const QRect free = w->screen()->availableGeometry();
  EXPECT_EQ(w->size(), QSize(free.width() * 4 / 5, free.height() * 4 / 5));
  EXPECT_EQ(w->pos(), free.topLeft() + QPoint((free.width() - w->width()) / 2,
                                              (free.height() - w->height()) / 2));
  // The tree shows a whole caption.
  auto* tree = Find<QTreeView>(*w, "Tree");
  EXPECT_GE(Find<QSplitter>(*w, "Splitter1")->sizes().front(), CaseTreeWidthForCaptions(*tree));
  EXPECT_GT(CaseTreeWidthForCaptions(*tree), 180);
  EXPECT_EQ(Find<QSplitter>(*w, "SplitterDuan")->sizes().back(), 80);
  // The chart of the moment the panel was set to.
  EXPECT_TRUE(w->ChartValid());
  EXPECT_EQ(w->CurrentRecord().year, QDate::currentDate().year());
  EXPECT_EQ(w->CurrentRecord().kind, ChartKind::kLife);
  EXPECT_FALSE(Find<QTextEdit>(*w, "RedtDuan")->toPlainText().isEmpty());
  // The next start restores what this one saved.
  w->move(free.topLeft() + QPoint(5, 7));
  prompter_.AnswerQuestion(true);
  ASSERT_TRUE(w->close());
  w = Open();
  EXPECT_EQ(w->pos(), free.topLeft() + QPoint(5, 7));
  EXPECT_EQ(w->size(), QSize(free.width() * 4 / 5, free.height() * 4 / 5));
  EXPECT_FALSE(w->ChartValid());
}

// A first start draws the chart at the largest size its page shows whole and keeps that size;
// on a small screen the page takes room from the tree and the comment.  A chart size the user
// has saved stays.
TEST_F(MainWindowTest, FirstStartSizesTheChartForItsPage) {
  struct Case {
    QSize window;
    const char* savedSize;  // dat/set.ini, or nothing
    int fontSize;           // 0: whatever fits
  };
  const Case cases[] = {{{1280, 800}, nullptr, 0},
                        {{1024, 640}, nullptr, 9},
                        {{1280, 800}, "[chart]\r\nfontSize=12\r\n", 12}};
  for (const Case& c : cases) {
    FirstStart();
    if (c.savedSize != nullptr) {
      ASSERT_TRUE(WriteFileAtomic(folder_.Dat() + "set.ini", c.savedSize));
    } else {
      DeleteFile(folder_.Dat() + "set.ini");
    }
    auto w = Open();
    w->resize(c.window);  // the screen's share, before the window is laid out
    QApplication::processEvents();
    ASSERT_TRUE(w->ChartValid());
    const int size = w->Engine().FontSize();
    EXPECT_EQ(ReadChartFontSize(folder_.Dat() + "set.ini"), size) << c.window.width();
    if (c.fontSize != 0) {
      EXPECT_EQ(size, c.fontSize) << c.window.width();
    }
    EXPECT_EQ(w->ChartImage().width(), w->Engine().Geometry().width);
    if (c.savedSize != nullptr) continue;
    EXPECT_LT(size, kDefaultChartFontSize);
    const QSize page = Find<QScrollArea>(*w, "ScrPic")->maximumViewportSize();
    EXPECT_LE(w->ChartImage().width() + 6, page.width()) << c.window.width();
    EXPECT_LE(w->ChartImage().height() + 6, page.height()) << c.window.width();
    prompter_.AnswerQuestion(true);
    ASSERT_TRUE(w->close());
  }
}

TEST_F(MainWindowTest, LaterStartsUseTheStoredDefaults) {
  auto w = Open();
  EXPECT_EQ(w->pos(), QPoint(10, 10));
  EXPECT_EQ(w->size(), QSize(400, 400));
  EXPECT_FALSE(w->ChartValid());
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
  EXPECT_EQ(Find<QTreeView>(*w, "Tree")->model()->rowCount(), 0);
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
  ASSERT_TRUE(ReadFile(folder_.ShippedFile("skins/Mx1.skn"), sheet));
  EXPECT_EQ(qApp->styleSheet(), ToQString(sheet));
}

// The province list shows its longest name ("黑龙江省") whatever the skin: a skin's padding and
// arrow widen the panel instead of cutting the text, and going back makes it narrow again.
TEST_F(MainWindowTest, TheProvinceListShowsWholeNamesUnderEverySkin) {
  auto w = Open();
  auto* provinces = Find<QComboBox>(*w, "cbodiZ");
  auto* panel = Find<QWidget>(*w, "ScrPanel");
  const int plain = panel->width();
  QMenu* skins = Find<QMenu>(*w, "Opt_Skin");
  for (QAction* item : skins->actions()) {
    w->SkinItemClick(item);
    QApplication::processEvents();
    EXPECT_GE(provinces->width(), provinces->sizeHint().width()) << ToStdString(item->text());
  }
  EXPECT_TRUE(qApp->styleSheet().isEmpty());  // "系统默认" is the last item
  EXPECT_EQ(panel->width(), plain);
}

TEST_F(MainWindowTest, ClosingAsksAndWritesTheStateOnlyWhenConfirmed) {
  auto w = Open();
  prompter_.AnswerQuestion(false);
  EXPECT_FALSE(w->close());
  EXPECT_EQ(prompter_.ShownBoxes().back().title, "关闭");
  EXPECT_EQ(prompter_.LastText(), "确定要关闭软件吗？");
  EXPECT_TRUE(InitUnchanged());

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

TEST_F(MainWindowTest, RestartsKeepThePositionAndSizeExactly) {
  WriteInit("[winpos]\r\nleft=40\r\ntop=30\r\nwidth=700\r\nheight=500\r\n");
  for (int start = 0; start < 3; ++start) {
    auto w = Open();
    // Under a window manager the frame comes after the show.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    for (int wait = 0; wait < 40 && w->pos() != QPoint(40, 30); ++wait) QTest::qWait(50);
    EXPECT_EQ(w->pos(), QPoint(40, 30)) << start;
    EXPECT_EQ(w->size(), QSize(700, 500)) << start;
    prompter_.AnswerQuestion(true);
    ASSERT_TRUE(w->close());
  }
  const WindowConfig c = ReadWindowConfig(IniFile(folder_.Dat() + "init.ini"));
  EXPECT_EQ(QRect(c.left, c.top, c.width, c.height), QRect(40, 30, 700, 500));
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

TEST_F(MainWindowTest, StandardShortcutsStartTheirCommands) {
  auto w = Open();
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  Find<QPushButton>(*w, "Btnpai")->setFocus();  // no editor has the keys
  struct Case {
    const char* keys;
    bool asks;  // a question, answered No
    const char* text;
  };
  const Case cases[] = {
      {"Ctrl+S", false, "请先排一个正确的盘后再保存"},
      {"Ctrl+N", true, "确定要开始建立一个新案例吗?这将清除现有评语！"},
      {"Ctrl+P", true, "准备开始打印吗?"},
      {"Ctrl+Q", true, "确定要关闭软件吗？"},
      {"Ctrl+=", false, kNeedChart},
      {"Ctrl+-", false, kNeedChart},
      {"Ctrl+D", false, kNeedChart},
      {"Ctrl+X", false, kNeedChart},
  };
  for (const Case& c : cases) {
    const std::size_t before = Boxes();
    if (c.asks) prompter_.AnswerQuestion(false);
    QTest::keySequence(w.get(), QKeySequence(QString::fromLatin1(c.keys)));
    ASSERT_EQ(Boxes(), before + 1) << c.keys;
    EXPECT_EQ(prompter_.LastText(), c.text) << c.keys;
  }
  EXPECT_TRUE(w->isVisible());

  QString helpTitle;
  QTimer::singleShot(0, [&] {
    if (QWidget* help = QApplication::activeModalWidget()) {
      helpTitle = help->windowTitle();
      help->close();
    }
  });
  QTest::keyClick(w.get(), Qt::Key_F1);
  EXPECT_EQ(helpTitle, QStringLiteral("软件帮助"));
}

TEST_F(MainWindowTest, CtrlXInAnEditorCutsInsteadOfZooming) {
  auto w = Open();
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  auto* comment = Find<QTextEdit>(*w, "RedtPingYu");
  comment->setFocus();
  comment->selectAll();
  QTest::keySequence(comment, QKeySequence(QStringLiteral("Ctrl+X")));
  EXPECT_TRUE(comment->toPlainText().isEmpty());
  EXPECT_EQ(Boxes(), 0u);
}

TEST_F(MainWindowTest, AboutShowsTheVersionsAndOpensTheFolder) {
  auto w = Open();
  QStringList lines;
  QUrl opened;
  QTimer::singleShot(0, [&] {
    auto* about = qobject_cast<TFrmAbout*>(QApplication::activeModalWidget());
    ASSERT_NE(about, nullptr);
    lines << about->windowTitle();
    for (const char* name : {"LabTitle", "LabQt", "LabSqlite", "LabFolder"})
      lines << about->findChild<QLabel*>(name)->text();
    about->SetFolderOpener([&](const QUrl& url) {
      opened = url;
      return true;
    });
    const QString link = about->findChild<QLabel*>("LabOpenFolder")->text();
    const QString href = link.section(QLatin1Char('"'), 1, 1);
    emit about->findChild<QLabel*>("LabOpenFolder")->linkActivated(href);
    about->close();
  });
  w->findChild<QAction*>("mnuH_about")->trigger();
  ASSERT_EQ(lines.size(), 5);
  EXPECT_EQ(lines[0], QStringLiteral("关于"));
  EXPECT_EQ(lines[1], QStringLiteral("墨衡太乙神数 1.3"));
  EXPECT_TRUE(lines[2].endsWith(QString::fromLatin1(qVersion())));
  EXPECT_TRUE(lines[3].endsWith(QString::fromLatin1(sqlite3_libversion())));
  EXPECT_TRUE(lines[4].endsWith(QDir::toNativeSeparators(ToQString(folder_.root))));
  EXPECT_EQ(opened, QUrl::fromLocalFile(ToQString(folder_.root)));
}

}  // namespace
}  // namespace taiyi::test
