// Checks that the parser applies to typed option values before a command runs: texts must
// be valid UTF-8, coordinates finite numbers within their range.  A refused value ends the
// program as bad usage, with the message, before anything is read or stored.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace taiyi::cli {

// A text option (name, comment, category, keyword): refused when it is not valid UTF-8.
CLI::Validator Utf8Text();

// A longitude (limit 180) or latitude (limit 90): refused when it is not a finite number
// within -limit … limit (nan and inf are refused; a text that is no number at all is left to
// the option's own conversion).
CLI::Validator Coordinate(double limit, const char* message);

inline constexpr char kLongitudeMessage[] = "经度必须是-180到180之间的数";
inline constexpr char kLatitudeMessage[] = "纬度必须是-90到90之间的数";

// The refusal of a longitude (key "lon") or latitude ("lat") value wherever one is read, as
// the options give it; empty when the value is a finite number within range.
std::string CoordinateRefusal(const std::string& key, double value);

}  // namespace taiyi::cli
