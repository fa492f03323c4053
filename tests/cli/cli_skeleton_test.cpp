#include <gtest/gtest.h>

#include "support/run_cli.h"

namespace taiyi {
namespace {

using test::RunCli;

TEST(CliSkeleton, HelpVersionAndBadUsage) {
  const auto help = RunCli("--help");
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("--data-dir"), std::string::npos);
  const auto version = RunCli("--version");
  EXPECT_EQ(version.code, 0);
  EXPECT_NE(version.out.find("1.3"), std::string::npos);
  for (const char* args : {"no-such-command", "--no-such-option", "--data-dir"}) {
    const auto bad = RunCli(args);
    EXPECT_EQ(bad.code, 2) << args;
    EXPECT_NE(bad.out.find("用法: taiyi-cli"), std::string::npos) << args;
  }
}

// The parser's refusals are told in Chinese and still name what was wrong.
TEST(CliSkeleton, UsageErrorsAreChinese) {
  const struct {
    const char* args;
    const char* message;
  } cases[] = {
      {"no-such-command", "不认识的命令、选项或多余的参数: no-such-command"},
      {"chart --bogus", "不认识的命令、选项或多余的参数: --bogus"},
      {"lunar 2024-01-01 2024-01-02", "不认识的命令、选项或多余的参数: 2024-01-02"},
      {"case", "缺少命令"},
      {"lunar", "缺少 DATE"},
      {"chart --date", "--date: 缺少值"},
      {"case show abc", "ID: 不是有效的值: abc"},
      {"chart --font-size 40 --png -", "--font-size: 40 不在 9 到 25 之间"},
      {"case dump --format xml", "--format: xml 不是可选的值之一 {jsonl,csv}"},
      {"chart --lunar --solar", "--lunar 不能与 --solar 同用"},
      {"chart --time 25:00", "--time: 时间格式应为 HH:MM"},
  };
  for (const auto& c : cases) {
    const auto run = RunCli(c.args);
    EXPECT_EQ(run.code, 2) << c.args;
    EXPECT_NE(run.out.find(c.message), std::string::npos) << c.args << "\n" << run.out;
    for (const char* english : {"expected", "required", "convert", "range", "excludes"})
      EXPECT_EQ(run.out.find(english), std::string::npos) << c.args << "\n" << run.out;
  }
}

}  // namespace
}  // namespace taiyi
