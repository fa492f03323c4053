#include "calendar/pillar_search.h"

#include <cmath>
#include <cstdio>

#include "calendar/ganzhi_names.h"
#include "calendar/typed_years.h"

namespace taiyi {
namespace {

int Mod(int a, int n) {
  return ((a % n) + n) % n;
}

// A stem number as the rule of the five tigers and five rats counts it: 1 … 5 for
// 甲乙丙丁戊 and again for 己庚辛壬癸 (癸 = 0 counts as 10).
int StemFold(int stem) {
  const int s = Mod(stem, 10) == 0 ? 10 : Mod(stem, 10);
  return s < 6 ? s : s - 5;
}

// Julian day of a civil day at 12:30, the moment the day count of the search is read at.
double NoonAndAHalf(const MYiDateEx& service, const YiDate& day) {
  return service.ToJulianDay(YiDate{day.year, day.month, day.day, 12, 30});
}

}  // namespace

std::string NoSuchPillarMessage(PillarSlot slot) {
  static constexpr const char* kNames[] = {"年", "月", "日", "时"};
  return std::string("不存在这个") + kNames[static_cast<int>(slot)] + "柱！";
}

int MonthStemOf(int yearStem, int monthBranch) {
  // 寅 (branch 3) opens the year: 甲己 years start at 丙寅, 乙庚 at 戊寅 … 戊癸 at 甲寅.
  const int position = Mod(monthBranch - 1, 12);  // 子 = 0 … 亥 = 11
  return Mod((StemFold(yearStem) * 2 + 1) % 10 + (position + 10) % 12, 10);
}

int HourStemOf(int dayStem, int hourBranch) {
  // 甲己 days start at 甲子, 乙庚 at 丙子 … 戊癸 at 壬子.
  const int position = Mod(hourBranch - 1, 12);
  return Mod((StemFold(dayStem) * 2 - 1) % 10 + position, 10);
}

PillarBuild BuildTargetPillars(const PillarChoice& c) {
  PillarBuild out;
  const int stems[4] = {c.yearStem, MonthStemOf(c.yearStem, c.monthBranch), c.dayStem,
                        HourStemOf(c.dayStem, c.hourBranch)};
  const int branches[4] = {c.yearBranch, c.monthBranch, c.dayBranch, c.hourBranch};
  int pillars[4];
  for (int i = 0; i < 4; ++i) {
    if (Mod(stems[i], 2) != Mod(branches[i], 2)) {
      out.failed = static_cast<PillarSlot>(i);
      return out;
    }
    pillars[i] = GanZhiIndex(stems[i], branches[i]);
  }
  out.pillars = TargetPillars{pillars[0], pillars[1], pillars[2], pillars[3]};
  return out;
}

bool IsValidStartYear(int typedYear) {
  return typedYear != 0 && typedYear >= -4713 && typedYear <= 9999;
}

std::optional<YiDate> FindPillarMoment(MYiDateEx& service, int startYear,
                                       const TargetPillars& target) {
  // The year pillar of year y is (y + 6897) mod 60; y ≥ −4712 keeps the sum positive.
  int y = startYear;
  while (Mod(y + 6897, 60) != Mod(target.year, 60)) ++y;

  const int monthBranch = Mod(target.month, 12);
  // Civil month of the section term that opens the month: 寅 → 2 … 亥 → 11, 子 → 12,
  // 丑 → 1 of the following civil year.
  const int civilMonth = monthBranch - 1 + (monthBranch < 2 ? 12 : 0);
  const int hourIndex = Mod(Mod(target.hour, 12) - 1, 12);  // 子 = 0 … 亥 = 11

  for (; y < 9999; y += 60) {
    const int termYear = monthBranch == 2 ? y + 1 : y;
    const YiDate start =
        service.TermDate(static_cast<int16_t>(termYear), static_cast<int16_t>(civilMonth), true);
    const YiDate end = civilMonth == 12
                           ? service.TermDate(static_cast<int16_t>(termYear + 1), 1, true)
                           : service.TermDate(static_cast<int16_t>(termYear),
                                              static_cast<int16_t>(civilMonth + 1), true);
    const double jStart = service.ToJulianDay(start);
    const double jEnd = service.ToJulianDay(end);
    const double j0 = NoonAndAHalf(service, start);
    // Days from the first to the last civil day the month touches.
    const int days = static_cast<int>(std::floor(NoonAndAHalf(service, end) - j0));
    const int k = Mod(target.day - service.DayGanZhi(start), 60);
    if (k > days) continue;
    const double g = j0 - 12.5 / 24 + k + 2.0 * hourIndex / 24;
    if (g >= jStart && g < jEnd) {
      YiDate found;
      service.FromJulianDay(g, found);
      found.minute = 0;
      return found;
    }
  }
  return std::nullopt;
}

std::string PillarMomentText(const YiDate& m) {
  char text[64];
  std::snprintf(text, sizeof text, "%d年 %d月 %d日 %d时 %d分", TypedYearOf(m.year), m.month, m.day,
                m.hour, m.minute);
  return text;
}

}  // namespace taiyi
