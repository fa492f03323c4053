// taiyi-cli case dump | load: the archive as data.  dump writes every case (all fields, the
// category, the comment as plain text and as RTF) as JSON Lines or CSV; load adds the cases of
// a JSON Lines dump with new ids and comment files.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "calendar/date_service.h"
#include "cli/case_json.h"
#include "cli/case_store_access.h"
#include "cli/command_registry.h"
#include "cli/every_core.h"
#include "cli/stdio_files.h"
#include "platform/file_util.h"
#include "platform/gbk.h"
#include "store/case_actions.h"
#include "store/record_base.h"
#include "store/rtf_reader.h"
#include "store/rtf_writer.h"

namespace taiyi::cli {
namespace {

// RTF keeps 8-bit text as \'xx escapes as well as raw bytes; a file holding raw bytes that
// are not UTF-8 is written with escapes so that the JSON text carries it unchanged.
std::string RtfAsUtf8(const std::string& bytes) {
  if (IsValidUtf8(bytes)) return bytes;
  std::string out;
  char escape[8];
  for (unsigned char c : bytes) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      std::snprintf(escape, sizeof escape, "\\'%02x", c);
      out += escape;
    }
  }
  return out;
}

// The CSV field of a JSON value (RFC 4180): texts as they are, null empty, the rest as JSON.
std::string CsvField(const Json& value) {
  std::string text = value.is_string() ? value.get<std::string>()
                     : value.is_null() ? std::string()
                                       : JsonText(value);
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

// The output of one case: its JSON line or CSV row (and the CSV header when asked for).
std::string DumpLine(const TRecordData& r, const std::string& commentPath, bool csv,
                     MYiDateEx& dates, std::string* header) {
  Json doc = CaseJson(r, dates);
  std::string rtf;
  if (!r.remarkFile.empty() && ReadFile(commentPath, rtf)) {
    doc["comment"] = RtfPlainText(rtf);
    doc["commentRtf"] = RtfAsUtf8(rtf);
  } else {
    doc["comment"] = r.remarkText;
    doc["commentRtf"] = nullptr;
  }
  if (header) {
    for (const auto& [key, value] : doc.items())
      header->append(header->empty() ? "" : ",").append(key);
    *header += "\r\n";
  }
  if (!csv) return JsonText(doc) + '\n';
  std::string out;
  bool first = true;
  for (const auto& [key, value] : doc.items()) {
    if (!first) out += ',';
    first = false;
    out += CsvField(value);
  }
  return out + "\r\n";
}

// Cases are read from the store in blocks on this thread; their comment files, RTF and
// JSON, the larger part of the work, are made on every core and written in id order.
constexpr std::size_t kDumpBlock = 2048;

int RunDump(const CliContext& ctx, const std::string& format,
            const std::vector<std::string>& categories) {
  MRecordBase store;
  AppFolder folder;
  if (!OpenStore(ctx, store, folder)) return 1;
  if (const std::string missing = MissingCategory(store, categories); !missing.empty())
    return Fail(missing);
  const bool csv = format == "csv";
  EveryCore cores;
  std::vector<TRecordData> records;
  std::vector<std::string> paths, lines;
  std::string header;
  bool wantHeader = csv;
  store.Connect();
  const int last = store.PrimaryId();
  for (int id = 1; id <= last;) {
    records.clear();
    paths.clear();
    TRecordData r;
    for (; id <= last && records.size() < kDumpBlock; ++id) {
      if (!store.LoadCaseInBatch(id, r)) continue;
      if (!categories.empty() &&
          std::find(categories.begin(), categories.end(), r.className) == categories.end())
        continue;
      paths.push_back(store.CommentPath(r));
      records.push_back(std::move(r));
    }
    lines.assign(records.size(), {});
    cores.ForEach(records.size(), [&](std::size_t i, MYiDateEx& dates) {
      lines[i] =
          DumpLine(records[i], paths[i], csv, dates, i == 0 && wantHeader ? &header : nullptr);
    });
    if (wantHeader && !records.empty()) {
      std::fwrite(header.data(), 1, header.size(), stdout);
      wantHeader = false;
    }
    for (const std::string& line : lines) std::fwrite(line.data(), 1, line.size(), stdout);
  }
  store.Disconnect();
  std::fflush(stdout);
  return 0;
}

// One case of a dump, ready to add.
struct LoadedCase {
  TRecordData record;
  std::string rtf;
  std::string plain;
};

int RunLoad(const CliContext& ctx, const std::string& path, bool json) {
  std::string bytes;
  if (!ReadInputFile(path, bytes)) return Fail("无法读取文件: " + path);
  // Every line is read and checked before the first case is added: a bad dump adds nothing.
  std::vector<LoadedCase> cases;
  std::vector<std::string> problems;
  std::size_t number = 0;
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    const std::string line = bytes.substr(start, end - start);
    start = end + 1;
    ++number;
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    const nlohmann::json doc = nlohmann::json::parse(line, nullptr, false);
    LoadedCase c;
    std::string error;
    if (doc.is_discarded()) {
      error = "不是有效的 JSON 对象";
    } else if (CaseFromJson(doc, c.record, error)) {
      const auto rtf = doc.find("commentRtf");
      c.plain = c.record.remarkText;
      if (rtf != doc.end() && rtf->is_string()) {
        c.rtf = rtf->get<std::string>();
      } else {
        const auto comment = doc.find("comment");
        c.rtf = PlainTextToRtf(comment != doc.end() && comment->is_string()
                                   ? comment->get<std::string>()
                                   : c.record.remarkText);
      }
      cases.push_back(std::move(c));
      continue;
    }
    problems.push_back("第 " + std::to_string(number) + " 行：" + error);
  }
  if (!problems.empty()) {
    for (const std::string& p : problems) std::cerr << p << "\n";
    return Fail("没有载入任何命例。");
  }

  MRecordBase store;
  AppFolder folder;
  if (!OpenStore(ctx, store, folder)) return 1;
  // A category the store does not list yet is added to the list.
  std::vector<std::string> list;
  if (!store.LoadCategories(list)) return Fail(store.LastMessage());
  bool listChanged = false;
  for (const LoadedCase& c : cases)
    if (std::find(list.begin(), list.end(), c.record.className) == list.end()) {
      list.push_back(c.record.className);
      listChanged = true;
    }
  if (listChanged && !store.SaveCategories(list)) return Fail(store.LastMessage());

  // All cases under one write lock, committed in chunks, each with its comment file.
  std::vector<MRecordBase::NewCase> added;
  added.reserve(cases.size());
  for (LoadedCase& c : cases) {
    c.record.remarkText = RemoveApostrophes(c.plain);
    added.push_back({std::move(c.record), std::move(c.rtf)});
  }
  const int count = store.AddCasesWithComments(added);
  Json ids = Json::array();
  for (int i = 0; i < count; ++i) ids.push_back(added[i].record.id);
  if (count < static_cast<int>(added.size())) {
    std::cerr << "已载入 " << ids.size() << " 个命例。\n";
    return Fail(store.LastMessage());
  }
  if (json)
    PrintJson({{"count", ids.size()}, {"ids", ids}});
  else
    std::cout << "已载入 " << ids.size() << " 个命例。\n";
  return 0;
}

CommandRegistrar reg{
    43, [](CLI::App& app, CliContext& ctx) {
      CLI::App* cmd = app.get_subcommand("case");

      auto* dump = cmd->add_subcommand("dump", "Write every case with its comment to stdout");
      static std::string format = "jsonl";
      static std::vector<std::string> categories;
      dump->add_option("--format", format, "jsonl (default) or csv")
          ->check(CLI::IsMember({"jsonl", "csv"}));
      dump->add_option("--category", categories, "Only the cases of this category (repeatable)");
      dump->callback([&ctx] { ctx.run = [&ctx] { return RunDump(ctx, format, categories); }; });

      auto* load = cmd->add_subcommand("load", "Add the cases of a JSON Lines dump (new ids)");
      static std::string file;
      static bool json = false;
      load->add_option("FILE", file, "The dump (- for stdin)")->required();
      AddJsonFlag(load, json);
      load->callback([&ctx] { ctx.run = [&ctx] { return RunLoad(ctx, file, json); }; });
    }};

}  // namespace
}  // namespace taiyi::cli
