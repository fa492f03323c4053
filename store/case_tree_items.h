// The cases of the case tree before any node exists: each case read from the store and made
// into an item (caption, category, sex and the two sort keys), the items in the chosen order,
// and the id lists that the tree commands build (the newest cases, merged search results).
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "calendar/date_service.h"
#include "store/record_base.h"
#include "store/record_data.h"

namespace taiyi {

// One case prepared for the tree.
struct TCusTreeItem {
  std::int32_t id = 0;
  std::string caption;   // CaseCaption of the record
  std::string category;  // the record's className
  bool male = true;
  double julianDay = 0;         // of the civil moment; 0 when no order is chosen
  std::int32_t surnameKey = 0;  // SurnameKey of the name; 0 when no order is chosen
};

// The orders of the tree.
enum TreeSort : int {
  kSortNone = 0,         // store order (the order of the ids)
  kSortTimeDesc = 1,     // 时间降序（近-远）
  kSortTimeAsc = 2,      // 时间升序（远-近）
  kSortSurnameAsc = 3,   // 姓氏升序（a-z）
  kSortSurnameDesc = 4,  // 姓氏降序（z-a）
};

inline constexpr int kNewestCaseCount = 1000;
inline constexpr char kMsgWaitForCases[] = "请等待案例加载完毕！";
inline constexpr char kCaptionCollecting[] = "数据处理.....";
inline constexpr char kCaptionLoading[] = "加载.....";

// True when a belongs strictly before b in the order sort (1..4): see InsertSorted.
bool SortsBefore(const TCusTreeItem& a, const TCusTreeItem& b, int sort);

// The item of a stored case; with keys, also its julianDay and surnameKey.  False when keys
// were asked for and the case is lunar with a date that does not exist (the item then has
// no keys).
bool MakeTreeItem(const TRecordData& record, MYiDateEx& dates, bool keys, TCusTreeItem& item);

// Inserts item into items, which are in the order sort (1..4): time descending or ascending
// first, surname key ascending among equal moments; surname key ascending or descending
// first, the newer moment first among equal keys.  Fully equal items keep their arrival order.
void InsertSorted(std::vector<TCusTreeItem>& items, TCusTreeItem item, int sort);

// Reads the cases of ids in one batch of the store and makes the items: in the order of ids
// for sort 0, else in the order sort, exactly as InsertSorted of each item in the order of
// ids would place them (a lunar case whose date does not exist is left out then).  Ids that
// cannot be loaded are left out.  usedCategories receives the categories of the store's list
// that at least one item has, in the list's order.  When stop is given it is looked at before
// each case is read; false when it was set (the items read so far stay in items).  When done
// is given it counts the ids looked at, for a window that shows the progress.
bool CollectTreeItems(MRecordBase& store, MYiDateEx& dates, const std::vector<std::int32_t>& ids,
                      int sort, std::vector<TCusTreeItem>& items,
                      std::vector<std::string>& usedCategories,
                      const std::atomic<bool>* stop = nullptr, std::atomic<int>* done = nullptr);

// From primaryId downward, at most count ids, none below 1.
std::vector<std::int32_t> NewestCaseIds(int primaryId, int count = kNewestCaseCount);

// "【 n 条案例】": the caption of the count item of the tree's menu.
std::string RecordCountCaption(int n);

// The ids the tree shows after a search result was chosen: base is the ids shown now (none
// when clearList), the additions all found ids (showAll) or only the chosen one; the base
// followed by the additions that are not in it, in their order.
std::vector<std::int32_t> MergeSearchResults(const std::vector<std::int32_t>& shown,
                                             const std::vector<std::int32_t>& found,
                                             std::int32_t chosenId, bool clearList, bool showAll);

}  // namespace taiyi
