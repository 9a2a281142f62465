#pragma once
// The page printers of module CadFunctions and the screen plot. A page routine prints one page
// onto the current page of Printing::Target() (the printer, or the preview in preview mode);
// the print commands set PrintPageNumber and PrintPageCount, and take care of new pages, copies
// and the end of each document.
#include <string>
#include <string_view>

#include "printing/PageVectors.h"

namespace dxf {
class DrawingControl;
}

namespace CadFunctions {

// The scale texts the drawing pages write ("Scale = 1:80") and the vector pass puts in place of
// "PlotScale1" and "PlotScale2".
struct PrintVars {
  std::string PlotScaleText1, PlotScaleText2;
};
PrintVars& printVars();
void resetPrintingForTest();

// The drawing control of a view index (0 composes pages, 2 to 5 are the tab views); raises
// error 91 when the drawing services hold no control for it.
dxf::DrawingControl& Control(int view);

// One black line in page inches on the target the drawing layer is bound to (the page's
// vector pass binds it).
void PlotCADLine(double x1, double y1, double x2, double y2);

// Prints drawing view CAD(view) as it is shown, as one raster over the printable area (plot
// mode 4, landscape as the view's PlotLandscape says) on the printer, also in preview mode.
void PlotCAD(int view);

}  // namespace CadFunctions

namespace Printing {

// The screen plot (File > Plot Screen) of tab `currentTab` (2 to 5; anything else plots
// nothing): the printer dialog (in preview mode the preview opens and the plot still goes to
// the printer), then one document per copy with the view's status text, hourglass and 0.1 s
// wait. The tab is taken once, so a tab change while the job runs changes nothing.
void PlotScreen(int currentTab);
// "Plotting Top View", ..., "Plotting Interior View"; "" for other tabs.
std::string_view PlotStatusText(int tab);

}  // namespace Printing
