// Years as users type and read them: no year 0, -120 is 120 BC.  Inside, years are
// astronomical (0 = 1 BC).  Every command converts through these.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "calendar/typed_years.h"

namespace taiyi::cli {

// Typed year -> stored year; nullopt for year 0 and years outside -4713 … 9999.
inline std::optional<int> StoredYear(int typed) {
  return StoredYearOf(typed);
}

// Stored year -> the year as the user reads it.
inline int TypedYear(int stored) {
  return TypedYearOf(stored);
}

// A stored year as the user reads it, four digits at least: "2024", "-0120".
inline std::string YearText(int stored) {
  const int typed = TypedYear(stored);
  char text[16];
  std::snprintf(text, sizeof text, typed < 0 ? "-%04d" : "%04d", typed < 0 ? -typed : typed);
  return text;
}

// "YYYY-MM-DD HH:MM" of a stored moment, the year as YearText writes it.
inline std::string MomentText(int year, int month, int day, int hour, int minute) {
  char text[32];
  std::snprintf(text, sizeof text, "-%02d-%02d %02d:%02d", month, day, hour, minute);
  return YearText(year) + text;
}

}  // namespace taiyi::cli
