// The program's title: the main window's caption and the title of plain message boxes.
#pragma once

namespace taiyi {

inline constexpr char kProgramTitle[] = "墨衡太乙神数 1.3";

}  // namespace taiyi
