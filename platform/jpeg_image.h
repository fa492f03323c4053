// JPEG files through libjpeg: decoding a picture into 8-bit RGB rows and encoding RGB rows
// at a given quality.  Used for the chart's background picture and for saving charts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace taiyi {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // width * height * 3 bytes, rows top to bottom, R G B
};

// False with a message (never a crash) when the file is missing or not a readable JPEG.
bool ReadJpeg(const std::string& path, RgbImage& image, std::string& error);
bool DecodeJpeg(const std::string& bytes, RgbImage& image, std::string& error);

// Writes atomically (temporary file, then rename).  quality 1..100.
bool WriteJpeg(const std::string& path, const RgbImage& image, int quality, std::string& error);

}  // namespace taiyi
