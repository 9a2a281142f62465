#pragma once
// Module Chart: the program's own X-Y chart engine. A builder starts a chart on a target
// (NewChart), adds series (NewSeries) and points (AddPoint), sets titles and options, and
// draws it (DrawChart). Every series and point is also kept in a per-chart cache indexed by
// CurrentChartNumber, so that a chart can be drawn again without the database and the hover
// routines can find the points under the mouse.
//
// Units: chart rectangles, borders and plot positions are drawing-layer units, percent of the
// target's width on both axes (only NewChart's height argument is a percent of the target's
// height); chart values are axis units; device y grows downwards, chart y upwards.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "charts/ChartScale.h"
#include "platform/gdi/Canvas.h"
#include "platform/runtime/Variant.h"

namespace Chart {

inline constexpr int kMaxSeries = 100;
inline constexpr int kMaxPoints = 1000;
inline constexpr int kMaxCharts = 100;  // chart numbers 0..100
inline constexpr int kMaxLabels = 100;

struct ChartFont {
  std::string FontName = "Arial";
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  double Size = 8;  // points
};

struct ChartPoint {
  float X = 0;
  float Y = 0;
};

// The chart pictures of the main window.
enum class ChartPicture {
  Other,
  BlockFuel,
  BlockTime,
  BalancedFieldLength,
  TakeoffElevation,
  Landing,
  CruiseSpeed,
  OperatingSpeed,
  Payload,
  CeilingCorp,
  CeilingUtil,
  CeilingHV,
  CeilingVNE,
  WATCorp,
  WATUtil,
};

// One series of a chart's cache. Entries beyond the counts of the last drawing stay but are not
// counted.
struct CacheSeries {
  std::string Name;
  gdi::Rgb Color = 0;
  long LineStyle = 0;
  long FillStyle = 0;
  long Marker = 0;
  long PointCount = 0;
  std::vector<ChartPoint> Points;  // point p at [p - 1]
};

// ChartSeriesCache: per chart number, only the series and points actually stored take room.
class SeriesCache {
 public:
  long SeriesCount(int chart) const;
  void SetSeriesCount(int chart, long count);
  // Series s (1-based) of a chart, or nothing when it was never stored.
  const CacheSeries* Series(int chart, int s) const;
  // Series s of a chart, made when missing (chart 0..100, s 1..100; else error 9).
  CacheSeries& Touch(int chart, int s);
  long PointCount(int chart, int s) const;
  // Point p (1-based); (0, 0) when it was never stored.
  ChartPoint Point(int chart, int s, int p) const;
  void SetPoint(int chart, int s, int p, ChartPoint point);
  // No series and no points counted for the chart (what was stored stays, uncounted).
  void Empty(int chart);
  // Bytes in use, for the memory check.
  size_t Bytes() const;

 private:
  struct PerChart {
    long SeriesCount = 0;
    std::vector<CacheSeries> Series;  // series s at [s - 1]
  };
  std::array<PerChart, kMaxCharts + 1> charts_;
};

// What the hover routines need of the last drawing of a chart on a screen picture.
struct HoverGeometry {
  double ChartLeft = 0, PlotX0 = 0, XMin = 0, XFactor = 0;
  double ChartTop = 0, PlotY1 = 0, YMin = 0, YFactor = 0;
};

// One chart note of the label store.
struct ChartLabel {
  gdi::Rgb Color = 0;
  double X = 0, Y = 0;  // chart units
  std::string Text;
  double Size = 8;  // points
  std::string Align = "Left";
};

struct Vars {
  Vars();

  // --- Working set: series 1..100, points 1..1000 (index 0 unused) ---
  long ChartSeriesCount = 0;
  std::vector<std::array<ChartPoint, kMaxPoints + 1>> ChartPoints;  // [series][point]
  std::array<long, kMaxSeries + 1> ChartPointCount{};
  std::array<gdi::Rgb, kMaxSeries + 1> SeriesColor{};
  std::array<long, kMaxSeries + 1> SeriesLineStyle{};
  std::array<long, kMaxSeries + 1> SeriesMarker{};
  std::array<std::string, kMaxSeries + 1> SeriesName{};
  std::array<long, kMaxSeries + 1> SeriesFillStyle{};
  long ChartBarMode = 0;
  // The last NewSeries was refused (no slot left): the points added after it are dropped.
  bool SeriesRefused = false;

  // --- Chart properties (SetDefaults) ---
  std::string ChartTitle, XAxisTitle, YAxisTitle;
  ChartFont TitleFont, AxisTitleFont, TickLabelFont, LegendFont, MarkerFont;
  gdi::Rgb ChartBackColor = 0xFFFFFF;
  gdi::Rgb GridColor = 0xC0C0C0;
  double AxisPenWidth = 1.5;
  double SeriesPenWidth = 3;
  double XMin = 0, XMax = 0, YMin = 0, YMax = 0;
  double XStep = 0, YStep = 0;
  double XLabelEvery = 2, YLabelEvery = 2;
  double XFactor = 0, YFactor = 0;
  double LeftBorder = 0, RightBorder = 0, TopBorder = 0, BottomBorder = 0;
  // The size the legend is written in: LegendFont's, or smaller where the legend would take
  // too much of the chart (CalcBorders).
  double LegendSize = 8;
  double TitleSpacing = 1.85;
  double TickFactor = 0.1;
  double MarkerSize = 1;
  float BarInset = 0.25f;
  long ChartLegendMode = 3;
  bool ChartTimeAxis = false;
  bool ChartPayloadUnits = false;

  // --- Chart rectangle and plot geometry ---
  double ChartLeft = 0, ChartTop = 0, ChartWidth = 0, ChartHeight = 0;
  bool ChartInset = false;
  double PlotX0 = 0, PlotX1 = 0, PlotY0 = 0, PlotY1 = 0;
  // The chart is being built from the database (NewChart's redraw flag); drawings from the
  // cache do not repeat the scale lookup's messages.
  bool ChartFromDatabase = true;

  // --- Shared with the rest of the program ---
  // The chart being built or drawn (1-16); the builders set it first.
  int CurrentChartNumber = 0;
  // Sort and push apart the notes, trim the ranges to the data; on from start-up.
  bool FitChartLabels = true;
  SeriesCache ChartSeriesCache;
  std::array<HoverGeometry, kMaxCharts + 1> ChartHoverGeometry{};
  std::array<std::vector<ChartLabel>, kMaxCharts + 1> ChartLabels{};  // at most 100 each
  std::array<bool, kMaxCharts + 1> ChartLabelsLoaded{};
  // Loads the notes of a chart key into ChartLabels[CurrentChartNumber] and marks them loaded
  // (the chart notes module); unset, a chart has no notes.
  std::function<void(std::string& key)> LookupChartLabels;
  // Where the scale rows come from; unset, the aircraft database (DatabaseScales).
  ScaleSource* Scales = nullptr;
  // Per chart number (0 for any other), the scale row of its last drawing from the database.
  std::array<RememberedScale, 17> RememberedScales;
};
Vars& vars();
void resetForTest();

// --- Series store and cache ---
void NewChart(gdi::Canvas& target, long barMode, double left, double top, double width,
              double height, bool redraw);
void NewSeries(gdi::Rgb color, long lineStyle, long marker, const std::string& name,
               long fillStyle);
// y empty stands for Null: the point's Y is 0.
void AddPoint(double x, std::optional<double> y);
int ChartNumberFromPicture(ChartPicture picture);
std::string ChartKey(int chartNumber);

// --- Pipeline, layout and axes ---
void SetDefaults();
void DrawChart();
void CalcBorders();
void AutoScale();
void DrawGrid();
void LabelXYAxis();
int LabelsFit();
int LabelsFitY();
// The text of a tick label: h:mm on the time axis (Y), else the value to 4 decimals.
std::string TickLabel(double value, bool timeAxis);

// --- Series, markers, titles, legend ---
double ChartX(double x);
double ChartY(double y);
void PlotLine(double x1, double y1, double x2, double y2, long style);
void PlotRectangle(double x1, double y1, double x2, double y2);
void FilledBox(double x1, double y1, double x2, double y2, gdi::Rgb color, long fillStyle);
void PlotText(double x, double y, std::string_view text, std::string_view align);
void PlotSeries(int s);
void PlotMarkers(int s);
void PlotMarker(double x, double y, long type);
void DrawMarker(double px, double py, long type, std::string_view text);
void PrintChartTitle();
void PrintXAxisTitle();
void PrintYAxisTitle();
void PrintLegend();

// --- Scale lookup ---
void FindChartMinMax();
int gFindBiggerAircraft(const std::string& title, const std::string& acNum1,
                        const std::string& acNum2);
std::string GraphNameFromTitle(const std::string& title);

}  // namespace Chart

namespace General {

// Constant-Mach lines over a speed-altitude chart just drawn (X knots, Y feet).
void PlotMachSpeeds();
// "h:mm" as hours (Double); a text without ":" reads as hours; Null or a blank text: Empty.
vb::Variant TimeValue(const vb::Variant& text);

}  // namespace General
