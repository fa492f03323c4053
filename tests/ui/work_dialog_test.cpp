#include "ui/widgets/work_dialog.h"

#include <gtest/gtest.h>

#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <thread>

#include "ui/widgets/qt_prompter.h"

namespace taiyi {
namespace {

using namespace std::chrono_literals;

TEST(WorkDialog, TheWindowAnswersWhileTheWorkRunsAndStopEndsIt) {
  QWidget window;
  window.show();
  int ticks = 0;  // the window's own timer goes on while the work runs
  bool closed = false;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    if (++ticks == 1) closed = window.close();  // refused while the work runs
  });
  tick.start(20);
  std::string label, stopping;
  bool staysUp = false;
  QTimer press;  // presses "停止" once the dialog shows
  QObject::connect(&press, &QTimer::timeout, [&] {
    auto* dialog = window.findChild<QProgressDialog*>("WorkProgress");
    if (!dialog || !dialog->isVisible() || dialog->findChild<QProgressBar*>()->value() < 1) return;
    label = ToStdString(dialog->labelText());
    dialog->findChild<QPushButton*>()->click();
    // The dialog stays while the work winds down.
    staysUp = dialog->isVisible();
    stopping = ToStdString(dialog->labelText());
    press.stop();
  });
  press.start(50);

  WorkProgress progress;
  const bool finished = RunWithProgress(&window, "正在查找命例", progress, true, [&progress] {
    progress.total = 1000;
    for (int i = 0; i < 1000 && !progress.stop; ++i) {
      ++progress.done;
      std::this_thread::sleep_for(5ms);
    }
  });
  EXPECT_FALSE(finished);
  EXPECT_LT(progress.done.load(), 1000);
  EXPECT_GE(ticks, 3);
  EXPECT_FALSE(closed);
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(label.starts_with("正在查找命例：")) << label;
  EXPECT_TRUE(label.ends_with(" / 1000")) << label;
  EXPECT_TRUE(staysUp);
  EXPECT_EQ(stopping, "正在停止，请稍候……");

  // Short work ends without a dialog and reports that it ran to its end.
  WorkProgress quick;
  int ran = 0;
  EXPECT_TRUE(RunWithProgress(&window, "正在查找命例", quick, false, [&ran] { ++ran; }));
  EXPECT_EQ(ran, 1);
}

// Work past its point of no return: the button is disabled, and neither a stop request nor
// Escape takes the dialog down before the work has ended.
TEST(WorkDialog, PastItsPointOfNoReturnTheWorkCannotBeStopped) {
  QWidget window;
  window.show();
  std::atomic<bool> looked{false};
  bool disabled = false, staysUp = false;
  QTimer look;
  QObject::connect(&look, &QTimer::timeout, [&] {
    auto* dialog = window.findChild<QProgressDialog*>("WorkProgress");
    if (!dialog || !dialog->isVisible()) return;
    disabled = !dialog->findChild<QPushButton*>()->isEnabled();
    emit dialog->canceled();
    dialog->reject();
    staysUp = dialog->isVisible();
    look.stop();
    looked = true;
  });
  look.start(50);

  WorkProgress progress;
  const bool finished = RunWithProgress(&window, "正在整理数据", progress, true, [&] {
    progress.total = 2;
    ASSERT_TRUE(progress.Finish());
    for (int i = 0; i < 600 && !looked; ++i) std::this_thread::sleep_for(5ms);
    progress.done = 2;
  });
  EXPECT_TRUE(looked);
  EXPECT_TRUE(finished);
  EXPECT_FALSE(progress.stop);
  EXPECT_TRUE(disabled);
  EXPECT_TRUE(staysUp);
}

}  // namespace
}  // namespace taiyi
