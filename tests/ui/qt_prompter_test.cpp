// The real message boxes: each opens over the window that asks and above it (the perpetual
// calendar stays on top of everything else), with the icon the question carries.
#include "ui/widgets/qt_prompter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/tools/calendar_window.h"

namespace taiyi {
namespace {

struct SeenBox {
  QWidget* owner = nullptr;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool onTop = false;
  bool defaultNo = false;
  QString text;
  int width = 0;
  int titleWidth = 0;
};

// Looks at the box that is about to open and answers it with the button.
void AnswerNextBox(SeenBox& seen, QMessageBox::StandardButton answer) {
  QTimer::singleShot(0, [&seen, answer] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen.owner = box->parentWidget();
    seen.icon = box->icon();
    seen.onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    seen.defaultNo = box->defaultButton() == box->button(QMessageBox::No);
    seen.text = box->text();
    seen.width = box->width();
    seen.titleWidth = box->fontMetrics().horizontalAdvance(box->windowTitle());
    box->button(answer)->click();
  });
}

TEST(QtPrompter, ABoxOpensOverTheWindowThatAsksWithItsIcon) {
  QApplication::processEvents();  // timers other tests left pending must not answer ours
  QWidget main;
  main.resize(300, 200);
  main.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
  QtPrompter prompter(&main);

  TFrmWnl calendar(prompter, nullptr, &main);
  calendar.setAttribute(Qt::WA_DeleteOnClose, false);
  calendar.Open({2024, 2, 4, 12, 0});
  calendar.show();
  QApplication::setActiveWindow(&calendar);

  // The calendar reports a year out of range over itself, and on top like itself.
  SeenBox seen;
  AnswerNextBox(seen, QMessageBox::Ok);
  calendar.findChild<QLineEdit*>("EdtYear")->setText("0");
  calendar.DrawMonth();
  EXPECT_EQ(seen.owner, &calendar);
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
  EXPECT_TRUE(seen.onTop);
  EXPECT_EQ(seen.text, QStringLiteral("年份在-4713 到 9999年之间，并且没有公元0年"));

  // A question keeps its own icon and default button.
  SeenBox question;
  AnswerNextBox(question, QMessageBox::Yes);
  EXPECT_TRUE(
      prompter.Question("注意", "确定要删除“张三”这个命例吗？", false, QuestionIcon::Warning));
  EXPECT_EQ(question.icon, QMessageBox::Warning);
  EXPECT_TRUE(question.defaultNo);
  SeenBox plain;
  AnswerNextBox(plain, QMessageBox::No);
  EXPECT_FALSE(prompter.Question("关闭", "确定要关闭软件吗？", true));
  EXPECT_EQ(plain.icon, QMessageBox::Question);
  EXPECT_FALSE(plain.defaultNo);

  // With the calendar closed the main window is the owner, and nothing needs to stay on top.
  calendar.close();
  QApplication::setActiveWindow(&main);
  SeenBox later;
  AnswerNextBox(later, QMessageBox::Ok);
  prompter.Information("提示", "请先排盘！");
  EXPECT_EQ(later.owner, &main);
  EXPECT_EQ(later.icon, QMessageBox::Information);
  EXPECT_FALSE(later.onTop);

  // A short message under the program's long title is wide enough for the whole title.
  SeenBox shortText;
  AnswerNextBox(shortText, QMessageBox::Ok);
  prompter.Message("已保存！");
  EXPECT_GT(shortText.width, shortText.titleWidth + 100);
}

}  // namespace
}  // namespace taiyi
