#include "store/case_tree_items.h"

#include <algorithm>
#include <unordered_set>

#include "store/case_caption.h"
#include "store/surname_key.h"

namespace taiyi {

bool SortsBefore(const TCusTreeItem& a, const TCusTreeItem& b, int sort) {
  switch (sort) {
    case kSortTimeDesc:
    case kSortTimeAsc:
      if (a.julianDay != b.julianDay)
        return sort == kSortTimeDesc ? a.julianDay > b.julianDay : a.julianDay < b.julianDay;
      return a.surnameKey < b.surnameKey;
    case kSortSurnameAsc:
    case kSortSurnameDesc:
      if (a.surnameKey != b.surnameKey)
        return sort == kSortSurnameAsc ? a.surnameKey < b.surnameKey : a.surnameKey > b.surnameKey;
      return a.julianDay > b.julianDay;
    default:
      return false;
  }
}

bool MakeTreeItem(const TRecordData& record, MYiDateEx& dates, bool keys, TCusTreeItem& item) {
  item.id = record.id;
  item.caption = CaseCaption(record);
  item.category = record.className;
  item.male = record.male;
  item.julianDay = 0;
  item.surnameKey = 0;
  if (!keys) return true;
  YiDate moment = record.Date();
  if (record.lunar) {
    YiDate solar;
    if (!dates.LunarToSolar(moment, solar, record.leapMonth)) return false;
    moment = solar;
  }
  item.julianDay = dates.ToJulianDay(moment);
  item.surnameKey = SurnameKey(record.name);
  return true;
}

void InsertSorted(std::vector<TCusTreeItem>& items, TCusTreeItem item, int sort) {
  // After every item that is not behind the new one: equal items keep their arrival order.
  auto at = std::upper_bound(
      items.begin(), items.end(), item,
      [sort](const TCusTreeItem& a, const TCusTreeItem& b) { return SortsBefore(a, b, sort); });
  items.insert(at, std::move(item));
}

bool CollectTreeItems(MRecordBase& store, MYiDateEx& dates, const std::vector<std::int32_t>& ids,
                      int sort, std::vector<TCusTreeItem>& items,
                      std::vector<std::string>& usedCategories, const std::atomic<bool>* stop,
                      std::atomic<int>* done) {
  items.clear();
  usedCategories.clear();
  std::vector<std::string> categories;
  store.LoadCategories(categories);
  std::vector<int> counts(categories.size(), 0);
  const bool sorted = sort >= kSortTimeDesc && sort <= kSortSurnameDesc;
  items.reserve(ids.size());

  bool stopped = false;
  TRecordData record;
  store.Connect();
  for (const std::int32_t id : ids) {
    if (stop && stop->load()) {
      stopped = true;
      break;
    }
    if (done) done->fetch_add(1, std::memory_order_relaxed);
    if (!store.LoadCaseInBatch(id, record)) continue;
    TCusTreeItem item;
    if (!MakeTreeItem(record, dates, sorted, item)) continue;
    item.id = id;
    const auto known = std::find(categories.begin(), categories.end(), item.category);
    if (known != categories.end()) ++counts[known - categories.begin()];
    items.push_back(std::move(item));
  }
  store.Disconnect();
  // A stable sort gives the order that inserting the items one by one in arrival order
  // gives, without moving the vector's tail on every insertion.
  if (sorted)
    std::stable_sort(
        items.begin(), items.end(),
        [sort](const TCusTreeItem& a, const TCusTreeItem& b) { return SortsBefore(a, b, sort); });

  for (std::size_t i = 0; i < categories.size(); ++i)
    if (counts[i] > 0) usedCategories.push_back(categories[i]);
  return !stopped;
}

std::vector<std::int32_t> NewestCaseIds(int primaryId, int count) {
  std::vector<std::int32_t> ids;
  for (int id = primaryId; id >= 1 && static_cast<int>(ids.size()) < count; --id) ids.push_back(id);
  return ids;
}

std::string RecordCountCaption(int n) {
  return "【 " + std::to_string(n) + " 条案例】";
}

std::vector<std::int32_t> MergeSearchResults(const std::vector<std::int32_t>& shown,
                                             const std::vector<std::int32_t>& found,
                                             std::int32_t chosenId, bool clearList, bool showAll) {
  std::vector<std::int32_t> result;
  if (!clearList) result = shown;
  std::unordered_set<std::int32_t> have(result.begin(), result.end());
  const std::vector<std::int32_t> additions = showAll ? found : std::vector<std::int32_t>{chosenId};
  const bool baseEmpty = result.empty();
  for (const std::int32_t id : additions) {
    if (baseEmpty) {
      result.push_back(id);
    } else if (have.insert(id).second) {
      result.push_back(id);
    }
  }
  return result;
}

}  // namespace taiyi
