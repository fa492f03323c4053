#include "chart/draw/flow_block.h"

#include <array>
#include <cstdio>

#include "calendar/ganzhi_names.h"
#include "chart/chart_summary.h"
#include "chart/draw/chart_draw_texts.h"
#include "chart/hexagrams.h"
#include "chart/pillars_ju.h"

namespace taiyi {
namespace {

constexpr SurfaceColour kFlowColour = MakeColour(0, 128, 0);
constexpr std::array<std::string_view, 5> kFlowNames = {"", "年", "月", "日", "时"};
constexpr std::array<std::string_view, 6> kLineNames = {"初", "二", "三", "四", "五", "上"};

std::string_view FlowName(int kind) {
  return kind >= 1 && kind <= 4 ? kFlowNames[kind] : kFlowNames[0];
}

}  // namespace

std::vector<std::string> FlowBlockLines(const FlowChart& flow) {
  std::vector<std::string> lines;
  const YiDate& m = flow.moments.clockMoment;
  char buf[160];
  std::snprintf(buf, sizeof buf, "%d岁流年:%d-%d-%d %d:%d　", flow.age, CivilYear(m.year), m.month,
                m.day, m.hour, m.minute);
  const YiDate& lunar = flow.moments.lunarDate;
  lines.push_back(buf + LunarMonthPiece(lunar.month, flow.moments.lunarLeap) +
                  LunarDayPiece(lunar.day));

  const Pillars& p = flow.pillars.pillars;
  lines.push_back("干支：" + PillarsText(p.year, p.month, p.day, p.hour) + " (" +
                  std::string(FlowName(flow.kind)) + "局)");

  std::snprintf(buf, sizeof buf, "主算:%d,客算:%d,定算:%d", flow.counts.host, flow.counts.guest,
                flow.counts.fixed);
  std::string counts = buf;
  std::snprintf(buf, sizeof buf, " %d)", flow.ju.period + 1);
  lines.push_back(counts + " (第" + ChineseNumber(flow.ju.ji + 1) + "纪" +
                  std::string(YuanName(flow.ju.yuan)) + "元" + buf);

  for (int i = 0; i < 4; ++i) {
    const FlowHexagram& h = flow.hexagrams[i];
    const int d = ((h.displayIndex % 64) + 64) % 64;
    lines.push_back("流" + std::string(kFlowNames[i + 1]) + "卦：" +
                    std::string(PalaceHexagramName(d / 8, d % 8 + 1)) + " " +
                    std::string(kLineNames[((h.movingLine % 6) + 6) % 6]) + "爻动");
  }
  return lines;
}

void DrawFlowBlock(DrawingSurface& surface, float x, float y, int fontSize, float lineStep,
                   const FlowChart& flow) {
  surface.SetFontSize(static_cast<float>(fontSize));
  surface.SetBold(true);
  surface.SetTextColor(kFlowColour);
  for (const std::string& line : FlowBlockLines(flow)) {
    surface.DrawText(x, y, line, false);
    y += lineStep;
  }
}

}  // namespace taiyi
