// Lunar year tables: correction strings, the three eras of terms and new moons, the year table
// of a modern year, leap months and the month numbering of the historical calendars.
#include "calendar/lunar_year.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "calendar/astro_series.h"
#include "calendar/calendar_date.h"
#include "calendar/lunar_corrections.h"

namespace taiyi {
namespace {

TEST(DecompressTest, ExpandsLettersToDigitRunsAndKeepsDigits) {
  struct Case {
    const char* text;
    std::string want;
  };
  const Case cases[] = {
      {"", ""},
      {"12", "12"},
      {"J", "00"},
      {"Gt",
       "00000"
       "02"},
      {"h1k",
       "001001"
       "1"
       "01"},
      {"a", std::string(9, '0') + "1"},
      {"l", std::string(9, '0') + "2"},
      {"A", std::string(60, '0')},
      {"B2", std::string(50, '0') + "2"},
      {"CDEF", std::string(40 + 30 + 20 + 10, '0')},
      {"IHrsjgfedcbqponmi",
       "000"
       "0000"
       "0002"
       "002"
       "0101"
       "0001"
       "00001"
       "000001"
       "0000001"
       "00000001"
       "000000001"
       "00002"
       "000002"
       "0000002"
       "00000002"
       "000000002"
       "001"},
  };
  for (const Case& c : cases) EXPECT_EQ(Decompress(c.text), c.want) << c.text;
}

TEST(DecompressTest, CorrectionStringsExpandToTheirFullLengthOfDigits) {
  struct Case {
    std::string_view compressed;
    size_t compressedLength;
    size_t expandedLength;
  };
  const Case cases[] = {
      {CompressedNewMoonCorrections(), 2031, 16598},
      {CompressedTermCorrections(), 437, 7567},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.compressed.size(), c.compressedLength);
    const std::string expanded = Decompress(c.compressed);
    EXPECT_EQ(expanded.size(), c.expandedLength);
    EXPECT_TRUE(std::all_of(expanded.begin(), expanded.end(),
                            [](char ch) { return ch == '0' || ch == '1' || ch == '2'; }));
  }
}

struct CivilDay {
  int year, month, day;
};

// Day number (JDN − 2451545) of a civil date.
int32_t Day(const CivilDay& c) {
  return JulianDayNumber(c.year, c.month, c.day) - 2451545;
}

std::string Text(int32_t day) {
  const CalendarDateTime c = DateOfJulianDay(day + 2451545.0);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d-%02d-%02d", c.year, c.month, c.day);
  return buf;
}

// Index of the month of the table that contains `day`, or -1.
int MonthIndex(const LunarYearTable& t, int32_t day) {
  for (int k = 0; k < 14; ++k) {
    if (t.moonDays[k] <= day && day < t.moonDays[k + 1]) return k;
  }
  return -1;
}

TEST(LunarYearTest, YearTableOfJune2023FieldByField) {
  const CivilDay terms[25] = {
      {2022, 12, 22}, {2023, 1, 5},  {2023, 1, 20},  {2023, 2, 4},  {2023, 2, 19},
      {2023, 3, 6},   {2023, 3, 21}, {2023, 4, 5},   {2023, 4, 20}, {2023, 5, 6},
      {2023, 5, 21},  {2023, 6, 6},  {2023, 6, 21},  {2023, 7, 7},  {2023, 7, 23},
      {2023, 8, 8},   {2023, 8, 23}, {2023, 9, 8},   {2023, 9, 23}, {2023, 10, 8},
      {2023, 10, 24}, {2023, 11, 8}, {2023, 11, 22}, {2023, 12, 7}, {2023, 12, 22}};
  const CivilDay moons[15] = {{2022, 11, 24}, {2022, 12, 23}, {2023, 1, 22}, {2023, 2, 20},
                              {2023, 3, 22},  {2023, 4, 20},  {2023, 5, 19}, {2023, 6, 18},
                              {2023, 7, 18},  {2023, 8, 16},  {2023, 9, 15}, {2023, 10, 15},
                              {2023, 11, 13}, {2023, 12, 13}, {2024, 1, 11}};
  LunarYearTable want;
  want.leapIndex = 4;
  const int32_t monthNo[14] = {11, 12, 1, 2, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  const int32_t monthLen[14] = {29, 30, 29, 30, 29, 29, 30, 30, 29, 30, 30, 29, 30, 29};
  for (int i = 0; i < 25; ++i) want.termDays[i] = Day(terms[i]);
  for (int i = 0; i < 15; ++i) want.moonDays[i] = Day(moons[i]);
  std::copy(std::begin(monthNo), std::end(monthNo), want.monthNo);
  std::copy(std::begin(monthLen), std::end(monthLen), want.monthLen);

  LunarYearBuilder builder;
  EXPECT_EQ(builder.YearTable(), LunarYearTable{});
  // Any day from one winter solstice up to the day before the next gives the same table.
  for (const CivilDay asked : {CivilDay{2023, 6, 15}, {2022, 12, 22}, {2023, 12, 21}}) {
    builder.BuildLunarYear(Day(asked));
    const LunarYearTable got = builder.YearTable();
    EXPECT_EQ(got.leapIndex, want.leapIndex);
    for (int i = 0; i < 25; ++i) EXPECT_EQ(Text(got.termDays[i]), Text(want.termDays[i])) << i;
    for (int i = 0; i < 15; ++i) EXPECT_EQ(Text(got.moonDays[i]), Text(want.moonDays[i])) << i;
    for (int i = 0; i < 14; ++i) {
      EXPECT_EQ(got.monthNo[i], want.monthNo[i]) << i;
      EXPECT_EQ(got.monthLen[i], want.monthLen[i]) << i;
    }
  }
  builder.BuildLunarYear(Day({2023, 12, 22}));
  EXPECT_EQ(Text(builder.YearTable().termDays[0]), "2023-12-22");
}

// Months named by the day they begin on: number, leap flag, leap index of their year.
TEST(LunarYearTest, MonthNumbersLeapMonthsAndHistoricalNumbering) {
  struct Case {
    CivilDay start;
    int32_t number;
    bool leap;
    int32_t leapIndex;
  };
  const Case cases[] = {
      // Ephemeris era: leap months by the month without a middle term.
      {{2020, 4, 23}, 4, false, 6},
      {{2020, 5, 23}, 4, true, 6},
      {{2023, 2, 20}, 2, false, 4},
      {{2023, 3, 22}, 2, true, 4},
      {{2033, 12, 22}, 11, true, 1},  // leap month right after the solstice month
      {{2034, 1, 20}, 12, false, 1},
      {{2024, 2, 10}, 1, false, 0},
      {{1984, 2, 2}, 1, false, 12},
      {{1984, 11, 23}, 10, true, 12},
      {{1987, 7, 26}, 6, true, 8},
      {{1960, 1, 28}, 1, false, 8},
      // Low-precision era with corrections.
      {{1917, 3, 23}, 2, true, 4},
      {{1922, 6, 25}, 5, true, 7},
      {{1954, 2, 3}, 1, false, 0},
      // Calendars that numbered their months differently.
      {{8, 12, 17}, 11, false, 3},
      {{9, 1, 15}, 1, false, 0},     // 丑 month is 正月 from 9-01-15 …
      {{23, 12, 2}, 12, false, 0},   // … to 23-12-02, itself 十二月
      {{23, 12, 31}, 12, false, 7},  // back to 寅 month as 正月
      {{237, 3, 14}, 2, false, 0},
      {{237, 4, 12}, 4, false, 0},  // 三月 renamed 四月
      {{239, 12, 13}, 12, false, 0},
      {{240, 1, 12}, 12, false, 0},  // 后十二月
      {{689, 12, 18}, 1, false, 0},  // 子 month 正月, 丑 month 十二月, 寅 month 一月
      {{690, 1, 16}, 12, false, 0},
      {{690, 2, 15}, 1, false, 0},
      {{761, 11, 2}, 10, false, 0},
      {{761, 12, 2}, 1, false, 0},  // 子 month 正月 from 761-12-02 to 762-03-30
      {{762, 3, 30}, 5, false, 0},
      {{762, 4, 29}, 4, false, 0},
      // Ancient calendars: each counts from its own new year, extra month at the end.
      {{-600, 11, 18}, 13, false, 0},
      {{-600, 12, 18}, 1, false, 0},
      {{-299, 11, 21}, 13, false, 0},
      {{-299, 12, 20}, 1, false, 0},
      {{-150, 9, 27}, 9, false, 0},
      {{-150, 10, 26}, 10, false, 0},  // extra month of the calendar that begins with 十月
      {{-150, 11, 25}, 10, false, 0},
  };
  LunarYearBuilder builder;
  for (const Case& c : cases) {
    const int32_t day = Day(c.start);
    builder.BuildLunarYear(day);
    const LunarYearTable t = builder.YearTable();
    const int k = MonthIndex(t, day);
    ASSERT_GE(k, 0) << Text(day);
    EXPECT_EQ(Text(t.moonDays[k]), Text(day)) << "month does not begin on this day";
    EXPECT_EQ(t.monthNo[k], c.number) << Text(day);
    EXPECT_EQ(t.leapIndex != 0 && k == t.leapIndex, c.leap) << Text(day);
    EXPECT_EQ(t.leapIndex, c.leapIndex) << Text(day);
  }
}

// A day on each side of every era boundary follows the rule of its own era.
TEST(LunarYearTest, EventDaysOnBothSidesOfEachEraBoundary) {
  struct Case {
    CivilDay asked;
    LunarEvent kind;
    CivilDay want;
  };
  const Case cases[] = {
      // New moons: ephemeris | mean calendars from JD 1457684.23 (−722-12-03).
      {{-722, 12, 3}, LunarEvent::kNewMoon, {-722, 11, 18}},
      {{-722, 12, 4}, LunarEvent::kNewMoon, {-722, 12, 17}},
      // Mean calendars | low precision from JD 1947154 (619-01-07): the same new moon.
      {{619, 1, 6}, LunarEvent::kNewMoon, {618, 12, 22}},
      {{619, 1, 7}, LunarEvent::kNewMoon, {618, 12, 23}},
      // Low precision | ephemeris from 1960-01-01.
      {{1959, 12, 31}, LunarEvent::kNewMoon, {1959, 12, 30}},
      {{1960, 1, 1}, LunarEvent::kNewMoon, {1959, 12, 30}},
      // Solar terms: ephemeris | mean calendars from JD 1640643.48 (−221-11-02).
      {{-221, 11, 2}, LunarEvent::kTerm, {-221, 11, 11}},
      {{-221, 11, 3}, LunarEvent::kTerm, {-221, 11, 9}},
      // Mean calendars | low precision from JD 2322140.76 (1645-09-14).
      {{1645, 9, 13}, LunarEvent::kTerm, {1645, 9, 6}},
      {{1645, 9, 14}, LunarEvent::kTerm, {1645, 9, 23}},
      // Low precision | ephemeris from 1960-01-01.
      {{1959, 12, 31}, LunarEvent::kTerm, {1960, 1, 6}},
      {{1960, 1, 1}, LunarEvent::kTerm, {1960, 1, 6}},
  };
  const LunarYearBuilder builder;
  for (const Case& c : cases) {
    EXPECT_EQ(Text(builder.NearestEventDay(Day(c.asked), c.kind)), Text(Day(c.want)))
        << "asked " << Text(Day(c.asked)) << (c.kind == LunarEvent::kTerm ? " term" : " new moon");
  }
}

TEST(LunarYearTest, MeanNewMoonOf104BcIsMovedOneDayLater) {
  const int32_t want = Day({-103, 1, 24});
  ASSERT_EQ(want + 2451545, 1683461);
  const LunarYearBuilder builder;
  for (int32_t asked = want - 14; asked <= want + 14; asked += 7) {
    EXPECT_EQ(Text(builder.NearestEventDay(asked, LunarEvent::kNewMoon)), Text(want));
  }
  LunarYearBuilder year;
  year.BuildLunarYear(want);
  const LunarYearTable t = year.YearTable();
  const int k = MonthIndex(t, want);
  ASSERT_GE(k, 1);
  EXPECT_EQ(Text(t.moonDays[k]), Text(want));
  EXPECT_EQ(t.monthLen[k - 1], 30);
}

// The correction strings move low-precision days to the calendar's days; the low formula alone
// gives the day before or after.
TEST(LunarYearTest, CorrectionStringsMoveLowPrecisionDays) {
  struct Case {
    LunarEvent kind;
    CivilDay want;
    CivilDay lowOnly;
  };
  const Case cases[] = {
      {LunarEvent::kNewMoon, {1906, 4, 24}, {1906, 4, 23}},  // 00:06
      {LunarEvent::kNewMoon, {1909, 9, 14}, {1909, 9, 15}},
      {LunarEvent::kTerm, {1912, 10, 9}, {1912, 10, 8}},    // 寒露 at 00:06
      {LunarEvent::kTerm, {1923, 2, 19}, {1923, 2, 20}},    // 雨水 at 23:59
      {LunarEvent::kTerm, {1951, 12, 23}, {1951, 12, 22}},  // 冬至 at 00:00
  };
  const LunarYearBuilder builder;
  for (const Case& c : cases) {
    const int32_t want = Day(c.want);
    const bool term = c.kind == LunarEvent::kTerm;
    // Unwrapped angle of the event: whole terms from 1999-03-21 or months from 2000-01-07.
    const double jd = want + 2451545.0;
    const double W = term ? std::round((jd - 2451259) / (365.2422 / 24)) * kCalendarPi / 12
                          : std::round((jd - 2451551) / 29.5306) * 2 * kCalendarPi;
    const double low = term ? LunarYearBuilder::TermLow(W) : LunarYearBuilder::NewMoonLow(W);
    EXPECT_EQ(Text(ifloor(low + 0.5)), Text(Day(c.lowOnly))) << Text(want);
    EXPECT_EQ(Text(builder.NearestEventDay(want, c.kind)), Text(want));
    // The year table holds the corrected day.
    LunarYearBuilder year;
    year.BuildLunarYear(want);
    const LunarYearTable t = year.YearTable();
    const int32_t* days = term ? t.termDays : t.moonDays;
    const int count = term ? 25 : 15;
    EXPECT_NE(std::find(days, days + count, want), days + count) << Text(want);
  }
}

// Over the whole valid range the year table spans the day asked, its months begin on or before
// its first winter solstice and last 29 or 30 days, and its terms come 14 to 17 days apart;
// the only exceptions are where one historical calendar fit gives way to the next and the
// irregular months of the correction data.
TEST(LunarYearTest, YearTablesAreWellFormedOverTheValidRange) {
  const std::string irregularMonths[] = {"237-01-15",  "648-12-20",  "649-01-20",
                                         "823-10-08",  "823-11-08",  "1007-07-17",
                                         "1007-08-17", "1215-05-30", "1215-06-30"};
  const std::string irregularTerms[] = {"-221-10-27", "445-01-22"};
  auto listed = [](const auto& list, const std::string& s) {
    return std::find(std::begin(list), std::end(list), s) != std::end(list);
  };
  LunarYearBuilder builder;
  std::vector<int32_t> days;
  for (int y = -4712; y <= 9999; y += (y >= -730 && y <= 2100) ? 1 : 23) {
    days.push_back(Day({y, 6, 1}));
  }
  days.push_back(Day({-4712, 1, 1}));
  days.push_back(Day({9999, 12, 31}));
  for (const int32_t day : days) {
    builder.BuildLunarYear(day);
    const LunarYearTable t = builder.YearTable();
    ASSERT_LE(t.termDays[0], day) << Text(day);
    ASSERT_LT(day, t.termDays[24]) << Text(day);
    ASSERT_LE(t.moonDays[0], t.termDays[0]) << Text(day);
    ASSERT_GT(t.moonDays[1], t.termDays[0]) << Text(day);
    for (int i = 0; i < 14; ++i) {
      const bool regular = t.monthLen[i] == 29 || t.monthLen[i] == 30;
      EXPECT_TRUE(regular || listed(irregularMonths, Text(t.moonDays[i])))
          << Text(t.moonDays[i]) << " lasts " << t.monthLen[i];
    }
    for (int i = 0; i < 24; ++i) {
      const int32_t gap = t.termDays[i + 1] - t.termDays[i];
      EXPECT_TRUE((gap >= 14 && gap <= 17) || listed(irregularTerms, Text(t.termDays[i])))
          << Text(t.termDays[i]) << " gap " << gap;
    }
  }
}

}  // namespace
}  // namespace taiyi
