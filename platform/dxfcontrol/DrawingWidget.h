#pragma once
// A drawing control shown on screen: paints the displayed window, keeps the window fitted to
// its size, reports mouse input in drawing units and hands the wheel to its owner. The control
// never pans or zooms on mouse input by itself.
#include <QImage>
#include <QWidget>
#include <filesystem>

#include "platform/dxfcontrol/DrawingControl.h"

namespace dxf {

class DrawingWidget : public QWidget, public DrawingControl {
 public:
  explicit DrawingWidget(QWidget* parent = nullptr, std::filesystem::path baseFolder = {});

  // VB button and shift codes of Qt's.
  static int ButtonCode(Qt::MouseButtons buttons);
  static int ShiftCode(Qt::KeyboardModifiers modifiers);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void updateCursor();
  void invalidate();
  void mouse(QMouseEvent* event, const std::function<void(int, int, double&, double&)>& handler,
             int button);

  QImage cache_;  // the drawing at the current size and window; the rubber band goes on top
  bool cacheValid_ = false;
};

}  // namespace dxf
