// The case tree on the left of the main window: builds the tree's model from a list of case
// ids (grouped by category or listed, in the chosen order), keeps the shown count, and runs
// the commands of its popup menu (open, move, delete, categories, searches, refresh, load
// every case on a worker thread).  What needs the main window goes through the hooks.
#pragma once

#include <QMenu>
#include <QModelIndex>
#include <QObject>
#include <QPointer>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "calendar/date_service.h"
#include "platform/prompter.h"
#include "store/case_search.h"
#include "store/case_tree_items.h"
#include "store/record_base.h"
#include "store/record_data.h"
#include "ui/case_tree/case_tree_model.h"

class QAction;
class QActionGroup;
class QTreeView;

namespace taiyi {

class CaseLoader;
class MUiFont;

inline constexpr char kMsgNoCasesToShow[] = "没有记录，无从显示。";
inline constexpr char kMsgManyCases[] = "记录总数有点多，确定后请等待操作完成！";
inline constexpr char kMsgSelectCaseFirst[] = "请先选择一个案例！";
inline constexpr char kMsgAskDeleteViewed[] = "确定要删除当前正在查看的案例吗？";
inline constexpr char kProgressLoading[] = "正在读取全部命例";
inline constexpr char kProgressSearching[] = "正在查找命例";
inline constexpr char kProgressStop[] = "停止";
// A progress dialog appears only for work that takes longer than this, and follows the work
// at this pace.
inline constexpr int kProgressDelayMs = 400;
inline constexpr int kProgressTickMs = 100;
inline constexpr char kFuzzyTitle[] = "模糊查找";
inline constexpr char kFuzzyPrompt[] =
    "请输入要查找的关键字（姓名、性别、地址、类别、年-月-日-时、评语）：            ";

// What the user chose in the search-result list.
struct SearchResultChoice {
  int line = -1;           // position of the chosen line
  bool clearList = false;  // "清空现有列表 "
  bool showAll = false;    // "全部显示到列表"
};

// What the tree asks of the main window.  Every hook may be left empty.
struct CaseTreeHooks {
  // Opens a stored case into the panel and charts it.
  std::function<void(int id)> openCase;
  // The id of the stored case the panel shows, or -1.
  std::function<int()> viewedCaseId;
  // The comment file of the case the panel shows.
  std::function<std::string()> viewedCommentPath;
  // The case the panel shows was deleted: the analysis editor is emptied and the chart is no
  // longer valid (and the panel should hold a new case from now on).
  std::function<void()> viewedCaseDeleted;
  // A case was moved to another category (the panel may show it).
  std::function<void(int id, const std::string& category)> caseMoved;
  // The three dialogs the tree opens, modal over the tree's window.  Left empty, the
  // program's own are used: the category editor (true when it changed anything), the
  // condition-search window (true with its result list) and the search-result list (false
  // when it was closed without "查看案例").
  std::function<bool()> editCategories;
  std::function<bool(std::vector<std::int32_t>& ids)> conditionSearch;
  std::function<bool(const std::vector<std::string>& lines, SearchResultChoice& choice)>
      chooseSearchResult;
  // The loader has filled the tree: the pending window state, if any, is applied.
  std::function<void()> loaderFinished;
  // Another program compacted, restored or replaced the store: the tree was read again, and
  // the id of the case the panel shows names another case (or none) now, so the panel's case
  // must count as a new one.
  std::function<void()> storeRenumbered;
};

class CaseTree final : public QObject {
  Q_OBJECT

 public:
  // tree: the main window's tree view, which gets the tree's model; the store, prompter and
  // font service outlive this.
  CaseTree(QTreeView* tree, MRecordBase& store, Prompter& prompter, MUiFont& uiFont,
           QObject* parent = nullptr);
  // Stops a running loader and waits for it before anything is released.
  ~CaseTree() override;

  void SetHooks(CaseTreeHooks hooks) { hooks_ = std::move(hooks); }

  // Display state (kept in dat/init.ini, section tree): style 0 by category, 1 as a list;
  // sort 0..4.  SetDisplay checks the matching items of "显示样式"; values out of range
  // become 0.
  void SetDisplay(int showStyle, int sort);
  int ShowStyle() const { return showStyle_; }
  int Sort() const { return sort_; }

  // The tree is being built (by a build or the loader).
  bool TreeBusy() const { return treeBusy_.load(); }
  // The loader thread has been started and has not yet handed over its last change.
  bool LoaderRunning() const { return loaderRunning_; }
  // Asks a running loader to stop at its next case or node.
  void RequestLoaderStop() { loaderStop_.store(true); }
  // Stops a running loader and waits for its thread (queued changes are still delivered).
  void StopLoader();

  // Rebuilds the whole tree from the readable cases of ids.
  void BuildCaseTree(const std::vector<std::int32_t>& ids);
  // The tree of the newest 1000 cases.
  void BuildNewestCaseTree();
  // When another program has renumbered or replaced the store since this window read its
  // ids (compaction, restore): takes the store's new generation, shows the newest cases
  // again, tells the window (storeRenumbered) and returns true.
  bool RereadRenumberedStore();

  // The rows of the tree's model: the case rows carry CaseTreeModel::kIdRole, every row
  // kImageRole and kSelectedImageRole.  An invalid index stands for no row.
  const CaseTreeModel& Model() const { return *model_; }
  std::vector<std::int32_t> ShownCaseIds() const;
  std::vector<QModelIndex> CategoryNodes() const;
  QModelIndex FindCaseNode(int id) const;
  int SelectedCaseId() const;
  void SetRecordCount(int n);
  int RecordCount() const { return recordCount_; }

  // A newly stored case: counted, and appended under its category (created at the end when
  // missing) or at the end of the list; the parent is expanded and nothing is re-sorted.
  QModelIndex AddCaseNode(const TRecordData& record);
  // A stored case whose changes were saved: its node's caption and icon follow; false when
  // the tree has no node for it.
  bool UpdateCaseNode(const TRecordData& record);

  QMenu* PopMingLi() const { return popMingLi_; }
  QMenu* MoveMenu() const { return moveMenu_; }

  // Commands of the popup menu.
  void ShowStyleClick(QAction* item);
  void TreeMouseDown();
  void MoveCase(QAction* item);
  void DeleteSelectedCase();
  void OpenSelectedCase();
  void ShowAllCases();
  void N18Click();
  void N19Click();
  void N20Click();
  void pop_searchClick();
  void ShowSearchResults(const std::vector<std::int32_t>& ids);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildMenu();
  void setCaption(const std::string& text);
  bool refuseWhileBusy();
  bool refuseWhileLoading();
  // RereadRenumberedStore, saying so when it read the tree again: the command that asked
  // held an id from before and does nothing.
  bool refuseRenumbered();
  QModelIndex selectedNode() const;
  CaseTreeModel::Case modelCase(const TRecordData& record);
  // The tree's rows replaced by the items (in the order sort when keyed), then done().
  void FillTree(std::vector<TCusTreeItem> items, const std::vector<std::string>& usedCategories,
                bool keyed);
  // After every change of the whole tree: the tree usable again, the count and the caption.
  void done();

  QTreeView* tree_;
  CaseTreeModel* model_;  // a child of this
  MRecordBase& store_;
  Prompter& prompter_;
  MUiFont& uiFont_;
  MYiDateEx dates_;
  SearchConditions conditions_;  // kept from one condition search to the next
  CaseTreeHooks hooks_;

  int showStyle_ = 0;
  int sort_ = 0;
  std::atomic<bool> treeBusy_{false};
  std::atomic<bool> loaderStop_{false};
  bool loaderRunning_ = false;
  int recordCount_ = 0;
  // The store's primary id when the tree was last built from the store's newest cases or all
  // of them: a refresh adds the cases above it, which another program may have added.
  int knownTop_ = 0;
  std::unique_ptr<CaseLoader> loader_;

  QPointer<QMenu> popMingLi_;  // a child of the tree view
  QMenu* showStyleMenu_ = nullptr;
  QMenu* moveMenu_ = nullptr;
  QActionGroup* styleGroup_ = nullptr;
  QActionGroup* sortGroup_ = nullptr;
  std::vector<QAction*> styleItems_;
  std::vector<QAction*> sortItems_;
  QAction* recordItem_ = nullptr;
};

}  // namespace taiyi
