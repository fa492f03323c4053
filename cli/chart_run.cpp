#include "cli/chart_run.h"

#include "cli/chart_json.h"

namespace taiyi::cli {

bool MakeChartRun(const ChartRequest& request, const ChartSettings& settings,
                  const ChartOptions& flowOptions, MYiDateEx& dates, ChartRun& run,
                  std::string& error) {
  run.result = ComputeChart(request, settings, dates);
  if (!run.result.ok) {
    error = run.result.error;
    return false;
  }
  int flowKind = 0;
  double flowMoment = 0;
  if (!ResolveFlowOptions(flowOptions, dates, flowKind, flowMoment, error)) return false;
  if (flowKind == 0) return true;
  if (request.kind != ChartKind::kLife) {
    error = "流年只适用于命局";
    return false;
  }
  run.flow = MakeFlowChart(run.result.chart, flowMoment, flowKind, dates);
  if (!run.flow.ok) error = run.flow.error;
  return run.flow.ok;
}

Json ChartDocument(const ChartRun& run, const ChartTexts& texts) {
  Json doc = ChartJson(run.result.chart);
  if (run.flow.ok) doc["flow"] = FlowJson(run.flow.flow);
  doc["summary"] = PartText(texts.summary);
  doc["analysis"] = PartText(texts.analysis);
  return doc;
}

}  // namespace taiyi::cli
