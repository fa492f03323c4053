#include "chart/palace_grouping.h"

#include "chart/deity_positions.h"

namespace taiyi {

int GroupPalace(int position) {
  if (position == kPosCentre) return 5;
  if (position < 0 || position >= kDirectionCount) return 0;
  return PalaceNumberAt(position - position % 2);  // a 间辰 goes with the palace before it
}

int DirectionCode(int position) {
  switch (position) {
    case kPosQian:
      return 12;
    case kPosKun:
      return 13;
    case kPosXun:
      return 14;
    case kPosGen:
      return 15;
    default:
      return position >= 0 && position < kDirectionCount ? BranchAt(position) : -1;
  }
}

PalaceNeighbours NeighboursOf(int palace) {
  const int p = PositionOfPalace(palace);
  if (p < 0 || p == kPosCentre) return {};
  // The palaces are the even positions; the cycle is their index order.
  return {PalaceNumberAt((p + 14) % 16), PalaceNumberAt((p + 2) % 16),
          PalaceNumberAt((p + 8) % 16)};
}

bool IsNeighbour(int a, int b) {
  const PalaceNeighbours n = NeighboursOf(b);
  return a != 0 && (a == n.before || a == n.after);
}

int OppositeOf(int palace) {
  return NeighboursOf(palace).opposite;
}

}  // namespace taiyi
