#include "chart/hexagrams.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace taiyi {
namespace {

TEST(HexagramTables, KingWenLinesAndEightPalaceNamesAgree) {
  EXPECT_EQ(HexagramLines(0), "111111");
  EXPECT_EQ(HexagramLines(1), "222222");
  EXPECT_EQ(HexagramLines(2), "212221");  // 水雷屯: 坎 over 震
  EXPECT_EQ(HexagramShortName(63), "未济");
  std::set<int> displayIndexes;
  for (int i = 0; i < kHexagramCount; ++i) {
    EXPECT_EQ(HexagramOfLines(HexagramLines(i)), i);
    const std::string entry(KingWenEntry(i));
    const std::string upper = entry.substr(0, 3), lower = entry.substr(3, 3);
    // The eight-palace search must find every hexagram under its own name.
    const std::string want = upper == lower
                                 ? std::string(HexagramShortName(i)) + "为" + upper
                                 : entry;
    EXPECT_EQ(DisplayName(i), want) << i;
    displayIndexes.insert(DisplayIndex(i));
  }
  EXPECT_EQ(displayIndexes.size(), 64u);
  EXPECT_EQ(HexagramOfLines("111"), -1);
}

TEST(Hexagrams, PalaceGenerationShiYing) {
  struct Case {
    const char* name;
    int index, palace, generation, shi, ying;  // lines from the bottom, 0-based
  } cases[] = {
      {"乾为天", 0, 0, 1, 5, 2},   {"天风姤", 43, 0, 2, 0, 3}, {"火地晋", 34, 0, 7, 3, 0},
      {"火天大有", 13, 0, 8, 2, 5}, {"地风升", 45, 3, 5, 3, 0}, {"风泽中孚", 60, 6, 7, 3, 0},
      {"风水涣", 58, 2, 6, 4, 1},  {"水地比", 7, 7, 8, 2, 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PalaceOf(HexagramLines(c.index)),
              (PalacePlace{c.palace, c.generation, c.shi, c.ying}))
        << c.name;
    EXPECT_EQ(DisplayName(c.index), c.name);
  }
}

TEST(Hexagrams, MovingLine) {
  struct Case {
    const char* lines;
    int key, line;
  } cases[] = {
      {"111111", 2, 5},  {"111111", 12, 5}, {"222222", 1, 0}, {"222222", 12, 0},
      {"111111", 1, 0},  {"111111", 7, 0},  {"111111", 11, 4},
      {"222221", 1, 0},  {"222221", 11, 0}, {"222221", 13, 0},  // one yang line: always it
      {"222221", 2, 4},  {"222221", 10, 1}, {"222221", 12, 4}, {"222221", 24, 4},
      {"222221", 0, 4},  {"212221", 3, 0},  {"212221", 36, 1}, {"212221", 48, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(MovingLine(c.lines, c.key), c.line) << c.lines << " " << c.key;
}

TEST(Hexagrams, NaJiaRelationsAndSpirits) {
  const HexagramInfo qian = DescribeHexagram(0, 5, 1);
  const int stems[6] = {1, 1, 1, 9, 9, 9}, branches[6] = {1, 3, 5, 7, 9, 11};
  const int relations[6] = {1, 2, 4, 3, 0, 4};  // 子孙 妻财 父母 官鬼 兄弟 父母
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(qian.line[i].stem, stems[i]);
    EXPECT_EQ(qian.line[i].branch, branches[i]);
    EXPECT_EQ(qian.line[i].relation, relations[i]) << i;
    EXPECT_EQ(qian.line[i].spirit, i);  // 甲 starts with 青龙
  }
  EXPECT_EQ(qian.palaceElement, 4);
  EXPECT_TRUE(qian.hidden.empty());

  const HexagramInfo kun = DescribeHexagram(1, 0, 5);
  const int kunBranches[6] = {8, 6, 4, 2, 0, 10};  // 未 巳 卯 丑 亥 酉
  const int kunStems[6] = {2, 2, 2, 0, 0, 0};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(kun.line[i].branch, kunBranches[i]);
    EXPECT_EQ(kun.line[i].stem, kunStems[i]);
    EXPECT_EQ(kun.line[i].spirit, (2 + i) % 6);  // 戊 starts with 勾陈
  }
}

TEST(Hexagrams, HiddenSpirits) {
  struct Case {
    int index;
    std::vector<HiddenSpirit> hidden;
  } cases[] = {
      {43, {{5, 3, 1, 2}}},                 // 姤 lacks 妻财: 甲寅 of 乾, row 5
      {11, {{6, 1, 1, 1}}},                 // 否 lacks 子孙: 甲子
      {32, {{6, 1, 1, 1}, {5, 3, 1, 2}}},   // 遁 lacks 子孙 and 妻财
      {19, {{2, 9, 9, 0}, {6, 1, 1, 1}}},   // 观: 兄弟 (壬申) comes before 子孙
  };
  for (const Case& c : cases) EXPECT_EQ(DescribeHexagram(c.index, 0, 1).hidden, c.hidden) << c.index;
}

TEST(Hexagrams, ChartPairOrderNumbers) {
  // 乾 with an even key moves its top line (yang): order goes up from the top, wrapping.
  const HexagramPair a = MakeChartPair(0, 2, 1);
  EXPECT_EQ(a.first.movingLine, 5);
  EXPECT_EQ(a.second.index, 42);  // 泽天夬
  EXPECT_EQ(a.second.movingLine, 5);
  const int upOrder[6] = {2, 3, 4, 5, 6, 1};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(a.first.line[i].order, upOrder[i]);
    EXPECT_EQ(a.second.line[i].order, upOrder[i] + 6);
  }
  // 复 with key 2 moves line 5 (yin): the order walks downward.
  const HexagramPair b = MakeChartPair(23, 2, 3);
  EXPECT_EQ(b.first.movingLine, 4);
  EXPECT_EQ(b.second.index, 2);  // 水雷屯
  const int downOrder[6] = {5, 4, 3, 2, 1, 6};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(b.first.line[i].order, downOrder[i]);
  EXPECT_EQ(b.first.line[0].spirit, 1);  // 丙 starts with 朱雀
}

TEST(Hexagrams, PillarValuesAndNaYin) {
  struct Case {
    int ganZhi, naYin, value;
  } cases[] = {{1, 4, 31}, {3, 2, 29}, {5, 1, 41}, {55, 2, 33}, {0, 0, 7 + 7 + 7}, {59, 0, 7 + 15 + 7}};
  for (const Case& c : cases) {
    EXPECT_EQ(NaYinElement(c.ganZhi), c.naYin) << c.ganZhi;
    EXPECT_EQ(PillarValue(c.ganZhi), c.value) << c.ganZhi;
  }
}

// 甲子年 丙寅月 戊辰日 戊午时, worked out by hand.
TEST(Hexagrams, BirthPairOfAMan) {
  const BirthHexagrams b = MakeBirthPair({1, 3, 5, 55}, true);
  EXPECT_EQ(b.palaces.ming, 5);   // 辰
  EXPECT_EQ(b.palaces.shen, 3);   // 寅
  EXPECT_EQ(b.palaces.key, 57);   // 庚申
  EXPECT_EQ(ShouQiNumber(b.palaces.key), 4);
  EXPECT_EQ(b.pair.first.index, 60);   // 风泽中孚, (134 + 54) mod 64
  EXPECT_EQ(b.pair.first.movingLine, 0);
  EXPECT_EQ(b.pair.second.index, 58);  // 风水涣
  const int first[12] = {1, 10, 19, 25, 31, 40, 49, 55, 64, 70, 76, 85};
  const int last[12] = {9, 18, 24, 30, 39, 48, 54, 63, 69, 75, 84, 93};
  for (int k = 0; k < 12; ++k) {
    const HexagramLine& l = (k < 6 ? b.pair.first : b.pair.second).line[k % 6];
    EXPECT_EQ(l.firstAge, first[k]) << k;
    EXPECT_EQ(l.lastAge, last[k]) << k;
  }
  EXPECT_EQ(b.pair.first.line[0].spirit, 2);  // 戊 day: 勾陈 on line 1
}

TEST(Hexagrams, LifePalacesOfAWomanRunBackward) {
  const BirthHexagrams b = MakeBirthPair({1, 3, 5, 55}, false);
  EXPECT_EQ(b.palaces.ming, 9);   // 申
  EXPECT_EQ(b.palaces.shen, 11);  // 戌
  EXPECT_TRUE(ForwardDirection(2, false));
  EXPECT_FALSE(ForwardDirection(2, true));
}

}  // namespace
}  // namespace taiyi
