#include "store/sqlite_connection.h"

#include "platform/fault_point.h"

namespace taiyi {

bool CheckSqlite(int rc, sqlite3* db, std::string* message) {
  if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE) return true;
  if (message) *message = db && sqlite3_errcode(db) != SQLITE_OK ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
  return false;
}

int SqliteConnection::Open(const std::string& pathUtf8) {
  Close();
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(pathUtf8.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                                 nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_close(db);
    return rc;
  }
  db_ = db;
  // Another program's write waits its turn instead of failing at once.
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  if (!fault::Durable()) sqlite3_exec(db_, "pragma synchronous=off", nullptr, nullptr, nullptr);
  return rc;
}

void SqliteConnection::Close() {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

int SqliteConnection::ExecuteScript(const char* sql) {
  if (!db_) return SQLITE_MISUSE;
  return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
}

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) : db_(db) {
  if (!db) {
    status_ = SQLITE_MISUSE;
    return;
  }
  status_ = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
  if (status_ == SQLITE_OK && !stmt_) status_ = SQLITE_MISUSE;  // empty statement
}

SqliteStatement::~SqliteStatement() {
  if (stmt_) sqlite3_finalize(stmt_);
}

int SqliteStatement::Bind(const SqlParams& params) {
  if (status_ != SQLITE_OK) return status_;
  int index = 1;
  for (const SqlValue& value : params) {
    const int rc = value.isInteger ? sqlite3_bind_int64(stmt_, index, value.integer)
                                   : sqlite3_bind_text(stmt_, index, value.text.data(),
                                                       static_cast<int>(value.text.size()),
                                                       SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) return rc;
    ++index;
  }
  return SQLITE_OK;
}

int SqliteStatement::BindInteger(int index, std::int64_t value) {
  return status_ != SQLITE_OK ? status_ : sqlite3_bind_int64(stmt_, index, value);
}

int SqliteStatement::Step() { return status_ != SQLITE_OK ? status_ : sqlite3_step(stmt_); }

int SqliteStatement::Reset() { return stmt_ ? sqlite3_reset(stmt_) : status_; }

int SqliteStatement::ColumnCount() const { return stmt_ ? sqlite3_column_count(stmt_) : 0; }

std::string SqliteStatement::ColumnName(int column) const {
  const char* name = sqlite3_column_name(stmt_, column);
  return name ? name : "";
}

std::string SqliteStatement::ColumnText(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  if (!text) return {};
  return std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)));
}

std::string_view SqliteStatement::ColumnView(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  if (!text) return {};
  return {text, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))};
}

std::int64_t SqliteStatement::ColumnInt(int column) const {
  return sqlite3_column_int64(stmt_, column);
}

SqliteSavepoint::SqliteSavepoint(sqlite3* db) : db_(db) {
  started_ = db && sqlite3_exec(db, "savepoint store_op", nullptr, nullptr, nullptr) == SQLITE_OK;
}

SqliteSavepoint::~SqliteSavepoint() {
  if (!started_) return;
  sqlite3_exec(db_, "rollback to store_op", nullptr, nullptr, nullptr);
  sqlite3_exec(db_, "release store_op", nullptr, nullptr, nullptr);
}

bool SqliteSavepoint::Release() {
  if (!started_) return false;
  // A release that fails (the commit of an outermost savepoint, say) leaves the guard armed,
  // so the destructor rolls the work back.
  if (sqlite3_exec(db_, "release store_op", nullptr, nullptr, nullptr) != SQLITE_OK) return false;
  started_ = false;
  return true;
}

}  // namespace taiyi
