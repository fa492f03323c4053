#include "chart/draw/chart_draw_texts.h"

#include <cmath>
#include <algorithm>
#include <cstdio>

#include "calendar/ganzhi_names.h"
#include "platform/gbk.h"

namespace taiyi {

int ShownYear(int year) {
  return year > 0 ? year : year - 1;
}

std::string MomentPieces(const YiDate& d) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "%d年%d月%d日%d时%d分", ShownYear(d.year), d.month, d.day,
                d.hour, d.minute);
  return buf;
}

std::string LongitudeText(double longitude) {
  const double a = std::fabs(longitude);
  const int degrees = static_cast<int>(a);
  const int minutes = static_cast<int>(std::ceil((a - degrees) * 60.0 - 0.5));
  char buf[64];
  std::snprintf(buf, sizeof buf, "%s%d:%d ", longitude >= 0 ? "东经" : "西经", degrees, minutes);
  return buf;
}

std::string LunarMonthPiece(int month, bool leap) {
  const std::string piece = month == 1 ? "正月" : ChineseNumber(month) + "月";
  return leap ? "闰" + piece : piece;
}

std::string LunarDayPiece(int day) {
  return day >= 1 && day <= 10 ? "初" + ChineseNumber(day) : ChineseNumber(day);
}

std::string LunarLine(const YiDate& lunar, bool leap, int hour) {
  std::string s = "农历:" + ChineseNumber(ShownYear(lunar.year)) + "年";
  s += " " + LunarMonthPiece(lunar.month, leap) + " ";
  s += LunarDayPiece(lunar.day) + "日";
  const int h = hour % 2 == 1 ? hour + 1 : hour;
  s += " " + std::string(kBranchNames[(h / 2 + 1) % 12]) + "时";
  return s;
}

std::string PillarsText(int year, int month, int day, int hour) {
  return std::string(GanZhiName(year)) + "年　" + std::string(GanZhiName(month)) + "月　" +
         std::string(GanZhiName(day)) + "日　" + std::string(GanZhiName(hour)) + "时";
}

std::string VoidPair(int pillar) {
  const int n = ((pillar % 60) + 60) % 60;
  const int m = ((n == 0 ? 60 : n) - 1) % 60;  // 0 … 59
  const int d = m / 10;                         // decade 0 … 5
  return std::string(kBranchNames[(11 - 2 * d + 12) % 12]) +
         std::string(kBranchNames[(12 - 2 * d) % 12]) + "　　";
}

std::string_view FirstChar(std::string_view text) {
  if (text.empty()) return text;
  return text.substr(0, Utf8CharLength(text, 0));
}

int CharCount(std::string_view text) {
  int n = 0;
  for (std::size_t i = 0; i < text.size(); ++n) i += std::max<std::size_t>(1, Utf8CharLength(text, i));
  return n;
}

}  // namespace taiyi
