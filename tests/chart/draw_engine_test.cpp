#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <string>

#include "chart/draw/taiyi_num.h"
#include "platform/file_util.h"
#include "platform/rich_text_sink.h"
#include "support/gui_app.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

class TaiYiNumTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureGuiApp(); }
  void SetUp() override {
    folder.root = dir.path();
    ASSERT_TRUE(CreateDirs(folder.Dat()));
  }
  void WriteSetIni(const std::string& text) {
    ASSERT_TRUE(WriteFileAtomic(folder.Dat() + "set.ini", text));
  }
  static ChartRequest Request(ChartKind kind, YiDate date = {1980, 5, 6, 10, 30}) {
    ChartRequest r;
    r.kind = kind;
    r.SetName("张三");
    r.SetDate(date);
    return r;
  }

  test::TempDir dir;
  AppFolder folder;
  RichTextRecorder editor;
  QImage image;
};

TEST_F(TaiYiNumTest, AttachSizesTheImageFromTheFontSizeSetting) {
  WriteSetIni("[chart]\r\nfontSize=9\r\n");
  MTaiYiNum engine(folder);
  engine.Attach(&editor, &image);
  EXPECT_EQ(engine.FontSize(), 9);
  EXPECT_EQ(image.width(), engine.Geometry().width);
  EXPECT_EQ(image.height(), static_cast<int>(0.72f * image.width()));
  EXPECT_NEAR(image.width(), 720, 40);  // 60 widths of a 12-pixel "国"
}

TEST_F(TaiYiNumTest, ZoomRefusesBeyondTheLimitsWithoutTouchingTheFile) {
  struct Case {
    int size, step;
  };
  for (const Case c : {Case{25, +1}, Case{9, -1}}) {
    const std::string ini = "[chart]\r\nfontSize=" + std::to_string(c.size) + "\r\n";
    WriteSetIni(ini);
    MTaiYiNum engine(folder);
    engine.Attach(&editor, &image);
    const QImage before = image;
    EXPECT_FALSE(engine.Zoom(c.step)) << c.size;
    std::string bytes;
    ASSERT_TRUE(ReadFile(folder.Dat() + "set.ini", bytes));
    EXPECT_EQ(bytes, ini);
    EXPECT_EQ(engine.FontSize(), c.size);
    EXPECT_EQ(image, before);
    // The other way the step is taken, the image resized and the setting written.
    EXPECT_TRUE(engine.Zoom(-c.step));
    EXPECT_EQ(ReadChartFontSize(folder.Dat() + "set.ini"), c.size - c.step);
    EXPECT_EQ(image.width(), engine.Geometry().width);
    EXPECT_NE(image.width(), before.width());
  }
}

TEST_F(TaiYiNumTest, FailedChartLeavesImageAndEditorAsTheyWere) {
  MTaiYiNum engine(folder);
  engine.Attach(&editor, &image);
  ASSERT_TRUE(engine.MakeChart(Request(ChartKind::kLife))) << engine.LastError();
  EXPECT_TRUE(editor.CaretAtStart());
  ASSERT_FALSE(editor.Paragraphs().empty());
  EXPECT_NE(editor.PlainText().find("【星盘分析】"), std::string::npos);
  const QImage before = image;
  const auto paragraphs = editor.Paragraphs();

  EXPECT_FALSE(engine.MakeChart(Request(ChartKind::kDay, {1582, 10, 10, 12, 0})));
  EXPECT_EQ(engine.LastError(), kNoSuchDate);
  EXPECT_EQ(image, before);
  EXPECT_EQ(editor.Paragraphs(), paragraphs);
  EXPECT_EQ(engine.ClockJulianDay(), 0);  // the chart state is zeroed
  EXPECT_FALSE(engine.MakeFlowChart(2451545.0, 1, true));
}

TEST_F(TaiYiNumTest, SecondChartOfAnotherKindKeepsNothingOfTheFirst) {
  MTaiYiNum engine(folder);
  engine.Attach(&editor, &image);
  ASSERT_TRUE(engine.MakeChart(Request(ChartKind::kLife)));
  ASSERT_TRUE(engine.MakeFlowChart(engine.ClockJulianDay() + 9000 + 3.0 / 86400, 1, true))
      << engine.LastError();
  EXPECT_TRUE(engine.FlowShown());
  for (const PositionList& list : engine.Flow().positions)
    EXPECT_EQ(std::count(list.begin(), list.end(), kFlowMarker), 1);

  ASSERT_TRUE(engine.MakeChart(Request(ChartKind::kHour, {2024, 8, 15, 15, 20})));
  EXPECT_FALSE(engine.FlowShown());
  EXPECT_FALSE(engine.Chart().birth.has_value());
  MYiDateEx dates;
  const ChartResult alone =
      ComputeChart(Request(ChartKind::kHour, {2024, 8, 15, 15, 20}), ChartSettings{}, dates);
  ASSERT_TRUE(alone.ok);
  EXPECT_EQ(engine.Chart().positions, alone.chart.positions);
  EXPECT_EQ(engine.Chart().natal, alone.chart.positions);
  std::uint8_t pillars[4];
  engine.GetPillars(pillars);
  const Pillars& p = alone.chart.pillars.pillars;
  EXPECT_EQ((std::vector<int>{pillars[0], pillars[1], pillars[2], pillars[3]}),
            (std::vector<int>{p.year, p.month, p.day, p.hour}));
  EXPECT_DOUBLE_EQ(engine.ClockJulianDay(), alone.chart.moments.clockJulianDay);
}

TEST_F(TaiYiNumTest, FlowFailureKeepsThePreviousDrawing) {
  MTaiYiNum engine(folder);
  engine.Attach(&editor, &image);
  ASSERT_TRUE(engine.MakeChart(Request(ChartKind::kLife)));
  const QImage before = image;
  EXPECT_FALSE(engine.MakeFlowChart(engine.ClockJulianDay() - 1, 1, true));
  EXPECT_EQ(engine.LastError(), kFlowRangeMessage);
  EXPECT_EQ(image, before);
  EXPECT_FALSE(engine.FlowShown());
  // Computed but not drawn.
  EXPECT_TRUE(engine.MakeFlowChart(engine.ClockJulianDay() + 400, 2, false));
  EXPECT_EQ(image, before);
  EXPECT_TRUE(engine.MakeFlowChart(engine.ClockJulianDay() + 400, 2, true));
  EXPECT_NE(image, before);
}

// On a screen of device pixel ratio 2 the chart is drawn again with twice the pixels, the
// antique background stretched over all of it; the image that is saved and printed keeps its
// size, and an image cleared since the chart was drawn shows as it is.
TEST_F(TaiYiNumTest, TheDisplayImageIsDrawnAtTheScreensPixelRatio) {
  ASSERT_TRUE(
      CopyFile(std::string(TAIYI_SOURCE_DAT_DIR) + "/oldbk.jpg", folder.Dat() + "oldbk.jpg", true));
  MTaiYiNum engine(folder);
  engine.Attach(&editor, &image);
  ASSERT_TRUE(engine.MakeChart(Request(ChartKind::kLife)));
  ASSERT_TRUE(engine.MakeFlowChart(engine.ClockJulianDay() + 4000, 1, true));
  const QImage saved = image;
  const QImage sharp = engine.DisplayImage(2.0).convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(image, saved);
  EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
  EXPECT_EQ(sharp.size(), image.size() * 2);
  EXPECT_EQ(sharp.deviceIndependentSize().toSize(), image.size());

  // Drawn again, not enlarged: neighbouring pixels of a pair differ along every edge ...
  int split = 0;
  for (int y = 0; y < sharp.height(); ++y)
    for (int x = 0; x + 1 < sharp.width(); x += 2)
      split += sharp.pixel(x, y) != sharp.pixel(x + 1, y);
  EXPECT_GT(split, 1000);
  // ... and shrunk back it is the same picture.
  const QImage down = sharp.scaled(image.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                          .convertToFormat(QImage::Format_RGB32);
  const QImage plain = image.convertToFormat(QImage::Format_RGB32);
  double difference = 0;
  for (int y = 0; y < plain.height(); ++y) {
    for (int x = 0; x < plain.width(); ++x) {
      const QColor a = plain.pixelColor(x, y), b = down.pixelColor(x, y);
      difference += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                    std::abs(a.blue() - b.blue());
    }
  }
  EXPECT_LT(difference / (3.0 * plain.width() * plain.height()), 8.0);

  EXPECT_EQ(engine.DisplayImage(1.0), image);
  image.fill(Qt::white);
  EXPECT_EQ(engine.DisplayImage(2.0), image);
}

TEST_F(TaiYiNumTest, SettingsChangedOnDiskApplyAtTheNextChart) {
  ASSERT_TRUE(
      CopyFile(std::string(TAIYI_SOURCE_DAT_DIR) + "/oldbk.jpg", folder.Dat() + "oldbk.jpg", true));
  MTaiYiNum engine(folder);
  engine.Attach(&editor, &image);
  ChartRequest west = Request(ChartKind::kLife);
  west.longitude = 100;  // 80 minutes of local mean time behind Beijing
  ASSERT_TRUE(engine.MakeChart(west));
  EXPECT_EQ(engine.Chart().moments.correctedMoment, engine.Chart().moments.clockMoment);
  EXPECT_TRUE(engine.Chart().settings.bOldBk);
  const QRgb paper = image.pixel(image.width() - 20, image.height() - 20);
  EXPECT_NE(paper, qRgb(255, 255, 255));

  WriteSetIni("[taiyi]\r\nbOldBk=0\r\nbkcolor=16777215\r\niDate=2\r\n");
  ASSERT_TRUE(engine.MakeChart(west));
  EXPECT_FALSE(engine.Chart().settings.bOldBk);
  EXPECT_EQ(engine.Chart().settings.iDate, 2);
  EXPECT_EQ(image.pixel(image.width() - 20, image.height() - 20), qRgb(255, 255, 255));
  EXPECT_NE(engine.Chart().moments.correctedMoment, engine.Chart().moments.clockMoment);
}

}  // namespace
}  // namespace taiyi
