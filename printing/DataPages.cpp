// The data and chart pages: a page template alone, or a template and the page's charts.
#include "charts/Chart.h"
#include "charts/ChartHover.h"
#include "foundation/Globals.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Trap.h"
#include "printing/BusyStatus.h"
#include "printing/PagePrinting.h"
#include "printing/Printing.h"

namespace Printing {

namespace {

constexpr std::string_view kPageModule = "CadFunctions";

// The charts drawn on paper read their data afresh and go through the chart engine's one
// working set and cache, which the screen's chart pictures and their hover values rely on: the
// engine's state is put back as it was once the page's charts are drawn.
class ChartEngineKept {
 public:
  ChartEngineKept() : chart_(Chart::vars()), hover_(ChartHover::vars()) {}
  ~ChartEngineKept() {
    Chart::vars() = std::move(chart_);
    ChartHover::vars() = hover_;
  }
  ChartEngineKept(const ChartEngineKept&) = delete;
  ChartEngineKept& operator=(const ChartEngineKept&) = delete;

 private:
  Chart::Vars chart_;
  ChartHover::Vars hover_;
};

void DrawWithBuilder(const PageChart& chart, gdi::Canvas& printer) {
  vb::Variant build(true);
  chart.build(printer, build, chart.left, chart.top, chart.width, chart.height);
}

ChartDrawer chartDrawer = &DrawWithBuilder;

}  // namespace

const std::array<DataPage, 9>& DataPages() {
  using namespace General;
  using R = PageRoutine;
  static const std::array<DataPage, 9> pages{{
      {R::Aircraft, "Printing Aircraft page", "Aircraft.dxf", "", {}},
      {R::General, "Printing General page", "General.dxf", "GeneralHeli.dxf", {}},
      {R::PayloadRange,
       "Printing Payload Range page",
       "Payload.dxf",
       "",
       {{"ChartPayload", &ChartPayload, 10, 25, 75, 60}}},
      {R::BalancedFieldLength,
       "Printing Balanced Field Length page",
       "BalancedFieldLength.dxf",
       "",
       {{"ChartBalancedFieldLength", &ChartBalancedFieldLength, 10, 25, 75, 60}}},
      {R::BlockFuelTime,
       "Printing Block Fuel/Time page",
       "BlockFuelTime.dxf",
       "",
       {{"GraphBlockFuel", &GraphBlockFuel, 10, 13, 75, 38},
        {"ChartBlockTime", &ChartBlockTime, 10, 72, 75, 38}}},
      {R::WAT,
       "Printing WAT page",
       "WAT.dxf",
       "",
       {{"ChartWATCorp", &ChartWATCorp, 10, 11, 75, 28},
        {"ChartWATUtil", &ChartWATUtil, 10, 53, 75, 23},
        {"ChartLandingSL", &ChartLandingSL, 10, 93, 35, 21},
        {"ChartLanding5000Ft", &ChartLanding5000Ft, 50, 93, 35, 21}}},
      {R::ServiceCeiling,
       "Printing Service Ceiling page",
       "ServiceCeiling.dxf",
       "",
       {{"ChartCeilingCorp", &ChartCeilingCorp, 5, 12, 39, 38},
        {"ChartCeilingUtil", &ChartCeilingUtil, 46, 12, 39, 38},
        {"ChartCeilingHV", &ChartCeilingHV, 5, 71, 39, 38},
        {"ChartCeilingVNE", &ChartCeilingVNE, 46, 71, 39, 38}}},
      {R::TakeoffLanding,
       "Printing Takeoff/Landing page",
       "TakeoffLanding.dxf",
       "",
       {{"ChartTakeoffElevation", &ChartTakeoffElevation, 10, 13, 75, 38},
        {"ChartLanding", &ChartLanding, 10, 72, 75, 38}}},
      {R::FlightEnvelope,
       "Printing Flight Envelope page",
       "Flight.dxf",
       "",
       {{"ChartCruiseSpeed", &ChartCruiseSpeed, 10, 13, 75, 38},
        {"ChartOperatingSpeed", &ChartOperatingSpeed, 10, 72, 75, 38}}},
  }};
  return pages;
}

const DataPage& DataPageOf(PageRoutine routine) {
  for (const DataPage& page : DataPages())
    if (page.routine == routine) return page;
  vb::Raise(vb::err::InvalidCall, "No data page for " + std::string(RoutineName(routine)));
}

std::string_view TemplateFor(const DataPage& page, int aircraftClass) {
  if (aircraftClass == Globals::Class::Helicopter && !page.heliTemplate.empty())
    return page.heliTemplate;
  return page.templateFile;
}

Box ChartBox(const PageChart& chart, double width, double height) {
  const double top = chart.top * width / 100;
  return {chart.left * width / 100, top, (chart.left + chart.width) * width / 100,
          top + chart.height * height / 100};
}

void InstallChartDrawer(ChartDrawer drawer) { chartDrawer = drawer ? drawer : &DrawWithBuilder; }

namespace {
// The chart builders draw the charts of the pages, as at start.
void ResetChartDrawer() { InstallChartDrawer(nullptr); }
const vb::StateReset stateReset(vb::ResetOrder::Printing, &ResetChartDrawer);
}  // namespace

void PrintDataPage(const DataPage& page) {
  vb::Proc g(kPageModule, RoutineName(page.routine));
  BusyStatus busy(page.status);
  g.step([] { hooks().Delay(0.1f); });
  const std::string file(TemplateFor(page, Globals::vars().AircraftClass));
  CadFunctions::PrintDXF(file);
  if (jobState().PlotPreview() || page.charts.empty()) return;
  ChartEngineKept kept;
  for (const PageChart& chart : page.charts)
    g.step([&] { chartDrawer(chart, Printer().canvas()); });
}


}  // namespace Printing

namespace CadFunctions {

using Printing::DataPageOf;
using R = Printing::PageRoutine;

void PrintAircraft() { Printing::PrintDataPage(DataPageOf(R::Aircraft)); }
void PrintGeneral() { Printing::PrintDataPage(DataPageOf(R::General)); }
void PrintPayloadRange() { Printing::PrintDataPage(DataPageOf(R::PayloadRange)); }
void PrintBalancedFieldLength() { Printing::PrintDataPage(DataPageOf(R::BalancedFieldLength)); }
void PrintBlockFuelTime() { Printing::PrintDataPage(DataPageOf(R::BlockFuelTime)); }
void PrintWAT() { Printing::PrintDataPage(DataPageOf(R::WAT)); }
void PrintServiceCeiling() { Printing::PrintDataPage(DataPageOf(R::ServiceCeiling)); }
void PrintTakeoffLanding() { Printing::PrintDataPage(DataPageOf(R::TakeoffLanding)); }
void PrintFlightEnvelope() { Printing::PrintDataPage(DataPageOf(R::FlightEnvelope)); }

}  // namespace CadFunctions
