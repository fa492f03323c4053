// The background case loader of the case tree: reads the cases of a list of ids on a worker
// thread and hands the tree's changes to the GUI thread as queued calls, in order, so that
// no widget is touched off that thread.  A stop request ends it at the next case.
#pragma once

#include <QObject>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "store/case_tree_items.h"
#include "store/record_base.h"

namespace taiyi {

class CaseLoader {
 public:
  // Everything runs on the thread of the context object, in this order: caption
  // "加载....." and "数据处理.....", then (unless stopped while reading) filled once with
  // every item read, in the tree's order, and finished last, always, with whether the stop
  // request ended the load early.
  struct Callbacks {
    std::function<void(const std::string& caption)> caption;
    std::function<void(std::vector<TCusTreeItem>& items,
                       const std::vector<std::string>& usedCategories)>
        filled;
    std::function<void(bool stopped)> finished;
  };

  // The store is used only by the worker until finished arrives; stop is the shared stop
  // request, looked at before every case read and every run handed over.
  CaseLoader(QObject* context, MRecordBase& store, std::atomic<bool>& stop);
  // Sets the stop request and waits for the worker.  Calls still queued to a destroyed
  // context are dropped by Qt.
  ~CaseLoader();
  CaseLoader(const CaseLoader&) = delete;
  CaseLoader& operator=(const CaseLoader&) = delete;

  // Starts the worker for ids in order sort; false when one is still running.
  bool Start(std::vector<std::int32_t> ids, int sort, Callbacks callbacks);
  // True from Start until the worker has returned (finished may still be queued).
  bool Running() const { return running_.load(); }
  // How many of the ids the worker has looked at so far, of how many; any thread may ask.
  int Done() const { return done_.load(std::memory_order_relaxed); }
  int Total() const { return total_.load(std::memory_order_relaxed); }
  // Waits for the worker to return.
  void Wait();

 private:
  void run(std::vector<std::int32_t> ids, int sort, Callbacks callbacks);
  template <typename F>
  void post(F&& call);

  QObject* context_;
  MRecordBase& store_;
  std::atomic<bool>& stop_;
  std::atomic<bool> running_{false};
  std::atomic<int> done_{0};
  std::atomic<int> total_{0};
  std::thread worker_;
};

}  // namespace taiyi
