// The application folder: the user's folder that holds dat/ (settings, an edited places
// file, the case database) and TaiYi_f/ (comment files).  Chosen in this order: the
// --data-dir option or $TAIYI_DATA_DIR; the executable's folder when a dat/ stands beside it
// (a portable install); else $XDG_DATA_HOME/taiyi (default ~/.local/share/taiyi).
//
// The data shipped with the program (star and ju texts, background picture, places, skins)
// is read in place from the shipped folder, found relative to the executable
// (../share/taiyi beside bin/), so an upgraded package reaches every user.  Only files the
// user changes are written to the application folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace taiyi {

// Names of the shipped files in dat/.
inline constexpr char kPlacesFileName[] = "dili.ini";
inline constexpr char kBackgroundFileName[] = "oldbk.jpg";

struct AppFolder {
  std::string root;     // the user's folder; ends with '/'
  std::string shipped;  // the shipped read-only data (holds dat/ and skins/); "" or ends with '/'

  std::string Dat() const { return root + "dat/"; }
  std::string CommentDir() const { return root + "TaiYi_f/"; }
  std::string SkinDir() const { return root + "skins/"; }
  // A path relative to the application folder, such as "dat/set.ini".
  std::string Path(std::string_view relative) const { return root + std::string(relative); }

  // A read-only file shipped with the program, named relative to the shipped folder
  // ("dat/yistar.txt", "skins/Ink.skn"): the shipped file when it exists, else the same
  // name in the application folder (a folder of an older version, or a program without
  // its data beside it).
  std::string ShippedFile(std::string_view relative) const;
  std::string ShippedDat(std::string_view name) const {
    return ShippedFile("dat/" + std::string(name));
  }
  // The places file: the user's dat/dili.ini once the places editor wrote it, else the
  // shipped one.  The places editor always writes to Dat() + kPlacesFileName.
  std::string PlacesFile() const;
  // The skin files (names such as "Ink.skn"): the shipped ones in their folder's order, then
  // the user's own skins that the program does not ship.  ShippedFile("skins/" + name) is
  // the file to read.
  std::vector<std::string> SkinFileNames() const;
};

// What the choice depends on; FromEnvironment() fills it for the running program.
struct AppFolderInputs {
  std::string dataDirOption;  // --data-dir, else $TAIYI_DATA_DIR; empty when neither is given
  std::string executableDir;
  std::string xdgDataHome;  // $XDG_DATA_HOME, may be empty
  std::string home;         // $HOME
  std::string shippedDir;   // the shipped read-only data (holds dat/ and skins/); may be empty
  static AppFolderInputs FromEnvironment(std::string dataDirOption);
};

// The folder that would be used, without touching the disk beyond looking for dat/.
std::string ResolveAppFolderRoot(const AppFolderInputs& inputs);

// Resolves the folder and creates dat/ and TaiYi_f/ when missing; nothing shipped is copied
// into it.  A places file that an older version copied there unchanged is removed, so that
// the shipped one (and every later update of it) is read.  False with a message when the
// folder cannot be made.
bool PrepareAppFolder(const AppFolderInputs& inputs, AppFolder& folder, std::string& error);

// Folder of the read-only data shipped with the program: ../share/taiyi/ from the
// executable's folder when it holds dat/, else the executable's own folder when it holds
// dat/ (a portable install); empty when neither is found.
std::string ShippedDataDir(const std::string& executableDir);

}  // namespace taiyi
