// One-day corrections of the low-precision new-moon and solar-term formulas between the
// historical mean calendars and 1960, kept as two run-length compressed digit strings.
// Character k of an expanded string: "0" no change, "1" one day later, "2" one day earlier.
#pragma once

#include <string>
#include <string_view>

namespace taiyi {

// Expands a compressed correction string: each letter stands for a fixed run of digits
// (J "00", I "000", … a "0000000001", A sixty "0" … F ten "0"); digits stand for
// themselves. Any other character is kept as it is.
std::string Decompress(std::string_view text);

// The compressed strings (2031 and 437 characters). Expanded they hold 16598 new-moon
// and 7567 solar-term corrections.
std::string_view CompressedNewMoonCorrections();
std::string_view CompressedTermCorrections();

}  // namespace taiyi
