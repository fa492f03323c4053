// The case store: one SQLite database (dat/TaiYi.db) of cases with a comment file each.
// Every operation opens the database and closes it before it returns, except between an
// explicit Connect and Disconnect: such a batch runs in one transaction, committed at
// Disconnect, and the …InBatch operations run inside it.  Failures are reported by the
// result with the text in LastMessage(); nothing is thrown.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_util.h"
#include "store/record_data.h"
#include "store/record_values.h"
#include "store/sqlite_connection.h"
#include "store/store_lock.h"

namespace taiyi {

class MRecordBase {
 public:
  // How many cases a reading batch loads under one read lock.
  static constexpr int kReadChunk = 2000;

  MRecordBase() = default;
  // Commits and closes a batch that was left open.
  ~MRecordBase();
  MRecordBase(const MRecordBase&) = delete;
  MRecordBase& operator=(const MRecordBase&) = delete;

  // Opens the store at dbPath (creating the file and its tables when missing) for the
  // application folder appDir (ends with '/').  -1 failure, 0 ready, 1 old-version data
  // converted (LastMessage holds the report).
  // Before anything reads, it finishes or undoes what a program that died in the middle of a
  // change left behind (see store_journal.h).
  int Open(const std::string& dbPath, const std::string& appDir, bool convertOld);
  // Opens a database that only this object uses (an import source, an export or compaction
  // file): no lock, no repair, no conversion.
  int OpenPrivate(const std::string& dbPath, const std::string& appDir);

  // The highest id ever assigned, as the store holds it now (another program may have added
  // since the last call); the last value read when it cannot be read.
  int PrimaryId();
  const std::string& LastMessage() const { return lastMessage_; }
  // For the operations built on the store that fail for their own reasons.
  void SetLastMessage(std::string message) { lastMessage_ = std::move(message); }
  const std::string& AppDir() const { return appDir_; }
  const std::string& DbPath() const { return dbPath_; }

  // Access layer.  Connect opens the database and starts a batch transaction; Disconnect
  // commits it and closes (false, with SQLite's text, when the commit failed).  A batch that
  // writes passes write: its transaction takes the database's write lock at once, so that it
  // cannot meet another program's writer half-way.  A batch that only reads gives its read
  // lock up after every kReadChunk loaded cases and takes it again, so that another program's
  // commit waits for one chunk instead of the whole loop (a case removed meanwhile is then
  // simply not found).
  int Connect(bool write = false);
  bool Disconnect();
  // Closes a batch without committing it: whatever it changed is undone.
  void Abandon();
  bool IsConnected() const { return conn_.IsOpen(); }
  // Runs one statement without rows; leaves LastMessage alone.
  bool Execute(std::string_view sql, const SqlParams& params = {});
  // Runs one query; on failure LastMessage holds SQLite's text and rows stay empty.
  bool Query(std::string_view sql, const SqlParams& params, TContentValues& rows);
  bool TableExists(std::string_view table);

  // The stored primaryId, or -1 (also when it is outside 0..kMaxCaseId).
  int ReadPrimaryId();

  // The store's generation: a number in the database file's header (SQLite's user_version)
  // that every operation renumbering or replacing the cases gives a new value (compaction,
  // restore; a store made anew after delete-all starts at a random one).  A store file that
  // never had one reads 0.  The object reads it at Open; every write by id (update, remove,
  // move) checks it inside its transaction and is refused with kMsgStoreRenumbered when the
  // file's value differs, since the id may name another case by now.
  int Generation() const { return generation_; }
  // The generation the file holds now, or -1 (LastMessage set) when it cannot be read.
  int ReadGeneration();
  // Whether the file's generation differs from the one this object holds.
  bool GenerationChanged();
  // Takes the file's generation as this object's: the caller has dropped every id it read
  // before (its case list is read again).
  void AdoptGeneration();
  // Writes the generation into the file (a store being built: compaction, restore).
  bool WriteGeneration(int generation);

  // The ids of the stored cases within 1..kMaxCaseId, ascending (newest first with
  // newestFirst), at most limit of them when limit > 0: the walk over all cases, in one
  // ordered query instead of a look at every number below the primary id.  False, with
  // LastMessage set and ids empty, when the query fails.
  bool CaseIds(std::vector<int>& ids, bool newestFirst = false, int limit = 0);

  // Holds the store's write lock for the guard's life: shared for a change to single cases,
  // exclusive for a whole-store operation.  When another program kept it for the whole wait
  // the guard is false and LastMessage holds the busy message.
  class WriteGuard {
   public:
    WriteGuard(MRecordBase& store, StoreLockMode mode);
    ~WriteGuard();
    WriteGuard(const WriteGuard&) = delete;
    WriteGuard& operator=(const WriteGuard&) = delete;
    explicit operator bool() const { return held_; }

   private:
    MRecordBase& store_;
    bool held_;
  };
  bool IsPrivate() const { return private_; }

  // The new id (also put into record.id), or -1.  The id follows the stored primaryId, read
  // in the same write transaction.
  int AddCase(TRecordData& record);
  // Adds the case together with its comment file: the id and a comment file name that no
  // file and no case has are taken inside one write transaction, the file (commentBytes) is
  // written under that name and the row is added; a failure leaves neither.  The stem goes
  // into record.remarkFile, the path into commentPath.  The new id, or -1.
  int AddCaseWithComment(TRecordData& record, std::string_view commentBytes,
                         std::string& commentPath);
  // Many new cases with their comment files, as AddCaseWithComment adds one, under one write
  // lock and committed kAddChunk cases at a time (the comment files of a chunk flushed
  // together before its commit).  Each added case's record gets its id and comment stem.
  // Returns how many were added: all, or the cases of the chunks committed before a failure
  // (LastMessage set; nothing of the failed chunk stays).
  struct NewCase {
    TRecordData record;
    std::string commentRtf;  // the comment file's bytes
  };
  static constexpr std::size_t kAddChunk = 500;
  int AddCasesWithComments(std::vector<NewCase>& cases);
  int AddCaseInBatch(TRecordData& record);
  // The id names the row; record.id is not used.  An id that does not exist succeeds.
  bool UpdateCase(int id, const TRecordData& record);
  bool UpdateCaseInBatch(int id, const TRecordData& record);
  // The comment file is not touched.  An id that does not exist succeeds.
  bool RemoveCase(int id);
  bool RemoveCaseInBatch(int id);
  // False when no case has this id (record and LastMessage untouched) or the query failed.
  bool LoadCase(int id, TRecordData& record);
  bool LoadCaseInBatch(int id, TRecordData& record);

  bool LoadCategories(std::vector<std::string>& list);
  // Refuses (false, LastMessage set, nothing stored) an empty list and a name that the list
  // could not give back as one name (empty, or holding the separator).
  bool SaveCategories(const std::vector<std::string>& list);

  // Writes a comment file from remarkText for every stored case whose file is missing.
  // False when the primary id cannot be read or a file could not be written.
  bool EnsureCommentFiles();

  // Converts the old-version case file when it exists: 1 when a case was converted.
  int ConvertOldStore();

  // The comment file of a stored case.
  std::string CommentPath(const TRecordData& record) const;
  // A new comment file path for the record; the stem goes into stem.
  std::string MakeCommentFileName(const TRecordData& record, std::string& stem) const;

 private:
  class Session;

  int addCase(TRecordData& record);
  // 1 when a case holds the comment stem, 0 when none does, -1 when that cannot be read.
  int stemInUse(const std::string& stem);
  // Gives the written temporary comment file temp the first free name of the stem base
  // (stem and path receive it).  False, with temp removed and LastMessage set, on failure.
  bool claimCommentName(const std::string& base, std::string& temp, FileSync sync,
                        std::string& stem, std::string& path);
  void openPaths(const std::string& dbPath, const std::string& appDir);
  int openTables();
  // Whether a write by id may go ahead: the file's generation is still this object's.
  bool sameGeneration();
  bool updateCase(int id, const TRecordData& record);
  bool removeCase(int id);
  bool loadCase(int id, TRecordData& record);
  bool createCaseTable();
  bool createExtraTable();
  SqliteStatement* prepared(std::string_view sql);
  void closeConnection();
  // A failed statement inside a batch can end the batch's transaction; start a new one.
  void keepBatchOpen();
  // In a reading batch: ends the read transaction after every kReadChunk loads and begins
  // the next one.
  void yieldReadLock();

  std::string appDir_;
  std::string dbPathUtf8_;
  std::string dbPath_;
  int primaryId_ = 0;
  int generation_ = 0;
  SqliteConnection conn_;
  bool batch_ = false;
  bool writeBatch_ = false;
  int loadsInChunk_ = 0;
  bool private_ = false;
  StoreLock lock_;
  std::string lastMessage_;
  std::map<std::string, std::unique_ptr<SqliteStatement>, std::less<>> statements_;
  // The load statement of the open connection and, for each case column, the statement's
  // column that holds it (-1 when the table lacks it); found once per connection.
  struct LoadStatement {
    SqliteStatement* statement = nullptr;
    int columnCount = -1;
    std::array<int, kCaseColumnCount> at{};
  };
  LoadStatement load_;
};

// The generation a store gets when its cases are renumbered or replaced: the next one after
// current, within 1..2147483647.
int NextGeneration(int current);

// Whether the category list can hold the name as one name: not empty, no space in it.
bool IsStorableCategory(std::string_view name);

// Cleans a case read from the old-version file: the place cut to 150 characters, category
// and name to 10, forbidden characters removed.  When the name changed the case gets a new
// comment stem (MakeCommentFileName) and the result is true.
bool CleanOldRecord(TRecordData& record, const std::string& appDir);

}  // namespace taiyi
