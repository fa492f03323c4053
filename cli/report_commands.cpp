// taiyi-cli case report ID --pdf FILE: a stored case's chart, texts and comment as one A4 PDF.
#include <string>
#include <vector>

#include "chart/draw/chart_geometry.h"
#include "cli/case_store_access.h"
#include "cli/chart_options.h"
#include "cli/chart_report_output.h"
#include "cli/chart_run.h"
#include "cli/command_registry.h"
#include "store/case_actions.h"

namespace taiyi::cli {
namespace {

struct ReportOptions {
  int id = 0;
  std::string pdf;
  int fontSize = 0;
  ChartOptions chart;  // only --set
};

int RunReport(const CliContext& ctx, const ReportOptions& o) {
  MRecordBase store;
  AppFolder folder;
  if (!OpenStore(ctx, store, folder)) return 1;
  TRecordData record;
  CaseComment comment;
  std::string commentPath, error;
  if (!ShowCase(store, o.id, record, comment, commentPath)) return Fail("没有这个案例！");
  ChartSettings settings;
  if (!ReadSettingsWithOverrides(o.chart, folder, settings, error)) return Fail(error);
  MYiDateEx dates;
  ChartRun run;
  if (!MakeChartRun(record, settings, o.chart, dates, run, error)) return Fail(error);
  ChartTexts texts;
  ChartTextWriter(folder).Write(run.result.chart, dates, texts);
  if (!WriteChartReport(o.pdf, folder, run, texts, &comment, o.fontSize, error)) return Fail(error);
  return 0;
}

CommandRegistrar reg{
    44, [](CLI::App& app, CliContext& ctx) {
      CLI::App* cmd = app.get_subcommand("case");
      auto* report = cmd->add_subcommand(
          "report", "A stored case's chart, summary, analysis and comment as an A4 PDF");
      static ReportOptions o;
      report->add_option("ID", o.id)->required();
      report->add_option("--pdf", o.pdf, "the PDF file (- for stdout)")->required();
      report
          ->add_option("--font-size", o.fontSize,
                       "chart font size 9..25 (default: fontSize of section chart in dat/set.ini)")
          ->check(CLI::Range(kMinChartFontSize, kMaxChartFontSize));
      AddSettingOptions(report, o.chart);
      report->callback([&ctx] { ctx.run = [&ctx] { return RunReport(ctx, o); }; });
    }};

}  // namespace
}  // namespace taiyi::cli
