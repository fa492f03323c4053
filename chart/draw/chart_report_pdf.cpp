#include "chart/draw/chart_report_pdf.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <algorithm>

#include "chart/draw/chart_geometry.h"
#include "chart/draw/image_plus.h"

namespace taiyi {
namespace {

// The page is laid out in pixels of 96 dots per inch, as the chart is drawn on screen, so
// that point sizes mean the same on the page as in the chart's layout.
constexpr int kDotsPerInch = 96;
constexpr qreal kMarginMillimetres = 15;
constexpr qreal kTitlePoints = 16;

}  // namespace

bool MakeChartReportPdf(const ChartReport& report, std::string& pdf, std::string& error) {
  if (report.chart.chart == nullptr) {
    error = "没有星盘";
    return false;
  }
  MImagePlus surface;
  if (!surface.IsUsable()) {
    error = "无法绘制星图";
    return false;
  }
  QImage sizing;
  const ChartGeometry geometry = SizeChartImage(surface, sizing, report.fontSize);
  const int chartWidth = sizing.width();
  const int chartHeight = sizing.height();
  sizing = QImage();

  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(kDotsPerInch);
  writer.setPageLayout(QPageLayout(
      QPageSize(QPageSize::A4), QPageLayout::Portrait,
      QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
      QPageLayout::Millimeter));
  writer.setTitle(QString::fromStdString(report.title));
  writer.setCreator(QStringLiteral("墨衡太乙神数"));
  const QRectF page(QPointF(0, 0), writer.pageLayout().paintRectPixels(kDotsPerInch).size());

  QPainter painter;
  if (!painter.begin(&writer)) {
    error = "无法生成PDF";
    return false;
  }
  // Page one: the title and the chart, as large as the page allows.
  QFont titleFont(ResolveFontFamily(kDefaultFontFace));
  titleFont.setPointSizeF(kTitlePoints);
  titleFont.setBold(true);
  painter.setFont(titleFont);
  const QRectF titleBox(0, 0, page.width(), kTitlePoints * 2.2);
  painter.drawText(titleBox, Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(report.title));
  const qreal room = page.height() - titleBox.height();
  const qreal scale = std::min(page.width() / chartWidth, room / chartHeight);
  painter.save();
  painter.translate((page.width() - chartWidth * scale) / 2, titleBox.height());
  painter.scale(scale, scale);
  painter.setClipRect(QRectF(0, 0, chartWidth, chartHeight));
  if (surface.Bind(&painter, chartWidth, chartHeight)) {
    DrawChart(surface, geometry, report.chart);
    surface.Release();
  }
  painter.restore();

  // The body from page two on, laid out in page-high slices.
  QTextDocument body;
  body.documentLayout()->setPaintDevice(&writer);
  body.setDocumentMargin(0);
  QFont bodyFont(ResolveFontFamily(kDefaultFontFace));
  bodyFont.setPointSize(12);
  body.setDefaultFont(bodyFont);
  body.setPageSize(page.size());
  body.setHtml(QString::fromStdString(report.bodyHtml));
  for (int i = 0; i < body.pageCount(); ++i) {
    writer.newPage();
    painter.save();
    painter.translate(0, -i * page.height());
    body.drawContents(&painter, QRectF(0, i * page.height(), page.width(), page.height()));
    painter.restore();
  }
  painter.end();
  pdf.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  return true;
}

}  // namespace taiyi
