// Window skins: a skin file skins/NAME.skn is a Qt style sheet that the skin engine applies to
// the whole application, and the menu "界面风格" lists the skin files with "系统默认" (no skin)
// last, switches between them and records the choice in dat/init.ini.
#pragma once

#include <QMenu>
#include <QString>
#include <string>
#include <vector>

#include "platform/app_folder.h"
#include "platform/ini_file.h"
#include "platform/prompter.h"

namespace taiyi {

inline constexpr char kNoSkinCaption[] = "系统默认";
inline constexpr char kSkinFileLost[] = "对应的皮肤文件已经丢失，请关闭软件，再重新打开软件！";

// Menu captions of the skin files, shipped and the user's own, in listing order: each file
// name up to its first ".".
std::vector<std::string> SkinCaptions(const AppFolder& folder);

// Holds one loaded style sheet and puts it on the application or takes it off.
class SkinEngine {
 public:
  // Reads the style sheet; false (the loaded one kept) when the file cannot be read.
  bool LoadFromFile(const std::string& path);
  void SetActive(bool active);
  bool Active() const { return active_; }
  const QString& StyleSheet() const { return sheet_; }

 private:
  QString sheet_;
  bool active_ = false;
};

class SkinMenu {
 public:
  // None of the objects is owned; all must outlive the menu.
  SkinMenu(QMenu* menu, const AppFolder& folder, IniFile& initIni, Prompter& prompter,
           SkinEngine& engine);

  // Fills the menu from the skin folder; with no skin file the menu stays empty.
  void BuildSkinMenu();
  // The choice of the last run: with skined the item named skinname is checked and that skin
  // loaded (true: activate it once the window is ready); otherwise skinning is off and
  // "系统默认" is checked.
  bool ApplySavedSkin(bool skined, const std::string& skinname);
  void SkinItemClick(QAction* item);

  std::string SkinPath(const std::string& caption) const;

 private:
  void checkOnly(QAction* item);

  QMenu* menu_;
  AppFolder folder_;
  IniFile& ini_;
  Prompter& prompter_;
  SkinEngine& engine_;
};

}  // namespace taiyi
