#include "store/im_code.h"

#include <array>

#include "platform/gbk.h"
#include "store/pinyin_table.h"

namespace taiyi {
namespace {

// GBK row 0xA2, trail bytes 0xA1..0xFE: the number a symbol shows, 0 for none.  The row
// holds small Roman numerals, numbers with a full stop, parenthesised numbers, circled
// numbers, parenthesised ideographic numbers and capital Roman numerals.
int NumberSymbolValue(unsigned char trail) {
  struct Run {
    unsigned char first, last;
  };
  static constexpr std::array<Run, 6> kRuns = {{
      {0xA1, 0xAA},  // small Roman 1..10
      {0xB1, 0xC4},  // 1. .. 20.
      {0xC5, 0xD8},  // (1) .. (20)
      {0xD9, 0xE2},  // circled 1..10
      {0xE5, 0xEE},  // parenthesised ideographs 1..10
      {0xF1, 0xFC},  // capital Roman 1..12
  }};
  for (const Run& run : kRuns) {
    if (trail >= run.first && trail <= run.last) return trail - run.first + 1;
  }
  return 0;
}

// GBK row 0xA6: the Latin text of a Greek letter, capitals at 0xA1..0xB8 and small letters
// at 0xC1..0xD8, both given in capitals; "" elsewhere.
const char* GreekText(unsigned char trail) {
  static constexpr std::array<const char*, 24> kGreek = {"A", "B", "G", "D", "E",  "Z",  "E",  "TH",
                                                         "I", "K", "L", "M", "N",  "X",  "O",  "P",
                                                         "R", "S", "T", "U", "PH", "KH", "PS", "O"};
  if (trail >= 0xA1 && trail <= 0xB8) return kGreek[trail - 0xA1];
  if (trail >= 0xC1 && trail <= 0xD8) return kGreek[trail - 0xC1];
  return "";
}

char Upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

ImCode::ImCode() {
  for (int c = 'A'; c <= 'Z'; ++c) letters_.set(c);
  for (int c = 'a'; c <= 'z'; ++c) letters_.set(c);
  for (int c = '0'; c <= '9'; ++c) digits_.set(c);
}

std::string ImCode::PinyinCodes(std::string_view text, int optionBits) const {
  if (optionBits < 0) return {};
  return PinyinCodesGbk(Utf8ToGbk(text), optionBits);
}

std::string ImCode::PinyinCodesGbk(std::string_view gbk, int optionBits) const {
  std::string out;
  if (optionBits < 0) return out;
  const bool full = optionBits & kImFullSyllable;
  const bool markUnknown = optionBits & kImMarkUnknown;
  const bool keepSymbols = optionBits & kImKeepSymbols;
  const std::size_t n = gbk.size();
  out.reserve(n * 2);
  for (std::size_t i = 0; i < n;) {
    const auto lead = static_cast<unsigned char>(gbk[i]);
    const bool twoBytes =
        lead > 0x80 && i + 1 < n && static_cast<unsigned char>(gbk[i + 1]) >= 0x40;
    if (!twoBytes) {
      // A byte above 0x7F standing alone (0x80, or a lead byte without its trail) is not
      // a character of any kind: it yields the space alone, so the result stays ASCII.
      if (lead < 0x80 && (keepSymbols || IsLetterOrDigit(lead))) out += static_cast<char>(lead);
      out += ' ';
      ++i;
      continue;
    }
    const auto trail = static_cast<unsigned char>(gbk[i + 1]);
    switch (lead) {
      case 0xA2:
        if (trail < 0xA1) {
          if (markUnknown) out += '?';
        } else if (const int value = NumberSymbolValue(trail); value != 0) {
          out += std::to_string(value);
        }
        break;
      case 0xA3:
        // Full-width ASCII lies at trail 0xA1..0xFE ('!'..'~'); the rest of the row holds
        // no character.
        if (trail >= 0xA1 && trail <= 0xFE) {
          const auto c = static_cast<unsigned char>(trail - 0x80);
          if (keepSymbols || IsLetterOrDigit(c)) out += static_cast<char>(c);
        }
        break;
      case 0xA6:
        out += GreekText(trail);
        break;
      default:
        if (const int s = PinyinSyllableNumber(lead, trail); s != 0) {
          const char* syllable = PinyinSyllable(s);
          out += Upper(syllable[0]);
          if (full) out += syllable + 1;
        } else if (markUnknown) {
          out += '?';
        }
        break;
    }
    out += ' ';
    i += 2;
  }
  return out;
}

}  // namespace taiyi
