// One chart as the chart command makes it: the chart of a request under settings, the flow
// its options ask for, and the texts; shared by a single chart, a batch line, a stored case
// and the report.
#pragma once

#include <string>

#include "calendar/date_service.h"
#include "chart/chart_computation.h"
#include "chart/flow_chart.h"
#include "cli/chart_options.h"
#include "cli/chart_texts.h"
#include "cli/json_output.h"

namespace taiyi::cli {

struct ChartRun {
  ChartResult result;
  FlowResult flow;  // ok only when a flow was asked for and made
  const FlowChart* Flow() const { return flow.ok ? &flow.flow : nullptr; }
};

// Computes the chart and the flow of the flow options (--flow, --flow-date, --flow-time);
// false with the program's message.
bool MakeChartRun(const ChartRequest& request, const ChartSettings& settings,
                  const ChartOptions& flowOptions, MYiDateEx& dates, ChartRun& run,
                  std::string& error);

// The `chart --json` document: the chart, its flow when made, the summary and the analysis.
Json ChartDocument(const ChartRun& run, const ChartTexts& texts);

}  // namespace taiyi::cli
