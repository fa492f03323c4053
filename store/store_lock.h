// Keeps the programs that write one case store apart.  Every writer holds an advisory lock
// (flock) on a file beside the database while it writes: shared for a change to single cases,
// so that several programs add and edit at once, exclusive for an operation on the whole
// store (import, export, backup, restore, compaction, delete-all, the old-version
// conversion, the repair at open), so that nothing is written while it reads, copies or
// replaces the files.  The lock goes with the process: a program that dies releases it.
#pragma once

#include <chrono>
#include <string>

namespace taiyi {

enum class StoreLockMode { kShared, kExclusive };

// How long a writer waits for a lock that another program holds before it gives up.
inline constexpr std::chrono::milliseconds kStoreLockWait{3000};

class StoreLock {
 public:
  StoreLock() = default;
  ~StoreLock() { Close(); }
  StoreLock(const StoreLock&) = delete;
  StoreLock& operator=(const StoreLock&) = delete;

  // The lock file; empty for a store that no other program uses (every take succeeds).
  void SetPath(std::string path);
  // Takes the lock in the mode, waiting up to wait.  A take while this object holds the lock
  // only counts (a shared take inside an exclusive hold stays exclusive).  False when another
  // program held it for the whole wait.
  bool Acquire(StoreLockMode mode, std::chrono::milliseconds wait = kStoreLockWait);
  // Gives one take back; the last one unlocks.
  void Release();
  bool HeldExclusive() const { return depth_ > 0 && mode_ == StoreLockMode::kExclusive; }

 private:
  void Close();

  std::string path_;
  int fd_ = -1;
  int depth_ = 0;
  StoreLockMode mode_ = StoreLockMode::kShared;
};

}  // namespace taiyi
