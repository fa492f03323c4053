// Any bytes as GBK or UTF-8 text: conversions and cuts never crash, a cut never splits a
// character and stays within its byte count, and cleaning a name gives valid UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/clean_name.h"
#include "platform/gbk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string utf8 = taiyi::IsValidUtf8(bytes) ? bytes : taiyi::GbkToUtf8(bytes);
  if (!taiyi::IsValidUtf8(utf8)) std::abort();
  const std::string cut = taiyi::CutToGbkBytes(utf8, 20);
  if (taiyi::GbkLength(cut) > 20 || !taiyi::IsValidUtf8(cut)) std::abort();
  if (utf8.compare(0, cut.size(), cut) != 0) std::abort();
  const taiyi::CleanedName name = taiyi::CleanName(utf8, 10);
  if (!taiyi::IsValidUtf8(name.text)) std::abort();
  (void)taiyi::Utf8ToGbk(utf8);
  return 0;
}
