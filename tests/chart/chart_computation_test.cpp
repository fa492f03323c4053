#include "chart/chart_computation.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

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
  EXPECT_EQ(off.chart.pillars.pillars.day, 56);  // next day 己未
  EXPECT_EQ(off.chart.pillars.pillars.hour, 1);  // 甲子 hour of a 己 day
  ChartSettings zishi;
  zishi.zishi = true;
  const ChartResult on = ComputeChart(r, zishi, dates);
  EXPECT_EQ(on.chart.pillars.pillars.day, 55);
  EXPECT_EQ(on.chart.pillars.pillars.hour, 1);     // 壬子 (49) of the 戊 day + 12
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

// The offence-year scan reads only where a 流年 puts 太岁 and the age limits; the lean answer
// must be the full flow chart's, also where that flow fails (before birth, past 150 years,
// beyond 9999) and around 立春, under corrected time and for both sexes.
TEST(FlowChart, YearPalacesAreThoseOfTheFullFlow) {
  struct Case {
    int y, m, d, h, mi;
    bool male;
    int iDate;
    float longitude;
  } cases[] = {{1980, 5, 5, 10, 30, true, 0, 120},
               {1950, 1, 10, 0, 0, false, 1, 87.6f},
               {-200, 2, 3, 23, 50, true, 2, 135},
               {9950, 12, 31, 23, 0, false, 0, 120}};
  MYiDateEx dates;
  for (const Case& c : cases) {
    ChartRequest r = Request(ChartKind::kLife, c.y, c.m, c.d, c.h, c.mi);
    r.male = c.male;
    r.longitude = c.longitude;
    ChartSettings settings;
    settings.iDate = c.iDate;
    const ChartResult natal = ComputeChart(r, settings, dates);
    ASSERT_TRUE(natal.ok) << c.y;
    const double birth = natal.chart.moments.clockJulianDay;
    std::vector<double> moments = {birth - 1, birth + 0.0034722, birth + 54788};
    for (int k = 1; k <= 100; ++k) {
      const double spring = dates.ToJulianDay(dates.TermDate(int16_t(c.y + k), 2, true));
      moments.insert(moments.end(), {spring - 1.0 / 1440, spring, spring + 1});
    }
    for (double moment : moments) {
      const FlowResult full = MakeFlowChart(natal.chart, moment, 1, dates);
      FlowYearPalaces lean;
      ASSERT_EQ(FlowYearPalacesAt(natal.chart, moment, dates, lean), full.ok)
          << c.y << " " << moment;
      if (!full.ok) continue;
      const DeityFactsTable& f = full.flow.facts;
      EXPECT_EQ(lean.taiSui, f[kTaiSui].palace) << moment;
      EXPECT_EQ(lean.yangJiu, f[kYearYangJiu].palace) << moment;
      EXPECT_EQ(lean.baiLiuGreat, f[kBaiLiuGreat].palace) << moment;
      EXPECT_EQ(lean.baiLiuSmall, f[kBaiLiuSmall].palace) << moment;
    }
  }
}

TEST(FlowChart, AgeLimits) {
  // Month stem 甲: 阳九 starts on 午 with threshold 5; key 庚申 (57): 巳, threshold 4.
  struct Case {
    int age;
    bool male;
    int yangJiu, great, small;
  } cases[] = {{4, true, 7, 6, 6},  {5, true, 7, 7, 5},  {15, true, 8, 8, 7},
               {16, true, 9, 8, 6}, {5, false, 7, 5, 7}, {16, false, 5, 4, 6}};
  for (const Case& c : cases) {
    const AgeLimits l = AgeLimitsAt(c.age, c.male, 1, 57);
    EXPECT_EQ(l.yangJiu, c.yangJiu) << c.age;
    EXPECT_EQ(l.baiLiuGreat, c.great) << c.age;
    EXPECT_EQ(l.baiLiuSmall, c.small) << c.age;
  }
}

// 1980-05-05 10:30, a man: 庚申 庚辰 戊寅 丁巳, 阳遁 P = 14, counts 9 / 7; 命宫 酉, 身宫 午.
// Positions: 子 计神 定参将 民基 | 亥 合神 | 乾 客参将 五福 地乙 | 戌 臣基 | 酉 太乙 定目 定大将
// 小游 | 坤 始击 主参将 客大将 大游 … | 午 文昌 君基 … | 巳 飞符 | 巽 主大将 直符 天皇 | 辰 天时 |
// 寅 太岁 | 中 四神 三风.
TEST(AnalysisFacts, LifeChartFieldByField) {
  MYiDateEx dates;
  const ChartResult r = ComputeChart(Request(ChartKind::kLife, 1980, 5, 5, 10, 30), {}, dates);
  ASSERT_TRUE(r.ok);
  const ComputedChart& c = r.chart;
  ASSERT_TRUE(c.lifePalaces);
  // A yang year with a man runs forward from 酉.
  struct Palace {
    int branch, governing;
    bool own;
    int palace;
  } want[kLifePalaceCount] = {
      {10, kPosYou, true, 6},  // 命 酉: 太乙
      {11, kPosXu, true, 1},   // 兄弟 戌: 臣基
      {0, kPosSi, false, 2},   // 配偶 亥: 合神 has no text; opposite 巳 飞符
      {1, kPosZi, true, 8},    // 子女 子
      {2, kPosSi, false, 2},   // 财帛 丑: 丑 and 未 empty; 三合 巳
      {3, kPosWu, false, 2},   // 田宅 寅: 太岁 has no text, 申 empty; 三合 午
      {4, kPosYou, false, 6},  // 官禄 卯: opposite 酉
      {5, kPosXu, false, 1},   // 奴仆 辰: 天时 has no text; opposite 戌
      {6, kPosSi, true, 2},    // 疾病 巳
      {7, kPosWu, true, 2},    // 福德 午
      {8, kPosWei, false, 7},  // 相貌 未: no candidate holds a deity with texts
      {9, kPosZi, false, 8},   // 父母 申: 三合 子
  };
  for (int i = 0; i < kLifePalaceCount; ++i) {
    const LifePalace& lp = c.lifePalaces->palaces[i];
    EXPECT_EQ(lp.branch, want[i].branch) << i;
    EXPECT_EQ(lp.governingPosition, want[i].governing) << i;
    EXPECT_EQ(lp.own, want[i].own) << i;
    EXPECT_EQ(lp.palace, want[i].palace) << i;
  }
  EXPECT_EQ(c.lifePalaces->body, kLifeFortune);  // 午

  // 小游 in 6; 始击 in 7 is its neighbour: 击 only.  Nothing else: 文昌 2, 主大将 9,
  // 主参将 7, 客大将 7, 客参将 1, and 4 opposite 6 is empty.
  for (int i = 0; i < kConditionCount; ++i) EXPECT_EQ(c.conditions[i].present, i == kCondJi) << i;
  EXPECT_EQ(c.conditions[kCondJi].palace, 6);
  EXPECT_EQ(c.conditions[kCondJi].lifePalace, kLifeMing);
  for (int i = 0; i < kCountPatternCount; ++i) EXPECT_EQ(c.patterns[i], i == kNoHeaven) << i;

  struct Fact {
    DeityCode code;
    int position, palace, element, strength, lifePalace;
    bool inBody;
  } facts[] = {
      {kTaiSui, kPosYin, 4, 4, 1, kLifeProperty, false},       // 金 of 申 on 寅: 绝
      {kHeShen, kPosHai, 8, 2, 1, kLifeSpouse, false},         // 火 of 巳 on 亥: 绝
      {kTaiYi, kPosYou, 6, 1, 2, kLifeMing, false},            // 木 on 酉: 胎
      {kWenChang, kPosWu, 2, 3, 3, kLifeFortune, true},        // 土 on 午: 帝旺
      {kShiJi, kPosKun, 7, 2, 2, kNoLifePalace, false},        // 火 on 坤 土
      {kHostGeneral, kPosXun, 9, 4, 1, kNoLifePalace, false},  // 金 on 巽 木
      {kZhiFu, kPosXun, 9, 2, 3, kNoLifePalace, false},        // 火 on 巽 木
      {kChenJi, kPosXu, 1, 3, 3, kLifeSiblings, false},        // 土 on 戌
      {kFeiFu, kPosSi, 2, 2, 3, kLifeHealth, false},           // 火 on 巳: 临官
      {kSiShen, -1, 5, 0, 1, kNoLifePalace, false},            // 水 in the centre (土)
      {kDingMu, kPosYou, 6, -1, 0, kLifeMing, false},
  };
  for (const Fact& f : facts) {
    const DeityFacts& got = c.facts[f.code];
    EXPECT_TRUE(got.present) << int(f.code);
    EXPECT_EQ(got.position, f.position) << int(f.code);
    EXPECT_EQ(got.palace, f.palace) << int(f.code);
    EXPECT_EQ(got.element, f.element) << int(f.code);
    EXPECT_EQ(got.strength, f.strength) << int(f.code);
    EXPECT_EQ(got.lifePalace, f.lifePalace) << int(f.code);
    EXPECT_EQ(got.inBody, f.inBody) << int(f.code);
  }
  EXPECT_FALSE(c.facts[kYearYangJiu].present);
  EXPECT_FALSE(c.facts[kBaiLiuGreat].present);
}

// The three period charts of 2004-06-01 12:00 (甲申 己巳 辛亥 甲午).
TEST(AnalysisFacts, PeriodChartConditionsAndPatterns) {
  MYiDateEx dates;
  struct Case {
    ChartKind kind;
    std::vector<std::pair<int, int>> conditions;  // condition, palace
    std::vector<int> patterns;
  } cases[] = {
      // 太乙 and 始击 on 艮, 文昌 午; counts 24 / 3.
      {ChartKind::kYear, {{kCondYan, 3}}, {kMixedDoubleYin, kNoHeaven, kNoEarth}},
      // 太乙 子, 始击 戌 (1) beside it, 客大将 午 opposite; counts 25 / 2.
      {ChartKind::kHour, {{kCondJi, 8}, {kCondGe, 8}}, {kNoHeaven, kNoEarth, kBlockedNoGate}},
      // 太乙 巽, 始击 戌 opposite; counts 16 / 17 with 文昌 on 亥, a yang palace, so no 阴中重阳数.
      {ChartKind::kDay, {{kCondGe, 9}}, {kLowerHarmony}},
  };
  for (const Case& k : cases) {
    const ChartResult r = ComputeChart(Request(k.kind, 2004, 6, 1, 12, 0), {}, dates);
    ASSERT_TRUE(r.ok);
    EXPECT_FALSE(r.chart.lifePalaces);
    ConditionSet want{};
    for (auto [cond, palace] : k.conditions) want[cond] = {true, palace, kNoLifePalace};
    EXPECT_EQ(r.chart.conditions, want) << int(k.kind);
    CountPatterns patterns{};
    for (int p : k.patterns) patterns[p] = true;
    EXPECT_EQ(r.chart.patterns, patterns) << int(k.kind);
    for (const DeityFacts& f : r.chart.facts) EXPECT_EQ(f.lifePalace, kNoLifePalace);
  }
}

TEST(AnalysisFacts, FlowFactsComeFromTheFlowEntries) {
  MYiDateEx dates;
  const ChartResult natal = ComputeChart(Request(ChartKind::kLife, 1980, 5, 5, 10, 30), {}, dates);
  ASSERT_TRUE(natal.ok);
  const ConditionSet before = natal.chart.conditions;
  const FlowResult f = MakeFlowChart(
      natal.chart, dates.ToJulianDay(YiDate{2004, 6, 1, 12, 0}) + 3.0 / 86400, 1, dates);
  ASSERT_TRUE(f.ok);
  const DeityFactsTable& ff = f.flow.facts;
  // Flow year 甲申: 太岁 on 申 with 金 (临官), 合神 on 巳 with 火.
  EXPECT_EQ(ff[kTaiSui].position, kPosShen);
  EXPECT_EQ(ff[kTaiSui].element, 4);
  EXPECT_EQ(ff[kTaiSui].strength, 3);
  EXPECT_EQ(ff[kTaiSui].lifePalace, kLifeParents);
  EXPECT_EQ(ff[kHeShen].position, kPosSi);
  EXPECT_EQ(ff[kHeShen].element, 2);
  EXPECT_EQ(ff[kTaiYi].position, kPosGen);  // natal 太乙 stands on 酉
  // Age 25: the three limits all on 申, palace 6.
  for (DeityCode limit : {kYearYangJiu, kBaiLiuGreat, kBaiLiuSmall}) {
    EXPECT_TRUE(ff[limit].present);
    EXPECT_EQ(ff[limit].palace, 6);
  }
  EXPECT_FALSE(ff[kTianHuang].present);  // no ten-essence deities in a flow
  EXPECT_EQ(natal.chart.conditions, before);
  EXPECT_EQ(natal.chart.facts[kTaiYi].position, kPosYou);
}

}  // namespace
}  // namespace taiyi
