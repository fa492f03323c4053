// The conditions a chart is selected by: ju, 遁, the three counts, the gate, the seven chart
// conditions (掩 迫 关 囚 击 格 对, optionally at a palace), the count patterns and deities at
// positions; how they are typed ("3-10", "囚@1", "太乙@乾") and whether a chart meets them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_features.h"

namespace taiyi {

// first..last, both included.
struct NumberRange {
  int first = 0;
  int last = 0;
  bool Contains(int v) const { return v >= first && v <= last; }
  friend bool operator==(const NumberRange&, const NumberRange&) = default;
};

// One of the seven chart conditions, anywhere (palace 0) or at a palace 1..9.
struct PlacedCondition {
  int condition = 0;  // ChartCondition
  int palace = 0;
  friend bool operator==(const PlacedCondition&, const PlacedCondition&) = default;
};

struct DeityPlace {
  DeityCode deity = 0;
  int position = 0;  // 0..16
  friend bool operator==(const DeityPlace&, const DeityPlace&) = default;
};

// Every list that is not empty must be met.  The ranges of one list and the gates are
// alternatives (the ju lies in any of the ranges); the conditions, patterns and deities
// are each required.
struct ChartConditions {
  std::vector<NumberRange> ju, host, guest, fixed;
  std::optional<bool> yang;  // true 阳遁, false 阴遁
  std::vector<int> gates;    // gate indexes 0..7 (开 休 生 伤 杜 景 死 惊)
  std::vector<PlacedCondition> with, without;
  std::vector<int> patterns, noPatterns;  // CountPattern
  std::vector<DeityPlace> deities;

  bool Empty() const;
  friend bool operator==(const ChartConditions&, const ChartConditions&) = default;
};

bool Meets(const ChartFeatures& chart, const ChartConditions& conditions);

// Parsers of the typed forms.  On failure they return false and set error to a message that
// names the accepted forms or names.
bool ParseNumberRange(std::string_view text, NumberRange& out, std::string& error);  // N, N-M
bool ParsePlacedCondition(std::string_view text, PlacedCondition& out,
                          std::string& error);                                // 囚, 囚@1
bool ParseCountPattern(std::string_view text, int& out, std::string& error);  // 无天之算
bool ParseGate(std::string_view text, int& out, std::string& error);          // 开, 开门
bool ParseDeityPlace(std::string_view text, DeityPlace& out,
                     std::string& error);  // 太乙@乾; short or full names

// "囚(一宫)、格(一宫)" of the conditions present, "断数" names joined by "、"; empty texts
// when there are none.
std::string ConditionsText(const ConditionSet& conditions);
std::string PatternsText(const CountPatterns& patterns);

}  // namespace taiyi
