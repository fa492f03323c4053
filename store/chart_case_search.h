// The chart search of the case archive: the cases whose chart, computed as the case keeps it
// (kind, moment, lunar flags, sex, place) with the chart settings, meets chart conditions.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "chart/selection_conditions.h"
#include "store/record_base.h"
#include "store/work_progress.h"

namespace taiyi {

// Called now and then with the share done (0..1); returning false stops the search.
using ChartSearchProgress = std::function<bool(double done)>;

// The ids 1..PrimaryId of the matching cases, ascending.  A case whose chart cannot be
// computed (a date that does not exist) never matches.  Returns false when stopped, by the
// progress function or by work's stop request; work also counts the charted cases.
bool SearchByChart(MRecordBase& store, const ChartSettings& settings,
                   const ChartConditions& conditions, std::vector<std::int32_t>& ids,
                   const ChartSearchProgress& progress = {}, WorkProgress* work = nullptr);

}  // namespace taiyi
