// taiyi-cli select: 择时, every year, month, day or two-hour chart of a range that meets the
// chart conditions, one line (or one JSON line) per period.
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "calendar/date_service.h"
#include "calendar/ganzhi_names.h"
#include "chart/analysis_lines.h"
#include "chart/period_selection.h"
#include "chart/places.h"
#include "cli/chart_condition_options.h"
#include "cli/chart_json.h"
#include "cli/chart_options.h"
#include "cli/command_registry.h"
#include "cli/user_years.h"

namespace taiyi::cli {
namespace {

inline constexpr char kNothingSelected[] = "没有符合条件的局。";

struct SelectCommand {
  std::string kind;
  std::string from, to;
  ChartOptions place;  // --province --city --lon --lat --set
  ConditionOptions conditions;
  std::size_t limit = 0;
  bool json = false;
};

// A kind of chart that has periods: every kind but the life chart.
bool ParsePeriodKind(const std::string& text, ChartKind& kind) {
  ChartKind parsed;
  if (!ParseKind(text, parsed) || parsed == ChartKind::kLife) return false;
  kind = parsed;
  return true;
}

// A typed "YYYY-MM-DD" at the given time; throws a usage error when malformed.
// A month or day out of range gives a date that does not exist, refused with the others later.
YiDate DateOption(const char* option, const std::string& text, int hour, int minute) {
  int y = 0, m = 0, d = 0;
  std::string error;
  if (!DateOf(text, y, m, d, error)) {
    if (error != kNoSuchDate) throw CLI::ValidationError(option, error);
    m = 0;
  }
  return YiDate{static_cast<int16_t>(y), static_cast<int16_t>(m), static_cast<int16_t>(d),
                static_cast<int16_t>(hour), static_cast<int16_t>(minute)};
}

std::string Moment(const YiDate& d) {
  return MomentText(d.year, d.month, d.day, d.hour, d.minute);
}

// One period as a line: moment, pillars, 遁 and ju, counts, gate, conditions, patterns.
std::string Line(const ComputedChart& c) {
  const Pillars& p = c.pillars.pillars;
  std::string line = Moment(c.moments.clockMoment);
  line += "  " + std::string(GanZhiName(p.year)) + "年 " + std::string(GanZhiName(p.month)) +
          "月 " + std::string(GanZhiName(p.day)) + "日 " + std::string(GanZhiName(p.hour)) + "时";
  line += std::string("  ") + (c.ju.yang ? "阳遁" : "阴遁") + std::to_string(c.ju.ju) + "局";
  line += "  主算" + std::to_string(c.counts.host) + " 客算" + std::to_string(c.counts.guest) +
          " 定算" + std::to_string(c.counts.fixed);
  if (c.ju.hasGate) line += "  " + std::string(GateName(c.ju.gate)) + "门";
  std::string conditions = ConditionsLine(c.conditions, false);
  conditions.erase(conditions.find("。"));
  std::string patterns = PatternLine(c.patterns);
  patterns.erase(patterns.find("。"));
  return line + "  " + conditions + "  " + patterns + "\n";
}

// The keys of `chart --json` that describe the period's chart, without the hexagrams and
// the per-deity facts.
std::string JsonLine(const ComputedChart& c) {
  nlohmann::ordered_json j = ChartJson(c);
  for (const char* key : {"hexagrams", "facts", "lifePalaces"}) j.erase(key);
  return j.dump() + "\n";
}

int RunSelect(const CliContext& ctx, const SelectCommand& command, const PeriodSelection& base) {
  AppFolder folder;
  if (!PrepareFolder(ctx, folder)) return 1;
  PeriodSelection selection = base;
  ChartRequest request;
  request.kind = selection.kind;
  std::string error;
  if (!ApplyRequestOptions(command.place, folder, true, request, error)) return Fail(error);
  // Without a place the periods are charted at the default coordinates, an unknown place.
  if (request.place.empty()) request.SetPlace(std::string(kUnknownPlace));
  if (!ReadSettingsWithOverrides(command.place, folder, selection.settings, error))
    return Fail(error);
  selection.longitude = request.longitude;

  MYiDateEx dates;
  if (!dates.IsValidSolarDate(selection.from) || !dates.IsValidSolarDate(selection.to))
    return Fail(kNoSuchDate);
  if (MinuteNumber(selection.to) < MinuteNumber(selection.from))
    return Fail("结束日期不能早于起始日期");

  const SelectionResult found = SelectPeriods(selection);
  std::string out;
  std::size_t printed = 0;
  for (const SelectedPeriod& period : found.periods) {
    request.SetDate(period.start);
    const ChartResult chart = ComputeChart(request, selection.settings, dates);
    if (!chart.ok) return Fail(Moment(period.start) + " " + chart.error);
    // The scan placed each chart once; the line shows the chart as `chart` computes it.
    if (!Meets(FeaturesOf(chart.chart), selection.conditions)) continue;
    out += command.json ? JsonLine(chart.chart) : Line(chart.chart);
    ++printed;
    if (out.size() > (1 << 16)) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  if (printed == 0 && !command.json) out = std::string(kNothingSelected) + "\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

CommandRegistrar reg{
    32, [](CLI::App& app, CliContext& ctx) {
      auto* command = new SelectCommand;  // lives as long as the program
      auto* sub = app.add_subcommand(
          "select", "择时: the year, month, day or hour charts of a range that meet conditions");
      sub->add_option("--kind", command->kind, "年局|月局|日局|时局 (or 年 月 日 时, 1-4)")
          ->required();
      sub->add_option("--from", command->from, "first day YYYY-MM-DD (from 00:00)")->required();
      sub->add_option("--to", command->to, "last day YYYY-MM-DD (to 23:59)")->required();
      sub->add_option("--limit", command->limit, "print at most N periods");
      sub->add_flag("--json", command->json, "one JSON document per line");
      ChartOptions& o = command->place;
      o.provinceOpt = sub->add_option("--province", o.province,
                                      "province in dat/dili.ini (for 真太阳时 and 地方时)");
      sub->add_option("--city", o.city, "city of the province");
      o.lonOpt = sub->add_option("--lon", o.lon, "longitude, degrees east");
      sub->add_option("--lat", o.lat, "latitude, degrees north");
      AddSettingOptions(sub, o);
      AddConditionOptions(sub, command->conditions);
      sub->callback([&ctx, command] {
        PeriodSelection selection;
        if (!ParsePeriodKind(command->kind, selection.kind))
          throw CLI::ValidationError(
              "--kind", "未知的局类型 " + command->kind + "（可用：年局 月局 日局 时局）");
        selection.from = DateOption("--from", command->from, 0, 0);
        selection.to = DateOption("--to", command->to, 23, 59);
        selection.conditions = ReadConditionOptions(command->conditions);
        selection.limit = command->limit;
        ctx.run = [&ctx, command, selection] { return RunSelect(ctx, *command, selection); };
      });
    }};

}  // namespace
}  // namespace taiyi::cli
