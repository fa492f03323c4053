#include "calendar/month_grid.h"

#include <cstdio>

#include "calendar/calendar_date.h"
#include "calendar/ganzhi_names.h"
#include "calendar/typed_years.h"

namespace taiyi {
namespace {

// October 1582 goes from the 4th straight to the 15th.
bool IsReformMonth(int year, int month) {
  return year == 1582 && month == 10;
}

std::string Format(const char* format, int a, int b) {
  char text[64];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

std::string PillarLine(int pillar, const char* unit) {
  return std::string(GanZhiName(pillar)) + unit;
}

}  // namespace

std::string WeekdayHeader(int column) {
  return "星期" + std::string(kWeekdayHeaders[((column % 7) + 7) % 7]);
}

MonthGrid BuildMonthGrid(MYiDateEx& service, EraNames& eras, const YiDate& selected,
                         const TermEntry* yearTerms) {
  MonthGrid grid;
  if (!service.IsValidSolarDate(selected)) return grid;
  const int year = selected.year;
  const int month = selected.month;
  grid.year = year;
  grid.month = month;
  grid.monthLength = MonthLength(year, month);

  for (TermEntry& slot : grid.terms) slot.date.day = kNoTermDay;
  size_t used = 0;
  for (int i = 0; i < 30 && yearTerms[i].date.year != kTermListEnd; ++i) {
    const TermEntry& term = yearTerms[i];
    if (term.date.month != month || used == grid.terms.size()) continue;
    grid.terms[used++] = term;
    grid.termText += std::string(kSolarTermNames[term.index]) + ":" +
                     Format("%d日%d时", term.date.day, term.date.hour) +
                     Format("%d分", term.date.minute, 0) + "\n\n";
  }

  grid.firstColumn = (service.Weekday(YiDate{selected.year, selected.month, 1, 0, 0}) + 6) % 7;
  grid.days.reserve(grid.monthLength);
  for (int j = 1; j <= grid.monthLength; ++j) {
    MonthGridDay cell;
    cell.label = IsReformMonth(year, month) && j > 4 ? j + 10 : j;
    const int index = grid.firstColumn + j - 1;
    cell.column = index % 7;
    cell.row = 1 + index / 7;
    cell.upper = j == 1 ? Format("%d月", month, 0) : Format("%d", cell.label, 0);
    for (const TermEntry& term : grid.terms) {
      if (term.date.day == cell.label) {
        cell.termDay = true;
        cell.upper += " " + std::string(kSolarTermNames[term.index]);
        break;
      }
    }
    YiDate lunar;
    const bool leap = service.SolarToLunar(
        YiDate{selected.year, selected.month, static_cast<int16_t>(cell.label), 12, 0}, lunar);
    cell.lower = LunarMonthName(lunar.month, leap) + LunarDayName(lunar.day);
    cell.selected = cell.label == selected.day;
    grid.days.push_back(std::move(cell));
  }

  const FourPillarsResult p = service.FourPillars(selected, selected, false);
  const int shownYear = TypedYearOf(year);
  grid.title = Format("%d年%d月", shownYear, month);
  grid.eraTitle =
      eras.EraText(p.pillarYear) + "  【" + std::string(kZodiacNames[BranchOf(p.year)]) + "年】";
  grid.pillarText = PillarLine(p.year, "年\n") + PillarLine(p.month, "月\n") +
                    PillarLine(p.day, "日\n") + PillarLine(p.hour, "时");
  return grid;
}

int GridDayAt(const MonthGrid& grid, int cellIndex) {
  if (cellIndex < grid.firstColumn || cellIndex >= grid.firstColumn + grid.monthLength) return 0;
  const int position = cellIndex - grid.firstColumn;  // 0-based position in the day list
  return (IsReformMonth(grid.year, grid.month) && position > 3 ? position + 10 : position) + 1;
}

}  // namespace taiyi
