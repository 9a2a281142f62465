#pragma once
// What the drawing operations need of the drawing subsystem and of the main window.
//
// The operations of CadFunctions and CADGraph are free functions. Those that only decide which
// layers to freeze, which window to show or which colour index to use are carried out there;
// the rest, and every member of the drawing control they use, go to the installed Services.
// The program installs DxfCadServices over the main window's drawing controls; until it does,
// services that do nothing stand in. What the operations change
// on the main window (View menu checks, bold toolbar captions, the aircraft check boxes, the
// tab flags and the tab display) and what they read of it (the overlay option buttons) goes
// through WindowHooks, so that this library never depends on the main window.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dxf {
class DrawingControl;
}

namespace CadFunctions {

// A view window in drawing units (inches).
struct ViewWindow {
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  bool operator==(const ViewWindow&) const = default;
};

// What the extents need of one entity: its layer and type, its first point and, for a
// polyline (light-weight or R12), its vertices.
struct EntityPoints {
  std::string layerName;
  std::string entityType;
  double x0 = 0, y0 = 0;
  std::vector<std::pair<double, double>> vertices;
};

class Services {
 public:
  virtual ~Services() = default;

  // --- Operations the drawing subsystem carries out whole ---
  // Empties CAD(0) and CAD(2) to CAD(5) and sets each up with the standard layers.
  virtual void InitDwgs() = 0;
  virtual void SetupNewDrawing(int view) = 0;
  virtual void SetToCurrentLayer(int view) = 0;
  virtual void FixText(int view) = 0;
  // Evens out the heights of the dimension texts; with `metric` their numbers (feet) are
  // written in metres as well. Only called when the INI setting "UseMetricDims" is on.
  virtual void UpdateCADDims(int view, bool metric) = 0;
  // Writes the drawing of aircraft `acNum` (digits only; bound as a parameter of the query)
  // held in column `view` of the drawing database to `file`, followed by CR LF, when the
  // database has one; writes nothing for a missing row or a Null column. The file is written
  // whole or not at all (temporary file renamed over it), so an interrupted write never leaves
  // a truncated drawing in the cache. Throws vb::Error when the database or the file fails.
  virtual void ExtractViewDrawing(const std::string& acNum, const std::string& view,
                                  const std::filesystem::path& file) = 0;

  // --- Members of the drawing control of view `view` (CAD(view)) ---
  // Freezes (hides) or thaws the layer of that name (any letter case).
  virtual void SetLayerFrozen(int view, std::string_view layer, bool frozen) = 0;
  // The colour index of the layer at 1-based `position`.
  virtual int LayerColorIndex(int view, int position) = 0;
  virtual void Redraw(int view) = 0;
  // The window shown now (ViewMinX, ViewMinY, ViewMaxX, ViewMaxY).
  virtual ViewWindow DisplayedWindow(int view) = 0;
  // Sets WindowMinX, WindowMaxX, WindowMinY, WindowMaxY and applies them.
  virtual void ApplyViewWindow(int view, const ViewWindow& window) = 0;
  virtual void PreviousView(int view) = 0;
  virtual float ZoomStep(int view) = 0;
  virtual void SetPickMode(int view, int mode) = 0;
  // CurrentLayerName: the layer of merged layer-"0" entities and of appended ones.
  virtual void SetCurrentLayer(int view, std::string_view layer) = 0;
  // The control's Width / Height.
  virtual double ViewAspect(int view) = 0;
  // Moves the window by (x2 - x1, y2 - y1).
  virtual void PanView(int view, double x1, double y1, double x2, double y2) = 0;
  virtual void ZoomToWindow(int view, double x1, double y1, double x2, double y2) = 0;
  virtual void DrawRubberLine(int view, double x1, double y1, double x2, double y2) = 0;
  virtual void DrawRubberBox(int view, double x1, double y1, double x2, double y2) = 0;
  // Appends a LINE on the current layer, in the colour the control gives a new entity.
  virtual void AddLine(int view, float x1, float y1, float x2, float y2) = 0;
  // Visits every entity of the view in collection order.
  virtual void ForEachEntity(int view, const std::function<void(const EntityPoints&)>& visit) = 0;
  // The drawing control of the view itself, for the operations that rewrite or flatten its
  // entities (template texts, entity lists). Raises error 91 where there is none, which is
  // all a stand-in without controls offers.
  virtual dxf::DrawingControl& Control(int view) const;
};

// Installs the drawing subsystem's services; nullptr restores the ones that do nothing.
void InstallServices(Services* services);
Services& services();
Services* InstalledServices();  // nullptr while the ones that do nothing serve

// The main window's side of the drawing operations: what they set on the window, and what they
// ask of it.
class WindowHooks {
 public:
  virtual ~WindowHooks() = default;

  // --- Questions: the window answers each; there is no default to fall back on ---
  // Whether the "Overlay" option button of drawing view `view` (2 to 5) is selected
  // (optSideOverlay 2, 4, 6 and 0 for the views 2, 3, 4 and 5).
  virtual bool OverlaySelected(int view) = 0;

  // --- Effects: each does nothing by default, on purpose: where no window is (pages composed in
  // CAD(0), the stand-in until one is installed) nothing shows them ---
  // Checked of a View menu item: "mnuViewPlane1", "mnuViewPlane2", "mnuViewShowDims" or
  // "mnuViewShowGrid".
  virtual void SetMenuChecked(std::string_view /*item*/, bool /*checked*/) {}
  // FontBold of button `index` of cmdToolbar, on the main window and on the tool window.
  virtual void SetToolbarButtonBold(int /*index*/, bool /*bold*/) {}
  // Value of the check box chkACVisible(index): 1 when checked, 0 when not.
  virtual void SetAircraftVisibleCheck(int /*index*/, bool /*checked*/) {}
  // TabDrawn(tab) of the tab dispatcher.
  virtual void SetTabDrawn(int /*tab*/, bool /*drawn*/) {}
  // General.ShowTabNo: shows the current tab again.
  virtual void ShowTabNo() {}
};

// Installs the main window's hooks; nullptr restores the stand-in, which sets nothing and answers
// as a window with no overlay selected.
void InstallWindowHooks(WindowHooks* hooks);
WindowHooks& windowHooks();
WindowHooks* InstalledWindowHooks();  // nullptr while the stand-in serves

// The program values the drawing operations read: the registry settings record (Aircraft1,
// Aircraft2, PlaneColor1, PlaneColor2, DimColor) and the main window's CurrentDrawingTab, as
// the main window's source gives them; without a source the values of a first run apply.
struct DrawingInputs {
  std::string Aircraft1;           // aircraft number of Plane 1; "" = none chosen
  std::string Aircraft2;           // aircraft number of Plane 2; "" = none chosen
  int32_t PlaneColor1 = 0x0000FF;  // RGB, red in the low byte
  int32_t PlaneColor2 = 0xFF0000;
  int32_t DimColor = -1;      // -1 = each plane's dimensions in its plane colour
  int CurrentDrawingTab = 2;  // 2 to 5, also the index of the drawing view
  // The interior configuration of the interior tab (1 corporate, 2 EMS, 3 utility) and the
  // interiors the pair of helicopters has.
  int32_t InteriorConfig = 1;
  bool EMSInteriorAvailable = false;
  bool UtilityInteriorAvailable = false;
};
// The colour plane `plane`'s dimensions show in (1 Plane 1, any other number Plane 2): `dimColor`,
// or while it is -1 the plane's colour.
constexpr int32_t ShownDimColor(int32_t dimColor, int plane, int32_t planeColor1,
                                int32_t planeColor2) {
  return dimColor != -1 ? dimColor : plane == 1 ? planeColor1 : planeColor2;
}
void SetDrawingInputsSource(std::function<DrawingInputs()> source);  // empty: the defaults
const std::function<DrawingInputs()>& DrawingInputsSource();
DrawingInputs CurrentInputs();

}  // namespace CadFunctions
