// Selection of moments against the chart engine: the periods found are exactly the minutes at
// which a minute-by-minute walk of `ComputeChart` sees the chart change, each listed chart
// equals the computed chart of its moment, and the conditions select what they say.
#include "chart/period_selection.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "calendar/date_service.h"

namespace taiyi {
namespace {

YiDate D(int y, int m, int d, int h = 0, int mi = 0) {
  return YiDate{int16_t(y), int16_t(m), int16_t(d), int16_t(h), int16_t(mi)};
}

ChartSettings Settings(int iDate, bool zishi) {
  ChartSettings s;
  s.iDate = iDate;
  s.zishi = zishi;
  return s;
}

PeriodSelection Selection(ChartKind kind, YiDate from, YiDate to,
                          const ChartSettings& settings = {}, float longitude = 120) {
  PeriodSelection s;
  s.kind = kind;
  s.from = from;
  s.to = to;
  s.settings = settings;
  s.longitude = longitude;
  return s;
}

ComputedChart ChartAt(ChartKind kind, std::int64_t minute, const ChartSettings& settings,
                      float longitude, MYiDateEx& dates) {
  ChartRequest r;
  r.kind = kind;
  r.longitude = longitude;
  r.SetDate(MomentOfMinute(minute));
  const ChartResult result = ComputeChart(r, settings, dates);
  EXPECT_TRUE(result.ok) << result.error;
  return result.chart;
}

// Everything a period chart is computed from; two minutes with equal keys have equal charts.
struct Key {
  int governing, period;
  bool yang;
  int gate;
  std::int64_t accumulated;
  friend bool operator==(const Key&, const Key&) = default;
};

Key KeyOf(const ComputedChart& c) {
  const Pillars& p = c.pillars.pillars;
  const int governing = c.request.kind == ChartKind::kYear    ? p.year
                        : c.request.kind == ChartKind::kMonth ? p.month
                        : c.request.kind == ChartKind::kDay   ? p.day
                                                              : p.hour;
  return {governing, c.ju.period, c.ju.yang, c.ju.hasGate ? c.ju.gate : -1,
          c.request.kind == ChartKind::kYear ? c.ju.accumulated : 0};
}

// The minutes in first..last whose chart differs from the minute before: hourly samples, and
// every minute of an hour in which the samples differ.
std::vector<std::int64_t> ReferenceStarts(ChartKind kind, std::int64_t first, std::int64_t last,
                                          const ChartSettings& settings, float longitude) {
  MYiDateEx dates;
  auto key = [&](std::int64_t m) { return KeyOf(ChartAt(kind, m, settings, longitude, dates)); };
  std::vector<std::int64_t> starts;
  std::int64_t sample = first - 1;
  Key sampleKey = key(sample);
  while (sample < last) {
    const std::int64_t next = std::min(last, sample + 60);
    const Key nextKey = key(next);
    if (!(nextKey == sampleKey)) {
      Key k = sampleKey;
      for (std::int64_t m = sample + 1; m <= next; ++m) {
        const Key mk = key(m);
        if (!(mk == k)) starts.push_back(m);
        k = mk;
      }
    }
    sample = next;
    sampleKey = nextKey;
  }
  return starts;
}

struct RangeCase {
  const char* what;
  ChartKind kind;
  YiDate from, to;
  ChartSettings settings;
  float longitude;
};

// Each kind over a range that holds its turning points: 立春 and the gate's new civil year
// 2014 for years, 立春 for months, 23:00 and midnight for days, the solstices for hours;
// with zishi and with true solar and local mean time.
const RangeCase kRanges[] = {
    {"years across the 2014 gate", ChartKind::kYear, D(2012, 6, 1), D(2015, 3, 1), {}, 120},
    {"years, local mean time west", ChartKind::kYear, D(2013, 12, 30), D(2014, 1, 2),
     Settings(2, false), 90},
    {"months across 立春", ChartKind::kMonth, D(2023, 12, 1), D(2024, 4, 10), {}, 120},
    {"days", ChartKind::kDay, D(2024, 2, 2), D(2024, 2, 6, 23, 59), {}, 120},
    {"days with zishi", ChartKind::kDay, D(2024, 2, 2), D(2024, 2, 4, 23, 59), Settings(0, true),
     120},
    {"days in true solar time", ChartKind::kDay, D(2024, 2, 2), D(2024, 2, 4, 23, 59),
     Settings(1, false), 87.6f},
    {"hours across 夏至", ChartKind::kHour, D(2024, 6, 20, 12), D(2024, 6, 21, 23, 59), {}, 120},
    {"hours across 冬至 with zishi", ChartKind::kHour, D(2023, 12, 21, 12), D(2023, 12, 22, 23, 59),
     Settings(0, true), 120},
    {"hours in local mean time east", ChartKind::kHour, D(2024, 1, 1), D(2024, 1, 2, 12),
     Settings(2, false), 130.5f},
};

TEST(PeriodSelection, PeriodsBeginWhereTheChartChanges) {
  MYiDateEx dates;
  for (const RangeCase& c : kRanges) {
    SCOPED_TRACE(c.what);
    const PeriodSelection s = Selection(c.kind, c.from, c.to, c.settings, c.longitude);
    const SelectionResult got = SelectPeriods(s);
    const std::vector<std::int64_t> want =
        ReferenceStarts(c.kind, MinuteNumber(c.from), MinuteNumber(c.to), c.settings, c.longitude);
    ASSERT_EQ(got.periods.size(), want.size());
    EXPECT_EQ(got.scanned, static_cast<std::int64_t>(want.size()));
    for (std::size_t i = 0; i < want.size(); ++i) {
      const SelectedPeriod& p = got.periods[i];
      ASSERT_EQ(MinuteNumber(p.start), want[i]) << i;
      const ComputedChart at = ChartAt(c.kind, want[i], c.settings, c.longitude, dates);
      EXPECT_EQ(p.features, FeaturesOf(at)) << i;
      // The minute before belongs to another chart.
      EXPECT_FALSE(KeyOf(ChartAt(c.kind, want[i] - 1, c.settings, c.longitude, dates)) ==
                   KeyOf(at));
    }
  }
}

ChartConditions With(std::initializer_list<PlacedCondition> with) {
  ChartConditions c;
  c.with = with;
  return c;
}

TEST(PeriodSelection, ConditionsSelectExactlyTheChartsThatMeetThem) {
  ChartConditions juYin;
  juYin.ju = {{1, 9}, {60, 72}};
  juYin.yang = false;
  ChartConditions counts;
  counts.host = {{10, 19}};
  counts.gates = {0, 7};  // 开 or 惊
  counts.noPatterns = {kNoHeaven};
  ChartConditions deity;
  deity.deities = {{kTaiYi, kPosQian}};
  deity.without = {{kCondYan, 0}};
  ChartConditions pattern;
  pattern.patterns = {kBlockedNoGate};
  pattern.fixed = {{1, 20}};
  const struct {
    const char* what;
    ChartKind kind;
    YiDate from, to;
    ChartConditions conditions;
  } cases[] = {
      {"years 迫 at palace 1", ChartKind::kYear, D(1800, 1, 1), D(2100, 12, 31),
       With({{kCondPo, 1}})},
      {"months 格", ChartKind::kMonth, D(2000, 1, 1), D(2010, 12, 31), With({{kCondGe, 0}})},
      {"days by pattern and fixed count", ChartKind::kDay, D(2024, 1, 1), D(2024, 12, 31), pattern},
      {"days by deity, without 掩", ChartKind::kDay, D(2024, 1, 1), D(2024, 12, 31), deity},
      {"hours by ju and 遁", ChartKind::kHour, D(2024, 6, 1), D(2024, 7, 31), juYin},
      {"hours by counts and gates", ChartKind::kHour, D(2024, 1, 1), D(2024, 1, 31), counts},
  };
  MYiDateEx dates;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const PeriodSelection all = Selection(c.kind, c.from, c.to);
    const SelectionResult every = SelectPeriods(all);
    PeriodSelection some = all;
    some.conditions = c.conditions;
    const SelectionResult got = SelectPeriods(some);
    std::vector<std::int64_t> want;
    for (const SelectedPeriod& p : every.periods) {
      const ComputedChart at = ChartAt(c.kind, MinuteNumber(p.start), {}, 120, dates);
      if (Meets(FeaturesOf(at), c.conditions)) want.push_back(MinuteNumber(p.start));
    }
    EXPECT_FALSE(want.empty());
    EXPECT_LT(want.size(), every.periods.size());
    ASSERT_EQ(got.periods.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i)
      EXPECT_EQ(MinuteNumber(got.periods[i].start), want[i]);
  }
}

TEST(PeriodSelection, ConditionsThatNeverHoldGiveNothing) {
  ChartConditions qiu = With({{kCondQiu, 0}});  // a period chart's 太乙 is never in the centre
  ChartConditions centre;
  centre.deities = {{kWenChang, kPosCentre}};
  ChartConditions dayGate;
  dayGate.gates = {0};
  for (const auto& [kind, conditions] :
       {std::pair{ChartKind::kHour, qiu}, std::pair{ChartKind::kDay, centre},
        std::pair{ChartKind::kDay, dayGate}}) {
    PeriodSelection s = Selection(kind, D(2024, 1, 1), D(2024, 3, 31));
    s.conditions = conditions;
    const SelectionResult r = SelectPeriods(s);
    EXPECT_TRUE(r.periods.empty());
    EXPECT_GT(r.scanned, 80);
  }
}

TEST(PeriodSelection, ThreadsLimitAndCancelling) {
  PeriodSelection s = Selection(ChartKind::kHour, D(2023, 11, 1), D(2024, 2, 29));
  s.conditions.ju = {{5, 5}};
  const SelectionResult one = SelectPeriods(s, {}, 1);
  const SelectionResult three = SelectPeriods(s, {}, 3);
  ASSERT_EQ(one.periods.size(), three.periods.size());
  for (std::size_t i = 0; i < one.periods.size(); ++i)
    EXPECT_EQ(one.periods[i].start, three.periods[i].start);
  EXPECT_EQ(one.scanned, three.scanned);

  s.limit = 3;
  const SelectionResult limited = SelectPeriods(s, {}, 3);
  ASSERT_EQ(limited.periods.size(), 3u);
  EXPECT_EQ(limited.periods[2].start, one.periods[2].start);

  s.limit = 0;
  s.from = D(1900, 1, 1);
  s.to = D(2100, 12, 31);
  int calls = 0;
  const SelectionResult cancelled = SelectPeriods(
      s,
      [&calls](double done) {
        EXPECT_GE(done, 0.0);
        EXPECT_LE(done, 1.0);
        return ++calls < 1;
      },
      2);
  EXPECT_TRUE(cancelled.cancelled);
  EXPECT_EQ(calls, 1);
}

TEST(SelectionConditions, TypedFormsAndTheirErrors) {
  NumberRange r;
  std::string error;
  EXPECT_TRUE(ParseNumberRange("7", r, error));
  EXPECT_EQ(r, (NumberRange{7, 7}));
  EXPECT_TRUE(ParseNumberRange("3-10", r, error));
  EXPECT_EQ(r, (NumberRange{3, 10}));
  for (const char* bad : {"", "x", "10-3", "3-", "1-2-3"})
    EXPECT_FALSE(ParseNumberRange(bad, r, error)) << bad;

  PlacedCondition pc;
  EXPECT_TRUE(ParsePlacedCondition("囚", pc, error));
  EXPECT_EQ(pc, (PlacedCondition{kCondQiu, 0}));
  EXPECT_TRUE(ParsePlacedCondition("格@9", pc, error));
  EXPECT_EQ(pc, (PlacedCondition{kCondGe, 9}));
  EXPECT_FALSE(ParsePlacedCondition("好", pc, error));
  EXPECT_NE(error.find("掩 迫 关 囚 击 格 对"), std::string::npos) << error;
  EXPECT_FALSE(ParsePlacedCondition("囚@0", pc, error));

  int v = -1;
  EXPECT_TRUE(ParseCountPattern("杜塞无门之算", v, error));
  EXPECT_EQ(v, kBlockedNoGate);
  EXPECT_FALSE(ParseCountPattern("无门", v, error));
  EXPECT_NE(error.find("无天之算"), std::string::npos);
  EXPECT_TRUE(ParseGate("惊门", v, error));
  EXPECT_EQ(v, 7);
  EXPECT_FALSE(ParseGate("东", v, error));
  EXPECT_NE(error.find("开 休 生 伤 杜 景 死 惊"), std::string::npos);

  DeityPlace d;
  EXPECT_TRUE(ParseDeityPlace("主大将@中", d, error));
  EXPECT_EQ(d, (DeityPlace{kHostGeneral, kPosCentre}));
  EXPECT_TRUE(ParseDeityPlace("主大@坤", d, error));
  EXPECT_EQ(d, (DeityPlace{kHostGeneral, kPosKun}));
  EXPECT_FALSE(ParseDeityPlace("太乙", d, error));
  EXPECT_FALSE(ParseDeityPlace("太乙@东", d, error));
  EXPECT_NE(error.find("子 亥 乾"), std::string::npos);
  EXPECT_FALSE(ParseDeityPlace("玉皇@乾", d, error));
}

}  // namespace
}  // namespace taiyi
