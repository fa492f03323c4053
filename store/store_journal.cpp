#include "store/store_journal.h"

#include <fnmatch.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <set>

#include "platform/file_util.h"
#include "platform/ini_file.h"
#include "store/case_schema.h"
#include "store/comment_file.h"
#include "store/record_base.h"

namespace taiyi {
namespace {

constexpr char kPendingTag[] = ".pending-";

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// One field a line, "key=value", with backslash and line break escaped in the value.
std::string Encode(const PendingFields& fields) {
  std::string text;
  for (const auto& [key, value] : fields) {
    text += key + "=";
    for (char c : value) {
      if (c == '\\')
        text += "\\\\";
      else if (c == '\n')
        text += "\\n";
      else
        text += c;
    }
    text += '\n';
  }
  return text;
}

PendingFields Decode(const std::string& text) {
  PendingFields fields;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    at = end + 1;
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string value;
    for (std::size_t i = eq + 1; i < line.size(); ++i) {
      if (line[i] == '\\' && i + 1 < line.size()) {
        value += line[i + 1] == 'n' ? '\n' : line[i + 1];
        ++i;
      } else {
        value += line[i];
      }
    }
    fields.emplace_back(line.substr(0, eq), value);
  }
  return fields;
}

std::string Field(const PendingFields& fields, const std::string& key) {
  for (const auto& [k, v] : fields)
    if (k == key) return v;
  return {};
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// A pending update: the new comment goes into place when the row holds what the update
// wrote, and is dropped otherwise.
bool RecoverUpdate(MRecordBase& store, const PendingFields& fields) {
  const std::string temp = Field(fields, "temp");
  const std::string target = Field(fields, "target");
  int id = 0;
  bool committed = false;
  if (ParseIniInteger(Field(fields, "id"), id)) {
    TContentValues rows;
    store.Connect();
    if (store.Query("select * from case_data where id=?;", {SqlValue::Integer(id)}, rows) &&
        !rows.empty())
      committed = RowDigest(RowToValues(rows.front())) == Field(fields, "digest");
    store.Disconnect();
  }
  if (!FileExists(temp)) return true;
  if (!committed) return DeleteFile(temp);
  return RenameFile(temp, target) && SyncFolder(FolderOfPath(target));
}

void Discard(const std::string& path) {
  if (path.empty()) return;
  if (DirExists(path))
    RemoveTree(path);
  else
    DeleteFile(path);
}

}  // namespace

std::string StoreLockPath(const std::string& dbPath) { return dbPath + ".lock"; }

std::string WritePendingStep(const MRecordBase& store, const PendingFields& fields) {
  static std::atomic<unsigned> counter{0};
  const std::string entry = store.DbPath() + kPendingTag + std::to_string(getpid()) + "-" +
                            std::to_string(counter.fetch_add(1));
  return WriteFileAtomic(entry, Encode(fields)) ? entry : std::string();
}

bool RewritePendingStep(const std::string& entry, const PendingFields& fields) {
  return WriteFileAtomic(entry, Encode(fields));
}

void RemovePendingStep(const std::string& entry) { DeleteFile(entry); }

std::string RowDigest(const std::vector<std::string>& columnTexts) {
  // FNV-1a over the texts, each ended by a byte no text holds.
  std::uint64_t h = 1469598103934665603ull;
  for (std::size_t c = 1; c < columnTexts.size(); ++c) {
    for (unsigned char b : columnTexts[c]) h = (h ^ b) * 1099511628211ull;
    h = (h ^ 0x1Fu) * 1099511628211ull;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
  return text;
}

bool FinishRestore(const std::string& dbPath, const std::string& stagedDb,
                   const std::string& commentDir, const std::string& stagedDir,
                   const std::string& oldDir) {
  const std::string dir = commentDir.substr(0, commentDir.find_last_not_of('/') + 1);
  bool ok = true;
  if (DirExists(stagedDir)) {
    if (DirExists(dir) && !DirExists(oldDir)) ok = RenameFile(dir, oldDir);
    ok = ok && RenameFile(stagedDir, dir) && SyncFolder(FolderOfPath(dir));
  }
  if (ok && FileExists(stagedDb)) {
    // A journal of the old database must not be played into the restored one.
    DeleteFile(dbPath + "-journal");
    ok = RenameFile(stagedDb, dbPath) && SyncFolder(FolderOfPath(dbPath));
  }
  return ok && RemoveTree(oldDir);
}

bool FinishDeleteAll(MRecordBase& store) {
  const auto gone = [](const std::string& path) { return !FileExists(path) || DeleteFile(path); };
  bool ok = gone(store.DbPath()) && gone(store.DbPath() + "-journal");
  const std::string comments = CommentFolder(store.AppDir());
  for (const std::string& name : ListFiles(comments, "*.rtf", true))
    ok = gone(comments + name) && ok;
  SyncFolder(comments);
  SyncFolder(FolderOfPath(store.DbPath()));
  return ok;
}

bool FinishConversion(MRecordBase& store) {
  const std::string oldPath = OldCaseFilePath(store.AppDir());
  const std::string iniPath = OldCategoryIniPath(store.AppDir());
  if (FileExists(iniPath)) IniFile(iniPath).EraseSection("classes");
  if (!store.EnsureCommentFiles()) return false;
  // Kept as a backup instead of deleted; the next start finds no old file.
  if (FileExists(oldPath) && !RenameFile(oldPath, oldPath + ".bak") && !DeleteFile(oldPath))
    return false;
  SyncFolder(FolderOfPath(oldPath));
  return true;
}

bool RecoverPendingSteps(MRecordBase& store) {
  bool all = true;
  const std::string dir = FolderOfPath(store.DbPath());
  const std::string pattern = BaseName(store.DbPath()) + kPendingTag + "*";
  for (const std::string& name : ListFiles(dir, pattern)) {
    const std::string entry = dir + name;
    if (name.find(".tmp") != std::string::npos) {
      DeleteFile(entry);  // an entry that was never written whole
      continue;
    }
    std::string text;
    if (!ReadFile(entry, text)) continue;
    const PendingFields fields = Decode(text);
    const std::string kind = Field(fields, "kind");
    if (kind == "update") {
      if (!RecoverUpdate(store, fields)) {
        all = false;
        continue;  // kept for the next open
      }
    } else if (kind == "discard") {
      for (const auto& [key, value] : fields)
        if (key == "path") Discard(value);
    } else if (kind == "restore") {
      if (Field(fields, "stage") == "ready") {
        if (!FinishRestore(store.DbPath(), Field(fields, "db"), CommentFolder(store.AppDir()),
                           Field(fields, "dir"), Field(fields, "old"))) {
          all = false;
          continue;  // kept for the next open
        }
      } else {
        const std::string db = Field(fields, "db");
        Discard(db);
        if (!db.empty()) Discard(db + "-journal");
        Discard(Field(fields, "dir"));
      }
    } else if (kind == "deleteall") {
      if (!FinishDeleteAll(store)) {
        all = false;
        continue;
      }
    } else if (kind == "convert") {
      // Committed when the stored primary id moved past the one before the conversion.
      int before = 0;
      const int now = store.ReadPrimaryId();
      if (ParseIniInteger(Field(fields, "primary"), before) && now > before &&
          !FinishConversion(store)) {
        all = false;
        continue;
      }
    }
    RemovePendingStep(entry);
  }
  return all;
}

namespace {

// The files a dead program may have left: temporary files and comment files that no case
// names in the comment folder, the store's temporary files beside the database.  False when
// the case rows could not be read (nothing then counts as left over).
bool FindLitter(MRecordBase& store, std::vector<std::string>& litter) {
  litter.clear();
  TContentValues rows;
  store.Connect();
  const bool read = store.Query("select remarkFile from case_data;", {}, rows);
  store.Disconnect();
  if (!read) return false;
  // File names compared without regard to letter case: a case's file is never touched.
  std::set<std::string> named;
  for (const TMapValue& row : rows) {
    TRecordData record;
    const auto it = row.find("remarkFile");
    record.remarkFile = it == row.end() ? std::string() : it->second;
    named.insert(Lower(BaseName(store.CommentPath(record))));
  }
  const std::string comments = CommentFolder(store.AppDir());
  for (const std::string& name : ListFiles(comments, "*")) {
    if (named.count(Lower(name)) > 0) continue;
    const bool comment = fnmatch("*.rtf", name.c_str(), FNM_CASEFOLD) == 0;
    if (comment || name.find(".tmp") != std::string::npos) litter.push_back(comments + name);
  }
  const std::string dir = FolderOfPath(store.DbPath());
  const std::string base = BaseName(store.DbPath());
  for (const std::string& name : ListFiles(dir, base + "*.tmp*")) litter.push_back(dir + name);
  return true;
}

}  // namespace

bool StoreNeedsRepair(MRecordBase& store) {
  const std::string dir = FolderOfPath(store.DbPath());
  if (!ListFiles(dir, BaseName(store.DbPath()) + kPendingTag + "*").empty()) return true;
  if (!FileExists(store.DbPath())) return false;  // (reading would make an empty database)
  std::vector<std::string> litter;
  return !FindLitter(store, litter) || !litter.empty();
}

void SweepStoreFolders(MRecordBase& store) {
  std::vector<std::string> litter;
  if (!FindLitter(store, litter)) return;
  const std::string comments = CommentFolder(store.AppDir());
  bool removed = false;
  for (const std::string& path : litter) {
    const bool inComments = path.rfind(comments, 0) == 0;
    if (DeleteFile(path) && inComments) removed = true;
  }
  if (removed) SyncFolder(comments);
}

}  // namespace taiyi
