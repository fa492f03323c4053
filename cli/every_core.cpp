#include "cli/every_core.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace taiyi::cli {

EveryCore::EveryCore() : dates_(std::max(1u, std::thread::hardware_concurrency())) {}

void EveryCore::ForEach(std::size_t count,
                        const std::function<void(std::size_t, MYiDateEx&)>& work) {
  std::atomic<std::size_t> next{0};
  const auto run = [&](MYiDateEx& dates) {
    for (std::size_t i; (i = next.fetch_add(1)) < count;) work(i, dates);
  };
  std::vector<std::thread> threads;
  for (std::size_t t = 1; t < dates_.size() && t < count; ++t)
    threads.emplace_back(run, std::ref(dates_[t]));
  run(dates_[0]);
  for (std::thread& t : threads) t.join();
}

}  // namespace taiyi::cli
