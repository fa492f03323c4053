// Long work that a window runs on a worker thread and follows with a progress dialog: the
// counts the worker keeps and the stop request the window sets, both read and written
// across the two threads, and the dialog's line.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <string_view>

namespace taiyi {

struct WorkProgress {
  std::atomic<bool> stop{false};  // set by the window; the worker looks between cases
  std::atomic<int> done{0};       // cases (or files) handled so far
  std::atomic<int> total{0};      // of how many; 0 while unknown
  // Set once the work is past the point from which it could still go back (the final switch
  // of a compaction or a restore): a stop is no longer taken from then on.
  std::atomic<bool> finishing{false};

  // The window's stop request; refused (false) once the work is finishing.
  bool RequestStop() {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (finishing.load()) return false;
    stop.store(true);
    return true;
  }
  // The work passes its point of no return; false when a stop was asked for first, and the
  // work must then undo what it did.
  bool Finish() {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (stop.load()) return false;
    finishing.store(true);
    return true;
  }
  // A new count of total steps from 0.
  void Begin(int steps) {
    done.store(0);
    total.store(steps);
  }
  void Step() { done.fetch_add(1, std::memory_order_relaxed); }

 private:
  std::mutex mutex_;  // the stop request and the finishing point are taken in one order
};

// "what：done / total", or only what while the total is unknown.
inline std::string ProgressLine(std::string_view what, int done, int total) {
  std::string line(what);
  if (total <= 0) return line;
  return line + "：" + std::to_string(done) + " / " + std::to_string(total);
}

}  // namespace taiyi
