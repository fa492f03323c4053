#include "chart/deity_facts.h"

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
    const PositionList list =
        entries == FactEntries::kNatal ? NatalEntries(positions[pos]) : FlowEntries(positions[pos]);
    for (DeityCode code : list) {
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
