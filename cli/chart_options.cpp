#include "cli/chart_options.h"

#include <cstdio>
#include <functional>
#include <iostream>
#include <optional>

#include "calendar/date_service.h"
#include "chart/places.h"
#include "cli/input_checks.h"
#include "cli/user_years.h"
#include "platform/clean_name.h"
#include "platform/ini_file.h"

namespace taiyi::cli {
bool ParseKind(const std::string& text, ChartKind& kind) {
  for (int k = 0; k < kChartKindCount; ++k) {
    const auto ck = static_cast<ChartKind>(k);
    if (text == ChartKindTitle(ck) || text == ChartKindName(ck) || text == std::to_string(k)) {
      kind = ck;
      return true;
    }
  }
  return false;
}

namespace {

const std::string kDateForm = "日期格式应为 YYYY-MM-DD";
const std::string kTimeForm = "时间格式应为 HH:MM";

// "YYYY-MM-DD" with an optional leading minus; the year in the user's numbering.
bool ParseDate(const std::string& text, int& y, int& m, int& d) {
  char extra = 0;
  return std::sscanf(text.c_str(), "%d-%d-%d%c", &y, &m, &d, &extra) == 3;
}

bool ParseTime(const std::string& text, int& h, int& mi) {
  char extra = 0;
  return std::sscanf(text.c_str(), "%d:%d%c", &h, &mi, &extra) == 2 && h >= 0 && h <= 23 &&
         mi >= 0 && mi <= 59;
}

std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

bool Given(const CLI::Option* option) {
  return option != nullptr && option->count() > 0;
}

}  // namespace

bool DateOf(const std::string& text, int& year, int& month, int& day, std::string& error) {
  int y = 0;
  if (!ParseDate(text, y, month, day)) {
    error = kDateForm;
    return false;
  }
  // Checked here, while the numbers are still whole: a month of 65537 must not become 1.
  if (month < 1 || month > 12 || day < 1 || day > 31) {
    error = kNoSuchDate;
    return false;
  }
  const std::optional<int> stored = StoredYear(y);
  if (!stored) {
    error = kYearMessage;
    return false;
  }
  year = *stored;
  return true;
}

namespace {

// A malformed option value stops the program as a usage error naming the option; the
// values that are well formed but refused (a year out of range, a day that does not exist)
// are refused later with the program's own message.
CLI::Validator FormCheck(const std::string& name,
                         std::function<std::string(const std::string&)> check) {
  return CLI::Validator(std::move(check), "", name);
}

const CLI::Validator kKindForm = FormCheck("KIND", [](const std::string& text) {
  ChartKind kind;
  return ParseKind(text, kind) ? std::string() : "未知的局类型: " + text;
});
const CLI::Validator kDateCheck = FormCheck("DATE", [](const std::string& text) {
  int y = 0, m = 0, d = 0;
  return ParseDate(text, y, m, d) ? std::string() : kDateForm;
});
const CLI::Validator kTimeCheck = FormCheck("TIME", [](const std::string& text) {
  int h = 0, mi = 0;
  return ParseTime(text, h, mi) ? std::string() : kTimeForm;
});

// The flow kind 1..4 of a --flow value, 0 when it names none.
int FlowKindOf(const std::string& text) {
  static const std::string kFlowNames[4] = {"年", "月", "日", "时"};
  for (int k = 0; k < 4; ++k)
    if (text == kFlowNames[k] || text == "流" + kFlowNames[k] || text == std::to_string(k + 1))
      return k + 1;
  return 0;
}

const CLI::Validator kFlowCheck = FormCheck("FLOW", [](const std::string& text) {
  return FlowKindOf(text) != 0 ? std::string() : "未知的流年类型: " + text;
});

// Applies one KEY=VALUE override; the message when it is malformed or names no setting.
std::string ApplySetting(const std::string& kv, ChartSettings& settings) {
  const auto eq = kv.find('=');
  if (eq == std::string::npos) return "--set 需要 KEY=VALUE: " + kv;
  const std::string key = kv.substr(0, eq), value = kv.substr(eq + 1);
  int v = 0;
  if (!ParseIniInteger(value, v)) return "--set 的值不是整数: " + kv;
  if (key == "bkcolor")
    settings.bkcolor = v;
  else if (key == "iDate" && v >= 0 && v <= 2)
    settings.iDate = v;
  else if (key == "iJiNian")
    settings.iJiNian = v;
  else if (key == "iMingJu" && (v == 0 || v == 1))
    settings.iMingJu = v;
  else if (key == "zishi")
    settings.zishi = v != 0;
  else if (key == "bOldBk")
    settings.bOldBk = v != 0;
  else if (key == "bShiJing")
    settings.bShiJing = v != 0;
  else
    return "未知的设置: " + kv;
  return {};
}

const CLI::Validator kSetCheck = FormCheck("KEY=VALUE", [](const std::string& kv) {
  ChartSettings scratch;
  return ApplySetting(kv, scratch);
});

}  // namespace

void AddRequestOptions(CLI::App* command, ChartOptions& o) {
  o.kindOpt =
      command->add_option("--kind", o.kind, "命局|年局|月局|日局|时局 or 0-4")->check(kKindForm);
  o.dateOpt =
      command->add_option("--date", o.date, "YYYY-MM-DD (negative years BC)")->check(kDateCheck);
  o.timeOpt = command->add_option("--time", o.time, "HH:MM")->check(kTimeCheck);
  o.lunarOpt = command->add_flag("--lunar", o.lunar, "the date is a lunar date");
  o.solarOpt = command->add_flag("--solar", o.solar, "the date is a Gregorian date (the default)");
  o.lunarOpt->excludes(o.solarOpt);
  o.leapOpt = command->add_flag("--leap", o.leap, "the lunar month is a leap month");
  o.femaleOpt = command->add_flag("--female", o.female, "坤造");
  o.maleOpt = command->add_flag("--male", o.male, "乾造 (the default)");
  o.femaleOpt->excludes(o.maleOpt);
  o.nameOpt = command->add_option("--name", o.name, "name")->check(Utf8Text());
  o.provinceOpt =
      command->add_option("--province", o.province, "province in dat/dili.ini")->check(Utf8Text());
  command->add_option("--city", o.city, "city of the province")->check(Utf8Text());
  o.lonOpt = command->add_option("--lon", o.lon, "longitude, degrees east")
                 ->check(Coordinate(180, kLongitudeMessage));
  command->add_option("--lat", o.lat, "latitude, degrees north")
      ->check(Coordinate(90, kLatitudeMessage));
}

void AddSettingOptions(CLI::App* command, ChartOptions& o) {
  command->add_option("--set", o.sets, "KEY=VALUE overriding dat/set.ini [taiyi]")
      ->check(kSetCheck);
}

void AddFlowOptions(CLI::App* command, ChartOptions& o) {
  command->add_option("--flow", o.flow, "年|月|日|时 (life charts)")->check(kFlowCheck);
  command->add_option("--flow-date", o.flowDate, "YYYY-MM-DD")->check(kDateCheck);
  command->add_option("--flow-time", o.flowTime, "HH:MM")->check(kTimeCheck);
}

bool ApplyRequestOptions(const ChartOptions& o, const AppFolder& folder, bool onlyGiven,
                         ChartRequest& r, std::string& error) {
  const auto use = [onlyGiven](const CLI::Option* option) { return !onlyGiven || Given(option); };
  if (use(o.kindOpt) && !ParseKind(o.kind, r.kind)) {
    error = "未知的局类型: " + o.kind;
    return false;
  }
  if (use(o.dateOpt)) {
    int y = 0, m = 0, d = 0;
    if (!DateOf(o.date, y, m, d, error)) return false;
    r.year = static_cast<int16_t>(y);
    r.month = static_cast<int16_t>(m);
    r.day = static_cast<int16_t>(d);
  }
  if (use(o.timeOpt)) {
    int h = 0, mi = 0;
    if (!ParseTime(o.time, h, mi)) {
      error = kTimeForm;
      return false;
    }
    r.hour = static_cast<int16_t>(h);
    r.minute = static_cast<int16_t>(mi);
  }
  if (Given(o.lunarOpt) || Given(o.solarOpt) || !onlyGiven) r.lunar = o.lunar;
  if (Given(o.leapOpt) || Given(o.solarOpt) || !onlyGiven) r.leapMonth = o.leap;
  if (Given(o.femaleOpt) || Given(o.maleOpt) || !onlyGiven) r.male = !o.female;
  if (use(o.nameOpt)) {
    const CleanedName cleaned = CleanName(Trim(o.name), 10);
    if (cleaned.changed && !o.name.empty())
      std::cerr << "姓名中包含：\"、*、<、>、?、\\、/、|、'、：等字符。已经处理为合适的文本！\n";
    r.SetName(cleaned.text);
  }
  const bool provinceGiven = Given(o.provinceOpt) || o.provinceGiven;
  const bool lonGiven = Given(o.lonOpt) || o.lonGiven;
  if (provinceGiven && o.province != kUnknownPlace) {
    PlaceTable places(folder.PlacesFile());
    Coordinates c;
    if (!places.CoordinatesOf(o.province, o.city, c)) {
      error = places.LastError();
      return false;
    }
    r.longitude = c.longitude;
    r.latitude = c.latitude;
    r.SetPlace(o.province + "-" + o.city);
    r.provinceIndex = 0;
    for (std::size_t i = 0; i < kProvinces.size(); ++i)
      if (kProvinces[i] == o.province) r.provinceIndex = static_cast<int16_t>(i);
    const std::vector<std::string> cities = places.CitiesOf(o.province);
    r.cityIndex = 0;
    for (std::size_t i = 0; i < cities.size(); ++i)
      if (cities[i] == o.city) r.cityIndex = static_cast<int16_t>(i);
  } else if (lonGiven || provinceGiven || !onlyGiven) {
    r.longitude = static_cast<float>(lonGiven ? o.lon : 120.0);
    r.latitude = static_cast<float>(lonGiven ? o.lat : 30.0);
    r.SetPlace(std::string(kUnknownPlace));
    r.provinceIndex = static_cast<int16_t>(kProvinces.size() - 1);
    r.cityIndex = 0;
  }
  return true;
}

bool ReadSettingsWithOverrides(const ChartOptions& o, const AppFolder& folder,
                               ChartSettings& settings, std::string& error) {
  settings = ReadChartSettings(folder.Dat() + "set.ini");
  return ApplySettingOverrides(o.sets, settings, error);
}

bool ApplySettingOverrides(const std::vector<std::string>& sets, ChartSettings& settings,
                           std::string& error) {
  for (const std::string& kv : sets) {
    error = ApplySetting(kv, settings);
    if (!error.empty()) return false;
  }
  return true;
}

bool ResolveFlowOptions(const ChartOptions& o, MYiDateEx& dates, int& kind, double& moment,
                        std::string& error) {
  kind = 0;
  if (o.flow.empty()) return true;
  kind = FlowKindOf(o.flow);
  if (kind == 0) {
    error = "未知的流年类型: " + o.flow;
    return false;
  }
  int y = 0, m = 0, d = 0, h = 0, mi = 0;
  if (!DateOf(o.flowDate, y, m, d, error)) return false;
  if (!ParseTime(o.flowTime, h, mi)) {
    error = kTimeForm;
    return false;
  }
  const YiDate date{static_cast<int16_t>(y), static_cast<int16_t>(m), static_cast<int16_t>(d),
                    static_cast<int16_t>(h), static_cast<int16_t>(mi)};
  if (!dates.IsValidSolarDate(date)) {
    error = kNoSuchDate;
    return false;
  }
  // Three seconds past the minute, so that rounding to the minute cannot fall back one.
  moment = dates.ToJulianDay(date) + 3.0 / 86400;
  return true;
}

}  // namespace taiyi::cli
