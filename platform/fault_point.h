// A test seam at every step that changes files or the case database: each such step first
// asks Pass().  Without a hook every step passes; a test installs one to count the steps of
// an operation, to make the n-th step fail, or to end the process there as a crash would.
#pragma once

#include <functional>
#include <string_view>

namespace taiyi::fault {

// Receives the step's name ("write", "rename", "sql", …); false makes the step fail.
using Hook = std::function<bool(std::string_view step)>;

// Installs the hook (an empty one removes it).  Not for use while other threads run steps.
void SetHook(Hook hook);

// True when the step may go ahead.
bool Pass(std::string_view step);

// Whether written data is flushed to disk (fsync) before it counts as written; on unless a
// test turns it off to run faster: a process that dies loses nothing it wrote, only a
// machine that stops does.
void SetDurable(bool durable);
bool Durable();

}  // namespace taiyi::fault
