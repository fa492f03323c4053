#include "chart/chart_analysis.h"

#include "chart/life_analysis.h"
#include "chart/period_analysis.h"

namespace taiyi {

void WriteAnalysis(const ComputedChart& chart, const StarTexts& stars, MYiDateEx& dates,
                   RichTextSink& sink) {
  sink.SetColour(kAnalysisBlue);
  sink.SetBold(true);
  if (chart.request.kind == ChartKind::kLife)
    LifeAnalysis(chart, stars, dates, sink);
  else
    PeriodAnalysis(chart, sink);
}

}  // namespace taiyi
