#include <gtest/gtest.h>

#include <string>

#include "calendar/ganzhi_names.h"

namespace taiyi {
namespace {

TEST(GanZhiNames, TablesFollowTheSexagenaryNumbering) {
  for (int n = 0; n < 60; ++n) {
    const std::string composed =
        std::string(kStemNames[n % 10]) + std::string(kBranchNames[n % 12]);
    EXPECT_EQ(kGanZhiNames[n], composed) << n;
    EXPECT_EQ(GanZhiIndex(StemOf(n), BranchOf(n)), n) << n;
  }
  EXPECT_EQ(GanZhiName(1), "甲子");
  EXPECT_EQ(GanZhiName(0), "癸亥");
  EXPECT_EQ(GanZhiName(59), "壬戌");
  EXPECT_EQ(GanZhiName(-1), "壬戌");
  EXPECT_EQ(kZodiacNames[BranchOf(41)], "龙");  // 甲辰
  EXPECT_EQ(kSolarTermNames[2], "立春");
  EXPECT_EQ(kSolarTermNames[23], "冬至");
  EXPECT_EQ(kWeekdayHeaders[6], "日");
}

TEST(GanZhiNames, GanZhiIndexOfStemAndBranch) {
  struct Case {
    int stem, branch, want;
  };
  for (const Case& c : {Case{0, 0, 0}, Case{1, 1, 1}, Case{9, 9, 9}, Case{0, 2, 50},
                        Case{1, 11, 11}, Case{9, 11, 59}, Case{2, 0, 12}}) {
    EXPECT_EQ(GanZhiIndex(c.stem, c.branch), c.want) << c.stem << "," << c.branch;
  }
}

TEST(GanZhiNames, ChineseNumber) {
  struct Case {
    int n;
    const char* want;
  };
  for (const Case& c : {Case{1, "一"},
                        Case{9, "九"},
                        Case{10, "十"},
                        Case{11, "十一"},
                        Case{19, "十九"},
                        Case{20, "二十"},
                        Case{21, "廿一"},
                        Case{25, "廿五"},
                        Case{30, "三十"},
                        Case{31, "三一"},
                        Case{99, "九九"},
                        Case{100, "一○○"},
                        Case{0, "○○○○"},
                        Case{1900, "一九○○"},
                        Case{2024, "二○二四"},
                        Case{9999, "九九九九"},
                        Case{-5, "前五"},
                        Case{-15, "前一五"},
                        Case{-120, "前一二○"},
                        Case{-9999, "前九九九九"},
                        Case{12345, "一二三四五"}}) {
    EXPECT_EQ(ChineseNumber(c.n), c.want) << c.n;
  }
}

TEST(GanZhiNames, LunarMonthAndDayNames) {
  EXPECT_EQ(LunarMonthName(1, false), "正月");
  EXPECT_EQ(LunarMonthName(1, true), "闰正月");
  EXPECT_EQ(LunarMonthName(4, true), "闰四月");
  EXPECT_EQ(LunarMonthName(11, false), "十一月");
  EXPECT_EQ(LunarMonthName(12, false), "十二月");
  EXPECT_EQ(LunarMonthName(13, false), "十三月");
  struct Case {
    int day;
    const char* want;
  };
  for (const Case& c : {Case{1, "初一"}, Case{10, "初十"}, Case{11, "十一"}, Case{20, "二十"},
                        Case{21, "廿一"}, Case{29, "廿九"}, Case{30, "三十"}}) {
    EXPECT_EQ(LunarDayName(c.day), c.want) << c.day;
  }
}

}  // namespace
}  // namespace taiyi
