#include "ui/main_window/skin_menu.h"

#include <QApplication>

#include "platform/file_util.h"
#include "ui/main_window/window_config.h"
#include "ui/widgets/qt_prompter.h"

namespace taiyi {

std::vector<std::string> SkinCaptions(const AppFolder& folder) {
  std::vector<std::string> captions;
  for (const std::string& name : folder.SkinFileNames())
    captions.push_back(name.substr(0, name.find('.')));
  return captions;
}

bool SkinEngine::LoadFromFile(const std::string& path) {
  std::string bytes;
  if (!ReadFile(path, bytes)) return false;
  sheet_ = ToQString(bytes);
  if (active_) qApp->setStyleSheet(sheet_);
  return true;
}

void SkinEngine::SetActive(bool active) {
  active_ = active;
  // Setting the sheet restyles and repaints every widget of the application.
  qApp->setStyleSheet(active ? sheet_ : QString());
}

SkinMenu::SkinMenu(QMenu* menu, const AppFolder& folder, IniFile& initIni, Prompter& prompter,
                   SkinEngine& engine)
    : menu_(menu), folder_(folder), ini_(initIni), prompter_(prompter), engine_(engine) {}

std::string SkinMenu::SkinPath(const std::string& caption) const {
  return folder_.ShippedFile("skins/" + caption + ".skn");
}

void SkinMenu::BuildSkinMenu() {
  menu_->clear();
  const std::vector<std::string> captions = SkinCaptions(folder_);
  for (const std::string& caption : captions) menu_->addAction(ToQString(caption));
  if (!captions.empty()) {
    menu_->addSeparator();
    menu_->addAction(ToQString(kNoSkinCaption));
  }
  for (QAction* item : menu_->actions()) {
    if (item->isSeparator()) continue;
    item->setCheckable(true);
    QObject::connect(item, &QAction::triggered, menu_, [this, item] { SkinItemClick(item); });
  }
}

void SkinMenu::checkOnly(QAction* item) {
  for (QAction* other : menu_->actions())
    if (!other->isSeparator()) other->setChecked(other == item);
}

bool SkinMenu::ApplySavedSkin(bool skined, const std::string& skinname) {
  const QList<QAction*> items = menu_->actions();
  if (skined) {
    QAction* chosen = nullptr;
    for (QAction* item : items)
      if (!item->isSeparator() && ToStdString(item->text()) == skinname) chosen = item;
    checkOnly(chosen);
    return engine_.LoadFromFile(SkinPath(skinname));
  }
  engine_.SetActive(false);
  if (items.size() >= 2) checkOnly(items.back());
  return false;
}

void SkinMenu::SkinItemClick(QAction* item) {
  checkOnly(item);
  const std::string caption = ToStdString(item->text());
  if (caption == kNoSkinCaption) {
    engine_.SetActive(false);
    WriteSkinChoice(ini_, false, nullptr);
    return;
  }
  const std::string path = SkinPath(caption);
  if (!FileExists(path) || !engine_.LoadFromFile(path)) {
    prompter_.Message(kSkinFileLost);
    return;
  }
  engine_.SetActive(true);
  WriteSkinChoice(ini_, true, &caption);
}

}  // namespace taiyi
