// The two case searches: by conditions (sex, years, province, comment, category, name) and
// fuzzy (every keyword in one of the nine texts of a case), each giving the ids of the found
// cases in ascending order; and the checks the search dialog makes before it searches.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "chart/selection_conditions.h"
#include "store/record_base.h"
#include "store/work_progress.h"

namespace taiyi {

enum MatchMode : std::uint8_t {
  kMatchNone = 0,      // no condition
  kMatchContains = 1,  // the text occurs in the field (byte-wise on the GBK form)
  kMatchEquals = 2,    // the field equals the text, ASCII letters without regard to case
};

// The conditions of the conditional search.  Texts are UTF-8; name holds at most 20 GBK
// bytes, className 71 and comment 40.  Years are astronomical (0 = 1 BC).
struct SearchConditions {
  std::string name;
  std::string className;
  std::string comment;
  bool male = false;
  std::int16_t yearFrom = 0;
  std::int16_t yearTo = 0;
  std::int16_t provinceIndex = -1;  // -1 = any province
  MatchMode nameMode = kMatchNone;
  MatchMode classMode = kMatchNone;
  bool commentOn = false;
  bool sexOn = false;
  bool yearOn = false;
  // Conditions on each case's chart as stored; SearchByConditions leaves them to
  // SearchByChart.
  ChartConditions chart;
};

// What the search dialog's controls hold when "查找" is pressed.
struct SearchDialogInput {
  int provinceItem = 0;  // 0 "全部省份", then the provinces in list order
  int sexItem = 0;       // 0 "无", 1 "男", 2 "女"
  std::string yearFrom;  // the two year texts, in the user's numbering
  std::string yearTo;
  std::string name;
  bool nameExact = false;
  std::string className;
  bool classExact = false;
  std::string comment;
};

inline constexpr char kSearchYearTitle[] = "年份错误";
inline constexpr char kSearchYearRange[] =
    "年份必须在-850到2100年之间，并且没有公元0年\r\n注意：公元前用负数，比如公元前120年，就输入-"
    "120";
inline constexpr char kSearchYearOrder[] = "结束年必须大于或等于起始年";
inline constexpr char kSearchEmptyStore[] = "没有记录，无从查找。";
inline constexpr char kSearchNothingFoundTitle[] = "信息";
inline constexpr char kSearchNothingFound[] = "没有找到符合条件的命例。";
inline constexpr char kFuzzyNothingFound[] = "没有符合的案例！";

// Why the dialog does not search: a warning box (title and message) for the years, a plain
// message for an empty store.
struct SearchInputCheck {
  bool ok = true;
  bool warning = false;
  std::string title;
  std::string message;
};

// Reads the dialog's input into conditions in the dialog's order (province, sex, years,
// name, category, comment), stopping at the first refusal: years that are not numbers in
// -850..2100 without 0, a last year before the first, or a store with no case (primaryId 0).
SearchInputCheck ReadSearchInput(const SearchDialogInput& input, int primaryId,
                                 SearchConditions& conditions);

// The ids 1..PrimaryId of the stored cases that pass every condition, ascending, in one
// batch of the store.  A case's comment is the plain text of its comment file (empty when
// the file is missing).  With progress, the cases are counted there and a stop request ends
// the search with no ids.
void SearchByConditions(MRecordBase& store, const SearchConditions& conditions,
                        std::vector<std::int32_t>& ids, WorkProgress* progress = nullptr);

// The eight texts of a case the fuzzy search looks in: name, "男"/"女", place, category,
// "%d年" (stored year), "%d月", "%d日" and the hour's branch "%s时" (23 and 0 give "子时").
std::vector<std::string> CaseSearchTexts(const TRecordData& record);

inline constexpr char kMsgNoKeywords[] = "请输入要查找的关键字，多个关键字可以用空格隔开！";

// The keywords of a fuzzy search's input: every maximal run of characters other than the
// ASCII blank, in input order (a GBK double-byte character never holds that blank).
std::vector<std::string> SplitKeywords(std::string_view input);

// The ids of the cases in which every keyword is found, the comment's plain text counting as
// a ninth text; each text uses up at most the first remaining keyword it contains.  With
// progress, the cases are counted there and a stop request ends the search with no ids.
void FuzzySearch(MRecordBase& store, const std::vector<std::string>& keywords,
                 std::vector<std::int32_t>& ids, WorkProgress* progress = nullptr);

// Character-wise search on the GBK forms: a match never starts on the trail byte of a
// two-byte character.
bool GbkCharacterSearch(std::string_view gbkText, std::string_view gbkKeyword);

}  // namespace taiyi
