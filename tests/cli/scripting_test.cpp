// The command line as a scripting face: "-" for standard input and output, TAIYI_DATA_DIR and
// global options after the command, usage errors that name the option, dates in JSON, batch
// charting, charting a stored case, and the archive dumped and loaded again.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#include "platform/file_util.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

using nlohmann::json;
using test::RunCli;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class Scripting : public ::testing::Test {
 protected:
  test::CliResult Run(const std::string& args, bool withStderr = true) {
    return RunCli("--data-dir " + dir_.path() + " " + args, withStderr);
  }
  json Doc(const std::string& args) {
    const auto run = Run(args, false);
    EXPECT_EQ(run.code, 0) << args;
    return json::parse(run.out, nullptr, false);
  }
  test::TempDir dir_;
};

TEST_F(Scripting, StandardStreamsEnvironmentAndGlobalOptionsAfterTheCommand) {
  ASSERT_TRUE(WriteFileAtomic(dir_.file("c.txt"), "从标准输入读来的评语"));
  const auto add =
      RunCli("case add --category 家人 --comment-file - --json < " + dir_.file("c.txt"), false,
             "TAIYI_DATA_DIR=" + dir_.path());
  ASSERT_EQ(add.code, 0) << add.out;
  EXPECT_EQ(json::parse(add.out)["id"], 1);
  // The global option after the command names the same folder.
  const json shown = json::parse(RunCli("case show 1 --json --data-dir " + dir_.path()).out);
  EXPECT_EQ(shown["comment"], "从标准输入读来的评语");

  const auto png = Run("chart --date 1980-05-05 --png -", false);
  ASSERT_EQ(png.code, 0);
  EXPECT_EQ(png.out.substr(0, 8), "\x89PNG\r\n\x1a\n");
  const auto rtf = Run("chart --date 1980-05-05 --rtf -", false);
  EXPECT_EQ(rtf.out.rfind("{\\rtf", 0), 0u);
}

TEST_F(Scripting, MalformedOptionValuesAreUsageErrorsNamingTheOption) {
  struct Case {
    const char* args;
    const char* option;
  };
  const Case cases[] = {
      {"chart --date 1990-5", "--date"},
      {"chart --time 25:00", "--time"},
      {"chart --kind 周局", "--kind"},
      {"chart --set foo=1", "--set"},
      {"chart --set iDate", "--set"},
      {"chart --flow 周", "--flow"},
      {"chart --flow-date 2004", "--flow-date"},
      {"chart --lon east", "--lon"},
      {"case add --time 7 --category 家人", "--time"},
      {"case dump --format xml", "--format"},
  };
  for (const Case& c : cases) {
    const auto run = Run(c.args);
    EXPECT_EQ(run.code, 2) << c.args;
    EXPECT_NE(run.out.find(c.option), std::string::npos) << c.args << "\n" << run.out;
  }
  // Well-formed values the program refuses stay refusals.
  EXPECT_EQ(Run("chart --date 1990-02-30").code, 1);
  EXPECT_EQ(Run("chart --date 0-01-01").code, 1);
}

TEST_F(Scripting, DatesCarryTheTypedFormAndIso) {
  const json bc = Doc("chart --date -120-03-01 --time 08:00 --json");
  EXPECT_EQ(bc["clock"], json::parse(R"({"date":"-0120-03-01","time":"08:00",
      "iso":"-0119-03-01T08:00:00+08:00"})"));
  EXPECT_EQ(bc["request"]["date"], "-0120-03-01");
  const json day = Doc("lunar 2023-03-22 --json");
  EXPECT_EQ(day, json::parse(R"({"date":"2023-03-22","iso":"2023-03-22","lunarDate":{
      "date":"2023-02-01","year":2023,"month":2,"day":1,"leap":true,"name":"闰二月初一"},
      "dayPillar":"己卯"})"));
  EXPECT_EQ(Doc("solar 2023-02-01 --leap --json"), day);
  // A lunar request's iso is its civil moment.
  const json lunar = Doc("chart --date 2023-02-01 --lunar --leap --time 09:15 --json");
  EXPECT_EQ(lunar["request"]["iso"], "2023-03-22T09:15:00+08:00");
  EXPECT_EQ(lunar["request"]["date"], "2023-02-01");
}

TEST_F(Scripting, BatchChartsEveryLineInOrderAndReportsBadLines) {
  std::string input;
  for (int day = 1; day <= 28; ++day)
    for (int month = 1; month <= 12; ++month) {
      char line[96];
      std::snprintf(line, sizeof line, "{\"date\":\"1990-%02d-%02d\",\"time\":\"%02d:30\"}\n",
                    month, day, month);
      input += line;
    }
  // 336 good lines, then a blank line and six that fail (coordinates as the options refuse
  // them: --lon 181 and --lat -90.5 are usage errors there).
  input +=
      "\n{\"date\": \"1990-02-30\"}\nnot json\n{\"colour\": 1}\n"
      "{\"kind\": \"年局\", \"flow\": \"年\", \"flowDate\": \"2000-01-01\"}\n"
      "{\"date\": \"1990-01-01\", \"lon\": 181, \"lat\": 30}\n"
      "{\"date\": \"1990-01-01\", \"lon\": -180, \"lat\": -90.5}\n";
  ASSERT_TRUE(WriteFileAtomic(dir_.file("in.jsonl"), input));
  const auto run = Run("chart --batch - < " + dir_.file("in.jsonl"), false);
  EXPECT_EQ(run.code, 1);
  const std::vector<std::string> out = Lines(run.out);
  ASSERT_EQ(out.size(), 342u);
  const std::vector<std::string> in = Lines(input);
  for (std::size_t i = 0; i < 336; ++i) {
    const json chart = json::parse(out[i]);
    EXPECT_EQ(chart["request"]["date"], json::parse(in[i])["date"]) << i;
  }
  EXPECT_EQ(json::parse(out[336]), json::parse(R"({"line":338,"error":"不存在这个日期"})"));
  EXPECT_EQ(json::parse(out[337])["line"], 339);
  EXPECT_EQ(json::parse(out[338]), json::parse(R"({"line":340,"error":"未知的键: colour"})"));
  EXPECT_EQ(json::parse(out[339]), json::parse(R"({"line":341,"error":"流年只适用于命局"})"));
  EXPECT_EQ(json::parse(out[340]),
            json::parse(R"({"line":342,"error":"经度必须是-180到180之间的数"})"));
  EXPECT_EQ(json::parse(out[341]),
            json::parse(R"({"line":343,"error":"纬度必须是-90到90之间的数"})"));
  EXPECT_EQ(Run("chart --lon 181 --json").code, 2);

  // A line gives exactly what chart --json gives for the same options.
  ASSERT_TRUE(
      WriteFileAtomic(dir_.file("one.jsonl"),
                      R"({"kind":0,"date":"1980-05-05","time":"10:30","female":true,"name":"王五",)"
                      R"("province":"福建省","city":"福州市","flow":"年","flowDate":"2004-06-01",)"
                      R"("set":{"iDate":2}})"
                      "\n"));
  const auto one = Run("chart --batch " + dir_.file("one.jsonl"), false);
  EXPECT_EQ(one.code, 0);
  EXPECT_EQ(json::parse(one.out),
            Doc("chart --date 1980-05-05 --time 10:30 --female --name 王五 --province 福建省 "
                "--city 福州市 --flow 年 --flow-date 2004-06-01 --set iDate=2 --json"));
  EXPECT_EQ(Run("chart --batch " + dir_.file("none.jsonl")).code, 1);
}

TEST_F(Scripting, DumpAndLoadGiveTheSameCasesAndCommentBytes) {
  const std::string rtf =
      "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0 \\'cb\\'ce\\'cc\\'e5;}}{\\colortbl;\\red255\\green0"
      "\\blue0;}\\f0\\fs24 {\\cf1\\b \\'d6\\'d0}, \"quoted\"\\par second line}";
  ASSERT_TRUE(WriteFileAtomic(dir_.file("c.rtf"), rtf));
  ASSERT_EQ(Run("case add --name 张三 --date -120-03-01 --time 10:00 --lunar --province 福建省 "
                "--city 福州市 --category 家人 --comment-file " +
                dir_.file("c.rtf"))
                .code,
            0);
  ASSERT_EQ(Run("case categories --set 家人 同学").code, 0);
  ASSERT_EQ(Run("case add --name 李四 --female --kind 年局 --lon 87.6 --lat 43.8 --category 同学 "
                "--comment \"一行,两行\"")
                .code,
            0);
  ASSERT_EQ(Run("case add --name 王五 --date 2023-02-01 --lunar --leap --category 家人").code, 0);
  const auto dump = Run("case dump", false);
  ASSERT_EQ(dump.code, 0);
  const std::vector<std::string> lines = Lines(dump.out);
  ASSERT_EQ(lines.size(), 3u);
  const json first = json::parse(lines[0]);
  EXPECT_EQ(first["commentRtf"], rtf);
  EXPECT_EQ(first["comment"], "中, \"quoted\"\nsecond line");
  EXPECT_EQ(json::parse(lines[1])["lon"], 87.6);
  EXPECT_EQ(Lines(Run("case dump --category 同学", false).out).size(), 1u);

  // Loaded into an empty store the cases dump the same, ids and file names included.
  test::TempDir other;
  ASSERT_TRUE(WriteFileAtomic(dir_.file("dump.jsonl"), dump.out));
  const auto loaded =
      RunCli("case load " + dir_.file("dump.jsonl") + " --json --data-dir " + other.path(), false);
  ASSERT_EQ(loaded.code, 0) << loaded.out;
  EXPECT_EQ(json::parse(loaded.out), json::parse(R"({"count":3,"ids":[1,2,3]})"));
  EXPECT_EQ(RunCli("--data-dir " + other.path() + " case dump", false).out, dump.out);
  std::string bytes;
  ASSERT_TRUE(ReadFile(other.path() + "TaiYi_f/" + first["commentFile"].get<std::string>() + ".rtf",
                       bytes));
  EXPECT_EQ(bytes, rtf);
  // 同学 was not in the new store's list: loading added it.
  EXPECT_NE(RunCli("--data-dir " + other.path() + " case categories", false).out.find("同学"),
            std::string::npos);

  // A bad line adds nothing.
  ASSERT_TRUE(WriteFileAtomic(dir_.file("bad.jsonl"), lines[0] + "\n{\"name\": 1}\n"));
  const auto bad = Run("case load " + dir_.file("bad.jsonl"));
  EXPECT_EQ(bad.code, 1);
  EXPECT_NE(bad.out.find("第 2 行"), std::string::npos) << bad.out;
  EXPECT_EQ(Lines(Run("case list", false).out).size(), 3u);

  // CSV: a header of the keys, fields quoted where they hold commas, quotes or line breaks.
  const std::vector<std::string> csv = Lines(Run("case dump --format csv", false).out);
  ASSERT_GE(csv.size(), 4u);
  EXPECT_EQ(csv[0].rfind("id,caption,category,kind,name,date,time,iso,", 0), 0u) << csv[0];
  EXPECT_NE(dump.out.find("一行,两行"), std::string::npos);
  EXPECT_NE(Run("case dump --format csv", false).out.find("\"一行,两行\""), std::string::npos);
}

TEST_F(Scripting, ChartOfAStoredCase) {
  const std::string request =
      "--name 张三 --date 1980-05-05 --time 10:30 --female --province 福建省 --city 福州市";
  ASSERT_EQ(Run("case add " + request + " --category 家人").code, 0);
  EXPECT_EQ(Doc("chart --case 1 --json"), Doc("chart " + request + " --json"));
  EXPECT_EQ(Run("chart --case 9").code, 1);
  EXPECT_EQ(Run("chart --case 1 --date 1990-01-01").code, 2);
}

}  // namespace
}  // namespace taiyi
