#include "chart/flow_chart.h"

#include "calendar/date_service.h"
#include "chart/deity_positions.h"
#include "chart/palace_grouping.h"
#include "chart/pillars_ju.h"

namespace taiyi {

namespace {

struct LimitStart {
  int branch, threshold;
};

LimitStart StartOfStem(int stem) {
  switch (static_cast<int>(Mod(stem, 10))) {
    case 1:
    case 6:
      return {7, 5};  // 甲 己: 午
    case 2:
    case 7:
      return {6, 4};  // 乙 庚: 巳
    case 3:
    case 8:
      return {9, 1};  // 丙 辛: 申
    case 4:
    case 9:
      return {0, 3};  // 丁 壬: 亥
    default:
      return {3, 2};  // 癸 戊: 寅
  }
}

int Steps(int age, int c) {
  return age <= c ? 0 : (age - 1 - c) / 10 + 1;
}

// The moments of a flow at moment (a Julian day) and the civil day of its lunar date; the
// message when the moment is no flow of the chart, else empty.
const char* FlowMoments(const ComputedChart& natal, double moment, MYiDateEx& dates,
                        ChartMoments& m, YiDate& day) {
  const double d = moment - natal.moments.clockJulianDay;
  if (d < 0 || d > 54787.5 || !natal.birth) return kFlowRangeMessage;
  dates.FromJulianDay(moment, m.clockMoment);
  if (!dates.IsValidSolarDate(m.clockMoment)) return kNoSuchDate;
  m.clockJulianDay = dates.ToJulianDay(m.clockMoment);
  m.correctedMoment = m.clockMoment;
  const ChartSettings& s = natal.settings;
  if (s.iDate != 0) dates.CorrectTime(natal.request.longitude, m.correctedMoment, s.iDate);
  day = m.correctedMoment;
  if (day.hour == 23) dates.NextDay(day);
  if (day.year < -4712 || day.year > 9999) return kFlowYearOutOfRange;
  return "";
}

}  // namespace

AgeLimits AgeLimitsAt(int age, bool male, int monthPillar, int key) {
  AgeLimits l;
  const int sign = male ? 1 : -1;
  const LimitStart m = StartOfStem(monthPillar % 10);
  l.yangJiu = static_cast<int>(Mod(m.branch + sign * Steps(age, m.threshold), 12));
  const LimitStart x = StartOfStem(key % 10);
  l.baiLiuGreat = static_cast<int>(Mod(x.branch + sign * Steps(age, x.threshold), 12));
  l.baiLiuSmall = age <= x.threshold
                      ? x.branch
                      : static_cast<int>(Mod(x.branch - sign * (age - x.threshold), 12));
  return l;
}

FlowResult MakeFlowChart(const ComputedChart& natal, double moment, int kind, MYiDateEx& dates) {
  FlowResult out;
  FlowChart& f = out.flow;
  f.kind = kind;
  YiDate day;
  out.error = FlowMoments(natal, moment, dates, f.moments, day);
  if (!out.error.empty()) return out;
  f.julianDay = f.moments.clockJulianDay;
  f.moments.lunarLeap = dates.SolarToLunar(day, f.moments.lunarDate);
  const ChartSettings& s = natal.settings;

  f.pillars = ComputePillars(dates, f.moments.clockMoment, f.moments.correctedMoment, s.zishi);
  f.age = f.pillars.taiyiYear - natal.pillars.taiyiYear + 1;
  const CycleRule rule = static_cast<CycleRule>(kind < 1 || kind > 4 ? 1 : kind);
  f.ju = ComputeJu(dates, rule, ChartKind::kLife, f.pillars, f.moments.clockMoment,
                   f.moments.correctedMoment, s.iJiNian);

  f.positions = natal.natal;
  for (PositionList& list : f.positions) list.push_back(kFlowMarker);
  const Pillars& fp = f.pillars.pillars;
  const int governing[5] = {fp.year, fp.year, fp.month, fp.day, fp.hour};
  f.counts = PlaceDeities({.governingPillar = governing[static_cast<int>(rule)],
                           .period = f.ju.period,
                           .accumulated = f.ju.accumulated,
                           .yang = f.ju.yang,
                           .byAccumulation = rule == CycleRule::kYear,
                           .yearLimits = false,
                           .tenEssence = false},
                          f.positions);

  const AgeLimits limits =
      AgeLimitsAt(f.age, natal.request.male, natal.pillars.pillars.month, natal.birth->palaces.key);
  f.yangJiu = limits.yangJiu;
  f.baiLiuGreat = limits.baiLiuGreat;
  f.baiLiuSmall = limits.baiLiuSmall;
  f.positions[PositionOfBranch(f.yangJiu)].push_back(kYearYangJiu);
  f.positions[PositionOfBranch(f.baiLiuGreat)].push_back(kBaiLiuGreat);
  f.positions[PositionOfBranch(f.baiLiuSmall)].push_back(kBaiLiuSmall);

  auto setHexagram = [&f](int slot, int64_t index, int key) {
    FlowHexagram& h = f.hexagrams[slot];
    h.index = static_cast<int>(Mod(index, kHexagramCount));
    h.displayIndex = DisplayIndex(h.index);
    h.movingLine = MovingLine(HexagramLines(h.index), key);
  };
  setHexagram(0, natal.birth->pair.first.index + f.age, f.baiLiuGreat);
  int k = static_cast<int>(Mod(fp.month, 12)) - 2;
  if (k < 1) k += 12;
  setHexagram(1, f.hexagrams[0].index + k + 2, k);
  const int dayN = static_cast<int>(Mod(fp.day, 60));
  setHexagram(2, f.hexagrams[1].index + (dayN == 0 ? 60 : dayN), fp.day);
  const int hb = static_cast<int>(Mod(fp.hour, 12));
  setHexagram(3, f.hexagrams[2].index + (hb == 0 ? 12 : hb), fp.hour);

  f.facts = ComputeDeityFacts(f.positions, FactEntries::kFlow, static_cast<int>(Mod(fp.year, 12)),
                              natal.lifePalaces);
  out.ok = true;
  return out;
}

bool FlowYearPalacesAt(const ComputedChart& natal, double moment, MYiDateEx& dates,
                       FlowYearPalaces& out) {
  ChartMoments m;
  YiDate day;
  if (*FlowMoments(natal, moment, dates, m, day) != '\0') return false;
  // As MakeFlowChart places them: 太岁 on the branch of the year pillar (a 流年 is governed
  // by its year), the limits on their branches; each is the only entry of its code.
  int taiyiYear = 0;
  const int yearPillar = YearPillarOf(dates, m.clockMoment, taiyiYear);
  const AgeLimits limits = AgeLimitsAt(taiyiYear - natal.pillars.taiyiYear + 1, natal.request.male,
                                       natal.pillars.pillars.month, natal.birth->palaces.key);
  const auto palaceOfBranch = [](int branch) { return GroupPalace(PositionOfBranch(branch)); };
  out.taiSui = palaceOfBranch(static_cast<int>(Mod(yearPillar, 12)));
  out.yangJiu = palaceOfBranch(limits.yangJiu);
  out.baiLiuGreat = palaceOfBranch(limits.baiLiuGreat);
  out.baiLiuSmall = palaceOfBranch(limits.baiLiuSmall);
  return true;
}

}  // namespace taiyi
