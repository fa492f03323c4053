// The written analysis: exact texts of life and period charts, the offence-year lists, the
// 囚 closing text for a woman only, the 命 palace stars and the 五福 combinations.

#include <gtest/gtest.h>

#include <string>

#include "calendar/date_service.h"
#include "chart/analysis_lines.h"
#include "chart/analysis_texts.h"
#include "chart/chart_analysis.h"
#include "chart/life_analysis.h"
#include "chart/offence_years.h"

namespace taiyi {
namespace {

constexpr const char* kKeys[] = {"WuFu",    "JunJi",  "ChenJi", "MinJi",  "WenChang", "JiShen",
                                 "XiaoYou", "ZhuDa",  "KeDa",   "ZhuCan", "KeCan",    "ShiJi",
                                 "FeiFu",   "SiShen", "TianYi", "DiYi"};
constexpr const char* kLinePlaces[] = {"子", "丑", "寅", "卯", "辰", "巳", "午", "未",
                                       "申", "酉", "戌", "亥", "乾", "艮", "巽", "坤"};

// Star texts whose lines name their key and place: "KeDa总", "KeDa午", "上等:KeDa".
StarTexts FixtureStars() {
  std::string text;
  for (const char* k : kKeys) {
    text += std::string("[") + k + "]\n" + k + "总\n";
    for (const char* p : kLinePlaces) text += std::string(k) + p + "\n";
    text += std::string("[end]\n[") + k + "_Grade]\n" + k + "\n上等:" + k + "\n中等:" + k +
            "\n下等:" + k + "\n[end]\n";
  }
  StarTexts stars;
  stars.Parse(text);
  return stars;
}

class AnalysisTextTest : public ::testing::Test {
 protected:
  ComputedChart Chart(ChartKind kind, YiDate date, bool male) {
    ChartRequest r;
    r.kind = kind;
    r.SetDate(date);
    r.male = male;
    const ChartResult res = ComputeChart(r, {}, dates_);
    EXPECT_TRUE(res.ok) << res.error;
    return res.chart;
  }
  std::string Text(const ComputedChart& chart) {
    RichTextRecorder sink;
    WriteAnalysis(chart, stars_, dates_, sink);
    for (const auto& p : sink.Paragraphs()) {
      EXPECT_EQ(p.colour, 0x00FF0000u);
      EXPECT_TRUE(p.bold);
    }
    return sink.PlainText();
  }
  MYiDateEx dates_;
  StarTexts stars_ = FixtureStars();
};

// 1950-01-10 00:00: 命 governed by 午 (太乙 without a section, then 客大将); 迫 and 囚 in 二宫;
// counts 10 and 32.  The 太岁 list holds the 巳 and 午 years.
TEST_F(AnalysisTextTest, LifeChartWithConditionsAndPatterns) {
  const std::string years20 =
      "1992、1993、1994、1995、1996、1997、1998、1999、2000、2001、2002、2003、2004、2005、2006、"
      "2007、2008、2009、2010、2011";
  const std::string baiLiu =
      "1949、1950、1951、1952、1953、1954、1955、1956、1957、1958、1959、1960、1961、1962、1963、"
      "1964、1965、1976、1977、1988、1989、2000、2001、2012、2013、2024、2025、2036、2037、2048";
  const std::string want =
      "命宫无主星，可看对宫或者三合宫。\n\n命宫:KeDa总\n\n命宫:KeDa午\n\n\n"
      "★客大将入命，中等:KeDa\n\n"
      "格局：迫(二宫-官禄宫)、囚(二宫-官禄宫)。\n"
      "命局：迫(二宫-官禄宫)，太岁逢之，主灾祸并废。犯事年份：1953、1954、1965、1966、1977、1978、"
      "1989、1990、2001、2002、2013、2014、2025、2026、2037、2038。\n\n"
      "命局：迫(二宫-官禄宫)，阳九逢之，主财帛破散，六亲丧离；少者逢之，主淫邪败家。犯事年份：" +
      years20 +
      "。\n\n命局：迫(二宫-官禄宫)"
      "，百六逢之，主财帛破散，六亲丧离；少者逢之，主淫邪败家。犯事年份：" +
      baiLiu + "。\n\n" +
      std::string(
          kOffenceClosingTexts[kCondPo].substr(0, kOffenceClosingTexts[kCondPo].size() - 2)) +
      "\n\n命局：囚(二宫-官禄宫)，阳九数逢之，主颠邪失志。犯事年份：" + years20 +
      "。\n\n命局：囚(二宫-官禄宫)"
      "，百六数逢之，又兼三才无算数，主丧妻害子，及病瘟疫，或宅舍惊怪，官匪相挠。"
      "犯事年份：" +
      baiLiu +
      "。\n\n★阴人逢之，主产厄血光，或疮疾脓血之灾。\n\n\n"
      "断数：无地之算、无人之算。\n" +
      "★得无地之算，无地之算主少年丧母，破家产，废田宅，女人无德且损妻丧女。\n"
      "★得无人之算，无人之算主有家不立，有官不正，失人所望，有讼狱之灾，金宝荡散。衣食不足，言而无"
      "信。\n\n"
      "★五福、文昌同宫，若处于旺宫，定是一代豪杰。\n";
  EXPECT_EQ(Text(Chart(ChartKind::kLife, {1950, 1, 10, 0, 0}, false)), want);
}

TEST_F(AnalysisTextTest, LifeChartWithoutConditions) {
  EXPECT_EQ(Text(Chart(ChartKind::kLife, {1952, 9, 28, 0, 0}, false)),
            "命宫:JiShen总\n\n命宫:JiShen丑\n\n\n★计神入命，上等:JiShen\n\n格局：无。\n \n"
            "断数：无天之算、无人之算。\n"
            "★得无天之算，主少年丧父。破家失业，又不懂礼，为不守正之人。\n"
            "★得无人之算，无人之算主有家不立，有官不正，失人所望，有讼狱之灾，金宝荡散。衣食不足，"
            "言而无信。\n\n"
            "★五福、臣基同宫，预示为人纯朴忠厚，性情和蔼。\n");
}

TEST_F(AnalysisTextTest, PeriodChart) {
  EXPECT_EQ(Text(Chart(ChartKind::kYear, {1980, 5, 5, 10, 0}, true)),
            "格局：掩(三宫)。\n\n断数：无天之算、无地之算、杜塞无门之算。");
}

TEST_F(AnalysisTextTest, PrisonClosingTextOnlyForAWoman) {
  const std::string man = Text(Chart(ChartKind::kLife, {1950, 1, 10, 0, 0}, true));
  EXPECT_NE(man.find("命局：囚(二宫-疾病宫)，阳九数逢之"), std::string::npos);
  EXPECT_EQ(man.find("★阴人逢之"), std::string::npos);
  EXPECT_NE(man.find("★少者逢之，主淫邪败家"), std::string::npos);  // 迫's closing for both
}

// 关 by the generals can only stand in the centre on a real chart, so the fixture puts it on
// the 父母 palace by hand; every scanned year enters list 4, no other life-palace list.
TEST_F(AnalysisTextTest, GuanOnParentsNamesEveryScannedYear) {
  ComputedChart c = Chart(ChartKind::kLife, {1950, 1, 10, 0, 0}, false);
  c.conditions = {};
  c.conditions[kCondGuan] = {true, 2, kLifeParents};
  const OffenceYears years = ScanOffenceYears(c, dates_);
  const auto& guan = years.lists[kCondGuan];
  ASSERT_EQ(guan[3].size(), 100u);
  for (int k = 0; k < 100; ++k) EXPECT_EQ(guan[3][k], 1949 + k);
  for (int list = 4; list < kMaxOffenceLists; ++list) EXPECT_TRUE(guan[list].empty()) << list;
  EXPECT_EQ(guan[0].size(), 16u);  // the 巳 and 午 years, as for 迫 in the same palace
  for (int other = 0; other < kConditionCount; ++other) {
    if (other == kCondGuan) continue;
    for (const auto& list : years.lists[other]) EXPECT_TRUE(list.empty()) << other;
  }
  const std::string text = OffenceYearsText(c, years);
  EXPECT_NE(text.find("命局：关(二宫-父母宫)，父母宫逢之，则长上有灾。犯事年份：1949、1950、"),
            std::string::npos);
  EXPECT_NE(text.find("2047、2048。\r\n\r\n"), std::string::npos);
  EXPECT_EQ(text.find("★"), std::string::npos);  // 关 has no closing text
}

TEST_F(AnalysisTextTest, NoConditionsNoScan) {
  const ComputedChart c = Chart(ChartKind::kLife, {1952, 9, 28, 0, 0}, false);
  EXPECT_EQ(ScanOffenceYears(c, dates_), OffenceYears{});
  EXPECT_EQ(OffenceYearsText(c, OffenceYears{}), "");
}

TEST(AnalysisLinesTest, ConditionsLineInBothForms) {
  ConditionSet s{};
  EXPECT_EQ(ConditionsLine(s, true), "格局：无。");
  EXPECT_EQ(ConditionsLine(s, false), "格局：无。\r\n");
  s[kCondYan] = {true, 8, kLifeMing};
  s[kCondGuan] = {true, 5, kNoLifePalace};
  s[kCondDui] = {true, 9, kLifeParents};
  EXPECT_EQ(ConditionsLine(s, true), "格局：掩(八宫-命宫)、关(五宫)、对(九宫-父母宫)。");
  EXPECT_EQ(ConditionsLine(s, false), "格局：掩(八宫)、关(五宫)、对(九宫)。\r\n");
  CountPatterns p{};
  EXPECT_EQ(PatternLine(p), "断数：无。");
  p[kUpperHarmony] = p[kNoEarth] = p[kBlockedNoGate] = true;
  EXPECT_EQ(PatternLine(p), "断数：上和数、无地之算、杜塞无门之算。");
  EXPECT_EQ(PatternTexts(p),
            std::string(kPatternTexts[kUpperHarmony]) + std::string(kPatternTexts[kNoEarth]));
}

// A hand-made chart: the 命 palace on 子 holds 太岁 (no texts) and three deities with texts.
TEST(LifeAnalysisTest, MingPalaceReadsAtMostTwoDeitiesWithTexts) {
  ComputedChart c;
  c.lifePalaces = LifePalaceTable{};
  c.lifePalaces->palaces[kLifeMing] = {1, kPosZi, kPosZi, true, 8};
  c.natal[kPosZi] = {kTaiSui, kMinJi, kJunJi, kChenJi};
  const StarTexts stars = FixtureStars();
  LifeStarTexts t = MingPalaceTexts(c, stars);
  EXPECT_EQ(t.lines,
            "命宫:MinJi总\r\n\r\n命宫:MinJi子\r\n\r\n命宫:JunJi总\r\n\r\n命宫:JunJi子\r\n\r\n");
  EXPECT_EQ(t.grades, "★民基入命，上等:MinJi\r\n★君基入命，中等:JunJi\r\n");
  c.lifePalaces->palaces[kLifeMing].own = false;
  EXPECT_EQ(MingPalaceTexts(c, StarTexts{}).lines, kNoLifeStar);  // no file: no star lines
}

TEST(LifeAnalysisTest, WuFuCombinations) {
  auto at = [](int position, int palace, int strength, int life = kNoLifePalace) {
    DeityFacts f;
    f.present = true;
    f.position = position;
    f.palace = palace;
    f.strength = strength;
    f.lifePalace = life;
    return f;
  };
  ComputedChart c;
  EXPECT_EQ(WuFuTexts(c), "");
  c.facts[kWuFu] = at(kPosChou, 3, 2);
  c.facts[kJunJi] = at(kPosGen, 3, 3);
  c.facts[kMinJi] = at(kPosGen, 3, 1);
  c.facts[kChenJi] = at(kPosZi, 8, 3);  // another palace
  EXPECT_EQ(WuFuTexts(c), std::string(kWuFuJunJiHighBranches) + std::string(kWuFuJunJiStrong) +
                              std::string(kWuFuMinJi));
  c.facts = {};
  c.facts[kWuFu] = at(kPosQian, 1, 2);
  c.facts[kJunJi] = at(kPosXu, 1, 1);
  c.facts[kWenChang] = at(kPosXu, 1, 3, kLifeMing);
  c.facts[kJiShen] = at(kPosXu, 1, 2, kLifeMing);
  EXPECT_EQ(WuFuTexts(c), std::string(kWuFuJunJi) + std::string(kWuFuWenChangStrong) +
                              std::string(kWuFuWenChangLife) + std::string(kWuFuJiShen) +
                              std::string(kWuFuJiShenLife));
  c.facts[kWuFu].strength = 3;
  c.facts[kWuFu].position = kPosYin;
  c.facts[kWenChang] = {};
  c.facts[kJunJi] = {};
  c.facts[kMinJi] = at(kPosXu, 1, 1);
  EXPECT_EQ(WuFuTexts(c), std::string(kWuFuMinJiYinMao) + std::string(kWuFuJiShen) +
                              std::string(kWuFuJiShenLifeStrong));
}

}  // namespace
}  // namespace taiyi
