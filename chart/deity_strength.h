// The five-element nature of a deity for the analysis: its element and its strength at a
// position, by the twelve stages on a branch or by the palace element on a corner palace
// and the centre.
#pragma once

#include "chart/deity_positions.h"

namespace taiyi {

inline constexpr int kNoElement = -1;

// Element 0 水, 1 木, 2 火, 3 土, 4 金 of a deity, kNoElement for those without one.  太岁
// takes the element of yearBranch and 合神 that of the branch combining with it.
int DeityElement(DeityCode code, int yearBranch);

// Twelve-stage index (0 长生 … 11 养) of the yang stem of an element at a branch.
int TwelveStage(int element, int branch);

// 0 none, 1 weak, 2 middle, 3 strong: an element at a position 0..16.
int StrengthAt(int element, int position);

}  // namespace taiyi
