#include "ui/tools/reverse_pillars_window.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTest>

#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {
namespace {

class ReversePillarsWindowTest : public testing::Test {
 protected:
  template <typename T>
  T* Find(const char* name) {
    T* child = dialog_.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  int Index(const char* name) { return Find<QComboBox>(name)->currentIndex(); }
  std::string Memo() { return ToStdString(Find<QPlainTextEdit>("Memo1")->toPlainText()); }
  bool PaiEnabled() { return Find<QPushButton>("Btnpai")->isEnabled(); }
  // Positions: stems 甲 = 0 … 癸 = 9, branches 子 = 0 … 亥 = 11.
  void Choose(int yearStem, int yearBranch, int monthBranch, int dayStem, int dayBranch,
              int hourBranch, const char* startYear) {
    Find<QComboBox>("cbotian0")->setCurrentIndex(yearStem);
    Find<QComboBox>("cbodi0")->setCurrentIndex(yearBranch);
    Find<QComboBox>("cbodi1")->setCurrentIndex(monthBranch);
    Find<QComboBox>("cbotian2")->setCurrentIndex(dayStem);
    Find<QComboBox>("cbodi2")->setCurrentIndex(dayBranch);
    Find<QComboBox>("cbodi3")->setCurrentIndex(hourBranch);
    Find<QLineEdit>("Edtyear")->setText(startYear);
  }

  ScriptedPrompter prompter_;
  TFrmFanTui dialog_{prompter_};
};

TEST_F(ReversePillarsWindowTest, OpenShowsTheChartsPillars) {
  dialog_.Open({41, 3, 35, 57}, false);  // 甲辰 丙寅 戊戌 庚申
  EXPECT_EQ(ToStdString(dialog_.windowTitle()), "四柱排盘");
  EXPECT_EQ(Find<QComboBox>("cbotian0")->currentText(), ToQString("甲"));
  EXPECT_EQ(Find<QComboBox>("cbodi0")->currentText(), ToQString("辰"));
  EXPECT_EQ(Find<QComboBox>("cbodi1")->currentText(), ToQString("寅"));
  EXPECT_EQ(Find<QComboBox>("cbotian2")->currentText(), ToQString("戊"));
  EXPECT_EQ(Find<QComboBox>("cbodi2")->currentText(), ToQString("戌"));
  EXPECT_EQ(Find<QComboBox>("cbodi3")->currentText(), ToQString("申"));
  EXPECT_TRUE(Find<QRadioButton>("Rdonv1")->isChecked());
  EXPECT_FALSE(PaiEnabled());
  EXPECT_EQ(Find<QSpinBox>("Upyear")->value(), 1950);

  dialog_.Open({0, 0, 10, 12}, true);  // 癸亥, 亥 month, 癸酉, 亥 hour
  EXPECT_EQ(Index("cbotian0"), 9);
  EXPECT_EQ(Index("cbodi0"), 11);
  EXPECT_EQ(Index("cbodi1"), 11);
  EXPECT_EQ(Index("cbodi2"), 9);
  EXPECT_EQ(Index("cbodi3"), 11);
  EXPECT_TRUE(Find<QRadioButton>("Rdona1")->isChecked());
}

TEST_F(ReversePillarsWindowTest, FindsAMomentAndHandsItOver) {
  dialog_.Open({41, 3, 35, 57}, true);
  Choose(0, 4, 5, 7, 5, 0, "1950");  // 甲辰 巳 辛巳 子
  QTest::mouseClick(Find<QPushButton>("Btncha"), Qt::LeftButton);
  EXPECT_EQ(Memo(), "符合四柱：\n1964年 6月 1日 0时 0分\n\n");
  EXPECT_TRUE(PaiEnabled());

  Find<QLineEdit>("Edtyear")->setText("2000");
  dialog_.BtnchaClick();
  EXPECT_EQ(Memo(), "符合四柱：\n2024年 5月 17日 0时 0分\n\n");
  EXPECT_EQ(Find<QSpinBox>("Upyear")->value(), 2000);
  EXPECT_TRUE(prompter_.ShownBoxes().empty());

  Find<QRadioButton>("Rdonv1")->setChecked(true);
  int got[6] = {};
  QObject::connect(&dialog_, &TFrmFanTui::ChartMomentChosen,
                   [&](int y, int m, int d, int h, int mi, bool male) {
                     got[0] = y, got[1] = m, got[2] = d, got[3] = h, got[4] = mi, got[5] = male;
                   });
  QTest::mouseClick(Find<QPushButton>("Btnpai"), Qt::LeftButton);
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_EQ(dialog_.FoundMoment(), (YiDate{2024, 5, 17, 0, 0}));
  EXPECT_FALSE(dialog_.IsMale());
  EXPECT_EQ(got[0], 2024);
  EXPECT_EQ(got[2], 17);
  EXPECT_EQ(got[5], 0);
}

TEST_F(ReversePillarsWindowTest, BcStartYearsAndTheYearArrows) {
  Choose(6, 8, 2, 0, 0, 0, "-200");  // 庚申 寅 甲子 子
  dialog_.BtnchaClick();
  EXPECT_EQ(Memo(), "符合四柱：\n-181年 2月 8日 0时 0分\n\n");
  EXPECT_EQ(Find<QSpinBox>("Upyear")->value(), -199);
  EXPECT_EQ(dialog_.FoundMoment().year, -180);
  Find<QSpinBox>("Upyear")->setValue(0);
  EXPECT_EQ(Find<QLineEdit>("Edtyear")->text(), ToQString("-1"));
  Find<QSpinBox>("Upyear")->setValue(1);
  EXPECT_EQ(Find<QLineEdit>("Edtyear")->text(), ToQString("1"));
}

TEST_F(ReversePillarsWindowTest, RefusalsKeepThePaiButtonOff) {
  struct Case {
    int yearStem, yearBranch, dayStem, dayBranch;
    const char* start;
    ScriptedPrompter::Kind kind;
    const char* title;
    const char* text;
  };
  const Case cases[] = {
      {0, 1, 7, 5, "1950", ScriptedPrompter::Kind::Error, "无效的四柱", "不存在这个年柱！"},
      {0, 4, 0, 1, "1950", ScriptedPrompter::Kind::Error, "无效的四柱", "不存在这个日柱！"},
      {0, 4, 7, 5, "0", ScriptedPrompter::Kind::Warning, "年份错误",
       "起始年必须在-"
       "4713到9999年之间，并且没有公元0年\n注意：公元前用负数，比如公元前120年，就输入-120"},
      {0, 4, 7, 5, "-4714", ScriptedPrompter::Kind::Warning, "年份错误", nullptr},
      {0, 4, 7, 5, "x", ScriptedPrompter::Kind::Warning, "年份错误", nullptr},
  };
  for (const Case& c : cases) {
    // A good search first, so that a refusal has something to switch off.
    Choose(0, 4, 5, 7, 5, 0, "1950");
    dialog_.BtnchaClick();
    ASSERT_TRUE(PaiEnabled());
    const size_t before = prompter_.ShownBoxes().size();
    Choose(c.yearStem, c.yearBranch, 5, c.dayStem, c.dayBranch, 0, c.start);
    dialog_.BtnchaClick();
    ASSERT_EQ(prompter_.ShownBoxes().size(), before + 1) << c.start;
    const auto& box = prompter_.ShownBoxes().back();
    EXPECT_EQ(box.kind, c.kind) << c.start;
    EXPECT_EQ(box.title, c.title) << c.start;
    if (c.text != nullptr) {
      EXPECT_EQ(box.text, c.text);
    }
    EXPECT_EQ(PaiEnabled(), box.kind == ScriptedPrompter::Kind::Warning) << c.start;
  }

  // No match before 9999: the text says so and nothing can be handed over.
  Choose(0, 0, 2, 0, 0, 0, "9990");  // 甲子 寅 甲子 子
  dialog_.BtnchaClick();
  EXPECT_EQ(Memo(), "没有符合的四柱，改变起始年反推，或许可以找到。\n\n");
  EXPECT_FALSE(PaiEnabled());
}

// At a large font step the window grows when it is first shown and is centred after that.
TEST(ReversePillarsWindow, IsCentredAfterItWasScaled) {
  ScriptedPrompter prompter;
  MUiFont font(6, false);
  TFrmFanTui dialog(prompter, &font);
  dialog.show();
  EXPECT_GT(dialog.width(), 465);
  const QPoint centre = dialog.screen()->availableGeometry().center();
  EXPECT_LE((dialog.frameGeometry().center() - centre).manhattanLength(), 24)
      << dialog.frameGeometry().center().x() << "," << dialog.frameGeometry().center().y();
  dialog.hide();
}

}  // namespace
}  // namespace taiyi
