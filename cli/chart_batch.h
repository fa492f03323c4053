// chart --batch: charts every request of a JSON Lines file (or standard input) and writes one
// `chart --json` document per line in input order, using every core.  A line that cannot be
// charted gives {"line": N, "error": "…"} and the run goes on.
#pragma once

#include <string>
#include <vector>

#include "platform/app_folder.h"

namespace taiyi::cli {

// The exit code: 0 when every line was charted, 1 when one failed or the file is unreadable.
// sets are --set overrides applied to every line before the line's own "set".
int RunChartBatch(const AppFolder& folder, const std::string& path,
                  const std::vector<std::string>& sets);

}  // namespace taiyi::cli
