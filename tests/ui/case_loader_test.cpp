#include "ui/case_tree/case_loader.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <memory>

#include "support/case_store_fixture.h"

namespace taiyi {
namespace {

// What arrived, in arrival order, and whether each arrived on the GUI thread.
struct Recorder {
  std::vector<std::string> events;
  bool offThread = false;
  bool done = false;

  CaseLoader::Callbacks Calls() {
    CaseLoader::Callbacks calls;
    auto note = [this](std::string what) {
      if (QThread::currentThread() != QCoreApplication::instance()->thread()) offThread = true;
      events.push_back(std::move(what));
    };
    calls.caption = [note](const std::string& text) { note("caption " + text); };
    calls.filled = [note](std::vector<TCusTreeItem>& items, const std::vector<std::string>& used) {
      note("filled " + std::to_string(items.size()) + " " + std::to_string(used.size()) + " from " +
           std::to_string(items.front().id));
    };
    calls.finished = [this, note](bool stopped) {
      note(stopped ? "stopped" : "finished");
      done = true;
    };
    return calls;
  }
};

void ProcessUntil(const bool& flag) {
  QElapsedTimer clock;
  clock.start();
  while (!flag && clock.elapsed() < 20000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

class CaseLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(f.opened);
    f.store.Connect();
    for (int i = 0; i < 120; ++i) {
      TRecordData r =
          test::TreeCase("张" + std::to_string(i), 1900 + i, 1, 1, i % 2 ? "家人" : "亲戚朋友");
      ASSERT_GT(f.store.AddCaseInBatch(r), 0);
    }
    ASSERT_TRUE(f.store.Disconnect());
  }
  test::CaseStoreFixture f;
  QObject context;
  std::atomic<bool> stop{false};
};

TEST_F(CaseLoaderTest, HandsItsChangesToTheGuiThreadInOrder) {
  Recorder rec;
  CaseLoader loader(&context, f.store, stop);
  ASSERT_TRUE(loader.Start(NewestCaseIds(120, 120), kSortNone, rec.Calls()));
  ProcessUntil(rec.done);
  loader.Wait();
  EXPECT_FALSE(rec.offThread);
  EXPECT_EQ(rec.events, (std::vector<std::string>{"caption 加载.....", "caption 数据处理.....",
                                                  "filled 120 2 from 120", "finished"}));
  EXPECT_FALSE(loader.Running());
  EXPECT_EQ(loader.Done(), 120);
  EXPECT_EQ(loader.Total(), 120);
  EXPECT_FALSE(f.store.IsConnected());
}

TEST_F(CaseLoaderTest, AStopRequestEndsTheLoadBeforeTheNextCase) {
  Recorder rec;
  stop = true;
  CaseLoader loader(&context, f.store, stop);
  ASSERT_TRUE(loader.Start(NewestCaseIds(120, 120), kSortTimeDesc, rec.Calls()));
  ProcessUntil(rec.done);
  EXPECT_EQ(rec.events,
            (std::vector<std::string>{"caption 加载.....", "caption 数据处理.....", "stopped"}));
  // The store's batch was closed: the store works again.
  loader.Wait();
  TRecordData r;
  EXPECT_TRUE(f.store.LoadCase(1, r));
}

TEST_F(CaseLoaderTest, NothingArrivesAfterTheContextAndTheLoaderAreGone) {
  Recorder rec;
  auto target = std::make_unique<QObject>();
  {
    CaseLoader loader(target.get(), f.store, stop);
    ASSERT_TRUE(loader.Start(NewestCaseIds(120, 120), kSortNone, rec.Calls()));
  }  // the destructor stops and waits
  EXPECT_TRUE(stop.load());
  target.reset();
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents();
  EXPECT_TRUE(rec.events.empty());
  EXPECT_FALSE(f.store.IsConnected());
}

}  // namespace
}  // namespace taiyi
