#include "platform/file_util.h"

#include <fcntl.h>
#include <fnmatch.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>

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
  if (!FileExists(from)) return false;
  if (!replace && fs::exists(to, ec)) return false;
  return fs::copy_file(from, to,
                       replace ? fs::copy_options::overwrite_existing : fs::copy_options::none,
                       ec) &&
         !ec;
}

bool DeleteFile(const std::string& path) {
  std::error_code ec;
  return FileExists(path) && fs::remove(path, ec) && !ec;
}

bool RenameFile(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::rename(from, to, ec);
  return !ec;
}

std::int64_t FileSize(const std::string& path) {
  std::error_code ec;
  if (!FileExists(path)) return -1;
  const auto size = fs::file_size(path, ec);
  return ec ? -1 : static_cast<std::int64_t>(size);
}

bool ReadFile(const std::string& path, std::string& bytes) {
  // A folder opens like a file here, and reading it would throw from inside the stream.
  if (DirExists(path)) return false;
  try {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
  } catch (const std::exception&) {
    return false;
  }
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes, FileSync sync) {
  static std::atomic<unsigned> counter{0};
  const std::string temp =
      path + ".tmp" + std::to_string(getpid()) + "_" + std::to_string(counter.fetch_add(1));
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = true;
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (ok && left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
    } else {
      p += n;
      left -= static_cast<std::size_t>(n);
    }
  }
  if (sync == FileSync::kNow) ok = ::fsync(fd) == 0 && ok;
  ok = ::close(fd) == 0 && ok;
  if (ok) ok = ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

bool SyncFileSystem(const std::string& path) {
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
