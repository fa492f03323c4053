#include "ui/case_tree/case_tree.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <algorithm>

#include "platform/file_util.h"
#include "store/case_actions.h"
#include "store/case_caption.h"
#include "store/case_search.h"
#include "ui/case_tree/case_loader.h"
#include "ui/case_tree/category_editor.h"
#include "ui/case_tree/same_name_dialog.h"
#include "ui/case_tree/search_window.h"
#include "ui/widgets/program_title.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {

namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kSelectedImageRole = Qt::UserRole + 2;

constexpr const char* kStyleCaptions[] = {"分类显示", "列表显示"};
constexpr const char* kSortCaptions[] = {"时间降序（近-远）", "时间升序（远-近）",
                                         "姓氏升序（a-z）", "姓氏降序（z-a）", "无"};

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

void SetNodeImages(QTreeWidgetItem* node, int image, int selectedImage) {
  node->setIcon(0, NodeIcon(image, selectedImage));
  node->setData(0, kImageRole, image);
  node->setData(0, kSelectedImageRole, selectedImage);
}

std::string NodeText(const QTreeWidgetItem* node) {
  return ToStdString(node->text(0));
}

// A menu caption that shows an ampersand as it stands.
QString PlainMenuCaption(const std::string& text) {
  return ToQString(text).replace('&', QStringLiteral("&&"));
}

std::string TrimBlanks(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

}  // namespace

CaseTree::CaseTree(QTreeWidget* tree, MRecordBase& store, Prompter& prompter, MUiFont& uiFont,
                   QObject* parent)
    : QObject(parent), tree_(tree), store_(store), prompter_(prompter), uiFont_(uiFont) {
  tree_->setColumnCount(1);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  tree_->setContextMenuPolicy(Qt::CustomContextMenu);
  tree_->viewport()->installEventFilter(this);
  buildMenu();
  connect(tree_, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    TreeMouseDown();
    popMingLi_->popup(tree_->viewport()->mapToGlobal(at));
  });
  connect(tree_, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem*, int) { OpenSelectedCase(); });
}

CaseTree::~CaseTree() {
  // The worker must be gone before the tree state it posts to is released.
  loader_.reset();
  delete popMingLi_;
}

void CaseTree::buildMenu() {
  popMingLi_ = new QMenu(tree_);
  popMingLi_->setObjectName("PopMingLi");

  showStyleMenu_ = popMingLi_->addMenu(QStringLiteral("显示样式"));
  showStyleMenu_->setObjectName("pMenuShowStyle");
  styleGroup_ = new QActionGroup(showStyleMenu_);
  sortGroup_ = new QActionGroup(showStyleMenu_);
  for (const char* caption : kStyleCaptions) {
    QAction* item = showStyleMenu_->addAction(QString::fromUtf8(caption));
    item->setCheckable(true);
    styleGroup_->addAction(item);
    styleItems_.push_back(item);
  }
  showStyleMenu_->addSeparator();
  for (const char* caption : kSortCaptions) {
    QAction* item = showStyleMenu_->addAction(QString::fromUtf8(caption));
    item->setCheckable(true);
    sortGroup_->addAction(item);
    sortItems_.push_back(item);
  }
  for (QAction* item : styleItems_)
    connect(item, &QAction::triggered, this, [this, item] { ShowStyleClick(item); });
  for (QAction* item : sortItems_)
    connect(item, &QAction::triggered, this, [this, item] { ShowStyleClick(item); });
  styleItems_[0]->setChecked(true);
  sortItems_[4]->setChecked(true);

  auto add = [this](const char* name, const char* caption, void (CaseTree::*handler)()) {
    QAction* item = popMingLi_->addAction(QString::fromUtf8(caption));
    item->setObjectName(name);
    if (handler) connect(item, &QAction::triggered, this, handler);
    return item;
  };
  add("pop_ming_pai", "查看命例", &CaseTree::OpenSelectedCase);
  moveMenu_ = popMingLi_->addMenu(QStringLiteral("移动到"));
  moveMenu_->setObjectName("pop_ming_move");
  add("pop_ming_delete", "删除命例", &CaseTree::DeleteSelectedCase);
  popMingLi_->addSeparator();
  add("N18", "编辑类别", &CaseTree::N18Click);
  popMingLi_->addSeparator();
  add("N20", "模糊查找", &CaseTree::N20Click);
  add("pop_search", "条件查找", &CaseTree::pop_searchClick);
  add("pop_s_full", "显示全部命例", &CaseTree::ShowAllCases);
  popMingLi_->addSeparator();
  add("N19", "刷新显示", &CaseTree::N19Click);
  recordItem_ = add("pMenuRecord", "记录总数", nullptr);
}

void CaseTree::SetDisplay(int showStyle, int sort) {
  showStyle_ = (showStyle == 0 || showStyle == 1) ? showStyle : 0;
  sort_ = (sort >= kSortNone && sort <= kSortSurnameDesc) ? sort : kSortNone;
  styleItems_[showStyle_]->setChecked(true);
  sortItems_[sort_ == kSortNone ? 4 : sort_ - 1]->setChecked(true);
}

void CaseTree::setCaption(const std::string& text) {
  if (QWidget* window = tree_->window()) window->setWindowTitle(ToQString(text));
}

bool CaseTree::refuseWhileBusy() {
  if (!treeBusy_.load()) return false;
  prompter_.Message(kMsgWaitForCases);
  return true;
}

bool CaseTree::refuseWhileLoading() {
  // A rebuild must not start while the loader reads the store or fills the tree.
  if (!loaderRunning_ && !treeBusy_.load()) return false;
  prompter_.Message(kMsgWaitForCases);
  return true;
}

void CaseTree::StopLoader() {
  loaderStop_.store(true);
  if (loader_) loader_->Wait();
}

bool CaseTree::isCaseNode(const QTreeWidgetItem* node) const {
  if (!node) return false;
  const int level = node->parent() ? 1 : 0;
  return level == caseLevel() && node->data(0, kIdRole).isValid();
}

QTreeWidgetItem* CaseTree::topLevelNode(const std::string& text) const {
  const QString wanted = ToQString(text);
  for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* node = tree_->topLevelItem(i);
    if (node->text(0) == wanted) return node;
  }
  return nullptr;
}

QTreeWidgetItem* CaseTree::addCategoryNode(const std::string& text) {
  auto* node = new QTreeWidgetItem(QStringList{ToQString(text)});
  SetNodeImages(node, kImageCategory, kImageCategory);
  tree_->addTopLevelItem(node);
  return node;
}

QTreeWidgetItem* CaseTree::makeCaseNode(const std::string& caption, bool male, int id) const {
  auto* node = new QTreeWidgetItem(QStringList{ToQString(caption)});
  SetNodeImages(node, male ? kImageMale : kImageFemale, kImageSelectedCase);
  node->setData(0, kIdRole, id);
  return node;
}

void CaseTree::fillBegin(const std::vector<std::string>& usedCategories) {
  tree_->clear();
  tree_->setRootIsDecorated(showStyle_ == 0);
  if (showStyle_ == 0)
    for (const std::string& category : usedCategories) addCategoryNode(category);
  treeBusy_.store(true);
  tree_->setEnabled(false);
  tree_->setUpdatesEnabled(false);
}

void CaseTree::fillAdd(const TCusTreeItem& item) {
  QTreeWidgetItem* node = makeCaseNode(item.caption, item.male, item.id);
  if (showStyle_ == 0) {
    QTreeWidgetItem* parent = topLevelNode(item.category);
    if (!parent) parent = addCategoryNode(item.category);
    parent->addChild(node);
  } else {
    tree_->addTopLevelItem(node);
  }
}

void CaseTree::fillEnd() {
  tree_->setUpdatesEnabled(true);
  treeBusy_.store(false);
  tree_->setEnabled(true);
  SetRecordCount(static_cast<int>(ShownCaseIds().size()));
  setCaption(std::string(kProgramTitle) + " ");
}

void CaseTree::FillTree(const std::vector<TCusTreeItem>& items,
                        const std::vector<std::string>& usedCategories) {
  fillBegin(usedCategories);
  const int count = static_cast<int>(items.size());
  for (int i = 0; i < count; ++i) {
    if (i % CaseLoader::kItemsPerRun == 0) {
      setCaption(std::to_string(count - i));
      QCoreApplication::processEvents();
    }
    fillAdd(items[i]);
  }
  fillEnd();
}

void CaseTree::BuildCaseTree(const std::vector<std::int32_t>& ids) {
  setCaption(kCaptionCollecting);
  QCoreApplication::processEvents();
  std::vector<TCusTreeItem> items;
  std::vector<std::string> used;
  CollectTreeItems(store_, dates_, ids, sort_, items, used);
  FillTree(items, used);
}

void CaseTree::BuildNewestCaseTree() {
  knownTop_ = store_.PrimaryId();
  BuildCaseTree(NewestCaseIds(knownTop_));
}

std::vector<std::int32_t> CaseTree::ShownCaseIds() const {
  std::vector<std::int32_t> ids;
  for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* top = tree_->topLevelItem(i);
    if (caseLevel() == 0) {
      if (isCaseNode(top)) ids.push_back(top->data(0, kIdRole).toInt());
      continue;
    }
    for (int j = 0; j < top->childCount(); ++j)
      if (isCaseNode(top->child(j))) ids.push_back(top->child(j)->data(0, kIdRole).toInt());
  }
  return ids;
}

std::vector<QTreeWidgetItem*> CaseTree::CategoryNodes() const {
  std::vector<QTreeWidgetItem*> nodes;
  if (showStyle_ != 0) return nodes;
  for (int i = 0; i < tree_->topLevelItemCount(); ++i) nodes.push_back(tree_->topLevelItem(i));
  return nodes;
}

QTreeWidgetItem* CaseTree::FindCaseNode(int id) const {
  for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* top = tree_->topLevelItem(i);
    if (caseLevel() == 0) {
      if (isCaseNode(top) && top->data(0, kIdRole).toInt() == id) return top;
      continue;
    }
    for (int j = 0; j < top->childCount(); ++j) {
      QTreeWidgetItem* node = top->child(j);
      if (isCaseNode(node) && node->data(0, kIdRole).toInt() == id) return node;
    }
  }
  return nullptr;
}

int CaseTree::SelectedCaseId() const {
  QTreeWidgetItem* node = tree_->currentItem();
  if (!node || !node->isSelected() || !isCaseNode(node)) return -1;
  return node->data(0, kIdRole).toInt();
}

void CaseTree::SetRecordCount(int n) {
  recordCount_ = n;
  recordItem_->setText(ToQString(RecordCountCaption(n)));
}

QTreeWidgetItem* CaseTree::AddCaseNode(const TRecordData& record) {
  SetRecordCount(recordCount_ + 1);
  QTreeWidgetItem* node = makeCaseNode(CaseCaption(record), record.male, record.id);
  if (showStyle_ == 0) {
    QTreeWidgetItem* parent = topLevelNode(record.className);
    if (!parent) parent = addCategoryNode(record.className);
    parent->addChild(node);
    parent->setExpanded(true);
  } else {
    tree_->addTopLevelItem(node);
  }
  return node;
}

bool CaseTree::UpdateCaseNode(const TRecordData& record) {
  QTreeWidgetItem* node = FindCaseNode(record.id);
  if (!node) return false;
  node->setText(0, ToQString(CaseCaption(record)));
  SetNodeImages(node, record.male ? kImageMale : kImageFemale, kImageSelectedCase);
  if (node->parent()) node->parent()->setExpanded(true);
  return true;
}

void CaseTree::ShowStyleClick(QAction* item) {
  if (refuseWhileLoading()) {
    SetDisplay(showStyle_, sort_);
    return;
  }
  item->setChecked(true);
  const std::vector<std::int32_t> ids = ShownCaseIds();
  for (std::size_t i = 0; i < styleItems_.size(); ++i)
    if (styleItems_[i]->isChecked()) showStyle_ = static_cast<int>(i);
  for (std::size_t i = 0; i < sortItems_.size(); ++i)
    if (sortItems_[i]->isChecked()) sort_ = i == 4 ? kSortNone : static_cast<int>(i) + 1;
  BuildCaseTree(ids);
}

void CaseTree::TreeMouseDown() {
  moveMenu_->clear();
  QTreeWidgetItem* node = tree_->currentItem();
  if (!node || !node->isSelected() || showStyle_ != 0 || !isCaseNode(node)) return;
  const QString own = node->parent()->text(0);
  for (QTreeWidgetItem* top : CategoryNodes()) {
    if (top->text(0) == own) continue;
    QAction* item = moveMenu_->addAction(PlainMenuCaption(NodeText(top)));
    item->setData(top->text(0));
    connect(item, &QAction::triggered, this, [this, item] { MoveCase(item); });
  }
}

void CaseTree::MoveCase(QAction* item) {
  if (refuseWhileBusy()) return;
  const int id = SelectedCaseId();
  if (showStyle_ != 0 || id == -1) return;
  QTreeWidgetItem* node = tree_->currentItem();
  const std::string category =
      ToStdString(item->data().isValid() ? item->data().toString() : item->text());
  TRecordData record;
  if (!store_.LoadCase(id, record)) {
    prompter_.Message(store_.LastMessage());
    return;
  }
  record.className = category;
  if (!store_.UpdateCase(id, record)) {
    prompter_.Message(store_.LastMessage());
    return;
  }
  if (QTreeWidgetItem* target = topLevelNode(category)) {
    QTreeWidgetItem* oldParent = node->parent();
    const bool male = node->data(0, kImageRole).toInt() == kImageMale;
    const std::string caption = NodeText(node);
    delete oldParent->takeChild(oldParent->indexOfChild(node));
    target->addChild(makeCaseNode(caption, male, id));
  }
  if (hooks_.caseMoved) hooks_.caseMoved(id, category);
}

void CaseTree::DeleteSelectedCase() {
  if (refuseWhileBusy()) return;
  const int id = SelectedCaseId();
  if (id == -1) {
    prompter_.Message(kMsgSelectCaseFirst);
    return;
  }
  QTreeWidgetItem* node = tree_->currentItem();
  const std::string text = NodeText(node);
  const std::string name = text.substr(0, text.find(' '));
  if (!prompter_.Question("注意", "确定要删除“" + name + "”这个命例吗？", false,
                          QuestionIcon::Warning))
    return;

  const bool viewed = hooks_.viewedCaseId && hooks_.viewedCaseId() == id;
  std::string commentPath;
  if (viewed) {
    if (!prompter_.Question("提示", kMsgAskDeleteViewed, true, QuestionIcon::Warning)) return;
    if (hooks_.viewedCommentPath) commentPath = hooks_.viewedCommentPath();
  } else {
    TRecordData record;
    if (store_.LoadCase(id, record)) commentPath = store_.CommentPath(record);
  }

  // The row goes first: when the store refuses, the case keeps its node and comment file.
  if (!DeleteCase(store_, id, commentPath)) {
    prompter_.Message(store_.LastMessage());
    return;
  }
  delete node;
  SetRecordCount(recordCount_ - 1);
  if (viewed && hooks_.viewedCaseDeleted) hooks_.viewedCaseDeleted();
}

void CaseTree::OpenSelectedCase() {
  const int id = SelectedCaseId();
  if (id == -1) return;
  if (hooks_.openCase) hooks_.openCase(id);
}

void CaseTree::ShowAllCases() {
  if (refuseWhileLoading()) return;
  const int h = store_.PrimaryId();
  if (h == 0) {
    prompter_.Message(kMsgNoCasesToShow);
    return;
  }
  if (h > 2000) prompter_.Message(kMsgManyCases);
  knownTop_ = h;

  loader_.reset();
  loaderStop_.store(false);
  treeBusy_.store(true);
  loaderRunning_ = true;
  loader_ = std::make_unique<CaseLoader>(this, store_, loaderStop_);

  CaseLoader::Callbacks calls;
  calls.caption = [this](const std::string& text) { setCaption(text); };
  calls.beginFill = [this](const std::vector<std::string>& used, int) { fillBegin(used); };
  calls.addItems = [this](const std::vector<TCusTreeItem>& run, int remaining) {
    setCaption(std::to_string(remaining));
    for (const TCusTreeItem& item : run) {
      if (loaderStop_.load()) return;
      fillAdd(item);
    }
  };
  calls.finished = [this](bool stopped) {
    // A stopped load leaves the nodes it made, but the tree usable.
    fillEnd();
    loaderRunning_ = false;
    if (!stopped && hooks_.loaderFinished) hooks_.loaderFinished();
  };
  // The ids that exist, newest first, in one query: counting down from the primary id would
  // list every number below it, gaps and all.
  std::vector<int> ids;
  store_.CaseIds(ids, true);
  loader_->Start(std::move(ids), sort_, std::move(calls));
}

void CaseTree::N18Click() {
  if (refuseWhileLoading()) return;
  const bool changed = hooks_.editCategories
                           ? hooks_.editCategories()
                           : EditCategories(store_, uiFont_, prompter_, tree_->window());
  if (changed) BuildCaseTree(ShownCaseIds());
}

void CaseTree::N19Click() {
  if (refuseWhileLoading()) return;
  // The shown cases, after the ones added since the tree was built (by this window or by
  // another program on the same store), newest first.
  const std::vector<std::int32_t> shown = ShownCaseIds();
  std::vector<int> newest;
  store_.CaseIds(newest, true, kNewestCaseCount);
  std::vector<std::int32_t> ids;
  for (const int id : newest)
    if (id > knownTop_ && std::find(shown.begin(), shown.end(), id) == shown.end())
      ids.push_back(id);
  if (!newest.empty()) knownTop_ = std::max(knownTop_, newest.front());
  ids.insert(ids.end(), shown.begin(), shown.end());
  BuildCaseTree(ids);
}

void CaseTree::N20Click() {
  if (treeBusy_.load()) {
    prompter_.Message(kMsgWaitForCases);
    return;
  }
  std::string answer;
  if (!prompter_.InputText(kFuzzyTitle, kFuzzyPrompt, answer)) return;
  answer = TrimBlanks(answer);
  if (answer.empty()) return;
  const std::vector<std::string> keywords = SplitKeywords(answer);
  if (keywords.empty()) {
    prompter_.Message(kMsgNoKeywords);
    return;
  }
  std::vector<std::int32_t> ids;
  FuzzySearch(store_, keywords, ids);
  if (ids.empty()) {
    prompter_.Message(kFuzzyNothingFound);
    return;
  }
  ShowSearchResults(ids);
}

void CaseTree::pop_searchClick() {
  if (refuseWhileBusy()) return;
  std::vector<std::int32_t> ids;
  const bool found = hooks_.conditionSearch ? hooks_.conditionSearch(ids)
                                            : SearchCases(store_, conditions_, uiFont_, prompter_,
                                                          tree_->window(), ids);
  if (found) ShowSearchResults(ids);
}

void CaseTree::ShowSearchResults(const std::vector<std::int32_t>& ids) {
  std::vector<std::string> lines;
  std::vector<std::int32_t> lineIds;  // the id of each line
  store_.Connect();
  for (const std::int32_t id : ids) {
    TRecordData record;
    if (!store_.LoadCaseInBatch(id, record)) continue;
    lines.push_back(SameNameLine(record));
    lineIds.push_back(id);
  }
  store_.Disconnect();

  SearchResultChoice choice;
  const bool picked = hooks_.chooseSearchResult
                          ? hooks_.chooseSearchResult(lines, choice)
                          : ChooseFoundCase(uiFont_, prompter_, tree_->window(), lines, choice.line,
                                            choice.showAll, choice.clearList);
  if (!picked) return;
  if (choice.line < 0 || choice.line >= static_cast<int>(lineIds.size())) return;
  const std::int32_t chosen = lineIds[choice.line];

  BuildCaseTree(MergeSearchResults(ShownCaseIds(), ids, chosen, choice.clearList, choice.showAll));
  if (QTreeWidgetItem* node = FindCaseNode(chosen)) {
    tree_->setFocus();
    tree_->setCurrentItem(node);
    if (hooks_.openCase) hooks_.openCase(chosen);
  }
}

bool CaseTree::eventFilter(QObject* watched, QEvent* event) {
  // A right click opens the popup menu without changing the selection.
  if (watched == tree_->viewport() &&
      (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
    return true;
  return QObject::eventFilter(watched, event);
}

}  // namespace taiyi
