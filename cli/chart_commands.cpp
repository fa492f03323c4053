// taiyi-cli chart: computes one chart (and optionally one flow) and prints it as text or JSON.
#include <unistd.h>

#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "calendar/date_service.h"
#include "calendar/ganzhi_names.h"
#include "chart/chart_analysis.h"
#include "chart/chart_computation.h"
#include "chart/chart_summary.h"
#include "chart/flow_chart.h"
#include "chart/ju_texts.h"
#include "chart/star_texts.h"
#include "cli/chart_image_output.h"
#include "cli/chart_json.h"
#include "cli/json_output.h"
#include "cli/chart_options.h"
#include "cli/command_registry.h"
#include "cli/text_output.h"
#include "cli/user_years.h"
#include "platform/file_util.h"
#include "platform/ini_file.h"

namespace taiyi::cli {
namespace {

struct ChartCommand {
  ChartOptions chart;
  bool json = false;
  bool text = false;        // the editor's text on stdout
  std::string rtf;          // the editor's text as RTF into this file
  std::string html;         // … as HTML
  ChartImageOptions image;  // --png --jpg --bmp --font-size
};

// The analysis editor's font as dat/init.ini keeps it (section minggao).
EditorFont EditorFontOf(const AppFolder& folder) {
  const IniFile ini(folder.Dat() + "init.ini");
  EditorFont font;
  font.name = ini.ReadString("minggao", "fname", font.name);
  font.pointSize = ini.ReadInteger("minggao", "fsize", font.pointSize);
  if (font.name.empty()) font.name = "宋体";
  if (font.pointSize <= 0) font.pointSize = 12;
  return font;
}

// What the analysis editor shows after a chart: the summary with the ju text, then the
// analysis.  summary and analysis keep the two parts apart for the JSON document.
struct ChartTexts {
  RichTextRecorder whole;
  RichTextRecorder summary;
  RichTextRecorder analysis;
};

// Passes everything written on to two sinks, so that the analysis is written once into the
// whole text and into its own part.
class BothSinks final : public RichTextSink {
 public:
  BothSinks(RichTextSink& a, RichTextSink& b) : a_(a), b_(b) {}
  void Clear() override { a_.Clear(), b_.Clear(); }
  void SetDefaultFont(std::string_view name, int pointSize) override {
    a_.SetDefaultFont(name, pointSize), b_.SetDefaultFont(name, pointSize);
  }
  void SetColour(Colour colour) override { a_.SetColour(colour), b_.SetColour(colour); }
  void SetBold(bool bold) override { a_.SetBold(bold), b_.SetBold(bold); }
  void Append(std::string_view text) override { a_.Append(text), b_.Append(text); }
  void CaretToStart() override { a_.CaretToStart(), b_.CaretToStart(); }

 private:
  RichTextSink& a_;
  RichTextSink& b_;
};

void WriteChartTexts(const ComputedChart& chart, const AppFolder& folder, MYiDateEx& dates,
                     ChartTexts& out) {
  JuTexts juTexts;
  juTexts.Load(folder.ShippedDat(kJuTextFileName));  // a missing file leaves the texts empty
  StarTexts starTexts;
  starTexts.Load(folder.ShippedDat(kStarTextFileName));  // … and the star lines
  const EditorFont font = EditorFontOf(folder);
  WriteChartSummary(chart, juTexts, font, out.whole);
  out.summary = out.whole;
  out.whole.SetColour(kAnalysisBlue);
  out.whole.SetBold(true);
  out.whole.Append("\r\n【星盘分析】");
  BothSinks both(out.whole, out.analysis);
  WriteAnalysis(chart, starTexts, dates, both);
  out.whole.CaretToStart();
}

// The plain text of a part for the JSON document, without the line breaks it starts with.
std::string PartText(const RichTextRecorder& part) {
  std::string text = part.PlainText();
  text.erase(0, text.find_first_not_of('\n'));
  return text;
}

// Writes one of the editor's forms to a file; false with the message when it fails.
bool WriteTextFile(const std::string& path, const std::string& bytes, std::string& error) {
  if (WriteFileAtomic(path, bytes)) return true;
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

int RunChart(const CliContext& ctx, const ChartCommand& command) {
  const ChartOptions& o = command.chart;
  AppFolder folder;
  if (!PrepareFolder(ctx, folder)) return 1;
  ChartRequest request;
  ChartSettings settings;
  std::string error;
  if (!ApplyRequestOptions(o, folder, false, request, error)) return Fail(error);
  if (!ReadSettingsWithOverrides(o, folder, settings, error)) return Fail(error);

  MYiDateEx dates;
  const ChartResult result = ComputeChart(request, settings, dates);
  if (!result.ok) return Fail(result.error);

  nlohmann::ordered_json doc = ChartJson(result.chart);
  int flowKind = 0;
  double flowMoment = 0;
  if (!ResolveFlowOptions(o, dates, flowKind, flowMoment, error)) return Fail(error);
  FlowResult flow;
  if (flowKind != 0) {
    if (request.kind != ChartKind::kLife) return Fail("流年只适用于命局");
    flow = MakeFlowChart(result.chart, flowMoment, flowKind, dates);
    if (!flow.ok) return Fail(flow.error);
    doc["flow"] = FlowJson(flow.flow);
  }
  if (WantsChartImage(command.image) &&
      !WriteChartImages(command.image, folder, result.chart, flow.ok ? &flow.flow : nullptr, error))
    return Fail(error);
  const bool wantTexts =
      command.text || command.json || !command.rtf.empty() || !command.html.empty();
  ChartTexts texts;
  if (wantTexts) WriteChartTexts(result.chart, folder, dates, texts);
  if (!command.rtf.empty() && !WriteTextFile(command.rtf, ParagraphsToRtf(texts.whole), error))
    return Fail(error);
  if (!command.html.empty() &&
      !WriteTextFile(command.html,
                     ParagraphsToHtml(texts.whole, std::string(ChartKindTitle(request.kind))),
                     error))
    return Fail(error);
  if (command.json) {
    doc["summary"] = PartText(texts.summary);
    doc["analysis"] = PartText(texts.analysis);
    std::cout << JsonText(doc, 2) << '\n';
  } else if (command.text) {
    std::cout << ParagraphsToTerminal(texts.whole, isatty(STDOUT_FILENO) != 0);
    if (doc.contains("flow")) std::cout << JsonText(doc["flow"], 2) << '\n';
  } else if (command.rtf.empty() && command.html.empty() && !WantsChartImage(command.image)) {
    std::cout << Text(result.chart);
    if (doc.contains("flow")) std::cout << JsonText(doc["flow"], 2) << '\n';
  }
  return 0;
}

CommandRegistrar reg{
    30, [](CLI::App& app, CliContext& ctx) {
      auto* command = new ChartCommand;  // lives as long as the program
      auto* sub = app.add_subcommand("chart", "排盘: compute a Taiyi chart");
      AddRequestOptions(sub, command->chart);
      AddSettingOptions(sub, command->chart);
      AddFlowOptions(sub, command->chart);
      sub->add_flag("--json", command->json, "print JSON");
      sub->add_flag("--text", command->text,
                    "print the summary, ju text and analysis as the analysis editor shows them");
      sub->add_option("--rtf", command->rtf, "write the summary and analysis as RTF to FILE");
      sub->add_option("--html", command->html, "write the summary and analysis as HTML to FILE");
      AddChartImageOptions(sub, command->image);
      sub->callback(
          [&ctx, command] { ctx.run = [&ctx, command] { return RunChart(ctx, *command); }; });
    }};

}  // namespace
}  // namespace taiyi::cli
