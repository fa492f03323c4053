// The JSON documents of a computed chart and of a flow chart, as `taiyi-cli chart --json`
// prints them.
#pragma once

#include "chart/chart_computation.h"
#include "chart/flow_chart.h"
#include "cli/json_output.h"

namespace taiyi::cli {

Json ChartJson(const ComputedChart& chart);
Json FlowJson(const FlowChart& flow);

}  // namespace taiyi::cli
