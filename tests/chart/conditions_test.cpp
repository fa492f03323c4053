#include "chart/conditions.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace taiyi {
namespace {

using Placement = std::vector<std::pair<DeityCode, int>>;  // deity, position

// The conditions present, as "掩8命 迫8 …": name, palace and the life palace's name.
std::string Present(const ConditionSet& s) {
  std::string out;
  for (int i = 0; i < kConditionCount; ++i) {
    if (!s[i].present) continue;
    if (!out.empty()) out += ' ';
    out += std::string(ConditionName(i)) + std::to_string(s[i].palace) +
           std::string(LifePalaceName(s[i].lifePalace));
  }
  return out;
}

DeityFactsTable Facts(const Placement& placement, bool life) {
  PositionTable t;
  for (const auto& [code, position] : placement) t[position].push_back(code);
  std::optional<LifePalaceTable> palaces;
  // 命宫 子, running forward: 子 命, 丑 兄弟, 寅 配偶, 卯 子女 … 午 官禄 … 酉 福德 … 亥 父母.
  if (life) palaces = ComputeLifePalaces(1, 7, 1, true, t);
  return ComputeDeityFacts(t, FactEntries::kNatal, 1, palaces);
}

constexpr DeityCode T = kTaiYi, W = kWenChang, S = kShiJi, HD = kHostGeneral, HC = kHostAide,
                    GD = kGuestGeneral, GC = kGuestAide, X = kXiaoYou;

TEST(Conditions, PeriodChartAgainstTaiYi) {
  struct Case {
    Placement placement;
    const char* want;
  } cases[] = {
      // 太乙 乾 (1): 文昌 with it, 始击 on the neighbour 子, all generals on 坤 (巽, not 坤,
      // is opposite 乾).
      {{{T, kPosQian},
        {W, kPosQian},
        {S, kPosZi},
        {HD, kPosKun},
        {HC, kPosKun},
        {GD, kPosKun},
        {GC, kPosKun}},
       "掩1 关7 击1"},
      // 太乙 午 (2): 文昌 on 巳 is in the same palace; 始击 on 亥 (8) opposite; host generals
      // on 太乙's palace.
      {{{T, kPosWu},
        {W, kPosSi},
        {S, kPosHai},
        {HD, kPosWu},
        {HC, kPosWu},
        {GD, kPosCentre},
        {GC, kPosQian}},
       "掩2 囚2 格2"},
      // 太乙 艮 (3): 文昌 on the neighbour 卯, 始击 on the neighbour 子, generals in the centre.
      {{{T, kPosGen},
        {W, kPosMao},
        {S, kPosZi},
        {HD, kPosCentre},
        {HC, kPosCentre},
        {GD, kPosCentre},
        {GC, kPosCentre}},
       "迫3 关5 击3"},
      // 太乙 酉 (6) opposite 文昌 卯 (4).
      {{{T, kPosYou},
        {W, kPosMao},
        {S, kPosWu},
        {HD, kPosZi},
        {HC, kPosXun},
        {GD, kPosWu},
        {GC, kPosWu}},
       "对6"},
      // Nothing: 太乙 子 with 文昌 on 酉 and 始击 on 坤.
      {{{T, kPosZi},
        {W, kPosYou},
        {S, kPosKun},
        {HD, kPosZi},
        {HC, kPosWu},
        {GD, kPosCentre},
        {GC, kPosXun}},
       ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Present(PeriodConditions(Facts(c.placement, false))), c.want);
}

TEST(Conditions, LifeChartAgainstXiaoYouWithLifePalaces) {
  struct Case {
    Placement placement;
    const char* want;
  } cases[] = {
      // 小游 子 (命); 始击 with it, 文昌 on the neighbour 丑; 关 by guest generals with 文昌
      // wins over the host pair; the host pair opposite.
      {{{X, kPosZi},
        {S, kPosZi},
        {W, kPosChou},
        {GD, kPosGen},
        {GC, kPosChou},
        {HD, kPosWu},
        {HC, kPosWu}},
       "掩8命 迫8命 关3兄弟 对8命"},
      // 小游 乾 (no life palace): 文昌 with it, 始击 on the neighbour 子, host pair on 卯,
      // 客大将 opposite on 巽.
      {{{X, kPosQian},
        {W, kPosQian},
        {S, kPosZi},
        {HD, kPosMao},
        {HC, kPosMao},
        {GD, kPosXun},
        {GC, kPosCentre}},
       "关4子女 囚1 击1 格1"},
      // 关 by the host generals with 始击 (午, 官禄).
      {{{X, kPosGen},
        {W, kPosYou},
        {S, kPosWu},
        {HD, kPosWu},
        {HC, kPosSi},
        {GD, kPosZi},
        {GC, kPosQian}},
       "关2官禄"},
      // 关 by the guest pair alone (酉, 福德); 客大将 opposite 小游 卯 (子女).
      {{{X, kPosMao},
        {W, kPosWu},
        {S, kPosZi},
        {HD, kPosQian},
        {HC, kPosKun},
        {GD, kPosYou},
        {GC, kPosShen}},
       "关6福德 格4子女"},
  };
  for (const Case& c : cases) EXPECT_EQ(Present(LifeConditions(Facts(c.placement, true))), c.want);
}

TEST(Conditions, Names) {
  EXPECT_EQ(ConditionName(kCondYan), "掩");
  EXPECT_EQ(ConditionName(kCondDui), "对");
  EXPECT_EQ(ConditionName(7), "");
}

}  // namespace
}  // namespace taiyi
