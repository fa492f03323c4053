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

#include "store/record_data.h"
#include "store/record_values.h"
#include "store/sqlite_connection.h"

namespace taiyi {

class MRecordBase {
 public:
  MRecordBase() = default;
  // Commits and closes a batch that was left open.
  ~MRecordBase();
  MRecordBase(const MRecordBase&) = delete;
  MRecordBase& operator=(const MRecordBase&) = delete;

  // Opens the store at dbPath (creating the file and its tables when missing) for the
  // application folder appDir (ends with '/').  -1 failure, 0 ready, 1 old-version data
  // converted (LastMessage holds the report).
  int Open(const std::string& dbPath, const std::string& appDir, bool convertOld);

  int PrimaryId() const { return primaryId_; }
  const std::string& LastMessage() const { return lastMessage_; }
  // For the operations built on the store that fail for their own reasons.
  void SetLastMessage(std::string message) { lastMessage_ = std::move(message); }
  const std::string& AppDir() const { return appDir_; }
  const std::string& DbPath() const { return dbPath_; }

  // Access layer.  Connect opens the database and starts a batch transaction; Disconnect
  // commits it and closes (false, with SQLite's text, when the commit failed).
  int Connect();
  bool Disconnect();
  bool IsConnected() const { return conn_.IsOpen(); }
  // Runs one statement without rows; leaves LastMessage alone.
  bool Execute(std::string_view sql, const SqlParams& params = {});
  // Runs one query; on failure LastMessage holds SQLite's text and rows stay empty.
  bool Query(std::string_view sql, const SqlParams& params, TContentValues& rows);
  bool TableExists(std::string_view table);

  // The stored primaryId, or -1 (also when it is outside 0..kMaxCaseId).
  int ReadPrimaryId();

  // The ids of the stored cases within 1..kMaxCaseId, ascending (newest first with
  // newestFirst), at most limit of them when limit > 0: the walk over all cases, in one
  // ordered query instead of a look at every number below the primary id.  False, with
  // LastMessage set and ids empty, when the query fails.
  bool CaseIds(std::vector<int>& ids, bool newestFirst = false, int limit = 0);

  // The new id (also put into record.id), or -1.
  int AddCase(TRecordData& record);
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
  // False when the primary id cannot be read.
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
  bool updateCase(int id, const TRecordData& record);
  bool removeCase(int id);
  bool loadCase(int id, TRecordData& record);
  bool createCaseTable();
  bool createExtraTable();
  SqliteStatement* prepared(std::string_view sql);
  void closeConnection();
  // A failed statement inside a batch can end the batch's transaction; start a new one.
  void keepBatchOpen();

  std::string appDir_;
  std::string dbPathUtf8_;
  std::string dbPath_;
  int primaryId_ = 0;
  SqliteConnection conn_;
  bool batch_ = false;
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

// Whether the category list can hold the name as one name: not empty, no space in it.
bool IsStorableCategory(std::string_view name);

// Cleans a case read from the old-version file: the place cut to 150 characters, category
// and name to 10, forbidden characters removed.  When the name changed the case gets a new
// comment stem (MakeCommentFileName) and the result is true.
bool CleanOldRecord(TRecordData& record, const std::string& appDir);

}  // namespace taiyi
