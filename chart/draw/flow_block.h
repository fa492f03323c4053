// The green block a flow chart adds below the birth pair: age and moment with the lunar
// date, the flow pillars and kind, the flow counts with 纪 and 元, and the four flow
// hexagrams with their moving lines.
#pragma once

#include <string>
#include <vector>

#include "chart/draw/drawing_surface.h"
#include "chart/flow_chart.h"

namespace taiyi {

// The seven lines, top first.
std::vector<std::string> FlowBlockLines(const FlowChart& flow);

// Draws the lines in green at size fontSize, bold, from (x, y), lineStep apart.
void DrawFlowBlock(DrawingSurface& surface, float x, float y, int fontSize, float lineStep,
                   const FlowChart& flow);

}  // namespace taiyi
