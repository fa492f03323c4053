// The category editor's working data read from a small store, its line texts, and the
// rewriting of a category's cases.
#include "store/category_cases.h"

#include <gtest/gtest.h>

#include "platform/file_util.h"
#include "store/case_schema.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

class CategoryCasesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirs(dir_.path() + "dat");
    CreateDirs(dir_.path() + "TaiYi_f");
    ASSERT_EQ(store_.Open(CaseDatabasePath(dir_.path()), dir_.path(), false), 0);
    ASSERT_TRUE(store_.SaveCategories({"家人", "亲戚朋友"}));
    for (const char* category : {"家人", "外人", "家人", "家人", "IT名人"}) Add(category);
    ASSERT_TRUE(store_.RemoveCase(3));
  }
  void Add(const std::string& category) {
    TRecordData r;
    r.name = "张三";
    r.year = 1990;
    r.className = category;
    r.remarkFile = "张三" + std::to_string(store_.PrimaryId() + 1);
    ASSERT_GT(store_.AddCase(r), 0);
  }
  std::string CategoryOf(int id) {
    TRecordData r;
    return store_.LoadCase(id, r) ? r.className : "(none)";
  }
  test::TempDir dir_;
  MRecordBase store_;
};

TEST_F(CategoryCasesTest, StoredCategoriesComeFirstThenThoseFoundOnlyInCases) {
  const CategoryOverview overview = LoadCategoryOverview(store_);
  EXPECT_EQ(overview.lines, (std::vector<std::string>{"家人", "亲戚朋友", "IT名人", "外人"}));
  EXPECT_EQ(overview.total, 4);
  EXPECT_TRUE(overview.data.modified);
  EXPECT_EQ(overview.data.cases.at("家人"), (CaseIds{1, 4}));
  EXPECT_TRUE(overview.data.cases.at("亲戚朋友").empty());
  EXPECT_EQ(overview.data.cases.at("外人"), (CaseIds{2}));
}

TEST_F(CategoryCasesTest, NothingIsModifiedWhenEveryCategoryIsStored) {
  ASSERT_TRUE(store_.SaveCategories({"家人", "外人", "IT名人"}));
  const CategoryOverview overview = LoadCategoryOverview(store_);
  EXPECT_FALSE(overview.data.modified);
  EXPECT_EQ(overview.lines, (std::vector<std::string>{"家人", "外人", "IT名人"}));
}

TEST(CategoryLineTest, PadsTheNameToTwelveBytesAndNamesTheLineByItsFirstWord) {
  EXPECT_EQ(CategoryLine("家人", 3),
            "家人        "
            "  3 案例");
  EXPECT_EQ(CategoryLine("abcdefghijkl", 10),
            "abcdefghijkl"
            "  10 案例");
  EXPECT_EQ(CategoryLine("五个字的名", 0),
            "五个字的名  "
            "  0 案例");
  EXPECT_EQ(CategoryLineName(CategoryLine("亲戚朋友", 12)), "亲戚朋友");
}

TEST_F(CategoryCasesTest, RecategorizingRewritesEveryLoadableCaseAndReportsTheRest) {
  const RecategorizeResult result = RecategorizeCases(store_, {1, 3, 4}, "亲戚朋友");
  EXPECT_EQ(result.moved, (CaseIds{1, 4}));
  EXPECT_EQ(result.failed, (CaseIds{3}));  // deleted: nothing to load
  EXPECT_EQ(CategoryOf(1), "亲戚朋友");
  EXPECT_EQ(CategoryOf(4), "亲戚朋友");
  EXPECT_EQ(CategoryOf(2), "外人");
}

TEST_F(CategoryCasesTest, RemovingDeletesTheRowsAndThenTheirCommentFiles) {
  TRecordData first;
  ASSERT_TRUE(store_.LoadCase(1, first));
  ASSERT_TRUE(WriteFileAtomic(store_.CommentPath(first), "{\\rtf1 x}"));
  EXPECT_TRUE(RemoveCases(store_, {1, 4}).empty());
  EXPECT_EQ(CategoryOf(1), "(none)");
  EXPECT_EQ(CategoryOf(4), "(none)");
  EXPECT_EQ(CategoryOf(2), "外人");
  EXPECT_FALSE(FileExists(store_.CommentPath(first)));
}

}  // namespace
}  // namespace taiyi
