#pragma once
// The values under the mouse on a chart picture: the table of the fourteen chart pictures, the
// hover search over a chart's cache, the pop-up box of one point, the assumption text of a chart
// and its box. No widget code here: the picture that hosts a chart (mainwindow/ChartPicture)
// plays the HoverHost below, and tests play it with a fake.
//
// Units: hover positions are chart units, percent of the picture's width on both axes; a mouse
// position (X, Y) in picture units (pixels) is (X / ScaleWidth x 100, Y / ScaleWidth x 100).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "charts/Chart.h"
#include "platform/gdi/Canvas.h"

namespace ChartHover {

// PopupPoint of a chart while its assumption box is open; never a point index (1 to 1000).
inline constexpr int kAssumptionBox = 10000;

// One chart picture of the main window.
struct PictureInfo {
  std::string_view name;  // the picture's object name, "chrtPayload"
  Chart::ChartPicture picture;
  int tab;  // the main tab that shows it
  // Report groups of the assumption text; "" = none. For helicopters the WAT pictures use
  // heliWatA while the WAT A chart is chosen, else heli.
  std::string_view fixedWing, heli, heliWatA;
};
const std::array<PictureInfo, 14>& Pictures();
// The entry of a picture; nullptr for Chart::ChartPicture::Other.
const PictureInfo* Find(Chart::ChartPicture picture);
// The picture of an object name (exact); Other when it is none of the fourteen.
Chart::ChartPicture PictureFromName(std::string_view name);
// The report group of a picture for a class (2 helicopters, anything else fixed-wing) and WAT
// choice (1 WAT A); "" for none and for Other.
std::string ReportGroup(Chart::ChartPicture picture, int aircraftClass, int watChart);

// The landing bar charts (9, 10, 11): wider hover threshold, bar-centred pop-ups, y text only.
bool IsBarChart(int chart);

// What each chart number shows now (0 to 100; only 1 to 16 are used).
struct Vars {
  // Series of the pop-up drawn on the chart (0 while the assumption box is open).
  std::array<int16_t, Chart::kMaxCharts + 1> PopupSeries{};
  // 0 nothing shown; 1 to 1000 the pop-up of that point of PopupSeries; kAssumptionBox.
  std::array<int16_t, Chart::kMaxCharts + 1> PopupPoint{};
};
Vars& vars();
void resetForTest();

struct Position {
  float x = 0, y = 0;
};
// Where the pop-up of cached point p of series s stands, from the chart's hover geometry.
Position PopupPosition(int chart, int s, int p);

struct Hit {
  int series = 0;
  int point = 0;  // 0: nothing; kAssumptionBox: the caption
  bool operator==(const Hit&) const = default;
};
// The cached point nearest to (mx, my) (chart units) strictly within the threshold (1; 3 on the
// bar charts); on equal distances the lower series, then the lower point. {0, 0} when none.
Hit NearestPoint(int chart, double mx, double my);

// Extent of the "Assumptions" caption in the chart's title font, bold, in chart units.
struct CaptionExtent {
  double w = 0, h = 0;
};
// Binds the drawing layer to the picture (percent mode, not cleared) to measure the caption.
CaptionExtent MeasureCaption(gdi::Canvas& picture);
// Whether (X, Y), picture units, lies on the caption in the picture's top right corner.
bool CaptionHit(double X, double Y, double scaleWidth, CaptionExtent caption);

// The picture that a chart is drawn in, as the hover sees it.
class HoverHost {
 public:
  virtual ~HoverHost() = default;
  virtual Chart::ChartPicture Picture() const = 0;
  // The picture's width in its own units (pixels).
  virtual double ScaleWidth() const = 0;
  // The caption's extent on this picture (MeasureCaption; a host may keep it between moves).
  virtual CaptionExtent Caption() = 0;
  // Shows the pop-up of cached point p of series s, or the assumption box for kAssumptionBox.
  virtual void ShowPopup(int s, int p) = 0;
  // Takes away what is shown: the chart as drawn, the assumption box closed.
  virtual void ErasePopup() = 0;
};

// Unbinds the drawing layer from a canvas that is about to go, so that nothing draws on it later.
void ReleaseGraphTarget(const gdi::Canvas* canvas);

// The assumption text of a report group from ProductExplainTerms (the group bound as a
// parameter); "" without a query for an empty group, and "" without a report when the group has
// no row. A database that cannot be read is reported and gives "".
std::string AssumptionText(const std::string& group);
// The lines of the assumption box of a text ("|" breaks lines) in the chart's legend font: the
// box size in pixels (1.05 x the widest line by 1.05 x the lines, every line counted; an empty
// text is one empty line), measured on `probe`, and the drawing of the lines on the box.
gdi::Extent AssumptionBoxSize(gdi::Canvas& probe, std::string_view text);
void DrawAssumptionBox(gdi::Canvas& box, std::string_view text);

}  // namespace ChartHover

namespace General {

// The hover search on a mouse move at (X, Y), picture units: shows, replaces or removes the
// pop-up or the assumption box. The same point again draws nothing.
void ChartMouseMove(ChartHover::HoverHost& picture, double X, double Y);
// The mouse left the picture: whatever is shown goes.
void ChartMouseLeave(ChartHover::HoverHost& picture);
// Shows point p of series s (or the assumption box) and records it as shown.
void ShowChartPopupAt(ChartHover::HoverHost& picture, int s, int p);
// Takes away what the chart shows and records that nothing is shown.
void RebuildChart(ChartHover::HoverHost& picture);
// The pop-up box of cached point p of series s drawn on the picture (percent mode, not
// cleared): the value text in the series' colour in a pale yellow box above the point.
void DrawChartPopup(gdi::Canvas& picture, int chart, int s, int p);
// The pop-up text: "x/y", the y value alone on the bar charts; y with two decimals on block
// time (2) and payload-range (13), otherwise whole numbers with "," grouping.
std::string FormatPopupValue(int chart, int s, int p);
// The assumption text of the chart in a picture for the current class and WAT choice.
std::string ChartAssumptionFromControl(Chart::ChartPicture picture);

}  // namespace General
