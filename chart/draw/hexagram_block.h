// One hexagram block of the chart image: a dark-red title and six blue rows, top line first,
// each with its six spirit, hidden spirit, line symbol, relation, 纳甲, 世/应 and its ages
// (birth pair) or order number (chart pair).
#pragma once

#include <string>

#include "chart/chart_request.h"
#include "chart/draw/drawing_surface.h"
#include "chart/hexagrams.h"

namespace taiyi {

enum class HexagramRole {
  kBirthFirst,   // 出身卦
  kBirthSecond,  // 立业卦
  kChartMain,    // 主卦
  kChartChange,  // 变卦
};

struct HexagramBlock {
  const HexagramInfo* info = nullptr;
  HexagramRole role = HexagramRole::kChartMain;
  ChartKind kind = ChartKind::kLife;  // 年局 and 月局 number their lines by month
  int shouQiKey = 0;                  // 出身卦: the 受气 key X
};

std::string HexagramBlockTitle(const HexagramBlock& block);
// Row 0 is the top line.
std::string HexagramBlockRow(const HexagramBlock& block, int row);

// Draws the block with its title's layout box at (x, y), at size fontSize − 1, bold, in the
// default text format; rows 1.3 (birth pair) or 1.5 (chart pair) heights of "国" apart.
void DrawHexagramBlock(DrawingSurface& surface, float x, float y, int fontSize,
                       const HexagramBlock& block);

}  // namespace taiyi
