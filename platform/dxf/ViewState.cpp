#include "platform/dxf/ViewState.h"

#include <algorithm>
#include <cmath>

#include "platform/runtime/Error.h"

namespace dxf {

Window WidenToAspect(const Window& w, double aspect) {
  if (!(aspect > 0) || !std::isfinite(aspect)) aspect = 1;
  Window out = w;
  double width = w.Width(), height = w.Height();
  double cx = (w.MinX + w.MaxX) / 2, cy = (w.MinY + w.MaxY) / 2;
  if (width < height * aspect) {
    width = height * aspect;
  } else {
    height = width / aspect;
  }
  out.MinX = cx - width / 2;
  out.MaxX = cx + width / 2;
  out.MinY = cy - height / 2;
  out.MaxY = cy + height / 2;
  return out;
}

void ViewState::SetPixelSize(double width, double height) {
  width_ = std::max(0.0, width);
  height_ = std::max(0.0, height);
  derive();
}

void ViewState::derive() {
  double aspect = (width_ > 0 && height_ > 0) ? width_ / height_ : 1;
  displayed_ = WidenToAspect(requested_, aspect);
}

void ViewState::push() {
  history_.push_back(requested_);
  if (history_.size() > static_cast<size_t>(kHistoryDepth)) history_.pop_front();
}

void ViewState::Show(double x1, double y1, double x2, double y2) {
  Window w{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
  bool finite = std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2);
  if (!finite || !(w.Width() > 0) || !(w.Height() > 0) || !std::isfinite(w.Width()) ||
      !std::isfinite(w.Height())) {
    vb::Raise(vb::err::InvalidCall, "Invalid view window: it must have a width and a height");
  }
  push();
  requested_ = w;
  derive();
}

void ViewState::Pan(double dx, double dy) {
  if (!std::isfinite(dx) || !std::isfinite(dy)) {
    vb::Raise(vb::err::InvalidCall, "Invalid pan distance");
  }
  if (dx == 0 && dy == 0) return;
  push();
  requested_.MinX += dx;
  requested_.MaxX += dx;
  requested_.MinY += dy;
  requested_.MaxY += dy;
  derive();
}

bool ViewState::Previous() {
  if (history_.empty()) return false;
  requested_ = history_.back();
  history_.pop_back();
  derive();
  return true;
}

Point ViewState::PixelToDrawing(double px, double py) const {
  double w = width_ > 0 ? width_ : 1, h = height_ > 0 ? height_ : 1;
  return {displayed_.MinX + px / w * displayed_.Width(),
          displayed_.MaxY - py / h * displayed_.Height()};
}

Point ViewState::DrawingToPixel(double x, double y) const { return ToPixels()(x, y); }

Affine ViewState::ToPixels() const {
  double w = width_ > 0 ? width_ : 1, h = height_ > 0 ? height_ : 1;
  double sx = w / displayed_.Width(), sy = h / displayed_.Height();
  return {sx, 0, 0, -sy, -displayed_.MinX * sx, displayed_.MaxY * sy};
}

}  // namespace dxf
