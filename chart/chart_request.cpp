#include "chart/chart_request.h"

#include "platform/gbk.h"
#include "platform/ini_file.h"

namespace taiyi {

std::string_view ChartKindName(ChartKind kind) {
  static constexpr std::string_view kNames[kChartKindCount] = {"命", "年", "月", "日", "时"};
  const auto i = static_cast<unsigned>(kind);
  return i < kChartKindCount ? kNames[i] : std::string_view{};
}

std::string_view ChartKindTitle(ChartKind kind) {
  static constexpr std::string_view kTitles[kChartKindCount] = {"命局", "年局", "月局", "日局",
                                                                "时局"};
  const auto i = static_cast<unsigned>(kind);
  return i < kChartKindCount ? kTitles[i] : std::string_view{};
}

void ChartRequest::SetName(std::string_view text) { name = CutToGbkBytes(text, kNameMaxGbkBytes); }

void ChartRequest::SetPlace(std::string_view text) {
  place = CutToGbkBytes(text, kPlaceMaxGbkBytes);
}

ChartSettings ReadChartSettings(const std::string& setIniPath) {
  const ChartSettings def;
  ChartSettings s;
  const IniFile ini(setIniPath);
  constexpr std::string_view sec = "taiyi";
  s.bkcolor = ini.ReadInteger(sec, "bkcolor", def.bkcolor);
  s.iDate = ini.ReadInteger(sec, "iDate", def.iDate);
  if (s.iDate < 0 || s.iDate > 2) s.iDate = def.iDate;
  s.iJiNian = ini.ReadInteger(sec, "iJiNian", def.iJiNian);
  s.iMingJu = ini.ReadInteger(sec, "iMingJu", def.iMingJu);
  if (s.iMingJu < 0 || s.iMingJu > 1) s.iMingJu = def.iMingJu;
  s.zishi = ini.ReadBool(sec, "zishi", def.zishi);
  s.bOldBk = ini.ReadBool(sec, "bOldBk", def.bOldBk);
  s.bShiJing = ini.ReadBool(sec, "bShiJing", def.bShiJing);
  return s;
}

const std::array<std::string, 8>& TrigramLines() {
  static const std::array<std::string, 8> lines = [] {
    std::array<std::string, 8> out;
    for (int i = 0; i < 8; ++i) {
      const int bits = 7 - i;
      for (int b = 0; b < 3; ++b) out[i] += ((bits >> b) & 1) ? '1' : '2';
    }
    return out;
  }();
  return lines;
}

}  // namespace taiyi
