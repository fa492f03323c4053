// The chart search of the archive: over cases of every kind, solar and lunar, men and women,
// at places east and west, the found ids are exactly those whose chart computed as stored
// meets the conditions; deleted and impossible cases never match.
#include "store/chart_case_search.h"

#include <gtest/gtest.h>

#include "calendar/date_service.h"
#include "support/case_store_fixture.h"

namespace taiyi {
namespace {

using Ids = std::vector<std::int32_t>;

class ChartCaseSearch : public ::testing::Test, protected test::CaseStoreFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(opened);
    // Sixty cases: every kind, hours round the clock, some lunar, some women, some far west.
    for (int i = 0; i < 60; ++i) {
      TRecordData r = test::TreeCase("例" + std::to_string(i), 1950 + i, 1 + i % 12, 1 + i % 28,
                                     "家人", i % 3 != 0, i % 7 == 0);
      r.kind = static_cast<ChartKind>(i % 5);
      r.hour = static_cast<std::int16_t>(i * 5 % 24);
      r.longitude = i % 4 == 0 ? 87.6f : 120.0f;
      Add(r);
    }
    TRecordData impossible = test::TreeCase("无此日", 1582, 10, 10, "家人");
    impossible_ = Add(impossible);
    ASSERT_TRUE(store.RemoveCase(5));
  }

  // The ids whose chart, computed one by one, meets the conditions.
  Ids OneByOne(const ChartConditions& conditions, const ChartSettings& settings) {
    Ids ids;
    MYiDateEx dates;
    TRecordData r;
    for (int id = 1; id <= store.PrimaryId(); ++id) {
      if (!store.LoadCase(id, r)) continue;
      const ChartResult c = ComputeChart(r, settings, dates);
      if (c.ok && Meets(FeaturesOf(c.chart), conditions)) ids.push_back(id);
    }
    return ids;
  }

  int impossible_ = 0;
};

TEST_F(ChartCaseSearch, FindsTheCasesWhoseStoredChartMeetsTheConditions) {
  ChartConditions qiu;
  qiu.with = {{kCondQiu, 0}};  // life charts only: 小游 with a general or 文昌
  ChartConditions yangLow;
  yangLow.yang = true;
  yangLow.host = {{1, 9}, {30, 40}};
  ChartConditions deity;
  deity.deities = {{kTaiYi, kPosQian}};
  deity.noPatterns = {kNoHeaven};
  ChartSettings trueSolar;
  trueSolar.iDate = 1;
  trueSolar.iMingJu = 1;
  for (const auto& [conditions, settings] :
       {std::pair{qiu, ChartSettings{}}, std::pair{qiu, trueSolar},
        std::pair{yangLow, ChartSettings{}}, std::pair{deity, trueSolar}}) {
    Ids ids;
    ASSERT_TRUE(SearchByChart(store, settings, conditions, ids));
    const Ids want = OneByOne(conditions, settings);
    EXPECT_FALSE(want.empty());
    EXPECT_LT(want.size(), 59u);
    EXPECT_EQ(ids, want);
  }
  // No condition: every case whose chart exists.
  Ids all;
  ASSERT_TRUE(SearchByChart(store, {}, {}, all));
  EXPECT_EQ(all.size(), 59u);
  EXPECT_EQ(std::count(all.begin(), all.end(), 5), 0);
  EXPECT_EQ(std::count(all.begin(), all.end(), impossible_), 0);
}

TEST_F(ChartCaseSearch, StopsWhenAsked) {
  Ids ids{1};
  EXPECT_FALSE(SearchByChart(store, {}, {}, ids, [](double) { return false; }));
  EXPECT_TRUE(ids.empty());
  // Also by a progress dialog's stop request; without one it counts every charted case.
  WorkProgress stopped;
  stopped.RequestStop();
  EXPECT_FALSE(SearchByChart(store, {}, {}, ids, {}, &stopped));
  EXPECT_TRUE(ids.empty());
  WorkProgress counted;
  ASSERT_TRUE(SearchByChart(store, {}, {}, ids, {}, &counted));
  EXPECT_EQ(ids.size(), 59u);
  EXPECT_EQ(counted.total.load(), counted.done.load());
  EXPECT_GE(counted.total.load(), 59);
}

}  // namespace
}  // namespace taiyi
