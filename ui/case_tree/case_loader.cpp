#include "ui/case_tree/case_loader.h"

#include <QMetaObject>
#include <memory>
#include <utility>

#include "calendar/date_service.h"

namespace taiyi {

CaseLoader::CaseLoader(QObject* context, MRecordBase& store, std::atomic<bool>& stop)
    : context_(context), store_(store), stop_(stop) {}

CaseLoader::~CaseLoader() {
  stop_.store(true);
  Wait();
}

void CaseLoader::Wait() {
  if (worker_.joinable()) worker_.join();
}

bool CaseLoader::Start(std::vector<std::int32_t> ids, int sort, Callbacks callbacks) {
  if (running_.load()) return false;
  Wait();
  running_.store(true);
  done_.store(0);
  total_.store(static_cast<int>(ids.size()));
  worker_ = std::thread(&CaseLoader::run, this, std::move(ids), sort, std::move(callbacks));
  return true;
}

template <typename F>
void CaseLoader::post(F&& call) {
  // Queued calls to one receiver from one thread are delivered in the order posted.
  QMetaObject::invokeMethod(context_, std::forward<F>(call), Qt::QueuedConnection);
}

void CaseLoader::run(std::vector<std::int32_t> ids, int sort, Callbacks callbacks) {
  auto caption = callbacks.caption;
  post([caption] {
    if (caption) caption(kCaptionLoading);
  });
  post([caption] {
    if (caption) caption(kCaptionCollecting);
  });

  // The sort keys need a date service of the loader's own.
  MYiDateEx dates;
  std::vector<TCusTreeItem> items;
  std::vector<std::string> used;
  bool stopped = !CollectTreeItems(store_, dates, ids, sort, items, used, &stop_, &done_);

  if (!stopped) {
    // The items travel to the GUI thread without a copy.
    auto read = std::make_shared<std::vector<TCusTreeItem>>(std::move(items));
    auto filled = callbacks.filled;
    post([filled, read, used = std::move(used)] {
      if (filled) filled(*read, used);
    });
  }

  auto finished = callbacks.finished;
  post([finished, stopped] {
    if (finished) finished(stopped);
  });
  running_.store(false);
}

}  // namespace taiyi
