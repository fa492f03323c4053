#include "chart/ju_texts.h"

#include <charconv>

#include "platform/file_util.h"
#include "platform/gbk.h"

namespace taiyi {
namespace {

// Slot 0..143 of a text number, -1 when the number names no ju.
int SlotOf(int number) {
  if (number >= 1001 && number <= 1072) return number - 1001;
  if (number >= 1801 && number <= 1872) return 72 + number - 1801;
  return -1;
}

}  // namespace

int JuTextNumber(bool yang, int ju) {
  if (ju < 1 || ju > 72) return 0;
  return (yang ? 1000 : 1800) + ju;
}

JuTextParts SplitJuText(std::string_view text) {
  const std::size_t sep = text.find('_');
  if (sep == std::string_view::npos) return {{}, text};
  return {text.substr(0, sep), text.substr(sep + 1)};
}

bool JuTexts::Load(const std::string& path) {
  texts_ = {};
  std::string bytes;
  if (!ReadFile(path, bytes)) return false;
  Parse(bytes);
  return true;
}

int JuTexts::Parse(std::string_view content) {
  texts_ = {};
  std::string converted;
  if (!IsValidUtf8(content)) {
    converted = GbkToUtf8(content);
    content = converted;
  }
  if (content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);  // byte-order mark
  int read = 0;
  while (!content.empty()) {
    const std::size_t nl = content.find('\n');
    std::string_view line = content.substr(0, nl);
    content = nl == std::string_view::npos ? std::string_view{} : content.substr(nl + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    int number = 0;
    const auto [end, ec] = std::from_chars(line.data(), line.data() + eq, number);
    if (ec != std::errc() || end != line.data() + eq) continue;
    const int slot = SlotOf(number);
    if (slot < 0 || !texts_[slot].empty()) continue;
    texts_[slot] = std::string(line.substr(eq + 1));
    if (!texts_[slot].empty()) ++read;
  }
  return read;
}

std::string_view JuTexts::Text(int number) const {
  const int slot = SlotOf(number);
  return slot < 0 ? std::string_view{} : std::string_view(texts_[slot]);
}

int JuTexts::Count() const {
  int n = 0;
  for (const std::string& t : texts_) n += t.empty() ? 0 : 1;
  return n;
}

}  // namespace taiyi
