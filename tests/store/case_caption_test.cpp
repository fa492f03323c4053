#include "store/case_caption.h"

#include <gtest/gtest.h>

namespace taiyi {
namespace {

TRecordData Case(std::string name, int year, bool lunar, bool leap) {
  TRecordData r;
  r.name = std::move(name);
  r.year = static_cast<int16_t>(year);
  r.month = 5;
  r.day = 6;
  r.hour = 7;
  r.minute = 8;
  r.lunar = lunar;
  r.leapMonth = leap;
  return r;
}

TEST(CaseCaption, PaddedNameCalendarAndHistoricalYear) {
  const struct {
    TRecordData record;
    const char* caption;
  } cases[] = {
      {Case("张三", 2004, false, false), "张三      公2004-05-06 07:08"},
      {Case("abc", 2004, false, true), "abc       公2004-05-06 07:08"},  // leap only for lunar
      {Case("张三", 2004, true, true), "张三      农闰2004-05-06 07:08"},
      {Case("欧阳修文", 1007, true, false), "欧阳修文  农1007-05-06 07:08"},
      {Case("诸葛孔明先生", 181, false, false), "诸葛孔明先生  公0181-05-06 07:08"},
      {Case("x", -119, false, false), "x         公-120-05-06 07:08"},
      {Case("x", 0, false, false), "x         公-001-05-06 07:08"},
  };
  for (const auto& c : cases) EXPECT_EQ(CaseCaption(c.record), c.caption) << c.caption;
}

}  // namespace
}  // namespace taiyi
