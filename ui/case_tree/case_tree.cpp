#include "ui/case_tree/case_tree.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressDialog>
#include <QTimer>
#include <QTreeView>
#include <algorithm>

#include "platform/file_util.h"
#include "store/case_actions.h"
#include "store/case_caption.h"
#include "store/case_search.h"
#include "store/store_messages.h"
#include "store/work_progress.h"
#include "ui/case_tree/case_loader.h"
#include "ui/case_tree/category_editor.h"
#include "ui/case_tree/same_name_dialog.h"
#include "ui/case_tree/search_window.h"
#include "ui/widgets/program_title.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/ui_font.h"
#include "ui/widgets/work_dialog.h"

namespace taiyi {

namespace {

constexpr const char* kStyleCaptions[] = {"分类显示", "列表显示"};
constexpr const char* kSortCaptions[] = {"时间降序（近-远）", "时间升序（远-近）",
                                         "姓氏升序（a-z）", "姓氏降序（z-a）", "无"};

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

CaseTree::CaseTree(QTreeView* tree, MRecordBase& store, Prompter& prompter, MUiFont& uiFont,
                   QObject* parent)
    : QObject(parent),
      tree_(tree),
      model_(new CaseTreeModel(this)),
      store_(store),
      prompter_(prompter),
      uiFont_(uiFont) {
  tree_->setModel(model_);
  // Every row is one line of text: the view need not measure each of many thousand rows.
  tree_->setUniformRowHeights(true);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree_->setContextMenuPolicy(Qt::CustomContextMenu);
  tree_->viewport()->installEventFilter(this);
  buildMenu();
  connect(tree_, &QTreeView::customContextMenuRequested, this, [this](const QPoint& at) {
    TreeMouseDown();
    popMingLi_->popup(tree_->viewport()->mapToGlobal(at));
  });
  connect(tree_, &QTreeView::doubleClicked, this,
          [this](const QModelIndex&) { OpenSelectedCase(); });
}

CaseTree::~CaseTree() {
  // The worker must be gone before the tree state it posts to is released.
  loader_.reset();
  delete popMingLi_;
  // The view may outlive this; it must not keep a model that is gone.
  if (tree_->model() == model_) tree_->setModel(nullptr);
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

CaseTreeModel::Case CaseTree::modelCase(const TRecordData& record) {
  // Its keys are known either way: a case without a moment has no place in any order.
  CaseTreeModel::Case c;
  c.dated = MakeTreeItem(record, dates_, true, c.item);
  c.keyed = true;
  return c;
}

void CaseTree::FillTree(std::vector<TCusTreeItem> items,
                        const std::vector<std::string>& usedCategories, bool keyed) {
  model_->Reset(std::move(items), usedCategories, showStyle_, keyed);
  tree_->setRootIsDecorated(showStyle_ == 0);
  done();
}

void CaseTree::done() {
  treeBusy_.store(false);
  tree_->setEnabled(true);
  SetRecordCount(model_->CaseCount());
  setCaption(std::string(kProgramTitle) + " ");
}

void CaseTree::BuildCaseTree(const std::vector<std::int32_t>& ids) {
  setCaption(kCaptionCollecting);
  QCoreApplication::processEvents();
  std::vector<TCusTreeItem> items;
  std::vector<std::string> used;
  CollectTreeItems(store_, dates_, ids, sort_, items, used);
  FillTree(std::move(items), used, sort_ != kSortNone);
}

void CaseTree::BuildNewestCaseTree() {
  knownTop_ = store_.PrimaryId();
  BuildCaseTree(NewestCaseIds(knownTop_));
}

bool CaseTree::refuseRenumbered() {
  if (!RereadRenumberedStore()) return false;
  prompter_.Message(kMsgStoreRenumbered);
  return true;
}

bool CaseTree::RereadRenumberedStore() {
  if (treeBusy_.load() || !store_.GenerationChanged()) return false;
  store_.AdoptGeneration();
  BuildNewestCaseTree();
  if (hooks_.storeRenumbered) hooks_.storeRenumbered();
  return true;
}

std::vector<std::int32_t> CaseTree::ShownCaseIds() const {
  return model_->CaseIds();
}

std::vector<QModelIndex> CaseTree::CategoryNodes() const {
  return model_->CategoryRows();
}

QModelIndex CaseTree::FindCaseNode(int id) const {
  return model_->CaseRow(id);
}

QModelIndex CaseTree::selectedNode() const {
  const QModelIndex node = tree_->currentIndex();
  if (!node.isValid() || !tree_->selectionModel()->isSelected(node)) return {};
  return node;
}

int CaseTree::SelectedCaseId() const {
  return model_->CaseId(selectedNode());
}

void CaseTree::SetRecordCount(int n) {
  recordCount_ = n;
  recordItem_->setText(ToQString(RecordCountCaption(n)));
}

QModelIndex CaseTree::AddCaseNode(const TRecordData& record) {
  SetRecordCount(recordCount_ + 1);
  const QModelIndex node = model_->AppendCase(modelCase(record));
  if (node.parent().isValid()) tree_->expand(node.parent());
  return node;
}

bool CaseTree::UpdateCaseNode(const TRecordData& record) {
  if (!model_->UpdateCase(modelCase(record))) return false;
  const QModelIndex node = model_->CaseRow(record.id);
  if (node.parent().isValid()) tree_->expand(node.parent());
  return true;
}

void CaseTree::ShowStyleClick(QAction* item) {
  if (refuseWhileLoading()) {
    SetDisplay(showStyle_, sort_);
    return;
  }
  item->setChecked(true);
  for (std::size_t i = 0; i < styleItems_.size(); ++i)
    if (styleItems_[i]->isChecked()) showStyle_ = static_cast<int>(i);
  for (std::size_t i = 0; i < sortItems_.size(); ++i)
    if (sortItems_[i]->isChecked()) sort_ = i == 4 ? kSortNone : static_cast<int>(i) + 1;
  // The shown cases are regrouped and reordered where they are; only an order whose keys
  // the cases do not carry yet reads them again.
  if (sort_ != kSortNone && !model_->Keyed()) {
    BuildCaseTree(ShownCaseIds());
    return;
  }
  std::vector<std::string> categories;
  if (showStyle_ == 0) store_.LoadCategories(categories);
  model_->Rearrange(showStyle_, sort_, categories);
  tree_->setRootIsDecorated(showStyle_ == 0);
  done();
}

void CaseTree::TreeMouseDown() {
  moveMenu_->clear();
  const QModelIndex node = selectedNode();
  if (showStyle_ != 0 || model_->CaseId(node) == -1) return;
  const std::string own = model_->RowText(node.parent());
  for (const QModelIndex& top : CategoryNodes()) {
    const std::string text = model_->RowText(top);
    if (text == own) continue;
    QAction* item = moveMenu_->addAction(PlainMenuCaption(text));
    item->setData(ToQString(text));
    connect(item, &QAction::triggered, this, [this, item] { MoveCase(item); });
  }
}

void CaseTree::MoveCase(QAction* item) {
  if (refuseWhileBusy()) return;
  const int id = SelectedCaseId();
  if (showStyle_ != 0 || id == -1 || refuseRenumbered()) return;
  const QModelIndex node = selectedNode();
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
    RereadRenumberedStore();
    return;
  }
  model_->MoveCase(node, category);
  if (hooks_.caseMoved) hooks_.caseMoved(id, category);
}

void CaseTree::DeleteSelectedCase() {
  if (refuseWhileBusy()) return;
  const int id = SelectedCaseId();
  if (id == -1) {
    prompter_.Message(kMsgSelectCaseFirst);
    return;
  }
  if (refuseRenumbered()) return;
  const std::string text = model_->RowText(selectedNode());
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
    RereadRenumberedStore();
    return;
  }
  model_->RemoveCase(model_->CaseRow(id));
  SetRecordCount(recordCount_ - 1);
  if (viewed && hooks_.viewedCaseDeleted) hooks_.viewedCaseDeleted();
}

void CaseTree::OpenSelectedCase() {
  const int id = SelectedCaseId();
  if (id == -1) return;
  // The node's id is from before another program renumbered the store: it may name another
  // case now.
  if (refuseRenumbered()) return;
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

  // The window stays usable while the cases are read; the dialog tells how far the reading
  // is and can stop it.
  auto* progress = new QProgressDialog(tree_->window());
  progress->setObjectName("LoaderProgress");
  progress->setWindowTitle(QString::fromUtf8(kProgramTitle));
  progress->setLabelText(ToQString(ProgressLine(kProgressLoading, 0, h)));
  progress->setCancelButtonText(QString::fromUtf8(kProgressStop));
  progress->setWindowModality(Qt::NonModal);
  progress->setAutoClose(false);
  progress->setAutoReset(false);
  progress->setMinimumDuration(kProgressDelayMs);
  progress->setRange(0, h);
  progress->setValue(0);
  connect(progress, &QProgressDialog::canceled, this, [this] { loaderStop_.store(true); });
  auto* ticker = new QTimer(progress);
  connect(ticker, &QTimer::timeout, progress, [this, progress] {
    if (!loader_) return;
    const int read = loader_->Done();
    progress->setLabelText(ToQString(ProgressLine(kProgressLoading, read, loader_->Total())));
    progress->setValue(read);
  });
  ticker->start(kProgressTickMs);

  CaseLoader::Callbacks calls;
  calls.caption = [this](const std::string& text) { setCaption(text); };
  calls.filled = [this](std::vector<TCusTreeItem>& items, const std::vector<std::string>& used) {
    if (loaderStop_.load()) return;  // a stopped load leaves the tree as it was
    FillTree(std::move(items), used, sort_ != kSortNone);
  };
  calls.finished = [this, progress](bool stopped) {
    progress->deleteLater();
    done();
    loaderRunning_ = false;
    if (!stopped && !loaderStop_.load() && hooks_.loaderFinished) hooks_.loaderFinished();
  };
  // The ids that exist, newest first, in one query: counting down from the primary id would
  // list every number below it, gaps and all.
  std::vector<int> ids;
  store_.CaseIds(ids, true);
  loader_->Start(std::move(ids), sort_, std::move(calls));
}

void CaseTree::N18Click() {
  if (refuseWhileLoading() || refuseRenumbered()) return;
  const bool changed = hooks_.editCategories
                           ? hooks_.editCategories()
                           : EditCategories(store_, uiFont_, prompter_, tree_->window());
  // The editor's writes are refused when another program renumbered the store meanwhile.
  if (refuseRenumbered()) return;
  if (changed) BuildCaseTree(ShownCaseIds());
}

void CaseTree::N19Click() {
  if (refuseWhileLoading()) return;
  // After another program's compaction or restore the shown ids name other cases: the newest
  // cases are read anew instead.
  if (RereadRenumberedStore()) return;
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
  // Every case and its comment file is read: the window keeps answering meanwhile.
  std::vector<std::int32_t> ids;
  WorkProgress progress;
  if (!RunWithProgress(tree_->window(), kProgressSearching, progress, true,
                       [&] { FuzzySearch(store_, keywords, ids, &progress); }))
    return;  // stopped by the user: nothing to report
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
  const QModelIndex node = FindCaseNode(chosen);
  if (node.isValid()) {
    tree_->setFocus();
    if (node.parent().isValid()) tree_->expand(node.parent());
    tree_->setCurrentIndex(node);
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
