// The conditional and fuzzy searches over a small store, the nine texts of a case, the
// GBK character-wise search and the checks of the search dialog.
#include "store/case_search.h"

#include <gtest/gtest.h>

#include "platform/file_util.h"
#include "platform/gbk.h"
#include "store/case_schema.h"
#include "store/comment_file.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

using Ids = std::vector<std::int32_t>;

TRecordData Case(const std::string& name, int year, bool male, const std::string& place,
                 const std::string& category, int hour, int province = 0) {
  TRecordData r;
  r.name = name;
  r.year = static_cast<std::int16_t>(year);
  r.month = 5;
  r.day = 12;
  r.hour = static_cast<std::int16_t>(hour);
  r.minute = 30;
  r.male = male;
  r.place = place;
  r.className = category;
  r.provinceIndex = static_cast<std::int16_t>(province);
  return r;
}

class CaseSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirs(dir_.path() + "dat");
    CreateDirs(dir_.path() + "TaiYi_f");
    ASSERT_EQ(store_.Open(CaseDatabasePath(dir_.path()), dir_.path(), false), 0);
    Add(Case("张三", 1990, true, "福建省-福州市", "家人", 23), "我会努力");       // 1
    Add(Case("小张", -119, false, "北京市-北京", "亲戚朋友", 0, 1), "一生三子");  // 2
    Add(Case("ABC", -99, true, "福建省-厦门市", "IT名人", 10), "");               // 3
    Add(Case("李四", -120, true, "未知地-未知地", "家人", 0, 34), "张三之友");    // 4
    Add(Case("删除", 2000, true, "", "家人", 1), "");                             // 5
    ASSERT_TRUE(store_.RemoveCase(5));
  }
  void Add(TRecordData r, const std::string& comment) {
    r.remarkFile = r.name;
    ASSERT_GT(store_.AddCase(r), 0);
    if (!comment.empty()) {
      ASSERT_TRUE(WriteCommentFromPlainText(store_.CommentPath(r), comment));
    }
  }
  test::TempDir dir_;
  MRecordBase store_;
};

TEST_F(CaseSearch, ConditionsSelectTheCasesThatPassEveryOne) {
  struct Row {
    const char* what;
    SearchConditions c;
    Ids want;
  };
  auto with = [](auto set) {
    SearchConditions c;
    set(c);
    return c;
  };
  const Row rows[] = {
      {"nothing asked", {}, {1, 2, 3, 4}},
      {"years -120..-100 stored as -119..-99",
       with([](auto& c) {
         c.yearOn = true;
         c.yearFrom = -119;
         c.yearTo = -99;
       }),
       {2, 3}},
      {"name contains 张",
       with([](auto& c) {
         c.nameMode = kMatchContains;
         c.name = "张";
       }),
       {1, 2}},
      {"name equals 张三",
       with([](auto& c) {
         c.nameMode = kMatchEquals;
         c.name = "张三";
       }),
       {1}},
      {"name equals abc ignores ASCII case",
       with([](auto& c) {
         c.nameMode = kMatchEquals;
         c.name = "abc";
       }),
       {3}},
      {"category contains 家",
       with([](auto& c) {
         c.classMode = kMatchContains;
         c.className = "家";
       }),
       {1, 4}},
      {"women", with([](auto& c) { c.sexOn = true; }), {2}},
      {"province 1", with([](auto& c) { c.provinceIndex = 1; }), {2}},
      {"comment 张三",
       with([](auto& c) {
         c.commentOn = true;
         c.comment = "张三";
       }),
       {4}},
      // 我会 is CE D2 BB E1 in GBK and 一 is D2 BB: no match across the two characters.
      {"comment 一 only as a whole character",
       with([](auto& c) {
         c.commentOn = true;
         c.comment = "一";
       }),
       {2}},
      {"men of category 家人 before 1 AD",
       with([](auto& c) {
         c.sexOn = c.male = true;
         c.classMode = kMatchEquals;
         c.className = "家人";
         c.yearOn = true;
         c.yearFrom = -200;
         c.yearTo = 0;
       }),
       {4}},
  };
  for (const Row& row : rows) {
    Ids ids = {99};
    SearchByConditions(store_, row.c, ids);
    EXPECT_EQ(ids, row.want) << row.what;
  }

  // Counted for a progress dialog; a stop request ends the search with nothing found.
  const Row& last = rows[std::size(rows) - 1];
  WorkProgress counted;
  Ids ids;
  SearchByConditions(store_, last.c, ids, &counted);
  EXPECT_EQ(ids, last.want);
  EXPECT_EQ(counted.done.load(), counted.total.load());
  EXPECT_GT(counted.total.load(), 0);
  WorkProgress stopped;
  stopped.RequestStop();
  SearchByConditions(store_, last.c, ids, &stopped);
  EXPECT_TRUE(ids.empty());
}

TEST_F(CaseSearch, FuzzyKeywordsEachUseUpOneText) {
  const struct {
    std::vector<std::string> keywords;
    Ids want;
  } rows[] = {
      {{"1990年", "男"}, {1}},
      {{"1990-5-12"}, {}},
      {{"子时"}, {1, 2, 4}},  // 23:30 and 00:30
      {{"福建"}, {1, 3}},
      // The name 张三 uses up 张 only, and no other text of case 1 holds 三; case 2 has 张
      // in its name and 三 in its comment.
      {{"张", "三"}, {2}},
      {{"张三"}, {1, 4}},
      {{"一"}, {2}},  // never across the two characters of 我会
      {{"-119年", "女", "北京"}, {2}},
  };
  for (const auto& row : rows) {
    Ids ids;
    FuzzySearch(store_, row.keywords, ids);
    EXPECT_EQ(ids, row.want) << row.keywords.front();
  }

  // Counted for a progress dialog; a stop request ends the search with nothing found.
  WorkProgress counted;
  Ids ids;
  FuzzySearch(store_, {"张三"}, ids, &counted);
  EXPECT_EQ(ids, (Ids{1, 4}));
  EXPECT_EQ(counted.done.load(), counted.total.load());
  EXPECT_GT(counted.total.load(), 0);
  WorkProgress stopped;
  stopped.stop = true;
  FuzzySearch(store_, {"张三"}, ids, &stopped);
  EXPECT_TRUE(ids.empty());
  EXPECT_EQ(stopped.done.load(), 0);
}

TEST(SplitKeywords, RunsOfBlanksSeparateKeywords) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitKeywords("1990年 男"), (V{"1990年", "男"}));
  EXPECT_EQ(SplitKeywords("  张   三丰 "), (V{"张", "三丰"}));
  EXPECT_EQ(SplitKeywords("福建"), (V{"福建"}));
  EXPECT_EQ(SplitKeywords("   "), V{});
  EXPECT_EQ(SplitKeywords(""), V{});
}

TEST(CaseSearchTexts, NameTheHourByItsBranch) {
  TRecordData r = Case("王五", -5, false, "福建省-福州市", "家人", 0);
  EXPECT_EQ(CaseSearchTexts(r), (std::vector<std::string>{"王五", "女", "福建省-福州市", "家人",
                                                          "-5年", "5月", "12日", "子时"}));
  const struct {
    int hour;
    const char* branch;
  } hours[] = {{23, "子时"}, {0, "子时"},  {1, "丑时"},  {2, "丑时"},
               {11, "午时"}, {21, "亥时"}, {22, "亥时"}, {-2, "亥时"}};
  for (const auto& h : hours) {
    r.hour = static_cast<std::int16_t>(h.hour);
    EXPECT_EQ(CaseSearchTexts(r)[7], h.branch) << h.hour;
  }
}

TEST(GbkCharacterSearch, MatchesOnlyAtCharacterStarts) {
  EXPECT_TRUE(GbkCharacterSearch(Utf8ToGbk("我会一"), Utf8ToGbk("一")));
  EXPECT_FALSE(GbkCharacterSearch(Utf8ToGbk("我会"), Utf8ToGbk("一")));
  EXPECT_TRUE(Utf8ToGbk("我会").find(Utf8ToGbk("一")) != std::string::npos);
  EXPECT_TRUE(GbkCharacterSearch("a1b", "1b"));
  EXPECT_FALSE(GbkCharacterSearch("", "a"));
}

TEST(ReadSearchInput, ChecksYearsAndAnEmptyStore) {
  const struct {
    const char* from;
    const char* to;
    const char* message;
  } rows[] = {
      {"2000", "1990", kSearchYearOrder}, {"0", "1990", kSearchYearRange},
      {"1990", "2101", kSearchYearRange}, {"1990", "", kSearchYearRange},
      {"-851", "1990", kSearchYearRange}, {"x", "1990", kSearchYearRange},
  };
  for (const auto& row : rows) {
    SearchDialogInput in;
    in.yearFrom = row.from;
    in.yearTo = row.to;
    SearchConditions c;
    const SearchInputCheck check = ReadSearchInput(in, 10, c);
    EXPECT_FALSE(check.ok);
    EXPECT_TRUE(check.warning);
    EXPECT_EQ(check.title, kSearchYearTitle);
    EXPECT_EQ(check.message, row.message) << row.from << " " << row.to;
  }

  SearchDialogInput in;
  in.provinceItem = 0;
  in.sexItem = 2;
  in.yearFrom = "-120";
  in.yearTo = " -100 ";
  in.name = "  张三 ";
  in.nameExact = true;
  in.className = "家";
  in.comment = " ";
  SearchConditions c;
  EXPECT_TRUE(ReadSearchInput(in, 3, c).ok);
  EXPECT_EQ(c.provinceIndex, -1);
  EXPECT_TRUE(c.sexOn);
  EXPECT_FALSE(c.male);
  EXPECT_TRUE(c.yearOn);
  EXPECT_EQ(c.yearFrom, -119);
  EXPECT_EQ(c.yearTo, -99);
  EXPECT_EQ(c.nameMode, kMatchEquals);
  EXPECT_EQ(c.name, "张三");
  EXPECT_EQ(c.classMode, kMatchContains);
  EXPECT_FALSE(c.commentOn);

  const SearchInputCheck empty = ReadSearchInput(SearchDialogInput{}, 0, c);
  EXPECT_FALSE(empty.ok);
  EXPECT_FALSE(empty.warning);
  EXPECT_EQ(empty.message, kSearchEmptyStore);
  EXPECT_FALSE(c.yearOn);
  EXPECT_EQ(c.nameMode, kMatchNone);
}

}  // namespace
}  // namespace taiyi
