// The mouse wheel: notches from wheel deltas, and the main window's wheel handler.
#include "mainwindow/MouseWheel.h"

#include <cstdlib>
#include <limits>

#include "drawings/CadFunctions.h"
#include "foundation/Registry.h"
#include "mainwindow/MainForm.h"
#include "platform/runtime/Trap.h"

namespace MouseWheel {

namespace {
constexpr const char* kModuleWord = "MouseWheel";
// Percent of zoom per notch.
constexpr float kZoomPerNotch = 10;
}  // namespace

int NotchAccumulator::Add(int delta) {
  if (delta == 0) return 0;
  // A turn the other way starts afresh: what was kept belongs to the other direction.
  if ((delta > 0) != (pending_ > 0) && pending_ != 0) pending_ = 0;
  // Kept in 64 bits so that no delta, however large, overflows the sum.
  const long long sum = static_cast<long long>(pending_) + delta;
  const long long notches = sum / kNotch;  // towards zero: the rest keeps the sign
  pending_ = static_cast<int>(sum - notches * kNotch);
  constexpr long long kMax = std::numeric_limits<int>::max();
  return static_cast<int>(notches > kMax ? kMax : (notches < -kMax ? -kMax : notches));
}

void MainFormMouseWheel(WheelWindow& window, int32_t rotation) {
  vb::Proc g(MainForm::kModule, "MouseWheel");
  if (rotation == 0) return;
  if (MainForm::vars().CurrentTab == MainForm::Tab::General) {
    g.step([&] {
      const ScrollBarValues bar = window.ScrollBar();
      // 64 bits: a fast spin times a large SmallChange cannot wrap round into the range.
      const long long v = static_cast<long long>(bar.value) -
                          static_cast<long long>(bar.smallChange) * rotation * 2;
      if (v >= bar.min && v <= bar.max) window.SetScrollValue(static_cast<int32_t>(v));
    });
    return;
  }
  if (Registry::RegSettings().ZoomWithMouse == 0) return;
  g.step([&] { CadFunctions::ZoomCtr(static_cast<float>(rotation) * kZoomPerNotch); });
}

bool WheelRouter::Deliver(int delta, WheelWindow* window) {
  vb::Proc g(kModuleWord, "WindowProc", vb::Trap::Report, false);
  if (!window) {
    notches_.Reset();
    last_ = nullptr;
    return false;
  }
  // What was kept for another window does not count for this one.
  if (window != last_) notches_.Reset();
  last_ = window;
  const int notches = notches_.Add(delta);
  if (notches != 0) {
    delivered_ += std::abs(notches);
    failures_.Run([&] { g.step([&] { MainFormMouseWheel(*window, notches); }); });
  }
  return true;
}

}  // namespace MouseWheel
