#pragma once
// Module MouseWheel: the mouse wheel of the main window. The application-level event filter
// (WheelFilter) hands every wheel turn over the main window to a WheelRouter, which turns the
// wheel's deltas into whole notches and gives them to the main window's wheel handler: on the
// general-data tab a notch moves the panel's scroll bar, on every other tab it zooms the
// current drawing view. No Qt here: the window is reached through WheelWindow.
#include <cstdint>

#include "platform/runtime/RepeatedFailure.h"

namespace MouseWheel {

// One wheel notch, in the eighths of a degree that wheel events report.
inline constexpr int kNotch = 120;

// Wheel deltas into whole notches. A mouse wheel reports 120 per notch and is passed on
// unchanged; a touchpad or a high-resolution wheel reports small deltas (15, 40), which are
// kept until they make a notch. Turning the other way drops what was kept.
class NotchAccumulator {
 public:
  // Adds one delta (positive: away from the user) and returns the notches it completes.
  int Add(int delta);
  void Reset() { pending_ = 0; }
  int Pending() const { return pending_; }

 private:
  int pending_ = 0;  // less than one notch, same sign as the last delta
};

// The general tab's scroll bar as the wheel sees it.
struct ScrollBarValues {
  int32_t value = 0, min = 0, max = 0, smallChange = 1;
};

// What the wheel handler needs of the main window.
class WheelWindow {
 public:
  virtual ~WheelWindow() = default;
  virtual ScrollBarValues ScrollBar() = 0;
  // scrollFrame.Value := value, which moves the panels (scrollFrame_Change).
  virtual void SetScrollValue(int32_t value) = 0;
};

// frmMain.MouseWheel: on the general-data tab (CurrentTab 1) the bar moves by SmallChange x 2
// per notch, a forward notch towards the top, and only when the new value lies within Min to Max
// (a step that would pass either end is ignored, not clamped). On any other tab, when the
// setting ZoomWithMouse is on, the current drawing view zooms about its centre by 10 percent per
// notch (CadFunctions::ZoomCtr), also while a chart or data tab is shown.
void MainFormMouseWheel(WheelWindow& window, int32_t rotation);

// The hook's side: the wheel of one window, notch by notch.
class WheelRouter {
 public:
  // A wheel turn of `delta` for a window whose wheel handler is `window`; nullptr when the
  // window in front has none (a dialog). Returns whether the turn was taken: a window with no
  // handler leaves the wheel to its own widgets and no error is raised, so a dialog in front
  // never counts wheel turns towards the error limit; nor does a handler that fails the same
  // way on every notch (it is reported once).
  bool Deliver(int delta, WheelWindow* window);
  // Whole notches handed over since construction.
  long Delivered() const { return delivered_; }

 private:
  NotchAccumulator notches_;
  vb::RepeatedFailureFilter failures_;
  WheelWindow* last_ = nullptr;
  long delivered_ = 0;
};

}  // namespace MouseWheel
