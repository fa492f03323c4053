// The star-text lookups: counted lines of a section up to its "[end]", the line of a deity's
// position, the grade sentence, and what a missing or damaged file gives.

#include <gtest/gtest.h>

#include <string>

#include "chart/star_texts.h"
#include "platform/gbk.h"

namespace taiyi {
namespace {

// A small text: one-character lines and blank lines do not count; [Short] has no fifth
// line before its [end]; [Open] runs to the end of the text without one.
constexpr char kText[] =
    "\xEF\xBB\xBF[Short]\r\n"
    "  first line  \r\n"
    "x\r\n"
    "\r\n"
    "second line\r\n"
    "。\r\n"
    "third\n"
    "[end]\n"
    "after the end\n"
    "[WuFu_Grade]\n"
    "五福\n"
    "上等:丑辰申亥，上。\n"
    "中等:子巳午酉未戌，中。\n"
    "下等:寅卯，下。\n"
    "[end]\n"
    "[Open]\n"
    "only line\n";

TEST(StarTextsTest, StarLineCountsLinesUpToTheEndLine) {
  StarTexts t;
  ASSERT_GT(t.Parse(kText), 0);
  struct Case {
    const char* key;
    int n;
    const char* want;
  };
  const Case cases[] = {
      {"Short", 1, "first line"}, {"Short", 2, "second line"},
      {"Short", 3, "third"},      {"Short", 4, ""},
      {"Short", 0, ""},           {"Short", -1, ""},
      {"Open", 1, "only line"},   {"Open", 2, ""},
      {"Missing", 1, ""},         {"short", 1, ""},
      {"WuFu_Grade", 1, "五福"},  {"end", 1, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(t.StarLine(c.key, c.n), c.want) << c.key << " " << c.n;
}

TEST(StarTextsTest, GradeTextTakesTheFirstGradeListingTheBranch) {
  StarTexts t;
  t.Parse(kText);
  EXPECT_EQ(t.GradeText(kWuFu, kPosChou), "★五福入命，上等:丑辰申亥，上。");
  EXPECT_EQ(t.GradeText(kWuFu, kPosWei), "★五福入命，中等:子巳午酉未戌，中。");
  EXPECT_EQ(t.GradeText(kWuFu, kPosMao), "★五福入命，下等:寅卯，下。");
  // Corner palaces and the centre have no grade; nor have deities outside the grade table.
  EXPECT_EQ(t.GradeText(kWuFu, kPosQian), "");
  EXPECT_EQ(t.GradeText(kWuFu, kPosCentre), "");
  EXPECT_EQ(t.GradeText(kTaiYi, kPosChou), "");
  // A star of the table whose grade section is missing writes nothing.
  EXPECT_EQ(t.GradeText(kJunJi, kPosChou), "");
}

TEST(StarTextsTest, MissingOrDamagedFileGivesEmptyLines) {
  StarTexts missing;
  EXPECT_FALSE(missing.Load("/nonexistent/yistar.txt"));
  EXPECT_EQ(missing.StarLine("WuFu", 1), "");
  EXPECT_EQ(missing.PositionLine(kWuFu, kPosZi), "");
  EXPECT_EQ(missing.GradeText(kWuFu, kPosChou), "");

  StarTexts damaged;
  damaged.Parse(std::string("[WuFu]\n\xFF\xFE\x80\n[", 12));
  EXPECT_EQ(damaged.StarLine("WuFu", 2), "");
  EXPECT_EQ(damaged.GradeText(kWuFu, kPosChou), "");
}

TEST(StarTextsTest, GbkFileReadsLikeItsUtf8Form) {
  StarTexts t;
  t.Parse(Utf8ToGbk("[WuFu]\n总论\n五福在子宫，喜生春夏。\n[end]\n"));
  EXPECT_EQ(t.StarLine("WuFu", 2), "五福在子宫，喜生春夏。");
}

TEST(StarTextsTest, ShippedFileGivesBranchAndPalaceLines) {
  StarTexts t;
  ASSERT_TRUE(t.Load(std::string(TAIYI_SOURCE_DAT_DIR) + "/" + kStarTextFileName));
  EXPECT_EQ(t.PositionLine(kWuFu, kPosZi), "五福在子宫，喜生春夏，秀气所钟。秋冬逢陷，穷困夭亡。");
  // Branch lines run 子 … 亥, the palace lines 乾 艮 巽 坤.
  const struct {
    DeityCode code;
    int position;
    const char* mark;
  } cases[] = {{kWuFu, kPosHai, "在亥宫"},        {kJunJi, kPosChou, "在丑宫"},
               {kFeiFu, kPosQian, "在乾宫"},      {kDiYi, kPosGen, "在艮宫"},
               {kHostGeneral, kPosXun, "在巽宫"}, {kSiShen, kPosKun, "在坤宫"}};
  for (const auto& c : cases)
    EXPECT_NE(std::string(t.PositionLine(c.code, c.position)).find(c.mark), std::string::npos)
        << c.mark << ": " << t.PositionLine(c.code, c.position);
  EXPECT_EQ(t.PositionLine(kWuFu, kPosCentre), "");
  EXPECT_EQ(t.PositionLine(kTaiSui, kPosZi), "");  // no section of its own
  EXPECT_EQ(t.PositionLine(kDingMu, kPosZi), "");  // has texts, but no section in the file
  EXPECT_EQ(t.StarLine("TaiSui", 1), "");
}

}  // namespace
}  // namespace taiyi
