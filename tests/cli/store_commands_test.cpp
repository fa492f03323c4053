// The whole-store commands on real stores under temporary application folders: export and
// import between two stores, backup and restore, delete-all and the refusals.
#include <gtest/gtest.h>

#include <string>

#include "platform/file_util.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

using test::RunCli;

test::CliResult Case(const test::TempDir& dir, const std::string& args, bool withStderr = true) {
  return RunCli("--data-dir " + dir.path() + " case " + args, withStderr);
}

// The text between before and after in s, or empty.
std::string Between(const std::string& s, const std::string& before, const std::string& after) {
  const auto from = s.find(before);
  if (from == std::string::npos) return {};
  const auto to = s.find(after, from + before.size());
  return to == std::string::npos ? std::string()
                                 : s.substr(from + before.size(), to - from - before.size());
}

TEST(StoreCommands, ExportOneCategoryThenImportItIntoAnotherStore) {
  test::TempDir a, b, out;
  ASSERT_EQ(Case(a, "add --name 张三 --category 家人 --comment 好人").code, 0);
  ASSERT_EQ(Case(a, "add --name 李四 --category 文学家").code, 0);

  const auto exported = Case(a, "export " + out.path() + " --category 家人", false);
  ASSERT_EQ(exported.code, 0) << exported.out;
  const std::string file = Between(exported.out, "个案例生日文件已经保存到：", "\n");
  EXPECT_EQ(exported.out.rfind(" 1 个案例生日文件已经保存到：" + out.path() + "墨衡太乙神数_", 0),
            0u)
      << exported.out;
  ASSERT_TRUE(FileExists(file)) << exported.out;

  ASSERT_EQ(Case(b, "add --name 王五 --category 家人").code, 0);
  const auto imported = Case(b, "import \"" + file + "\"");
  ASSERT_EQ(imported.code, 0) << imported.out;
  EXPECT_NE(imported.out.find("导入进度：100％\n"), std::string::npos) << imported.out;
  EXPECT_NE(imported.out.find("共导入 1 个案例！请重启软件！\n"), std::string::npos);
  const auto list = Case(b, "list", false);
  EXPECT_EQ(list.out.find("2\t张三"), 0u) << list.out;
  EXPECT_NE(Case(b, "show 2", false).out.find("comment: 好人"), std::string::npos);

  EXPECT_EQ(Case(b, "import " + out.path() + "missing.db").out,
            "不存在这个数据库文件，无法导入！\n");
  // Another folder: an export of the same second into the same folder would be refused.
  test::TempDir out2;
  const auto none = Case(a, "export " + out2.path() + " --category 科学家");
  EXPECT_EQ(none.code, 1);
  EXPECT_EQ(none.out,
            "没有可以导出的案例，或者无法创建导出数据库，导出失败，请重启软件再次试试！\n");
  EXPECT_TRUE(ListFiles(out2.path(), "*").empty());
}

// An export into a folder that is not there yet makes the folder, as a backup does.
TEST(StoreCommands, ExportMakesItsFolder) {
  test::TempDir a, out;
  ASSERT_EQ(Case(a, "add --name 张三 --category 家人").code, 0);
  const std::string folder = out.path() + "新的/导出";
  const auto exported = Case(a, "export " + folder + " --json", false);
  ASSERT_EQ(exported.code, 0) << exported.out;
  EXPECT_EQ(ListFiles(folder, "*.db").size(), 1u);
}

TEST(StoreCommands, BackupRestoreAndDeleteAll) {
  test::TempDir a, out;
  ASSERT_EQ(Case(a, "add --name 张三 --category 家人").code, 0);
  const auto backup = Case(a, "backup " + out.path(), false);
  ASSERT_EQ(backup.code, 0) << backup.out;
  const std::string folder = Between(backup.out, "成功备份，已保存到", "目录下");
  ASSERT_EQ(folder.rfind(out.path() + "墨衡太乙神数_备份_", 0), 0u) << backup.out;
  EXPECT_TRUE(FileExists(folder + "TaiYi.db"));

  const auto refused = Case(a, "delete-all");
  EXPECT_EQ(refused.code, 1);
  EXPECT_EQ(Case(a, "show 1").code, 0);  // nothing deleted without --yes
  ASSERT_EQ(Case(a, "delete-all --yes", false).out, "成功删除所有记录，请重新打开软件！\n");
  EXPECT_EQ(Case(a, "show 1").code, 1);

  EXPECT_EQ(Case(a, "restore " + out.path()).out, "没有要还原的的db数据文件！\n");
  ASSERT_EQ(Case(a, "restore \"" + folder + "\"", false).out, "成功还原，请重新打开软件！\n");
  EXPECT_NE(Case(a, "show 1", false).out.find("name: 张三"), std::string::npos);

  const auto compact = Case(a, "compact");
  EXPECT_EQ(compact.code, 1);
  EXPECT_EQ(compact.out, "案例数据过少，无需整理！\n");
}

}  // namespace
}  // namespace taiyi
