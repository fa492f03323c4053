// taiyi-cli case list | show | remove | categories: the case store from the command line.
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/command_registry.h"
#include "cli/user_years.h"
#include "platform/gbk.h"
#include "store/case_actions.h"
#include "store/case_schema.h"
#include "store/record_base.h"
#include "store/rtf_reader.h"

namespace taiyi::cli {
namespace {

bool OpenStore(const CliContext& ctx, MRecordBase& store, AppFolder& folder) {
  if (!PrepareFolder(ctx, folder)) return false;
  const int rc = store.Open(CaseDatabasePath(folder.root), folder.root, true);
  if (rc == -1) {
    Fail(store.LastMessage());
    return false;
  }
  if (rc == 1) std::cerr << store.LastMessage() << "\n";
  return true;
}

// The case as the case tree names it.
std::string Caption(const TRecordData& r) {
  std::string caption = r.name;
  std::size_t columns = 0;
  for (std::size_t i = 0; i < r.name.size(); i += Utf8CharLength(r.name, i))
    columns += static_cast<unsigned char>(r.name[i]) < 0x80 ? 1 : 2;
  for (; columns < 8; ++columns) caption += ' ';
  caption += r.lunar ? "  农" : "  公";
  if (r.lunar && r.leapMonth) caption += "闰";
  return caption + MomentText(r.year, r.month, r.day, r.hour, r.minute);
}

CommandRegistrar reg{40, [](CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("case", "Case store: list, show, remove, categories");
  cmd->require_subcommand(1);

  auto* list = cmd->add_subcommand("list", "Stored cases, newest first");
  static int limit = 0;
  list->add_option("--limit", limit, "At most this many cases");
  list->callback([&ctx] {
    ctx.run = [&ctx] {
      MRecordBase store;
      AppFolder folder;
      if (!OpenStore(ctx, store, folder)) return 1;
      int shown = 0;
      TRecordData r;
      store.Connect();
      for (int id = store.PrimaryId(); id >= 1 && (limit <= 0 || shown < limit); --id) {
        if (!store.LoadCaseInBatch(id, r)) continue;
        std::cout << id << "\t" << Caption(r) << "\n";
        ++shown;
      }
      store.Disconnect();
      return 0;
    };
  });

  auto* show = cmd->add_subcommand("show", "Every field of one case and its comment");
  static int showId = 0;
  static bool json = false;
  show->add_option("ID", showId)->required();
  show->add_flag("--json", json, "A JSON document");
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
      nlohmann::ordered_json j = {
          {"id", r.id}, {"kind", static_cast<int>(r.kind)}, {"name", r.name},
          {"year", r.year <= 0 ? r.year - 1 : r.year}, {"month", r.month}, {"day", r.day},
          {"hour", r.hour}, {"minute", r.minute}, {"lunar", r.lunar}, {"leapMonth", r.leapMonth},
          {"male", r.male}, {"provinceIndex", r.provinceIndex}, {"cityIndex", r.cityIndex},
          {"longitude", r.longitude}, {"latitude", r.latitude}, {"place", r.place},
          {"className", r.className}, {"remarkText", r.remarkText}, {"remarkFile", r.remarkFile},
          {"extraPlaceIndex", r.extraPlaceIndex}, {"comment", text}};
      if (json) {
        std::cout << j.dump(2) << "\n";
      } else {
        for (auto& [key, value] : j.items())
          std::cout << key << ": " << (value.is_string() ? value.get<std::string>() : value.dump())
                    << "\n";
      }
      return 0;
    };
  });

  auto* remove = cmd->add_subcommand("remove", "Delete a case and its comment file");
  static int removeId = 0;
  remove->add_option("ID", removeId)->required();
  remove->callback([&ctx] {
    ctx.run = [&ctx] {
      MRecordBase store;
      AppFolder folder;
      if (!OpenStore(ctx, store, folder)) return 1;
      return DeleteCase(store, removeId, "") ? 0 : Fail(store.LastMessage());
    };
  });

  auto* categories = cmd->add_subcommand("categories", "The category list, or --set a new one");
  static std::vector<std::string> names;
  categories->add_option("--set", names, "The new list, in order");
  categories->callback([&ctx] {
    ctx.run = [&ctx] {
      MRecordBase store;
      AppFolder folder;
      if (!OpenStore(ctx, store, folder)) return 1;
      if (!names.empty()) return store.SaveCategories(names) ? 0 : Fail(store.LastMessage());
      std::vector<std::string> list;
      if (!store.LoadCategories(list)) return Fail(store.LastMessage());
      for (const std::string& name : list) std::cout << name << "\n";
      return 0;
    };
  });
}};

}  // namespace
}  // namespace taiyi::cli
