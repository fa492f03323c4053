#include "store/record_values.h"

namespace taiyi {

std::vector<std::string> RowToValues(const TMapValue& row) {
  std::vector<std::string> values;
  values.reserve(kCaseColumns.size());
  for (std::string_view column : kCaseColumns) {
    const auto it = row.find(std::string(column));
    values.push_back(it == row.end() ? std::string() : it->second);
  }
  return values;
}

std::vector<std::string> SplitBySpace(std::string_view text) {
  std::vector<std::string> items;
  for (std::size_t space = text.find(' '); space != std::string_view::npos && space > 0;
       space = text.find(' ')) {
    items.emplace_back(text.substr(0, space));
    text.remove_prefix(space + 1);
  }
  if (!text.empty()) items.emplace_back(text);
  return items;
}

}  // namespace taiyi
