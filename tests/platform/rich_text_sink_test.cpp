#include "platform/rich_text_sink.h"

#include <gtest/gtest.h>

namespace taiyi {
namespace {

TEST(RichTextRecorder, EveryLineBreakStartsAParagraphWithTheCurrentAttributes) {
  RichTextRecorder r;
  r.SetDefaultFont("宋体", 11);
  r.Append("太乙命局，阳遁第15局\r\n张三,北京");
  r.SetColour(0x0000FF);
  r.SetBold(true);
  r.Append("乾造：甲子年");
  r.Append("主算 5\r\n\r\n");
  using P = RichTextRecorder::Paragraph;
  EXPECT_EQ(r.Paragraphs(), (std::vector<P>{{"太乙命局，阳遁第15局", 0, false},
                                            {"张三,北京", 0, false},
                                            {"乾造：甲子年", 0x0000FF, true},
                                            {"主算 5", 0x0000FF, true},
                                            {"", 0x0000FF, true},
                                            {"", 0x0000FF, true}}));
  r.Clear();
  EXPECT_TRUE(r.Paragraphs().empty());
  r.SetDefaultFont("宋体", 11);  // back to regular black
  r.Append("x");
  EXPECT_EQ(r.Paragraphs().front(), (P{"x", 0, false}));
}

}  // namespace
}  // namespace taiyi
