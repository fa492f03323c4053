// Operations on the case store as a whole: importing another case database, exporting chosen
// categories into a new one, backing up and restoring the database with the comment folder,
// deleting everything, and compacting the database so that the ids run 1..k again.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/record_base.h"
#include "store/work_progress.h"

namespace taiyi {

// Receives a progress line ("导入进度：40％") each time the operation reports one; the window
// puts it into its comment editor, the command line prints it.  May be empty.
using StoreProgress = std::function<void(const std::string& line)>;

// Each operation also takes an optional WorkProgress, which a window follows in its progress
// dialog: it counts the cases (or files) as they are handled, and its stop request is looked at
// between them.  A stopped operation undoes what it did, returns its failure and sets
// LastMessage to kMsgWorkStopped.  Compaction and restore can be stopped up to their final
// switch (WorkProgress::Finish), delete-all and a backup into a folder that holds something
// already not at all.

// Renames a file over another (the compaction's last step); tests pass one that fails.
using FileRenamer = std::function<bool(const std::string& from, const std::string& to)>;
// Deletes one file (the deletion of every case); tests pass one that fails.
using FileDeleter = std::function<bool(const std::string& path)>;

// Whether the store's case_extra.baseType equals the tag (case-sensitive).  A failing query
// or a missing row counts as false.
bool HasBaseType(MRecordBase& store, std::string_view tag);

// What an import repaired or left out, for its message.
struct ImportReport {
  int repaired = 0;        // imported cases whose texts had bytes that are not UTF-8 (now U+FFFD)
  int withoutComment = 0;  // cases left out because their comment file could not be written
};

// Adds every case of the case database at path to the store, with new ids after the store's
// primary id; the comment file of each is made from its remarkText (a stem that exists already
// or is too long a file name is replaced by a new one), and categories the store lacks are
// appended to its list.  Texts that are not UTF-8 are repaired.  The import file is only
// read.  Returns the number of imported cases; 0 with LastMessage set when nothing was
// imported.  The store's cases arrive all together or not at all.
// A stop leaves the store exactly as it was: no case and no comment file of the import.
int ImportStore(MRecordBase& store, const std::string& path, const StoreProgress& progress,
                ImportReport* report = nullptr, WorkProgress* work = nullptr);
// "共导入 %d 个案例！", followed by what the report counts.
std::string ImportedMessage(int imported, const ImportReport& report);

// Writes the store's cases of the given categories (all of them when all is set) into a case
// database at path, renumbered from 1 in old id order, with the list of their categories.
// The file is complete before it appears at path; an existing file there keeps its cases and
// gets the exported ones after them.  Returns the number of exported cases; with 0 nothing is
// left at path that was not there before.
int ExportStore(MRecordBase& store, const std::string& path,
                const std::vector<std::string>& categories, bool all, const StoreProgress& progress,
                WorkProgress* work = nullptr);

// Copies the database to folder + "TaiYi.db" and every comment file to folder + "TaiYi_f/",
// with a "save.txt" beside them.  folder ends with '/'.  False with LastMessage on failure.
// Into an empty folder the backup is made whole beside it and then put in its place, so that a
// stop or a failure leaves the folder empty.
bool Backup(MRecordBase& store, const std::string& folder, WorkProgress* work = nullptr);

// What would make Restore refuse the backup folder, checked before anything is replaced:
// empty when the folder holds a case database of this program and comment files.
std::string CheckRestoreSource(const std::string& folder);

// Puts the backup in folder (ending with '/') in place of the store's database and copies its
// comment files into the comment folder, then writes the comment files still missing.  The
// database is replaced by a rename, and only once the whole backup has been checked.
// False with LastMessage on failure.
bool Restore(MRecordBase& store, const std::string& folder, WorkProgress* work = nullptr);
// The store replaced by a backup folder, as deleting every case and then restoring, but
// without a moment in which neither is there: the backup's database is renamed over this
// store's first, and only then are this store's comment files replaced by the backup's.  A
// failure before the rename leaves the store as it was.
bool ReplaceWithBackup(MRecordBase& store, const std::string& folder, WorkProgress* work = nullptr);

// Deletes the database file and then every comment file.  When the database cannot be deleted
// nothing else is touched.  False with LastMessage when a file is still there, or with the busy
// message when another program kept the store for longer than a writer waits; once begun, a
// deletion that dies half-way is finished by the next open.
bool DeleteAll(MRecordBase& store, const FileDeleter& remove = FileDeleter(),
               WorkProgress* work = nullptr);

// Rewrites the database with the cases renumbered 1..k in their old order and a category list
// of the categories that have cases, in the order in which they first occur.  The new database
// is written completely beside the old one and renamed over it; on any failure the old store
// stays as it was.  Returns k; 0 with LastMessage on failure.
int Compact(MRecordBase& store, const StoreProgress& progress,
            const FileRenamer& rename = FileRenamer(), WorkProgress* work = nullptr);

// The name of an export file made at the local time t in folder:
// folder + "墨衡太乙神数_2026年3月5日9时7分0秒.db".
std::string ExportFileName(const std::string& folder, const std::tm& t);
// The backup folder made at the local time t in folder, ending with '/':
// folder + "墨衡太乙神数_备份_2026年3月5日9时7分0秒/".
std::string BackupFolderName(const std::string& folder, const std::tm& t);

}  // namespace taiyi
