// The application folder: the folder that holds dat/ (settings, places, the case database)
// and TaiYi_f/ (comment files).  Chosen in this order: the --data-dir option; the
// executable's folder when a dat/ stands beside it (a portable install); else
// $XDG_DATA_HOME/taiyi (default ~/.local/share/taiyi).
#pragma once

#include <string>
#include <string_view>

namespace taiyi {

struct AppFolder {
  std::string root;  // ends with '/'

  std::string Dat() const { return root + "dat/"; }
  std::string CommentDir() const { return root + "TaiYi_f/"; }
  std::string SkinDir() const { return root + "skins/"; }
  // A path relative to the application folder, such as "dat/set.ini".
  std::string Path(std::string_view relative) const { return root + std::string(relative); }
};

// What the choice depends on; FromEnvironment() fills it for the running program.
struct AppFolderInputs {
  std::string dataDirOption;  // empty when --data-dir was not given
  std::string executableDir;
  std::string xdgDataHome;  // $XDG_DATA_HOME, may be empty
  std::string home;         // $HOME
  std::string shippedDataDir;  // read-only dat/ shipped with the program; may be empty
  static AppFolderInputs FromEnvironment(std::string dataDirOption);
};

// The folder that would be used, without touching the disk beyond looking for dat/.
std::string ResolveAppFolderRoot(const AppFolderInputs& inputs);

// Resolves the folder, creates dat/ and TaiYi_f/ when missing and copies the data shipped
// with the program (places, texts, picture, skins) into it where files are missing.
// False with a message when the folder cannot be made.
bool PrepareAppFolder(const AppFolderInputs& inputs, AppFolder& folder, std::string& error);

// Folder of the read-only data shipped with the program (dat/ of an install or of the
// source tree), or empty when none is found.
std::string InstalledDataDir(const std::string& executableDir);

}  // namespace taiyi
