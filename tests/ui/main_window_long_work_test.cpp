// The whole-database commands of the main window run behind a progress dialog modal to the
// window: it shows while the store is busy, its "停止" takes the store back to what it was,
// and the comment editor never shows progress.
#include <QProgressDialog>
#include <map>

#include "main_window_fixture.h"

namespace taiyi::test {
namespace {

class LongWorkTest : public CurrentCaseTest {
 protected:
  void TearDown() override {
    watch_.stop();
    hold_.reset();
    other_.reset();
    CurrentCaseTest::TearDown();
  }
  // Another program's writer keeps the store until the progress dialog shows, so that the
  // command waits behind it and the dialog always appears; then the dialog's label is kept,
  // "停止" is pressed when stop is set, and the writer lets go.
  void HoldTheStoreUntilTheDialogShows(TFrmMain& w, bool stop) {
    other_.emplace();
    ASSERT_EQ(other_->Open(store_.DbPath(), folder_.root, false), 0);
    hold_.emplace(*other_, StoreLockMode::kShared);
    ASSERT_TRUE(*hold_);
    watch_.disconnect();  // the watch of an earlier command
    QObject::connect(&watch_, &QTimer::timeout, [this, &w, stop] {
      auto* dialog = w.findChild<QProgressDialog*>("WorkProgress");
      if (!dialog || !dialog->isVisible()) return;
      label_ = ToStdString(dialog->labelText());
      if (stop) dialog->findChild<QPushButton*>()->click();
      watch_.stop();
      hold_.reset();
    });
    watch_.start(20);
  }
  // A case database of n cases in its own folder.
  std::string SourceOf(int n) {
    const std::string root = source_.path();
    CreateDirs(root + "dat");
    MRecordBase source;
    EXPECT_EQ(source.Open(root + "dat/TaiYi.db", root, false), 0);
    source.Connect();
    for (int i = 0; i < n; ++i) {
      TRecordData r;
      r.name = "外" + std::to_string(i);
      r.year = 1990;
      r.className = "家人";
      r.remarkText = r.name + "的评语";
      r.remarkFile = r.name;
      EXPECT_GT(source.AddCaseInBatch(r), 0);
    }
    EXPECT_TRUE(source.Disconnect());
    return root + "dat/TaiYi.db";
  }
  // The main window with a stored case 甲 (comment 甲的评语), whose import chooses a database
  // of n cases.
  std::unique_ptr<TFrmMain> WindowImporting(int n) {
    auto w = OpenWithChooser();
    SaveNew(*w, "甲", "甲的评语");
    w->Database().SetFileChooser([source = SourceOf(n)](std::string& file) {
      file = source;
      return true;
    });
    return w;
  }
  // The store's files with their bytes: the database with whatever lies beside it, and the
  // comment folder.
  std::map<std::string, std::string> StoreFiles() {
    std::map<std::string, std::string> files;
    for (const std::string& dir : {folder_.Dat(), folder_.CommentDir()}) {
      for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (dir == folder_.Dat() && !name.starts_with("TaiYi")) continue;
        std::string bytes;
        if (entry.is_regular_file()) {
          EXPECT_TRUE(ReadFile(entry.path().string(), bytes));
        }
        files[entry.path().string()] = bytes;
      }
    }
    return files;
  }

  test::TempDir source_;
  std::optional<MRecordBase> other_;
  std::optional<MRecordBase::WriteGuard> hold_;
  QTimer watch_;
  std::string label_;
};

TEST_F(LongWorkTest, AnImportShowsItsProgressDialogAndLeavesTheCommentAlone) {
  auto w = WindowImporting(30);
  HoldTheStoreUntilTheDialogShows(*w, false);
  w->findChild<QAction*>("db1")->trigger();
  EXPECT_EQ(label_, "正在导入案例");  // shown while the count is not known yet
  EXPECT_EQ(prompter_.LastText(), "共导入 30 个案例！请重启软件！");
  EXPECT_TRUE(w->Ending());
  EXPECT_EQ(Comment(*w), "甲的评语");
}

TEST_F(LongWorkTest, AStoppedImportLeavesTheStoreAsItWas) {
  auto w = WindowImporting(30);
  const auto before = StoreFiles();
  HoldTheStoreUntilTheDialogShows(*w, true);
  w->findChild<QAction*>("db1")->trigger();
  EXPECT_FALSE(label_.empty());
  EXPECT_EQ(prompter_.LastText(), "已停止导入，案例数据没有改变！");
  EXPECT_FALSE(w->Ending());
  EXPECT_EQ(StoreFiles(), before);
  EXPECT_EQ(Comment(*w), "甲的评语");
  EXPECT_FALSE(Find<QTextEdit>(*w, "RedtPingYu")->document()->isModified());
}

TEST_F(LongWorkTest, AStoppedCompactionLeavesTheStoreAsItWasAndTheProgramRunning) {
  auto w = OpenWithChooser();
  SaveNew(*w, "甲", "甲的评语");
  store_.Connect();
  for (int i = 0; i < 500; ++i) {
    TRecordData r;
    r.name = "乙";
    r.year = 1990;
    r.className = "家人";
    r.remarkFile = "乙" + std::to_string(i);
    ASSERT_GT(store_.AddCaseInBatch(r), 0);
  }
  ASSERT_TRUE(store_.Disconnect());
  ASSERT_TRUE(store_.RemoveCase(2));
  const auto before = StoreFiles();
  prompter_.AnswerQuestion(true);
  HoldTheStoreUntilTheDialogShows(*w, true);
  w->findChild<QAction*>("N17")->trigger();
  EXPECT_EQ(label_, "正在整理数据");
  EXPECT_EQ(prompter_.LastText(), "已停止整理，案例数据没有改变！");
  EXPECT_FALSE(w->Ending());
  EXPECT_EQ(StoreFiles(), before);
}

// Backup, export and restore stopped from their dialogs: each says so, leaves the store as it
// was and nothing new in the chosen folder, and the program goes on.
TEST_F(LongWorkTest, StoppedBackupExportAndRestoreLeaveNothingBehind) {
  auto w = OpenWithChooser();
  SaveNew(*w, "甲", "甲的评语");
  const std::string backup = dir_.file("backup") + "/";
  ASSERT_TRUE(CreateDirs(backup));
  ASSERT_TRUE(Backup(store_, backup)) << store_.LastMessage();
  const std::string out = dir_.file("out");
  ASSERT_TRUE(CreateDirs(out));
  w->Database().SetFolderChooser([&](const std::string& prompt, std::string& folder) {
    folder = prompt == "请选择要还原的数据位置：" ? backup : out;
    return true;
  });
  const auto before = StoreFiles();
  const struct {
    const char* action;
    const char* message;
  } commands[] = {
      {"N7", "已停止备份，没有留下备份文件夹！"},
      {"db2", "已停止导出，没有生成导出文件！"},
      {"N1", "已停止还原，案例数据没有改变！"},
  };
  for (const auto& c : commands) {
    SCOPED_TRACE(c.action);
    label_.clear();
    prompter_.AnswerQuestion(true);  // the restore's question
    QTimer::singleShot(0, [] {       // every category for the export
      if (auto* dialog = qobject_cast<TFrmExportClass*>(QApplication::activeModalWidget()))
        dialog->BitBtn1Click();
    });
    HoldTheStoreUntilTheDialogShows(*w, true);
    w->findChild<QAction*>(c.action)->trigger();
    EXPECT_FALSE(label_.empty());
    EXPECT_EQ(prompter_.LastText(), c.message);
    EXPECT_FALSE(w->Ending());
    EXPECT_EQ(StoreFiles(), before);
    EXPECT_TRUE(std::filesystem::is_empty(out));
  }
}

}  // namespace
}  // namespace taiyi::test
