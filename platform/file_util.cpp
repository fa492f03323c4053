#include "platform/file_util.h"

#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "platform/fault_point.h"

namespace fs = std::filesystem;

namespace taiyi {

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

bool DirExists(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool CreateDirs(const std::string& path) {
  std::error_code ec;
  fs::create_directories(path, ec);
  return DirExists(path);
}

bool CopyFile(const std::string& from, const std::string& to, bool replace) {
  std::error_code ec;
  if (!fault::Pass("copy")) return false;
  if (!FileExists(from)) return false;
  if (!replace && fs::exists(to, ec)) return false;
  return fs::copy_file(from, to,
                       replace ? fs::copy_options::overwrite_existing : fs::copy_options::none,
                       ec) &&
         !ec;
}

bool DeleteFile(const std::string& path) {
  std::error_code ec;
  if (!fault::Pass("delete")) return false;
  return FileExists(path) && fs::remove(path, ec) && !ec;
}

bool RenameFile(const std::string& from, const std::string& to) {
  std::error_code ec;
  if (!fault::Pass("rename")) return false;
  fs::rename(from, to, ec);
  return !ec;
}

bool RemoveTree(const std::string& path) {
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(path, ec))) return true;
  if (!fault::Pass("delete")) return false;
  fs::remove_all(path, ec);
  return !fs::exists(fs::symlink_status(path, ec));
}

std::int64_t FileSize(const std::string& path) {
  std::error_code ec;
  if (!FileExists(path)) return -1;
  const auto size = fs::file_size(path, ec);
  return ec ? -1 : static_cast<std::int64_t>(size);
}

bool ReadFile(const std::string& path, std::string& bytes) {
  // One open, one fstat and reads straight into the string: a dump reads a comment file
  // for every case.  A folder opens like a file, so it is refused after the fstat.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
  const bool regular = ok && S_ISREG(info.st_mode);
  bytes.clear();
  std::size_t size = 0;
  while (ok) {
    // A file that gives its size has been read whole once that many bytes are in (files
    // of /proc give 0 and are read to the end).
    if (regular && info.st_size > 0 && size == static_cast<std::size_t>(info.st_size)) break;
    if (bytes.size() < size + 4096)
      bytes.resize(std::max<std::size_t>(regular ? info.st_size : 0, size * 2 + 4096));
    const ssize_t n = ::read(fd, bytes.data() + size, bytes.size() - size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    size += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(size);
  return ok;
}

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

// Writes the bytes into a new temporary file beside path (flushed with kNow).
bool WriteTemp(const std::string& path, std::string_view bytes, FileSync sync,
               std::string& temp) {
  static std::atomic<unsigned> counter{0};
  temp = path + ".tmp" + std::to_string(getpid()) + "_" + std::to_string(counter.fetch_add(1));
  if (!fault::Pass("write")) return false;
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes);
  if (sync == FileSync::kNow)
    ok = fault::Pass("fsync") && (!fault::Durable() || ::fsync(fd) == 0) && ok;
  ok = ::close(fd) == 0 && ok;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

}  // namespace

bool WriteFileAtomic(const std::string& path, std::string_view bytes, FileSync sync) {
  std::string temp;
  if (!WriteTemp(path, bytes, sync, temp)) return false;
  bool ok = fault::Pass("rename") && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  if (ok && sync == FileSync::kNow) ok = SyncFolder(FolderOfPath(path));
  return ok;
}

bool WriteTempFile(const std::string& path, std::string_view bytes, std::string& temp,
                   FileSync sync) {
  return WriteTemp(path, bytes, sync, temp);
}

bool ClaimFileName(const std::string& temp, const std::string& path, FileSync sync) {
  // link() refuses an existing name, so two programs can never claim the same file.
  if (!fault::Pass("link")) {
    errno = EIO;
    return false;
  }
  if (::link(temp.c_str(), path.c_str()) != 0) return false;
  ::unlink(temp.c_str());
  return sync == FileSync::kLater || SyncFolder(FolderOfPath(path));
}

bool SyncFolder(const std::string& dir) {
  if (!fault::Pass("fsync")) return false;
  if (!fault::Durable()) return true;
  const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  return ::close(fd) == 0 && ok;
}

std::string FolderOfPath(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool SyncFileSystem(const std::string& path) {
  if (!fault::Pass("fsync")) return false;
  if (!fault::Durable()) return true;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::syncfs(fd) == 0;
  return ::close(fd) == 0 && ok;
}

std::vector<std::string> ListFiles(const std::string& dir, const std::string& pattern,
                                   bool ignoreCase) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    const std::string name = it->path().filename().string();
    if (fnmatch(pattern.c_str(), name.c_str(), ignoreCase ? FNM_CASEFOLD : 0) == 0)
      names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string WithSlash(std::string dir) {
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  if (dir.empty() || dir.back() != '/') dir.push_back('/');
  return dir;
}

}  // namespace taiyi
