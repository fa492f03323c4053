// Runs the command-line program as a user would and captures what it prints.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace taiyi::test {

struct CliResult {
  int code = -1;
  std::string out;  // stdout, and stderr too when withStderr
};

// args are passed to the shell as they stand: quote them as on a command line.  env, when
// given, goes before the program ("NAME=value ...").
inline CliResult RunCli(const std::string& args, bool withStderr = true,
                        const std::string& env = {}) {
  const std::string command = env + (env.empty() ? "" : " ") + std::string(TAIYI_CLI_PATH) + " " +
                              args + (withStderr ? " 2>&1" : " 2>/dev/null");
  CliResult run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buf;
  for (size_t n; (n = fread(buf.data(), 1, buf.size(), pipe)) > 0;) run.out.append(buf.data(), n);
  const int status = pclose(pipe);
  run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace taiyi::test
