// What the analysis editor shows after a chart, made without a window: the summary with the
// ju text, then the analysis, as paragraphs with their colours.  The texts and the editor's
// font are read once and serve any number of charts (also from several threads at once).
#pragma once

#include <string>

#include "calendar/date_service.h"
#include "chart/chart_computation.h"
#include "chart/chart_summary.h"
#include "chart/ju_texts.h"
#include "chart/star_texts.h"
#include "platform/app_folder.h"
#include "platform/rich_text_sink.h"

namespace taiyi::cli {

// The whole text as the editor shows it, and its two parts apart for the JSON document.
struct ChartTexts {
  RichTextRecorder whole;
  RichTextRecorder summary;
  RichTextRecorder analysis;
};

class ChartTextWriter {
 public:
  // Reads the ju texts, the star texts and the editor's font of the folder; missing files
  // leave the texts empty.
  explicit ChartTextWriter(const AppFolder& folder);

  void Write(const ComputedChart& chart, MYiDateEx& dates, ChartTexts& out) const;

 private:
  JuTexts juTexts_;
  StarTexts starTexts_;
  EditorFont font_;
};

// The plain text of a part for the JSON document, without the line breaks it starts with.
std::string PartText(const RichTextRecorder& part);

}  // namespace taiyi::cli
