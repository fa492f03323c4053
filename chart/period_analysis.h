// The analysis of a period chart (年局, 月局, 日局, 时局): its conditions line and its
// count-pattern line.
#pragma once

#include "chart/chart_computation.h"
#include "platform/rich_text_sink.h"

namespace taiyi {

// Appends the two lines with the sink's current colour and weight.
void PeriodAnalysis(const ComputedChart& chart, RichTextSink& sink);

}  // namespace taiyi
