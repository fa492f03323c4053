#include "chart/places.h"

#include <cstdio>

#include "platform/file_util.h"

namespace taiyi {
namespace {

// An optional sign and at most four digits, the whole text: nothing in the table needs
// more, and the bound keeps the arithmetic far from overflow.
bool ParseSmallInteger(std::string_view text, int& value) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.size() > 4) return false;
  int v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  value = negative ? -v : v;
  return true;
}

bool ParseDegreesMinutes(std::string_view text, int maxDegrees, float& out) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return false;
  int degrees = 0, minutes = 0;
  if (!ParseSmallInteger(text.substr(0, colon), degrees) ||
      !ParseSmallInteger(text.substr(colon + 1), minutes))
    return false;
  if (degrees < -maxDegrees || degrees > maxDegrees || minutes < 0 || minutes > 59) return false;
  out = static_cast<float>(degrees + minutes / 60.0);
  return true;
}

std::string PlaceName(std::string_view province, std::string_view city) {
  std::string name(province);
  name += '-';
  name += city;
  return name;
}

}  // namespace

bool ParseCoordinates(std::string_view value, Coordinates& out) {
  const std::size_t star = value.find('*');
  if (star == std::string_view::npos) return false;
  Coordinates c;
  if (!ParseDegreesMinutes(value.substr(0, star), 179, c.longitude) ||
      !ParseDegreesMinutes(value.substr(star + 1), 89, c.latitude))
    return false;
  out = c;
  return true;
}

std::string FormatCoordinates(int lonDegrees, int lonMinutes, int latDegrees, int latMinutes) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%d:%d*%d:%d", lonDegrees, lonMinutes, latDegrees,
                latMinutes);
  return buffer;
}

CoordinateTexts SplitCoordinates(std::string_view value) {
  const auto split = [](std::string_view part, std::string& degrees, std::string& minutes) {
    const std::size_t colon = part.find(':');
    degrees = std::string(part.substr(0, colon));
    minutes = colon == std::string_view::npos ? std::string() : std::string(part.substr(colon + 1));
  };
  const std::size_t star = value.find('*');
  CoordinateTexts texts;
  split(value.substr(0, star), texts.lonDegrees, texts.lonMinutes);
  if (star != std::string_view::npos)
    split(value.substr(star + 1), texts.latDegrees, texts.latMinutes);
  return texts;
}

PlaceTable::PlaceTable(std::string path, std::string writePath)
    : ini_(std::move(path)), writePath_(std::move(writePath)) {
  if (!ini_.Reload()) lastError_ = "无法读取文件：" + ini_.Path();
}

bool PlaceTable::Reload() {
  if (ini_.Reload()) return true;
  lastError_ = "无法读取文件：" + ini_.Path();
  return false;
}

std::vector<std::string> PlaceTable::CitiesOf(std::string_view province) const {
  if (province == kUnknownPlace) return {std::string(kUnknownPlace)};
  return ini_.ReadSection(province);
}

bool PlaceTable::CoordinatesOf(std::string_view province, std::string_view city, Coordinates& out) {
  if (province == kUnknownPlace) {
    if (city == kUnknownPlace) {
      out = Coordinates{};
      return true;
    }
  } else if (ini_.ValueExists(province, city)) {
    const std::string value = ValueOf(province, city);
    if (ParseCoordinates(value, out)) return true;
    lastError_ = "地理数据文件中 " + PlaceName(province, city) + " 的经纬度“" + value +
                 "”有误，应为“度:分*度:分”";
    return false;
  }
  lastError_ = "没有找到地点：" + PlaceName(province, city);
  return false;
}

std::string PlaceTable::ValueOf(std::string_view province, std::string_view city) const {
  std::string value = ini_.ReadString(province, city, kDefaultCoordinates);
  return value.empty() ? std::string(kDefaultCoordinates) : value;
}

bool PlaceTable::WriteValue(std::string_view province, std::string_view city,
                            std::string_view value) {
  if (!writePath_.empty() && writePath_ != ini_.Path()) {
    // Never start the user's copy from anything but the whole shipped table.
    if (!FileExists(writePath_) && FileExists(ini_.Path()) &&
        !CopyFile(ini_.Path(), writePath_, false)) {
      lastError_ = "无法写入文件：" + writePath_;
      return false;
    }
    ini_ = IniFile(writePath_);
    if (!ini_.Reload()) {
      lastError_ = "无法读取文件：" + ini_.Path();
      return false;
    }
  }
  if (ini_.WriteString(province, city, value)) return true;
  lastError_ = "无法写入文件：" + ini_.Path();
  return false;
}

}  // namespace taiyi
