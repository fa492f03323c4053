#include "platform/clean_name.h"

#include "platform/gbk.h"

namespace taiyi {

CleanedName CleanName(std::string_view text, std::size_t maxChars) {
  CleanedName result{std::string(text), false};
  std::string& s = result.text;
  if (s.empty()) {
    s = "甲";
    result.changed = true;
  }
  // Each pass deletes the first occurrence of every forbidden character, in this order,
  // until a pass deletes nothing.
  static constexpr char kForbidden[] = {'"', '*', '<', '>', '?', '\\', '/', '|', ':', '\'', ' '};
  for (bool removed = true; removed;) {
    removed = false;
    for (char c : kForbidden) {
      const auto pos = s.find(c);
      if (pos != std::string::npos) {
        s.erase(pos, 1);
        removed = true;
      }
    }
    result.changed = result.changed || removed;
  }
  if (maxChars > 0) {
    while (Utf16Length(s) > maxChars) {
      std::size_t last = 0;
      for (std::size_t i = 0; i < s.size(); i += Utf8CharLength(s, i)) last = i;
      s.erase(last);
      result.changed = true;
    }
  }
  return result;
}

}  // namespace taiyi
