#include "store/store_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace taiyi {

void StoreLock::SetPath(std::string path) {
  Close();
  path_ = std::move(path);
}

void StoreLock::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  depth_ = 0;
}

bool StoreLock::Acquire(StoreLockMode mode, std::chrono::milliseconds wait) {
  if (path_.empty()) return true;
  if (depth_ > 0 && (mode_ == StoreLockMode::kExclusive || mode == StoreLockMode::kShared)) {
    ++depth_;
    return true;
  }
  if (fd_ < 0) {
    fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) return false;
  }
  const int operation = (mode == StoreLockMode::kExclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
  const auto deadline = std::chrono::steady_clock::now() + wait;
  while (::flock(fd_, operation) != 0) {
    if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
      if (depth_ == 0) Close();
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  mode_ = mode;
  ++depth_;
  return true;
}

void StoreLock::Release() {
  if (path_.empty() || depth_ == 0) return;
  if (--depth_ == 0) Close();
}

}  // namespace taiyi
