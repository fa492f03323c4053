#include "ui/main_window/window_config.h"

#include <algorithm>

namespace taiyi {
namespace {

int InRange(int value, int low, int high, int def) {
  return value < low || value > high ? def : value;
}

}  // namespace

WindowConfig ReadWindowConfig(const IniFile& ini) {
  const WindowConfig d;
  WindowConfig c;
  c.sheng = InRange(ini.ReadInteger("winpos", "sheng", d.sheng), 0, 1 << 30, d.sheng);
  c.shi = InRange(ini.ReadInteger("winpos", "shi", d.shi), 0, 1 << 30, d.shi);
  c.left = ini.ReadInteger("winpos", "left", d.left);
  c.top = ini.ReadInteger("winpos", "top", d.top);
  c.width = ini.ReadInteger("winpos", "width", d.width);
  c.height = ini.ReadInteger("winpos", "height", d.height);
  for (const char* key : {"left", "top", "width", "height"})
    c.geometrySaved = c.geometrySaved || ini.ValueExists("winpos", key);
  c.state = static_cast<StoredWindowState>(InRange(ini.ReadInteger("winpos", "state", 0), 0, 2, 0));
  c.treewid = std::max(ini.ReadInteger("winpos", "treewid", d.treewid), kMinTreeWidth);
  c.pinghei = std::max(ini.ReadInteger("winpos", "pinghei", d.pinghei), kMinCommentHeight);
  c.skined = ini.ReadBool("window", "skined", d.skined);
  c.skinname = ini.ReadString("window", "skinname", d.skinname);
  c.fname = ini.ReadString("minggao", "fname", d.fname);
  if (c.fname.empty()) c.fname = d.fname;
  c.fsize = InRange(ini.ReadInteger("minggao", "fsize", d.fsize), 1, 1000, d.fsize);
  c.bcolor = static_cast<Colour>(ini.ReadInteger("minggao", "bcolor", static_cast<int>(d.bcolor))) &
             0x00FFFFFFu;
  c.juStyle = InRange(ini.ReadInteger("minggao", "juStyle", d.juStyle), 0, 4, d.juStyle);
  c.showStyle = InRange(ini.ReadInteger("tree", "showStyle", d.showStyle), 0, 1, d.showStyle);
  c.sort = InRange(ini.ReadInteger("tree", "sort", d.sort), 0, 4, d.sort);
  return c;
}

bool WriteWindowConfig(IniFile& ini, const WindowConfig& c) {
  bool ok = true;
  if (c.state == StoredWindowState::kNormal) {
    ok &= ini.WriteInteger("winpos", "left", c.left);
    ok &= ini.WriteInteger("winpos", "top", c.top);
    ok &= ini.WriteInteger("winpos", "width", c.width);
    ok &= ini.WriteInteger("winpos", "height", c.height);
  }
  ok &= ini.WriteInteger("winpos", "sheng", c.sheng);
  ok &= ini.WriteInteger("winpos", "shi", c.shi);
  ok &= ini.WriteInteger("winpos", "state", static_cast<int>(c.state));
  ok &= ini.WriteInteger("winpos", "treewid", c.treewid);
  ok &= ini.WriteInteger("winpos", "pinghei", c.pinghei);
  ok &= ini.WriteString("minggao", "fname", c.fname);
  ok &= ini.WriteInteger("minggao", "fsize", c.fsize);
  ok &= ini.WriteInteger("minggao", "bcolor", static_cast<int>(c.bcolor));
  ok &= ini.WriteInteger("minggao", "juStyle", c.juStyle);
  ok &= ini.WriteInteger("tree", "showStyle", c.showStyle);
  ok &= ini.WriteInteger("tree", "sort", c.sort);
  return ok;
}

bool WriteSkinChoice(IniFile& ini, bool skined, const std::string* skinname) {
  bool ok = true;
  if (skinname != nullptr) ok &= ini.WriteString("window", "skinname", *skinname);
  ok &= ini.WriteBool("window", "skined", skined);
  return ok;
}

}  // namespace taiyi
