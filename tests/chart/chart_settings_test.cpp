#include <gtest/gtest.h>

#include "chart/chart_request.h"
#include "platform/file_util.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

TEST(ChartSettings, DefaultsWhenTheFileIsMissing) {
  test::TempDir dir;
  const ChartSettings s = ReadChartSettings(dir.file("set.ini"));
  EXPECT_EQ(s, ChartSettings{});
  EXPECT_EQ(s.bkcolor, 16777215);
  EXPECT_EQ(s.iDate, 0);
  EXPECT_EQ(s.iJiNian, 10153917);
  EXPECT_EQ(s.iMingJu, 0);
  EXPECT_FALSE(s.zishi);
  EXPECT_TRUE(s.bOldBk);
  EXPECT_TRUE(s.bShiJing);
}

TEST(ChartSettings, ValuesReadAndMissingOrBadKeysDefaulted) {
  test::TempDir dir;
  struct Case {
    const char* text;
    ChartSettings want;
  } cases[] = {
      {"[taiyi]\r\nbkcolor=255\r\niDate=2\r\niJiNian=10153900\r\niMingJu=1\r\nzishi=1\r\n"
       "bOldBk=0\r\nbShiJing=0\r\n",
       {255, 2, 10153900, 1, true, false, false}},
      {"[taiyi]\niDate=1\nzishi=1\n", {16777215, 1, 10153917, 0, true, true, true}},
      // Out of range or not a number: the default.
      {"[taiyi]\niDate=3\niMingJu=-1\niJiNian=abc\n", {}},
      // Another section does not count.
      {"[chart]\nfontSize=14\niDate=2\n[taiyi]\nbOldBk=0\n",
       {16777215, 0, 10153917, 0, false, false, true}},
  };
  for (const Case& c : cases) {
    const std::string path = dir.file("set.ini");
    ASSERT_TRUE(WriteFileAtomic(path, c.text));
    EXPECT_EQ(ReadChartSettings(path), c.want) << c.text;
  }
}

}  // namespace
}  // namespace taiyi
