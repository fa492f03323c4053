// The help window: fixed, read-only usage notes and version history on tab pages.
#pragma once

#include <QDialog>

namespace taiyi {

class MUiFont;

class TFrmTxtHelp final : public QDialog {
  Q_OBJECT

 public:
  explicit TFrmTxtHelp(MUiFont& uiFont, QWidget* parent = nullptr);
};

}  // namespace taiyi
