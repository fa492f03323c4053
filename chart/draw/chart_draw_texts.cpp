#include "chart/draw/chart_draw_texts.h"

#include <algorithm>
#include <cstdio>

#include "calendar/ganzhi_names.h"
#include "chart/chart_summary.h"
#include "platform/gbk.h"

namespace taiyi {

std::string MomentPieces(const YiDate& d) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "%d年%d月%d日%d时%d分", CivilYear(d.year), d.month, d.day, d.hour,
                d.minute);
  return buf;
}

std::string LunarMonthPiece(int month, bool leap) {
  const std::string piece = month == 1 ? "正月" : ChineseNumber(month) + "月";
  return leap ? "闰" + piece : piece;
}

std::string LunarDayPiece(int day) {
  return day >= 1 && day <= 10 ? "初" + ChineseNumber(day) : ChineseNumber(day);
}

std::string PillarsText(int year, int month, int day, int hour) {
  return std::string(GanZhiName(year)) + "年　" + std::string(GanZhiName(month)) + "月　" +
         std::string(GanZhiName(day)) + "日　" + std::string(GanZhiName(hour)) + "时";
}

std::string_view FirstChar(std::string_view text) {
  if (text.empty()) return text;
  return text.substr(0, Utf8CharLength(text, 0));
}

int CharCount(std::string_view text) {
  int n = 0;
  for (std::size_t i = 0; i < text.size(); ++n)
    i += std::max<std::size_t>(1, Utf8CharLength(text, i));
  return n;
}

}  // namespace taiyi
