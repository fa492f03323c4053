// The export-category dialog: all checked at first, 全部 checks and unchecks every line, and
// an export of no category is refused.
#include "ui/archive/export_class_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>

#include "ui/widgets/ui_font.h"

namespace taiyi {
namespace {

TEST(ExportClassDialogTest, ChecksEveryLineAtFirstAndHandsBackTheCheckedOnes) {
  MUiFont font(0, false);
  ScriptedPrompter prompter;
  TFrmExportClass dialog(font, prompter);
  dialog.SetCategories({"家人", "亲戚朋友", "IT名人"});
  dialog.FormShow();
  EXPECT_TRUE(dialog.AllChecked());
  auto* all = dialog.findChild<QCheckBox*>("ChkAll");
  auto* list = dialog.findChild<QListWidget*>("LstClass");
  ASSERT_TRUE(all && list);

  all->click();  // unchecks every line
  EXPECT_TRUE(dialog.CheckedCategories().empty());
  dialog.BitBtn1Click();
  EXPECT_EQ(prompter.LastText(), "没有选择要导出的类别！");
  EXPECT_NE(dialog.result(), QDialog::Accepted);

  list->item(0)->setCheckState(Qt::Checked);
  list->item(2)->setCheckState(Qt::Checked);
  EXPECT_EQ(dialog.CheckedCategories(), (std::vector<std::string>{"家人", "IT名人"}));
  EXPECT_FALSE(dialog.AllChecked());
  dialog.BitBtn1Click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(ExportClassDialogTest, AnEmptyListCannotBeExported) {
  MUiFont font(0, false);
  ScriptedPrompter prompter;
  TFrmExportClass dialog(font, prompter);
  dialog.FormShow();
  dialog.BitBtn1Click();
  EXPECT_EQ(prompter.LastText(), "没有选择要导出的类别！");
  EXPECT_NE(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace taiyi
