// Interface font scaling: every window grows or shrinks by the font step of dat/set.ini
// (section "set"), its controls' sizes and positions following the change of text size, and
// the tooltip (and optionally menu) font with them.  One instance serves the whole program.
#pragma once

#include <QImage>
#include <QSize>
#include <string>
#include <vector>

#include "platform/app_folder.h"

class QWidget;

namespace taiyi {

class MUiFont {
 public:
  // Reads iFontSizeVar (default 0) and bChangeMenuSize (default false) of section "set" of
  // the folder's dat/set.ini once, now.
  explicit MUiFont(const AppFolder& folder);
  MUiFont(int step, bool changeMenuSize);

  int Step() const { return step_; }
  bool ChangeMenuSize() const { return changeMenuSize_; }

  // Scales the window and every control in it by the step; controls whose objectName is in
  // leaveAlone keep their size, position and font (their children are still scaled).  False,
  // and nothing changed, when the step is 0 or the window's font size plus the step is
  // outside 3 … 100.
  bool ScaleForm(QWidget* form, const std::vector<std::string>& leaveAlone = {});

  // The step that suits the width of the screen the dialog is on (0 on a 1920-pixel-wide
  // screen, positive on wider ones, negative on narrower ones).
  int Recommend(const QWidget* dialog);
  int Recommend(const QWidget* dialog, int screenWidth);

  // Width and height in pixels of "国" in 宋体 at the given point size, at 96 dots per inch.
  QSize MeasureText(int pointSize);

 private:
  struct Ratio {
    bool ok = false;
    double rx = 1, ry = 1;
  };
  Ratio Ratios(int size);
  void Scale(QWidget* control, double rx, double ry, int size, bool isForm);

  int step_ = 0;
  bool changeMenuSize_ = false;
  QImage surface_;
  std::vector<std::string> leaveAlone_;
};

// The point size of a widget's font (a pixel-sized font is converted at 96 dots per inch).
int FontPointSize(const QWidget* widget);

// The least width at which a window's title bar shows its whole caption: the caption in the
// window's font, made bold as title bars write it, with room for the icon and the buttons.
int CaptionWidth(const QWidget* window);
// Widens a window (and its least width) to its caption's width; a window of fixed width stays.
void FitCaption(QWidget* window);

}  // namespace taiyi
