#include "chart/ju_texts.h"

#include <gtest/gtest.h>

#include "platform/file_util.h"
#include "platform/gbk.h"
#include "tests/support/temp_dir.h"

namespace taiyi {
namespace {

const std::string kShippedJuTexts = std::string(TAIYI_SOURCE_DAT_DIR) + "/" + kJuTextFileName;

TEST(JuTexts, NumbersAndSplitting) {
  EXPECT_EQ(JuTextNumber(true, 1), 1001);
  EXPECT_EQ(JuTextNumber(true, 72), 1072);
  EXPECT_EQ(JuTextNumber(false, 1), 1801);
  EXPECT_EQ(JuTextNumber(false, 72), 1872);
  EXPECT_EQ(JuTextNumber(false, 73), 0);
  EXPECT_EQ(JuTextNumber(true, 0), 0);

  JuTextParts parts = SplitJuText("第一局_主算五_余");
  EXPECT_EQ(parts.title, "第一局");
  EXPECT_EQ(parts.body, "主算五_余");
  parts = SplitJuText("无分隔之文");
  EXPECT_EQ(parts.title, "");
  EXPECT_EQ(parts.body, "无分隔之文");
  parts = SplitJuText("_");
  EXPECT_EQ(parts.title, "");
  EXPECT_EQ(parts.body, "");
}

TEST(JuTexts, DamagedLinesAreSkipped) {
  JuTexts texts;
  EXPECT_EQ(texts.Parse("\xEF\xBB\xBF# comment\r\n"
                        "1001=第一局_甲\r\n"
                        "1001=重复_乙\r\n"
                        "1000=越界_丙\n"
                        "1073=越界_丁\n"
                        "18x1=坏号_戊\n"
                        "无等号之行\n"
                        "=无号\n"
                        "1872=第七十二局_己"),  // no final line break
            2);
  EXPECT_EQ(texts.Text(1001), "第一局_甲");
  EXPECT_EQ(texts.Text(false, 72), "第七十二局_己");
  EXPECT_EQ(texts.Text(1801), "");
  EXPECT_EQ(texts.Text(1073), "");
  EXPECT_EQ(texts.Count(), 2);
  // A second parse replaces everything.
  EXPECT_EQ(texts.Parse(""), 0);
  EXPECT_EQ(texts.Count(), 0);
}

TEST(JuTexts, GbkFileAndMissingFile) {
  test::TempDir dir;
  ASSERT_TRUE(WriteFileAtomic(dir.file("ju.txt"), Utf8ToGbk("1805=第五局_客算十。\r\n")));
  JuTexts texts;
  EXPECT_TRUE(texts.Load(dir.file("ju.txt")));
  EXPECT_EQ(texts.Text(false, 5), "第五局_客算十。");
  EXPECT_FALSE(texts.Load(dir.file("none.txt")));
  EXPECT_EQ(texts.Count(), 0);
}

TEST(JuTexts, ShippedFileIsComplete) {
  JuTexts texts;
  ASSERT_TRUE(texts.Load(kShippedJuTexts));
  EXPECT_EQ(texts.Count(), kJuTextCount);
  EXPECT_TRUE(
      texts.Text(1801).starts_with("第一局_主算五，八门杜，主大将、主参将不出中宫；客大将囚。"));
  const char* numerals[] = {"一", "二", "三", "四", "五", "六", "七", "八", "九"};
  for (bool yang : {true, false}) {
    for (int ju = 1; ju <= 72; ++ju) {
      const std::string_view text = texts.Text(yang, ju);
      const JuTextParts parts = SplitJuText(text);
      ASSERT_NE(text.find('_'), std::string_view::npos) << yang << ju;
      EXPECT_TRUE(parts.title.starts_with("第") && parts.title.ends_with("局")) << text;
      EXPECT_GT(parts.body.size(), 60u) << text;
      // The title names the ju: 第一局 … 第七十二局.
      std::string want = "第";
      if (ju >= 20) want += numerals[ju / 10 - 1];
      if (ju >= 10) want += "十";
      if (ju % 10) want += numerals[ju % 10 - 1];
      EXPECT_EQ(parts.title, want + "局");
    }
  }
}

}  // namespace
}  // namespace taiyi
