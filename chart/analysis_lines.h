// The two summary lines of every analysis: the conditions line ("格局：掩(八宫-命宫)、…。") and
// the count-pattern line ("断数：上和数、…。"), in the life-chart and the period-chart forms.
#pragma once

#include <string>

#include "chart/conditions.h"
#include "chart/count_patterns.h"

namespace taiyi {

// "掩(八宫" … for each condition present, with "-%s宫" and the life palace's name in the life
// form when the condition has one, each closed by ")"; joined by "、"; "无" when none.
// The period form ends with "\r\n" after the "。".
std::string ConditionsLine(const ConditionSet& conditions, bool lifeForm);

// "断数：" + the names of the patterns set, joined by "、" ("无" when none) + "。".
std::string PatternLine(const CountPatterns& patterns);

}  // namespace taiyi
