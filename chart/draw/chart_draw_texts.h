// The text pieces the chart drawing writes beside those the summary shares: moments, lunar
// months and days, pillars, and the characters of a name.
#pragma once

#include <string>
#include <string_view>

#include "calendar/yi_date.h"

namespace taiyi {

// "%d年%d月%d日%d时%d分" with the civil year.
std::string MomentPieces(const YiDate& d);
// "正月", "四月", "闰五月" and "初五", "十一", "廿一" as the flow block writes them.
std::string LunarMonthPiece(int month, bool leap);
std::string LunarDayPiece(int day);
// "%s%s年　%s%s月　%s%s日　%s%s时" of four sexagenary numbers.
std::string PillarsText(int year, int month, int day, int hour);
// The first UTF-8 character of a text and the rest.
std::string_view FirstChar(std::string_view text);
// Number of UTF-8 characters.
int CharCount(std::string_view text);

}  // namespace taiyi
