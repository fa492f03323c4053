// The offence years of a life chart: over the first hundred years of life, the years in which
// the flow 太岁, 年阳九 or 百六 limits reach the palace of a chart condition (and, for 关 and 格,
// the years that count by the condition's life palace), and the text that names them.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "chart/analysis_texts.h"
#include "chart/chart_computation.h"

namespace taiyi {

inline constexpr int kOffenceScanYears = 100;

// Per condition, its lists of years (civil years in astronomical numbering) in the order of
// kOffenceRuleTexts.
struct OffenceYears {
  std::array<std::array<std::vector<int>, kMaxOffenceLists>, kConditionCount> lists;
  friend bool operator==(const OffenceYears&, const OffenceYears&) = default;
};

// Lays a 流年 chart over the life chart for each Taiyi year from the birth year on (five
// minutes after birth for the first, the day after 立春 for the others; a year whose flow
// fails is skipped) and sorts the years into the lists.  Without conditions no flow is made.
OffenceYears ScanOffenceYears(const ComputedChart& life, MYiDateEx& dates);

// For each condition with years: "命局：掩(八宫-命宫)，" + rule text + "犯事年份：1980、1992。"
// per non-empty list, each followed by a blank line, then the condition's closing text (囚's
// for a woman only).  Empty when no list holds a year.
std::string OffenceYearsText(const ComputedChart& life, const OffenceYears& years);

}  // namespace taiyi
