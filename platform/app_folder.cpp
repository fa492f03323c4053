#include "platform/app_folder.h"

#include <unistd.h>

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

// Copies the files of one shipped folder into target where they are missing.
void FillMissing(const std::string& from, const std::string& to) {
  if (from.empty() || !DirExists(from)) return;
  CreateDirs(to);
  for (const auto& name : ListFiles(from, "*"))
    if (!FileExists(to + name)) CopyFile(from + name, to + name, false);
}

}  // namespace

AppFolderInputs AppFolderInputs::FromEnvironment(std::string dataDirOption) {
  const std::string exe = ExecutableDir();
  return {std::move(dataDirOption), exe, EnvOr("XDG_DATA_HOME"), EnvOr("HOME"),
          InstalledDataDir(exe)};
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

std::string InstalledDataDir(const std::string& executableDir) {
  const std::string installed = WithSlash(executableDir) + "../share/taiyi/dat/";
  if (DirExists(installed)) return installed;
#ifdef TAIYI_SOURCE_DAT_DIR
  if (DirExists(TAIYI_SOURCE_DAT_DIR)) return WithSlash(TAIYI_SOURCE_DAT_DIR);
#endif
  return {};
}

bool PrepareAppFolder(const AppFolderInputs& inputs, AppFolder& folder, std::string& error) {
  folder.root = ResolveAppFolderRoot(inputs);
  if (!CreateDirs(folder.Dat()) || !CreateDirs(folder.CommentDir())) {
    error = "无法创建程序数据文件夹：" + folder.root;
    return false;
  }
  const std::string& shipped = inputs.shippedDataDir;
  if (!shipped.empty() && WithSlash(shipped) != folder.Dat()) {
    FillMissing(WithSlash(shipped), folder.Dat());
    FillMissing(WithSlash(shipped) + "../skins/", folder.SkinDir());
  }
  return true;
}

}  // namespace taiyi
