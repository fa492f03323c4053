// The pinyin command: the pinyin codes of a text, as the case tree's surname order uses them.
#include <iostream>
#include <memory>
#include <string>

#include "cli/command_registry.h"
#include "cli/json_output.h"
#include "platform/gbk.h"
#include "store/im_code.h"

namespace taiyi::cli {
namespace {

struct PinyinOptions {
  std::string text;
  bool full = false;
  bool markUnknown = false;
  bool keepSymbols = false;
  bool json = false;
};

CommandRegistrar reg{
    60, [](CLI::App& app, CliContext& ctx) {
      auto opts = std::make_shared<PinyinOptions>();
      auto* sub = app.add_subcommand("pinyin", "Pinyin initials (or syllables) of a text");
      sub->add_option("TEXT", opts->text, "Text (UTF-8)")->required();
      sub->add_flag("--full", opts->full, "Whole syllables instead of initials");
      sub->add_flag("--mark-unknown", opts->markUnknown, "\"?\" for a character with no reading");
      sub->add_flag("--keep-symbols", opts->keepSymbols,
                    "Keep characters that are not letters or digits");
      AddJsonFlag(sub, opts->json);
      sub->callback([&ctx, opts] {
        ctx.run = [opts] {
          if (!IsValidUtf8(opts->text)) return Fail("TEXT is not UTF-8");
          const int bits = (opts->full ? kImFullSyllable : 0) |
                           (opts->markUnknown ? kImMarkUnknown : 0) |
                           (opts->keepSymbols ? kImKeepSymbols : 0);
          const std::string codes = ImCode().PinyinCodes(opts->text, bits);
          if (opts->json)
            PrintJson({{"text", opts->text}, {"pinyin", codes}});
          else
            std::cout << codes << "\n";
          return 0;
        };
      });
    }};

}  // namespace
}  // namespace taiyi::cli
