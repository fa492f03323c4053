// The cases of the case tree as an item model: category rows with their cases below them
// (category style) or the cases alone (list style).  A case row holds its tree item only;
// its text is made when a view asks for it, and all rows share three icons.  Regrouping and
// reordering move rows within the model; nothing is read from the store here.
#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <cstdint>
#include <string>
#include <vector>

#include "store/case_tree_items.h"

namespace taiyi {

// The node images: the role kImageRole of a row holds its image index, kSelectedImageRole
// the index of its image while selected.
enum CaseTreeImage : int {
  kImageFemale = 0,
  kImageMale = 1,
  kImageCategory = 2,
  kImageSelectedCase = 4,
};

class CaseTreeModel final : public QAbstractItemModel {
  Q_OBJECT

 public:
  static constexpr int kIdRole = Qt::UserRole;
  static constexpr int kImageRole = Qt::UserRole + 1;
  static constexpr int kSelectedImageRole = Qt::UserRole + 2;

  // One case of the tree: the item with whether its moment exists (a lunar date that does
  // not convert has no place in a time or surname order).
  struct Case {
    TCusTreeItem item;
    bool keyed = false;  // julianDay and surnameKey hold the case's keys
    bool dated = true;   // the moment exists
  };

  explicit CaseTreeModel(QObject* parent = nullptr);

  // Replaces every row.  Category style: one category row per used category in that order,
  // then one for each other category of the cases in the order they first occur; the cases
  // in the order of items under their category.  keyed: the items carry their sort keys.
  void Reset(std::vector<TCusTreeItem> items, const std::vector<std::string>& usedCategories,
             int showStyle, bool keyed);
  // The same cases regrouped for showStyle and, unless sort is 0, put in the order sort (a
  // stable order: equal cases keep the tree's order; cases whose moment does not exist are
  // left out).  categories is the store's category list, for the order of the category rows.
  // Needs every case keyed when sort is not 0.
  void Rearrange(int showStyle, int sort, const std::vector<std::string>& categories);
  // Every case carries its sort keys.
  bool Keyed() const { return unkeyed_ == 0; }

  int ShowStyle() const { return showStyle_; }
  int CaseCount() const { return static_cast<int>(caseCount_); }
  // The case ids in tree order.
  std::vector<std::int32_t> CaseIds() const;
  // The category rows in tree order; none in list style.
  std::vector<QModelIndex> CategoryRows() const;
  QModelIndex CaseRow(std::int32_t id) const;
  // The id of a case row, -1 for a category row or an invalid index.
  std::int32_t CaseId(const QModelIndex& row) const;
  const TCusTreeItem* CaseItem(const QModelIndex& row) const;
  // The text of a row (caption or category name).
  std::string RowText(const QModelIndex& row) const;

  // A case appended under its category (a new category row at the end when missing) or at
  // the end of the list; nothing is re-sorted.
  QModelIndex AppendCase(const Case& c);
  // A case row whose caption, sex, category or keys changed: the row stays where it is;
  // false when there is none with its id.
  bool UpdateCase(const Case& c);
  void RemoveCase(const QModelIndex& row);
  // Moves a case row under the category row with that text; false when there is none.
  bool MoveCase(const QModelIndex& row, const std::string& category);

  // QAbstractItemModel
  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  // A top-level group: a category with its cases, or in list style the one group of all.
  struct Group {
    std::string text;
    std::vector<Case> cases;
  };
  bool isCategoryRow(const QModelIndex& row) const;
  Group& groupOf(const QModelIndex& row);
  const Group* groupOfCase(const QModelIndex& row) const;
  const Case* caseAt(const QModelIndex& row) const;
  int groupIndex(const std::string& text) const;
  std::vector<Case> takeAll();
  void group(std::vector<Case> cases, const std::vector<std::string>& firstCategories);

  int showStyle_ = 0;
  std::vector<Group> groups_;
  std::size_t caseCount_ = 0;
  std::size_t unkeyed_ = 0;
  QIcon icons_[3];  // female, male, category
};

}  // namespace taiyi
