#include "chart/deity_positions.h"

#include <algorithm>

#include "chart/counts.h"

namespace taiyi {

namespace {

constexpr std::string_view kPositionNames[kPositionCount] = {
    "子", "亥", "乾", "戌", "酉", "申", "坤", "未", "午", "巳", "巽", "辰", "卯", "寅", "艮", "丑", "中"};

struct DeityNames {
  std::string_view shortName;
  std::string_view fullName;
};
constexpr DeityNames kDeityNames[kDeityCount] = {
    {"太岁", "太岁"}, {"合神", "合神"}, {"计神", "计神"},   {"太乙", "太乙"},
    {"文昌", "文昌"}, {"始击", "始击"}, {"主大", "主大将"}, {"主参", "主参将"},
    {"客大", "客大将"}, {"客参", "客参将"}, {"定大", "定大将"}, {"定参", "定参将"},
    {"五福", "五福"}, {"直符", "直符"}, {"小游", "小游"},   {"地乙", "地乙"},
    {"天乙", "天乙"}, {"四神", "四神"}, {"大游", "大游"},   {"民基", "民基"},
    {"臣基", "臣基"}, {"君基", "君基"}, {"阳九", "年阳九"}, {"百六", "年百六"},
    {"大六", "百六大限"}, {"小六", "百六小限"}, {"飞符", "飞符"}, {"天皇", "天皇"},
    {"帝符", "帝符"}, {"天时", "天时"}, {"太尊", "太尊"},   {"飞鸟", "飞鸟"},
    {"五行", "五行"}, {"三风", "三风"}, {"五风", "五风"},   {"八风", "八风"},
    {"定目", "定目"}};

// Branch number -> position.
constexpr int kBranchPosition[12] = {kPosHai, kPosZi,  kPosChou, kPosYin, kPosMao,  kPosChen,
                                     kPosSi,  kPosWu,  kPosWei,  kPosShen, kPosYou, kPosXu};
// Palace number 1..9 -> position.
constexpr int kPalacePosition[10] = {-1,      kPosQian,   kPosWu,  kPosGen, kPosMao,
                                     kPosCentre, kPosYou, kPosKun, kPosZi,  kPosXun};

constexpr int N = -1;  // a station where the deity is not placed

constexpr int kTaiYiYang[8] = {kPosQian, kPosWu, kPosGen, kPosMao, kPosYou, kPosKun, kPosZi, kPosXun};
constexpr int kTaiYiYin[8] = {kPosXun, kPosZi, kPosKun, kPosYou, kPosMao, kPosGen, kPosWu, kPosQian};
constexpr int kWenChangYang[18] = {kPosShen, kPosYou,  kPosXu,  kPosQian, kPosQian, kPosHai,
                                   kPosZi,   kPosChou, kPosGen, kPosYin,  kPosMao,  kPosChen,
                                   kPosXun,  kPosSi,   kPosWu,  kPosWei,  kPosKun,  kPosKun};
constexpr int kWenChangYin[18] = {kPosYin, kPosMao, kPosChen, kPosXun, kPosXun, kPosSi,
                                  kPosWu,  kPosWei, kPosKun,  kPosShen, kPosYou, kPosXu,
                                  kPosQian, kPosHai, kPosZi,  kPosChou, kPosGen, kPosGen};
constexpr int kWuFuPos[5] = {kPosQian, kPosGen, kPosXun, kPosKun, kPosCentre};
constexpr int kZhiFuPos[12] = {kPosCentre, kPosYou, kPosKun, kPosZi,  kPosXun, N,
                            N,          N,       kPosQian, kPosWu, kPosGen, kPosMao};
constexpr int kXiaoYouPos[8] = {kPosQian, kPosWu, kPosGen, kPosMao, kPosYou, kPosKun, kPosZi, kPosXun};
constexpr int kDiYiPos[12] = {kPosXun, N,          N,      N,       kPosQian, kPosWu,
                           kPosGen, kPosMao, kPosCentre, kPosYou, kPosKun, kPosZi};
constexpr int kTianYiPos[12] = {kPosYou, kPosKun, kPosZi, kPosXun, N,       N,
                             N,       kPosQian, kPosWu, kPosGen, kPosMao, kPosCentre};
constexpr int kSiShenPos[12] = {kPosQian, kPosWu,  kPosGen, kPosMao, kPosCentre, kPosYou,
                             kPosKun,  kPosZi,  kPosXun, N,       N,          N};
constexpr int kDaYouPos[8] = {kPosKun, kPosZi, kPosXun, kPosQian, kPosWu, kPosGen, kPosMao, kPosYou};
constexpr int kFeiFuPos[12] = {kPosChen, kPosYou, kPosShen, kPosZi,  kPosSi,  kPosXu,
                            kPosWei,  kPosChou, kPosHai, kPosWu, kPosYin, kPosMao};
constexpr int kTianHuangPos[20] = {kPosShen, kPosYou, kPosXu,  kPosQian, kPosQian, kPosHai, kPosZi,
                                kPosChou, kPosGen, kPosGen, kPosYin,  kPosMao,  kPosChen, kPosXun,
                                kPosXun,  kPosSi,  kPosWu,  kPosWei,  kPosKun,  kPosKun};
constexpr int kDiFu[20] = {kPosXu,  kPosQian, kPosHai, kPosZi,  kPosZi,  kPosChou, kPosGen,
                           kPosYin, kPosMao,  kPosMao, kPosChen, kPosXun, kPosSi,  kPosWu,
                           kPosWu,  kPosWei,  kPosKun, kPosShen, kPosYou, kPosYou};
constexpr int kTaiZun[4] = {kPosZi, kPosYou, kPosWu, kPosMao};
constexpr int kFeiNiao[9] = {kPosQian, kPosZi, kPosGen, kPosMao, kPosXun,
                             kPosWu,   kPosKun, kPosYou, kPosCentre};
constexpr int kWuXing[5] = {kPosQian, kPosZi, kPosGen, kPosXun, kPosKun};
constexpr int kSanFengPalace[9] = {3, 7, 2, 6, 1, 5, 9, 4, 8};
constexpr int kWuFengPalace[9] = {1, 3, 5, 7, 9, 2, 4, 6, 8};
constexpr int kBaFengPalace[9] = {2, 3, 4, 5, 6, 7, 8, 9, 1};

int Branch(int64_t n) { return static_cast<int>(Mod(n, 12)); }

}  // namespace

std::string_view PositionName(int position) {
  return position >= 0 && position < kPositionCount ? kPositionNames[position]
                                                     : std::string_view{};
}

std::string_view DeityShortName(DeityCode code) {
  return code < kDeityCount ? kDeityNames[code].shortName : std::string_view{};
}

std::string_view DeityFullName(DeityCode code) {
  return code < kDeityCount ? kDeityNames[code].fullName : std::string_view{};
}

bool IsTenEssence(DeityCode code) { return code >= 27 && code <= 35; }

int PositionOfBranch(int branch) { return kBranchPosition[Mod(branch, 12)]; }

int PositionOfPalace(int palace) { return palace >= 1 && palace <= 9 ? kPalacePosition[palace] : -1; }

int PalaceNumberAt(int position) {
  for (int v = 1; v <= 9; ++v)
    if (kPalacePosition[v] == position) return v;
  return 0;
}

int BranchAt(int position) {
  for (int b = 0; b < 12; ++b)
    if (kBranchPosition[b] == position) return b;
  return -1;
}

int CombiningBranch(int branch) { return Branch(3 - branch); }

Counts PlaceDeities(const PlacementInput& in, PositionTable& table) {
  const int64_t p = Mod(in.period, 360);
  const int g = Branch(in.governingPillar);
  auto put = [&table](int position, DeityCode code) {
    if (position >= 0) table[position].push_back(code);
  };
  auto putPalace = [&](int palace, DeityCode code) { put(PositionOfPalace(palace), code); };

  const int taiSui = PositionOfBranch(g);
  put(taiSui, kTaiSui);
  const int heShen = PositionOfBranch(CombiningBranch(g));
  put(heShen, kHeShen);
  const int jiShen = PositionOfBranch(in.yang ? 4 - g : 10 - g);
  put(jiShen, kJiShen);
  const int taiYi = (in.yang ? kTaiYiYang : kTaiYiYin)[(p % 24) / 3];
  put(taiYi, kTaiYi);
  const int wenChang = (in.yang ? kWenChangYang : kWenChangYin)[p % 18];
  put(wenChang, kWenChang);
  const int shiJi = static_cast<int>(Mod(wenChang + 14 - jiShen, kDirectionCount));
  put(shiJi, kShiJi);

  Counts counts;
  auto placeGenerals = [&](int count, DeityCode general, DeityCode aide) {
    const Generals gen = GeneralsOfCount(count);
    putPalace(gen.general, general);
    putPalace(gen.aide, aide);
  };
  counts.host = static_cast<int16_t>(CountToTaiYi(wenChang, taiYi));
  placeGenerals(counts.host, kHostGeneral, kHostAide);
  counts.guest = static_cast<int16_t>(CountToTaiYi(shiJi, taiYi));
  placeGenerals(counts.guest, kGuestGeneral, kGuestAide);
  const int dingMu = static_cast<int>(Mod(wenChang - (heShen - taiSui), kDirectionCount));
  put(dingMu, kDingMu);
  counts.fixed = static_cast<int16_t>(CountToTaiYi(dingMu, taiYi));
  placeGenerals(counts.fixed, kFixedGeneral, kFixedAide);

  const int64_t a = in.accumulated;
  put(kWuFuPos[(in.byAccumulation ? Mod(a + 115, 225) : p % 225) / 45], kWuFu);
  const int station = static_cast<int>((p % 36) / 3);
  put(kZhiFuPos[station], kZhiFu);
  put(kXiaoYouPos[(p % 24) / 3], kXiaoYou);
  put(kDiYiPos[station], kDiYi);
  put(kTianYiPos[station], kTianYi);
  put(kSiShenPos[station], kSiShen);
  put(kDaYouPos[(in.byAccumulation ? Mod(a + 34, 288) : p % 288) / 36], kDaYou);
  put(PositionOfBranch(Branch(p % 12 + 11)), kMinJi);
  put(PositionOfBranch(Branch(station + 7)), kChenJi);
  put(PositionOfBranch(Branch(p / 30 + 7)), kJunJi);
  if (in.yearLimits) {
    put(PositionOfBranch(Branch(Mod(a + 130, 456) / 13 + 3)), kYearYangJiu);
    put(PositionOfBranch(Branch(Mod(a + 2050, 288) / 24 + 3)), kYearBaiLiu);
  }
  put(kFeiFuPos[station], kFeiFu);
  if (in.tenEssence) {
    put(kTianHuangPos[p % 20], 27);
    put(kDiFu[p % 20], 28);
    put(PositionOfBranch(Branch(p % 12 + 3)), 29);
    put(kTaiZun[p % 4], 30);
    put(kFeiNiao[p % 9], 31);
    put(kWuXing[p % 5], 32);
    putPalace(kSanFengPalace[p % 9], 33);
    putPalace(kWuFengPalace[p % 9], 34);
    putPalace(kBaFengPalace[p % 9], 35);
  }
  return counts;
}

PositionList NatalEntries(const PositionList& list) {
  const auto marker = std::find(list.begin(), list.end(), kFlowMarker);
  return PositionList(list.begin(), marker);
}

PositionList FlowEntries(const PositionList& list) {
  const auto marker = std::find(list.begin(), list.end(), kFlowMarker);
  if (marker == list.end()) return {};
  return PositionList(marker + 1, list.end());
}

}  // namespace taiyi
