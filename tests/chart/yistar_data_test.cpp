// Completeness of the shipped star-text file: every star has its seventeen interpretive lines
// and its grade section, and the grade sections name the branches of the grade table.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace taiyi {
namespace {

const std::string kShippedYiStar = std::string(TAIYI_SOURCE_DAT_DIR) + "/yistar.txt";

struct StarGrades {
  const char* key;
  const char* name;
  const char* upper;
  const char* middle;
  const char* lower;
};

// Grade table: the branches on which each star reads 上等, 中等 and 下等.
const StarGrades kGrades[] = {
    {"WuFu", "五福", "丑辰申亥", "子巳午酉未戌", "寅卯"},
    {"JunJi", "君基", "丑辰午未戌", "子巳申亥", "寅卯酉"},
    {"ChenJi", "臣基", "丑辰未戌", "子申亥午", "寅卯酉巳"},
    {"MinJi", "民基", "子辰申亥", "丑巳午未戌", "寅卯酉"},
    {"XiaoYou", "小游", "寅卯未亥", "子午辰戌", "申酉丑"},
    {"WenChang", "文昌", "丑辰未戌", "子午申亥", "寅卯酉"},
    {"ZhuDa", "主大将", "酉丑申", "子卯辰未亥", "寅午戌"},
    {"ZhuCan", "主参将", "申子辰亥", "寅巳午酉", "卯丑未戌"},
    {"JiShen", "计神", "辰戌丑未", "子巳午申酉亥", "寅卯"},
    {"ShiJi", "始击", "寅午戌巳", "丑卯", "子申酉辰亥未"},
    {"KeDa", "客大将", "申子辰亥", "巳午酉", "丑寅未卯戌"},
    {"KeCan", "客参将", "亥卯未寅", "丑戌子辰", "巳午酉申"},
    {"SiShen", "四神", "申子辰亥", "酉丑卯午", "寅未戌巳"},
    {"TianYi", "天乙", "丑申酉巳", "子卯辰未亥", "寅午戌"},
    {"DiYi", "地乙", "辰戌丑未", "子巳申亥", "寅卯午酉"},
    {"FeiFu", "飞符", "寅午戌巳", "丑未申辰", "亥子酉卯"},
};

const char* const kPositions[] = {"子", "丑", "寅", "卯", "辰", "巳", "午", "未",
                                  "申", "酉", "戌", "亥", "乾", "艮", "巽", "坤"};

// UTF-8 characters of a string, each as its own string.
std::vector<std::string> Characters(const std::string& s) {
  std::vector<std::string> out;
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    out.push_back(s.substr(i, n));
    i += n;
  }
  return out;
}

std::string Trim(const std::string& s) {
  const char* ws = " \t\r\n";
  const size_t b = s.find_first_not_of(ws);
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(ws) - b + 1);
}

// Counted lines of the file (longer than one character after trimming), in order.
std::vector<std::string> ReadCountedLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  bool first = true;
  while (std::getline(in, line)) {
    if (first && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    first = false;
    line = Trim(line);
    if (Characters(line).size() > 1) lines.push_back(line);
  }
  return lines;
}

// Sections by key: the lines between "[key]" and the following "[end]".
std::map<std::string, std::vector<std::string>> ReadSections(const std::vector<std::string>& all,
                                                             std::vector<std::string>* errors) {
  std::map<std::string, std::vector<std::string>> sections;
  std::string open;
  for (const std::string& line : all) {
    if (line == "[end]") {
      if (open.empty()) errors->push_back("[end] outside a section");
      open.clear();
    } else if (line.front() == '[') {
      if (!open.empty()) errors->push_back("section " + open + " not closed before " + line);
      open = line.substr(1, line.size() - 2);
      if (line.back() != ']' || sections.count(open)) errors->push_back("bad key line " + line);
      sections[open];
    } else if (open.empty()) {
      errors->push_back("text outside a section: " + line);
    } else {
      sections[open].push_back(line);
    }
  }
  if (!open.empty()) errors->push_back("section " + open + " not closed");
  return sections;
}

std::set<std::string> BranchesAfter(const std::string& line, const std::string& prefix) {
  std::set<std::string> out;
  if (line.rfind(prefix, 0) != 0) return out;
  const std::string branches = "子丑寅卯辰巳午未申酉戌亥";
  for (const std::string& ch : Characters(line.substr(prefix.size()))) {
    if (branches.find(ch) == std::string::npos) break;
    out.insert(ch);
  }
  return out;
}

std::set<std::string> BranchSet(const char* branches) {
  const auto chars = Characters(branches);
  return {chars.begin(), chars.end()};
}

class YiStarDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lines_ = ReadCountedLines(kShippedYiStar);
    ASSERT_FALSE(lines_.empty()) << kShippedYiStar;
    sections_ = ReadSections(lines_, &errors_);
  }
  std::vector<std::string> lines_;
  std::vector<std::string> errors_;
  std::map<std::string, std::vector<std::string>> sections_;
};

TEST_F(YiStarDataTest, SectionsAreWellFormedAndComplete) {
  EXPECT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(sections_.size(), 32u);
  for (const StarGrades& g : kGrades) {
    SCOPED_TRACE(g.key);
    ASSERT_TRUE(sections_.count(g.key));
    ASSERT_TRUE(sections_.count(std::string(g.key) + "_Grade"));
    const auto& star = sections_[g.key];
    ASSERT_EQ(star.size(), 17u);
    // Lines 2..17 speak of the star in their own branch or palace, in file order.
    for (int i = 0; i < 16; ++i) {
      EXPECT_NE(star[i + 1].find(std::string(kPositions[i]) + "宫"), std::string::npos)
          << "line " << i + 2 << ": " << star[i + 1];
    }
    const auto& grade = sections_[std::string(g.key) + "_Grade"];
    ASSERT_EQ(grade.size(), 4u);
    EXPECT_EQ(grade[0], g.name);
  }
  EXPECT_EQ(sections_["WuFu"][1], "五福在子宫，喜生春夏，秀气所钟。秋冬逢陷，穷困夭亡。");
}

TEST_F(YiStarDataTest, GradeSectionsNameTheBranchesOfTheGradeTable) {
  for (const StarGrades& g : kGrades) {
    SCOPED_TRACE(g.key);
    const auto& grade = sections_[std::string(g.key) + "_Grade"];
    ASSERT_EQ(grade.size(), 4u);
    EXPECT_EQ(BranchesAfter(grade[1], "上等:"), BranchSet(g.upper)) << grade[1];
    EXPECT_EQ(BranchesAfter(grade[2], "中等:"), BranchSet(g.middle)) << grade[2];
    EXPECT_EQ(BranchesAfter(grade[3], "下等:"), BranchSet(g.lower)) << grade[3];
  }
}

TEST_F(YiStarDataTest, NoLineRepeatsAnother) {
  std::set<std::string> seen;
  for (const std::string& line : lines_) {
    if (line == "[end]" || line.front() == '[') continue;
    EXPECT_TRUE(seen.insert(line).second) << "repeated: " << line;
  }
}

}  // namespace
}  // namespace taiyi
