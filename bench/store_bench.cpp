// Speed of the case store: batch inserts, batch and single loads, plain text of a comment.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "platform/file_util.h"
#include "store/case_schema.h"
#include "store/record_base.h"
#include "store/rtf_reader.h"
#include "store/rtf_writer.h"

namespace {

using namespace taiyi;

std::string Folder(const char* name) {
  const std::string dir = (std::filesystem::temp_directory_path() / name).string() + "/";
  std::filesystem::remove_all(dir);
  CreateDirs(dir + "dat");
  CreateDirs(dir + "TaiYi_f");
  return dir;
}

TRecordData Sample(int i) {
  TRecordData r;
  r.name = "张三" + std::to_string(i % 100);
  r.year = static_cast<int16_t>(1900 + i % 120);
  r.className = "家人";
  r.place = "福建省-福州市";
  r.remarkText = "输入自己的评语：";
  r.remarkFile = r.name + "_" + std::to_string(i);
  return r;
}

void BM_AddCaseInBatch10000(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    const std::string dir = Folder("taiyi-bench-add");
    MRecordBase store;
    store.Open(CaseDatabasePath(dir), dir, false);
    state.ResumeTiming();
    store.Connect();
    for (int i = 0; i < 10000; ++i) {
      TRecordData r = Sample(i);
      store.AddCaseInBatch(r);
    }
    store.Disconnect();
  }
}
BENCHMARK(BM_AddCaseInBatch10000)->Unit(benchmark::kMillisecond)->Iterations(3);

MRecordBase& Filled(int count) {
  static MRecordBase store;
  static bool ready = false;
  if (!ready) {
    const std::string dir = Folder("taiyi-bench-load");
    store.Open(CaseDatabasePath(dir), dir, false);
    store.Connect();
    for (int i = 0; i < count; ++i) {
      TRecordData r = Sample(i);
      store.AddCaseInBatch(r);
    }
    store.Disconnect();
    ready = true;
  }
  return store;
}

void BM_LoadCaseInBatch100000(benchmark::State& state) {
  MRecordBase& store = Filled(100000);
  for (auto _ : state) {
    TRecordData r;
    store.Connect();
    for (int id = store.PrimaryId(); id >= 1; --id) store.LoadCaseInBatch(id, r);
    store.Disconnect();
  }
}
BENCHMARK(BM_LoadCaseInBatch100000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LoadCase(benchmark::State& state) {
  MRecordBase& store = Filled(100000);
  TRecordData r;
  int id = 1;
  for (auto _ : state) {
    store.LoadCase(id, r);
    id = id % 100000 + 1;
  }
}
BENCHMARK(BM_LoadCase)->Unit(benchmark::kMicrosecond);

void BM_PlainTextOf20KbRtf(benchmark::State& state) {
  std::string text;
  while (text.size() < 14000) text += "太乙神数命例评语，第" + std::to_string(text.size()) + "行 ok\n";
  const std::string rtf = PlainTextToRtf(text);
  state.counters["rtf_bytes"] = static_cast<double>(rtf.size());
  for (auto _ : state) benchmark::DoNotOptimize(RtfPlainText(rtf));
}
BENCHMARK(BM_PlainTextOf20KbRtf)->Unit(benchmark::kMicrosecond);

}  // namespace
