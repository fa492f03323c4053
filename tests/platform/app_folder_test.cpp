#include "platform/app_folder.h"

#include <gtest/gtest.h>

#include "platform/file_util.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

TEST(AppFolder, ChoosesOptionThenPortableThenXdg) {
  test::TempDir tmp;
  const std::string exe = tmp.file("bin/");
  const std::string portable = tmp.file("portable/");
  CreateDirs(exe);
  CreateDirs(portable + "dat");
  struct Case {
    AppFolderInputs in;
    std::string want;
  };
  const Case cases[] = {
      {{tmp.file("mine"), portable, tmp.file("xdg"), tmp.file("home"), ""}, tmp.file("mine/")},
      {{"", portable, tmp.file("xdg"), tmp.file("home"), ""}, portable},
      {{"", exe, tmp.file("xdg"), tmp.file("home"), ""}, tmp.file("xdg/taiyi/")},
      {{"", exe, "", tmp.file("home"), ""}, tmp.file("home/.local/share/taiyi/")},
      {{"", exe, "relative/xdg", tmp.file("home"), ""}, tmp.file("home/.local/share/taiyi/")},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolveAppFolderRoot(c.in), c.want);
}

// A shipped data folder as an install lays it out: share/taiyi/{dat,skins} beside bin/.
class ShippedDataTest : public testing::Test {
 protected:
  void SetUp() override {
    CreateDirs(shipped_ + "dat");
    CreateDirs(shipped_ + "skins");
    CreateDirs(tmp_.file("bin"));
    ASSERT_TRUE(WriteFileAtomic(shipped_ + "dat/dili.ini", "[北京市]\n东城区=116:28*39:54\n"));
    ASSERT_TRUE(WriteFileAtomic(shipped_ + "dat/yistar.txt", "new texts"));
    ASSERT_TRUE(WriteFileAtomic(shipped_ + "skins/Ink.skn", "QWidget {}"));
    ASSERT_TRUE(WriteFileAtomic(shipped_ + "skins/Mx1.skn", "QWidget {}"));
  }
  AppFolder Prepare() {
    AppFolder folder;
    std::string error;
    EXPECT_TRUE(
        PrepareAppFolder({"", tmp_.file("bin"), tmp_.file("xdg"), "", shipped_}, folder, error))
        << error;
    return folder;
  }
  static std::string Text(const std::string& path) {
    std::string bytes;
    ReadFile(path, bytes);
    return bytes;
  }
  test::TempDir tmp_;
  std::string shipped_ = tmp_.file("share/taiyi/");
};

TEST_F(ShippedDataTest, FoundBesideTheExecutablesFolderOrInAPortableFolder) {
  EXPECT_EQ(ShippedDataDir(tmp_.file("bin")), shipped_);
  EXPECT_EQ(ShippedDataDir(tmp_.file("bin/")), shipped_);
  const std::string portable = tmp_.file("usb/taiyi/");
  CreateDirs(portable + "dat");
  EXPECT_EQ(ShippedDataDir(portable), portable);
  EXPECT_EQ(ShippedDataDir(tmp_.file("usb/bin")), "");
}

TEST_F(ShippedDataTest, ANewUsersFolderGetsNoCopyAndReadsTheShippedFilesInPlace) {
  const AppFolder folder = Prepare();
  EXPECT_EQ(folder.root, tmp_.file("xdg/taiyi/"));
  EXPECT_TRUE(DirExists(folder.Dat()));
  EXPECT_TRUE(DirExists(folder.CommentDir()));
  EXPECT_TRUE(ListFiles(folder.Dat(), "*").empty());
  EXPECT_FALSE(DirExists(folder.SkinDir()));
  EXPECT_EQ(folder.ShippedFile("dat/yistar.txt"), shipped_ + "dat/yistar.txt");
  EXPECT_EQ(folder.PlacesFile(), shipped_ + "dat/dili.ini");
  EXPECT_EQ(folder.ShippedFile("skins/Ink.skn"), shipped_ + "skins/Ink.skn");
  EXPECT_EQ(folder.SkinFileNames(), (std::vector<std::string>{"Ink.skn", "Mx1.skn"}));
}

// A folder of an older version holds copies of the shipped files.  The installed texts and
// skins are read (an upgrade reaches the user), a places file the user edited is kept and
// read, an unchanged copy of it goes, and the user's own skins stay listed.
TEST_F(ShippedDataTest, AnOldFolderWithCopiesKeepsWorkingAndGetsTheUpgrade) {
  const std::string old = tmp_.file("xdg/taiyi/");
  CreateDirs(old + "dat");
  CreateDirs(old + "skins");
  ASSERT_TRUE(WriteFileAtomic(old + "dat/yistar.txt", "old texts"));
  ASSERT_TRUE(WriteFileAtomic(old + "dat/dili.ini", Text(shipped_ + "dat/dili.ini")));
  ASSERT_TRUE(WriteFileAtomic(old + "skins/Ink.skn", "QWidget { color: red; }"));
  ASSERT_TRUE(WriteFileAtomic(old + "skins/Mine.skn", "QWidget {}"));
  AppFolder folder = Prepare();
  EXPECT_EQ(Text(folder.ShippedFile("dat/yistar.txt")), "new texts");
  EXPECT_FALSE(FileExists(old + "dat/dili.ini"));
  EXPECT_EQ(folder.PlacesFile(), shipped_ + "dat/dili.ini");
  EXPECT_EQ(folder.SkinFileNames(), (std::vector<std::string>{"Ink.skn", "Mx1.skn", "Mine.skn"}));
  EXPECT_EQ(folder.ShippedFile("skins/Ink.skn"), shipped_ + "skins/Ink.skn");
  EXPECT_EQ(folder.ShippedFile("skins/Mine.skn"), old + "skins/Mine.skn");

  ASSERT_TRUE(WriteFileAtomic(old + "dat/dili.ini", "[北京市]\n东城区=116:30*39:50\n"));
  folder = Prepare();
  EXPECT_EQ(folder.PlacesFile(), old + "dat/dili.ini");
  EXPECT_NE(Text(folder.PlacesFile()).find("116:30"), std::string::npos);

  // Without shipped data (a bare executable) the copies in the folder are what is read.
  folder.shipped.clear();
  EXPECT_EQ(Text(folder.ShippedFile("dat/yistar.txt")), "old texts");
}

// A portable folder is both the shipped data and the user's folder: nothing is removed.
TEST_F(ShippedDataTest, APortableFolderKeepsItsPlacesFile) {
  const std::string portable = tmp_.file("usb/taiyi/");
  CreateDirs(portable + "dat");
  ASSERT_TRUE(WriteFileAtomic(portable + "dat/dili.ini", "[北京市]\n"));
  AppFolder folder;
  std::string error;
  ASSERT_TRUE(PrepareAppFolder({"", portable, "", tmp_.file("home"), ShippedDataDir(portable)},
                               folder, error));
  EXPECT_EQ(folder.root, portable);
  EXPECT_TRUE(FileExists(portable + "dat/dili.ini"));
  EXPECT_EQ(folder.PlacesFile(), portable + "dat/dili.ini");
}

TEST(FileUtil, CopyRenameDeleteList) {
  test::TempDir tmp;
  ASSERT_TRUE(WriteFileAtomic(tmp.file("a.rtf"), "one"));
  ASSERT_TRUE(WriteFileAtomic(tmp.file("B.RTF"), "two"));
  EXPECT_FALSE(CopyFile(tmp.file("a.rtf"), tmp.file("B.RTF"), false));
  EXPECT_TRUE(CopyFile(tmp.file("a.rtf"), tmp.file("c.txt"), false));
  EXPECT_EQ(ListFiles(tmp.path(), "*.rtf"), std::vector<std::string>{"a.rtf"});
  EXPECT_EQ(ListFiles(tmp.path(), "*.rtf", true), (std::vector<std::string>{"B.RTF", "a.rtf"}));
  EXPECT_TRUE(RenameFile(tmp.file("c.txt"), tmp.file("a.rtf")));
  EXPECT_EQ(FileSize(tmp.file("a.rtf")), 3);
  EXPECT_TRUE(DeleteFile(tmp.file("a.rtf")));
  EXPECT_EQ(FileSize(tmp.file("a.rtf")), -1);
  EXPECT_FALSE(DeleteFile(tmp.file("a.rtf")));
  EXPECT_EQ(WithSlash("/x//"), "/x/");
}

TEST(FileUtil, ReadingAFolderFailsInsteadOfThrowing) {
  test::TempDir tmp;
  ASSERT_TRUE(CreateDirs(tmp.file("dir.rtf")));
  std::string bytes;
  EXPECT_FALSE(ReadFile(tmp.file("dir.rtf"), bytes));
  EXPECT_FALSE(ReadFile(tmp.file("missing"), bytes));
}

// Whole files of every size come back byte for byte, also one that reports no size (/proc).
TEST(FileUtil, ReadFileReadsWholeFiles) {
  test::TempDir tmp;
  std::string big;
  for (int i = 0; i < 40000; ++i) big += static_cast<char>(i * 7 % 256);
  for (const std::string& content : {std::string(), std::string("\0a\r\n", 4), big}) {
    ASSERT_TRUE(WriteFileAtomic(tmp.file("f.rtf"), content));
    std::string bytes = "left over";
    ASSERT_TRUE(ReadFile(tmp.file("f.rtf"), bytes));
    EXPECT_EQ(bytes, content);
  }
  std::string status;
  ASSERT_TRUE(ReadFile("/proc/self/status", status));
  EXPECT_NE(status.find("Name:"), std::string::npos);
}

}  // namespace
}  // namespace taiyi
