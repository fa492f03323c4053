#include "chart/deity_facts.h"

#include <algorithm>

#include "chart/deity_strength.h"

namespace taiyi {

DeityFactsTable ComputeDeityFacts(const PositionTable& positions, FactEntries entries,
                                  int yearBranch,
                                  const std::optional<LifePalaceTable>& lifePalaces) {
  DeityFactsTable table{};
  for (int pos = 0; pos < kPositionCount; ++pos) {
    const bool centre = pos == kPosCentre;
    int lifePalace = kNoLifePalace;
    bool inBody = false;
    if (lifePalaces && !centre) {
      for (int i = 0; i < kLifePalaceCount; ++i)
        if (lifePalaces->palaces[i].ownPosition == pos) lifePalace = i;
      inBody = lifePalaces->palaces[lifePalaces->body].ownPosition == pos;
    }
    // The entries before the flow marker, or those after it (none without a marker).
    const PositionList& all = positions[pos];
    const auto marker = std::find(all.begin(), all.end(), kFlowMarker);
    const bool natal = entries == FactEntries::kNatal;
    const auto first = natal ? all.begin() : marker == all.end() ? marker : marker + 1;
    const auto last = natal ? marker : all.end();
    for (auto it = first; it != last; ++it) {
      const DeityCode code = *it;
      if (code >= kDeityCount) continue;
      DeityFacts& f = table[code];
      f.present = true;
      f.position = centre ? -1 : pos;
      f.palace = GroupPalace(pos);
      f.direction = DirectionCode(pos);
      f.element = DeityElement(code, yearBranch);
      f.strength = StrengthAt(f.element, pos);
      f.neighbours = NeighboursOf(f.palace);
      f.lifePalace = lifePalace;
      f.inBody = inBody;
    }
  }
  return table;
}

}  // namespace taiyi
