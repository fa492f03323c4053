// Per-deity facts that the analysis reads: where each deity stands, its palace, direction,
// element and strength, the palaces around it, the life palace on its position and whether
// it stands on the 身 position.  One table for the natal entries, one for a flow's entries.
#pragma once

#include <array>
#include <optional>

#include "chart/deity_positions.h"
#include "chart/life_palaces.h"
#include "chart/palace_grouping.h"

namespace taiyi {

struct DeityFacts {
  bool present = false;            // the deity stands on the chart
  int position = -1;               // 0..15, -1 for the centre
  int palace = 0;                  // palace number by the grouping, 5 for the centre
  int direction = -1;              // direction code, -1 for the centre
  int element = -1;                // 0 水 … 4 金, -1 none
  int strength = 0;                // 0 none, 1 weak, 2 middle, 3 strong
  PalaceNeighbours neighbours;     // all 0 for the centre
  int lifePalace = kNoLifePalace;  // life palace whose own position is this one
  bool inBody = false;             // the position is the own position of the 身 palace
  friend bool operator==(const DeityFacts&, const DeityFacts&) = default;
};

using DeityFactsTable = std::array<DeityFacts, kDeityCount>;

// Which entries of the lists the facts are taken from.
enum class FactEntries { kNatal, kFlow };

// Walks the 16 positions in index order and then the centre; a later entry of a code
// overwrites an earlier one.  yearBranch gives 太岁 and 合神 their elements (the natal year
// branch for natal entries, the flow year branch for a flow).  Without life palaces (a
// period chart) no deity has a life palace or stands in the body.
DeityFactsTable ComputeDeityFacts(const PositionTable& positions, FactEntries entries,
                                  int yearBranch,
                                  const std::optional<LifePalaceTable>& lifePalaces);

}  // namespace taiyi
