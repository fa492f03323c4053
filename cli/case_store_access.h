// What every case command shares: opening the case store of the application folder (with
// the conversion report on stderr) and the caption of a case as the case list shows it.
#pragma once

#include <string>

#include "cli/command_registry.h"
#include "store/record_base.h"

namespace taiyi::cli {

// False, with the message printed, when the folder or the store cannot be opened.
bool OpenStore(const CliContext& ctx, MRecordBase& store, AppFolder& folder);

// The name padded to 8 columns, the calendar (公/农, 闰) and the moment.
std::string CaseCaption(const TRecordData& record);

}  // namespace taiyi::cli
