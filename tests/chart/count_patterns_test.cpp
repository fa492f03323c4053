#include "chart/count_patterns.h"

#include <gtest/gtest.h>

#include <string>

namespace taiyi {
namespace {

std::string Names(const CountPatterns& c) {
  std::string out;
  for (int i = 0; i < kCountPatternCount; ++i)
    if (c[i]) out += std::string(out.empty() ? "" : " ") + std::string(CountPatternName(i));
  return out;
}

TEST(CountPatterns, FromTheCountsAndWenChang) {
  struct Case {
    int host, guest, wenChang;  // 文昌's position
    const char* want;
  } cases[] = {
      {14, 14, kPosWu, "上和数 无地之算"},
      {36, 29, kPosQian, "中和数"},
      {27, 38, kPosXun, "下和数"},
      {29, 12, kPosMao, "中和数 无地之算"},          // the 和 patterns look at the host count only
      {33, 7, kPosHai, "重阳数 无天之算 无地之算"},  // 亥 belongs to palace 8
      {13, 40, kPosHai, "无地之算 无人之算"},        // but 杂重阳数 needs 子 艮 巽 or 卯
      {13, 40, kPosZi, "杂重阳数 无地之算 无人之算"},
      {39, 30, kPosGen, "重阳数 杂重阳数 无人之算"},
      {25, 24, kPosYou, "杂重阴数 无地之算 杜塞无门之算"},
      {17, 26, kPosXu, "重阴数 阴中重阳数"},  // 戌 is palace 1; 杂重阴数 needs 午 酉 or 乾
      {26, 28, kPosShen, "重阴数"},
  };
  for (const Case& c : cases) {
    DeityFacts wenChang;
    wenChang.present = true;
    wenChang.position = c.wenChang;
    wenChang.palace = GroupPalace(c.wenChang);
    EXPECT_EQ(Names(ComputeCountPatterns(c.host, c.guest, wenChang)), c.want)
        << c.host << " " << c.guest;
  }
}

}  // namespace
}  // namespace taiyi
