// Any bytes as a comment file: reading never crashes, and what the writer makes of what was
// read reads back to the same plain text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "store/rtf_document.h"
#include "store/rtf_reader.h"
#include "store/rtf_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  taiyi::RtfDocument doc;
  if (taiyi::ReadRtf(bytes, doc)) {
    const std::string written = taiyi::WriteRtf(doc);
    taiyi::RtfDocument again;
    if (!taiyi::ReadRtf(written, again)) std::abort();
    if (again.PlainText() != doc.PlainText()) std::abort();
  }
  (void)taiyi::RtfPlainText(bytes);
  return 0;
}
