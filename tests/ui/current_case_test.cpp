#include <gtest/gtest.h>

#include "ui/main_window_fixture.h"

namespace taiyi::test {
namespace {

TEST_F(CurrentCaseTest, SavingANewCaseNeedsAChartAndACategory) {
  auto w = OpenWithChooser();
  EXPECT_FALSE(w->SaveCase());
  EXPECT_EQ(prompter_.ShownBoxes().back().title, "提示");
  EXPECT_EQ(prompter_.LastText(), "请先排一个正确的盘后再保存");

  FillPanel(*w);
  w->BtnpaiClick();
  chooseOk_ = false;
  EXPECT_FALSE(w->SaveCase());
  EXPECT_EQ(store_.ReadPrimaryId(), 0);
  EXPECT_TRUE(ListFiles(folder_.CommentDir(), "*.rtf").empty());
  EXPECT_EQ(w->CurrentSaveMode(), TFrmMain::SaveMode::NewCase);
  EXPECT_EQ(Find<QPushButton>(*w, "SbtoSave")->text(), QStringLiteral("存新"));
}

TEST_F(CurrentCaseTest, ANewCaseIsStoredWithItsCommentAndItsTreeNode) {
  auto w = OpenWithChooser();
  const int id = SaveNew(*w, "张三", "他's 好人\n第二行");
  ASSERT_GT(id, 0);
  EXPECT_EQ(w->CurrentSaveMode(), TFrmMain::SaveMode::StoredCase);
  auto* save = Find<QPushButton>(*w, "SbtoSave");
  EXPECT_EQ(save->text(), QStringLiteral("存旧"));
  EXPECT_FALSE(Find<QTextEdit>(*w, "RedtPingYu")->document()->isModified());

  TRecordData stored;
  ASSERT_TRUE(store_.LoadCase(id, stored));
  EXPECT_EQ(stored.name, "张三");
  EXPECT_EQ(stored.className, "朋友");
  EXPECT_EQ(stored.remarkText, "他s 好人\n第二行");
  EXPECT_EQ(stored.remarkFile, "张三_198403051430");
  EXPECT_EQ(w->CommentPath(), folder_.CommentDir() + "张三_198403051430.rtf");
  EXPECT_EQ(StoredComment(w->CommentPath()), "他's 好人\n第二行");

  const QAbstractItemModel* tree = Find<QTreeView>(*w, "Tree")->model();
  ASSERT_EQ(tree->rowCount(), 1);
  EXPECT_EQ(tree->index(0, 0).data().toString(), QStringLiteral("朋友"));
  ASSERT_EQ(tree->rowCount(tree->index(0, 0)), 1);
  EXPECT_EQ(tree->index(0, 0, tree->index(0, 0)).data().toString(),
            ToQString(CaseCaption(stored)));

  // A second case of the same name and minute gets its own comment file.
  const int second = SaveNew(*w, "张三", "另一个");
  EXPECT_NE(second, id);
  EXPECT_EQ(w->CommentPath(), folder_.CommentDir() + "张三_198403051430_0.rtf");
  EXPECT_EQ(StoredComment(folder_.CommentDir() + "张三_198403051430.rtf"), "他's 好人\n第二行");
}

TEST_F(MainWindowTest, ANewCaseTakesTheCategoryChosenInTheChooser) {
  auto w = Open();
  ASSERT_TRUE(store_.SaveCategories({"客户", "家人"}));
  FillPanel(*w);
  w->BtnpaiClick();
  QTimer::singleShot(0, [] {
    QWidget* chooser = QApplication::activeModalWidget();
    ASSERT_NE(chooser, nullptr);
    chooser->findChild<QComboBox*>("CboFenLei")->setCurrentIndex(1);
    chooser->findChild<QPushButton*>("Btnok")->click();
  });
  ASSERT_TRUE(w->SaveCase()) << prompter_.LastText();
  TRecordData stored;
  ASSERT_TRUE(store_.LoadCase(w->CurrentCaseId(), stored));
  EXPECT_EQ(stored.className, "家人");
}

TEST_F(CurrentCaseTest, AFailedInsertIsReportedAndLeavesTheNewCase) {
  auto w = OpenWithChooser();
  FillPanel(*w);
  w->BtnpaiClick();
  // The database cannot be opened any more: a folder stands where the file was.
  ASSERT_TRUE(DeleteFile(folder_.Dat() + "TaiYi.db"));
  ASSERT_TRUE(CreateDirs(folder_.Dat() + "TaiYi.db"));
  EXPECT_FALSE(w->SaveCase());
  EXPECT_EQ(prompter_.ShownBoxes().back().kind, ScriptedPrompter::Kind::Message);
  EXPECT_FALSE(prompter_.LastText().empty());
  EXPECT_EQ(w->CurrentSaveMode(), TFrmMain::SaveMode::NewCase);
  EXPECT_EQ(Find<QPushButton>(*w, "SbtoSave")->text(), QStringLiteral("存新"));
  EXPECT_EQ(Find<QTreeView>(*w, "Tree")->model()->rowCount(), 0);
}

TEST_F(CurrentCaseTest, SavingAStoredCaseAsksAndUpdatesRowFileAndNode) {
  auto w = OpenWithChooser();
  const int id = SaveNew(*w, "李四", "旧评语");
  Find<QLineEdit>(*w, "EdtName")->setText(QStringLiteral("李四改"));
  w->BtnpaiClick();
  SetComment(*w, "新评语");

  prompter_.AnswerQuestion(false);
  EXPECT_FALSE(w->SaveCase());
  EXPECT_EQ(prompter_.LastText(), "要修改“李四”这条记录吗？");
  EXPECT_EQ(StoredComment(w->CommentPath()), "旧评语");

  prompter_.AnswerQuestion(true);
  EXPECT_TRUE(w->SaveCase());
  EXPECT_EQ(prompter_.LastText(), "已保存编辑后的命例。");
  TRecordData stored;
  ASSERT_TRUE(store_.LoadCase(id, stored));
  EXPECT_EQ(stored.name, "李四改");
  EXPECT_EQ(stored.remarkText, "新评语");
  EXPECT_EQ(StoredComment(w->CommentPath()), "新评语");
  EXPECT_EQ(w->SavedRecord().name, "李四改");
  EXPECT_EQ(w->Cases().FindCaseNode(id).data().toString(), ToQString(CaseCaption(stored)));

  // Without its node in the tree the case is stored without the message.
  w->Cases().BuildCaseTree({});
  SetComment(*w, "第三版");
  const std::size_t before = Boxes();
  prompter_.AnswerQuestion(true);
  EXPECT_TRUE(w->SaveCase());
  EXPECT_EQ(Boxes(), before + 1);  // the question only
  EXPECT_EQ(StoredComment(w->CommentPath()), "第三版");
}

TEST_F(CurrentCaseTest, OpeningACaseSavesTheChangedCommentOfTheOneBefore) {
  auto w = OpenWithChooser();
  const int a = SaveNew(*w, "甲", "甲的评语");
  const std::string pathA = w->CommentPath();
  const int b = SaveNew(*w, "乙", "乙的评语", 1);
  ASSERT_NE(a, b);

  w->OpenCase(a);
  EXPECT_EQ(Comment(*w), "甲的评语");
  EXPECT_EQ(Find<QLineEdit>(*w, "EdtName")->text(), QStringLiteral("甲"));
  EXPECT_EQ(w->CurrentCaseId(), a);
  EXPECT_TRUE(w->ChartValid());
  SetComment(*w, "甲的新评语");

  prompter_.AnswerQuestion(true);  // save the changed comment
  prompter_.AnswerQuestion(true);  // 要修改…
  w->OpenCase(b);
  EXPECT_EQ(StoredComment(pathA), "甲的新评语");
  EXPECT_EQ(w->CurrentCaseId(), b);
  EXPECT_EQ(Comment(*w), "乙的评语");
  EXPECT_EQ(Find<QLineEdit>(*w, "EdtName")->text(), QStringLiteral("乙"));
  EXPECT_EQ(Find<QComboBox>(*w, "CboJuStyle")->currentIndex(), 1);
  EXPECT_EQ(w->CurrentRecord().kind, ChartKind::kYear);
  EXPECT_FALSE(Find<QTextEdit>(*w, "RedtPingYu")->document()->isModified());

  // An id that is not stored changes nothing.
  w->OpenCase(b + 100);
  EXPECT_EQ(w->CurrentCaseId(), b);
}

TEST_F(CurrentCaseTest, ACaseWithoutItsCommentFileShowsTheStoredText) {
  auto w = OpenWithChooser();
  const int id = SaveNew(*w, "丙", "存着的评语");
  ASSERT_TRUE(DeleteFile(w->CommentPath()));
  prompter_.AnswerQuestion(true);
  w->BtoNewClick();
  w->OpenCase(id);
  EXPECT_EQ(Comment(*w), "存着的评语");
}

TEST_F(CurrentCaseTest, NewKeepsThePanelAndAsksForTheChangedComment) {
  auto w = OpenWithChooser();
  SaveNew(*w, "丁", "评语一");
  SetComment(*w, "改过的评语");
  prompter_.AnswerQuestion(false);
  w->BtoNewClick();
  EXPECT_EQ(prompter_.ShownBoxes().back().title, "新建");
  EXPECT_EQ(w->CurrentSaveMode(), TFrmMain::SaveMode::StoredCase);

  prompter_.AnswerQuestion(true);   // start a new case
  prompter_.AnswerQuestion(false);  // do not save the changed comment
  w->BtoNewClick();
  EXPECT_EQ(prompter_.LastText(), "当前评语文本已改变，要保存吗？");
  EXPECT_EQ(prompter_.ShownBoxes().back().icon, QuestionIcon::Warning);
  EXPECT_EQ(StoredComment(w->CommentPath()), "评语一");
  EXPECT_EQ(w->CurrentSaveMode(), TFrmMain::SaveMode::NewCase);
  EXPECT_FALSE(w->ChartValid());
  EXPECT_EQ(Comment(*w), "输入自己的评语：");
  EXPECT_EQ(Find<QPushButton>(*w, "SbtoSave")->text(), QStringLiteral("存新"));
  EXPECT_TRUE(Find<QTextEdit>(*w, "RedtDuan")->toPlainText().isEmpty());
  EXPECT_EQ(Find<QLineEdit>(*w, "EdtName")->text(), QStringLiteral("丁"));

  EXPECT_FALSE(w->SaveCase());
  EXPECT_EQ(prompter_.LastText(), "请先排一个正确的盘后再保存");
  w->BtnpaiClick();
  EXPECT_TRUE(w->SaveCase());
  EXPECT_EQ(w->CommentPath(), folder_.CommentDir() + "丁_198403051430_0.rtf");
}

TEST_F(CurrentCaseTest, StoreCommandsWaitForTheTree) {
  auto w = OpenWithChooser();
  const int id = SaveNew(*w, "戊", "评语");
  w->SetTreeBusyCheck([] { return true; });
  EXPECT_FALSE(w->SaveCase());
  EXPECT_EQ(prompter_.LastText(), "请等待案例加载完毕！");
  prompter_.AnswerQuestion(true);
  w->BtoNewClick();  // uses neither the tree nor the store
  w->OpenCase(id);
  EXPECT_EQ(prompter_.LastText(), "请等待案例加载完毕！");
  EXPECT_EQ(w->CurrentSaveMode(), TFrmMain::SaveMode::NewCase);
}

TEST_F(CurrentCaseTest, ClosingOffersToSaveTheChangedComment) {
  auto w = OpenWithChooser();
  SaveNew(*w, "己", "原来");
  SetComment(*w, "关闭前改的");
  // A save that is refused keeps the window open with the changed comment.
  bool busy = true;
  w->SetTreeBusyCheck([&busy] { return busy; });
  prompter_.AnswerQuestion(true);  // close
  prompter_.AnswerQuestion(true);  // save the comment
  EXPECT_FALSE(w->close());
  EXPECT_EQ(prompter_.LastText(), "请等待案例加载完毕！");
  EXPECT_EQ(Comment(*w), "关闭前改的");
  EXPECT_TRUE(InitUnchanged());

  busy = false;
  prompter_.AnswerQuestion(true);  // close
  prompter_.AnswerQuestion(true);  // save the comment
  prompter_.AnswerQuestion(true);  // 要修改…
  EXPECT_TRUE(w->close());
  EXPECT_EQ(StoredComment(w->CommentPath()), "关闭前改的");
}

TEST_F(CurrentCaseTest, DeletingTheViewedCaseFromTheTreeLeavesANewCase) {
  auto w = OpenWithChooser();
  const int id = SaveNew(*w, "庚", "评语");
  const std::string path = w->CommentPath();
  auto* tree = Find<QTreeView>(*w, "Tree");
  tree->setCurrentIndex(w->Cases().FindCaseNode(id));
  prompter_.AnswerQuestion(true);  // 确定要删除…
  prompter_.AnswerQuestion(true);  // 确定要删除当前正在查看的案例吗？
  w->Cases().DeleteSelectedCase();
  TRecordData gone;
  EXPECT_FALSE(store_.LoadCase(id, gone));
  EXPECT_FALSE(FileExists(path));
  EXPECT_EQ(w->CurrentSaveMode(), TFrmMain::SaveMode::NewCase);
  EXPECT_EQ(Find<QPushButton>(*w, "SbtoSave")->text(), QStringLiteral("存新"));
  EXPECT_TRUE(Find<QTextEdit>(*w, "RedtDuan")->toPlainText().isEmpty());
  EXPECT_FALSE(w->SaveCase());
  EXPECT_EQ(prompter_.LastText(), "请先排一个正确的盘后再保存");

  // Charted again, the panel is stored as a case of its own.
  w->BtnpaiClick();
  EXPECT_TRUE(w->SaveCase());
  EXPECT_NE(w->CurrentCaseId(), id);
  TRecordData again;
  EXPECT_TRUE(store_.LoadCase(w->CurrentCaseId(), again));
}

TEST_F(CurrentCaseTest, TheOpenCaseMovedInTheTreeIsSavedInItsNewCategory) {
  auto w = OpenWithChooser();
  const int id = SaveNew(*w, "子", "评语");
  w->SetCategoryChooser([](const std::vector<std::string>&, std::string& chosen) {
    chosen = "家人";
    return true;
  });
  SaveNew(*w, "丑", "评语");  // makes the second category node
  w->OpenCase(id);
  Find<QTreeView>(*w, "Tree")->setCurrentIndex(w->Cases().FindCaseNode(id));
  w->Cases().TreeMouseDown();
  ASSERT_EQ(w->Cases().MoveMenu()->actions().size(), 1);
  w->Cases().MoveCase(w->Cases().MoveMenu()->actions().front());
  SetComment(*w, "移动后的评语");
  prompter_.AnswerQuestion(true);
  ASSERT_TRUE(w->SaveCase());
  TRecordData stored;
  ASSERT_TRUE(store_.LoadCase(id, stored));
  EXPECT_EQ(stored.className, "家人");
}

TEST_F(CurrentCaseTest, TheTreeShowsTheStoredCasesAndOpensThem) {
  int first = 0;
  {
    auto w = OpenWithChooser();
    first = SaveNew(*w, "辛", "辛的评语");
    SaveNew(*w, "壬", "壬的评语", 1);
  }
  auto w = OpenWithChooser();
  auto* tree = Find<QTreeView>(*w, "Tree");
  ASSERT_EQ(tree->model()->rowCount(), 1);
  EXPECT_EQ(tree->model()->index(0, 0).data().toString(), QStringLiteral("朋友"));
  EXPECT_EQ(tree->model()->rowCount(tree->model()->index(0, 0)), 2);
  EXPECT_EQ(w->Cases().RecordCount(), 2);

  tree->setCurrentIndex(w->Cases().FindCaseNode(first));
  w->Cases().OpenSelectedCase();
  EXPECT_EQ(w->CurrentCaseId(), first);
  EXPECT_EQ(Comment(*w), "辛的评语");
  EXPECT_TRUE(w->ChartValid());
  EXPECT_EQ(Find<QPushButton>(*w, "SbtoSave")->text(), QStringLiteral("存旧"));
}

TEST_F(CurrentCaseTest, DeletingEveryCaseEndsTheProgramWithoutTheClosingSteps) {
  auto w = OpenWithChooser();
  SaveNew(*w, "癸", "评语");
  SetComment(*w, "未保存的改动");
  w->Database().SetRandom([] { return 3; });
  prompter_.AnswerQuestion(true);
  prompter_.AnswerInput("3333");
  const std::size_t before = Boxes();
  w->findChild<QAction*>("N2")->trigger();
  EXPECT_TRUE(w->Ending());
  EXPECT_FALSE(w->isVisible());
  TRecordData gone;
  EXPECT_FALSE(store_.LoadCase(1, gone)) << prompter_.LastText();
  EXPECT_TRUE(InitUnchanged());
  for (std::size_t i = before; i < Boxes(); ++i)
    EXPECT_NE(prompter_.ShownBoxes()[i].text, "确定要关闭软件吗？");
}

// An export shows its progress in its own dialog: the open case's comment stays, unchanged
// and unmodified.
TEST_F(CurrentCaseTest, AnExportLeavesTheOpenCasesCommentAsItWas) {
  auto w = OpenWithChooser();
  SaveNew(*w, "甲", "甲的评语");
  w->Database().SetFolderChooser([this](const std::string&, std::string& folder) {
    folder = dir_.file("out");
    return CreateDirs(folder);
  });
  prompter_.AnswerQuestion(false);  // do not open the folder
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TFrmExportClass*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QCheckBox*>("ChkAll")->setChecked(true);
    dialog->ChkAllClick();
    dialog->BitBtn1Click();
  });
  w->findChild<QAction*>("db2")->trigger();
  EXPECT_EQ(ListFiles(dir_.file("out"), "*.db").size(), 1u) << prompter_.LastText();
  EXPECT_EQ(Comment(*w), "甲的评语");
  EXPECT_FALSE(Find<QTextEdit>(*w, "RedtPingYu")->document()->isModified());
}

TEST_F(CurrentCaseTest, WholeDatabaseCommandsWaitForTheTree) {
  auto w = OpenWithChooser();
  w->SetTreeBusyCheck([] { return true; });
  w->findChild<QAction*>("N7")->trigger();
  EXPECT_EQ(prompter_.LastText(), "请等待案例加载完毕！");
}

}  // namespace
}  // namespace taiyi::test
