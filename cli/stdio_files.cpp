#include "cli/stdio_files.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "platform/file_util.h"

namespace taiyi::cli {

bool IsStdStream(const std::string& path) {
  return path == "-";
}

bool ReadInputFile(const std::string& path, std::string& bytes) {
  if (!IsStdStream(path)) return ReadFile(path, bytes);
  bytes.clear();
  char buffer[1 << 16];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0;)
    bytes.append(buffer, n);
  return std::ferror(stdin) == 0;
}

bool WriteOutputFile(const std::string& path, std::string_view bytes) {
  if (!IsStdStream(path)) return WriteFileAtomic(path, bytes);
  std::cout.flush();
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
  return std::fflush(stdout) == 0 && ok;
}

std::string TemporaryOutputPath(const std::string& suffix) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/taiyi-cli-XXXXXX" + suffix;
  const int fd = mkstemps(pattern.data(), static_cast<int>(suffix.size()));
  if (fd < 0) return {};
  close(fd);
  return pattern;
}

bool CopyToStdout(const std::string& temporaryPath) {
  std::string bytes;
  const bool read = ReadFile(temporaryPath, bytes);
  DeleteFile(temporaryPath);
  return read && WriteOutputFile("-", bytes);
}

}  // namespace taiyi::cli
