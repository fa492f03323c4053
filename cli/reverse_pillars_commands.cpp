// The reverse search of the command-line program: the first moment from a start year whose
// four pillars are the ones given.  Years are typed and printed as users write them.
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "calendar/date_service.h"
#include "calendar/ganzhi_names.h"
#include "calendar/pillar_search.h"
#include "cli/command_registry.h"
#include "cli/json_fields.h"
#include "cli/user_years.h"

namespace taiyi::cli {
namespace {

// Stem and branch numbers of a two-character pillar name such as "甲子"; the pair need not
// exist (甲丑 reads as stem 1, branch 2).
struct StemBranch {
  int stem = 0;
  int branch = 0;
};

std::optional<StemBranch> ReadStemBranch(const std::string& text) {
  std::optional<int> stem, branch;
  for (int s = 0; s < 10; ++s) {
    if (text.rfind(kStemNames[s], 0) == 0) stem = s;
  }
  if (!stem) return std::nullopt;
  const std::string rest = text.substr(kStemNames[*stem].size());
  for (int b = 0; b < 12; ++b) {
    if (rest == kBranchNames[b]) branch = b;
  }
  if (!branch) return std::nullopt;
  return StemBranch{*stem, *branch};
}

int RunReverse(const std::string names[4], int fromYear, bool json) {
  static constexpr PillarSlot kSlots[4] = {PillarSlot::kYear, PillarSlot::kMonth, PillarSlot::kDay,
                                           PillarSlot::kHour};
  StemBranch read[4];
  for (int i = 0; i < 4; ++i) {
    const std::optional<StemBranch> p = ReadStemBranch(names[i]);
    if (!p) {
      std::cerr << "bad pillar \"" << names[i] << "\": expected a stem and a branch such as 甲子\n";
      return 2;
    }
    if (p->stem % 2 != p->branch % 2) return Fail(NoSuchPillarMessage(kSlots[i]));
    read[i] = *p;
  }
  // The month and hour stems follow from the year and day stems.
  if (read[1].stem != MonthStemOf(read[0].stem, read[1].branch)) {
    return Fail(NoSuchPillarMessage(PillarSlot::kMonth));
  }
  if (read[3].stem != HourStemOf(read[2].stem, read[3].branch)) {
    return Fail(NoSuchPillarMessage(PillarSlot::kHour));
  }
  const std::optional<int> start = IsValidStartYear(fromYear) ? StoredYear(fromYear) : std::nullopt;
  if (!start) return Fail(kStartYearMessage);

  const PillarBuild built = BuildTargetPillars(
      {read[0].stem, read[0].branch, read[1].branch, read[2].stem, read[2].branch, read[3].branch});
  MYiDateEx service;
  const std::optional<YiDate> found = FindPillarMoment(service, *start, *built.pillars);
  if (!found) return Fail(kNoPillarMatchMessage);
  const std::string moment =
      MomentText(found->year, found->month, found->day, found->hour, found->minute);
  if (json) {
    Json doc;
    doc["pillars"] = {
        {"year", names[0]}, {"month", names[1]}, {"day", names[2]}, {"hour", names[3]}};
    doc["from"] = fromYear;
    AddMoment(doc, *found);
    PrintJson(doc);
  } else {
    std::cout << moment << "\n";
  }
  return 0;
}

CommandRegistrar registrar{
    25, [](CLI::App& app, CliContext& ctx) {
      auto* sub = app.add_subcommand(
          "reverse-pillars", "The first moment from a start year with the four pillars given");
      auto names = std::make_shared<std::array<std::string, 4>>();
      auto from = std::make_shared<int>(1950);
      auto json = std::make_shared<bool>(false);
      sub->add_option("YEAR", (*names)[0], "Year pillar, e.g. 甲辰")->required();
      sub->add_option("MONTH", (*names)[1], "Month pillar")->required();
      sub->add_option("DAY", (*names)[2], "Day pillar")->required();
      sub->add_option("HOUR", (*names)[3], "Hour pillar")->required();
      sub->add_option("--from", *from, "First year searched (default 1950)");
      AddJsonFlag(sub, *json);
      sub->callback([&ctx, names, from, json] {
        ctx.run = [names, from, json] { return RunReverse(names->data(), *from, *json); };
      });
    }};

}  // namespace
}  // namespace taiyi::cli
