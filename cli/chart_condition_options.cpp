#include "cli/chart_condition_options.h"

namespace taiyi::cli {
namespace {

// Parses every text of one option with parse, appending to out.
template <typename T, typename Parse>
void ReadAll(const char* option, const std::vector<std::string>& texts, std::vector<T>& out,
             Parse parse) {
  for (const std::string& text : texts) {
    T value{};
    std::string error;
    if (!parse(text, value, error)) throw CLI::ValidationError(option, error);
    out.push_back(value);
  }
}

}  // namespace

void AddConditionOptions(CLI::App* c, ConditionOptions& o) {
  const std::string group =
      "Chart conditions (each repeatable; values of --ju --host --guest "
      "--fixed --gate are alternatives, the others must all hold)";
  c->add_option("--ju", o.ju, "ju N or N-M (1..72)")->group(group);
  auto* yang = c->add_flag("--yang", o.yang, "阳遁 only")->group(group);
  c->add_flag("--yin", o.yin, "阴遁 only")->group(group)->excludes(yang);
  c->add_option("--host", o.host, "主算 N or N-M")->group(group);
  c->add_option("--guest", o.guest, "客算 N or N-M")->group(group);
  c->add_option("--fixed", o.fixed, "定算 N or N-M")->group(group);
  c->add_option("--with", o.with, "掩|迫|关|囚|击|格|对, optionally @PALACE (1..9): 囚@1")
      ->group(group);
  c->add_option("--without", o.without, "the condition (at the palace) must not hold")
      ->group(group);
  c->add_option("--pattern", o.patterns, "count pattern as the analysis names it: 无天之算 …")
      ->group(group);
  c->add_option("--no-pattern", o.noPatterns, "the count pattern must not hold")->group(group);
  c->add_option("--gate", o.gates, "开|休|生|伤|杜|景|死|惊")->group(group);
  c->add_option("--deity", o.deities, "NAME@POSITION: 太乙@乾, 文昌@中")->group(group);
}

ChartConditions ReadConditionOptions(const ConditionOptions& o) {
  ChartConditions c;
  ReadAll("--ju", o.ju, c.ju, ParseNumberRange);
  ReadAll("--host", o.host, c.host, ParseNumberRange);
  ReadAll("--guest", o.guest, c.guest, ParseNumberRange);
  ReadAll("--fixed", o.fixed, c.fixed, ParseNumberRange);
  ReadAll("--with", o.with, c.with, ParsePlacedCondition);
  ReadAll("--without", o.without, c.without, ParsePlacedCondition);
  ReadAll("--pattern", o.patterns, c.patterns, ParseCountPattern);
  ReadAll("--no-pattern", o.noPatterns, c.noPatterns, ParseCountPattern);
  ReadAll("--gate", o.gates, c.gates, ParseGate);
  ReadAll("--deity", o.deities, c.deities, ParseDeityPlace);
  if (o.yang) c.yang = true;
  if (o.yin) c.yang = false;
  return c;
}

}  // namespace taiyi::cli
