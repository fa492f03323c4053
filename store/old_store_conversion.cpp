// Converting the old release's case file into the store: its cases with their comment files,
// its category list, and the old file set aside, as one change that survives a crash.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <string>

#include "platform/clean_name.h"
#include "platform/file_util.h"
#include "store/case_schema.h"
#include "store/comment_file.h"
#include "store/old_case_record.h"
#include "store/record_base.h"
#include "store/store_journal.h"
#include "store/store_messages.h"

namespace taiyi {

bool CleanOldRecord(TRecordData& record, const std::string& appDir) {
  record.SetPlace(CleanName(record.place, 150).text);
  record.className = CleanName(record.className, 10).text;
  const CleanedName name = CleanName(record.name, 10);
  record.SetName(name.text);
  if (!name.changed) return false;
  std::string stem;
  MakeCommentFileName(appDir, record, stem);
  record.remarkFile = stem;
  return true;
}

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The old release's comment files by lower-case name, from every folder of the application
// folder whose name is "taiyi_f" in any letter case.
std::map<std::string, std::string> OldCommentFiles(const std::string& appDir) {
  std::map<std::string, std::string> files;
  namespace fs = std::filesystem;
  std::error_code ec;
  const std::string wanted = Lower(std::string(kOldStoreName) + "_f");
  for (fs::directory_iterator it(appDir, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_directory(ec) || Lower(it->path().filename().string()) != wanted) continue;
    const std::string dir = WithSlash(it->path().string());
    for (const std::string& name : ListFiles(dir, "*.rtf", true))
      files.emplace(Lower(name), dir + name);
  }
  return files;
}

}  // namespace

int MRecordBase::ConvertOldStore() {
  const std::string oldPath = OldCaseFilePath(appDir_);
  if (!FileExists(oldPath)) return 0;
  WriteGuard guard(*this, StoreLockMode::kExclusive);
  if (!guard) return 0;

  // The cases, the category list and the old file's retirement count as one change: once
  // the cases are committed, a program that dies still has the rest done at the next open.
  const int before = ReadPrimaryId();
  const std::string pending =
      WritePendingStep(*this, {{"kind", "convert"}, {"primary", std::to_string(before)}});
  if (before < 0 || pending.empty()) return 0;

  std::vector<std::string> categories;
  MDataBase old;
  old.Open(appDir_);
  old.BeginRead();
  const int count = old.RecordCount();
  const auto oldComments = OldCommentFiles(appDir_);
  int converted = 0;
  bool copied = false;
  Connect();
  for (int i = 0; i < count; ++i) {
    OldCaseRecord o;
    if (!old.ReadRecord(i, o)) continue;
    TRecordData r;
    r.SetName(o.name);
    r.year = o.year;
    r.month = o.month;
    r.day = o.day;
    r.hour = o.hour;
    r.minute = o.minute;
    r.lunar = o.lunar;
    r.leapMonth = o.leapMonth;
    r.male = o.male;
    r.provinceIndex = o.provinceIndex;
    r.cityIndex = o.cityIndex;
    r.longitude = o.longitude;
    r.latitude = o.latitude;
    r.kind =
        o.kind >= 0 && o.kind < kChartKindCount ? static_cast<ChartKind>(o.kind) : ChartKind::kLife;
    r.SetPlace(o.place);
    r.id = 0;
    r.className = o.category;
    r.remarkFile = o.commentStem;

    CleanOldRecord(r, appDir_);
    // The old comment, when there is one, is kept: its text goes into the record and the
    // file is copied to the case's comment path (the old file stays where it is).
    const auto found = oldComments.find(Lower(o.commentStem + ".rtf"));
    r.remarkText = kEmptyComment;
    if (found != oldComments.end()) {
      std::string text;
      if (ReadCommentPlainText(found->second, text)) r.remarkText = RemoveApostrophes(text);
      const std::string target = CommentPath(r);
      std::string bytes;
      if (!FileExists(target) && ReadFile(found->second, bytes))
        copied = WriteFileAtomic(target, bytes, FileSync::kLater) || copied;
    }
    r.extraPlaceIndex = {-1, -1, -1, -1, -1};
    if (std::find(categories.begin(), categories.end(), r.className) == categories.end())
      categories.push_back(r.className);
    if (AddCaseInBatch(r) != -1) ++converted;
  }
  old.EndRead();

  // The old categories first, then the defaults, then any the store already had.
  std::vector<std::string> stored;
  LoadCategories(stored);
  for (std::string_view name : kDefaultCategories)
    if (std::find(categories.begin(), categories.end(), name) == categories.end())
      categories.emplace_back(name);
  for (const std::string& name : stored)
    if (std::find(categories.begin(), categories.end(), name) == categories.end())
      categories.push_back(name);
  SaveCategories(categories);
  // The copied comment files reach the disk before the cases that name them.
  if (copied) SyncFileSystem(appDir_);
  if (!Disconnect()) {
    RemovePendingStep(pending);
    return 0;  // nothing converted; the next start tries again
  }

  // What cannot be finished now, the next open finishes (the entry stays for it).
  if (FinishConversion(*this)) RemovePendingStep(pending);
  if (converted == 0) return 0;
  char report[256];
  std::snprintf(report, sizeof report, kMsgOldStoreConverted, converted);
  lastMessage_ = report;
  return 1;
}

}  // namespace taiyi
