// Any 152 bytes as a record of the old release's case file: taking it apart and cleaning it
// never crashes, the cleaned name fits the name field, and the case's texts survive the trip
// through the store's columns.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/gbk.h"
#include "store/old_case_record.h"
#include "store/record_base.h"
#include "store/record_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  bytes.resize(taiyi::kOldCaseRecordSize, '\0');
  const taiyi::OldCaseRecord old = taiyi::ParseOldCaseRecord(bytes);
  taiyi::TRecordData record;
  record.SetName(old.name);
  record.SetPlace(old.place);
  record.className = old.category;
  record.remarkFile = old.commentStem;
  record.year = old.year;
  record.month = old.month;
  taiyi::CleanOldRecord(record, "/nonexistent/");
  if (taiyi::GbkLength(record.name) > taiyi::ChartRequest::kNameMaxGbkBytes) std::abort();
  std::vector<std::string> texts;
  for (const taiyi::SqlValue& v : taiyi::CaseToValues(record)) texts.push_back(v.ToText());
  const taiyi::TRecordData back = taiyi::ValuesToCase(texts);
  if (back.name != record.name || back.place != record.place || back.year != record.year)
    std::abort();
  return 0;
}
