#include "calendar/ganzhi_names.h"

#include <cstdint>

namespace taiyi {

int GanZhiIndex(int stem, int branch) {
  const int s = ((stem % 10) + 10) % 10;
  const int b = ((branch % 12) + 12) % 12;
  int c = s - b;  // -11 … 9
  if (c < 0) c += 12;
  return s + (c / 2) * 10;  // 0 … 59
}

std::string ChineseNumber(int n) {
  if (n >= 1 && n <= 9) return std::string(kDigitNames[n]);
  if (n == 10) return "十";
  if (n > 10 && n < 20) return "十" + std::string(kDigitNames[n % 10]);
  if (n == 20) return "二十";
  if (n > 20 && n < 30) return "廿" + std::string(kDigitNames[n % 10]);
  if (n == 30) return "三十";

  std::string text;
  int64_t v = n;  // wide enough to negate the smallest int
  if (v < 0) {
    text = "前";
    v = -v;
  }
  int64_t place = 1000;  // 0 and 1000 … 9999 are written over four places
  if (v < 10 && v > 0) {
    place = 1;
  } else if (v < 100 && v > 0) {
    place = 10;
  } else if (v < 1000 && v > 0) {
    place = 100;
  }
  while (v / place >= 10) place *= 10;  // beyond 9999: keep every digit a single numeral
  for (; place >= 1; place /= 10) {
    text += kDigitNames[v / place];
    v %= place;
  }
  return text;
}

std::string LunarMonthName(int month, bool leap) {
  std::string text = leap ? "闰" : "";
  if (month == 1) return text + "正月";
  return text + ChineseNumber(month) + "月";
}

std::string LunarDayName(int day) {
  if (day <= 10) return "初" + ChineseNumber(day);
  return ChineseNumber(day);
}

}  // namespace taiyi
