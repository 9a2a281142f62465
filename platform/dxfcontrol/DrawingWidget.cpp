#include "platform/dxfcontrol/DrawingWidget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

#include "platform/dxfcontrol/PainterSink.h"

namespace dxf {

DrawingWidget::DrawingWidget(QWidget* parent, std::filesystem::path baseFolder)
    : QWidget(parent), DrawingControl(std::move(baseFolder)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setMinimumSize(1, 1);
  SetSize(width(), height());
  onRepaint = [this] { invalidate(); };
  onOverlay = [this] { update(); };
  onCursor = [this] { updateCursor(); };
  onVisibility = [this](bool v) { QWidget::setVisible(v); };
  updateCursor();
}

int DrawingWidget::ButtonCode(Qt::MouseButtons buttons) {
  int code = 0;
  if (buttons & Qt::LeftButton) code |= 1;
  if (buttons & Qt::RightButton) code |= 2;
  if (buttons & Qt::MiddleButton) code |= 4;
  return code;
}

int DrawingWidget::ShiftCode(Qt::KeyboardModifiers modifiers) {
  int code = 0;
  if (modifiers & Qt::ShiftModifier) code |= 1;
  if (modifiers & Qt::ControlModifier) code |= 2;
  if (modifiers & Qt::AltModifier) code |= 4;
  return code;
}

void DrawingWidget::invalidate() {
  cacheValid_ = false;
  update();
}

void DrawingWidget::updateCursor() {
  setCursor(PickMode() == 2 ? Qt::CrossCursor : Qt::ArrowCursor);
}

void DrawingWidget::paintEvent(QPaintEvent*) {
  const qreal dpr = devicePixelRatioF();
  const int w = width(), h = height();
  const QSize pixels(qRound(w * dpr), qRound(h * dpr));
  if (!cacheValid_ || cache_.size() != pixels) {
    // The picture of the same size is painted over (every pixel is filled first): a fresh
    // image of a large window would cost its pages again on every redraw.
    if (cache_.size() != pixels || cache_.format() != QImage::Format_RGB32)
      cache_ = QImage(pixels, QImage::Format_RGB32);
    cache_.setDevicePixelRatio(dpr);
    QPainter cp(&cache_);
    try {
      PaintView(cp, w, h);
    } catch (...) {
      // A drawing that cannot be painted leaves the background; nothing escapes into Qt.
      cp.setClipping(false);
      cp.fillRect(QRectF(0, 0, w, h), ToQColor(BackgroundColor));
    }
    cacheValid_ = true;
  }
  QPainter p(this);
  p.drawImage(QPointF(0, 0), cache_);
  if (RubberKind() == Rubber::None) return;
  const Window r = RubberPoints();
  Point a = View().DrawingToPixel(r.MinX, r.MinY), b = View().DrawingToPixel(r.MaxX, r.MaxY);
  QPen pen(ToQColor(AciDisplayRgb(7, BackgroundColor)));
  pen.setStyle(Qt::DashLine);
  pen.setCosmetic(true);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  if (RubberKind() == Rubber::Line) {
    p.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
  } else {
    p.drawRect(QRectF(QPointF(a.x, a.y), QPointF(b.x, b.y)).normalized());
  }
}

void DrawingWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  SetSize(width(), height());
  cacheValid_ = false;
}

void DrawingWidget::mouse(QMouseEvent* event,
                          const std::function<void(int, int, double&, double&)>& handler,
                          int button) {
  if (!handler) return;
  Point p = View().PixelToDrawing(event->position().x(), event->position().y());
  double x = p.x, y = p.y;
  try {
    handler(button, ShiftCode(event->modifiers()), x, y);
  } catch (...) {
    // The owner's handlers trap their own errors; nothing may escape into Qt's event loop.
  }
}

void DrawingWidget::mousePressEvent(QMouseEvent* event) {
  mouse(event, MouseDown, ButtonCode(event->button()));
}

void DrawingWidget::mouseMoveEvent(QMouseEvent* event) {
  mouse(event, MouseMove, ButtonCode(event->buttons()));
}

void DrawingWidget::mouseReleaseEvent(QMouseEvent* event) {
  mouse(event, MouseUp, ButtonCode(event->button()));
}

void DrawingWidget::wheelEvent(QWheelEvent* event) {
  // The wheel belongs to the owner (the main window zooms); the control does nothing itself.
  int notches = event->angleDelta().y() / 120;
  if (MouseWheel && notches != 0) {
    try {
      MouseWheel(notches);
    } catch (...) {
    }
  }
  event->accept();
}

}  // namespace dxf
