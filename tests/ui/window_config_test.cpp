#include "ui/main_window/window_config.h"

#include <gtest/gtest.h>

#include "platform/file_util.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

TEST(WindowConfig, MissingFileGivesEveryDefault) {
  test::TempDir dir;
  const WindowConfig c = ReadWindowConfig(IniFile(dir.file("init.ini")));
  EXPECT_EQ(c.left, 10);
  EXPECT_EQ(c.top, 10);
  EXPECT_EQ(c.width, 400);
  EXPECT_EQ(c.height, 400);
  EXPECT_EQ(c.state, StoredWindowState::kNormal);
  EXPECT_EQ(c.treewid, 180);
  EXPECT_EQ(c.pinghei, 80);
  EXPECT_EQ(c.fname, "宋体");
  EXPECT_EQ(c.fsize, 12);
  EXPECT_EQ(c.bcolor, 0xC0CCD0u);
  EXPECT_EQ(c.skinname, "Mx1");
  EXPECT_FALSE(c.skined);
  EXPECT_EQ(c.sheng, 0);
  EXPECT_EQ(c.shi, 0);
  EXPECT_EQ(c.juStyle, 0);
  EXPECT_EQ(c.showStyle, 0);
  EXPECT_EQ(c.sort, 0);
  EXPECT_FALSE(c.geometrySaved);
}

TEST(WindowConfig, SmallPanesAreRaisedAndValuesOutOfRangeFallBack) {
  test::TempDir dir;
  ASSERT_TRUE(WriteFileAtomic(dir.file("init.ini"),
                              "[winpos]\r\ntreewid=5\r\npinghei=0\r\nstate=7\r\nsheng=-3\r\n"
                              "[minggao]\r\nbcolor=0xFF0000\r\njuStyle=9\r\nfsize=abc\r\n"
                              "[tree]\r\nshowStyle=2\r\nsort=4\r\n[window]\r\nskined=5\r\n"));
  const WindowConfig c = ReadWindowConfig(IniFile(dir.file("init.ini")));
  EXPECT_EQ(c.treewid, 30);
  EXPECT_EQ(c.pinghei, 20);
  EXPECT_EQ(c.state, StoredWindowState::kNormal);
  EXPECT_EQ(c.sheng, 0);
  EXPECT_EQ(c.bcolor, 0xFF0000u);
  EXPECT_EQ(c.juStyle, 0);
  EXPECT_EQ(c.fsize, 12);
  EXPECT_EQ(c.showStyle, 0);
  EXPECT_EQ(c.sort, 4);
  EXPECT_TRUE(c.skined);
  EXPECT_FALSE(c.geometrySaved);  // no position or size in the file
}

TEST(WindowConfig, WritesAndReadsBackAndKeepsGeometryUnlessNormal) {
  test::TempDir dir;
  IniFile ini(dir.file("init.ini"));
  WindowConfig c;
  c.left = 50;
  c.top = 60;
  c.width = 900;
  c.height = 700;
  c.sheng = 3;
  c.shi = 2;
  c.treewid = 210;
  c.pinghei = 99;
  c.fname = "楷体";
  c.fsize = 14;
  c.bcolor = 0x123456;
  c.juStyle = 4;
  c.showStyle = 1;
  c.sort = 2;
  c.geometrySaved = true;
  ASSERT_TRUE(WriteWindowConfig(ini, c));
  EXPECT_EQ(ReadWindowConfig(IniFile(dir.file("init.ini"))), c);

  WindowConfig maximised = c;
  maximised.state = StoredWindowState::kMaximised;
  maximised.left = maximised.top = maximised.width = maximised.height = 1;
  ASSERT_TRUE(WriteWindowConfig(ini, maximised));
  const WindowConfig back = ReadWindowConfig(IniFile(dir.file("init.ini")));
  EXPECT_EQ(back.state, StoredWindowState::kMaximised);
  EXPECT_EQ(back.left, 50);
  EXPECT_EQ(back.top, 60);
  EXPECT_EQ(back.width, 900);
  EXPECT_EQ(back.height, 700);
}

TEST(WindowConfig, SkinChoiceOfNoSkinKeepsTheName) {
  test::TempDir dir;
  IniFile ini(dir.file("init.ini"));
  const std::string name = "Ink";
  ASSERT_TRUE(WriteSkinChoice(ini, true, &name));
  ASSERT_TRUE(WriteSkinChoice(ini, false, nullptr));
  const WindowConfig c = ReadWindowConfig(IniFile(dir.file("init.ini")));
  EXPECT_FALSE(c.skined);
  EXPECT_EQ(c.skinname, "Ink");
}

}  // namespace
}  // namespace taiyi
