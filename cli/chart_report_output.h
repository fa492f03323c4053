// --pdf FILE of the chart command and of `case report`: the chart, its texts and a case's
// comment as one A4 PDF report ("-" writes it to stdout).
#pragma once

#include <string>

#include "cli/chart_run.h"
#include "store/case_actions.h"

namespace taiyi::cli {

// fontSize 0 takes the chart font size of dat/set.ini.  comment may be null.  False with the
// message when the report cannot be made or written.
bool WriteChartReport(const std::string& path, const AppFolder& folder, const ChartRun& run,
                      const ChartTexts& texts, const CaseComment* comment, int fontSize,
                      std::string& error);

}  // namespace taiyi::cli
