// Writing and printing what the main window shows: an editor's text saved as rich or plain
// text, an editor printed, the chart image printed on a landscape page.
#pragma once

#include <QImage>
#include <QRect>
#include <QTextDocument>
#include <string>

class QPrinter;

namespace taiyi {

// The rectangle the chart image is stretched into on a page of width × height printer
// pixels: 90% of the width, 0.716 as high as wide, 5% in from the left, centred down.
QRect ChartPrintRect(int pageWidth, int pageHeight);

// Writes the document to path: as RTF when asRtf, else its plain text (UTF-8).  False with
// the reason in error.
bool SaveDocumentAs(const QTextDocument& document, const std::string& path, bool asRtf,
                    std::string& error);

// Prints the whole document with an empty document title.  False when the printer failed.
bool PrintDocument(const QTextDocument& document, QPrinter& printer);

// Prints the chart image on one landscape page, stretched into ChartPrintRect.
bool PrintChartImage(const QImage& image, QPrinter& printer);

}  // namespace taiyi
