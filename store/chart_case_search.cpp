#include "store/chart_case_search.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <functional>
#include <numeric>
#include <thread>
#include <tuple>

#include "calendar/date_service.h"

namespace taiyi {
namespace {

struct StoredChart {
  std::int32_t id = 0;
  ChartRequest request;
};

std::vector<StoredChart> LoadCharts(MRecordBase& store) {
  std::vector<StoredChart> out;
  const int n = store.PrimaryId();
  out.reserve(static_cast<std::size_t>(std::max(n, 0)));
  store.Connect();
  TRecordData r;
  for (int id = 1; id <= n; ++id)
    if (store.LoadCaseInBatch(id, r)) out.push_back({id, static_cast<const ChartRequest&>(r)});
  store.Disconnect();
  return out;
}

}  // namespace

bool SearchByChart(MRecordBase& store, const ChartSettings& settings,
                   const ChartConditions& conditions, std::vector<std::int32_t>& ids,
                   const ChartSearchProgress& progress, WorkProgress* work) {
  ids.clear();
  if (work) work->Begin(0);  // reading the cases: not counted
  const std::vector<StoredChart> cases = LoadCharts(store);
  if (work) work->Begin(static_cast<int>(cases.size()));
  // Charts in time order, so that each thread's date service keeps meeting the lunar years
  // it has just built.
  std::vector<std::size_t> order(cases.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(), [&cases](std::size_t a, std::size_t b) {
    const ChartRequest &x = cases[a].request, &y = cases[b].request;
    return std::tie(x.year, x.month, x.day) < std::tie(y.year, y.month, y.day);
  });
  std::vector<char> matches(cases.size(), 0);
  std::atomic<std::size_t> done{0};
  std::atomic<bool> stop{false};
  const auto run = [&](std::size_t begin, std::size_t end, MYiDateEx& dates) {
    for (std::size_t i = begin; i < end && !stop.load(std::memory_order_relaxed); ++i) {
      const StoredChart& c = cases[order[i]];
      const ChartResult chart = ComputeChart(c.request, settings, dates);
      matches[order[i]] = chart.ok && Meets(FeaturesOf(chart.chart), conditions);
      done.fetch_add(1, std::memory_order_relaxed);
    }
  };
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const std::size_t threads = cases.size() < 2000 ? 1 : std::min<std::size_t>(cores, 4);
  std::vector<std::thread> workers;
  // One date service per thread, kept for all its cases: the terms and lunar years it
  // remembers serve the next ones.
  std::deque<MYiDateEx> dates(threads);
  for (std::size_t t = 1; t < threads; ++t)
    workers.emplace_back(run, cases.size() * t / threads, cases.size() * (t + 1) / threads,
                         std::ref(dates[t]));
  // The calling thread takes the first share and reports the progress of all.
  const std::size_t firstEnd = cases.size() / threads;
  constexpr std::size_t kStep = 512;
  for (std::size_t b = 0; b < firstEnd && !stop; b += kStep) {
    run(b, std::min(firstEnd, b + kStep), dates[0]);
    if (progress && !progress(cases.empty() ? 1.0 : double(done) / double(cases.size())))
      stop = true;
    if (work) {
      work->done.store(static_cast<int>(done.load()));
      if (work->stop.load()) stop = true;
    }
  }
  for (std::thread& w : workers) w.join();
  if (stop) return false;
  for (std::size_t i = 0; i < cases.size(); ++i)
    if (matches[i]) ids.push_back(cases[i].id);
  return true;
}

}  // namespace taiyi
