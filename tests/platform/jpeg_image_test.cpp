#include "platform/jpeg_image.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/file_util.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

TEST(JpegImage, WritesAndReadsBackAGradient) {
  test::TempDir dir;
  RgbImage image{64, 32, {}};
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      image.pixels.push_back(static_cast<std::uint8_t>(x * 4));
      image.pixels.push_back(static_cast<std::uint8_t>(y * 8));
      image.pixels.push_back(128);
    }
  std::string error;
  ASSERT_TRUE(WriteJpeg(dir.file("a.jpg"), image, 90, error)) << error;
  RgbImage back;
  ASSERT_TRUE(ReadJpeg(dir.file("a.jpg"), back, error)) << error;
  ASSERT_EQ(back.width, 64);
  ASSERT_EQ(back.height, 32);
  int worst = 0;
  for (std::size_t i = 0; i < back.pixels.size(); ++i)
    worst = std::max(worst, std::abs(int(back.pixels[i]) - int(image.pixels[i])));
  EXPECT_LE(worst, 12);  // quality 90 keeps a smooth gradient close
}

TEST(JpegImage, BrokenInputIsAnErrorNotACrash) {
  test::TempDir dir;
  RgbImage image;
  std::string error;
  EXPECT_FALSE(ReadJpeg(dir.file("missing.jpg"), image, error));
  EXPECT_FALSE(error.empty());
  for (const std::string& bytes : {std::string("not a jpeg"), std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10)}) {
    error.clear();
    EXPECT_FALSE(DecodeJpeg(bytes, image, error));
    EXPECT_FALSE(error.empty());
  }
  EXPECT_FALSE(WriteJpeg(dir.file("b.jpg"), RgbImage{}, 90, error));
}

}  // namespace
}  // namespace taiyi
