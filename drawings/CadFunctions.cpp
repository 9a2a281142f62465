// Module CadFunctions: layer visibility, zoom and pan, extents and the drawing cache over the
// drawing services.
#include "drawings/CadFunctions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "drawings/CADGraph.h"
#include "drawings/ControlNames.h"
#include "drawings/PageDrawing.h"
#include "foundation/DBase.h"
#include "foundation/General.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Strings.h"
#include "platform/runtime/Trap.h"
#include "platform/ui/Hooks.h"

namespace CadFunctions {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kModule = "CadFunctions";

// The view columns of the drawing database's table DXF, which are also the view names callers
// pass and part of the cache file names.
constexpr std::array<std::string_view, 13> kViewColumns = {
    "Top",          "Front",        "Side",         "Interior",      "InteriorEMS",
    "InteriorUtil", "Cabin",        "CabinFront",   "CabinFrontEMS", "CabinFrontUtil",
    "CabinSide",    "CabinSideEMS", "CabinSideUtil"};

// A zoom about the centre shows at least a tenth of the former window.
constexpr float kMaxZoomPercent = 90;

int CurrentView() { return CurrentInputs().CurrentDrawingTab; }

// A plane's dimension layer is shown exactly when its plane is shown and dimensions are enabled
// for the view.
void ApplyDimLayer(int view, std::string_view layer, bool planeShown) {
  services().SetLayerFrozen(view, layer, !(planeShown && EnableDims(view)));
}

// The aircraft number goes into a file name and the drawing database's query: digits only.
void CheckAircraftNumber(const std::string& number) {
  bool digits = !number.empty() && std::all_of(number.begin(), number.end(),
                                               [](char c) { return c >= '0' && c <= '9'; });
  if (!digits) vb::Raise(vb::err::InvalidCall, "Invalid aircraft number \"" + number + "\"");
}

// The column of a view name, in the spelling of the drawing database.
std::string ViewColumn(std::string_view view) {
  for (std::string_view column : kViewColumns) {
    if (vb::EqualsNoCase(column, view)) return std::string(column);
  }
  vb::Raise(vb::err::InvalidCall, "Unknown drawing view \"" + std::string(view) + "\"");
}

// The toggles of the two planes differ only in their layers and controls.
struct PlaneControls {
  std::string_view procedure;
  bool Vars::*flag;
  std::string_view planeLayer, dimLayer;
  std::string_view menuItem;
  int button;  // toolbar button, also the index of chkACVisible
};

void TogglePlane(const PlaneControls& plane) {
  vb::Proc g(kModule, plane.procedure);
  Vars& v = vars();
  g.step([&] { v.*plane.flag = !(v.*plane.flag); });
  const bool shown = v.*plane.flag;
  for (int view = kFirstTabView; view <= kLastTabView; ++view) {
    g.step([&] { services().SetLayerFrozen(view, plane.planeLayer, !shown); });
    g.step([&] { ApplyDimLayer(view, plane.dimLayer, shown); });
  }
  g.step([&] { services().Redraw(CurrentView()); });
  g.step([&] { windowHooks().SetMenuChecked(plane.menuItem, shown); });
  g.step([&] { windowHooks().SetToolbarButtonBold(plane.button, shown); });
  g.step([&] { windowHooks().SetAircraftVisibleCheck(plane.button, shown); });
  g.step([&] { windowHooks().ShowTabNo(); });
}

}  // namespace

Vars& vars() {
  static Vars v;
  return v;
}

void resetForTest() {
  vars() = Vars{};
  InstallServices(nullptr);
  InstallWindowHooks(nullptr);
  SetDrawingInputsSource({});
  SetPageInputsSource({});
  ClearEntityLists();
}

namespace {
const vb::StateReset stateReset(vb::ResetOrder::Drawings, &resetForTest);
}  // namespace

void InitDwgs() {
  vb::Proc g(kModule, "InitDwgs");
  g.step([&] { services().InitDwgs(); });
  for (int tab = kFirstTabView; tab <= kLastTabView; ++tab) {
    g.step([&] { windowHooks().SetTabDrawn(tab, false); });
  }
}

void SetupNewDrawing(int view) {
  vb::Proc g(kModule, "SetupNewDrawing");
  g.step([&] { services().SetupNewDrawing(view); });
}

int32_t LayerColor(int16_t position) {
  vb::Proc g(kModule, "LayerColor");
  int32_t colour = 0;
  g.step(
      [&] { colour = CADGraph::IndexColor(services().LayerColorIndex(CurrentView(), position)); });
  return colour;
}

bool EnableDims(int view) {
  vb::Proc g(kModule, "EnableDims");
  bool enabled = false;
  g.step([&] {
    if (!vars().ShowDims) return;
    // The drawing that composes pages has no overlay option of its own: it shows dimensions
    // whenever they are shown at all, and a page that wants none freezes their layers.
    if (view == kMeasuringView) {
      enabled = true;
      return;
    }
    const DrawingInputs inputs = CurrentInputs();
    const bool bothChosen = !inputs.Aircraft1.empty() && !inputs.Aircraft2.empty();
    enabled = !(bothChosen && windowHooks().OverlaySelected(view));
  });
  return enabled;
}

void UpdateDims() {
  vb::Proc g(kModule, "UpdateDims");
  const Vars& v = vars();
  for (int view = kFirstTabView; view <= kLastTabView; ++view) {
    g.step([&] { ApplyDimLayer(view, LayerName::Dim1, v.ShowPlane1); });
    g.step([&] { ApplyDimLayer(view, LayerName::Dim2, v.ShowPlane2); });
  }
  g.step([&] { services().Redraw(CurrentView()); });
}

void ToggleDims() {
  vb::Proc g(kModule, "ToggleDims");
  Vars& v = vars();
  g.step([&] { v.ShowDims = !v.ShowDims; });
  g.step([&] { UpdateDims(); });
  g.step([&] { windowHooks().SetMenuChecked(ctl::mnuViewShowDims, v.ShowDims); });
  g.step([&] { windowHooks().SetToolbarButtonBold(2, v.ShowDims); });
}

void ToggleGrid() {
  vb::Proc g(kModule, "ToggleGrid");
  Vars& v = vars();
  g.step([&] { v.ShowGrid = !v.ShowGrid; });
  for (int view = kFirstTabView; view <= kLastTabView; ++view) {
    g.step([&] { services().SetLayerFrozen(view, LayerName::Grid, !v.ShowGrid); });
  }
  g.step([&] { services().Redraw(CurrentView()); });
  g.step([&] { windowHooks().SetMenuChecked(ctl::mnuViewShowGrid, v.ShowGrid); });
  g.step([&] { windowHooks().SetToolbarButtonBold(3, v.ShowGrid); });
}

void TogglePlane1() {
  TogglePlane({"TogglePlane1", &Vars::ShowPlane1, LayerName::Plane1, LayerName::Dim1,
               ctl::mnuViewPlane1, 0});
}

void TogglePlane2() {
  TogglePlane({"TogglePlane2", &Vars::ShowPlane2, LayerName::Plane2, LayerName::Dim2,
               ctl::mnuViewPlane2, 1});
}

void ZoomAll(int view) {
  vb::Proc g(kModule, "ZoomAll");
  g.step([&] {
    ViewWindow window;
    if (!FrameExtents(MeasureExtents(view), services().ViewAspect(view), window)) return;
    services().ApplyViewWindow(view, window);
  });
}

void ZoomWindow() {
  vb::Proc g(kModule, "ZoomWindow");
  g.step([&] { vars().ZoomWindowMode = true; });
  g.step([&] { services().SetPickMode(CurrentView(), 2); });
  g.step([&] { ui::Current().SetStatusText("Select First Corner for Window"); });
}

void Pan() {
  vb::Proc g(kModule, "Pan");
  g.step([&] { vars().PanMode = true; });
  g.step([&] { services().SetPickMode(CurrentView(), 2); });
  g.step([&] { ui::Current().SetStatusText("Select Start Point for Pan"); });
}

void ZoomIn() {
  vb::Proc g(kModule, "ZoomIn");
  g.step([&] { ZoomCtr(services().ZoomStep(CurrentView())); });
}

void ZoomOut() {
  vb::Proc g(kModule, "ZoomOut");
  g.step([&] { ZoomCtr(-services().ZoomStep(CurrentView())); });
}

void ZoomPrevious() {
  vb::Proc g(kModule, "ZoomPrevious");
  g.step([&] { services().PreviousView(CurrentView()); });
}

void ZoomCtr(float percent) {
  vb::Proc g(kModule, "ZoomCtr");
  // Ten wheel notches at once pass 100, which would shrink the window to nothing or turn it
  // inside out; a percent that is no number leaves the window as it is.
  if (std::isnan(percent)) return;
  const float p = std::min(percent, kMaxZoomPercent);
  // One step: the window is applied only when it could be read.
  g.step([&] {
    const int view = CurrentView();
    const ViewWindow shown = services().DisplayedWindow(view);
    const float w = static_cast<float>(shown.maxX - shown.minX);
    const float h = static_cast<float>(shown.maxY - shown.minY);
    const float cx = static_cast<float>(shown.minX) + w / 2;
    const float cy = static_cast<float>(shown.minY) + h / 2;
    const float halfWidth = ((w / 2) * (100 - p)) / 100;
    const float halfHeight = ((h / 2) * (100 - p)) / 100;
    if (!std::isfinite(halfWidth) || !std::isfinite(halfHeight)) return;
    services().ApplyViewWindow(view, {.minX = cx - halfWidth,
                                      .minY = cy - halfHeight,
                                      .maxX = cx + halfWidth,
                                      .maxY = cy + halfHeight});
  });
}

void CadMouseDown(int /*view*/) {
  vb::Proc g(kModule, "CadMouseDown");
  vars().CadMouseDown = true;
}

void CadMouseUp(int view, float x, float y, bool panWithMouse) {
  vb::Proc g(kModule, "CadMouseUp");
  Vars& v = vars();
  if (v.PanMode) {
    v.CommandStartX = x;
    v.CommandStartY = y;
    v.PanMode = false;
    v.PanEndMode = true;
  } else if (v.PanEndMode) {
    // The window moves by the start point minus the end point: the drawing follows the
    // pointer from the first click to the second.
    g.step([&] { services().PanView(view, x, y, v.CommandStartX, v.CommandStartY); });
    v.PanEndMode = false;
    g.step([&] { services().SetPickMode(view, 0); });
  } else if (v.ZoomWindowMode) {
    v.CommandStartX = x;
    v.CommandStartY = y;
    v.ZoomWindowMode = false;
    v.ZoomWindowEndMode = true;
  } else if (v.ZoomWindowEndMode) {
    // Two clicks on one line pick no window: the view stays as it is.
    if (x != v.CommandStartX && y != v.CommandStartY) {
      g.step([&] { services().ZoomToWindow(view, v.CommandStartX, v.CommandStartY, x, y); });
    }
    v.ZoomWindowEndMode = false;
    g.step([&] { services().SetPickMode(view, 0); });
  } else if (v.CadMouseDown && panWithMouse) {
    g.step([&] {
      const ViewWindow shown = services().DisplayedWindow(view);
      const float cx =
          static_cast<float>(shown.minX) + static_cast<float>(shown.maxX - shown.minX) / 2;
      const float cy =
          static_cast<float>(shown.minY) + static_cast<float>(shown.maxY - shown.minY) / 2;
      services().PanView(view, cx, cy, x, y);
    });
  }
  v.CadMouseDown = false;
}

void CadMouseMove(int view, float x, float y) {
  vb::Proc g(kModule, "CadMouseMove");
  const Vars& v = vars();
  if (v.PanEndMode) {
    g.step([&] { services().DrawRubberLine(view, v.CommandStartX, v.CommandStartY, x, y); });
  } else if (v.ZoomWindowEndMode) {
    g.step([&] { services().DrawRubberBox(view, v.CommandStartX, v.CommandStartY, x, y); });
  }
  g.step([&] { ui::Current().SetStatusText(CommandPrompt()); });
}

std::string CommandPrompt() {
  const Vars& v = vars();
  if (v.PanMode) return "Select Start Point for Pan";
  if (v.PanEndMode) return "Select End Point for Pan";
  if (v.ZoomWindowMode) return "Select First Corner for Window";
  if (v.ZoomWindowEndMode) return "Select Second Corner for Window";
  return "";
}

void Extents::add(double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  if (empty) {
    *this = {false, x, x, y, y};
    return;
  }
  if (x < minX) minX = x;
  if (x > maxX) maxX = x;
  if (y < minY) minY = y;
  if (y > maxY) maxY = y;
}

void Widen(Extents& into, const Extents& other) {
  if (other.empty) return;
  into.add(other.minX, other.minY);
  into.add(other.maxX, other.maxY);
}

Extents MeasureExtents(int view) {
  Extents extents;
  services().ForEachEntity(view, [&](const EntityPoints& entity) {
    // The grid lines.
    if (IsLayer(entity.layerName, LayerName::Grid)) return;
    extents.add(entity.x0, entity.y0);
    // A polyline counts its vertices too; an R12 POLYLINE's own point is only its elevation
    // (normally the origin) and would otherwise be all of it that counted.
    if (entity.entityType == "LWPOLYLINE" || entity.entityType == "POLYLINE") {
      for (const auto& [x, y] : entity.vertices) extents.add(x, y);
    }
  });
  return extents;
}

bool FrameExtents(const Extents& extents, double aspect, ViewWindow& window) {
  if (extents.empty) return false;
  const float a = std::isfinite(aspect) && aspect > 0 ? static_cast<float>(aspect) : 1.0f;
  float minX = static_cast<float>(extents.minX), maxX = static_cast<float>(extents.maxX);
  float minY = static_cast<float>(extents.minY), maxY = static_cast<float>(extents.maxY);
  float w = maxX - minX;
  const float cx = minX + w / 2;
  float h = maxY - minY;
  const float cy = minY + h / 2;
  // A single point is shown as a one-inch box about it.
  if (w == 0 && h == 0) w = h = 1.0f / 1.1f;
  w = w * 1.1f;
  minX = cx - w / 2;
  maxX = cx + w / 2;
  h = h * 1.1f;
  minY = cy - h / 2;
  maxY = cy + h / 2;
  // Points on one horizontal line (h = 0) take the height from the width.
  if (h > 0 && w / h < a) {
    minX = cx - (h / 2) * a;
    maxX = cx + (h / 2) * a;
  } else {
    minY = cy - (w / 2) / a;
    maxY = cy + (w / 2) / a;
  }
  window = {.minX = minX, .minY = minY, .maxX = maxX, .maxY = maxY};
  return true;
}

void GetMinMax(int view, vb::Variant& minX, vb::Variant& maxX, vb::Variant& minY,
               vb::Variant& maxY) {
  vb::Proc g(kModule, "GetMinMax");
  // The values are handed back only when every entity was read.
  g.step([&] {
    Extents e{false, minX.toDouble(), maxX.toDouble(), minY.toDouble(), maxY.toDouble()};
    Widen(e, MeasureExtents(view));
    minX = e.minX;
    maxX = e.maxX;
    minY = e.minY;
    maxY = e.maxY;
  });
}

bool GetCADMinMax(int view, vb::Variant& minX, vb::Variant& maxX, vb::Variant& minY,
                  vb::Variant& maxY) {
  vb::Proc g(kModule, "GetCADMinMax");
  bool framed = false;
  g.step([&] {
    ViewWindow w;
    if (!FrameExtents(MeasureExtents(view), services().ViewAspect(view), w)) return;
    minX = static_cast<float>(w.minX);
    maxX = static_cast<float>(w.maxX);
    minY = static_cast<float>(w.minY);
    maxY = static_cast<float>(w.maxY);
    framed = true;
  });
  return framed;
}

void MakeGrid(int view) {
  vb::Proc g(kModule, "MakeGrid");
  Vars& v = vars();
  g.step([&] {
    if (v.GridSpacing == 0 || !std::isfinite(v.GridSpacing)) v.GridSpacing = 1;
  });
  g.step([&] {
    const float s = 12 * v.GridSpacing;
    const float low = -200 * s, high = 200 * s;
    services().SetCurrentLayer(view, LayerName::Grid);
    for (float x = low; x < high; x += s) services().AddLine(view, x, low, x, high);
    for (float y = low; y < high; y += s) services().AddLine(view, low, y, high, y);
  });
  g.step([&] {
    if (!v.ShowGrid) services().SetLayerFrozen(view, LayerName::Grid, true);
  });
}

void AddLine(int view, float x1, float y1, float x2, float y2) {
  vb::Proc g(kModule, "AddLine");
  g.step([&] { services().AddLine(view, x1, y1, x2, y2); });
}

void SetToCurrentLayer(int view) {
  vb::Proc g(kModule, "SetToCurrentLayer");
  g.step([&] { services().SetToCurrentLayer(view); });
}

void FixText(int view) {
  vb::Proc g(kModule, "FixText");
  g.step([&] { services().FixText(view); });
}

void UpdateCADDims(int view) {
  vb::Proc g(kModule, "UpdateCADDims");
  bool on = false;
  g.step([&] { on = General::IniBool("Settings", "UseMetricDims", false); });
  if (!on) return;
  g.step([&] { services().UpdateCADDims(view, DBase::vars().MetricUnits); });
}

std::string AircraftDxfFile(int plane, std::string_view view) {
  vb::Proc g(kModule, "AircraftDxfFile");
  std::string number;
  g.step([&] {
    DrawingInputs inputs = CurrentInputs();
    number = plane == 1 ? inputs.Aircraft1 : inputs.Aircraft2;
  });
  if (number.empty()) return "";
  std::string column;
  if (!g.step([&] {
        CheckAircraftNumber(number);
        column = ViewColumn(view);
      })) {
    return "";
  }
  fs::path folder, file;
  std::string path;
  g.step([&] {
    folder = vb::ResolveName(vb::ProgramFolder(), "DXF");
    std::error_code ec;
    if (!fs::is_directory(folder, ec) && !fs::create_directory(folder, ec)) {
      vb::Raise(vb::err::PathFileAccess);
    }
  });
  g.step([&] {
    file = folder / (number + column + ".dxf");
    path = file.string();
  });
  // A cached file is used as it is; only a missing one is fetched from the drawing database.
  g.step([&] {
    std::error_code ec;
    if (!path.empty() && !fs::is_regular_file(file, ec)) {
      services().ExtractViewDrawing(number, column, file);
    }
  });
  return path;
}

}  // namespace CadFunctions
