// Lunar dates of every civil day 1900 … 2100 against ICU's Chinese calendar, an
// independent implementation with its own astronomy. The days on which the two differ
// are listed below with the reason; any other difference fails.
#include <gtest/gtest.h>

#ifdef TAIYI_HAVE_ICU

#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "calendar/calendar_date.h"
#include "calendar/date_service.h"

namespace taiyi {
namespace {

struct DayRun {
  std::string first, last;  // civil dates, inclusive
};

std::string Iso(const CalendarDateTime& c) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", c.year, c.month, c.day);
  return text;
}

TEST(IcuLunarTest, LunarDatesOf1900To2100AgreeWithIcu) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Calendar> chinese(icu::Calendar::createInstance(
      icu::TimeZone::createTimeZone("GMT+08:00"), icu::Locale("zh@calendar=chinese"), status));
  ASSERT_TRUE(U_SUCCESS(status)) << u_errorName(status);

  // Known disagreements, each a run of consecutive civil days. ICU computes the Sun and
  // the Moon with its own short series, whose instants can be several minutes (up to
  // about twenty near 1920) off; an event close to midnight then falls on the other civil
  // day. Instants below are those of our full ephemeris, UTC+8, which agree with the
  // published calendars of these years.
  const std::vector<DayRun> known = {
      // 谷雨 1917-04-21 00:17 lies in the month from 1917-04-21, so the month from
      // 03-23 has no middle term: 闰二月. ICU puts 谷雨 on 04-20 and makes 闰三月.
      {"1917-03-23", "1917-05-20"},
      // 大暑 1922-07-24 00:20 lies in the month from 07-24: the month from 06-25 is 闰五月
      // (ICU: 闰六月).
      {"1922-06-25", "1922-08-22"},
      // New moon 1954-02-03 23:55: 正月初一 is 02-03 (ICU: 02-04).
      {"1954-02-03", "1954-03-04"},
      // New moon 1955-02-22 23:54: 二月初一 is 02-22 (ICU: 02-23).
      {"1955-02-22", "1955-03-23"},
      // 处暑 1987-08-24 00:10 lies in the month from 08-24: the month from 07-26 is 闰六月
      // (ICU: 闰七月).
      {"1987-07-26", "1987-09-22"},
      // New moon 1999-01-17 23:46: 十二月初一 is 01-17 (ICU: 01-18).
      {"1999-01-17", "1999-02-15"},
      // New moon 2012-08-17 23:54: 七月初一 is 08-17 (ICU: 08-18).
      {"2012-08-17", "2012-09-15"},
      // New moon 2018-11-08 00:02: 十月初一 is 11-08 (ICU: 11-07).
      {"2018-11-07", "2018-12-06"},
      // New moon 2027-02-06 23:56: 正月初一 is 02-06 (ICU: 02-07).
      {"2027-02-06", "2027-03-07"},
      // New moon 2030-02-03 00:07: 正月初一 is 02-03 (ICU: 02-02).
      {"2030-02-02", "2030-03-03"},
      // New moon 2057-09-28 23:59:31: 九月初一 is 09-28 (ICU: 09-29). Only 29 seconds
      // before midnight: the extrapolated ΔT of 2057 is less certain than that, so this
      // day follows our ephemeris rather than a firm fact.
      {"2057-09-28", "2057-10-27"},
      // New moon 2070-03-12 23:51: 二月初一 is 03-12 (ICU: 03-13).
      {"2070-03-12", "2070-04-10"},
  };

  MYiDateEx service;
  std::vector<DayRun> found;
  std::string details;  // the first day of every run, both lunar dates
  int32_t runEnd = -1;
  const int32_t first = JulianDayNumber(1900, 1, 1);
  const int32_t last = JulianDayNumber(2100, 12, 31);
  for (int32_t jdn = first; jdn <= last; ++jdn) {
    const CalendarDateTime civil = DateOfJulianDay(jdn);
    const YiDate solar{static_cast<int16_t>(civil.year), static_cast<int16_t>(civil.month),
                       static_cast<int16_t>(civil.day), 12, 0};
    YiDate lunar;
    const bool leap = service.SolarToLunar(solar, lunar);

    // 12:00 UTC+8 of the civil day, in milliseconds since 1970-01-01 00:00 UTC.
    chinese->setTime((jdn - 2440588) * 86400000.0 + 4 * 3600000.0, status);
    const int icuYear = chinese->get(UCAL_EXTENDED_YEAR, status) - 2637;  // 1984 = 甲子
    const int icuMonth = chinese->get(UCAL_MONTH, status) + 1;
    const bool icuLeap = chinese->get(UCAL_IS_LEAP_MONTH, status) != 0;
    const int icuDay = chinese->get(UCAL_DATE, status);
    ASSERT_TRUE(U_SUCCESS(status)) << u_errorName(status);

    if (lunar.year == icuYear && lunar.month == icuMonth && leap == icuLeap &&
        lunar.day == icuDay) {
      continue;
    }
    if (runEnd == jdn - 1) {
      found.back().last = Iso(civil);
    } else {
      found.push_back({Iso(civil), Iso(civil)});
      char text[96];
      std::snprintf(text, sizeof text, "%s: ours %d-%d%s-%d, ICU %d-%d%s-%d\n", Iso(civil).c_str(),
                    lunar.year, lunar.month, leap ? "L" : "", lunar.day, icuYear, icuMonth,
                    icuLeap ? "L" : "", icuDay);
      details += text;
    }
    runEnd = jdn;
  }

  std::string got, want;
  for (const DayRun& r : found) got += r.first + " … " + r.last + "\n";
  for (const DayRun& r : known) want += r.first + " … " + r.last + "\n";
  EXPECT_EQ(got, want) << details;
}

}  // namespace
}  // namespace taiyi

#endif  // TAIYI_HAVE_ICU
