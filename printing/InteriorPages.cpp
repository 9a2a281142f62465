// The interior and cabin pages: their views, page points, scales and reference crosses, and
// the three page builders of module CadFunctions over them.
#include "printing/InteriorPages.h"

#include <algorithm>

#include "drawings/CadFunctions.h"
#include "foundation/General.h"
#include "foundation/Globals.h"
#include "platform/runtime/Trap.h"
#include "printing/BusyStatus.h"
#include "printing/DrawingPages.h"
#include "printing/PagePrinting.h"
#include "printing/Printing.h"
#include "printing/Scales.h"
#include "printing/ViewPages.h"

namespace Printing {

InteriorColumns InteriorColumnsFor(int aircraftClass, int interiorConfig) {
  if (aircraftClass != Globals::Class::Helicopter) return {"Interior", "Cabin", ""};
  switch (interiorConfig) {
    case 1:
      return {"Interior", "CabinFront", "CabinSide"};
    case 2:
      return {"InteriorEMS", "CabinFrontEMS", "CabinSideEMS"};
    default:
      return {"InteriorUtil", "CabinFrontUtil", "CabinSideUtil"};
  }
}

std::array<CrossLine, 2> ReferenceCross(CrossShape shape, double x, double y, double w,
                                        double h) {
  double down = 0, up = 0, left = 0, right = 0;
  switch (shape) {
    case CrossShape::HeliInterior:
      down = h / 2, up = h / 3, left = right = w / 3;
      break;
    case CrossShape::HeliCabinFront:
    case CrossShape::HeliCabinSide2:
      down = up = h / 2, left = right = w / 3;
      break;
    case CrossShape::HeliCabinSide:
      down = 0.5, up = h / 2, left = 0.5, right = w;
      break;
    case CrossShape::FixedWingInterior:
      down = h, up = 0.5, left = right = w / 2;
      break;
    case CrossShape::FixedWingCabin:
      down = up = h / 2, left = right = w / 2;
      break;
  }
  return {CrossLine{x, y - down, x, y + up}, CrossLine{x - left, y, x + right, y}};
}

InteriorPageNames InteriorPageNamesOf(InteriorPageKind kind) {
  switch (kind) {
    case InteriorPageKind::Overlaid:
      return {"PrintInteriorAndCabin", "Printing Interior and Cabin page"};
    case InteriorPageKind::Interior:
      return {"PrintInterior", "Printing Interior page"};
    case InteriorPageKind::Cabin:
      break;
  }
  // The cabin page shows the status text of the interior page.
  return {"PrintCabin", "Printing Interior page"};
}

InteriorLayout InteriorLayoutFor(InteriorPageKind kind, int aircraftClass, int interiorConfig,
                                 const LocationReader& read) {
  InteriorLayout page;
  page.kind = kind;
  page.heli = aircraftClass == Globals::Class::Helicopter;
  const InteriorColumns columns = InteriorColumnsFor(aircraftClass, interiorConfig);
  auto view = [&](std::string_view column, int scale, double fw, double fh, double cw, double ch,
                  std::array<double, 2> x, std::array<double, 2> y,
                  std::array<CrossShape, 2> cross) {
    page.views.push_back({column, scale, fw, fh, cw, ch, x, y, cross});
  };
  switch (kind) {
    case InteriorPageKind::Overlaid:
      if (page.heli) {
        page.templateFile = "InteriorHeli.dxf";
        view(columns.interior, 1, 5, 9, 5, 9, {5.75, 5.75}, {7, 7},
             {CrossShape::HeliInterior, CrossShape::HeliInterior});
        view(columns.cabin, 2, 5, 5, 5, 5, {2, 2}, {7, 7},
             {CrossShape::HeliCabinFront, CrossShape::HeliCabinFront});
        view(columns.cabinSide, 2, 5, 5, 5, 5, {1, 1}, {1, 1},
             {CrossShape::HeliCabinSide, CrossShape::HeliCabinSide});
      } else {
        page.templateFile = "Interior.dxf";
        view(columns.interior, 1, 7, 9, 3, 8, {5.75, 5.75}, {9, 9},
             {CrossShape::FixedWingInterior, CrossShape::FixedWingInterior});
        view(columns.cabin, 2, 3.75, 5, 3.5, 4, {2.25, 2.25}, {6, 6},
             {CrossShape::FixedWingCabin, CrossShape::FixedWingCabin});
      }
      break;
    case InteriorPageKind::Interior: {
      page.templateFile = page.heli ? "InteriorHeli.dxf" : "Interior.dxf";
      const bool h = page.heli;
      const double x1 = read(h ? "InteriorHeliX1" : "InteriorX1", 2.5, false);
      const double x2 = read(h ? "InteriorHeliX2" : "InteriorX2", h ? 6 : 5.5, false);
      const double y = read(h ? "InteriorHeliY" : "InteriorY", h ? 7 : 10.25, false);
      const double wd = read(h ? "InteriorHeliWd" : "InteriorWd", h ? 5 : 11, true);
      const double ht = read(h ? "InteriorHeliHt" : "InteriorHt", 9, true);
      const CrossShape shape = h ? CrossShape::HeliInterior : CrossShape::FixedWingInterior;
      view(columns.interior, 1, wd, ht, wd, ht, {x1, x2}, {y, y}, {shape, shape});
      break;
    }
    case InteriorPageKind::Cabin:
      if (page.heli) {
        page.templateFile = "CabinHeli.dxf";
        const double fx1 = read("CabinFrontX1", 2.5, false);
        const double fx2 = read("CabinFrontX2", 6, false);
        const double sx1 = read("CabinSideX1", 1.2, false);
        const double sx2 = read("CabinSideX2", 1.2, false);
        const double sy1 = read("CabinSideY1", 3.5, false);
        const double sy2 = read("CabinSideY2", 1.5, false);
        const double wd = read("CabinWdHeli", 5.5, true);
        const double ht = read("CabinHtHeli", 6, true);
        // The front cross-sections share one height, which has no setting.
        view(columns.cabin, 1, wd, ht, wd, ht, {fx1, fx2}, {7.5, 7.5},
             {CrossShape::HeliCabinFront, CrossShape::HeliCabinFront});
        view(columns.cabinSide, 2, wd, ht, wd, ht, {sx1, sx2}, {sy1, sy2},
             {CrossShape::HeliCabinSide, CrossShape::HeliCabinSide2});
      } else {
        page.templateFile = "Cabin.dxf";
        const double y1 = read("CabinY1", 8.25, false);
        const double y2 = read("CabinY2", 3.65, false);
        const double wd = read("CabinWd", 8.75, true);
        const double ht = read("CabinHt", 8, true);
        // Both cabins are centred on one x, which has no setting.
        view(columns.cabin, 1, wd, ht, wd, ht, {4, 4}, {y1, y2},
             {CrossShape::FixedWingCabin, CrossShape::FixedWingCabin});
      }
      break;
  }
  return page;
}

InteriorScales CombineInteriorScales(const InteriorLayout& layout,
                                     const std::vector<double>& searched, double printScale,
                                     double cabinScale) {
  auto at = [&](size_t i) { return i < searched.size() ? searched[i] : 0.0; };
  InteriorScales s;
  switch (layout.kind) {
    case InteriorPageKind::Overlaid:
      s.d1 = at(0);
      // Both helicopter cabin views are drawn at the larger of their two scales.
      s.d2 = layout.heli ? std::max(at(1), at(2)) : at(1);
      if (Positive(printScale)) {
        s.d1 = printScale;
        if (Positive(cabinScale)) s.d2 = cabinScale;
      }
      break;
    case InteriorPageKind::Interior:
      s.d1 = Positive(printScale) ? printScale : at(0);
      break;
    case InteriorPageKind::Cabin:
      if (layout.heli) {
        // The fronts take the larger scale of front and side; the sides keep their own.
        s.d2 = at(1);
        s.d1 = std::max(at(0), s.d2);
      } else {
        s.d1 = at(0);
      }
      // The to-scale cabin page prints every view at the cabin scale.
      if (Positive(printScale) && Positive(cabinScale)) s.d1 = s.d2 = cabinScale;
      break;
  }
  return s;
}

std::array<std::string, 2> InteriorScaleTexts(const InteriorLayout& layout,
                                              const InteriorScales& scales) {
  std::array<std::string, 2> texts;
  texts[0] = ScaleText(static_cast<float>(scales.d1));
  if (layout.kind != InteriorPageKind::Interior && scales.d2 > 0)
    texts[1] = ScaleText(static_cast<float>(scales.d2));
  // The overlaid page shares its template with the interior page, which has one scale, so its
  // texts name their views themselves (the cabin page's template names its two).
  if (layout.kind == InteriorPageKind::Overlaid) {
    texts[0] = "Interior: " + texts[0];
    if (!texts[1].empty()) texts[1] = "Cabin: " + texts[1];
  }
  return texts;
}

std::vector<CrossLine> InteriorCrosses(const InteriorLayout& layout, bool showPlane1,
                                       bool showPlane2) {
  std::vector<CrossLine> lines;
  auto add = [&](const InteriorView& v, int plane) {
    for (const CrossLine& l :
         ReferenceCross(v.cross[plane], v.x[plane], v.y[plane], v.crossWidth, v.crossHeight))
      lines.push_back(l);
  };
  if (layout.kind == InteriorPageKind::Overlaid) {
    for (const InteriorView& v : layout.views) add(v, 0);
    return lines;
  }
  for (int plane = 0; plane < 2; ++plane) {
    if (!(plane == 0 ? showPlane1 : showPlane2)) continue;
    for (const InteriorView& v : layout.views) add(v, plane);
  }
  return lines;
}

}  // namespace Printing

namespace CadFunctions {

namespace {

constexpr std::string_view kModule = "CadFunctions";

using Printing::InteriorLayout;
using Printing::InteriorPageKind;

// The numbers of "Print Locations" as the side-by-side pages read them.
double ReadLocation(std::string_view key, double fallback, bool positive) {
  return positive ? Printing::PrintLocationSize(key, fallback)
                  : Printing::PrintLocation(key, fallback);
}

// Builds and prints one interior or cabin page onto the current page of the target.
void PrintInteriorPage(InteriorPageKind kind) {
  const Printing::InteriorPageNames names = Printing::InteriorPageNamesOf(kind);
  vb::Proc g(kModule, names.routine);
  Printing::BusyStatus busy(names.status);
  g.step([] { Printing::hooks().Delay(0.1f); });

  int config = 1;
  g.step([&] { config = CurrentInputs().InteriorConfig; });
  InteriorLayout page;
  g.step([&] {
    page = Printing::InteriorLayoutFor(kind, Globals::vars().AircraftClass, config, ReadLocation);
  });

  // Each view is measured over the shown planes and gets the scale its fit box needs; the
  // page then combines them into its one or two scales.
  std::vector<double> searched;
  for (const Printing::InteriorView& v : page.views) {
    double n = Printing::kSmallestScale;
    g.step([&] { n = Printing::SearchScale(Printing::MeasureView(v.column), v.fitWidth,
                                           v.fitHeight); });
    searched.push_back(n);
  }
  const Printing::Vars& pv = Printing::vars();
  const Printing::InteriorScales scales =
      Printing::CombineInteriorScales(page, searched, pv.PrintScale, pv.CabinPrintScale);
  // The second factor stays as the last page left it where this page has no second scale.
  printVars().PrintFactor = 1 / scales.d1;
  if (scales.d2 > 0) printVars().CabinPrintFactor = 1 / scales.d2;
  const auto texts = Printing::InteriorScaleTexts(page, scales);
  printVars().PlotScaleText1 = texts[0];
  printVars().PlotScaleText2 = texts[1];

  Printing::LoadPageTemplate(g, std::string(page.templateFile));
  for (int plane = 1; plane <= 2; ++plane) {
    std::vector<Printing::ViewPlacement> placements;
    for (const Printing::InteriorView& v : page.views) {
      const double n = v.scale == 1 ? scales.d1 : scales.d2;
      placements.push_back({v.column, n > 0 ? 1 / n : 0, v.x[plane - 1], v.y[plane - 1]});
    }
    Printing::PlacePlane(g, plane, placements);
  }
  // Vectors alone, and none of the aircraft drawings' dimensions.
  Printing::PrintComposedPage(g, {.paintRaster = false, .hideDims = true});

  bool crosses = false;
  g.step([&] { crosses = General::IniBool("Settings", "ShowRefPoint", false); });
  if (!crosses) return;
  const Vars& v = vars();
  for (const Printing::CrossLine& l : Printing::InteriorCrosses(page, v.ShowPlane1, v.ShowPlane2))
    g.step([&] { PlotCADLine(l.x1, l.y1, l.x2, l.y2); });
}

}  // namespace

void PrintInteriorAndCabin() { PrintInteriorPage(InteriorPageKind::Overlaid); }
void PrintInterior() { PrintInteriorPage(InteriorPageKind::Interior); }
void PrintCabin() { PrintInteriorPage(InteriorPageKind::Cabin); }

}  // namespace CadFunctions
