#include "cli/input_checks.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/gbk.h"
#include "store/store_messages.h"

namespace taiyi::cli {

CLI::Validator Utf8Text() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        if (IsValidUtf8(text)) return {};
        return std::string(kMsgTextNotUtf8) + RepairUtf8(text);
      },
      "");
}

namespace {

bool OutOfRange(double value, double limit) {
  return !std::isfinite(value) || std::fabs(value) > limit;
}

}  // namespace

CLI::Validator Coordinate(double limit, const char* message) {
  return CLI::Validator(
      [limit, message](std::string& text) -> std::string {
        char* end = nullptr;
        const double value = std::strtod(text.c_str(), &end);
        if (end == text.c_str()) return {};
        return OutOfRange(value, limit) ? message : std::string();
      },
      "");
}

std::string CoordinateRefusal(const std::string& key, double value) {
  const bool lon = key == "lon";
  if (!OutOfRange(value, lon ? 180 : 90)) return {};
  return lon ? kLongitudeMessage : kLatitudeMessage;
}

}  // namespace taiyi::cli
