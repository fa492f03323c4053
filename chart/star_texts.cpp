#include "chart/star_texts.h"

#include <array>

#include "chart/life_palaces.h"
#include "platform/file_util.h"
#include "platform/gbk.h"

namespace taiyi {
namespace {

constexpr std::string_view kStarKeys[kDeityCount] = {
    "TaiSui", "HeShen",  "JiShen", "TaiYi",     "WenChang", "ShiJi",   "ZhuDa",   "ZhuCan",
    "KeDa",   "KeCan",   "DingDa", "DingCan",   "WuFu",     "ZhiFu",   "XiaoYou", "DiYi",
    "TianYi", "SiShen",  "DaYou",  "MinJi",     "ChenJi",   "JunJi",   "YangJiu", "BaiLiu",
    "DaLiu",  "XiaoLiu", "FeiFu",  "TianHuang", "DiFu",     "TianShi", "TaiZun",  "FeiNiao",
    "WuXing", "SanFeng", "WuFeng", "BaFeng",    "DingMu"};

// The branches on which a star reads 上等, 中等 and 下等.
struct GradeBranches {
  DeityCode code;
  std::array<std::string_view, 3> grades;
};
constexpr GradeBranches kGradeTable[] = {
    {kWuFu, {"丑辰申亥", "子巳午酉未戌", "寅卯"}},
    {kJunJi, {"丑辰午未戌", "子巳申亥", "寅卯酉"}},
    {kChenJi, {"丑辰未戌", "子申亥午", "寅卯酉巳"}},
    {kMinJi, {"子辰申亥", "丑巳午未戌", "寅卯酉"}},
    {kXiaoYou, {"寅卯未亥", "子午辰戌", "申酉丑"}},
    {kWenChang, {"丑辰未戌", "子午申亥", "寅卯酉"}},
    {kHostGeneral, {"酉丑申", "子卯辰未亥", "寅午戌"}},
    {kHostAide, {"申子辰亥", "寅巳午酉", "卯丑未戌"}},
    {kJiShen, {"辰戌丑未", "子巳午申酉亥", "寅卯"}},
    {kShiJi, {"寅午戌巳", "丑卯", "子申酉辰亥未"}},
    {kGuestGeneral, {"申子辰亥", "巳午酉", "丑寅未卯戌"}},
    {kGuestAide, {"亥卯未寅", "丑戌子辰", "巳午酉申"}},
    {kSiShen, {"申子辰亥", "酉丑卯午", "寅未戌巳"}},
    {kTianYi, {"丑申酉巳", "子卯辰未亥", "寅午戌"}},
    {kDiYi, {"辰戌丑未", "子巳申亥", "寅卯午酉"}},
    {kFeiFu, {"寅午戌巳", "丑未申辰", "亥子酉卯"}},
};

constexpr std::string_view kEndLine = "[end]";

std::string_view TrimBlanks(std::string_view s) {
  constexpr std::string_view kBlanks = " \t\r\n\f\v";
  const std::size_t b = s.find_first_not_of(kBlanks);
  if (b == std::string_view::npos) return {};
  return s.substr(b, s.find_last_not_of(kBlanks) - b + 1);
}

// More than one character: at most one is a line the text never counts.
bool IsCountedLine(std::string_view s) {
  return !s.empty() && Utf8CharLength(s, 0) < s.size();
}

// Line number 14..17 of a corner palace position, 0 for others.
int CornerLine(int position) {
  switch (position) {
    case kPosQian:
      return 14;
    case kPosGen:
      return 15;
    case kPosXun:
      return 16;
    case kPosKun:
      return 17;
    default:
      return 0;
  }
}

}  // namespace

std::string_view StarKey(DeityCode code) {
  return code < kDeityCount ? kStarKeys[code] : std::string_view{};
}

bool StarTexts::Load(const std::string& path) {
  lines_.clear();
  sectionStart_.clear();
  std::string bytes;
  if (!ReadFile(path, bytes)) return false;
  Parse(bytes);
  return true;
}

int StarTexts::Parse(std::string_view content) {
  lines_.clear();
  sectionStart_.clear();
  std::string converted;
  if (!IsValidUtf8(content)) {
    converted = GbkToUtf8(content);
    content = converted;
  }
  if (content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);  // byte-order mark
  while (!content.empty()) {
    const std::size_t nl = content.find('\n');
    const std::string_view line = TrimBlanks(content.substr(0, nl));
    content = nl == std::string_view::npos ? std::string_view{} : content.substr(nl + 1);
    if (!IsCountedLine(line)) continue;
    if (line.front() == '[' && line.back() == ']' && line != kEndLine)
      sectionStart_.emplace(std::string(line.substr(1, line.size() - 2)), lines_.size());
    lines_.emplace_back(line);
  }
  return static_cast<int>(lines_.size());
}

std::string_view StarTexts::StarLine(std::string_view key, int n) const {
  if (n < 1) return {};
  const auto it = sectionStart_.find(std::string(key));
  if (it == sectionStart_.end()) return {};
  for (std::size_t i = it->second + 1; i < lines_.size(); ++i) {
    if (lines_[i] == kEndLine) return {};
    if (--n == 0) return lines_[i];
  }
  return {};
}

std::string_view StarTexts::PositionLine(DeityCode code, int position) const {
  if (!HasTexts(code)) return {};
  const int branch = BranchAt(position);
  const int line = branch >= 0 ? 1 + (branch == 0 ? 12 : branch) : CornerLine(position);
  return line == 0 ? std::string_view{} : StarLine(StarKey(code), line);
}

std::string StarTexts::GradeText(DeityCode code, int position) const {
  const int branch = BranchAt(position);
  if (branch < 0) return {};
  const std::string_view branchName = PositionName(position);
  for (const GradeBranches& g : kGradeTable) {
    if (g.code != code) continue;
    for (int grade = 0; grade < 3; ++grade) {
      if (g.grades[grade].find(branchName) == std::string_view::npos) continue;
      const std::string key = std::string(StarKey(code)) + "_Grade";
      const std::string_view line = StarLine(key, grade + 2);
      // A damaged file without the grade line gives no sentence rather than half of one.
      if (line.empty()) return {};
      return "★" + std::string(DeityFullName(code)) + "入命，" + std::string(line);
    }
    return {};
  }
  return {};
}

}  // namespace taiyi
