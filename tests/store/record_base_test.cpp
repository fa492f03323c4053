#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/fault_point.h"
#include "platform/file_util.h"
#include "platform/gbk.h"
#include "platform/ini_file.h"
#include "store/case_actions.h"
#include "store/case_schema.h"
#include "store/comment_file.h"
#include "store/record_base.h"
#include "store/rtf_writer.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateDirs(dir.path() + "dat"));
    ASSERT_TRUE(CreateDirs(dir.path() + "TaiYi_f"));
  }
  std::string Db() const { return CaseDatabasePath(dir.path()); }
  static TRecordData Case(const std::string& name) {
    TRecordData r;
    r.name = name;
    r.year = 2004;
    r.month = 5;
    r.day = 6;
    r.hour = 7;
    r.minute = 8;
    r.className = "家人";
    r.remarkText = "评";
    r.remarkFile = name + "_200405060708";
    return r;
  }
  test::TempDir dir;
};

TEST_F(StoreTest, OpenCreatesBothTablesWithTheirExactStatements) {
  MRecordBase store;
  ASSERT_EQ(store.Open(Db(), dir.path(), false), 0);
  EXPECT_EQ(store.PrimaryId(), 0);
  TContentValues rows;
  store.Connect();
  ASSERT_TRUE(store.Query("select name, sql from sqlite_master order by name", {}, rows));
  ASSERT_TRUE(store.Query("select * from case_extra", {}, rows));
  store.Disconnect();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0]["PlatformId"], "0");
  EXPECT_EQ(rows[0]["verCode"], "1000");
  EXPECT_EQ(rows[0]["primaryId"], "0");
  EXPECT_EQ(rows[0]["className"],
            "家人 亲戚朋友 富商巨贾 政界名人 社会名流 影视明星 命理学者 IT名人 宗教人士 "
            "历史人物 军事家 文学家 科学家 刑事犯罪 临时保存");
  EXPECT_EQ(rows[0]["baseType"], "birthData");

  store.Connect();
  ASSERT_TRUE(store.Query("select name, sql from sqlite_master order by name", {}, rows));
  store.Disconnect();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0]["sql"],
            "CREATE TABLE case_data(id integer primary key,name char(20),sex integer,"
            "className char(20),dateY integer,dateNum char(30),dateStyle char(5),"
            "addrInd char(30),addrName varchar(150),addrNum char(40),remarkFile char(50),"
            "tag1 varchar(100),tag2 varchar(100),remarkText text)");
  EXPECT_EQ(rows[1]["sql"], "CREATE TABLE case_extra(PlatformId,verCode,primaryId,className,baseType)");

  // SQLite keeps the statement as given, only the two keywords in capitals.
  // Opening again changes nothing.
  MRecordBase again;
  EXPECT_EQ(again.Open(Db(), dir.path(), false), 0);
  std::vector<std::string> categories;
  ASSERT_TRUE(again.LoadCategories(categories));
  EXPECT_EQ(categories.size(), 15u);
}

TEST_F(StoreTest, OpenFailsWhereNoDatabaseCanBeMade) {
  MRecordBase store;
  EXPECT_EQ(store.Open(dir.path() + "missing/dir/TaiYi.db", dir.path(), false), -1);
  EXPECT_EQ(store.LastMessage(), "无法创建或者打开数据库！");
  ASSERT_TRUE(WriteFileAtomic(dir.file("junk.db"), std::string(4096, 'x')));
  EXPECT_EQ(store.Open(dir.file("junk.db"), dir.path(), false), -1);
}

TEST_F(StoreTest, IdsGrowAndAreNeverReused) {
  MRecordBase store;
  ASSERT_EQ(store.Open(Db(), dir.path(), false), 0);
  for (int expected : {1, 2, 3}) {
    TRecordData r = Case("张" + std::to_string(expected));
    EXPECT_EQ(store.AddCase(r), expected);
    EXPECT_EQ(r.id, expected);
  }
  ASSERT_TRUE(store.RemoveCase(2));
  TRecordData loaded;
  loaded.name = "untouched";
  EXPECT_FALSE(store.LoadCase(2, loaded));
  EXPECT_EQ(loaded.name, "untouched");
  TRecordData fourth = Case("李四");
  EXPECT_EQ(store.AddCase(fourth), 4);
  EXPECT_EQ(store.PrimaryId(), 4);
  EXPECT_EQ(store.ReadPrimaryId(), 4);
  ASSERT_TRUE(store.LoadCase(4, loaded));
  EXPECT_EQ(loaded, fourth);
  EXPECT_TRUE(store.RemoveCase(99));

  // An update of a missing id succeeds and changes nothing; an update of a stored one
  // replaces every column but the id.
  EXPECT_TRUE(store.UpdateCase(42, fourth));
  EXPECT_FALSE(store.LoadCase(42, loaded));
  TRecordData changed = fourth;
  changed.name = "王五";
  changed.id = 1;  // not used: the argument names the row
  ASSERT_TRUE(store.UpdateCase(4, changed));
  ASSERT_TRUE(store.LoadCase(4, loaded));
  EXPECT_EQ(loaded.name, "王五");
  EXPECT_EQ(loaded.id, 4);
  ASSERT_TRUE(store.LoadCase(1, loaded));
  EXPECT_EQ(loaded.name, "张1");

  // A failing query holds SQLite's own text.
  TContentValues rows;
  EXPECT_FALSE(store.TableExists("missing_table"));
  store.Connect();
  EXPECT_FALSE(store.Query("select * from missing_table", {}, rows));
  store.Disconnect();
  EXPECT_EQ(store.LastMessage(), "no such table: missing_table");
}

TEST_F(StoreTest, LostExtraTableIsRecreatedAfterTheHighestId) {
  {
    MRecordBase store;
    ASSERT_EQ(store.Open(Db(), dir.path(), false), 0);
    for (int i = 0; i < 3; ++i) {
      TRecordData r = Case("x");
      store.AddCase(r);
    }
    store.Connect();
    ASSERT_TRUE(store.Execute("drop table case_extra;"));
    store.Disconnect();
  }
  MRecordBase store;
  ASSERT_EQ(store.Open(Db(), dir.path(), false), 0);
  EXPECT_EQ(store.PrimaryId(), 3);
  std::vector<std::string> categories;
  ASSERT_TRUE(store.LoadCategories(categories));
  EXPECT_EQ(categories.front(), "家人");
  TRecordData r = Case("y");
  EXPECT_EQ(store.AddCase(r), 4);
}

TEST_F(StoreTest, FailedInsertKeepsPrimaryIdAndBatchGoesOn) {
  MRecordBase store;
  ASSERT_EQ(store.Open(Db(), dir.path(), false), 0);
  store.Connect();
  // A row with id 2 that the store did not make: the second insert collides with it.
  ASSERT_TRUE(store.Execute("insert into case_data(id, name) values (2, 'foreign');"));
  TRecordData a = Case("a"), b = Case("b"), c = Case("c");
  EXPECT_EQ(store.AddCaseInBatch(a), 1);
  EXPECT_EQ(store.AddCaseInBatch(b), -1);
  EXPECT_EQ(store.LastMessage(), "无法保存案例！");
  EXPECT_EQ(store.PrimaryId(), 1);
  ASSERT_TRUE(store.Execute("delete from case_data where id = 2;"));
  EXPECT_EQ(store.AddCaseInBatch(c), 2);
  ASSERT_TRUE(store.Disconnect());
  EXPECT_EQ(store.ReadPrimaryId(), 2);
  TRecordData loaded;
  EXPECT_TRUE(store.LoadCase(1, loaded));
  EXPECT_TRUE(store.LoadCase(2, loaded));
  EXPECT_EQ(loaded.name, "c");
}

TEST_F(StoreTest, TextsAreStoredAsUtf8AndBoundNotPasted) {
  MRecordBase store;
  ASSERT_EQ(store.Open(Db(), dir.path(), false), 0);
  TRecordData r = Case("张");
  r.remarkText = "it's; drop table case_data; --";
  ASSERT_EQ(store.AddCase(r), 1);
  TContentValues rows;
  store.Connect();
  ASSERT_TRUE(store.Query("select hex(name) as h, typeof(sex) as t, remarkText from case_data",
                          {}, rows));
  store.Disconnect();
  EXPECT_EQ(rows.at(0)["h"], "E5BCA0");
  EXPECT_EQ(rows.at(0)["t"], "integer");
  EXPECT_EQ(rows.at(0)["remarkText"], r.remarkText);

  // The list is kept as one text, the names joined by single spaces.
  ASSERT_TRUE(store.SaveCategories({"甲", "乙", "丙"}));
  store.Connect();
  ASSERT_TRUE(store.Query("select className from case_extra", {}, rows));
  store.Disconnect();
  EXPECT_EQ(rows.at(0)["className"], "甲 乙 丙");
  std::vector<std::string> list;
  ASSERT_TRUE(store.LoadCategories(list));
  EXPECT_EQ(list, (std::vector<std::string>{"甲", "乙", "丙"}));
}

TEST_F(StoreTest, WindowSequencesKeepCaseAndCommentTogether) {
  MRecordBase store;
  ASSERT_EQ(store.Open(Db(), dir.path(), false), 0);
  TRecordData r = Case("张三");
  std::string path;
  const int id = SaveNewCase(store, r, "亲戚朋友", PlainTextToRtf("it's mine"),
                             "it's mine", path);
  ASSERT_EQ(id, 1);
  EXPECT_EQ(path, dir.path() + "TaiYi_f/张三_200405060708.rtf");
  EXPECT_TRUE(FileExists(path));
  TRecordData shown;
  CaseComment comment;
  std::string shownPath;
  ASSERT_TRUE(ShowCase(store, id, shown, comment, shownPath));
  EXPECT_EQ(shown.className, "亲戚朋友");
  EXPECT_EQ(shown.remarkText, "its mine");
  EXPECT_EQ(shownPath, path);
  EXPECT_TRUE(comment.isRichText);

  // A failed update leaves the comment file as it was.
  store.Connect();
  ASSERT_TRUE(store.Execute("create trigger no_update before update on case_data begin "
                            "select raise(abort, 'refused'); end;"));
  store.Disconnect();
  std::string before, after;
  ReadFile(path, before);
  EXPECT_FALSE(SaveCaseChanges(store, id, shown, "{\\rtf1 new}", "new", path));
  EXPECT_EQ(store.LastMessage(), "无法修改案例！");
  ReadFile(path, after);
  EXPECT_EQ(after, before);

  // Without the comment file the stored text is shown; deleting removes file and row.
  ASSERT_TRUE(DeleteFile(path));
  ASSERT_TRUE(ShowCase(store, id, shown, comment, shownPath));
  EXPECT_FALSE(comment.isRichText);
  EXPECT_EQ(comment.text, "its mine");
  ASSERT_TRUE(WriteCommentFromPlainText(path, "x"));
  ASSERT_TRUE(DeleteCase(store, id, ""));
  EXPECT_FALSE(FileExists(path));
  EXPECT_FALSE(store.LoadCase(id, shown));
}

// One record of the old-version file.
std::string OldRecord(bool deleted, const std::string& name, const std::string& category,
                      int year, int kind, const std::string& stem) {
  std::string b(152, '\0');
  b[4] = deleted ? 1 : 0;
  auto text = [&b](std::size_t at, std::size_t size, const std::string& utf8) {
    const std::string gbk = Utf8ToGbk(utf8);
    std::memcpy(&b[at], gbk.data(), std::min(gbk.size(), size - 1));
  };
  auto i16 = [&b](std::size_t at, int v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
  };
  text(5, 11, name);
  text(16, 14, category);
  i16(30, year);
  i16(32, 3);
  i16(34, 4);
  i16(36, 5);
  i16(38, 6);
  b[40] = 1;
  b[42] = 1;
  i16(44, 2);
  i16(46, 1);
  const float lon = 116.4f, lat = 39.9f;
  std::memcpy(&b[52], &lon, 4);
  std::memcpy(&b[56], &lat, 4);
  std::memcpy(&b[60], &kind, 4);
  text(68, 51, "北京-东城区");
  text(119, 33, stem);
  return b;
}

// Many cases added at once: in chunks, each with its own comment file; a failure keeps the
// chunks committed before it and leaves nothing of its own chunk.
TEST_F(StoreTest, ManyCasesAreAddedInChunksWithTheirComments) {
  fault::SetDurable(false);  // a thousand files: no flushes needed to show the order
  MRecordBase store;
  ASSERT_EQ(store.Open(Db(), dir.path(), false), 0);
  const auto batch = [](int n) {
    std::vector<MRecordBase::NewCase> cases;
    for (int i = 0; i < n; ++i) {
      TRecordData r = Case(i % 2 ? "同名" : "甲" + std::to_string(i));
      r.remarkText = "评语" + std::to_string(i);
      cases.push_back({r, PlainTextToRtf(r.remarkText)});
    }
    return cases;
  };
  const int chunk = static_cast<int>(MRecordBase::kAddChunk);
  std::vector<MRecordBase::NewCase> cases = batch(chunk + 3);
  ASSERT_EQ(store.AddCasesWithComments(cases), chunk + 3) << store.LastMessage();
  for (int i = 0; i < chunk + 3; ++i) {
    EXPECT_EQ(cases[i].record.id, i + 1);
    TRecordData stored;
    ASSERT_TRUE(store.LoadCase(i + 1, stored));
    EXPECT_EQ(stored.remarkFile, cases[i].record.remarkFile);
    std::string text;
    ASSERT_TRUE(ReadCommentPlainText(store.CommentPath(stored), text)) << i;
    EXPECT_EQ(text, "评语" + std::to_string(i));
  }
  EXPECT_EQ(ListFiles(CommentFolder(dir.path()), "*").size(), static_cast<std::size_t>(chunk + 3));

  // The 5th claim of the second chunk fails.
  std::vector<MRecordBase::NewCase> more = batch(chunk + 10);
  int links = 0;
  fault::SetHook([&links, chunk](std::string_view step) {
    return step != "link" || ++links != chunk + 5;
  });
  EXPECT_EQ(store.AddCasesWithComments(more), chunk);
  fault::SetHook({});
  EXPECT_FALSE(store.LastMessage().empty());
  EXPECT_EQ(store.PrimaryId(), 2 * chunk + 3);
  EXPECT_EQ(ListFiles(CommentFolder(dir.path()), "*").size(),
            static_cast<std::size_t>(2 * chunk + 3));
  fault::SetDurable(true);
}

TEST_F(StoreTest, OldVersionFileIsConvertedOnce) {
  std::string file = OldRecord(false, "赵一", "老友", -120, 2, "赵一_old") +
                     OldRecord(true, "钱二", "老友", 1950, 0, "钱二_old") +
                     OldRecord(false, "孙:三", "同事", 1960, 9, "孙:三_old") +
                     OldRecord(false, "李四", "老友", 1970, 4, "李四_old") + "partial";
  ASSERT_TRUE(WriteFileAtomic(OldCaseFilePath(dir.path()), file));
  ASSERT_TRUE(CreateDirs(dir.path() + "taiYi_f"));
  ASSERT_TRUE(WriteCommentFromPlainText(dir.path() + "taiYi_f/赵一_OLD.rtf", "老评语's"));
  ASSERT_TRUE(WriteFileAtomic(dir.path() + "dat/bzinit.ini", "[classes]\r\n老友=1\r\n[other]\r\nk=v\r\n"));

  MRecordBase store;
  ASSERT_EQ(store.Open(Db(), dir.path(), false), 0);
  TRecordData first = Case("先");
  ASSERT_EQ(store.AddCase(first), 1);
  ASSERT_EQ(store.ConvertOldStore(), 1);
  EXPECT_EQ(store.LastMessage(), "已经把旧版数据库转换到新版，共转换 3 个案例！");
  EXPECT_EQ(store.PrimaryId(), 4);

  TRecordData r;
  ASSERT_TRUE(store.LoadCase(2, r));
  EXPECT_EQ(r.name, "赵一");
  EXPECT_EQ(r.year, -120);
  EXPECT_EQ(r.Date(), (YiDate{-120, 3, 4, 5, 6}));
  EXPECT_TRUE(r.lunar && r.male && !r.leapMonth);
  EXPECT_EQ(r.kind, ChartKind::kMonth);
  EXPECT_EQ(r.place, "北京-东城区");
  EXPECT_EQ(r.longitude, 116.4f);
  EXPECT_EQ(r.remarkFile, "赵一_old");
  EXPECT_EQ(r.remarkText, "老评语s");
  EXPECT_TRUE(FileExists(dir.path() + "TaiYi_f/赵一_old.rtf"));  // the comment came along
  EXPECT_TRUE(FileExists(dir.path() + "taiYi_f/赵一_OLD.rtf"));  // and the old one stays

  ASSERT_TRUE(store.LoadCase(3, r));
  EXPECT_EQ(r.name, "孙三");
  EXPECT_EQ(r.kind, ChartKind::kLife);
  EXPECT_EQ(r.remarkFile, "孙三_196003040506");
  EXPECT_EQ(r.remarkText, "输入自己的评语：");
  EXPECT_TRUE(FileExists(dir.path() + "TaiYi_f/孙三_196003040506.rtf"));
  ASSERT_TRUE(store.LoadCase(4, r));
  EXPECT_EQ(r.name, "李四");
  EXPECT_FALSE(store.LoadCase(5, r));

  std::vector<std::string> categories;
  ASSERT_TRUE(store.LoadCategories(categories));
  ASSERT_EQ(categories.size(), 17u);
  EXPECT_EQ(categories[0], "老友");
  EXPECT_EQ(categories[1], "同事");
  EXPECT_EQ(categories[2], "家人");
  IniFile ini(dir.path() + "dat/bzinit.ini");
  EXPECT_FALSE(ini.SectionExists("classes"));
  EXPECT_TRUE(ini.SectionExists("other"));

  EXPECT_FALSE(FileExists(OldCaseFilePath(dir.path())));
  EXPECT_TRUE(FileExists(OldCaseFilePath(dir.path()) + ".bak"));
  MRecordBase second;
  EXPECT_EQ(second.Open(Db(), dir.path(), true), 0);  // no second report
}

TEST_F(StoreTest, OldFileWithoutLiveRecordsConvertsNothing) {
  for (const std::string& contents : {std::string(), OldRecord(true, "x", "y", 1, 0, "s")}) {
    test::TempDir other;
    ASSERT_TRUE(CreateDirs(other.path() + "dat"));
    ASSERT_TRUE(WriteFileAtomic(OldCaseFilePath(other.path()), contents));
    MRecordBase store;
    EXPECT_EQ(store.Open(CaseDatabasePath(other.path()), other.path(), true), 0);
    std::vector<std::string> categories;
    ASSERT_TRUE(store.LoadCategories(categories));
    EXPECT_EQ(categories, DefaultCategoryList());
    EXPECT_FALSE(FileExists(OldCaseFilePath(other.path())));
    EXPECT_EQ(store.PrimaryId(), 0);
  }
}

}  // namespace
}  // namespace taiyi
