// The rules of the main window's input panel that need no widgets: the rows of its lists,
// years as the user types them against the stored years, the city search and the panel's
// messages.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/typed_years.h"

namespace taiyi {

inline constexpr char kYearErrorTitle[] = "年份错误";
inline constexpr char kYearErrorText[] =
    "年份必须在-4713到9999年之间，并且没有公元0年\r\n"
    "注意：公元前用负数，比如公元前120年，就输入-120";
// The notice after a name was cleaned: the listed characters, the first being a double quote.
inline constexpr char kNameCleanedText[] =
    "姓名中包含：\"、*、<、>、?、\\、/、|、'、：等字符。已经处理为合适的文本！";
inline constexpr char kNeedLifeChart[] = "请先排一个太乙命局，这样才能排太乙流年盘！";
inline constexpr char kNeedChart[] = "请先排一个正确的盘";
inline constexpr int kPanelNameChars = 10;

// "0时子", "1时丑", "2时丑", … "22时亥", "23时子": the hour and its double hour.
std::string HourRowText(int hour);
// "1月", "12日", "0分": a number followed by its unit.
std::string NumberRowText(int n, std::string_view unit);

// The year box's text as a number: 0 when it is none (leading and trailing blanks allowed).
int ParseTypedYear(std::string_view text);

// The first row whose text contains the entered text and is at most one double-byte character
// (two GBK bytes) longer; -1 when the text is empty or no row fits.
int FindCityRow(const std::vector<std::string>& rows, std::string_view text);

}  // namespace taiyi
