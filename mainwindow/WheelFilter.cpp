// The wheel filter over the application's events.
#include "mainwindow/WheelFilter.h"

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>

namespace MouseWheel {

WheelFilter::WheelFilter(QWidget* mainWindow, WheelWindow* handler, QObject* parent)
    : QObject(parent), main_(mainWindow), handler_(handler) {}

void WheelFilter::Hook() {
  if (hooked_ || !qApp) return;
  qApp->installEventFilter(this);
  hooked_ = true;
}

void WheelFilter::UnHook() {
  if (!hooked_ || !qApp) return;
  qApp->removeEventFilter(this);
  hooked_ = false;
}

bool WheelFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Wheel || !watched->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(watched);
  const bool ours = main_ && widget->window() == main_;
  // A modal dialog in front has no wheel handler: its own widgets take the wheel.
  WheelWindow* target = ours && !QApplication::activeModalWidget() ? handler_ : nullptr;
  const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
  return router_.Deliver(delta, target);
}

}  // namespace MouseWheel
