// The case record: the chart request of one saved chart with its id, category, comment text
// and comment file stem, and its mapping to the 14 columns of case_data (with the defaults
// that a row with missing or foreign contents loads with).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_request.h"
#include "store/record_values.h"
#include "store/sqlite_connection.h"

namespace taiyi {

// The text of an empty comment, and the comment of a case whose comment is lost.
inline constexpr char kEmptyComment[] = "输入自己的评语：";
// The category of a case stored without one.
inline constexpr char kFallbackCategory[] = "临时保存";

struct TRecordData : ChartRequest {
  std::int32_t id = 0;     // 0 for a case not yet stored
  std::string className;   // category
  std::string remarkText;  // plain comment text, no apostrophes
  std::string remarkFile;  // comment file stem, without folder and ".rtf"
  // Further place indexes; -1 = unused.  A new case has all five -1.
  std::array<std::int32_t, 5> extraPlaceIndex = {-1, -1, -1, -1, -1};

  friend bool operator==(const TRecordData&, const TRecordData&) = default;
};

// The 14 column values of a case in column order: id, sex and dateY as integers, the rest
// as UTF-8 texts.
std::vector<SqlValue> CaseToValues(const TRecordData& record);

// A case from the 14 column texts of a row (fewer count as empty).  Never fails: every
// column that is empty or not what it should be gives its default.
TRecordData ValuesToCase(const std::vector<std::string>& values);
// The same from views of the 14 column texts (a row read straight from a statement).
TRecordData ColumnViewsToCase(const std::array<std::string_view, kCaseColumnCount>& values);

// The comment text of an editor's plain text: every apostrophe removed.
std::string RemoveApostrophes(std::string text);

}  // namespace taiyi
