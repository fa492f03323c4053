// The chart image of the chart command: --png, --jpg, --bmp FILE and --font-size N, drawn
// offscreen exactly as the chart window draws it (the GUI application is made on demand).
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "chart/chart_computation.h"
#include "chart/flow_chart.h"
#include "platform/app_folder.h"

namespace taiyi::cli {

struct ChartImageOptions {
  std::string png, jpg, bmp;
  int fontSize = 0;  // 0: the fontSize setting
};

// Fonts need a GUI application; without a display the offscreen platform serves.
void EnsureGuiApplication();

void AddChartImageOptions(CLI::App* command, ChartImageOptions& options);
bool WantsChartImage(const ChartImageOptions& options);

// Draws the chart (with the flow block when flow is given) and writes every requested file.
// False with the message when a file cannot be written.
bool WriteChartImages(const ChartImageOptions& options, const AppFolder& folder,
                      const ComputedChart& chart, const FlowChart* flow, std::string& error);

}  // namespace taiyi::cli
