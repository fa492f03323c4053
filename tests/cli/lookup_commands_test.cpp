// The calendar and pinyin commands as a user runs them: printed results, messages, exit codes.
#include <gtest/gtest.h>

#include "support/run_cli.h"

namespace taiyi {
namespace {

using test::RunCli;

TEST(LookupCommands, PrintTheirResults) {
  struct Case {
    const char* args;
    const char* want;
  };
  const Case cases[] = {
      {"lunar 2024-02-10", "2024年正月初一\n"},
      {"solar 2023-02-01 --leap", "2023-03-22\n"},
      {"pillars '2024-02-04 16:26'", "癸卯 乙丑 戊戌 庚申\n"},
      {"pillars '2024-02-04 16:27'", "甲辰 丙寅 戊戌 庚申\n"},
      {"pillars '2024-05-17 23:30' --zishi", "甲辰 己巳 辛巳 庚子\n"},
      {"days 2024-02-09 2024-02-10",
       "2024-02-09\t2023\t12\t0\t30\t癸卯\n2024-02-10\t2024\t1\t0\t1\t甲辰\n"},
  };
  for (const auto& c : cases) {
    const auto run = RunCli(c.args, false);
    EXPECT_EQ(run.code, 0) << c.args;
    EXPECT_EQ(run.out, c.want) << c.args;
  }
  const auto terms = RunCli("terms 2024", false);
  EXPECT_NE(terms.out.find("2024-02-04 16:27\t立春\n"), std::string::npos) << terms.out;
  EXPECT_NE(RunCli("era 2024", false).out.find("[当代] 中国  公历纪元2024年"), std::string::npos);
  EXPECT_EQ(RunCli("pinyin 张三丰 --full", false).out.find("Zhang San Feng"), 0u);
}

TEST(LookupCommands, FailuresPrintTheProgramsMessageAndExitOne) {
  struct Case {
    const char* args;
    const char* message;
  };
  const Case cases[] = {
      {"solar 2024-02-01 --leap", "不存在这个农历日期，无法转换到公历！"},
      {"lunar 0-01-01", "时间越界，年份在 -4713到9999之间"},
      {"lunar 2024-13-01", "不存在这个日期"},
  };
  for (const auto& c : cases) {
    const auto run = RunCli(c.args);
    EXPECT_EQ(run.code, 1) << c.args;
    EXPECT_NE(run.out.find(c.message), std::string::npos) << c.args << ": " << run.out;
  }
}

}  // namespace
}  // namespace taiyi
