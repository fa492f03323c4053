#include "cli/chart_texts.h"

#include "chart/chart_analysis.h"
#include "platform/ini_file.h"

namespace taiyi::cli {
namespace {

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

}  // namespace

ChartTextWriter::ChartTextWriter(const AppFolder& folder) : font_(EditorFontOf(folder)) {
  juTexts_.Load(folder.ShippedDat(kJuTextFileName));
  starTexts_.Load(folder.ShippedDat(kStarTextFileName));
}

void ChartTextWriter::Write(const ComputedChart& chart, MYiDateEx& dates, ChartTexts& out) const {
  WriteChartSummary(chart, juTexts_, font_, out.whole);
  out.summary = out.whole;
  out.whole.SetColour(kAnalysisBlue);
  out.whole.SetBold(true);
  out.whole.Append("\r\n【星盘分析】");
  BothSinks both(out.whole, out.analysis);
  WriteAnalysis(chart, starTexts_, dates, both);
  out.whole.CaretToStart();
}

std::string PartText(const RichTextRecorder& part) {
  std::string text = part.PlainText();
  text.erase(0, text.find_first_not_of('\n'));
  return text;
}

}  // namespace taiyi::cli
