// The 17 chart positions (16 directions and the centre), the 37 deities with their codes and
// names, and the placement of the deities of one chart or one flow on those positions.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace taiyi {

// Position indexes, in the order the disc and the analysis walk them.  Even indexes 0..14 are
// the eight palaces, odd ones the 间辰 between them; "forward" is decreasing index mod 16.
enum Position : int {
  kPosZi = 0,     // 子
  kPosHai = 1,    // 亥
  kPosQian = 2,   // 乾
  kPosXu = 3,     // 戌
  kPosYou = 4,    // 酉
  kPosShen = 5,   // 申
  kPosKun = 6,    // 坤
  kPosWei = 7,    // 未
  kPosWu = 8,     // 午
  kPosSi = 9,     // 巳
  kPosXun = 10,   // 巽
  kPosChen = 11,  // 辰
  kPosMao = 12,   // 卯
  kPosYin = 13,   // 寅
  kPosGen = 14,   // 艮
  kPosChou = 15,  // 丑
  kPosCentre = 16,  // 中
};
inline constexpr int kPositionCount = 17;
inline constexpr int kDirectionCount = 16;

using DeityCode = uint8_t;
inline constexpr int kDeityCount = 37;
inline constexpr DeityCode kFlowMarker = 250;

// Deity codes that other units refer to by name.
enum Deity : DeityCode {
  kTaiSui = 0, kHeShen = 1, kJiShen = 2, kTaiYi = 3, kWenChang = 4, kShiJi = 5,
  kHostGeneral = 6, kHostAide = 7, kGuestGeneral = 8, kGuestAide = 9,
  kFixedGeneral = 10, kFixedAide = 11, kWuFu = 12, kZhiFu = 13, kXiaoYou = 14,
  kDiYi = 15, kTianYi = 16, kSiShen = 17, kDaYou = 18, kMinJi = 19, kChenJi = 20,
  kJunJi = 21, kYearYangJiu = 22, kYearBaiLiu = 23, kBaiLiuGreat = 24, kBaiLiuSmall = 25,
  kFeiFu = 26, kTianHuang = 27, kBaJiFeng = 35, kDingMu = 36,
};

// Ordered deity codes on one position; flow charts append kFlowMarker and then flow entries.
using PositionList = std::vector<DeityCode>;
using PositionTable = std::array<PositionList, kPositionCount>;

std::string_view PositionName(int position);        // "子" … "丑", "中"
std::string_view DeityShortName(DeityCode code);    // drawn on the disc
std::string_view DeityFullName(DeityCode code);     // used in texts
bool IsTenEssence(DeityCode code);                  // codes 27..35

int PositionOfBranch(int branch);  // branch number (1 子 … 11 戌, 0 亥) -> position
int PositionOfPalace(int palace);  // palace number 1..9 -> position (5 -> centre)
// Palace number of a palace position (乾 1 … 巽 9, centre 5); 0 for a 间辰.
int PalaceNumberAt(int position);
// Branch number of a branch position, or -1 for 乾 坤 巽 艮 and the centre.
int BranchAt(int position);
// The branch that combines (合) with branch b.
int CombiningBranch(int branch);

// Non-negative remainder.
constexpr int64_t Mod(int64_t a, int64_t m) { return ((a % m) + m) % m; }

struct Counts {
  int16_t host = 0;   // 主算
  int16_t guest = 0;  // 客算
  int16_t fixed = 0;  // 定算
  friend bool operator==(const Counts&, const Counts&) = default;
};

struct PlacementInput {
  int governingPillar = 0;  // sexagenary number of the pillar that rules the chart
  int period = 0;           // P, 0..359
  int64_t accumulated = 0;  // A
  bool yang = true;         // 阳遁
  bool byAccumulation = false;  // 五福 and 大游 from A (year charts and year flows)
  bool yearLimits = false;      // place 年阳九 and 年百六 (year charts)
  bool tenEssence = true;       // place the ten-essence deities (not for flows)
};

// Appends the deities of one chart (or one flow) to the lists, in placement order, and
// returns the three counts.
Counts PlaceDeities(const PlacementInput& in, PositionTable& table);

// The natal entries of a list: those before the flow marker.
PositionList NatalEntries(const PositionList& list);
// The flow entries of a list: those after the flow marker (empty without a marker).
PositionList FlowEntries(const PositionList& list);

}  // namespace taiyi
