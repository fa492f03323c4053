// The category chooser: the first category preselected, only a listed category accepted.
#include "ui/case_tree/category_chooser.h"

#include <gtest/gtest.h>

#include <QComboBox>

#include "ui/widgets/ui_font.h"

namespace taiyi {
namespace {

TEST(CategoryChooserTest, AcceptsOnlyAListedCategory) {
  MUiFont font(0, false);
  ScriptedPrompter prompter;
  TFrmFenLei dialog(font, prompter);
  dialog.SetCategories({"家人", "亲戚朋友"});
  dialog.FormShow();
  auto* combo = dialog.findChild<QComboBox*>("CboFenLei");
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->currentText(), QStringLiteral("家人"));

  combo->setEditText(QStringLiteral("新类别"));
  dialog.BtnokClick();
  ASSERT_EQ(prompter.ShownBoxes().size(), 1u);
  EXPECT_EQ(prompter.ShownBoxes()[0].kind, ScriptedPrompter::Kind::Error);
  EXPECT_EQ(prompter.ShownBoxes()[0].title, "错误");
  EXPECT_EQ(prompter.LastText(),
            "请输入已经存在的类别名！如果要增加一个新的类别，请到案例列表上按鼠标右键-增加类别！");
  EXPECT_NE(dialog.result(), QDialog::Accepted);

  combo->setEditText(QStringLiteral(" 亲戚朋友 "));
  dialog.BtnokClick();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Category(), "亲戚朋友");
}

}  // namespace
}  // namespace taiyi
