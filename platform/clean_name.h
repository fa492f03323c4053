// The one rule that turns a typed name, category or place into a text that is safe as part
// of a file name and fits its field: forbidden characters removed, never empty, cut to a
// character limit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace taiyi {

struct CleanedName {
  std::string text;
  bool changed = false;
};

// Removes the characters  " * < > ? \ / | : '  and the space; an empty text becomes "甲";
// with maxChars > 0 the text is cut to that many UTF-16 characters.
CleanedName CleanName(std::string_view text, std::size_t maxChars);

}  // namespace taiyi
