#include "cli/case_json.h"

#include <cstdio>

#include "cli/json_fields.h"
#include "cli/user_years.h"
#include "store/case_caption.h"

namespace taiyi::cli {

void AddRequestJson(Json& j, const ChartRequest& r, MYiDateEx& dates) {
  YiDate civil = r.Date();
  if (r.lunar && !dates.LunarToSolar(r.Date(), civil, r.leapMonth)) {
    AddRequestJson(j, r, std::nullopt);
    return;
  }
  civil.hour = r.hour;
  civil.minute = r.minute;
  AddRequestJson(j, r, civil);
}

void AddRequestJson(Json& j, const ChartRequest& r, const std::optional<YiDate>& civil) {
  const YiDate typed = r.Date();
  j["kind"] = static_cast<int>(r.kind);
  j["name"] = r.name;
  j["date"] = DateText(typed);
  j["time"] = TimeText(typed);
  j["iso"] = civil ? Json(IsoMoment(*civil)) : Json(nullptr);
  j["lunar"] = r.lunar;
  j["leap"] = r.leapMonth;
  j["female"] = !r.male;
  j["place"] = r.place;
  j["lon"] = CoordinateValue(r.longitude);
  j["lat"] = CoordinateValue(r.latitude);
}

Json RequestJson(const ChartRequest& request, MYiDateEx& dates) {
  Json j;
  AddRequestJson(j, request, dates);
  return j;
}

Json CaseJson(const TRecordData& r, MYiDateEx& dates) {
  Json j;
  j["id"] = r.id;
  j["caption"] = CaseCaption(r);
  j["category"] = r.className;
  AddRequestJson(j, r, dates);
  j["provinceIndex"] = r.provinceIndex;
  j["cityIndex"] = r.cityIndex;
  j["extraPlaceIndex"] = r.extraPlaceIndex;
  j["remarkText"] = r.remarkText;
  j["commentFile"] = r.remarkFile;
  return j;
}

namespace {

// Reads one field; false with the message when it is missing or of another type.
template <typename T>
bool Field(const nlohmann::json& doc, const char* key, T& out, std::string& error) {
  const auto it = doc.find(key);
  bool ok = it != doc.end();
  if (ok) {
    if constexpr (std::is_same_v<T, std::string>)
      ok = it->is_string();
    else if constexpr (std::is_same_v<T, bool>)
      ok = it->is_boolean();
    else if constexpr (std::is_integral_v<T>)
      ok = it->is_number_integer();
    else
      ok = it->is_number();
  }
  if (!ok) {
    error = std::string("缺少或错误的字段: ") + key;
    return false;
  }
  out = it->get<T>();
  return true;
}

}  // namespace

bool CaseFromJson(const nlohmann::json& doc, TRecordData& r, std::string& error) {
  if (!doc.is_object()) {
    error = "不是有效的 JSON 对象";
    return false;
  }
  int kind = 0, year = 0, month = 0, day = 0, hour = 0, minute = 0;
  bool female = false;
  double lon = 0, lat = 0;
  std::string name, date, time, place;
  char extra = 0;
  if (!Field(doc, "category", r.className, error) || !Field(doc, "kind", kind, error) ||
      !Field(doc, "name", name, error) || !Field(doc, "date", date, error) ||
      !Field(doc, "time", time, error) || !Field(doc, "lunar", r.lunar, error) ||
      !Field(doc, "leap", r.leapMonth, error) || !Field(doc, "female", female, error) ||
      !Field(doc, "place", place, error) || !Field(doc, "provinceIndex", r.provinceIndex, error) ||
      !Field(doc, "cityIndex", r.cityIndex, error) || !Field(doc, "lon", lon, error) ||
      !Field(doc, "lat", lat, error) || !Field(doc, "remarkText", r.remarkText, error))
    return false;
  if (kind < 0 || kind >= kChartKindCount) {
    error = "kind 应为 0 到 4";
    return false;
  }
  const std::optional<int> stored =
      std::sscanf(date.c_str(), "%d-%d-%d%c", &year, &month, &day, &extra) == 3 ? StoredYear(year)
                                                                                : std::nullopt;
  if (!stored || month < 1 || month > 13 || day < 1 || day > 31) {
    error = "日期格式应为 YYYY-MM-DD: " + date;
    return false;
  }
  if (std::sscanf(time.c_str(), "%d:%d%c", &hour, &minute, &extra) != 2 || hour < 0 || hour > 23 ||
      minute < 0 || minute > 59) {
    error = "时间格式应为 HH:MM: " + time;
    return false;
  }
  r.kind = static_cast<ChartKind>(kind);
  r.SetName(name);
  r.SetDate(YiDate{static_cast<int16_t>(*stored), static_cast<int16_t>(month),
                   static_cast<int16_t>(day), static_cast<int16_t>(hour),
                   static_cast<int16_t>(minute)});
  r.male = !female;
  r.SetPlace(place);
  r.longitude = static_cast<float>(lon);
  r.latitude = static_cast<float>(lat);
  const auto extraIt = doc.find("extraPlaceIndex");
  if (extraIt != doc.end()) {
    if (!extraIt->is_array() || extraIt->size() != r.extraPlaceIndex.size()) {
      error = "extraPlaceIndex 应为 5 个整数";
      return false;
    }
    for (std::size_t i = 0; i < r.extraPlaceIndex.size(); ++i) {
      if (!(*extraIt)[i].is_number_integer()) {
        error = "extraPlaceIndex 应为 5 个整数";
        return false;
      }
      r.extraPlaceIndex[i] = (*extraIt)[i].get<std::int32_t>();
    }
  }
  return true;
}

}  // namespace taiyi::cli
