// The whole-database commands of the file menu: restore, backup, delete all, compaction,
// import and export, with their questions, folder and file choosers and messages.  The main
// window calls one method per menu item and ends the program when the method says so.  The
// store operations run on a worker thread behind a progress dialog modal to the window; all
// but delete-all can be stopped there (compaction and restore up to their final switch), and
// a stopped command leaves the store as it was and the program running.
#pragma once

#include <atomic>
#include <ctime>
#include <functional>
#include <string>

#include "platform/app_folder.h"
#include "platform/prompter.h"
#include "store/whole_store.h"

class QWidget;

namespace taiyi {

class MRecordBase;
class MUiFont;

// What the main window does after a command.
enum class AfterCommand {
  kKeepRunning,
  // The program ends at once: no closing questions, dat/init.ini not written.
  kEndProgram,
};

inline constexpr char kMsgWaitForLoader[] = "请等待案例加载完毕！";

// Four decimal digits, each nextRandom() mod 10.
std::string MakeDeletionCode(const std::function<int()>& nextRandom);

class DatabaseCommands {
 public:
  // Shows a folder chooser with the prompt; false on cancel.
  using FolderChooser = std::function<bool(const std::string& prompt, std::string& folder)>;
  // Shows the open-file dialog for case databases; false on cancel.
  using FileChooser = std::function<bool(std::string& file)>;

  // parent: the window the choosers and the export-category dialog are modal to.
  DatabaseCommands(MRecordBase& store, const AppFolder& folder, MUiFont& uiFont, Prompter& prompter,
                   QWidget* parent);

  // Called before an import or an export starts.
  void SetShowProgressPage(std::function<void()> show) { showProgressPage_ = std::move(show); }
  // While the flag is set (the case loader reads the store) every command refuses.
  void SetStoreBusy(const std::atomic<bool>* busy) { busy_ = busy; }

  // For tests: the choosers, the clock, the random digits and the file browser.
  void SetFolderChooser(FolderChooser chooser) { chooseFolder_ = std::move(chooser); }
  void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
  void SetClock(std::function<std::tm()> clock) { clock_ = std::move(clock); }
  void SetRandom(std::function<int()> random) { random_ = std::move(random); }
  void SetFolderOpener(std::function<void(const std::string&)> open) {
    openFolder_ = std::move(open);
  }

  AfterCommand N1Click();   // 还原案例数据
  AfterCommand N7Click();   // 备份案例数据
  AfterCommand N2Click();   // 删除案例数据
  AfterCommand N17Click();  // 整理数据
  AfterCommand db1Click();  // 添加db文件
  AfterCommand db2Click();  // 导出db文件

 private:
  bool refuseWhileLoading();
  void showProgressPage();
  // Runs the store operation on a worker behind the progress dialog titled what.
  void runWork(const char* what, WorkProgress& work, bool stoppable,
               const std::function<void()>& operation);
  // Whether the last operation ended because the user stopped it.
  bool stopped() const;

  MRecordBase& store_;
  AppFolder folder_;
  MUiFont& uiFont_;
  Prompter& prompter_;
  QWidget* parent_;
  std::function<void()> showProgressPage_;
  const std::atomic<bool>* busy_ = nullptr;
  FolderChooser chooseFolder_;
  FileChooser chooseFile_;
  std::function<std::tm()> clock_;
  std::function<int()> random_;
  std::function<void(const std::string&)> openFolder_;
};

}  // namespace taiyi
