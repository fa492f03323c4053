// A QGuiApplication for tests that draw with fonts: made once, the first time a test asks,
// and kept until the test program ends.
#pragma once

#include <QGuiApplication>

namespace taiyi::test {

inline void EnsureGuiApp() {
  if (QGuiApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "tests";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  (void)app;
}

}  // namespace taiyi::test
