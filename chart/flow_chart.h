// A flow chart (流年, 流月, 流日, 流时) of a life chart: the flow moments, pillars, age, cycle,
// the flow deities after the marker, the three age limits, the four flow hexagrams and the
// facts of the flow entries.  Each flow starts again from the natal positions.
#pragma once

#include <array>
#include <string>

#include "chart/chart_computation.h"

namespace taiyi {

inline constexpr char kFlowRangeMessage[] = "流年时间要在出生时间之后，并且在 150岁之内！";
inline constexpr char kFlowYearOutOfRange[] = "流年时间越界，年份在 -4713到9999之间";

struct FlowHexagram {
  int index = 0;         // King Wen
  int displayIndex = 0;  // palace · 8 + generation − 1
  int movingLine = 0;
};

struct FlowChart {
  int kind = 0;  // 1 年, 2 月, 3 日, 4 时
  double julianDay = 0;
  ChartMoments moments;
  ChartPillars pillars;
  int age = 0;
  JuFacts ju;
  Counts counts;
  PositionTable positions;  // natal entries, the marker, flow entries
  int yangJiu = 0;          // branch numbers of the age limits
  int baiLiuGreat = 0;
  int baiLiuSmall = 0;
  std::array<FlowHexagram, 4> hexagrams{};
  // Facts of the entries after the marker (flow deities and age limits); 太岁 and 合神 take
  // their elements from the flow year branch.
  DeityFactsTable facts{};
};

struct FlowResult {
  bool ok = false;
  std::string error;
  FlowChart flow;
};

// Age limits of a person: start branch b and threshold c by stem.
struct AgeLimits {
  int yangJiu = 0, baiLiuGreat = 0, baiLiuSmall = 0;
};
AgeLimits AgeLimitsAt(int age, bool male, int monthPillar, int key);

// moment is a Julian day; the chart must be a life chart.
FlowResult MakeFlowChart(const ComputedChart& natal, double moment, int kind, MYiDateEx& dates);

// The palaces (by the grouping) of 太岁 and the three age limits on the 流年 chart that
// MakeFlowChart(natal, moment, 1, dates) makes, found without making it: a scan of a hundred
// years reads only these.  False where that flow fails.
struct FlowYearPalaces {
  int taiSui = 0;
  int yangJiu = 0;
  int baiLiuGreat = 0;
  int baiLiuSmall = 0;
};
bool FlowYearPalacesAt(const ComputedChart& natal, double moment, MYiDateEx& dates,
                       FlowYearPalaces& out);

}  // namespace taiyi
