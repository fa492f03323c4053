#include "store/whole_store.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "platform/file_util.h"
#include "platform/gbk.h"
#include "platform/ini_file.h"
#include "store/case_schema.h"
#include "store/comment_file.h"
#include "store/sqlite_connection.h"
#include "store/store_journal.h"
#include "store/store_messages.h"

namespace taiyi {
namespace {

constexpr char kImportLabel[] = "导入进度：";
constexpr char kExportLabel[] = "导出进度：";
constexpr char kCompactLabel[] = "整理进度：";
constexpr char kPercentSign[] = "％";

// The progress line of case k of n: written whenever the percentage is a multiple of ten,
// again for every further case while it stays there.
void Report(const StoreProgress& progress, const char* label, int k, int n) {
  if (!progress || n <= 0) return;
  const long long percent = static_cast<long long>(k) * 100 / n;
  if (percent % 10 == 0) progress(label + std::to_string(percent) + kPercentSign);
}

void Done(const StoreProgress& progress, const char* label) {
  if (progress) progress(label + std::string("100") + kPercentSign);
}

// The window's side of the work: counts, the stop request, and the point after which a stop
// is no longer taken.  Without a WorkProgress nothing is counted and nothing stops.
void BeginCount(WorkProgress* work, std::size_t steps) {
  if (work) work->Begin(static_cast<int>(steps));
}
void CountStep(WorkProgress* work) {
  if (work) work->Step();
}
bool StopAsked(const WorkProgress* work) {
  return work != nullptr && work->stop.load();
}
// Whether the work may pass its point of no return: false when a stop came first.
bool MayFinish(WorkProgress* work) {
  return work == nullptr || work->Finish();
}

void AddOnce(std::vector<std::string>& list, const std::string& name) {
  if (std::find(list.begin(), list.end(), name) == list.end()) list.push_back(name);
}

enum class StoreKind { kUnreadable, kForeign, kCaseStore };

// What the file at path is, found without writing to it (opening it as a store would add the
// missing tables to any database it is given).
StoreKind ProbeStore(const std::string& path) {
  if (!FileExists(path)) return StoreKind::kUnreadable;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return StoreKind::kUnreadable;
  }
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  StoreKind kind = StoreKind::kUnreadable;
  {
    SqliteStatement tables(db,
                           "select name from sqlite_master where type='table' and "
                           "name='case_extra';");
    const int rc = tables.Status() == SQLITE_OK ? tables.Step() : tables.Status();
    if (rc == SQLITE_DONE) kind = StoreKind::kForeign;
    if (rc == SQLITE_ROW) {
      SqliteStatement type(db, "select baseType from case_extra;");
      kind = type.Status() == SQLITE_OK && type.Step() == SQLITE_ROW &&
                     type.ColumnText(0) == kStoreBaseType
                 ? StoreKind::kCaseStore
                 : StoreKind::kForeign;
    }
  }
  sqlite3_close(db);
  return kind;
}

std::string FolderOf(const std::string& path) {
  const std::string parent = std::filesystem::path(path).parent_path().string();
  return parent.empty() ? std::string() : WithSlash(parent);
}

// Removes a database file with the rollback journal SQLite may have left beside it.
void DeleteDatabaseFile(const std::string& path) {
  DeleteFile(path);
  DeleteFile(path + "-journal");
}

std::string WithoutSlash(const std::string& dir) {
  std::string path = WithSlash(dir);
  if (path.size() > 1) path.pop_back();
  return path;
}

std::string BaseNameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// A hard link to the file (the comment files are only ever replaced, never changed in
// place, so the link keeps the content), or a copy where links are not possible.
bool LinkOrCopyFile(const std::string& from, const std::string& to) {
  std::error_code ec;
  std::filesystem::create_hard_link(from, to, ec);
  return !ec || CopyFile(from, to, true);
}

std::string Format(const char* format, int n) {
  char text[256];
  std::snprintf(text, sizeof text, format, n);
  return text;
}

// The number the progress of a walk over ids counts against: the primary id, as the loop
// over 1..primaryId always did, or the highest id when a foreign store holds cases above it.
int ProgressTotal(MRecordBase& store, const std::vector<int>& ids) {
  return std::max(store.PrimaryId(), ids.empty() ? 0 : ids.back());
}

// "2026年3月5日9时7分0秒" of a local time.
std::string Stamp(const std::tm& t) {
  char text[128];
  std::snprintf(text, sizeof text, "%d年%d月%d日%d时%d分%d秒", t.tm_year + 1900, t.tm_mon + 1,
                t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  return text;
}

}  // namespace

bool HasBaseType(MRecordBase& store, std::string_view tag) {
  const bool opened = !store.IsConnected();
  if (opened && store.Connect() != SQLITE_OK) {
    store.Disconnect();
    return false;
  }
  TContentValues rows;
  const bool ok = store.Query("select baseType from case_extra;", {}, rows);
  if (opened) store.Disconnect();
  if (!ok || rows.empty()) return false;
  const auto it = rows.front().find("baseType");
  return it != rows.front().end() && it->second == tag;
}

namespace {

// Replaces the bytes of the case's texts that are not UTF-8 by U+FFFD; whether it did.
bool RepairTexts(TRecordData& r) {
  bool repaired = false;
  const auto repair = [&repaired](const std::string& text) {
    if (IsValidUtf8(text)) return text;
    repaired = true;
    return RepairUtf8(text);
  };
  r.SetName(repair(r.name));
  r.SetPlace(repair(r.place));
  r.className = repair(r.className);
  r.remarkText = repair(r.remarkText);
  r.remarkFile = repair(r.remarkFile);
  return repaired;
}

// Whether a comment file of this stem, and the temporary file it is written through, have
// names the file system accepts (255 bytes, less the ".rtf" and the temporary suffix).
bool StemFits(const std::string& stem) { return stem.size() <= 200; }

}  // namespace

std::string ImportedMessage(int imported, const ImportReport& report) {
  std::string message = Format(kMsgImported, imported);
  if (report.repaired > 0) message += Format(kMsgImportRepaired, report.repaired);
  if (report.withoutComment > 0) message += Format(kMsgImportNoComment, report.withoutComment);
  return message;
}

int ImportStore(MRecordBase& store, const std::string& path, const StoreProgress& progress,
                ImportReport* report, WorkProgress* work) {
  ImportReport counts;
  if (report) *report = counts;
  store.SetLastMessage("");
  MRecordBase::WriteGuard guard(store, StoreLockMode::kExclusive);
  if (!guard) return 0;
  switch (ProbeStore(path)) {
    case StoreKind::kUnreadable:
      store.SetLastMessage(kMsgCannotOpenImport);
      return 0;
    case StoreKind::kForeign:
      store.SetLastMessage(kMsgImportNotSameType);
      return 0;
    case StoreKind::kCaseStore:
      break;
  }
  MRecordBase other;
  if (other.OpenPrivate(path, store.AppDir()) != 0) {
    std::string message = kMsgCannotOpenImport;
    if (other.LastMessage() == kMsgPrimaryIdOutOfRange) message += other.LastMessage();
    store.SetLastMessage(message);
    return 0;
  }
  if (!HasBaseType(other, kStoreBaseType)) {
    store.SetLastMessage(kMsgImportNotSameType);
    return 0;
  }

  std::vector<std::string> categories;
  store.LoadCategories(categories);
  int k = 0;
  // Comment files made by this import, removed again when its cases do not arrive.
  std::vector<std::string> written;
  other.Connect();
  if (store.Connect(true) != SQLITE_OK) {
    other.Disconnect();
    store.Disconnect();
    store.SetLastMessage(kMsgCannotOpenDatabase);
    return 0;
  }
  std::vector<int> ids;
  if (!other.CaseIds(ids)) store.SetLastMessage(other.LastMessage());
  const int n = ProgressTotal(other, ids);
  BeginCount(work, ids.size());
  bool stopped = false;
  for (const int id : ids) {
    if (StopAsked(work)) {
      stopped = true;
      break;
    }
    CountStep(work);
    TRecordData record;
    if (!other.LoadCaseInBatch(id, record)) continue;
    const bool repaired = RepairTexts(record);
    // The comment files of the imported database are not read: each case's comment is made
    // from its remarkText, under a new stem when its own is taken here or is too long a
    // file name.
    std::string commentPath = store.CommentPath(record);
    if (!StemFits(record.remarkFile) || FileExists(commentPath) || DirExists(commentPath)) {
      std::string stem;
      commentPath = store.MakeCommentFileName(record, stem);
      record.remarkFile = stem;
    }
    // A case arrives only with its comment file.
    if (!WriteCommentFromPlainText(commentPath, record.remarkText, FileSync::kLater)) {
      ++counts.withoutComment;
    } else if (store.AddCaseInBatch(record) > 0) {
      ++k;
      if (repaired) ++counts.repaired;
      if (IsStorableCategory(record.className)) AddOnce(categories, record.className);
      written.push_back(commentPath);
    } else {
      DeleteFile(commentPath);
    }
    Report(progress, kImportLabel, k, n);
  }
  // A stop, up to the commit, takes back every case and comment file of the import.
  if (stopped || !MayFinish(work)) {
    other.Disconnect();
    store.Abandon();
    for (const std::string& file : written) DeleteFile(file);
    store.PrimaryId();  // the one from before
    store.SetLastMessage(kMsgWorkStopped);
    return 0;
  }
  // The comment files reach the disk before the cases that name them are committed.
  if (!written.empty()) SyncFileSystem(store.AppDir());
  // The category list changes in the same transaction as the cases.
  if (k > 0) store.SaveCategories(categories);
  other.Disconnect();
  if (!store.Disconnect()) {
    const std::string message = store.LastMessage();
    for (const std::string& file : written) DeleteFile(file);
    store.PrimaryId();  // the one from before
    store.SetLastMessage(message);
    return 0;
  }
  // Nothing arrived: say why when a case failed, else that there was nothing to import.
  if (k == 0 && store.LastMessage().empty()) store.SetLastMessage(ImportedMessage(0, counts));
  if (report) *report = counts;
  return k;
}

int ExportStore(MRecordBase& store, const std::string& path,
                const std::vector<std::string>& categories, bool all, const StoreProgress& progress,
                WorkProgress* work) {
  MRecordBase::WriteGuard guard(store, StoreLockMode::kExclusive);
  if (!guard) return 0;
  // The export is built in a file beside the target and appears there complete; a program
  // that dies meanwhile leaves an entry by which the next open removes the half-made file.
  const std::string temp = path + ".tmp";
  const std::string pending = WritePendingStep(
      store, {{"kind", "discard"}, {"path", temp}, {"path", temp + "-journal"}});
  if (pending.empty()) {
    store.SetLastMessage(kMsgCannotCopyDatabase);
    return 0;
  }
  const auto fail = [&](const std::string& message) {
    if (!message.empty()) store.SetLastMessage(message);
    DeleteDatabaseFile(temp);
    RemovePendingStep(pending);
    return 0;
  };
  DeleteDatabaseFile(temp);
  if (FileExists(path) && !CopyFile(path, temp, true)) return fail(kMsgCannotCopyDatabase);
  int k = 0;
  bool stopped = false;
  {
    MRecordBase other;
    if (other.OpenPrivate(temp, store.AppDir()) != 0) return fail(other.LastMessage());
    std::vector<std::string> collected;
    other.Connect();
    store.Connect();
    std::vector<int> ids;
    store.CaseIds(ids);
    const int n = ProgressTotal(store, ids);
    BeginCount(work, ids.size());
    for (const int id : ids) {
      if (StopAsked(work)) {
        stopped = true;
        break;
      }
      CountStep(work);
      TRecordData record;
      if (!store.LoadCaseInBatch(id, record)) continue;
      if (!all &&
          std::find(categories.begin(), categories.end(), record.className) == categories.end())
        continue;
      if (other.AddCaseInBatch(record) > 0) {
        ++k;
        AddOnce(collected, record.className);
      }
      Report(progress, kExportLabel, k, n);
    }
    store.Disconnect();
    if (stopped) {
      other.Abandon();
      return fail(kMsgWorkStopped);
    }
    if (k > 0) other.SaveCategories(collected);
    if (!other.Disconnect()) {
      store.SetLastMessage(other.LastMessage());
      k = 0;
    }
  }
  if (k == 0) return fail({});
  // Up to here a stop leaves nothing at path that was not there before.
  if (!MayFinish(work)) return fail(kMsgWorkStopped);
  if (!RenameFile(temp, path) || !SyncFolder(FolderOfPath(path)))
    return fail(kMsgCannotRename);
  RemovePendingStep(pending);
  Done(progress, kExportLabel);
  return k;
}

namespace {

// Copies the database and the comment files into dir (ending with '/'), with "save.txt".
bool CopyStoreInto(MRecordBase& store, const std::string& dir, WorkProgress* work) {
  const std::string source = CommentFolder(store.AppDir());
  const std::vector<std::string> files = ListFiles(source, "*.rtf", true);
  BeginCount(work, files.size() + 1);
  if (!CopyFile(store.DbPath(), dir + std::string(kStoreName) + ".db", true)) {
    store.SetLastMessage(kMsgCannotCopyDatabase);
    return false;
  }
  CountStep(work);
  const std::string target = dir + std::string(kStoreName) + "_f/";
  if (!DirExists(target) && !CreateDirs(target)) {
    store.SetLastMessage(kMsgCannotCreateBackupCommentDir);
    return false;
  }
  if (files.empty()) {
    store.SetLastMessage(kMsgNoCommentFiles);
    return false;
  }
  for (const std::string& name : files) {
    if (StopAsked(work)) {
      store.SetLastMessage(kMsgWorkStopped);
      return false;
    }
    CountStep(work);
    if (!CopyFile(source + name, target + name, true)) {
      store.SetLastMessage(kMsgCannotCopyDatabase);
      return false;
    }
  }
  return WriteFileAtomic(target + "save.txt", "save\n", FileSync::kLater) &&
         SyncFileSystem(dir);
}

bool FolderIsEmpty(const std::string& dir) {
  std::error_code ec;
  return std::filesystem::is_empty(dir, ec) && !ec;
}

}  // namespace

bool Backup(MRecordBase& store, const std::string& folder, WorkProgress* work) {
  MRecordBase::WriteGuard guard(store, StoreLockMode::kExclusive);
  if (!guard) return false;
  const std::string dir = WithSlash(folder);
  // A folder that already holds something gets the copies as they come, and what is copied
  // cannot be taken back: no stop from here.
  if (!FolderIsEmpty(dir)) {
    if (!MayFinish(work)) {
      store.SetLastMessage(kMsgWorkStopped);
      return false;
    }
    return CopyStoreInto(store, dir, work);
  }
  // The backup is made whole beside the (empty) folder and then put in its place, so that it
  // is either complete or not there; an entry lets the next open remove a half-made one.
  const std::string staged = WithoutSlash(dir) + ".part";
  const std::string pending = WritePendingStep(store, {{"kind", "discard"}, {"path", staged}});
  if (pending.empty()) {
    store.SetLastMessage(kMsgCannotCopyDatabase);
    return false;
  }
  RemoveTree(staged);
  bool ok = CreateDirs(staged);
  if (!ok) store.SetLastMessage(kMsgCannotCreateBackupCommentDir);
  ok = ok && CopyStoreInto(store, WithSlash(staged), work);
  if (ok && !MayFinish(work)) {
    store.SetLastMessage(kMsgWorkStopped);
    ok = false;
  }
  if (ok && !(RenameFile(staged, WithoutSlash(dir)) && SyncFolder(FolderOfPath(WithoutSlash(dir))))) {
    store.SetLastMessage(kMsgCannotRename);
    ok = false;
  }
  if (!ok) RemoveTree(staged);
  RemovePendingStep(pending);
  return ok;
}

std::string CheckRestoreSource(const std::string& folder) {
  const std::string dir = WithSlash(folder);
  const std::string db = dir + std::string(kStoreName) + ".db";
  if (!FileExists(db)) return kMsgNoSourceDatabase;
  if (ProbeStore(db) != StoreKind::kCaseStore) return kMsgRestoreNotSameType;
  const std::string comments = dir + std::string(kStoreName) + "_f/";
  if (!DirExists(comments)) return kMsgNoSourceCommentDir;
  if (ListFiles(comments, "*.rtf", true).empty()) return kMsgNoSourceCommentFiles;
  return {};
}

namespace {

// Restore: the backup's database and a new comment folder (the backup's comment files, with
// this store's own in it too unless they are replaced, and a file for every restored case
// that has none) are made ready beside the store's; then the folder and the database are
// switched by renames.  An entry marks the moment from which the switch is finished by the
// next open should this program die; before it, the next open removes what was made.
bool RestoreFrom(MRecordBase& store, const std::string& folder, bool replaceComments,
                 WorkProgress* work) {
  MRecordBase::WriteGuard guard(store, StoreLockMode::kExclusive);
  if (!guard) return false;
  const std::string problem = CheckRestoreSource(folder);
  if (!problem.empty()) {
    store.SetLastMessage(problem);
    return false;
  }
  const std::string dir = WithSlash(folder);
  const std::string dbPath = store.DbPath();
  const std::string comments = CommentFolder(store.AppDir());
  const std::string stagedDb = dbPath + ".restore";
  const std::string stagedDir = WithoutSlash(comments) + ".restore";
  const std::string oldDir = WithoutSlash(comments) + ".old";
  PendingFields fields = {{"kind", "restore"}, {"stage", "staging"}, {"db", stagedDb},
                          {"dir", stagedDir}, {"old", oldDir}};
  const std::string pending = WritePendingStep(store, fields);
  if (pending.empty()) {
    store.SetLastMessage(kMsgCannotCopyDatabase);
    return false;
  }
  const auto fail = [&](const char* message) {
    store.SetLastMessage(message);
    DeleteDatabaseFile(stagedDb);
    RemoveTree(stagedDir);
    RemovePendingStep(pending);
    return false;
  };
  DeleteDatabaseFile(stagedDb);
  RemoveTree(stagedDir);
  RemoveTree(oldDir);
  if (!CopyFile(dir + std::string(kStoreName) + ".db", stagedDb, true))
    return fail(kMsgCannotCopyDatabase);
  if (!CreateDirs(stagedDir)) return fail(kMsgCannotCreateBackupCommentDir);
  const std::string staged = WithSlash(stagedDir);
  const std::string source = dir + std::string(kStoreName) + "_f/";
  const std::vector<std::string> ownFiles =
      replaceComments ? std::vector<std::string>() : ListFiles(comments, "*.rtf", true);
  const std::vector<std::string> sourceFiles = ListFiles(source, "*.rtf", true);
  MRecordBase restored;
  std::vector<int> ids;
  if (restored.OpenPrivate(stagedDb, store.AppDir()) != 0) return fail(kMsgCannotCopyDatabase);
  // The restored store is a new generation: the ids a program holds from before name other
  // cases (or none) in it, and writes by them are refused.
  const int generation = store.ReadGeneration();
  if (generation < 0 || !restored.WriteGeneration(NextGeneration(generation)))
    return fail(kMsgCannotCopyDatabase);
  restored.Connect();
  const bool listed = restored.CaseIds(ids);
  restored.Disconnect();
  if (!listed) return fail(kMsgCannotCopyDatabase);
  // Each copied file and each restored case is a step.
  BeginCount(work, ownFiles.size() + sourceFiles.size() + ids.size());
  const auto step = [work] {
    if (StopAsked(work)) return false;
    CountStep(work);
    return true;
  };
  // This store's comment files stay readable in place until the switch: the new folder gets
  // links to them (or copies), never the files themselves.
  for (const std::string& name : ownFiles) {
    if (!step()) return fail(kMsgWorkStopped);
    if (!LinkOrCopyFile(comments + name, staged + name)) return fail(kMsgCannotCopyDatabase);
  }
  for (const std::string& name : sourceFiles) {
    if (!step()) return fail(kMsgWorkStopped);
    DeleteFile(staged + name);
    if (!CopyFile(source + name, staged + name, true)) return fail(kMsgCannotCopyDatabase);
  }
  {
    // Every restored case gets a comment file from its remarkText when the backup has none.
    restored.Connect();
    const char* failure = nullptr;
    for (const int id : ids) {
      if (!step()) {
        failure = kMsgWorkStopped;
        break;
      }
      TRecordData record;
      if (!restored.LoadCaseInBatch(id, record)) continue;
      const std::string name = BaseNameOf(restored.CommentPath(record));
      if (!FileExists(staged + name) &&
          !WriteCommentFromPlainText(staged + name, record.remarkText, FileSync::kLater)) {
        failure = kMsgCannotCopyDatabase;
        break;
      }
    }
    restored.Disconnect();
    if (failure) return fail(failure);
  }
  if (!SyncFileSystem(staged)) return fail(kMsgCannotCopyDatabase);
  // The last moment at which a stop is taken: everything made so far is removed again.
  if (!MayFinish(work)) return fail(kMsgWorkStopped);
  fields[1].second = "ready";
  if (!RewritePendingStep(pending, fields)) return fail(kMsgCannotCopyDatabase);
  // From here the restore counts as done: what this program cannot finish, the next open does.
  if (!FinishRestore(dbPath, stagedDb, comments, stagedDir, oldDir)) {
    // The entry stays: the next open finishes the switch (or removes the old folder).
    if (FileExists(stagedDb)) {
      store.SetLastMessage(kMsgCannotRename);
      return false;
    }
    return true;
  }
  RemovePendingStep(pending);
  return true;
}

}  // namespace

bool Restore(MRecordBase& store, const std::string& folder, WorkProgress* work) {
  return RestoreFrom(store, folder, false, work);
}

bool ReplaceWithBackup(MRecordBase& store, const std::string& folder, WorkProgress* work) {
  return RestoreFrom(store, folder, true, work);
}

bool DeleteAll(MRecordBase& store, const FileDeleter& remove, WorkProgress* work) {
  MRecordBase::WriteGuard guard(store, StoreLockMode::kExclusive);
  if (!guard) return false;
  store.SetLastMessage("");
  const auto gone = [&remove](const std::string& path) {
    if (!FileExists(path)) return true;
    if (remove)
      remove(path);
    else
      DeleteFile(path);
    return !FileExists(path);
  };
  // Once the entry is on disk the deletion is decided: an open after a crash finishes it.
  const std::string pending = WritePendingStep(store, {{"kind", "deleteall"}});
  if (pending.empty()) {
    store.SetLastMessage(kMsgCannotDeleteCase);
    return false;
  }
  const std::string dbPath = store.DbPath();
  if (!gone(dbPath) || !gone(dbPath + "-journal")) {
    // The database stays with every case, so its comment files stay too.
    RemovePendingStep(pending);
    store.SetLastMessage(kMsgCannotDeleteDatabase);
    return false;
  }
  SyncFolder(FolderOfPath(dbPath));
  const std::string comments = CommentFolder(store.AppDir());
  bool all = true;
  const std::vector<std::string> files = ListFiles(comments, "*.rtf", true);
  BeginCount(work, files.size());
  for (const std::string& name : files) {
    all = gone(comments + name) && all;
    CountStep(work);
  }
  SyncFolder(comments);
  if (!all) {
    // No case names the files that stayed; the entry stays so that the next open removes them.
    store.SetLastMessage(kMsgCannotDeleteComments);
    return false;
  }
  RemovePendingStep(pending);
  return true;
}

int Compact(MRecordBase& store, const StoreProgress& progress, const FileRenamer& rename,
            WorkProgress* work) {
  store.SetLastMessage("");
  // No other program writes from the first read to the final rename: a case added meanwhile
  // would be lost with the old file.
  MRecordBase::WriteGuard guard(store, StoreLockMode::kExclusive);
  if (!guard) return 0;
  const std::string dbPath = store.DbPath();
  const std::string temp = FolderOf(dbPath) + std::string(kStoreName) + "_back.db";
  const std::string pending = WritePendingStep(
      store, {{"kind", "discard"}, {"path", temp}, {"path", temp + "-journal"}});
  if (pending.empty()) {
    store.SetLastMessage(kMsgCannotRename);
    return 0;
  }
  // A file left by a compaction that did not finish would add its cases to these.
  DeleteDatabaseFile(temp);
  int k = 0;
  std::string failure;
  {
    MRecordBase compacted;
    // The renumbered store is a new generation: a program that still holds the old ids is
    // refused when it writes by them.
    const int generation = store.ReadGeneration();
    if (compacted.OpenPrivate(temp, store.AppDir()) != 0 || generation < 0 ||
        !compacted.WriteGeneration(NextGeneration(generation))) {
      store.SetLastMessage(generation < 0 ? store.LastMessage() : compacted.LastMessage());
      DeleteDatabaseFile(temp);
      RemovePendingStep(pending);
      return 0;
    }
    std::vector<std::string> collected;
    compacted.Connect();
    store.Connect();
    std::vector<int> ids;
    if (!store.CaseIds(ids)) failure = store.LastMessage();
    const int n = ProgressTotal(store, ids);
    const int expected = static_cast<int>(ids.size());
    BeginCount(work, ids.size());
    for (const int id : ids) {
      if (StopAsked(work)) {
        failure = kMsgWorkStopped;
        break;
      }
      CountStep(work);
      TRecordData record;
      if (!store.LoadCaseInBatch(id, record)) continue;
      if (compacted.AddCaseInBatch(record) > 0) {
        ++k;
        AddOnce(collected, record.className);
      } else {
        failure = compacted.LastMessage();
      }
      Report(progress, kCompactLabel, k, n);
    }
    if (failure == kMsgWorkStopped) {
      compacted.Abandon();  // the file goes anyway
    } else {
      // (A store without cases keeps the default list: an empty list cannot be stored.)
      if (!collected.empty() && !compacted.SaveCategories(collected) && failure.empty())
        failure = compacted.LastMessage();
      // Every case must have arrived before the new file may take the old one's place.
      if (failure.empty() && k != expected)
        failure = store.LastMessage().empty() ? kMsgCannotSaveCase : store.LastMessage();
    }
    store.Disconnect();
    if (!compacted.Disconnect() && failure.empty()) failure = compacted.LastMessage();
  }
  // The last moment at which a stop is taken: the old file is still in place.
  if (failure.empty() && !MayFinish(work)) failure = kMsgWorkStopped;
  if (!failure.empty()) {
    store.SetLastMessage(failure);
    DeleteDatabaseFile(temp);
    RemovePendingStep(pending);
    return 0;
  }
  // A journal of the old database must not be played into the new one.
  DeleteFile(dbPath + "-journal");
  const bool moved = rename ? rename(temp, dbPath) : RenameFile(temp, dbPath);
  if (!moved) {
    store.SetLastMessage(kMsgCannotRename);
    DeleteDatabaseFile(temp);
    RemovePendingStep(pending);
    return 0;
  }
  SyncFolder(FolderOfPath(dbPath));
  RemovePendingStep(pending);
  Done(progress, kCompactLabel);
  return k;
}

std::string ExportFileName(const std::string& folder, const std::tm& t) {
  return WithSlash(folder) + "墨衡太乙神数_" + Stamp(t) + ".db";
}

std::string BackupFolderName(const std::string& folder, const std::tm& t) {
  return WithSlash(folder) + "墨衡太乙神数_备份_" + Stamp(t) + "/";
}

}  // namespace taiyi
