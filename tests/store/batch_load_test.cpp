// Loading cases in a batch: the columns are found by name once for the connection, and again
// when the table changes under the open connection.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "platform/file_util.h"
#include "store/case_schema.h"
#include "store/record_base.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

class BatchLoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateDirs(dir.path() + "dat"));
    ASSERT_TRUE(CreateDirs(dir.path() + "TaiYi_f"));
    ASSERT_EQ(store.Open(CaseDatabasePath(dir.path()), dir.path(), false), 0);
  }
  test::TempDir dir;
  MRecordBase store;
};

TEST_F(BatchLoadTest, BatchAndSingleLoadsReadTheSameCase) {
  TRecordData r;
  r.SetName("张三丰");
  r.year = -119;
  r.month = 12;
  r.lunar = r.leapMonth = true;
  r.male = false;
  r.className = "历史人物";
  r.SetPlace("福建省-福州市");
  r.remarkText = "评语";
  r.remarkFile = "张三丰_1";
  r.extraPlaceIndex = {4, 5, -1, -1, -1};
  ASSERT_EQ(store.AddCase(r), 1);
  TRecordData single;
  ASSERT_TRUE(store.LoadCase(1, single));
  EXPECT_EQ(single, r);

  store.Connect();
  TRecordData batch;
  for (int round = 0; round < 3; ++round) {
    EXPECT_TRUE(store.LoadCaseInBatch(1, batch));
    EXPECT_EQ(batch, r) << round;
    TRecordData untouched = batch;
    EXPECT_FALSE(store.LoadCaseInBatch(2, untouched));  // no such case: nothing changes
    EXPECT_EQ(untouched, r);
  }
  EXPECT_TRUE(store.Disconnect());
}

TEST_F(BatchLoadTest, ColumnsAreFoundByNameAndAgainAfterTheTableChanged) {
  store.Connect();
  ASSERT_TRUE(store.Execute("drop table case_data;"));
  // Another order, most columns missing: those load with their defaults.
  ASSERT_TRUE(store.Execute(
      "create table case_data(className text, name text, id integer primary key, dateY int);"));
  ASSERT_TRUE(store.Execute("insert into case_data values ('文学家', '李白', 1, 701);"));
  TRecordData r;
  ASSERT_TRUE(store.LoadCaseInBatch(1, r));
  EXPECT_EQ(r.id, 1);
  EXPECT_EQ(r.name, "李白");
  EXPECT_EQ(r.className, "文学家");
  EXPECT_EQ(r.year, 701);
  EXPECT_TRUE(r.male);
  EXPECT_EQ(r.month, 1);

  // A column added while the batch is open is read by the next load.
  ASSERT_TRUE(store.Execute("alter table case_data add column sex int default 0;"));
  ASSERT_TRUE(store.LoadCaseInBatch(1, r));
  EXPECT_FALSE(r.male);
  EXPECT_EQ(r.name, "李白");
  EXPECT_TRUE(store.Disconnect());
}

// Another program's add, committed while this one reads a long batch of cases: it waits for
// the current chunk of loads, not for the whole loop (which could outlast its busy timeout).
TEST_F(BatchLoadTest, AReadingBatchLetsAnotherProgramsCommitIn) {
  for (int i = 0; i < 5; ++i) {
    TRecordData r;
    r.name = "甲" + std::to_string(i);
    ASSERT_GT(store.AddCase(r), 0);
  }
  ASSERT_EQ(store.Connect(), 0);
  TRecordData r;
  ASSERT_TRUE(store.LoadCaseInBatch(1, r));  // the read lock is held from here

  std::atomic<int> added{0};
  std::thread other([this, &added] {
    MRecordBase writer;  // another program: its own connection
    if (writer.Open(store.DbPath(), dir.path(), false) != 0) return;
    TRecordData c;
    c.name = "乙";
    added = writer.AddCase(c);
  });
  // The loop goes on for at most three seconds; the add must have come through meanwhile.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  int loads = 0;
  while (added.load() == 0 && std::chrono::steady_clock::now() < deadline) {
    EXPECT_TRUE(store.LoadCaseInBatch(1 + loads % 5, r));
    ++loads;
  }
  const bool addedDuringTheLoop = added.load() != 0;
  EXPECT_TRUE(store.Disconnect());
  other.join();
  EXPECT_TRUE(addedDuringTheLoop) << loads << " loads";
  EXPECT_EQ(added.load(), 6);
}

}  // namespace
}  // namespace taiyi
