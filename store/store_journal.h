// The pending file steps of the operations that change the database and files together,
// and the repair that a store gets when it is opened.
//
// An operation that must change files after (or around) a database commit first writes a
// small entry beside the database (dat/TaiYi.db.pending-<pid>-<n>) naming what it is about to
// do, flushed to disk; it removes the entry when it is done.  An entry still there when the
// store is opened under the exclusive lock belongs to a program that died: the repair
// finishes its steps when the change had reached the database (or was past the point where
// it counts as done), and undoes them otherwise.  Then it removes the litter that dead
// programs leave (temporary files, comment files that no case names), never a file that a
// case names.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace taiyi {

class MRecordBase;

using PendingFields = std::vector<std::pair<std::string, std::string>>;

// The lock file of the store at dbPath (dat/TaiYi.db.lock).
std::string StoreLockPath(const std::string& dbPath);

// Writes an entry beside the store's database, flushed to disk; its path, or an empty text
// when it could not be written.  fields[0] is ("kind", …).
std::string WritePendingStep(const MRecordBase& store, const PendingFields& fields);
// Replaces an entry's contents at once (a later stage of the same operation).
bool RewritePendingStep(const std::string& entry, const PendingFields& fields);
// The operation is complete: the entry goes.
void RemovePendingStep(const std::string& entry);

// A digest of the stored texts of a case row's columns 1..13 (all but the id), as a
// pending update compares the row with the one it wrote.
std::string RowDigest(const std::vector<std::string>& columnTexts);

// Finishes or undoes every entry left by a program that died; run at open with the
// exclusive lock held, before anything reads.
// False when an entry could not be resolved (it stays for the next open, and nothing may be
// swept meanwhile).
bool RecoverPendingSteps(MRecordBase& store);
// Removes temporary files and comment files that no case names; with the exclusive lock.
void SweepStoreFolders(MRecordBase& store);
// Whether the open has anything to repair: an entry of a pending step, or a file the sweep
// would remove (or rows it cannot read).  Read without the lock, so that an open that finds
// nothing to do never keeps the other programs' writes waiting; an add in flight in another
// program shows as litter here, and the repair then waits for a later open.
bool StoreNeedsRepair(MRecordBase& store);

// The steps of a restore once its new database and comment folder stand ready beside the
// old ones (also what the repair runs for a restore that got that far): the comment folder
// and then the database are switched by renames, the old folder goes.
bool FinishRestore(const std::string& dbPath, const std::string& stagedDb,
                   const std::string& commentDir, const std::string& stagedDir,
                   const std::string& oldDir);
// The steps of the old-version conversion after its cases are committed: the old file is
// kept as ".bak", the old category section erased, missing comment files written.
// False when a step failed (the old file then stays for the next open).
bool FinishConversion(MRecordBase& store);
// The steps of delete-all once it is decided: the database and every comment file go.
// False when something could not be deleted.
bool FinishDeleteAll(MRecordBase& store);

}  // namespace taiyi
