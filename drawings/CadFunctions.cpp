// Module CadFunctions: layer visibility, zoom and pan, extents and the drawing cache over the
// drawing services.
#include "drawings/CadFunctions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "drawings/CADGraph.h"
#include "drawings/FakeCadServices.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Files.h"
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

// The zoom about the centre shows at least a tenth and at most 1.9 times the former window.
constexpr float kMaxZoomPercent = 90;

int CurrentView() { return CurrentInputs().CurrentDrawingTab; }

// Freezes a dimension layer unless dimensions are on and its plane is shown.
void ApplyDimLayer(int view, int position, bool planeShown) {
  services().SetLayerFrozen(view, position, !(vars().ShowDims && planeShown));
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
  int planeLayer, dimLayer;
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
  DefaultServices() = FakeCadServices{};
}

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

void UpdateDims() {
  vb::Proc g(kModule, "UpdateDims");
  const Vars& v = vars();
  for (int view = kFirstTabView; view <= kLastTabView; ++view) {
    g.step([&] { ApplyDimLayer(view, Layer::Dim1, v.ShowPlane1); });
    g.step([&] { ApplyDimLayer(view, Layer::Dim2, v.ShowPlane2); });
  }
  g.step([&] { services().Redraw(CurrentView()); });
}

void ToggleDims() {
  vb::Proc g(kModule, "ToggleDims");
  Vars& v = vars();
  g.step([&] { v.ShowDims = !v.ShowDims; });
  g.step([&] { UpdateDims(); });
  g.step([&] { windowHooks().SetMenuChecked("mnuViewShowDims", v.ShowDims); });
  g.step([&] { windowHooks().SetToolbarButtonBold(2, v.ShowDims); });
}

void ToggleGrid() {
  vb::Proc g(kModule, "ToggleGrid");
  Vars& v = vars();
  g.step([&] { v.ShowGrid = !v.ShowGrid; });
  for (int view = kFirstTabView; view <= kLastTabView; ++view) {
    g.step([&] { services().SetLayerFrozen(view, Layer::Grid, !v.ShowGrid); });
  }
  g.step([&] { services().Redraw(CurrentView()); });
  g.step([&] { windowHooks().SetMenuChecked("mnuViewShowGrid", v.ShowGrid); });
  g.step([&] { windowHooks().SetToolbarButtonBold(3, v.ShowGrid); });
}

void TogglePlane1() {
  TogglePlane({"TogglePlane1", &Vars::ShowPlane1, Layer::Plane1, Layer::Dim1, "mnuViewPlane1", 0});
}

void TogglePlane2() {
  TogglePlane({"TogglePlane2", &Vars::ShowPlane2, Layer::Plane2, Layer::Dim2, "mnuViewPlane2", 1});
}

void ZoomAll(int view) {
  vb::Proc g(kModule, "ZoomAll");
  g.step([&] { services().ZoomAll(view); });
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
  // A burst of ten wheel notches passes 100: the window would shrink to nothing.
  const float p =
      std::isnan(percent) ? 0.0f : std::clamp(percent, -kMaxZoomPercent, kMaxZoomPercent);
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
    services().ApplyViewWindow(view, {.minX = cx - halfWidth,
                                      .minY = cy - halfHeight,
                                      .maxX = cx + halfWidth,
                                      .maxY = cy + halfHeight});
  });
}

void GetMinMax(int view, vb::Variant& minX, vb::Variant& maxX, vb::Variant& minY,
               vb::Variant& maxY) {
  vb::Proc g(kModule, "GetMinMax");
  // The values are widened in a copy and handed back only when every entity was read.
  g.step([&] {
    double x0 = minX.toDouble(), x1 = maxX.toDouble();
    double y0 = minY.toDouble(), y1 = maxY.toDouble();
    auto widen = [&](double x, double y) {
      if (x < x0) x0 = x;
      if (x > x1) x1 = x;
      if (y < y0) y0 = y;
      if (y > y1) y1 = y;
    };
    services().ForEachEntity(view, [&](const EntityPoints& entity) {
      if (vb::EqualsNoCase(entity.layerName, "GRID")) return;
      widen(entity.x0, entity.y0);
      if (entity.entityType == "LWPOLYLINE") {
        for (const auto& [x, y] : entity.vertices) widen(x, y);
      }
    });
    minX = x0;
    maxX = x1;
    minY = y0;
    maxY = y1;
  });
}

void MakeGrid(int view) {
  vb::Proc g(kModule, "MakeGrid");
  g.step([&] { services().MakeGrid(view); });
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
  g.step([&] { services().UpdateCADDims(view); });
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
