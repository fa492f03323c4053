// Speed of preparing the case tree: reading and ordering every case of a large archive, and
// one-by-one sorted insertion.
#include <benchmark/benchmark.h>

#include <random>

#include "bench/support/sample_store.h"
#include "store/case_tree_items.h"

namespace {

using namespace taiyi;

MRecordBase& Archive() {
  static MRecordBase store;
  static bool ready = false;
  if (!ready) {
    const std::string dir = bench::FreshAppFolder("taiyi-bench-tree");
    store.Open(CaseDatabasePath(dir), dir, false);
    bench::AddSampleCases(store, 0, 99999);
    ready = true;
  }
  return store;
}

void BM_CollectTreeItems100000(benchmark::State& state) {
  MRecordBase& store = Archive();
  MYiDateEx dates;
  const std::vector<std::int32_t> ids = NewestCaseIds(store.PrimaryId(), store.PrimaryId());
  std::vector<TCusTreeItem> items;
  std::vector<std::string> used;
  for (auto _ : state) {
    CollectTreeItems(store, dates, ids, static_cast<int>(state.range(0)), items, used);
    benchmark::DoNotOptimize(items.data());
  }
  state.counters["cases"] = static_cast<double>(items.size());
}
BENCHMARK(BM_CollectTreeItems100000)
    ->Arg(kSortNone)
    ->Arg(kSortTimeDesc)
    ->Arg(kSortSurnameAsc)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

void BM_InsertSorted20000(benchmark::State& state) {
  std::mt19937 random(7);
  std::vector<TCusTreeItem> arrivals(20000);
  for (std::size_t i = 0; i < arrivals.size(); ++i) {
    arrivals[i].id = static_cast<std::int32_t>(i + 1);
    arrivals[i].julianDay = 2400000.0 + random() % 50000;
    arrivals[i].surnameKey = 65000 + random() % 26000;
  }
  for (auto _ : state) {
    std::vector<TCusTreeItem> items;
    for (const TCusTreeItem& item : arrivals) InsertSorted(items, item, kSortTimeDesc);
    benchmark::DoNotOptimize(items.data());
  }
}
BENCHMARK(BM_InsertSorted20000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
