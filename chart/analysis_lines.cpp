#include "chart/analysis_lines.h"

#include "chart/analysis_texts.h"
#include "chart/life_palaces.h"

namespace taiyi {
namespace {

constexpr std::string_view kListSeparator = "、";

// Drops the separator after the last item; "无" for an empty list.
std::string CloseList(std::string items) {
  if (items.empty()) return "无";
  items.resize(items.size() - kListSeparator.size());
  return items;
}

}  // namespace

std::string ConditionsLine(const ConditionSet& conditions, bool lifeForm) {
  std::string items;
  for (int c = 0; c < kConditionCount; ++c) {
    const ConditionFact& f = conditions[c];
    if (!f.present) continue;
    items += ConditionName(c);
    items += "(";
    items += PalaceNumberName(f.palace);
    if (lifeForm && f.lifePalace != kNoLifePalace) {
      items += "-";
      items += LifePalaceName(f.lifePalace);
      items += "宫";
    }
    items += ")";
    items += kListSeparator;
  }
  return "格局：" + CloseList(std::move(items)) + (lifeForm ? "。" : "。\r\n");
}

std::string PatternLine(const CountPatterns& patterns) {
  std::string items;
  for (int p = 0; p < kCountPatternCount; ++p) {
    if (!patterns[p]) continue;
    items += CountPatternName(p);
    items += kListSeparator;
  }
  return "断数：" + CloseList(std::move(items)) + "。";
}

}  // namespace taiyi
