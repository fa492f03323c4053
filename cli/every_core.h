// Work spread over every core in rounds (a block of batch lines, a block of dumped cases).
// Each thread has its own date service, as a service is never shared; the services are kept
// from round to round, so the terms and lunar years they remember serve the next block.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>

#include "calendar/date_service.h"

namespace taiyi::cli {

class EveryCore {
 public:
  EveryCore();

  // Calls work(i, dates) once for every i < count, spread over the threads (the calling one
  // among them); returns when all calls are done.
  void ForEach(std::size_t count, const std::function<void(std::size_t, MYiDateEx&)>& work);

 private:
  std::deque<MYiDateEx> dates_;  // one per thread
};

}  // namespace taiyi::cli
