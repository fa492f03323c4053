// taiyi-cli chart: computes one chart (and optionally one flow) of the options or of a stored
// case and prints it as text or JSON, draws it or writes its texts; --batch charts JSON Lines.
#include <unistd.h>

#include <iostream>
#include <sstream>
#include <string>

#include "calendar/date_service.h"
#include "calendar/ganzhi_names.h"
#include "chart/chart_computation.h"
#include "chart/star_texts.h"
#include "cli/case_store_access.h"
#include "cli/chart_batch.h"
#include "cli/chart_image_output.h"
#include "cli/chart_json.h"
#include "cli/chart_options.h"
#include "cli/chart_report_output.h"
#include "cli/chart_run.h"
#include "cli/command_registry.h"
#include "cli/json_output.h"
#include "cli/stdio_files.h"
#include "cli/text_output.h"
#include "cli/user_years.h"

namespace taiyi::cli {
namespace {

struct ChartCommand {
  ChartOptions chart;
  bool json = false;
  bool text = false;        // the editor's text on stdout
  std::string rtf;          // the editor's text as RTF into this file
  std::string html;         // … as HTML
  std::string pdf;          // the report as PDF
  ChartImageOptions image;  // --png --jpg --bmp --font-size
  std::string batch;        // --batch: JSON Lines of requests
  int caseId = 0;           // --case: a stored case
  CLI::Option* caseOpt = nullptr;
};

// Writes one of the editor's forms to a file or stdout; false with the message.
bool WriteTextFile(const std::string& path, const std::string& bytes, std::string& error) {
  if (WriteOutputFile(path, bytes)) return true;
  error = "无法写入文件：" + path;
  return false;
}

std::string Moment(const YiDate& d) {
  return MomentText(d.year, d.month, d.day, d.hour, d.minute);
}

std::string Text(const ComputedChart& c) {
  std::ostringstream out;
  const ChartMoments& m = c.moments;
  out << ChartKindTitle(c.request.kind) << "  " << Moment(m.clockMoment) << "  (校正 "
      << Moment(m.correctedMoment) << ")\n";
  const Pillars& p = c.pillars.pillars;
  out << "干支：" << GanZhiName(p.year) << "年 " << GanZhiName(p.month) << "月 "
      << GanZhiName(p.day) << "日 " << GanZhiName(p.hour) << "时\n";
  out << "积年 " << c.ju.accumulated + 1 << "  太乙数 " << c.ju.taiyiNumber + 1 << "  "
      << (c.ju.yang ? "阳遁" : "阴遁") << c.ju.ju << "局  第" << ChineseNumber(c.ju.ji + 1) << "纪"
      << YuanName(c.ju.yuan) << "元";
  if (c.ju.hasGate) out << "  " << GateName(c.ju.gate) << "门";
  out << "\n主算:" << c.counts.host << ",客算:" << c.counts.guest << ",定算:" << c.counts.fixed
      << "\n";
  for (int i = 0; i < kPositionCount; ++i) {
    out << PositionName(i) << "：";
    for (DeityCode code : NatalEntries(c.natal[i])) out << ' ' << DeityFullName(code);
    out << '\n';
  }
  out << "主卦：" << DisplayName(c.chartPair.first.index) << "  变卦："
      << DisplayName(c.chartPair.second.index) << "\n";
  if (c.birth)
    out << "出身卦：" << DisplayName(c.birth->pair.first.index) << "  立业卦："
        << DisplayName(c.birth->pair.second.index) << "  命宫 "
        << kBranchNames[c.birth->palaces.ming] << "  身宫 " << kBranchNames[c.birth->palaces.shen]
        << "\n";
  return out.str();
}

// The short text of a flow: its moment and age, pillars, ju and counts, the flow deities by
// position, the age limits and the four flow hexagrams.
std::string FlowText(const FlowChart& f) {
  static constexpr const char* kFlowNames[] = {"", "流年", "流月", "流日", "流时"};
  static constexpr const char* kHexagramNames[] = {"流年卦", "流月卦", "流日卦", "流时卦"};
  std::ostringstream out;
  out << kFlowNames[f.kind] << "  " << Moment(f.moments.clockMoment) << "  " << f.age << "岁\n";
  const Pillars& p = f.pillars.pillars;
  out << "干支：" << GanZhiName(p.year) << "年 " << GanZhiName(p.month) << "月 "
      << GanZhiName(p.day) << "日 " << GanZhiName(p.hour) << "时\n";
  out << (f.ju.yang ? "阳遁" : "阴遁") << f.ju.ju << "局  主算:" << f.counts.host
      << ",客算:" << f.counts.guest << ",定算:" << f.counts.fixed << "\n";
  for (int i = 0; i < kPositionCount; ++i) {
    const PositionList entries = FlowEntries(f.positions[i]);
    if (entries.empty()) continue;
    out << PositionName(i) << "：";
    for (DeityCode code : entries) out << ' ' << DeityFullName(code);
    out << '\n';
  }
  out << "阳九 " << kBranchNames[f.yangJiu] << "  百六大限 " << kBranchNames[f.baiLiuGreat]
      << "  百六小限 " << kBranchNames[f.baiLiuSmall] << "\n";
  for (size_t i = 0; i < f.hexagrams.size(); ++i)
    out << (i ? "  " : "") << kHexagramNames[i] << "：" << DisplayName(f.hexagrams[i].index) << ' '
        << ChineseNumber(f.hexagrams[i].movingLine + 1) << "爻动";
  out << "\n";
  return out.str();
}

// The request of the options, or of the stored case of --case.
bool ReadRequest(const CliContext& ctx, const ChartCommand& command, const AppFolder& folder,
                 ChartRequest& request, std::string& error) {
  if (command.caseOpt->count() == 0)
    return ApplyRequestOptions(command.chart, folder, false, request, error);
  MRecordBase store;
  AppFolder storeFolder;
  if (!OpenStore(ctx, store, storeFolder)) return false;
  TRecordData record;
  if (!store.LoadCase(command.caseId, record)) {
    error = "没有这个案例！";
    return false;
  }
  request = record;
  return true;
}

int RunChart(const CliContext& ctx, const ChartCommand& command) {
  const ChartOptions& o = command.chart;
  AppFolder folder;
  if (!PrepareFolder(ctx, folder)) return 1;
  if (!command.batch.empty()) return RunChartBatch(folder, command.batch, o.sets);
  ChartRequest request;
  ChartSettings settings;
  std::string error;
  if (!ReadRequest(ctx, command, folder, request, error)) return error.empty() ? 1 : Fail(error);
  if (!ReadSettingsWithOverrides(o, folder, settings, error)) return Fail(error);

  MYiDateEx dates;
  ChartRun run;
  if (!MakeChartRun(request, settings, o, dates, run, error)) return Fail(error);
  const ComputedChart& chart = run.result.chart;
  if (WantsChartImage(command.image) &&
      !WriteChartImages(command.image, folder, chart, run.Flow(), error))
    return Fail(error);
  const bool wantTexts = command.text || command.json || !command.rtf.empty() ||
                         !command.html.empty() || !command.pdf.empty();
  ChartTexts texts;
  if (wantTexts) ChartTextWriter(folder).Write(chart, dates, texts);
  if (!command.pdf.empty() &&
      !WriteChartReport(command.pdf, folder, run, texts, nullptr, command.image.fontSize, error))
    return Fail(error);
  if (!command.rtf.empty() && !WriteTextFile(command.rtf, ParagraphsToRtf(texts.whole), error))
    return Fail(error);
  if (!command.html.empty() &&
      !WriteTextFile(command.html,
                     ParagraphsToHtml(texts.whole, std::string(ChartKindTitle(request.kind))),
                     error))
    return Fail(error);
  if (command.json) {
    PrintJson(ChartDocument(run, texts));
  } else if (command.text) {
    std::cout << ParagraphsToTerminal(texts.whole, ColoursWanted());
    if (run.Flow()) std::cout << FlowText(*run.Flow());
  } else if (command.rtf.empty() && command.html.empty() && command.pdf.empty() &&
             !WantsChartImage(command.image)) {
    std::cout << Text(chart);
    if (run.Flow()) std::cout << FlowText(*run.Flow());
  }
  return 0;
}

CommandRegistrar reg{
    30, [](CLI::App& app, CliContext& ctx) {
      auto* command = new ChartCommand;  // lives as long as the program
      auto* sub = app.add_subcommand("chart", "排盘: compute a Taiyi chart");
      ChartOptions& o = command->chart;
      AddRequestOptions(sub, o);
      AddSettingOptions(sub, o);
      AddFlowOptions(sub, o);
      AddJsonFlag(sub, command->json);
      auto* text = sub->add_flag(
          "--text", command->text,
          "print the summary, ju text and analysis as the analysis editor shows them");
      auto* rtf = sub->add_option("--rtf", command->rtf,
                                  "write the summary and analysis as RTF to FILE (- for stdout)");
      auto* html = sub->add_option("--html", command->html,
                                   "write the summary and analysis as HTML to FILE (- for stdout)");
      AddChartImageOptions(sub, command->image);
      auto* pdf = sub->add_option("--pdf", command->pdf,
                                  "write an A4 report (chart, summary, ju text, analysis) as PDF "
                                  "to FILE (- for stdout)");
      command->caseOpt = sub->add_option("--case", command->caseId, "chart the stored case ID");
      for (CLI::Option* request :
           {o.kindOpt, o.dateOpt, o.timeOpt, o.lunarOpt, o.solarOpt, o.leapOpt, o.femaleOpt,
            o.maleOpt, o.nameOpt, o.provinceOpt, o.lonOpt})
        command->caseOpt->excludes(request);
      auto* batch = sub->add_option("--batch", command->batch,
                                    "chart every request of a JSON Lines FILE (- for stdin): one "
                                    "chart --json document per line");
      batch->excludes(command->caseOpt)
          ->excludes(text)
          ->excludes(rtf)
          ->excludes(html)
          ->excludes(pdf);
      for (CLI::Option* other : sub->get_options()) {
        const std::string& name = other->get_name();
        if (name != "--batch" && name != "--set" && name != "--json" && name != "--help" &&
            name != "--case" && name != "--text" && name != "--rtf" && name != "--html" &&
            name != "--pdf")
          batch->excludes(other);
      }
      sub->callback(
          [&ctx, command] { ctx.run = [&ctx, command] { return RunChart(ctx, *command); }; });
    }};

}  // namespace
}  // namespace taiyi::cli
