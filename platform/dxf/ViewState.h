#pragma once
// The view window of a drawing control: the window asked for, the window displayed (the asked
// window widened to the control's aspect, centred), the history of earlier windows and the
// mapping between pixels and drawing units (y up).
#include <deque>

#include "platform/dxf/Geometry.h"

namespace dxf {

struct Window {
  double MinX = 0, MinY = 0, MaxX = 12, MaxY = 9;
  double Width() const { return MaxX - MinX; }
  double Height() const { return MaxY - MinY; }
  bool operator==(const Window&) const = default;
};

class ViewState {
 public:
  static constexpr int kHistoryDepth = 20;

  // The control's size in pixels; the displayed window is derived again from the asked one.
  // A zero size counts as aspect 1.
  void SetPixelSize(double width, double height);
  double PixelWidth() const { return width_; }
  double PixelHeight() const { return height_; }

  // Shows a window (corners in any order), pushing the current one on the history. A window of
  // zero size or with a coordinate that is not finite raises vb::Error 5 and changes nothing.
  void Show(double x1, double y1, double x2, double y2);
  // Moves the window by (dx, dy); a zero move changes nothing.
  void Pan(double dx, double dy);
  // Back to the window before the last change; false when the history is empty.
  bool Previous();
  size_t HistorySize() const { return history_.size(); }

  const Window& Requested() const { return requested_; }
  const Window& Displayed() const { return displayed_; }

  // Pixel (from the top-left corner) to drawing units, and back.
  Point PixelToDrawing(double px, double py) const;
  Point DrawingToPixel(double x, double y) const;
  // The map from drawing units to pixels (uniform scale, y flipped).
  Affine ToPixels() const;

 private:
  void derive();
  void push();

  Window requested_;
  Window displayed_ = {0, -1.5, 12, 10.5};
  double width_ = 0, height_ = 0;
  std::deque<Window> history_;
};

// The window `w` widened to the aspect width/height, about its centre.
Window WidenToAspect(const Window& w, double aspect);

}  // namespace dxf
