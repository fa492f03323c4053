// Selection of moments (择时): every year, month, day or two-hour chart whose period begins
// in a range of clock moments, in time order, with the features of each chart, kept when
// they meet the conditions.  A period begins at the first minute whose chart differs from
// the minute before: year charts at 立春 (and at the new civil year when the gate turns),
// month charts at the section terms, day charts at midnight (and at 23:00 without zishi),
// hour charts at the odd hours (and at midnight with zishi) and at the solstices, the
// day's hours read in the corrected time of the settings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "chart/selection_conditions.h"

namespace taiyi {

struct PeriodSelection {
  ChartKind kind = ChartKind::kDay;  // 年局, 月局, 日局 or 时局
  YiDate from;                       // clock moments (UTC+8) to the minute, both included
  YiDate to;
  ChartSettings settings;
  float longitude = 120.0f;  // for 真太阳时 and 地方时
  ChartConditions conditions;
  std::size_t limit = 0;  // at most this many periods; 0 for all
};

struct SelectedPeriod {
  YiDate start;  // the clock moment at which the period's chart begins
  ChartFeatures features;
};

struct SelectionResult {
  std::vector<SelectedPeriod> periods;
  std::int64_t scanned = 0;  // periods looked at
  bool cancelled = false;
};

// Called from the calling thread now and then with the share of the range done (0..1);
// returning false stops the scan, which then returns what it found so far.
using SelectionProgress = std::function<bool(double done)>;

// threads: how many threads scan parts of the range; 0 chooses by the machine and the size
// of the range.  The kind must be a period kind and from not after to.
SelectionResult SelectPeriods(const PeriodSelection& selection,
                              const SelectionProgress& progress = {}, int threads = 0);

// Minutes counted from the midnight that begins Julian day number 0; every civil minute has
// one, and consecutive minutes have consecutive numbers across the calendar reform.
std::int64_t MinuteNumber(const YiDate& moment);
YiDate MomentOfMinute(std::int64_t minute);

}  // namespace taiyi
