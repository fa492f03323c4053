// One chart computed from its request and settings: moments, pillars and ju, deity positions
// and counts, the chart hexagram pair, for a life chart the birth pair and life palaces, and
// the analysis facts.  The engine sequences these units; this holds their results together.
#pragma once

#include <optional>
#include <string>

#include "chart/chart_request.h"
#include "chart/conditions.h"
#include "chart/count_patterns.h"
#include "chart/deity_facts.h"
#include "chart/deity_positions.h"
#include "chart/hexagrams.h"
#include "chart/life_palaces.h"
#include "chart/pillars_ju.h"

namespace taiyi {

class MYiDateEx;

struct ComputedChart {
  ChartRequest request;  // with the resolved leap flag
  ChartSettings settings;
  ChartMoments moments;
  ChartPillars pillars;
  JuFacts ju;
  PositionTable positions;
  PositionTable natal;  // the positions as computed, kept for flows
  Counts counts;
  HexagramPair chartPair;               // 主卦, 变卦
  std::optional<BirthHexagrams> birth;  // life charts
  // Analysis facts of the natal chart.
  std::optional<LifePalaceTable> lifePalaces;  // life charts
  DeityFactsTable facts{};
  ConditionSet conditions{};  // the life form for a life chart, the period form otherwise
  CountPatterns patterns{};
};

struct ChartResult {
  bool ok = false;
  std::string error;
  ComputedChart chart;
};

// What the deities of a chart are placed from: the pillar that governs the rule, P, A and
// 遁; year charts place 五福 and 大游 by A and add 年阳九 and 年百六.
PlacementInput ChartPlacement(ChartKind kind, CycleRule rule, const Pillars& p, const JuFacts& ju);

ChartResult ComputeChart(const ChartRequest& request, const ChartSettings& settings,
                         MYiDateEx& dates);

}  // namespace taiyi
