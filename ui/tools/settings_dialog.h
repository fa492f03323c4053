// The chart settings dialog: edits section "taiyi" of dat/set.ini (time base, zi-hour rule,
// life-chart method, accumulated years, background, ten-essence deities) and the interface
// font step of section "set", which takes effect at the next start.
#pragma once

#include <QDialog>
#include <functional>

#include "platform/app_folder.h"
#include "platform/ini_file.h"
#include "platform/prompter.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace taiyi {

class MUiFont;
class RadioGroup;

class TFrmSetcan final : public QDialog {
  Q_OBJECT

 public:
  // Asked for a new colour (0x00BBGGRR) starting from the current one; false when the user
  // cancels.  The default opens the platform's colour dialog.
  using ColourChooser = std::function<bool(QWidget* parent, int& colour)>;

  TFrmSetcan(MUiFont& uiFont, const AppFolder& folder, Prompter& prompter,
             QWidget* parent = nullptr);

  void SetColourChooser(ColourChooser chooser) { chooseColour_ = std::move(chooser); }
  // The colour the swatch shows, 0x00BBGGRR.
  int SwatchColour() const { return colour_; }

  // 保存设置: writes the settings and closes, or stays open with a message.
  void BitBtn1Click();
  // 取消: closes without writing.
  void BitBtn2Click();
  // 默认值: puts the defaults into the controls; nothing is written.
  void Button2Click();
  // 色彩选择
  void BtoColorClick();
  void ChkOldClick();

 private:
  void buildControls();
  void fillFontSteps(int recommended);
  void loadSettings();
  void setSwatch(int colour);
  bool write(bool ok);

  Prompter& prompter_;
  IniFile ini_;
  ColourChooser chooseColour_;
  int colour_ = 16777215;

  QLabel* Labzx_Color = nullptr;
  QPushButton* BtoColor = nullptr;
  RadioGroup* RdoDate = nullptr;
  RadioGroup* RdoMingJu = nullptr;
  QCheckBox* ChkZiShi = nullptr;
  QLineEdit* LedtJiNian = nullptr;
  QCheckBox* ChkOld = nullptr;
  QCheckBox* ChkShiJing = nullptr;
  QComboBox* CboUiSize = nullptr;
  QCheckBox* ChkMenuSize = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QPushButton* Button2 = nullptr;
};

}  // namespace taiyi
