#include "store/record_data.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>

#include "platform/ini_file.h"
#include "store/record_values.h"

namespace taiyi {

namespace {

// A whole-text integer (decimal, or 0x hexadecimal) that fits T, else def.
template <typename T>
T NumberOr(const std::string* text, T def) {
  int value = 0;
  if (!text || !ParseIniInteger(*text, value)) return def;
  if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max()) return def;
  return static_cast<T>(value);
}

float DecimalOr(const std::string* text, float def) {
  if (!text || text->empty()) return def;
  double value = 0;
  const char* end = text->data() + text->size();
  const auto [ptr, ec] = std::from_chars(text->data(), end, value);
  if (ec != std::errc() || ptr != end) return def;
  return static_cast<float>(value);
}

const std::string* Item(const std::vector<std::string>& items, std::size_t i) {
  return i < items.size() ? &items[i] : nullptr;
}

std::string Format(const char* format, double a, double b) {
  char buf[128];
  std::snprintf(buf, sizeof buf, format, a, b);
  return buf;
}

}  // namespace

std::vector<SqlValue> CaseToValues(const TRecordData& r) {
  const std::string sep(kSeparator);
  std::string dateNum = std::to_string(r.month) + sep + std::to_string(r.day) + sep +
                        std::to_string(r.hour) + sep + std::to_string(r.minute);
  std::string dateStyle = std::string(r.lunar ? "1" : "0") + sep + (r.leapMonth ? "1" : "0");
  std::string addrInd = std::to_string(r.provinceIndex) + sep + std::to_string(r.cityIndex);
  for (std::int32_t extra : r.extraPlaceIndex) {
    if (extra == -1) break;
    addrInd += sep + std::to_string(extra);
  }
  std::string addrNum =
      Format("%1.6f %1.6f", static_cast<double>(r.longitude), static_cast<double>(r.latitude)) +
      sep + "8";
  return {
      SqlValue::Integer(r.id),
      SqlValue::Text(r.name),
      SqlValue::Integer(r.male ? 1 : 0),
      SqlValue::Text(r.className),
      SqlValue::Integer(r.year),
      SqlValue::Text(std::move(dateNum)),
      SqlValue::Text(std::move(dateStyle)),
      SqlValue::Text(std::move(addrInd)),
      SqlValue::Text(r.place),
      SqlValue::Text(std::move(addrNum)),
      SqlValue::Text(r.remarkFile),
      SqlValue::Text(std::to_string(static_cast<int>(r.kind))),
      SqlValue::Text(" "),
      SqlValue::Text(r.remarkText),
  };
}

TRecordData ValuesToCase(const std::vector<std::string>& values) {
  static const std::string kEmpty;
  auto column = [&](int c) -> const std::string& {
    return static_cast<std::size_t>(c) < values.size() ? values[c] : kEmpty;
  };
  TRecordData r;

  const std::string& id = column(kColId);
  r.id = id.empty() ? 0 : NumberOr<std::int32_t>(&id, 0);

  r.SetName(column(kColName));

  const std::string& sex = column(kColSex);
  r.male = sex.empty() || NumberOr<int>(&sex, 1) == 1;

  r.className = column(kColClassName).empty() ? kFallbackCategory : column(kColClassName);

  const std::string& year = column(kColDateY);
  r.year = year.empty() ? 1900 : NumberOr<std::int16_t>(&year, 1900);

  const auto date = SplitBySpace(column(kColDateNum));
  r.month = NumberOr<std::int16_t>(Item(date, 0), 1);
  r.day = NumberOr<std::int16_t>(Item(date, 1), 1);
  r.hour = NumberOr<std::int16_t>(Item(date, 2), 1);
  r.minute = NumberOr<std::int16_t>(Item(date, 3), 1);

  const std::string& style = column(kColDateStyle);
  if (style.empty()) {
    r.lunar = r.leapMonth = false;
  } else {
    const auto flags = SplitBySpace(style);
    r.lunar = NumberOr<int>(Item(flags, 0), 1) == 1;
    r.leapMonth = NumberOr<int>(Item(flags, 1), 1) == 1;
  }

  r.provinceIndex = 0;
  r.cityIndex = 0;
  if (!column(kColAddrInd).empty()) {
    const auto places = SplitBySpace(column(kColAddrInd));
    r.provinceIndex = NumberOr<std::int16_t>(Item(places, 0), 0);
    r.cityIndex = NumberOr<std::int16_t>(Item(places, 1), 0);
    for (std::size_t i = 0; i < r.extraPlaceIndex.size(); ++i)
      r.extraPlaceIndex[i] = NumberOr<std::int32_t>(Item(places, i + 2), -1);
  }

  r.SetPlace(column(kColAddrName));

  if (column(kColAddrNum).empty()) {
    r.longitude = 120;
    r.latitude = 30;
  } else {
    const auto coordinates = SplitBySpace(column(kColAddrNum));
    r.longitude = DecimalOr(Item(coordinates, 0), 120);
    r.latitude = DecimalOr(Item(coordinates, 1), 30);
  }

  r.remarkFile = column(kColRemarkFile).empty() ? " " : column(kColRemarkFile);

  // A kind is 0..4 whatever the column holds; a negative number wraps into that range too.
  const std::string& kind = column(kColTag1);
  const int k = kind.empty() ? 0 : NumberOr<int>(&kind, 0);
  r.kind = static_cast<ChartKind>(((k % kChartKindCount) + kChartKindCount) % kChartKindCount);

  r.remarkText = column(kColRemarkText).empty() ? kEmptyComment : column(kColRemarkText);
  return r;
}

std::string RemoveApostrophes(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\''), text.end());
  return text;
}

}  // namespace taiyi
