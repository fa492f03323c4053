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

TEST(AppFolder, PrepareCreatesFoldersAndCopiesShippedDataOnce) {
  test::TempDir tmp;
  const std::string shipped = tmp.file("share/dat/");
  CreateDirs(shipped);
  CreateDirs(tmp.file("share/skins"));
  ASSERT_TRUE(WriteFileAtomic(shipped + "dili.ini", "[北京]\n"));
  ASSERT_TRUE(WriteFileAtomic(shipped + "mine.txt", "shipped"));
  ASSERT_TRUE(WriteFileAtomic(tmp.file("share/skins/古典.skn"), "QWidget {}"));
  const AppFolderInputs in{"", tmp.file("bin/"), tmp.file("xdg"), tmp.file("home"), shipped};
  AppFolder folder;
  std::string error;
  ASSERT_TRUE(PrepareAppFolder(in, folder, error)) << error;
  EXPECT_EQ(folder.root, tmp.file("xdg/taiyi/"));
  EXPECT_TRUE(DirExists(folder.Dat()));
  EXPECT_TRUE(DirExists(folder.CommentDir()));

  // Shipped files are copied where missing, and a user's own copy is never replaced.
  EXPECT_TRUE(FileExists(folder.Dat() + "dili.ini"));
  EXPECT_TRUE(FileExists(folder.SkinDir() + "古典.skn"));
  ASSERT_TRUE(WriteFileAtomic(folder.Dat() + "mine.txt", "kept"));
  ASSERT_TRUE(PrepareAppFolder(in, folder, error));
  std::string bytes;
  ASSERT_TRUE(ReadFile(folder.Dat() + "mine.txt", bytes));
  EXPECT_EQ(bytes, "kept");
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

}  // namespace
}  // namespace taiyi
