// The date service: civil and lunar conversions, solar-term moments, day cycles, local
// time corrections and the four sexagenary pillars. Every holder owns its own instance;
// an instance is not shared between threads.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>

#include "calendar/calendar_date.h"
#include "calendar/lunar_year.h"
#include "calendar/yi_date.h"

namespace taiyi {

// One solar term of a list: its moment (UTC+8, to the minute) and its index 0 = 小寒 …
// 23 = 冬至. A list ends with an entry whose year is kTermListEnd.
struct TermEntry {
  YiDate date;
  int16_t index = 0;
};
inline constexpr int16_t kTermListEnd = -5000;

// The message of a failed lunar-to-civil conversion.
inline constexpr char kNoSuchLunarDateMessage[] = "不存在这个农历日期，无法转换到公历！";

// The four pillars of a moment as sexagenary numbers (1 = 甲子 … 59 = 壬戌, 0 = 癸亥) and
// the year that the year pillar names (the civil year, or the one before it until 立春).
struct FourPillarsResult {
  int pillarYear = 0;
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
};

class MYiDateEx : public LunarYearBuilder {
 public:
  MYiDateEx();

  // --- Conversions. A YiDate stands for second 1 of its minute. ---
  double ToJulianDay(const YiDate& date) const;
  void FromJulianDay(double jd, YiDate& out) const;

  // Lunar date of a civil date; returns whether the lunar month is a leap month. The
  // year table of the builder describes the lunar year of the date afterwards.
  bool SolarToLunar(const YiDate& solar, YiDate& lunar);

  // Civil date of a lunar date. On failure returns false and sets message (when given)
  // to the service's text.
  bool LunarToSolar(const YiDate& lunar, YiDate& solar, bool isLeapMonth,
                    std::string* message = nullptr);

  bool IsValidSolarDate(const YiDate& date) const;
  void NextDay(YiDate& date) const;
  int Weekday(const YiDate& date) const;  // 0 = Sunday … 6 = Saturday

  // --- Solar terms, moments in UTC+8 rounded to the minute, always from the ephemeris. ---
  // The section term (jie) or middle term of nominal month 1 … 12: (1, jie) = 小寒,
  // (2, jie) = 立春, (12, !jie) = 冬至.
  YiDate TermDate(int16_t year, int16_t month, bool jie);
  // Branch number (1 = 子 … 0 = 亥) of the solar month holding the moment; terms[0] opens
  // it, terms[1] is its middle term, terms[2] opens the next month.
  int MonthTerms(const YiDate& solar, YiDate terms[3]);
  // The branch number of MonthTerms alone, without making the term moments.
  int MonthTermsBranch(const YiDate& solar);
  // The terms whose moments fall in the civil year, in time order, closed by an entry of
  // year kTermListEnd; list needs room for 25 entries. Returns the number of terms.
  int YearTerms(int year, TermEntry list[]);

  // --- Day cycles of the civil day of the date. ---
  int DayGanZhi(const YiDate& date) const;    // 0 … 59, 2000-01-01 = 55 (戊午)
  int DayCycle360(const YiDate& date) const;  // 0 … 359
  int DayCycle64(const YiDate& date) const;   // 0 … 63
  int GanZhiIndex(int stem, int branch) const;
  std::string ChineseNumber(int n) const;

  // --- Time corrections. ---
  // Apparent minus mean solar time in seconds for a UTC+8 moment.
  double EquationOfTime(const YiDate& date) const;
  // Converts a UTC+8 moment in place to true solar time (mode 1) or local mean time (any
  // other mode) at longitude degrees east; returns the equation of time in whole seconds
  // used (0 unless mode 1).
  int CorrectTime(float longitude, YiDate& date, int mode) const;

  // Year and month pillars from yearMonth, day and hour pillars from dayHour. With
  // splitZiHour, 23:00 … 23:59 keeps the current day's pillar (夜子时); without it the
  // day already counts as the next one.
  FourPillarsResult FourPillars(const YiDate& yearMonth, const YiDate& dayHour, bool splitZiHour);

  // Day number (JDN − 2451545) of the last civil day that SolarToLunar converted.
  int lastDayNumber() const { return lastDay_; }

 private:
  // Julian day (UTC+8, unrounded) of the moment the apparent solar longitude reaches
  // angle degrees counted from the 0° point of the given civil year's spring.
  // Remembers every instant it computed (up to a bound).
  double TermJulianDay(int year, int angle);
  // The angle of the section term opening the solar month of the moment (the walk of
  // MonthTerms), with the instants of that term and of the next section term.
  int SectionTermAngle(const YiDate& solar, double& opens, double& next);
  // The same instant from the fast solver, within half an hour of the exact one.
  double TermJulianDayFast(int year, int angle) const;
  // The branch number that MonthTerms returns, without the term moments.
  int MonthBranch(const YiDate& solar);
  // Fills the year table for day number d, from the cache when it holds that year.
  void LoadLunarYear(int32_t d);

  CalendarDateTime scratch_;
  int32_t lastDay_ = 0;

  // Built lunar years by termDays[24]; each is valid for the days termDays[0] …
  // termDays[24] − 1.  A batch of charts of many years comes back to the same years.
  std::map<int32_t, LunarYearTable> lunarYears_;

  // Exact term instants already computed, keyed by year and angle: the pillars, the month
  // terms and a life chart's scan of a hundred flow years ask for the same instants again
  // and again, and each one costs a full ephemeris solve.
  struct TermInstant {
    double jd = 0;
    bool minuteMade = false;
    YiDate minute;  // jd rounded to the minute, once TermDate asked for it
  };
  std::unordered_map<int64_t, TermInstant> termInstants_;
  TermInstant& TermInstantOf(int year, int angle);
};

}  // namespace taiyi
