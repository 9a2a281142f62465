#pragma once
// The page printers of module CadFunctions that print a page template alone or a drawing view
// as it is shown, and the data and chart pages built on them. Each page routine prints one page
// onto the current page of Printing::Target() (the printer, or the preview in preview mode);
// the print commands set PrintPageNumber and PrintPageCount, and take care of new pages, copies
// and the end of each document.
//
// A page is printed in two passes: a raster of what stays in the page drawing CAD(0) once its
// texts and lines have been collected, stretched over the printable area, then the collected
// texts and lines as vectors (PrintCADEntities). When nothing stays in the drawing there is no
// raster. The chart pages then draw their charts on the printer at fixed rectangles; the
// preview shows the template page alone.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "charts/ChartBuilders.h"
#include "printing/PageVectors.h"
#include "printing/PrintCommands.h"

namespace dxf {
class DrawingControl;
}
namespace vb {
class Proc;
}

namespace CadFunctions {

// What the drawing pages leave of their last page: the scale texts ("Scale = 1:80") the vector
// pass puts in place of "PlotScale1" and "PlotScale2", and the factors 1 / n the drawings were
// shrunk by (the cabin drawings by the second).
struct PrintVars {
  std::string PlotScaleText1, PlotScaleText2;
  double PrintFactor = 0, CabinPrintFactor = 0;
};
PrintVars& printVars();
void resetPrintingForTest();

// The drawing control of a view index (0 composes pages, 2 to 5 are the tab views); raises
// error 91 when the drawing services hold no control for it.
dxf::DrawingControl& Control(int view);

// Prints the collected texts and lines (CadTextList, CadLineList) over the page on the target,
// with "Legend1", "Legend2", "PlotScale1" and "PlotScale2" resolved as they are printed (the
// lists themselves stay as the collection left them).
void PrintCADEntities();
// One black line in page inches on the target the last PrintCADEntities bound.
void PlotCADLine(double x1, double y1, double x2, double y2);

// The end of every printed page once CAD(0) is composed and its texts and lines collected: the
// plot settings, the raster of what stays in the drawing (with `paintRaster`; never in preview,
// nor when nothing stays), CAD(0) hidden, then the collected texts and lines. Without a page
// drawing (`cad` null) the lists are emptied and nothing of an earlier page is printed.
void PrintPageDrawing(vb::Proc& g, dxf::DrawingControl* cad, bool paintRaster);

// Page templates are a few dozen kilobytes; a file larger than this is no template and is not
// read.
inline constexpr std::uintmax_t kMaxTemplateBytes = std::uintmax_t{16} << 20;
// Loads a page template (a bare file name in the program folder) into the page drawing. One that
// cannot be loaded (missing, no regular file, too large, no DXF) is reported and leaves the page
// drawing empty, so that nothing of an earlier page is printed again.
void LoadTemplateDrawing(vb::Proc& g, dxf::DrawingControl& cad, const std::string& templateFile);

// One page from a template (a bare file name in the program folder): loaded into CAD(0),
// placeholders filled, texts and lines collected, the rest rendered and painted as the raster
// (not in preview), then the vectors. A template that cannot be loaded is reported and leaves
// CAD(0) empty, so that no earlier page's drawing is printed again.
void PrintDXF(const std::string& templateFile);

// Prints drawing view CAD(view) as it is shown, as one raster over the printable area (plot
// mode 4, landscape as the view's PlotLandscape says) on the printer, also in preview mode.
void PlotCAD(int view);

// The data and chart pages.
void PrintAircraft();
void PrintGeneral();
void PrintPayloadRange();
void PrintBalancedFieldLength();
void PrintBlockFuelTime();
void PrintWAT();
void PrintServiceCeiling();
void PrintTakeoffLanding();
void PrintFlightEnvelope();

}  // namespace CadFunctions

namespace Printing {

// One chart of a chart page: its builder and its rectangle (percent: left, top and width of the
// printable width, height of the printable height, from the top-left corner).
struct PageChart {
  std::string_view builder;  // "ChartPayload", ...
  General::Builder build;
  int left, top, width, height;
};
// One data or chart page.
struct DataPage {
  PageRoutine routine;           // its page routine, whose name its trace entry carries
  std::string_view status;       // "Printing Payload Range page"
  std::string_view templateFile; // "Payload.dxf"
  std::string_view heliTemplate; // for a helicopter pair when not empty ("GeneralHeli.dxf")
  std::vector<PageChart> charts;
};
// The nine pages in the order Aircraft, General, Payload Range, Balanced Field Length, Block
// Fuel/Time, WAT, Service Ceiling, Takeoff/Landing, Flight Envelope.
const std::array<DataPage, 9>& DataPages();
// The page of a data or chart page routine (PageRoutine::WAT, ...); raises error 5 for a
// drawing page's routine.
const DataPage& DataPageOf(PageRoutine routine);
// The template of a page for an aircraft class (Globals::Class).
std::string_view TemplateFor(const DataPage& page, int aircraftClass);
// Prints one page: status text and hourglass, 0.1 s wait, the template, the charts (not in
// preview), then the status cleared and the default pointer, whatever failed on the way.
void PrintDataPage(const DataPage& page);

// A chart box in device units of a printable area width x height.
struct Box {
  double left = 0, top = 0, right = 0, bottom = 0;
};
Box ChartBox(const PageChart& chart, double width, double height);

// How the chart pages draw a chart; a test installs its own (nullptr restores the builders).
using ChartDrawer = void (*)(const PageChart& chart, gdi::Canvas& printer);
void InstallChartDrawer(ChartDrawer drawer);

// The screen plot (File > Plot Screen) of tab `currentTab` (2 to 5; anything else plots
// nothing): the printer dialog (in preview mode the preview opens and the plot still goes to
// the printer), then one document per copy with the view's status text, hourglass and 0.1 s
// wait. The tab is taken once, so a tab change while the job runs changes nothing.
JobOutcome PlotScreen(int currentTab);
// "Plotting Top View", ..., "Plotting Interior View"; "" for other tabs.
std::string_view PlotStatusText(int tab);

}  // namespace Printing
