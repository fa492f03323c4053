// What a selection condition reads from one chart: ju, 遁, gate, the three counts, the seven
// chart conditions, the count patterns and the position of every deity.  Taken from a
// computed chart, or straight from a period chart's placement when many periods are scanned.
#pragma once

#include <array>
#include <cstdint>

#include "chart/chart_computation.h"

namespace taiyi {

inline constexpr int8_t kDeityAbsent = -1;

struct ChartFeatures {
  int ju = 1;
  bool yang = true;
  int gate = kNoGate;  // 0..7, kNoGate on month, day and life charts without one
  Counts counts;
  ConditionSet conditions{};
  CountPatterns patterns{};
  std::array<int8_t, kDeityCount> positions{};  // position index 0..16, or kDeityAbsent

  friend bool operator==(const ChartFeatures&, const ChartFeatures&) = default;
};

ChartFeatures FeaturesOf(const ComputedChart& chart);

// The features of a period chart (年局 … 时局) placed from the given input; ju and 遁 follow
// from it, the gate is left to the caller.  Equal to FeaturesOf the computed chart.
ChartFeatures PeriodChartFeatures(const PlacementInput& placement);

}  // namespace taiyi
