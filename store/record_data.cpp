#include "store/record_data.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <limits>
#include <optional>
#include <string_view>

#include "platform/ini_file.h"
#include "store/record_values.h"

namespace taiyi {

namespace {

// A whole-text integer (decimal, or 0x hexadecimal) that fits T, else def.
template <typename T>
T NumberOr(std::optional<std::string_view> text, T def) {
  int value = 0;
  if (!text || !ParseIniInteger(*text, value)) return def;
  if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max()) return def;
  return static_cast<T>(value);
}

float DecimalOr(std::optional<std::string_view> text, float def) {
  if (!text || text->empty()) return def;
  double value = 0;
  const char* end = text->data() + text->size();
  const auto [ptr, ec] = std::from_chars(text->data(), end, value);
  if (ec != std::errc() || ptr != end) return def;
  return static_cast<float>(value);
}

// The first items of a list column, split as SplitBySpace splits, without copying: no
// column holds more than seven items that are read.
class Items {
 public:
  explicit Items(std::string_view text) {
    for (std::size_t space = text.find(' ');
         space != std::string_view::npos && space > 0 && count_ < at_.size();
         space = text.find(' ')) {
      at_[count_++] = text.substr(0, space);
      text.remove_prefix(space + 1);
    }
    if (!text.empty() && count_ < at_.size()) at_[count_++] = text;
  }
  std::optional<std::string_view> operator[](std::size_t i) const {
    if (i < count_) return at_[i];
    return std::nullopt;
  }

 private:
  std::array<std::string_view, 8> at_{};
  std::size_t count_ = 0;
};

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
  std::array<std::string_view, kCaseColumnCount> views{};
  for (std::size_t c = 0; c < views.size() && c < values.size(); ++c) views[c] = values[c];
  return ColumnViewsToCase(views);
}

TRecordData ColumnViewsToCase(const std::array<std::string_view, kCaseColumnCount>& values) {
  auto column = [&](int c) { return values[c]; };
  TRecordData r;

  const std::string_view id = column(kColId);
  r.id = id.empty() ? 0 : NumberOr<std::int32_t>(id, 0);

  r.SetName(column(kColName));

  const std::string_view sex = column(kColSex);
  r.male = sex.empty() || NumberOr<int>(sex, 1) == 1;

  r.className =
      column(kColClassName).empty() ? std::string_view(kFallbackCategory) : column(kColClassName);

  const std::string_view year = column(kColDateY);
  r.year = year.empty() ? 1900 : NumberOr<std::int16_t>(year, 1900);

  const Items date(column(kColDateNum));
  r.month = NumberOr<std::int16_t>(date[0], 1);
  r.day = NumberOr<std::int16_t>(date[1], 1);
  r.hour = NumberOr<std::int16_t>(date[2], 1);
  r.minute = NumberOr<std::int16_t>(date[3], 1);

  const std::string_view style = column(kColDateStyle);
  if (style.empty()) {
    r.lunar = r.leapMonth = false;
  } else {
    const Items flags(style);
    r.lunar = NumberOr<int>(flags[0], 1) == 1;
    r.leapMonth = NumberOr<int>(flags[1], 1) == 1;
  }

  r.provinceIndex = 0;
  r.cityIndex = 0;
  if (!column(kColAddrInd).empty()) {
    const Items places(column(kColAddrInd));
    r.provinceIndex = NumberOr<std::int16_t>(places[0], 0);
    r.cityIndex = NumberOr<std::int16_t>(places[1], 0);
    for (std::size_t i = 0; i < r.extraPlaceIndex.size(); ++i)
      r.extraPlaceIndex[i] = NumberOr<std::int32_t>(places[i + 2], -1);
  }

  r.SetPlace(column(kColAddrName));

  if (column(kColAddrNum).empty()) {
    r.longitude = 120;
    r.latitude = 30;
  } else {
    const Items coordinates(column(kColAddrNum));
    r.longitude = DecimalOr(coordinates[0], 120);
    r.latitude = DecimalOr(coordinates[1], 30);
  }

  r.remarkFile = column(kColRemarkFile).empty() ? std::string_view(" ") : column(kColRemarkFile);

  // A kind is 0..4 whatever the column holds; a negative number wraps into that range too.
  const std::string_view kind = column(kColTag1);
  const int k = kind.empty() ? 0 : NumberOr<int>(kind, 0);
  r.kind = static_cast<ChartKind>(((k % kChartKindCount) + kChartKindCount) % kChartKindCount);

  r.remarkText =
      column(kColRemarkText).empty() ? std::string_view(kEmptyComment) : column(kColRemarkText);
  return r;
}

std::string RemoveApostrophes(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\''), text.end());
  return text;
}

}  // namespace taiyi
