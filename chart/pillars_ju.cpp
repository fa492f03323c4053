#include "chart/pillars_ju.h"

#include "calendar/date_service.h"
#include "calendar/ganzhi_names.h"
#include "chart/deity_positions.h"

namespace taiyi {

namespace {
int Yn(int ganZhi) {
  const int n = static_cast<int>(Mod(ganZhi, 60));
  return n == 0 ? 60 : n;
}
}  // namespace

ChartPillars ComputePillars(MYiDateEx& dates, const YiDate& clock, const YiDate& corrected,
                            bool zishi) {
  ChartPillars out;
  Pillars& p = out.pillars;
  p.year = YearPillarOf(dates, clock, out.taiyiYear);
  p.month = MonthPillarOf(dates, clock, p.year);
  DayHourPillars(dates, corrected, zishi, p);
  return out;
}

int YearPillarOf(MYiDateEx& dates, const YiDate& clock, int& taiyiYear) {
  int y = clock.year;
  const YiDate spring = dates.TermDate(clock.year, 2, true);
  if (dates.ToJulianDay(clock) < dates.ToJulianDay(spring)) --y;
  taiyiYear = y;
  return static_cast<int>(Mod(y + 6897, 60));
}

int MonthPillarOf(MYiDateEx& dates, const YiDate& clock, int yearPillar) {
  const int b = dates.MonthTermsBranch(clock);
  int e = b - 3;
  if (e < 0) e += 12;
  int s = yearPillar % 10;
  if (s == 0) s = 10;
  if (s > 5) s -= 5;
  return dates.GanZhiIndex((e + (2 * s + 1) % 10) % 10, (e + 3) % 12);
}

void DayHourPillars(const MYiDateEx& dates, const YiDate& corrected, bool zishi, Pillars& p) {
  p.day = dates.DayGanZhi(corrected);
  if (corrected.hour == 23 && !zishi) p.day = (p.day + 1) % 60;

  int h = corrected.hour;
  if (h % 2 == 1) h = (h + 1) % 24;
  const int k = h / 2;
  int ds = p.day % 10;
  if (ds == 0) ds = 5;
  p.hour = dates.GanZhiIndex((2 * ds + k - 1) % 10, (k + 1) % 12);
  if (zishi && corrected.hour == 23) p.hour = (p.hour + 12) % 60;
}

CycleRule CycleRuleOf(ChartKind kind, int iMingJu) {
  switch (kind) {
    case ChartKind::kYear: return CycleRule::kYear;
    case ChartKind::kMonth: return CycleRule::kMonth;
    case ChartKind::kDay: return CycleRule::kDay;
    case ChartKind::kHour: return CycleRule::kHour;
    default: return iMingJu == 1 ? CycleRule::kHour : CycleRule::kDay;
  }
}

std::string_view GateName(int gate) {
  static constexpr std::string_view kNames[8] = {"开", "休", "生", "伤", "杜", "景", "死", "惊"};
  return gate >= 0 && gate < 8 ? kNames[gate] : std::string_view{};
}

std::string_view YuanName(int yuan) {
  static constexpr std::string_view kNames[5] = {"甲子", "丙子", "戊子", "庚子", "壬子"};
  return yuan >= 0 && yuan < 5 ? kNames[yuan] : std::string_view{};
}

int PeriodOf(CycleRule rule, int64_t accumulated, const Pillars& p, int dayCycle360) {
  switch (rule) {
    case CycleRule::kYear: return static_cast<int>(Mod(accumulated, 360));
    case CycleRule::kMonth: {
      const int m = static_cast<int>(Mod(p.month % 12 + 9, 12));
      return static_cast<int>(Mod(12 * Yn(p.year) + m - 10, 360));
    }
    case CycleRule::kDay: return static_cast<int>(Mod(dayCycle360, 360));
    case CycleRule::kHour: {
      const int h = static_cast<int>(Mod(p.hour % 12 + 11, 12));
      return static_cast<int>(Mod(12 * Yn(p.day) + h - 12, 360));
    }
  }
  return 0;
}

JuFacts JuOfPeriod(CycleRule rule, ChartKind kind, int64_t accumulated, int period, bool yang,
                   const Pillars& p, int gateYear) {
  JuFacts j;
  j.accumulated = accumulated;
  j.taiyiNumber = static_cast<int>(Mod(accumulated, 72));
  j.period = period;
  j.yang = yang;
  j.ji = period / 60;
  j.yuan = period / 72;
  j.ju = period % 72 + 1;
  if (kind == ChartKind::kYear) {
    j.gate = static_cast<int>(Mod((static_cast<int64_t>(gateYear) + 5276) / 30, 8));
    j.hasGate = true;
  } else if (rule == CycleRule::kHour) {
    const int i = static_cast<int>(Mod(p.day % 10 + 9, 10)) * 12 +
                  static_cast<int>(Mod(p.hour % 12 + 11, 12));
    static constexpr int kYang[4] = {0, 2, 7, 1}, kYin[4] = {4, 6, 3, 5};
    j.gate = (yang ? kYang : kYin)[i / 30];
    j.hasGate = true;
  }
  for (int k = 0; k < 5; ++k)
    j.juGanZhi[k] = GanZhiIndex((j.ju % 10 + 2 * k) % 10, j.ju % 12);
  return j;
}

SolsticeDays SolsticesOf(MYiDateEx& dates, int year) {
  const auto y = static_cast<int16_t>(year);
  return {dates.ToJulianDay(dates.TermDate(y, 6, false)),
          dates.ToJulianDay(dates.TermDate(y, 12, false))};
}

bool HourYang(MYiDateEx& dates, const YiDate& clock) {
  return SolsticesOf(dates, clock.year).Yang(dates.ToJulianDay(clock));
}

int64_t AccumulatedYears(int clockYear, int yearPillar, int iJiNian) {
  int y = clockYear;
  if (Mod(y + 6897, 60) != yearPillar) --y;
  return static_cast<int64_t>(y) + iJiNian - 1;
}

JuFacts ComputeJu(MYiDateEx& dates, CycleRule rule, ChartKind kind, const ChartPillars& cp,
                  const YiDate& clock, const YiDate& corrected, int iJiNian) {
  const int64_t a = AccumulatedYears(clock.year, cp.pillars.year, iJiNian);
  const bool yang = rule == CycleRule::kHour ? HourYang(dates, clock) : true;
  const int period = PeriodOf(rule, a, cp.pillars,
                              rule == CycleRule::kDay ? dates.DayCycle360(corrected) : 0);
  return JuOfPeriod(rule, kind, a, period, yang, cp.pillars, corrected.year);
}

}  // namespace taiyi
