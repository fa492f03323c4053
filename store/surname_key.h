// Sort key of a case's surname: the pinyin initial of the name's first character, then the
// character's place in the traditional surname order.  The case tree sorts by it.
#pragma once

#include <cstdint>
#include <string_view>

namespace taiyi {

// 1-based place of the first character of text (UTF-8) in the surname order of 434
// characters, the first occurrence for a character listed twice; 0 when it is not listed.
int SurnamePosition(std::string_view text);

// L * 1000 + p: L the first character of the pinyin codes of the name's first character
// (upper case for a Chinese character; a space for one without a reading and for a symbol;
// an ASCII letter or digit as it stands), p its SurnamePosition.  An empty name has key 0,
// before every other name.
std::int32_t SurnameKey(std::string_view name);

}  // namespace taiyi
