// The result list: its lines, its caption with the number of cases, and 查看案例 that needs
// a selected line.
#include "ui/case_tree/same_name_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QTimer>

#include "ui/widgets/ui_font.h"

namespace taiyi {
namespace {

TEST(SameNameDialogTest, LineShowsTheYearInTheUsersNumberingWithoutLeadingZeros) {
  TRecordData r;
  r.name = "张三";
  r.year = 1990;
  r.month = 5;
  r.day = 2;
  r.hour = 3;
  r.minute = 4;
  r.className = "家人";
  EXPECT_EQ(SameNameLine(r), "张三 1990-5-2 3:4  家人");
  r.year = -119;
  EXPECT_EQ(SameNameLine(r), "张三 -120-5-2 3:4  家人");
  r.year = 0;
  EXPECT_EQ(SameNameLine(r), "张三 -1-5-2 3:4  家人");
}

TEST(SameNameDialogTest, SelectsTheFirstLineAndNeedsASelectionToView) {
  MUiFont font(0, false);
  ScriptedPrompter prompter;
  TFrmSameName dialog(font, prompter);
  dialog.SetLines({"张三 1990-5-2 3:4  家人", "小张 1991-5-2 3:4  家人"});
  dialog.FormShow();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("2个案例"));
  EXPECT_EQ(dialog.SelectedIndex(), 0);
  auto* list = dialog.findChild<QListWidget*>("LstRecord");
  ASSERT_NE(list, nullptr);
  list->clearSelection();
  dialog.BtnSeeClick();
  EXPECT_EQ(prompter.LastText(), "请点击选择要查看的案例！");
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  list->setCurrentRow(1);
  dialog.BtnSeeClick();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.SelectedIndex(), 1);
  EXPECT_FALSE(dialog.ShowAll());
  EXPECT_FALSE(dialog.ClearList());
}

TEST(SameNameDialogTest, ShownModallyItHandsBackTheChosenLineAndBoxes) {
  MUiFont font(0, false);
  ScriptedPrompter prompter;
  QApplication::processEvents();  // timers other tests left pending must not close ours
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TFrmSameName*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QListWidget*>("LstRecord")->setCurrentRow(2);
    dialog->findChild<QCheckBox*>("ChkClear")->setChecked(true);
    dialog->BtnSeeClick();
  });
  int line = -1;
  bool showAll = true, clearList = false;
  ASSERT_TRUE(ChooseFoundCase(font, prompter, nullptr, {"a", "b", "c"}, line, showAll, clearList));
  EXPECT_EQ(line, 2);
  EXPECT_FALSE(showAll);
  EXPECT_TRUE(clearList);
}

}  // namespace
}  // namespace taiyi
