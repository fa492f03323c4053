#include "store/case_schema.h"

#include "store/record_values.h"

namespace taiyi {

namespace {

// The declared type of each case_data column, in column order.
constexpr std::array<std::string_view, kCaseColumnCount> kCaseColumnTypes = {
    " integer primary key,", " char(20),",  " integer,",      " char(20),", " integer,",
    " char(30),",            " char(5),",   " char(30),",     " varchar(150),",
    " char(40),",            " char(50),",  " varchar(100),", " varchar(100),",
    " text);"};

std::string ExtraColumnList() {
  std::string list;
  for (std::string_view column : kExtraColumns) {
    if (!list.empty()) list += ',';
    list += column;
  }
  return list;
}

}  // namespace

const std::string& CaseTableStatement() {
  static const std::string statement = [] {
    std::string s = "create table case_data(";
    for (int i = 0; i < kCaseColumnCount; ++i) {
      s += kCaseColumns[i];
      s += kCaseColumnTypes[i];
    }
    return s;
  }();
  return statement;
}

const std::string& ExtraTableStatement() {
  static const std::string statement = "create table case_extra(" + ExtraColumnList() + ");";
  return statement;
}

const std::string& ExtraRowInsertStatement() {
  static const std::string statement =
      "insert into case_extra(" + ExtraColumnList() + ") values (?, ?, ?, ?, ?);";
  return statement;
}

std::string DefaultCategoryText() {
  std::string text;
  for (std::string_view name : kDefaultCategories) {
    if (!text.empty()) text += kSeparator;
    text += name;
  }
  return text;
}

std::vector<std::string> DefaultCategoryList() {
  return std::vector<std::string>(kDefaultCategories.begin(), kDefaultCategories.end());
}

std::string CaseDatabasePath(const std::string& appDir) {
  return appDir + "dat/" + std::string(kStoreName) + ".db";
}

std::string CommentFolder(const std::string& appDir) {
  return appDir + std::string(kStoreName) + "_f/";
}

std::string OldCaseFilePath(const std::string& appDir) {
  return appDir + "dat/" + std::string(kOldStoreName) + ".dat";
}

std::string OldCategoryIniPath(const std::string& appDir) { return appDir + "dat/bzinit.ini"; }

}  // namespace taiyi
