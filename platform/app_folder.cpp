#include "platform/app_folder.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "platform/file_util.h"

namespace taiyi {
namespace {

std::string ExecutableDir() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string("./") : WithSlash(exe.parent_path().string());
}

std::string EnvOr(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec);
}

bool SameBytes(const std::string& a, const std::string& b) {
  std::string bytesA, bytesB;
  return ReadFile(a, bytesA) && ReadFile(b, bytesB) && bytesA == bytesB;
}

}  // namespace

std::string AppFolder::ShippedFile(std::string_view relative) const {
  if (!shipped.empty()) {
    std::string path = shipped + std::string(relative);
    if (FileExists(path)) return path;
  }
  return Path(relative);
}

std::string AppFolder::PlacesFile() const {
  const std::string mine = Dat() + kPlacesFileName;
  return FileExists(mine) ? mine : ShippedFile(std::string("dat/") + kPlacesFileName);
}

std::vector<std::string> AppFolder::SkinFileNames() const {
  std::vector<std::string> names;
  if (!shipped.empty()) names = ListFiles(shipped + "skins/", "*.skn");
  for (std::string& own : ListFiles(SkinDir(), "*.skn"))
    if (std::find(names.begin(), names.end(), own) == names.end()) names.push_back(std::move(own));
  return names;
}

AppFolderInputs AppFolderInputs::FromEnvironment(std::string dataDirOption) {
  const std::string exe = ExecutableDir();
  if (dataDirOption.empty()) dataDirOption = EnvOr("TAIYI_DATA_DIR");
  return {std::move(dataDirOption), exe, EnvOr("XDG_DATA_HOME"), EnvOr("HOME"),
          ShippedDataDir(exe)};
}

std::string ResolveAppFolderRoot(const AppFolderInputs& in) {
  if (!in.dataDirOption.empty()) {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(in.dataDirOption, ec);
    return WithSlash(ec ? in.dataDirOption : absolute.lexically_normal().string());
  }
  if (!in.executableDir.empty() && DirExists(WithSlash(in.executableDir) + "dat"))
    return WithSlash(in.executableDir);
  if (!in.xdgDataHome.empty() && in.xdgDataHome.front() == '/')
    return WithSlash(in.xdgDataHome) + "taiyi/";
  const std::string home = in.home.empty() ? std::string("/tmp") : in.home;
  return WithSlash(home) + ".local/share/taiyi/";
}

std::string ShippedDataDir(const std::string& executableDir) {
  if (executableDir.empty()) return {};
  const std::string exe = WithSlash(executableDir);
  std::error_code ec;
  const auto installed =
      std::filesystem::weakly_canonical(exe + TAIYI_SHARE_FROM_BIN, ec).lexically_normal();
  if (!ec && DirExists(installed.string() + "/dat")) return WithSlash(installed.string());
  if (DirExists(exe + "dat")) return exe;
  return {};
}

bool PrepareAppFolder(const AppFolderInputs& inputs, AppFolder& folder, std::string& error) {
  folder.root = ResolveAppFolderRoot(inputs);
  folder.shipped = inputs.shippedDir.empty() ? std::string() : WithSlash(inputs.shippedDir);
  if (!CreateDirs(folder.Dat()) || !CreateDirs(folder.CommentDir())) {
    error = "无法创建程序数据文件夹：" + folder.root;
    return false;
  }
  if (!folder.shipped.empty()) {
    const std::string mine = folder.Dat() + kPlacesFileName;
    const std::string theirs = folder.shipped + "dat/" + kPlacesFileName;
    if (FileExists(mine) && FileExists(theirs) && !SameFile(mine, theirs) &&
        SameBytes(mine, theirs))
      DeleteFile(mine);
  }
  return true;
}

}  // namespace taiyi
