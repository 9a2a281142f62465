// The composition of the drawing tabs.
#include "drawings/DrawingTabs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <limits>
#include <numbers>

#include "drawings/ControlNames.h"
#include "foundation/Disk.h"
#include "foundation/Globals.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/runtime/Trap.h"

namespace MainForm {

namespace {

namespace CF = CadFunctions;
namespace Tab = Globals::Tab;
namespace ctl = CF::ctl;
using CF::Extents;

constexpr const char* kGeneral = "General";

// An offset in drawing units, to the nearest whole inch, halves to even. 32 bits: an offset of
// a large drawing is no overflow.
int32_t RoundOffset(double value) {
  if (!std::isfinite(value)) return 0;
  constexpr double lo = std::numeric_limits<int32_t>::min();
  constexpr double hi = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::nearbyint(std::clamp(value, lo, hi)));
}

bool Chosen(int plane) {
  const CF::DrawingInputs in = CF::CurrentInputs();
  return !(plane == 1 ? in.Aircraft1 : in.Aircraft2).empty();
}

std::string_view PlaneLayer(int plane) {
  return plane == 1 ? CF::LayerName::Plane1 : CF::LayerName::Plane2;
}

// The cached drawing of a plane's view when it exists; "" otherwise.
std::string ExistingDrawing(int plane, std::string_view view) {
  const std::string path = CF::AircraftDxfFile(plane, view);
  return !path.empty() && Disk::FileExists(path) ? path : std::string();
}

struct Placement {
  float rotation = 0, scaleX = 1, scaleY = 1, x = 0, y = 0;
};

// The extents of a drawing turned about its origin by `degrees` counter-clockwise, as a merge
// with that rotation places it: the bounds of the four turned corners (exact for quarter turns).
Extents Turned(const Extents& e, double degrees) {
  if (e.empty) return e;
  const double r = degrees * std::numbers::pi / 180;
  double cs = std::cos(r), sn = std::sin(r);
  if (std::fmod(degrees, 90.0) == 0) {
    cs = std::round(cs);
    sn = std::round(sn);
  }
  Extents out;
  for (double x : {e.minX, e.maxX})
    for (double y : {e.minY, e.maxY}) out.add(x * cs - y * sn, x * sn + y * cs);
  return out;
}

// Floor plans are merged a quarter turn round.
constexpr float kFloorTurn = 90;

// The X place of Plane 1's floor plan that sets it clear to the right of Plane 2's, from the
// plans' measured extents: taken across the plans as they are placed (their X extents after the
// turn), from Plane 1's left end to Plane 2's right end, with a fifth of that to spare.
int32_t FloorPlanOffset(const Extents& plane1, const Extents& plane2) {
  const Extents a = Turned(plane1, kFloorTurn), b = Turned(plane2, kFloorTurn);
  return RoundOffset((b.maxX - a.minX) * 1.2);
}

// Runs `use` on the cached drawing of a plane's view, when the cache has it. A cached file that
// does not read (cut short by a full disk or a crash, or damaged) would fail again at every
// composition and every start: it is deleted and extracted again from the drawing database,
// and the fresh copy is used. Only a failure of the fresh copy is reported. False when there is
// no drawing or it did not load.
template <class F>
bool UseCachedDrawing(vb::Proc& g, int plane, std::string_view view, F&& use) {
  std::string path;
  g.step([&] { path = ExistingDrawing(plane, view); });
  if (path.empty()) return false;
  try {
    use(path);
    return true;
  } catch (const vb::Error&) {
  } catch (const std::exception&) {
  }
  if (!g.step([&] {
        std::error_code ec;
        if (!std::filesystem::remove(path, ec) || ec)
          vb::Raise(vb::err::PathFileAccess, "Cannot delete the damaged cached drawing " + path);
      }))
    return false;
  path.clear();
  g.step([&] { path = ExistingDrawing(plane, view); });
  if (path.empty()) return false;
  return g.step([&] { use(path); });
}

// Merges a plane's view drawing when the cache has it.
void MergeView(vb::Proc& g, CompositionControls& controls, int tab, int plane,
               std::string_view view, const Placement* at) {
  UseCachedDrawing(g, plane, view, [&](const std::string& path) {
    if (at) {
      controls.MergeDrawingFile(tab, path, at->rotation, at->scaleX, at->scaleY, at->x, at->y);
    } else {
      controls.MergeDrawingFile(tab, path);
    }
  });
}

// The end common to every drawing tab: dimensions, zoom, completion, the drawn mark, and the
// visibility of both aircraft applied again to the freshly composed view (each toggle flips its
// flag back and applies it to the layers, the View menu, the toolbar and the check box).
void Finish(vb::Proc& g, CompositionControls& controls, int tab) {
  g.step([&] { CF::UpdateCADDims(tab); });
  g.step([&] { CF::ZoomAll(tab); });
  g.step([&] { controls.CompleteDrawing(tab); });
  CF::windowHooks().SetTabDrawn(tab, true);
  CF::Vars& cv = CF::vars();
  g.step([&] {
    cv.ShowPlane1 = !cv.ShowPlane1;
    CF::TogglePlane1();
  });
  g.step([&] {
    cv.ShowPlane2 = !cv.ShowPlane2;
    CF::TogglePlane2();
  });
  g.step([&] { CF::UpdateDims(); });
}

void ComposeExterior(int tab, CompositionControls& controls, CompositionOptions& options) {
  vb::Proc g(kGeneral, "ComposeExterior");
  static constexpr std::array<std::string_view, 3> kViews = {"Top", "Front", "Side"};
  const std::string_view view = kViews[static_cast<size_t>(tab - Tab::Top)];
  const CF::Vars& cv = CF::vars();

  bool sideBySide = false;
  g.step([&] {
    sideBySide =
        options.OptionSelected(ctl::Indexed(ctl::optSideOverlay_, SideBySideButton(tab))) &&
        cv.ShowPlane1 && cv.ShowPlane2;
  });
  // Every tab places the aircraft by their top views.
  int32_t offset = 0;
  if (sideBySide) {
    Extents a = CF::kFromEmptyValues, b = CF::kFromEmptyValues;
    g.step([&] {
      if (tab == Tab::Top) {
        MeasureView(controls, 1, "Top", a);
        offset = RoundOffset(a.maxX - a.minX);
      } else if (tab == Tab::Front) {
        MeasureView(controls, 1, "Top", a);
        MeasureView(controls, 2, "Top", b);
        offset = RoundOffset((a.maxX + b.maxX) / 2);
      } else {
        MeasureView(controls, 2, "Top", b);
        offset = RoundOffset(b.maxY);
      }
    });
  }
  g.step([&] { CF::MakeGrid(tab); });
  // Side by side, Plane 2 stands right of Plane 1 on the top and front views, and Plane 1
  // above Plane 2 on the side view.
  const float off = static_cast<float>(offset);
  const Placement plane1Side{0, 1, 1, 0, off};
  const Placement plane2Right{0, 1, 1, off, 0};
  for (int plane : {1, 2}) {
    if (!Chosen(plane)) continue;
    g.step([&] { CF::services().SetCurrentLayer(tab, PlaneLayer(plane)); });
    const Placement* at = nullptr;
    if (plane == 1 && tab == Tab::Side) at = &plane1Side;
    if (plane == 2 && tab != Tab::Side) at = &plane2Right;
    MergeView(g, controls, tab, plane, view, at);
    g.step([&] { CF::SetToCurrentLayer(tab); });
  }
  Finish(g, controls, tab);
}

// The three interior views of a helicopter configuration (1 corporate, 2 EMS, other utility).
struct HeliViews {
  std::string_view floor, cabin, cabinSide;
};
HeliViews HeliViewNames(int32_t config) {
  if (config == 1) return {"Interior", "CabinFront", "CabinSide"};
  if (config == 2) return {"InteriorEMS", "CabinFrontEMS", "CabinSideEMS"};
  return {"InteriorUtil", "CabinFrontUtil", "CabinSideUtil"};
}

void ComposeInterior(CompositionControls& controls, CompositionOptions& options) {
  vb::Proc g(kGeneral, "ComposeInterior");
  constexpr int tab = Tab::Interior;
  const CF::DrawingInputs mv = CF::CurrentInputs();
  const CF::Vars& cv = CF::vars();

  // The configuration buttons exist for the interiors the pair has; with none of them the
  // helicopter frame gives way to the fixed-wing one.
  const bool util = mv.UtilityInteriorAvailable, ems = mv.EMSInteriorAvailable;
  const bool heliFrame = util || ems;
  g.step([&] {
    options.SetOptionVisible(ctl::optCorp, heliFrame);
    options.SetOptionVisible(ctl::optUtil, util);
    options.SetOptionVisible(ctl::optEMS, ems);
    options.SetFrameVisible(ctl::fraInterior, !heliFrame);
    options.SetFrameVisible(ctl::fraInteriorHeli, heliFrame);
  });
  g.step([&] { CF::MakeGrid(tab); });

  bool overlay = false;
  g.step([&] { overlay = OverlaySelected(options, tab); });
  int32_t floorX = overlay ? 0 : 120;
  int32_t cabinX = overlay ? -25 : -190;
  const int32_t cabinSideY = overlay ? 100 : 190;

  auto selected = [&](std::string_view name) {
    return g.value([&] { return options.OptionSelected(name); }, false);
  };
  const bool heli = Globals::vars().AircraftClass == Globals::Class::Helicopter;
  const HeliViews hv = HeliViewNames(mv.InteriorConfig);
  // The views to show, by the buttons shown: a helicopter without an EMS or utility interior
  // shows the fixed-wing frame, whose "View All" shows all three of its views.
  const bool heliButtons = heli && heliFrame;
  const bool all = selected(heliButtons ? ctl::optHeliAll : ctl::optBothInterior);
  const bool floorPlan = all || selected(heliButtons ? ctl::optHeliInterior : ctl::optInterior);
  const bool crossSection = all || selected(heliButtons ? ctl::optHeliCabin : ctl::optCabin);
  const bool crossSectionSide = all || (heliButtons && selected(ctl::optHeliCabinSide));

  for (int plane : {1, 2}) {
    if (!Chosen(plane)) continue;
    g.step([&] { CF::services().SetCurrentLayer(tab, PlaneLayer(plane)); });
    if (heli) {
      // Plane 2 keeps the overlay places; Plane 1 moves aside when side by side.
      const bool p1 = plane == 1;
      if (floorPlan) {
        // Side by side, Plane 1's plan stands at its fixed place, or further right where a
        // longer pair of plans would meet there.
        if (p1 && !overlay && cv.ShowPlane1 && cv.ShowPlane2 && Chosen(2)) {
          g.step([&] {
            Extents a = CF::kFromEmptyValues, b = CF::kFromEmptyValues;
            if (MeasureView(controls, 1, hv.floor, a) && MeasureView(controls, 2, hv.floor, b))
              floorX = std::max(floorX, FloorPlanOffset(a, b));
          });
        }
        const Placement at{kFloorTurn, 1, 1, p1 ? static_cast<float>(floorX) : 0.0f, 0};
        MergeView(g, controls, tab, plane, hv.floor, &at);
      }
      if (crossSection) {
        const Placement at{0, 2, 2, p1 ? static_cast<float>(cabinX) : -25.0f, 100};
        MergeView(g, controls, tab, plane, hv.cabin, &at);
      }
      if (crossSectionSide) {
        const Placement at{0, 2, 2, 120, p1 ? static_cast<float>(cabinSideY) : 100.0f};
        MergeView(g, controls, tab, plane, hv.cabinSide, &at);
      }
    } else if (plane == 1) {
      bool sideSelected = false;
      g.step([&] { sideSelected = options.OptionSelected(ctl::Indexed(ctl::optSideOverlay_, 1)); });
      // Both measurements share the extents sets: with "View All" the cabin widens what the
      // floor plan left.
      Extents a = CF::kFromEmptyValues, b = CF::kFromEmptyValues;
      if (floorPlan) {
        if (sideSelected && cv.ShowPlane1 && cv.ShowPlane2) {
          g.step([&] {
            MeasureView(controls, 1, "Interior", a);
            MeasureView(controls, 2, "Interior", b);
            floorX = FloorPlanOffset(a, b);
          });
        } else if (!sideSelected) {
          floorX = 0;
        }
        const Placement at{kFloorTurn, 1, 1, static_cast<float>(floorX), 0};
        MergeView(g, controls, tab, 1, "Interior", &at);
      }
      if (crossSection) {
        if (sideSelected) {
          g.step([&] {
            MeasureView(controls, 1, "Cabin", a);
            MeasureView(controls, 2, "Cabin", b);
            cabinX = RoundOffset((b.minX - a.maxX) * 1.2 - 120);
          });
        } else {
          cabinX = -120;
        }
        const Placement at{0, 2, 2, static_cast<float>(cabinX), 200};
        MergeView(g, controls, tab, 1, "Cabin", &at);
      }
    } else {
      if (floorPlan) {
        const Placement at{90, 1, 1, 0, 0};
        MergeView(g, controls, tab, 2, "Interior", &at);
      }
      if (crossSection) {
        const Placement at{0, 2, 2, -120, 200};
        MergeView(g, controls, tab, 2, "Cabin", &at);
      }
    }
    g.step([&] { CF::SetToCurrentLayer(tab); });
    g.step([&] { CF::FixText(tab); });
  }
  g.step([&] { CF::services().SetLayerFrozen(tab, CF::LayerName::DimA, true); });
  g.step([&] { CF::services().SetLayerFrozen(tab, CF::LayerName::DimB, true); });
  Finish(g, controls, tab);
}

}  // namespace

int SideBySideButton(int tab) { return tab == Tab::Interior ? 1 : (tab - 1) * 2 + 1; }

bool OverlaySelected(CompositionOptions& options, int tab) {
  if (tab < Tab::Top || tab > Tab::Interior) return false;
  return options.OptionSelected(ctl::Indexed(ctl::optSideOverlay_, SideBySideButton(tab) - 1));
}

bool MeasureView(CompositionControls& controls, int plane, std::string_view view, Extents& into) {
  vb::Proc g(kGeneral, "MeasureView");
  // A drawing that did not load is not measured: CAD(0) still holds the one before.
  if (!UseCachedDrawing(g, plane, view, [&](const std::string& path) {
        controls.LoadDrawingFile(CF::kMeasuringView, path);
      }))
    return false;
  return g.step([&] { CF::Widen(into, CF::MeasureExtents(CF::kMeasuringView)); });
}

void ComposeDrawingTab(int tab, CompositionControls& controls, CompositionOptions& options) {
  if (tab >= Tab::Top && tab <= Tab::Side) {
    ComposeExterior(tab, controls, options);
  } else if (tab == Tab::Interior) {
    ComposeInterior(controls, options);
  }
}

void DxfCompositionControls::LoadDrawingFile(int view, const std::string& file) {
  services_.Control(view).LoadDrawingFile(file);
}

void DxfCompositionControls::MergeDrawingFile(int view, const std::string& file) {
  services_.Control(view).MergeDrawingFile(file);
}

void DxfCompositionControls::MergeDrawingFile(int view, const std::string& file, float rotation,
                                              float scaleX, float scaleY, float x, float y) {
  services_.Control(view).MergeDrawingFile(file, rotation, scaleX, scaleY, x, y);
}

void DxfCompositionControls::CompleteDrawing(int view) {
  services_.Control(view).CompleteDrawing();
}

}  // namespace MainForm
