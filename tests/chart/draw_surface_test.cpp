#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>

#include "chart/draw/chart_image_file.h"
#include "chart/draw/image_plus.h"
#include "chart/draw/recording_surface.h"
#include "support/gui_app.h"

namespace taiyi {
namespace {

class DrawSurfaceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureGuiApp(); }
};

TEST_F(DrawSurfaceTest, ColoursAreBgrWithRedLowest) {
  const QColor c = ToQColor(0x00332211);
  EXPECT_EQ(c.red(), 0x11);
  EXPECT_EQ(c.green(), 0x22);
  EXPECT_EQ(c.blue(), 0x33);
  EXPECT_EQ(c.alpha(), 255);
}

TEST_F(DrawSurfaceTest, SongFaceResolvesToInstalledSerifCjk) {
  QFont font(ResolveFontFamily("宋体"));
  EXPECT_TRUE(QFontInfo(font).family().contains("CJK")) << QFontInfo(font).family().toStdString();
}

TEST_F(DrawSurfaceTest, EllipseFillCoversInnerHalfOfOutline) {
  QImage image(60, 60, QImage::Format_RGB32);
  image.fill(Qt::white);
  MImagePlus surface;
  ASSERT_TRUE(surface.IsUsable());
  ASSERT_TRUE(surface.Bind(&image));
  surface.SetPenColor(MakeColour(255, 0, 0));
  surface.SetPenWidth(6);
  surface.SetFillColor(MakeColour(0, 0, 255));
  surface.DrawEllipse(10, 10, 49, 49);  // box 40 × 40, centre (30, 30), radius 20
  surface.Release();
  // Outer half of the outline (radius 21..23) red, inner half (17..19) blue, centre blue.
  EXPECT_EQ(QColor(image.pixel(30, 30 + 22)).red(), 255);
  EXPECT_EQ(QColor(image.pixel(30, 30 + 18)).blue(), 255);
  EXPECT_EQ(QColor(image.pixel(30, 30 + 18)).red(), 0);
  EXPECT_EQ(QColor(image.pixel(30, 30)).blue(), 255);
}

TEST_F(DrawSurfaceTest, TextMeasuresAndDrawsChinese) {
  QImage image(200, 60, QImage::Format_RGB32);
  image.fill(Qt::white);
  MImagePlus surface;
  ASSERT_TRUE(surface.Bind(&image));
  surface.SetBold(true);
  const float typographic = surface.TextWidth("国", false);
  const float plain = surface.TextWidth("国", true);
  EXPECT_NEAR(typographic, 16.0f, 1.0f);  // 12 points at 96 dpi is a 16-pixel em
  EXPECT_GT(plain, typographic);
  EXPECT_FLOAT_EQ(surface.LastMeasuredBox().width, plain);
  surface.SetFontSize(24);
  EXPECT_NEAR(surface.TextWidth("国国", false), 64.0f, 2.0f);
  surface.DrawText(0, 0, "国", false);
  surface.Release();
  int dark = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) dark += QColor(image.pixel(x, y)).red() < 100;
  EXPECT_GT(dark, 60);  // a glyph was painted, not an empty box outline
}

TEST_F(DrawSurfaceTest, UnboundSurfaceIgnoresDrawing) {
  MImagePlus surface;
  surface.DrawLine(0, 0, 10, 10);
  surface.DrawText(0, 0, "国", false);
  QImage null;
  EXPECT_FALSE(surface.Bind(&null));
  EXPECT_FALSE(surface.IsBound());
}

TEST_F(DrawSurfaceTest, RecorderKeepsStateAndRestartsOnBind) {
  RecordingSurface rec(100, 80);
  rec.SetPenColor(MakeColour(128, 128, 128));
  const float dash[] = {4, 2};
  rec.SetPenDash(dash, 2);
  rec.DrawLine(1, 2, 3, 4);
  const float bad[] = {4, -1};
  rec.SetPenDash(bad, 2);
  rec.SetFill(false);
  rec.DrawEllipse(0, 0, 9, 9);
  rec.SetTextColor(MakeColour(255, 0, 0));
  rec.DrawText(5, 6, "子", true);
  ASSERT_EQ(rec.Primitives().size(), 3u);
  EXPECT_EQ(rec.Primitives()[0].dash, (std::vector<float>{4, 2}));
  EXPECT_EQ(rec.Primitives()[0].penColour, 0x00808080u);
  EXPECT_TRUE(rec.Primitives()[1].dash.empty());
  EXPECT_FALSE(rec.Primitives()[1].fill);
  ASSERT_EQ(rec.TextsEqual("子").size(), 1u);
  EXPECT_EQ(rec.TextsEqual("子")[0].textColour, 0x000000FFu);
  EXPECT_FLOAT_EQ(rec.TextWidth("国a", false), 16.0f + 8.0f);
  rec.Bind(50, 50);
  EXPECT_TRUE(rec.Primitives().empty());
  rec.DrawLine(0, 0, 1, 1);
  EXPECT_TRUE(rec.Primitives()[0].dash.empty());
  EXPECT_TRUE(rec.Primitives()[0].fill);
}

TEST_F(DrawSurfaceTest, ChartImageSavesByExtensionAndBackgroundDecodes) {
  RgbImage picture;
  std::string error;
  ASSERT_TRUE(ReadJpeg(TAIYI_TEST_DATA_DIR "/../../dat/oldbk.jpg", picture, error)) << error;
  EXPECT_GT(picture.width, 100);
  QImage image(64, 48, QImage::Format_RGB32);
  image.fill(QColor(200, 100, 50));
  const std::string dir = ::testing::TempDir();
  for (const char* name : {"c.jpg", "c.PNG", "c.bmp"}) {
    ASSERT_TRUE(SaveChartImage(image, dir + name, error)) << name << ": " << error;
    QImage back(QString::fromStdString(dir + name));
    ASSERT_EQ(back.size(), image.size()) << name;
    EXPECT_NEAR(QColor(back.pixel(10, 10)).red(), 200, 4) << name;
  }
  EXPECT_FALSE(SaveChartImage(image, dir + "c.gif", error));
  EXPECT_FALSE(SaveChartImage(image, dir + "missing/dir/c.png", error));
}

}  // namespace
}  // namespace taiyi
