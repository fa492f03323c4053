#include "calendar/month_grid.h"

#include <gtest/gtest.h>

#include <string>

namespace taiyi {
namespace {

MonthGrid Grid(const YiDate& date) {
  MYiDateEx service;
  EraNames eras;
  TermEntry terms[25];
  service.YearTerms(date.year, terms);
  return BuildMonthGrid(service, eras, date, terms);
}

TEST(MonthGridTest, ReformMonthSkipsTheTenDroppedDays) {
  const MonthGrid grid = Grid({1582, 10, 20, 12, 0});
  ASSERT_EQ(grid.monthLength, 21);
  ASSERT_EQ(grid.days.size(), 21u);
  EXPECT_EQ(grid.firstColumn, 0);  // 1582-10-01 was a Monday
  EXPECT_EQ(grid.days[3].label, 4);
  EXPECT_EQ(grid.days[3].column, 3);  // Thursday
  EXPECT_EQ(grid.days[4].label, 15);
  EXPECT_EQ(grid.days[4].column, 4);  // Friday
  EXPECT_EQ(grid.days[20].label, 31);
  EXPECT_EQ(grid.days[0].upper, "10月");
  EXPECT_EQ(grid.days[4].upper, "15");
  EXPECT_TRUE(grid.days[9].selected);  // the 20th
  EXPECT_EQ(GridDayAt(grid, 3), 4);
  EXPECT_EQ(GridDayAt(grid, 4), 15);
  EXPECT_EQ(GridDayAt(grid, 20), 31);
  EXPECT_EQ(GridDayAt(grid, 21), 0);
}

TEST(MonthGridTest, TermDaysAndPillarsChangeAtTheTermsMinute) {
  const MonthGrid before = Grid({2024, 2, 4, 16, 26});
  ASSERT_EQ(before.monthLength, 29);
  EXPECT_EQ(before.firstColumn, 3);  // 2024-02-01 is a Thursday
  EXPECT_EQ(before.title, "2024年2月");
  EXPECT_EQ(before.termText, "立春:4日16时27分\n\n雨水:19日12时13分\n\n");
  EXPECT_EQ(before.days[3].upper, "4 立春");
  EXPECT_TRUE(before.days[3].termDay);
  EXPECT_TRUE(before.days[3].selected);
  EXPECT_EQ(before.days[18].upper, "19 雨水");
  EXPECT_FALSE(before.days[4].termDay);
  EXPECT_EQ(before.days[9].lower, "正月初一");  // 2024-02-10
  EXPECT_EQ(before.days[8].lower, "十二月三十");
  EXPECT_EQ(before.terms[2].date.day, kNoTermDay);
  EXPECT_EQ(before.pillarText, "癸卯年\n乙丑月\n戊戌日\n庚申时");
  EXPECT_NE(before.eraTitle.find("公历纪元2023年  【兔年】"), std::string::npos) << before.eraTitle;

  const MonthGrid after = Grid({2024, 2, 4, 16, 27});
  EXPECT_EQ(after.pillarText, "甲辰年\n丙寅月\n戊戌日\n庚申时");
  EXPECT_NE(after.eraTitle.find("公历纪元2024年  【龙年】"), std::string::npos) << after.eraTitle;
}

TEST(MonthGridTest, HourTwentyThreeCountsAsTheNextDay) {
  EXPECT_EQ(Grid({2024, 5, 17, 23, 30}).pillarText, "甲辰年\n己巳月\n壬午日\n庚子时");
  EXPECT_EQ(Grid({2024, 5, 17, 22, 59}).pillarText, "甲辰年\n己巳月\n辛巳日\n己亥时");
}

TEST(MonthGridTest, LeapMonthDaysCarryTheLeapMark) {
  const MonthGrid grid = Grid({2023, 4, 1, 12, 0});
  EXPECT_EQ(grid.days[0].lower, "闰二月十一");
  EXPECT_EQ(grid.days[18].lower, "闰二月廿九");
  EXPECT_EQ(grid.days[19].lower, "三月初一");  // 2023-04-20
}

TEST(MonthGridTest, DatesThatDoNotExistGiveNoGrid) {
  EXPECT_EQ(Grid({2023, 2, 29, 0, 0}).monthLength, 0);
  EXPECT_TRUE(Grid({1582, 10, 10, 0, 0}).days.empty());
  EXPECT_EQ(Grid({-119, 3, 1, 0, 0}).title, "-120年3月");
}

}  // namespace
}  // namespace taiyi
