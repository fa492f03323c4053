// Hexagrams of a chart: the King Wen and eight-palace name tables, the moving-line rule, the
// eight-palace search with 世 and 应, 纳甲 with six relations, six spirits and hidden spirits,
// the chart pair 主卦/变卦 and the birth pair 出身卦/立业卦 with life periods and life palaces.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace taiyi {

inline constexpr int kHexagramCount = 64;

// Trigrams 0..7: 乾 兑 离 震 巽 坎 艮 坤.
std::string_view TrigramName(int trigram);    // "乾" …
std::string_view TrigramNature(int trigram);  // "天" 泽 火 雷 风 水 山 地

// King Wen index 0..63 -> "天天乾", "地地坤", "水雷屯" … (upper, lower, short name).
std::string_view KingWenEntry(int index);
std::string_view HexagramShortName(int index);  // "乾", "屯", "未济" …
// Six-character line string, top line first, "1" yang and "2" yin.
std::string HexagramLines(int index);
// The King Wen index of a line string, -1 when it is not one.
int HexagramOfLines(std::string_view lines);
// "乾为天" … "水地比": eight-palace display name of palace 0..7 and generation 1..8.
std::string_view PalaceHexagramName(int palace, int generation);

// Five elements 0 水, 1 木, 2 火, 3 土, 4 金.
std::string_view ElementName(int element);
int StemElement(int stem);      // stem number (1 甲 … 0 癸)
int BranchElement(int branch);  // branch number (1 子 … 0 亥)
int TrigramElement(int trigram);
// 纳音 element of a sexagenary number.
int NaYinElement(int ganZhi);

std::string_view RelationName(int relation);  // 兄弟 子孙 妻财 官鬼 父母
std::string_view SpiritName(int spirit);      // 青龙 朱雀 勾陈 螣蛇 白虎 玄武

// Line i of a line string counted from the bottom (0 初爻 … 5 上爻) is yang.
bool LineIsYang(std::string_view lines, int line);
// The line string with line i (from the bottom) changed.
std::string ChangeLine(std::string_view lines, int line);

// The moving line 0..5 (from the bottom) of a hexagram for key k.
int MovingLine(std::string_view lines, int key);

struct PalacePlace {
  int palace = 0;      // trigram 0..7
  int generation = 1;  // 1 本宫, 2..6 一世…五世, 7 游魂, 8 归魂
  int shiLine = 5;     // 0..5 from the bottom
  int yingLine = 2;
  friend bool operator==(const PalacePlace&, const PalacePlace&) = default;
};
PalacePlace PalaceOf(std::string_view lines);
// palace · 8 + generation − 1, the index of the display-name table.
int DisplayIndex(int kingWen);
std::string_view DisplayName(int kingWen);

struct HexagramLine {
  int stem = 0;      // 纳甲 stem number
  int branch = 0;    // 纳甲 branch number
  int element = 0;   // element of the branch
  int relation = 0;  // six relation
  int spirit = 0;    // six spirit
  int order = 0;     // chart pair: order number 1..12
  int firstAge = 0;  // birth pair: the ages the line governs
  int lastAge = 0;
};

struct HiddenSpirit {
  int row = 0;     // display row 1..6 counted from the top
  int branch = 0;  // branch of the pure hexagram's line
  int stem = 0;    // stem of the pure hexagram's line
  int relation = 0;
  friend bool operator==(const HiddenSpirit&, const HiddenSpirit&) = default;
};

struct HexagramInfo {
  int index = 0;  // King Wen
  std::string lines;
  int movingLine = 0;  // 0..5 from the bottom; shared by both hexagrams of a pair
  int palace = 0;
  int generation = 1;
  int shiLine = 0;
  int yingLine = 0;
  int palaceElement = 0;
  std::array<HexagramLine, 6> line{};  // index 0 is the bottom line
  std::vector<HiddenSpirit> hidden;    // at most two
};

// Palace, 世/应, 纳甲, relations, spirits (from spiritStem) and hidden spirits of a hexagram.
HexagramInfo DescribeHexagram(int kingWen, int movingLine, int spiritStem);

struct HexagramPair {
  HexagramInfo first;   // 主卦 or 出身卦
  HexagramInfo second;  // 变卦 or 立业卦
};

// 主卦 index and key k: moving line, 变卦 and the order numbers 1..12.
HexagramPair MakeChartPair(int mainIndex, int key, int spiritStem);

struct Pillars {
  int year = 0, month = 0, day = 0, hour = 0;  // sexagenary numbers
  friend bool operator==(const Pillars&, const Pillars&) = default;
};

struct LifePalaces {
  int ming = 0;  // 命宫 branch
  int shen = 0;  // 身宫 branch
  int dayBranch = 0;
  int hourBranch = 0;
  int key = 0;  // 受气 key X, a sexagenary number
};

struct BirthHexagrams {
  HexagramPair pair;  // 出身卦 with 元堂 as moving line, 立业卦
  LifePalaces palaces;
};

// 阳男阴女: a yang year pillar with a man or a yin one with a woman.
bool ForwardDirection(int yearPillar, bool male);
// Element value of one pillar: its stem, branch and 纳音 elements as 水 7 火 9 木 11 金 13 土 15.
int PillarValue(int ganZhi);
BirthHexagrams MakeBirthPair(const Pillars& pillars, bool male);

// The number of the 受气宫 text: [2 5 4 1 3 2 5 4 1 3] by the stem of X.
int ShouQiNumber(int key);

}  // namespace taiyi
