#include "calendar/calendar_date.h"

#include <gtest/gtest.h>

#include <cmath>

namespace taiyi {
namespace {

// Independent month lengths: Julian leap years before the reform, Gregorian after.
int ReferenceMonthLength(int y, int m) {
  static constexpr int kLength[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m != 2) return kLength[m];
  const bool leap = y < 1582 ? (y % 4 == 0) : (y % 4 == 0 && (y % 100 != 0 || y % 400 == 0));
  return leap ? 29 : 28;
}

// Every civil day of the valid range -4712-01-01 (JD 0 at noon) … 9999-12-31, walked
// with an independent counter: the date of each day number, the day number of each
// date, the weekday, validity, month lengths and a rotating minute of the day.
TEST(CalendarDateTest, EveryDayOfTheValidRangeRoundTrips) {
  int y = -4712, m = 1, d = 1;
  int weekday = 1;  // JD 0 is a Monday
  const int32_t last = JulianDayNumber(9999, 12, 31);
  ASSERT_EQ(last, 5373484);
  int failures = 0;
  for (int32_t jdn = 0; jdn <= last && failures < 10; ++jdn) {
    const CalendarDateTime c = DateOfJulianDay(jdn);
    const bool ok = c.year == y && c.month == m && c.day == d && c.hour == 12 && c.minute == 0 &&
                    c.second == 0 && JulianDay(y, m, d) == jdn - 0.5 &&
                    JulianDayNumber(y, m, d) == jdn && Weekday(y, m, d) == weekday &&
                    IsValidSolarDate(y, m, d);
    // A minute of the day that moves through all 1440 minutes as the days pass.
    const int minuteOfDay = static_cast<int>((jdn * 7LL) % 1440);
    const int hh = minuteOfDay / 60, mm = minuteOfDay % 60;
    const YiDate expected{static_cast<int16_t>(y), static_cast<int16_t>(m), static_cast<int16_t>(d),
                          static_cast<int16_t>(hh), static_cast<int16_t>(mm)};
    const YiDate rounded = JulianDayToMinute(JulianDayOfRecord({y, m, d, hh, mm, 1}));
    if (!ok || !(rounded == expected)) {
      ADD_FAILURE() << "JD " << jdn << ": want " << y << "-" << m << "-" << d << " weekday "
                    << weekday << ", got " << c.year << "-" << c.month << "-" << c.day << " "
                    << c.hour << ":" << c.minute << ":" << c.second << " weekday "
                    << Weekday(y, m, d) << ", minute " << rounded.hour << ":" << rounded.minute;
      ++failures;
    }
    if (d == 1) {
      const int want = (y == 1582 && m == 10) ? 21 : ReferenceMonthLength(y, m);
      if (MonthLength(y, m) != want) {
        ADD_FAILURE() << "month length " << y << "-" << m << ": want " << want << ", got "
                      << MonthLength(y, m);
        ++failures;
      }
    }
    // Advance the reference counter.
    weekday = (weekday + 1) % 7;
    if (y == 1582 && m == 10 && d == 4) {
      d = 15;
    } else if (++d > ReferenceMonthLength(y, m)) {
      if (IsValidSolarDate(y, m, d)) {
        ADD_FAILURE() << "day past the month end accepted: " << y << "-" << m << "-" << d;
        ++failures;
      }
      d = 1;
      if (++m > 12) {
        m = 1;
        ++y;
      }
    }
  }
  EXPECT_EQ(failures, 0);
}

TEST(CalendarDateTest, JulianDayOfKnownDates) {
  struct Case {
    int y, m;
    double d, jd;
  };
  const Case cases[] = {
      {2000, 1, 1.5, 2451545.0},    {1582, 10, 15, 2299160.5}, {1582, 10, 4, 2299159.5},
      {-4712, 1, 1.5, 0.0},         {0, 2, 29, 1721116.5},     {0, 3, 1, 1721117.5},
      {1957, 10, 4.81, 2436116.31},  // Sputnik 1
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(JulianDay(c.y, c.m, c.d), c.jd, 1e-9) << c.y << "-" << c.m << "-" << c.d;
  }
}

TEST(CalendarDateTest, DateOfJulianDayAcrossTheReform) {
  EXPECT_EQ(DateOfJulianDay(2299160.5), (CalendarDateTime{1582, 10, 15, 0, 0, 0}));
  EXPECT_EQ(DateOfJulianDay(2299159.5), (CalendarDateTime{1582, 10, 4, 0, 0, 0}));
  EXPECT_EQ(DateOfJulianDay(2299160.4999), (CalendarDateTime{1582, 10, 4, 23, 59, 51}));
  // Year 0 is 1 BC and a Julian leap year.
  EXPECT_EQ(DateOfJulianDay(1721116.5), (CalendarDateTime{0, 2, 29, 0, 0, 0}));
}

TEST(CalendarDateTest, RoundingToTheMinute) {
  struct Case {
    CalendarDateTime in;
    YiDate want;
  };
  const Case cases[] = {
      {{2024, 5, 17, 12, 59, 45}, {2024, 5, 17, 13, 0}},
      {{2023, 12, 31, 23, 59, 40}, {2024, 1, 1, 0, 0}},
      {{2024, 2, 28, 23, 59, 32}, {2024, 2, 29, 0, 0}},
      {{1582, 10, 4, 23, 59, 50}, {1582, 10, 15, 0, 0}},
      {{2024, 5, 17, 8, 10, 30}, {2024, 5, 17, 8, 10}},  // :30 stays
      {{2024, 5, 17, 8, 10, 32}, {2024, 5, 17, 8, 11}},
      {{-100, 3, 1, 0, 0, 1}, {-100, 3, 1, 0, 0}},
  };
  for (const Case& c : cases) {
    const YiDate got = JulianDayToMinute(JulianDayOfRecord(c.in));
    EXPECT_EQ(got, c.want) << c.in.year << "-" << c.in.month << "-" << c.in.day << " " << c.in.hour
                           << ":" << c.in.minute << ":" << c.in.second << " gave " << got.year
                           << "-" << got.month << "-" << got.day << " " << got.hour << ":"
                           << got.minute;
  }
}

TEST(CalendarDateTest, WeekdaysAroundTheReform) {
  EXPECT_EQ(Weekday(2000, 1, 1), 6);    // Saturday
  EXPECT_EQ(Weekday(1582, 10, 4), 4);   // Thursday
  EXPECT_EQ(Weekday(1582, 10, 15), 5);  // Friday
  EXPECT_EQ(Weekday(2024, 2, 10), 6);   // Saturday
}

TEST(CalendarDateTest, ValidSolarDates) {
  struct Case {
    int y, m, d;
    bool valid;
  };
  const Case cases[] = {
      {1582, 10, 4, true},  {1582, 10, 5, false}, {1582, 10, 10, false}, {1582, 10, 14, false},
      {1582, 10, 15, true}, {1582, 10, 31, true}, {1582, 10, 32, false}, {1900, 2, 29, false},
      {2000, 2, 29, true},  {1500, 2, 29, true},  {0, 2, 29, true},      {-1, 2, 29, false},
      {2023, 4, 31, false}, {2023, 13, 1, false}, {2023, 0, 1, false},   {2023, 1, 0, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsValidSolarDate(c.y, c.m, c.d), c.valid) << c.y << "-" << c.m << "-" << c.d;
  }
}

TEST(CalendarDateTest, NextDayKeepsTheTime) {
  struct Case {
    YiDate in, want;
  };
  const Case cases[] = {
      {{1582, 10, 4, 23, 59}, {1582, 10, 15, 23, 59}},
      {{2023, 12, 31, 0, 0}, {2024, 1, 1, 0, 0}},
      {{2024, 2, 28, 13, 7}, {2024, 2, 29, 13, 7}},
      {{-1, 12, 31, 6, 30}, {0, 1, 1, 6, 30}},
  };
  for (Case c : cases) {
    NextDay(c.in);
    EXPECT_EQ(c.in, c.want) << c.want.year << "-" << c.want.month << "-" << c.want.day;
  }
}

}  // namespace
}  // namespace taiyi
