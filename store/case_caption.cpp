#include "store/case_caption.h"

#include <cstdio>

#include "calendar/typed_years.h"
#include "platform/gbk.h"

namespace taiyi {

std::string CaseCaption(const TRecordData& r) {
  std::string caption = r.name;
  std::size_t columns = 0;
  for (std::size_t i = 0; i < r.name.size(); i += Utf8CharLength(r.name, i))
    columns += static_cast<unsigned char>(r.name[i]) < 0x80 ? 1 : 2;
  for (; columns < 8; ++columns) caption += ' ';
  caption += r.lunar ? "  农" : "  公";
  if (r.lunar && r.leapMonth) caption += "闰";
  const int year = TypedYearOf(r.year);
  char moment[48];
  std::snprintf(moment, sizeof moment, "%04d-%02d-%02d %02d:%02d", year, r.month, r.day, r.hour,
                r.minute);
  return caption + moment;
}

}  // namespace taiyi
