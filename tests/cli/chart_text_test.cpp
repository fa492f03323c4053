// taiyi-cli chart's editor texts as a user gets them: the terminal text, the JSON parts, and the
// RTF and HTML files, all carrying the same summary, ju text and analysis.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/file_util.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

using nlohmann::json;
using test::RunCli;

class ChartText : public ::testing::Test {
 protected:
  test::CliResult Run(const std::string& args) {
    return RunCli("--data-dir " + dir_.path() + " chart " + args, false);
  }
  std::string File(const std::string& name) {
    std::string bytes;
    EXPECT_TRUE(ReadFile(dir_.path() + "/" + name, bytes)) << name;
    return bytes;
  }
  test::TempDir dir_;
};

constexpr char kLife[] = "--date 1980-05-05 --time 10:30 --female --lon 116.4 --lat 39.9";

TEST_F(ChartText, TerminalTextIsSummaryThenAnalysis) {
  const test::CliResult text = Run(std::string(kLife) + " --text");
  ASSERT_EQ(text.code, 0);
  const json doc = json::parse(Run(std::string(kLife) + " --json").out);
  const std::string summary = doc["summary"];
  const std::string analysis = doc["analysis"];

  // Not a terminal: no colour sequences.
  EXPECT_EQ(text.out.find('\x1b'), std::string::npos);
  EXPECT_EQ(text.out.rfind("太乙命局，阳遁第15局\n甲,未知地,东经116:24\n", 0), 0u) << text.out;
  EXPECT_NE(text.out.find("坤造：庚申年　庚辰月　戊寅日　丁巳时\n"), std::string::npos);
  EXPECT_EQ(text.out.find(summary), 0u);
  EXPECT_NE(text.out.find("\n【星盘分析】\n" + analysis), std::string::npos);

  // The life analysis: the 命 palace, the conditions with their offence years, the patterns.
  EXPECT_EQ(analysis.rfind("命宫无主星，可看对宫或者三合宫。\n", 0), 0u) << analysis;
  EXPECT_NE(analysis.find("命局：击(六宫-相貌宫)，太岁逢之，主宅舍惊怪，风疾，盗贼，及淫乱不正之事"
                          "。犯事年份：1980、1981、1992、"),
            std::string::npos);
  EXPECT_NE(analysis.find("断数：无天之算。\n★得无天之算，主少年丧父。"), std::string::npos);
  EXPECT_EQ(summary.find("【星盘分析】"), std::string::npos);
}

TEST_F(ChartText, PeriodChartWithGate) {
  const json doc = json::parse(Run("--kind 年局 --date 2004-06-01 --time 12:00 --json").out);
  const std::string summary = doc["summary"];
  EXPECT_NE(summary.find("积年:10155921(第六纪壬子元 321)(太乙数 33)生门\n"), std::string::npos);
  EXPECT_NE(summary.find("◇阳遁第三十三局(丙申 戊申 庚申 壬申 甲申)\n主算二十四，八门生，"),
            std::string::npos);
  EXPECT_EQ(doc["analysis"], "格局：掩(三宫)。\n\n断数：杂重阴数、无天之算、无地之算。");
}

TEST_F(ChartText, RtfAndHtmlFilesCarryColoursAndTheWholeText) {
  ASSERT_EQ(
      Run(std::string(kLife) + " --rtf " + dir_.path() + "/c.rtf --html " + dir_.path() + "/c.html")
          .code,
      0);
  const std::string rtf = File("c.rtf");
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg936", 0), 0u);
  EXPECT_NE(rtf.find("{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"),
            std::string::npos);
  EXPECT_NE(rtf.find("\\b "), std::string::npos);  // the bold heading
  EXPECT_EQ(rtf[rtf.find_last_not_of("\r\n")], '}');

  const std::string html = File("c.html");
  EXPECT_NE(html.find("<title>命局</title>"), std::string::npos);
  EXPECT_NE(html.find("<p style=\"color:#FF0000;\">坤造：庚申年　庚辰月　戊寅日　丁巳时</p>"),
            std::string::npos);
  EXPECT_NE(html.find("【星盘分析】"), std::string::npos);
  EXPECT_NE(html.find("犯事年份：1980、1981、"), std::string::npos);
  EXPECT_NE(html.find("</html>"), std::string::npos);
}

TEST_F(ChartText, UnwritableFileFails) {
  const test::CliResult run =
      RunCli("--data-dir " + dir_.path() + " chart " + kLife + " --rtf /nonexistent/x.rtf");
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.out.find("无法写入文件：/nonexistent/x.rtf"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace taiyi
