// The main window offscreen on a 100,000-case archive: "显示全部命例" from the command to the
// finished tree, with the growth of the resident memory, and switching the tree to the list
// style and back.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <fstream>
#include <memory>
#include <string>

#include "bench/support/sample_store.h"
#include "platform/app_folder.h"
#include "platform/prompter.h"
#include "ui/case_tree/case_tree.h"
#include "ui/main_window/main_window.h"
#include "ui/widgets/ui_font.h"

namespace {

using namespace taiyi;

constexpr int kCases = 100000;

// The resident memory of this process in MB.
double ResidentMb() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

struct Window {
  AppFolder folder;
  ScriptedPrompter prompter;
  MRecordBase store;
  MUiFont uiFont{0, false};
  std::unique_ptr<TFrmMain> main;
  double startMb = 0;  // resident memory with the window up and its first 1000 cases shown

  Window() {
    AppFolderInputs in;
    in.dataDirOption = bench::FreshAppFolder("taiyi-bench-window");
    in.shippedDir = std::string(TAIYI_SOURCE_DAT_DIR) + "/../";
    std::string error;
    PrepareAppFolder(in, folder, error);
    {
      MRecordBase filler;
      filler.Open(folder.Dat() + "TaiYi.db", folder.root, false);
      bench::AddSampleCases(filler, 0, kCases - 1);
    }
    main = std::make_unique<TFrmMain>(folder, prompter, store, uiFont);
    main->show();
    QApplication::processEvents();
    startMb = ResidentMb();
  }
};

Window& TheWindow() {
  static int argc = 1;
  static char name[] = "main_window_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  (void)app;
  static Window window;
  return window;
}

void WaitForLoader(CaseTree& tree) {
  QElapsedTimer clock;
  clock.start();
  while ((tree.LoaderRunning() || tree.TreeBusy()) && clock.elapsed() < 600000)
    QApplication::processEvents(QEventLoop::AllEvents, 5);
  QApplication::processEvents();
}

QAction* MenuItem(CaseTree& tree, const char* caption) {
  for (QAction* item : tree.PopMingLi()->findChild<QMenu*>("pMenuShowStyle")->actions())
    if (item->text() == QString::fromUtf8(caption)) return item;
  return nullptr;
}

// One run each, timed by the wall clock, with the CPU time of the whole process beside it.
void OneTimedRun(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond)->Iterations(1)->MeasureProcessCPUTime()->UseRealTime();
}

void BM_ShowAllCases(benchmark::State& state) {
  Window& w = TheWindow();
  CaseTree& tree = w.main->Cases();
  for (auto _ : state) {
    state.PauseTiming();
    tree.BuildNewestCaseTree();
    QApplication::processEvents();
    state.ResumeTiming();
    tree.ShowAllCases();
    WaitForLoader(tree);
  }
  state.counters["cases"] = tree.RecordCount();
  state.counters["rss_growth_mb"] = ResidentMb() - w.startMb;
}
BENCHMARK(BM_ShowAllCases)->Apply(OneTimedRun);

// The whole archive in the tree, shown with the menu item from; the time of the switch to the
// menu item to.
void SwitchShowStyle(benchmark::State& state, const char* from, const char* to) {
  CaseTree& tree = TheWindow().main->Cases();
  if (tree.RecordCount() < kCases) {
    tree.ShowAllCases();
    WaitForLoader(tree);
  }
  for (auto _ : state) {
    state.PauseTiming();
    tree.ShowStyleClick(MenuItem(tree, from));
    QApplication::processEvents();
    state.ResumeTiming();
    tree.ShowStyleClick(MenuItem(tree, to));
    QApplication::processEvents();
  }
  state.counters["cases"] = tree.RecordCount();
}

void BM_SwitchToListStyle(benchmark::State& state) {
  SwitchShowStyle(state, "分类显示", "列表显示");
}
BENCHMARK(BM_SwitchToListStyle)->Apply(OneTimedRun);

// A change of order over the whole archive (time descending, then surname ascending).
void BM_SwitchOrder(benchmark::State& state) {
  SwitchShowStyle(state, "时间降序（近-远）", "姓氏升序（a-z）");
}
BENCHMARK(BM_SwitchOrder)->Apply(OneTimedRun);

}  // namespace
