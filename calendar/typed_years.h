// Years as users type and read them: no year 0, -120 is 120 BC.  Inside, years are
// astronomical (0 = 1 BC); the command line, the windows and the case captions convert here.
#pragma once

#include <optional>

namespace taiyi {

// A typed year to the stored astronomical year; nullopt for year 0 and for years outside
// -4713 … 9999.
inline std::optional<int> StoredYearOf(int typed) {
  if (typed == 0 || typed < -4713 || typed > 9999) return std::nullopt;
  return typed < 0 ? typed + 1 : typed;
}

// A stored year as the user reads it.
inline int TypedYearOf(int stored) {
  return stored <= 0 ? stored - 1 : stored;
}

}  // namespace taiyi
