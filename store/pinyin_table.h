// Pinyin syllables of GBK characters: the syllable table and the syllable number of every
// two-byte GBK code.  The data is generated (store/pinyin_table.cpp).
#pragma once

namespace taiyi {

// Syllables 0..405; 0 and 394 are empty, 1..393 the ordinary syllables, 395..405 the rare
// ones.  Lower-case ASCII, at most six letters, v standing for u-umlaut.
inline constexpr int kPinyinSyllableCount = 406;

// Two-byte GBK codes: lead 0x81..0xFE times trail 0x40..0xFE.
inline constexpr int kPinyinIndexCount = 126 * 191;

// The text of syllable number; "" outside 0..405.
const char* PinyinSyllable(int number);

// The syllable number of the GBK code lead, trail; 0 when it has none or lies outside the
// two-byte range.
int PinyinSyllableNumber(unsigned char lead, unsigned char trail);

}  // namespace taiyi
