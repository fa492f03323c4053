#include "calendar/era_names.h"

namespace taiyi {

std::string EraNames::EraText(int year) {
  text_.clear();
  for (const EraRow& row : EraNameTable()) {
    const int start = row.start;
    if (year < start || year >= start + row.years) continue;
    const int n = year - start + 1 + row.offset;
    if (!text_.empty()) text_ += "；";
    text_ += "[";
    text_ += row.dynasty;
    text_ += "] ";
    text_ += row.ruler;
    text_ += " ";
    text_ += row.personalName;
    text_ += " ";
    text_ += row.eraName;
    text_ += std::to_string(n);
    text_ += "年";
  }
  return text_;
}

}  // namespace taiyi
