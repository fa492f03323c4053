// The window and interface state kept in dat/init.ini: where the main window stands, the
// sizes of its panes, the analysis editor's look, the chart kind, the case tree's style and
// order, and the skin.  Read once at start-up, written back when the window closes.
#pragma once

#include <string>

#include "platform/ini_file.h"
#include "platform/rich_text_sink.h"

namespace taiyi {

inline constexpr int kMinTreeWidth = 30;
inline constexpr int kMinCommentHeight = 20;

// Window states as stored: 0 normal, 1 minimised, 2 maximised.
enum class StoredWindowState : int { kNormal = 0, kMinimised = 1, kMaximised = 2 };

struct WindowConfig {
  // [winpos]
  int sheng = 0;  // row of the place-group list
  int shi = 0;    // row of the city list (checked against the city count by the window)
  int left = 10;
  int top = 10;
  int width = 400;   // client area
  int height = 400;  // client area
  StoredWindowState state = StoredWindowState::kNormal;
  int treewid = 180;
  int pinghei = 80;
  // Whether the file holds any of left, top, width and height; without them (a first start)
  // the window places itself on the screen.
  bool geometrySaved = false;
  // [window]
  bool skined = false;
  std::string skinname = "Mx1";
  // [minggao]
  std::string fname = "宋体";
  int fsize = 12;
  Colour bcolor = 12635344;  // 0xC0CCD0
  int juStyle = 0;           // chart-kind row, 0..4
  // [tree]
  int showStyle = 0;  // 0 by category, 1 as a list
  int sort = 0;       // 0 none, 1 time desc, 2 time asc, 3 surname a-z, 4 surname z-a

  friend bool operator==(const WindowConfig&, const WindowConfig&) = default;
};

// Every key with its default when the file, the key or a readable value is missing.  The tree
// width and the comment height are raised to their minimums; a state, chart kind, tree style
// or order outside its range, a negative row and a font size below 1 read as the default.
WindowConfig ReadWindowConfig(const IniFile& ini);

// The closing write: the position and client size only when the window is in its normal
// state (the stored ones stay otherwise), then every other key but the skin's.  False when
// a write failed.
bool WriteWindowConfig(IniFile& ini, const WindowConfig& config);

// The skin choice, written when the user picks a skin ("系统默认" writes skined only).
bool WriteSkinChoice(IniFile& ini, bool skined, const std::string* skinname);

}  // namespace taiyi
