#include "chart/selection_conditions.h"

#include <charconv>

#include "chart/analysis_texts.h"

namespace taiyi {
namespace {

bool InAny(const std::vector<NumberRange>& ranges, int v) {
  if (ranges.empty()) return true;
  for (const NumberRange& r : ranges)
    if (r.Contains(v)) return true;
  return false;
}

bool Holds(const ChartFeatures& chart, const PlacedCondition& c) {
  const ConditionFact& f = chart.conditions[c.condition];
  return f.present && (c.palace == 0 || f.palace == c.palace);
}

bool ParseInt(std::string_view text, int& out) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc{} && ptr == end && !text.empty();
}

// The names joined by blanks, for the messages.
template <typename NameOf>
std::string NameList(int count, NameOf nameOf) {
  std::string out;
  for (int i = 0; i < count; ++i) {
    if (i) out += ' ';
    out += nameOf(i);
  }
  return out;
}

std::string Quoted(std::string_view text) {
  return "“" + std::string(text) + "”";
}

}  // namespace

bool ChartConditions::Empty() const {
  return ju.empty() && host.empty() && guest.empty() && fixed.empty() && !yang && gates.empty() &&
         with.empty() && without.empty() && patterns.empty() && noPatterns.empty() &&
         deities.empty();
}

bool Meets(const ChartFeatures& chart, const ChartConditions& c) {
  if (!InAny(c.ju, chart.ju) || !InAny(c.host, chart.counts.host) ||
      !InAny(c.guest, chart.counts.guest) || !InAny(c.fixed, chart.counts.fixed))
    return false;
  if (c.yang && *c.yang != chart.yang) return false;
  if (!c.gates.empty()) {
    bool any = false;
    for (int g : c.gates) any = any || g == chart.gate;
    if (!any) return false;
  }
  for (const PlacedCondition& w : c.with)
    if (!Holds(chart, w)) return false;
  for (const PlacedCondition& w : c.without)
    if (Holds(chart, w)) return false;
  for (int p : c.patterns)
    if (!chart.patterns[p]) return false;
  for (int p : c.noPatterns)
    if (chart.patterns[p]) return false;
  for (const DeityPlace& d : c.deities)
    if (chart.positions[d.deity] != d.position) return false;
  return true;
}

bool ParseNumberRange(std::string_view text, NumberRange& out, std::string& error) {
  const auto dash = text.find('-', 1);  // a leading minus is no separator
  int a = 0, b = 0;
  const bool ok = dash == std::string_view::npos
                      ? ParseInt(text, a) && (b = a, true)
                      : ParseInt(text.substr(0, dash), a) && ParseInt(text.substr(dash + 1), b);
  if (!ok || a > b) {
    error = Quoted(text) + " 不是数或范围（应为 N 或 N-M，N 不大于 M）";
    return false;
  }
  out = {a, b};
  return true;
}

bool ParsePlacedCondition(std::string_view text, PlacedCondition& out, std::string& error) {
  const auto at = text.find('@');
  const std::string_view name = text.substr(0, at);
  out = {};
  int c = 0;
  while (c < kConditionCount && ConditionName(c) != name) ++c;
  if (c == kConditionCount) {
    error = "未知的格局 " + Quoted(name) + "（可用：" + NameList(kConditionCount, ConditionName) +
            "，可加 @宫数 1-9，如 囚@1）";
    return false;
  }
  out.condition = c;
  if (at != std::string_view::npos) {
    const std::string_view palace = text.substr(at + 1);
    if (!ParseInt(palace, out.palace) || out.palace < 1 || out.palace > 9) {
      error = "未知的宫数 " + Quoted(palace) + "（可用：1 2 3 4 5 6 7 8 9）";
      return false;
    }
  }
  return true;
}

bool ParseCountPattern(std::string_view text, int& out, std::string& error) {
  for (int p = 0; p < kCountPatternCount; ++p)
    if (CountPatternName(p) == text) {
      out = p;
      return true;
    }
  error = "未知的断数 " + Quoted(text) + "（可用：" +
          NameList(kCountPatternCount, CountPatternName) + "）";
  return false;
}

bool ParseGate(std::string_view text, int& out, std::string& error) {
  for (int g = 0; g < 8; ++g)
    if (GateName(g) == text || std::string(GateName(g)) + "门" == text) {
      out = g;
      return true;
    }
  error = "未知的门 " + Quoted(text) + "（可用：" + NameList(8, GateName) + "）";
  return false;
}

bool ParseDeityPlace(std::string_view text, DeityPlace& out, std::string& error) {
  const auto at = text.find('@');
  const std::string_view name = text.substr(0, at);
  int code = 0;
  while (code < kDeityCount && DeityFullName(static_cast<DeityCode>(code)) != name &&
         DeityShortName(static_cast<DeityCode>(code)) != name)
    ++code;
  if (code == kDeityCount) {
    error = "未知的星神 " + Quoted(name) + "（可用：" +
            NameList(kDeityCount, [](int i) { return DeityFullName(static_cast<DeityCode>(i)); }) +
            "）";
    return false;
  }
  if (at == std::string_view::npos) {
    error = "星神条件应为 名称@位置，如 太乙@乾";
    return false;
  }
  const std::string_view place = text.substr(at + 1);
  int position = 0;
  while (position < kPositionCount && PositionName(position) != place) ++position;
  if (position == kPositionCount) {
    error =
        "未知的位置 " + Quoted(place) + "（可用：" + NameList(kPositionCount, PositionName) + "）";
    return false;
  }
  out = {static_cast<DeityCode>(code), position};
  return true;
}

std::string ConditionsText(const ConditionSet& conditions) {
  std::string out;
  for (int c = 0; c < kConditionCount; ++c) {
    if (!conditions[c].present) continue;
    if (!out.empty()) out += "、";
    out += ConditionName(c);
    out += "(";
    out += PalaceNumberName(conditions[c].palace);
    out += ")";
  }
  return out;
}

std::string PatternsText(const CountPatterns& patterns) {
  std::string out;
  for (int p = 0; p < kCountPatternCount; ++p) {
    if (!patterns[p]) continue;
    if (!out.empty()) out += "、";
    out += CountPatternName(p);
  }
  return out;
}

}  // namespace taiyi
