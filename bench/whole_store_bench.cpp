// Speed of the whole-store operations on 10,000 cases: import with the comment files it
// writes, export of every category, and compaction after a third of the ids were deleted.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "platform/file_util.h"
#include "store/case_schema.h"
#include "store/record_base.h"
#include "store/whole_store.h"

namespace {

using namespace taiyi;

constexpr int kCases = 10000;

std::string Folder(const std::string& name) {
  const std::string dir = (std::filesystem::temp_directory_path() / name).string() + "/";
  std::filesystem::remove_all(dir);
  CreateDirs(dir + "dat");
  CreateDirs(dir + "TaiYi_f");
  return dir;
}

TRecordData Sample(int i) {
  static const char* const kCategories[] = {"家人", "亲戚朋友", "文学家", "历史人物"};
  TRecordData r;
  r.name = "张三" + std::to_string(i % 100);
  r.year = static_cast<int16_t>(1900 + i % 120);
  r.month = static_cast<int16_t>(1 + i % 12);
  r.day = static_cast<int16_t>(1 + i % 28);
  r.className = kCategories[i % 4];
  r.place = "福建省-福州市";
  r.remarkText = "命例" + std::to_string(i) + "的评语：一生平顺，晚年有福。\n第二段评语。";
  r.remarkFile = r.name + "_" + std::to_string(i);
  return r;
}

// A store of kCases cases in its own application folder.
std::string Filled(const std::string& name) {
  const std::string dir = Folder(name);
  MRecordBase store;
  store.Open(CaseDatabasePath(dir), dir, false);
  store.Connect();
  for (int i = 0; i < kCases; ++i) {
    TRecordData r = Sample(i);
    store.AddCaseInBatch(r);
  }
  store.Disconnect();
  return dir;
}

void BM_Import10000WithCommentFiles(benchmark::State& state) {
  const std::string source = Filled("taiyi-bench-import-source");
  for (auto _ : state) {
    state.PauseTiming();
    const std::string dir = Folder("taiyi-bench-import");
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
    const std::string dir = Folder("taiyi-bench-compact");
    MRecordBase store;
    store.Open(CaseDatabasePath(dir), dir, false);
    store.Connect();
    for (int i = 1; i <= kCases * 3 / 2; ++i) {
      TRecordData r = Sample(i);
      store.AddCaseInBatch(r);
    }
    for (int id = 3; id <= kCases * 3 / 2; id += 3) store.RemoveCaseInBatch(id);
    store.Disconnect();
    state.ResumeTiming();
    benchmark::DoNotOptimize(Compact(store, {}));
  }
}
BENCHMARK(BM_Compact10000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
