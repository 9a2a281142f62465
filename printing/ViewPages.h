#pragma once
// The steps the drawing pages share: the aircraft's view drawings measured in CAD(0), one common
// scale found by a bounded search, the page template loaded, each shown plane's drawings merged
// at page points at that scale, and the composed page printed like the template pages.
//
// Page coordinates are inches on the US Letter portrait page, origin at the lower left, y up.
// A view drawing's own origin lands on its page point whatever the scale: it is merged scaled
// by the factor f = 1 / n of the scale 1:n, with the insertion point given in the drawing's
// unscaled units (p' = f·(p + point / f) = f·p + point).
//
// How a page uses them (a page routine of module CadFunctions, one call per printed page):
//
//   vb::Proc g("CadFunctions", "PrintTop");
//   Printing::BusyStatus busy("Printing Top page");
//   g.step([] { Printing::hooks().Delay(0.1f); });
//   const Extents e = Printing::MeasureView("Top");            // both shown planes, united
//   const double wd = Printing::PrintLocationSize("TopWd", 7.5);
//   const double ht = Printing::PrintLocationSize("TopHt", 6.5);
//   const double n = Printing::ChosenScale(Printing::SearchScale(e, wd, ht));
//   CadFunctions::printVars().PrintFactor = 1 / n;
//   CadFunctions::printVars().PlotScaleText1 = Printing::ScaleText(static_cast<float>(n));
//   Printing::LoadPageTemplate(g, "Top.dxf");                  // template, layers, texts
//   Printing::PlacePlane(g, 1, {{"Top", 1 / n, x1, y1}});      // a point each, or shared
//   Printing::PlacePlane(g, 2, {{"Top", 1 / n, x2, y2}});
//   Printing::PrintComposedPage(g, {});                        // dims, lists, raster, vectors
//
// A page with several views measures each (MeasureView per view) and searches one scale with
// a fit test of its own (SearchScale(FitTest)); a page with two scales searches twice and
// passes each view's factor in its placement. Pages printed from their vectors alone (no
// raster) with the aircraft's dimensions hidden pass {.paintRaster = false, .hideDims = true}.
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "drawings/CadFunctions.h"

namespace vb {
class Proc;
}

namespace Printing {

using CadFunctions::Extents;

// ---- Measuring
// The framed extents (as GetCADMinMax frames them: a 5 % margin on each side, widened to the
// fixed 3:2 shape of CAD(0)) of plane `plane`'s drawing of `view` (a column of the drawing
// database), loaded into CAD(0) for measuring. Empty when the plane is hidden or has no
// aircraft, when the cache has no such drawing, or when it does not load: a plane without a
// drawing contributes nothing, never what CAD(0) held before. While a print job runs, a drawing
// file measured once is not read again: the pages of a job measure the same views again and
// again (the exterior page and the page of each view), and ForgetMeasuredDrawings at the end of
// the job lets the next job read the files afresh.
Extents MeasurePlaneView(int plane, std::string_view view);
void ForgetMeasuredDrawings();
// Plane 1's and Plane 2's extents of `view`, united; empty when neither has a drawing shown.
Extents MeasureView(std::string_view view);

// ---- Scale search
// The denominators the search tries: 10, 20, 30, ... up to the largest, which is taken when
// nothing fits before it (infinite or absurd extents, an impossible fit test).
inline constexpr double kSmallestScale = 10;
inline constexpr double kScaleStep = 10;
inline constexpr double kLargestScale = 1'000'000;
// Whether the drawings fit the page when shrunk by `factor` (1 / n).
using FitTest = std::function<bool(double factor)>;
// The first n of 10, 20, ... at which `fits`(1 / n) holds; kLargestScale when none does.
double SearchScale(const FitTest& fits);
// The box test of the side-by-side pages: the extents' width and height times `factor` are at
// most `width` and `height` (equality fits). Empty extents always fit.
bool FitsBox(const Extents& extents, double factor, double width, double height);
// SearchScale with the box test: empty extents give the smallest scale, 10.
double SearchScale(const Extents& extents, double width, double height);
// A finite number above 0: a scale, factor or fit-box size the pages can use.
bool Positive(double value);
// The scale of a to-scale print: `chosen` when it is a positive number, else `computed`.
double ChosenScale(double computed, double chosen);
// The same with the chosen scale of the scale dialog (PrintScale).
double ChosenScale(double computed);

// ---- Settings of section "Print Locations" (read afresh on every call)
// A coordinate of a page point: 0, missing, empty or not a number take `defaultValue`; any
// other value, negative ones included, is used as it stands.
double PrintLocation(std::string_view key, double defaultValue);
// A width or height of a fit box: only a positive number is used. Zero, missing and empty
// take `defaultValue` silently; a negative, infinite or non-numeric setting takes it too and is
// reported through the common error handler, once per key and text while the program runs (a
// box of no size would let no scale fit).
double PrintLocationSize(std::string_view key, double defaultValue);
// Forgets which settings were reported.
void resetViewPagesForTest();

// ---- Composing the page in CAD(0)
// Loads the page template (a bare file name in the program folder) into CAD(0), adds the
// standard layers ("Plane1" current) and fills the placeholders. A template that cannot be
// loaded is reported and leaves an empty page drawing, so nothing of an earlier page stays.
void LoadPageTemplate(vb::Proc& g, const std::string& templateFile);

// One view drawing of a plane placed on the page: shrunk by `factor`, its origin at (x, y).
struct ViewPlacement {
  std::string_view view;  // column of the drawing database: "Top", "Side", "CabinFront", ...
  double factor = 1;
  double x = 0, y = 0;
};
// Merges the view drawing in `file` into CAD(0) on its current layer so that its origin lands
// at (x, y) at scale `factor`. A factor that is not a positive number raises error 5 and merges
// nothing (it would stand for a division by zero).
void MergeAtPoint(const std::string& file, double factor, double x, double y);
// When plane `plane` (1 or 2) is shown: its layer ("Plane1" or "Plane2") becomes current, each
// placement whose drawing the cache has is merged (a missing one is skipped without a message,
// the others still go in), and its entities are moved onto the plane's layers
// (SetToCurrentLayer), also when nothing was merged. A hidden plane is left out entirely.
void PlacePlane(vb::Proc& g, int plane, std::initializer_list<ViewPlacement> placements);
// The same for placements made at run time (the views of a page that depend on the class).
void PlacePlane(vb::Proc& g, int plane, std::span<const ViewPlacement> placements);

// How a composed page is finished.
struct PageFinish {
  bool paintRaster = true;  // paint the raster of what stays in CAD(0) (never in preview)
  bool hideDims = false;    // freeze "Dim1" and "Dim2" before the texts and lines are collected
};
// The end of every drawing page: the dimension texts evened out (UpdateCADDims), the page's
// texts and lines collected (GetCADEntities), the raster rendered and painted as `finish` says,
// CAD(0) hidden, then the collected texts and lines printed (PrintCADEntities).
void PrintComposedPage(vb::Proc& g, const PageFinish& finish);

// The side, top and front test of the exterior page at `factor`: the side and front views must
// reach at most 7.5 in to the right of and 3.25 in above their origin, the top view be at most
// 7.5 by 5.5 in. An empty view (no drawing) sets no limit.
bool ExteriorFits(const Extents& side, const Extents& top, const Extents& front, double factor);

}  // namespace Printing
