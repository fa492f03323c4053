#include "ui/widgets/work_dialog.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <limits>
#include <thread>

#include "ui/widgets/program_title.h"
#include "ui/widgets/qt_prompter.h"

namespace taiyi {

namespace {

// A dialog appears only for work longer than this, and follows it at this pace.
constexpr int kDelayMs = 400;
constexpr int kTickMs = 100;

constexpr char kStopping[] = "正在停止，请稍候……";

// The dialog of one piece of work stays up until the work has ended, also while a stopped
// work undoes what it did: its button, Escape and the title bar's close button only ask for
// the stop.
class WorkDialog : public QProgressDialog {
 public:
  WorkDialog(QWidget* parent, bool stoppable) : QProgressDialog(parent), stoppable_(stoppable) {
    // QProgressDialog joins canceled() to cancel(), which hides it; the join is made by
    // name, so it is undone by name.
    disconnect(this, SIGNAL(canceled()), this, SLOT(cancel()));
  }
  void reject() override {
    if (stoppable_) emit canceled();
  }

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    if (stoppable_) emit canceled();
  }

 private:
  bool stoppable_;
};

// Keeps a window open while work runs on its behalf: a close asked for meanwhile (the title
// bar's button before the modal dialog shows) is refused.
class CloseRefuser : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::Close) return false;
    event->ignore();
    return true;
  }
};

// The bar is set directly: QProgressDialog::setValue() of a modal dialog would run a nested
// event loop from inside this function's own ticks.
void Show(QProgressDialog& dialog, QProgressBar& bar, QPushButton* stopButton,
          const std::string& what, const WorkProgress& progress) {
  // Past its point of no return the work cannot be stopped any more.
  if (stopButton) stopButton->setEnabled(!progress.stop.load() && !progress.finishing.load());
  const int total = progress.total.load();
  const int done = progress.done.load();
  dialog.setLabelText(progress.stop.load() ? QString::fromUtf8(kStopping)
                                           : ToQString(ProgressLine(what, done, total)));
  if (total <= 0) {
    bar.setRange(0, 0);  // a moving bar while the count is unknown
    return;
  }
  bar.setRange(0, total);
  bar.setValue(std::min(done, total));
}

}  // namespace

bool RunWithProgress(QWidget* parent, const std::string& what, WorkProgress& progress,
                     bool stoppable, const std::function<void()>& work) {
  WorkDialog dialog(parent, stoppable);
  dialog.setObjectName("WorkProgress");
  dialog.setWindowTitle(ToQString(kProgramTitle));
  dialog.setWindowModality(Qt::WindowModal);
  dialog.setAutoClose(false);
  dialog.setAutoReset(false);
  // The dialog shows when this function says so, never by its own timer.
  dialog.setMinimumDuration(std::numeric_limits<int>::max());
  // Wide enough for the longest count, so that the dialog keeps its size as the count grows.
  dialog.setMinimumWidth(
      dialog.fontMetrics().horizontalAdvance(ToQString(ProgressLine(what, 9999999, 9999999))) +
      80);
  auto* bar = new QProgressBar;
  dialog.setBar(bar);  // the dialog owns it
  QPushButton* stopButton = nullptr;
  if (stoppable) {
    stopButton = new QPushButton(QStringLiteral("停止"));
    dialog.setCancelButton(stopButton);  // the dialog owns it
  } else {
    dialog.setCancelButton(nullptr);
  }
  const auto show = [&] { Show(dialog, *bar, stopButton, what, progress); };
  QObject::connect(&dialog, &QProgressDialog::canceled, [&] {
    if (progress.RequestStop()) show();
  });

  CloseRefuser refuser;
  if (parent) parent->window()->installEventFilter(&refuser);
  QEventLoop loop;
  std::atomic<bool> ended{false};
  std::thread worker([&] {
    work();
    ended.store(true);
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  // Until the dialog shows, the window repaints but takes no input (a command given then
  // would use the store beside the work); what the user did meanwhile reaches it afterwards.
  QTimer delay;
  delay.setSingleShot(true);
  QObject::connect(&delay, &QTimer::timeout, &loop, &QEventLoop::quit);
  delay.start(kDelayMs);
  if (!ended.load()) loop.exec(QEventLoop::ExcludeUserInputEvents);
  if (!ended.load()) {
    // From here the dialog, modal to the window, keeps the window's input away.
    show();
    dialog.show();
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, &loop, show);
    ticker.start(kTickMs);
    if (!ended.load()) loop.exec();
  }
  worker.join();
  if (parent) parent->window()->removeEventFilter(&refuser);
  return !progress.stop.load();
}

}  // namespace taiyi
