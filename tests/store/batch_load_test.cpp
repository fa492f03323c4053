// Loading cases in a batch: the columns are found by name once for the connection, and again
// when the table changes under the open connection.
#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace taiyi
