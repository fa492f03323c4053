// Window tests run inside one QApplication on the offscreen platform, with HOME and the XDG
// folders pointed at a temporary folder so that no test touches the user's data.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "support/temp_dir.h"

int main(int argc, char** argv) {
  taiyi::test::TempDir home;
  setenv("HOME", home.path().c_str(), 1);
  setenv("XDG_DATA_HOME", home.file("data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", home.file("config").c_str(), 1);
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
