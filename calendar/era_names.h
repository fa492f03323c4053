// Era-name text (年号) of a year: every reign period of the era table that contains the
// year, written as "[dynasty] ruler name era-name N年" and joined by "；" where periods of
// division give several rows.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace taiyi {

// One reign period. Texts are UTF-8; their GBK forms fit 10 bytes (dynasty, ruler, era)
// and 30 bytes (personal name).
struct EraRow {
  int16_t start;   // first year, astronomical numbering (0 = 1 BC)
  int16_t years;   // number of years; the row covers start … start + years − 1
  int16_t offset;  // added to the count within the era (continued counts), mostly 0
  const char* dynasty;
  const char* ruler;         // the ruler's title
  const char* personalName;  // may be empty
  const char* eraName;
};

// The 529 reign periods from 夏 (2070 BC) to 1949 and after, in table order.
std::span<const EraRow> EraNameTable();

class EraNames {
 public:
  // Era text of an astronomical year, e.g. 2024 → "[当代] 中国  公历纪元2024年"; empty when
  // no period contains the year (before 2070 BC).
  std::string EraText(int year);

 private:
  std::string text_;  // scratch for the text being built
};

}  // namespace taiyi
