// Speed of the whole-store operations on 10,000 cases: import with the comment files it
// writes, export of every category, and compaction after a third of the ids were deleted.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/support/sample_store.h"
#include "store/whole_store.h"

namespace {

using namespace taiyi;
using bench::AddSampleCases;
using bench::FreshAppFolder;

constexpr int kCases = 10000;

// A store of kCases cases in its own application folder.
std::string Filled(const std::string& name) {
  const std::string dir = FreshAppFolder(name);
  MRecordBase store;
  store.Open(CaseDatabasePath(dir), dir, false);
  AddSampleCases(store, 0, kCases - 1);
  return dir;
}

void BM_Import10000WithCommentFiles(benchmark::State& state) {
  const std::string source = Filled("taiyi-bench-import-source");
  for (auto _ : state) {
    state.PauseTiming();
    const std::string dir = FreshAppFolder("taiyi-bench-import");
    MRecordBase store;
    store.Open(CaseDatabasePath(dir), dir, false);
    state.ResumeTiming();
    benchmark::DoNotOptimize(ImportStore(store, CaseDatabasePath(source), {}));
  }
}
BENCHMARK(BM_Import10000WithCommentFiles)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Export10000(benchmark::State& state) {
  const std::string dir = Filled("taiyi-bench-export");
  MRecordBase store;
  store.Open(CaseDatabasePath(dir), dir, false);
  const std::string path = dir + "export.db";
  for (auto _ : state) {
    state.PauseTiming();
    DeleteFile(path);
    state.ResumeTiming();
    benchmark::DoNotOptimize(ExportStore(store, path, {}, true, {}));
  }
}
BENCHMARK(BM_Export10000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Compact10000(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    // 15,000 ids of which every third is deleted: 10,000 cases remain.
    const std::string dir = FreshAppFolder("taiyi-bench-compact");
    MRecordBase store;
    store.Open(CaseDatabasePath(dir), dir, false);
    AddSampleCases(store, 1, kCases * 3 / 2);
    store.Connect();
    for (int id = 3; id <= kCases * 3 / 2; id += 3) store.RemoveCaseInBatch(id);
    store.Disconnect();
    state.ResumeTiming();
    benchmark::DoNotOptimize(Compact(store, {}));
  }
}
BENCHMARK(BM_Compact10000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
