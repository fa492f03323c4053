#include "chart/life_palaces.h"

#include <algorithm>

#include "chart/hexagrams.h"
#include "chart/palace_grouping.h"

namespace taiyi {

std::string_view LifePalaceName(int index) {
  static constexpr std::string_view kNames[kLifePalaceCount] = {
      "命", "兄弟", "配偶", "子女", "财帛", "田宅", "官禄", "奴仆", "疾病", "福德", "相貌", "父母"};
  return index >= 0 && index < kLifePalaceCount ? kNames[index] : std::string_view{};
}

bool HasTexts(DeityCode code) {
  return (code >= 2 && code <= 21) || code == 26 || code == 36;
}

namespace {

bool HoldsDeityWithTexts(const PositionList& list) {
  const auto natalEnd = std::find(list.begin(), list.end(), kFlowMarker);
  return std::any_of(list.begin(), natalEnd, HasTexts);
}

}  // namespace

LifePalaceTable ComputeLifePalaces(int mingBranch, int shenBranch, int yearPillar, bool male,
                                   const PositionTable& positions) {
  LifePalaceTable t;
  const int d = ForwardDirection(yearPillar, male) ? 1 : -1;
  for (int i = 0; i < kLifePalaceCount; ++i) {
    LifePalace& lp = t.palaces[i];
    lp.branch = static_cast<int>(Mod(mingBranch + i * d, 12));
    lp.ownPosition = PositionOfBranch(lp.branch);
    const int candidates[4] = {lp.ownPosition, (lp.ownPosition + 8) % kDirectionCount,
                               PositionOfBranch(lp.branch + 4), PositionOfBranch(lp.branch + 8)};
    lp.governingPosition = lp.ownPosition;
    for (int c = 0; c < 4; ++c) {
      if (HoldsDeityWithTexts(positions[candidates[c]])) {
        lp.governingPosition = candidates[c];
        lp.own = c == 0;
        break;
      }
    }
    lp.palace = GroupPalace(lp.governingPosition);
    if (lp.branch == Mod(shenBranch, 12)) t.body = i;
  }
  return t;
}

}  // namespace taiyi
