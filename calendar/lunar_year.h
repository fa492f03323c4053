// The lunar year around a civil day: the 25 solar terms from one winter solstice to the next,
// the 15 new moons bounding the 14 months that overlap them, month numbers and the leap month.
// Mean-calendar fits, low-precision formulas with corrections and the ephemeris by era.
#pragma once

#include <cstdint>
#include <string>

namespace taiyi {

// The kind of event NearestEventDay looks for.
enum class LunarEvent {
  kTerm,     // 气, a solar term (a multiple of 15° of apparent solar longitude)
  kNewMoon,  // 朔, a new moon
};

// A copy of the year table of LunarYearBuilder. Day numbers count civil days (UTC+8) from
// J2000: d = JDN − 2451545.
struct LunarYearTable {
  int32_t leapIndex = 0;  // 1 … 13: index of the leap month; 0: the year has none
  int32_t monthNo[14] =
      {};  // month numbers, 1 = 正月 … 12 = 十二月 (13 or 10: ancient extra month)
  int32_t termDays[25] = {};  // [0] 冬至 on or before the day asked for, [1] 小寒 … [24] next 冬至
  int32_t moonDays[15] = {};  // new moons; month i runs from moonDays[i] to moonDays[i+1] − 1
  int32_t monthLen[14] = {};  // moonDays[i+1] − moonDays[i]

  friend bool operator==(const LunarYearTable&, const LunarYearTable&) = default;
};

class LunarYearBuilder {
 public:
  // Expands the two correction strings; the year table starts empty (all zero).
  LunarYearBuilder();

  // Day number of the event chosen for `day` (a day number that may carry a fraction): the
  // last event whose mean time is not after day + 7 (terms) or day + 14 (new moons). Mean
  // calendars before 1645-09-14 (terms) and 619-01-07 (new moons), back to their first fit;
  // low-precision formulas with one-day corrections from there to 1960-01-01; the ephemeris
  // before and after.
  int32_t NearestEventDay(double day, LunarEvent kind) const;

  // Fills the year table for the span from the winter solstice on or before `day` (a day
  // number) to the next one. Valid for days from the start of year −4712 to the end of 9999.
  void BuildLunarYear(int32_t day);

  // The year table of the last BuildLunarYear.
  LunarYearTable YearTable() const;

  // Instants as day numbers from J2000 with fraction, UTC+8. W is the unwrapped angle in
  // radians: k·2·PI is the k-th new moon after 2000-01-06, k·PI/12 the k-th solar term after
  // the March equinox of 1999. The low forms are fast formulas (new moons within about two
  // hours from 600 to 2000); the high forms use the ephemeris, refined near midnight.
  static double NewMoonLow(double W);
  static double TermLow(double W);
  static double NewMoonHigh(double W);
  static double TermHigh(double W);

 protected:
  std::string NewMoonCorrections;  // 16598 characters "0", "1" or "2"
  std::string TermCorrections;     // 7567 characters

  // The year table, overwritten by every BuildLunarYear (see LunarYearTable).
  int32_t leapIndex = 0;
  int32_t monthNo[14] = {};
  int32_t termDays[25] = {};
  int32_t moonDays[15] = {};
  int32_t monthLen[14] = {};

 private:
  // Month numbers of a year YY between −721 and −104, when each calendar counted its months
  // from its own new year and put the intercalary month at the end.
  void NumberAncientMonths(int32_t YY);
};

}  // namespace taiyi
