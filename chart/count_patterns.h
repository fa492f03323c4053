// The twelve patterns of the host and guest counts (上和数 … 杜塞无门之算), read from the two
// counts and where 文昌 stands.
#pragma once

#include <array>
#include <string_view>

#include "chart/deity_facts.h"

namespace taiyi {

inline constexpr int kCountPatternCount = 12;

enum CountPattern : int {
  kUpperHarmony = 0,     // 上和数
  kMiddleHarmony = 1,    // 中和数
  kLowerHarmony = 2,     // 下和数
  kDoubleYang = 3,       // 重阳数
  kDoubleYin = 4,        // 重阴数
  kMixedDoubleYang = 5,  // 杂重阳数
  kMixedDoubleYin = 6,   // 杂重阴数
  kYangInYin = 7,        // 阴中重阳数
  kNoHeaven = 8,         // 无天之算
  kNoEarth = 9,          // 无地之算
  kNoMan = 10,           // 无人之算
  kBlockedNoGate = 11,   // 杜塞无门之算
};

// "上和数" … "杜塞无门之算"; empty outside 0..11.
std::string_view CountPatternName(int pattern);

// Indexed by CountPattern.
using CountPatterns = std::array<bool, kCountPatternCount>;

// host and guest are the 主算 and 客算; wenChang the facts of 文昌.
CountPatterns ComputeCountPatterns(int host, int guest, const DeityFacts& wenChang);

}  // namespace taiyi
