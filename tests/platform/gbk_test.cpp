#include "platform/gbk.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "platform/clean_name.h"

namespace taiyi {
namespace {

TEST(Gbk, RoundTripsAndLengths) {
  struct Case {
    std::string utf8;
    std::size_t gbkBytes;
    std::size_t utf16;
  };
  const Case cases[] = {
      {"张", 2, 1},          {"abc", 3, 3},       {"张三abc", 7, 5},
      {"太乙神数　", 10, 5},  // full-width blank is GBK A1A1
      {"", 0, 0},
  };
  for (const auto& c : cases) {
    const std::string gbk = Utf8ToGbk(c.utf8);
    EXPECT_EQ(gbk.size(), c.gbkBytes) << c.utf8;
    EXPECT_EQ(GbkLength(c.utf8), c.gbkBytes) << c.utf8;
    EXPECT_EQ(GbkToUtf8(gbk), c.utf8);
    EXPECT_EQ(Utf16Length(c.utf8), c.utf16) << c.utf8;
  }
  EXPECT_EQ(std::string("张").size(), 3u);
  EXPECT_EQ(Utf8ToGbk("张"), "\xD5\xC5");
}

TEST(Gbk, CharactersOutsideGbkAndBadBytes) {
  EXPECT_EQ(Utf8ToGbk("a😀b"), "a?b");
  EXPECT_EQ(Utf16Length("😀"), 2u);
  EXPECT_EQ(Utf8ToGbk("a\xFF" "b"), "a?b");
  // A lone lead byte at the end of GBK text cannot be decoded.
  EXPECT_EQ(GbkToUtf8("a\xD5"), "a\xEF\xBF\xBD");
  EXPECT_FALSE(IsValidUtf8("\xD5\xC5"));  // GBK 张
  EXPECT_TRUE(IsValidUtf8("张三"));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));  // overlong '/'
  // Telling a file's encoding: GBK that happens to be well-formed UTF-8 stays GBK.
  EXPECT_TRUE(LooksLikeUtf8("张三 1"));
  EXPECT_FALSE(LooksLikeUtf8("\xD6\xB5 1"));  // GBK 值
  EXPECT_FALSE(LooksLikeUtf8("\xD5\xC5"));    // GBK 张
}

TEST(Gbk, RepairReplacesEveryBadByteAndKeepsWellFormedText) {
  const std::string fffd = "\xEF\xBF\xBD";
  const std::pair<std::string, std::string> cases[] = {
      {"张三 abc", "张三 abc"},
      {"", ""},
      {"a\xFF" "b", "a" + fffd + "b"},
      {"\xD5\xC5", fffd + fffd},               // GBK 张
      {"\xC0\xAF", fffd + fffd},               // overlong '/'
      {"\xED\xA0\x80", fffd + fffd + fffd},    // a surrogate
      {"张\xE5\xBC", "张" + fffd + fffd},        // a character cut short at the end
  };
  for (const auto& [bad, want] : cases) {
    EXPECT_EQ(RepairUtf8(bad), want) << bad;
    EXPECT_TRUE(IsValidUtf8(RepairUtf8(bad))) << bad;
  }
}

TEST(Gbk, CutsWithoutSplittingACharacter) {
  struct Case {
    std::string text;
    std::size_t max;
    std::string want;
  };
  const Case cases[] = {
      {"张三丰", 4, "张三"}, {"张三丰", 5, "张三"}, {"张三丰", 6, "张三丰"},
      {"a张", 2, "a"},       {"abc", 0, ""},        {"12345678901234567890张", 20, "12345678901234567890"},
  };
  for (const auto& c : cases) EXPECT_EQ(CutToGbkBytes(c.text, c.max), c.want) << c.text << c.max;
}

TEST(Gbk, ThreadsConvertAtTheSameTime) {
  // Each thread keeps its own converters: conversions on two threads do not mix.
  auto work = [](const std::string& text, bool& ok) {
    ok = true;
    for (int i = 0; i < 2000 && ok; ++i)
      ok = GbkToUtf8(Utf8ToGbk(text)) == text && CutToGbkBytes(text + text, 6) == "太乙神";
  };
  bool okA = false, okB = false;
  std::thread a(work, std::string("太乙神数"), std::ref(okA));
  std::thread b(work, std::string("太乙神数命例"), std::ref(okB));
  a.join();
  b.join();
  EXPECT_TRUE(okA);
  EXPECT_TRUE(okB);
}

TEST(CleanName, RemovesForbiddenCharactersAndCuts) {
  struct Case {
    std::string text;
    std::size_t limit;
    std::string want;
    bool changed;
  };
  const Case cases[] = {
      {"a*b c", 10, "abc", true},
      {"王小明", 10, "王小明", false},
      {"一二三四五六七八九十百", 10, "一二三四五六七八九十", true},
      {"", 10, "甲", true},
      {"\"*<>?\\/|:' x", 0, "x", true},
      {"a::b", 0, "ab", true},  // the second pass removes the second colon
      {"张三", 0, "张三", false},
  };
  for (const auto& c : cases) {
    const CleanedName r = CleanName(c.text, c.limit);
    EXPECT_EQ(r.text, c.want) << c.text;
    EXPECT_EQ(r.changed, c.changed) << c.text;
  }
}

}  // namespace
}  // namespace taiyi
