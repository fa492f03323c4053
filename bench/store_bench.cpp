// Speed of the case store: batch inserts, batch and single loads, plain text of a comment.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/support/sample_store.h"
#include "store/rtf_reader.h"
#include "store/rtf_writer.h"

namespace {

using namespace taiyi;
using bench::AddSampleCases;
using bench::FreshAppFolder;

void BM_AddCaseInBatch10000(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    const std::string dir = FreshAppFolder("taiyi-bench-add");
    MRecordBase store;
    store.Open(CaseDatabasePath(dir), dir, false);
    state.ResumeTiming();
    AddSampleCases(store, 0, 9999);
  }
}
BENCHMARK(BM_AddCaseInBatch10000)->Unit(benchmark::kMillisecond)->Iterations(3);

MRecordBase& Filled(int count) {
  static MRecordBase store;
  static bool ready = false;
  if (!ready) {
    const std::string dir = FreshAppFolder("taiyi-bench-load");
    store.Open(CaseDatabasePath(dir), dir, false);
    AddSampleCases(store, 0, count - 1);
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
