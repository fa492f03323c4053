#include "cli/json_fields.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "calendar/ganzhi_names.h"
#include "cli/user_years.h"

namespace taiyi::cli {

std::string DateText(const YiDate& d) {
  char text[16];
  std::snprintf(text, sizeof text, "-%02d-%02d", d.month, d.day);
  return YearText(d.year) + text;
}

std::string TimeText(const YiDate& d) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", d.hour, d.minute);
  return text;
}

std::string IsoDate(const YiDate& d) {
  char text[24];
  std::snprintf(text, sizeof text, "%s%04d-%02d-%02d", d.year < 0 ? "-" : "", std::abs(d.year),
                d.month, d.day);
  return text;
}

std::string IsoMoment(const YiDate& d) {
  char text[24];
  std::snprintf(text, sizeof text, "T%02d:%02d:00+08:00", d.hour, d.minute);
  return IsoDate(d) + text;
}

void AddCivilDate(Json& j, const YiDate& d) {
  j["date"] = DateText(d);
  j["iso"] = IsoDate(d);
}

void AddMoment(Json& j, const YiDate& d) {
  j["date"] = DateText(d);
  j["time"] = TimeText(d);
  j["iso"] = IsoMoment(d);
}

Json MomentJson(const YiDate& d) {
  Json j;
  AddMoment(j, d);
  return j;
}

Json LunarDateJson(const YiDate& lunar, bool leap) {
  return {{"date", DateText(lunar)},
          {"year", TypedYear(lunar.year)},
          {"month", lunar.month},
          {"day", lunar.day},
          {"leap", leap},
          {"name", LunarMonthName(lunar.month, leap) + LunarDayName(lunar.day)}};
}

Json PillarsJson(int year, int month, int day, int hour) {
  return {{"year", GanZhiName(year)},
          {"month", GanZhiName(month)},
          {"day", GanZhiName(day)},
          {"hour", GanZhiName(hour)}};
}

double CoordinateValue(float value) {
  if (!std::isfinite(value)) return value;  // written as null
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text - 1, value).ptr;
  *end = '\0';
  const double typed = std::strtod(text, nullptr);
  return std::round(typed * 1e6) / 1e6;
}

}  // namespace taiyi::cli
