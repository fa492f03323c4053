// The date record shared by the whole program: a civil or lunar date to the minute.
// Years are astronomical (0 = 1 BC); a lunar leap month is carried by a separate flag.
#pragma once

#include <cstdint>

namespace taiyi {

struct YiDate {
  int16_t year = 0;    // astronomical numbering, valid -4712 … 9999
  int16_t month = 0;   // 1 … 12 (lunar: 1 = 正月)
  int16_t day = 0;     // 1 … 31 (lunar: 1 … 30)
  int16_t hour = 0;    // 0 … 23
  int16_t minute = 0;  // 0 … 59

  friend bool operator==(const YiDate&, const YiDate&) = default;
};

}  // namespace taiyi
