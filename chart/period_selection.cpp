#include "chart/period_selection.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "calendar/calendar_date.h"
#include "calendar/date_service.h"

namespace taiyi {

std::int64_t MinuteNumber(const YiDate& d) {
  return static_cast<std::int64_t>(JulianDayNumber(d.year, d.month, d.day)) * 1440 + d.hour * 60 +
         d.minute;
}

YiDate MomentOfMinute(std::int64_t minute) {
  const std::int64_t day = minute >= 0 ? minute / 1440 : -((-minute + 1439) / 1440);
  const int inDay = static_cast<int>(minute - day * 1440);
  const CalendarDateTime c = DateOfJulianDay(static_cast<double>(day));  // noon of that day
  return YiDate{static_cast<int16_t>(c.year), static_cast<int16_t>(c.month),
                static_cast<int16_t>(c.day), static_cast<int16_t>(inDay / 60),
                static_cast<int16_t>(inDay % 60)};
}

namespace {

constexpr int kFirstYear = -4712, kLastYear = 9999;

// What tells one period's chart from the next: everything the chart's deities, counts and
// gate are computed from.
struct PeriodKey {
  int governing = -1;
  int period = -1;
  bool yang = true;
  int gate = kNoGate;
  std::int64_t accumulated = 0;  // year charts only
  friend bool operator==(const PeriodKey&, const PeriodKey&) = default;
};

// Scans one part of the range with its own date service and its own store of the charts
// already placed.
class PeriodScanner {
 public:
  explicit PeriodScanner(const PeriodSelection& s)
      : s_(s), rule_(CycleRuleOf(s.kind, s.settings.iMingJu)) {}

  // Appends to out the periods that begin in first..last and meet the conditions, at most
  // limit of them (0: no limit).  done counts the minutes scanned; stop is read now and then.
  void Scan(std::int64_t first, std::int64_t last, std::vector<SelectedPeriod>& out,
            std::int64_t& scanned, std::atomic<std::int64_t>& done, const std::atomic<bool>& stop);

 private:
  YiDate Corrected(const YiDate& clock) const {
    YiDate c = clock;
    if (s_.settings.iDate != 0) dates_.CorrectTime(s_.longitude, c, s_.settings.iDate);
    return c;
  }
  std::int64_t CorrectedMinute(std::int64_t clock) {
    return MinuteNumber(Corrected(Moment(clock)));
  }
  // MomentOfMinute, remembering the last day converted.
  YiDate Moment(std::int64_t minute) {
    const std::int64_t day = minute >= 0 ? minute / 1440 : -((-minute + 1439) / 1440);
    if (day != memoDay_) {
      memoDay_ = day;
      memoDate_ = MomentOfMinute(day * 1440);
    }
    YiDate d = memoDate_;
    const int inDay = static_cast<int>(minute - day * 1440);
    d.hour = static_cast<int16_t>(inDay / 60);
    d.minute = static_cast<int16_t>(inDay % 60);
    return d;
  }
  // The first clock minute whose corrected moment is at or after the corrected minute.
  std::int64_t ClockOfCorrected(std::int64_t corrected);
  PeriodKey KeyAt(std::int64_t minute, PlacementInput& placement);
  // Candidate minutes in first..last, ascending: a superset of the minutes where a period
  // can begin.
  void Candidates(std::int64_t first, std::int64_t last, std::vector<std::int64_t>& out);
  const ChartFeatures& FeaturesOf(const PeriodKey& key, const PlacementInput& placement);

  const PeriodSelection& s_;
  const CycleRule rule_;
  mutable MYiDateEx dates_;
  std::int64_t offset_ = 0;  // corrected minus clock minute, last seen
  std::int64_t memoDay_ = INT64_MIN;
  YiDate memoDate_;
  int solsticeYear_ = INT32_MIN;
  SolsticeDays solstices_;
  // Placed charts of month, day and hour periods by (governing pillar, P, 遁): these
  // repeat, so each is placed once.
  std::vector<std::optional<ChartFeatures>> placed_;
  ChartFeatures yearChart_;
};

std::int64_t PeriodScanner::ClockOfCorrected(std::int64_t corrected) {
  if (s_.settings.iDate == 0) return corrected;
  std::int64_t c = corrected - offset_;
  while (CorrectedMinute(c) < corrected) ++c;
  while (CorrectedMinute(c - 1) >= corrected) --c;
  offset_ = CorrectedMinute(c) - c;
  return c;
}

PeriodKey PeriodScanner::KeyAt(std::int64_t minute, PlacementInput& placement) {
  const YiDate clock = Moment(minute);
  const YiDate corrected = Corrected(clock);
  ChartPillars cp;
  Pillars& p = cp.pillars;
  switch (s_.kind) {
    case ChartKind::kYear:
      p.year = YearPillarOf(dates_, clock, cp.taiyiYear);
      break;
    case ChartKind::kMonth:
      p.year = YearPillarOf(dates_, clock, cp.taiyiYear);
      p.month = MonthPillarOf(dates_, clock, p.year);
      break;
    default:
      DayHourPillars(dates_, corrected, s_.settings.zishi, p);
      break;
  }
  // ComputeJu's steps, with the solstices of the year remembered.
  const int64_t a = AccumulatedYears(clock.year, p.year, s_.settings.iJiNian);
  bool yang = true;
  if (rule_ == CycleRule::kHour) {
    if (solsticeYear_ != clock.year) {
      solsticeYear_ = clock.year;
      solstices_ = SolsticesOf(dates_, clock.year);
    }
    yang = solstices_.Yang(dates_.ToJulianDay(clock));
  }
  const int period =
      PeriodOf(rule_, a, p, rule_ == CycleRule::kDay ? dates_.DayCycle360(corrected) : 0);
  const JuFacts ju = JuOfPeriod(rule_, s_.kind, a, period, yang, p, corrected.year);
  placement = ChartPlacement(s_.kind, rule_, p, ju);
  return {placement.governingPillar, ju.period, ju.yang, ju.hasGate ? ju.gate : kNoGate,
          s_.kind == ChartKind::kYear ? ju.accumulated : 0};
}

void PeriodScanner::Candidates(std::int64_t first, std::int64_t last,
                               std::vector<std::int64_t>& out) {
  out.clear();
  const auto add = [&](std::int64_t m) {
    if (m >= first && m <= last) out.push_back(m);
  };
  // The year and month pillars compare with the term's minute, the month's branch with its
  // exact instant: the minute before and after cover both.
  const auto addTerm = [&](int year, int month, bool jie) {
    const std::int64_t t =
        MinuteNumber(dates_.TermDate(static_cast<int16_t>(year), static_cast<int16_t>(month), jie));
    add(t - 1), add(t), add(t + 1);
  };
  const auto yearStart = [](int year) {
    return MinuteNumber(YiDate{static_cast<int16_t>(year), 1, 1, 0, 0});
  };
  const YiDate a = Moment(first), b = Moment(last);
  for (int y = std::max(kFirstYear, a.year - 1); y <= std::min(kLastYear, b.year + 1); ++y) {
    switch (s_.kind) {
      case ChartKind::kYear:
        addTerm(y, 2, true);                  // 立春
        add(ClockOfCorrected(yearStart(y)));  // the gate follows the corrected civil year
        break;
      case ChartKind::kMonth:
        for (int m = 1; m <= 12; ++m) addTerm(y, m, true);
        break;
      case ChartKind::kHour:
        addTerm(y, 6, false);   // 夏至
        addTerm(y, 12, false);  // 冬至
        add(yearStart(y));      // the solstices are those of the clock's civil year
        break;
      default:
        break;
    }
  }
  if (s_.kind == ChartKind::kDay || s_.kind == ChartKind::kHour) {
    // Midnight and 23:00 for days; every odd hour and midnight for hours.
    static constexpr int kDayHours[] = {0, 23};
    static constexpr int kHourHours[] = {0, 1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23};
    const bool days = s_.kind == ChartKind::kDay;
    const int* hours = days ? kDayHours : kHourHours;
    const int count = days ? 2 : 13;
    // Corrected days around the clock range: a correction moves the time by hours at most.
    for (std::int64_t d = first / 1440 - 2; d <= last / 1440 + 2; ++d)
      for (int i = 0; i < count; ++i) add(ClockOfCorrected(d * 1440 + hours[i] * 60));
  }
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
}

const ChartFeatures& PeriodScanner::FeaturesOf(const PeriodKey& key,
                                               const PlacementInput& placement) {
  if (s_.kind == ChartKind::kYear) {
    yearChart_ = PeriodChartFeatures(placement);
    yearChart_.gate = key.gate;
    return yearChart_;
  }
  if (placed_.empty()) placed_.resize(60 * 360 * 2);
  std::optional<ChartFeatures>& slot =
      placed_[(static_cast<std::size_t>(key.governing) * 360 + key.period) * 2 + key.yang];
  if (!slot) slot = PeriodChartFeatures(placement);
  slot->gate = key.gate;  // the gate of hour charts also follows the day's stem
  return *slot;
}

void PeriodScanner::Scan(std::int64_t first, std::int64_t last, std::vector<SelectedPeriod>& out,
                         std::int64_t& scanned, std::atomic<std::int64_t>& done,
                         const std::atomic<bool>& stop) {
  PlacementInput placement;
  PeriodKey previous = KeyAt(first - 1, placement);
  std::vector<std::int64_t> candidates;
  constexpr std::int64_t kWindow = 60 * 1440;  // sixty days of candidates at a time
  for (std::int64_t w = first; w <= last && !stop.load(std::memory_order_relaxed); w += kWindow) {
    const std::int64_t wLast = std::min(last, w + kWindow - 1);
    Candidates(w, wLast, candidates);
    for (std::int64_t m : candidates) {
      const PeriodKey key = KeyAt(m, placement);
      if (key == previous) continue;
      previous = key;
      ++scanned;
      const ChartFeatures& features = FeaturesOf(key, placement);
      if (!Meets(features, s_.conditions)) continue;
      out.push_back({Moment(m), features});
      if (s_.limit != 0 && out.size() >= s_.limit) {
        done.fetch_add(last - w + 1, std::memory_order_relaxed);
        return;
      }
    }
    done.fetch_add(wLast - w + 1, std::memory_order_relaxed);
  }
}

// Rough number of candidate minutes, to decide whether threads pay.
std::int64_t CandidateEstimate(ChartKind kind, std::int64_t minutes) {
  const std::int64_t days = minutes / 1440 + 1;
  switch (kind) {
    case ChartKind::kHour:
      return days * 13;
    case ChartKind::kDay:
      return days * 2;
    case ChartKind::kMonth:
      return days / 10;
    default:
      return days / 120;
  }
}

}  // namespace

SelectionResult SelectPeriods(const PeriodSelection& selection, const SelectionProgress& progress,
                              int threads) {
  SelectionResult result;
  const std::int64_t first = MinuteNumber(selection.from);
  const std::int64_t last = MinuteNumber(selection.to);
  if (last < first || selection.kind == ChartKind::kLife) return result;
  const std::int64_t total = last - first + 1;
  if (threads <= 0) {
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    threads = CandidateEstimate(selection.kind, total) < 40000 ? 1 : std::min(cores, 4);
  }
  threads = static_cast<int>(std::min<std::int64_t>(threads, total));

  struct Part {
    std::int64_t first = 0, last = 0, scanned = 0;
    std::vector<SelectedPeriod> periods;
  };
  std::vector<Part> parts(threads);
  for (int i = 0; i < threads; ++i) {
    parts[i].first = first + total * i / threads;
    parts[i].last = first + total * (i + 1) / threads - 1;
  }
  std::atomic<std::int64_t> done{0};
  std::atomic<bool> stop{false};
  std::atomic<int> running{threads};
  std::mutex mutex;
  std::condition_variable finished;
  const auto run = [&](Part& part) {
    PeriodScanner(selection).Scan(part.first, part.last, part.periods, part.scanned, done, stop);
    std::lock_guard lock(mutex);
    --running;
    finished.notify_all();
  };

  if (threads == 1 && !progress) {
    run(parts[0]);
  } else {
    std::vector<std::thread> workers;
    for (Part& part : parts) workers.emplace_back(run, std::ref(part));
    std::unique_lock lock(mutex);
    while (running > 0) {
      finished.wait_for(lock, std::chrono::milliseconds(50));
      if (progress && running > 0 && !stop) {
        lock.unlock();
        if (!progress(static_cast<double>(done.load()) / static_cast<double>(total))) {
          stop = true;
          result.cancelled = true;
        }
        lock.lock();
      }
    }
    lock.unlock();
    for (std::thread& t : workers) t.join();
  }
  for (Part& part : parts) {
    result.scanned += part.scanned;
    for (SelectedPeriod& p : part.periods) {
      if (selection.limit != 0 && result.periods.size() >= selection.limit) break;
      result.periods.push_back(std::move(p));
    }
  }
  return result;
}

}  // namespace taiyi
