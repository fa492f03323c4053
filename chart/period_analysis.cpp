#include "chart/period_analysis.h"

#include "chart/analysis_lines.h"

namespace taiyi {

void PeriodAnalysis(const ComputedChart& chart, RichTextSink& sink) {
  sink.Append(ConditionsLine(chart.conditions, false));
  sink.Append(PatternLine(chart.patterns));
}

}  // namespace taiyi
