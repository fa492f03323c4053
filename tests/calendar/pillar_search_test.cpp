#include "calendar/pillar_search.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "calendar/calendar_date.h"
#include "calendar/ganzhi_names.h"

namespace taiyi {
namespace {

std::string Text(const YiDate& d) {
  char text[40];
  std::snprintf(text, sizeof text, "%d-%02d-%02d %02d:%02d", d.year, d.month, d.day, d.hour,
                d.minute);
  return text;
}

std::string Names(const TargetPillars& p) {
  std::string names;
  for (int n : {p.year, p.month, p.day, p.hour}) names += GanZhiName(n);
  return names;
}

TEST(PillarSearchTest, MonthAndHourStemsFollowTheYearAndDayStems) {
  struct Case {
    int stem, branch, monthStem, hourStem;
  };
  const Case cases[] = {
      {1, 3, 3, 3},  // 甲: 丙寅 month, 丙寅 hour
      {1, 1, 3, 1},  // 甲: 丙子 month (the eleventh), 甲子 hour
      {1, 2, 4, 2},  // 甲: 丁丑 month (the twelfth), 乙丑 hour
      {2, 3, 5, 5},  // 乙: 戊寅, 戊寅
      {7, 3, 5, 5},  // 庚: 戊寅, 戊寅
      {0, 3, 1, 1},  // 癸: 甲寅, 甲寅
      {5, 0, 0, 0},  // 戊: 癸亥 month, 癸亥 hour
      {0, 1, 1, 9},  // 癸: 甲子 month, 壬子 hour
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MonthStemOf(c.stem, c.branch), c.monthStem) << c.stem << " " << c.branch;
    EXPECT_EQ(HourStemOf(c.stem, c.branch), c.hourStem) << c.stem << " " << c.branch;
  }
}

TEST(PillarSearchTest, ChoicesWithoutAStemBranchPairAreRefused) {
  PillarChoice choice{1, 5, 6, 8, 6, 1};  // 甲辰 巳 辛巳 子
  PillarBuild built = BuildTargetPillars(choice);
  ASSERT_TRUE(built.pillars);
  EXPECT_EQ(Names(*built.pillars), "甲辰己巳辛巳戊子");

  choice.yearBranch = 2;  // 甲丑
  built = BuildTargetPillars(choice);
  EXPECT_FALSE(built.pillars);
  EXPECT_EQ(NoSuchPillarMessage(built.failed), "不存在这个年柱！");
  choice.yearBranch = 5;
  choice.dayStem = 1;
  choice.dayBranch = 2;  // 甲丑
  built = BuildTargetPillars(choice);
  EXPECT_FALSE(built.pillars);
  EXPECT_EQ(NoSuchPillarMessage(built.failed), "不存在这个日柱！");
}

TEST(PillarSearchTest, StartYears) {
  EXPECT_TRUE(IsValidStartYear(-4713));
  EXPECT_TRUE(IsValidStartYear(9999));
  EXPECT_TRUE(IsValidStartYear(-1));
  EXPECT_FALSE(IsValidStartYear(0));
  EXPECT_FALSE(IsValidStartYear(-4714));
  EXPECT_FALSE(IsValidStartYear(10000));
}

TEST(PillarSearchTest, FindsTheFirstMatchFromTheStartYear) {
  struct Case {
    const char* pillars;
    PillarChoice choice;
    int startYear;
    const char* want;  // empty: no match
  };
  const Case cases[] = {
      {"甲辰 巳 辛巳 子", {1, 5, 6, 8, 6, 1}, 1950, "1964-06-01 00:00"},
      {"甲辰 巳 辛巳 子", {1, 5, 6, 8, 6, 1}, 2000, "2024-05-17 00:00"},
      // 2084 has no 辛巳 day in its 巳 month, nor has 2144.
      {"甲辰 巳 辛巳 子", {1, 5, 6, 8, 6, 1}, 2025, "2204-06-03 00:00"},
      // The 丑 month of 甲辰 lies after 小寒 of 2025.
      {"甲辰 丑 戊戌 亥", {1, 5, 2, 5, 11, 0}, 2000, "2025-01-29 22:00"},
      // 2024-02-04 is a 戊戌 day, but 16:00 lies before 立春 at 16:27.
      {"甲辰 寅 戊戌 申", {1, 5, 3, 5, 11, 9}, 2000, "2204-02-21 16:00"},
      {"甲辰 寅 戊戌 酉", {1, 5, 3, 5, 11, 10}, 2000, "2024-02-04 18:00"},
  };
  MYiDateEx service;
  for (const Case& c : cases) {
    const PillarBuild built = BuildTargetPillars(c.choice);
    ASSERT_TRUE(built.pillars) << c.pillars;
    const std::optional<YiDate> found = FindPillarMoment(service, c.startYear, *built.pillars);
    ASSERT_TRUE(found) << c.pillars;
    EXPECT_EQ(Text(*found), c.want) << c.pillars << " from " << c.startYear;
    const FourPillarsResult p = service.FourPillars(*found, *found, false);
    EXPECT_EQ(Names({p.year, p.month, p.day, p.hour}), Names(*built.pillars)) << c.pillars;
  }
  EXPECT_EQ(PillarMomentText({1964, 6, 1, 0, 0}), "1964年 6月 1日 0时 0分");
  EXPECT_EQ(PillarMomentText({-119, 3, 5, 14, 0}), "-120年 3月 5日 14时 0分");
}

// Every moment's own pillars lead back to it, moved to the even hour that opens the search's
// hour (23:00 to 00:00 of the next day), unless that even hour lies before the term that
// opens the month: the search then finds a match 60 or more years on.
TEST(PillarSearchTest, PillarsOfAnyMomentLeadBackToIt) {
  MYiDateEx service;
  std::mt19937 random(20241210);
  std::uniform_int_distribution<int> dayNumber(JulianDayNumber(-4000, 1, 1),
                                               JulianDayNumber(9000, 12, 31));
  std::uniform_int_distribution<int> minuteOfDay(0, 24 * 60 - 1);
  int exact = 0;
  for (int i = 0; i < 1000; ++i) {
    YiDate moment;
    service.FromJulianDay(dayNumber(random) + 0.5 + minuteOfDay(random) / 1440.0 + 1e-6, moment);
    const FourPillarsResult p = service.FourPillars(moment, moment, false);
    const TargetPillars target{p.year, p.month, p.day, p.hour};

    YiDate even = moment;
    if (even.hour == 23) service.NextDay(even);
    even.hour = static_cast<int16_t>(even.hour == 23 ? 0 : (even.hour + 1) / 2 * 2);
    even.minute = 0;
    const FourPillarsResult q = service.FourPillars(even, even, false);
    const bool evenMatches = q.year == p.year && q.month == p.month && q.day == p.day;

    const std::optional<YiDate> found = FindPillarMoment(service, p.pillarYear, target);
    ASSERT_TRUE(found) << Text(moment);
    const FourPillarsResult f = service.FourPillars(*found, *found, false);
    EXPECT_EQ(Names({f.year, f.month, f.day, f.hour}), Names(target)) << Text(moment);
    if (evenMatches) {
      EXPECT_EQ(Text(*found), Text(even)) << Text(moment);
      ++exact;
    } else {
      EXPECT_GE(found->year, moment.year + 59) << Text(moment);
    }
  }
  EXPECT_GT(exact, 950);
}

TEST(PillarSearchTest, NoMatchBeforeTheLastYear) {
  MYiDateEx service;
  // 9999 holds no 甲子 year: the first candidate would be 10024.
  const PillarBuild built = BuildTargetPillars({1, 1, 3, 1, 1, 1});
  ASSERT_TRUE(built.pillars);
  EXPECT_FALSE(FindPillarMoment(service, 9990, *built.pillars));
}

}  // namespace
}  // namespace taiyi
