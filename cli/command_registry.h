// Registry of the command-line program's subcommands.  Each *_commands.cpp file
// registers its subcommands with a static CommandRegistrar; main() builds them all.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <vector>

#include "platform/app_folder.h"

namespace taiyi::cli {

// State shared by every command: the global options and the command to run.
struct CliContext {
  std::string dataDir;       // --data-dir, empty when not given
  std::function<int()> run;  // set by the chosen subcommand's callback
};

using CommandSetup = std::function<void(CLI::App& app, CliContext& ctx)>;

struct CommandEntry {
  int order;  // position in --help: lower first
  CommandSetup setup;
};

std::vector<CommandEntry>& CommandTable();

struct CommandRegistrar {
  CommandRegistrar(int order, CommandSetup setup) {
    CommandTable().push_back({order, std::move(setup)});
  }
};

// --json: one JSON document for a single result, JSON Lines for a list.
inline CLI::Option* AddJsonFlag(CLI::App* command, bool& json) {
  return command->add_flag("--json", json, "Print JSON (JSON Lines for a list)");
}

// Prints the system's message on stderr and gives exit code 1.
int Fail(const std::string& message);

// Resolves and prepares the application folder (--data-dir, portable, XDG); on failure
// prints the message and returns false.
bool PrepareFolder(const CliContext& ctx, AppFolder& folder);

}  // namespace taiyi::cli
