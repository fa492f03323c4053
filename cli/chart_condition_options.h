// The chart-condition options shared by `select` and `case search --chart`: --ju --yang
// --yin --host --guest --fixed --with --without --pattern --no-pattern --gate --deity, and
// how their texts become ChartConditions.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "chart/selection_conditions.h"

namespace taiyi::cli {

struct ConditionOptions {
  std::vector<std::string> ju, host, guest, fixed, with, without, patterns, noPatterns, gates,
      deities;
  bool yang = false, yin = false;
};

void AddConditionOptions(CLI::App* command, ConditionOptions& options);

// Throws CLI::ValidationError (bad usage) naming the option and the accepted forms when a
// text names nothing a chart can have.
ChartConditions ReadConditionOptions(const ConditionOptions& options);

}  // namespace taiyi::cli
