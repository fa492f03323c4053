#include "chart/palace_grouping.h"

#include <gtest/gtest.h>

#include "chart/deity_positions.h"

namespace taiyi {
namespace {

TEST(PalaceGrouping, EachPalaceTakesTheJianChenAfterIt) {
  // Position order 子 亥 乾 戌 酉 申 坤 未 午 巳 巽 辰 卯 寅 艮 丑 中.
  constexpr int kWant[kPositionCount] = {8, 8, 1, 1, 6, 6, 7, 7, 2, 2, 9, 9, 4, 4, 3, 3, 5};
  for (int p = 0; p < kPositionCount; ++p) EXPECT_EQ(GroupPalace(p), kWant[p]) << p;
  EXPECT_EQ(GroupPalace(17), 0);
}

TEST(PalaceGrouping, DirectionCodes) {
  EXPECT_EQ(DirectionCode(kPosZi), 1);
  EXPECT_EQ(DirectionCode(kPosHai), 0);
  EXPECT_EQ(DirectionCode(kPosXu), 11);
  EXPECT_EQ(DirectionCode(kPosQian), 12);
  EXPECT_EQ(DirectionCode(kPosKun), 13);
  EXPECT_EQ(DirectionCode(kPosXun), 14);
  EXPECT_EQ(DirectionCode(kPosGen), 15);
  EXPECT_EQ(DirectionCode(kPosCentre), -1);
}

TEST(PalaceGrouping, NeighboursOnTheCycleAndOpposites) {
  // Cycle 8 1 6 7 2 9 4 3.
  struct Case {
    int palace;
    PalaceNeighbours want;
  } cases[] = {{8, {3, 1, 2}}, {1, {8, 6, 9}}, {3, {4, 8, 7}}, {2, {7, 9, 8}}, {5, {}}, {0, {}}};
  for (const Case& c : cases) EXPECT_EQ(NeighboursOf(c.palace), c.want) << c.palace;
  EXPECT_TRUE(IsNeighbour(3, 8));
  EXPECT_TRUE(IsNeighbour(1, 8));
  EXPECT_FALSE(IsNeighbour(2, 8));  // the opposite is no neighbour
  EXPECT_FALSE(IsNeighbour(8, 8));
  EXPECT_FALSE(IsNeighbour(5, 8));
  EXPECT_FALSE(IsNeighbour(8, 5));
  EXPECT_EQ(OppositeOf(9), 1);
  EXPECT_EQ(OppositeOf(5), 0);
}

}  // namespace
}  // namespace taiyi
