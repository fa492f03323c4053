#include "chart/deity_strength.h"

#include "chart/hexagrams.h"

namespace taiyi {

namespace {

constexpr int W = 0, M = 1, F = 2, E = 3, G = 4, N = kNoElement;  // 水 木 火 土 金
constexpr int kElements[kDeityCount] = {
    N, N, E, M, E, F, G, W, W, M,  // 太岁 合神 计神 太乙 文昌 始击 主大 主参 客大 客参
    N, N, E, F, M, E, G, W, G, E,  // 定大 定参 五福 直符 小游 地乙 天乙 四神 大游 民基
    E, E, N, N, N, N, F, N, N, N,  // 臣基 君基 阳九 百六 大六 小六 飞符 天皇 帝符 天时
    N, N, N, N, N, N, N};          // 太尊 飞鸟 五行 三风 五风 八风 定目

// Branch of 长生 of the yang stem of each element: 壬 申, 甲 亥, 丙 寅, 戊 寅, 庚 巳.
constexpr int kBirthBranch[5] = {9, 0, 3, 3, 6};

}  // namespace

int DeityElement(DeityCode code, int yearBranch) {
  if (code == kTaiSui) return BranchElement(yearBranch);
  if (code == kHeShen) return BranchElement(CombiningBranch(yearBranch));
  return code < kDeityCount ? kElements[code] : kNoElement;
}

int TwelveStage(int element, int branch) {
  return static_cast<int>(Mod(branch - kBirthBranch[Mod(element, 5)], 12));
}

int StrengthAt(int element, int position) {
  if (element < 0 || element > 4 || position < 0 || position >= kPositionCount) return 0;
  const int branch = BranchAt(position);
  if (branch >= 0) {
    if (element == E && BranchElement(branch) == E) return 3;
    switch (TwelveStage(element, branch)) {
      case 0:
      case 2:
      case 3:
      case 4:
        return 3;
      case 6:
      case 7:
      case 8:
      case 9:
        return 1;
      default:
        return 2;
    }
  }
  int palaceElement = E;  // 坤, 艮 and the centre, which counts as 坤
  if (position == kPosQian) palaceElement = G;
  if (position == kPosXun) palaceElement = M;
  switch (Mod(element - palaceElement, 5)) {
    case 0:
    case 1:
      return 3;
    case 4:
      return 2;
    default:
      return 1;
  }
}

}  // namespace taiyi
