// The proportional layout and the general panel's scroll rule.
#include "mainwindow/ProportionalLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "drawings/CadFunctions.h"
#include "foundation/Globals.h"
#include "mainwindow/MainForm.h"
#include "platform/runtime/Trap.h"

namespace MainForm {

namespace {

constexpr const char* kScrollMe = "SCROLLME";
constexpr int32_t kScrollStep = 100;  // twips per scroll value
constexpr int32_t kScrollBarWidth = 270;

// To the nearest whole number, halves to even (the rounding of the Windows design, and the
// default rounding mode), within the 32-bit range.
int32_t RoundEven(double value) {
  if (!std::isfinite(value)) return 0;
  constexpr double lo = std::numeric_limits<int32_t>::min();
  constexpr double hi = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::nearbyint(std::clamp(value, lo, hi)));
}

}  // namespace

ProportionalLayout::ProportionalLayout(DesignSize design, std::vector<ManagedControl> controls)
    : design_(design), controls_(std::move(controls)) {}

std::optional<std::vector<LayoutRect>> ProportionalLayout::Arrange(int32_t width,
                                                                   int32_t height) const {
  const int32_t sbh = design_.statusBarHeight;
  // Degenerate sizes would give ratios of zero or below, and negative heights.
  if (width <= 0 || height <= sbh || design_.width <= 0 || design_.height <= sbh) {
    return std::nullopt;
  }
  const double rx = static_cast<double>(width) / design_.width;
  const double ry = static_cast<double>(height - sbh) / (design_.height - sbh);
  std::vector<LayoutRect> out;
  out.reserve(controls_.size());
  for (const ManagedControl& c : controls_) {
    const bool containerScrolls = c.container >= 0 &&
                                  c.container < static_cast<int>(controls_.size()) &&
                                  controls_[static_cast<size_t>(c.container)].scrollMe;
    LayoutRect r = c.design;
    r.left = RoundEven(c.design.left * rx);
    r.width = RoundEven(c.design.width * rx);
    if (!c.scrollMe && !containerScrolls) {
      // The band at the top of the form keeps its height; a control inside a container scales
      // from its container's top.
      const int32_t band = c.container < 0 ? sbh : 0;
      r.top = RoundEven((c.design.top - band) * ry) + band;
      r.height = RoundEven(c.design.height * ry);
    }
    out.push_back(r);
  }
  return out;
}

ScrollBarSetting ScrollRule(int32_t generalHeight, int32_t panel0Height, int32_t panel1Height,
                            int16_t aircraftClass) {
  const int32_t shown = aircraftClass == Globals::Class::Helicopter ? panel0Height : panel1Height;
  ScrollBarSetting s;
  if (static_cast<int64_t>(generalHeight) - kScrollStep < shown) {
    s.visible = true;
    s.setRange = true;
    // The panels stand kScrollStep below the frame's top at value 0, so the last step must bring
    // the panel's bottom, that far lower, into the frame: a whole number of steps, rounded up.
    const int64_t beyond = static_cast<int64_t>(shown) + kScrollStep - generalHeight;
    s.max = static_cast<int32_t>(std::min<int64_t>((beyond + kScrollStep - 1) / kScrollStep,
                                                   std::numeric_limits<int32_t>::max()));
    // The bar takes no LargeChange of 0.
    s.largeChange = std::max(1, RoundEven(s.max / 10.0));
    s.width = kScrollBarWidth;
  }
  return s;
}

int32_t PanelTop(int32_t scrollValue) {
  return static_cast<int32_t>(std::clamp<int64_t>(
      kScrollStep - static_cast<int64_t>(scrollValue) * kScrollStep,
      std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

void FormResize(LayoutWindow& window, const ProportionalLayout& layout) {
  vb::Proc g(kModule, "Form_Resize", vb::Trap::Silent, true);
  bool minimized = true;
  g.step([&] { minimized = window.Minimized(); });
  if (minimized) return;
  std::optional<std::vector<LayoutRect>> rects;
  g.step([&] { rects = layout.Arrange(window.FormWidth(), window.FormHeight()); });
  if (!rects) return;
  for (size_t i = 0; i < rects->size(); ++i) {
    g.step([&] { window.Place(static_cast<int>(i), (*rects)[i]); });
  }
  ActivateScrollRule(window);
  const int tab = vars().CurrentTab;
  if (tab >= Tab::Top && tab <= Tab::Interior) {
    g.step([&] { CadFunctions::services().PanView(tab, 0, 0, 0, 0); });
  }
}

void ActivateScrollRule(LayoutWindow& window) {
  vb::Proc g(kModule, "ScrollRule", vb::Trap::Silent, false);
  g.step([&] {
    window.SetScrollBar(ScrollRule(window.GeneralHeight(), window.PanelHeight(0),
                                   window.PanelHeight(1), Globals::vars().AircraftClass));
  });
}

}  // namespace MainForm
