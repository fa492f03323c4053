#include "ui/tools/settings_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "platform/file_util.h"
#include "support/temp_dir.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {
namespace {

class SettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(CreateDirs(folder_.Dat())); }
  std::string SetIni() const { return folder_.Dat() + "set.ini"; }
  void WriteSetIni(const std::string& text) { ASSERT_TRUE(WriteFileAtomic(SetIni(), text)); }
  template <typename T>
  T* Find(TFrmSetcan& dialog, const char* name) {
    T* control = dialog.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }

  test::TempDir dir_;
  AppFolder folder_{dir_.path(), ""};
  MUiFont font_{0, false};
  ScriptedPrompter prompter_;
};

TEST_F(SettingsDialogTest, OpensWithTheDefaultsOfAMissingFile) {
  TFrmSetcan dialog(font_, folder_, prompter_);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("排盘设置"));
  EXPECT_EQ(dialog.SwatchColour(), 0xFFFFFF);
  EXPECT_EQ(Find<RadioGroup>(dialog, "RdoDate")->ItemIndex(), 0);
  EXPECT_EQ(Find<RadioGroup>(dialog, "RdoMingJu")->ItemIndex(), 0);
  EXPECT_FALSE(Find<QCheckBox>(dialog, "ChkZiShi")->isChecked());
  EXPECT_EQ(Find<QLineEdit>(dialog, "LedtJiNian")->text(), QStringLiteral("10153917"));
  EXPECT_TRUE(Find<QCheckBox>(dialog, "ChkOld")->isChecked());
  EXPECT_FALSE(Find<QPushButton>(dialog, "BtoColor")->isEnabled());
  EXPECT_TRUE(Find<QCheckBox>(dialog, "ChkShiJing")->isChecked());
  EXPECT_FALSE(Find<QCheckBox>(dialog, "ChkMenuSize")->isChecked());

  auto* steps = Find<QComboBox>(dialog, "CboUiSize");
  ASSERT_GE(steps->count(), 21);
  EXPECT_EQ(steps->itemText(0), QStringLiteral("+10"));
  EXPECT_EQ(steps->itemText(9), QStringLiteral("+1"));
  EXPECT_TRUE(steps->itemText(10).startsWith(QStringLiteral("0(默认)")));
  EXPECT_TRUE(steps->itemText(20).startsWith(QStringLiteral("-10")));
  EXPECT_EQ(steps->currentIndex(), 10);
  // Exactly one entry is marked: the step recommended for this screen.
  const int r = font_.Recommend(&dialog);
  int marked = -1;
  for (int i = 0; i < steps->count(); ++i)
    if (steps->itemText(i).endsWith(QStringLiteral("(推荐)"))) marked = marked < 0 ? i : 99;
  EXPECT_EQ(marked, r >= -10 && r <= 10 ? 10 - r : 21);
  EXPECT_FALSE(FileExists(SetIni()));
}

TEST_F(SettingsDialogTest, ShowsTheStoredValuesAndAnUnlistedStepAsAnAddedEntry) {
  WriteSetIni(
      "[taiyi]\r\nbkcolor=255\r\niDate=2\r\niMingJu=1\r\nzishi=1\r\niJiNian=123\r\n"
      "bOldBk=0\r\nbShiJing=0\r\n[set]\r\niFontSizeVar=12\r\nbChangeMenuSize=1\r\n");
  TFrmSetcan dialog(font_, folder_, prompter_);
  EXPECT_EQ(dialog.SwatchColour(), 255);
  EXPECT_EQ(Find<RadioGroup>(dialog, "RdoDate")->ItemIndex(), 2);
  EXPECT_EQ(Find<RadioGroup>(dialog, "RdoMingJu")->ItemIndex(), 1);
  EXPECT_TRUE(Find<QCheckBox>(dialog, "ChkZiShi")->isChecked());
  EXPECT_EQ(Find<QLineEdit>(dialog, "LedtJiNian")->text(), QStringLiteral("123"));
  EXPECT_FALSE(Find<QCheckBox>(dialog, "ChkOld")->isChecked());
  EXPECT_TRUE(Find<QPushButton>(dialog, "BtoColor")->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>(dialog, "ChkShiJing")->isChecked());
  EXPECT_TRUE(Find<QCheckBox>(dialog, "ChkMenuSize")->isChecked());
  auto* steps = Find<QComboBox>(dialog, "CboUiSize");
  EXPECT_EQ(steps->currentText(), QStringLiteral("12"));
  EXPECT_EQ(steps->currentIndex(), steps->count() - 1);
}

TEST_F(SettingsDialogTest, SaveWritesEveryKeyAndCloses) {
  TFrmSetcan dialog(font_, folder_, prompter_);
  dialog.SetColourChooser([](QWidget*, int& colour) {
    EXPECT_EQ(colour, 0xFFFFFF);
    colour = 0x123456;
    return true;
  });
  Find<QCheckBox>(dialog, "ChkOld")->setChecked(false);
  ASSERT_TRUE(Find<QPushButton>(dialog, "BtoColor")->isEnabled());
  dialog.BtoColorClick();
  EXPECT_EQ(dialog.SwatchColour(), 0x123456);
  Find<RadioGroup>(dialog, "RdoDate")->SetItemIndex(1);
  Find<RadioGroup>(dialog, "RdoMingJu")->SetItemIndex(1);
  Find<QCheckBox>(dialog, "ChkZiShi")->setChecked(true);
  Find<QLineEdit>(dialog, "LedtJiNian")->setText("10153900");
  Find<QCheckBox>(dialog, "ChkShiJing")->setChecked(false);
  Find<QComboBox>(dialog, "CboUiSize")->setCurrentIndex(13);  // "-3", perhaps marked
  Find<QCheckBox>(dialog, "ChkMenuSize")->setChecked(true);
  dialog.BitBtn1Click();

  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(prompter_.ShownBoxes().empty());
  const IniFile ini(SetIni());
  EXPECT_EQ(ini.ReadInteger("taiyi", "bkcolor", 0), 0x123456);
  EXPECT_EQ(ini.ReadInteger("taiyi", "iDate", 0), 1);
  EXPECT_EQ(ini.ReadInteger("taiyi", "iMingJu", 0), 1);
  EXPECT_TRUE(ini.ReadBool("taiyi", "zishi", false));
  EXPECT_EQ(ini.ReadInteger("taiyi", "iJiNian", 0), 10153900);
  EXPECT_FALSE(ini.ReadBool("taiyi", "bOldBk", true));
  EXPECT_FALSE(ini.ReadBool("taiyi", "bShiJing", true));
  EXPECT_EQ(ini.ReadInteger("set", "iFontSizeVar", 0), -3);
  EXPECT_TRUE(ini.ReadBool("set", "bChangeMenuSize", false));
}

TEST_F(SettingsDialogTest, AnAccumulatedYearNotAboveZeroStopsAfterTheFirstFourValues) {
  for (const char* text : {"0", "abc", "-5"}) {
    ASSERT_TRUE(DeleteFile(SetIni()) || !FileExists(SetIni()));
    ScriptedPrompter prompter;
    TFrmSetcan dialog(font_, folder_, prompter);
    Find<RadioGroup>(dialog, "RdoDate")->SetItemIndex(2);
    Find<QLineEdit>(dialog, "LedtJiNian")->setText(text);
    Find<QCheckBox>(dialog, "ChkShiJing")->setChecked(false);
    dialog.BitBtn1Click();

    EXPECT_NE(dialog.result(), QDialog::Accepted) << text;
    ASSERT_EQ(prompter.ShownBoxes().size(), 1u);
    EXPECT_EQ(prompter.LastText(), "太乙积年必须大于0！");
    const IniFile ini(SetIni());
    EXPECT_EQ(ini.ReadInteger("taiyi", "iDate", 0), 2);
    EXPECT_TRUE(ini.ValueExists("taiyi", "zishi"));
    EXPECT_FALSE(ini.ValueExists("taiyi", "iJiNian"));
    EXPECT_FALSE(ini.ValueExists("taiyi", "bShiJing"));
    EXPECT_FALSE(ini.ValueExists("set", "iFontSizeVar"));
  }
}

TEST_F(SettingsDialogTest, DefaultsAndCancelWriteNothing) {
  const std::string stored =
      "[taiyi]\r\nbkcolor=255\r\niDate=2\r\nbOldBk=0\r\niJiNian=7\r\n[set]\r\niFontSizeVar=-4\r\n";
  WriteSetIni(stored);
  TFrmSetcan dialog(font_, folder_, prompter_);
  dialog.Button2Click();
  EXPECT_EQ(dialog.SwatchColour(), 0xFFFFFF);
  EXPECT_EQ(Find<RadioGroup>(dialog, "RdoDate")->ItemIndex(), 0);
  EXPECT_EQ(Find<QLineEdit>(dialog, "LedtJiNian")->text(), QStringLiteral("10153917"));
  EXPECT_TRUE(Find<QCheckBox>(dialog, "ChkOld")->isChecked());
  EXPECT_FALSE(Find<QPushButton>(dialog, "BtoColor")->isEnabled());
  EXPECT_EQ(Find<QComboBox>(dialog, "CboUiSize")->currentIndex(), 10);
  dialog.BitBtn2Click();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  std::string bytes;
  ASSERT_TRUE(ReadFile(SetIni(), bytes));
  EXPECT_EQ(bytes, stored);
}

}  // namespace
}  // namespace taiyi
