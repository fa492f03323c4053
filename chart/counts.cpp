#include "chart/counts.h"

#include "chart/deity_positions.h"

namespace taiyi {

int CountToTaiYi(int start, int taiYi) {
  int extra = 0;
  int p = start;
  if (p % 2 == 1) {
    p = static_cast<int>(Mod(p - 1, kDirectionCount));
    extra = 1;
  }
  if (p == taiYi) return extra == 0 ? PalaceNumberAt(p) : extra;
  int count = 0;
  // At most eight palaces lie on the walk; a target off the palace ring ends it there too.
  for (int i = 0; i < 8 && p != taiYi; ++i) {
    count += PalaceNumberAt(p);
    p = static_cast<int>(Mod(p - 2, kDirectionCount));
  }
  return count + extra;
}

Generals GeneralsOfCount(int count) {
  int r = count % 10;
  if (r == 0) r = count;
  int v = r % 9;
  if (v == 0) v = 9;
  int w = (3 * v) % 10;
  if (w == 0) w = 9;
  return Generals{v, w};
}

}  // namespace taiyi
