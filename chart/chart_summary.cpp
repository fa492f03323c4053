#include "chart/chart_summary.h"

#include <cmath>

#include "calendar/ganzhi_names.h"

namespace taiyi {
namespace {

constexpr std::string_view kLineNames[6] = {"初", "二", "三", "四", "五", "上"};

std::string Num(int64_t n) {
  return std::to_string(n);
}

std::string StemBranch(int ganZhi) {
  return std::string(kStemNames[StemOf(ganZhi)]) + std::string(kBranchNames[BranchOf(ganZhi)]);
}

// "公历:2000年1月1日12时0分" of a moment, the year in civil numbering.
std::string CivilMoment(const YiDate& d) {
  return "公历:" + Num(CivilYear(d.year)) + "年" + Num(d.month) + "月" + Num(d.day) + "日" +
         Num(d.hour) + "时" + Num(d.minute) + "分";
}

// "乾为天(乾宫-游魂)": the display name with its palace and the soul generations marked.
std::string HexagramText(const HexagramInfo& h) {
  std::string text =
      std::string(DisplayName(h.index)) + "(" + std::string(TrigramName(h.palace)) + "宫";
  if (h.generation == 7) return text + "-游魂)";
  if (h.generation == 8) return text + "-归魂)";
  return text + ")";
}

std::string PairText(const HexagramPair& pair, std::string_view firstLabel,
                     std::string_view secondLabel) {
  const int line = pair.first.movingLine;
  const std::string_view lineName = line >= 0 && line < 6 ? kLineNames[line] : std::string_view{};
  return std::string(firstLabel) + HexagramText(pair.first) + std::string(lineName) + "爻动。" +
         std::string(secondLabel) + HexagramText(pair.second);
}

std::string_view TimeModeName(int iDate) {
  switch (iDate) {
    case 0:
      return "(北京时间)";
    case 1:
      return "(真太阳时)";
    case 2:
      return "(地方时)";
    default:
      return {};
  }
}

}  // namespace

std::string LongitudeText(double longitude) {
  if (!std::isfinite(longitude)) longitude = 0;
  const double a = std::fabs(longitude);
  int degrees = static_cast<int>(std::floor(a));
  // Nearer minute, an exact half rounding down.
  int minutes = static_cast<int>(std::ceil((a - degrees) * 60 - 0.5));
  if (minutes >= 60) {
    ++degrees;
    minutes -= 60;
  }
  return std::string(longitude >= 0 ? "东经" : "西经") + Num(degrees) + ":" + Num(minutes);
}

std::string LunarLineText(const YiDate& lunar, bool leap) {
  // " 正月 ", " 五月 "; a leap month " 闰正月 ", " 闰五月 ".
  std::string month = leap ? " 闰" : " ";
  month += lunar.month == 1 ? std::string("正") : ChineseNumber(lunar.month);
  month += "月 ";
  std::string day = lunar.day >= 1 && lunar.day <= 10 ? "初" : "";
  day += ChineseNumber(lunar.day);
  day += "日";
  int h = lunar.hour;
  if (h % 2 != 0) h += 1;
  const int branch = (h / 2 + 1) % 12;
  return "农历:" + ChineseNumber(CivilYear(lunar.year)) + "年" + month + day + " " +
         std::string(kBranchNames[BranchOf(branch)]) + "时";
}

std::string VoidLineText(const Pillars& p) {
  std::string text = "空亡：";
  for (int pillar : {p.year, p.month, p.day, p.hour}) {
    int n = ((pillar % 60) + 60) % 60;
    if (n == 0) n = 60;
    const int decade = (n - 1) / 10;  // 0 甲子 … 5 甲寅
    text += std::string(kBranchNames[BranchOf(11 - 2 * decade)]) +
            std::string(kBranchNames[BranchOf(12 - 2 * decade)]) + "　　";
  }
  return text;
}

void WriteChartSummary(const ComputedChart& c, const JuTexts& juTexts, const EditorFont& font,
                       RichTextSink& sink) {
  sink.Clear();
  sink.SetDefaultFont(font.name, font.pointSize);
  sink.SetColour(kDefaultColour);
  sink.SetBold(false);

  const ChartRequest& r = c.request;
  const ChartMoments& m = c.moments;
  const JuFacts& ju = c.ju;
  const bool life = r.kind == ChartKind::kLife;

  std::string first = "太乙" + std::string(ChartKindName(r.kind)) + "局，" +
                      (ju.yang ? "阳遁" : "阴遁") + "第" + Num(ju.ju) + "局\r\n";
  first += r.name + "," + r.place + "," + LongitudeText(r.longitude) + "\r\n";
  first += CivilMoment(m.clockMoment) + "(输入时间)\r\n";
  first += CivilMoment(m.correctedMoment) + std::string(TimeModeName(c.settings.iDate)) + "\r\n";
  first += LunarLineText(m.lunarDate, m.lunarLeap) + "\r\n";
  first += "积年:" + Num(ju.accumulated + 1) + "(第" + ChineseNumber(ju.ji + 1) + "纪" +
           std::string(YuanName(ju.yuan)) + "元 " + Num(ju.period + 1) + ")(太乙数 " +
           Num(ju.taiyiNumber + 1) + ")";
  if (ju.hasGate) first += std::string(GateName(ju.gate)) + "门";
  sink.Append(first);

  const Pillars& p = c.pillars.pillars;
  sink.SetColour(kSummaryRed);
  sink.Append(std::string(life ? (r.male ? "乾造" : "坤造") : "干支") + "：" + StemBranch(p.year) +
              "年　" + StemBranch(p.month) + "月　" + StemBranch(p.day) + "日　" +
              StemBranch(p.hour) + "时");

  std::string third = VoidLineText(p) + "\r\n";
  third += "主算 " + Num(c.counts.host) + "，客算 " + Num(c.counts.guest) + "，定算 " +
           Num(c.counts.fixed) + "\r\n";
  if (life && c.birth)
    third += PairText(c.birth->pair, "出身卦：", "立业卦：");
  else
    third += PairText(c.chartPair, "主卦：", "变卦：");
  third += "\r\n\r\n";
  sink.Append(third);

  const JuTextParts text = SplitJuText(juTexts.Text(ju.yang, ju.ju));
  std::string title = std::string(ju.yang ? "◇阳遁" : "◇阴遁") + std::string(text.title) + "(";
  for (int k = 0; k < 5; ++k) {
    if (k) title += " ";
    title += GanZhiName(ju.juGanZhi[k]);
  }
  title += ")";
  sink.SetColour(kSummaryBlue);
  sink.Append(title);
  sink.Append(text.body);
}

}  // namespace taiyi
