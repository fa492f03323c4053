#include "store/case_search.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "platform/gbk.h"
#include "store/comment_file.h"

namespace taiyi {
namespace {

std::string Trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return std::string(s.substr(b, e - b));
}

// A typed year, or -1000 for a text that is no number.
int YearOf(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty() ? value : -1000;
}

bool YearAllowed(int y) {
  return y >= -850 && y <= 2100 && y != 0;
}

char FoldAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Byte-wise equality in which ASCII letters count without case (trail bytes included).
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

bool TextPasses(MatchMode mode, const std::string& fieldUtf8, const std::string& gbkWanted) {
  if (mode == kMatchNone) return true;
  const std::string field = Utf8ToGbk(fieldUtf8);
  if (mode == kMatchContains) return field.find(gbkWanted) != std::string::npos;
  return EqualsIgnoringAsciiCase(field, gbkWanted);
}

std::string CommentText(const MRecordBase& store, const TRecordData& record) {
  std::string text;
  if (!ReadCommentPlainText(store.CommentPath(record), text)) text.clear();
  return text;
}

}  // namespace

bool GbkCharacterSearch(std::string_view text, std::string_view keyword) {
  if (keyword.empty()) return true;
  for (std::size_t i = 0; i + keyword.size() <= text.size();) {
    if (text.compare(i, keyword.size(), keyword) == 0) return true;
    const auto c = static_cast<unsigned char>(text[i]);
    i += c >= 0x81 && i + 1 < text.size() ? 2 : 1;
  }
  return false;
}

SearchInputCheck ReadSearchInput(const SearchDialogInput& in, int primaryId, SearchConditions& c) {
  c.provinceIndex = static_cast<std::int16_t>(in.provinceItem - 1);
  c.sexOn = in.sexItem != 0;
  if (c.sexOn) c.male = in.sexItem == 1;
  const std::string y1 = Trim(in.yearFrom), y2 = Trim(in.yearTo);
  if (y1.empty() && y2.empty()) {
    c.yearOn = false;
  } else {
    c.yearOn = true;
    const int from = YearOf(y1), to = YearOf(y2);
    if (!YearAllowed(from) || !YearAllowed(to))
      return {false, true, kSearchYearTitle, kSearchYearRange};
    if (to < from) return {false, true, kSearchYearTitle, kSearchYearOrder};
    c.yearFrom = static_cast<std::int16_t>(from < 0 ? from + 1 : from);
    c.yearTo = static_cast<std::int16_t>(to < 0 ? to + 1 : to);
  }
  const std::string name = CutToGbkBytes(Trim(in.name), 20);
  c.nameMode = name.empty() ? kMatchNone : in.nameExact ? kMatchEquals : kMatchContains;
  if (!name.empty()) c.name = name;
  const std::string category = CutToGbkBytes(Trim(in.className), 71);
  c.classMode = category.empty() ? kMatchNone : in.classExact ? kMatchEquals : kMatchContains;
  if (!category.empty()) c.className = category;
  c.comment = CutToGbkBytes(Trim(in.comment), 40);
  c.commentOn = !c.comment.empty();
  if (primaryId == 0) return {false, false, {}, kSearchEmptyStore};
  return {};
}

void SearchByConditions(MRecordBase& store, const SearchConditions& c,
                        std::vector<std::int32_t>& ids, WorkProgress* progress) {
  ids.clear();
  const std::string name = Utf8ToGbk(c.name);
  const std::string category = Utf8ToGbk(c.className);
  const std::string comment = Utf8ToGbk(c.comment);
  store.Connect();
  std::vector<int> all;
  store.CaseIds(all);
  if (progress) progress->Begin(static_cast<int>(all.size()));
  TRecordData r;
  for (const int id : all) {
    if (progress) {
      if (progress->stop.load()) {
        ids.clear();
        break;
      }
      progress->Step();
    }
    if (!store.LoadCaseInBatch(id, r)) continue;
    if (c.sexOn && r.male != c.male) continue;
    if (c.yearOn && (r.year < c.yearFrom || r.year > c.yearTo)) continue;
    if (c.provinceIndex != -1 && r.provinceIndex != c.provinceIndex) continue;
    if (!TextPasses(c.nameMode, r.name, name)) continue;
    if (!TextPasses(c.classMode, r.className, category)) continue;
    if (c.commentOn && !GbkCharacterSearch(Utf8ToGbk(CommentText(store, r)), comment)) continue;
    ids.push_back(id);
  }
  store.Disconnect();
}

std::vector<std::string> CaseSearchTexts(const TRecordData& r) {
  static constexpr std::array<const char*, 12> kBranches = {"亥", "子", "丑", "寅", "卯", "辰",
                                                            "巳", "午", "未", "申", "酉", "戌"};
  const int h = r.hour;
  // Hours outside 0..23 (a foreign row) still name a branch.
  const int index = ((((h % 2 != 0) ? (h + 1) % 24 : h) / 2 + 1) % 12 + 12) % 12;
  return {r.name,
          r.male ? "男" : "女",
          r.place,
          r.className,
          std::to_string(r.year) + "年",
          std::to_string(r.month) + "月",
          std::to_string(r.day) + "日",
          std::string(kBranches[index]) + "时"};
}

std::vector<std::string> SplitKeywords(std::string_view input) {
  std::vector<std::string> keywords;
  std::size_t at = 0;
  while ((at = input.find_first_not_of(' ', at)) != std::string_view::npos) {
    const std::size_t end = std::min(input.find(' ', at), input.size());
    keywords.emplace_back(input.substr(at, end - at));
    at = end;
  }
  return keywords;
}

void FuzzySearch(MRecordBase& store, const std::vector<std::string>& keywords,
                 std::vector<std::int32_t>& ids, WorkProgress* progress) {
  ids.clear();
  std::vector<std::string> wanted;
  for (const std::string& k : keywords) wanted.push_back(Utf8ToGbk(k));
  store.Connect();
  std::vector<int> all;
  store.CaseIds(all);
  if (progress) progress->total.store(static_cast<int>(all.size()));
  TRecordData r;
  std::vector<bool> used(wanted.size());
  for (const int id : all) {
    if (progress) {
      if (progress->stop.load()) {
        ids.clear();
        break;
      }
      progress->done.fetch_add(1, std::memory_order_relaxed);
    }
    if (!store.LoadCaseInBatch(id, r)) continue;
    std::vector<std::string> texts = CaseSearchTexts(r);
    texts.push_back(CommentText(store, r));
    used.assign(wanted.size(), false);
    std::size_t matched = 0;
    for (const std::string& text : texts) {
      if (matched == wanted.size()) break;
      const std::string gbk = Utf8ToGbk(text);
      for (std::size_t k = 0; k < wanted.size(); ++k) {
        if (used[k] || !GbkCharacterSearch(gbk, wanted[k])) continue;
        used[k] = true;
        ++matched;
        break;
      }
    }
    if (matched == wanted.size()) ids.push_back(id);
  }
  store.Disconnect();
}

}  // namespace taiyi
