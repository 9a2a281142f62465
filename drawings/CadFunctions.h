#pragma once
// Module CadFunctions: the drawing views of the main window as the rest of the program uses
// them: set-up, layer visibility of the two aircraft, their dimensions and the grid, zoom and
// pan, extents, and the cached view drawings of each aircraft.
#include <cstdint>
#include <string>
#include <string_view>

#include "drawings/CadServices.h"
#include "platform/runtime/Variant.h"

namespace CadFunctions {

// CAD(0) measures view drawings and composes pages; CAD(2) to CAD(5) are the views of the
// top, front, side and interior tabs (index = tab number).
constexpr int kMeasuringView = 0;
constexpr int kFirstTabView = 2;
constexpr int kLastTabView = 5;

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

// Views 2 to 5: with ShowDims the dimension layer of each plane is thawed exactly when that
// plane is shown; without it both are frozen.
void UpdateDims();
// Each inverts its flag, applies it to views 2 to 5, sets its View menu check and bold toolbar
// button (and, for the planes, the aircraft check box), and redraws the current view. The plane
// toggles then show the current tab again.
void ToggleDims();
void ToggleGrid();
void TogglePlane1();
void TogglePlane2();

// Shows the drawing's extents, with a margin and the control's shape, in CAD(view).
void ZoomAll(int view);
// Arm the two-click commands on the current drawing view.
void ZoomWindow();
void Pan();
// Zoom the current drawing view about its centre by its ZoomStep percent (in, out).
void ZoomIn();
void ZoomOut();
void ZoomPrevious();
// Zooms the current drawing view about its centre: the shown half-size is multiplied by
// (100 - percent) / 100. The percent is held within -90 to 90, so that the window never
// shrinks to nothing or turns inside out.
void ZoomCtr(float percent);

// Widens the four values to cover the first point of every entity of CAD(view) not on layer
// "GRID" (in any letter case) and every vertex of a light-weight polyline. An empty value
// counts as 0, so extents measured from empty values include the origin. The values then
// hold doubles.
void GetMinMax(int view, vb::Variant& minX, vb::Variant& maxX, vb::Variant& minY,
               vb::Variant& maxY);
void MakeGrid(int view);
void SetToCurrentLayer(int view);
void FixText(int view);
void UpdateCADDims(int view);

// The cached drawing of one view of Plane 1 (plane 1) or Plane 2 (any other plane): the path
// of DXF/<aircraft number><view>.dxf under the program folder, which is filled from the
// drawing database when missing (a cached file is used as it is). "" when that plane has no
// aircraft. An aircraft number that is not all digits, or a view that is not a view column of
// the drawing database, is reported as an error and gives "".
std::string AircraftDxfFile(int plane, std::string_view view);

}  // namespace CadFunctions
