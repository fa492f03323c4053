#include "cli/usage_message.h"

#include <regex>
#include <utility>
#include <vector>

namespace taiyi::cli {
namespace {

// One English message form of the parser and its Chinese text ($1, $2 … the parts kept).
struct Rewrite {
  std::regex english;
  const char* chinese;
};

const std::vector<Rewrite>& Rewrites() {
  static const std::vector<Rewrite> table = [] {
    std::vector<std::pair<const char*, const char*>> forms = {
        {R"(The following arguments? (?:was|were) not expected: (.*))",
         "不认识的命令、选项或多余的参数: $1"},
        {R"(A subcommand is required)", "缺少命令"},
        {R"((.*) is required)", "缺少 $1"},
        {R"((.*): \d+ required .* missing)", "$1: 缺少值"},
        {R"(Expected exactly (\d+) arguments? to (.*), got (\d+))", "$2: 应有 $1 个值，给了 $3 个"},
        {R"(Expected at least (\d+) arguments? to (.*), got (\d+))",
         "$2: 至少应有 $1 个值，给了 $3 个"},
        {R"((.*): At Most (\d+) required but received (\d+))", "$1: 至多 $2 个值，给了 $3 个"},
        {R"((.*): At least (\d+) required but received (\d+))", "$1: 至少 $2 个值，给了 $3 个"},
        {R"(Could not convert: (.*) = (.*))", "$1: 不是有效的值: $2"},
        {R"(The value (.*) is not an allowed value for (.*))", "$2: 不允许的值: $1"},
        {R"((.*): Should be true/false or a number)", "$1: 应为 true、false 或数字"},
        {R"((.*): too many inputs for a flag)", "$1: 这个开关不带值"},
        {R"((.*): Value (.*) not in range (\S+) to (\S+))", "$1: $2 不在 $3 到 $4 之间"},
        {R"((.*): (.*) not in (\{.*\}))", "$1: $2 不是可选的值之一 $3"},
        {R"((.*) excludes (.*))", "$1 不能与 $2 同用"},
        {R"((.*) requires (.*))", "$1 须与 $2 同用"},
        {R"((.*) not found)", "没有 $1"},
    };
    std::vector<Rewrite> rewrites;
    for (const auto& [english, chinese] : forms) rewrites.push_back({std::regex(english), chinese});
    return rewrites;
  }();
  return table;
}

}  // namespace

std::string UsageMessage(const CLI::ParseError& error) {
  const std::string message = error.what();
  for (const Rewrite& rewrite : Rewrites()) {
    std::smatch match;
    if (std::regex_match(message, match, rewrite.english)) return match.format(rewrite.chinese);
  }
  return message;
}

}  // namespace taiyi::cli
