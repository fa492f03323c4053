#include "cli/case_store_access.h"

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

}  // namespace taiyi::cli
