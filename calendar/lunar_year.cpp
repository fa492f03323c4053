#include "calendar/lunar_year.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>

#include "calendar/astro_series.h"
#include "calendar/calendar_date.h"
#include "calendar/lunar_corrections.h"
#include "calendar/lunar_fit_tables.h"

namespace taiyi {
namespace {

constexpr double kJ2000 = 2451545;

// Month number of a month by its index from the month of the winter solstice (子 month = 11).
constexpr int32_t kMonthNumber[12] = {11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

// Mean lengths: a synodic month and a tropical year (days).
constexpr double kMoonCycle = 29.5306;
constexpr double kYear = 365.2422;

// First JD of the ephemeris era after the low-precision one (1960-01-01).
constexpr double kEphemerisFrom = 2436935;
// JD of 1999-03-21 (solar longitude 0) and of 2000-01-07 (the civil day of new moon 0).
constexpr double kTermEpoch = 2451259;
constexpr double kMoonEpoch = 2451551;

// Correction of a low-precision day by the character `index` of a correction string.
int32_t Corrected(int32_t day, const std::string& corrections, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= corrections.size()) return day;
  switch (corrections[static_cast<size_t>(index)]) {
    case '1':
      return day + 1;
    case '2':
      return day - 1;
    default:
      return day;
  }
}

// Day number containing an instant given as days from J2000 with fraction.
int32_t DayOf(double instant) {
  return ifloor(instant + 0.5);
}

// Seconds after local midnight of an instant given as days from J2000 with fraction.
double SecondsOfDay(double instant) {
  const double x = instant + 0.5;
  return (x - std::floor(x)) * 86400;
}

}  // namespace

LunarYearBuilder::LunarYearBuilder()
    : NewMoonCorrections(Decompress(CompressedNewMoonCorrections())),
      TermCorrections(Decompress(CompressedTermCorrections())) {}

LunarYearTable LunarYearBuilder::YearTable() const {
  LunarYearTable table;
  table.leapIndex = leapIndex;
  std::copy(std::begin(monthNo), std::end(monthNo), table.monthNo);
  std::copy(std::begin(termDays), std::end(termDays), table.termDays);
  std::copy(std::begin(moonDays), std::end(moonDays), table.moonDays);
  std::copy(std::begin(monthLen), std::end(monthLen), table.monthLen);
  return table;
}

double LunarYearBuilder::NewMoonLow(double W) {
  const double v = 7771.37714500204;
  double t = (W + 1.08472) / v;
  t -= (-0.0000331 * t * t + 0.10976 * std::cos(0.785 + 8328.6914 * t) +
        0.02224 * std::cos(0.187 + 7214.0629 * t) - 0.03342 * std::cos(4.669 + 628.3076 * t)) /
           v +
       (32 * (t + 1.8) * (t + 1.8) - 20) / 86400 / 36525;
  return t * 36525 + 8.0 / 24;
}

double LunarYearBuilder::TermLow(double W) {
  const double v = 628.3319653318;
  double t = (W - 4.895062166) / v;
  t -= (53 * t * t + 334116 * std::cos(4.67 + 628.307585 * t) +
        2061 * std::cos(2.678 + 628.3076 * t) * t) /
       v / 10000000;
  const double L =
      48950621.66 + 6283319653.318 * t + 53 * t * t + 334166 * std::cos(4.669257 + 628.307585 * t) +
      3489 * std::cos(4.6261 + 1256.61517 * t) + 2060.6 * std::cos(2.67823 + 628.307585 * t) * t -
      994 - 834 * std::sin(2.1824 - 33.75705 * t);
  t -= (L / 10000000 - W) / 628.332 + (32 * (t + 1.8) * (t + 1.8) - 20) / 86400 / 36525;
  return t * 36525 + 8.0 / 24;
}

double LunarYearBuilder::TermHigh(double W) {
  double t = SunLongitudeTimeFast(W) * 36525;
  t = t - DeltaTDays(t) + 8.0 / 24;
  const double s = SecondsOfDay(t);
  // Within 20 minutes of midnight the fast series may fall on the wrong day.
  if (s < 1200 || s > 86400 - 1200) t = SunLongitudeTime(W) * 36525 - DeltaTDays(t) + 8.0 / 24;
  return t;
}

double LunarYearBuilder::NewMoonHigh(double W) {
  double t = NewMoonTimeFast(W) * 36525;
  t = t - DeltaTDays(t) + 8.0 / 24;
  const double s = SecondsOfDay(t);
  // Within 30 minutes of midnight the fast series may fall on the wrong day.
  if (s < 1800 || s > 86400 - 1800) t = NewMoonTime(W) * 36525 - DeltaTDays(t) + 8.0 / 24;
  return t;
}

int32_t LunarYearBuilder::NearestEventDay(double day, LunarEvent kind) const {
  const bool term = kind == LunarEvent::kTerm;
  const double* fit = term ? TermFitTable : NewMoonFitTable;
  const size_t fitSize = term ? std::size(TermFitTable) : std::size(NewMoonFitTable);
  const double lead = term ? 7 : 14;
  const double jd = day + kJ2000;
  const double meanFrom = fit[0] - lead;           // f1: start of the mean-calendar era
  const double lowFrom = fit[fitSize - 1] - lead;  // f2: start of the low-precision era

  // Ephemeris era, before the mean calendars and from 1960 on.
  if (jd < meanFrom || jd >= kEphemerisFrom) {
    if (term) {
      const double W = ifloor((jd + lead - kTermEpoch) / 365.2422 * 24) * kCalendarPi / 12;
      return DayOf(TermHigh(W));
    }
    const double W = ifloor((jd + lead - kMoonEpoch) / kMoonCycle) * 2 * kCalendarPi;
    return DayOf(NewMoonHigh(W));
  }

  // Mean-calendar era: the fitted mean event of the calendar in force.
  if (jd < lowFrom) {
    size_t i = 0;
    while (i + 2 < fitSize - 1 && !(jd + lead < fit[i + 2])) i += 2;
    double D = fit[i] + fit[i + 1] * ifloor((jd + lead - fit[i]) / fit[i + 1]);
    int32_t d = ifloor(D + 0.5);
    if (d == 1683460) d = 1683461;  // the new moon of −103-01-24
    return d - static_cast<int32_t>(kJ2000);
  }

  // Low-precision era, 619 (new moons) or 1645 (terms) to 1960: fast formula plus correction.
  if (term) {
    const double W = ifloor((jd + lead - kTermEpoch) / 365.2422 * 24) * kCalendarPi / 12;
    const int32_t d = DayOf(TermLow(W));
    return Corrected(d, TermCorrections, ifloor((jd - lowFrom) / 365.2422 * 24));
  }
  const double W = ifloor((jd + lead - kMoonEpoch) / kMoonCycle) * 2 * kCalendarPi;
  const int32_t d = DayOf(NewMoonLow(W));
  return Corrected(d, NewMoonCorrections, ifloor((jd - lowFrom) / kMoonCycle));
}

void LunarYearBuilder::BuildLunarYear(int32_t day) {
  // 355 is the winter solstice of 2000: W estimates the nearest winter solstice.
  double W = ifloor((day - 355 + 183) / kYear) * kYear + 355;
  if (NearestEventDay(W, LunarEvent::kTerm) > day) W -= kYear;
  for (int i = 0; i < 25; ++i) termDays[i] = NearestEventDay(W + 15.2184 * i, LunarEvent::kTerm);

  double w = NearestEventDay(termDays[0], LunarEvent::kNewMoon);
  if (w > termDays[0]) w -= 29.53;
  for (int i = 0; i < 15; ++i)
    moonDays[i] = NearestEventDay(w + kMoonCycle * i, LunarEvent::kNewMoon);

  leapIndex = 0;
  for (int i = 0; i < 14; ++i) {
    monthLen[i] = moonDays[i + 1] - moonDays[i];
    monthNo[i] = i;
  }

  const int32_t YY = ifloor((termDays[0] + 10 + 180) / kYear) + 2000;
  if (YY >= -721 && YY <= -104) {
    NumberAncientMonths(YY);
    return;
  }

  // Leap month: in a year of 13 months the first month without a middle term.
  if (moonDays[13] <= termDays[24]) {
    int i = 1;
    while (i < 13 && moonDays[i + 1] > termDays[2 * i]) ++i;
    leapIndex = i;
    for (int j = i; j < 14; ++j) {
      monthNo[j] -= 1;
      if (monthNo[j] < 1) monthNo[j] = 12;
    }
  }

  // Month numbers by 建, with the calendars that counted their months differently.
  for (int i = 0; i < 14; ++i) {
    const int32_t Dm = moonDays[i] + static_cast<int32_t>(kJ2000);
    const int32_t v = monthNo[i];
    int32_t number = kMonthNumber[v % 12];
    if ((Dm >= 1724360 && Dm <= 1729794) || (Dm >= 1807724 && Dm <= 1808699)) {
      number = kMonthNumber[(v + 1) % 12];  // 9-01-15 … 23-12-02 and 237-04-12 … 239-12-13
    } else if (Dm >= 1999349 && Dm <= 1999467) {
      number = kMonthNumber[(v + 2) % 12];  // 761-12-02 … 762-03-30
    } else if (Dm >= 1973067 && Dm <= 1977052) {
      if (v % 12 == 0 || v == 2) number = 1;  // 689-12-18 … 700-11-15: 子 month is 正月
    }
    if (Dm == 1729794 || Dm == 1808699) number = 12;
    monthNo[i] = number;
  }
}

void LunarYearBuilder::NumberAncientMonths(int32_t YY) {
  // The calendars in force for the years YY − 1, YY and YY + 1: the first day of each year,
  // the number of the extra (intercalary) month at its end and the table offset of its first
  // month. A year before −721 has no calendar.
  struct YearStart {
    bool known = false;
    int32_t start = 0;
    int32_t extra = 0;
    int32_t offset = 0;
  };
  YearStart years[3];
  for (int k = 0; k < 3; ++k) {
    const int32_t yy = YY + k - 1;
    double estimate = 0;
    if (yy >= -220) {
      estimate = 1640641 - kJ2000 + ifloor(0.866 + (yy + 220) * 12.369) * kMoonCycle;
      years[k] = {true, 0, 10, 11};
    } else if (yy >= -479) {
      estimate = 1546083 - kJ2000 + ifloor(0.500 + (yy + 479) * 12.368422) * kMoonCycle;
      years[k] = {true, 0, 13, 2};
    } else if (yy >= -721) {
      estimate = 1457698 - kJ2000 + ifloor(0.342 + (yy + 721) * 12.368422) * kMoonCycle;
      years[k] = {true, 0, 13, 2};
    } else {
      continue;
    }
    years[k].start = NearestEventDay(estimate, LunarEvent::kNewMoon);
  }

  for (int i = 0; i < 14; ++i) {
    // The latest year begun by this month; a month before every known start is counted
    // back from the earliest one.
    const YearStart* year = nullptr;
    for (const YearStart& y : years) {
      if (!y.known) continue;
      if (year == nullptr || moonDays[i] >= y.start) year = &y;
    }
    const int32_t n = ifloor((moonDays[i] - year->start + 15) / kMoonCycle);
    monthNo[i] = n < 12 ? kMonthNumber[((n + year->offset) % 12 + 12) % 12] : year->extra;
  }
}

}  // namespace taiyi
