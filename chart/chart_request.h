// What every chart starts from: the chart kinds, the chart request that the input panel fills
// and the case store keeps, the chart settings read before every chart, and the moments
// resolved from a request (clock moment, corrected moment, lunar date).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/yi_date.h"

namespace taiyi {

// The order is that of the chart-kind list of the main window.
enum class ChartKind : uint8_t {
  kLife = 0,   // 命局
  kYear = 1,   // 年局
  kMonth = 2,  // 月局
  kDay = 3,    // 日局
  kHour = 4,   // 时局
};

inline constexpr int kChartKindCount = 5;

// "命" "年" "月" "日" "时": the one-character name of a kind used in texts.
std::string_view ChartKindName(ChartKind kind);
// "命局" "年局" … ; empty for a value outside 0..4.
std::string_view ChartKindTitle(ChartKind kind);

// The chart input.  Texts are UTF-8; their stored forms are GBK with fixed widths, so the
// name holds at most 20 GBK bytes and the place at most 303 (SetName/SetPlace cut to that,
// never inside a character).
struct ChartRequest {
  static constexpr std::size_t kNameMaxGbkBytes = 20;
  static constexpr std::size_t kPlaceMaxGbkBytes = 303;

  ChartKind kind = ChartKind::kLife;
  std::string name;  // person or event name
  int16_t year = 0;  // astronomical numbering (0 = 1 BC)
  int16_t month = 1;  // 1..12 (lunar month number when lunar is set)
  int16_t day = 1;    // 1..31 (lunar day 1..30 when lunar is set)
  int16_t hour = 0;   // 0..23
  int16_t minute = 0;  // 0..59
  bool lunar = false;
  bool leapMonth = false;
  bool male = true;  // 乾造; false 坤造
  int16_t provinceIndex = 0;  // index in the province list; not used by the chart
  int16_t cityIndex = 0;      // index in the city list; not used by the chart
  float longitude = 120.0f;   // degrees, east positive
  float latitude = 30.0f;     // degrees, north positive
  std::string place;          // "province-city"

  YiDate Date() const { return YiDate{year, month, day, hour, minute}; }
  void SetDate(const YiDate& d) {
    year = d.year;
    month = d.month;
    day = d.day;
    hour = d.hour;
    minute = d.minute;
  }
  void SetName(std::string_view text);
  void SetPlace(std::string_view text);

  friend bool operator==(const ChartRequest&, const ChartRequest&) = default;
};

// Chart settings, section "taiyi" of dat/set.ini; the defaults are those of a missing file.
struct ChartSettings {
  int bkcolor = 16777215;      // chart background, 0x00BBGGRR
  int iDate = 0;               // 0 北京时间, 1 真太阳时, 2 地方时
  int iJiNian = 10153917;      // 太乙积年 at year 0
  int iMingJu = 0;             // life chart: 0 as a day chart, 1 as an hour chart
  bool zishi = false;          // distinguish night and early 子 hour
  bool bOldBk = true;          // antique background picture
  bool bShiJing = true;        // draw the ten-essence deities

  friend bool operator==(const ChartSettings&, const ChartSettings&) = default;
};

// Reads section "taiyi" of the given ini file (normally dat/set.ini); a missing file, a
// missing key or a value that is no integer gives the default, and iDate / iMingJu outside
// their ranges fall back to their defaults.
ChartSettings ReadChartSettings(const std::string& setIniPath);

struct ChartMoments {
  YiDate clockMoment;         // solar date and time as entered or converted from lunar
  double clockJulianDay = 0;  // Julian day of clockMoment
  YiDate correctedMoment;     // after true-solar / local-mean-time correction
  YiDate lunarDate;           // lunar date of the corrected moment (next day at hour 23)
  bool lunarLeap = false;     // whether that lunar month is a leap month
};

struct ResolvedMoments {
  bool ok = false;
  ChartMoments moments;
  std::string error;  // the failure message when !ok
};

inline constexpr char kNoSuchDate[] = "不存在这个日期";
inline constexpr char kYearOutOfRange[] = "时间越界，年份在 -4713到9999之间";

// Resolves the three moments of a request.  Fails with kNoSuchDate, kYearOutOfRange or the
// date service's lunar-conversion message.
ResolvedMoments ResolveMoments(const ChartRequest& request, const ChartSettings& settings);
class MYiDateEx;
ResolvedMoments ResolveMoments(const ChartRequest& request, const ChartSettings& settings,
                               MYiDateEx& dates);

// The eight trigrams 乾 兑 离 震 巽 坎 艮 坤 as line strings, bottom line first, "1" yang,
// "2" yin: index i holds the bits of 7 - i from the lowest bit up.
const std::array<std::string, 8>& TrigramLines();

}  // namespace taiyi
