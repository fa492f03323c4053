// Any text as a places-file value: parsing never crashes, an accepted value lies in the
// ranges the places editor accepts, and the editor's split never crashes either.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "chart/places.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view value(reinterpret_cast<const char*>(data), size);
  taiyi::Coordinates c;
  if (taiyi::ParseCoordinates(value, c)) {
    if (!(c.longitude > -180 && c.longitude < 181 && c.latitude > -90 && c.latitude < 91))
      std::abort();
  }
  (void)taiyi::SplitCoordinates(value);
  return 0;
}
