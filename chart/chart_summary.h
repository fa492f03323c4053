// The chart summary the engine writes into the analysis editor before the analysis: the
// chart's kind and ju, the person and place, the moments, the lunar date, the accumulated
// years, the pillars with their void branches, the counts, the hexagram pair and the ju text.
#pragma once

#include <string>

#include "chart/chart_computation.h"
#include "chart/ju_texts.h"
#include "platform/rich_text_sink.h"

namespace taiyi {

inline constexpr Colour kSummaryRed = 0x000000FF;   // RGB 255, 0, 0
inline constexpr Colour kSummaryBlue = 0x00FF0000;  // RGB 0, 0, 255

// The analysis editor's own font, which every text written into it starts from.
struct EditorFont {
  std::string name = "宋体";
  int pointSize = 12;
};

// "东经116:24" / "西经0:30": whole degrees and the minutes rounded to the nearer one, half a
// minute rounding down; 60 minutes carry into the degrees.
std::string LongitudeText(double longitude);

// An astronomical year as the user reads it: y for y > 0, y − 1 otherwise (0 → −1).
constexpr int CivilYear(int year) {
  return year > 0 ? year : year - 1;
}

// "农历:二○○○年 闰四月 初十日 子时": the lunar line without its line break.
std::string LunarLineText(const YiDate& lunar, bool leap);

// "空亡：戌亥　　…": the void branches of the four pillars' decades.
std::string VoidLineText(const Pillars& pillars);

// Clears the sink, sets its default font and writes the summary and the ju text of the chart.
void WriteChartSummary(const ComputedChart& chart, const JuTexts& juTexts, const EditorFont& font,
                       RichTextSink& sink);

}  // namespace taiyi
