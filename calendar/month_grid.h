// One civil month laid out as the perpetual calendar shows it: a 7-column grid, Monday first,
// with each day's lunar month and day, the month's solar terms and the four pillars and era
// title of the selected moment. Pure data; the calendar window only draws it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "calendar/date_service.h"
#include "calendar/era_names.h"
#include "calendar/yi_date.h"

namespace taiyi {

// Day of a term slot that holds no term: it matches no day label.
inline constexpr int16_t kNoTermDay = -100;

// One day cell. Row 0 of the grid holds the weekday header, so days start in row 1.
struct MonthGridDay {
  int label = 0;      // day of the month as shown (October 1582: 1 … 4, 15 … 31)
  int column = 0;     // 0 = Monday … 6 = Sunday
  int row = 0;        // 1 … 6
  std::string upper;  // "%d", "%d月" on day 1, + " " + term name on a term day
  std::string lower;  // lunar month and day, e.g. 闰四月初五
  bool termDay = false;
  bool selected = false;
};

struct MonthGrid {
  int year = 0;         // stored year of the month
  int month = 0;        // 1 … 12
  int monthLength = 0;  // 0 when the selected date does not exist; nothing else is filled then
  int firstColumn = 0;  // column of day 1
  std::array<TermEntry, 3> terms{};  // the month's terms in time order; unused slots kNoTermDay
  std::vector<MonthGridDay> days;
  std::string title;       // "%d年%d月", the year as the user writes it
  std::string eraTitle;    // era text of the pillar year + "  【%s年】" with its zodiac animal
  std::string termText;    // "%s:%d日%d时%d分" + two line breaks for each term of the month
  std::string pillarText;  // "%s%s年", "%s%s月", "%s%s日" and "%s%s时" on four lines
};

// Header text of grid column 0 … 6: 星期一 … 星期日.
std::string WeekdayHeader(int column);

// Lays out the month of `selected` (stored year). yearTerms is the YearTerms list of the
// selected year. The pillars are those of the selected moment, 23:00 counting as the next day.
MonthGrid BuildMonthGrid(MYiDateEx& service, EraNames& eras, const YiDate& selected,
                         const TermEntry* yearTerms);

// Day (as stored in a date, 1 … 31) shown in cell index (row − 1) · 7 + column, or 0 when the
// cell is empty. October 1582 skips the ten dropped days.
int GridDayAt(const MonthGrid& grid, int cellIndex);

}  // namespace taiyi
