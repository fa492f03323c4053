#include "chart/deity_strength.h"

#include <gtest/gtest.h>

namespace taiyi {
namespace {

constexpr int kWater = 0, kWood = 1, kFire = 2, kEarth = 3, kMetal = 4;

TEST(DeityStrength, Elements) {
  EXPECT_EQ(DeityElement(kTaiSui, 1), kWater);  // year branch 子
  EXPECT_EQ(DeityElement(kHeShen, 1), kEarth);  // 丑 combines with 子
  EXPECT_EQ(DeityElement(kTaiSui, 7), kFire);   // 午
  EXPECT_EQ(DeityElement(kHeShen, 7), kEarth);  // 未
  struct Case {
    DeityCode code;
    int element;
  } cases[] = {{kJiShen, kEarth},      {kTaiYi, kWood},     {kShiJi, kFire},
               {kHostGeneral, kMetal}, {kHostAide, kWater}, {kGuestGeneral, kWater},
               {kGuestAide, kWood},    {kXiaoYou, kWood},   {kTianYi, kMetal},
               {kFeiFu, kFire},        {kFixedGeneral, -1}, {kDingMu, -1},
               {kYearYangJiu, -1},     {kTianHuang, -1},    {kFlowMarker, -1}};
  for (const Case& c : cases) EXPECT_EQ(DeityElement(c.code, 1), c.element) << int(c.code);
}

TEST(DeityStrength, TwelveStagesOnBranchesAndTheCornerRule) {
  struct Case {
    int element, position, strength;
  } cases[] = {
      {kWater, kPosShen, 3},  // 壬 长生 on 申
      {kWater, kPosZi, 3},    // 帝旺
      {kWater, kPosHai, 3},   // 临官
      {kWater, kPosYou, 2},   // 沐浴
      {kWater, kPosWu, 2},    // 胎
      {kWater, kPosMao, 1},   // 死
      {kWater, kPosChen, 1},  // 墓
      {kWood, kPosHai, 3},    // 甲 长生
      {kWood, kPosShen, 1},   // 绝
      {kFire, kPosYou, 1},    // 丙 死
      {kFire, kPosWu, 3},     // 帝旺
      {kMetal, kPosSi, 3},    // 庚 长生
      {kMetal, kPosYin, 1},   // 绝
      {kEarth, kPosYou, 1},   // 戊 死 ...
      {kEarth, kPosXu, 3},    // ... but earth on an earth branch is strong
      {kEarth, kPosChou, 3},
      {kEarth, kPosZi, 2},  // 胎
      // Corners: 乾 金, 巽 木, 坤 and 艮 土, the centre as 坤.
      {kMetal, kPosQian, 3},  // same element
      {kWater, kPosQian, 3},  // the palace generates it
      {kEarth, kPosQian, 2},  // it generates the palace
      {kWood, kPosQian, 1},   // the palace overcomes it
      {kFire, kPosQian, 1},   // it overcomes the palace
      {kFire, kPosXun, 3},
      {kWater, kPosGen, 1},
      {kMetal, kPosCentre, 3},
      {kWater, kPosCentre, 1},
      {kFire, kPosCentre, 2},
      {-1, kPosZi, 0},
      {-1, kPosCentre, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StrengthAt(c.element, c.position), c.strength) << c.element << " " << c.position;
}

}  // namespace
}  // namespace taiyi
