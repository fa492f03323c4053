#include <algorithm>
#include <iostream>

#include "cli/command_registry.h"
#include "cli/usage_message.h"

namespace taiyi::cli {

std::vector<CommandEntry>& CommandTable() {
  static std::vector<CommandEntry> table;
  return table;
}

int Fail(const std::string& message) {
  std::cerr << message << "\n";
  return 1;
}

bool PrepareFolder(const CliContext& ctx, AppFolder& folder) {
  std::string error;
  if (PrepareAppFolder(AppFolderInputs::FromEnvironment(ctx.dataDir), folder, error)) return true;
  std::cerr << error << "\n";
  return false;
}

}  // namespace taiyi::cli

int main(int argc, char** argv) {
  using namespace taiyi::cli;
  CLI::App app{"墨衡太乙神数 1.3 — Taiyi Shenshu charts, calendar and case archive", "taiyi-cli"};
  app.set_version_flag("--version", std::string("taiyi-cli ") + TAIYI_VERSION);
  app.require_subcommand(0, 1);
  // Subcommands inherit this: the global options may also follow the subcommand.
  app.fallthrough();

  CliContext ctx;
  app.add_option("--data-dir", ctx.dataDir,
                 "Application folder (holds dat/ and TaiYi_f/); TAIYI_DATA_DIR when not given")
      ->envname("TAIYI_DATA_DIR");

  auto& table = CommandTable();
  std::stable_sort(table.begin(), table.end(),
                   [](const CommandEntry& a, const CommandEntry& b) { return a.order < b.order; });
  for (auto& entry : table) entry.setup(app, ctx);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << UsageMessage(e) << "\n" << kUsageLine << "\n";
    return 2;
  }
  if (!ctx.run) {
    std::cout << app.help();
    return 0;
  }
  return ctx.run();
}
