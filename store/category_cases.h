// The category editor's working data: every category with the ids of its cases, read from
// the store in one pass, and the rewriting of all cases of one category (delete them, or give
// them another category) case by case, reporting the cases that could not be rewritten.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "store/record_base.h"

namespace taiyi {

// Orders category names by their GBK bytes, as the editor lists the categories found only
// in cases.
struct GbkNameLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

using CaseIds = std::vector<std::int32_t>;

struct CategoryCases {
  std::map<std::string, CaseIds, GbkNameLess> cases;
  bool modified = false;
};

// What the editor lists when it opens.
struct CategoryOverview {
  CategoryCases data;
  // The stored categories in stored order, then those found only in cases in name order.
  std::vector<std::string> lines;
  int total = 0;  // number of stored cases
};

// Reads the category list and every case 1..PrimaryId in one batch.  modified is set when a
// case carries a category missing from the stored list.
CategoryOverview LoadCategoryOverview(MRecordBase& store);

// One line of the editor: the name padded with blanks to 12 GBK bytes (a longer name as it is),
// then "  %d 案例".
std::string CategoryLine(std::string_view name, std::size_t count);
// The name of a line: its text up to the first blank.
std::string CategoryLineName(std::string_view line);

// Removes the cases in one batch; returns the ids that are still stored.  When the batch
// cannot be committed every id counts as failed.  The removed cases' comment files go.
CaseIds RemoveCases(MRecordBase& store, const CaseIds& ids);

struct RecategorizeResult {
  CaseIds moved;
  CaseIds failed;
};
// Gives every case the category in one batch; a case that cannot be loaded or updated keeps
// its category and is listed in failed.  When the batch cannot be committed nothing moved.
RecategorizeResult RecategorizeCases(MRecordBase& store, const CaseIds& ids,
                                     const std::string& category);

}  // namespace taiyi
