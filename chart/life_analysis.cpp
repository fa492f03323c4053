#include "chart/life_analysis.h"

#include <initializer_list>

#include "chart/analysis_lines.h"
#include "chart/analysis_texts.h"
#include "chart/life_palaces.h"
#include "chart/offence_years.h"

namespace taiyi {
namespace {

// How many deities with texts of the 命 palace are read.
constexpr int kMingStars = 2;

// A part that has nothing to say is written as a single blank.
constexpr std::string_view kEmptyPart = " ";

bool OnAnyOf(const DeityFacts& f, std::initializer_list<int> positions) {
  for (int p : positions)
    if (f.position == p) return true;
  return false;
}

}  // namespace

LifeStarTexts MingPalaceTexts(const ComputedChart& life, const StarTexts& stars) {
  LifeStarTexts out;
  if (!life.lifePalaces) return out;
  const LifePalace& ming = life.lifePalaces->palaces[kLifeMing];
  if (!ming.own) out.lines = kNoLifeStar;
  const int position = ming.governingPosition;
  int read = 0;
  for (DeityCode code : NatalEntries(life.natal[position])) {
    if (!HasTexts(code)) continue;
    if (read++ == kMingStars) break;
    for (std::string_view line :
         {stars.StarLine(StarKey(code), 1), stars.PositionLine(code, position)}) {
      if (line.empty()) continue;
      out.lines += "命宫:";
      out.lines += line;
      out.lines += "\r\n\r\n";
    }
    const std::string grade = stars.GradeText(code, position);
    if (!grade.empty()) out.grades += grade + "\r\n";
  }
  return out;
}

std::string WuFuTexts(const ComputedChart& life) {
  const DeityFactsTable& f = life.facts;
  const DeityFacts& wuFu = f[kWuFu];
  std::string text;
  if (!wuFu.present) return text;
  auto with = [&f, &wuFu](DeityCode code) {
    return f[code].present && f[code].palace == wuFu.palace;
  };
  auto strong = [&wuFu](const DeityFacts& other) {
    return wuFu.strength == 3 || other.strength == 3;
  };
  auto inMing = [&wuFu](const DeityFacts& other) {
    return wuFu.lifePalace == kLifeMing || other.lifePalace == kLifeMing;
  };
  if (with(kJunJi)) {
    text += OnAnyOf(wuFu, {kPosChou, kPosChen, kPosWei, kPosShen, kPosXu}) ? kWuFuJunJiHighBranches
                                                                           : kWuFuJunJi;
    if (strong(f[kJunJi])) text += kWuFuJunJiStrong;
  }
  if (with(kChenJi)) text += kWuFuChenJi;
  if (with(kMinJi)) text += OnAnyOf(wuFu, {kPosYin, kPosMao}) ? kWuFuMinJiYinMao : kWuFuMinJi;
  if (with(kWenChang)) {
    const DeityFacts& wenChang = f[kWenChang];
    if (strong(wenChang)) text += kWuFuWenChangStrong;
    if (inMing(wenChang) || wuFu.inBody || wenChang.inBody) text += kWuFuWenChangLife;
  }
  if (with(kJiShen)) {
    const DeityFacts& jiShen = f[kJiShen];
    text += kWuFuJiShen;
    if (inMing(jiShen)) text += strong(jiShen) ? kWuFuJiShenLifeStrong : kWuFuJiShenLife;
  }
  return text;
}

std::string PatternTexts(const CountPatterns& patterns) {
  std::string text;
  for (int p = 0; p < kCountPatternCount; ++p)
    if (patterns[p]) text += kPatternTexts[p];
  return text;
}

void LifeAnalysis(const ComputedChart& life, const StarTexts& stars, MYiDateEx& dates,
                  RichTextSink& sink) {
  const LifeStarTexts ming = MingPalaceTexts(life, stars);
  sink.Append(ming.lines);
  if (!ming.grades.empty()) sink.Append(ming.grades);
  sink.Append(ConditionsLine(life.conditions, true));
  const std::string offences = OffenceYearsText(life, ScanOffenceYears(life, dates));
  sink.Append(offences.empty() ? kEmptyPart : std::string_view(offences));
  sink.Append(PatternLine(life.patterns));
  const std::string patternTexts = PatternTexts(life.patterns);
  sink.Append(patternTexts.empty() ? kEmptyPart : std::string_view(patternTexts));
  const std::string wuFu = WuFuTexts(life);
  if (!wuFu.empty()) sink.Append(wuFu);
}

}  // namespace taiyi
