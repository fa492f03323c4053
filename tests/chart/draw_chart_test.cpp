#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "calendar/date_service.h"
#include "chart/chart_computation.h"
#include "chart/draw/chart_drawing.h"
#include "chart/draw/chart_geometry.h"
#include "chart/draw/recording_surface.h"

namespace taiyi {
namespace {

using Kind = RecordingSurface::Kind;

ComputedChart Compute(ChartKind kind, bool male, ChartSettings settings = {}) {
  ChartRequest r;
  r.kind = kind;
  r.male = male;
  r.SetDate({1980, 5, 6, 10, 30});
  MYiDateEx dates;
  ChartResult result = ComputeChart(r, settings, dates);
  EXPECT_TRUE(result.ok) << result.error;
  return result.chart;
}

struct Placed {
  std::string text;
  SurfaceColour colour;
  float angle;  // degrees, 90° straight down, in −90 … 270
  float radius;
};

// Texts whose centre lies within [minR, maxR] of the disc centre, with their polar position.
// The recorder measures a CJK character as one em square.
std::vector<Placed> TextsAround(const RecordingSurface& s, const ChartGeometry& g, float em,
                                float minR, float maxR) {
  std::vector<Placed> out;
  for (const auto& p : s.OfKind(Kind::kText)) {
    const float x = p.x1 + em / 2 - g.cx, y = p.y1 + em / 2 - g.cy;
    const float r = std::hypot(x, y);
    if (r < minR || r > maxR || p.text.size() != 3) continue;  // one CJK character
    float a = static_cast<float>(std::atan2(y, x) * 180.0 / 3.14159265358979323846);
    if (a < -90) a += 360;
    out.push_back({p.text, p.textColour, a, r});
  }
  return out;
}

class ChartDrawingTest : public ::testing::Test {
 protected:
  void Draw(const ComputedChart& chart, int fontSize = 12) {
    RecordingSurface probe;
    g = GeometryForCharWidth(fontSize, MeasureChartCharWidth(probe, fontSize));
    em = fontSize * 96.0f / 72.0f;
    s.Bind(g.width, g.height);
    ChartDrawInput in;
    in.chart = &chart;
    DrawChart(s, g, in);
  }
  // The deity characters on the disc's deity rings (0.6R and outward), in drawing order.
  std::vector<Placed> DeityTexts() {
    return TextsAround(s, g, em, 0.59f * g.radius, 1.2f * g.radius);
  }

  RecordingSurface s;
  ChartGeometry g;
  float em = 0;
};

TEST_F(ChartDrawingTest, GeometryFollowsFontSize) {
  struct Case {
    int fontSize, width, height;
  };
  // "国" measures one em, F·96/72 pixels: W = 60 em, H = 0.72 W.
  for (const Case c : {Case{9, 720, 518}, Case{12, 960, 691}, Case{25, 2000, 1440}}) {
    RecordingSurface probe;
    const float w = MeasureChartCharWidth(probe, c.fontSize);
    const ChartGeometry geo = GeometryForCharWidth(c.fontSize, w);
    EXPECT_NEAR(geo.width, c.width, 1) << c.fontSize;
    EXPECT_NEAR(geo.height, c.height, 1) << c.fontSize;
    EXPECT_FLOAT_EQ(geo.radius, geo.width * 0.325f);
    EXPECT_FLOAT_EQ(geo.cx, geo.radius + 5);
    EXPECT_FLOAT_EQ(geo.cy, geo.radius + 5);
    EXPECT_TRUE(probe.OfKind(Kind::kText).empty());
  }
}

TEST_F(ChartDrawingTest, LifeChartHasSixRingsOthersFive) {
  for (const auto& [kind, rings] :
       {std::pair{ChartKind::kLife, 6}, std::pair{ChartKind::kYear, 5}}) {
    Draw(Compute(kind, true));
    const auto ellipses = s.OfKind(Kind::kEllipse);
    ASSERT_EQ(static_cast<int>(ellipses.size()), rings);
    const float whole = std::trunc(g.radius);
    EXPECT_FLOAT_EQ(ellipses[0].x2 - g.cx, whole);
    if (kind == ChartKind::kLife) {
      EXPECT_FLOAT_EQ(ellipses[1].x2 - g.cx, whole * 0.56f);
    }
    EXPECT_FLOAT_EQ(ellipses.back().x2 - g.cx, whole * 0.18f);
    for (const auto& e : ellipses) EXPECT_FALSE(e.fill);
    // Eight solid black spokes, then eight grey ones dashed 4 on, 4 off.
    const auto lines = s.OfKind(Kind::kLine);
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_TRUE(lines[0].dash.empty());
    EXPECT_EQ(lines[8].penColour, kInkGrey);
    EXPECT_EQ(lines[8].dash, (std::vector<float>{4, 4}));
  }
}

TEST_F(ChartDrawingTest, TwelvePlacesWithTheFlowMarkerTakingOne) {
  ComputedChart c = Compute(ChartKind::kYear, true);
  for (auto& list : c.positions) list.clear();
  // Six natal entries, the marker, six flow entries: the twelfth flow place is the last.
  c.positions[kPosZi] = {kTaiYi,       kWenChang,   kShiJi,  kTaiSui,      kHeShen,
                         kJiShen,      kFlowMarker, kTaiSui, kBaiLiuGreat, kBaiLiuSmall,
                         kYearYangJiu, kWuFu,       kZhiFu};
  Draw(c);
  const auto texts = DeityTexts();
  ASSERT_EQ(texts.size(), 22u);  // 11 deities of two characters; 直符 is beyond the limit
  const std::vector<SurfaceColour> colours = {kInkRed,     kInkRed,     kInkRed,   kInkBlue,
                                              kInkBlue,    kInkBlue,    kInkGreen, kInkDarkRed,
                                              kInkDarkRed, kInkDarkRed, kInkGreen};
  // Places: three of 7.5°, four of 5.625°, five of 4.5° from the boundary at 112.5°.
  const std::vector<float> angles = {108.75f,
                                     101.25f,
                                     93.75f,
                                     109.6875f,
                                     104.0625f,
                                     98.4375f,
                                     /*marker at 92.8125*/ 110.25f,
                                     105.75f,
                                     101.25f,
                                     96.75f,
                                     92.25f};
  for (std::size_t i = 0; i < colours.size(); ++i) {
    const Placed& first = texts[2 * i];
    const Placed& second = texts[2 * i + 1];
    EXPECT_EQ(first.colour, colours[i]) << i;
    EXPECT_NEAR(first.angle, angles[i], 0.01) << i;
    EXPECT_NEAR(second.angle, angles[i], 0.01) << i;
    EXPECT_NEAR(second.radius - first.radius, 1.2f * em, 0.01) << i;
  }
  EXPECT_NEAR(texts[0].radius, 0.6f * g.radius, 0.01);
  EXPECT_NEAR(texts[6].radius, 0.6f * g.radius + 2.5f * em, 0.01);
  EXPECT_NEAR(texts[12].radius, 0.6f * g.radius + 5 * em, 0.01);
  EXPECT_EQ(texts[0].text, "太");
  EXPECT_EQ(texts[21].text, "福");
}

TEST_F(ChartDrawingTest, TenEssenceHiddenAndTheRestCloseUp) {
  ChartSettings settings;
  settings.bShiJing = false;
  ComputedChart c = Compute(ChartKind::kYear, true, settings);
  for (auto& list : c.positions) list.clear();
  c.positions[kPosZi] = {kTianHuang, kTaiSui, kBaJiFeng, kHeShen};
  c.positions[kPosCentre] = {kTianHuang, kTaiYi, 29};
  Draw(c);
  const auto texts = DeityTexts();
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[0].text, "太");
  EXPECT_NEAR(texts[0].angle, 108.75f, 0.01);
  EXPECT_EQ(texts[2].text, "合");
  EXPECT_NEAR(texts[2].angle, 101.25f, 0.01);
  // The centre shows 太乙 alone, in the first place.
  EXPECT_TRUE(s.TextsEqual("皇").empty());
  EXPECT_TRUE(s.TextsEqual("天").empty());
  const auto yi = s.TextsEqual("乙");
  ASSERT_EQ(yi.size(), 1u);
  EXPECT_FLOAT_EQ(yi[0].x1, g.cx - 2.6f * em);
  EXPECT_FLOAT_EQ(yi[0].y1, g.cy - 1.5f * em + em + 3);
}

TEST_F(ChartDrawingTest, CentreRowsAndColoursAroundTheMarker) {
  ComputedChart c = Compute(ChartKind::kYear, true);
  for (auto& list : c.positions) list.clear();
  c.positions[kPosCentre] = {kTaiSui, kJiShen,     kTaiYi,  kWenChang,
                             kShiJi,  kFlowMarker, kHeShen, kWuFu};
  Draw(c);
  const float x0 = g.cx - 2.6f * em, y0 = g.cy - 1.5f * em;
  struct Want {
    const char* text;
    float x, y;
    SurfaceColour colour;
  };
  for (const Want& w : {Want{"太", x0, y0, kInkBlue}, Want{"计", x0 + 1.2f * em, y0, kInkBlue},
                        Want{"始", x0 + 4.8f * em, y0, kInkBlue},
                        Want{"合", g.cx - 1.3f * em, y0 + 2 * em + 6, kInkGreen},
                        Want{"五", g.cx - 0.1f * em, y0 + 2 * em + 6, kInkGreen}}) {
    bool found = false;
    for (const auto& p : s.TextsEqual(w.text)) {
      if (std::fabs(p.x1 - w.x) < 0.01 && std::fabs(p.y1 - w.y) < 0.01) {
        found = true;
        EXPECT_EQ(p.textColour, w.colour) << w.text;
      }
    }
    EXPECT_TRUE(found) << w.text;
  }
}

// A crowded centre (a flow day adds its deities to the natal ones) takes as many rows as it
// needs, in a smaller size when it must, and keeps clear of the palace numbers around it.
TEST_F(ChartDrawingTest, ACrowdedCentreKeepsClearOfThePalaceNumbers) {
  for (const int fontSize : {9, 12, 25}) {
    for (const std::size_t count : {11u, 12u, 14u, 16u}) {
      ComputedChart c = Compute(ChartKind::kYear, true);
      for (auto& list : c.positions) list.clear();
      for (std::size_t i = 0; i < count; ++i) {
        if (i == 6) c.positions[kPosCentre].push_back(kFlowMarker);
        c.positions[kPosCentre].push_back(static_cast<DeityCode>(i % 27));
      }
      Draw(c, fontSize);
      const float d = 0.22f * g.radius;
      struct Box {
        float x1, y1, x2, y2;
        bool Meets(const Box& o) const { return x1 < o.x2 && o.x1 < x2 && y1 < o.y2 && o.y1 < y2; }
      };
      std::vector<Box> numbers, centre;
      for (const auto& p : s.OfKind(Kind::kText)) {
        const float w = p.fontSize * 96.0f / 72.0f;  // the recorder's em at the text's size
        const Box box{p.x1, p.y1, p.x1 + w, p.y1 + w};
        const float r = std::hypot(p.x1 + w / 2 - g.cx, p.y1 + w / 2 - g.cy);
        if (std::fabs(r - d) < 0.5f)
          numbers.push_back(box);
        else if (r < d)
          centre.push_back(box);
      }
      ASSERT_EQ(numbers.size(), 8u);
      ASSERT_EQ(centre.size(), 2 * count) << fontSize << " " << count;
      for (std::size_t i = 0; i < centre.size(); ++i) {
        for (const Box& n : numbers) EXPECT_FALSE(centre[i].Meets(n)) << fontSize << " " << count;
        for (std::size_t j = i + 1; j < centre.size(); ++j)
          EXPECT_FALSE(centre[i].Meets(centre[j])) << fontSize << " " << count << " " << i;
      }
    }
  }
}

TEST_F(ChartDrawingTest, LifePalaceRingForwardAndBackward) {
  for (bool male : {true, false}) {
    const ComputedChart c = Compute(ChartKind::kLife, male);
    ASSERT_TRUE(c.birth);
    const int d = ForwardDirection(c.pillars.pillars.year, male) ? 1 : -1;
    Draw(c);
    const auto ring = TextsAround(s, g, em, 0.51f * g.radius, 0.53f * g.radius);
    ASSERT_EQ(ring.size(), 13u) << male;  // twelve palaces and 身
    const char* labels[] = {"命", "兄", "偶", "子", "财", "田", "官", "奴", "疾", "福", "相", "父"};
    for (int i = 0; i < 12; ++i) {
      const int pos = PositionOfBranch(static_cast<int>(Mod(c.birth->palaces.ming + i * d, 12)));
      float want = SectorCentre(pos);
      if (want < -90) want += 360;
      EXPECT_EQ(ring[i].text, labels[i]);
      EXPECT_NEAR(ring[i].angle, want, 0.01) << male << " " << i;
      EXPECT_EQ(ring[i].colour, i == 0 ? kInkRed : kInkBlack);
    }
    EXPECT_EQ(ring[12].text, "身");
    EXPECT_EQ(ring[12].colour, kInkPurple);
    float want = 94.5f - 22.5f * PositionOfBranch(c.birth->palaces.shen);
    if (want < -90) want += 360;
    EXPECT_NEAR(ring[12].angle, want, 0.01);
  }
}

TEST_F(ChartDrawingTest, BackgroundPictureOnlyWithOldBk) {
  RgbImage picture{2, 2, std::vector<std::uint8_t>(12, 200)};
  for (bool oldBk : {true, false}) {
    ChartSettings settings;
    settings.bOldBk = oldBk;
    const ComputedChart c = Compute(ChartKind::kDay, true, settings);
    RecordingSurface probe;
    g = GeometryForCharWidth(12, MeasureChartCharWidth(probe, 12));
    s.Bind(g.width, g.height);
    DrawChart(s, g, {&c, nullptr, &picture});
    EXPECT_EQ(s.OfKind(Kind::kBackground).size(), 1u);
    EXPECT_EQ(s.OfKind(Kind::kPicture).size(), oldBk ? 1u : 0u);
  }
}

}  // namespace
}  // namespace taiyi
