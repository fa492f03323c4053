#include "calendar/date_service.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "calendar/calendar_date.h"
#include "calendar/lunar_year.h"

namespace taiyi {
namespace {

std::string Text(const YiDate& d) {
  char text[40];
  std::snprintf(text, sizeof text, "%d-%02d-%02d %02d:%02d", d.year, d.month, d.day, d.hour,
                d.minute);
  return text;
}

// Sexagenary number of a two-character name such as "甲子", from the stem and branch
// orders alone (1 = 甲子 … 59 = 壬戌, 0 = 癸亥).
int Pillar(const std::string& name) {
  static const std::string stems = "甲乙丙丁戊己庚辛壬癸";
  static const std::string branches = "子丑寅卯辰巳午未申酉戌亥";
  const int s = static_cast<int>(stems.find(name.substr(0, 3))) / 3;     // 0 = 甲
  const int b = static_cast<int>(branches.find(name.substr(3, 3))) / 3;  // 0 = 子
  for (int i = 0; i < 60; ++i) {
    if (i % 10 == s && i % 12 == b) return (i + 1) % 60;
  }
  return -1;
}

TEST(DateServiceTest, TermMoments) {
  struct Case {
    int16_t year, month;
    bool jie;
    YiDate want;
  };
  const Case cases[] = {
      {2024, 2, true, {2024, 2, 4, 16, 27}},      // 立春
      {2024, 12, false, {2024, 12, 21, 17, 20}},  // 冬至
      {2000, 1, true, {2000, 1, 6, 9, 1}},        // 小寒
      {2024, 6, false, {2024, 6, 21, 4, 51}},     // 夏至
  };
  MYiDateEx service;
  for (const Case& c : cases) {
    EXPECT_EQ(Text(service.TermDate(c.year, c.month, c.jie)), Text(c.want))
        << c.year << " month " << c.month << (c.jie ? " jie" : " qi");
  }
}

TEST(DateServiceTest, MonthTermsAroundTheMoment) {
  MYiDateEx service;
  YiDate terms[3];
  EXPECT_EQ(service.MonthTerms({2024, 1, 3, 12, 0}, terms), 1);  // 子 month
  EXPECT_EQ(Text(terms[0]), "2023-12-07 17:33");
  EXPECT_EQ(Text(terms[1]), "2023-12-22 11:27");
  EXPECT_EQ(Text(terms[2]), "2024-01-06 04:49");
  // 小寒 at 04:49 opens the 丑 month (compared with the unrounded instant).
  EXPECT_EQ(service.MonthTerms({2024, 1, 6, 4, 50}, terms), 2);
  EXPECT_EQ(service.MonthTerms({2024, 1, 6, 4, 48}, terms), 1);
  EXPECT_EQ(service.MonthTerms({2024, 11, 7, 12, 0}, terms), 0);  // after 立冬: 亥
  EXPECT_EQ(service.MonthTerms({2024, 2, 4, 16, 27}, terms), 3);  // 立春 opens 寅
}

TEST(DateServiceTest, YearTermsListsTheTermsOfTheCivilYearInOrder) {
  MYiDateEx service;
  struct Case {
    int year;
    int firstIndex;  // the civil year drifts against the seasons in the Julian calendar
  };
  for (const Case c :
       {Case{2024, 0}, Case{1900, 0}, Case{1, 0}, Case{-500, 0}, Case{-4712, 22}, Case{9999, 1}}) {
    TermEntry list[25];
    ASSERT_EQ(service.YearTerms(c.year, list), 24) << c.year;
    EXPECT_EQ(list[24].date.year, kTermListEnd);
    for (int i = 0; i < 24; ++i) {
      EXPECT_EQ(list[i].index, (c.firstIndex + i) % 24) << c.year;
      EXPECT_EQ(list[i].date.year, c.year);
      if (i > 0) {
        EXPECT_LT(service.ToJulianDay(list[i - 1].date), service.ToJulianDay(list[i].date));
      }
      // The list and the single-term look-up agree where the nominal months are the year's.
      if (c.firstIndex == 0) {
        const YiDate single = service.TermDate(static_cast<int16_t>(c.year),
                                               static_cast<int16_t>(i / 2 + 1), i % 2 == 0);
        EXPECT_EQ(Text(list[i].date), Text(single)) << c.year << " term " << i;
      }
    }
  }
}

TEST(DateServiceTest, FourPillars) {
  struct Case {
    YiDate moment;
    bool split;
    int pillarYear;
    const char* want[4];
  };
  const Case cases[] = {
      {{2024, 2, 4, 16, 26}, false, 2023, {"癸卯", "乙丑", "戊戌", "庚申"}},
      {{2024, 2, 4, 16, 27}, false, 2024, {"甲辰", "丙寅", "戊戌", "庚申"}},
      {{2024, 5, 17, 23, 30}, false, 2024, {"甲辰", "己巳", "壬午", "庚子"}},
      {{2024, 5, 17, 23, 30}, true, 2024, {"甲辰", "己巳", "辛巳", "庚子"}},
      {{2024, 5, 17, 0, 30}, false, 2024, {"甲辰", "己巳", "辛巳", "戊子"}},
      {{2000, 1, 1, 12, 0}, false, 1999, {"己卯", "丙子", "戊午", "戊午"}},
      {{1984, 2, 5, 12, 0}, false, 1984, {"甲子", "丙寅", "己巳", "庚午"}},
      {{1949, 10, 1, 15, 0}, false, 1949, {"己丑", "癸酉", "甲子", "壬申"}},
  };
  MYiDateEx service;
  for (const Case& c : cases) {
    const FourPillarsResult r = service.FourPillars(c.moment, c.moment, c.split);
    const std::string at = Text(c.moment) + (c.split ? " split" : "");
    EXPECT_EQ(r.pillarYear, c.pillarYear) << at;
    EXPECT_EQ(r.year, Pillar(c.want[0])) << at;
    EXPECT_EQ(r.month, Pillar(c.want[1])) << at;
    EXPECT_EQ(r.day, Pillar(c.want[2])) << at;
    EXPECT_EQ(r.hour, Pillar(c.want[3])) << at;
  }
}

// Around every term of a few years, minute by minute, the pillars take the month from
// the same walk as MonthTerms and the year from the minute of 立春.
TEST(DateServiceTest, FourPillarsChangeMonthAtTheTermMinute) {
  MYiDateEx service;
  for (int year : {2024, 1700, -500, 9999}) {
    TermEntry list[25];
    const int count = service.YearTerms(year, list);
    const YiDate spring = service.TermDate(static_cast<int16_t>(year), 2, true);
    for (int i = 0; i < count; ++i) {
      const double term = service.ToJulianDay(list[i].date);
      for (int minutes : {-1441, -2, -1, 0, 1, 2, 1441}) {
        YiDate moment;
        service.FromJulianDay(term + minutes / 1440.0, moment);
        if (moment.year != year) continue;
        YiDate terms[3];
        const int branch = service.MonthTerms(moment, terms);
        const FourPillarsResult p = service.FourPillars(moment, moment, false);
        EXPECT_EQ(p.month % 12, branch) << Text(moment);
        const bool beforeSpring = service.ToJulianDay(moment) < service.ToJulianDay(spring);
        EXPECT_EQ(p.pillarYear, beforeSpring ? year - 1 : year) << Text(moment);
      }
    }
  }
}

TEST(DateServiceTest, DayCycles) {
  MYiDateEx service;
  EXPECT_EQ(service.DayGanZhi({2000, 1, 1, 12, 0}), 55);   // 戊午
  EXPECT_EQ(service.DayGanZhi({1949, 10, 1, 0, 0}), 1);    // 甲子
  EXPECT_EQ(service.DayGanZhi({1949, 10, 1, 23, 59}), 1);  // the civil day, not 子 hour
  EXPECT_EQ(service.DayGanZhi({-4712, 1, 1, 0, 0}), 50);   // JD 0
  EXPECT_EQ(service.DayCycle360({2000, 1, 1, 0, 0}), 354);
  EXPECT_EQ(service.DayCycle64({2000, 1, 1, 0, 0}), 37);
  // Consecutive days step every cycle by one, across the calendar reform.
  const YiDate before{1582, 10, 4, 8, 0};
  const YiDate after{1582, 10, 15, 8, 0};
  EXPECT_EQ((service.DayGanZhi(before) + 1) % 60, service.DayGanZhi(after));
  EXPECT_EQ((service.DayCycle360(before) + 1) % 360, service.DayCycle360(after));
  EXPECT_EQ((service.DayCycle64(before) + 1) % 64, service.DayCycle64(after));
}

struct LunarCase {
  YiDate solar;
  YiDate lunar;  // hour and minute as in solar
  bool leap;
};

// Month starts of leap and ordinary years, the eras of the calendar and their corrections.
const LunarCase kLunarCases[] = {
    {{2024, 2, 10, 9, 15}, {2024, 1, 1, 9, 15}, false},
    {{2024, 2, 9, 0, 0}, {2023, 12, 30, 0, 0}, false},
    {{2023, 3, 22, 0, 0}, {2023, 2, 1, 0, 0}, true},  // 闰二月
    {{2023, 3, 21, 0, 0}, {2023, 2, 30, 0, 0}, false},
    {{2020, 5, 23, 0, 0}, {2020, 4, 1, 0, 0}, true},    // 闰四月
    {{2033, 12, 22, 0, 0}, {2033, 11, 1, 0, 0}, true},  // 闰十一月
    {{1984, 2, 2, 0, 0}, {1984, 1, 1, 0, 0}, false},
    {{1906, 4, 24, 0, 0}, {1906, 4, 1, 0, 0}, false},  // corrected one day later
    {{1906, 4, 23, 0, 0}, {1906, 3, 30, 0, 0}, false},
    {{1909, 9, 14, 0, 0}, {1909, 8, 1, 0, 0}, false},  // corrected one day earlier
};

TEST(DateServiceTest, SolarToLunar) {
  MYiDateEx service;
  for (const LunarCase& c : kLunarCases) {
    YiDate lunar;
    const bool leap = service.SolarToLunar(c.solar, lunar);
    EXPECT_EQ(Text(lunar), Text(c.lunar)) << Text(c.solar);
    EXPECT_EQ(leap, c.leap) << Text(c.solar);
    EXPECT_EQ(service.lastDayNumber(),
              JulianDayNumber(c.solar.year, c.solar.month, c.solar.day) - 2451545);
  }
}

TEST(DateServiceTest, LunarToSolar) {
  MYiDateEx service;
  for (const LunarCase& c : kLunarCases) {
    YiDate solar;
    std::string message;
    ASSERT_TRUE(service.LunarToSolar(c.lunar, solar, c.leap, &message)) << Text(c.lunar);
    EXPECT_EQ(Text(solar), Text(c.solar)) << Text(c.lunar) << (c.leap ? " leap" : "");
    EXPECT_TRUE(message.empty());
  }
}

TEST(DateServiceTest, LunarToSolarRefusesDatesThatDoNotExist) {
  struct Case {
    YiDate lunar;
    bool leap;
  };
  const Case cases[] = {
      {{2024, 2, 1, 0, 0}, true},     // 2024 has no leap second month
      {{2024, 12, 30, 0, 0}, false},  // that month has 29 days
      {{2023, 2, 30, 0, 0}, true},    // 闰二月 of 2023 has 29 days
      {{2024, 1, 31, 0, 0}, false},
  };
  MYiDateEx service;
  for (const Case& c : cases) {
    YiDate solar{1, 1, 1, 1, 1};
    std::string message;
    EXPECT_FALSE(service.LunarToSolar(c.lunar, solar, c.leap, &message)) << Text(c.lunar);
    EXPECT_EQ(message, "不存在这个农历日期，无法转换到公历！");
    EXPECT_EQ(Text(solar), "1-01-01 01:01");  // untouched
  }
}

// Every day of selected spans converted to lunar and back: ordinary and leap months,
// the eras of the calendar on both sides of their boundaries, and ancient years. In the
// ancient calendars a month number can return within one counted year (the year began
// with month 10 or ended with an extra month), so there the way back must reach a day
// with the same lunar date, not always the same day.
TEST(DateServiceTest, LunarRoundTripOverSpans) {
  struct Span {
    int y0, m0, d0, days;
    bool unique;
  };
  const Span spans[] = {
      {2019, 12, 1, 1200, true}, {1959, 11, 1, 120, true}, {1645, 8, 1, 120, true},
      {618, 12, 1, 120, true},   {1, 1, 1, 400, true},     {9998, 1, 1, 700, true},
      {-221, 10, 1, 120, false}, {-103, 1, 1, 90, false},  {-4712, 1, 1, 400, true},
  };
  MYiDateEx service;
  for (const Span& s : spans) {
    YiDate solar{static_cast<int16_t>(s.y0), static_cast<int16_t>(s.m0), static_cast<int16_t>(s.d0),
                 7, 45};
    YiDate previous{};
    bool previousLeap = false;
    for (int i = 0; i < s.days; ++i, service.NextDay(solar)) {
      YiDate lunar;
      const bool leap = service.SolarToLunar(solar, lunar);
      // The lunar day advances by one or a new month starts.
      if (i > 0 && !(lunar.day == previous.day + 1 && lunar.month == previous.month &&
                     leap == previousLeap)) {
        EXPECT_EQ(lunar.day, 1) << Text(solar);
        EXPECT_GE(previous.day, 29) << Text(solar);
      }
      previous = lunar;
      previousLeap = leap;
      YiDate back;
      ASSERT_TRUE(service.LunarToSolar(lunar, back, leap)) << Text(solar);
      if (s.unique) {
        EXPECT_EQ(Text(back), Text(solar)) << "lunar " << Text(lunar) << (leap ? " leap" : "");
      } else {
        YiDate again;
        EXPECT_EQ(service.SolarToLunar(back, again), leap) << Text(solar);
        EXPECT_EQ(Text(again), Text(lunar)) << Text(solar);
      }
    }
  }
}

// The remembered lunar years give exactly the tables and dates that fresh builds give:
// every 499th day over the whole valid range, reached once from the day before (the table
// in place), once from another year (a remembered table) and compared with a new service.
TEST(DateServiceTest, RememberedLunarYearsEqualFreshBuilds) {
  MYiDateEx service;
  int failures = 0;
  const int32_t first = JulianDayNumber(-4712, 1, 1) - 2451545;
  const int32_t last = JulianDayNumber(9999, 12, 31) - 2451545 - 400;
  auto civil = [](int32_t day) {
    const CalendarDateTime c = DateOfJulianDay(day + 2451545.0);
    return YiDate{static_cast<int16_t>(c.year), static_cast<int16_t>(c.month),
                  static_cast<int16_t>(c.day), 12, 0};
  };
  for (int32_t d = first + 1; d <= last && failures < 5; d += 499) {
    YiDate lunar;
    YiDate fresh;
    service.SolarToLunar(civil(d - 1), lunar);
    service.SolarToLunar(civil(d), lunar);
    const LunarYearTable inPlace = service.YearTable();
    service.SolarToLunar(civil(d + 400), lunar);
    const bool leap = service.SolarToLunar(civil(d), lunar);
    MYiDateEx reference;
    const bool freshLeap = reference.SolarToLunar(civil(d), fresh);
    if (!(inPlace == reference.YearTable()) || !(service.YearTable() == reference.YearTable()) ||
        !(lunar == fresh) || leap != freshLeap) {
      ADD_FAILURE() << "day number " << d << ": remembered year differs from a fresh build";
      ++failures;
    }
  }
}

TEST(DateServiceTest, CorrectTimeToLocalMeanTime) {
  struct Case {
    float longitude;
    YiDate in, want;
  };
  const Case cases[] = {
      {120.0f, {2024, 5, 17, 12, 0}, {2024, 5, 17, 12, 0}},
      {116.5f, {2024, 5, 17, 12, 0}, {2024, 5, 17, 11, 46}},  // 840 s
      {116.4f, {2024, 5, 17, 12, 0}, {2024, 5, 17, 11, 46}},  // 863 s: 11:45:38
      {87.6f, {2024, 1, 1, 0, 10}, {2023, 12, 31, 22, 00}},   // 7776 s, into the day before
      {135.0f, {2024, 5, 17, 12, 0}, {2024, 5, 17, 13, 0}},
  };
  MYiDateEx service;
  for (const Case& c : cases) {
    YiDate date = c.in;
    EXPECT_EQ(service.CorrectTime(c.longitude, date, 2), 0);
    EXPECT_EQ(Text(date), Text(c.want)) << c.longitude;
  }
}

TEST(DateServiceTest, CorrectTimeToTrueSolarTime) {
  MYiDateEx service;
  // Apparent solar time runs 16.46 minutes ahead of mean time on 2020-11-03 and 14.20
  // minutes behind on 2020-02-12 (almanac values, ±0.02 min).
  YiDate november{2020, 11, 3, 12, 0};
  const int e1 = service.CorrectTime(120.0f, november, 1);
  EXPECT_NEAR(e1, 16.46 * 60, 2);
  EXPECT_EQ(Text(november), "2020-11-03 12:16");
  YiDate february{2020, 2, 12, 12, 0};
  const int e2 = service.CorrectTime(120.0f, february, 1);
  EXPECT_NEAR(e2, -14.20 * 60, 2);
  EXPECT_EQ(Text(february), "2020-02-12 11:46");
  EXPECT_NEAR(service.EquationOfTime({2020, 11, 3, 12, 0}), 16.46 * 60, 2);
}

}  // namespace
}  // namespace taiyi
