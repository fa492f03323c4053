// The reverse search from four pillars as a user runs it.
#include <gtest/gtest.h>

#include "support/run_cli.h"

namespace taiyi {
namespace {

using test::RunCli;

TEST(ReversePillarsCommand, PrintsTheFirstMatchingMoment) {
  struct Case {
    const char* args;
    const char* want;
  };
  const Case cases[] = {
      {"reverse-pillars 甲辰 己巳 辛巳 戊子", "1964-06-01 00:00\n"},
      {"reverse-pillars 甲辰 己巳 辛巳 戊子 --from 2000", "2024-05-17 00:00\n"},
      {"reverse-pillars 甲辰 丙寅 戊戌 辛酉 --from 2000 --json",
       "{\n  \"pillars\": {\n    \"year\": \"甲辰\",\n    \"month\": \"丙寅\",\n    \"day\": "
       "\"戊戌\",\n    \"hour\": \"辛酉\"\n  },\n  \"from\": 2000,\n  \"date\": \"2024-02-04\",\n  "
       "\"time\": \"18:00\",\n  \"iso\": \"2024-02-04T18:00:00+08:00\"\n}\n"},
      {"reverse-pillars 庚申 戊寅 甲子 甲子 --from -200", "-0181-02-08 00:00\n"},
  };
  for (const Case& c : cases) {
    const auto run = RunCli(c.args, false);
    EXPECT_EQ(run.code, 0) << c.args;
    EXPECT_EQ(run.out, c.want) << c.args;
  }
}

TEST(ReversePillarsCommand, RefusesPillarsAndYearsThatCannotBe) {
  struct Case {
    const char* args;
    int code;
    const char* message;
  };
  const Case cases[] = {
      {"reverse-pillars 甲丑 己巳 辛巳 戊子", 1, "不存在这个年柱！"},
      {"reverse-pillars 甲辰 己巳 甲丑 戊子", 1, "不存在这个日柱！"},
      {"reverse-pillars 甲辰 丁巳 辛巳 戊子", 1, "不存在这个月柱！"},
      {"reverse-pillars 甲辰 己巳 辛巳 甲子", 1, "不存在这个时柱！"},
      {"reverse-pillars 甲辰 己巳 辛巳 戊子 --from 0", 1, "起始年必须在-4713到9999年之间"},
      {"reverse-pillars 甲辰 己巳 辛巳 戊子 --from 10000", 1, "起始年必须在-4713到9999年之间"},
      {"reverse-pillars 甲子 丙寅 甲子 甲子 --from 9990", 1, "没有符合的四柱"},
      {"reverse-pillars 甲 己巳 辛巳 戊子", 2, "bad pillar"},
  };
  for (const Case& c : cases) {
    const auto run = RunCli(c.args);
    EXPECT_EQ(run.code, c.code) << c.args;
    EXPECT_NE(run.out.find(c.message), std::string::npos) << c.args << ": " << run.out;
  }
}

}  // namespace
}  // namespace taiyi
