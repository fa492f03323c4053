// The result types of the store's queries, the column names of table case_data, and the
// helpers that take a row apart: the 14 column values in order and the space-joined lists.
#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace taiyi {

// One result row: column name -> value (NULL reads as an empty text), ordered by name.
using TMapValue = std::map<std::string, std::string>;
// A query result: the rows in the order SQLite returned them.
using TContentValues = std::vector<TMapValue>;

inline constexpr int kCaseColumnCount = 14;
// The columns of case_data in their declared order.
inline constexpr std::array<std::string_view, kCaseColumnCount> kCaseColumns = {
    "id",      "name",       "sex",     "className", "dateY", "dateNum", "dateStyle",
    "addrInd", "addrName", "addrNum", "remarkFile", "tag1",  "tag2",    "remarkText"};

// Column numbers, in the order of kCaseColumns.
enum CaseColumn : int {
  kColId,
  kColName,
  kColSex,
  kColClassName,
  kColDateY,
  kColDateNum,
  kColDateStyle,
  kColAddrInd,
  kColAddrName,
  kColAddrNum,
  kColRemarkFile,
  kColTag1,
  kColTag2,
  kColRemarkText,
};

// Joins the items of the columns that hold several numbers or names.
inline constexpr std::string_view kSeparator = " ";

// The 14 values of a row in column order; a column the row lacks gives an empty text.
std::vector<std::string> RowToValues(const TMapValue& row);

// Splits a text at single spaces.  Splitting stops at a space that is the first character
// of what is left (a leading space, or the second of two spaces in a row): the rest stays
// one item, its leading space included.  An empty text gives no items.
std::vector<std::string> SplitBySpace(std::string_view text);

}  // namespace taiyi
