#include "ui/widgets/work_dialog.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <thread>

#include "ui/widgets/program_title.h"
#include "ui/widgets/qt_prompter.h"

namespace taiyi {

namespace {

// A dialog appears only for work longer than this, and follows it at this pace.
constexpr int kDelayMs = 400;
constexpr int kTickMs = 100;

void Show(QProgressDialog& dialog, const std::string& what, const WorkProgress& progress) {
  const int total = progress.total.load();
  const int done = progress.done.load();
  dialog.setLabelText(ToQString(ProgressLine(what, done, total)));
  if (total <= 0) {
    dialog.setRange(0, 0);  // a moving bar while the count is unknown
    return;
  }
  dialog.setRange(0, total);
  dialog.setValue(std::min(done, total));
}

}  // namespace

bool RunWithProgress(QWidget* parent, const std::string& what, WorkProgress& progress,
                     bool stoppable, const std::function<void()>& work) {
  QProgressDialog dialog(parent);
  dialog.setObjectName("WorkProgress");
  dialog.setWindowTitle(ToQString(kProgramTitle));
  dialog.setWindowModality(Qt::WindowModal);
  dialog.setAutoClose(false);
  dialog.setAutoReset(false);
  dialog.setMinimumDuration(kDelayMs);
  if (stoppable)
    dialog.setCancelButtonText(QStringLiteral("停止"));
  else
    dialog.setCancelButton(nullptr);
  QObject::connect(&dialog, &QProgressDialog::canceled, [&progress] { progress.stop.store(true); });
  Show(dialog, what, progress);

  QEventLoop loop;
  std::atomic<bool> ended{false};
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, &loop, [&] { Show(dialog, what, progress); });
  std::thread worker([&] {
    work();
    ended.store(true);
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  ticker.start(kTickMs);
  if (!ended.load()) loop.exec();
  worker.join();
  return !progress.stop.load();
}

}  // namespace taiyi
