#include "store/record_base.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <random>

#include "platform/fault_point.h"
#include "platform/file_util.h"
#include "platform/ini_file.h"
#include "store/case_schema.h"
#include "store/comment_file.h"
#include "store/old_case_record.h"
#include "store/store_journal.h"
#include "store/store_messages.h"

namespace taiyi {

// Opens the database for one self-contained operation unless a batch holds it open, and
// closes it at the end of the scope when it opened it.  A writing session that opened the
// connection runs in one write transaction taken at once (so that what it reads, the next id
// say, cannot change before it writes), committed by Commit() and rolled back otherwise.
class MRecordBase::Session {
 public:
  explicit Session(MRecordBase& store, bool write = false)
      : store_(store), opened_(!store.conn_.IsOpen()) {
    if (opened_) store_.conn_.Open(store_.dbPathUtf8_);
    if (opened_ && write && store_.conn_.IsOpen())
      transaction_ = store_.conn_.ExecuteScript("begin immediate") == SQLITE_OK;
  }
  ~Session() {
    if (transaction_) store_.conn_.ExecuteScript("rollback");
    if (opened_) store_.closeConnection();
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // False when a write transaction could not be started (another program kept the database
  // locked for the whole busy timeout).
  bool Writable() const { return !opened_ || transaction_; }
  // Commits the write transaction (inside a batch: nothing, the batch commits).
  bool Commit() {
    if (!transaction_) return !opened_;
    store_.statements_.clear();
    if (!fault::Pass("sql")) return false;
    if (store_.conn_.ExecuteScript("commit") != SQLITE_OK) return false;
    transaction_ = false;
    return true;
  }

 private:
  MRecordBase& store_;
  bool opened_;
  bool transaction_ = false;
};

MRecordBase::WriteGuard::WriteGuard(MRecordBase& store, StoreLockMode mode)
    : store_(store), held_(store.lock_.Acquire(mode)) {
  if (!held_) store_.lastMessage_ = kMsgStoreBusy;
}

MRecordBase::WriteGuard::~WriteGuard() {
  if (held_) store_.lock_.Release();
}

MRecordBase::~MRecordBase() {
  if (conn_.IsOpen()) Disconnect();
}

int MRecordBase::Connect(bool write) {
  if (conn_.IsOpen()) return SQLITE_OK;
  const int rc = conn_.Open(dbPathUtf8_);
  if (rc != SQLITE_OK) return rc;
  const int begun = conn_.ExecuteScript(write ? "begin immediate" : "begin");
  batch_ = begun == SQLITE_OK;
  writeBatch_ = write;
  loadsInChunk_ = 0;
  if (write && !batch_) {
    conn_.Close();
    return begun;
  }
  return rc;
}

bool MRecordBase::Disconnect() {
  bool ok = true;
  if (conn_.IsOpen() && batch_ && !sqlite3_get_autocommit(conn_.Handle())) {
    statements_.clear();  // finished statements must not hold the commit back
    const int rc = fault::Pass("sql") ? conn_.ExecuteScript("commit") : SQLITE_IOERR;
    ok = CheckSqlite(rc, conn_.Handle(), &lastMessage_);
    if (!ok) conn_.ExecuteScript("rollback");
  }
  closeConnection();
  return ok;
}

void MRecordBase::Abandon() {
  if (conn_.IsOpen() && !sqlite3_get_autocommit(conn_.Handle())) {
    statements_.clear();  // no statement may hold the rollback back
    conn_.ExecuteScript("rollback");
  }
  closeConnection();
}

void MRecordBase::closeConnection() {
  load_ = {};
  statements_.clear();
  batch_ = false;
  writeBatch_ = false;
  conn_.Close();
}

void MRecordBase::yieldReadLock() {
  if (!batch_ || writeBatch_ || ++loadsInChunk_ < kReadChunk) return;
  loadsInChunk_ = 0;
  // Every statement of the batch is reset between its uses, so the read transaction can end
  // here; a writer that waited commits before the next read takes the lock again.
  if (!sqlite3_get_autocommit(conn_.Handle()) && conn_.ExecuteScript("commit") == SQLITE_OK)
    conn_.ExecuteScript("begin");
}

void MRecordBase::keepBatchOpen() {
  if (batch_ && conn_.IsOpen() && sqlite3_get_autocommit(conn_.Handle()))
    conn_.ExecuteScript(writeBatch_ ? "begin immediate" : "begin");
}

SqliteStatement* MRecordBase::prepared(std::string_view sql) {
  auto it = statements_.find(sql);
  if (it == statements_.end()) {
    it = statements_
             .emplace(std::string(sql), std::make_unique<SqliteStatement>(conn_.Handle(), sql))
             .first;
  } else {
    it->second->Reset();
  }
  return it->second.get();
}

bool MRecordBase::Execute(std::string_view sql, const SqlParams& params) {
  if (!fault::Pass("sql")) {
    keepBatchOpen();
    return false;
  }
  SqliteStatement* st = prepared(sql);
  int rc = st->Bind(params);
  if (rc == SQLITE_OK) {
    do rc = st->Step();
    while (rc == SQLITE_ROW);
  }
  st->Reset();
  const bool ok = CheckSqlite(rc, conn_.Handle(), nullptr);
  if (!ok) keepBatchOpen();
  return ok;
}

bool MRecordBase::Query(std::string_view sql, const SqlParams& params, TContentValues& rows) {
  rows.clear();
  SqliteStatement* st = prepared(sql);
  int rc = st->Bind(params);
  if (rc == SQLITE_OK) {
    const int columns = st->ColumnCount();
    std::vector<std::string> names;
    for (int c = 0; c < columns; ++c) names.push_back(st->ColumnName(c));
    while ((rc = st->Step()) == SQLITE_ROW) {
      TMapValue row;
      for (int c = 0; c < columns; ++c) row.emplace(names[c], st->ColumnText(c));
      rows.push_back(std::move(row));
    }
  }
  std::string message;
  const bool ok = CheckSqlite(rc, conn_.Handle(), &message);
  st->Reset();
  if (!ok) {
    lastMessage_ = message;
    rows.clear();
    keepBatchOpen();
  }
  return ok;
}

bool MRecordBase::TableExists(std::string_view table) {
  Session session(*this);
  TContentValues rows;
  if (!Query("select name from sqlite_master where type='table' and name=?;",
             {SqlValue::Text(std::string(table))}, rows))
    return false;
  return !rows.empty() && !rows.front().empty();
}

void MRecordBase::openPaths(const std::string& dbPath, const std::string& appDir) {
  closeConnection();
  lock_.SetPath({});
  dbPath_ = dbPath;
  dbPathUtf8_ = dbPath;
  appDir_ = WithSlash(appDir);
}

// Creates what is missing of a store and reads its primary id: 0 ready, -1 failure.
int MRecordBase::openTables() {
  bool opened = false;
  // Two programs may open a store that does not exist yet at the same moment: the tables are
  // made inside one write transaction, in which the second program finds them made.
  const auto makeMissingTables = [this] {
    if (TableExists("case_data") && TableExists("case_extra")) return true;
    Session session(*this, true);
    if (!session.Writable()) {
      lastMessage_ = kMsgCannotOpenDatabase;
      return false;
    }
    if (!TableExists("case_data") && !createCaseTable()) return false;
    if (!TableExists("case_extra") && !createExtraTable()) return false;
    if (session.Commit()) return true;
    lastMessage_ = kMsgCannotOpenDatabase;
    return false;
  };
  if (FileExists(dbPath_)) {
    // A store that cannot be completed still opens as before (its first statement fails).
    makeMissingTables();
    opened = true;
  } else {
    SqliteConnection probe;
    if (probe.Open(dbPathUtf8_) != SQLITE_OK) {
      lastMessage_ = kMsgCannotOpenDatabase;
    } else {
      probe.Close();
      opened = makeMissingTables();
    }
  }
  if (opened) {
    const int id = ReadPrimaryId();
    const int generation = id == -1 ? -1 : ReadGeneration();
    if (generation == -1) {
      opened = false;
    } else {
      primaryId_ = id;
      generation_ = generation;
    }
  }
  return opened ? 0 : -1;
}

int NextGeneration(int current) {
  return current >= 1 && current < 2147483647 ? current + 1 : 1;
}

int MRecordBase::ReadGeneration() {
  Session session(*this);
  SqliteStatement* st = prepared("pragma user_version;");
  const int rc = st->Step();
  std::string message;
  const bool ok = rc == SQLITE_ROW || CheckSqlite(rc, conn_.Handle(), &message);
  const std::int64_t generation = rc == SQLITE_ROW ? st->ColumnInt(0) : 0;
  st->Reset();
  if (!ok) {
    lastMessage_ = message;
    keepBatchOpen();
    return -1;
  }
  // user_version is a signed 32-bit number; the store only ever writes 0..2147483647.
  return generation < 0 ? 0 : static_cast<int>(generation);
}

bool MRecordBase::GenerationChanged() {
  const std::string message = lastMessage_;
  const int generation = ReadGeneration();
  lastMessage_ = message;
  return generation != -1 && generation != generation_;
}

void MRecordBase::AdoptGeneration() {
  const std::string message = lastMessage_;
  const int generation = ReadGeneration();
  lastMessage_ = message;
  if (generation != -1) generation_ = generation;
}

bool MRecordBase::WriteGeneration(int generation) {
  Session session(*this, true);
  // A pragma takes no parameters; the number is written into the statement.
  if (!session.Writable() || !Execute("pragma user_version=" + std::to_string(generation) + ";") ||
      !session.Commit())
    return false;
  generation_ = generation;
  return true;
}

bool MRecordBase::sameGeneration() {
  const int generation = ReadGeneration();
  if (generation == generation_) return true;
  if (generation != -1) lastMessage_ = kMsgStoreRenumbered;
  return false;
}

int MRecordBase::OpenPrivate(const std::string& dbPath, const std::string& appDir) {
  openPaths(dbPath, appDir);
  private_ = true;
  return openTables();
}

int MRecordBase::Open(const std::string& dbPath, const std::string& appDir, bool convertOld) {
  openPaths(dbPath, appDir);
  private_ = false;
  lock_.SetPath(StoreLockPath(dbPath_));
  // The repair needs every other writer out; when one is at work, a later open repairs.  An
  // open that finds nothing to repair takes no lock at all: every program opens the store,
  // and another program's add must not wait for that.
  const bool existed = FileExists(dbPath_);
  const bool exclusive = StoreNeedsRepair(*this) &&
                         lock_.Acquire(StoreLockMode::kExclusive, std::chrono::milliseconds(0));
  const bool recovered = exclusive && RecoverPendingSteps(*this);
  const int opened = openTables();
  // A store made anew gets a generation of its own, so that a program that still holds ids of
  // a store deleted in its place (delete-all) cannot write by them.  Only a file still at 0
  // gets one: another program may have made the store at the same moment.
  if (opened == 0 && !existed) {
    Session session(*this, true);
    if (session.Writable() && ReadGeneration() == 0) {
      std::random_device random;
      const int generation = std::uniform_int_distribution<int>(1, 2147483647)(random);
      if (WriteGeneration(generation)) session.Commit();
    }
    const int generation = ReadGeneration();
    if (generation > 0) generation_ = generation;
  }
  int result = opened;
  if (opened == 0 && convertOld && FileExists(OldCaseFilePath(appDir_))) {
    // The conversion adds the old cases once: no other program may convert at the same time.
    if (exclusive || lock_.Acquire(StoreLockMode::kExclusive)) {
      result = ConvertOldStore();
      if (!exclusive) lock_.Release();
    }
  }
  if (recovered && opened == 0 && existed && !FileExists(OldCaseFilePath(appDir_)))
    SweepStoreFolders(*this);
  if (exclusive) lock_.Release();
  return result;
}

int MRecordBase::PrimaryId() {
  const std::string message = lastMessage_;
  const int id = ReadPrimaryId();
  lastMessage_ = message;
  if (id >= 0) primaryId_ = id;
  return primaryId_;
}

bool MRecordBase::createCaseTable() {
  Session session(*this);
  if (Execute(CaseTableStatement())) return true;
  lastMessage_ = kMsgCannotCreateCaseTable;
  return false;
}

bool MRecordBase::createExtraTable() {
  Session session(*this);
  if (!Execute(ExtraTableStatement())) {
    lastMessage_ = kMsgCannotCreateExtraTable;
    return false;
  }
  // A store whose case_extra was lost still holds its cases: the next id goes on after the
  // highest one in use, so that new cases can be saved.
  int seed = primaryId_;
  TContentValues rows;
  if (Query("select max(id) as top from case_data;", {}, rows) && !rows.empty()) {
    int top = 0;
    if (ParseIniInteger(rows.front()["top"], top)) seed = std::max(seed, top);
  }
  if (!Execute(ExtraRowInsertStatement(),
               {SqlValue::Integer(kStorePlatformId), SqlValue::Integer(kStoreVerCode),
                SqlValue::Integer(seed), SqlValue::Text(DefaultCategoryText()),
                SqlValue::Text(std::string(kStoreBaseType))})) {
    lastMessage_ = kMsgCannotWriteExtraRow;
    return false;
  }
  return true;
}

int MRecordBase::ReadPrimaryId() {
  Session session(*this);
  TContentValues rows;
  if (!Query("select primaryId from case_extra", {}, rows)) return -1;
  int id = -1;
  if (!rows.empty()) {
    const auto it = rows.front().find("primaryId");
    if (it == rows.front().end() || !ParseIniInteger(it->second, id)) id = -1;
  }
  if (id == -1) {
    lastMessage_ = kMsgCannotReadPrimaryId;
  } else if (id < 0 || id > kMaxCaseId) {
    // The next id would overflow or be negative: nothing may be added to such a store.
    lastMessage_ = kMsgPrimaryIdOutOfRange;
    id = -1;
  }
  return id;
}

bool MRecordBase::CaseIds(std::vector<int>& ids, bool newestFirst, int limit) {
  Session session(*this);
  ids.clear();
  SqliteStatement* st = prepared(newestFirst ? "select id from case_data where id between 1 and ? "
                                               "order by id desc limit ?;"
                                             : "select id from case_data where id between 1 and ? "
                                               "order by id limit ?;");
  int rc = st->Bind({SqlValue::Integer(kMaxCaseId), SqlValue::Integer(limit > 0 ? limit : -1)});
  if (rc == SQLITE_OK)
    while ((rc = st->Step()) == SQLITE_ROW) ids.push_back(static_cast<int>(st->ColumnInt(0)));
  std::string message;
  const bool ok = CheckSqlite(rc, conn_.Handle(), &message);
  st->Reset();
  if (!ok) {
    lastMessage_ = message;
    ids.clear();
    keepBatchOpen();
  }
  return ok;
}

int MRecordBase::AddCase(TRecordData& record) {
  WriteGuard guard(*this, StoreLockMode::kShared);
  if (!guard) return -1;
  Session session(*this, true);
  if (!session.Writable()) {
    lastMessage_ = kMsgCannotSaveCase;
    return -1;
  }
  const int before = record.id;
  const int id = addCase(record);
  if (id < 0) return -1;
  if (!session.Commit()) {
    record.id = before;
    lastMessage_ = kMsgCannotSaveCase;
    return -1;
  }
  return id;
}

int MRecordBase::AddCaseInBatch(TRecordData& record) {
  return addCase(record);
}

int MRecordBase::addCase(TRecordData& record) {
  // The row and the new primaryId go in together or not at all.
  SqliteSavepoint savepoint(conn_.Handle());
  // The next id comes from the store itself, inside the write transaction: another program
  // may have added since this one opened the store.
  const int stored = ReadPrimaryId();
  if (stored < 0) return -1;
  if (stored >= kMaxCaseId) {
    lastMessage_ = kMsgNoMoreCaseIds;
    return -1;
  }
  const int id = stored + 1;
  TRecordData row = record;
  row.id = id;
  const std::vector<SqlValue> values = CaseToValues(row);
  if (!Execute("insert into case_data values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?);",
               values)) {
    lastMessage_ = kMsgCannotSaveCase;
    return -1;
  }
  if (!Execute("update case_extra set primaryId=?;", {SqlValue::Integer(id)}) ||
      !savepoint.Release()) {
    lastMessage_ = kMsgCannotUpdatePrimaryId;
    return -1;
  }
  record.id = id;
  primaryId_ = id;
  return id;
}

int MRecordBase::stemInUse(const std::string& stem) {
  TContentValues rows;
  if (!Query("select 1 as taken from case_data where remarkFile=? limit 1;", {SqlValue::Text(stem)},
             rows))
    return -1;
  return rows.empty() ? 0 : 1;
}

bool MRecordBase::claimCommentName(const std::string& base, std::string& temp, FileSync sync,
                                   std::string& stem, std::string& path) {
  // The rule of MakeCommentFileName, skipping a name that a case holds even when its file is
  // missing, and taken by a link that fails when another program was quicker.
  for (int i = -1;; ++i) {
    stem = i < 0 ? base : base + "_" + std::to_string(i);
    path = CommentFilePath(appDir_, stem);
    if (FileExists(path)) continue;
    const int inUse = stemInUse(stem);
    if (inUse < 0) {
      DeleteFile(temp);
      lastMessage_ = kMsgCannotSaveCase;
      return false;
    }
    if (inUse > 0) continue;
    if (ClaimFileName(temp, path, sync)) return true;
    if (errno != EEXIST) {
      DeleteFile(temp);
      lastMessage_ = kMsgCannotWriteComment + path;
      return false;
    }
  }
}

int MRecordBase::AddCaseWithComment(TRecordData& record, std::string_view commentBytes,
                                    std::string& commentPath) {
  WriteGuard guard(*this, StoreLockMode::kShared);
  if (!guard) return -1;
  // The comment is written (and flushed) under a temporary name before the database's write
  // lock is taken, so that other programs' writes wait only for the name and the row.
  const std::string base = CommentStemBase(record);
  std::string temp;
  if (!WriteTempFile(CommentFilePath(appDir_, base), commentBytes, temp)) {
    commentPath = CommentFilePath(appDir_, base);
    lastMessage_ = kMsgCannotWriteComment + commentPath;
    return -1;
  }
  Session session(*this, true);
  if (!session.Writable()) {
    DeleteFile(temp);
    lastMessage_ = kMsgCannotSaveCase;
    return -1;
  }
  std::string stem, path;
  if (!claimCommentName(base, temp, FileSync::kNow, stem, path)) {
    commentPath = path;
    return -1;
  }
  commentPath = path;
  const std::string oldStem = record.remarkFile;
  record.remarkFile = stem;
  const int before = record.id;
  int id = addCase(record);
  if (id > 0 && !session.Commit()) {
    lastMessage_ = kMsgCannotSaveCase;
    id = -1;
  }
  if (id < 0) {
    record.id = before;
    record.remarkFile = oldStem;
    DeleteFile(path);
  }
  return id;
}

int MRecordBase::AddCasesWithComments(std::vector<NewCase>& cases) {
  WriteGuard guard(*this, StoreLockMode::kShared);
  if (!guard) return 0;
  int added = 0;
  std::size_t next = 0;
  while (next < cases.size()) {
    Session session(*this, true);
    if (!session.Writable()) {
      lastMessage_ = kMsgCannotSaveCase;
      return added;
    }
    // One chunk: every comment file written and claimed as AddCaseWithComment does (flushed
    // all together), every row added, then one commit.  A program that dies meanwhile
    // leaves comment files that no case names, which the next open removes.
    std::vector<TRecordData> rows;
    std::vector<std::string> claimed;
    bool failed = false;
    for (std::size_t i = next; i < cases.size() && rows.size() < kAddChunk; ++i) {
      TRecordData row = cases[i].record;
      const std::string base = CommentStemBase(row);
      std::string temp, stem, path;
      if (!WriteTempFile(CommentFilePath(appDir_, base), cases[i].commentRtf, temp,
                         FileSync::kLater)) {
        lastMessage_ = kMsgCannotWriteComment + CommentFilePath(appDir_, base);
        failed = true;
        break;
      }
      if (!claimCommentName(base, temp, FileSync::kLater, stem, path)) {
        failed = true;
        break;
      }
      claimed.push_back(path);
      row.remarkFile = stem;
      if (addCase(row) < 0) {
        failed = true;
        break;
      }
      rows.push_back(std::move(row));
    }
    // The comment files reach the disk before the rows that name them are committed.
    if (!failed && !SyncFileSystem(appDir_)) {
      lastMessage_ = kMsgCannotWriteComment + CommentFolder(appDir_);
      failed = true;
    }
    if (!failed && !session.Commit()) {
      lastMessage_ = kMsgCannotSaveCase;
      failed = true;
    }
    if (failed) {
      for (const std::string& path : claimed) DeleteFile(path);
      return added;
    }
    for (TRecordData& row : rows) cases[next++].record = std::move(row);
    added += static_cast<int>(rows.size());
  }
  return added;
}

bool MRecordBase::UpdateCase(int id, const TRecordData& record) {
  WriteGuard guard(*this, StoreLockMode::kShared);
  if (!guard) return false;
  Session session(*this, true);
  if (!session.Writable()) {
    lastMessage_ = kMsgCannotUpdateCase;
    return false;
  }
  if (!updateCase(id, record)) return false;
  if (session.Commit()) return true;
  lastMessage_ = kMsgCannotUpdateCase;
  return false;
}

bool MRecordBase::UpdateCaseInBatch(int id, const TRecordData& record) {
  return updateCase(id, record);
}

bool MRecordBase::updateCase(int id, const TRecordData& record) {
  static const std::string statement = [] {
    std::string s = "update case_data set ";
    for (int c = 1; c < kCaseColumnCount; ++c) {
      if (c > 1) s += ", ";
      s += std::string(kCaseColumns[c]) + "=?";
    }
    return s + " where id=?;";
  }();
  // The id may name another case since another program renumbered the store.
  if (!sameGeneration()) return false;
  std::vector<SqlValue> values = CaseToValues(record);
  values.erase(values.begin());
  values.push_back(SqlValue::Integer(id));
  if (Execute(statement, values)) return true;
  lastMessage_ = kMsgCannotUpdateCase;
  return false;
}

bool MRecordBase::RemoveCase(int id) {
  WriteGuard guard(*this, StoreLockMode::kShared);
  if (!guard) return false;
  Session session(*this, true);
  if (!session.Writable()) {
    lastMessage_ = kMsgCannotDeleteCase;
    return false;
  }
  if (!removeCase(id)) return false;
  if (session.Commit()) return true;
  lastMessage_ = kMsgCannotDeleteCase;
  return false;
}

bool MRecordBase::RemoveCaseInBatch(int id) {
  return removeCase(id);
}

bool MRecordBase::removeCase(int id) {
  if (!sameGeneration()) return false;
  if (Execute("delete from case_data where id = ?;", {SqlValue::Integer(id)})) return true;
  lastMessage_ = kMsgCannotDeleteCase;
  return false;
}

bool MRecordBase::LoadCase(int id, TRecordData& record) {
  Session session(*this);
  return loadCase(id, record);
}

bool MRecordBase::LoadCaseInBatch(int id, TRecordData& record) {
  return loadCase(id, record);
}

// The row is read straight from the statement, without the name map of Query and without
// copying the texts: loading is what the case tree does for every case.  A column is found
// by name (the first of that name), so a foreign table with other or missing columns loads
// as Query would; the positions are found once for the connection's load statement.
bool MRecordBase::loadCase(int id, TRecordData& record) {
  yieldReadLock();
  if (!load_.statement) load_.statement = prepared("select * from case_data where id=?;");
  SqliteStatement* st = load_.statement;
  st->Reset();
  int rc = st->BindInteger(1, id);
  bool found = false;
  if (rc == SQLITE_OK) {
    rc = st->Step();
    if (rc == SQLITE_ROW) {
      // A schema change re-prepares the statement; its columns are looked at again then.
      const int columns = st->ColumnCount();
      if (columns != load_.columnCount) {
        load_.columnCount = columns;
        load_.at.fill(-1);
        for (int c = columns - 1; c >= 0; --c) {
          const std::string name = st->ColumnName(c);
          for (std::size_t k = 0; k < kCaseColumns.size(); ++k)
            if (kCaseColumns[k] == name) load_.at[k] = c;
        }
      }
      found = true;
      std::array<std::string_view, kCaseColumnCount> values{};
      for (std::size_t k = 0; k < values.size(); ++k)
        if (load_.at[k] >= 0) values[k] = st->ColumnView(load_.at[k]);
      record = ColumnViewsToCase(values);
      rc = SQLITE_DONE;
    }
  }
  std::string message;
  const bool ok = CheckSqlite(rc, conn_.Handle(), &message);
  st->Reset();
  if (!ok) {
    lastMessage_ = message;
    keepBatchOpen();
  }
  return ok && found;
}

bool MRecordBase::LoadCategories(std::vector<std::string>& list) {
  Session session(*this);
  TContentValues rows;
  if (!Query("select className from case_extra;", {}, rows) || rows.empty()) return false;
  const auto it = rows.front().find("className");
  list = SplitBySpace(it == rows.front().end() ? std::string() : it->second);
  return true;
}

bool IsStorableCategory(std::string_view name) {
  return !name.empty() && name.find(kSeparator) == std::string_view::npos;
}

bool MRecordBase::SaveCategories(const std::vector<std::string>& list) {
  // A list that reads back otherwise (several names, or none) would leave a store to which
  // nothing can be added.
  if (list.empty()) {
    lastMessage_ = kMsgEmptyCategoryList;
    return false;
  }
  for (const std::string& name : list) {
    if (IsStorableCategory(name)) continue;
    lastMessage_ = std::string(kMsgBadCategoryName) + "“" + name + "”";
    return false;
  }
  WriteGuard guard(*this, StoreLockMode::kShared);
  if (!guard) return false;
  Session session(*this, true);
  std::string text;
  for (const std::string& name : list) {
    if (!text.empty()) text += kSeparator;
    text += name;
  }
  if (session.Writable() && Execute("update case_extra set className=?;", {SqlValue::Text(text)}) &&
      session.Commit())
    return true;
  lastMessage_ = kMsgCannotUpdateCategories;
  return false;
}

std::string MRecordBase::CommentPath(const TRecordData& record) const {
  // A stem from a foreign database must not lead out of the comment folder.
  std::string stem = record.remarkFile;
  stem.erase(std::remove_if(stem.begin(), stem.end(),
                            [](char c) { return c == '/' || c == '\\' || c == '\0'; }),
             stem.end());
  return CommentFilePath(appDir_, stem);
}

std::string MRecordBase::MakeCommentFileName(const TRecordData& record, std::string& stem) const {
  return taiyi::MakeCommentFileName(appDir_, record, stem);
}

bool MRecordBase::EnsureCommentFiles() {
  if (ReadPrimaryId() == -1) return false;
  Session session(*this);
  std::vector<int> ids;
  if (!CaseIds(ids)) return false;
  TRecordData record;
  bool wrote = false;
  bool all = true;
  for (const int id : ids) {
    if (!loadCase(id, record)) continue;
    const std::string path = CommentPath(record);
    if (FileExists(path)) continue;
    if (WriteCommentFromPlainText(path, record.remarkText, FileSync::kLater))
      wrote = true;
    else
      all = false;
  }
  if (wrote && !SyncFileSystem(appDir_)) all = false;
  return all;
}

}  // namespace taiyi
