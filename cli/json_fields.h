// The pieces every JSON document of the command-line program shares, so that one thing has
// one key and one form everywhere: dates and moments (the form the options read back and
// ISO 8601), lunar dates, the four pillars and stored coordinates.
#pragma once

#include <string>

#include "calendar/yi_date.h"
#include "cli/json_output.h"

namespace taiyi::cli {

// "YYYY-MM-DD" of a stored date with the year as users type it: "-0120-03-01" is 120 BC.
std::string DateText(const YiDate& d);
// "HH:MM".
std::string TimeText(const YiDate& d);
// ISO 8601 with the astronomical year: "-0119-03-01", and with the time and the offset of
// Beijing time "-0119-03-01T08:00:00+08:00".
std::string IsoDate(const YiDate& d);
std::string IsoMoment(const YiDate& d);

// Adds "date" and "iso" of a civil date.
void AddCivilDate(Json& j, const YiDate& d);
// Adds "date", "time" and "iso" of a civil moment.
void AddMoment(Json& j, const YiDate& d);
// {"date", "time", "iso"} of a civil moment.
Json MomentJson(const YiDate& d);
// {"date", "year", "month", "day", "leap", "name"} of a lunar date (stored year); "date" is
// the form `--lunar` reads back, "name" the month and day as 闰二月初一.
Json LunarDateJson(const YiDate& lunar, bool leap);
// {"year", "month", "day", "hour"}: the names of four sexagenary numbers.
Json PillarsJson(int year, int month, int day, int hour);
// A single-precision coordinate as it was typed: the shortest decimal that reads back as
// the same float, at most 6 decimals (119.3, not 119.30000305175781).
double CoordinateValue(float value);

}  // namespace taiyi::cli
