#include "calendar/date_service.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "calendar/astro_series.h"
#include "calendar/ganzhi_names.h"

namespace taiyi {

namespace {

constexpr double kJ2000 = 2451545.0;
// Days by which a moment must be away from a fast solar-term instant for the comparison
// with it to be certain (the fast instants are within 23 minutes of the exact ones).
constexpr double kFastTermMargin = 1.0;
// Term instants one service remembers: all the terms of some two thousand years.
constexpr size_t kMaxTermInstants = 1 << 16;
// Lunar years one service remembers.
constexpr size_t kMaxLunarYears = 1024;

// n mod m in 0 … m − 1 for any sign of n.
int PositiveMod(int n, int m) {
  const int r = n % m;
  return r < 0 ? r + m : r;
}

YiDate ToYiDate(const CalendarDateTime& c) {
  return YiDate{static_cast<int16_t>(c.year), static_cast<int16_t>(c.month),
                static_cast<int16_t>(c.day), static_cast<int16_t>(c.hour),
                static_cast<int16_t>(c.minute)};
}

// Julian day number of the civil day of a date, relative to J2000.
int32_t DayNumberOf(const YiDate& date) {
  return JulianDayNumber(date.year, date.month, date.day) - static_cast<int32_t>(kJ2000);
}

// The branch number of the solar month that the section term at angle n (degrees from the
// spring of the year, any multiple of 30 plus 15) opens: 小寒 opens 丑 (2), 立春 寅 (3).
int BranchOfSectionAngle(int n) {
  while (n < 0) n += 360;
  return ((n >= 285 ? n - 285 : n + 75) / 30 + 2) % 12;
}

}  // namespace

MYiDateEx::MYiDateEx() = default;

double MYiDateEx::ToJulianDay(const YiDate& date) const {
  return JulianDayOfRecord(
      CalendarDateTime{date.year, date.month, date.day, date.hour, date.minute, 1});
}

void MYiDateEx::FromJulianDay(double jd, YiDate& out) const {
  out = JulianDayToMinute(jd);
}

bool MYiDateEx::IsValidSolarDate(const YiDate& date) const {
  return taiyi::IsValidSolarDate(date.year, date.month, date.day);
}

void MYiDateEx::NextDay(YiDate& date) const {
  taiyi::NextDay(date);
}

int MYiDateEx::Weekday(const YiDate& date) const {
  return taiyi::Weekday(date.year, date.month, date.day);
}

void MYiDateEx::LoadLunarYear(int32_t d) {
  // The table in place already holds the day (consecutive days, the lunar-to-civil walk).
  if (d >= termDays[0] && d < termDays[24]) return;
  if (const auto found = lunarYears_.upper_bound(d);
      found != lunarYears_.end() && d >= found->second.termDays[0]) {
    const LunarYearTable& t = found->second;
    leapIndex = t.leapIndex;
    std::copy(std::begin(t.monthNo), std::end(t.monthNo), monthNo);
    std::copy(std::begin(t.termDays), std::end(t.termDays), termDays);
    std::copy(std::begin(t.moonDays), std::end(t.moonDays), moonDays);
    std::copy(std::begin(t.monthLen), std::end(t.monthLen), monthLen);
    return;
  }
  BuildLunarYear(d);
  if (lunarYears_.size() >= kMaxLunarYears) lunarYears_.clear();
  lunarYears_[termDays[24]] = YearTable();
}

bool MYiDateEx::SolarToLunar(const YiDate& solar, YiDate& lunar) {
  const int32_t d0 = DayNumberOf(solar);
  lastDay_ = d0;
  LoadLunarYear(d0);

  int k = ifloor((d0 - moonDays[0]) / 30.0);  // 0 … 13
  if (k < 13 && d0 >= moonDays[k + 1]) k += 1;
  const bool leap = leapIndex != 0 && k == leapIndex;

  // The lunar year is counted from the first month 1 (正月) that has begun.
  int32_t start = moonDays[2];
  for (int i = 0; i <= 13; ++i) {
    if (monthNo[i] != 1) continue;
    if (i != 0 && i == leapIndex) continue;
    start = moonDays[i];
    if (d0 < start) {
      start -= 365;
      break;
    }
  }
  lunar.year = static_cast<int16_t>(ifloor((start + 5810) / 365.2422 + 0.5) + 1984);
  lunar.month = static_cast<int16_t>(monthNo[k]);
  lunar.day = static_cast<int16_t>(d0 - moonDays[k] + 1);
  lunar.hour = solar.hour;
  lunar.minute = solar.minute;
  return leap;
}

bool MYiDateEx::LunarToSolar(const YiDate& lunar, YiDate& solar, bool isLeapMonth,
                             std::string* message) {
  // Start at the civil day with the same numbers; February has no day above 28 to start.
  const int startDay = (lunar.month == 2 && lunar.day > 28) ? 28 : lunar.day;
  double x = JulianDayOfRecord(CalendarDateTime{lunar.year, lunar.month, startDay, 12, 0, 1});

  YiDate probe;
  YiDate found;
  bool leap = SolarToLunar(ToYiDate(DateOfJulianDay(x)), probe);
  auto key = [](const YiDate& date) {
    return std::lround(std::floor(date.month * 29.5) + date.year * 354.0 + date.day);
  };
  const double step =
      key(lunar) + (isLeapMonth ? 30 : 0) < key(probe) + (leap ? 30 : 0) ? -1.0 : 1.0;

  for (int i = 0; i < 181; ++i) {
    leap = SolarToLunar(ToYiDate(DateOfJulianDay(x)), probe);
    if (probe.year == lunar.year && probe.month == lunar.month && probe.day == lunar.day &&
        leap == isLeapMonth) {
      FromJulianDay(x, found);
      found.hour = lunar.hour;
      found.minute = lunar.minute;
      solar = found;
      return true;
    }
    x += step;
  }
  if (message) *message = kNoSuchLunarDateMessage;
  return false;
}

MYiDateEx::TermInstant& MYiDateEx::TermInstantOf(int year, int angle) {
  const int64_t key = static_cast<int64_t>(year) * (int64_t{1} << 32) + angle;
  if (const auto found = termInstants_.find(key); found != termInstants_.end()) {
    return found->second;
  }
  const double w = 2 * kCalendarPi * ((year - 2000) + angle / 360.0 + 1);
  const double t = SunLongitudeTime(w) * 36525;
  if (termInstants_.size() >= kMaxTermInstants) termInstants_.clear();
  TermInstant& made = termInstants_[key];
  made.jd = t + kJ2000 + 8.0 / 24 - DeltaTDays(t);
  return made;
}

double MYiDateEx::TermJulianDay(int year, int angle) {
  return TermInstantOf(year, angle).jd;
}

YiDate MYiDateEx::TermDate(int16_t year, int16_t month, bool jie) {
  const int angle = (2 * month + (jie ? 0 : 1) - 2) * 15 - 75;
  TermInstant& term = TermInstantOf(year, angle);
  if (!term.minuteMade) {
    FromJulianDay(term.jd, term.minute);
    term.minuteMade = true;
  }
  return term.minute;
}

int MYiDateEx::SectionTermAngle(const YiDate& solar, double& opens, double& next) {
  const double x = ToJulianDay(solar);
  int n = 30 * solar.month - 105;
  for (;;) {
    opens = TermJulianDay(solar.year, n);
    next = TermJulianDay(solar.year, n + 30);
    if (x < opens) {
      n -= 30;
    } else if (x >= next) {
      n += 30;
    } else {
      return n;
    }
  }
}

int MYiDateEx::MonthTerms(const YiDate& solar, YiDate terms[3]) {
  double a = 0;
  double b = 0;
  const int n = SectionTermAngle(solar, a, b);
  FromJulianDay(a, terms[0]);
  FromJulianDay(TermJulianDay(solar.year, n + 15), terms[1]);
  FromJulianDay(b, terms[2]);
  return BranchOfSectionAngle(n);
}

int MYiDateEx::MonthTermsBranch(const YiDate& solar) {
  double a = 0;
  double b = 0;
  return BranchOfSectionAngle(SectionTermAngle(solar, a, b));
}

int MYiDateEx::YearTerms(int year, TermEntry list[]) {
  YiDate r;
  int b = -60;
  do {
    b -= 15;
    FromJulianDay(TermJulianDay(year, b), r);
  } while (r.year == year && r.year >= -4713);

  int i = 0;
  for (;;) {
    const int e = b + 15;
    FromJulianDay(TermJulianDay(year, e), r);
    if (r.year != year || r.year > 9999) break;
    const int m = PositiveMod(e, 360);
    list[i].date = r;
    list[i].index = static_cast<int16_t>(((m >= 285 ? m - 285 : m + 75) / 15) % 24);
    ++i;
    b = e;
  }
  list[i] = TermEntry{};
  list[i].date.year = kTermListEnd;
  return i;
}

int MYiDateEx::DayGanZhi(const YiDate& date) const {
  return PositiveMod(JulianDayNumber(date.year, date.month, date.day) + 50, 60);
}

int MYiDateEx::DayCycle360(const YiDate& date) const {
  return PositiveMod(JulianDayNumber(date.year, date.month, date.day) + 49, 360);
}

int MYiDateEx::DayCycle64(const YiDate& date) const {
  return PositiveMod(JulianDayNumber(date.year, date.month, date.day) + 12, 64);
}

int MYiDateEx::GanZhiIndex(int stem, int branch) const {
  return taiyi::GanZhiIndex(stem, branch);
}

std::string MYiDateEx::ChineseNumber(int n) const {
  return taiyi::ChineseNumber(n);
}

double MYiDateEx::EquationOfTime(const YiDate& date) const {
  const double jd =
      JulianDay(date.year, date.month, date.day + (date.hour + date.minute / 60.0) / 24) - 8.0 / 24;
  const double x = jd - kJ2000;
  return EquationOfTimeDays((x + DeltaTDays(x)) / 36525) * 86400;
}

int MYiDateEx::CorrectTime(float longitude, YiDate& date, int mode) const {
  const double a = ToJulianDay(date);
  const int e = mode == 1 ? static_cast<int>(EquationOfTime(date)) : 0;
  // Seconds by which local mean time is behind UTC+8 (standard meridian 120° E).
  const double s = std::floor((120.0 - static_cast<double>(longitude)) * 4 * 60);
  FromJulianDay(a + (e - s) / 86400, date);
  return e;
}

double MYiDateEx::TermJulianDayFast(int year, int angle) const {
  const double w = 2 * kCalendarPi * ((year - 2000) + angle / 360.0 + 1);
  const double t = SunLongitudeTimeFast(w) * 36525;
  return t + kJ2000 + 8.0 / 24 - DeltaTDays(t);
}

int MYiDateEx::MonthBranch(const YiDate& solar) {
  // The same walk as MonthTerms. Each comparison is first made against the fast instant,
  // which lies within half an hour of the exact one over the whole valid range; only a
  // moment within a day of a term needs the exact instant.
  const double x = ToJulianDay(solar);
  int n = 30 * solar.month - 105;
  for (;;) {
    const double a = TermJulianDayFast(solar.year, n);
    const double b = TermJulianDayFast(solar.year, n + 30);
    bool before = x < a - kFastTermMargin;
    bool after = x >= b + kFastTermMargin;
    const bool inside = x >= a + kFastTermMargin && x < b - kFastTermMargin;
    if (!before && !after && !inside) {
      before = x < TermJulianDay(solar.year, n);
      after = !before && x >= TermJulianDay(solar.year, n + 30);
    }
    if (before) {
      n -= 30;
    } else if (after) {
      n += 30;
    } else {
      break;
    }
  }
  return BranchOfSectionAngle(n);
}

FourPillarsResult MYiDateEx::FourPillars(const YiDate& yearMonth, const YiDate& dayHour,
                                         bool splitZiHour) {
  FourPillarsResult r;
  // Year: the pillar year begins at the minute of 立春.
  const double x = ToJulianDay(yearMonth);
  const double springFast = TermJulianDayFast(yearMonth.year, -45);  // 立春
  bool beforeSpring = x < springFast;
  if (std::fabs(x - springFast) < kFastTermMargin) {
    beforeSpring = x < ToJulianDay(TermDate(yearMonth.year, 2, true));
  }
  r.pillarYear = beforeSpring ? yearMonth.year - 1 : yearMonth.year;
  r.year = PositiveMod(r.pillarYear + 6897, 60);

  // Month: 甲 and 己 years begin with 丙寅.
  const int c = MonthBranch(yearMonth);
  const int f = c > 2 ? c - 3 : c + 9;  // 0 = 寅 month … 11 = 丑 month
  int s = r.year % 10;
  if (s == 0) s = 10;
  r.month = GanZhiIndex((((s < 6 ? s : s - 5) * 2 + 1) % 10 + f) % 10, (f + 3) % 12);

  // Day: 23:00 already belongs to the next day unless the 子 hour is split.
  r.day = DayGanZhi(dayHour);
  if (dayHour.hour == 23 && !splitZiHour) r.day = (r.day + 1) % 60;

  // Hour: a 甲 or 己 day begins with 甲子.
  const int h = dayHour.hour;
  const int t = (h % 2 == 1) ? (h + 1) % 24 : h;
  int u = r.day % 10;
  if (u == 0) u = 5;
  r.hour = GanZhiIndex((t / 2 + 2 * u - 1) % 10, (t / 2 + 1) % 12);
  if (splitZiHour && dayHour.hour == 23) r.hour = (r.hour + 12) % 60;
  return r;
}

}  // namespace taiyi
