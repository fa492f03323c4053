#include "store/category_cases.h"

#include <algorithm>
#include <cstdio>

#include "platform/file_util.h"
#include "platform/gbk.h"

namespace taiyi {

bool GbkNameLess::operator()(const std::string& a, const std::string& b) const {
  const std::string ga = Utf8ToGbk(a);
  const std::string gb = Utf8ToGbk(b);
  // unsigned byte order; equal GBK forms fall back to the UTF-8 bytes so distinct keys stay
  if (ga != gb)
    return std::lexicographical_compare(
        ga.begin(), ga.end(), gb.begin(), gb.end(), [](char x, char y) {
          return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
  return a < b;
}

CategoryOverview LoadCategoryOverview(MRecordBase& store) {
  CategoryOverview overview;
  std::vector<std::string> stored;
  store.LoadCategories(stored);
  for (const std::string& name : stored) {
    if (overview.data.cases.emplace(name, CaseIds{}).second) overview.lines.push_back(name);
  }
  store.Connect();
  std::vector<int> ids;
  store.CaseIds(ids);
  for (const int id : ids) {
    TRecordData record;
    if (!store.LoadCaseInBatch(id, record)) continue;
    ++overview.total;
    auto [it, added] = overview.data.cases.try_emplace(record.className);
    it->second.push_back(id);
    if (added) overview.data.modified = true;
  }
  store.Disconnect();
  for (const auto& [name, ids] : overview.data.cases) {
    if (std::find(overview.lines.begin(), overview.lines.end(), name) == overview.lines.end())
      overview.lines.push_back(name);
  }
  return overview;
}

std::string CategoryLine(std::string_view name, std::size_t count) {
  std::string line(name);
  std::size_t bytes = GbkLength(name);
  while (bytes <= 11) {
    line += ' ';
    ++bytes;
  }
  char tail[32];
  std::snprintf(tail, sizeof tail, "  %zu 案例", count);
  return line + tail;
}

std::string CategoryLineName(std::string_view line) {
  return std::string(line.substr(0, line.find(' ')));
}

CaseIds RemoveCases(MRecordBase& store, const CaseIds& ids) {
  MRecordBase::WriteGuard guard(store, StoreLockMode::kShared);
  if (!guard) return ids;
  CaseIds failed;
  std::vector<std::string> comments;
  if (store.Connect(true) != 0) return ids;
  for (std::int32_t id : ids) {
    TRecordData record;
    const bool loaded = store.LoadCaseInBatch(id, record);
    if (!store.RemoveCaseInBatch(id))
      failed.push_back(id);
    else if (loaded)
      comments.push_back(store.CommentPath(record));
  }
  if (!store.Disconnect()) return ids;
  // The cases are gone: their comment files go after them (a program that dies first leaves
  // them to the next open, which removes comment files that no case names).
  for (const std::string& path : comments) DeleteFile(path);
  return failed;
}

RecategorizeResult RecategorizeCases(MRecordBase& store, const CaseIds& ids,
                                     const std::string& category) {
  MRecordBase::WriteGuard guard(store, StoreLockMode::kShared);
  if (!guard) return {{}, ids};
  RecategorizeResult result;
  if (store.Connect(true) != 0) return {{}, ids};
  for (std::int32_t id : ids) {
    TRecordData record;
    if (!store.LoadCaseInBatch(id, record)) {
      result.failed.push_back(id);
      continue;
    }
    record.className = category;
    if (store.UpdateCaseInBatch(id, record))
      result.moved.push_back(id);
    else
      result.failed.push_back(id);
  }
  if (!store.Disconnect()) return {{}, ids};
  return result;
}

}  // namespace taiyi
