#include "ui/main_window/skin_menu.h"

#include <gtest/gtest.h>

#include <QApplication>

#include "platform/file_util.h"
#include "support/temp_dir.h"
#include "ui/main_window/window_config.h"
#include "ui/widgets/qt_prompter.h"

namespace taiyi {
namespace {

class SkinMenuTest : public testing::Test {
 protected:
  SkinMenuTest()
      : folder_{dir_.path(), ""},
        ini_(dir_.file("dat/init.ini")),
        menu_(&menu),
        sut_(menu_, folder_, ini_, prompter_, engine_) {}
  void SetUp() override {
    folder_.root = dir_.path();
    CreateDirs(folder_.Dat());
    CreateDirs(folder_.SkinDir());
  }
  void TearDown() override { qApp->setStyleSheet(QString()); }

  QStringList Captions() const {
    QStringList list;
    for (QAction* a : menu.actions()) list << (a->isSeparator() ? QString("-") : a->text());
    return list;
  }
  QAction* Item(const char* caption) const {
    for (QAction* a : menu.actions())
      if (a->text() == ToQString(caption)) return a;
    return nullptr;
  }

  test::TempDir dir_;
  AppFolder folder_;
  IniFile ini_;
  QMenu menu;
  QMenu* menu_;
  ScriptedPrompter prompter_;
  SkinEngine engine_;
  SkinMenu sut_;
};

TEST_F(SkinMenuTest, ListsSkinFilesByTheNameBeforeTheFirstDotThenNoSkin) {
  ASSERT_TRUE(WriteFileAtomic(folder_.SkinDir() + "a.b.skn", "QWidget {}"));
  ASSERT_TRUE(WriteFileAtomic(folder_.SkinDir() + "Mx1.skn", "QWidget {}"));
  ASSERT_TRUE(WriteFileAtomic(folder_.SkinDir() + "notes.txt", ""));
  sut_.BuildSkinMenu();
  EXPECT_EQ(Captions(), (QStringList{"Mx1", "a", "-", ToQString("系统默认")}));
}

TEST_F(SkinMenuTest, NoSkinFileLeavesTheMenuEmptyButAStoredSkinIsStillTried) {
  sut_.BuildSkinMenu();
  EXPECT_TRUE(menu.actions().isEmpty());
  EXPECT_FALSE(sut_.ApplySavedSkin(true, "Mx1"));  // the file is looked for and not found
  EXPECT_FALSE(engine_.Active());
}

TEST_F(SkinMenuTest, ChoosingSkinsSwitchesTheStyleSheetAndRecordsTheChoice) {
  const std::string sheet = "QPushButton { color: #123456; }";
  ASSERT_TRUE(WriteFileAtomic(folder_.SkinDir() + "Mx1.skn", sheet));
  ASSERT_TRUE(WriteFileAtomic(folder_.SkinDir() + "a.b.skn", "QWidget {}"));
  sut_.BuildSkinMenu();

  Item("Mx1")->trigger();
  EXPECT_EQ(qApp->styleSheet(), ToQString(sheet));
  EXPECT_TRUE(Item("Mx1")->isChecked());
  EXPECT_FALSE(Item("系统默认")->isChecked());
  WindowConfig c = ReadWindowConfig(IniFile(ini_.Path()));
  EXPECT_TRUE(c.skined);
  EXPECT_EQ(c.skinname, "Mx1");

  // "a" stands for a.skn, which does not exist: the message, and the skin stays.
  Item("a")->trigger();
  EXPECT_EQ(prompter_.LastText(), kSkinFileLost);
  EXPECT_EQ(qApp->styleSheet(), ToQString(sheet));
  EXPECT_EQ(ReadWindowConfig(IniFile(ini_.Path())).skinname, "Mx1");

  Item("系统默认")->trigger();
  EXPECT_TRUE(qApp->styleSheet().isEmpty());
  EXPECT_TRUE(Item("系统默认")->isChecked());
  c = ReadWindowConfig(IniFile(ini_.Path()));
  EXPECT_FALSE(c.skined);
  EXPECT_EQ(c.skinname, "Mx1");
}

TEST_F(SkinMenuTest, SavedChoiceChecksItsItemAndWaitsForActivation) {
  ASSERT_TRUE(WriteFileAtomic(folder_.SkinDir() + "Ink.skn", "QLabel { color: red; }"));
  ASSERT_TRUE(WriteFileAtomic(folder_.SkinDir() + "Mx1.skn", "QLabel { color: blue; }"));
  sut_.BuildSkinMenu();
  EXPECT_TRUE(sut_.ApplySavedSkin(true, "Ink"));
  EXPECT_TRUE(Item("Ink")->isChecked());
  EXPECT_FALSE(Item("Mx1")->isChecked());
  EXPECT_TRUE(qApp->styleSheet().isEmpty());  // loaded, not yet switched on
  engine_.SetActive(true);
  EXPECT_EQ(qApp->styleSheet(), QString("QLabel { color: red; }"));

  EXPECT_FALSE(sut_.ApplySavedSkin(false, "Ink"));
  EXPECT_TRUE(Item("系统默认")->isChecked());
  EXPECT_FALSE(Item("Ink")->isChecked());
  EXPECT_TRUE(qApp->styleSheet().isEmpty());
}

}  // namespace
}  // namespace taiyi
