#include "chart/offence_years.h"

#include "calendar/date_service.h"
#include "chart/flow_chart.h"
#include "chart/life_palaces.h"

namespace taiyi {
namespace {

// Five minutes, so that the first flow falls after the birth moment.
constexpr double kFirstFlowOffset = 0.0034722;

enum List : int { kTaiSuiList = 0, kYangJiuList = 1, kBaiLiuList = 2, kFirstPalaceList = 3 };

// Life palaces whose 关 counts every year, by list 4 … 8.
constexpr int kGuanPalaceLists[] = {kLifeParents, kLifeProperty, kLifeSpouse, kLifeServants,
                                    kLifeOffice};

}  // namespace

OffenceYears ScanOffenceYears(const ComputedChart& life, MYiDateEx& dates) {
  OffenceYears out;
  bool any = false;
  for (const ConditionFact& c : life.conditions) any = any || c.present;
  if (!any || !life.birth) return out;

  const CountPatterns& p = life.patterns;
  const bool noTalent = p[kNoHeaven] || p[kNoEarth] || p[kNoMan];  // 三才无算
  const ConditionSet& cond = life.conditions;
  const int bodyPalace =
      life.lifePalaces ? life.lifePalaces->palaces[life.lifePalaces->body].palace : 0;
  const int first = life.pillars.taiyiYear;

  for (int k = 0; k < kOffenceScanYears; ++k) {
    const int y = first + k;
    const double moment =
        k == 0 ? life.moments.clockJulianDay + kFirstFlowOffset
               : dates.ToJulianDay(dates.TermDate(static_cast<int16_t>(y), 2, true)) + 1;
    FlowYearPalaces f;
    if (!FlowYearPalacesAt(life, moment, dates, f)) continue;

    for (int c = 0; c < kConditionCount; ++c) {
      if (!cond[c].present) continue;
      const int l = cond[c].palace;
      const bool taiSui = f.taiSui == l;
      const bool yangJiu = f.yangJiu == l;
      const bool baiLiu = f.baiLiuGreat == l || f.baiLiuSmall == l;
      auto& lists = out.lists[c];
      auto add = [y, &lists](int list, bool hit) {
        if (hit) lists[list].push_back(y);
      };
      switch (c) {
        case kCondQiu:
          add(0, yangJiu);
          add(1, baiLiu && noTalent);
          break;
        case kCondDui:
          add(kTaiSuiList, taiSui);
          add(kYangJiuList, yangJiu);
          add(kBaiLiuList, baiLiu && noTalent);
          break;
        default:
          add(kTaiSuiList, taiSui);
          add(kYangJiuList, yangJiu);
          add(kBaiLiuList, baiLiu);
          break;
      }
      if (c == kCondGuan) {
        for (int i = 0; i < 5; ++i)
          add(kFirstPalaceList + i, cond[c].lifePalace == kGuanPalaceLists[i]);
      } else if (c == kCondGe) {
        add(kFirstPalaceList, cond[c].lifePalace == kLifeMing || bodyPalace == l);
      }
    }
  }
  return out;
}

std::string OffenceYearsText(const ComputedChart& life, const OffenceYears& years) {
  std::string text;
  for (int c = 0; c < kConditionCount; ++c) {
    const ConditionFact& cond = life.conditions[c];
    std::string header = "命局：";
    header += ConditionName(c);
    header += "(";
    header += PalaceNumberName(cond.palace);
    if (cond.lifePalace != kNoLifePalace) {
      header += "-";
      header += LifePalaceName(cond.lifePalace);
      header += "宫";
    }
    header += ")，";
    bool wrote = false;
    for (int list = 0; list < kMaxOffenceLists; ++list) {
      const std::vector<int>& ys = years.lists[c][list];
      if (ys.empty()) continue;
      text += header;
      text += kOffenceRuleTexts[c][list];
      text += "犯事年份：";
      for (std::size_t i = 0; i < ys.size(); ++i) {
        if (i > 0) text += "、";
        text += std::to_string(ys[i]);
      }
      text += "。\r\n\r\n";
      wrote = true;
    }
    if (!wrote) continue;
    const std::string_view closing =
        c == kCondQiu ? (life.request.male ? std::string_view{} : kPrisonClosingForWoman)
                      : kOffenceClosingTexts[c];
    if (!closing.empty()) {
      text += closing;
      text += "\r\n";
    }
  }
  return text;
}

}  // namespace taiyi
