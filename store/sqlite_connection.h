// A thin RAII layer over the SQLite C API: a connection, a prepared statement with bound
// values, a savepoint that rolls back unless released, and the one function that turns a
// SQLite return code into success or a message.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace taiyi {

// A value bound to a statement parameter: an integer or a UTF-8 text.
struct SqlValue {
  bool isInteger = false;
  std::int64_t integer = 0;
  std::string text;

  static SqlValue Integer(std::int64_t v) { return SqlValue{true, v, {}}; }
  static SqlValue Text(std::string v) { return SqlValue{false, 0, std::move(v)}; }
  // The value as it reads back from the database: a decimal number or the text.
  std::string ToText() const { return isInteger ? std::to_string(integer) : text; }
  friend bool operator==(const SqlValue&, const SqlValue&) = default;
};

using SqlParams = std::vector<SqlValue>;

// True for SQLITE_OK, SQLITE_ROW and SQLITE_DONE.  Otherwise false, and when message is
// given it receives the connection's error text (or the code's generic text without one).
bool CheckSqlite(int rc, sqlite3* db, std::string* message);

// How long every connection waits for a lock held by another connection before it fails.
inline constexpr int kBusyTimeoutMs = 5000;

class SqliteConnection {
 public:
  SqliteConnection() = default;
  ~SqliteConnection() { Close(); }
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  // Opens the file read-write, creating it when missing.  Returns the SQLite code; on
  // failure no handle is kept.
  int Open(const std::string& pathUtf8);
  void Close();
  bool IsOpen() const { return db_ != nullptr; }
  sqlite3* Handle() const { return db_; }

  // Runs statements that return no rows (no parameters).
  int ExecuteScript(const char* sql);

 private:
  sqlite3* db_ = nullptr;
};

class SqliteStatement {
 public:
  // Prepares one statement; Status() tells whether that worked.
  SqliteStatement(sqlite3* db, std::string_view sql);
  ~SqliteStatement();
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  int Status() const { return status_; }
  // Binds the values to parameters 1, 2, …; returns the first failing code or SQLITE_OK.
  int Bind(const SqlParams& params);
  // Binds one integer to parameter index (1-based).
  int BindInteger(int index, std::int64_t value);
  // One step: SQLITE_ROW, SQLITE_DONE or an error code.
  int Step();
  int Reset();

  int ColumnCount() const;
  std::string ColumnName(int column) const;
  // The column of the current row as text; NULL reads as an empty text.
  std::string ColumnText(int column) const;
  // The same without a copy: valid until the next Step, Reset or column call on it.
  std::string_view ColumnView(int column) const;
  // The column of the current row as a 64-bit integer (NULL and text that is no number: 0).
  std::int64_t ColumnInt(int column) const;

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
  int status_ = SQLITE_OK;
};

// A named savepoint: everything done on the connection after it is undone when the guard
// ends without Release().  Works inside an open transaction and outside one.
class SqliteSavepoint {
 public:
  explicit SqliteSavepoint(sqlite3* db);
  ~SqliteSavepoint();
  SqliteSavepoint(const SqliteSavepoint&) = delete;
  SqliteSavepoint& operator=(const SqliteSavepoint&) = delete;

  bool Started() const { return started_; }
  bool Release();

 private:
  sqlite3* db_;
  bool started_ = false;
};

}  // namespace taiyi
