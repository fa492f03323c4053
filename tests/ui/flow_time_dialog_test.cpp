#include "ui/main_window/flow_time_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>

#include "ui/widgets/ui_font.h"
#include "ui/widgets/up_down.h"

namespace taiyi {
namespace {

class FlowTimeDialogTest : public ::testing::Test {
 protected:
  template <typename T>
  T* Find(const char* name) {
    T* control = dialog_.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QString Year() { return Find<QLineEdit>("EdtYear")->text(); }
  void Choose(int month, int day, int hour, int minute) {
    Find<QComboBox>("cbom")->setCurrentIndex(month - 1);
    Find<QComboBox>("cbod")->setCurrentIndex(day - 1);
    Find<QComboBox>("cbos")->setCurrentIndex(hour);
    Find<QComboBox>("cbomin")->setCurrentIndex(minute);
  }
  double JulianDay(int year, int month, int day, int hour, int minute) {
    return dates_.ToJulianDay(
        YiDate{int16_t(year), int16_t(month), int16_t(day), int16_t(hour), int16_t(minute)});
  }

  MYiDateEx dates_;
  MUiFont font_{0, false};
  ScriptedPrompter prompter_;
  TFrmLiu dialog_{font_, prompter_};
};

TEST_F(FlowTimeDialogTest, ListsTheMonthsDaysHoursWithTheirBranchAndMinutes) {
  EXPECT_EQ(dialog_.windowTitle(), QStringLiteral("流年时间(公历)"));
  EXPECT_EQ(Year(), QStringLiteral("2004"));
  auto* hours = Find<QComboBox>("cbos");
  ASSERT_EQ(hours->count(), 24);
  EXPECT_EQ(hours->itemText(0), QStringLiteral("0时子"));
  EXPECT_EQ(hours->itemText(2), QStringLiteral("2时丑"));
  EXPECT_EQ(hours->itemText(23), QStringLiteral("23时子"));
  EXPECT_EQ(Find<QComboBox>("cbom")->itemText(11), QStringLiteral("12月"));
  EXPECT_EQ(Find<QComboBox>("cbod")->count(), 31);
  EXPECT_EQ(Find<QComboBox>("cbomin")->itemText(59), QStringLiteral("59分"));
}

TEST_F(FlowTimeDialogTest, ABcMomentOpensInTheUsersNumberingAndComesBackUnchanged) {
  const double jd = JulianDay(-119, 3, 4, 23, 30);
  dialog_.Load(jd + 0.2 / 86400);  // seconds inside the minute do not matter
  EXPECT_EQ(Year(), QStringLiteral("-120"));
  EXPECT_EQ(Find<UpDown>("UpDyear")->Position(), -119);
  EXPECT_EQ(Find<QComboBox>("cbos")->currentText(), QStringLiteral("23时子"));
  EXPECT_EQ(Find<QComboBox>("cbomin")->currentIndex(), 30);
  dialog_.BtnokClick();
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_TRUE(prompter_.ShownBoxes().empty());
  EXPECT_DOUBLE_EQ(dialog_.FlowJulianDay(), jd);
}

TEST_F(FlowTimeDialogTest, RefusesBadYearsAndDatesAndStaysOpen) {
  struct Case {
    const char* year;
    int month, day;
    const char* title;
  };
  const double loaded = JulianDay(2020, 5, 6, 7, 8);
  for (const Case& c :
       {Case{"0", 1, 1, "年份错误"}, Case{"-4714", 1, 1, "年份错误"}, Case{"abc", 1, 1, "年份错误"},
        Case{"1582", 10, 10, "日期错误"}, Case{"2023", 2, 29, "日期错误"}}) {
    ScriptedPrompter prompter;
    TFrmLiu dialog(font_, prompter);
    dialog.Load(loaded);
    dialog.findChild<QLineEdit*>("EdtYear")->setText(c.year);
    dialog.findChild<QComboBox*>("cbom")->setCurrentIndex(c.month - 1);
    dialog.findChild<QComboBox*>("cbod")->setCurrentIndex(c.day - 1);
    dialog.BtnokClick();
    EXPECT_NE(dialog.result(), QDialog::Accepted) << c.year;
    ASSERT_EQ(prompter.ShownBoxes().size(), 1u) << c.year;
    EXPECT_EQ(prompter.ShownBoxes()[0].kind, ScriptedPrompter::Kind::Warning);
    EXPECT_EQ(prompter.ShownBoxes()[0].title, c.title);
    EXPECT_EQ(prompter.LastText(), std::string(c.title) == "年份错误"
                                       ? "年份必须在-4713到9999年之间，并且没有公元0年\r\n"
                                         "注意：公元前用负数，比如公元前120年，就输入-120"
                                       : "不存在这个日期");
    EXPECT_DOUBLE_EQ(dialog.FlowJulianDay(), loaded);
  }
}

TEST_F(FlowTimeDialogTest, ATypedMomentIsCheckedAndHandedBack) {
  dialog_.Load(JulianDay(2004, 1, 1, 0, 0));
  Find<QLineEdit>("EdtYear")->setText("-4713");
  Choose(1, 1, 12, 0);
  dialog_.BtnokClick();
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_EQ(Find<UpDown>("UpDyear")->Position(), -4712);
  EXPECT_DOUBLE_EQ(dialog_.FlowJulianDay(), JulianDay(-4712, 1, 1, 12, 0));
}

TEST_F(FlowTimeDialogTest, TheArrowsAndTheClockSetTheYear) {
  dialog_.Load(JulianDay(1, 6, 1, 0, 0));
  auto* arrows = Find<UpDown>("UpDyear");
  arrows->stepBy(-1);
  EXPECT_EQ(Year(), QStringLiteral("-1"));
  arrows->setValue(-4712);
  arrows->stepBy(-1);  // no wrap at the end of the range
  EXPECT_EQ(arrows->Position(), -4712);
  EXPECT_EQ(Year(), QStringLiteral("-4713"));

  dialog_.SetClock([] { return QDateTime(QDate(2026, 12, 10), QTime(21, 5)); });
  dialog_.SbtoNowClick();
  EXPECT_EQ(Year(), QStringLiteral("2026"));
  EXPECT_EQ(arrows->Position(), 2026);
  EXPECT_EQ(Find<QComboBox>("cbos")->currentText(), QStringLiteral("21时亥"));
  dialog_.BtnokClick();
  EXPECT_DOUBLE_EQ(dialog_.FlowJulianDay(), JulianDay(2026, 12, 10, 21, 5));

  dialog_.SetClock([] { return QDateTime(QDate(12000, 1, 2), QTime(3, 4)); });
  dialog_.SbtoNowClick();
  EXPECT_EQ(Year(), QStringLiteral("2100"));
}

}  // namespace
}  // namespace taiyi
