// Long work that a window runs on a worker thread and follows with a progress dialog: the
// counts the worker keeps and the stop request the window sets, both read and written
// across the two threads, and the dialog's line.
#pragma once

#include <atomic>
#include <string>
#include <string_view>

namespace taiyi {

struct WorkProgress {
  std::atomic<bool> stop{false};  // set by the window; the worker looks between cases
  std::atomic<int> done{0};       // cases handled so far
  std::atomic<int> total{0};      // of how many; 0 while unknown
};

// "what：done / total", or only what while the total is unknown.
inline std::string ProgressLine(std::string_view what, int done, int total) {
  std::string line(what);
  if (total <= 0) return line;
  return line + "：" + std::to_string(done) + " / " + std::to_string(total);
}

}  // namespace taiyi
