#include "platform/ini_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "platform/file_util.h"
#include "platform/gbk.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

std::string Contents(const std::string& path) {
  std::string bytes;
  ReadFile(path, bytes);
  return bytes;
}

TEST(IniFile, ReadsValuesWithDefaults) {
  test::TempDir dir;
  const std::string path = dir.file("set.ini");
  ASSERT_TRUE(WriteFileAtomic(path,
                              "; comment\r\n[TaiYi]\r\nbOldBk=1\r\nclr=0x00FF0000\r\nneg=-12\r\n"
                              "bad=12abc\r\nempty=\r\nname = 张三 \r\nnokey\r\n[Other]\r\nx=5\r\n"));
  const IniFile ini(path);
  struct Case {
    const char* section;
    const char* key;
    int def;
    int want;
  };
  const Case ints[] = {
      {"taiyi", "bOldBk", 7, 1},         // section and key without regard to case
      {"TAIYI", "CLR", 0, 0x00FF0000},   // hexadecimal
      {"taiyi", "neg", 0, -12},
      {"taiyi", "bad", 9, 9},            // not an integer
      {"taiyi", "empty", 3, 3},
      {"taiyi", "missing", 4, 4},
      {"nosection", "x", 5, 5},
      {"other", "x", 0, 5},
  };
  for (const auto& c : ints) EXPECT_EQ(ini.ReadInteger(c.section, c.key, c.def), c.want) << c.key;
  EXPECT_EQ(ini.ReadInteger("taiyi", "clr2", 0), 0);
  EXPECT_TRUE(ini.ReadBool("taiyi", "neg", false));
  EXPECT_FALSE(ini.ReadBool("taiyi", "missing", false));
  EXPECT_EQ(ini.ReadString("taiyi", "name", "?"), "张三");  // ASCII file read as GBK
  EXPECT_EQ(ini.ReadString("taiyi", "missing", "def"), "def");
  EXPECT_EQ(ini.ReadSection("taiyi"),
            (std::vector<std::string>{"bOldBk", "clr", "neg", "bad", "empty", "name", "nokey"}));
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"TaiYi", "Other"}));
}

TEST(IniFile, HexadecimalColoursWrapToInt) {
  int v = 0;
  EXPECT_TRUE(ParseIniInteger("0xFFFFFFFF", v));
  EXPECT_EQ(v, -1);
  EXPECT_TRUE(ParseIniInteger("0X1a", v));
  EXPECT_EQ(v, 26);
  EXPECT_FALSE(ParseIniInteger("0x", v));
  EXPECT_FALSE(ParseIniInteger("99999999999", v));
  EXPECT_FALSE(ParseIniInteger("1.5", v));
}

TEST(IniFile, MissingFileReadsEmptyAndFirstWriteCreatesGbk) {
  test::TempDir dir;
  const std::string path = dir.file("init.ini");
  IniFile ini(path);
  EXPECT_EQ(ini.ReadInteger("winpos", "left", 10), 10);
  EXPECT_TRUE(ini.ReadSections().empty());
  ASSERT_TRUE(ini.WriteString("skin", "name", "古典"));
  ASSERT_TRUE(ini.WriteInteger("winpos", "left", 33));
  EXPECT_EQ(Contents(path), Utf8ToGbk("[skin]\r\nname=古典\r\n[winpos]\r\nleft=33\r\n"));
  const IniFile again(path);
  EXPECT_EQ(again.ReadString("skin", "name", ""), "古典");
  EXPECT_EQ(again.ReadInteger("winpos", "left", 0), 33);
  // GBK 值 (D6 B5) is also well-formed UTF-8; the file must still read as GBK.
  ASSERT_TRUE(ini.WriteString("skin", "name", "值"));
  EXPECT_EQ(IniFile(path).ReadString("skin", "name", ""), "值");
}

TEST(IniFile, Utf8FileStaysUtf8AndKeepsItsLines) {
  test::TempDir dir;
  const std::string path = dir.file("dili.ini");
  ASSERT_TRUE(WriteFileAtomic(path, "[北京]\n; 首都\n东城区=116:25*39:55\n\n[上海]\n黄浦区=121:29*31:14\n"));
  IniFile ini(path);
  EXPECT_TRUE(ini.IsUtf8OnDisk());
  ASSERT_TRUE(ini.WriteString("北京", "西城区", "116:22*39:55"));
  ASSERT_TRUE(ini.WriteString("上海", "黄浦区", "121:30*31:14"));
  EXPECT_EQ(Contents(path),
            "[北京]\n; 首都\n东城区=116:25*39:55\n西城区=116:22*39:55\n\n[上海]\n黄浦区=121:30*31:14\n");
}

TEST(IniFile, EraseSectionAndDeleteKey) {
  test::TempDir dir;
  const std::string path = dir.file("a.ini");
  ASSERT_TRUE(WriteFileAtomic(path, "[a]\r\nx=1\r\ny=2\r\n[b]\r\nz=3\r\n[A]\r\nw=4\r\n"));
  IniFile ini(path);
  ASSERT_TRUE(ini.EraseSection("A"));  // every section of that name goes
  ASSERT_TRUE(ini.DeleteKey("b", "Z"));
  EXPECT_EQ(Contents(path), "[b]\r\n");
  EXPECT_FALSE(IniFile(path).SectionExists("a"));
}

// A write that fails half-way (here: the file-size limit is hit) leaves the old file whole
// and no temporary file behind.
TEST(IniFile, FailedWriteLeavesTheOldFile) {
  test::TempDir dir;
  const std::string path = dir.file("set.ini");
  ASSERT_TRUE(WriteFileAtomic(path, "[chart]\r\nfontSize=12\r\n"));
  IniFile ini(path);

  signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  const bool written = ini.WriteString("chart", "note", std::string(10000, 'x'));
  setrlimit(RLIMIT_FSIZE, &old);

  EXPECT_FALSE(written);
  EXPECT_EQ(Contents(path), "[chart]\r\nfontSize=12\r\n");
  EXPECT_EQ(ini.ReadString("chart", "note", "none"), "none");
  EXPECT_EQ(ListFiles(dir.path(), "*"), std::vector<std::string>{"set.ini"});
}

}  // namespace
}  // namespace taiyi
