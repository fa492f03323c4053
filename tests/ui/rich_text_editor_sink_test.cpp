#include "ui/main_window/rich_text_editor_sink.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextDocument>

#include "chart/draw/image_plus.h"
#include "ui/widgets/qt_prompter.h"

namespace taiyi {
namespace {

struct Block {
  QString text;
  QColor colour;
  bool bold;
};

std::vector<Block> Blocks(const QTextEdit& editor) {
  std::vector<Block> out;
  for (QTextBlock b = editor.document()->begin(); b.isValid(); b = b.next()) {
    // The format of the block's text, or of the block itself when it is empty.
    QTextCharFormat f = b.charFormat();
    if (b.length() > 1) f = b.begin().fragment().charFormat();
    out.push_back({b.text(), f.foreground().color(), f.fontWeight() == QFont::Bold});
  }
  return out;
}

TEST(RichTextEditorSink, AppendsParagraphsWithColourAndWeight) {
  QTextEdit editor;
  editor.setPlainText("old text");
  RichTextEditorSink sink(&editor);
  sink.Clear();
  sink.SetDefaultFont("宋体", 12);
  sink.Append("plain");
  sink.SetColour(0x000000FF);  // red
  sink.SetBold(true);
  sink.Append("one\r\ntwo\r\n");
  sink.SetColour(0x00FF0000);  // blue
  sink.SetBold(false);
  sink.Append("三");

  const std::vector<Block> b = Blocks(editor);
  ASSERT_EQ(b.size(), 5u);
  EXPECT_EQ(b[0].text, "plain");
  EXPECT_EQ(b[0].colour, QColor(0, 0, 0));
  EXPECT_FALSE(b[0].bold);
  EXPECT_EQ(b[1].text, "one");
  EXPECT_EQ(b[1].colour, QColor(255, 0, 0));
  EXPECT_TRUE(b[1].bold);
  EXPECT_EQ(b[2].text, "two");
  EXPECT_TRUE(b[2].bold);
  EXPECT_EQ(b[3].text, "");  // the trailing line break opens one more paragraph
  EXPECT_EQ(b[4].text, ToQString("三"));
  EXPECT_EQ(b[4].colour, QColor(0, 0, 255));
  EXPECT_FALSE(b[4].bold);
  EXPECT_EQ(editor.document()->defaultFont().pointSize(), 12);
}

TEST(RichTextEditorSink, DefaultFontResetsColourAndWeightAndCaretGoesToStart) {
  QTextEdit editor;
  RichTextEditorSink sink(&editor);
  sink.SetColour(0x0000FF00);
  sink.SetBold(true);
  sink.SetDefaultFont("宋体", 10);
  sink.Append("a\nb");
  sink.CaretToStart();
  const std::vector<Block> b = Blocks(editor);
  ASSERT_EQ(b.size(), 2u);
  EXPECT_EQ(b[1].text, "b");
  EXPECT_EQ(b[1].colour, QColor(0, 0, 0));
  EXPECT_FALSE(b[1].bold);
  EXPECT_EQ(editor.textCursor().position(), 0);

  sink.Clear();
  sink.Append("x");
  EXPECT_EQ(editor.toPlainText(), "x");
}

TEST(RichTextEditorSink, ColoursConvertBetweenBgrAndQColor) {
  EXPECT_EQ(ToQColor(0xC0CCD0), QColor(208, 204, 192));
  EXPECT_EQ(FromQColor(QColor(208, 204, 192)), 0xC0CCD0u);
}

}  // namespace
}  // namespace taiyi
