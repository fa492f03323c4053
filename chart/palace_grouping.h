// How the analysis groups the 16 directions into palaces: each palace with the 间辰 after it,
// the direction code of a position, and the neighbours and opposite of a palace on the
// cycle 8 1 6 7 2 9 4 3 (子 乾 酉 坤 午 巽 卯 艮).
#pragma once

#include <array>

namespace taiyi {

// Palace number (1..9) a position belongs to: 子 and 亥 → 8, 乾 and 戌 → 1 …, the centre 5.
// 0 for a value outside 0..16.
int GroupPalace(int position);

// Direction code: the branch number on the twelve branches (1 子 … 11 戌, 0 亥), 12 乾,
// 13 坤, 14 巽, 15 艮; -1 for the centre.
int DirectionCode(int position);

// The palaces before and after a palace on the cycle and the one four places on; all 0 for
// the centre (and for a value that is no palace number).
struct PalaceNeighbours {
  int before = 0;
  int after = 0;
  int opposite = 0;
  friend bool operator==(const PalaceNeighbours&, const PalaceNeighbours&) = default;
};
PalaceNeighbours NeighboursOf(int palace);

// a lies next to b on the cycle (the opposite does not count).
bool IsNeighbour(int a, int b);
// The opposite palace of b, 0 for the centre.
int OppositeOf(int palace);

}  // namespace taiyi
