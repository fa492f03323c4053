// The case searches from the command line on a store filled through `case add`.
#include <gtest/gtest.h>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

TEST(SearchCommands, FindAndSearchPrintTheFoundCasesOrSayWhy) {
  test::TempDir dir;
  auto run = [&](const std::string& args, bool withStderr = true) {
    return test::RunCli("--data-dir " + dir.path() + " case " + args, withStderr);
  };
  EXPECT_EQ(run("search --name 张").code, 1);
  EXPECT_EQ(run("search --name 张").out, "没有记录，无从查找。\n");
  ASSERT_EQ(run("add --name 张三 --date 1990-05-12 --time 23:30 --province 福建省 --city 福州市 "
                "--category 家人 --comment 好人")
                .code,
            0);
  ASSERT_EQ(run("add --name abc --date -120-03-01 --time 00:10 --female --category 家人").code, 0);

  const struct {
    const char* args;
    int code;
    const char* out;
  } rows[] = {
      {"find 子时", 0, "1\t张三      公1990-05-12 23:30\n2\tabc       公-120-03-01 00:10\n"},
      {"find 1990年 男 福建", 0, "1\t张三      公1990-05-12 23:30\n"},
      {"find '1990年  男'", 0, "1\t张三      公1990-05-12 23:30\n"},
      {"find 1990-5-12", 0, "没有符合的案例！\n"},
      {"find ' '", 1, "请输入要查找的关键字，多个关键字可以用空格隔开！\n"},
      {"search --name ABC --exact --years -120 -100", 0, "2\tabc       公-120-03-01 00:10\n"},
      {"search --comment 好 --male", 0, "1\t张三      公1990-05-12 23:30\n"},
      {"search --female --province 福建省", 0, "没有找到符合条件的命例。\n"},
      {"search --years 2000 1990", 1, "结束年必须大于或等于起始年\n"},
  };
  for (const auto& row : rows) {
    const auto got = run(row.args);
    EXPECT_EQ(got.code, row.code) << row.args;
    EXPECT_EQ(got.out, row.out) << row.args;
  }
  EXPECT_EQ(run("search --exact").code, 2);
}

// --chart computes each case's chart as stored: 1980-05-05 10:30 as a life chart has 击 and
// 太乙 on 酉; the same moment as an hour chart has 迫 and 太乙 on 午.
TEST(SearchCommands, ChartConditionsOverTheStoredCharts) {
  test::TempDir dir;
  auto run = [&](const std::string& args) {
    return test::RunCli("--data-dir " + dir.path() + " case " + args);
  };
  ASSERT_EQ(run("add --name 甲 --date 1980-05-05 --time 10:30 --category 家人").code, 0);
  ASSERT_EQ(run("add --name 乙 --kind 时局 --date 1980-05-05 --time 10:30 --female --category 家人").code, 0);
  const struct {
    const char* args;
    int code;
    const char* out;
  } rows[] = {
      {"search --chart --with 击", 0, "1\t甲        公1980-05-05 10:30\n"},
      {"search --chart --with 迫@2", 0, "2\t乙        公1980-05-05 10:30\n"},
      {"search --chart --deity 太乙@酉", 0, "1\t甲        公1980-05-05 10:30\n"},
      {"search --chart --without 击 --female", 0, "2\t乙        公1980-05-05 10:30\n"},
      {"search --chart --with 击 --female", 0, "没有找到符合条件的命例。\n"},
      {"search --chart --set zishi=1", 0,
       "1\t甲        公1980-05-05 10:30\n2\t乙        公1980-05-05 10:30\n"},
  };
  for (const auto& row : rows) {
    const auto got = run(row.args);
    EXPECT_EQ(got.code, row.code) << row.args;
    EXPECT_EQ(got.out, row.out) << row.args;
  }
  EXPECT_EQ(run("search --with 囚").code, 2);  // chart conditions need --chart
  EXPECT_EQ(run("search --chart --with 好").code, 2);
}

}  // namespace
}  // namespace taiyi
