// What every case command shares: opening the case store of the application folder (with
// the conversion report on stderr); the caption of a case comes from store/case_caption.h.
#pragma once

#include <string>
#include <vector>

#include "cli/command_registry.h"
#include "store/case_caption.h"
#include "store/record_base.h"

namespace taiyi::cli {

// False, with the message printed, when the folder or the store cannot be opened.
bool OpenStore(const CliContext& ctx, MRecordBase& store, AppFolder& folder);

// Empty when every named category is in the store's list; else the message to print.
std::string MissingCategory(MRecordBase& store, const std::vector<std::string>& categories);

}  // namespace taiyi::cli
