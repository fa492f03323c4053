// The written analysis of a chart, the entry point for the engine and the command line: the
// life-chart analysis for a 命局, the period-chart analysis for the other kinds.
#pragma once

#include "chart/chart_computation.h"
#include "chart/star_texts.h"
#include "platform/rich_text_sink.h"

namespace taiyi {

inline constexpr Colour kAnalysisBlue = 0x00FF0000;  // RGB 0, 0, 255

// Appends the analysis after the heading "\r\n【星盘分析】", in the heading's blue and bold
// (set here, so the caller need not leave them set).  A life chart runs the offence-year scan
// with the given date service.
void WriteAnalysis(const ComputedChart& chart, const StarTexts& stars, MYiDateEx& dates,
                   RichTextSink& sink);

}  // namespace taiyi
