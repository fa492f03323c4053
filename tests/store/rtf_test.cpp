#include <gtest/gtest.h>

#include <string>

#include "platform/file_util.h"
#include "store/rtf_reader.h"
#include "store/rtf_writer.h"

namespace taiyi {
namespace {

std::string Fixture(const std::string& name) {
  std::string bytes;
  EXPECT_TRUE(ReadFile(std::string(TAIYI_TEST_DATA_DIR) + "/rtf/" + name, bytes)) << name;
  return bytes;
}

TEST(RtfReader, FixturesGiveTheirPlainText) {
  const struct {
    const char* file;
    const char* text;
  } cases[] = {
      {"richedit_gbk.rtf", "张三命好, ok\nline\ntwo\tend\n下划线"},
      {"richedit_unicode.rtf", "你好 {x} \\ 😊日\n"},
      {"libreoffice.rtf", "Hello 张三café\nSecond\tline"},
      {"damaged.rtf", "开始bold"},
  };
  for (const auto& c : cases) EXPECT_EQ(RtfPlainText(Fixture(c.file)), c.text) << c.file;
}

TEST(RtfReader, RichEditRunsCarryFontSizeStyleAndColour) {
  RtfDocument doc;
  ASSERT_TRUE(ReadRtf(Fixture("richedit_gbk.rtf"), doc));
  ASSERT_EQ(doc.paragraphs.size(), 3u);
  const auto& first = doc.paragraphs[0].runs;
  ASSERT_EQ(first.size(), 3u);
  EXPECT_EQ(first[0].text, "张三");
  EXPECT_EQ(first[0].format, (RtfCharFormat{"宋体", 21, false, false, false, 0}));
  EXPECT_EQ(first[1].text, "命好");
  EXPECT_EQ(first[1].format, (RtfCharFormat{"宋体", 21, true, false, false, 0x0000FF}));
  EXPECT_EQ(first[2].text, ", ok");
  EXPECT_EQ(doc.paragraphs[1].runs.at(0).format.font, "Arial");
  EXPECT_EQ(doc.paragraphs[1].runs.at(0).format.halfPoints, 28);
  EXPECT_TRUE(doc.paragraphs[2].runs.at(0).format.underline);
}

TEST(RtfReader, LibreOfficeRuns) {
  RtfDocument doc;
  ASSERT_TRUE(ReadRtf(Fixture("libreoffice.rtf"), doc));
  ASSERT_EQ(doc.paragraphs.size(), 2u);
  const auto& runs = doc.paragraphs[0].runs;
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].format.font, "Liberation Serif");
  EXPECT_EQ(runs[1].text, "张三");
  EXPECT_EQ(runs[1].format.font, "Noto Serif CJK SC");
  EXPECT_EQ(runs[2].text, "café");
  EXPECT_TRUE(runs[2].format.italic);
  EXPECT_EQ(runs[2].format.colour, 0x000080u);
}

TEST(RtfReader, NonRtfIsTakenAsPlainText) {
  EXPECT_EQ(RtfPlainText("a\r\nb\rc"), "a\nb\nc");
  EXPECT_EQ(RtfPlainText("\xd5\xc5\xc8\xfd"), "张三");  // GBK bytes
  RtfDocument doc;
  EXPECT_FALSE(ReadRtf("plain", doc));
  // Nesting far beyond any real document neither crashes nor loses the text around it.
  std::string deep = "{\\rtf1 a";
  for (int i = 0; i < 100000; ++i) deep += '{';
  EXPECT_EQ(RtfPlainText(deep + "b"), "a");
}

TEST(RtfWriter, PlainTextRoundTrips) {
  const char* texts[] = {"", "好", "a\nb", "a\n", "\n\n", "tab\there {x} \\y", "𠀀 and 😊 é",
                         "张三\n李四\n"};
  for (const char* text : texts) {
    const std::string rtf = PlainTextToRtf(text);
    EXPECT_EQ(RtfPlainText(rtf), text) << rtf;
    EXPECT_EQ(rtf.find_first_of("\x80\xff"), std::string::npos);  // pure ASCII file
  }
  EXPECT_EQ(RtfPlainText(PlainTextToRtf("a\r\nb")), "a\nb");
  // GBK characters are written as the rich-text control writes them.
  EXPECT_NE(PlainTextToRtf("张").find("\\'d5\\'c5"), std::string::npos);
}

TEST(RtfWriter, RunsRoundTrip) {
  RtfDocument doc;
  doc.paragraphs.resize(3);
  doc.paragraphs[0].runs = {{"张三", {"宋体", 21, false, false, false, 0}},
                            {"bold red", {"宋体", 21, true, false, false, 0x0000FF}},
                            {" big", {"Arial", 36, false, true, true, 0x00FF00}}};
  doc.paragraphs[2].runs = {{"after empty\tline", {"黑体", 24, false, false, false, 0x123456}}};
  for (const char* file : {"richedit_gbk.rtf", "libreoffice.rtf"}) {
    RtfDocument fixture;
    ASSERT_TRUE(ReadRtf(Fixture(file), fixture));
    RtfDocument again;
    ASSERT_TRUE(ReadRtf(WriteRtf(fixture), again));
    EXPECT_EQ(again, fixture) << file;
  }
  RtfDocument back;
  ASSERT_TRUE(ReadRtf(WriteRtf(doc), back));
  EXPECT_EQ(back, doc);
}

}  // namespace
}  // namespace taiyi
