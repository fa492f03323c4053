// The seven chart conditions 掩 迫 关 囚 击 格 对: whether each is present, the palace where it
// occurs and, for a life chart, the life palace.  A period chart reads them against 太乙, a
// life chart against 小游; both from the natal deity facts.
#pragma once

#include <array>
#include <string_view>

#include "chart/deity_facts.h"

namespace taiyi {

inline constexpr int kConditionCount = 7;

enum ChartCondition : int {
  kCondYan = 0,   // 掩
  kCondPo = 1,    // 迫
  kCondGuan = 2,  // 关
  kCondQiu = 3,   // 囚
  kCondJi = 4,    // 击
  kCondGe = 5,    // 格
  kCondDui = 6,   // 对
};

// "掩" … "对"; empty outside 0..6.
std::string_view ConditionName(int condition);

struct ConditionFact {
  bool present = false;
  int palace = 0;                  // palace number where it occurs
  int lifePalace = kNoLifePalace;  // life charts: the life palace of the deity named
  friend bool operator==(const ConditionFact&, const ConditionFact&) = default;
};

using ConditionSet = std::array<ConditionFact, kConditionCount>;

// 年局, 月局, 日局, 时局: relative to the palace of 太乙.
ConditionSet PeriodConditions(const DeityFactsTable& facts);
// 命局: relative to the palace of 小游, with life palaces.
ConditionSet LifeConditions(const DeityFactsTable& facts);

}  // namespace taiyi
