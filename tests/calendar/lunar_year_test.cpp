// Lunar year tables: correction strings, the three eras of terms and new moons, the year table
// of a modern year, leap months and the month numbering of the historical calendars.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "calendar/lunar_corrections.h"

namespace taiyi {
namespace {

TEST(DecompressTest, ExpandsLettersToDigitRunsAndKeepsDigits) {
  struct Case {
    const char* text;
    std::string want;
  };
  const Case cases[] = {
      {"", ""},
      {"12", "12"},
      {"J", "00"},
      {"Gt",
       "00000"
       "02"},
      {"h1k",
       "001001"
       "1"
       "01"},
      {"a", std::string(9, '0') + "1"},
      {"l", std::string(9, '0') + "2"},
      {"A", std::string(60, '0')},
      {"B2", std::string(50, '0') + "2"},
      {"CDEF", std::string(40 + 30 + 20 + 10, '0')},
      {"IHrsjgfedcbqponmi",
       "000"
       "0000"
       "0002"
       "002"
       "0101"
       "0001"
       "00001"
       "000001"
       "0000001"
       "00000001"
       "000000001"
       "00002"
       "000002"
       "0000002"
       "00000002"
       "000000002"
       "001"},
  };
  for (const Case& c : cases) EXPECT_EQ(Decompress(c.text), c.want) << c.text;
}

TEST(DecompressTest, CorrectionStringsExpandToTheirFullLengthOfDigits) {
  struct Case {
    std::string_view compressed;
    size_t compressedLength;
    size_t expandedLength;
  };
  const Case cases[] = {
      {CompressedNewMoonCorrections(), 2031, 16598},
      {CompressedTermCorrections(), 437, 7567},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.compressed.size(), c.compressedLength);
    const std::string expanded = Decompress(c.compressed);
    EXPECT_EQ(expanded.size(), c.expandedLength);
    EXPECT_TRUE(std::all_of(expanded.begin(), expanded.end(),
                            [](char ch) { return ch == '0' || ch == '1' || ch == '2'; }));
  }
}

}  // namespace
}  // namespace taiyi
