// Every command's --json output against docs/cli.md: the doc's tables of JSON keys are read,
// every command of its command table is run, and each document or JSON line must carry
// exactly the documented keys with the documented types; every documented key must turn up.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>
#include <vector>

#include "platform/file_util.h"
#include "store/case_schema.h"
#include "store/record_base.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

using nlohmann::json;

struct DocKey {
  std::string name;
  std::string type;  // empty for an include row "…shape"
  std::string when;
};

struct CliDoc {
  std::map<std::string, std::vector<DocKey>> shapes;
  // Command ("case list", "chart --batch") -> its shapes and whether it prints lines.
  std::map<std::string, std::pair<std::vector<std::string>, bool>> commands;
};

std::vector<std::string> Cells(const std::string& row) {
  std::vector<std::string> cells;
  std::stringstream in(row.substr(1));
  for (std::string cell; std::getline(in, cell, '|');) {
    const auto b = cell.find_first_not_of(' ');
    const auto e = cell.find_last_not_of(' ');
    cells.push_back(b == std::string::npos ? std::string() : cell.substr(b, e - b + 1));
  }
  return cells;
}

std::string Unquote(const std::string& cell) {
  return cell.size() >= 2 && cell.front() == '`' && cell.back() == '`'
             ? cell.substr(1, cell.size() - 2)
             : cell;
}

CliDoc ReadDoc() {
  std::ifstream in(std::string(TAIYI_TEST_DATA_DIR) + "/../../docs/cli.md");
  CliDoc doc;
  std::string section, shape;
  static const std::regex shapeHeading(R"(### Shape `(\w+)`)");
  static const std::regex backticked("`([^`]+)`");
  for (std::string line; std::getline(in, line);) {
    std::smatch m;
    if (line.rfind("## ", 0) == 0) section = line, shape.clear();
    if (std::regex_match(line, m, shapeHeading)) shape = m[1];
    if (line.rfind("| ", 0) != 0 || line.rfind("|---", 0) == 0) continue;
    const std::vector<std::string> cells = Cells(line);
    if (!shape.empty() && cells.size() == 4 && cells[0] != "key") {
      const std::string name = Unquote(cells[0]);
      doc.shapes[shape].push_back({name, cells[1], cells[2]});
    } else if (section == "## Commands" && cells.size() == 4 && cells[0] != "command") {
      std::vector<std::string> shapes;
      for (auto it = std::sregex_iterator(cells[3].begin(), cells[3].end(), backticked);
           it != std::sregex_iterator(); ++it)
        shapes.push_back((*it)[1]);
      doc.commands[Unquote(cells[0])] = {shapes, cells[2] == "lines"};
    }
  }
  return doc;
}

class ShapeChecker {
 public:
  explicit ShapeChecker(const CliDoc& doc) : doc_(doc) {}

  // The problems of a value against a shape; none when it fits.
  std::vector<std::string> Check(const json& value, const std::string& shape,
                                 const std::string& where) {
    std::vector<std::string> problems;
    if (!value.is_object()) return {where + ": not an object"};
    const std::vector<DocKey> keys = Keys(shape);
    if (keys.empty()) return {where + ": no shape " + shape + " in the doc"};
    std::set<std::string> documented;
    for (const DocKey& key : keys) {
      documented.insert(key.name);
      const auto it = value.find(key.name);
      if (it == value.end()) {
        if (key.when == "always") problems.push_back(where + ": missing " + key.name);
        continue;
      }
      seen_[shape].insert(key.name);
      for (const std::string& p : CheckType(*it, key.type, where + "." + key.name))
        problems.push_back(p);
    }
    for (const auto& [key, unused] : value.items())
      if (!documented.count(key)) problems.push_back(where + ": undocumented key " + key);
    return problems;
  }

  // Documented keys of the shapes checked that no output carried.
  std::vector<std::string> NeverSeen() const {
    std::vector<std::string> missing;
    for (const auto& [shape, names] : seen_)
      for (const DocKey& key : Keys(shape))
        if (!names.count(key.name)) missing.push_back(shape + "." + key.name);
    return missing;
  }

 private:
  // The keys of a shape with its include rows expanded.
  std::vector<DocKey> Keys(const std::string& shape) const {
    std::vector<DocKey> keys;
    const auto it = doc_.shapes.find(shape);
    if (it == doc_.shapes.end()) return keys;
    for (const DocKey& key : it->second) {
      if (key.name.rfind("…", 0) == 0) {
        for (const DocKey& inner : Keys(key.name.substr(std::string("…").size())))
          keys.push_back(inner);
      } else {
        keys.push_back(key);
      }
    }
    return keys;
  }

  std::vector<std::string> CheckType(const json& value, const std::string& type,
                                     const std::string& where) {
    std::vector<std::string> alternatives;
    for (std::size_t start = 0;;) {
      const std::size_t or_ = type.find(" or ", start);
      alternatives.push_back(type.substr(start, or_ - start));
      if (or_ == std::string::npos) break;
      start = or_ + 4;
    }
    std::vector<std::string> last;
    for (const std::string& alt : alternatives) {
      last = CheckOne(value, alt, where);
      if (last.empty()) return {};
    }
    return alternatives.size() == 1 ? last : std::vector<std::string>{where + ": not " + type};
  }

  std::vector<std::string> CheckOne(const json& value, const std::string& type,
                                    const std::string& where) {
    const auto fail = [&] { return std::vector<std::string>{where + ": not " + type}; };
    if (type == "string") return value.is_string() ? std::vector<std::string>{} : fail();
    if (type == "integer") return value.is_number_integer() ? std::vector<std::string>{} : fail();
    if (type == "number") return value.is_number() ? std::vector<std::string>{} : fail();
    if (type == "boolean") return value.is_boolean() ? std::vector<std::string>{} : fail();
    if (type == "null") return value.is_null() ? std::vector<std::string>{} : fail();
    if (type.rfind("object ", 0) == 0) return Check(value, type.substr(7), where);
    if (type.rfind("array of ", 0) == 0) {
      if (!value.is_array()) return fail();
      std::vector<std::string> problems;
      for (std::size_t i = 0; i < value.size(); ++i)
        for (const std::string& p :
             CheckType(value[i], type.substr(9), where + "[" + std::to_string(i) + "]"))
          problems.push_back(p);
      return problems;
    }
    return {where + ": unknown type " + type};
  }

  const CliDoc& doc_;
  std::map<std::string, std::set<std::string>> seen_;
};

TEST(JsonShapes, EveryCommandPrintsTheDocumentedKeys) {
  const CliDoc doc = ReadDoc();
  ASSERT_GT(doc.shapes.size(), 20u);
  ASSERT_GT(doc.commands.size(), 20u);

  test::TempDir dir;
  const std::string data = "--data-dir " + dir.path() + "app ";
  ASSERT_TRUE(WriteFileAtomic(dir.file("batch.jsonl"),
                              "{\"date\":\"1980-05-05\",\"time\":\"10:30\",\"flow\":\"年\","
                              "\"flowDate\":\"2004-06-01\"}\n{\"kind\":\"年局\"}\n{\"date\":5}\n"));
  // Each documented command with arguments that print its result.
  const std::vector<std::pair<std::string, std::string>> runs = {
      {"lunar", "lunar 2024-02-10"},
      {"solar", "solar 2023-02-01 --leap"},
      {"terms", "terms 2024"},
      {"days", "days 2024-02-09 2024-02-11"},
      {"pillars", "pillars '2024-02-04 16:27'"},
      {"era", "era 540"},
      {"reverse-pillars", "reverse-pillars 甲辰 己巳 辛巳 戊子"},
      {"pinyin", "pinyin 张三丰"},
      {"chart", "chart --date 1980-05-05 --time 10:30 --flow 年 --flow-date 2004-06-01"},
      {"chart", "chart --kind 年局 --date 2004-06-01"},
      {"chart --batch", "chart --batch " + dir.file("batch.jsonl")},
      {"select", "select --kind 时局 --from 2000-01-01 --to 2000-01-01 --with 击"},
      {"case add", "case add --name 张三 --lunar --date -120-03-01 --category 家人 --comment 评"},
      {"case add", "case add --name 李四 --province 福建省 --city 福州市 --category 家人"},
      {"case update", "case update 2 --female"},
      {"case list", "case list"},
      {"case show", "case show 1"},
      {"case search", "case search --name 张"},
      {"case search --chart", "case search --chart --ju 1-72"},
      {"case find", "case find 张"},
      {"case categories", "case categories"},
      {"case dump", "case dump"},
      {"case export", "case export " + dir.path()},
      {"case backup", "case backup " + dir.path()},
  };
  ShapeChecker checker(doc);
  std::set<std::string> ran;
  std::string dumpLines;
  const auto check = [&](const std::string& command, const std::string& args) {
    const auto it = doc.commands.find(command);
    ASSERT_NE(it, doc.commands.end()) << command << " is not in the doc's command table";
    ran.insert(command);
    const bool batch = command == "chart --batch";
    const auto run =
        test::RunCli(data + args + (command == "case dump" || batch ? "" : " --json"), false);
    EXPECT_EQ(run.code, batch ? 1 : 0) << args << "\n" << run.out;
    if (command == "case dump") dumpLines = run.out;
    const auto& [shapes, lines] = it->second;
    std::vector<json> docs;
    if (lines) {
      std::stringstream in(run.out);
      for (std::string line; std::getline(in, line);)
        docs.push_back(json::parse(line, nullptr, false));
      EXPECT_FALSE(docs.empty()) << args;
    } else {
      docs.push_back(json::parse(run.out, nullptr, false));
    }
    for (const json& d : docs) {
      std::vector<std::string> best;
      for (const std::string& shape : shapes) {
        const std::vector<std::string> problems = checker.Check(d, shape, command);
        if (problems.empty() || best.empty() || problems.size() < best.size()) best = problems;
        if (problems.empty()) break;
      }
      EXPECT_TRUE(best.empty()) << args << ":\n" << testing::PrintToString(best) << "\n" << d;
    }
  };
  for (const auto& [command, args] : runs) check(command, args);

  // The rest need what the runs above made.
  ASSERT_TRUE(WriteFileAtomic(dir.file("dump.jsonl"), dumpLines));
  check("case load", "case load " + dir.file("dump.jsonl"));
  const std::vector<std::string> exported = ListFiles(dir.path(), "*.db", false);
  ASSERT_EQ(exported.size(), 1u);
  check("case import", "case import " + dir.path() + exported[0]);
  // Compaction needs 500 ids: added straight into the store in one transaction.
  {
    MRecordBase store;
    const std::string app = dir.path() + "app/";
    ASSERT_EQ(store.Open(CaseDatabasePath(app), app, false), 0);
    store.Connect();
    for (int i = 0; i < 500; ++i) {
      TRecordData r;
      r.name = "赵" + std::to_string(i);
      r.className = "家人";
      r.remarkFile = "zhao" + std::to_string(i);
      store.AddCaseInBatch(r);
    }
    store.Disconnect();
  }
  check("case compact", "case compact");

  for (const auto& [command, unused] : doc.commands)
    EXPECT_TRUE(ran.count(command)) << command << " is documented but not run here";
  EXPECT_EQ(checker.NeverSeen(), std::vector<std::string>{});
}

}  // namespace
}  // namespace taiyi
