// Whole-store operations on real stores under temporary application folders: import, export,
// backup, restore, delete-all and compaction, with their refusals and the failures that must
// leave the store as it was.
#include "store/whole_store.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_util.h"
#include "store/case_schema.h"
#include "store/comment_file.h"
#include "store/record_base.h"
#include "store/store_messages.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

// An application folder with its store.
class Folder {
 public:
  Folder() {
    CreateDirs(dir_.path() + "dat");
    CreateDirs(dir_.path() + "TaiYi_f");
  }
  const std::string& root() const { return dir_.path(); }
  std::string Db() const { return CaseDatabasePath(root()); }
  std::string Comments() const { return CommentFolder(root()); }
  // A new store object on the folder's database, opened now; it lives as long as the folder.
  MRecordBase& Store() {
    auto& store = *stores_.emplace_back(std::make_unique<MRecordBase>());
    EXPECT_EQ(store.Open(Db(), root(), false), 0) << store.LastMessage();
    return store;
  }

 private:
  test::TempDir dir_;
  std::vector<std::unique_ptr<MRecordBase>> stores_;
};

TRecordData Case(const std::string& name, const std::string& category, int minute = 7) {
  TRecordData r;
  r.name = name;
  r.year = 1990;
  r.month = 5;
  r.day = 12;
  r.hour = 23;
  r.minute = static_cast<std::int16_t>(minute);
  r.className = category;
  r.remarkText = name + "的评语";
  r.remarkFile = name + "_stem";
  return r;
}

// Adds the cases in one batch and returns their ids.
std::vector<int> AddAll(MRecordBase& store, std::vector<TRecordData> cases) {
  std::vector<int> ids;
  store.Connect();
  for (TRecordData& r : cases) ids.push_back(store.AddCaseInBatch(r));
  store.Disconnect();
  return ids;
}

std::vector<std::string> Categories(MRecordBase& store) {
  std::vector<std::string> list;
  EXPECT_TRUE(store.LoadCategories(list));
  return list;
}

std::vector<std::string> Names(MRecordBase& store) {
  std::vector<std::string> names;
  TRecordData r;
  for (int id = 1; id <= store.PrimaryId(); ++id)
    names.push_back(store.LoadCase(id, r) ? r.name : "-");
  return names;
}

void SetBaseType(MRecordBase& store, const std::string& type) {
  store.Connect();
  ASSERT_TRUE(store.Execute("update case_extra set baseType=?;", {SqlValue::Text(type)}));
  store.Disconnect();
}

std::string PlainText(const std::string& path) {
  std::string text;
  EXPECT_TRUE(ReadCommentPlainText(path, text)) << path;
  return text;
}

struct Recorder {
  std::vector<std::string> lines;
  StoreProgress sink() {
    return [this](const std::string& line) { lines.push_back(line); };
  }
};

TEST(ImportStore, NewIdsAfterThePrimaryIdCommentsFromRemarkTextCategoriesAppended) {
  Folder here, there;
  MRecordBase& store = here.Store();
  std::vector<TRecordData> ten;
  for (int i = 0; i < 10; ++i) ten.push_back(Case("本" + std::to_string(i), "家人", i));
  AddAll(store, ten);
  ASSERT_TRUE(store.RemoveCase(10));  // the primary id stays 10
  MRecordBase& other = there.Store();
  AddAll(other, {Case("甲", "家人"), Case("乙", "新类"), Case("丙", "家人"), Case("丁", "别类")});
  ASSERT_TRUE(other.RemoveCase(3));
  // The imported database's own comment file is never read.
  ASSERT_TRUE(WriteCommentFromPlainText(CommentFilePath(there.root(), "甲_stem"), "旧文件"));

  Recorder progress;
  EXPECT_EQ(ImportStore(store, there.Db(), progress.sink()), 3);
  // k × 100 div 4 for the three cases: 25, 50 and 75; only 50 is a multiple of ten.
  EXPECT_EQ(progress.lines, std::vector<std::string>{"导入进度：50％"});

  MRecordBase& after = here.Store();
  EXPECT_EQ(after.PrimaryId(), 13);
  const std::vector<std::string> names = Names(after);
  EXPECT_EQ(std::vector<std::string>(names.begin() + 10, names.end()),
            (std::vector<std::string>{"甲", "乙", "丁"}));
  TRecordData r;
  ASSERT_TRUE(after.LoadCase(12, r));
  EXPECT_EQ(r.remarkFile, "乙_stem");
  EXPECT_EQ(PlainText(after.CommentPath(r)), "乙的评语");
  ASSERT_TRUE(after.LoadCase(11, r));
  EXPECT_EQ(PlainText(after.CommentPath(r)), "甲的评语");

  std::vector<std::string> expected = DefaultCategoryList();
  expected.push_back("新类");
  expected.push_back("别类");
  EXPECT_EQ(Categories(after), expected);
}

TEST(ImportStore, ATakenCommentStemGivesTheNextFreeOne) {
  Folder here, there;
  MRecordBase& store = here.Store();
  const std::string taken = CommentFilePath(here.root(), "张三_199005122307");
  ASSERT_TRUE(WriteCommentFromPlainText(taken, "原有的评语"));
  TRecordData a = Case("张三", "家人"), b = Case("张三", "家人");
  a.remarkFile = b.remarkFile = "张三_199005122307";
  AddAll(store, {a});  // the case whose comment file that is
  b.remarkText = "第二个";
  MRecordBase& other = there.Store();
  AddAll(other, {a, b});

  ASSERT_EQ(ImportStore(store, there.Db(), {}), 2);
  MRecordBase& after = here.Store();
  TRecordData r;
  ASSERT_TRUE(after.LoadCase(2, r));
  EXPECT_EQ(r.remarkFile, "张三_199005122307_0");
  EXPECT_EQ(PlainText(after.CommentPath(r)), "张三的评语");
  ASSERT_TRUE(after.LoadCase(3, r));
  EXPECT_EQ(r.remarkFile, "张三_199005122307_1");
  EXPECT_EQ(PlainText(after.CommentPath(r)), "第二个");
  EXPECT_EQ(PlainText(taken), "原有的评语");
}

TEST(ImportStore, RefusesFilesThatAreNoCaseStoreOfThisTypeAndLeavesThemAlone) {
  Folder here, there;
  MRecordBase& store = here.Store();
  AddAll(store, {Case("本", "家人")});
  const std::string text = there.root() + "text.db";
  ASSERT_TRUE(WriteFileAtomic(text, "not a database"));
  const std::string foreign = there.root() + "foreign.db";
  {
    SqliteConnection db;
    ASSERT_EQ(db.Open(foreign), SQLITE_OK);
    ASSERT_EQ(db.ExecuteScript("create table notes(x); insert into notes values (1);"), SQLITE_OK);
  }
  {
    MRecordBase& other = there.Store();
    AddAll(other, {Case("甲", "家人")});
    SetBaseType(other, "birthdata");
  }
  const struct {
    std::string path;
    const char* message;
  } cases[] = {
      {there.root() + "missing.db", kMsgCannotOpenImport},
      {text, kMsgCannotOpenImport},
      {foreign, kMsgImportNotSameType},
      {there.Db(), kMsgImportNotSameType},  // birthdata: the tag is compared case-sensitively
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    std::string before;
    ReadFile(c.path, before);
    EXPECT_EQ(ImportStore(store, c.path, {}), 0);
    EXPECT_EQ(store.LastMessage(), c.message);
    std::string afterBytes;
    ReadFile(c.path, afterBytes);
    EXPECT_EQ(afterBytes, before);  // nothing is added to the refused file
  }
  EXPECT_FALSE(FileExists(there.root() + "missing.db"));
  EXPECT_EQ(here.Store().PrimaryId(), 1);
}

TEST(ImportStore, NothingToImportSaysSo) {
  Folder here, there;
  MRecordBase& store = here.Store();
  there.Store();
  EXPECT_EQ(ImportStore(store, there.Db(), {}), 0);
  EXPECT_EQ(store.LastMessage(), "共导入 0 个案例！");
}

TEST(ImportStore, CasesThatCannotBeStoredKeepTheCauseAsTheMessage) {
  Folder here, there;
  MRecordBase& store = here.Store();
  AddAll(there.Store(), {Case("甲", "家人")});
  // A trigger refuses every new case of this store.
  store.Connect();
  ASSERT_TRUE(
      store.Execute("create trigger refuse before insert on case_data begin "
                    "select raise(abort, 'refused'); end;",
                    {}));
  store.Disconnect();
  EXPECT_EQ(ImportStore(store, there.Db(), {}), 0);
  EXPECT_EQ(store.LastMessage(), "无法保存案例！");
}

// The import runs in one transaction: a process that dies in the middle of it leaves the
// store with exactly the cases it had.
TEST(ImportStore, ACrashMidwayLeavesTheStoreAsItWas) {
  Folder here, there;
  AddAll(here.Store(), {Case("本", "家人")});
  std::vector<TRecordData> many;
  for (int i = 0; i < 10; ++i) many.push_back(Case("外" + std::to_string(i), "新类", i));
  AddAll(there.Store(), many);

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    MRecordBase store;
    store.Open(here.Db(), here.root(), false);
    ImportStore(store, there.Db(), [](const std::string& line) {
      if (line == "导入进度：50％") _exit(3);
    });
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 3);  // it died mid-way

  MRecordBase& after = here.Store();
  EXPECT_EQ(after.PrimaryId(), 1);
  EXPECT_EQ(Names(after), std::vector<std::string>{"本"});
  EXPECT_EQ(Categories(after), DefaultCategoryList());
  TRecordData r;
  EXPECT_FALSE(after.LoadCase(2, r));
}

TEST(ExportStore, OneCategoryRenumberedFromOneWithItsCategoryAlone) {
  Folder here, out;
  MRecordBase& store = here.Store();
  AddAll(store, {Case("甲", "文学家"), Case("乙", "家人"), Case("丙", "文学家"), Case("丁", "家人"),
                 Case("戊", "家人")});
  ASSERT_TRUE(store.RemoveCase(4));
  const std::string path = out.root() + "export.db";

  Recorder progress;
  EXPECT_EQ(ExportStore(store, path, {"家人"}, false, progress.sink()), 2);
  ASSERT_FALSE(progress.lines.empty());
  EXPECT_EQ(progress.lines.back(), "导出进度：100％");
  EXPECT_FALSE(FileExists(path + ".tmp"));

  MRecordBase exported;
  ASSERT_EQ(exported.Open(path, out.root(), false), 0);
  EXPECT_EQ(exported.PrimaryId(), 2);
  EXPECT_EQ(Names(exported), (std::vector<std::string>{"乙", "戊"}));
  EXPECT_EQ(Categories(exported), std::vector<std::string>{"家人"});
  TRecordData r;
  ASSERT_TRUE(exported.LoadCase(2, r));
  EXPECT_EQ(r.remarkFile, "戊_stem");
  EXPECT_EQ(r.remarkText, "戊的评语");

  // Into an existing file: its cases stay, the new ones follow.
  EXPECT_EQ(ExportStore(store, path, {}, true, {}), 4);
  ASSERT_EQ(exported.Open(path, out.root(), false), 0);
  EXPECT_EQ(Names(exported), (std::vector<std::string>{"乙", "戊", "甲", "乙", "丙", "戊"}));
  EXPECT_EQ(Categories(exported), (std::vector<std::string>{"文学家", "家人"}));
}

TEST(ExportStore, NothingToExportLeavesNoFile) {
  Folder here, out;
  MRecordBase& store = here.Store();
  AddAll(store, {Case("甲", "家人")});
  const std::string path = out.root() + "export.db";
  EXPECT_EQ(ExportStore(store, path, {"科学家"}, false, {}), 0);
  EXPECT_FALSE(FileExists(path));
  EXPECT_FALSE(FileExists(path + ".tmp"));
  // A folder that does not exist: the temporary store's own message.
  EXPECT_EQ(ExportStore(store, out.root() + "no/such/export.db", {}, true, {}), 0);
  EXPECT_EQ(store.LastMessage(), kMsgCannotOpenDatabase);
}

TEST(Backup, WithoutCommentFilesCopiesTheDatabaseMakesTheFolderAndFails) {
  Folder here, target;
  MRecordBase& store = here.Store();
  AddAll(store, {Case("甲", "家人")});
  EXPECT_FALSE(Backup(store, target.root()));
  EXPECT_EQ(store.LastMessage(), "找不到评语文件！");
  EXPECT_TRUE(FileExists(target.root() + "TaiYi.db"));
  EXPECT_TRUE(DirExists(target.root() + "TaiYi_f"));
  EXPECT_FALSE(FileExists(target.root() + "TaiYi_f/save.txt"));
}

TEST(BackupAndRestore, TheBackupComesBackWithItsCommentsAfterDeleteAll) {
  Folder here, target;
  MRecordBase& store = here.Store();
  AddAll(store, {Case("甲", "家人"), Case("乙", "新类")});
  ASSERT_TRUE(store.EnsureCommentFiles());
  ASSERT_TRUE(store.SaveCategories({"家人", "新类"}));
  const std::string backup = target.root() + "b/";
  ASSERT_TRUE(CreateDirs(backup));
  ASSERT_TRUE(Backup(store, backup)) << store.LastMessage();
  std::string save;
  ASSERT_TRUE(ReadFile(backup + "TaiYi_f/save.txt", save));
  EXPECT_EQ(save, "save\n");
  EXPECT_EQ(PlainText(backup + "TaiYi_f/甲_stem.rtf"), "甲的评语");
  // A comment file lost from the backup is made again from the case's remarkText.
  ASSERT_TRUE(DeleteFile(backup + "TaiYi_f/乙_stem.rtf"));

  AddAll(store, {Case("丙", "家人")});
  ASSERT_TRUE(WriteCommentFromPlainText(here.Comments() + "甲_stem.rtf", "改过"));
  EXPECT_TRUE(DeleteAll(store)) << store.LastMessage();
  EXPECT_FALSE(FileExists(here.Db()));
  EXPECT_TRUE(ListFiles(here.Comments(), "*.rtf").empty());

  ASSERT_TRUE(Restore(store, backup)) << store.LastMessage();
  MRecordBase& after = here.Store();
  EXPECT_EQ(Names(after), (std::vector<std::string>{"甲", "乙"}));
  EXPECT_EQ(Categories(after), (std::vector<std::string>{"家人", "新类"}));
  EXPECT_EQ(PlainText(here.Comments() + "甲_stem.rtf"), "甲的评语");
  EXPECT_EQ(PlainText(here.Comments() + "乙_stem.rtf"), "乙的评语");
  EXPECT_FALSE(FileExists(here.Db() + ".restore"));
}

// A file that cannot be deleted (a read-only folder) is reported, never taken for success: a
// database that stays keeps every case and comment file; comment files that stay are named.
TEST(DeleteAll, AFileThatStaysIsReported) {
  Folder here;
  MRecordBase& store = here.Store();
  AddAll(store, {Case("甲", "家人"), Case("乙", "家人")});
  ASSERT_TRUE(store.EnsureCommentFiles());
  const auto refuse = [](const std::string& suffix) {
    return [suffix](const std::string& path) {
      return path.ends_with(suffix) ? false : DeleteFile(path);
    };
  };

  EXPECT_FALSE(DeleteAll(store, refuse(".db")));
  EXPECT_EQ(store.LastMessage(), kMsgCannotDeleteDatabase);
  EXPECT_EQ(Names(here.Store()), (std::vector<std::string>{"甲", "乙"}));
  EXPECT_TRUE(FileExists(here.Comments() + "甲_stem.rtf"));

  EXPECT_FALSE(DeleteAll(store, refuse("乙_stem.rtf")));
  EXPECT_EQ(store.LastMessage(), kMsgCannotDeleteComments);
  EXPECT_FALSE(FileExists(here.Db()));
  EXPECT_FALSE(FileExists(here.Comments() + "甲_stem.rtf"));

  EXPECT_TRUE(DeleteAll(store)) << store.LastMessage();
  EXPECT_TRUE(store.LastMessage().empty());
  EXPECT_TRUE(ListFiles(here.Comments(), "*.rtf").empty());
}

// Replacing the store by a backup: the old comment files go only once the backup's database
// is in place, and a copy that fails leaves the store with its cases and comments.
TEST(ReplaceWithBackup, OldCommentsGoOnlyAfterTheBackupIsInPlace) {
  Folder here, target;
  MRecordBase& store = here.Store();
  AddAll(store, {Case("甲", "家人")});
  ASSERT_TRUE(store.EnsureCommentFiles());
  const std::string backup = target.root() + "b/";
  ASSERT_TRUE(CreateDirs(backup));
  ASSERT_TRUE(Backup(store, backup)) << store.LastMessage();
  AddAll(store, {Case("丁", "家人")});
  ASSERT_TRUE(store.EnsureCommentFiles());

  // The temporary copy cannot be made (a folder stands in its place).
  ASSERT_TRUE(CreateDirs(here.Db() + ".restore"));
  EXPECT_FALSE(ReplaceWithBackup(store, backup));
  EXPECT_EQ(Names(here.Store()), (std::vector<std::string>{"甲", "丁"}));
  EXPECT_EQ(PlainText(here.Comments() + "丁_stem.rtf"), "丁的评语");

  std::filesystem::remove_all(here.Db() + ".restore");
  ASSERT_TRUE(ReplaceWithBackup(store, backup)) << store.LastMessage();
  EXPECT_EQ(Names(here.Store()), (std::vector<std::string>{"甲"}));
  EXPECT_EQ(ListFiles(here.Comments(), "*.rtf"), (std::vector<std::string>{"甲_stem.rtf"}));
}

TEST(Restore, RefusesAnIncompleteOrForeignBackupBeforeReplacingAnything) {
  Folder here, src;
  MRecordBase& store = here.Store();
  AddAll(store, {Case("本", "家人")});
  const std::string root = src.root();
  auto makeBackup = [&](const std::string& name, const std::string& type, bool folder, bool files) {
    const std::string dir = root + name + "/";
    CreateDirs(dir);
    if (!type.empty()) {
      MRecordBase b;
      EXPECT_EQ(b.Open(dir + "TaiYi.db", dir, false), 0);
      AddAll(b, {Case("外", "家人")});
      SetBaseType(b, type);
    }
    if (folder) CreateDirs(dir + "TaiYi_f");
    if (files) WriteCommentFromPlainText(dir + "TaiYi_f/外_stem.rtf", "外");
    return dir;
  };
  const struct {
    std::string folder;
    const char* message;
  } cases[] = {
      {makeBackup("nodb", "", true, true), "没有源db文件！"},
      {makeBackup("type", "birthdata", true, true), "不是相同的数据库类型，无法还原！"},
      {makeBackup("nofolder", "birthData", false, false), "没有源评语文件夹！"},
      {makeBackup("nofiles", "birthData", true, false), "找不到源评语文件！"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    EXPECT_FALSE(Restore(store, c.folder));
    EXPECT_EQ(store.LastMessage(), c.message);
    EXPECT_EQ(CheckRestoreSource(c.folder), c.message);
    EXPECT_EQ(Names(here.Store()), std::vector<std::string>{"本"});
  }
}

TEST(Compact, SixHundredIdsWithTwoHundredDeletedGiveOneToFourHundred) {
  Folder here;
  MRecordBase& store = here.Store();
  std::vector<TRecordData> cases;
  for (int id = 1; id <= 600; ++id) {
    // Every third case is deleted below, and with it the whole category 刑事犯罪.
    const char* category = id % 3 == 0 ? "刑事犯罪" : id % 3 == 1 ? "文学家" : "家人";
    cases.push_back(Case("例" + std::to_string(id), category));
  }
  AddAll(store, cases);
  store.Connect();
  for (int id = 3; id <= 600; id += 3) ASSERT_TRUE(store.RemoveCaseInBatch(id));
  store.Disconnect();
  // A file left by a compaction that never finished does not mix into this one.
  {
    MRecordBase leftover;
    ASSERT_EQ(leftover.Open(here.root() + "dat/TaiYi_back.db", here.root(), false), 0);
    AddAll(leftover, {Case("残留", "家人")});
  }

  Recorder progress;
  EXPECT_EQ(Compact(store, progress.sink()), 400);
  EXPECT_EQ(progress.lines.back(), "整理进度：100％");
  EXPECT_FALSE(FileExists(here.root() + "dat/TaiYi_back.db"));

  MRecordBase& after = here.Store();
  EXPECT_EQ(after.PrimaryId(), 400);
  TRecordData r;
  for (const auto& [id, name] : std::vector<std::pair<int, std::string>>{
           {1, "例1"}, {2, "例2"}, {3, "例4"}, {399, "例598"}, {400, "例599"}}) {
    ASSERT_TRUE(after.LoadCase(id, r)) << id;
    EXPECT_EQ(r.name, name);
    EXPECT_EQ(r.id, id);
    EXPECT_EQ(r.remarkFile, name + "_stem");
  }
  EXPECT_FALSE(after.LoadCase(401, r));
  EXPECT_EQ(Categories(after), (std::vector<std::string>{"文学家", "家人"}));
}

TEST(Compact, ProgressEveryTenPerCentRepeatedWhileThePercentageStays) {
  Folder here;
  MRecordBase& store = here.Store();
  std::vector<TRecordData> cases(150, Case("甲", "家人"));
  AddAll(store, cases);
  Recorder progress;
  ASSERT_EQ(Compact(store, progress.sink()), 150);
  // k × 100 div 150 is a multiple of ten at k = 1, at 15m and 15m + 1, and at 150.
  std::vector<std::string> expected = {"整理进度：0％"};
  for (int p = 10; p <= 90; p += 10)
    expected.insert(expected.end(), 2, "整理进度：" + std::to_string(p) + "％");
  expected.insert(expected.end(), 2, "整理进度：100％");  // the last case, then done
  EXPECT_EQ(progress.lines, expected);
}

TEST(Compact, AFailedRenameLeavesTheOldStoreWithEveryCase) {
  Folder here;
  MRecordBase& store = here.Store();
  std::vector<TRecordData> cases;
  for (int i = 1; i <= 30; ++i) cases.push_back(Case("例" + std::to_string(i), "家人"));
  AddAll(store, cases);
  for (int id = 2; id <= 30; id += 2) ASSERT_TRUE(store.RemoveCase(id));
  std::string before;
  ASSERT_TRUE(ReadFile(here.Db(), before));

  int renames = 0;
  EXPECT_EQ(Compact(store, {},
                    [&](const std::string&, const std::string&) {
                      ++renames;
                      return false;
                    }),
            0);
  EXPECT_EQ(renames, 1);
  EXPECT_EQ(store.LastMessage(), "无法更改文件名！");
  std::string afterBytes;
  ASSERT_TRUE(ReadFile(here.Db(), afterBytes));
  EXPECT_EQ(afterBytes, before);
  EXPECT_FALSE(FileExists(here.root() + "dat/TaiYi_back.db"));
  MRecordBase& after = here.Store();
  EXPECT_EQ(after.PrimaryId(), 30);
  TRecordData r;
  for (int id = 1; id <= 30; id += 2) {
    ASSERT_TRUE(after.LoadCase(id, r)) << id;
    EXPECT_EQ(r.name, "例" + std::to_string(id));
  }
}

// Cases above a stale primary id are kept, not dropped with the old file.
TEST(Compact, KeepsCasesAboveAStalePrimaryId) {
  Folder here;
  MRecordBase& store = here.Store();
  AddAll(store, {Case("甲", "家人"), Case("乙", "家人"), Case("丙", "家人")});
  store.Connect();
  ASSERT_TRUE(store.Execute("update case_extra set primaryId=1;"));
  store.Disconnect();
  MRecordBase& stale = here.Store();
  ASSERT_EQ(stale.PrimaryId(), 1);
  EXPECT_EQ(Compact(stale, {}), 3);
  EXPECT_EQ(Names(here.Store()), (std::vector<std::string>{"甲", "乙", "丙"}));
}

// Every file and folder under dir with its bytes.
std::map<std::string, std::string> Snapshot(const std::string& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
    std::string bytes;
    if (entry.is_regular_file()) {
      EXPECT_TRUE(ReadFile(entry.path().string(), bytes));
    }
    files[entry.path().string()] = bytes;
  }
  return files;
}

// A progress sink that asks the work to stop when it reports the line.
StoreProgress StopAt(WorkProgress& work, const std::string& line) {
  return [&work, line](const std::string& reported) {
    if (reported == line) work.RequestStop();
  };
}

// A stop taken at any point up to the final switch undoes the whole operation: the store's
// folder and the target folder hold the same files with the same bytes as before (no case,
// comment file, temporary file or pending entry is left), and the operation fails with the
// stop message.
TEST(StoppedWholeStoreWork, LeavesEveryFileAsItWas) {
  Folder here, there, out;
  MRecordBase& store = here.Store();
  std::vector<TRecordData> own, foreign;
  for (int i = 1; i <= 20; ++i) own.push_back(Case("本" + std::to_string(i), "家人", i));
  for (int i = 1; i <= 10; ++i) foreign.push_back(Case("外" + std::to_string(i), "新类", i));
  AddAll(store, own);
  for (int id = 2; id <= 20; id += 2) ASSERT_TRUE(store.RemoveCase(id));  // ten are left
  ASSERT_TRUE(store.EnsureCommentFiles());
  AddAll(there.Store(), foreign);
  const std::string backup = out.root() + "backup/";
  ASSERT_TRUE(CreateDirs(backup));
  ASSERT_TRUE(Backup(store, backup)) << store.LastMessage();
  ASSERT_TRUE(CreateDirs(out.root() + "empty"));
  const auto hereBefore = Snapshot(here.root());
  const auto outBefore = Snapshot(out.root());

  // Import and export count 10 cases against 10 and 20 ids, compaction 10 against 20: the
  // first line is reported mid-way, the second after the last case, before the commit.
  const struct {
    const char* what;
    std::function<bool(WorkProgress&)> run;
  } cases[] = {
      {"import mid-way",
       [&](WorkProgress& w) {
         return ImportStore(store, there.Db(), StopAt(w, "导入进度：50％"), nullptr, &w) > 0;
       }},
      {"import after its last case",
       [&](WorkProgress& w) {
         return ImportStore(store, there.Db(), StopAt(w, "导入进度：100％"), nullptr, &w) > 0;
       }},
      {"export mid-way",
       [&](WorkProgress& w) {
         return ExportStore(store, out.root() + "e.db", {}, true, StopAt(w, "导出进度：20％"), &w) >
                0;
       }},
      {"export after its last case",
       [&](WorkProgress& w) {
         return ExportStore(store, out.root() + "e.db", {}, true, StopAt(w, "导出进度：50％"), &w) >
                0;
       }},
      {"compaction mid-way",
       [&](WorkProgress& w) { return Compact(store, StopAt(w, "整理进度：20％"), {}, &w) > 0; }},
      {"compaction after its last case",
       [&](WorkProgress& w) { return Compact(store, StopAt(w, "整理进度：50％"), {}, &w) > 0; }},
      {"backup",
       [&](WorkProgress& w) {
         w.RequestStop();
         return Backup(store, out.root() + "empty/", &w);
       }},
      {"restore",
       [&](WorkProgress& w) {
         w.RequestStop();
         return Restore(store, backup, &w);
       }},
      {"replace with backup",
       [&](WorkProgress& w) {
         w.RequestStop();
         return ReplaceWithBackup(store, backup, &w);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WorkProgress work;
    EXPECT_FALSE(c.run(work));
    EXPECT_EQ(store.LastMessage(), kMsgWorkStopped);
    EXPECT_EQ(Snapshot(here.root()), hereBefore);
    EXPECT_EQ(Snapshot(out.root()), outBefore);
  }
  EXPECT_EQ(store.PrimaryId(), 20);
}

// Once a compaction starts its final switch the stop is refused and the switch completes.
TEST(StoppedWholeStoreWork, NoStopOnceTheCompactionSwitches) {
  Folder here;
  MRecordBase& store = here.Store();
  AddAll(store, {Case("甲", "家人"), Case("乙", "家人"), Case("丙", "家人")});
  ASSERT_TRUE(store.RemoveCase(2));
  WorkProgress work;
  bool refused = false;
  const auto rename = [&](const std::string& from, const std::string& to) {
    refused = !work.RequestStop();
    return RenameFile(from, to);
  };
  EXPECT_EQ(Compact(store, {}, rename, &work), 2);
  EXPECT_TRUE(refused);
  EXPECT_FALSE(work.stop);
  EXPECT_EQ(work.done, 2);
  EXPECT_EQ(work.total, 2);
  EXPECT_EQ(Names(here.Store()), (std::vector<std::string>{"甲", "丙"}));
}

TEST(WholeStoreNames, ExportFileAndBackupFolder) {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 2;
  t.tm_mday = 5;
  t.tm_hour = 9;
  t.tm_min = 7;
  t.tm_sec = 0;
  EXPECT_EQ(ExportFileName("/x/out", t), "/x/out/墨衡太乙神数_2026年3月5日9时7分0秒.db");
  EXPECT_EQ(BackupFolderName("/x/out/", t), "/x/out/墨衡太乙神数_备份_2026年3月5日9时7分0秒/");
}

}  // namespace
}  // namespace taiyi
