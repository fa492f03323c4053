#include "calendar/calendar_date.h"

namespace taiyi {

namespace {

// 372·y + 31·m + d grows monotonically with the date; 588829 is 1582-10-15.
constexpr int32_t kGregorianStartKey = 372 * 1582 + 31 * 10 + 15;
// Julian day number of 1582-10-15, the first Gregorian day.
constexpr int32_t kGregorianStartJdn = 2299161;

}  // namespace

double JulianDay(int year, int month, double dayWithFraction) {
  const bool gregorian = 372 * year + 31 * month + ifloor(dayWithFraction) >= kGregorianStartKey;
  int y = year;
  int m = month;
  if (m <= 2) {
    y -= 1;
    m += 12;
  }
  int n = 0;
  if (gregorian) {
    const int c = ifloor(y / 100.0);
    n = 2 - c + ifloor(c / 4.0);
  }
  return ifloor(365.25 * (y + 4716)) + ifloor(30.6001 * (m + 1)) + dayWithFraction + n - 1524.5;
}

double JulianDayOfRecord(const CalendarDateTime& date) {
  const double dayFraction = ((date.second / 60.0 + date.minute) / 60.0 + date.hour) / 24.0;
  return JulianDay(date.year, date.month, date.day + dayFraction);
}

CalendarDateTime DateOfJulianDay(double jd) {
  int32_t d = ifloor(jd + 0.5);
  double f = jd + 0.5 - d;  // 0 … <1, the time of day
  if (d >= kGregorianStartJdn) {
    const int32_t c = ifloor((d - 1867216.25) / 36524.25);
    d += 1 + c - ifloor(c / 4.0);
  }
  d += 1524;
  const int32_t y = ifloor((d - 122.1) / 365.25);
  d -= ifloor(365.25 * y);  // day of the March-based year, 123 … 489
  const int32_t m = ifloor(d / 30.601);
  CalendarDateTime r;
  r.day = d - ifloor(30.601 * m);
  if (m > 13) {
    r.month = m - 13;
    r.year = y - 4715;
  } else {
    r.month = m - 1;
    r.year = y - 4716;
  }
  f *= 24;
  r.hour = ifloor(f);
  f = (f - r.hour) * 60;
  r.minute = ifloor(f);
  r.second = static_cast<int32_t>((f - r.minute) * 60);
  return r;
}

YiDate JulianDayToMinute(double jd) {
  CalendarDateTime r = DateOfJulianDay(jd);
  if (r.second > 30) {
    // Move to 5 seconds past the next whole minute, well clear of the boundary.
    r = DateOfJulianDay(jd - r.second / 86400.0 + 1.0 / 1440 + 5.0 / 86400);
  }
  return YiDate{static_cast<int16_t>(r.year), static_cast<int16_t>(r.month),
                static_cast<int16_t>(r.day), static_cast<int16_t>(r.hour),
                static_cast<int16_t>(r.minute)};
}

int32_t JulianDayNumber(int year, int month, int day) {
  return ifloor(JulianDayOfRecord(CalendarDateTime{year, month, day, 12, 0, 1}));
}

int Weekday(int year, int month, int day) {
  const int r = (JulianDayNumber(year, month, day) + 1) % 7;
  return r < 0 ? r + 7 : r;
}

int MonthLength(int year, int month) {
  const int nextYear = month == 12 ? year + 1 : year;
  const int nextMonth = month == 12 ? 1 : month + 1;
  return JulianDayNumber(nextYear, nextMonth, 1) - JulianDayNumber(year, month, 1);
}

bool IsValidSolarDate(int year, int month, int day) {
  if (month < 1 || month > 12 || day < 1) return false;
  if (year == 1582 && month == 10) {
    if (day >= 5 && day <= 14) return false;
    if (day > 14) day -= 10;
  }
  return MonthLength(year, month) >= day;
}

void NextDay(YiDate& date) {
  const double jd = JulianDayOfRecord(
      CalendarDateTime{date.year, date.month, date.day, date.hour, date.minute, 1});
  date = JulianDayToMinute(jd + 1);
}

}  // namespace taiyi
