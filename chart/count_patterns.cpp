#include "chart/count_patterns.h"

#include <initializer_list>

namespace taiyi {

std::string_view CountPatternName(int pattern) {
  static constexpr std::string_view kNames[kCountPatternCount] = {
      "上和数",   "中和数",     "下和数",   "重阳数",   "重阴数",   "杂重阳数",
      "杂重阴数", "阴中重阳数", "无天之算", "无地之算", "无人之算", "杜塞无门之算"};
  return pattern >= 0 && pattern < kCountPatternCount ? kNames[pattern] : std::string_view{};
}

namespace {

bool In(int v, std::initializer_list<int> set) {
  for (int s : set)
    if (v == s) return true;
  return false;
}

}  // namespace

CountPatterns ComputeCountPatterns(int host, int guest, const DeityFacts& wenChang) {
  const int h = host, g = guest;
  const int p = wenChang.present ? wenChang.palace : 0;
  const int q = wenChang.present ? wenChang.position : -1;
  auto either = [h, g](std::initializer_list<int> set) { return In(h, set) || In(g, set); };
  auto eitherUnit = [h, g](auto test) { return test(h % 10) || test(g % 10); };
  const bool yangPalace = In(p, {8, 3, 4, 9});
  const bool yinPalace = In(p, {2, 7, 6, 1});
  CountPatterns c{};
  c[kUpperHarmony] = h == 14;
  c[kMiddleHarmony] = In(h, {23, 29, 32, 36});
  c[kLowerHarmony] = In(h, {12, 16, 21, 27, 34, 38});
  c[kDoubleYang] = yangPalace && either({33, 39});
  c[kDoubleYin] = yinPalace && either({22, 26});
  c[kMixedDoubleYang] = In(q, {kPosZi, kPosGen, kPosXun, kPosMao}) && either({13, 19, 30});
  c[kMixedDoubleYin] = In(q, {kPosWu, kPosYou, kPosQian}) && either({24, 28});
  c[kYangInYin] = yinPalace && either({11, 17});
  c[kNoHeaven] = h < 10 || g < 10;
  c[kNoEarth] = eitherUnit([](int r) { return r >= 1 && r <= 4; });
  c[kNoMan] = eitherUnit([](int r) { return r == 0; });
  c[kBlockedNoGate] = eitherUnit([](int r) { return r == 5; });
  return c;
}

}  // namespace taiyi
