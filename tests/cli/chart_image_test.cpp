#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/file_util.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

// Width and height from a PNG file's IHDR chunk; 0 × 0 when it is no PNG.
std::pair<int, int> PngSize(const std::string& path) {
  std::string bytes;
  if (!ReadFile(path, bytes) || bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {};
  auto be32 = [&](std::size_t at) {
    int v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return v;
  };
  return {be32(16), be32(20)};
}

TEST(ChartImageCommand, DrawsEveryFormatOffscreenAtTheChosenSize) {
  test::TempDir dir;
  const std::string base = "--data-dir " + dir.path() + " chart --date 1980-05-06 --time 10:30";
  // No display is needed: the command picks the offscreen platform itself.
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const std::string saved = platform != nullptr ? platform : "offscreen";
  setenv("QT_QPA_PLATFORM", "", 1);
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  const test::CliResult run =
      test::RunCli(base + " --flow 年 --flow-date 2004-06-01 --png " + dir.file("a.png") +
                   " --jpg " + dir.file("a.jpg") + " --bmp " + dir.file("a.bmp"));
  setenv("QT_QPA_PLATFORM", saved.c_str(), 1);
  ASSERT_EQ(run.code, 0) << run.out;
  const auto [w12, h12] = PngSize(dir.file("a.png"));
  EXPECT_NEAR(w12, 960, 60);  // sixty 16-pixel characters
  EXPECT_EQ(h12, static_cast<int>(0.72f * w12));
  std::string jpg, bmp;
  ASSERT_TRUE(ReadFile(dir.file("a.jpg"), jpg));
  ASSERT_TRUE(ReadFile(dir.file("a.bmp"), bmp));
  EXPECT_EQ(jpg.substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(bmp.substr(0, 2), "BM");

  ASSERT_EQ(test::RunCli(base + " --font-size 24 --png " + dir.file("b.png")).code, 0);
  EXPECT_EQ(PngSize(dir.file("b.png")).first, 2 * w12);

  EXPECT_EQ(test::RunCli(base + " --font-size 26 --png " + dir.file("c.png")).code, 2);
  const test::CliResult bad = test::RunCli(base + " --png " + dir.file("missing/c.png"));
  EXPECT_EQ(bad.code, 1);
  EXPECT_NE(bad.out.find("无法写入文件："), std::string::npos) << bad.out;
}

}  // namespace
}  // namespace taiyi
