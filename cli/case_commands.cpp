// taiyi-cli case list | show | add | update | remove | categories: the case store from the
// command line.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "calendar/date_service.h"
#include "chart/chart_computation.h"
#include "cli/case_json.h"
#include "cli/case_store_access.h"
#include "cli/chart_options.h"
#include "cli/command_registry.h"
#include "cli/input_checks.h"
#include "cli/json_output.h"
#include "cli/stdio_files.h"
#include "cli/user_years.h"
#include "platform/file_util.h"
#include "platform/gbk.h"
#include "store/case_actions.h"
#include "store/case_schema.h"
#include "store/record_base.h"
#include "store/store_messages.h"
#include "platform/file_util.h"
#include "store/rtf_reader.h"
#include "store/rtf_writer.h"

namespace taiyi::cli {
namespace {

// The options of `case add` and `case update`: the chart's, the category and the comment.
struct CaseOptions {
  ChartOptions chart;
  std::string category;
  std::string comment;
  std::string commentFile;
  bool json = false;
  CLI::Option* categoryOpt = nullptr;
  CLI::Option* commentOpt = nullptr;
  CLI::Option* commentFileOpt = nullptr;
};

void AddCaseOptions(CLI::App* command, CaseOptions& o) {
  AddRequestOptions(command, o.chart);
  o.categoryOpt = command->add_option("--category", o.category, "a category of the stored list")
                      ->check(Utf8Text());
  o.commentOpt =
      command->add_option("--comment", o.comment, "the comment as plain text")->check(Utf8Text());
  o.commentFileOpt = command->add_option("--comment-file", o.commentFile,
                                         "the comment from a .rtf or .txt file (- for stdin)");
  o.commentOpt->excludes(o.commentFileOpt);
  AddJsonFlag(command, o.json);
}

bool CommentGiven(const CaseOptions& o) {
  return o.commentOpt->count() > 0 || o.commentFileOpt->count() > 0;
}

// The comment as its file holds it (RTF) and as plain text without apostrophes.
bool ReadCommentOption(const CaseOptions& o, std::string& rtf, std::string& plain,
                       std::string& error) {
  if (o.commentFileOpt->count() > 0) {
    std::string bytes;
    if (!ReadInputFile(o.commentFile, bytes)) {
      error = "无法读取文件: " + o.commentFile;
      return false;
    }
    if (LooksLikeRtf(bytes)) {
      rtf = bytes;
      plain = RtfPlainText(bytes);
      if (!IsValidUtf8(plain)) {
        error = kMsgTextNotUtf8 + o.commentFile;
        return false;
      }
    } else {
      if (!LooksLikeUtf8(bytes)) bytes = GbkToUtf8(bytes);
      plain = bytes;
      rtf = PlainTextToRtf(bytes);
    }
  } else {
    plain = o.commentOpt->count() > 0 ? o.comment : std::string(kEmptyComment);
    rtf = PlainTextToRtf(plain);
  }
  plain = RemoveApostrophes(plain);
  return true;
}

// The category must be one of the stored list, as the category chooser offers.
bool CheckCategory(MRecordBase& store, const std::string& category, std::string& error) {
  std::vector<std::string> list;
  if (!store.LoadCategories(list)) {
    error = store.LastMessage();
    return false;
  }
  for (const std::string& name : list)
    if (name == category) return true;
  error = "没有这个类别：" + category + "（taiyi-cli case categories 列出全部类别）";
  return false;
}

// A case is saved only when its chart can be made, as the main window saves a chart on screen.
bool CheckChart(const TRecordData& record, const ChartOptions& chart, const AppFolder& folder,
                std::string& error) {
  ChartSettings settings;
  if (!ReadSettingsWithOverrides(chart, folder, settings, error)) return false;
  MYiDateEx dates;
  const ChartResult result = ComputeChart(record, settings, dates);
  if (!result.ok) error = result.error;
  return result.ok;
}

int RunAdd(const CliContext& ctx, const CaseOptions& o) {
  MRecordBase store;
  AppFolder folder;
  if (!OpenStore(ctx, store, folder)) return 1;
  TRecordData record;
  std::string error, rtf, plain;
  if (!ApplyRequestOptions(o.chart, folder, false, record, error)) return Fail(error);
  if (!CheckChart(record, o.chart, folder, error)) return Fail(error);
  if (!CheckCategory(store, o.category, error)) return Fail(error);
  if (!ReadCommentOption(o, rtf, plain, error)) return Fail(error);
  std::string commentPath;
  const int id = SaveNewCase(store, record, o.category, rtf, plain, commentPath);
  if (id < 0) return Fail(store.LastMessage());
  if (o.json)
    PrintJson({{"id", id}});
  else
    std::cout << id << "\n";
  return 0;
}

int RunUpdate(const CliContext& ctx, int id, const CaseOptions& o) {
  MRecordBase store;
  AppFolder folder;
  if (!OpenStore(ctx, store, folder)) return 1;
  TRecordData record;
  CaseComment comment;
  std::string commentPath, error, rtf, plain;
  if (!ShowCase(store, id, record, comment, commentPath)) return Fail("没有这个案例！");
  if (!ApplyRequestOptions(o.chart, folder, true, record, error)) return Fail(error);
  if (!CheckChart(record, o.chart, folder, error)) return Fail(error);
  if (o.categoryOpt->count() > 0) {
    if (!CheckCategory(store, o.category, error)) return Fail(error);
    record.className = o.category;
  }
  if (CommentGiven(o)) {
    if (!ReadCommentOption(o, rtf, plain, error)) return Fail(error);
  } else {
    // The comment stays: its file is written back as it was.
    plain = record.remarkText;
    rtf = comment.isRichText ? comment.text : PlainTextToRtf(comment.text);
  }
  if (!SaveCaseChanges(store, id, record, rtf, plain, commentPath))
    return Fail(store.LastMessage());
  if (o.json)
    PrintJson({{"id", id}});
  else
    std::cout << "已保存编辑后的命例。\n";
  return 0;
}

CommandRegistrar reg{
    40, [](CLI::App& app, CliContext& ctx) {
      auto* cmd =
          app.add_subcommand("case", "Case store: list, show, add, update, remove, categories");
      cmd->require_subcommand(1);

      auto* list = cmd->add_subcommand("list", "Stored cases, newest first");
      static int limit = 0;
      static bool listJson = false;
      list->add_option("--limit", limit, "At most this many cases");
      AddJsonFlag(list, listJson);
      list->callback([&ctx] {
        ctx.run = [&ctx] {
          MRecordBase store;
          AppFolder folder;
          if (!OpenStore(ctx, store, folder)) return 1;
          TRecordData r;
          MYiDateEx dates;
          store.Connect();
          std::vector<int> ids;
          if (!store.CaseIds(ids, true, limit)) {
            store.Disconnect();
            return Fail(store.LastMessage());
          }
          for (const int id : ids) {
            if (!store.LoadCaseInBatch(id, r)) continue;
            if (listJson)
              PrintJsonLine(CaseJson(r, dates));
            else
              std::cout << id << "\t" << CaseCaption(r) << "\n";
          }
          store.Disconnect();
          return 0;
        };
      });

      auto* show = cmd->add_subcommand("show", "Every field of one case and its comment");
      static int showId = 0;
      static bool json = false;
      show->add_option("ID", showId)->required();
      AddJsonFlag(show, json);
      show->callback([&ctx] {
        ctx.run = [&ctx] {
          MRecordBase store;
          AppFolder folder;
          if (!OpenStore(ctx, store, folder)) return 1;
          TRecordData r;
          CaseComment comment;
          std::string path;
          if (!ShowCase(store, showId, r, comment, path)) return Fail("没有这个案例！");
          const std::string text = comment.isRichText ? RtfPlainText(comment.text) : comment.text;
          MYiDateEx dates;
          Json j = CaseJson(r, dates);
          j["comment"] = text;
          if (json) {
            PrintJson(j);
          } else {
            for (auto& [key, value] : j.items())
              std::cout << key << ": "
                        << (value.is_string() ? value.get<std::string>() : JsonText(value)) << "\n";
          }
          return 0;
        };
      });

      auto* add = cmd->add_subcommand("add", "Store a new case; prints its id");
      static CaseOptions addOptions;
      AddCaseOptions(add, addOptions);
      addOptions.categoryOpt->required();
      add->callback([&ctx] { ctx.run = [&ctx] { return RunAdd(ctx, addOptions); }; });

      auto* update = cmd->add_subcommand("update", "Replace the given fields of a stored case");
      static CaseOptions updateOptions;
      static int updateId = 0;
      update->add_option("ID", updateId)->required();
      AddCaseOptions(update, updateOptions);
      update->callback(
          [&ctx] { ctx.run = [&ctx] { return RunUpdate(ctx, updateId, updateOptions); }; });

      auto* remove = cmd->add_subcommand("remove", "Delete a case and its comment file");
      static int removeId = 0;
      remove->add_option("ID", removeId)->required();
      remove->callback([&ctx] {
        ctx.run = [&ctx] {
          MRecordBase store;
          AppFolder folder;
          if (!OpenStore(ctx, store, folder)) return 1;
          TRecordData record;
          if (!store.LoadCase(removeId, record)) return Fail("没有这个案例！");
          return DeleteCase(store, removeId, "") ? 0 : Fail(store.LastMessage());
        };
      });

      auto* categories = cmd->add_subcommand("categories", "The category list, or --set a new one");
      static std::vector<std::string> names;
      static bool categoriesJson = false;
      categories->add_option("--set", names, "The new list, in order")->check(Utf8Text());
      AddJsonFlag(categories, categoriesJson);
      categories->callback([&ctx] {
        ctx.run = [&ctx] {
          MRecordBase store;
          AppFolder folder;
          if (!OpenStore(ctx, store, folder)) return 1;
          if (!names.empty()) return store.SaveCategories(names) ? 0 : Fail(store.LastMessage());
          std::vector<std::string> list;
          if (!store.LoadCategories(list)) return Fail(store.LastMessage());
          for (const std::string& name : list) {
            if (categoriesJson)
              PrintJsonLine({{"category", name}});
            else
              std::cout << name << "\n";
          }
          return 0;
        };
      });
    }};

}  // namespace
}  // namespace taiyi::cli
