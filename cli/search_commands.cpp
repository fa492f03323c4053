// taiyi-cli case search | find: the conditional and the fuzzy case search from the command
// line, one line per found case.
#include <algorithm>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "calendar/date_service.h"
#include "chart/places.h"
#include "cli/case_json.h"
#include "cli/case_store_access.h"
#include "cli/chart_condition_options.h"
#include "cli/chart_options.h"
#include "cli/command_registry.h"
#include "cli/input_checks.h"
#include "cli/user_years.h"
#include "platform/gbk.h"
#include "store/case_schema.h"
#include "store/case_search.h"
#include "store/chart_case_search.h"
#include "store/record_base.h"

namespace taiyi::cli {
namespace {

// One line per found case; with json one JSON line each, and nothing when none was found.
int PrintFound(MRecordBase& store, const std::vector<std::int32_t>& ids, const char* none,
               bool json) {
  if (ids.empty()) {
    if (!json) std::cout << none << "\n";
    return 0;
  }
  TRecordData r;
  MYiDateEx dates;
  store.Connect();
  for (std::int32_t id : ids) {
    if (!store.LoadCaseInBatch(id, r)) continue;
    if (json)
      PrintJsonLine(CaseJson(r, dates));
    else
      std::cout << id << "\t" << CaseCaption(r) << "\n";
  }
  store.Disconnect();
  return 0;
}

struct SearchOptions {
  SearchDialogInput input;
  std::vector<std::string> years;
  std::string province;
  bool male = false, female = false;
  int exactCount = 0;
  bool json = false;
  bool chart = false;
  ConditionOptions conditions;
  ChartOptions settings;  // --set
  ChartConditions chartConditions;
};

// Any condition of the conditional search given (else it would pass every case).
bool HasCaseConditions(const SearchDialogInput& in) {
  return in.sexItem != 0 || in.provinceItem != 0 || !in.yearFrom.empty() || !in.name.empty() ||
         !in.className.empty() || !in.comment.empty();
}

CommandRegistrar reg{
    42, [](CLI::App& app, CliContext& ctx) {
      CLI::App* cmd = app.get_subcommand("case");

      auto* search = cmd->add_subcommand("search", "Cases that meet every given condition");
      static SearchOptions o;
      auto* nameOpt =
          search->add_option("--name", o.input.name, "text in the name")->check(Utf8Text());
      auto* classOpt = search->add_option("--category", o.input.className, "text in the category")
                          ->check(Utf8Text());
      auto* exactOpt = search->add_flag("--exact", o.exactCount,
                                        "the name or category given just before it must "
                                        "be equal (ASCII letters without case)");
      search->add_option("--comment", o.input.comment, "keyword in the comment")->check(Utf8Text());
      auto* maleOpt = search->add_flag("--male", o.male, "men only");
      search->add_flag("--female", o.female, "women only")->excludes(maleOpt);
      search->add_option("--years", o.years, "FROM TO, both included (-120 is 120 BC)")
          ->expected(2);
      search->add_option("--province", o.province, "a province of the province list")
          ->check(CLI::IsMember(std::vector<std::string>(kProvinces.begin(), kProvinces.end())));
      AddJsonFlag(search, o.json);
      search->add_flag("--chart", o.chart,
                       "also compute each case's chart as stored and keep those that meet the "
                       "chart conditions below");
      AddConditionOptions(search, o.conditions);
      AddSettingOptions(search, o.settings);
      search->callback([&ctx, search, nameOpt, classOpt, exactOpt] {
        o.chartConditions = ReadConditionOptions(o.conditions);
        if (!o.chart && !o.chartConditions.Empty())
          throw CLI::ValidationError("--chart", "图盘条件需与 --chart 一起使用");
        const CLI::Option* last = nullptr;
        for (const CLI::Option* opt : search->parse_order()) {
          if (opt == nameOpt || opt == classOpt) last = opt;
          if (opt != exactOpt) continue;
          if (!last) throw CLI::ValidationError("--exact", "follows --name or --category");
          (last == nameOpt ? o.input.nameExact : o.input.classExact) = true;
        }
        if (!o.years.empty()) {
          o.input.yearFrom = o.years[0];
          o.input.yearTo = o.years[1];
        }
        o.input.sexItem = o.male ? 1 : o.female ? 2 : 0;
        o.input.provinceItem = 0;
        for (std::size_t i = 0; i < kProvinces.size(); ++i)
          if (kProvinces[i] == o.province) o.input.provinceItem = static_cast<int>(i) + 1;
        ctx.run = [&ctx] {
          MRecordBase store;
          AppFolder folder;
          if (!OpenStore(ctx, store, folder)) return 1;
          SearchConditions conditions;
          const SearchInputCheck check = ReadSearchInput(o.input, store.PrimaryId(), conditions);
          if (!check.ok) return Fail(check.message);
          std::vector<std::int32_t> ids;
          if (!o.chart || HasCaseConditions(o.input)) SearchByConditions(store, conditions, ids);
          if (o.chart) {
            ChartSettings settings;
            std::string error;
            if (!ReadSettingsWithOverrides(o.settings, folder, settings, error)) return Fail(error);
            std::vector<std::int32_t> charted;
            SearchByChart(store, settings, o.chartConditions, charted);
            if (HasCaseConditions(o.input)) {
              std::vector<std::int32_t> both;
              std::set_intersection(ids.begin(), ids.end(), charted.begin(), charted.end(),
                                    std::back_inserter(both));
              charted = std::move(both);
            }
            ids = std::move(charted);
          }
          return PrintFound(store, ids, kSearchNothingFound, o.json);
        };
      });

      auto* find = cmd->add_subcommand("find", "Cases in which every keyword occurs");
      static std::vector<std::string> keywords;
      static bool findJson = false;
      AddJsonFlag(find, findJson);
      find->add_option("KEYWORD", keywords,
                       "keywords: name, 男/女, place, category, 1990年, 5月, "
                       "12日, 子时 or a word of the comment")
          ->required()
          ->check(Utf8Text());
      find->callback([&ctx] {
        ctx.run = [&ctx] {
          MRecordBase store;
          AppFolder folder;
          if (!OpenStore(ctx, store, folder)) return 1;
          std::string input;
          for (const std::string& word : keywords) input += word + ' ';
          const std::vector<std::string> split = SplitKeywords(input);
          if (split.empty()) return Fail(kMsgNoKeywords);
          std::vector<std::int32_t> ids;
          FuzzySearch(store, split, ids);
          return PrintFound(store, ids, kFuzzyNothingFound, findJson);
        };
      });
    }};

}  // namespace
}  // namespace taiyi::cli
