#include "cli/case_store_access.h"

#include <iostream>

#include "cli/user_years.h"
#include "platform/gbk.h"
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

std::string CaseCaption(const TRecordData& r) {
  std::string caption = r.name;
  std::size_t columns = 0;
  for (std::size_t i = 0; i < r.name.size(); i += Utf8CharLength(r.name, i))
    columns += static_cast<unsigned char>(r.name[i]) < 0x80 ? 1 : 2;
  for (; columns < 8; ++columns) caption += ' ';
  caption += r.lunar ? "  农" : "  公";
  if (r.lunar && r.leapMonth) caption += "闰";
  return caption + MomentText(r.year, r.month, r.day, r.hour, r.minute);
}

}  // namespace taiyi::cli
