#pragma once
// The sixteen performance-chart builders, the chart notes and qualifiers, and the hover points
// the builders keep in the per-chart cache.
//
// A builder draws one chart of the current pair (Registry Aircraft1/Aircraft2, the class in
// Globals, the show flags of CadFunctions, the plane colours of the registry settings) onto a
// target through the chart engine: it sets CurrentChartNumber, starts the chart, reads each
// plane's series from its performance tables (or, with redraw not true, takes them back from
// the per-chart cache without touching the database), sets the titles, loads the qualifier and
// the notes, draws the chart and writes the notes over it.
//
// A plane takes part in a chart when its aircraft number is not empty and its show flag is on.
#include <functional>
#include <string>
#include <string_view>

#include "platform/gdi/Canvas.h"
#include "platform/runtime/Variant.h"

namespace ChartBuilders {

// The qualifier labels the builders write. (The WAT chart and the user's country they read are
// Globals'.)
struct Vars {
  // Called with the qualifier label's name ("lblBlockFuel", ...) and its new caption whenever a
  // builder reads a chart's qualifier; the main window sets the label's text.
  std::function<void(const std::string& label, const std::string& caption)> QualifierSink;
};
Vars& vars();
void resetForTest();

// The last caption given to a qualifier label ("" when none was given yet).
std::string QualifierCaption(std::string_view label);
// The qualifier label of a chart number ("lblLanding" for 9 and 10, ...); "" outside 1 to 16.
std::string QualifierLabel(int chartNumber);

// The main window's entry point: draws chart `chartNumber` (1 to 16) of the current pair over
// the whole target. redraw true reads the database; false rebuilds the chart from its cache
// (the three landing bar charts always read the database). Other numbers draw nothing.
void BuildChart(int chartNumber, gdi::Canvas& target, bool redraw);
// The same with the chart rectangle in percent of the target (printed pages) and the redraw
// flag passed as the builders take it: a bar-chart builder stores true into it.
void BuildChart(int chartNumber, gdi::Canvas& target, vb::Variant& redraw, double left, double top,
                double width, double height);

}  // namespace ChartBuilders

namespace General {

// --- The builders: chart numbers 1 to 16 in this order ---
// redraw: true (a Boolean or a non-zero number) reads the database; anything else (false,
// Empty, Null, text) draws the chart from its cache. left/top/width/height: the chart
// rectangle in percent of the target (0, 0, 100, 100 = all of it).
using Builder = void (*)(gdi::Canvas& target, vb::Variant& redraw, double left, double top,
                         double width, double height);
void GraphBlockFuel(gdi::Canvas& target, vb::Variant& redraw, double left, double top, double width,
                    double height);
void ChartBlockTime(gdi::Canvas& target, vb::Variant& redraw, double left, double top, double width,
                    double height);
void ChartBalancedFieldLength(gdi::Canvas& target, vb::Variant& redraw, double left, double top,
                              double width, double height);
void ChartCeilingCorp(gdi::Canvas& target, vb::Variant& redraw, double left, double top,
                      double width, double height);
void ChartCeilingHV(gdi::Canvas& target, vb::Variant& redraw, double left, double top, double width,
                    double height);
void ChartCeilingUtil(gdi::Canvas& target, vb::Variant& redraw, double left, double top,
                      double width, double height);
void ChartCeilingVNE(gdi::Canvas& target, vb::Variant& redraw, double left, double top,
                     double width, double height);
void ChartCruiseSpeed(gdi::Canvas& target, vb::Variant& redraw, double left, double top,
                      double width, double height);
void ChartLanding(gdi::Canvas& target, vb::Variant& redraw, double left, double top, double width,
                  double height);
void ChartLanding5000Ft(gdi::Canvas& target, vb::Variant& redraw, double left, double top,
                        double width, double height);
void ChartLandingSL(gdi::Canvas& target, vb::Variant& redraw, double left, double top, double width,
                    double height);
void ChartOperatingSpeed(gdi::Canvas& target, vb::Variant& redraw, double left, double top,
                         double width, double height);
void ChartPayload(gdi::Canvas& target, vb::Variant& redraw, double left, double top, double width,
                  double height);
void ChartTakeoffElevation(gdi::Canvas& target, vb::Variant& redraw, double left, double top,
                           double width, double height);
void ChartWATCorp(gdi::Canvas& target, vb::Variant& redraw, double left, double top, double width,
                  double height);
void ChartWATUtil(gdi::Canvas& target, vb::Variant& redraw, double left, double top, double width,
                  double height);
// The builder of a chart number; nullptr outside 1 to 16.
Builder BuilderFor(int chartNumber);

// --- Series readers and the cache ---
// One series per line group (GroupID 1 to 20, ascending; the whole table is one line when
// groupColumn is empty) of one plane's rows of a chart table, in displayOrder, in the plane's
// colour. Up to two selectors (an empty column switches one off) keep the rows whose value
// equals the text, numerically for a numeric column and without regard to case for text. The
// first group's series gets seriesName unless the pair is helicopters. Rows with a Null X or Y
// are left out. plane 1 = Plane 1, anything else Plane 2.
void LookupDataLines(std::string_view table, int plane, long lineStyle,
                     const std::string& seriesName, std::string_view xColumn,
                     std::string_view yColumn, std::string_view groupColumn,
                     std::string_view filterColumn1, std::string_view filterValue1,
                     std::string_view filterColumn2, std::string_view filterValue2);
// The chart's cached series (attributes and points) back into the working set.
void RestoreChartSeries(int chart);
// Empties the point counts of the working set and of the chart's cache (before a database read).
void ClearPopupPoints(int chart);
// The cached points of the series being built (ChartSeriesCount) back into the working set.
void CopyPopupPointsToChart();
// Payload chart: a hover point where a curve falls through 4, 8, 12, 16 and 20.
void Popups_Every_4_Pass();

// --- Notes and qualifiers ---
// The qualifier of a chart key ("LandingHeli" for the helicopter landing charts, the key plus
// "Heli" for other helicopter charts) as the caption of the named label.
void UpdateQualifier(const std::string& graph, const std::string& label);
// The notes of a chart key for the chosen planes into the label store of CurrentChartNumber.
void LookupChartLabels(std::string& graph);
// The chart's notes in ascending Y, equal Y keeping their order.
void SortChartLabels(int chart);
// Draws the notes of a chart on the current target, pushed apart when FitChartLabels is on.
void AddChartLabels(int chart);
// Bar charts: the hover points of CurrentChartNumber rebuilt from its notes.
void AddPopupPointsFromLabels();

}  // namespace General
