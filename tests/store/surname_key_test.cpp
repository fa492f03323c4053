#include "store/surname_key.h"

#include <gtest/gtest.h>

namespace taiyi {
namespace {

TEST(SurnameKey, InitialTimesThousandPlusPlace) {
  const struct {
    const char* name;
    int key;
  } cases[] = {
      {"赵钱", 'Z' * 1000 + 1},  // first of the order
      {"钱", 'Q' * 1000 + 2},
      {"张三", 'Z' * 1000 + 24},
      {"吕布", 'L' * 1000 + 22},
      {"单", 'D' * 1000 + 180},
      {"曾", 'C' * 1000 + 378},
      {"尹", 'Y' * 1000 + 100},  // listed twice: the first place counts
      {"辛", 'X' * 1000 + 254},
      {"续", 'X' * 1000 + 432},
      {"帅", 'S' * 1000 + 434},  // last of the order
      {"展", 'Z' * 1000},        // not listed
      {"区", 'Q' * 1000},
      {"仏", ' ' * 1000},  // no reading
      {"Abe", 'A' * 1000},
      {"abe", 'a' * 1000},  // lower case kept: after every capital initial
      {"9号", '9' * 1000},
      {"-x", ' ' * 1000},
      {"Ａ", 'A' * 1000},  // full-width letter
      {"", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(SurnameKey(c.name), c.key) << c.name;
}

TEST(SurnameKey, OrdersInitialsThenTraditionalPlace) {
  // 赵 before 张 (same initial, earlier place); an unlisted 展 before both; 钱 before all Z.
  EXPECT_LT(SurnameKey("展"), SurnameKey("赵"));
  EXPECT_LT(SurnameKey("赵"), SurnameKey("张"));
  EXPECT_LT(SurnameKey("钱"), SurnameKey("展"));
  EXPECT_LT(SurnameKey("张"), SurnameKey("abe"));
  EXPECT_EQ(SurnamePosition("张三"), 24);
  EXPECT_EQ(SurnamePosition("x"), 0);
}

}  // namespace
}  // namespace taiyi
