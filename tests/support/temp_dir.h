// A temporary folder for one test, removed with everything in it at the end of the test.
#pragma once

#include <filesystem>
#include <string>

namespace taiyi::test {

class TempDir {
 public:
  // Under the system's temporary folder, or under base when it is a folder (a test that
  // writes thousands of small files uses the memory file system /dev/shm).
  explicit TempDir(const std::string& base = {}) {
    std::error_code ec;
    const std::filesystem::path parent = !base.empty() && std::filesystem::is_directory(base, ec)
                                             ? std::filesystem::path(base)
                                             : std::filesystem::temp_directory_path();
    std::string pattern = (parent / "taiyi-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern + "/" : std::string();
  }
  ~TempDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, ending with '/'.
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

}  // namespace taiyi::test
