#include "chart/deity_positions.h"

#include <gtest/gtest.h>

#include <string>

#include "chart/counts.h"

namespace taiyi {
namespace {

// One position's deities as "太乙 主参 …" in list order.
std::string Names(const PositionList& list) {
  std::string out;
  for (DeityCode c : list) {
    if (!out.empty()) out += ' ';
    out += c == kFlowMarker ? std::string("|") : std::string(DeityShortName(c));
  }
  return out;
}

void ExpectTable(const PositionTable& table, const std::array<std::string, kPositionCount>& want) {
  for (int i = 0; i < kPositionCount; ++i)
    EXPECT_EQ(Names(table[i]), want[i]) << "position " << PositionName(i);
}

TEST(PositionTables, BranchesAndPalacesMapToTheirPositions) {
  const char* branchNames[12] = {"亥", "子", "丑", "寅", "卯", "辰",
                                 "巳", "午", "未", "申", "酉", "戌"};
  for (int b = 0; b < 12; ++b) {
    EXPECT_EQ(PositionName(PositionOfBranch(b)), branchNames[b]);
    EXPECT_EQ(BranchAt(PositionOfBranch(b)), b);
  }
  const char* palaceNames[10] = {"", "乾", "午", "艮", "卯", "中", "酉", "坤", "子", "巽"};
  for (int v = 1; v <= 9; ++v) {
    EXPECT_EQ(PositionName(PositionOfPalace(v)), palaceNames[v]);
    EXPECT_EQ(PalaceNumberAt(PositionOfPalace(v)), v);
  }
  EXPECT_EQ(PalaceNumberAt(kPosShen), 0);
  EXPECT_EQ(BranchAt(kPosQian), -1);
  EXPECT_EQ(DeityFullName(kHostGeneral), "主大将");
  EXPECT_EQ(DeityShortName(kBaiLiuGreat), "大六");
  EXPECT_EQ(DeityFullName(kYearYangJiu), "年阳九");
}

// 阳遁 P = 0 with 太岁 on 子, worked out from the placement rules deity by deity.
TEST(PlaceDeities, YangPeriodZero) {
  PositionTable table;
  const Counts c = PlaceDeities({.governingPillar = 1, .period = 0, .accumulated = 0, .yang = true},
                                table);
  EXPECT_EQ(c, (Counts{7, 13, 13}));
  ExpectTable(table, {"太岁 太尊", "", "太乙 主参 五福 小游 四神 飞鸟 五行 五风", "民基 帝符",
                      "天乙", "文昌 天皇", "始击 主大 定目 大游", "", "臣基 君基 八风", "",
                      "客参 定参 地乙", "飞符", "", "计神 天时", "客大 定大 三风", "合神",
                      "直符"});
}

// 阴遁 P = 100 with 太岁 on 巳: 四神 has no station, three counts differ.
TEST(PlaceDeities, YinPeriodHundred) {
  PositionTable table;
  const Counts c = PlaceDeities({.governingPillar = 30, .period = 100, .yang = false}, table);
  EXPECT_EQ(c, (Counts{7, 14, 16}));
  ExpectTable(table, {"太乙 定参 太尊 飞鸟", "", "主参 五行", "帝符", "文昌 定大 地乙 君基",
                      "合神 天皇", "始击 主大 三风", "", "客参 定目 直符 小游 飞符 天时", "太岁",
                      "五福 大游", "", "计神 客大 臣基", "民基", "天乙 五风 八风", "", ""});
}

int PositionOf(const PositionTable& table, DeityCode code) {
  for (int i = 0; i < kPositionCount; ++i)
    for (DeityCode c : table[i])
      if (c == code) return i;
  return -1;
}

// A year chart of the Taiyi year 2004: 五福 and 大游 follow A, not P, and the year limits show.
TEST(PlaceDeities, YearChartUsesAccumulation) {
  const PlacementInput year{.governingPillar = 21, .period = 320, .accumulated = 10155920,
                            .yang = true, .byAccumulation = true, .yearLimits = true};
  PositionTable table;
  PlaceDeities(year, table);
  EXPECT_EQ(PositionOf(table, kWuFu), kPosCentre);
  EXPECT_EQ(PositionOf(table, kDaYou), kPosGen);
  EXPECT_EQ(PositionOf(table, kYearYangJiu), kPosMao);
  EXPECT_EQ(PositionOf(table, kYearBaiLiu), kPosXu);
  EXPECT_EQ(PositionOf(table, kBaiLiuGreat), -1);
  EXPECT_EQ(PositionOf(table, kBaiLiuSmall), -1);

  PlacementInput other = year;
  other.byAccumulation = false;
  other.yearLimits = false;
  PositionTable byPeriod;
  PlaceDeities(other, byPeriod);
  EXPECT_EQ(PositionOf(byPeriod, kWuFu), kPosXun);  // 320 mod 225 = 95
  EXPECT_EQ(PositionOf(byPeriod, kDaYou), kPosKun);
  EXPECT_EQ(PositionOf(byPeriod, kYearYangJiu), -1);
  EXPECT_EQ(PositionOf(byPeriod, kYearBaiLiu), -1);
}

TEST(PlaceDeities, FlowPlacementLeavesOutTenEssences) {
  PositionTable table;
  PlaceDeities({.governingPillar = 1, .period = 0, .tenEssence = false}, table);
  int placed = 0;
  for (const auto& list : table)
    for (DeityCode c : list) {
      EXPECT_FALSE(IsTenEssence(c)) << DeityShortName(c);
      ++placed;
    }
  EXPECT_EQ(placed, 24);  // 太岁 … 飞符 without year limits; 直符 … 四神 all have stations at P 0
}

// 直符, 地乙, 天乙 and 四神 each sit out three of the twelve stations.
TEST(PlaceDeities, StationlessPeriods) {
  const DeityCode codes[4] = {kZhiFu, kDiYi, kTianYi, kSiShen};
  const int firstEmpty[4] = {5, 1, 4, 9};
  for (int k = 0; k < 4; ++k) {
    int absent = 0;
    for (int station = 0; station < 12; ++station) {
      PositionTable table;
      PlaceDeities({.governingPillar = 1, .period = station * 3}, table);
      const bool missing = PositionOf(table, codes[k]) == -1;
      absent += missing;
      const bool expectMissing = station >= firstEmpty[k] && station < firstEmpty[k] + 3;
      EXPECT_EQ(missing, expectMissing) << DeityShortName(codes[k]) << " station " << station;
    }
    EXPECT_EQ(absent, 3);
  }
}

TEST(PlaceDeities, EntriesAroundTheFlowMarker) {
  const PositionList list = {3, 4, kFlowMarker, 0, 1};
  EXPECT_EQ(NatalEntries(list), (PositionList{3, 4}));
  EXPECT_EQ(FlowEntries(list), (PositionList{0, 1}));
  EXPECT_EQ(FlowEntries(PositionList{3}), PositionList{});
}

TEST(Counts, WalkToTaiYi) {
  struct Case {
    int start, taiYi, count;
  } cases[] = {
      {kPosShen, kPosQian, 7},   // 间辰: 酉 6 plus the extra
      {kPosQian, kPosQian, 1},   // on 太乙's own palace: its number
      {kPosZi, kPosZi, 8},
      {kPosHai, kPosZi, 1},      // the 间辰 just behind 太乙's palace
      {kPosWu, kPosZi, 16},      // 午 2 坤 7 酉 6 乾 1
      {kPosKun, kPosWu, 38},     // seven palaces, the longest walk
      {kPosWei, kPosWu, 39},
      {kPosChou, kPosGen, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CountToTaiYi(c.start, c.taiYi), c.count)
        << PositionName(c.start) << "->" << PositionName(c.taiYi);
}

TEST(Counts, Generals) {
  struct Case {
    int count, general, aide;
  } cases[] = {{7, 7, 1},  {10, 1, 3}, {20, 2, 6}, {30, 3, 9}, {9, 9, 7},
               {18, 8, 4}, {5, 5, 5},  {15, 5, 5}, {14, 4, 2}, {39, 9, 7}};
  for (const Case& c : cases)
    EXPECT_EQ(GeneralsOfCount(c.count), (Generals{c.general, c.aide})) << c.count;
}

}  // namespace
}  // namespace taiyi
