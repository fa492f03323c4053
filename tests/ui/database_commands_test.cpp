// The whole-database commands over a real store in a temporary application folder, with
// scripted answers, choosers and clock: what each asks and says, what it changes on disk,
// and when the program has to end.
#include "ui/archive/database_commands.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTimer>

#include "platform/file_util.h"
#include "store/case_schema.h"
#include "store/comment_file.h"
#include "store/record_base.h"
#include "support/temp_dir.h"
#include "ui/archive/export_class_dialog.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {
namespace {

TRecordData Case(const std::string& name, const std::string& category) {
  TRecordData r;
  r.name = name;
  r.year = 1990;
  r.className = category;
  r.remarkText = name + "的评语";
  r.remarkFile = name;
  return r;
}

class DatabaseCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.root = app_.path();
    CreateDirs(folder_.Dat());
    CreateDirs(folder_.CommentDir());
    ASSERT_EQ(store_.Open(CaseDatabasePath(folder_.root), folder_.root, false), 0);
    ASSERT_TRUE(store_.SaveCategories({"家人", "亲戚朋友"}));
    Add(Case("张三", "家人"));
    Add(Case("李四", "亲戚朋友"));
    commands_.SetFolderChooser([this](const std::string& prompt, std::string& folder) {
      prompts_.push_back(prompt);
      folder = chosenFolder_;
      return !chosenFolder_.empty();
    });
    commands_.SetFileChooser([this](std::string& file) {
      file = chosenFile_;
      return !chosenFile_.empty();
    });
    commands_.SetClock([] {
      std::tm t{};
      t.tm_year = 2026 - 1900;
      t.tm_mon = 2;
      t.tm_mday = 5;
      t.tm_hour = 9;
      t.tm_min = 7;
      return t;
    });
    commands_.SetFolderOpener([this](const std::string& dir) { opened_ = dir; });
  }
  void Add(TRecordData r) {
    ASSERT_GT(store_.AddCase(r), 0);
    ASSERT_TRUE(WriteCommentFromPlainText(store_.CommentPath(r), r.remarkText));
  }
  int StoredCases() {
    MRecordBase fresh;
    if (fresh.Open(CaseDatabasePath(folder_.root), folder_.root, false) < 0) return -1;
    int n = 0;
    TRecordData r;
    for (int id = 1; id <= fresh.PrimaryId(); ++id) n += fresh.LoadCase(id, r) ? 1 : 0;
    return n;
  }

  test::TempDir app_;
  test::TempDir out_;
  AppFolder folder_;
  MRecordBase store_;
  MUiFont font_{0, false};
  ScriptedPrompter prompter_;
  DatabaseCommands commands_{store_, folder_, font_, prompter_, nullptr};
  std::string chosenFolder_;
  std::string chosenFile_;
  std::vector<std::string> prompts_;
  std::string opened_;
};

TEST_F(DatabaseCommandsTest, BackupNamesItsFolderByTheSecondAndRefusesASecondOneThen) {
  chosenFolder_ = out_.path().substr(0, out_.path().size() - 1);  // chooser gives no slash
  EXPECT_EQ(commands_.N7Click(), AfterCommand::kKeepRunning);
  const std::string target = out_.path() + "墨衡太乙神数_备份_2026年3月5日9时7分0秒/";
  EXPECT_EQ(prompter_.LastText(), "成功备份，已保存到" + target + "目录下");
  EXPECT_EQ(prompts_.front(), "请选择备份位置：");
  EXPECT_TRUE(FileExists(target + "TaiYi.db"));
  EXPECT_TRUE(FileExists(target + "TaiYi_f/张三.rtf"));
  commands_.N7Click();
  EXPECT_EQ(prompter_.LastText(), "当前时间的文件夹已经存在，请稍后再备份！");
}

TEST_F(DatabaseCommandsTest, RestoreChecksTheFolderThenReplacesTheStoreAndEnds) {
  chosenFolder_ = out_.path();
  ASSERT_EQ(commands_.N7Click(), AfterCommand::kKeepRunning);
  const std::string backup = out_.path() + "墨衡太乙神数_备份_2026年3月5日9时7分0秒";
  Add(Case("王五", "家人"));

  prompter_.AnswerQuestion(false);
  EXPECT_EQ(commands_.N1Click(), AfterCommand::kKeepRunning);
  EXPECT_EQ(prompter_.ShownBoxes().back().title, "注意了");
  EXPECT_EQ(prompter_.ShownBoxes().back().icon, QuestionIcon::Warning);
  chosenFolder_ = out_.path();  // no database there
  prompter_.AnswerQuestion(true);
  EXPECT_EQ(commands_.N1Click(), AfterCommand::kKeepRunning);
  EXPECT_EQ(prompter_.LastText(), "没有要还原的的db数据文件！");
  EXPECT_EQ(StoredCases(), 3);

  chosenFolder_ = backup;
  prompter_.AnswerQuestion(true);
  EXPECT_EQ(commands_.N1Click(), AfterCommand::kEndProgram);
  EXPECT_EQ(prompter_.LastText(), "成功还原，请重新打开软件！");
  EXPECT_EQ(prompts_.back(), "请选择要还原的数据位置：");
  EXPECT_EQ(StoredCases(), 2);
  EXPECT_FALSE(FileExists(folder_.CommentDir() + "王五.rtf"));
  EXPECT_TRUE(FileExists(folder_.CommentDir() + "张三.rtf"));
}

TEST_F(DatabaseCommandsTest, ARestoreThatIsRefusedLeavesTheStoreAsItWas) {
  ASSERT_TRUE(CopyFile(CaseDatabasePath(folder_.root), out_.path() + "TaiYi.db", true));
  chosenFolder_ = out_.path();
  prompter_.AnswerQuestion(true);
  EXPECT_EQ(commands_.N1Click(), AfterCommand::kKeepRunning);
  EXPECT_EQ(prompter_.LastText(), "没有要还原的评语文件夹！");
  EXPECT_EQ(StoredCases(), 2);

  // A folder that looks right but holds no case database of this program.
  ASSERT_TRUE(WriteFileAtomic(out_.path() + "TaiYi.db", "not a database"));
  CreateDirs(out_.path() + "TaiYi_f");
  ASSERT_TRUE(WriteFileAtomic(out_.path() + "TaiYi_f/x.rtf", "{\\rtf1 x}"));
  prompter_.AnswerQuestion(true);
  EXPECT_EQ(commands_.N1Click(), AfterCommand::kKeepRunning);
  EXPECT_EQ(prompter_.LastText(), "不是相同的数据库类型，无法还原！");
  EXPECT_EQ(StoredCases(), 2);
  EXPECT_TRUE(FileExists(folder_.CommentDir() + "张三.rtf"));
}

TEST_F(DatabaseCommandsTest, DeleteAllNeedsTheExactDeletionCode) {
  int next = 0;
  commands_.SetRandom([&next] { return 11 + next++; });  // digits 1 2 3 4
  prompter_.AnswerQuestion(true);
  prompter_.AnswerInput("1234 ");
  EXPECT_EQ(commands_.N2Click(), AfterCommand::kKeepRunning);
  const auto& shown = prompter_.ShownBoxes();
  EXPECT_EQ(shown[0].title, "删除所有案例");
  EXPECT_EQ(shown[0].icon, QuestionIcon::Warning);
  EXPECT_EQ(shown[1].title, "删除码：1234 ");
  EXPECT_EQ(shown[1].text, "请输入删除码：      ");
  EXPECT_EQ(prompter_.LastText(), "删除码错误，无法删除！");
  EXPECT_EQ(StoredCases(), 2);

  next = 0;
  prompter_.AnswerQuestion(true);
  prompter_.AnswerInput("1234");
  EXPECT_EQ(commands_.N2Click(), AfterCommand::kEndProgram);
  EXPECT_EQ(prompter_.LastText(), "成功删除所有记录，请重新打开软件！");
  EXPECT_FALSE(FileExists(folder_.CommentDir() + "张三.rtf"));
  EXPECT_EQ(StoredCases(), 0);
}

TEST_F(DatabaseCommandsTest, CompactionNeedsFiveHundredIdsAndEndsTheProgramOnceItRan) {
  store_.Connect();
  for (int i = store_.PrimaryId(); i < 499; ++i) {
    TRecordData r = Case("丙", "家人");
    r.remarkFile = "丙" + std::to_string(i);
    ASSERT_GT(store_.AddCaseInBatch(r), 0);
  }
  ASSERT_TRUE(store_.Disconnect());
  ASSERT_EQ(store_.PrimaryId(), 499);
  EXPECT_EQ(commands_.N17Click(), AfterCommand::kKeepRunning);
  EXPECT_EQ(prompter_.LastText(), "案例数据过少，无需整理！");

  Add(Case("丁", "家人"));
  ASSERT_TRUE(store_.RemoveCase(1));
  prompter_.AnswerQuestion(false);
  EXPECT_EQ(commands_.N17Click(), AfterCommand::kKeepRunning);
  EXPECT_EQ(prompter_.ShownBoxes().back().title, "整理数据");
  EXPECT_EQ(prompter_.ShownBoxes().back().icon, QuestionIcon::Warning);
  prompter_.AnswerQuestion(true);
  EXPECT_EQ(commands_.N17Click(), AfterCommand::kEndProgram);
  EXPECT_EQ(prompter_.LastText(), " 499 个案例已经整理出来！");
}

TEST_F(DatabaseCommandsTest, ExportOfSomeCategoriesThenImportOfTheFile) {
  QApplication::processEvents();  // timers other tests left pending must not close ours
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TFrmExportClass*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QListWidget*>("LstClass")->item(1)->setCheckState(Qt::Unchecked);
    dialog->BitBtn1Click();
  });
  chosenFolder_ = out_.path();
  prompter_.AnswerQuestion(true);
  EXPECT_EQ(commands_.db2Click(), AfterCommand::kKeepRunning);
  const std::string file = out_.path() + "墨衡太乙神数_2026年3月5日9时7分0秒.db";
  EXPECT_EQ(prompter_.LastText(),
            " 1 个案例生日文件已经保存到：" + file + "，要打开所在文件夹吗？");
  EXPECT_EQ(prompter_.ShownBoxes().back().icon, QuestionIcon::Information);
  EXPECT_EQ(opened_, out_.path());
  EXPECT_EQ(prompts_.back(), "请选择存放位置：");

  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TFrmExportClass*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->BitBtn1Click();
  });
  EXPECT_EQ(commands_.db2Click(), AfterCommand::kKeepRunning);
  EXPECT_EQ(prompter_.LastText(), "当前时间的数据库文件已经存在，请稍后再导出！");

  chosenFile_ = out_.path() + "none.db";
  EXPECT_EQ(commands_.db1Click(), AfterCommand::kKeepRunning);
  EXPECT_EQ(prompter_.LastText(), "不存在这个数据库文件，无法导入！");
  chosenFile_ = file;
  bool pageShown = false;
  commands_.SetShowProgressPage([&pageShown] { pageShown = true; });
  EXPECT_EQ(commands_.db1Click(), AfterCommand::kEndProgram);
  EXPECT_EQ(prompter_.LastText(), "共导入 1 个案例！请重启软件！");
  EXPECT_TRUE(pageShown);
  EXPECT_EQ(StoredCases(), 3);
}

TEST_F(DatabaseCommandsTest, EveryCommandWaitsForTheCaseLoader) {
  std::atomic<bool> busy{true};
  commands_.SetStoreBusy(&busy);
  chosenFolder_ = out_.path();
  for (auto command :
       {&DatabaseCommands::N1Click, &DatabaseCommands::N7Click, &DatabaseCommands::N2Click,
        &DatabaseCommands::N17Click, &DatabaseCommands::db1Click, &DatabaseCommands::db2Click}) {
    EXPECT_EQ((commands_.*command)(), AfterCommand::kKeepRunning);
    EXPECT_EQ(prompter_.ShownBoxes().back().kind, ScriptedPrompter::Kind::Message);
    EXPECT_EQ(prompter_.LastText(), "请等待案例加载完毕！");
  }
  EXPECT_TRUE(prompts_.empty());
  EXPECT_EQ(StoredCases(), 2);
}

}  // namespace
}  // namespace taiyi
