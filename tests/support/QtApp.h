#pragma once
// The Qt application of a widget test program (offscreen unless the environment says
// otherwise, Fusion style) and an event pump.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <thread>
#include <utility>

namespace testsupport {

inline QApplication& QtApp() {
  static int argc = 1;
  static char name[] = "tolvane-test";
  static char* argv[] = {name, nullptr};
  if (!qApp) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: Qt's own statics are gone by the time a static object's destructor
    // would run at exit.
    new QApplication(argc, argv);
    QApplication::setStyle("Fusion");
    QApplication::setQuitOnLastWindowClosed(false);
  }
  return *static_cast<QApplication*>(QCoreApplication::instance());
}

// Lets the event loop run for about `ms` milliseconds, deferred deletes included.
inline void Pump(int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  } while (std::chrono::steady_clock::now() < end);
}

// Handles what is pending now, deferred deletes included, without waiting for more: what a
// test's end needs so that the windows it closed are gone before the next test.
inline void Settle() {
  for (int pass = 0; pass < 3; ++pass) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

// Lets the event loop run until `done` holds, for at most `timeoutMs` milliseconds; says
// whether it came to hold.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// While it lives, acts once on the modal widget (a dialog, a message box) as soon as one is
// shown: a short repeating timer looks for it from whatever event loop runs, the modal one's
// own included. `act` closes or answers it; the test goes on as soon as it has.
class WhenModal {
 public:
  explicit WhenModal(std::function<void(QWidget*)> act) : act_(std::move(act)) {
    timer_.setInterval(1);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) return;
      timer_.stop();
      seen_ = true;
      act_(modal);
    });
    timer_.start();
  }
  WhenModal(const WhenModal&) = delete;
  WhenModal& operator=(const WhenModal&) = delete;
  // Whether a modal widget was shown (and acted on).
  bool seen() const { return seen_; }

 private:
  std::function<void(QWidget*)> act_;
  QTimer timer_;
  bool seen_ = false;
};

// Where a test saves its screenshots: $TOLVANE_SCREENSHOTS, or "" for none.
inline QString ScreenshotFolder() { return qEnvironmentVariable("TOLVANE_SCREENSHOTS"); }

}  // namespace testsupport
