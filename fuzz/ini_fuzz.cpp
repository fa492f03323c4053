// Any bytes as an ini file: reading every section and key never crashes, and a value written
// reads back as written, with the other keys unchanged.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/file_util.h"
#include "platform/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = "/tmp/taiyi-ini-fuzz-" + std::to_string(getpid()) + ".ini";
  if (!taiyi::WriteFileAtomic(path, std::string(reinterpret_cast<const char*>(data), size)))
    return 0;
  taiyi::IniFile ini(path);
  std::string all;
  for (const std::string& section : ini.ReadSections())
    for (const std::string& key : ini.ReadSection(section)) {
      all += ini.ReadString(section, key, "?");
      (void)ini.ReadInteger(section, key, 0);
    }
  const std::string before = ini.ReadString("other", "key", "none");
  if (ini.WriteString("taiyi", "fuzzKey", "值 1")) {
    taiyi::IniFile again(path);
    if (again.ReadString("taiyi", "fuzzKey", "") != "值 1") std::abort();
    if (again.ReadString("other", "key", "none") != before) std::abort();
  }
  return 0;
}
