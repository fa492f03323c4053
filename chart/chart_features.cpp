#include "chart/chart_features.h"

namespace taiyi {
namespace {

std::array<int8_t, kDeityCount> DeityPositions(const PositionTable& natal) {
  std::array<int8_t, kDeityCount> out;
  out.fill(kDeityAbsent);
  for (int i = 0; i < kPositionCount; ++i)
    for (DeityCode code : natal[i]) {
      if (code == kFlowMarker) break;
      if (code < kDeityCount) out[code] = static_cast<int8_t>(i);
    }
  return out;
}

}  // namespace

ChartFeatures FeaturesOf(const ComputedChart& c) {
  ChartFeatures f;
  f.ju = c.ju.ju;
  f.yang = c.ju.yang;
  f.gate = c.ju.hasGate ? c.ju.gate : kNoGate;
  f.counts = c.counts;
  f.conditions = c.conditions;
  f.patterns = c.patterns;
  f.positions = DeityPositions(c.natal);
  return f;
}

ChartFeatures PeriodChartFeatures(const PlacementInput& placement) {
  PositionTable table;
  ChartFeatures f;
  f.ju = placement.period % 72 + 1;
  f.yang = placement.yang;
  f.counts = PlaceDeities(placement, table);
  // The year branch only gives 太岁 and 合神 their elements, which no condition reads.
  const DeityFactsTable facts = ComputeDeityFacts(table, FactEntries::kNatal, 0, std::nullopt);
  f.conditions = PeriodConditions(facts);
  f.patterns = ComputeCountPatterns(f.counts.host, f.counts.guest, facts[kWenChang]);
  f.positions = DeityPositions(table);
  return f;
}

}  // namespace taiyi
