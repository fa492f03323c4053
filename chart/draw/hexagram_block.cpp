#include "chart/draw/hexagram_block.h"

#include <array>
#include <cstdio>

#include "calendar/ganzhi_names.h"

namespace taiyi {
namespace {

constexpr SurfaceColour kTitleColour = MakeColour(128, 0, 0);
constexpr SurfaceColour kRowColour = MakeColour(0, 0, 255);
constexpr std::array<std::string_view, 5> kRelationShort = {"兄", "子", "财", "官", "父"};

bool IsBirth(HexagramRole role) {
  return role == HexagramRole::kBirthFirst || role == HexagramRole::kBirthSecond;
}

std::string LineSymbol(bool yang, bool moving) {
  if (yang) return moving ? "━━━○" : "━━━　";
  return moving ? "━　━×" : "━　━　";
}

}  // namespace

std::string HexagramBlockTitle(const HexagramBlock& block) {
  const HexagramInfo& h = *block.info;
  std::string s;
  switch (block.role) {
    case HexagramRole::kBirthFirst:
      s = "出身卦：";
      break;
    case HexagramRole::kBirthSecond:
      s = "立业卦：";
      break;
    case HexagramRole::kChartMain:
    case HexagramRole::kChartChange: {
      const bool byMonth = block.kind == ChartKind::kYear || block.kind == ChartKind::kMonth;
      s = byMonth ? "年月" : "日时";
      s += block.role == HexagramRole::kChartMain ? "主卦：" : "变卦：";
      break;
    }
  }
  s += std::string(DisplayName(h.index)) + "(" + std::string(TrigramName(h.palace)) + "宫";
  s += h.generation == 7 ? "-游魂)" : h.generation == 8 ? "-归魂)" : ")";
  if (block.role == HexagramRole::kBirthFirst) {
    const int x = block.shouQiKey;
    s += "(受气宫:" + std::string(kStemNames[StemOf(x)]) + std::string(kBranchNames[BranchOf(x)]) +
         " " + ChineseNumber(ShouQiNumber(x)) + ")";
  }
  return s;
}

std::string HexagramBlockRow(const HexagramBlock& block, int row) {
  const HexagramInfo& h = *block.info;
  const int lineIndex = 5 - row;
  const HexagramLine& line = h.line[lineIndex];
  std::string s(SpiritName(line.spirit));
  const HiddenSpirit* hidden = nullptr;
  for (const HiddenSpirit& hs : h.hidden)
    if (hs.row == row + 1) hidden = &hs;
  if (hidden != nullptr) {
    s += " " + std::string(kRelationShort[hidden->relation % 5]) +
         std::string(kStemNames[StemOf(hidden->stem)]) +
         std::string(kBranchNames[BranchOf(hidden->branch)]);
  } else {
    s += " 　　　";
  }
  s += LineSymbol(LineIsYang(h.lines, lineIndex), lineIndex == h.movingLine);
  s += std::string(RelationName(line.relation)) + std::string(kStemNames[StemOf(line.stem)]);
  s += std::string(kBranchNames[BranchOf(line.branch)]) + std::string(ElementName(line.element)) +
       " ";
  s += lineIndex == h.shiLine ? "世　" : lineIndex == h.yingLine ? "应　" : "　　";
  if (IsBirth(block.role)) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d-%02d岁", line.firstAge, line.lastAge);
    s += buf;
  } else if (block.kind == ChartKind::kYear || block.kind == ChartKind::kMonth) {
    s += ChineseNumber(line.order) + "月";
  } else {
    s += std::string(kBranchNames[BranchOf(line.order)]) + "时";
  }
  return s;
}

void DrawHexagramBlock(DrawingSurface& surface, float x, float y, int fontSize,
                       const HexagramBlock& block) {
  if (block.info == nullptr) return;
  surface.SetFontSize(static_cast<float>(fontSize - 1));
  surface.SetBold(true);
  const float step = surface.TextHeight("国") * (IsBirth(block.role) ? 1.3f : 1.5f);
  surface.SetTextColor(kTitleColour);
  surface.DrawText(x, y, HexagramBlockTitle(block), true);
  surface.SetTextColor(kRowColour);
  for (int row = 0; row < 6; ++row)
    surface.DrawText(x, y + step * static_cast<float>(row + 1), HexagramBlockRow(block, row), true);
}

}  // namespace taiyi
