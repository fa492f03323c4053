#include "chart/life_palaces.h"

#include <gtest/gtest.h>

namespace taiyi {
namespace {

// 计神 on 子, 太岁 and 天皇 (no texts) on 丑, 文昌 on 未, and a flow 五福 on 寅.
PositionTable Fixture() {
  PositionTable t;
  t[kPosZi] = {kJiShen};
  t[kPosChou] = {kTaiSui, kTianHuang};
  t[kPosWei] = {kWenChang};
  t[kPosYin] = {kFlowMarker, kWuFu};
  return t;
}

TEST(LifePalaces, GoverningPositionIsTheFirstCandidateWithTexts) {
  // 命宫 子, 身宫 午; 甲子 year and a man run forward: 子 丑 寅 卯 辰 巳 午 未 …
  const LifePalaceTable t = ComputeLifePalaces(1, 7, 1, true, Fixture());
  struct Case {
    int index, branch, governing;
    bool own;
    int palace;
  } cases[] = {
      {kLifeMing, 1, kPosZi, true, 8},        // own position
      {kLifeSiblings, 2, kPosWei, false, 7},  // 丑 holds no deity with texts: opposite 未
      {kLifeSpouse, 3, kPosYin, false, 4},    // a flow entry does not count; nothing found
      {kLifeChildren, 4, kPosWei, false, 7},  // 卯: 三合 branch + 4 is 未
      {kLifeWealth, 5, kPosZi, false, 8},     // 辰: 三合 branch + 8 is 子
      {kLifeOffice, 7, kPosZi, false, 8},     // 午: opposite 子
      {kLifeServants, 8, kPosWei, true, 7},   // 未
      {kLifeParents, 0, kPosWei, false, 7},  // 亥: 巳 and 卯 are empty, 三合 branch + 8 is 未
  };
  for (const Case& c : cases) {
    const LifePalace& lp = t.palaces[c.index];
    EXPECT_EQ(lp.branch, c.branch) << c.index;
    EXPECT_EQ(lp.ownPosition, PositionOfBranch(c.branch)) << c.index;
    EXPECT_EQ(lp.governingPosition, c.governing) << c.index;
    EXPECT_EQ(lp.own, c.own) << c.index;
    EXPECT_EQ(lp.palace, c.palace) << c.index;
  }
  EXPECT_EQ(t.body, kLifeOffice);  // the palace on 午
}

TEST(LifePalaces, RunBackwardForAYangYearWithAWoman) {
  const LifePalaceTable t = ComputeLifePalaces(1, 1, 1, false, Fixture());
  EXPECT_EQ(t.palaces[kLifeSiblings].branch, 0);  // 亥
  EXPECT_EQ(t.palaces[kLifeSpouse].branch, 11);   // 戌
  EXPECT_EQ(t.palaces[kLifeParents].branch, 2);   // 丑
  EXPECT_EQ(t.body, kLifeMing);
  // A yin year with a woman runs forward again.
  EXPECT_EQ(ComputeLifePalaces(1, 1, 2, false, Fixture()).palaces[kLifeSiblings].branch, 2);
}

TEST(LifePalaces, DeitiesWithTexts) {
  for (int code = 0; code < kDeityCount; ++code) {
    const bool want = (code >= 2 && code <= 21) || code == 26 || code == 36;
    EXPECT_EQ(HasTexts(static_cast<DeityCode>(code)), want) << code;
  }
  EXPECT_FALSE(HasTexts(kFlowMarker));
  EXPECT_EQ(LifePalaceName(kLifeMing), "命");
  EXPECT_EQ(LifePalaceName(kLifeParents), "父母");
  EXPECT_EQ(LifePalaceName(kNoLifePalace), "");
}

}  // namespace
}  // namespace taiyi
