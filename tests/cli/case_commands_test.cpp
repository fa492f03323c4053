// The case commands on a real store under a temporary application folder: a case added,
// shown, updated, listed and removed, with its comment file, and the refusals.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/file_util.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

using test::RunCli;

class CaseCommands : public ::testing::Test {
 protected:
  test::CliResult Run(const std::string& args, bool withStderr = true) {
    return RunCli("--data-dir " + dir_.path() + " case " + args, withStderr);
  }
  nlohmann::json Show(int id) {
    return nlohmann::json::parse(Run("show " + std::to_string(id) + " --json", false).out);
  }
  test::TempDir dir_;
};

TEST_F(CaseCommands, AddShowUpdateRemoveKeepTheCaseAndItsCommentTogether) {
  const auto add =
      Run("add --name 张三 --date -120-03-01 --time 10:00 --lunar --province 福建省 --city 福州市 "
          "--category 家人 --comment \"一生'平顺\"",
          false);
  ASSERT_EQ(add.code, 0) << add.out;
  EXPECT_EQ(add.out, "1\n");
  nlohmann::json c = Show(1);
  EXPECT_EQ(c["name"], "张三");
  EXPECT_EQ(c["date"], "-0120-03-01");
  EXPECT_EQ(c["time"], "10:00");
  EXPECT_EQ(c["lunar"], true);
  EXPECT_EQ(c["female"], false);
  EXPECT_EQ(c["place"], "福建省-福州市");
  EXPECT_EQ(c["lon"], 119.3);  // stored as a float, printed as typed
  EXPECT_EQ(c["category"], "家人");
  EXPECT_EQ(c["remarkText"], "一生平顺");  // apostrophes never reach the store
  EXPECT_EQ(c["comment"], "一生'平顺");    // the comment file keeps them
  const std::string commentFile =
      dir_.path() + "TaiYi_f/" + c["commentFile"].get<std::string>() + ".rtf";
  EXPECT_TRUE(FileExists(commentFile));

  // Only the given fields change; the comment stays when none is given.
  ASSERT_EQ(Run("update 1 --female --time 11:30 --category 亲戚朋友").code, 0);
  c = Show(1);
  EXPECT_EQ(c["female"], true);
  EXPECT_EQ(c["time"], "11:30");
  EXPECT_EQ(c["date"], "-0120-03-01");
  EXPECT_EQ(c["lunar"], true);
  EXPECT_EQ(c["category"], "亲戚朋友");
  EXPECT_EQ(c["comment"], "一生'平顺");
  ASSERT_EQ(Run("update 1 --solar").code, 0);
  EXPECT_EQ(Show(1)["lunar"], false);

  ASSERT_EQ(Run("add --name 李四 --category 家人").code, 0);
  const auto list = Run("list", false);
  EXPECT_EQ(list.out.find("2\t李四"), 0u) << list.out;  // newest first
  EXPECT_NE(list.out.find("\n1\t张三"), std::string::npos) << list.out;

  ASSERT_EQ(Run("remove 1").code, 0);
  EXPECT_FALSE(FileExists(commentFile));
  EXPECT_EQ(Run("show 1").code, 1);
}

TEST_F(CaseCommands, CommentFromFiles) {
  const std::string rtf = dir_.file("c.rtf"), txt = dir_.file("c.txt");
  ASSERT_TRUE(WriteFileAtomic(rtf, "{\\rtf1\\ansi\\ansicpg936 {\\b \\'d6\\'d0}\\par second}"));
  ASSERT_TRUE(WriteFileAtomic(txt, "第一行\n第二行"));
  ASSERT_EQ(Run("add --category 家人 --comment-file " + rtf).code, 0);
  EXPECT_EQ(Show(1)["remarkText"], "中\nsecond");
  ASSERT_EQ(Run("add --category 家人 --comment-file " + txt).code, 0);
  EXPECT_EQ(Show(2)["comment"], "第一行\n第二行");
}

TEST_F(CaseCommands, RefusalsPrintTheMessageAndExitOne) {
  struct Case {
    const char* args;
    const char* message;
  };
  const Case cases[] = {
      {"add --date 1990-02-30 --category 家人", "不存在这个日期"},
      {"add --date 0-01-01 --category 家人", "年份必须在-4713到9999年之间"},
      {"add --category 没有的类别", "没有这个类别"},
      {"update 7 --female", "没有这个案例！"},
      {"show 7", "没有这个案例！"},
      {"add --category 家人 --comment-file /nonexistent/c.rtf", "无法读取文件"},
  };
  for (const Case& c : cases) {
    const auto run = Run(c.args);
    EXPECT_EQ(run.code, 1) << c.args;
    EXPECT_NE(run.out.find(c.message), std::string::npos) << c.args << "\n" << run.out;
  }
  EXPECT_EQ(Run("list", false).out, "");  // nothing was stored
  EXPECT_EQ(Run("add --female --male --category 家人").code, 2);
}

}  // namespace
}  // namespace taiyi
