// Reverse search from four pillars to a civil moment: given the year pillar, the month branch,
// the day pillar and the hour branch (the month and hour stems follow from the year and day
// stems), the first moment from a start year whose pillars are those.
#pragma once

#include <optional>
#include <string>

#include "calendar/date_service.h"
#include "calendar/yi_date.h"

namespace taiyi {

// The message of a start year outside −4713 … 9999 or of year 0.
inline constexpr char kStartYearMessage[] =
    "起始年必须在-4713到9999年之间，并且没有公元0年\n注意：公元前用负数，比如公元前120年，就输入-"
    "120";
// The text shown when no moment has the pillars.
inline constexpr char kNoPillarMatchMessage[] = "没有符合的四柱，改变起始年反推，或许可以找到。";

// The four pillars looked for, as sexagenary numbers (1 = 甲子 … 59 = 壬戌, 0 = 癸亥).
struct TargetPillars {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
};

// Which pillar of a choice has no stem-branch pair.
enum class PillarSlot { kYear, kMonth, kDay, kHour };

// "不存在这个年柱！" and the like.
std::string NoSuchPillarMessage(PillarSlot slot);

// Stem number (1 = 甲 … 0 = 癸) of the month of branch number monthBranch (1 = 子 … 0 = 亥) in a
// year of stem yearStem, and of the hour of branch hourBranch on a day of stem dayStem.
int MonthStemOf(int yearStem, int monthBranch);
int HourStemOf(int dayStem, int hourBranch);

// The stems and branches a user chooses: stem numbers 0 … 9, branch numbers 0 … 11.
struct PillarChoice {
  int yearStem = 1, yearBranch = 1;
  int monthBranch = 3;
  int dayStem = 1, dayBranch = 1;
  int hourBranch = 1;
};

// The four pillars of a choice, the month and hour stems filled in; the first pillar whose
// stem and branch differ in parity otherwise.
struct PillarBuild {
  std::optional<TargetPillars> pillars;
  PillarSlot failed = PillarSlot::kYear;
};
PillarBuild BuildTargetPillars(const PillarChoice& choice);

// True for a start year as the user types it: −4713 … 9999 without 0.
bool IsValidStartYear(int typedYear);

// The first moment (an even hour, minute 0, UTC+8) whose four pillars are `target`, in a
// pillar year from startYear (stored numbering) on, 23:00 counting as the next day; nullopt
// when none lies before 9999. target.month and target.hour are read by their branches only.
std::optional<YiDate> FindPillarMoment(MYiDateEx& service, int startYear,
                                       const TargetPillars& target);

// "%d年 %d月 %d日 %d时 %d分" of a stored moment, the year as the user writes it.
std::string PillarMomentText(const YiDate& moment);

}  // namespace taiyi
