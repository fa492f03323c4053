#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_util.h"
#include "store/comment_file.h"
#include "store/record_data.h"
#include "store/record_values.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

TRecordData ZhangSan() {
  TRecordData r;
  r.name = "张三";
  r.male = true;
  r.year = 1990;
  r.month = 5;
  r.day = 12;
  r.hour = 23;
  r.minute = 7;
  r.provinceIndex = 0;
  r.cityIndex = 3;
  r.longitude = 119.3f;
  r.latitude = 26.08f;
  r.place = "福建省-福州市";
  r.className = "家人";
  r.kind = ChartKind::kLife;
  r.remarkText = "好";
  r.remarkFile = "张三_199005122307";
  r.id = 7;
  return r;
}

std::vector<std::string> Texts(const std::vector<SqlValue>& values) {
  std::vector<std::string> texts;
  for (const SqlValue& v : values) texts.push_back(v.ToText());
  return texts;
}

TEST(RecordData, ZhangSanColumnByColumnAndBack) {
  const std::vector<SqlValue> values = CaseToValues(ZhangSan());
  const std::vector<std::string> expected = {
      "7",       "张三",          "1", "家人", "1990", "5 12 23 7", "0 0", "0 3", "福建省-福州市",
      "119.300003 26.080000 8", "张三_199005122307", "0", " ", "好"};
  EXPECT_EQ(Texts(values), expected);
  // Numbers are stored as integers, everything else as text.
  for (int c = 0; c < kCaseColumnCount; ++c)
    EXPECT_EQ(values[c].isInteger, c == kColId || c == kColSex || c == kColDateY) << c;
  EXPECT_EQ(ValuesToCase(expected), ZhangSan());

  TRecordData lunar = ZhangSan();
  lunar.lunar = lunar.leapMonth = true;
  lunar.male = false;
  lunar.year = -119;
  lunar.kind = ChartKind::kHour;
  lunar.extraPlaceIndex = {4, 5, -1, 6, -1};  // the list stops at the first -1
  const auto texts = Texts(CaseToValues(lunar));
  EXPECT_EQ(texts[kColSex], "0");
  EXPECT_EQ(texts[kColDateY], "-119");
  EXPECT_EQ(texts[kColDateStyle], "1 1");
  EXPECT_EQ(texts[kColAddrInd], "0 3 4 5");
  EXPECT_EQ(texts[kColTag1], "4");
  const TRecordData back = ValuesToCase(texts);
  EXPECT_EQ(back.extraPlaceIndex, (std::array<std::int32_t, 5>{4, 5, -1, -1, -1}));
  EXPECT_EQ(back.year, -119);
  EXPECT_TRUE(back.lunar && back.leapMonth && !back.male);
}

TEST(RecordData, DefaultsOfEveryColumn) {
  const TRecordData empty = ValuesToCase(std::vector<std::string>(kCaseColumnCount));
  EXPECT_EQ(empty.id, 0);
  EXPECT_EQ(empty.name, "");
  EXPECT_TRUE(empty.male);
  EXPECT_EQ(empty.className, "临时保存");
  EXPECT_EQ(empty.year, 1900);
  EXPECT_EQ(empty.Date(), (YiDate{1900, 1, 1, 1, 1}));
  EXPECT_FALSE(empty.lunar);
  EXPECT_FALSE(empty.leapMonth);
  EXPECT_EQ(empty.provinceIndex, 0);
  EXPECT_EQ(empty.cityIndex, 0);
  EXPECT_EQ(empty.extraPlaceIndex, (std::array<std::int32_t, 5>{-1, -1, -1, -1, -1}));
  EXPECT_EQ(empty.longitude, 120.0f);
  EXPECT_EQ(empty.latitude, 30.0f);
  EXPECT_EQ(empty.remarkFile, " ");
  EXPECT_EQ(empty.kind, ChartKind::kLife);
  EXPECT_EQ(empty.remarkText, "输入自己的评语：");
  EXPECT_EQ(ValuesToCase({}), empty);  // a row with no columns at all

  // Foreign contents: texts that are no numbers, short lists, out-of-range kinds.
  const TRecordData odd = ValuesToCase({"x", "", "2", "", "abc", "3 x", "0", "2", "",
                                        "east 31.5", "", "7", "", ""});
  EXPECT_EQ(odd.id, 0);
  EXPECT_FALSE(odd.male);
  EXPECT_EQ(odd.year, 1900);
  EXPECT_EQ(odd.Date(), (YiDate{1900, 3, 1, 1, 1}));
  EXPECT_FALSE(odd.lunar);
  EXPECT_TRUE(odd.leapMonth);  // a missing item reads as its default 1
  EXPECT_EQ(odd.provinceIndex, 2);
  EXPECT_EQ(odd.longitude, 120.0f);
  EXPECT_EQ(odd.latitude, 31.5f);
  EXPECT_EQ(odd.kind, ChartKind::kMonth);
  EXPECT_EQ(ValuesToCase({"", "", "", "", "", "", "", "", "", "", "", "-3"}).kind,
            ChartKind::kMonth);
  // A name longer than its 20-byte field is cut at a character.
  EXPECT_EQ(ValuesToCase({"1", "一二三四五六七八九十十一"}).name, "一二三四五六七八九十");
}

TEST(RecordValues, SplitBySpaceAndRowToValues) {
  const struct {
    const char* text;
    std::vector<std::string> items;
  } cases[] = {
      {"3 15 8 30", {"3", "15", "8", "30"}},
      {"1 0", {"1", "0"}},
      {"", {}},
      {" 1 2", {" 1 2"}},
      {"1  2 3", {"1", " 2 3"}},
      {"7 ", {"7"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitBySpace(c.text), c.items) << c.text;

  TMapValue row;
  for (int c = 0; c < kCaseColumnCount; ++c)
    if (c != kColTag2) row[std::string(kCaseColumns[c])] = "v" + std::to_string(c);
  const auto values = RowToValues(row);
  ASSERT_EQ(values.size(), 14u);
  EXPECT_EQ(values[kColTag2], "");
  EXPECT_EQ(values[kColName], "v1");
  EXPECT_EQ(values[kColRemarkText], "v13");
}

TEST(CommentFile, StemsAreNumberedUntilFree) {
  test::TempDir dir;
  ASSERT_TRUE(CreateDirs(dir.path() + "TaiYi_f"));
  TRecordData r = ZhangSan();
  std::string stems[3];
  for (std::string& stem : stems) {
    const std::string path = MakeCommentFileName(dir.path(), r, stem);
    EXPECT_EQ(path, dir.path() + "TaiYi_f/" + stem + ".rtf");
    ASSERT_TRUE(WriteCommentFromPlainText(path, "x"));
  }
  EXPECT_EQ(stems[0], "张三_199005122307");
  EXPECT_EQ(stems[1], "张三_199005122307_0");
  EXPECT_EQ(stems[2], "张三_199005122307_1");
  r.year = -119;
  r.month = 1;
  std::string stem;
  MakeCommentFileName(dir.path(), r, stem);
  EXPECT_EQ(stem, "张三_-119011223" "07");
}

}  // namespace
}  // namespace taiyi
