// What the main window's source files share: the input panel's width, the messages more than
// one of its commands shows, and the named menu item.
#pragma once

#include <QAction>
#include <QMenu>

#include "ui/widgets/qt_prompter.h"

namespace taiyi::main_window_parts {

inline constexpr int kPanelWidth = 105;
inline constexpr char kWaitForTree[] = "请等待案例加载完毕！";
inline constexpr char kCommentChanged[] = "当前评语文本已改变，要保存吗？";

// A menu item with an object name (the tests and the skins find items by it).
inline QAction* AddItem(QMenu* menu, const char* name, const char* caption) {
  QAction* item = menu->addAction(ToQString(caption));
  item->setObjectName(name);
  return item;
}

}  // namespace taiyi::main_window_parts
