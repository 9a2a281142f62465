#include "printing/PagePrinting.h"

#include "drawings/CadFunctions.h"
#include "drawings/DxfCadServices.h"
#include "foundation/DBase.h"
#include "foundation/Globals.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Trap.h"
#include "printing/BusyStatus.h"
#include "printing/PageRaster.h"
#include "printing/Printing.h"
#include "printing/ViewPages.h"

namespace CadFunctions {

namespace {

constexpr std::string_view kModule = "CadFunctions";

PrintVars printState;

bool InPreview() { return Printing::jobState().PlotPreview(); }

}  // namespace

PrintVars& printVars() { return printState; }

void resetPrintingForTest() {
  printState = PrintVars{};
  Printing::resetViewPagesForTest();
}

namespace {
const vb::StateReset stateReset(vb::ResetOrder::Printing, &resetPrintingForTest);
}  // namespace

dxf::DrawingControl& Control(int view) {
  auto* dxfServices = dynamic_cast<DxfCadServices*>(&services());
  if (!dxfServices) vb::Raise(vb::err::ObjectNotSet, "Object variable or With block variable not set");
  return dxfServices->Control(view);
}

void PlotCADLine(double x1, double y1, double x2, double y2) {
  Printing::PlotPageLine(InPreview(), x1, y1, x2, y2);
}

void PlotCAD(int view) {
  vb::Proc g(kModule, "PlotCAD");
  g.step([&] {
    printer::PrintDevice& device = Printing::Printer();
    dxf::DrawingControl& cad = Control(view);
    const double f = Printing::RasterFactor2500(device.scaleWidth());
    cad.PlotMode = 4;
    cad.PlotSetting2C = 2;
    cad.PlotSetting0F = false;
    Printing::PrintPlotPicture(cad, device, f);
  });
}

}  // namespace CadFunctions

namespace Printing {

std::string_view PlotStatusText(int tab) {
  switch (tab) {
    case Globals::Tab::Top:
      return "Plotting Top View";
    case Globals::Tab::Front:
      return "Plotting Front View";
    case Globals::Tab::Side:
      return "Plotting Side View";
    case Globals::Tab::Interior:
      return "Plotting Interior View";
    default:
      return "";
  }
}

JobOutcome PlotScreen(int currentTab) {
  vb::Proc g("MainForm", HandlerName(PrintCommand::PlotScreen));
  JobOutcome outcome;
  if (ShowPrinterDialog() == 0) return outcome;
  outcome.ran = true;
  Vars& v = vars();
  v.PrintPageNumber = 1;
  v.PrintPageCount = 1;
  const int view = currentTab;
  if (PlotStatusText(view).empty()) return outcome;
  g.step([&] {
    dxf::DrawingControl& cad = CadFunctions::Control(view);
    cad.PlotMode = 4;
    cad.PlotLandscape = v.Options.Orientation == 2 ? 1 : 0;
  });
  for (int copy = 1; copy <= v.Options.Copies; ++copy) {
    BusyStatus busy(PlotStatusText(view));
    g.step([] { hooks().Delay(0.1f); });
    g.step([] { Printer().beginDocument(); });
    CadFunctions::PlotCAD(view);
    ++outcome.pages;
    g.step([] { Printer().endDoc(); });
  }
  return outcome;
}

}  // namespace Printing
