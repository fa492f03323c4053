// Speed of the case store: batch inserts, batch and single loads, plain text of a comment.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

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

// What SQLite alone costs for the same rows: one prepared select in one transaction, every
// column's text touched.  The load above should stay within 1.5 times this.
void BM_RawSelect100000(benchmark::State& state) {
  MRecordBase& store = Filled(100000);
  sqlite3* db = nullptr;
  sqlite3_open_v2(store.DbPath().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "select * from case_data where id=?;", -1, &st, nullptr);
  for (auto _ : state) {
    std::size_t bytes = 0;
    sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
    for (int id = store.PrimaryId(); id >= 1; --id) {
      sqlite3_bind_int(st, 1, id);
      if (sqlite3_step(st) == SQLITE_ROW)
        for (int c = 0, n = sqlite3_column_count(st); c < n; ++c) {
          benchmark::DoNotOptimize(sqlite3_column_text(st, c));
          bytes += static_cast<std::size_t>(sqlite3_column_bytes(st, c));
        }
      sqlite3_reset(st);
    }
    sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
    benchmark::DoNotOptimize(bytes);
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
}
BENCHMARK(BM_RawSelect100000)->Unit(benchmark::kMillisecond)->Iterations(3);

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
