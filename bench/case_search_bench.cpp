// Speed of the case searches: the conditional search over 100,000 cases without a comment
// condition, the fuzzy search over 10,000 cases with 2 KB comment files.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/support/sample_store.h"
#include "store/case_search.h"
#include "store/comment_file.h"

namespace {

using namespace taiyi;

MRecordBase& Filled(MRecordBase& store, const char* name, int count, bool comments) {
  const std::string dir = bench::FreshAppFolder(name);
  store.Open(CaseDatabasePath(dir), dir, false);
  std::string comment;
  while (comment.size() < 2000) comment += "太乙神数命例评语，一生平顺 ok\n";
  store.Connect();
  for (int i = 0; i < count; ++i) {
    TRecordData r;
    r.name = (i % 3 ? "李四" : "张三") + std::to_string(i % 100);
    r.year = static_cast<int16_t>(1900 + i % 120);
    r.male = i % 2 == 0;
    r.className = "家人";
    r.place = "福建省-福州市";
    r.remarkFile = "c" + std::to_string(i);
    store.AddCaseInBatch(r);
    if (comments) WriteCommentFromPlainText(store.CommentPath(r), comment);
  }
  store.Disconnect();
  return store;
}

void BM_SearchByConditions100000(benchmark::State& state) {
  static MRecordBase store;
  static MRecordBase& s = Filled(store, "taiyi-bench-search", 100000, false);
  SearchConditions c;
  c.nameMode = kMatchContains;
  c.name = "张";
  c.classMode = kMatchEquals;
  c.className = "家人";
  c.sexOn = c.male = true;
  c.yearOn = true;
  c.yearFrom = 1950;
  c.yearTo = 2000;
  std::vector<std::int32_t> ids;
  for (auto _ : state) SearchByConditions(s, c, ids);
  state.counters["found"] = static_cast<double>(ids.size());
}
BENCHMARK(BM_SearchByConditions100000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_FuzzySearch10000(benchmark::State& state) {
  static MRecordBase store;
  static MRecordBase& s = Filled(store, "taiyi-bench-fuzzy", 10000, true);
  std::vector<std::int32_t> ids;
  for (auto _ : state) FuzzySearch(s, {"张三", "男", "平顺"}, ids);
  state.counters["found"] = static_cast<double>(ids.size());
}
BENCHMARK(BM_FuzzySearch10000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
