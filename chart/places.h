// The places table: the built-in province list and the cities of dat/dili.ini with their
// longitude and latitude, as the input panel, the places editor and the command line read
// them.  A value in the file is "D1:M1*D2:M2": longitude degrees:minutes, then latitude.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini_file.h"

namespace taiyi {

// The place groups in list order.  Every entry but the last names a section of the file;
// the last, the unknown place, has none and stands for 120° E, 30° N.
inline constexpr std::array<std::string_view, 35> kProvinces = {
    "福建省", "北京市", "天津市", "河北省", "山西省", "内蒙古", "辽宁省", "吉林省", "黑龙江省",
    "上海市", "江苏省", "浙江省", "安徽省", "江西省", "山东省", "河南省", "湖北省", "湖南省",
    "广东省", "广西",   "海南省", "四川省", "重庆市", "贵州省", "云南省", "西藏",   "陕西省",
    "甘肃省", "青海省", "宁夏",   "新疆",   "台湾省", "香港",   "澳门",   "未知地"};
inline constexpr std::string_view kUnknownPlace = "未知地";
// The groups the places editor offers: all but the unknown place.
inline constexpr std::size_t kEditableProvinceCount = kProvinces.size() - 1;
// What a key without a value (or a missing key, in the editor) reads as.
inline constexpr std::string_view kDefaultCoordinates = "120:0*30:0";

// Decimal degrees, east and north positive, as a chart request carries them.
struct Coordinates {
  float longitude = 120.0f;
  float latitude = 30.0f;
};

// "D1:M1*D2:M2" with decimal integers (an optional sign, digits, nothing else); degrees
// −179 … 179 of longitude and −89 … 89 of latitude, minutes 0 … 59, the ranges the places
// editor accepts.  Value = degrees + minutes / 60: the minutes always add, also to negative
// degrees.  False, and out unchanged, for anything else.
bool ParseCoordinates(std::string_view value, Coordinates& out);

// The value the places editor writes: "%d:%d*%d:%d".
std::string FormatCoordinates(int lonDegrees, int lonMinutes, int latDegrees, int latMinutes);

// The four texts the places editor shows for a value, unchanged: the part before the first
// "*" is the longitude, the rest the latitude; each splits at its first ":" into degrees
// and minutes.  A missing separator leaves the later texts empty.
struct CoordinateTexts {
  std::string lonDegrees, lonMinutes, latDegrees, latMinutes;
};
CoordinateTexts SplitCoordinates(std::string_view value);

// One places file (GBK on disk), read when made and again by Reload.  A table read from the
// shipped file is given the user's path to write to: the first write copies the shipped
// file there and goes on with that copy.
class PlaceTable {
 public:
  explicit PlaceTable(std::string path, std::string writePath = {});

  // Reads the file again (a missing file reads as empty); false with LastError when it
  // exists but cannot be read.
  bool Reload();

  // The keys of the province's section in file order; empty when the file or the section
  // is missing.  The unknown place gives its one city without reading the file.
  std::vector<std::string> CitiesOf(std::string_view province) const;

  // The city's coordinates.  False with LastError when the city is not listed or its value
  // does not have the form above (an error of the data file); a key without a value reads
  // as kDefaultCoordinates.
  bool CoordinatesOf(std::string_view province, std::string_view city, Coordinates& out);

  // The stored value as the places editor reads it: kDefaultCoordinates when the key is
  // missing or has no value.
  std::string ValueOf(std::string_view province, std::string_view city) const;

  // Writes one city's value to disk at once; false with LastError when it cannot.
  bool WriteValue(std::string_view province, std::string_view city, std::string_view value);

  const std::string& LastError() const { return lastError_; }
  const std::string& Path() const { return ini_.Path(); }

 private:
  IniFile ini_;
  std::string writePath_;
  std::string lastError_;
};

}  // namespace taiyi
