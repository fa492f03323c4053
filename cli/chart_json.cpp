#include "cli/chart_json.h"

#include "calendar/ganzhi_names.h"
#include "cli/case_json.h"
#include "cli/json_fields.h"
#include "cli/user_years.h"

namespace taiyi::cli {
namespace {

Json PillarsOf(const Pillars& p) {
  return PillarsJson(p.year, p.month, p.day, p.hour);
}

nlohmann::ordered_json HexagramJson(const HexagramInfo& h, bool periods) {
  nlohmann::ordered_json j = {
      {"index", h.index},           {"name", DisplayName(h.index)},    {"lines", h.lines},
      {"movingLine", h.movingLine}, {"palace", TrigramName(h.palace)}, {"generation", h.generation},
      {"shiLine", h.shiLine},       {"yingLine", h.yingLine}};
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
    for (const HexagramLine& l : h.line) ps.push_back({l.firstAge, l.lastAge});
    j["periods"] = ps;
  }
  return j;
}

nlohmann::ordered_json NameOrNull(std::string_view name) {
  return name.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(name);
}

// The facts of every deity on the chart, in code order.
nlohmann::ordered_json FactsJson(const DeityFactsTable& facts) {
  nlohmann::ordered_json out = nlohmann::ordered_json::array();
  for (int code = 0; code < kDeityCount; ++code) {
    const DeityFacts& f = facts[code];
    if (!f.present) continue;
    out.push_back({{"name", DeityFullName(static_cast<DeityCode>(code))},
                   {"position", PositionName(f.position < 0 ? kPosCentre : f.position)},
                   {"palace", f.palace},
                   {"element", f.element < 0 ? nlohmann::ordered_json(nullptr)
                                             : nlohmann::ordered_json(ElementName(f.element))},
                   {"strength", f.strength},
                   {"lifePalace", NameOrNull(LifePalaceName(f.lifePalace))},
                   {"inBody", f.inBody}});
  }
  return out;
}

nlohmann::ordered_json LifePalacesJson(const LifePalaceTable& t) {
  nlohmann::ordered_json out = nlohmann::ordered_json::array();
  for (int i = 0; i < kLifePalaceCount; ++i) {
    const LifePalace& lp = t.palaces[i];
    out.push_back({{"name", LifePalaceName(i)},
                   {"branch", kBranchNames[lp.branch]},
                   {"governing", PositionName(lp.governingPosition)},
                   {"own", lp.own},
                   {"palace", lp.palace}});
  }
  return out;
}

}  // namespace

nlohmann::ordered_json ChartJson(const ComputedChart& c) {
  const ChartMoments& m = c.moments;
  nlohmann::ordered_json j;
  j["kind"] = static_cast<int>(c.request.kind);
  Json request;
  AddRequestJson(request, c.request, m.clockMoment);
  j["request"] = request;
  j["clock"] = MomentJson(m.clockMoment);
  j["corrected"] = MomentJson(m.correctedMoment);
  j["lunarDate"] = LunarDateJson(m.lunarDate, m.lunarLeap);
  j["pillars"] = PillarsOf(c.pillars.pillars);
  j["taiyiYear"] = TypedYear(c.pillars.taiyiYear);
  j["accumulated"] = c.ju.accumulated;
  j["taiyiNumber"] = c.ju.taiyiNumber;
  j["period"] = c.ju.period;
  j["yang"] = c.ju.yang;
  j["ji"] = c.ju.ji;
  j["yuan"] = c.ju.yuan;
  j["ju"] = c.ju.ju;
  j["gate"] =
      c.ju.hasGate ? nlohmann::ordered_json(GateName(c.ju.gate)) : nlohmann::ordered_json(nullptr);
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
    if (c.lifePalaces) {
      j["lifePalaces"]["body"] = LifePalaceName(c.lifePalaces->body);
      j["lifePalaces"]["palaces"] = LifePalacesJson(*c.lifePalaces);
    }
  }
  j["hexagrams"] = hex;
  nlohmann::ordered_json conditions = nlohmann::ordered_json::array();
  for (int i = 0; i < kConditionCount; ++i) {
    const ConditionFact& f = c.conditions[i];
    if (!f.present) continue;
    conditions.push_back({{"name", ConditionName(i)},
                          {"palace", f.palace},
                          {"lifePalace", NameOrNull(LifePalaceName(f.lifePalace))}});
  }
  j["conditions"] = conditions;
  nlohmann::ordered_json patterns = nlohmann::ordered_json::array();
  for (int i = 0; i < kCountPatternCount; ++i)
    if (c.patterns[i]) patterns.push_back(CountPatternName(i));
  j["patterns"] = patterns;
  j["facts"] = FactsJson(c.facts);
  return j;
}

nlohmann::ordered_json FlowJson(const FlowChart& f) {
  nlohmann::ordered_json j;
  j["kind"] = f.kind;
  j["moment"] = MomentJson(f.moments.clockMoment);
  j["age"] = f.age;
  j["pillars"] = PillarsOf(f.pillars.pillars);
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
    hex.push_back(
        {{"name", DisplayName(h.index)}, {"index", h.index}, {"movingLine", h.movingLine}});
  j["hexagrams"] = hex;
  j["facts"] = FactsJson(f.facts);
  return j;
}

}  // namespace taiyi::cli
