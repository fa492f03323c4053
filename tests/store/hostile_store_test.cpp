// Stores whose fault is in the store itself: a primary id out of range, ids far apart, texts
// that are not UTF-8, comment stems no file system takes, a folder where a comment file should
// be, category lists that would not read back.  Each is refused with a message and leaves the
// store as it was, or is walked, repaired or renamed so that nothing is lost.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_util.h"
#include "platform/gbk.h"
#include "store/case_actions.h"
#include "store/case_schema.h"
#include "store/case_search.h"
#include "store/comment_file.h"
#include "store/record_base.h"
#include "store/store_messages.h"
#include "store/whole_store.h"
#include "support/case_store_fixture.h"

namespace taiyi {
namespace {

using test::CaseStoreFixture;
using test::TreeCase;

const std::string kFffd = "\xEF\xBF\xBD";

// Runs one statement on the store's database as another program (or a damaged disk) would.
void Poke(MRecordBase& store, const std::string& sql) {
  store.Connect();
  ASSERT_TRUE(store.Execute(sql)) << sql;
  ASSERT_TRUE(store.Disconnect());
}

std::string Bytes(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(ReadFile(path, bytes)) << path;
  return bytes;
}

TEST(HostileStore, APrimaryIdOutOfRangeIsRefusedAndTheFileLeftAlone) {
  for (const char* stored : {"2147483647", "-5", "4294967296"}) {
    CaseStoreFixture f;
    ASSERT_TRUE(f.opened);
    ASSERT_GT(f.Add(TreeCase("张三", 1990, 5, 12, "家人")), 0);
    Poke(f.store, std::string("update case_extra set primaryId=") + stored + ";");
    const std::string db = CaseDatabasePath(f.dir.path());
    const std::string before = Bytes(db);

    MRecordBase again;
    EXPECT_EQ(again.Open(db, f.dir.path(), true), -1) << stored;
    // 4294967296 is no 32-bit number at all: it cannot be read; the others are out of range.
    EXPECT_EQ(again.LastMessage(), std::string(stored) == "4294967296" ? kMsgCannotReadPrimaryId
                                                                       : kMsgPrimaryIdOutOfRange)
        << stored;
    EXPECT_EQ(Bytes(db), before) << stored;
  }
}

TEST(HostileStore, TheLastIdIsGivenOnceThenAddsAreRefused) {
  CaseStoreFixture f;
  ASSERT_GT(f.Add(TreeCase("甲", 1990, 5, 12, "家人")), 0);
  Poke(f.store, "update case_extra set primaryId=2147483645;");
  MRecordBase store;
  ASSERT_EQ(store.Open(CaseDatabasePath(f.dir.path()), f.dir.path(), false), 0);
  TRecordData r = TreeCase("乙", 1990, 5, 12, "家人");
  EXPECT_EQ(store.AddCase(r), kMaxCaseId);
  TRecordData s = TreeCase("丙", 1990, 5, 12, "家人");
  EXPECT_EQ(store.AddCase(s), -1);
  EXPECT_EQ(store.LastMessage(), kMsgNoMoreCaseIds);
  EXPECT_EQ(store.ReadPrimaryId(), kMaxCaseId);
  std::vector<int> ids;
  ASSERT_TRUE(store.CaseIds(ids));
  EXPECT_EQ(ids, (std::vector<int>{1, kMaxCaseId}));
}

// A primary id of two thousand million with three cases far apart: every walk over the cases
// visits the three ids and nothing else (a loop over every number would take half an hour).
TEST(HostileStore, WalksVisitTheIdsThatExistInOrder) {
  CaseStoreFixture f;
  for (int i = 0; i < 3; ++i)
    ASSERT_GT(f.Add(TreeCase("案" + std::to_string(i), 1990, 5, 12, i == 1 ? "文学家" : "家人")),
              0);
  Poke(f.store, "update case_data set id=1999999999 where id=3;");
  Poke(f.store, "update case_data set id=7 where id=2;");
  Poke(f.store, "update case_extra set primaryId=2000000000;");
  MRecordBase& store = f.store;
  ASSERT_EQ(store.Open(CaseDatabasePath(f.dir.path()), f.dir.path(), false), 0);

  std::vector<int> ids;
  ASSERT_TRUE(store.CaseIds(ids));
  EXPECT_EQ(ids, (std::vector<int>{1, 7, 1999999999}));
  ASSERT_TRUE(store.CaseIds(ids, true, 2));
  EXPECT_EQ(ids, (std::vector<int>{1999999999, 7}));

  std::vector<std::int32_t> found;
  FuzzySearch(store, {"案"}, found);
  EXPECT_EQ(found, (std::vector<std::int32_t>{1, 7, 1999999999}));

  // A missing comment file is written again for the case far up.
  ASSERT_TRUE(DeleteFile(CommentFilePath(f.dir.path(), "案2_199005120708")));
  EXPECT_TRUE(store.EnsureCommentFiles());
  EXPECT_TRUE(FileExists(CommentFilePath(f.dir.path(), "案2_199005120708")));

  test::TempDir other;
  EXPECT_EQ(ExportStore(store, other.file("out.db"), {"文学家"}, false, {}), 1);

  CaseStoreFixture g;
  EXPECT_EQ(ImportStore(g.store, CaseDatabasePath(f.dir.path()), {}), 3);
  EXPECT_EQ(g.store.PrimaryId(), 3);

  EXPECT_EQ(Compact(store, {}), 3);
  MRecordBase compacted;
  ASSERT_EQ(compacted.Open(CaseDatabasePath(f.dir.path()), f.dir.path(), false), 0);
  EXPECT_EQ(compacted.PrimaryId(), 3);
}

TEST(HostileStore, ImportRepairsTextsThatAreNotUtf8AndCountsTheCases) {
  CaseStoreFixture there;
  ASSERT_GT(there.Add(TreeCase("张三", 1990, 5, 12, "家人")), 0);
  ASSERT_GT(there.Add(TreeCase("李四", 1990, 5, 12, "家人")), 0);
  // GBK bytes where UTF-8 belongs, as an older program might have written them.
  Poke(there.store,
       "update case_data set name=cast(X'D5C5' as text), className=cast(X'B6F9FF' as text), "
       "remarkText=cast(X'61FF62' as text), addrName=cast(X'C0' as text) where id=1;");

  CaseStoreFixture here;
  ImportReport report;
  EXPECT_EQ(ImportStore(here.store, CaseDatabasePath(there.dir.path()), {}, &report), 2);
  EXPECT_EQ(report.repaired, 1);
  EXPECT_EQ(report.withoutComment, 0);
  EXPECT_EQ(ImportedMessage(2, report),
            "共导入 2 个案例！其中 1 个案例的文字含有无效的编码，已用“" + kFffd + "”代替。");

  TRecordData r;
  ASSERT_TRUE(here.store.LoadCase(1, r));
  EXPECT_EQ(r.name, kFffd + kFffd);
  EXPECT_EQ(r.className, kFffd + kFffd + kFffd);
  EXPECT_EQ(r.remarkText, "a" + kFffd + "b");
  EXPECT_EQ(r.place, kFffd);
  std::vector<std::string> categories;
  ASSERT_TRUE(here.store.LoadCategories(categories));
  EXPECT_EQ(categories.back(), kFffd + kFffd + kFffd);
  std::string comment;
  ASSERT_TRUE(ReadCommentPlainText(here.store.CommentPath(r), comment));
  EXPECT_EQ(comment, "a" + kFffd + "b");
}

// Stems no file system takes, a stem that leads out of the folder, a stem that is a folder
// here, and a category with a blank: each case arrives with its comment file under a stem
// that works, and the category list stays one name per category.
TEST(HostileStore, ImportGivesEveryCaseACommentFileItCanHave) {
  CaseStoreFixture there;
  for (int i = 0; i < 4; ++i) ASSERT_GT(there.Add(TreeCase("王五", 1990, 5, 12, "家人")), 0);
  Poke(there.store, "update case_data set remarkFile='" + std::string(300, 'x') + "' where id=1;");
  Poke(there.store, "update case_data set remarkFile='" + std::string(120, 'y') +
                        std::string(120, 'z') + "' where id=2;");
  Poke(there.store, "update case_data set remarkFile='taken', className='a b' where id=3;");
  Poke(there.store, "update case_data set name='../x', remarkFile='../../x' where id=4;");

  CaseStoreFixture here;
  ASSERT_TRUE(CreateDirs(CommentFilePath(here.dir.path(), "taken")));
  ImportReport report;
  ASSERT_EQ(ImportStore(here.store, CaseDatabasePath(there.dir.path()), {}, &report), 4);
  EXPECT_EQ(report.withoutComment, 0);
  for (int id = 1; id <= 4; ++id) {
    TRecordData r;
    ASSERT_TRUE(here.store.LoadCase(id, r));
    EXPECT_LE(r.remarkFile.size(), 200u) << id;
    EXPECT_TRUE(FileExists(here.store.CommentPath(r))) << id << " " << r.remarkFile;
  }
  std::vector<std::string> categories;
  ASSERT_TRUE(here.store.LoadCategories(categories));
  EXPECT_EQ(categories, DefaultCategoryList());
  // Nothing was written outside the comment folder.
  EXPECT_FALSE(FileExists(here.dir.path() + "x.rtf"));
}

TEST(HostileStore, ACategoryListThatWouldNotReadBackIsRefused) {
  CaseStoreFixture f;
  const std::vector<std::vector<std::string>> lists = {{}, {""}, {"家人", "亲戚 朋友"}, {"a b"}};
  for (const auto& list : lists) {
    EXPECT_FALSE(f.store.SaveCategories(list));
    EXPECT_FALSE(f.store.LastMessage().empty());
    std::vector<std::string> stored;
    ASSERT_TRUE(f.store.LoadCategories(stored));
    EXPECT_EQ(stored, DefaultCategoryList());
  }
  EXPECT_EQ(f.store.LastMessage(), std::string(kMsgBadCategoryName) + "“a b”");
  EXPECT_TRUE(f.store.SaveCategories({"一类"}));
}

// A folder where a case's comment file belongs: showing the case falls back to its
// remarkText, and a search reads no comment from it.
TEST(HostileStore, ACommentPathThatIsAFolderIsNoCommentFile) {
  CaseStoreFixture f;
  TRecordData r = TreeCase("赵六", 1990, 5, 12, "家人");
  r.remarkText = "评语文字";
  std::string path;
  const int id = SaveNewCase(f.store, r, "家人", "{\\rtf1 x}", "评语文字", path);
  ASSERT_GT(id, 0);
  ASSERT_TRUE(DeleteFile(path));
  ASSERT_TRUE(CreateDirs(path));

  TRecordData shown;
  CaseComment comment;
  std::string shownPath;
  ASSERT_TRUE(ShowCase(f.store, id, shown, comment, shownPath));
  EXPECT_FALSE(comment.isRichText);
  EXPECT_EQ(comment.text, "评语文字");
  std::vector<std::int32_t> found;
  FuzzySearch(f.store, {"赵六"}, found);
  EXPECT_EQ(found, std::vector<std::int32_t>{id});
  FuzzySearch(f.store, {"评语"}, found);
  EXPECT_TRUE(found.empty());
  // A new case of the same name and minute does not take the folder's name.
  std::string stem;
  EXPECT_NE(f.store.MakeCommentFileName(shown, stem), path);
}

}  // namespace
}  // namespace taiyi
