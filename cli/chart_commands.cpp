// taiyi-cli chart: computes one chart (and optionally one flow) and prints it as text or JSON.
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "calendar/date_service.h"
#include "calendar/ganzhi_names.h"
#include "chart/chart_computation.h"
#include "chart/flow_chart.h"
#include "chart/places.h"
#include "cli/command_registry.h"
#include "cli/user_years.h"
#include "platform/clean_name.h"
#include "platform/ini_file.h"

namespace taiyi::cli {
namespace {

constexpr char kYearMessage[] =
    "年份必须在-4713到9999年之间，并且没有公元0年\r\n注意：公元前用负数，比如公元前120年，就输入-120";

struct ChartOptions {
  std::string kind = "命局";
  std::string date = "2000-01-01";
  std::string time = "12:00";
  bool lunar = false, leap = false, female = false, json = false;
  std::string name;
  std::string province, city;
  double lon = 120, lat = 30;
  bool lonGiven = false;
  std::vector<std::string> sets;
  std::string flow, flowDate, flowTime = "12:00";
};

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

std::string Moment(const YiDate& d) {
  return MomentText(d.year, d.month, d.day, d.hour, d.minute);
}

nlohmann::ordered_json PillarsJson(const Pillars& p) {
  return {{"year", GanZhiName(p.year)},
          {"month", GanZhiName(p.month)},
          {"day", GanZhiName(p.day)},
          {"hour", GanZhiName(p.hour)}};
}

nlohmann::ordered_json HexagramJson(const HexagramInfo& h, bool periods) {
  nlohmann::ordered_json j = {{"index", h.index},          {"name", DisplayName(h.index)},
                      {"lines", h.lines},          {"movingLine", h.movingLine},
                      {"palace", TrigramName(h.palace)}, {"generation", h.generation},
                      {"shiLine", h.shiLine},      {"yingLine", h.yingLine}};
  nlohmann::ordered_json najia = nlohmann::ordered_json::array();
  for (const HexagramLine& l : h.line)
    najia.push_back({{"stem", kStemNames[l.stem]},
                     {"branch", kBranchNames[l.branch]},
                     {"relation", RelationName(l.relation)},
                     {"spirit", SpiritName(l.spirit)},
                     {"order", l.order}});
  j["najia"] = najia;
  nlohmann::ordered_json hidden = nlohmann::ordered_json::array();
  for (const HiddenSpirit& s : h.hidden)
    hidden.push_back({{"row", s.row},
                      {"stem", kStemNames[s.stem]},
                      {"branch", kBranchNames[s.branch]},
                      {"relation", RelationName(s.relation)}});
  j["hidden"] = hidden;
  if (periods) {
    nlohmann::ordered_json ps = nlohmann::ordered_json::array();
    // Walking order from the 元堂 line.
    const int step = LineIsYang(h.lines, h.movingLine) ? 1 : -1;
    (void)step;
    for (const HexagramLine& l : h.line) ps.push_back({l.firstAge, l.lastAge});
    j["periods"] = ps;
  }
  return j;
}

nlohmann::ordered_json ChartJson(const ComputedChart& c) {
  const ChartMoments& m = c.moments;
  nlohmann::ordered_json j;
  j["kind"] = static_cast<int>(c.request.kind);
  j["clock"] = Moment(m.clockMoment);
  j["corrected"] = Moment(m.correctedMoment);
  j["lunar"] = {{"year", TypedYear(m.lunarDate.year)},
                {"month", m.lunarDate.month},
                {"day", m.lunarDate.day},
                {"leap", m.lunarLeap}};
  j["pillars"] = PillarsJson(c.pillars.pillars);
  j["taiyiYear"] = TypedYear(c.pillars.taiyiYear);
  j["accumulated"] = c.ju.accumulated;
  j["taiyiNumber"] = c.ju.taiyiNumber;
  j["period"] = c.ju.period;
  j["yang"] = c.ju.yang;
  j["ji"] = c.ju.ji;
  j["yuan"] = c.ju.yuan;
  j["ju"] = c.ju.ju;
  j["gate"] = c.ju.hasGate ? nlohmann::ordered_json(GateName(c.ju.gate)) : nlohmann::ordered_json(nullptr);
  nlohmann::ordered_json jgz = nlohmann::ordered_json::array();
  for (int g : c.ju.juGanZhi) jgz.push_back(GanZhiName(g));
  j["juGanZhi"] = jgz;
  j["counts"] = {{"host", c.counts.host}, {"guest", c.counts.guest}, {"fixed", c.counts.fixed}};
  nlohmann::ordered_json positions = nlohmann::ordered_json::array();
  for (int i = 0; i < kPositionCount; ++i) {
    nlohmann::ordered_json names = nlohmann::ordered_json::array();
    for (DeityCode code : NatalEntries(c.natal[i])) names.push_back(DeityFullName(code));
    positions.push_back({{"position", PositionName(i)}, {"deities", names}});
  }
  j["positions"] = positions;
  nlohmann::ordered_json hex = {{"main", HexagramJson(c.chartPair.first, false)},
                        {"changed", HexagramJson(c.chartPair.second, false)}};
  if (c.birth) {
    hex["birth"] = HexagramJson(c.birth->pair.first, true);
    hex["career"] = HexagramJson(c.birth->pair.second, true);
    j["lifePalaces"] = {{"ming", kBranchNames[c.birth->palaces.ming]},
                        {"shen", kBranchNames[c.birth->palaces.shen]},
                        {"shouQi", GanZhiName(c.birth->palaces.key)}};
  }
  j["hexagrams"] = hex;
  return j;
}

nlohmann::ordered_json FlowJson(const FlowChart& f) {
  nlohmann::ordered_json j;
  j["kind"] = f.kind;
  j["moment"] = Moment(f.moments.clockMoment);
  j["age"] = f.age;
  j["pillars"] = PillarsJson(f.pillars.pillars);
  j["period"] = f.ju.period;
  j["yang"] = f.ju.yang;
  j["counts"] = {{"host", f.counts.host}, {"guest", f.counts.guest}, {"fixed", f.counts.fixed}};
  nlohmann::ordered_json deities = nlohmann::ordered_json::array();
  for (int i = 0; i < kPositionCount; ++i)
    for (DeityCode code : FlowEntries(f.positions[i]))
      deities.push_back({{"position", PositionName(i)}, {"name", DeityFullName(code)}});
  j["deities"] = deities;
  j["limits"] = {{"阳九", kBranchNames[f.yangJiu]},
                 {"百六大限", kBranchNames[f.baiLiuGreat]},
                 {"百六小限", kBranchNames[f.baiLiuSmall]}};
  nlohmann::ordered_json hex = nlohmann::ordered_json::array();
  for (const FlowHexagram& h : f.hexagrams)
    hex.push_back({{"name", DisplayName(h.index)}, {"index", h.index}, {"movingLine", h.movingLine}});
  j["hexagrams"] = hex;
  return j;
}

std::string Text(const ComputedChart& c) {
  std::ostringstream out;
  const ChartMoments& m = c.moments;
  out << ChartKindTitle(c.request.kind) << "  " << Moment(m.clockMoment) << "  (校正 "
      << Moment(m.correctedMoment) << ")\n";
  const Pillars& p = c.pillars.pillars;
  out << "干支：" << GanZhiName(p.year) << "年 " << GanZhiName(p.month) << "月 "
      << GanZhiName(p.day) << "日 " << GanZhiName(p.hour) << "时\n";
  out << "积年 " << c.ju.accumulated + 1 << "  太乙数 " << c.ju.taiyiNumber + 1 << "  "
      << (c.ju.yang ? "阳遁" : "阴遁") << c.ju.ju << "局  第" << ChineseNumber(c.ju.ji + 1)
      << "纪" << YuanName(c.ju.yuan) << "元";
  if (c.ju.hasGate) out << "  " << GateName(c.ju.gate) << "门";
  out << "\n主算:" << c.counts.host << ",客算:" << c.counts.guest << ",定算:" << c.counts.fixed
      << "\n";
  for (int i = 0; i < kPositionCount; ++i) {
    out << PositionName(i) << "：";
    for (DeityCode code : NatalEntries(c.natal[i])) out << ' ' << DeityFullName(code);
    out << '\n';
  }
  out << "主卦：" << DisplayName(c.chartPair.first.index) << "  变卦："
      << DisplayName(c.chartPair.second.index) << "\n";
  if (c.birth)
    out << "出身卦：" << DisplayName(c.birth->pair.first.index) << "  立业卦："
        << DisplayName(c.birth->pair.second.index) << "  命宫 "
        << kBranchNames[c.birth->palaces.ming] << "  身宫 " << kBranchNames[c.birth->palaces.shen]
        << "\n";
  return out.str();
}

int RunChart(const CliContext& ctx, const ChartOptions& o) {
  AppFolder folder;
  if (!PrepareFolder(ctx, folder)) return 1;
  ChartRequest r;
  if (!ParseKind(o.kind, r.kind)) return Fail("未知的局类型: " + o.kind);
  int y = 0, mo = 0, d = 0, h = 0, mi = 0;
  if (!ParseDate(o.date, y, mo, d)) return Fail("日期格式应为 YYYY-MM-DD");
  if (!ParseTime(o.time, h, mi)) return Fail("时间格式应为 HH:MM");
  const std::optional<int> year = StoredYear(y);
  if (!year) return Fail(kYearMessage);
  r.year = static_cast<int16_t>(*year);
  r.month = static_cast<int16_t>(mo);
  r.day = static_cast<int16_t>(d);
  r.hour = static_cast<int16_t>(h);
  r.minute = static_cast<int16_t>(mi);
  r.lunar = o.lunar;
  r.leapMonth = o.leap;
  r.male = !o.female;
  const CleanedName cleaned = CleanName(Trim(o.name), 10);
  if (cleaned.changed && !o.name.empty())
    std::cerr << "姓名中包含：\"、*、<、>、?、\\、/、|、'、：等字符。已经处理为合适的文本！\n";
  r.SetName(cleaned.text);
  if (!o.province.empty() && o.province != "未知地") {
    PlaceTable places(folder.Dat() + "dili.ini");
    Coordinates c;
    if (!places.CoordinatesOf(o.province, o.city, c)) return Fail(places.LastError());
    r.longitude = c.longitude;
    r.latitude = c.latitude;
    r.SetPlace(o.province + "-" + o.city);
  } else if (o.lonGiven) {
    r.longitude = static_cast<float>(o.lon);
    r.latitude = static_cast<float>(o.lat);
    r.SetPlace("未知地");
  } else {
    r.SetPlace("未知地");
  }

  ChartSettings settings = ReadChartSettings(folder.Dat() + "set.ini");
  for (const std::string& kv : o.sets) {
    const auto eq = kv.find('=');
    if (eq == std::string::npos) return Fail("--set 需要 KEY=VALUE: " + kv);
    const std::string key = kv.substr(0, eq), value = kv.substr(eq + 1);
    int v = 0;
    if (!ParseIniInteger(value, v)) return Fail("--set 的值不是整数: " + kv);
    if (key == "bkcolor") settings.bkcolor = v;
    else if (key == "iDate" && v >= 0 && v <= 2) settings.iDate = v;
    else if (key == "iJiNian") settings.iJiNian = v;
    else if (key == "iMingJu" && (v == 0 || v == 1)) settings.iMingJu = v;
    else if (key == "zishi") settings.zishi = v != 0;
    else if (key == "bOldBk") settings.bOldBk = v != 0;
    else if (key == "bShiJing") settings.bShiJing = v != 0;
    else return Fail("未知的设置: " + kv);
  }

  MYiDateEx dates;
  const ChartResult result = ComputeChart(r, settings, dates);
  if (!result.ok) return Fail(result.error);

  nlohmann::ordered_json doc = ChartJson(result.chart);
  std::string flowText;
  if (!o.flow.empty()) {
    if (r.kind != ChartKind::kLife) return Fail("流年只适用于命局");
    static const std::string kFlowNames[4] = {"年", "月", "日", "时"};
    int kind = 0;
    for (int k = 0; k < 4; ++k)
      if (o.flow == kFlowNames[k] || o.flow == "流" + kFlowNames[k] ||
          o.flow == std::to_string(k + 1))
        kind = k + 1;
    if (kind == 0) return Fail("未知的流年类型: " + o.flow);
    int fy = 0, fm = 0, fd = 0, fh = 0, fmi = 0;
    if (!ParseDate(o.flowDate, fy, fm, fd)) return Fail("日期格式应为 YYYY-MM-DD");
    if (!ParseTime(o.flowTime, fh, fmi)) return Fail("时间格式应为 HH:MM");
    const std::optional<int> flowYear = StoredYear(fy);
    if (!flowYear) return Fail(kYearMessage);
    const YiDate fdate{static_cast<int16_t>(*flowYear), static_cast<int16_t>(fm),
                       static_cast<int16_t>(fd), static_cast<int16_t>(fh),
                       static_cast<int16_t>(fmi)};
    if (!dates.IsValidSolarDate(fdate)) return Fail(kNoSuchDate);
    const double moment = dates.ToJulianDay(fdate) + 3.0 / 86400;
    const FlowResult flow = MakeFlowChart(result.chart, moment, kind, dates);
    if (!flow.ok) return Fail(flow.error);
    doc["flow"] = FlowJson(flow.flow);
    flowText = doc["flow"].dump(2);
  }
  if (o.json) {
    std::cout << doc.dump(2) << '\n';
  } else {
    std::cout << Text(result.chart);
    if (!flowText.empty()) std::cout << flowText << '\n';
  }
  return 0;
}

CommandRegistrar reg{30, [](CLI::App& app, CliContext& ctx) {
  auto* opts = new ChartOptions;  // lives as long as the program
  auto* sub = app.add_subcommand("chart", "排盘: compute a Taiyi chart");
  sub->add_option("--kind", opts->kind, "命局|年局|月局|日局|时局 or 0-4");
  sub->add_option("--date", opts->date, "YYYY-MM-DD (negative years BC)");
  sub->add_option("--time", opts->time, "HH:MM");
  sub->add_flag("--lunar", opts->lunar, "the date is a lunar date");
  sub->add_flag("--leap", opts->leap, "the lunar month is a leap month");
  sub->add_flag("--female", opts->female, "坤造");
  sub->add_option("--name", opts->name, "name");
  sub->add_option("--province", opts->province, "province in dat/dili.ini");
  sub->add_option("--city", opts->city, "city of the province");
  auto* lon = sub->add_option("--lon", opts->lon, "longitude, degrees east");
  sub->add_option("--lat", opts->lat, "latitude, degrees north");
  sub->add_option("--set", opts->sets, "KEY=VALUE overriding dat/set.ini [taiyi]");
  sub->add_option("--flow", opts->flow, "年|月|日|时 (life charts)");
  sub->add_option("--flow-date", opts->flowDate, "YYYY-MM-DD");
  sub->add_option("--flow-time", opts->flowTime, "HH:MM");
  sub->add_flag("--json", opts->json, "print JSON");
  sub->callback([&ctx, opts, lon] {
    opts->lonGiven = lon->count() > 0;
    ctx.run = [&ctx, opts] { return RunChart(ctx, *opts); };
  });
}};

}  // namespace
}  // namespace taiyi::cli
