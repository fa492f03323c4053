#include <gtest/gtest.h>

#include "support/run_cli.h"

namespace taiyi {
namespace {

using test::RunCli;

TEST(CliSkeleton, HelpVersionAndBadUsage) {
  const auto help = RunCli("--help");
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("--data-dir"), std::string::npos);
  const auto version = RunCli("--version");
  EXPECT_EQ(version.code, 0);
  EXPECT_NE(version.out.find("1.3"), std::string::npos);
  for (const char* args : {"no-such-command", "--no-such-option", "--data-dir"}) {
    const auto bad = RunCli(args);
    EXPECT_EQ(bad.code, 2) << args;
    EXPECT_NE(bad.out.find("usage: taiyi-cli"), std::string::npos) << args;
  }
}

}  // namespace
}  // namespace taiyi
