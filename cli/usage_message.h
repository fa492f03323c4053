// The message of a command line that could not be parsed, in Chinese: the parser's own
// English texts are rewritten, keeping the option, command or value they name.  Messages the
// program's own checks give ("--time: 时间格式应为 HH:MM") pass through unchanged.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace taiyi::cli {

std::string UsageMessage(const CLI::ParseError& error);

// The line printed after every usage message.
inline constexpr char kUsageLine[] =
    "用法: taiyi-cli [--data-dir DIR] 命令 [选项]   (taiyi-cli --help 列出全部命令)";

}  // namespace taiyi::cli
