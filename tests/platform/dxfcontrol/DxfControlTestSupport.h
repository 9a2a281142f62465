#pragma once
// The one QApplication that painting text and showing the drawing widget need.
#include <QApplication>

namespace dxfcontroltest {

inline void EnsureGuiApp() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "test_dxfcontrol";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

}  // namespace dxfcontroltest
