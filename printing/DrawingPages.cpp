#include "printing/DrawingPages.h"

#include <array>
#include <string>
#include <string_view>

#include "foundation/Globals.h"
#include "platform/runtime/Trap.h"
#include "printing/BusyStatus.h"
#include "printing/PagePrinting.h"
#include "printing/Printing.h"
#include "printing/Scales.h"
#include "printing/ViewPages.h"

namespace CadFunctions {
namespace {

constexpr std::string_view kModule = "CadFunctions";

bool Heli() { return Globals::vars().AircraftClass == Globals::Class::Helicopter; }

// One exterior view of both aircraft on a page of its own, Plane 1 above Plane 2, at one scale
// that fits both into the page's box; box and page points come from "Print Locations".
struct Point {
  double x, y;
};
struct SideBySidePage {
  std::string_view routine;
  std::string_view status;
  std::string_view view;  // column of the drawing database
  std::string_view templateFile;
  std::string_view prefix;  // of the "Print Locations" keys
  double width, height;     // fit box defaults
  Point heli1, heli2;       // page point defaults of a helicopter pair
  Point plane1, plane2;     // and of any other class
};

constexpr std::array<SideBySidePage, 3> kSideBySide{{
    {"PrintTop", "Printing Top page", "Top", "Top.dxf", "Top", 7.5, 6.5, {2, 8.1}, {2, 3.5},
     {1.25, 7.6}, {1.25, 3.5}},
    {"PrintSide", "Printing Side page", "Side", "Side.dxf", "Side", 6.75, 9.75, {3, 8.5},
     {3, 3.5}, {1.25, 7.5}, {1.25, 3.5}},
    {"PrintFront", "Printing Front page", "Front", "Front.dxf", "Front", 8, 9, {4, 6}, {4, 2},
     {4.25, 7.25}, {4.25, 2.65}},
}};

std::string Key(std::string_view prefix, std::string_view rest) {
  return std::string(prefix) + std::string(rest);
}

// A plane's page point: the keys of its class, each 0 (or missing) taking the default.
Point PagePoint(const SideBySidePage& page, int plane) {
  const bool heli = Heli();
  const std::string middle = heli ? "Heli" : "";
  const std::string digit = plane == 1 ? "1" : "2";
  const Point fallback = heli ? (plane == 1 ? page.heli1 : page.heli2)
                              : (plane == 1 ? page.plane1 : page.plane2);
  return {Printing::PrintLocation(Key(page.prefix, middle + "X" + digit), fallback.x),
          Printing::PrintLocation(Key(page.prefix, middle + "Y" + digit), fallback.y)};
}

void PrintSideBySide(const SideBySidePage& page) {
  vb::Proc g(kModule, page.routine);
  Printing::BusyStatus busy(page.status);
  g.step([] { Printing::hooks().Delay(0.1f); });
  const Printing::Extents extents = Printing::MeasureView(page.view);
  const double width = Printing::PrintLocationSize(Key(page.prefix, "Wd"), page.width);
  const double height = Printing::PrintLocationSize(Key(page.prefix, "Ht"), page.height);
  const double n = Printing::ChosenScale(Printing::SearchScale(extents, width, height));
  printVars().PrintFactor = 1 / n;
  printVars().PlotScaleText1 = Printing::ScaleText(static_cast<float>(n));
  Printing::LoadPageTemplate(g, std::string(page.templateFile));
  for (int plane = 1; plane <= 2; ++plane) {
    const Point at = PagePoint(page, plane);
    Printing::PlacePlane(g, plane, {{page.view, 1 / n, at.x, at.y}});
  }
  Printing::PrintComposedPage(g, {});
}

}  // namespace

void PrintExterior() {
  vb::Proc g(kModule, "PrintExterior");
  Printing::BusyStatus busy("Printing Exterior page");
  g.step([] { Printing::hooks().Delay(0.1f); });
  const Printing::Extents side = Printing::MeasureView("Side");
  const Printing::Extents top = Printing::MeasureView("Top");
  const Printing::Extents front = Printing::MeasureView("Front");
  const double n = Printing::ChosenScale(Printing::SearchScale(
      [&](double f) { return Printing::ExteriorFits(side, top, front, f); }));
  printVars().PrintFactor = 1 / n;
  printVars().PlotScaleText1 = Printing::ScaleText(static_cast<float>(n));
  Printing::LoadPageTemplate(g, "Exterior.dxf");
  // Both aircraft of a view share its page point: their origins coincide there.
  const bool heli = Heli();
  const Point sideAt = heli ? Point{2, 8.5} : Point{1.25, 8.75};
  const Point topAt = heli ? Point{2, 5} : Point{1.25, 5.5};
  const Point frontAt = heli ? Point{4, 1} : Point{4.25, 1.25};
  for (int plane = 1; plane <= 2; ++plane) {
    Printing::PlacePlane(g, plane,
                         {{"Side", 1 / n, sideAt.x, sideAt.y},
                          {"Top", 1 / n, topAt.x, topAt.y},
                          {"Front", 1 / n, frontAt.x, frontAt.y}});
  }
  Printing::PrintComposedPage(g, {});
}

void PrintTop() { PrintSideBySide(kSideBySide[0]); }
void PrintSide() { PrintSideBySide(kSideBySide[1]); }
void PrintFront() { PrintSideBySide(kSideBySide[2]); }

}  // namespace CadFunctions
