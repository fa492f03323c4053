#include "ui/archive/database_commands.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/file_util.h"
#include "store/record_base.h"
#include "store/store_messages.h"
#include "ui/archive/export_class_dialog.h"
#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/work_dialog.h"

namespace taiyi {
namespace {

constexpr char kStoreFile[] = "TaiYi.db";
constexpr char kStoreCommentDir[] = "TaiYi_f";

// What the progress dialog says each operation is doing.
constexpr char kRestoring[] = "正在还原案例数据";
constexpr char kBackingUp[] = "正在备份案例数据";
constexpr char kDeleting[] = "正在删除案例数据";
constexpr char kCompacting[] = "正在整理数据";
constexpr char kImporting[] = "正在导入案例";
constexpr char kExporting[] = "正在导出案例";

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

std::string WithoutSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string Format(const char* format, int n) {
  char text[256];
  std::snprintf(text, sizeof text, format, n);
  return text;
}

}  // namespace

std::string MakeDeletionCode(const std::function<int()>& nextRandom) {
  std::string code;
  for (int i = 0; i < 4; ++i) code += static_cast<char>('0' + (nextRandom() % 10 + 10) % 10);
  return code;
}

DatabaseCommands::DatabaseCommands(MRecordBase& store, const AppFolder& folder, MUiFont& uiFont,
                                   Prompter& prompter, QWidget* parent)
    : store_(store), folder_(folder), uiFont_(uiFont), prompter_(prompter), parent_(parent) {
  chooseFolder_ = [this](const std::string& prompt, std::string& chosen) {
    const QString dir = QFileDialog::getExistingDirectory(parent_, ToQString(prompt));
    if (dir.isEmpty()) return false;
    chosen = ToStdString(dir);
    return true;
  };
  chooseFile_ = [this](std::string& file) {
    QFileDialog dialog(parent_);
    dialog.setObjectName("dlgimport");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("all.db (*.db)"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    file = ToStdString(dialog.selectedFiles().front());
    return true;
  };
  clock_ = LocalNow;
  random_ = [] { return std::rand(); };
  openFolder_ = [](const std::string& dir) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(dir)));
  };
}

bool DatabaseCommands::refuseWhileLoading() {
  if (busy_ == nullptr || !busy_->load()) return false;
  prompter_.Message(kMsgWaitForLoader);
  return true;
}

void DatabaseCommands::showProgressPage() {
  if (showProgressPage_) showProgressPage_();
}

void DatabaseCommands::runWork(const char* what, WorkProgress& work, bool stoppable,
                               const std::function<void()>& operation) {
  store_.SetLastMessage("");  // a stop is told by the message the operation leaves
  RunWithProgress(parent_, what, work, stoppable, operation);
}

bool DatabaseCommands::stopped() const {
  return store_.LastMessage() == kMsgWorkStopped;
}

AfterCommand DatabaseCommands::N1Click() {
  if (refuseWhileLoading()) return AfterCommand::kKeepRunning;
  if (!prompter_.Question("注意了", "执行此操作将覆盖现有的案例数据，要继续吗？", false,
                          QuestionIcon::Warning))
    return AfterCommand::kKeepRunning;
  std::string dir;
  if (!chooseFolder_("请选择要还原的数据位置：", dir)) return AfterCommand::kKeepRunning;
  dir = WithSlash(dir);
  if (!FileExists(dir + kStoreFile)) {
    prompter_.Message(kMsgRestoreNoDatabase);
    return AfterCommand::kKeepRunning;
  }
  if (!DirExists(dir + kStoreCommentDir)) {
    prompter_.Message(kMsgRestoreNoCommentDir);
    return AfterCommand::kKeepRunning;
  }
  // The backup replaces the store in one step: a failure or a stop leaves the current cases
  // in place.
  WorkProgress work;
  bool restored = false;
  runWork(kRestoring, work, true, [&] { restored = ReplaceWithBackup(store_, dir, &work); });
  if (!restored) {
    prompter_.Message(stopped() ? kMsgRestoreStopped : store_.LastMessage());
    return AfterCommand::kKeepRunning;
  }
  prompter_.Message(kMsgRestored);
  return AfterCommand::kEndProgram;
}

AfterCommand DatabaseCommands::N7Click() {
  if (refuseWhileLoading()) return AfterCommand::kKeepRunning;
  std::string dir;
  if (!chooseFolder_("请选择备份位置：", dir)) return AfterCommand::kKeepRunning;
  const std::string target = BackupFolderName(WithSlash(dir), clock_());
  if (DirExists(WithoutSlash(target))) {
    prompter_.Message(kMsgBackupFolderExists);
    return AfterCommand::kKeepRunning;
  }
  if (!CreateDirs(WithoutSlash(target))) {
    prompter_.Message(kMsgCannotCreateBackupCommentDir);
    return AfterCommand::kKeepRunning;
  }
  WorkProgress work;
  bool done = false;
  runWork(kBackingUp, work, true, [&] { done = Backup(store_, target, &work); });
  if (done) {
    prompter_.Message(std::string(kMsgBackupDoneBefore) + target + kMsgBackupDoneAfter);
    return AfterCommand::kKeepRunning;
  }
  // The folder made above goes again when nothing was put into it.
  std::error_code ignored;
  std::filesystem::remove(WithoutSlash(target), ignored);
  prompter_.Message(stopped() ? kMsgBackupStopped : store_.LastMessage());
  return AfterCommand::kKeepRunning;
}

AfterCommand DatabaseCommands::N2Click() {
  if (refuseWhileLoading()) return AfterCommand::kKeepRunning;
  if (!prompter_.Question("删除所有案例", kMsgAskDeleteAll, false, QuestionIcon::Warning))
    return AfterCommand::kKeepRunning;
  const std::string code = MakeDeletionCode(random_);
  std::string answer;
  if (!prompter_.InputText("删除码：" + code + " ", "请输入删除码：      ", answer))
    return AfterCommand::kKeepRunning;
  if (answer != code) {
    prompter_.Message("删除码错误，无法删除！");
    return AfterCommand::kKeepRunning;
  }
  WorkProgress work;
  bool deleted = false;
  runWork(kDeleting, work, false, [&] { deleted = DeleteAll(store_, {}, &work); });
  if (!deleted) {
    prompter_.Message(store_.LastMessage());
    return AfterCommand::kKeepRunning;
  }
  prompter_.Message(kMsgDeletedAll);
  return AfterCommand::kEndProgram;
}

AfterCommand DatabaseCommands::N17Click() {
  if (refuseWhileLoading()) return AfterCommand::kKeepRunning;
  if (store_.PrimaryId() < 500) {
    prompter_.Message(kMsgTooFewToCompact);
    return AfterCommand::kKeepRunning;
  }
  if (!prompter_.Question("整理数据",
                          "只有数据库案例较多，并且经过频繁删除、改名等操作，才需要整理数据。"
                          "确定要整理吗？",
                          false, QuestionIcon::Warning))
    return AfterCommand::kKeepRunning;
  WorkProgress work;
  int kept = 0;
  runWork(kCompacting, work, true, [&] { kept = Compact(store_, {}, {}, &work); });
  // A stopped compaction changed nothing: the program goes on with the store as it was.
  if (kept <= 0 && stopped()) {
    prompter_.Message(kMsgCompactStopped);
    return AfterCommand::kKeepRunning;
  }
  if (kept <= 0)
    prompter_.Message(store_.LastMessage());
  else
    prompter_.Message(Format(kMsgCompacted, kept));
  return AfterCommand::kEndProgram;
}

AfterCommand DatabaseCommands::db1Click() {
  if (refuseWhileLoading()) return AfterCommand::kKeepRunning;
  std::string file;
  if (!chooseFile_(file)) return AfterCommand::kKeepRunning;
  if (!FileExists(file)) {
    prompter_.Message(kMsgImportFileMissing);
    return AfterCommand::kKeepRunning;
  }
  showProgressPage();
  ImportReport report;
  WorkProgress work;
  int imported = 0;
  runWork(kImporting, work, true,
          [&] { imported = ImportStore(store_, file, {}, &report, &work); });
  if (imported <= 0) {
    prompter_.Message(stopped() ? kMsgImportStopped : store_.LastMessage());
    return AfterCommand::kKeepRunning;
  }
  prompter_.Message(ImportedMessage(imported, report) + kMsgRestartProgram);
  return AfterCommand::kEndProgram;
}

AfterCommand DatabaseCommands::db2Click() {
  if (refuseWhileLoading()) return AfterCommand::kKeepRunning;
  std::vector<std::string> categories;
  bool all = false;
  {
    std::vector<std::string> stored;
    store_.LoadCategories(stored);
    TFrmExportClass dialog(uiFont_, prompter_, parent_);
    dialog.SetCategories(stored);
    if (dialog.exec() != QDialog::Accepted) return AfterCommand::kKeepRunning;
    categories = dialog.CheckedCategories();
    all = dialog.AllChecked();
  }
  std::string dir;
  if (!chooseFolder_("请选择存放位置：", dir)) return AfterCommand::kKeepRunning;
  const std::string file = ExportFileName(WithSlash(dir), clock_());
  if (FileExists(file)) {
    prompter_.Message(kMsgExportFileExists);
    return AfterCommand::kKeepRunning;
  }
  showProgressPage();
  WorkProgress work;
  int exported = 0;
  runWork(kExporting, work, true,
          [&] { exported = ExportStore(store_, file, categories, all, {}, &work); });
  if (exported <= 0) {
    prompter_.Message(stopped() ? kMsgExportStopped : kMsgExportFailed);
    return AfterCommand::kKeepRunning;
  }
  std::string text(std::snprintf(nullptr, 0, kMsgExported, exported, file.c_str()), '\0');
  std::snprintf(text.data(), text.size() + 1, kMsgExported, exported, file.c_str());
  if (prompter_.Question("打开文件夹", text + kMsgAskOpenExportFolder, true,
                         QuestionIcon::Information))
    openFolder_(WithSlash(dir));
  return AfterCommand::kKeepRunning;
}

}  // namespace taiyi
