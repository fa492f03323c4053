// taiyi-cli chart as a user runs it: a life chart's JSON checked field by field, a flow, the
// setting overrides, places and the failure messages.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

using nlohmann::json;
using test::RunCli;

class ChartCommand : public ::testing::Test {
 protected:
  test::CliResult Run(const std::string& args, bool withStderr = true) {
    return RunCli("--data-dir " + dir_.path() + " chart " + args, withStderr);
  }
  json Chart(const std::string& args) {
    const test::CliResult run = Run(args + " --json", false);
    EXPECT_EQ(run.code, 0) << args;
    return json::parse(run.out, nullptr, false);
  }
  test::TempDir dir_;
};

// 1980-05-05 10:30, a man: 庚申 庚辰 戊寅 丁巳; 阳遁 P 14; 命宫 酉, 身宫 午.
TEST_F(ChartCommand, LifeChartFieldByField) {
  const json c = Chart("--date 1980-05-05 --time 10:30");
  ASSERT_FALSE(c.is_discarded());
  EXPECT_EQ(c["kind"], 0);
  EXPECT_EQ(c["clock"], json::parse(R"({"date":"1980-05-05","time":"10:30",
      "iso":"1980-05-05T10:30:00+08:00"})"));
  EXPECT_EQ(c["corrected"]["time"], "10:30");
  EXPECT_EQ(c["lunarDate"], json::parse(R"({"date":"1980-03-21","year":1980,"month":3,"day":21,
      "leap":false,"name":"三月廿一"})"));
  EXPECT_EQ(c["request"], json::parse(R"({"kind":0,"name":"甲","date":"1980-05-05","time":"10:30",
      "iso":"1980-05-05T10:30:00+08:00","lunar":false,"leap":false,"female":false,"place":"未知地",
      "lon":120.0,"lat":30.0})"));
  EXPECT_EQ(c["pillars"],
            json::parse(R"({"year":"庚申","month":"庚辰","day":"戊寅","hour":"丁巳"})"));
  EXPECT_EQ(c["period"], 14);
  EXPECT_EQ(c["yang"], true);
  EXPECT_EQ(c["counts"], json::parse(R"({"host":9,"guest":7,"fixed":6})"));
  ASSERT_EQ(c["positions"].size(), 17u);
  EXPECT_EQ(c["positions"][4],
            json::parse(R"({"position":"酉","deities":["太乙","定目","定大将","小游"]})"));

  const json& lp = c["lifePalaces"];
  EXPECT_EQ(lp["ming"], "酉");
  EXPECT_EQ(lp["shen"], "午");
  EXPECT_EQ(lp["body"], "福德");
  ASSERT_EQ(lp["palaces"].size(), 12u);
  // name, branch, governing position, own, palace number.
  const char* want[12][4] = {
      {"命", "酉", "酉", "6"},   {"兄弟", "戌", "戌", "1"}, {"配偶", "亥", "巳", "2"},
      {"子女", "子", "子", "8"}, {"财帛", "丑", "巳", "2"}, {"田宅", "寅", "午", "2"},
      {"官禄", "卯", "酉", "6"}, {"奴仆", "辰", "戌", "1"}, {"疾病", "巳", "巳", "2"},
      {"福德", "午", "午", "2"}, {"相貌", "未", "未", "7"}, {"父母", "申", "子", "8"}};
  const bool own[12] = {true,  true,  false, true, false, false,
                        false, false, true,  true, false, false};
  for (int i = 0; i < 12; ++i) {
    const json& p = lp["palaces"][i];
    EXPECT_EQ(p["name"], want[i][0]) << i;
    EXPECT_EQ(p["branch"], want[i][1]) << i;
    EXPECT_EQ(p["governing"], want[i][2]) << i;
    EXPECT_EQ(p["own"], own[i]) << i;
    EXPECT_EQ(p["palace"], std::stoi(want[i][3])) << i;
  }
  EXPECT_EQ(c["conditions"], json::parse(R"([{"name":"击","palace":6,"lifePalace":"命"}])"));
  EXPECT_EQ(c["patterns"], json::parse(R"(["无天之算"])"));
  ASSERT_TRUE(c["facts"].is_array());
  EXPECT_EQ(c["facts"][4], json::parse(R"({"name":"文昌","position":"午","palace":2,
      "element":"土","strength":3,"lifePalace":"福德","inBody":true})"));
}

TEST_F(ChartCommand, PeriodChartHasConditionsButNoLifePalaces) {
  const json c = Chart("--kind 年局 --date 2004-06-01 --time 12:00");
  EXPECT_EQ(c["kind"], 1);
  EXPECT_FALSE(c.contains("lifePalaces"));
  EXPECT_EQ(c["conditions"], json::parse(R"([{"name":"掩","palace":3,"lifePalace":null}])"));
  EXPECT_EQ(c["patterns"], json::parse(R"(["杂重阴数","无天之算","无地之算"])"));
  EXPECT_EQ(Chart("--kind 3 --date 2004-06-01 --time 12:00")["patterns"],
            json::parse(R"(["下和数"])"));
}

TEST_F(ChartCommand, FlowYear) {
  const json c = Chart("--date 1980-05-05 --time 10:30 --flow 年 --flow-date 2004-06-01");
  const json& f = c["flow"];
  EXPECT_EQ(f["kind"], 1);
  EXPECT_EQ(f["moment"]["date"], "2004-06-01");
  EXPECT_EQ(f["moment"]["time"], "12:00");
  EXPECT_EQ(f["age"], 25);
  EXPECT_EQ(f["pillars"]["year"], "甲申");
  EXPECT_EQ(f["period"], 320);
  EXPECT_EQ(f["counts"], json::parse(R"({"host":24,"guest":3,"fixed":15})"));
  EXPECT_EQ(f["limits"], json::parse(R"({"阳九":"申","百六大限":"申","百六小限":"申"})"));
  EXPECT_EQ(f["deities"][0], json::parse(R"({"position":"酉","name":"定目"})"));
  ASSERT_EQ(f["hexagrams"].size(), 4u);
  EXPECT_EQ(f["facts"][0], json::parse(R"({"name":"太岁","position":"申","palace":6,
      "element":"金","strength":3,"lifePalace":"父母","inBody":false})"));
  // The natal conditions stay as they are.
  EXPECT_EQ(c["conditions"], Chart("--date 1980-05-05 --time 10:30")["conditions"]);
}

// Without --json a flow is told as text after the chart's own, like it, never as JSON.
TEST_F(ChartCommand, FlowYearAsText) {
  const std::string args = "--date 1980-05-05 --time 10:30 --flow 年 --flow-date 2004-06-01";
  for (const std::string& form : {std::string(), std::string(" --text")}) {
    const auto run = Run(args + form, false);
    ASSERT_EQ(run.code, 0) << form;
    EXPECT_EQ(run.out.find('{'), std::string::npos) << form << "\n" << run.out;
    const auto flow = run.out.find("流年  2004-06-01 12:00  25岁\n干支：甲申年");
    ASSERT_NE(flow, std::string::npos) << form << "\n" << run.out;
    EXPECT_NE(run.out.find("主算:24,客算:3,定算:15\n酉： 定目", flow), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("阳九 申  百六大限 申  百六小限 申\n流年卦：", flow), std::string::npos)
        << run.out;
  }
}

TEST_F(ChartCommand, SettingOverridesAndPlaces) {
  // A life chart as an hour chart takes the hour chart's period.
  EXPECT_EQ(Chart("--date 1980-05-05 --time 10:30 --set iMingJu=1")["period"],
            Chart("--kind 时局 --date 1980-05-05 --time 10:30")["period"]);
  // Local mean time: 福州 at 119°18′ is 3 minutes behind, 90° E two hours.
  const json fuzhou = Chart(
      "--date 1980-05-05 --time 10:30 --province 福建省 --city 福州市 "
      "--set iDate=2");
  EXPECT_EQ(fuzhou["clock"]["time"], "10:30");
  EXPECT_EQ(fuzhou["corrected"]["time"], "10:27");
  EXPECT_EQ(fuzhou["request"]["place"], "福建省-福州市");
  const json west = Chart("--date 1980-05-05 --time 10:30 --lon 90 --lat 30 --set iDate=2");
  EXPECT_EQ(west["corrected"]["time"], "08:30");
  EXPECT_EQ(west["pillars"]["hour"], "丙辰");
  // 23:10 belongs to the next day unless zishi tells night 子 from early 子.
  EXPECT_EQ(Chart("--kind 时局 --date 2000-01-01 --time 23:10")["pillars"]["day"], "己未");
  EXPECT_EQ(Chart("--kind 时局 --date 2000-01-01 --time 23:10 --set zishi=1")["pillars"]["day"],
            "戊午");
}

TEST_F(ChartCommand, FailuresPrintTheMessageAndExitOne) {
  struct Case {
    const char* args;
    const char* message;
  } cases[] = {
      {"--date 0-01-01",
       "年份必须在-"
       "4713到9999年之间，并且没有公元0年\r\n注意：公元前用负数，比如公元前120年，就输入-120\n"},
      {"--date 1582-10-10", "不存在这个日期\n"},
      {"--date 2023-03-01 --lunar --leap", "不存在这个农历日期，无法转换到公历！\n"},
      {"--date 9999-12-31 --time 23:30", "时间越界，年份在 -4713到9999之间\n"},
      {"--date 1980-05-05 --flow 年 --flow-date 1980-05-04",
       "流年时间要在出生时间之后，并且在 150岁之内！\n"},
      {"--date 1980-05-05 --flow 年 --flow-date 2130-05-07",
       "流年时间要在出生时间之后，并且在 150岁之内！\n"},
      {"--date 1980-05-05 --flow 年 --flow-date 2023-02-29", "不存在这个日期\n"},
      {"--kind 年局 --flow 年 --flow-date 2000-01-01", "流年只适用于命局\n"},
      {"--province 福建省 --city 无此市", "没有找到地点：福建省-无此市\n"},
  };
  for (const Case& c : cases) {
    const test::CliResult run = Run(std::string(c.args) + " --json");
    EXPECT_EQ(run.code, 1) << c.args;
    EXPECT_EQ(run.out, c.message) << c.args;
  }
  // 150 years of 365.25 days after a birth at 12:00 reach 2130-05-06 12:00.
  EXPECT_EQ(Run("--date 1980-05-05 --flow 年 --flow-date 2130-05-06 --json", false).code, 0);
}

}  // namespace
}  // namespace taiyi
