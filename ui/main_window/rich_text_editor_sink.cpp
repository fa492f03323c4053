#include "ui/main_window/rich_text_editor_sink.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "chart/draw/image_plus.h"
#include "ui/widgets/qt_prompter.h"

namespace taiyi {

Colour FromQColor(const QColor& colour) {
  return static_cast<Colour>(colour.red()) | (static_cast<Colour>(colour.green()) << 8) |
         (static_cast<Colour>(colour.blue()) << 16);
}

void RichTextEditorSink::Clear() {
  editor_->clear();
  // clear() keeps the character format of the cursor; start from the default one.
  editor_->setCurrentCharFormat(QTextCharFormat());
  empty_ = true;
}

void RichTextEditorSink::SetDefaultFont(std::string_view name, int pointSize) {
  QFont font(ResolveFontFamily(std::string(name)));
  if (pointSize > 0) font.setPointSize(pointSize);
  editor_->document()->setDefaultFont(font);
  colour_ = kDefaultColour;
  bold_ = false;
}

void RichTextEditorSink::Append(std::string_view text) {
  QTextCursor cursor(editor_->document());
  cursor.movePosition(QTextCursor::End);
  QTextCharFormat format;
  format.setForeground(ToQColor(colour_));
  format.setFontWeight(bold_ ? QFont::Bold : QFont::Normal);
  cursor.beginEditBlock();
  while (true) {
    const std::size_t nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (empty_) {
      cursor.setBlockCharFormat(format);
      empty_ = false;
    } else {
      cursor.insertBlock(QTextBlockFormat(), format);
    }
    cursor.insertText(ToQString(line), format);
    if (nl == std::string_view::npos) break;
    text.remove_prefix(nl + 1);
  }
  cursor.endEditBlock();
}

void RichTextEditorSink::CaretToStart() {
  QTextCursor cursor = editor_->textCursor();
  cursor.movePosition(QTextCursor::Start);
  editor_->setTextCursor(cursor);
  editor_->ensureCursorVisible();
}

}  // namespace taiyi
