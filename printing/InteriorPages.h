#pragma once
// The interior and cabin pages: what they are made of, apart from the drawing control. Each
// page is a list of views (a column of the drawing database with its page point per aircraft,
// its fit box and its reference cross); the views are measured and their scales searched one
// by one, combined into the page's two scales, and the drawings merged at their page points.
// The pages print their collected texts and lines alone: no raster, no dimensions.
//
// Page units are inches on the US Letter portrait page, origin at the lower left, y up.
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace Printing {

// The view columns of an aircraft class (2 = helicopter) and interior configuration (1
// corporate, 2 EMS, any other value utility; fixed-wing aircraft have only one interior).
struct InteriorColumns {
  std::string_view interior;   // "Interior", "InteriorEMS", "InteriorUtil"
  std::string_view cabin;      // fixed-wing "Cabin"; helicopters the front cross-section
  std::string_view cabinSide;  // helicopters the side cross-section; "" for fixed-wing
  bool operator==(const InteriorColumns&) const = default;
};
InteriorColumns InteriorColumnsFor(int aircraftClass, int interiorConfig);

// The three interior pages.
enum class InteriorPageKind {
  Overlaid,  // PrintInteriorAndCabin: both aircraft at the same points, two scales
  Interior,  // PrintInterior: the interiors side by side, one scale
  Cabin,     // PrintCabin: the cabin cross-sections side by side
};

// How far a reference cross reaches from its page point, for a cross box (w, h).
enum class CrossShape {
  HeliInterior,     // down h/2, up h/3, left and right w/3
  HeliCabinFront,   // down and up h/2, left and right w/3
  HeliCabinSide,    // down 0.5, up h/2, left 0.5, right w
  HeliCabinSide2,   // Plane 2's side cross-section on the cabin page: as HeliCabinFront
  FixedWingInterior,  // down h, up 0.5, left and right w/2
  FixedWingCabin,     // down and up h/2, left and right w/2
};
struct CrossLine {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  bool operator==(const CrossLine&) const = default;
};
// The two lines of a cross at (x, y): the vertical one first, from bottom to top, then the
// horizontal one from left to right.
std::array<CrossLine, 2> ReferenceCross(CrossShape shape, double x, double y, double w, double h);

// One view of a page.
struct InteriorView {
  std::string_view column;
  int scale = 1;               // 1: the page's first scale (PrintFactor), 2: the second
  double fitWidth = 0, fitHeight = 0;
  double crossWidth = 0, crossHeight = 0;
  std::array<double, 2> x{}, y{};          // page point of Plane 1 and of Plane 2
  std::array<CrossShape, 2> cross{};       // cross of Plane 1 and of Plane 2
};

// The procedure name and the status text of a page.
struct InteriorPageNames {
  std::string_view routine;  // "PrintInteriorAndCabin", "PrintInterior", "PrintCabin"
  std::string_view status;   // "Printing Interior and Cabin page", "Printing Interior page"
};
InteriorPageNames InteriorPageNamesOf(InteriorPageKind kind);

struct InteriorLayout {
  InteriorPageKind kind = InteriorPageKind::Overlaid;
  bool heli = false;
  std::string_view templateFile;  // "Interior.dxf", "InteriorHeli.dxf", ...
  std::vector<InteriorView> views;  // in the order they are measured and merged
};

// A number of INI section "Print Locations" by key. A value of 0 (also what a missing, empty
// or non-numeric key reads as) takes `fallback`; a box size (`positive`) also takes it when
// negative or not finite, which would leave no scale that fits.
using LocationReader = std::function<double(std::string_view key, double fallback, bool positive)>;

// The page of a kind for an aircraft class and interior configuration. The overlaid page has
// fixed numbers; the side-by-side pages read theirs through `read`, key by key in the order of
// their settings.
InteriorLayout InteriorLayoutFor(InteriorPageKind kind, int aircraftClass, int interiorConfig,
                                 const LocationReader& read);

// The two scale denominators of a page: d1 (PrintFactor = 1 / d1) and d2 (CabinPrintFactor =
// 1 / d2; 0 where the page has no second scale).
struct InteriorScales {
  double d1 = 0, d2 = 0;
  bool operator==(const InteriorScales&) const = default;
};
// Combines the denominators searched for the views of `layout` (in view order):
//   overlaid, helicopter: interior; cabin front and side both at the larger of their two;
//   overlaid, fixed-wing: interior; cabin;
//   interior page: interior; no second scale;
//   cabin page, helicopter: the front at the larger of front and side, the side at its own;
//   cabin page, fixed-wing: the cabin; no second scale.
// A to-scale print (printScale above 0) replaces them: the overlaid page takes printScale and
// cabinScale, the interior page printScale, the cabin page cabinScale for every view. A cabin
// scale that is not above 0 (the dialog's cabin box held no usable number) keeps the searched
// cabin scales instead of dividing by it.
InteriorScales CombineInteriorScales(const InteriorLayout& layout,
                                     const std::vector<double>& searched, double printScale,
                                     double cabinScale);

// The scale texts of a page: "Scale = 1:" and d1; "Scale = 1:" and d2 where the page has a
// second scale, else "" (so the fixed-wing cabin page never says "1:0"). On the overlaid page
// they say whose scale each is: "Interior: Scale = 1:" and d1, "Cabin: Scale = 1:" and d2.
std::array<std::string, 2> InteriorScaleTexts(const InteriorLayout& layout,
                                              const InteriorScales& scales);

// The reference crosses of a page, in drawing order: on the overlaid page one per view, at
// Plane 1's point, whatever is shown; on the side-by-side pages one per shown plane and view,
// Plane 1's first.
std::vector<CrossLine> InteriorCrosses(const InteriorLayout& layout, bool showPlane1,
                                       bool showPlane2);

}  // namespace Printing
