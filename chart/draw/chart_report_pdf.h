// A chart report as one A4 PDF document: a title, the drawn chart as vector graphics (its
// texts stay text; the antique background is a picture), then the body text (summary, ju
// text, analysis and a case's comment, with their colours) over as many pages as it needs.
#pragma once

#include <string>

#include "chart/draw/chart_drawing.h"

namespace taiyi {

struct ChartReport {
  std::string title;
  ChartDrawInput chart;
  int fontSize = 12;  // the chart's font size 9..25
  // The body as HTML that QTextDocument reads (paragraphs with colour and bold).
  std::string bodyHtml;
};

// The PDF bytes of the report; false with a message when it cannot be made.  Needs a
// QGuiApplication (fonts).
bool MakeChartReportPdf(const ChartReport& report, std::string& pdf, std::string& error);

}  // namespace taiyi
