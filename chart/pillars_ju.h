// Pillars, Taiyi year, accumulated years, the chart's place in the 360-period cycle with its
// 遁, 纪, 元 and ju, the gate of year and hour charts, and the five designations of the ju.
#pragma once

#include <array>
#include <cstdint>

#include "chart/chart_request.h"
#include "chart/hexagrams.h"

namespace taiyi {

class MYiDateEx;

struct ChartPillars {
  Pillars pillars;    // sexagenary numbers
  int taiyiYear = 0;  // civil year of the clock moment, minus 1 before its 立春
};

// The four pillars: year and month from the clock moment, day and hour from the corrected
// moment, with the 23-hour rule of zishi.
ChartPillars ComputePillars(MYiDateEx& dates, const YiDate& clock, const YiDate& corrected,
                            bool zishi);

// The parts of ComputePillars, for callers that need only some pillars of many moments.
// The year pillar of the clock moment; taiyiYear receives the year it names.
int YearPillarOf(MYiDateEx& dates, const YiDate& clock, int& taiyiYear);
// The month pillar of the clock moment in a year of the given year pillar.
int MonthPillarOf(MYiDateEx& dates, const YiDate& clock, int yearPillar);
// The day and hour pillars of the corrected moment into p.day and p.hour.
void DayHourPillars(const MYiDateEx& dates, const YiDate& corrected, bool zishi, Pillars& p);

// The period rule a chart or flow follows: 1 year, 2 month, 3 day, 4 hour.
enum class CycleRule { kYear = 1, kMonth = 2, kDay = 3, kHour = 4 };
CycleRule CycleRuleOf(ChartKind kind, int iMingJu);

struct JuFacts {
  int64_t accumulated = 0;  // A
  int taiyiNumber = 0;      // A mod 72
  int period = 0;           // P
  bool yang = true;
  int ji = 0;
  int yuan = 0;
  int ju = 1;
  int gate = 0;
  bool hasGate = false;
  std::array<int, 5> juGanZhi{};
};

inline constexpr int kNoGate = -1;
std::string_view GateName(int gate);  // 开 休 生 伤 杜 景 死 惊
std::string_view YuanName(int yuan);  // 甲子 丙子 戊子 庚子 壬子

// Period position and 遁 by rule; dayCycle360 is the corrected date's DayCycle360 and yang
// the solstice test, both used by the rules that need them.
int PeriodOf(CycleRule rule, int64_t accumulated, const Pillars& p, int dayCycle360);
// Everything of the ju once P and 遁 are known; gateYear is the corrected moment's year.
JuFacts JuOfPeriod(CycleRule rule, ChartKind kind, int64_t accumulated, int period, bool yang,
                   const Pillars& p, int gateYear);

// The full step: A from the Taiyi year, P and 遁 (the hour rule asks the solstices of the
// clock moment's civil year), then the ju.
JuFacts ComputeJu(MYiDateEx& dates, CycleRule rule, ChartKind kind, const ChartPillars& cp,
                  const YiDate& clock, const YiDate& corrected, int iJiNian);

// 阳遁 for the hour rule: before 夏至 or from 冬至 of the clock moment's civil year.
bool HourYang(MYiDateEx& dates, const YiDate& clock);

// The Julian days (at the minute) of 夏至 and 冬至 of a civil year that the hour rule
// compares the clock moment's Julian day with: 阳 before summer or from winter on.
struct SolsticeDays {
  double summer = 0;
  double winter = 0;
  bool Yang(double clockJulianDay) const {
    return clockJulianDay < summer || clockJulianDay >= winter;
  }
};
SolsticeDays SolsticesOf(MYiDateEx& dates, int year);

// A of the clock moment's civil year and the year pillar (the same Taiyi year).
int64_t AccumulatedYears(int clockYear, int yearPillar, int iJiNian);

}  // namespace taiyi
