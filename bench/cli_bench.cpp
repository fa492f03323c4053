// The command line measured as a user runs it, whole process: chart --batch of 10,000 life
// charts with their full JSON, case dump of 100,000 cases, and one PDF case report.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/support/sample_store.h"
#include "platform/file_util.h"
#include "store/comment_file.h"

namespace taiyi {
namespace {

void RunQuietly(benchmark::State& state, const std::string& args) {
  const std::string command = std::string(TAIYI_CLI_PATH) + " " + args + " > /dev/null 2>&1";
  for (auto _ : state) {
    const int status = std::system(command.c_str());
    if (status == -1) state.SkipWithError("the program did not run");
  }
}

void BM_ChartBatch10000LifeCharts(benchmark::State& state) {
  const std::string dir = bench::FreshAppFolder("taiyi_cli_bench_batch");
  std::string input;
  char line[128];
  for (int i = 0; i < 10000; ++i) {
    std::snprintf(line, sizeof line,
                  "{\"date\":\"%d-%02d-%02d\",\"time\":\"%02d:%02d\",\"female\":%s}\n",
                  1900 + i % 120, 1 + i % 12, 1 + i % 28, i % 24, i % 60, i % 2 ? "true" : "false");
    input += line;
  }
  WriteFileAtomic(dir + "requests.jsonl", input);
  RunQuietly(state, "--data-dir " + dir + " chart --batch " + dir + "requests.jsonl");
}
BENCHMARK(BM_ChartBatch10000LifeCharts)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CaseDump100000Cases(benchmark::State& state) {
  const std::string dir = bench::FreshAppFolder("taiyi_cli_bench_dump");
  {
    MRecordBase store;
    store.Open(CaseDatabasePath(dir), dir, false);
    bench::AddSampleCases(store, 1, 100000);
    for (int i = 1; i <= 100000; ++i) {
      const TRecordData r = bench::SampleCase(i);
      WriteCommentFromPlainText(store.CommentPath(r), r.remarkText, FileSync::kLater);
    }
  }
  RunQuietly(state, "--data-dir " + dir + " case dump");
}
BENCHMARK(BM_CaseDump100000Cases)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CaseReportPdf(benchmark::State& state) {
  const std::string dir = bench::FreshAppFolder("taiyi_cli_bench_report");
  std::system((std::string(TAIYI_CLI_PATH) + " --data-dir " + dir +
               " case add --name 张三 --date 1980-05-05 --time 10:30 --category 家人 "
               "--comment 一生平顺 > /dev/null")
                  .c_str());
  RunQuietly(state, "--data-dir " + dir + " case report 1 --pdf " + dir + "report.pdf");
}
BENCHMARK(BM_CaseReportPdf)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace taiyi
