#include "ui/case_tree/case_loader.h"

#include <QMetaObject>
#include <algorithm>
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
  bool stopped = !CollectTreeItems(store_, dates, ids, sort, items, used, &stop_);

  if (!stopped) {
    const int total = static_cast<int>(items.size());
    auto beginFill = callbacks.beginFill;
    post([beginFill, used = std::move(used), total] {
      if (beginFill) beginFill(used, total);
    });
    auto addItems = callbacks.addItems;
    for (int i = 0; i < total; i += kItemsPerRun) {
      if (stop_.load()) {
        stopped = true;
        break;
      }
      const int end = std::min(total, i + kItemsPerRun);
      std::vector<TCusTreeItem> part(std::make_move_iterator(items.begin() + i),
                                     std::make_move_iterator(items.begin() + end));
      post([addItems, part = std::move(part), remaining = total - i] {
        if (addItems) addItems(part, remaining);
      });
    }
  }

  auto finished = callbacks.finished;
  post([finished, stopped] {
    if (finished) finished(stopped);
  });
  running_.store(false);
}

}  // namespace taiyi
