// The JSON of a chart request and of a stored case: the keys of the chart options (kind,
// name, date, time, lunar, leap, female, lon, lat) with the place text and the civil moment
// in ISO 8601, and for a case its id, category, caption and comment-file fields.
#pragma once

#include <optional>

#include "calendar/date_service.h"
#include "chart/chart_request.h"
#include "cli/json_output.h"
#include "store/record_data.h"

namespace taiyi::cli {

// Adds the request's keys to j.  "iso" is the civil moment (a lunar date converted; null
// when the lunar date does not exist).
void AddRequestJson(Json& j, const ChartRequest& request, MYiDateEx& dates);
// The same with the civil moment known (a chart's clock moment); nullopt writes null.
void AddRequestJson(Json& j, const ChartRequest& request, const std::optional<YiDate>& civil);
Json RequestJson(const ChartRequest& request, MYiDateEx& dates);

// Every stored field of a case (without the comment file's contents).
Json CaseJson(const TRecordData& record, MYiDateEx& dates);

// The stored fields of a case document as CaseJson writes them (id, caption, iso and
// commentFile are not read: a loaded case gets its own).  False with the message when a
// field is missing or malformed.
bool CaseFromJson(const nlohmann::json& doc, TRecordData& record, std::string& error);

}  // namespace taiyi::cli
