#include "chart/deity_facts.h"

#include <gtest/gtest.h>

namespace taiyi {
namespace {

TEST(DeityFacts, NatalFactsOfEachDeity) {
  PositionTable t;
  t[kPosZi] = {kTaiYi};
  t[kPosHai] = {kWenChang};
  t[kPosQian] = {kXiaoYou};
  t[kPosWu] = {kTaiSui};
  t[kPosMao] = {kTaiYi};  // a later entry of the same code wins
  t[kPosYou] = {kFlowMarker, kShiJi};
  t[kPosCentre] = {kWuFu};
  PositionTable lifeTable;
  lifeTable[kPosZi] = {kJiShen};
  // 命宫 子 forward, 身宫 午; year branch 子.
  const std::optional<LifePalaceTable> life = ComputeLifePalaces(1, 7, 1, true, lifeTable);
  const DeityFactsTable f = ComputeDeityFacts(t, FactEntries::kNatal, 1, life);

  const DeityFacts& wenChang = f[kWenChang];  // 土 on 亥: 绝
  EXPECT_TRUE(wenChang.present);
  EXPECT_EQ(wenChang.position, kPosHai);
  EXPECT_EQ(wenChang.palace, 8);
  EXPECT_EQ(wenChang.direction, 0);
  EXPECT_EQ(wenChang.element, 3);
  EXPECT_EQ(wenChang.strength, 1);
  EXPECT_EQ(wenChang.neighbours, (PalaceNeighbours{3, 1, 2}));
  EXPECT_EQ(wenChang.lifePalace, kLifeParents);
  EXPECT_FALSE(wenChang.inBody);

  const DeityFacts& wuFu = f[kWuFu];  // 土 in the centre, which counts as 坤
  EXPECT_EQ(wuFu.position, -1);
  EXPECT_EQ(wuFu.palace, 5);
  EXPECT_EQ(wuFu.direction, -1);
  EXPECT_EQ(wuFu.strength, 3);
  EXPECT_EQ(wuFu.neighbours, PalaceNeighbours{});
  EXPECT_EQ(wuFu.lifePalace, kNoLifePalace);

  EXPECT_EQ(f[kXiaoYou].lifePalace, kNoLifePalace);  // no life palace on a corner
  EXPECT_EQ(f[kXiaoYou].direction, 12);
  EXPECT_EQ(f[kXiaoYou].strength, 1);  // 木 on 金
  EXPECT_EQ(f[kTaiSui].element, 0);    // year branch 子
  EXPECT_EQ(f[kTaiSui].strength, 2);   // 水 on 午: 胎
  EXPECT_EQ(f[kTaiSui].lifePalace, kLifeOffice);
  EXPECT_TRUE(f[kTaiSui].inBody);
  EXPECT_EQ(f[kTaiYi].position, kPosMao);
  EXPECT_EQ(f[kTaiYi].lifePalace, kLifeChildren);
  EXPECT_FALSE(f[kShiJi].present);  // a flow entry
  EXPECT_FALSE(f[kJiShen].present);
}

TEST(DeityFacts, FlowEntriesAndPeriodCharts) {
  PositionTable t;
  t[kPosZi] = {kTaiSui, kFlowMarker, kTaiSui};
  t[kPosYou] = {kShiJi, kFlowMarker};
  t[kPosWu] = {kFlowMarker, kHeShen, kBaiLiuSmall};
  const DeityFactsTable flow = ComputeDeityFacts(t, FactEntries::kFlow, 7, std::nullopt);
  EXPECT_FALSE(flow[kShiJi].present);
  EXPECT_EQ(flow[kTaiSui].position, kPosZi);
  EXPECT_EQ(flow[kTaiSui].element, 2);  // flow year branch 午
  EXPECT_EQ(flow[kHeShen].element, 3);  // 未
  EXPECT_EQ(flow[kBaiLiuSmall].palace, 2);
  EXPECT_EQ(flow[kBaiLiuSmall].strength, 0);
  EXPECT_EQ(flow[kTaiSui].lifePalace, kNoLifePalace);
  EXPECT_FALSE(flow[kTaiSui].inBody);
  const DeityFactsTable natal = ComputeDeityFacts(t, FactEntries::kNatal, 7, std::nullopt);
  EXPECT_TRUE(natal[kShiJi].present);
  EXPECT_FALSE(natal[kHeShen].present);
}

}  // namespace
}  // namespace taiyi
