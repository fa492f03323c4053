// Pinyin codes of a text: each Chinese character's syllable or its capital initial, with
// fixed treatments of letters, digits, full-width forms, number symbols and Greek letters.
// The case tree sorts surnames by these initials.
#pragma once

#include <bitset>
#include <string>
#include <string_view>

namespace taiyi {

// Option bits of PinyinCodes.
inline constexpr int kImFullSyllable = 1;  // the whole syllable, not only its initial
inline constexpr int kImMarkUnknown = 2;   // "?" for a double-byte character with no reading
inline constexpr int kImKeepSymbols = 4;   // keep characters that are neither letters nor digits

class ImCode {
 public:
  ImCode();

  // Pinyin codes of a UTF-8 text: the text is taken in its GBK form and walked byte by
  // byte.  Every character yields its piece followed by one space; a dropped character
  // yields the space alone.  Negative option bits give "".  The result is ASCII.
  std::string PinyinCodes(std::string_view text, int optionBits) const;

  // The same walk over GBK bytes.
  std::string PinyinCodesGbk(std::string_view gbk, int optionBits) const;

 private:
  bool IsLetterOrDigit(unsigned char c) const { return letters_[c] || digits_[c]; }

  std::bitset<256> letters_;
  std::bitset<256> digits_;
};

}  // namespace taiyi
