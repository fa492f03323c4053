// The JSON documents of a computed chart and of a flow chart, as `taiyi-cli chart --json`
// prints them.
#pragma once

#include <nlohmann/json.hpp>

#include "chart/chart_computation.h"
#include "chart/flow_chart.h"

namespace taiyi::cli {

nlohmann::ordered_json ChartJson(const ComputedChart& chart);
nlohmann::ordered_json FlowJson(const FlowChart& flow);

}  // namespace taiyi::cli
