// The analysis of a life chart (命局): the stars of the 命 palace from the star texts, the
// conditions, the offence years of the first hundred years, the count patterns with their
// interpretations and the 五福 combinations.
#pragma once

#include <string>

#include "chart/chart_computation.h"
#include "chart/star_texts.h"
#include "platform/rich_text_sink.h"

namespace taiyi {

// The 命 palace part: "命宫:" lines of at most two deities with texts on its governing
// position (general line, then the line of that position), after "命宫无主星…" when the
// palace has no star of its own.
struct LifeStarTexts {
  std::string lines;   // text A
  std::string grades;  // text B: one "★…入命，…" line per grade sentence
};
LifeStarTexts MingPalaceTexts(const ComputedChart& life, const StarTexts& stars);

// The sentences for 君基, 臣基, 民基, 文昌 and 计神 in the palace of 五福; empty when none.
std::string WuFuTexts(const ComputedChart& life);

// The interpretations of the count patterns set, in pattern order; empty when none.
std::string PatternTexts(const CountPatterns& patterns);

// Appends the eight parts with the sink's current colour and weight; runs the offence-year
// scan (a hundred flow charts, not drawn) with the given date service.
void LifeAnalysis(const ComputedChart& life, const StarTexts& stars, MYiDateEx& dates,
                  RichTextSink& sink);

}  // namespace taiyi
