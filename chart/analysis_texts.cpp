#include "chart/analysis_texts.h"

namespace taiyi {
namespace {

constexpr std::string_view kPalaceNumberNames[10] = {"",     "一宫", "二宫", "三宫", "四宫",
                                                     "五宫", "六宫", "七宫", "八宫", "九宫"};

}  // namespace

std::string_view PalaceNumberName(int palace) {
  return palace >= 1 && palace <= 9 ? kPalaceNumberNames[palace] : std::string_view{};
}

}  // namespace taiyi
