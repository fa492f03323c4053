#include "ui/main_window.h"

#include <gtest/gtest.h>

namespace taiyi {
namespace {

TEST(MainWindow, ShowsTheProgramCaption) {
  TFrmMain window;
  window.show();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("墨衡太乙神数 1.3"));
}

}  // namespace
}  // namespace taiyi
