#include "cli/chart_report_output.h"

#include "chart/draw/chart_geometry.h"
#include "chart/draw/chart_report_pdf.h"
#include "cli/chart_image_output.h"
#include "cli/json_fields.h"
#include "cli/report_html.h"
#include "cli/stdio_files.h"
#include "platform/jpeg_image.h"

namespace taiyi::cli {

bool WriteChartReport(const std::string& path, const AppFolder& folder, const ChartRun& run,
                      const ChartTexts& texts, const CaseComment* comment, int fontSize,
                      std::string& error) {
  EnsureGuiApplication();
  const ComputedChart& chart = run.result.chart;
  RgbImage background;
  std::string ignored;  // an unreadable picture leaves the plain colour
  if (chart.settings.bOldBk) ReadJpeg(folder.ShippedDat(kBackgroundFileName), background, ignored);
  ChartReport report;
  const ChartRequest& r = chart.request;
  report.title = std::string(ChartKindTitle(r.kind)) + (r.name.empty() ? "" : "  " + r.name) +
                 "  " + DateText(r.Date()) +
                 (r.lunar ? (r.leapMonth ? "（农历闰月）" : "（农历）") : "") + " " +
                 TimeText(r.Date());
  report.chart.chart = &chart;
  report.chart.flow = run.Flow();
  report.chart.background = background.width > 0 ? &background : nullptr;
  report.fontSize = fontSize != 0 ? fontSize : ReadChartFontSize(folder.Dat() + "set.ini");
  report.bodyHtml = ReportBodyHtml(texts.whole, comment);
  std::string pdf;
  if (!MakeChartReportPdf(report, pdf, error)) return false;
  if (WriteOutputFile(path, pdf)) return true;
  error = "无法写入文件：" + path;
  return false;
}

}  // namespace taiyi::cli
