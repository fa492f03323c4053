// The About window "关于": the program's name and version, the versions of Qt and SQLite it
// runs with, and the application folder with a link that opens it in the file browser.
#pragma once

#include <QDialog>
#include <functional>

#include "platform/app_folder.h"

namespace taiyi {

class MUiFont;

class TFrmAbout final : public QDialog {
  Q_OBJECT

 public:
  TFrmAbout(MUiFont& uiFont, const AppFolder& folder, QWidget* parent = nullptr);

  // Opens a folder in the file browser; the desktop's own unless replaced (tests).
  using FolderOpener = std::function<bool(const QUrl&)>;
  void SetFolderOpener(FolderOpener opener) { openFolder_ = std::move(opener); }

 protected:
  // The link takes a colour that reads on the background the skin gave the window.
  void showEvent(QShowEvent* event) override;

 private:
  FolderOpener openFolder_;
};

}  // namespace taiyi
