#include "ui/main_window/input_panel_texts.h"

#include <charconv>

#include "calendar/ganzhi_names.h"
#include "platform/gbk.h"

namespace taiyi {

std::string HourRowText(int hour) {
  // Odd hours open a double hour, even hours (but 0) close one: 23 and 0 are both 子.
  const int branch = ((hour % 2 != 0 ? (hour + 1) % 24 : hour) / 2 + 1) % 12;
  return std::to_string(hour) + "时" + std::string(kBranchNames[branch]);
}

std::string NumberRowText(int n, std::string_view unit) {
  return std::to_string(n) + std::string(unit);
}

int ParseTypedYear(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return 0;
  return value;
}

int FindCityRow(const std::vector<std::string>& rows, std::string_view text) {
  if (text.empty()) return -1;
  const std::size_t wanted = GbkLength(text);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].find(text) == std::string::npos) continue;
    if (GbkLength(rows[i]) <= wanted + 2) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace taiyi
