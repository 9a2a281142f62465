#pragma once
// The Qt application of the widget tests (offscreen, Fusion) and event pumps.
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <functional>

#include "support/QtApp.h"

namespace mwtest {

using testsupport::PumpUntil;
using testsupport::Settle;
using testsupport::WhenModal;

inline QApplication& QtApp() {
  static int argc = 1;
  static char name[] = "test_mainwindow";
  static char* argv[] = {name, nullptr};
  if (!qApp) {
    // Never destroyed: Qt's own statics are gone by the time a static object's destructor
    // would run at exit.
    new QApplication(argc, argv);
    QApplication::setStyle("Fusion");
    QApplication::setQuitOnLastWindowClosed(false);
  }
  return *static_cast<QApplication*>(QCoreApplication::instance());
}

// Lets the event loop run until `done` holds (for at most `timeoutMs` milliseconds, the bound
// of a failure), then handles what that left pending; says whether it came to hold.
inline bool Await(const std::function<bool()>& done, int timeoutMs = 5000) {
  const bool held = PumpUntil(done, timeoutMs);
  Settle();
  return held;
}

// Lets the event loop run until the window is on the screen and has handled what its showing
// set off.
inline bool AwaitExposed(QWidget* w) {
  return Await([w] { return w->windowHandle() && w->windowHandle()->isExposed(); });
}

inline void Mouse(QWidget* w, QEvent::Type type) {
  QMouseEvent e(type, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &e);
}

}  // namespace mwtest
