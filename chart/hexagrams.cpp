#include "chart/hexagrams.h"

#include "chart/chart_request.h"

namespace taiyi {

namespace {

constexpr std::string_view kTrigramNames[8] = {"乾", "兑", "离", "震", "巽", "坎", "艮", "坤"};
constexpr std::string_view kTrigramNatures[8] = {"天", "泽", "火", "雷", "风", "水", "山", "地"};
constexpr int kTrigramElements[8] = {4, 4, 2, 1, 1, 0, 3, 3};

constexpr std::string_view kKingWen[kHexagramCount] = {
    "天天乾",   "地地坤",   "水雷屯",   "山水蒙",   "水天需",   "天水讼",   "地水师",
    "水地比",   "风天小畜", "天泽履",   "地天泰",   "天地否",   "天火同人", "火天大有",
    "地山谦",   "雷地豫",   "泽雷随",   "山风蛊",   "地泽临",   "风地观",   "火雷噬嗑",
    "山火贲",   "山地剥",   "地雷复",   "天雷无妄", "山天大畜", "山雷颐",   "泽风大过",
    "水水坎",   "火火离",   "泽山咸",   "雷风恒",   "天山遁",   "雷天大壮", "火地晋",
    "地火明夷", "风火家人", "火泽睽",   "水山蹇",   "雷水解",   "山泽损",   "风雷益",
    "泽天夬",   "天风姤",   "泽地萃",   "地风升",   "泽水困",   "水风井",   "泽火革",
    "火风鼎",   "雷雷震",   "山山艮",   "风山渐",   "雷泽归妹", "雷火丰",   "火山旅",
    "风风巽",   "泽泽兑",   "风水涣",   "水泽节",   "风泽中孚", "雷山小过", "水火既济",
    "火水未济"};

constexpr std::string_view kPalaceNames[8][8] = {
    {"乾为天", "天风姤", "天山遁", "天地否", "风地观", "山地剥", "火地晋", "火天大有"},
    {"兑为泽", "泽水困", "泽地萃", "泽山咸", "水山蹇", "地山谦", "雷山小过", "雷泽归妹"},
    {"离为火", "火山旅", "火风鼎", "火水未济", "山水蒙", "风水涣", "天水讼", "天火同人"},
    {"震为雷", "雷地豫", "雷水解", "雷风恒", "地风升", "水风井", "泽风大过", "泽雷随"},
    {"巽为风", "风天小畜", "风火家人", "风雷益", "天雷无妄", "火雷噬嗑", "山雷颐", "山风蛊"},
    {"坎为水", "水泽节", "水雷屯", "水火既济", "泽火革", "雷火丰", "地火明夷", "地水师"},
    {"艮为山", "山火贲", "山天大畜", "山泽损", "火泽睽", "天泽履", "风泽中孚", "风山渐"},
    {"坤为地", "地雷复", "地泽临", "地天泰", "雷天大壮", "泽天夬", "水天需", "水地比"}};

constexpr std::string_view kElementNames[5] = {"水", "木", "火", "土", "金"};
constexpr std::string_view kRelationNames[5] = {"兄弟", "子孙", "妻财", "官鬼", "父母"};
constexpr std::string_view kSpiritNames[6] = {"青龙", "朱雀", "勾陈", "螣蛇", "白虎", "玄武"};

// 纳甲 per trigram: stems as outer and inner trigram, first inner branch, branch step.
constexpr int kOuterStem[8] = {9, 4, 6, 7, 8, 5, 3, 0};
constexpr int kInnerStem[8] = {1, 4, 6, 7, 8, 5, 3, 2};
constexpr int kFirstBranch[8] = {1, 6, 4, 1, 2, 3, 5, 8};
constexpr int kBranchStep[8] = {2, -2, -2, 2, -2, 2, 2, -2};

// 纳音 by pair of pillars (甲子乙丑 first).
constexpr int kNaYin[30] = {4, 2, 1, 3, 4, 2, 0, 3, 4, 1, 0, 3, 2, 1, 0,
                            4, 2, 1, 3, 4, 2, 0, 3, 4, 1, 0, 3, 2, 1, 0};
// Element value numbers by element: 水 7, 木 11, 火 9, 土 15, 金 13.
constexpr int kElementValue[5] = {7, 11, 9, 15, 13};

int M(int a, int m) { return ((a % m) + m) % m; }

int TrigramOfNature(std::string_view ch) {
  for (int t = 0; t < 8; ++t)
    if (kTrigramNatures[t] == ch) return t;
  return -1;
}

int TrigramOfLines(std::string_view three) {
  const auto& lines = TrigramLines();
  for (int t = 0; t < 8; ++t)
    if (lines[t] == three) return t;
  return -1;
}

std::string Pure(int trigram) { return TrigramLines()[trigram] + TrigramLines()[trigram]; }

int SpiritStart(int stem) {
  static constexpr int kStart[10] = {5, 0, 0, 1, 1, 2, 3, 4, 4, 5};  // by stem number 0 癸 …
  return kStart[M(stem, 10)];
}

// Stems and branches of the six lines (from the bottom) of a line string.
void NaJia(std::string_view lines, int stems[6], int branches[6]) {
  const int upper = TrigramOfLines(lines.substr(0, 3));
  const int lower = TrigramOfLines(lines.substr(3, 3));
  for (int i = 0; i < 3; ++i) {
    stems[i] = kInnerStem[lower];
    branches[i] = M(kFirstBranch[lower] + i * kBranchStep[lower], 12);
    stems[i + 3] = kOuterStem[upper];
    branches[i + 3] = M(kFirstBranch[upper] + 6 + i * kBranchStep[upper], 12);
  }
}

}  // namespace

std::string_view TrigramName(int t) { return t >= 0 && t < 8 ? kTrigramNames[t] : ""; }
std::string_view TrigramNature(int t) { return t >= 0 && t < 8 ? kTrigramNatures[t] : ""; }

std::string_view KingWenEntry(int index) {
  return index >= 0 && index < kHexagramCount ? kKingWen[index] : std::string_view{};
}

std::string_view HexagramShortName(int index) {
  const std::string_view e = KingWenEntry(index);
  return e.size() > 6 ? e.substr(6) : std::string_view{};
}

namespace {

// The line strings of the 64 hexagrams by King Wen index, made once.
const std::array<std::string, kHexagramCount>& AllHexagramLines() {
  static const std::array<std::string, kHexagramCount> all = [] {
    std::array<std::string, kHexagramCount> out;
    for (int i = 0; i < kHexagramCount; ++i) {
      const std::string_view e = kKingWen[i];
      out[i] = TrigramLines()[TrigramOfNature(e.substr(0, 3))] +
               TrigramLines()[TrigramOfNature(e.substr(3, 3))];
    }
    return out;
  }();
  return all;
}

// The eight-palace place of each hexagram by King Wen index, found once (a chart's scan of a
// hundred flow years asks for it four hundred times); the empty place for no hexagram.
const PalacePlace& PlaceOfHexagram(int kingWen) {
  static const std::array<PalacePlace, kHexagramCount> all = [] {
    std::array<PalacePlace, kHexagramCount> out;
    for (int i = 0; i < kHexagramCount; ++i) out[i] = PalaceOf(AllHexagramLines()[i]);
    return out;
  }();
  static const PalacePlace none{};
  return kingWen >= 0 && kingWen < kHexagramCount ? all[kingWen] : none;
}

}  // namespace

std::string HexagramLines(int index) {
  if (index < 0 || index >= kHexagramCount) return {};
  return AllHexagramLines()[index];
}

int HexagramOfLines(std::string_view lines) {
  const auto& all = AllHexagramLines();
  for (int i = 0; i < kHexagramCount; ++i)
    if (all[i] == lines) return i;
  return -1;
}

std::string_view PalaceHexagramName(int palace, int generation) {
  if (palace < 0 || palace > 7 || generation < 1 || generation > 8) return {};
  return kPalaceNames[palace][generation - 1];
}

std::string_view ElementName(int e) { return e >= 0 && e < 5 ? kElementNames[e] : ""; }

int StemElement(int stem) {
  static constexpr int kByStem[10] = {0, 1, 1, 2, 2, 3, 3, 4, 4, 0};  // 癸 甲 乙 …
  return kByStem[M(stem, 10)];
}

int BranchElement(int branch) {
  static constexpr int kByBranch[12] = {0, 0, 3, 1, 1, 3, 2, 2, 3, 4, 4, 3};  // 亥 子 丑 …
  return kByBranch[M(branch, 12)];
}

int TrigramElement(int trigram) { return kTrigramElements[M(trigram, 8)]; }

int NaYinElement(int ganZhi) {
  int n = M(ganZhi, 60);
  if (n == 0) n = 60;
  return kNaYin[(n - 1) / 2];
}

std::string_view RelationName(int r) { return r >= 0 && r < 5 ? kRelationNames[r] : ""; }
std::string_view SpiritName(int s) { return s >= 0 && s < 6 ? kSpiritNames[s] : ""; }

bool LineIsYang(std::string_view lines, int line) { return lines[5 - line] == '1'; }

std::string ChangeLine(std::string_view lines, int line) {
  std::string out(lines);
  char& c = out[5 - line];
  c = c == '1' ? '2' : '1';
  return out;
}

int MovingLine(std::string_view lines, int key) {
  int yang = 0;
  for (int i = 0; i < 6; ++i) yang += LineIsYang(lines, i);
  const bool odd = M(key, 2) == 1;
  if (yang == 6 && !odd) return 5;
  if (yang == 0 && odd) return 0;
  const int target = M(key, 12);
  // Odd keys count yang lines upward from the bottom, even keys yin lines downward from the
  // top, going round the hexagram until the count matches the key modulo 12.
  int count = 0;
  for (int step = 0;; ++step) {
    const int line = odd ? step % 6 : 5 - step % 6;
    if (LineIsYang(lines, line) == odd && (++count) % 12 == target) return line;
  }
}

PalacePlace PalaceOf(std::string_view lines) {
  static constexpr int kShi[9] = {0, 6, 1, 2, 3, 4, 5, 4, 3};
  const int upper = TrigramOfLines(lines.substr(0, 3));
  int palace = upper < 0 ? 0 : upper;
  for (int attempt = 0; attempt < 8; ++attempt, palace = (palace + 2) % 8) {
    std::string stage = Pure(palace);
    int generation = 0;
    auto check = [&](int gen) {
      if (generation == 0 && stage == lines) generation = gen;
    };
    check(1);
    for (int k = 0; k < 5; ++k) {
      stage = ChangeLine(stage, k);
      check(k + 2);
    }
    stage = ChangeLine(stage, 3);
    check(7);
    stage = stage.substr(0, 3) + TrigramLines()[palace];
    check(8);
    if (generation != 0) {
      const int shi = kShi[generation];
      const int ying = shi + 3 > 6 ? shi - 3 : shi + 3;
      return PalacePlace{palace, generation, shi - 1, ying - 1};
    }
  }
  return PalacePlace{};
}

int DisplayIndex(int kingWen) {
  const PalacePlace& p = PlaceOfHexagram(kingWen);
  return p.palace * 8 + p.generation - 1;
}

std::string_view DisplayName(int kingWen) {
  const PalacePlace& p = PlaceOfHexagram(kingWen);
  return PalaceHexagramName(p.palace, p.generation);
}

HexagramInfo DescribeHexagram(int kingWen, int movingLine, int spiritStem) {
  HexagramInfo h;
  h.index = M(kingWen, kHexagramCount);
  h.lines = HexagramLines(h.index);
  h.movingLine = movingLine;
  const PalacePlace place = PalaceOf(h.lines);
  h.palace = place.palace;
  h.generation = place.generation;
  h.shiLine = place.shiLine;
  h.yingLine = place.yingLine;
  h.palaceElement = TrigramElement(h.palace);

  int stems[6], branches[6];
  NaJia(h.lines, stems, branches);
  const int spirit0 = SpiritStart(spiritStem);
  bool present[5] = {};
  for (int i = 0; i < 6; ++i) {
    HexagramLine& l = h.line[i];
    l.stem = stems[i];
    l.branch = branches[i];
    l.element = BranchElement(l.branch);
    l.relation = M(l.element - h.palaceElement, 5);
    l.spirit = (spirit0 + i) % 6;
    present[l.relation] = true;
  }

  int pureStems[6], pureBranches[6];
  NaJia(Pure(h.palace), pureStems, pureBranches);
  for (int r = 0; r < 5 && h.hidden.size() < 2; ++r) {
    if (present[r]) continue;
    for (int i = 0; i < 6 && h.hidden.size() < 2; ++i)
      if (M(BranchElement(pureBranches[i]) - h.palaceElement, 5) == r)
        h.hidden.push_back(HiddenSpirit{6 - i, pureBranches[i], pureStems[i], r});
  }
  return h;
}

HexagramPair MakeChartPair(int mainIndex, int key, int spiritStem) {
  const std::string lines = HexagramLines(M(mainIndex, kHexagramCount));
  const int moving = MovingLine(lines, key);
  HexagramPair pair;
  pair.first = DescribeHexagram(mainIndex, moving, spiritStem);
  pair.second = DescribeHexagram(HexagramOfLines(ChangeLine(lines, moving)), moving, spiritStem);
  const int step = LineIsYang(lines, moving) ? 1 : -1;
  for (int k = 0; k < 6; ++k) {
    const int line = M(moving + k * step, 6);
    pair.first.line[line].order = k + 1;
    pair.second.line[line].order = k + 7;
  }
  return pair;
}

bool ForwardDirection(int yearPillar, bool male) { return (M(yearPillar, 2) == 1) == male; }

int PillarValue(int ganZhi) {
  return kElementValue[StemElement(ganZhi % 10)] + kElementValue[BranchElement(ganZhi % 12)] +
         kElementValue[NaYinElement(ganZhi)];
}

BirthHexagrams MakeBirthPair(const Pillars& p, bool male) {
  BirthHexagrams out;
  LifePalaces& lp = out.palaces;
  const bool forward = ForwardDirection(p.year, male);
  const int yb = M(p.year, 12), mb = M(p.month, 12), db = M(p.day, 12), hb = M(p.hour, 12);
  lp.dayBranch = db;
  lp.hourBranch = hb;
  lp.ming = M(M(forward ? hb - mb : mb - hb, 12) + yb, 12);
  lp.shen = M(M(forward ? db - mb : mb - db, 12) + yb, 12);

  const int s = PillarValue(p.year) + PillarValue(p.month) + PillarValue(p.day) +
                PillarValue(p.hour);
  const int birth = M(s + 54, kHexagramCount);
  int v = M(PillarValue(p.day) + PillarValue(p.hour) + 55, 60);
  if (v == 0) v = 60;
  lp.key = M(p.day - (v - 1) + 120, 60);

  const std::string lines = HexagramLines(birth);
  const int yuanTang = MovingLine(lines, lp.key);
  const std::string career = ChangeLine(lines, yuanTang);
  out.pair.first = DescribeHexagram(birth, yuanTang, p.day % 10);
  out.pair.second = DescribeHexagram(HexagramOfLines(career), yuanTang, p.day % 10);

  const int step = LineIsYang(lines, yuanTang) ? 1 : -1;
  int w = 1;
  for (HexagramInfo* h : {&out.pair.first, &out.pair.second}) {
    for (int k = 0; k < 6; ++k) {
      const int line = M(yuanTang + k * step, 6);
      const int years = LineIsYang(h->lines, line) ? 9 : 6;
      h->line[line].firstAge = w;
      h->line[line].lastAge = w + years - 1;
      w += years;
    }
  }
  return out;
}

int ShouQiNumber(int key) {
  static constexpr int kNumbers[10] = {2, 5, 4, 1, 3, 2, 5, 4, 1, 3};
  return kNumbers[M(key, 10)];
}

}  // namespace taiyi
