#pragma once
// The Qt application of the widget tests (offscreen, Fusion) and an event pump.
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <chrono>
#include <thread>

#include "support/QtApp.h"

namespace mwtest {

using testsupport::PumpUntil;

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

inline void Pump(int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

inline void Mouse(QWidget* w, QEvent::Type type) {
  QMouseEvent e(type, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &e);
}

}  // namespace mwtest
