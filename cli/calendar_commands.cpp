// Calendar look-ups of the command-line program: lunar and civil dates, solar terms, a
// day list, the four pillars and era names. Years are typed and printed as users write
// them (no year 0; -120 is 120 BC).
#include <cstdio>
#include <iostream>
#include <optional>
#include <regex>
#include <string>

#include "calendar/date_service.h"
#include "calendar/era_names.h"
#include "calendar/ganzhi_names.h"
#include "cli/command_registry.h"
#include "cli/json_fields.h"
#include "cli/user_years.h"

namespace taiyi::cli {
namespace {

constexpr char kYearOutOfRange[] = "时间越界，年份在 -4713到9999之间";
constexpr char kNoSuchDate[] = "不存在这个日期";

struct Parsed {
  YiDate date;
  std::string error;  // empty on success
  int code = 0;       // exit code of the error: 1 out of range, 2 bad form
};

// Reads "YYYY-MM-DD" or "YYYY-MM-DD HH:MM" (withTime) into a stored-year date. Checks
// the form, the hour and minute, the year range; the day is checked by the caller.
Parsed ParseMoment(const std::string& text, bool withTime) {
  static const std::regex dateOnly(R"(\s*(-?\d{1,4})-(\d{1,2})-(\d{1,2})\s*)");
  static const std::regex dateTime(
      R"(\s*(-?\d{1,4})-(\d{1,2})-(\d{1,2})[ T]+(\d{1,2}):(\d{2})\s*)");
  Parsed p;
  std::smatch m;
  if (!std::regex_match(text, m, withTime ? dateTime : dateOnly)) {
    p.error = "bad " + std::string(withTime ? "moment" : "date") + " \"" + text + "\": expected " +
              (withTime ? "\"YYYY-MM-DD HH:MM\"" : "YYYY-MM-DD");
    p.code = 2;
    return p;
  }
  const std::optional<int> year = StoredYear(std::stoi(m[1]));
  if (!year) {
    p.error = kYearOutOfRange;
    p.code = 1;
    return p;
  }
  p.date.year = static_cast<int16_t>(*year);
  p.date.month = static_cast<int16_t>(std::stoi(m[2]));
  p.date.day = static_cast<int16_t>(std::stoi(m[3]));
  if (withTime) {
    const int hour = std::stoi(m[4]);
    const int minute = std::stoi(m[5]);
    if (hour > 23 || minute > 59) {
      p.error = "bad time \"" + text + "\": hour 0-23, minute 0-59";
      p.code = 2;
      return p;
    }
    p.date.hour = static_cast<int16_t>(hour);
    p.date.minute = static_cast<int16_t>(minute);
  }
  return p;
}

// A civil date read from the command line, or the exit code of its error.
std::optional<YiDate> CivilDate(const std::string& text, bool withTime, int& code) {
  Parsed p = ParseMoment(text, withTime);
  if (p.error.empty() && !taiyi::IsValidSolarDate(p.date.year, p.date.month, p.date.day)) {
    p.error = kNoSuchDate;
    p.code = 1;
  }
  if (!p.error.empty()) {
    code = p.code == 1 ? Fail(p.error) : (std::cerr << p.error << "\n", 2);
    return std::nullopt;
  }
  return p.date;
}

std::string PillarName(int n) {
  return std::string(GanZhiName(n));
}

// The civil date, its lunar date and its day pillar, as lunar, solar and days print them.
Json DayJson(MYiDateEx& service, const YiDate& civil, const YiDate& lunar, bool leap) {
  Json doc;
  AddCivilDate(doc, civil);
  doc["lunarDate"] = LunarDateJson(lunar, leap);
  doc["dayPillar"] = GanZhiName(service.DayGanZhi(civil));
  return doc;
}

int RunLunar(const std::string& text, bool json) {
  int code = 0;
  const std::optional<YiDate> solar = CivilDate(text, false, code);
  if (!solar) return code;
  MYiDateEx service;
  YiDate lunar;
  const bool leap = service.SolarToLunar(*solar, lunar);
  if (json) {
    PrintJson(DayJson(service, *solar, lunar, leap));
  } else {
    std::cout << TypedYear(lunar.year) << "年" << LunarMonthName(lunar.month, leap)
              << LunarDayName(lunar.day) << "\n";
  }
  return 0;
}

int RunSolar(const std::string& text, bool leap, bool json) {
  Parsed p = ParseMoment(text, false);
  if (!p.error.empty()) {
    if (p.code == 1) return Fail(p.error);
    std::cerr << p.error << "\n";
    return 2;
  }
  MYiDateEx service;
  YiDate solar;
  std::string message;
  // Month 13 is the extra month of the ancient calendars.
  const bool inRange =
      p.date.month >= 1 && p.date.month <= 13 && p.date.day >= 1 && p.date.day <= 30;
  if (!inRange || !service.LunarToSolar(p.date, solar, leap, &message)) {
    return Fail(inRange ? message : kNoSuchLunarDateMessage);
  }
  if (json) {
    YiDate lunar;
    const bool isLeap = service.SolarToLunar(solar, lunar);
    PrintJson(DayJson(service, solar, lunar, isLeap));
  } else {
    std::cout << DateText(solar) << "\n";
  }
  return 0;
}

int RunTerms(int typedYear, bool json) {
  const std::optional<int> year = StoredYear(typedYear);
  if (!year) return Fail(kYearOutOfRange);
  MYiDateEx service;
  TermEntry list[25];
  service.YearTerms(*year, list);
  for (int i = 0; list[i].date.year != kTermListEnd; ++i) {
    if (json) {
      Json line{{"name", kSolarTermNames[list[i].index]}};
      AddMoment(line, list[i].date);
      PrintJsonLine(line);
      continue;
    }
    std::cout << DateText(list[i].date) << " " << TimeText(list[i].date) << "\t"
              << kSolarTermNames[list[i].index] << "\n";
  }
  return 0;
}

int RunDays(const std::string& fromText, const std::string& toText, bool json) {
  int code = 0;
  const std::optional<YiDate> from = CivilDate(fromText, false, code);
  if (!from) return code;
  const std::optional<YiDate> to = CivilDate(toText, false, code);
  if (!to) return code;
  MYiDateEx service;
  YiDate day = *from;
  day.hour = 12;
  const double last = service.ToJulianDay(YiDate{to->year, to->month, to->day, 12, 0});
  std::string out;
  out.reserve(1 << 16);
  YiDate lunar;
  char line[96];
  while (service.ToJulianDay(day) <= last) {
    const bool leap = service.SolarToLunar(day, lunar);
    if (json) {
      Json line = DayJson(service, day, lunar, leap);
      out += JsonText(line);
      out += '\n';
      if (out.size() > (1 << 16) - 512) {
        std::fwrite(out.data(), 1, out.size(), stdout);
        out.clear();
      }
      service.NextDay(day);
      continue;
    }
    const int pillar = service.DayGanZhi(day);
    const std::string_view name = GanZhiName(pillar);
    std::snprintf(line, sizeof line, "%s\t%d\t%d\t%d\t%d\t%.*s\n", DateText(day).c_str(),
                  TypedYear(lunar.year), lunar.month, leap ? 1 : 0, lunar.day,
                  static_cast<int>(name.size()), name.data());
    out += line;
    if (out.size() > (1 << 16) - 128) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
    service.NextDay(day);
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fflush(stdout);
  return 0;
}

int RunPillars(const std::string& text, bool splitZiHour, bool json) {
  int code = 0;
  const std::optional<YiDate> moment = CivilDate(text, true, code);
  if (!moment) return code;
  MYiDateEx service;
  const FourPillarsResult p = service.FourPillars(*moment, *moment, splitZiHour);
  if (json) {
    Json doc;
    AddMoment(doc, *moment);
    doc["pillars"] = PillarsJson(p.year, p.month, p.day, p.hour);
    PrintJson(doc);
    return 0;
  }
  std::cout << PillarName(p.year) << " " << PillarName(p.month) << " " << PillarName(p.day) << " "
            << PillarName(p.hour) << "\n";
  return 0;
}

int RunEra(int typedYear, bool json) {
  const std::optional<int> year = StoredYear(typedYear);
  if (!year) return Fail(kYearOutOfRange);
  EraNames names;
  const std::string text = names.EraText(*year);
  if (!json) {
    std::cout << text << "\n";
    return 0;
  }
  // Periods of division give several eras joined by "；".
  static constexpr std::string_view kJoin = "；";
  Json eras = Json::array();
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find(kJoin, start);
    if (end == std::string::npos) end = text.size();
    eras.push_back(text.substr(start, end - start));
    start = end + kJoin.size();
  }
  PrintJson({{"year", typedYear}, {"eras", eras}});
  return 0;
}

CommandRegistrar registrar{
    20, [](CLI::App& app, CliContext& ctx) {
      {
        auto* sub = app.add_subcommand("lunar", "Lunar date of a civil date");
        auto date = std::make_shared<std::string>();
        auto json = std::make_shared<bool>(false);
        sub->add_option("DATE", *date, "Civil date YYYY-MM-DD")->required();
        AddJsonFlag(sub, *json);
        sub->callback(
            [&ctx, date, json] { ctx.run = [date, json] { return RunLunar(*date, *json); }; });
      }
      {
        auto* sub = app.add_subcommand("solar", "Civil date of a lunar date");
        auto date = std::make_shared<std::string>();
        auto leap = std::make_shared<bool>(false);
        sub->add_option("DATE", *date, "Lunar date YYYY-MM-DD (year, month, day)")->required();
        auto json = std::make_shared<bool>(false);
        sub->add_flag("--leap", *leap, "The month is a leap month");
        AddJsonFlag(sub, *json);
        sub->callback([&ctx, date, leap, json] {
          ctx.run = [date, leap, json] { return RunSolar(*date, *leap, *json); };
        });
      }
      {
        auto* sub = app.add_subcommand("terms", "The solar terms of a civil year");
        auto year = std::make_shared<int>(0);
        auto json = std::make_shared<bool>(false);
        sub->add_option("YEAR", *year, "Civil year")->required();
        AddJsonFlag(sub, *json);
        sub->callback(
            [&ctx, year, json] { ctx.run = [year, json] { return RunTerms(*year, *json); }; });
      }
      {
        auto* sub = app.add_subcommand("days", "Lunar date and day pillar of every civil day");
        auto from = std::make_shared<std::string>();
        auto to = std::make_shared<std::string>();
        sub->add_option("FROM", *from, "First civil date YYYY-MM-DD")->required();
        auto json = std::make_shared<bool>(false);
        sub->add_option("TO", *to, "Last civil date YYYY-MM-DD")->required();
        AddJsonFlag(sub, *json);
        sub->callback([&ctx, from, to, json] {
          ctx.run = [from, to, json] { return RunDays(*from, *to, *json); };
        });
      }
      {
        auto* sub = app.add_subcommand("pillars", "The four pillars of a moment");
        auto moment = std::make_shared<std::string>();
        auto zishi = std::make_shared<bool>(false);
        sub->add_option("MOMENT", *moment, "\"YYYY-MM-DD HH:MM\" (UTC+8)")->required();
        auto json = std::make_shared<bool>(false);
        sub->add_flag("--zishi", *zishi, "Split the 子 hour: 23:00 keeps the current day");
        AddJsonFlag(sub, *json);
        sub->callback([&ctx, moment, zishi, json] {
          ctx.run = [moment, zishi, json] { return RunPillars(*moment, *zishi, *json); };
        });
      }
      {
        auto* sub = app.add_subcommand("era", "Era names (年号) of a year");
        auto year = std::make_shared<int>(0);
        auto json = std::make_shared<bool>(false);
        sub->add_option("YEAR", *year, "Year")->required();
        AddJsonFlag(sub, *json);
        sub->callback(
            [&ctx, year, json] { ctx.run = [year, json] { return RunEra(*year, *json); }; });
      }
    }};

}  // namespace
}  // namespace taiyi::cli
