#pragma once
// Module CadFunctions: the drawing views of the main window as the rest of the program uses
// them: set-up, layer visibility of the two aircraft, their dimensions and the grid, zoom and
// pan, extents, and the cached view drawings of each aircraft.
#include <cstdint>
#include <string>
#include <string_view>

#include "drawings/CadServices.h"
#include "foundation/Globals.h"
#include "platform/runtime/Strings.h"
#include "platform/runtime/Variant.h"

namespace CadFunctions {

// CAD(0) measures view drawings and composes pages; CAD(2) to CAD(5) are the views of the
// top, front, side and interior tabs (index = tab number, Globals::Tab).
constexpr int kMeasuringView = 0;
constexpr int kFirstTabView = Globals::Tab::FirstDrawing;
constexpr int kLastTabView = Globals::Tab::LastDrawing;

// 1-based positions of the standard layers of a set-up drawing.
namespace Layer {
constexpr int Zero = 1;    // "0", the control's own first layer
constexpr int Grid = 2;    // "Grid"
constexpr int Dim1 = 3;    // dimensions of Plane 1
constexpr int Dim2 = 4;    // dimensions of Plane 2
constexpr int Plane1 = 5;  // Plane 1's drawing
constexpr int Plane2 = 6;  // Plane 2's drawing
constexpr int DimA = 7;
constexpr int DimB = 8;
}  // namespace Layer

// Their names. Inside this module the standard layers are addressed by name, so that a page
// template with layers of its own (which push the standard ones to later positions) still has
// the right layers frozen and coloured.
namespace LayerName {
constexpr std::string_view Zero = "0";
constexpr std::string_view Grid = "Grid";
constexpr std::string_view Dim1 = "Dim1";
constexpr std::string_view Dim2 = "Dim2";
constexpr std::string_view Plane1 = "Plane1";
constexpr std::string_view Plane2 = "Plane2";
constexpr std::string_view DimA = "DimA";
constexpr std::string_view DimB = "DimB";
// The view drawings' own dimension layer, which a merge moves onto the plane's ("Dim1", "Dim2").
constexpr std::string_view Dim = "Dim";
}  // namespace LayerName
// Whether a layer name as the control gives it (entities carry it upper case: "PLANE1") is the
// layer `name` (LayerName::Plane1).
inline bool IsLayer(std::string_view layerName, std::string_view name) {
  return vb::EqualsNoCase(layerName, name);
}

// The extents of a drawing: the box of its counted points; `empty` while no point counted.
struct Extents {
  bool empty = true;
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  // Takes in one point (non-finite coordinates are ignored).
  void add(double x, double y);
  bool operator==(const Extents&) const = default;
};
// Widens `into` to cover `other` (an empty one adds nothing).
void Widen(Extents& into, const Extents& other);
// Extents taken from empty values, as GetMinMax and a drawing tab's composition take them: an
// empty value counts as 0, so they hold the origin before anything is measured.
inline constexpr Extents kFromEmptyValues{false, 0, 0, 0, 0};

// Module variables.
struct Vars {
  // What the drawing views show; the main window's first activation sets the first three.
  bool ShowPlane1 = false;
  bool ShowPlane2 = false;
  bool ShowDims = false;
  bool ShowGrid = false;
  // The two-click commands: Pan and ZoomWindow arm them, the views' mouse handlers finish them.
  bool CadMouseDown = false;
  bool PanMode = false;
  bool PanEndMode = false;
  bool ZoomWindowMode = false;
  bool ZoomWindowEndMode = false;
  // The first point of a pan or a zoom window (the main window's CommandStartX, CommandStartY).
  float CommandStartX = 0;
  float CommandStartY = 0;
  // The spacing of the grid in feet; 0 (unset) is made 1 by MakeGrid.
  float GridSpacing = 0;
};
Vars& vars();

// Restores the flags, the default services, hooks and input values.
void resetForTest();

// Empties and sets up CAD(0) and CAD(2) to CAD(5), and marks tabs 2 to 5 not drawn.
void InitDwgs();
// Adds the standard layers to the (just emptied) drawing of CAD(view), "Plane1" current.
void SetupNewDrawing(int view);
// The RGB colour of the layer at `position` of the current drawing view.
int32_t LayerColor(int16_t position);

// Whether dimensions may be shown in drawing view `view`: not without ShowDims, and not when
// both aircraft are chosen and the view shows them overlaid. CAD(0), which composes pages, has
// no overlay option: there it is ShowDims.
bool EnableDims(int view);
// Views 2 to 5: the dimension layer of each plane is thawed exactly when dimensions are enabled
// for the view and that plane is shown, and frozen otherwise; then the current view is redrawn.
void UpdateDims();
// Each inverts its flag, applies it to views 2 to 5, sets its View menu check and bold toolbar
// button (and, for the planes, the aircraft check box), and redraws the current view. The plane
// toggles then show the current tab again.
void ToggleDims();
void ToggleGrid();
void TogglePlane1();
void TogglePlane2();

// Shows the framed extents (GetCADMinMax) in CAD(view). A drawing with nothing to measure
// leaves the window as it is.
void ZoomAll(int view);
// Arm the two-click commands on the current drawing view.
void ZoomWindow();
void Pan();
// Zoom the current drawing view about its centre by its ZoomStep percent (in, out).
void ZoomIn();
void ZoomOut();
void ZoomPrevious();
// Zooms the current drawing view about its centre: the shown half-size is multiplied by
// (100 - percent) / 100, so a positive percent zooms in and a negative one out. A percent
// above 90 counts as 90 (ten wheel notches at once would shrink the window to nothing).
void ZoomCtr(float percent);

// The two-click commands and the plain-click re-centre, as the main window's mouse handlers of
// a drawing view CAD(view) hand them on (x, y in drawing units). CadMouseUp carries out the
// first armed step (pan start, pan end, window corner, second corner) or, with none armed,
// after a mouse-down on the view and with `panWithMouse`, makes the clicked point the centre;
// CadMouseMove draws the rubber band and shows the prompt of the armed step.
void CadMouseDown(int view);
void CadMouseUp(int view, float x, float y, bool panWithMouse);
void CadMouseMove(int view, float x, float y);
// The status-bar prompt of the first armed step; "" with none armed.
std::string CommandPrompt();

// The extents of CAD(view): the first point of every entity not on layer "GRID" and every
// vertex of a polyline (light-weight or R12). No other point counts: not the end points of a
// line, the radius of a circle or the extent of a text.
Extents MeasureExtents(int view);
// Widens the four values (in and out, written back as doubles) to cover the extents of CAD(view).
// An empty value counts as 0, so extents measured from empty values always hold the origin.
void GetMinMax(int view, vb::Variant& minX, vb::Variant& maxX, vb::Variant& minY,
               vb::Variant& maxY);
// The framed extents: a 5 % margin on each side, then widened about the centre to the shape
// of the control (Width / Height); single precision. A drawing with nothing counted leaves the
// four values unchanged and gives false; a single point is framed as a one-inch box.
bool GetCADMinMax(int view, vb::Variant& minX, vb::Variant& maxX, vb::Variant& minY,
                  vb::Variant& maxY);
// The framing alone, for extents already measured; false (and `window` unchanged) when empty.
bool FrameExtents(const Extents& extents, double aspect, ViewWindow& window);

// The grid of one view: 400 vertical and 400 horizontal lines, 12 x GridSpacing inches apart,
// from -200 to +200 steps about the origin, on layer "Grid" (left current), frozen unless
// ShowGrid.
void MakeGrid(int view);
// Appends a LINE from (x1, y1) to (x2, y2) to CAD(view) on its current layer.
void AddLine(int view, float x1, float y1, float x2, float y2);
// After a merge on layer "Plane1" or "Plane2": the merged layer-"0" entities go onto that
// layer and its dimensions onto "Dim1" or "Dim2" (colour by layer), and the two dimension
// layers take the dimension colours; then the view is redrawn.
void SetToCurrentLayer(int view);
// Gives every TEXT and MTEXT of the view the largest text height among them, unrotated.
void FixText(int view);
// With the INI setting "UseMetricDims" on: every TEXT on a dimension layer takes the largest
// height among them and, with metric units on, its numbers in metres. Otherwise nothing.
void UpdateCADDims(int view);

// The cached drawing of one view of Plane 1 (plane 1) or Plane 2 (any other plane): the path
// of DXF/<aircraft number><view>.dxf under the program folder, which is filled from the
// drawing database when missing (a cached file is used as it is; a file is written whole or
// not at all). "" when that plane has no aircraft. An aircraft number that is not all digits, or a
// view that is not a view column of the drawing database, is reported as an error and gives "".
std::string AircraftDxfFile(int plane, std::string_view view);

}  // namespace CadFunctions
