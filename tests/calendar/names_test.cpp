#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "calendar/era_names.h"
#include "calendar/ganzhi_names.h"

namespace taiyi {
namespace {

TEST(GanZhiNames, TablesFollowTheSexagenaryNumbering) {
  for (int n = 0; n < 60; ++n) {
    const std::string composed =
        std::string(kStemNames[n % 10]) + std::string(kBranchNames[n % 12]);
    EXPECT_EQ(kGanZhiNames[n], composed) << n;
    EXPECT_EQ(GanZhiIndex(StemOf(n), BranchOf(n)), n) << n;
  }
  EXPECT_EQ(GanZhiName(1), "甲子");
  EXPECT_EQ(GanZhiName(0), "癸亥");
  EXPECT_EQ(GanZhiName(59), "壬戌");
  EXPECT_EQ(GanZhiName(-1), "壬戌");
  EXPECT_EQ(kZodiacNames[BranchOf(41)], "龙");  // 甲辰
  EXPECT_EQ(kSolarTermNames[2], "立春");
  EXPECT_EQ(kSolarTermNames[23], "冬至");
  EXPECT_EQ(kWeekdayHeaders[6], "日");
}

TEST(GanZhiNames, GanZhiIndexOfStemAndBranch) {
  struct Case {
    int stem, branch, want;
  };
  for (const Case& c : {Case{0, 0, 0}, Case{1, 1, 1}, Case{9, 9, 9}, Case{0, 2, 50},
                        Case{1, 11, 11}, Case{9, 11, 59}, Case{2, 0, 12}}) {
    EXPECT_EQ(GanZhiIndex(c.stem, c.branch), c.want) << c.stem << "," << c.branch;
  }
}

TEST(GanZhiNames, ChineseNumber) {
  struct Case {
    int n;
    const char* want;
  };
  for (const Case& c : {Case{1, "一"},
                        Case{9, "九"},
                        Case{10, "十"},
                        Case{11, "十一"},
                        Case{19, "十九"},
                        Case{20, "二十"},
                        Case{21, "廿一"},
                        Case{25, "廿五"},
                        Case{30, "三十"},
                        Case{31, "三一"},
                        Case{99, "九九"},
                        Case{100, "一○○"},
                        Case{0, "○○○○"},
                        Case{1900, "一九○○"},
                        Case{2024, "二○二四"},
                        Case{9999, "九九九九"},
                        Case{-5, "前五"},
                        Case{-15, "前一五"},
                        Case{-120, "前一二○"},
                        Case{-9999, "前九九九九"},
                        Case{12345, "一二三四五"}}) {
    EXPECT_EQ(ChineseNumber(c.n), c.want) << c.n;
  }
}

TEST(GanZhiNames, LunarMonthAndDayNames) {
  EXPECT_EQ(LunarMonthName(1, false), "正月");
  EXPECT_EQ(LunarMonthName(1, true), "闰正月");
  EXPECT_EQ(LunarMonthName(4, true), "闰四月");
  EXPECT_EQ(LunarMonthName(11, false), "十一月");
  EXPECT_EQ(LunarMonthName(12, false), "十二月");
  EXPECT_EQ(LunarMonthName(13, false), "十三月");
  struct Case {
    int day;
    const char* want;
  };
  for (const Case& c : {Case{1, "初一"}, Case{10, "初十"}, Case{11, "十一"}, Case{20, "二十"},
                        Case{21, "廿一"}, Case{29, "廿九"}, Case{30, "三十"}}) {
    EXPECT_EQ(LunarDayName(c.day), c.want) << c.day;
  }
}

TEST(EraNames, TellingRowsOfTheTable) {
  const auto table = EraNameTable();
  ASSERT_EQ(table.size(), 529u);
  const EraRow& first = table.front();
  EXPECT_EQ(first.start, -2069);
  EXPECT_EQ(first.years, 45);
  EXPECT_STREQ(first.dynasty, "夏");
  const EraRow& republic = table[table.size() - 2];
  EXPECT_EQ(republic.start, 1912);
  EXPECT_EQ(republic.years, 37);
  EXPECT_EQ(republic.offset, 0);
  EXPECT_STREQ(republic.dynasty, "近、现代");
  EXPECT_STREQ(republic.ruler, "中华民国");
  EXPECT_STREQ(republic.personalName, "");
  EXPECT_STREQ(republic.eraName, "民国");
  const EraRow& last = table.back();
  EXPECT_EQ(last.start, 1949);
  EXPECT_EQ(last.years, 9999);
  EXPECT_EQ(last.offset, 1948);
  EXPECT_STREQ(last.dynasty, "当代");
  EXPECT_STREQ(last.ruler, "中国");
  EXPECT_STREQ(last.personalName, "");
  EXPECT_STREQ(last.eraName, "公历纪元");
}

// Runs of equal dynasty, in table order, and the rows each holds.
TEST(EraNames, RowsPerDynastyInTableOrder) {
  const std::vector<std::pair<std::string, int>> want = {
      {"夏", 19},       {"商", 31},        {"西周", 13},      {"东周", 24},      {"战国-秦", 3},
      {"秦", 3},        {"西汉", 45},      {"新", 3},         {"西汉", 1},       {"东汉", 35},
      {"三国-魏", 10},  {"西晋", 11},      {"东晋", 19},      {"南朝/宋", 11},   {"南朝/齐", 8},
      {"南朝/梁", 13},  {"南朝/陈", 7},    {"南朝/后梁", 3},  {"北朝/北魏", 40}, {"北朝/东魏", 4},
      {"北朝/西魏", 3}, {"北朝/北齐", 10}, {"北朝/北周", 10}, {"隋", 4},         {"唐", 18},
      {"武周", 18},     {"唐", 41},        {"五代/梁", 6},    {"五代/唐", 5},    {"五代/晋", 3},
      {"五代/汉", 3},   {"五代/周", 4},    {"北宋", 35},      {"南宋", 22},      {"元", 15},
      {"明", 17},       {"清", 10},        {"近、现代", 1},   {"当代", 1}};
  std::vector<std::pair<std::string, int>> got;
  for (const EraRow& row : EraNameTable()) {
    if (got.empty() || got.back().first != row.dynasty) got.emplace_back(row.dynasty, 0);
    ++got.back().second;
  }
  EXPECT_EQ(got, want);
}

// Every row covers at least one year, starts no earlier than the row before it in the same
// dynasty, and its texts fit the record's GBK field sizes (a CJK character is two bytes).
TEST(EraNames, RowsAreWellFormed) {
  auto gbkBytes = [](std::string_view s) {
    int bytes = 0;
    for (unsigned char c : s) {
      if (c < 0x80)
        bytes += 1;  // ASCII
      else if ((c & 0xC0) != 0x80)
        bytes += 2;  // lead byte of a multi-byte character
    }
    return bytes;
  };
  const EraRow* prev = nullptr;
  for (const EraRow& row : EraNameTable()) {
    SCOPED_TRACE(std::string(row.dynasty) + " " + row.eraName + " " + std::to_string(row.start));
    EXPECT_GE(row.years, 1);
    EXPECT_GE(row.offset, 0);
    EXPECT_LE(gbkBytes(row.dynasty), 10);
    EXPECT_LE(gbkBytes(row.ruler), 10);
    EXPECT_LE(gbkBytes(row.personalName), 30);
    EXPECT_LE(gbkBytes(row.eraName), 10);
    EXPECT_GT(gbkBytes(row.eraName), 0);
    if (prev != nullptr && std::string_view(prev->dynasty) == row.dynasty) {
      EXPECT_GE(row.start, prev->start);
    }
    prev = &row;
  }
}

TEST(EraNames, EraTextOfYears) {
  struct Case {
    int year;  // astronomical
    const char* want;
  };
  for (const Case& c : {
           Case{2024, "[当代] 中国  公历纪元2024年"},
           Case{1949, "[当代] 中国  公历纪元1949年"},
           Case{1912, "[近、现代] 中华民国  民国1年"},
           Case{1948, "[近、现代] 中华民国  民国37年"},
           Case{1911, "[清] 宣统帝 爱新觉罗·溥仪 宣统3年"},
           Case{1662, "[清] 圣祖 爱新觉罗·玄烨 康熙1年"},
           Case{1644, "[明] 思宗 朱由检 崇祯17年；[清] 世祖 爱新觉罗·福临 顺治1年"},
           Case{-2069, "[夏] 禹 姒文命 禹1年"},
           Case{-2025, "[夏] 禹 姒文命 禹45年"},
           Case{-2070, ""},
           Case{-1045, "[商] 帝辛 子受 帝辛30年；[西周] 武王 姬发 武王1年"},  // 1046 BC
           Case{-1299, "[商] 盘庚 子旬 盘庚14年"},                            // 1300 BC, counted on
           Case{-840, "[西周] 厉王 姬胡 厉王37年；[西周] 共和  共和1年"},     // 841 BC
           Case{-220, "[秦] 始皇帝 嬴政 始皇26年"},                           // 221 BC
           Case{-139, "[西汉] 武帝 刘彻 建元1年"},                            // 140 BC
           Case{0, "[西汉] 哀帝 刘欣 元寿2年"},                               // 1 BC
           Case{1, "[西汉] 平帝 刘衎 元始1年"},
           Case{220, "[东汉] 献帝 刘协 建安25年；[三国-魏] 文帝 曹丕 黄初1年"},
           Case{627, "[唐] 太宗 李世民 贞观1年"},
           Case{906, "[唐] 哀帝 李柷 天祐3年"},
           Case{1101, "[北宋] 徽宗 赵佶 建中靖国1年"},
       }) {
    EraNames names;
    EXPECT_EQ(names.EraText(c.year), c.want) << c.year;
  }
}

// A year of the Southern and Northern dynasties is named once by every regime of the time.
TEST(EraNames, YearsOfDivisionGiveOneSegmentPerRegime) {
  EraNames names;
  EXPECT_EQ(names.EraText(560),
            "[南朝/陈] 文帝 陈蒨 天嘉1年；[南朝/后梁] 宣帝 萧詧 大定6年；"
            "[北朝/北齐] 废帝 高殷 乾明1年；[北朝/北齐] 孝昭帝 高演 皇建1年；"
            "[北朝/北周] 明帝 宇文毓 武成2年");
  EXPECT_EQ(names.EraText(540),
            "[南朝/梁] 武帝 萧衍 大同6年；[北朝/东魏] 孝静帝 元善见 兴和2年；"
            "[北朝/西魏] 文帝 元宝炬 大统6年");
  // The scratch text is rebuilt, not appended to, by the next call.
  EXPECT_EQ(names.EraText(2000), "[当代] 中国  公历纪元2000年");
}

}  // namespace
}  // namespace taiyi
