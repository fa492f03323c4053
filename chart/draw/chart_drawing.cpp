#include "chart/draw/chart_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "calendar/ganzhi_names.h"
#include "chart/chart_summary.h"
#include "chart/draw/chart_draw_texts.h"
#include "chart/draw/flow_block.h"
#include "chart/draw/hexagram_block.h"

namespace taiyi {

DiscPoint PointOnDisc(const ChartGeometry& g, float degrees, float radius) {
  const double a = degrees * 3.14159265358979323846 / 180.0;
  return {static_cast<float>(g.cx + radius * std::cos(a)),
          static_cast<float>(g.cy + radius * std::sin(a))};
}

float SectorCentre(int position) {
  return 101.25f - 22.5f * static_cast<float>(position);
}

namespace {

constexpr std::array<std::string_view, 8> kPalaceNumerals = {"八", "一", "六", "七",
                                                             "二", "九", "四", "三"};
constexpr std::array<std::string_view, 16> kGodNames = {
    "地主", "大义", "阴德", "阴主", "太簇", "武德", "大武", "天道",
    "大威", "大神", "大炅", "太阳", "高丛", "吕申", "和德", "阳德"};
constexpr std::array<std::string_view, 12> kLifePalaceLabels = {"命", "兄", "偶", "子", "财", "田",
                                                                "官", "奴", "疾", "福", "相", "父"};

// The centre's own layout holds two rows of five.
constexpr std::size_t kCentreTwoRows = 10;

std::string Format(const char* format, int value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

SurfaceColour DeityColour(DeityCode code, bool afterMarker) {
  if (afterMarker) {
    return code == kYearYangJiu || code == kBaiLiuGreat || code == kBaiLiuSmall ? kInkDarkRed
                                                                                : kInkGreen;
  }
  return code == kTaiYi || code == kWenChang || code == kShiJi ? kInkRed : kInkBlue;
}

class ChartPainter {
 public:
  ChartPainter(DrawingSurface& s, const ChartGeometry& g, const ChartDrawInput& in)
      : s_(s),
        g_(g),
        in_(in),
        c_(*in.chart),
        positions_(in.flow != nullptr ? in.flow->positions : in.chart->positions),
        life_(c_.request.kind == ChartKind::kLife),
        r_(g.radius) {}

  void Draw() {
    Disc();
    Deities();
    CentreDeities();
    TextBlocks();
    if (life_) LifeBlock();
  }

 private:
  void UseFont(int size) {
    s_.SetFontSize(static_cast<float>(size));
    s_.SetBold(true);
  }

  // Layout box of a one- or two-character text centred at a point.
  void Centred(DiscPoint p, std::string_view text) {
    const float dx = CharCount(text) >= 2 ? charW_ : charW_ / 2;
    s_.DrawText(p.x - dx, p.y - charH_ / 2, std::string(text), false);
  }

  void Disc() {
    const ChartSettings& set = c_.settings;
    s_.FillBackground(static_cast<SurfaceColour>(set.bkcolor) & 0xFFFFFF);
    if (set.bOldBk && in_.background != nullptr && in_.background->width > 0)
      s_.StretchPicture(*in_.background);

    s_.SetPenColor(kInkBlack);
    UseFont(g_.fontSize);
    charW_ = s_.TextWidth("国", false);
    charH_ = s_.TextHeight("国");
    s_.SetFill(false);

    const float whole = std::trunc(g_.radius);
    auto ring = [&](float ratio) {
      const float r = whole * ratio;
      s_.DrawEllipse(g_.cx - r, g_.cy - r, g_.cx + r, g_.cy + r);
    };
    ring(1.0f);
    if (life_) ring(0.56f);
    for (float ratio : {0.48f, 0.35f, 0.26f, 0.18f}) ring(ratio);

    for (int m = 0; m < 8; ++m) {
      const float a = 112.5f - 45.0f * static_cast<float>(m);
      const DiscPoint p1 = PointOnDisc(g_, a, 0.18f * r_), p2 = PointOnDisc(g_, a, r_);
      s_.DrawLine(p1.x, p1.y, p2.x, p2.y);
    }
    static constexpr float kDash[2] = {4, 4};
    s_.SetPenColor(kInkGrey);
    s_.SetPenDash(kDash, 2);
    for (int m = 0; m < 8; ++m) {
      const float a = 90.0f - 45.0f * static_cast<float>(m);
      const DiscPoint p1 = PointOnDisc(g_, a, 0.26f * r_), p2 = PointOnDisc(g_, a, r_);
      s_.DrawLine(p1.x, p1.y, p2.x, p2.y);
    }
    s_.SetPenDash(nullptr, 0);
    s_.SetPenColor(kInkBlack);

    s_.SetTextColor(kInkBlack);
    for (int m = 0; m < 8; ++m)
      Centred(PointOnDisc(g_, 90.0f - 45.0f * static_cast<float>(m), 0.22f * r_),
              kPalaceNumerals[m]);
    for (int k = 0; k < kDirectionCount; ++k) {
      Centred(PointOnDisc(g_, SectorCentre(k), 0.305f * r_), PositionName(k));
      Centred(PointOnDisc(g_, SectorCentre(k), 0.415f * r_), kGodNames[k]);
    }
  }

  void Deities() {
    UseFont(g_.fontSize);
    const bool shiJing = c_.settings.bShiJing;
    for (int k = 0; k < kDirectionCount; ++k) {
      const float boundary = 112.5f - 22.5f * static_cast<float>(k);
      int e = 0;
      bool after = false;
      for (DeityCode code : positions_[k]) {
        if (e >= kPlacesPerPosition) break;
        if (code == kFlowMarker) {
          after = true;
          ++e;
          continue;
        }
        if (!shiJing && IsTenEssence(code)) continue;
        float t = 7.5f, rho = 0.60f * r_;
        int n = e;
        if (e >= 7) {
          t = 4.5f, rho = 0.60f * r_ + 5 * charH_, n = e - 7;
        } else if (e >= 3) {
          t = 5.625f, rho = 0.60f * r_ + 2.5f * charH_, n = e - 3;
        }
        const float angle = boundary - t * static_cast<float>(n) - t / 2;
        const std::string_view name = DeityShortName(code);
        const std::string_view first = FirstChar(name);
        s_.SetTextColor(DeityColour(code, after));
        Centred(PointOnDisc(g_, angle, rho), first);
        if (first.size() < name.size())
          Centred(PointOnDisc(g_, angle, rho + 1.2f * charH_),
                  FirstChar(name.substr(first.size())));
        ++e;
      }
    }
  }

  // A deity of the centre: its name written downward, first character on top.
  void CentreDeity(DeityCode code, bool after, float x, float y, float charH) {
    const std::string_view name = DeityShortName(code);
    const std::string_view first = FirstChar(name);
    s_.SetTextColor(after ? kInkGreen : kInkBlue);
    s_.DrawText(x, y, std::string(first), false);
    if (first.size() < name.size())
      s_.DrawText(x, y + charH + 3, std::string(name.substr(first.size())), false);
  }

  void CentreDeities() {
    struct Entry {
      DeityCode code;
      bool after;
    };
    std::vector<Entry> entries;
    bool after = false;
    for (DeityCode code : positions_[kPosCentre]) {
      if (code == kFlowMarker) {
        after = true;
        continue;
      }
      if (!c_.settings.bShiJing && IsTenEssence(code)) continue;
      entries.push_back({code, after});
    }
    if (entries.size() > kCentreTwoRows) {
      CrowdedCentre(entries.size(), [&](std::size_t i, float x, float y, float charH) {
        CentreDeity(entries[i].code, entries[i].after, x, y, charH);
      });
      return;
    }
    // Five on the first row, the rest on a second row set off to the right.
    float x = g_.cx - 2.6f * charW_;
    float y = g_.cy - 1.5f * charH_;
    int drawn = 0;
    for (const Entry& e : entries) {
      CentreDeity(e.code, e.after, x, y, charH_);
      x += 1.2f * charW_;
      if (++drawn == 5) {
        y += 2 * charH_ + 6;
        x = g_.cx - 1.3f * charW_;
      }
    }
  }

  // More deities than two rows hold (a flow day or hour adds its own to the centre): as many
  // rows as they need, each centred, the block centred on the disc, in the largest font size
  // down to half the chart's that keeps the block inside the eight palace numbers.  The room
  // is a rectangle clear of the numbers on the axes and of those on the diagonals, either
  // narrow and tall or wide and short; the one that allows the larger size is taken.
  // Between rows of the crowded centre: wide enough that each name's two characters read as
  // one, and not as the end of the name above.
  static float RowGap(float charH) { return std::max(6.0f, 0.4f * charH); }

  template <typename DrawEntry>
  void CrowdedCentre(std::size_t n, const DrawEntry& draw) {
    const float d = 0.22f * r_;          // radius of the palace numbers
    const float diagonal = d * 0.7071f;  // their offset along each axis on the diagonals
    const float clearance = 2;
    const int smallest = std::max(6, g_.fontSize / 2);
    float cw = 0, ch = 0;
    std::size_t perRow = n;
    for (int s = g_.fontSize; s >= smallest; --s) {
      UseFont(s);
      cw = s_.TextWidth("国", false);
      ch = s_.TextHeight("国");
      bool fits = false;
      for (const bool tall : {true, false}) {
        const float halfW = (tall ? diagonal : d) - charW_ / 2 - clearance;
        const float halfH = (tall ? d : diagonal) - charH_ / 2 - clearance;
        const float across = std::floor((2 * halfW - cw) / (1.2f * cw)) + 1;
        if (across < 1) continue;
        const std::size_t row = static_cast<std::size_t>(across);
        const std::size_t rows = (n + row - 1) / row;
        const float height = static_cast<float>(rows) * (2 * ch + 3 + RowGap(ch)) - RowGap(ch);
        if (height <= 2 * halfH) {
          // Rows as even as the count allows.
          perRow = (n + rows - 1) / rows;
          fits = true;
          break;
        }
        perRow = row;
      }
      if (fits) break;
    }
    const std::size_t rows = (n + perRow - 1) / perRow;
    const float gap = RowGap(ch);
    float y = g_.cy - (static_cast<float>(rows) * (2 * ch + 3 + gap) - gap) / 2;
    for (std::size_t first = 0; first < n; first += perRow) {
      const std::size_t count = std::min(perRow, n - first);
      float x = g_.cx - (static_cast<float>(count) * 1.2f * cw - 0.2f * cw) / 2;
      for (std::size_t i = first; i < first + count; ++i, x += 1.2f * cw) draw(i, x, y, ch);
      y += 2 * ch + 3 + gap;
    }
    UseFont(g_.fontSize);
  }

  void TextBlocks() {
    const float step = charH_ + 5;
    UseFont(g_.fontSize + 4);
    s_.SetTextColor(kInkRed);
    s_.DrawText(5, 5, "太乙" + std::string(ChartKindName(c_.request.kind)) + "局", false);
    UseFont(g_.fontSize);

    // Lower left: 遁 and ju, the counts, the five designations.
    s_.SetTextColor(kInkBlack);
    float y = g_.cy + r_ - 4.5f * charH_;
    const std::array<std::string, 4> left = {
        std::string(c_.ju.yang ? "阳遁" : "阴遁") + Format("第%d局", c_.ju.ju),
        Format("主算 %d", c_.counts.host), Format("客算 %d", c_.counts.guest),
        Format("定算 %d", c_.counts.fixed)};
    for (std::size_t i = 0; i < left.size(); ++i) {
      if (i > 0) y += step;
      s_.DrawText(5, y, left[i], false);
    }
    y += charH_ + 10;
    for (int i = 0; i < 5; ++i) {
      const float x = 5 + static_cast<float>(i) * (charW_ + charW_ / 3);
      const int gz = c_.ju.juGanZhi[i];
      s_.DrawText(x, y, std::string(kStemNames[StemOf(gz)]), false);
      s_.DrawText(x, y + charH_, std::string(kBranchNames[BranchOf(gz)]), false);
    }

    // Right block: name and place, moments, lunar date, accumulation, pillars, voids.
    const ChartRequest& rq = c_.request;
    const ChartMoments& m = c_.moments;
    float x = g_.cx + r_ - 5 * charW_;
    y = 5;
    s_.DrawText(x, y, rq.name + "," + rq.place + "," + LongitudeText(rq.longitude) + " ", false);
    y += step;
    s_.DrawText(x, y, "公历:" + MomentPieces(m.clockMoment) + "(输入时间)", false);
    y += step;
    static constexpr std::array<std::string_view, 3> kTimeKinds = {"(北京时间)", "(真太阳时)",
                                                                   "(地方时)"};
    const int iDate = c_.settings.iDate;
    s_.DrawText(x, y,
                "公历:" + MomentPieces(m.correctedMoment) +
                    std::string(iDate >= 0 && iDate <= 2 ? kTimeKinds[iDate] : ""),
                false);
    y += step;
    s_.DrawText(x, y, LunarLineText(m.lunarDate, m.lunarLeap), false);
    y += step;
    x = g_.cx + r_ - 3 * charW_;
    char buf[160];
    std::snprintf(buf, sizeof buf, "积年:%lld(第%s纪%s元 %d) 太乙数:%d",
                  static_cast<long long>(c_.ju.accumulated + 1),
                  ChineseNumber(c_.ju.ji + 1).c_str(), std::string(YuanName(c_.ju.yuan)).c_str(),
                  c_.ju.period + 1, c_.ju.taiyiNumber + 1);
    std::string acc = buf;
    if (c_.ju.hasGate) acc += std::string(GateName(c_.ju.gate)) + "门";
    s_.DrawText(x, y, acc, false);
    y += step;
    x += 2 * charW_;
    const Pillars& p = c_.pillars.pillars;
    s_.SetTextColor(kInkRed);
    s_.DrawText(x, y,
                std::string(life_ ? (rq.male ? "乾造" : "坤造") : "干支") + "：" +
                    PillarsText(p.year, p.month, p.day, p.hour),
                false);
    y += step;
    s_.SetTextColor(kInkBlack);
    s_.DrawText(x, y, VoidLineText(p), false);
    hexX_ = x + 1.1f * charW_;
    hexY_ = y + 2 * charH_ + 5;

    if (!life_) {
      DrawHexagramBlock(s_, hexX_, hexY_, g_.fontSize,
                        {&c_.chartPair.first, HexagramRole::kChartMain, rq.kind, 0});
      DrawHexagramBlock(s_, hexX_, hexY_ + 12 * SmallCharHeight(), g_.fontSize,
                        {&c_.chartPair.second, HexagramRole::kChartChange, rq.kind, 0});
      UseFont(g_.fontSize);
    }
  }

  // Height of "国" at the hexagram blocks' size.
  float SmallCharHeight() {
    UseFont(g_.fontSize - 1);
    const float h = s_.TextHeight("国");
    UseFont(g_.fontSize);
    return h;
  }

  void LifeBlock() {
    if (!c_.birth) return;
    const LifePalaces& lp = c_.birth->palaces;
    UseFont(g_.fontSize);
    const int d = ForwardDirection(c_.pillars.pillars.year, c_.request.male) ? 1 : -1;
    for (int i = 0; i < 12; ++i) {
      const int branch = static_cast<int>(Mod(lp.ming + i * d, 12));
      s_.SetTextColor(i == 0 ? kInkRed : kInkBlack);
      Centred(PointOnDisc(g_, SectorCentre(PositionOfBranch(branch)), 0.52f * r_),
              kLifePalaceLabels[i]);
    }
    s_.SetTextColor(kInkPurple);
    const int shenPos = PositionOfBranch(static_cast<int>(Mod(lp.shen, 12)));
    Centred(PointOnDisc(g_, 94.5f - 22.5f * static_cast<float>(shenPos), 0.52f * r_), "身");

    const float h = SmallCharHeight();
    DrawHexagramBlock(s_, hexX_, hexY_, g_.fontSize,
                      {&c_.birth->pair.first, HexagramRole::kBirthFirst, ChartKind::kLife, lp.key});
    const float secondY = hexY_ + 10.4f * h;
    DrawHexagramBlock(s_, hexX_, secondY, g_.fontSize,
                      {&c_.birth->pair.second, HexagramRole::kBirthSecond, ChartKind::kLife, 0});
    UseFont(g_.fontSize);
    if (in_.flow != nullptr)
      DrawFlowBlock(s_, hexX_ - 2 * charW_, secondY + 9.75f * h, g_.fontSize, charH_ + 3,
                    *in_.flow);
  }

  DrawingSurface& s_;
  const ChartGeometry& g_;
  const ChartDrawInput& in_;
  const ComputedChart& c_;
  const PositionTable& positions_;
  const bool life_;
  const float r_;
  float charW_ = 0;
  float charH_ = 0;
  float hexX_ = 0;
  float hexY_ = 0;
};

}  // namespace

void DrawChart(DrawingSurface& surface, const ChartGeometry& geometry, const ChartDrawInput& in) {
  if (in.chart == nullptr) return;
  ChartPainter(surface, geometry, in).Draw();
}

}  // namespace taiyi
