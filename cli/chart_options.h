// The chart options shared by every command that charts or stores a chart: the request
// (kind, moment, sex, name, place), the setting overrides and the flow moment, and how they
// become a ChartRequest, ChartSettings and a flow moment.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "chart/chart_request.h"
#include "platform/app_folder.h"

namespace taiyi {
class MYiDateEx;
}

namespace taiyi::cli {

// The year check's message, as the input panel shows it.
inline constexpr char kYearMessage[] =
    "年份必须在-4713到9999年之间，并且没有公元0年\r\n"
    "注意：公元前用负数，比如公元前120年，就输入-120";

struct ChartOptions {
  std::string kind = "命局";
  std::string date = "2000-01-01";
  std::string time = "12:00";
  bool lunar = false, solar = false, leap = false, female = false, male = false;
  std::string name;
  std::string province, city;
  double lon = 120, lat = 30;
  std::vector<std::string> sets;
  std::string flow, flowDate, flowTime = "12:00";
  // Set by callers that fill the options without CLI11 (a batch line): the place or the
  // coordinates were given.
  bool provinceGiven = false, lonGiven = false;

  // The options as added, to tell which were given.
  CLI::Option *kindOpt = nullptr, *dateOpt = nullptr, *timeOpt = nullptr, *lunarOpt = nullptr,
              *solarOpt = nullptr, *leapOpt = nullptr, *femaleOpt = nullptr, *maleOpt = nullptr,
              *nameOpt = nullptr, *provinceOpt = nullptr, *lonOpt = nullptr;
};

// --kind --date --time --lunar|--solar --leap --female --male --name --province --city --lon --lat.
// A chart kind by its title (命局), its name or its number (0-4).
bool ParseKind(const std::string& text, ChartKind& kind);

// The stored year, month and day of a typed "YYYY-MM-DD"; false with the message: the form,
// the year's range, or kNoSuchDate for a month or day out of range.
bool DateOf(const std::string& text, int& year, int& month, int& day, std::string& error);

void AddRequestOptions(CLI::App* command, ChartOptions& options);
// --set KEY=VALUE (repeatable).
void AddSettingOptions(CLI::App* command, ChartOptions& options);
// --flow --flow-date --flow-time.
void AddFlowOptions(CLI::App* command, ChartOptions& options);

// Fills the request from the options.  With onlyGiven, fields whose options were not given
// keep their values (a stored case being updated); otherwise every field is set, from the
// options' defaults where not given.  A name that cleaning changed gets the notice on
// stderr.  False with the message when an option is malformed.
bool ApplyRequestOptions(const ChartOptions& options, const AppFolder& folder, bool onlyGiven,
                         ChartRequest& request, std::string& error);

// dat/set.ini's chart settings with the --set overrides.
bool ReadSettingsWithOverrides(const ChartOptions& options, const AppFolder& folder,
                               ChartSettings& settings, std::string& error);
// The --set overrides applied to settings already read.
bool ApplySettingOverrides(const std::vector<std::string>& sets, ChartSettings& settings,
                           std::string& error);

// The flow of --flow: kind 1..4 (0 when no flow was asked for) and its moment as a Julian
// day.  False with the message when the options are malformed or the date does not exist.
bool ResolveFlowOptions(const ChartOptions& options, MYiDateEx& dates, int& kind, double& moment,
                        std::string& error);

}  // namespace taiyi::cli
