// taiyi-cli select as a user runs it: every listed period agrees with `chart` at its moment,
// the settings change where periods begin, and names a chart cannot have are usage errors
// that list the accepted names.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

using nlohmann::json;

class SelectCommand : public ::testing::Test {
 protected:
  test::CliResult Run(const std::string& args, bool withStderr = true) {
    return test::RunCli("--data-dir " + dir_.path() + " " + args, withStderr);
  }
  std::vector<json> JsonLines(const std::string& args) {
    const test::CliResult run = Run("select " + args + " --json", false);
    EXPECT_EQ(run.code, 0) << args;
    std::vector<json> lines;
    std::istringstream in(run.out);
    for (std::string line; std::getline(in, line);) lines.push_back(json::parse(line));
    return lines;
  }
  test::TempDir dir_;
};

TEST_F(SelectCommand, EveryPeriodAgreesWithChartAtItsMoment) {
  const struct {
    const char* select;
    const char* kind;
    std::size_t count;
  } cases[] = {
      // 立春 2024-02-04 16:27 opens the year chart.
      {"--kind 年局 --from 2024-01-01 --to 2024-12-31", "年局", 1},
      {"--kind 月 --from 2024-02-01 --to 2024-03-31 --yang", "月局", 0},
      {"--kind 日局 --from 2024-02-03 --to 2024-02-04 --without 击", "日局", 0},
      // 23:00 and midnight of corrected time with zishi, an odd hour, 夏至 at 04:51.
      {"--kind 时局 --from 2024-06-21 --to 2024-06-21 --set zishi=1 --set iDate=2 --lon 100 "
       "--limit 5",
       "时局", 5},
  };
  for (const auto& c : cases) {
    const std::vector<json> lines = JsonLines(c.select);
    ASSERT_FALSE(lines.empty()) << c.select;
    if (c.count) {
      EXPECT_EQ(lines.size(), c.count) << c.select;
    }
    std::string settings;
    const std::string s = c.select;
    for (std::size_t at = s.find("--set"); at != std::string::npos; at = s.find("--set", at + 1))
      settings += " " + s.substr(at, s.find(' ', s.find(' ', at) + 1) - at);
    if (s.find("--lon") != std::string::npos) settings += " --lon 100";
    for (const json& line : lines) {
      const std::string date = line["clock"]["date"], time = line["clock"]["time"];
      const std::string clock = date + " " + time;
      const test::CliResult chart = Run(std::string("chart --json --kind ") + c.kind + " --date " +
                                            date + " --time " + time + settings,
                                        false);
      ASSERT_EQ(chart.code, 0) << clock;
      const json whole = json::parse(chart.out);
      // Without --province the periods are charted at an unknown place, as chart says.
      EXPECT_EQ(line["request"]["place"], "未知地") << clock;
      // The request is what each command was asked (chart fills in a default name).
      for (const auto& [key, value] : line.items()) {
        if (key == "request") continue;
        EXPECT_EQ(whole[key], value) << clock << key;
      }
    }
  }
}

TEST_F(SelectCommand, TextLinesLimitsAndEmptyResults) {
  const test::CliResult year = Run("select --kind 年局 --from 2024-01-01 --to 2024-12-31");
  EXPECT_EQ(year.code, 0);
  EXPECT_EQ(year.out.substr(0, year.out.find("阳遁")),
            "2024-02-04 16:27  甲辰年 丙寅月 戊戌日 庚申时  ");
  EXPECT_NE(year.out.find("格局："), std::string::npos);
  EXPECT_NE(year.out.find("断数："), std::string::npos);

  const test::CliResult hours =
      Run("select --kind 时局 --from 2024-01-01 --to 2024-01-31 --limit 2", false);
  EXPECT_EQ(std::count(hours.out.begin(), hours.out.end(), '\n'), 2);
  EXPECT_EQ(hours.out.substr(0, 16), "2024-01-01 01:00");

  // 囚 needs both generals of a count on the palace of 太乙, which a period chart never has.
  const test::CliResult none =
      Run("select --kind 时局 --from 2024-01-01 --to 2024-01-31 --with 囚");
  EXPECT_EQ(none.code, 0);
  EXPECT_EQ(none.out, "没有符合条件的局。\n");
}

TEST_F(SelectCommand, NamesAChartCannotHaveAreUsageErrors) {
  const struct {
    const char* args;
    const char* listed;
  } cases[] = {
      {"--with 好", "掩 迫 关 囚 击 格 对"},
      {"--without 囚@10", "1 2 3 4 5 6 7 8 9"},
      {"--gate 东", "开 休 生 伤 杜 景 死 惊"},
      {"--pattern 无门", "杜塞无门之算"},
      {"--deity 太乙@东", "子 亥 乾"},
      {"--deity 玉皇@乾", "太乙"},
      {"--ju 10-3", "N-M"},
  };
  for (const auto& c : cases) {
    const test::CliResult r =
        Run(std::string("select --kind 日局 --from 2024-01-01 --to 2024-01-02 ") + c.args);
    EXPECT_EQ(r.code, 2) << c.args;
    EXPECT_NE(r.out.find(c.listed), std::string::npos) << c.args << "\n" << r.out;
  }
  EXPECT_EQ(Run("select --kind 命局 --from 2024-01-01 --to 2024-01-02").code, 2);
  EXPECT_EQ(Run("select --kind 日局 --from 2024-01-01 --to 2024-01-02 --yang --yin").code, 2);
  const test::CliResult order = Run("select --kind 日局 --from 2024-02-01 --to 2024-01-02");
  EXPECT_EQ(order.code, 1);
  EXPECT_EQ(order.out, "结束日期不能早于起始日期\n");
  EXPECT_EQ(Run("select --kind 日局 --from 1582-10-10 --to 1582-10-20").out, "不存在这个日期\n");
  // A month too large for the stored field is not taken as the month it would wrap to.
  EXPECT_EQ(Run("select --kind 日局 --from 2024-65537-01 --to 2024-65537-02").out,
            "不存在这个日期\n");
}

}  // namespace
}  // namespace taiyi
