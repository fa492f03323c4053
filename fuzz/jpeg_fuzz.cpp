// Any bytes as the background picture: decoding fails with a message or gives an image whose
// pixel buffer matches its size, never a crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/jpeg_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  taiyi::RgbImage image;
  std::string error;
  if (taiyi::DecodeJpeg(std::string(reinterpret_cast<const char*>(data), size), image, error)) {
    if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3)
      std::abort();
  } else if (error.empty()) {
    std::abort();
  }
  return 0;
}
