#include "chart/chart_computation.h"

#include "calendar/date_service.h"

namespace taiyi {

PlacementInput ChartPlacement(ChartKind kind, CycleRule rule, const Pillars& p, const JuFacts& ju) {
  int governing = p.day;
  switch (rule) {
    case CycleRule::kYear:
      governing = p.year;
      break;
    case CycleRule::kMonth:
      governing = p.month;
      break;
    case CycleRule::kDay:
      governing = p.day;
      break;
    case CycleRule::kHour:
      governing = p.hour;
      break;
  }
  const bool yearChart = kind == ChartKind::kYear;
  return {.governingPillar = governing,
          .period = ju.period,
          .accumulated = ju.accumulated,
          .yang = ju.yang,
          .byAccumulation = yearChart,
          .yearLimits = yearChart,
          .tenEssence = true};
}

ChartResult ComputeChart(const ChartRequest& request, const ChartSettings& settings,
                         MYiDateEx& dates) {
  ChartResult out;
  ComputedChart& c = out.chart;
  c.request = request;
  c.settings = settings;
  const ResolvedMoments rm = ResolveMoments(request, settings, dates);
  if (!rm.ok) {
    out.error = rm.error;
    return out;
  }
  c.moments = rm.moments;
  c.request.leapMonth = rm.moments.lunarLeap;

  c.pillars =
      ComputePillars(dates, c.moments.clockMoment, c.moments.correctedMoment, settings.zishi);
  const CycleRule rule = CycleRuleOf(request.kind, settings.iMingJu);
  c.ju = ComputeJu(dates, rule, request.kind, c.pillars, c.moments.clockMoment,
                   c.moments.correctedMoment, settings.iJiNian);

  const Pillars& p = c.pillars.pillars;
  c.counts = PlaceDeities(ChartPlacement(request.kind, rule, p, c.ju), c.positions);

  const bool yearChart = request.kind == ChartKind::kYear;
  if (yearChart || request.kind == ChartKind::kMonth) {
    c.chartPair =
        MakeChartPair(static_cast<int>(Mod(c.ju.accumulated, 64)), p.year % 12, p.year % 10);
  } else {
    c.chartPair = MakeChartPair(dates.DayCycle64(c.moments.clockMoment), p.day % 12, p.day % 10);
  }
  if (request.kind == ChartKind::kLife) c.birth = MakeBirthPair(p, request.male);
  c.natal = c.positions;

  if (c.birth)
    c.lifePalaces = ComputeLifePalaces(c.birth->palaces.ming, c.birth->palaces.shen, p.year,
                                       request.male, c.natal);
  c.facts = ComputeDeityFacts(c.natal, FactEntries::kNatal, p.year % 12, c.lifePalaces);
  c.conditions = c.birth ? LifeConditions(c.facts) : PeriodConditions(c.facts);
  c.patterns = ComputeCountPatterns(c.counts.host, c.counts.guest, c.facts[kWenChang]);
  out.ok = true;
  return out;
}

}  // namespace taiyi
