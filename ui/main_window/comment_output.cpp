#include "ui/main_window/comment_output.h"

#include <QPainter>
#include <QPrinter>
#include <memory>

#include "platform/file_util.h"
#include "ui/main_window/editor_rtf.h"
#include "ui/widgets/qt_prompter.h"

namespace taiyi {

QRect ChartPrintRect(int pageWidth, int pageHeight) {
  const int w = static_cast<int>(pageWidth * 0.9);
  const int h = static_cast<int>(w * 0.716);
  const int left = static_cast<int>(pageWidth * 0.05);
  const int top = (pageHeight - h) / 2;
  return QRect(left, top, w, h);
}

bool SaveDocumentAs(const QTextDocument& document, const std::string& path, bool asRtf,
                    std::string& error) {
  const std::string bytes = asRtf ? DocumentToRtf(document) : ToStdString(document.toPlainText());
  if (WriteFileAtomic(path, bytes)) return true;
  error = "无法写入文件：" + path;
  return false;
}

bool PrintDocument(const QTextDocument& document, QPrinter& printer) {
  if (!printer.isValid()) return false;
  printer.setDocName(QString());
  std::unique_ptr<QTextDocument> copy(document.clone());
  copy->print(&printer);
  return printer.printerState() != QPrinter::Error;
}

bool PrintChartImage(const QImage& image, QPrinter& printer) {
  if (!printer.isValid() || image.isNull()) return false;
  printer.setPageOrientation(QPageLayout::Landscape);
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  painter.drawImage(ChartPrintRect(page.width(), page.height()), image);
  return painter.end();
}

}  // namespace taiyi
