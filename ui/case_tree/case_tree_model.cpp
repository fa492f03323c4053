#include "ui/case_tree/case_tree_model.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <iterator>

namespace taiyi {

namespace {

QPixmap ImagePixmap(int image) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  switch (image) {
    case kImageCategory:
      painter.setPen(QColor(150, 110, 20));
      painter.setBrush(QColor(240, 200, 80));
      painter.drawRect(1, 4, 14, 10);
      painter.drawRect(1, 2, 6, 2);
      break;
    case kImageSelectedCase:
      painter.setPen(QColor(20, 110, 40));
      painter.setBrush(QColor(90, 200, 110));
      painter.drawEllipse(2, 2, 12, 12);
      break;
    default:
      painter.setPen(Qt::NoPen);
      painter.setBrush(image == kImageMale ? QColor(60, 110, 210) : QColor(220, 80, 130));
      painter.drawEllipse(2, 2, 12, 12);
      break;
  }
  return pixmap;
}

QIcon NodeIcon(int image, int selectedImage) {
  QIcon icon(ImagePixmap(image));
  icon.addPixmap(ImagePixmap(selectedImage), QIcon::Selected);
  return icon;
}

// Row indexes of category rows carry 0; case rows under a category carry its group + 1.
constexpr quintptr kTopLevel = 0;

}  // namespace

CaseTreeModel::CaseTreeModel(QObject* parent) : QAbstractItemModel(parent) {
  icons_[kImageFemale] = NodeIcon(kImageFemale, kImageSelectedCase);
  icons_[kImageMale] = NodeIcon(kImageMale, kImageSelectedCase);
  icons_[kImageCategory] = NodeIcon(kImageCategory, kImageCategory);
  groups_.resize(showStyle_ == 0 ? 0 : 1);
}

void CaseTreeModel::Reset(std::vector<TCusTreeItem> items,
                          const std::vector<std::string>& usedCategories, int showStyle,
                          bool keyed) {
  std::vector<Case> cases;
  cases.reserve(items.size());
  for (TCusTreeItem& item : items) cases.push_back(Case{std::move(item), keyed, true});
  beginResetModel();
  showStyle_ = showStyle;
  group(std::move(cases), usedCategories);
  endResetModel();
}

void CaseTreeModel::Rearrange(int showStyle, int sort, const std::vector<std::string>& categories) {
  beginResetModel();
  std::vector<Case> cases = takeAll();
  if (sort != kSortNone) {
    cases.erase(std::remove_if(cases.begin(), cases.end(), [](const Case& c) { return !c.dated; }),
                cases.end());
    std::stable_sort(cases.begin(), cases.end(), [sort](const Case& a, const Case& b) {
      return SortsBefore(a.item, b.item, sort);
    });
  }
  // The categories of the list that have cases come first, in the list's order.
  std::vector<std::string> used;
  if (showStyle == 0) {
    std::vector<bool> seen(categories.size(), false);
    for (const Case& c : cases) {
      const auto at = std::find(categories.begin(), categories.end(), c.item.category);
      if (at != categories.end()) seen[at - categories.begin()] = true;
    }
    for (std::size_t i = 0; i < categories.size(); ++i)
      if (seen[i]) used.push_back(categories[i]);
  }
  showStyle_ = showStyle;
  group(std::move(cases), used);
  endResetModel();
}

std::vector<CaseTreeModel::Case> CaseTreeModel::takeAll() {
  std::vector<Case> cases;
  cases.reserve(caseCount_);
  for (Group& g : groups_) std::move(g.cases.begin(), g.cases.end(), std::back_inserter(cases));
  groups_.clear();
  caseCount_ = 0;
  unkeyed_ = 0;
  return cases;
}

void CaseTreeModel::group(std::vector<Case> cases,
                          const std::vector<std::string>& firstCategories) {
  groups_.clear();
  caseCount_ = cases.size();
  unkeyed_ = static_cast<std::size_t>(
      std::count_if(cases.begin(), cases.end(), [](const Case& c) { return !c.keyed; }));
  if (showStyle_ != 0) {
    groups_.push_back(Group{{}, std::move(cases)});
    return;
  }
  for (const std::string& text : firstCategories) groups_.push_back(Group{text, {}});
  // Most neighbours share their category: the last group found is tried first.
  int last = -1;
  for (Case& c : cases) {
    if (last < 0 || groups_[last].text != c.item.category) {
      last = groupIndex(c.item.category);
      if (last < 0) {
        groups_.push_back(Group{c.item.category, {}});
        last = static_cast<int>(groups_.size()) - 1;
      }
    }
    groups_[last].cases.push_back(std::move(c));
  }
}

int CaseTreeModel::groupIndex(const std::string& text) const {
  for (std::size_t g = 0; g < groups_.size(); ++g)
    if (groups_[g].text == text) return static_cast<int>(g);
  return -1;
}

std::vector<std::int32_t> CaseTreeModel::CaseIds() const {
  std::vector<std::int32_t> ids;
  ids.reserve(caseCount_);
  for (const Group& g : groups_)
    for (const Case& c : g.cases) ids.push_back(c.item.id);
  return ids;
}

std::vector<QModelIndex> CaseTreeModel::CategoryRows() const {
  std::vector<QModelIndex> rows;
  if (showStyle_ != 0) return rows;
  for (int g = 0; g < static_cast<int>(groups_.size()); ++g) rows.push_back(index(g, 0));
  return rows;
}

QModelIndex CaseTreeModel::CaseRow(std::int32_t id) const {
  for (int g = 0; g < static_cast<int>(groups_.size()); ++g) {
    const std::vector<Case>& cases = groups_[g].cases;
    for (int r = 0; r < static_cast<int>(cases.size()); ++r) {
      if (cases[r].item.id != id) continue;
      return showStyle_ == 0 ? createIndex(r, 0, static_cast<quintptr>(g) + 1)
                             : createIndex(r, 0, kTopLevel);
    }
  }
  return {};
}

bool CaseTreeModel::isCategoryRow(const QModelIndex& row) const {
  return row.isValid() && showStyle_ == 0 && row.internalId() == kTopLevel;
}

const CaseTreeModel::Case* CaseTreeModel::caseAt(const QModelIndex& row) const {
  if (!row.isValid() || row.model() != this || isCategoryRow(row)) return nullptr;
  const std::size_t g = showStyle_ == 0 ? row.internalId() - 1 : 0;
  if (g >= groups_.size() || static_cast<std::size_t>(row.row()) >= groups_[g].cases.size())
    return nullptr;
  return &groups_[g].cases[row.row()];
}

std::int32_t CaseTreeModel::CaseId(const QModelIndex& row) const {
  const Case* c = caseAt(row);
  return c ? c->item.id : -1;
}

const TCusTreeItem* CaseTreeModel::CaseItem(const QModelIndex& row) const {
  const Case* c = caseAt(row);
  return c ? &c->item : nullptr;
}

std::string CaseTreeModel::RowText(const QModelIndex& row) const {
  if (isCategoryRow(row))
    return row.row() < static_cast<int>(groups_.size()) ? groups_[row.row()].text : std::string();
  const Case* c = caseAt(row);
  return c ? c->item.caption : std::string();
}

QModelIndex CaseTreeModel::AppendCase(const Case& c) {
  if (!c.keyed) ++unkeyed_;
  ++caseCount_;
  int g = 0;
  if (showStyle_ == 0) {
    g = groupIndex(c.item.category);
    if (g < 0) {
      g = static_cast<int>(groups_.size());
      beginInsertRows({}, g, g);
      groups_.push_back(Group{c.item.category, {}});
      endInsertRows();
    }
  } else if (groups_.empty()) {
    groups_.emplace_back();
  }
  std::vector<Case>& cases = groups_[g].cases;
  const int r = static_cast<int>(cases.size());
  const QModelIndex parent = showStyle_ == 0 ? index(g, 0) : QModelIndex();
  beginInsertRows(parent, r, r);
  cases.push_back(c);
  endInsertRows();
  return index(r, 0, parent);
}

bool CaseTreeModel::UpdateCase(const Case& c) {
  const QModelIndex row = CaseRow(c.item.id);
  Case* stored = const_cast<Case*>(caseAt(row));
  if (!stored) return false;
  if (stored->keyed != c.keyed) c.keyed ? --unkeyed_ : ++unkeyed_;
  // The row stays where it is; its category counts from the next regrouping on.
  *stored = c;
  emit dataChanged(row, row);
  return true;
}

void CaseTreeModel::RemoveCase(const QModelIndex& row) {
  const Case* c = caseAt(row);
  if (!c) return;
  if (!c->keyed) --unkeyed_;
  --caseCount_;
  std::vector<Case>& cases = groups_[showStyle_ == 0 ? row.internalId() - 1 : 0].cases;
  beginRemoveRows(row.parent(), row.row(), row.row());
  cases.erase(cases.begin() + row.row());
  endRemoveRows();
}

bool CaseTreeModel::MoveCase(const QModelIndex& row, const std::string& category) {
  if (showStyle_ != 0 || !caseAt(row)) return false;
  const int to = groupIndex(category);
  if (to < 0) return false;
  const int from = static_cast<int>(row.internalId() - 1);
  if (to == from) return true;
  std::vector<Case>& source = groups_[from].cases;
  std::vector<Case>& target = groups_[to].cases;
  const int end = static_cast<int>(target.size());
  if (!beginMoveRows(index(from, 0), row.row(), row.row(), index(to, 0), end)) return false;
  Case moved = std::move(source[row.row()]);
  source.erase(source.begin() + row.row());
  moved.item.category = category;
  target.push_back(std::move(moved));
  endMoveRows();
  return true;
}

QModelIndex CaseTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (row < 0 || column != 0) return {};
  if (!parent.isValid()) {
    const std::size_t count = showStyle_ == 0   ? groups_.size()
                              : groups_.empty() ? 0
                                                : groups_[0].cases.size();
    return static_cast<std::size_t>(row) < count ? createIndex(row, 0, kTopLevel) : QModelIndex();
  }
  if (!isCategoryRow(parent) || parent.row() >= static_cast<int>(groups_.size())) return {};
  if (static_cast<std::size_t>(row) >= groups_[parent.row()].cases.size()) return {};
  return createIndex(row, 0, static_cast<quintptr>(parent.row()) + 1);
}

QModelIndex CaseTreeModel::parent(const QModelIndex& child) const {
  if (!child.isValid() || child.internalId() == kTopLevel) return {};
  return createIndex(static_cast<int>(child.internalId() - 1), 0, kTopLevel);
}

int CaseTreeModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) {
    if (showStyle_ == 0) return static_cast<int>(groups_.size());
    return groups_.empty() ? 0 : static_cast<int>(groups_[0].cases.size());
  }
  if (!isCategoryRow(parent) || parent.row() >= static_cast<int>(groups_.size())) return 0;
  return static_cast<int>(groups_[parent.row()].cases.size());
}

int CaseTreeModel::columnCount(const QModelIndex&) const {
  return 1;
}

QVariant CaseTreeModel::data(const QModelIndex& index, int role) const {
  if (isCategoryRow(index)) {
    switch (role) {
      case Qt::DisplayRole:
        return QString::fromStdString(groups_[index.row()].text);
      case Qt::DecorationRole:
        return icons_[kImageCategory];
      case kImageRole:
      case kSelectedImageRole:
        return static_cast<int>(kImageCategory);
      default:
        return {};
    }
  }
  const Case* c = caseAt(index);
  if (!c) return {};
  const int image = c->item.male ? kImageMale : kImageFemale;
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(c->item.caption);
    case Qt::DecorationRole:
      return icons_[image];
    case kIdRole:
      return c->item.id;
    case kImageRole:
      return image;
    case kSelectedImageRole:
      return static_cast<int>(kImageSelectedCase);
    default:
      return {};
  }
}

}  // namespace taiyi
