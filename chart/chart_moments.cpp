#include "calendar/date_service.h"
#include "chart/chart_request.h"

namespace taiyi {

namespace {
bool YearInRange(int year) { return year >= -4712 && year <= 9999; }
}  // namespace

ResolvedMoments ResolveMoments(const ChartRequest& request, const ChartSettings& settings,
                               MYiDateEx& dates) {
  ResolvedMoments out;
  YiDate solar = request.Date();
  if (request.lunar) {
    std::string message;
    if (!dates.LunarToSolar(request.Date(), solar, request.leapMonth, &message)) {
      out.error = message.empty() ? std::string(kNoSuchLunarDateMessage) : message;
      return out;
    }
    if (!YearInRange(solar.year)) {
      out.error = kYearOutOfRange;
      return out;
    }
  } else if (!dates.IsValidSolarDate(solar)) {
    out.error = kNoSuchDate;
    return out;
  }
  ChartMoments& m = out.moments;
  m.clockMoment = solar;
  m.clockJulianDay = dates.ToJulianDay(solar);
  m.correctedMoment = solar;
  if (settings.iDate != 0) dates.CorrectTime(request.longitude, m.correctedMoment, settings.iDate);
  YiDate day = m.correctedMoment;
  if (day.hour == 23) dates.NextDay(day);
  if (!YearInRange(day.year)) {
    out.error = kYearOutOfRange;
    return out;
  }
  m.lunarLeap = dates.SolarToLunar(day, m.lunarDate);
  out.ok = true;
  return out;
}

ResolvedMoments ResolveMoments(const ChartRequest& request, const ChartSettings& settings) {
  MYiDateEx dates;
  return ResolveMoments(request, settings, dates);
}

}  // namespace taiyi
