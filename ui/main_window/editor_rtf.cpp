#include "ui/main_window/editor_rtf.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextFragment>
#include <cmath>

#include "chart/draw/image_plus.h"
#include "store/record_data.h"
#include "store/rtf_reader.h"
#include "store/rtf_writer.h"
#include "ui/main_window/rich_text_editor_sink.h"
#include "ui/widgets/qt_prompter.h"

namespace taiyi {
namespace {

RtfCharFormat FormatOf(const QTextCharFormat& format, const QFont& fallback) {
  const QFont font = format.font().resolve(fallback);
  RtfCharFormat out;
  const QStringList families = format.fontFamilies().toStringList();
  const QString family = families.isEmpty() ? font.family() : families.front();
  // The installed face that stands in for 宋体 is written under that name.
  out.font = family == ResolveFontFamily(kCommentFontName) ? std::string(kCommentFontName)
                                                           : ToStdString(family);
  double points = font.pointSizeF();
  if (points <= 0 && font.pixelSize() > 0) points = font.pixelSize() * 0.75;
  if (points <= 0) points = kCommentHalfPoints / 2.0;
  out.halfPoints = static_cast<int>(std::lround(points * 2));
  out.bold = font.bold();
  out.italic = font.italic();
  out.underline = font.underline();
  out.colour = format.hasProperty(QTextFormat::ForegroundBrush)
                   ? FromQColor(format.foreground().color())
                   : kDefaultColour;
  return out;
}

QTextCharFormat QtFormatOf(const RtfCharFormat& format) {
  QTextCharFormat out;
  if (!format.font.empty()) out.setFontFamilies({ResolveFontFamily(format.font)});
  out.setFontPointSize(format.halfPoints / 2.0);
  out.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
  out.setFontItalic(format.italic);
  out.setFontUnderline(format.underline);
  out.setForeground(ToQColor(format.colour));
  return out;
}

}  // namespace

std::string DocumentToRtf(const QTextDocument& document) {
  RtfDocument doc;
  const QFont fallback = document.defaultFont();
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    doc.paragraphs.emplace_back();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.isValid()) continue;
      QString text = fragment.text();
      // A line break typed inside the paragraph (Shift+Enter).
      text.replace(QChar::LineSeparator, QLatin1Char('\n'));
      doc.AppendText(ToStdString(text), FormatOf(fragment.charFormat(), fallback));
    }
  }
  return WriteRtf(doc);
}

void LoadRtfIntoDocument(std::string_view bytes, QTextDocument& document) {
  RtfDocument doc;
  if (!ReadRtf(bytes, doc)) {
    document.setPlainText(ToQString(RtfPlainText(bytes)));
    return;
  }
  document.clear();
  QTextCursor cursor(&document);
  cursor.beginEditBlock();
  bool first = true;
  for (const RtfParagraph& paragraph : doc.paragraphs) {
    if (!first) cursor.insertBlock();
    first = false;
    for (const RtfRun& run : paragraph.runs) {
      QString text = ToQString(run.text);
      text.replace(QLatin1Char('\n'), QChar::LineSeparator);
      cursor.insertText(text, QtFormatOf(run.format));
    }
  }
  cursor.endEditBlock();
}

std::string PlainComment(const QTextDocument& document) {
  QString text;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block != document.begin()) text += QLatin1Char('\n');
    QString line = block.text();
    line.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text += line;
  }
  return RemoveApostrophes(ToStdString(text));
}

}  // namespace taiyi
