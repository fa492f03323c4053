#include "store/im_code.h"

#include <gtest/gtest.h>

#include <string>

#include "store/pinyin_table.h"

namespace taiyi {
namespace {

struct Case {
  const char* text;  // UTF-8
  int bits;
  const char* want;
};

TEST(ImCode, PinyinCodesOfUtf8Text) {
  const Case cases[] = {
      {"张三", 0, "Z S "},
      {"张三", kImFullSyllable, "Zhang San "},
      {"吕", 0, "L "},
      {"女", kImFullSyllable, "Nv "},
      {"给", kImFullSyllable, "Ji "},
      {"王李赵陈单曾仇解区", kImFullSyllable, "Wang Li Zhao Chen Dan Ceng Chou Jie Qu "},
      {"A1", 0, "A 1 "},
      {"a-b", 0, "a  b "},
      {"a-b", kImKeepSymbols, "a - b "},
      {"Ａ", 0, "A "},
      {"－", 0, " "},
      {"－", kImKeepSymbols, "- "},
      {"①", 0, "1 "},
      {"Ⅻ", 0, "12 "},
      {"⒇", 0, "20 "},
      {"㈩", 0, "10 "},
      {"Β", 0, "B "},
      {"β", 0, "B "},
      {"θ", 0, "TH "},
      {"ψω", 0, "PS O "},
      {"李A-", kImFullSyllable | kImKeepSymbols, "Li A - "},
      {"", 0, ""},
      {"张", -1, ""},
  };
  const ImCode im;
  for (const Case& c : cases) {
    EXPECT_EQ(im.PinyinCodes(c.text, c.bits), c.want) << c.text << " bits " << c.bits;
  }
}

TEST(ImCode, PinyinCodesOfGbkBytes) {
  const struct {
    std::string gbk;
    int bits;
    const char* want;
  } cases[] = {
      {"\xA2\xD9", 0, "1 "},   // circled 1
      {"\xA2\xFC", 0, "12 "},  // Roman XII
      {"\xA2\xA1", 0, "1 "},   // small Roman i
      {"\xA2\xE3", 0, " "},    // a trail with no number
      {"\xA2\x50", 0, " "},    // below the symbol range
      {"\xA2\x50", kImMarkUnknown, "? "},
      {"\xA6\xA2", 0, "B "},                        // capital beta
      {"\xA6\xC2", 0, "B "},                        // small beta
      {"\xA6\xB9", kImMarkUnknown, " "},            // between the two Greek runs
      {"\xA3\xC1", 0, "A "},                        // full-width A
      {"\xA3\xAD", 0, " "},                         // full-width hyphen
      {"\xA3\x50", kImKeepSymbols, " "},            // no full-width character there
      {std::string("\xD5\xC5\0a", 4), 0, "Z  a "},  // NUL stays a single byte
      {"\x81\x96", 0, " "},                         // an ideograph with no reading
      {"\x81\x96", kImMarkUnknown, "? "},
      {"\xFE\xFF", kImMarkUnknown, "? "},  // trail past the table
      {"\xFF\xFE", kImMarkUnknown, "? "},  // lead past the table
      {"\x80"
       "a",
       kImKeepSymbols, " a "},        // a lone non-ASCII byte gives a space
      {"\xD5", kImKeepSymbols, " "},  // a lead byte at the end of the text
      {"\xD5\x20", 0, "  "},          // a lead byte before a space
  };
  const ImCode im;
  for (const auto& c : cases) {
    std::string hex;
    for (unsigned char b : c.gbk)
      hex += "0123456789ABCDEF"[b >> 4], hex += "0123456789ABCDEF"[b & 15];
    EXPECT_EQ(im.PinyinCodesGbk(c.gbk, c.bits), c.want) << hex << " bits " << c.bits;
  }
}

TEST(PinyinTable, SyllablesAndIndex) {
  const struct {
    int number;
    const char* syllable;
  } syllables[] = {{0, ""},       {1, "a"},     {5, "ao"},    {6, "ba"}, {92, "ji"},
                   {127, "qiao"}, {220, "yao"}, {393, "zuo"}, {394, ""}, {395, "ei"},
                   {400, "nou"},  {404, "lv"},  {405, "nv"},  {406, ""}, {-1, ""}};
  for (const auto& s : syllables) EXPECT_STREQ(PinyinSyllable(s.number), s.syllable) << s.number;
  EXPECT_EQ(PinyinSyllableNumber(0xB8, 0xF8), 92);                       // 给
  EXPECT_STREQ(PinyinSyllable(PinyinSyllableNumber(0xC2, 0xC0)), "lv");  // 吕

  int set = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      const int s = PinyinSyllableNumber(lead, trail);
      ASSERT_TRUE(s >= 0 && s < kPinyinSyllableCount && s != 394) << lead << " " << trail;
      if (s == 0) continue;
      ++set;
      // Readings are given to ideographs only: none in the symbol rows A1..A9 or in the
      // unused trail 0x7F.
      EXPECT_FALSE(lead >= 0xA1 && lead <= 0xA9 && trail >= 0xA1) << lead << " " << trail;
      EXPECT_NE(trail, 0x7F);
    }
  }
  // Every GB2312 ideograph (rows B0..F7) has a reading.
  for (int lead = 0xB0; lead <= 0xF7; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      if (lead == 0xD7 && trail > 0xF9) continue;  // the end of the first level
      EXPECT_NE(PinyinSyllableNumber(lead, trail), 0) << lead << " " << trail;
    }
  }
  EXPECT_GT(set, 20700);
}

}  // namespace
}  // namespace taiyi
