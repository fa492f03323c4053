// The one-line caption of a case in the case tree and in listings: the name padded to eight
// columns, 农 or 公 (with 闰 for a leap month) and the moment.
#pragma once

#include <string>

#include "store/record_data.h"

namespace taiyi {

// "张三      公2004-05-06 07:08": a Chinese character counts two columns, any other one;
// the year in historical numbering (no year 0: the stored −119 reads −120) as "%04d".
std::string CaseCaption(const TRecordData& record);

}  // namespace taiyi
