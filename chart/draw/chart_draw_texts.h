// The text pieces the chart drawing writes: civil years, moments, longitude, lunar dates,
// pillars and void branches, in the forms the chart's text blocks show them.
#pragma once

#include <string>
#include <string_view>

#include "calendar/yi_date.h"

namespace taiyi {

// An astronomical year as users write it: 0 → −1, −100 → −101.
int ShownYear(int year);
// "%d年%d月%d日%d时%d分" with the shown year.
std::string MomentPieces(const YiDate& d);
// "东经%d:%d " / "西经%d:%d ": whole degrees and minutes rounded, a tie rounding down.
std::string LongitudeText(double longitude);
// "农历:二○○○年 正月 初一日 子时": year numeral, month piece (闰 for a leap month), day
// numeral, and the branch of the corrected moment's hour.
std::string LunarLine(const YiDate& lunar, bool leap, int hour);
// "正月", "四月", "闰五月" and "初五", "十一", "廿一" as the flow block writes them.
std::string LunarMonthPiece(int month, bool leap);
std::string LunarDayPiece(int day);
// "%s%s年　%s%s月　%s%s日　%s%s时" of four sexagenary numbers.
std::string PillarsText(int year, int month, int day, int hour);
// "%s%s　　" the two void branches of a pillar's decade.
std::string VoidPair(int pillar);
// The first UTF-8 character of a text and the rest.
std::string_view FirstChar(std::string_view text);
// Number of UTF-8 characters.
int CharCount(std::string_view text);

}  // namespace taiyi
