// Hostile input to the command line: texts that are not UTF-8, folders where files belong,
// dates and coordinates that do not fit, ids that do not exist, category lists that would
// not read back, and stores whose fault is inside them.  Each gets its message and exit code
// and leaves the store exactly as it was, or is handled so that nothing aborts.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "platform/file_util.h"
#include "store/case_schema.h"
#include "store/record_base.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

using test::RunCli;

// A byte string for the shell that runs the program: printf's octal escapes.
std::string Bytes(const char* octal) {
  return "\"$(printf '" + std::string(octal) + "')\"";
}

const std::string kFffd = "\xEF\xBF\xBD";

class HostileInput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Case("add --name 张三 --category 家人 --comment 好人").code, 0);
  }
  test::CliResult Run(const std::string& args, bool withStderr = true) {
    return RunCli("--data-dir " + dir_.path() + " " + args, withStderr);
  }
  test::CliResult Case(const std::string& args, bool withStderr = true) {
    return Run("case " + args, withStderr);
  }
  // Runs one statement on the store's database, as a damaged disk or another program would.
  void Poke(const std::string& sql) {
    MRecordBase store;
    ASSERT_EQ(store.Open(Db(), dir_.path(), false), 0);
    store.Connect();
    ASSERT_TRUE(store.Execute(sql)) << sql;
    ASSERT_TRUE(store.Disconnect());
  }
  std::string Db() const { return CaseDatabasePath(dir_.path()); }
  // Everything of the store a command could change: the database and the comment folder.
  std::string Snapshot() const {
    std::string all;
    ReadFile(Db(), all);
    for (const std::string& name : ListFiles(CommentFolder(dir_.path()), "*")) all += "\n" + name;
    return all;
  }
  test::TempDir dir_;
};

TEST_F(HostileInput, EachIsRefusedWithItsMessageAndChangesNothing) {
  struct Row {
    std::string args;
    int code;
    const char* message;
  };
  const Row rows[] = {
      // Texts that are not UTF-8, typed.
      {"case add --category 家人 --name " + Bytes("\\377"), 2, "不是有效的UTF-8"},
      {"case add --category 家人 --comment " + Bytes("a\\377b"), 2, "不是有效的UTF-8"},
      {"case add --category " + Bytes("\\326\\320"), 2, "不是有效的UTF-8"},  // GBK 中
      {"case update 1 --name " + Bytes("\\326\\320"), 2, "不是有效的UTF-8"},
      {"case categories --set 家人 " + Bytes("\\377"), 2, "不是有效的UTF-8"},
      {"case find " + Bytes("\\377"), 2, "不是有效的UTF-8"},
      {"case search --comment " + Bytes("\\377"), 2, "不是有效的UTF-8"},
      {"case search --name " + Bytes("\\300\\257"), 2, "不是有效的UTF-8"},  // overlong '/'
      {"case export /tmp --category " + Bytes("\\377"), 2, "不是有效的UTF-8"},
      {"chart --name " + Bytes("\\377"), 2, "不是有效的UTF-8"},
      // A folder where a file belongs.
      {"case add --category 家人 --comment-file /tmp", 1, "无法读取文件"},
      {"case update 1 --comment-file /", 1, "无法读取文件"},
      // Dates beyond 16 bits, or beyond the calendar, before anything is narrowed.
      {"case add --category 家人 --date 1990-65537-12", 1, "不存在这个日期"},
      {"case add --category 家人 --date 1990-01-65548", 1, "不存在这个日期"},
      {"case add --category 家人 --date 1990-13-01", 1, "不存在这个日期"},
      {"case update 1 --date 1990-00-12", 1, "不存在这个日期"},
      {"case add --category 家人 --date 1990-99999999999-01", 1, "不存在这个日期"},
      {"chart --date 1990-65537-12", 1, "不存在这个日期"},
      // Coordinates that are no finite number in range.
      {"case add --category 家人 --lon nan", 2, "经度"},
      {"case add --category 家人 --lon inf", 2, "经度"},
      {"case add --category 家人 --lon 1e999", 2, "经度"},
      {"case add --category 家人 --lon 181", 2, "经度"},
      {"case add --category 家人 --lat -nan", 2, "纬度"},
      {"case update 1 --lon -inf", 2, "经度"},
      {"chart --lon nan", 2, "经度"},
      {"chart --lat inf", 2, "纬度"},
      // Ids that do not exist, also at and beyond the ends of the range.
      {"case remove 999", 1, "没有这个案例！"},
      {"case remove 0", 1, "没有这个案例！"},
      {"case remove -1", 1, "没有这个案例！"},
      {"case remove 2147483647", 1, "没有这个案例！"},
      {"case remove 2147483648", 2, "2147483648"},
      {"case update 2147483647 --male", 1, "没有这个案例！"},
      // Category lists that would not read back as written.
      {"case categories --set \"\"", 1, "类别名称不能为空"},
      {"case categories --set 家人 \"\"", 1, "类别名称不能为空"},
      {"case categories --set \"亲戚 朋友\"", 1, "不能包含空格：“亲戚 朋友”"},
  };
  const std::string before = Snapshot();
  for (const Row& row : rows) {
    const auto run = Run(row.args);
    EXPECT_EQ(run.code, row.code) << row.args << "\n" << run.out;
    EXPECT_NE(run.out.find(row.message), std::string::npos) << row.args << "\n" << run.out;
    EXPECT_EQ(Snapshot(), before) << row.args;
  }
  // Still one case, with its category list whole.
  EXPECT_EQ(Case("list", false).out.substr(0, 2), "1\t");
  EXPECT_EQ(Case("categories", false).out.substr(0, 7), "家人\n");
}

TEST_F(HostileInput, APrimaryIdOutOfRangeIsRefusedAndTheStoreLeftAlone) {
  Poke("update case_extra set primaryId=2147483647;");
  const std::string before = Snapshot();
  for (const char* args : {"list", "add --name 李四 --category 家人", "show 1", "compact"}) {
    const auto run = Case(args);
    EXPECT_EQ(run.code, 1) << args;
    EXPECT_NE(run.out.find("主键id超出范围"), std::string::npos) << args << "\n" << run.out;
    EXPECT_EQ(Snapshot(), before) << args;
  }
}

TEST_F(HostileInput, ListingAndImportWalkOnlyTheIdsThatExist) {
  Poke("update case_data set id=1999999999 where id=1;");
  Poke("update case_extra set primaryId=2000000000;");
  const auto list = Case("list --limit 1", false);
  EXPECT_EQ(list.code, 0);
  EXPECT_EQ(list.out.substr(0, 11), "1999999999\t");
  // The far case arrives in another store under the next id there.
  test::TempDir other;
  const auto import = RunCli("--data-dir " + other.path() + " case import " + Db());
  EXPECT_EQ(import.code, 0) << import.out;
  EXPECT_NE(import.out.find("共导入 1 个案例！"), std::string::npos) << import.out;
}

// Texts that are not UTF-8 already in a store (written by an older program): JSON output
// carries U+FFFD, and an import into another store repairs them and says how many cases.
TEST_F(HostileInput, TextsThatAreNotUtf8InAStoreNeverAbortTheOutput) {
  Poke(
      "update case_data set name=cast(X'D5C5' as text), "
      "remarkText=cast(X'61FF62' as text) where id=1;");
  const auto show = Case("show 1 --json", false);
  ASSERT_EQ(show.code, 0);
  const nlohmann::json j = nlohmann::json::parse(show.out);
  EXPECT_NE(j["name"].get<std::string>().find(kFffd), std::string::npos);
  EXPECT_EQ(j["remarkText"], "a" + kFffd + "b");
  EXPECT_EQ(Case("list").code, 0);

  test::TempDir other;
  const auto import = RunCli("--data-dir " + other.path() + " case import " + Db());
  EXPECT_EQ(import.code, 0) << import.out;
  EXPECT_NE(import.out.find("共导入 1 个案例！其中 1 个案例的文字含有无效的编码"),
            std::string::npos)
      << import.out;
}

// Folders where the program reads files: a case's comment file, the star texts and the
// antique background picture.  The commands go on without them.
TEST_F(HostileInput, FoldersWhereFilesBelongAreNoFiles) {
  const nlohmann::json c = nlohmann::json::parse(Case("show 1 --json", false).out);
  const std::string comment =
      CommentFolder(dir_.path()) + c["commentFile"].get<std::string>() + ".rtf";
  ASSERT_TRUE(DeleteFile(comment));
  ASSERT_TRUE(CreateDirs(comment));
  EXPECT_EQ(Case("find 张三", false).out, Case("list", false).out);
  EXPECT_EQ(Case("search --comment 好人").code, 0);
  const auto show = Case("show 1 --json", false);
  ASSERT_EQ(show.code, 0);
  EXPECT_EQ(nlohmann::json::parse(show.out)["comment"], "好人");  // the stored remarkText

  for (const char* name : {"yistar.txt", "oldbk.jpg"}) {
    const std::string path = dir_.path() + "dat/" + name;
    std::filesystem::remove(path);
    ASSERT_TRUE(CreateDirs(path));
  }
  const auto text =
      Run("chart --date 1980-05-05 --text --set bOldBk=1 --png " + dir_.file("chart.png"));
  EXPECT_LE(text.code, 1) << text.out;  // an answer, not an abort
  EXPECT_EQ(Run("chart --date 1980-05-05 --set bOldBk=1 --png " + dir_.file("c.png")).code, 0);
}

}  // namespace
}  // namespace taiyi
