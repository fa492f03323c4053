#include "ui/main_window/editor_rtf.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "chart/draw/image_plus.h"
#include "store/rtf_reader.h"

namespace taiyi {
namespace {

TEST(EditorRtf, FormattedTextSurvivesTheRoundTrip) {
  QTextDocument doc;
  QTextCursor cursor(&doc);
  cursor.insertText(QStringLiteral("普通"));
  QTextCharFormat red;
  red.setForeground(QColor(255, 0, 0));
  red.setFontWeight(QFont::Bold);
  red.setFontPointSize(16);
  cursor.insertText(QStringLiteral("红字"), red);
  cursor.insertBlock();
  cursor.insertText(QStringLiteral("second\u2028line"), QTextCharFormat());

  const std::string rtf = DocumentToRtf(doc);
  EXPECT_TRUE(LooksLikeRtf(rtf));
  EXPECT_EQ(RtfPlainText(rtf), "普通红字\nsecond\nline");

  QTextDocument back;
  LoadRtfIntoDocument(rtf, back);
  ASSERT_EQ(back.blockCount(), 2);
  EXPECT_EQ(back.begin().text(), QStringLiteral("普通红字"));
  QTextCursor at(&back);
  at.setPosition(4);  // inside 红字
  EXPECT_EQ(at.charFormat().foreground().color(), QColor(255, 0, 0));
  EXPECT_EQ(at.charFormat().fontWeight(), QFont::Bold);
  EXPECT_EQ(at.charFormat().fontPointSize(), 16);
  EXPECT_EQ(PlainComment(back), "普通红字\nsecond\nline");
}

TEST(EditorRtf, TheSongStandInIsWrittenAsSongTi) {
  QTextDocument doc;
  QFont song(ResolveFontFamily("宋体"));
  doc.setDefaultFont(song);
  QTextCursor(&doc).insertText(QStringLiteral("字"));
  RtfDocument read;
  ASSERT_TRUE(ReadRtf(DocumentToRtf(doc), read));
  ASSERT_FALSE(read.paragraphs.empty());
  EXPECT_EQ(read.paragraphs[0].runs.at(0).format.font, "宋体");
}

TEST(EditorRtf, PlainFilesLoadAsTextAndCommentsLoseApostrophes) {
  QTextDocument doc;
  LoadRtfIntoDocument("it's\r\nplain", doc);
  EXPECT_EQ(doc.toPlainText(), QStringLiteral("it's\nplain"));
  EXPECT_EQ(PlainComment(doc), "its\nplain");
}

}  // namespace
}  // namespace taiyi
