// The host, guest and fixed counts: the walk over the palaces from a start position to the
// palace of 太乙, and the two generals that each count puts on the disc.
#pragma once

namespace taiyi {

// The count from start position s (0..15) to the palace position t of 太乙.  A start on a
// 间辰 walks from the next palace forward and adds 1.
int CountToTaiYi(int start, int taiYi);

struct Generals {
  int general = 0;  // palace number 1..9 of the 大将
  int aide = 0;     // palace number 1..9 of the 参将
  friend bool operator==(const Generals&, const Generals&) = default;
};

Generals GeneralsOfCount(int count);

}  // namespace taiyi
