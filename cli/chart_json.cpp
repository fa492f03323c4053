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

Json HexagramJson(const HexagramInfo& h, bool periods) {
  JsonObject j(11);
  j.Add("index", h.index)
      .Add("name", DisplayName(h.index))
      .Add("lines", h.lines)
      .Add("movingLine", h.movingLine)
      .Add("palace", TrigramName(h.palace))
      .Add("generation", h.generation)
      .Add("shiLine", h.shiLine)
      .Add("yingLine", h.yingLine);
  Json najia = JsonArray(h.line.size());
  for (const HexagramLine& l : h.line)
    najia.push_back(JsonObject(5)
                        .Add("stem", kStemNames[l.stem])
                        .Add("branch", kBranchNames[l.branch])
                        .Add("relation", RelationName(l.relation))
                        .Add("spirit", SpiritName(l.spirit))
                        .Add("order", l.order));
  j.Add("najia", std::move(najia));
  Json hidden = JsonArray(h.hidden.size());
  for (const HiddenSpirit& s : h.hidden)
    hidden.push_back(JsonObject(4)
                         .Add("row", s.row)
                         .Add("stem", kStemNames[s.stem])
                         .Add("branch", kBranchNames[s.branch])
                         .Add("relation", RelationName(s.relation)));
  j.Add("hidden", std::move(hidden));
  if (periods) {
    Json ps = JsonArray(h.line.size());
    for (const HexagramLine& l : h.line) {
      Json pair = JsonArray(2);
      pair.push_back(l.firstAge);
      pair.push_back(l.lastAge);
      ps.push_back(std::move(pair));
    }
    j.Add("periods", std::move(ps));
  }
  return j;
}

Json NameOrNull(std::string_view name) {
  return name.empty() ? Json(nullptr) : Json(name);
}

// The facts of every deity on the chart, in code order.
Json FactsJson(const DeityFactsTable& facts) {
  Json out = JsonArray(kDeityCount);
  for (int code = 0; code < kDeityCount; ++code) {
    const DeityFacts& f = facts[code];
    if (!f.present) continue;
    out.push_back(JsonObject(7)
                      .Add("name", DeityFullName(static_cast<DeityCode>(code)))
                      .Add("position", PositionName(f.position < 0 ? kPosCentre : f.position))
                      .Add("palace", f.palace)
                      .Add("element", f.element < 0 ? Json(nullptr) : Json(ElementName(f.element)))
                      .Add("strength", f.strength)
                      .Add("lifePalace", NameOrNull(LifePalaceName(f.lifePalace)))
                      .Add("inBody", f.inBody));
  }
  return out;
}

Json LifePalacesJson(const LifePalaceTable& t) {
  Json out = JsonArray(kLifePalaceCount);
  for (int i = 0; i < kLifePalaceCount; ++i) {
    const LifePalace& lp = t.palaces[i];
    out.push_back(JsonObject(5)
                      .Add("name", LifePalaceName(i))
                      .Add("branch", kBranchNames[lp.branch])
                      .Add("governing", PositionName(lp.governingPosition))
                      .Add("own", lp.own)
                      .Add("palace", lp.palace));
  }
  return out;
}

Json CountsJson(const Counts& c) {
  return JsonObject(3).Add("host", c.host).Add("guest", c.guest).Add("fixed", c.fixed);
}

}  // namespace

Json ChartJson(const ComputedChart& c) {
  const ChartMoments& m = c.moments;
  Json j;
  j["kind"] = static_cast<int>(c.request.kind);
  Json request;
  AddRequestJson(request, c.request, m.clockMoment);
  j["request"] = std::move(request);
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
  j["gate"] = c.ju.hasGate ? Json(GateName(c.ju.gate)) : Json(nullptr);
  Json jgz = JsonArray(c.ju.juGanZhi.size());
  for (int g : c.ju.juGanZhi) jgz.push_back(GanZhiName(g));
  j["juGanZhi"] = std::move(jgz);
  j["counts"] = CountsJson(c.counts);
  Json positions = JsonArray(kPositionCount);
  for (int i = 0; i < kPositionCount; ++i) {
    Json names = JsonArray(c.natal[i].size());
    for (DeityCode code : c.natal[i]) {
      if (code == kFlowMarker) break;  // the natal entries only
      names.push_back(DeityFullName(code));
    }
    positions.push_back(
        JsonObject(2).Add("position", PositionName(i)).Add("deities", std::move(names)));
  }
  j["positions"] = std::move(positions);
  JsonObject hex(4);
  hex.Add("main", HexagramJson(c.chartPair.first, false))
      .Add("changed", HexagramJson(c.chartPair.second, false));
  if (c.birth) {
    hex.Add("birth", HexagramJson(c.birth->pair.first, true))
        .Add("career", HexagramJson(c.birth->pair.second, true));
    JsonObject palaces(5);
    palaces.Add("ming", kBranchNames[c.birth->palaces.ming])
        .Add("shen", kBranchNames[c.birth->palaces.shen])
        .Add("shouQi", GanZhiName(c.birth->palaces.key));
    if (c.lifePalaces) {
      palaces.Add("body", LifePalaceName(c.lifePalaces->body))
          .Add("palaces", LifePalacesJson(*c.lifePalaces));
    }
    j["lifePalaces"] = std::move(palaces);
  }
  j["hexagrams"] = std::move(hex);
  Json conditions = JsonArray(kConditionCount);
  for (int i = 0; i < kConditionCount; ++i) {
    const ConditionFact& f = c.conditions[i];
    if (!f.present) continue;
    conditions.push_back(JsonObject(3)
                             .Add("name", ConditionName(i))
                             .Add("palace", f.palace)
                             .Add("lifePalace", NameOrNull(LifePalaceName(f.lifePalace))));
  }
  j["conditions"] = std::move(conditions);
  Json patterns = JsonArray(kCountPatternCount);
  for (int i = 0; i < kCountPatternCount; ++i)
    if (c.patterns[i]) patterns.push_back(CountPatternName(i));
  j["patterns"] = std::move(patterns);
  j["facts"] = FactsJson(c.facts);
  return j;
}

Json FlowJson(const FlowChart& f) {
  Json j;
  j["kind"] = f.kind;
  j["moment"] = MomentJson(f.moments.clockMoment);
  j["age"] = f.age;
  j["pillars"] = PillarsOf(f.pillars.pillars);
  j["period"] = f.ju.period;
  j["yang"] = f.ju.yang;
  j["counts"] = CountsJson(f.counts);
  Json deities = Json::array();
  for (int i = 0; i < kPositionCount; ++i)
    for (DeityCode code : FlowEntries(f.positions[i]))
      deities.push_back(
          JsonObject(2).Add("position", PositionName(i)).Add("name", DeityFullName(code)));
  j["deities"] = std::move(deities);
  j["limits"] = JsonObject(3)
                    .Add("阳九", kBranchNames[f.yangJiu])
                    .Add("百六大限", kBranchNames[f.baiLiuGreat])
                    .Add("百六小限", kBranchNames[f.baiLiuSmall]);
  Json hex = JsonArray(f.hexagrams.size());
  for (const FlowHexagram& h : f.hexagrams)
    hex.push_back(JsonObject(3)
                      .Add("name", DisplayName(h.index))
                      .Add("index", h.index)
                      .Add("movingLine", h.movingLine));
  j["hexagrams"] = std::move(hex);
  j["facts"] = FactsJson(f.facts);
  return j;
}

}  // namespace taiyi::cli
