#include "platform/ini_file.h"

#include <cctype>
#include <cstdint>

#include "platform/file_util.h"
#include "platform/gbk.h"

namespace taiyi {
namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// A value enclosed in a matching pair of quotes reads without them.
std::string_view Unquote(std::string_view s) {
  if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
    return s.substr(1, s.size() - 2);
  return s;
}

}  // namespace

bool ParseIniInteger(std::string_view text, int& value) {
  std::string_view s = Trim(text);
  bool negative = false;
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty()) return false;
  std::uint64_t v = 0;
  for (char c : s) {
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      return false;
    v = v * base + d;
    if (v > 0xFFFFFFFFull) return false;
  }
  if (base == 10 && v > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return false;
  const auto bits = static_cast<std::uint32_t>(negative ? (~v + 1) : v);
  value = static_cast<std::int32_t>(bits);
  return true;
}

IniFile::IniFile(std::string path) : path_(std::move(path)) {
  Reload();
}

bool IniFile::Reload() {
  sections_.clear();
  utf8_ = false;
  bom_ = false;
  std::string bytes;
  if (!FileExists(path_)) return true;
  if (!ReadFile(path_, bytes)) return false;
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    bom_ = true;
    bytes.erase(0, 3);
  }
  eol_ = bytes.find("\r\n") != std::string::npos || bytes.find('\n') == std::string::npos ? "\r\n"
                                                                                          : "\n";
  bool ascii = true;
  for (unsigned char c : bytes) ascii = ascii && c < 0x80;
  utf8_ = bom_ || (!ascii && LooksLikeUtf8(bytes));
  parse(utf8_ ? bytes : GbkToUtf8(bytes));
  return true;
}

void IniFile::parse(std::string_view text) {
  Section* current = nullptr;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view t = Trim(line);
    if (t.size() >= 2 && t.front() == '[' && t.find(']') != std::string_view::npos) {
      Section s;
      s.name = std::string(Trim(t.substr(1, t.find(']') - 1)));
      s.raw = std::string(line);
      sections_.push_back(std::move(s));
      current = &sections_.back();
      continue;
    }
    if (!current) {
      Section pre;
      pre.preamble = true;
      sections_.push_back(std::move(pre));
      current = &sections_.back();
    }
    Item item;
    item.raw = std::string(line);
    if (!current->preamble && !t.empty() && t.front() != ';') {
      item.isEntry = true;
      const std::size_t eq = t.find('=');
      item.key = std::string(Trim(t.substr(0, eq)));
      if (eq != std::string_view::npos) item.value = std::string(Unquote(Trim(t.substr(eq + 1))));
    }
    current->items.push_back(std::move(item));
  }
}

const IniFile::Section* IniFile::findSection(std::string_view name) const {
  for (const auto& s : sections_)
    if (!s.preamble && EqualNoCase(s.name, name)) return &s;
  return nullptr;
}

IniFile::Section* IniFile::findSection(std::string_view name) {
  for (auto& s : sections_)
    if (!s.preamble && EqualNoCase(s.name, name)) return &s;
  return nullptr;
}

const IniFile::Item* IniFile::findItem(std::string_view section, std::string_view key) const {
  const Section* s = findSection(section);
  if (!s) return nullptr;
  for (const auto& item : s->items)
    if (item.isEntry && EqualNoCase(item.key, key)) return &item;
  return nullptr;
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
  const Item* item = findItem(section, key);
  int value = def;
  if (!item || !ParseIniInteger(item->value, value)) return def;
  return value;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
  const Item* item = findItem(section, key);
  return item ? item->value : std::string(def);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool IniFile::SectionExists(std::string_view section) const {
  return findSection(section);
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
  return findItem(section, key);
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const {
  std::vector<std::string> keys;
  if (const Section* s = findSection(section))
    for (const auto& item : s->items)
      if (item.isEntry) keys.push_back(item.key);
  return keys;
}

std::vector<std::string> IniFile::ReadSections() const {
  std::vector<std::string> names;
  for (const auto& s : sections_)
    if (!s.preamble) names.push_back(s.name);
  return names;
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  std::vector<Section> previous = sections_;
  Section* s = findSection(section);
  if (!s) {
    Section fresh;
    fresh.name = std::string(section);
    sections_.push_back(std::move(fresh));
    s = &sections_.back();
  }
  Item* target = nullptr;
  for (auto& item : s->items)
    if (item.isEntry && EqualNoCase(item.key, key)) {
      target = &item;
      break;
    }
  if (!target) {
    // New keys go after the section's last entry, before trailing blank lines.
    auto pos = s->items.end();
    while (pos != s->items.begin() && !(pos - 1)->isEntry && Trim((pos - 1)->raw).empty()) --pos;
    target = &*s->items.insert(pos, Item{true, std::string(key), {}, {}});
  }
  target->value = std::string(value);
  target->raw.clear();
  return save(std::move(previous));
}

bool IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  return WriteString(section, key, std::to_string(value));
}

bool IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  return WriteString(section, key, value ? "1" : "0");
}

bool IniFile::DeleteKey(std::string_view section, std::string_view key) {
  Section* s = findSection(section);
  if (!s) return true;
  std::vector<Section> previous = sections_;
  std::erase_if(s->items,
                [&](const Item& item) { return item.isEntry && EqualNoCase(item.key, key); });
  return save(std::move(previous));
}

bool IniFile::EraseSection(std::string_view section) {
  if (!findSection(section)) return true;
  std::vector<Section> previous = sections_;
  std::erase_if(sections_,
                [&](const Section& s) { return !s.preamble && EqualNoCase(s.name, section); });
  return save(std::move(previous));
}

std::string IniFile::serialize() const {
  std::string out;
  for (const auto& s : sections_) {
    if (!s.preamble) out += (s.raw.empty() ? "[" + s.name + "]" : s.raw) + eol_;
    for (const auto& item : s.items)
      out += (item.raw.empty() && item.isEntry ? item.key + "=" + item.value : item.raw) + eol_;
  }
  return out;
}

bool IniFile::save(std::vector<Section> previous) {
  const std::string text = serialize();
  std::string bytes = utf8_ ? (bom_ ? "\xEF\xBB\xBF" + text : text) : Utf8ToGbk(text);
  // GBK bytes that happen to form UTF-8 with a three-byte sequence would read back as UTF-8
  // (a damaged file mixing both can lead there): such a file is kept in UTF-8 from now on.
  const bool toUtf8 = !utf8_ && LooksLikeUtf8(bytes) && bytes != text;
  if (toUtf8) bytes = text;
  if (WriteFileAtomic(path_, bytes)) {
    utf8_ = utf8_ || toUtf8;
    return true;
  }
  sections_ = std::move(previous);
  return false;
}

}  // namespace taiyi
