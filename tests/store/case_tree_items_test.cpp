#include "store/case_tree_items.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/case_store_fixture.h"

namespace taiyi {
namespace {

using Ids = std::vector<std::int32_t>;

Ids IdsOf(const std::vector<TCusTreeItem>& items) {
  Ids ids;
  for (const auto& item : items) ids.push_back(item.id);
  return ids;
}

TEST(CaseTreeItems, InsertSortedOrdersByKeyWithTheTieRules) {
  // id, julian day, surname key
  const std::vector<TCusTreeItem> arrivals = {
      {1, "", "", true, 100.0, 26005},  // 张 of day 100
      {2, "", "", true, 200.0, 12004},  // 李 of day 200
      {3, "", "", true, 100.0, 26005},  // an equal twin of 1
      {4, "", "", true, 100.0, 12004},  // 李 of day 100
      {5, "", "", true, 300.0, 26005},  // 张 of day 300
      {6, "", "", true, 50.0, 12004},   // 李 of day 50
  };
  struct Row {
    int sort;
    Ids want;
  } rows[] = {
      {kSortTimeDesc, {5, 2, 4, 1, 3, 6}},
      {kSortTimeAsc, {6, 4, 1, 3, 2, 5}},
      {kSortSurnameAsc, {2, 4, 6, 5, 1, 3}},
      {kSortSurnameDesc, {5, 1, 3, 2, 4, 6}},
  };
  for (const Row& row : rows) {
    std::vector<TCusTreeItem> items;
    for (const auto& item : arrivals) InsertSorted(items, item, row.sort);
    EXPECT_EQ(IdsOf(items), row.want) << "sort " << row.sort;
  }
}

TEST(CaseTreeItems, CollectReadsOrdersAndCountsCategories) {
  test::CaseStoreFixture f;
  ASSERT_TRUE(f.opened);
  ASSERT_EQ(f.Add(test::TreeCase("张三", 2004, 5, 6, "亲戚朋友")), 1);
  ASSERT_EQ(f.Add(test::TreeCase("李四", 1990, 1, 1, "外来类别", false)), 2);
  // Lunar 2023 has a leap second month but no leap first month.
  ASSERT_EQ(f.Add(test::TreeCase("王五", 2023, 1, 5, "家人", true, true, true)), 3);
  ASSERT_EQ(f.Add(test::TreeCase("赵六", 2023, 2, 5, "家人", true, true, true)), 4);
  MYiDateEx dates;
  std::vector<TCusTreeItem> items;
  std::vector<std::string> used;

  ASSERT_TRUE(CollectTreeItems(f.store, dates, {4, 9, 3, 2, 1}, kSortNone, items, used));
  EXPECT_EQ(IdsOf(items), (Ids{4, 3, 2, 1}));
  EXPECT_EQ(used, (std::vector<std::string>{"家人", "亲戚朋友"}));
  EXPECT_EQ(items[0].julianDay, 0);
  EXPECT_EQ(items[2].category, "外来类别");
  EXPECT_FALSE(items[2].male);
  EXPECT_EQ(items[3].caption, "张三      公2004-05-06 07:08");

  // With an order, the case of a lunar date that does not exist is left out.
  ASSERT_TRUE(CollectTreeItems(f.store, dates, {4, 3, 2, 1}, kSortTimeAsc, items, used));
  EXPECT_EQ(IdsOf(items), (Ids{2, 1, 4}));
  EXPECT_GT(items[0].surnameKey, 0);
  EXPECT_FALSE(f.store.IsConnected());

  std::atomic<bool> stop{true};
  EXPECT_FALSE(CollectTreeItems(f.store, dates, {1, 2}, kSortNone, items, used, &stop));
  EXPECT_TRUE(items.empty());
  EXPECT_FALSE(f.store.IsConnected());
}

TEST(CaseTreeItems, CollectedOrderIsThatOfInsertingOneByOne) {
  test::CaseStoreFixture f;
  ASSERT_TRUE(f.opened);
  // Twins of one moment, one surname at several moments, and fully equal cases.
  const char* names[] = {"张三", "李四", "张五", "赵一", "张三", "李四", "abc", "王二"};
  const int years[] = {1990, 1990, 1980, 1990, 1990, 2000, 1990, 1980};
  Ids ids;
  for (int i = 0; i < 8; ++i)
    ids.push_back(f.Add(test::TreeCase(names[i], years[i], 1, 1, "家人")));
  std::reverse(ids.begin(), ids.end());
  MYiDateEx dates;
  for (int sort = kSortTimeDesc; sort <= kSortSurnameDesc; ++sort) {
    std::vector<TCusTreeItem> items;
    std::vector<std::string> used;
    ASSERT_TRUE(CollectTreeItems(f.store, dates, ids, sort, items, used));
    std::vector<TCusTreeItem> arrival = items;
    std::sort(arrival.begin(), arrival.end(), [&ids](const TCusTreeItem& a, const TCusTreeItem& b) {
      return std::find(ids.begin(), ids.end(), a.id) < std::find(ids.begin(), ids.end(), b.id);
    });
    std::vector<TCusTreeItem> inserted;
    for (const auto& item : arrival) InsertSorted(inserted, item, sort);
    EXPECT_EQ(IdsOf(items), IdsOf(inserted)) << "sort " << sort;
  }
}

TEST(CaseTreeItems, IdListsAndCountCaption) {
  EXPECT_EQ(NewestCaseIds(3), (Ids{3, 2, 1}));
  EXPECT_TRUE(NewestCaseIds(0).empty());
  const Ids newest = NewestCaseIds(2500);
  ASSERT_EQ(newest.size(), 1000u);
  EXPECT_EQ(newest.front(), 2500);
  EXPECT_EQ(newest.back(), 1501);

  EXPECT_EQ(RecordCountCaption(1000), "【 1000 条案例】");
}

TEST(CaseTreeItems, MergeSearchResults) {
  const Ids shown = {5, 4, 3};
  const Ids found = {2, 4, 7};
  struct Row {
    Ids shown;
    bool clearList, showAll;
    Ids want;
  } rows[] = {
      {shown, false, false, {5, 4, 3, 7}}, {shown, false, true, {5, 4, 3, 2, 7}},
      {shown, true, false, {7}},           {shown, true, true, {2, 4, 7}},
      {{}, false, true, {2, 4, 7}},
  };
  for (const Row& row : rows)
    EXPECT_EQ(MergeSearchResults(row.shown, found, 7, row.clearList, row.showAll), row.want)
        << row.clearList << row.showAll;
  // A chosen case already shown is not shown twice.
  EXPECT_EQ(MergeSearchResults(shown, found, 4, false, false), shown);
}

}  // namespace
}  // namespace taiyi
