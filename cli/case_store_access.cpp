#include "cli/case_store_access.h"

#include <algorithm>
#include <iostream>

#include "store/case_schema.h"

namespace taiyi::cli {

bool OpenStore(const CliContext& ctx, MRecordBase& store, AppFolder& folder) {
  if (!PrepareFolder(ctx, folder)) return false;
  const int rc = store.Open(CaseDatabasePath(folder.root), folder.root, true);
  if (rc == -1) {
    Fail(store.LastMessage());
    return false;
  }
  if (rc == 1) std::cerr << store.LastMessage() << "\n";
  return true;
}

std::string MissingCategory(MRecordBase& store, const std::vector<std::string>& categories) {
  if (categories.empty()) return {};
  std::vector<std::string> list;
  if (!store.LoadCategories(list)) return store.LastMessage();
  for (const std::string& name : categories)
    if (std::find(list.begin(), list.end(), name) == list.end())
      return "没有这个类别：" + name + "（taiyi-cli case categories 列出全部类别）";
  return {};
}

}  // namespace taiyi::cli
