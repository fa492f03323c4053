// Calendar vocabulary: the sexagenary numbering shared by the calendar and the chart engine
// (1 = 甲子 … 59 = 壬戌, 0 = 癸亥) and the names of stems, branches, zodiac animals, solar
// terms, weekdays and Chinese numerals, with the rules that name lunar months and lunar days.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace taiyi {

// Stem names indexed by the stem number n mod 10 (1 = 甲 … 9 = 壬, 0 = 癸).
inline constexpr std::array<std::string_view, 10> kStemNames = {"癸", "甲", "乙", "丙", "丁",
                                                                "戊", "己", "庚", "辛", "壬"};

// Branch names indexed by the branch number n mod 12 (1 = 子 … 11 = 戌, 0 = 亥).
inline constexpr std::array<std::string_view, 12> kBranchNames = {
    "亥", "子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌"};

// Zodiac animals indexed by the branch number (1 = 鼠 … 0 = 猪).
inline constexpr std::array<std::string_view, 12> kZodiacNames = {
    "猪", "鼠", "牛", "虎", "兔", "龙", "蛇", "马", "羊", "猴", "鸡", "狗"};

// The sixty stem-branch names indexed by the sexagenary number (1 = 甲子 … 59 = 壬戌, 0 = 癸亥).
inline constexpr std::array<std::string_view, 60> kGanZhiNames = {
    "癸亥", "甲子", "乙丑", "丙寅", "丁卯", "戊辰", "己巳", "庚午", "辛未", "壬申",  // 0 … 9
    "癸酉", "甲戌", "乙亥", "丙子", "丁丑", "戊寅", "己卯", "庚辰", "辛巳", "壬午",  // 10 … 19
    "癸未", "甲申", "乙酉", "丙戌", "丁亥", "戊子", "己丑", "庚寅", "辛卯", "壬辰",  // 20 … 29
    "癸巳", "甲午", "乙未", "丙申", "丁酉", "戊戌", "己亥", "庚子", "辛丑", "壬寅",  // 30 … 39
    "癸卯", "甲辰", "乙巳", "丙午", "丁未", "戊申", "己酉", "庚戌", "辛亥", "壬子",  // 40 … 49
    "癸丑", "甲寅", "乙卯", "丙辰", "丁巳", "戊午", "己未", "庚申", "辛酉", "壬戌",  // 50 … 59
};

// Solar terms in the order they fall in a civil year: index = (apparent solar longitude in
// degrees − 285) / 15 mod 24. Even indices are section terms (节), odd ones middle terms (中气).
inline constexpr std::array<std::string_view, 24> kSolarTermNames = {
    "小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨", "立夏", "小满", "芒种", "夏至",
    "小暑", "大暑", "立秋", "处暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"};

// Weekday column headers of a calendar grid, Monday first.
inline constexpr std::array<std::string_view, 7> kWeekdayHeaders = {"一", "二", "三", "四",
                                                                    "五", "六", "日"};

// Numeral characters of the digits 0 … 9.
inline constexpr std::array<std::string_view, 10> kDigitNames = {"○",  "一", "二", "三", "四",
                                                                 "五", "六", "七", "八", "九"};

// Stem number (0 … 9) and branch number (0 … 11) of a sexagenary number; any integer is
// first reduced into the cycle.
constexpr int StemOf(int ganZhi) {
  return ((ganZhi % 10) + 10) % 10;
}
constexpr int BranchOf(int ganZhi) {
  return ((ganZhi % 12) + 12) % 12;
}

// Two-character name of a sexagenary number (reduced mod 60), e.g. 1 → 甲子.
constexpr std::string_view GanZhiName(int ganZhi) {
  return kGanZhiNames[((ganZhi % 60) + 60) % 60];
}

// Sexagenary number (0 … 59) of a stem number s (0 … 9) and a branch number b (0 … 11) of the
// same parity, e.g. (0, 2) → 50 = 癸丑, (1, 11) → 11 = 甲戌. Numbers outside their ranges are
// reduced first. Unequal parity has no stem-branch pair; the result is then meaningless.
int GanZhiIndex(int stem, int branch);

// Chinese numeral text of n: 1 … 9 as one digit, 10 … 30 as spoken (十, 十一, 二十, 廿一, 三十),
// every other number digit by digit over at least four places for 0 and at least the number's
// own places otherwise, with 前 before negative numbers: 0 → ○○○○, 31 → 三一, 2024 → 二○二四,
// −120 → 前一二○. Meant for −9999 … 9999; larger magnitudes are written with all their digits.
std::string ChineseNumber(int n);

// Name of a lunar month: 正月, 二月 … 十二月 (13 gives the ancient extra month 十三月),
// with 闰 in front of a leap month.
std::string LunarMonthName(int month, bool leap);

// Name of a lunar day: 初一 … 初十, 十一 … 十九, 二十, 廿一 … 廿九, 三十.
std::string LunarDayName(int day);

}  // namespace taiyi
