#include "ui/case_tree/case_tree.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <QtTest/QTest>
#include <algorithm>
#include <memory>

#include "store/store_messages.h"
#include "store/whole_store.h"
#include "support/case_store_fixture.h"
#include "ui/case_tree/same_name_dialog.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {
namespace {

using Ids = std::vector<std::int32_t>;
constexpr int kImageRole = CaseTreeModel::kImageRole;
constexpr int kSelectedImageRole = CaseTreeModel::kSelectedImageRole;

QAction* MenuItem(QMenu* menu, const char* caption) {
  for (QAction* item : menu->actions())
    if (item->text() == QString::fromUtf8(caption)) return item;
  ADD_FAILURE() << caption;
  return nullptr;
}

std::vector<std::string> Texts(const std::vector<QModelIndex>& nodes) {
  std::vector<std::string> texts;
  for (const QModelIndex& node : nodes) texts.push_back(ToStdString(node.data().toString()));
  return texts;
}

class CaseTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(f.opened);
    ASSERT_EQ(f.Add(test::TreeCase("张三", 2004, 5, 6, "亲戚朋友")), 1);
    ASSERT_EQ(f.Add(test::TreeCase("李四", 1990, 1, 1, "家人", false)), 2);
    ASSERT_EQ(f.Add(test::TreeCase("王五", 1980, 3, 3, "外来类别")), 3);
    ASSERT_EQ(f.Add(test::TreeCase("赵六", 2010, 2, 2, "家人")), 4);
    tree = new QTreeView(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(tree);
    caseTree = std::make_unique<CaseTree>(tree, f.store, prompter, font);
    CaseTreeHooks hooks;
    hooks.openCase = [this](int id) { opened.push_back(id); };
    hooks.caseMoved = [this](int id, const std::string& category) {
      moved = std::to_string(id) + " " + category;
    };
    hooks.chooseSearchResult = [this](const std::vector<std::string>& lines,
                                      SearchResultChoice& c) {
      resultLines = lines;
      c = choice;
      return chooseResult;
    };
    hooks.loaderFinished = [this] { loaderFinished = true; };
    caseTree->SetHooks(hooks);
  }

  void Select(int id) {
    const QModelIndex node = caseTree->FindCaseNode(id);
    ASSERT_TRUE(node.isValid()) << id;
    tree->setCurrentIndex(node);
  }
  void WaitForLoader() {
    QElapsedTimer clock;
    clock.start();
    while (caseTree->LoaderRunning() && clock.elapsed() < 30000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ASSERT_FALSE(caseTree->LoaderRunning());
  }
  std::string Last() const { return prompter.LastText(); }

  test::CaseStoreFixture f;
  ScriptedPrompter prompter;
  MUiFont font{0, false};
  QWidget window;
  QTreeView* tree = nullptr;
  std::unique_ptr<CaseTree> caseTree;

  Ids opened;
  std::string moved;
  std::vector<std::string> resultLines;
  SearchResultChoice choice;
  bool chooseResult = true;
  bool loaderFinished = false;
};

TEST_F(CaseTreeTest, BuildsByCategoryAndSwitchesStyleAndOrder) {
  caseTree->BuildCaseTree({4, 3, 2, 1, 8});
  // The categories of the list first, in its order; a foreign one after them.
  EXPECT_EQ(Texts(caseTree->CategoryNodes()),
            (std::vector<std::string>{"家人", "亲戚朋友", "外来类别"}));
  EXPECT_EQ(caseTree->ShownCaseIds(), (Ids{4, 2, 1, 3}));
  EXPECT_EQ(caseTree->RecordCount(), 4);
  EXPECT_EQ(ToStdString(caseTree->PopMingLi()->findChild<QAction*>("pMenuRecord")->text()),
            "【 4 条案例】");
  EXPECT_EQ(ToStdString(window.windowTitle()), "墨衡太乙神数 1.3 ");
  EXPECT_TRUE(tree->isEnabled());
  EXPECT_FALSE(caseTree->TreeBusy());

  const QModelIndex family = caseTree->CategoryNodes()[0];
  EXPECT_FALSE(tree->isExpanded(family));
  EXPECT_EQ(family.data(kImageRole).toInt(), kImageCategory);
  const QModelIndex li = caseTree->FindCaseNode(2);
  EXPECT_EQ(li.parent(), family);
  EXPECT_EQ(ToStdString(li.data().toString()), "李四      公1990-01-01 07:08");
  EXPECT_EQ(li.data(kImageRole).toInt(), kImageFemale);
  EXPECT_EQ(li.data(kSelectedImageRole).toInt(), kImageSelectedCase);
  EXPECT_EQ(caseTree->FindCaseNode(1).data(kImageRole).toInt(), kImageMale);
  // Every case row of a sex shares one icon.
  EXPECT_EQ(caseTree->FindCaseNode(1).data(Qt::DecorationRole).value<QIcon>().cacheKey(),
            caseTree->FindCaseNode(4).data(Qt::DecorationRole).value<QIcon>().cacheKey());

  // List style with no order keeps the grouped order.
  QMenu* styles = caseTree->PopMingLi()->findChild<QMenu*>("pMenuShowStyle");
  MenuItem(styles, "列表显示")->trigger();
  EXPECT_EQ(caseTree->ShowStyle(), 1);
  EXPECT_TRUE(caseTree->CategoryNodes().empty());
  EXPECT_EQ(tree->model()->rowCount(), 4);
  EXPECT_EQ(caseTree->ShownCaseIds(), (Ids{4, 2, 1, 3}));

  MenuItem(styles, "时间降序（近-远）")->trigger();
  EXPECT_EQ(caseTree->Sort(), kSortTimeDesc);
  EXPECT_EQ(caseTree->ShownCaseIds(), (Ids{4, 1, 2, 3}));
  MenuItem(styles, "姓氏升序（a-z）")->trigger();
  // 李 王 赵 张: 赵 heads the surname order, so it comes before 张.
  EXPECT_EQ(caseTree->ShownCaseIds(), (Ids{2, 3, 4, 1}));
}

TEST_F(CaseTreeTest, OrdersLeaveOutLunarDatesThatDoNotExistAndKeepTheShownSet) {
  // The lunar year 2005 has no leap month.
  ASSERT_EQ(f.Add(test::TreeCase("周九", 2005, 5, 1, "家人", true, true, true)), 5);
  QMenu* styles = caseTree->PopMingLi()->findChild<QMenu*>("pMenuShowStyle");
  caseTree->BuildCaseTree({5, 4, 2});
  EXPECT_EQ(caseTree->ShownCaseIds(), (Ids{5, 4, 2}));
  MenuItem(styles, "时间升序（远-近）")->trigger();
  EXPECT_EQ(caseTree->ShownCaseIds(), (Ids{2, 4}));
  MenuItem(styles, "无")->trigger();
  MenuItem(styles, "列表显示")->trigger();
  EXPECT_EQ(caseTree->ShownCaseIds(), (Ids{2, 4}));

  // Cases saved meanwhile are appended, and take their place at the next change of order.
  TRecordData missing = test::TreeCase("周九", 2005, 5, 1, "家人", true, true, true);
  missing.id = 5;
  caseTree->AddCaseNode(missing);
  TRecordData early = test::TreeCase("郑一", 1900, 1, 1, "家人");
  early.id = 1;
  caseTree->AddCaseNode(early);
  EXPECT_EQ(caseTree->ShownCaseIds(), (Ids{2, 4, 5, 1}));
  MenuItem(styles, "时间降序（近-远）")->trigger();
  EXPECT_EQ(caseTree->ShownCaseIds(), (Ids{4, 2, 1}));
  EXPECT_EQ(caseTree->RecordCount(), 3);
  MenuItem(styles, "分类显示")->trigger();
  EXPECT_EQ(Texts(caseTree->CategoryNodes()), (std::vector<std::string>{"家人"}));
  EXPECT_EQ(caseTree->ShownCaseIds(), (Ids{4, 2, 1}));
}

TEST_F(CaseTreeTest, CommandsOnACategoryNodeDoNothing) {
  caseTree->BuildCaseTree({4, 3, 2, 1});
  tree->setCurrentIndex(caseTree->CategoryNodes()[0]);
  EXPECT_EQ(caseTree->SelectedCaseId(), -1);
  caseTree->OpenSelectedCase();
  EXPECT_TRUE(opened.empty());
  caseTree->DeleteSelectedCase();
  EXPECT_EQ(Last(), "请先选择一个案例！");
  caseTree->TreeMouseDown();
  EXPECT_TRUE(caseTree->MoveMenu()->actions().isEmpty());

  Select(2);
  caseTree->OpenSelectedCase();
  EXPECT_EQ(opened, (Ids{2}));
}

TEST_F(CaseTreeTest, MovesACaseToAnotherCategory) {
  caseTree->BuildCaseTree({4, 3, 2, 1});
  Select(1);
  caseTree->TreeMouseDown();
  QList<QAction*> targets = caseTree->MoveMenu()->actions();
  ASSERT_EQ(targets.size(), 2);
  EXPECT_EQ(ToStdString(targets[0]->text()), "家人");
  EXPECT_EQ(ToStdString(targets[1]->text()), "外来类别");
  targets[0]->trigger();

  TRecordData r;
  ASSERT_TRUE(f.store.LoadCase(1, r));
  EXPECT_EQ(r.className, "家人");
  EXPECT_EQ(caseTree->FindCaseNode(1).parent(), caseTree->CategoryNodes()[0]);
  EXPECT_EQ(caseTree->ShownCaseIds(), (Ids{4, 2, 1, 3}));
  EXPECT_EQ(moved, "1 家人");
  EXPECT_TRUE(prompter.ShownBoxes().empty());
}

TEST_F(CaseTreeTest, DeletesACaseWithItsCommentFileOnlyWhenConfirmed) {
  caseTree->BuildCaseTree({4, 3, 2, 1});
  TRecordData r;
  ASSERT_TRUE(f.store.LoadCase(2, r));
  const std::string comment = f.store.CommentPath(r);
  ASSERT_TRUE(FileExists(comment));

  Select(2);
  prompter.AnswerQuestion(false);
  caseTree->DeleteSelectedCase();
  ASSERT_EQ(prompter.ShownBoxes().size(), 1u);
  EXPECT_EQ(prompter.ShownBoxes()[0].title, "注意");
  EXPECT_EQ(prompter.ShownBoxes()[0].text, "确定要删除“李四”这个命例吗？");
  EXPECT_EQ(prompter.ShownBoxes()[0].icon, QuestionIcon::Warning);
  EXPECT_TRUE(f.store.LoadCase(2, r));

  prompter.AnswerQuestion(true);
  caseTree->DeleteSelectedCase();
  EXPECT_FALSE(f.store.LoadCase(2, r));
  EXPECT_FALSE(FileExists(comment));
  EXPECT_FALSE(caseTree->FindCaseNode(2).isValid());
  EXPECT_EQ(caseTree->RecordCount(), 3);
}

TEST_F(CaseTreeTest, DeletingTheViewedCaseAsksTwiceAndTellsTheWindow) {
  bool dropped = false;
  CaseTreeHooks hooks;
  hooks.viewedCaseId = [] { return 4; };
  hooks.viewedCommentPath = [this] { return f.dir.file("viewed.rtf"); };
  hooks.viewedCaseDeleted = [&dropped] { dropped = true; };
  caseTree->SetHooks(hooks);
  ASSERT_TRUE(WriteFileAtomic(f.dir.file("viewed.rtf"), "x"));
  caseTree->BuildCaseTree({4, 3, 2, 1});

  Select(4);
  prompter.AnswerQuestion(true);
  prompter.AnswerQuestion(false);
  caseTree->DeleteSelectedCase();
  EXPECT_EQ(Last(), "确定要删除当前正在查看的案例吗？");
  EXPECT_FALSE(dropped);
  EXPECT_TRUE(caseTree->FindCaseNode(4).isValid());

  prompter.AnswerQuestion(true);
  prompter.AnswerQuestion(true);
  caseTree->DeleteSelectedCase();
  EXPECT_TRUE(dropped);
  EXPECT_FALSE(FileExists(f.dir.file("viewed.rtf")));
  EXPECT_FALSE(caseTree->FindCaseNode(4).isValid());
}

TEST_F(CaseTreeTest, AFailedDeleteKeepsTheNodeAndTheCommentFile) {
  caseTree->BuildCaseTree({4, 3, 2, 1});
  TRecordData r;
  ASSERT_TRUE(f.store.LoadCase(2, r));
  const std::string comment = f.store.CommentPath(r);
  // The database file is no database any more.
  ASSERT_TRUE(WriteFileAtomic(f.store.DbPath(), std::string(4096, 'x')));
  Select(2);
  prompter.AnswerQuestion(true);
  caseTree->DeleteSelectedCase();
  EXPECT_FALSE(Last().empty());
  EXPECT_NE(Last(), "确定要删除“李四”这个命例吗？");
  EXPECT_TRUE(caseTree->FindCaseNode(2).isValid());
  EXPECT_TRUE(FileExists(comment));
  EXPECT_EQ(caseTree->RecordCount(), 4);
}

TEST_F(CaseTreeTest, FuzzySearchAndItsResults) {
  caseTree->BuildCaseTree({4, 2});
  caseTree->N20Click();  // cancelled
  ASSERT_EQ(prompter.ShownBoxes().size(), 1u);
  EXPECT_EQ(prompter.ShownBoxes()[0].title, "模糊查找");
  prompter.AnswerInput("    ");
  caseTree->N20Click();
  EXPECT_EQ(prompter.ShownBoxes().size(), 2u);
  prompter.AnswerInput("没有的人");
  caseTree->N20Click();
  EXPECT_EQ(Last(), "没有符合的案例！");

  // Both boxes unchecked: only the chosen case is added, then opened.
  choice = {0, false, false};
  prompter.AnswerInput(" 张三 ");
  caseTree->N20Click();
  EXPECT_EQ(resultLines, (std::vector<std::string>{"张三 2004-5-6 7:8  亲戚朋友"}));
  EXPECT_EQ(caseTree->ShownCaseIds(), (Ids{4, 2, 1}));
  EXPECT_EQ(caseTree->SelectedCaseId(), 1);
  EXPECT_EQ(opened, (Ids{1}));

  // Both checked: exactly the results.  A result that cannot be read has no line, and the
  // chosen line still names its own case.
  choice = {1, true, true};
  caseTree->SetDisplay(1, kSortNone);
  caseTree->ShowSearchResults({9, 3, 1});
  EXPECT_EQ(resultLines.size(), 2u);
  EXPECT_EQ(caseTree->ShownCaseIds(), (Ids{3, 1}));
  EXPECT_EQ(opened, (Ids{1, 1}));

  chooseResult = false;
  caseTree->ShowSearchResults({2});
  EXPECT_EQ(caseTree->ShownCaseIds(), (Ids{3, 1}));
}

TEST_F(CaseTreeTest, ShowAllLoadsEveryCaseOnTheWorker) {
  caseTree->BuildCaseTree({1});
  Select(1);
  caseTree->ShowAllCases();
  EXPECT_TRUE(caseTree->TreeBusy());
  caseTree->DeleteSelectedCase();
  EXPECT_EQ(Last(), "请等待案例加载完毕！");
  caseTree->N19Click();
  EXPECT_EQ(Last(), "请等待案例加载完毕！");
  // No second rebuild while the loader runs: the style stays, and so do its checks.
  QMenu* styles = caseTree->PopMingLi()->findChild<QMenu*>("pMenuShowStyle");
  MenuItem(styles, "列表显示")->trigger();
  EXPECT_EQ(prompter.ShownBoxes().size(), 3u);
  EXPECT_EQ(caseTree->ShowStyle(), 0);
  EXPECT_TRUE(MenuItem(styles, "分类显示")->isChecked());
  WaitForLoader();
  EXPECT_FALSE(caseTree->TreeBusy());
  EXPECT_TRUE(tree->isEnabled());
  EXPECT_EQ(caseTree->ShownCaseIds(), (Ids{4, 2, 1, 3}));
  EXPECT_EQ(caseTree->RecordCount(), 4);
  EXPECT_TRUE(loaderFinished);
  EXPECT_EQ(ToStdString(window.windowTitle()), "墨衡太乙神数 1.3 ");
}

TEST_F(CaseTreeTest, ARefreshShowsTheCasesAnotherProgramAdded) {
  caseTree->BuildNewestCaseTree();
  MRecordBase other;  // another program on the same store
  ASSERT_EQ(other.Open(f.store.DbPath(), f.dir.path(), false), 0);
  TRecordData r = test::TreeCase("孙七", 2000, 1, 1, "家人");
  ASSERT_EQ(other.AddCase(r), 5);
  EXPECT_FALSE(caseTree->FindCaseNode(5).isValid());
  caseTree->N19Click();
  EXPECT_TRUE(caseTree->FindCaseNode(5).isValid());
  EXPECT_TRUE(caseTree->FindCaseNode(1).isValid());
  // This window's store goes on after the other program's case instead of failing.
  EXPECT_EQ(f.Add(test::TreeCase("周八", 2001, 1, 1, "家人")), 6);
}

TEST_F(CaseTreeTest, AfterAnotherProgramsCompactionAWriteByAnOldIdIsRefusedAndTheTreeReadAgain) {
  bool renumbered = false;
  CaseTreeHooks hooks;
  hooks.storeRenumbered = [&renumbered] { renumbered = true; };
  caseTree->SetHooks(hooks);
  ASSERT_TRUE(f.store.RemoveCase(2));
  const auto shown = [this] {
    Ids ids = caseTree->ShownCaseIds();
    std::sort(ids.begin(), ids.end());
    return ids;
  };
  caseTree->BuildNewestCaseTree();
  ASSERT_EQ(shown(), (Ids{1, 3, 4}));
  {
    MRecordBase other;  // another program compacts: 王五 becomes 2, 赵六 3
    ASSERT_EQ(other.Open(f.store.DbPath(), f.dir.path(), false), 0);
    ASSERT_EQ(Compact(other, {}), 3);
  }
  Select(4);  // 赵六 by its old id, which no case has now
  caseTree->TreeMouseDown();
  MenuItem(caseTree->MoveMenu(), "外来类别")->trigger();
  EXPECT_EQ(Last(), kMsgStoreRenumbered);
  EXPECT_TRUE(renumbered);
  EXPECT_EQ(shown(), (Ids{1, 2, 3}));
  TRecordData r;
  ASSERT_TRUE(f.store.LoadCase(3, r));
  EXPECT_EQ(r.name, "赵六");
  EXPECT_EQ(r.className, "家人");

  // Read again, the tree's ids are the store's: the move goes to the case chosen.
  Select(3);
  caseTree->TreeMouseDown();
  MenuItem(caseTree->MoveMenu(), "外来类别")->trigger();
  ASSERT_TRUE(f.store.LoadCase(3, r));
  EXPECT_EQ(r.className, "外来类别");
}

// A primary id of two thousand million: the loader gets the ids that exist, not every number
// below it (a list of those would not fit in memory).
TEST_F(CaseTreeTest, ShowAllReadsOnlyTheIdsThatExist) {
  f.store.Connect();
  ASSERT_TRUE(f.store.Execute("update case_data set id=1999999999 where id=4;"));
  ASSERT_TRUE(f.store.Execute("update case_extra set primaryId=2000000000;"));
  ASSERT_TRUE(f.store.Disconnect());
  ASSERT_EQ(f.store.Open(CaseDatabasePath(f.dir.path()), f.dir.path(), false), 0);
  caseTree->ShowAllCases();
  WaitForLoader();
  EXPECT_EQ(caseTree->RecordCount(), 4);
  EXPECT_EQ(caseTree->ShownCaseIds(), (Ids{1999999999, 2, 1, 3}));
}

TEST_F(CaseTreeTest, ShowAllOfAnEmptyStore) {
  test::CaseStoreFixture empty;
  CaseTree other(tree, empty.store, prompter, font);
  other.ShowAllCases();
  EXPECT_EQ(Last(), "没有记录，无从显示。");
  EXPECT_FALSE(other.TreeBusy());
}

TEST_F(CaseTreeTest, AStoppedLoaderAddsNoNodeAndTheTreeCanGo) {
  f.store.Connect();
  for (int i = 0; i < 2100; ++i) {
    TRecordData r = test::TreeCase("钱" + std::to_string(i), 1900, 1, 1, "家人");
    ASSERT_GT(f.store.AddCaseInBatch(r), 0);
  }
  ASSERT_TRUE(f.store.Disconnect());
  caseTree->BuildCaseTree({1});

  caseTree->ShowAllCases();
  EXPECT_EQ(Last(), "记录总数有点多，确定后请等待操作完成！");
  caseTree->RequestLoaderStop();
  WaitForLoader();
  EXPECT_LE(caseTree->ShownCaseIds().size(), 1u);
  EXPECT_FALSE(caseTree->TreeBusy());
  EXPECT_FALSE(loaderFinished);

  // Destroyed while loading, after a stop request.
  caseTree->ShowAllCases();
  caseTree->RequestLoaderStop();
  caseTree.reset();
  QCoreApplication::processEvents();
  EXPECT_FALSE(f.store.IsConnected());
  TRecordData r;
  EXPECT_TRUE(f.store.LoadCase(2000, r));
}

TEST_F(CaseTreeTest, TheLoaderShowsItsProgressAndItsDialogStopsIt) {
  f.store.Connect();
  for (int i = 0; i < 3000; ++i) {
    TRecordData r = test::TreeCase("钱" + std::to_string(i), 1900, 1, 1, "家人");
    ASSERT_GT(f.store.AddCaseInBatch(r), 0);
  }
  ASSERT_TRUE(f.store.Disconnect());
  caseTree->BuildCaseTree({4, 2});
  caseTree->ShowAllCases();
  auto* progress = window.findChild<QProgressDialog*>("LoaderProgress");
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(progress->maximum(), 3004);
  EXPECT_TRUE(ToStdString(progress->labelText()).starts_with("正在读取全部命例"));
  progress->findChild<QPushButton*>()->click();  // "停止"
  WaitForLoader();
  // Stopped: the tree shows what it showed before, and is usable.
  EXPECT_EQ(caseTree->ShownCaseIds(), (Ids{4, 2}));
  EXPECT_FALSE(caseTree->TreeBusy());
  EXPECT_FALSE(loaderFinished);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(window.findChild<QProgressDialog*>("LoaderProgress"), nullptr);

  caseTree->ShowAllCases();
  WaitForLoader();
  EXPECT_EQ(caseTree->RecordCount(), 3004);
  EXPECT_TRUE(loaderFinished);
}

TEST_F(CaseTreeTest, TheResultListDialogChoosesTheCaseToShow) {
  CaseTreeHooks hooks;
  hooks.openCase = [this](int id) { opened.push_back(id); };
  caseTree->SetHooks(hooks);
  caseTree->SetDisplay(1, kSortNone);
  caseTree->BuildCaseTree({4});
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TFrmSameName*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->findChild<QListWidget*>("LstRecord")->count(), 2);
    dialog->findChild<QListWidget*>("LstRecord")->setCurrentRow(1);
    dialog->BtnSeeClick();
  });
  caseTree->ShowSearchResults({2, 3});
  EXPECT_EQ(caseTree->ShownCaseIds(), (Ids{4, 3}));
  EXPECT_EQ(opened, (Ids{3}));
}

TEST_F(CaseTreeTest, CategoryEditingAndConditionSearchRebuildTheTree) {
  CaseTreeHooks hooks;
  bool changed = false;
  hooks.editCategories = [&changed] { return changed; };
  hooks.conditionSearch = [](std::vector<std::int32_t>& ids) {
    ids = {3};
    return true;
  };
  hooks.chooseSearchResult = [](const std::vector<std::string>&, SearchResultChoice& c) {
    c = {0, false, false};
    return true;
  };
  caseTree->SetHooks(hooks);
  caseTree->BuildCaseTree({2, 1});
  TRecordData r;
  ASSERT_TRUE(f.store.LoadCase(1, r));
  r.className = "家人";
  ASSERT_TRUE(f.store.UpdateCase(1, r));

  caseTree->N18Click();  // nothing changed: the tree stays
  EXPECT_EQ(Texts(caseTree->CategoryNodes()), (std::vector<std::string>{"家人", "亲戚朋友"}));
  changed = true;
  caseTree->N18Click();
  EXPECT_EQ(Texts(caseTree->CategoryNodes()), (std::vector<std::string>{"家人"}));

  caseTree->pop_searchClick();
  EXPECT_EQ(caseTree->ShownCaseIds(), (Ids{2, 1, 3}));
}

TEST_F(CaseTreeTest, SavedCasesChangeSingleNodes) {
  caseTree->BuildCaseTree({2});
  TRecordData r = test::TreeCase("孙七", 1970, 1, 1, "影视明星", false);
  r.id = 9;
  const QModelIndex node = caseTree->AddCaseNode(r);
  EXPECT_EQ(caseTree->RecordCount(), 2);
  EXPECT_EQ(Texts(caseTree->CategoryNodes()), (std::vector<std::string>{"家人", "影视明星"}));
  EXPECT_EQ(caseTree->FindCaseNode(9), node);
  EXPECT_TRUE(tree->isExpanded(node.parent()));

  r.name = "孙八";
  r.male = true;
  EXPECT_TRUE(caseTree->UpdateCaseNode(r));
  EXPECT_EQ(ToStdString(node.data().toString()), "孙八      公1970-01-01 07:08");
  EXPECT_EQ(node.data(kImageRole).toInt(), kImageMale);
  r.id = 10;
  EXPECT_FALSE(caseTree->UpdateCaseNode(r));
}

TEST_F(CaseTreeTest, ARightClickKeepsTheSelection) {
  caseTree->SetDisplay(1, kSortNone);
  caseTree->BuildCaseTree({4, 2});
  window.show();
  Select(4);
  const QRect other = tree->visualRect(caseTree->FindCaseNode(2));
  QTest::mousePress(tree->viewport(), Qt::RightButton, {}, other.center());
  QTest::mouseRelease(tree->viewport(), Qt::RightButton, {}, other.center());
  EXPECT_EQ(caseTree->SelectedCaseId(), 4);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, other.center());
  EXPECT_EQ(caseTree->SelectedCaseId(), 2);
}

}  // namespace
}  // namespace taiyi
