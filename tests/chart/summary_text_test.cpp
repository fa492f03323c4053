#include <gtest/gtest.h>

#include "calendar/date_service.h"
#include "chart/chart_summary.h"

namespace taiyi {
namespace {

using Paragraph = RichTextRecorder::Paragraph;
constexpr Colour kRed = kSummaryRed, kBlue = kSummaryBlue, kBlack = kDefaultColour;

ComputedChart Chart(ChartKind kind, YiDate date, float longitude, bool male,
                    ChartSettings settings = {}) {
  ChartRequest r;
  r.kind = kind;
  r.SetDate(date);
  r.name = "张三";
  r.place = "北京-北京";
  r.longitude = longitude;
  r.male = male;
  MYiDateEx dates;
  ChartResult result = ComputeChart(r, settings, dates);
  EXPECT_TRUE(result.ok) << result.error;
  return result.chart;
}

JuTexts Texts() {
  JuTexts texts;
  texts.Parse(
      "1043=第四十三局_主算八，客算十七。\n"
      "1033=第三十三局_主算二十四。\n"
      "1037=无题之文\n");
  return texts;
}

TEST(ChartSummary, LifeChartInTrueSolarTime) {
  ChartSettings settings;
  settings.iDate = 1;
  const ComputedChart c = Chart(ChartKind::kLife, {1984, 3, 1, 12, 0}, 116.4f, false, settings);
  RichTextRecorder sink;
  sink.Append("上一张盘");
  WriteChartSummary(c, Texts(), {"楷体", 14}, sink);
  const std::vector<Paragraph> want = {
      {"太乙命局，阳遁第43局", kBlack},
      {"张三,北京-北京,东经116:24", kBlack},
      {"公历:1984年3月1日12时0分(输入时间)", kBlack},
      {"公历:1984年3月1日11时33分(真太阳时)", kBlack},
      {"农历:一九八四年 正月 廿九日 午时", kBlack},
      {"积年:10155901(第六纪壬子元 331)(太乙数 13)", kBlack},
      {"坤造：甲子年　丙寅月　甲午日　庚午时", kRed},
      {"空亡：戌亥　　戌亥　　辰巳　　戌亥　　", kRed},
      {"主算 8，客算 17，定算 1", kRed},
      {"出身卦：巽为风(巽宫)五爻动。立业卦：山风蛊(巽宫-归魂)", kRed},
      {"", kRed},
      {"", kRed},
      {"◇阳遁第四十三局(丙午 戊午 庚午 壬午 甲午)", kBlue},
      {"主算八，客算十七。", kBlue},
  };
  EXPECT_EQ(sink.Paragraphs(), want);
  EXPECT_EQ(sink.FontName(), "楷体");
  EXPECT_EQ(sink.FontSize(), 14);
}

TEST(ChartSummary, YearChartHasItsGateAndTheChartPair) {
  const ComputedChart c = Chart(ChartKind::kYear, {2004, 6, 1, 10, 30}, -0.5f, true);
  RichTextRecorder sink;
  WriteChartSummary(c, Texts(), {}, sink);
  const std::vector<Paragraph> want = {
      {"太乙年局，阳遁第33局", kBlack},
      {"张三,北京-北京,西经0:30", kBlack},
      {"公历:2004年6月1日10时30分(输入时间)", kBlack},
      {"公历:2004年6月1日10时30分(北京时间)", kBlack},
      {"农历:二○○四年 四月 十四日 巳时", kBlack},
      {"积年:10155921(第六纪壬子元 321)(太乙数 33)生门", kBlack},
      {"干支：甲申年　己巳月　辛亥日　癸巳时", kRed},
      {"空亡：午未　　戌亥　　寅卯　　午未　　", kRed},
      {"主算 24，客算 3，定算 15", kRed},
      {"主卦：泽雷随(震宫-归魂)五爻动。变卦：震为雷(震宫)", kRed},
      {"", kRed},
      {"", kRed},
      {"◇阳遁第三十三局(丙申 戊申 庚申 壬申 甲申)", kBlue},
      {"主算二十四。", kBlue},
  };
  EXPECT_EQ(sink.Paragraphs(), want);
  EXPECT_EQ(sink.FontName(), "宋体");
  EXPECT_EQ(sink.FontSize(), 12);
}

TEST(ChartSummary, MonthChartOfYearZeroHasNoGate) {
  const ComputedChart c = Chart(ChartKind::kMonth, {0, 8, 20, 23, 10}, 10.125f, true);
  RichTextRecorder sink;
  WriteChartSummary(c, Texts(), {}, sink);
  const auto& p = sink.Paragraphs();
  ASSERT_EQ(p.size(), 14u);
  EXPECT_EQ(p[1].text, "张三,北京-北京,东经10:7");  // 7.5 minutes round down
  EXPECT_EQ(p[2].text, "公历:-1年8月20日23时10分(输入时间)");
  EXPECT_EQ(p[4].text, "农历:前一年 七月 初三日 子时");  // 23 h: the next day's 子 hour
  EXPECT_EQ(p[5].text, "积年:10153917(第六纪壬子元 321)(太乙数 45)");
  EXPECT_EQ(p[6].text, "干支：庚申年　甲申月　甲子日　甲子时");
  EXPECT_EQ(p[9].text, "主卦：风泽中孚(艮宫-游魂)初爻动。变卦：风水涣(离宫)");
}

TEST(ChartSummary, HourChartGateAndJuTexts) {
  const ComputedChart c = Chart(ChartKind::kHour, {2023, 6, 1, 23, 10}, 120, false);
  RichTextRecorder sink;
  WriteChartSummary(c, Texts(), {}, sink);
  const auto& p = sink.Paragraphs();
  ASSERT_EQ(p.size(), 14u);
  EXPECT_EQ(p[5].text, "积年:10155940(第六纪壬子元 325)(太乙数 52)惊门");
  EXPECT_EQ(p[6].text, "干支：癸卯年　丁巳月　辛卯日　戊子时");  // a woman's chart of a period
  // A text without "_": no title, all body.
  EXPECT_EQ(p[12], (Paragraph{"◇阳遁(庚子 壬子 甲子 丙子 戊子)", kBlue}));
  EXPECT_EQ(p[13], (Paragraph{"无题之文", kBlue}));

  // Without any texts the title and the body stay empty.
  WriteChartSummary(c, JuTexts{}, {}, sink);
  EXPECT_EQ(sink.Paragraphs()[12].text, "◇阳遁(庚子 壬子 甲子 丙子 戊子)");
  EXPECT_EQ(sink.Paragraphs()[13].text, "");
}

TEST(ChartSummary, LongitudeText) {
  const struct {
    double longitude;
    const char* text;
  } cases[] = {
      {-0.5, "西经0:30"},      {116.4, "东经116:24"},   {116.4f, "东经116:24"},
      {10.125, "东经10:7"},    {10.375, "东经10:22"},   {10.13, "东经10:8"},
      {0, "东经0:0"},          {-179.99, "西经179:59"}, {119.9999, "东经120:0"},
      {-73.2583, "西经73:15"},
  };
  for (const auto& c : cases) EXPECT_EQ(LongitudeText(c.longitude), c.text) << c.longitude;
}

TEST(ChartSummary, CivilYears) {
  EXPECT_EQ(CivilYear(2024), 2024);
  EXPECT_EQ(CivilYear(1), 1);
  EXPECT_EQ(CivilYear(0), -1);
  EXPECT_EQ(CivilYear(-100), -101);
}

TEST(ChartSummary, LunarLine) {
  const struct {
    YiDate lunar;
    bool leap;
    const char* text;
  } cases[] = {
      {{2020, 4, 10, 0, 0}, true, "农历:二○二○年 闰四月 初十日 子时"},
      {{2023, 1, 20, 1, 0}, false, "农历:二○二三年 正月 二十日 丑时"},
      {{2023, 1, 1, 2, 0}, true, "农历:二○二三年 闰正月 初一日 丑时"},
      {{2033, 11, 30, 22, 59}, true, "农历:二○三三年 闰十一月 三十日 亥时"},
      {{-100, 12, 11, 23, 0}, false, "农历:前一○一年 十二月 十一日 子时"},
  };
  for (const auto& c : cases) EXPECT_EQ(LunarLineText(c.lunar, c.leap), c.text);
}

TEST(ChartSummary, VoidBranchesOfEveryDecade) {
  // 甲子 … 甲寅 decades, 癸亥 (0) closing the last one.
  EXPECT_EQ(VoidLineText({1, 11, 21, 31}), "空亡：戌亥　　申酉　　午未　　辰巳　　");
  EXPECT_EQ(VoidLineText({41, 51, 0, 60}), "空亡：寅卯　　子丑　　子丑　　子丑　　");
  EXPECT_EQ(VoidLineText({10, 20, 30, 59}), "空亡：戌亥　　申酉　　午未　　子丑　　");
}

}  // namespace
}  // namespace taiyi
