// The twelve life palaces of a person (命, 兄弟 … 父母) on the branches from the 命宫, each
// with the position that governs it: its own, the opposite or a 三合 position, whichever first
// holds a deity with texts; and the 身 palace among them.
#pragma once

#include <array>
#include <string_view>

#include "chart/deity_positions.h"

namespace taiyi {

inline constexpr int kLifePalaceCount = 12;
inline constexpr int kNoLifePalace = -1;

enum LifePalaceIndex : int {
  kLifeMing = 0,      // 命
  kLifeSiblings = 1,  // 兄弟
  kLifeSpouse = 2,    // 配偶
  kLifeChildren = 3,  // 子女
  kLifeWealth = 4,    // 财帛
  kLifeProperty = 5,  // 田宅
  kLifeOffice = 6,    // 官禄
  kLifeServants = 7,  // 奴仆
  kLifeHealth = 8,    // 疾病
  kLifeFortune = 9,   // 福德
  kLifeLooks = 10,    // 相貌
  kLifeParents = 11,  // 父母
};

// "命", "兄弟" … "父母"; empty outside 0..11.
std::string_view LifePalaceName(int index);

// The deities that have a section of their own in the star texts: codes 2..21, 26 and 36.
bool HasTexts(DeityCode code);

struct LifePalace {
  int branch = 0;             // branch number
  int ownPosition = 0;        // position of the branch
  int governingPosition = 0;  // the position whose deities speak for the palace
  bool own = false;           // the governing position is the own position
  int palace = 0;             // palace number (grouping) of the governing position
  friend bool operator==(const LifePalace&, const LifePalace&) = default;
};

struct LifePalaceTable {
  std::array<LifePalace, kLifePalaceCount> palaces{};
  int body = 0;  // index of the 身 palace: the one on the 身宫 branch
};

// mingBranch and shenBranch are the 命宫 and 身宫 branches; the palaces run forward for a yang
// year pillar with a man or a yin one with a woman, backward otherwise.  Only natal entries
// (before a flow marker) are looked at.
LifePalaceTable ComputeLifePalaces(int mingBranch, int shenBranch, int yearPillar, bool male,
                                   const PositionTable& positions);

}  // namespace taiyi
