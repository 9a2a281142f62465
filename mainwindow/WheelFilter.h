#pragma once
// The application-level wheel filter: the stand-in for the window hook of the Windows design.
// Every wheel turn over a widget of the main window (while no modal dialog is in front) goes to
// the main window's wheel handler and is consumed, so neither the scroll bar nor a drawing view
// scrolls by itself. Turns over other windows pass on untouched.
#include <QObject>

#include "mainwindow/MouseWheel.h"

class QWidget;

namespace MouseWheel {

class WheelFilter : public QObject {
 public:
  // `mainWindow` is the window whose widgets' wheel turns go to `handler`.
  WheelFilter(QWidget* mainWindow, WheelWindow* handler, QObject* parent = nullptr);
  // HookWindow / UnHookWindow: installs the filter on the application, and takes it off.
  void Hook();
  void UnHook();
  const WheelRouter& Router() const { return router_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* main_;
  WheelWindow* handler_;
  WheelRouter router_;
  bool hooked_ = false;
};

}  // namespace MouseWheel
