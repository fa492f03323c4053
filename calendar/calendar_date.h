// Civil dates and Julian days: the proleptic Julian calendar before 1582-10-15 and the
// Gregorian calendar from that day, astronomical year numbering (0 = 1 BC). Every other
// calendar unit converts through these functions and does no date arithmetic of its own.
#pragma once

#include <cmath>
#include <cstdint>

#include "calendar/yi_date.h"

namespace taiyi {

// floor(x) as a 32-bit integer.
inline int32_t ifloor(double x) {
  return static_cast<int32_t>(std::floor(x));
}

// A civil date and time with seconds; the scratch record of the date service.
struct CalendarDateTime {
  int32_t year = 2000;
  int32_t month = 1;   // 1 … 12
  int32_t day = 1;     // 1 … 31
  int32_t hour = 12;   // 0 … 23
  int32_t minute = 0;  // 0 … 59
  int32_t second = 0;  // 0 … 59

  friend bool operator==(const CalendarDateTime&, const CalendarDateTime&) = default;
};

// Julian day of a civil date; the day may carry the time of day as a fraction.
// Dates from 1582-10-15 on are Gregorian, earlier ones Julian. No range check.
double JulianDay(int year, int month, double dayWithFraction);

// Julian day of a full record (time of day included, seconds as fraction).
double JulianDayOfRecord(const CalendarDateTime& date);

// Civil date and time of a Julian day; seconds are truncated.
CalendarDateTime DateOfJulianDay(double jd);

// Civil date and time of a Julian day rounded to the minute: hh:mm:30 stays at hh:mm,
// hh:mm:31 becomes hh:mm+1 (carrying into the next day, month and year).
YiDate JulianDayToMinute(double jd);

// Julian day number of a civil date: floor(JD of the date at 12:00:01). Reading the
// day one second past noon keeps floor() clear of rounding at the whole day.
int32_t JulianDayNumber(int year, int month, int day);

// Day of the week, 0 = Sunday … 6 = Saturday.
int Weekday(int year, int month, int day);

// Number of days of a month; October 1582 has 21.
int MonthLength(int year, int month);

// True when the civil date exists: month 1 … 12, day 1 … month length, and not one of
// the ten days 1582-10-05 … 1582-10-14 dropped by the Gregorian reform.
bool IsValidSolarDate(int year, int month, int day);

// Moves the date to the following civil day; hour and minute stay.
// 1582-10-04 is followed by 1582-10-15.
void NextDay(YiDate& date);

}  // namespace taiyi
