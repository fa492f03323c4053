// taiyi-cli case import | export | backup | restore | delete-all | compact: the whole-store
// operations from the command line, with their progress on stderr.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "cli/case_store_access.h"
#include "cli/command_registry.h"
#include "cli/input_checks.h"
#include "cli/json_output.h"
#include "platform/file_util.h"
#include "store/case_schema.h"
#include "store/record_base.h"
#include "store/store_messages.h"
#include "store/whole_store.h"

namespace taiyi::cli {
namespace {

// Progress lines on stderr: one line each time the text changes, or one line rewritten in
// place when stderr is a terminal.
class ProgressPrinter {
 public:
  ProgressPrinter() : terminal_(isatty(STDERR_FILENO) == 1) {}
  ~ProgressPrinter() {
    if (terminal_ && !last_.empty()) std::cerr << "\n";
  }
  ProgressPrinter(const ProgressPrinter&) = delete;
  ProgressPrinter& operator=(const ProgressPrinter&) = delete;

  StoreProgress Sink() {
    return [this](const std::string& line) {
      if (line == last_) return;
      last_ = line;
      if (terminal_)
        std::cerr << "\r" << line << std::flush;
      else
        std::cerr << line << "\n";
    };
  }

 private:
  bool terminal_;
  std::string last_;
};

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  return t;
}

std::string Format(const char* format, int n, const std::string& text = {}) {
  std::vector<char> buffer(text.size() + 256);
  std::snprintf(buffer.data(), buffer.size(), format, n, text.c_str());
  return buffer.data();
}

// --json of the whole-store commands that report a result.
bool storeJson = false;

int RunImport(const CliContext& ctx, const std::string& file) {
  MRecordBase store;
  AppFolder folder;
  if (!OpenStore(ctx, store, folder)) return 1;
  if (!FileExists(file)) return Fail(kMsgImportFileMissing);
  int n = 0;
  ImportReport report;
  {
    ProgressPrinter printer;
    n = ImportStore(store, file, printer.Sink(), &report);
  }
  if (n <= 0) return Fail(store.LastMessage());
  if (storeJson)
    PrintJson({{"count", n}});
  else
    std::cout << ImportedMessage(n, report) << kMsgRestartProgram << "\n";
  return 0;
}

int RunExport(const CliContext& ctx, const std::string& dir,
              const std::vector<std::string>& categories) {
  MRecordBase store;
  AppFolder folder;
  if (!OpenStore(ctx, store, folder)) return 1;
  if (const std::string missing = MissingCategory(store, categories); !missing.empty())
    return Fail(missing);
  const std::string path = ExportFileName(dir, LocalNow());
  if (FileExists(path)) return Fail(kMsgExportFileExists);
  // A folder that is not there yet is made, as a backup makes its own.
  CreateDirs(dir);
  int n = 0;
  {
    ProgressPrinter printer;
    n = ExportStore(store, path, categories, categories.empty(), printer.Sink());
  }
  if (n <= 0) return Fail(kMsgExportFailed);
  if (storeJson)
    PrintJson({{"count", n}, {"file", path}});
  else
    std::cout << Format(kMsgExported, n, path) << "\n";
  return 0;
}

int RunBackup(const CliContext& ctx, const std::string& dir) {
  MRecordBase store;
  AppFolder folder;
  if (!OpenStore(ctx, store, folder)) return 1;
  const std::string backup = BackupFolderName(dir, LocalNow());
  if (DirExists(backup)) return Fail(kMsgBackupFolderExists);
  CreateDirs(backup);
  if (!Backup(store, backup)) return Fail(store.LastMessage());
  if (storeJson) {
    PrintJson({{"folder", backup}});
    return 0;
  }
  std::cout << kMsgBackupDoneBefore << backup << kMsgBackupDoneAfter << "\n";
  return 0;
}

int RunRestore(const CliContext& ctx, const std::string& dir) {
  MRecordBase store;
  AppFolder folder;
  if (!OpenStore(ctx, store, folder)) return 1;
  const std::string source = WithSlash(dir);
  if (!FileExists(source + std::string(kStoreName) + ".db")) return Fail(kMsgRestoreNoDatabase);
  if (!DirExists(source + std::string(kStoreName) + "_f")) return Fail(kMsgRestoreNoCommentDir);
  // The backup's database replaces the store's before the old comment files go.
  if (!ReplaceWithBackup(store, source)) return Fail(store.LastMessage());
  std::cout << kMsgRestored << "\n";
  return 0;
}

int RunDeleteAll(const CliContext& ctx, bool yes) {
  if (!yes) return Fail(std::string(kMsgAskDeleteAll) + "（加上 --yes 才会删除）");
  MRecordBase store;
  AppFolder folder;
  if (!OpenStore(ctx, store, folder)) return 1;
  if (!DeleteAll(store)) return Fail(store.LastMessage());
  std::cout << kMsgDeletedAll << "\n";
  return 0;
}

int RunCompact(const CliContext& ctx) {
  MRecordBase store;
  AppFolder folder;
  if (!OpenStore(ctx, store, folder)) return 1;
  if (store.PrimaryId() < 500) return Fail(kMsgTooFewToCompact);
  int k = 0;
  {
    ProgressPrinter printer;
    k = Compact(store, printer.Sink());
  }
  if (k <= 0 && !store.LastMessage().empty()) return Fail(store.LastMessage());
  if (storeJson)
    PrintJson({{"count", k}});
  else
    std::cout << Format(kMsgCompacted, k) << "\n";
  return 0;
}

CommandRegistrar reg{
    41, [](CLI::App& app, CliContext& ctx) {
      CLI::App* cmd = nullptr;
      try {
        cmd = app.get_subcommand("case");
      } catch (const CLI::Error&) {
        return;
      }

      auto* import = cmd->add_subcommand("import", "Add every case of another case database");
      static std::string importFile;
      import->add_option("FILE", importFile, "The case database (.db) to add")->required();
      AddJsonFlag(import, storeJson);
  import->callback([&ctx] { ctx.run = [&ctx] { return RunImport(ctx, importFile);
    };
});

auto* exportCmd =
    cmd->add_subcommand("export", "Write the cases of some or all categories into a new database");
static std::string exportDir;
static std::vector<std::string> exportCategories;
exportCmd->add_option("DIR", exportDir, "Folder of the new database")->required();
exportCmd
    ->add_option("--category", exportCategories,
                 "A category to export (repeatable); all when none is named")
    ->check(Utf8Text());
AddJsonFlag(exportCmd, storeJson);
exportCmd->callback([&ctx] {
  ctx.run = [&ctx] { return RunExport(ctx, exportDir, exportCategories); };
});

auto* backup =
    cmd->add_subcommand("backup", "Copy the database and the comment files into a new folder");
static std::string backupDir;
backup->add_option("DIR", backupDir, "Folder that receives the backup folder")->required();
AddJsonFlag(backup, storeJson);
backup->callback([&ctx] { ctx.run = [&ctx] { return RunBackup(ctx, backupDir); }; });

auto* restore = cmd->add_subcommand("restore", "Replace the store with a backup folder");
static std::string restoreDir;
restore->add_option("DIR", restoreDir, "The backup folder (holds TaiYi.db and TaiYi_f/)")
    ->required();
restore->callback([&ctx] { ctx.run = [&ctx] { return RunRestore(ctx, restoreDir); }; });

auto* deleteAll = cmd->add_subcommand("delete-all", "Delete every case and comment file");
static bool yes = false;
deleteAll->add_flag("--yes", yes, "Really delete");
deleteAll->callback([&ctx] { ctx.run = [&ctx] { return RunDeleteAll(ctx, yes); }; });

auto* compact = cmd->add_subcommand("compact", "Renumber the cases 1..n in a rewritten database");
AddJsonFlag(compact, storeJson);
compact->callback([&ctx] { ctx.run = [&ctx] { return RunCompact(ctx); }; });
}
}
;

}  // namespace
}  // namespace taiyi::cli
