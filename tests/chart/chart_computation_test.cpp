#include "chart/chart_computation.h"

#include <gtest/gtest.h>

#include "calendar/date_service.h"
#include "chart/flow_chart.h"

namespace taiyi {
namespace {

ChartRequest Request(ChartKind kind, int y, int m, int d, int h, int mi) {
  ChartRequest r;
  r.kind = kind;
  r.SetDate(YiDate{int16_t(y), int16_t(m), int16_t(d), int16_t(h), int16_t(mi)});
  return r;
}

TEST(ChartMoments, FailuresCarryTheirMessages) {
  MYiDateEx dates;
  EXPECT_EQ(ComputeChart(Request(ChartKind::kDay, 1582, 10, 10, 12, 0), {}, dates).error,
            "不存在这个日期");
  ChartRequest lunar = Request(ChartKind::kDay, 2023, 3, 1, 12, 0);
  lunar.lunar = true;
  lunar.leapMonth = true;  // 2023 has a leap second month, not a leap third
  EXPECT_EQ(ComputeChart(lunar, {}, dates).error, "不存在这个农历日期，无法转换到公历！");
  EXPECT_EQ(ComputeChart(Request(ChartKind::kDay, 9999, 12, 31, 23, 30), {}, dates).error,
            "时间越界，年份在 -4713到9999之间");
}

TEST(PillarsJu, MonthPillarsAndAccumulation) {
  MYiDateEx dates;
  struct Case {
    int m, d, year, month;
  } cases[] = {{3, 1, 1, 3}, {3, 10, 1, 4}};
  for (const Case& c : cases) {
    const ChartResult r = ComputeChart(Request(ChartKind::kYear, 1984, c.m, c.d, 12, 0), {}, dates);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.chart.pillars.pillars.year, c.year);
    EXPECT_EQ(r.chart.pillars.pillars.month, c.month);
  }
  const ChartResult y2004 = ComputeChart(Request(ChartKind::kYear, 2004, 6, 1, 12, 0), {}, dates);
  EXPECT_EQ(y2004.chart.ju.accumulated, 10155920);
  EXPECT_EQ(y2004.chart.ju.period, 320);
  // One minute before 立春 (2004-02-04 19:56) the year is still 2003.
  const ChartResult jan = ComputeChart(Request(ChartKind::kYear, 2004, 2, 4, 19, 55), {}, dates);
  EXPECT_EQ(jan.chart.pillars.taiyiYear, 2003);
  EXPECT_EQ(jan.chart.ju.accumulated, 10155919);
}

TEST(PillarsJu, LateHourWithAndWithoutZishi) {
  MYiDateEx dates;
  const ChartRequest r = Request(ChartKind::kHour, 2000, 1, 1, 23, 10);  // 2000-01-01 is 戊午 (55)
  const ChartResult off = ComputeChart(r, {}, dates);
  EXPECT_EQ(off.chart.pillars.pillars.day, 56);   // next day 己未
  EXPECT_EQ(off.chart.pillars.pillars.hour, 1);  // 甲子 hour of a 己 day
  ChartSettings zishi;
  zishi.zishi = true;
  const ChartResult on = ComputeChart(r, zishi, dates);
  EXPECT_EQ(on.chart.pillars.pillars.day, 55);
  EXPECT_EQ(on.chart.pillars.pillars.hour, 1);  // 壬子 (49) of the 戊 day + 12
  EXPECT_EQ(off.chart.moments.lunarDate.day, 26);  // lunar date of 2000-01-02
}

TEST(PillarsJu, PeriodEndAndJuDesignations) {
  const JuFacts j = JuOfPeriod(CycleRule::kDay, ChartKind::kDay, 0, 359, true, {}, 2000);
  EXPECT_EQ(j.ji, 5);
  EXPECT_EQ(j.yuan, 4);
  EXPECT_EQ(j.ju, 72);
  EXPECT_FALSE(j.hasGate);
  const JuFacts one = JuOfPeriod(CycleRule::kDay, ChartKind::kDay, 0, 0, true, {}, 2000);
  EXPECT_EQ(one.juGanZhi, (std::array<int, 5>{1, 13, 25, 37, 49}));  // 甲子 丙子 戊子 庚子 壬子
}

TEST(FlowChart, RangeAgeAndMarker) {
  MYiDateEx dates;
  const ChartResult natal = ComputeChart(Request(ChartKind::kLife, 1980, 5, 5, 10, 30), {}, dates);
  ASSERT_TRUE(natal.ok);
  const double birth = natal.chart.moments.clockJulianDay;
  EXPECT_EQ(MakeFlowChart(natal.chart, birth - 1, 1, dates).error, kFlowRangeMessage);
  EXPECT_EQ(MakeFlowChart(natal.chart, birth + 54788.5, 1, dates).error, kFlowRangeMessage);
  const FlowResult same = MakeFlowChart(natal.chart, birth + 3.0 / 86400, 1, dates);
  ASSERT_TRUE(same.ok);
  EXPECT_EQ(same.flow.age, 1);
  YiDate d2004{2004, 6, 1, 12, 0};
  const FlowResult f = MakeFlowChart(natal.chart, dates.ToJulianDay(d2004) + 3.0 / 86400, 1, dates);
  ASSERT_TRUE(f.ok);
  EXPECT_EQ(f.flow.age, 25);
  for (const PositionList& list : f.flow.positions) {
    EXPECT_EQ(std::count(list.begin(), list.end(), kFlowMarker), 1);
    for (DeityCode c : FlowEntries(list)) EXPECT_FALSE(IsTenEssence(c));
  }
}

TEST(FlowChart, AgeLimits) {
  // Month stem 甲: 阳九 starts on 午 with threshold 5; key 庚申 (57): 巳, threshold 4.
  struct Case {
    int age;
    bool male;
    int yangJiu, great, small;
  } cases[] = {{4, true, 7, 6, 6},   {5, true, 7, 7, 5},  {15, true, 8, 8, 7},
               {16, true, 9, 8, 6}, {5, false, 7, 5, 7}, {16, false, 5, 4, 6}};
  for (const Case& c : cases) {
    const AgeLimits l = AgeLimitsAt(c.age, c.male, 1, 57);
    EXPECT_EQ(l.yangJiu, c.yangJiu) << c.age;
    EXPECT_EQ(l.baiLiuGreat, c.great) << c.age;
    EXPECT_EQ(l.baiLiuSmall, c.small) << c.age;
  }
}

}  // namespace
}  // namespace taiyi
