// Module Chart: the drawing pipeline, chart defaults, layout of the borders, scaling, grid and
// tick labels.
#include <algorithm>
#include <cmath>

#include "charts/Chart.h"
#include "charts/ChartInternal.h"
#include "charts/Graph.h"
#include "foundation/General.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Number.h"
#include "platform/runtime/Strings.h"
#include "platform/runtime/Trap.h"

namespace Chart {

namespace {

constexpr std::string_view kModule = "Chart";

// The lower end of the speed axis of the speed-altitude charts: Mach .55 at 37000 ft.
constexpr double kSpeedAxisStart = 574 * 0.55;

bool SpeedChart(int chart) { return chart == 8 || chart == 12; }

bool OnScreenPicture() { return Graph::TargetKind() == gdi::TargetKind::Picture; }

}  // namespace

void SelectChartFont(const ChartFont& f) {
  Graph::SetFont(f.FontName, f.Bold, f.Italic, f.Underline, false, f.Size, 0);
}

void SetDefaults() {
  vb::Proc g(kModule, "SetDefaults");
  Vars& v = vars();
  g.step([&] {
    v.TitleFont = {"Arial", true, false, false, 10};
    v.AxisTitleFont = {"Arial", true, false, false, 8};
    v.TickLabelFont = {"Arial", false, false, false, 8};
    v.LegendFont = v.TickLabelFont;
    v.MarkerFont = v.TickLabelFont;
    v.ChartBackColor = 0xFFFFFF;
    v.GridColor = 0xC0C0C0;
    v.AxisPenWidth =
        Graph::TargetKind() == gdi::TargetKind::Printer ? 3.5 : gdi::kScreenTwipsPerPixel / 10.0;
    v.SeriesPenWidth = 2 * v.AxisPenWidth;
    v.XMin = v.XMax = v.YMin = v.YMax = 0;
    v.XStep = v.YStep = 0;
    v.XLabelEvery = v.ChartBarMode == 1 ? 0 : 2;
    v.YLabelEvery = 2;
    v.XFactor = v.YFactor = 0;
    v.LeftBorder = v.RightBorder = v.TopBorder = v.BottomBorder = 0;
    v.TitleSpacing = 1.85;
    v.TickFactor = 0.1;
    v.MarkerSize = 1;
    v.BarInset = 0.25f;
    v.ChartLegendMode = 3;
    v.ChartTimeAxis = false;
    v.ChartPayloadUnits = false;
  });
}

std::string TickLabel(double value, bool timeAxis) {
  if (timeAxis) {
    double hours = vb::Fix(value);
    double minutes = (value - hours) * 60;
    if (std::abs(minutes) >= 59.995) {  // a value a hair below a whole hour
      hours += vb::Sgn(minutes);
      minutes = 0;
    }
    return vb::NumberText(hours) + ":" + General::Stn(std::abs(minutes), 2);
  }
  return vb::NumberText(vb::Fix(value * 10000 + 0.5 * vb::Sgn(value)) / 10000);
}

void DrawChart() {
  vb::Proc g(kModule, "DrawChart");
  Vars& v = vars();
  const int chart = v.CurrentChartNumber;
  // The scale table gives the ranges when the builder set none.
  if (v.XMin == 0 && v.XMax == 0 && v.YMin == 0 && v.YMax == 0) g.step([&] { FindChartMinMax(); });
  // The chart's notes.
  g.step([&] {
    if (chart < 0 || chart > kMaxCharts || v.ChartLabelsLoaded[chart]) return;
    std::string key = ChartKey(chart);
    if (v.LookupChartLabels) v.LookupChartLabels(key);
  });
  // An empty chart counts as one series while it is laid out.
  const bool empty = v.ChartSeriesCount == 0;
  if (empty) v.ChartSeriesCount = 1;
  // Borders.
  g.step([&] {
    if (v.ChartSeriesCount > 0 && v.XMax != v.XMin && v.YMax != v.YMin && v.LeftBorder == 0)
      CalcBorders();
  });
  // Data extremes.
  double minX = 10000, minY = 10000, maxX = -10000, maxY = -10000;
  g.step([&] {
    for (int s = 1; s <= kMaxSeries; ++s)
      for (long p = 1; p <= v.ChartPointCount[s]; ++p) {
        const ChartPoint& pt = v.ChartPoints[s][p];
        minX = std::min<double>(minX, pt.X);
        maxX = std::max<double>(maxX, pt.X);
        minY = std::min<double>(minY, pt.Y);
        maxY = std::max<double>(maxY, pt.Y);
      }
    if (SpeedChart(chart) && minX > kSpeedAxisStart) minX = kSpeedAxisStart;
  });
  // Trim the ranges towards the data while the notes still fit. Neither end passes the
  // other: the span keeps at least one label spacing (and never less than one step).
  if (v.FitChartLabels && v.ChartBarMode != 1) {
    g.step([&] {
      TrimRange(v.XMin, v.XMax, v.XStep, v.XLabelEvery, minX, maxX, LabelsFit);
      TrimRange(v.YMin, v.YMax, v.YStep, v.YLabelEvery, minY, maxY, LabelsFitY);
    });
  }
  // The speed-altitude charts run from the ground to at least 40000 ft.
  if (v.FitChartLabels && SpeedChart(chart)) {
    if (v.YMax < 40000) v.YMax = 40000;
    v.YMin = 0;
  }
  // Scale.
  if (v.XFactor == 0 || v.YFactor == 0) g.step([&] { AutoScale(); });
  // Laid out, an empty chart goes back to no series.
  if (empty) v.ChartSeriesCount = 0;
  const gdi::TargetKind kind = Graph::TargetKind();
  // Background, on the screen only.
  if (kind != gdi::TargetKind::Printer && kind != gdi::TargetKind::DrawingControl)
    g.step([&] {
      FilledBox(v.ChartLeft, v.ChartTop, v.ChartLeft + v.ChartWidth, v.ChartTop + v.ChartHeight,
                v.ChartBackColor, 0);
    });
  // A frame round a chart that shares its target.
  if (v.ChartInset)
    g.step([&] {
      Graph::SetPen(v.AxisPenWidth, 0);
      Graph::Rectangle(v.ChartLeft, v.ChartTop, v.ChartLeft + v.ChartWidth,
                       v.ChartTop + v.ChartHeight);
      Graph::RemovePen();
    });
  // Grid and tick labels.
  if (v.XMin < v.XMax) {
    g.step([&] { DrawGrid(); });
    g.step([&] { LabelXYAxis(); });
  }
  // Titles, series, markers, legend.
  g.step([&] { PrintChartTitle(); });
  g.step([&] { PrintXAxisTitle(); });
  g.step([&] { PrintYAxisTitle(); });
  for (int s = 1; s <= kMaxSeries; ++s) g.step([&] { PlotSeries(s); });
  for (int s = 1; s <= kMaxSeries; ++s) g.step([&] { PlotMarkers(s); });
  if (v.ChartLegendMode != 0) g.step([&] { PrintLegend(); });
  // The geometry the hover routines read; only a screen picture has a mouse over it.
  if (kind == gdi::TargetKind::Picture && chart >= 0 && chart <= kMaxCharts)
    v.ChartHoverGeometry[chart] = {v.ChartLeft, v.PlotX0, v.XMin, v.XFactor,
                                   v.ChartTop,  v.PlotY1, v.YMin, v.YFactor};
  // The "Assumptions" caption, which opens the assumptions box: screen pictures only.
  if (OnScreenPicture())
    g.step([&] {
      Graph::SetFont(v.LegendFont.FontName, false, false, false, false, v.LegendFont.Size, 0);
      Graph::SetTextColor(0);
      const double w = Graph::TextWd("Assumptions"), h = Graph::TextHt("Assumptions");
      Graph::TextOut(v.ChartLeft + v.ChartWidth - v.TitleSpacing / 4 - w,
                     v.ChartTop + v.TitleSpacing * h / 2 - h / 2, "Assumptions");
      Graph::RemoveFont();
    });
}

void TrimRange(double& lo, double& hi, double step, double labelEvery, double minData,
               double maxData, int (*fits)()) {
  if (!(step > 0) || !std::isfinite(lo) || !std::isfinite(hi)) return;
  const double minSpan = std::max(1.0, labelEvery) * step;
  if (minData < maxData) {
    for (long n = 0; n < kMaxSteps && minData > lo + step; ++n) {
      if (hi - (lo + step) < minSpan) break;
      lo += step;
      if (fits() < 0) {
        lo -= step;
        break;
      }
    }
  }
  if (maxData > minData) {
    for (long n = 0; n < kMaxSteps && maxData < hi - step; ++n) {
      hi -= step;
      if (fits() > 0 || hi - lo < minSpan) {
        hi += step;
        break;
      }
    }
  }
}

void CalcBorders() {
  vb::Proc g(kModule, "CalcBorders");
  Vars& v = vars();
  double titleH = 0, xTitleH = 0, yTitleH = 0, xLabelH = 0, yLabelW = 0;
  double legendW = 0, legendH = 0;
  g.step([&] {
    SelectChartFont(v.TitleFont);
    titleH = Graph::TextHt(v.ChartTitle);
    Graph::RemoveFont();
    SelectChartFont(v.AxisTitleFont);
    xTitleH = Graph::TextHt(v.XAxisTitle);
    yTitleH = Graph::TextHt(v.YAxisTitle);
    Graph::RemoveFont();
    // An empty title still keeps a thin band.
    if (titleH == 0) titleH = 0.01 * v.ChartWidth;
    if (xTitleH == 0) xTitleH = 0.01 * v.ChartWidth;
    if (yTitleH == 0) yTitleH = 0.01 * v.ChartWidth;
  });
  g.step([&] {
    SelectChartFont(v.TickLabelFont);
    if (v.XLabelEvery != 0) xLabelH = Graph::TextHt("1");
    if (v.YLabelEvery != 0 && v.YStep != 0)
      ForSteps(v.YMin, v.YMax, v.YLabelEvery * v.YStep, [&](double y) {
        yLabelW = std::max(yLabelW, Graph::TextWd(TickLabel(y, v.ChartTimeAxis)));
      });
    Graph::RemoveFont();
  });
  g.step([&] {
    SelectChartFont(v.LegendFont);
    for (int s = 1; s <= kMaxSeries; ++s) {
      if (v.ChartPointCount[s] == 0) continue;
      LegendLines lines = SplitLegend(v.SeriesName[s], v.ChartLegendMode);
      if (lines.first.empty() || lines.nameFirst.empty()) continue;
      double w;
      if (v.ChartLegendMode == 1 || v.ChartLegendMode == 2)
        w = std::max(Graph::TextWd(lines.first), Graph::TextWd(lines.second));
      else if (v.ChartLegendMode == 4)
        w = Graph::TextWd(lines.first + "#");
      else
        w = Graph::TextWd(lines.first) + Graph::TextHt(lines.first);
      if (w > legendW) {
        legendW = w;
        legendH = Graph::TextHt(lines.first);
      }
    }
    if (v.ChartPayloadUnits) legendW = Graph::TextWd("1000 lbs");
    Graph::RemoveFont();
  });
  v.LeftBorder = 1.75 * yTitleH + 1.125 * yLabelW;
  if (v.ChartPayloadUnits)
    v.RightBorder = legendW + v.LeftBorder / 4;
  else if (v.ChartLegendMode != 0 && legendH > 0)
    v.RightBorder = legendW + legendH;
  else
    v.RightBorder = v.LeftBorder / 2;
  v.TopBorder = v.TitleSpacing * titleH;
  v.BottomBorder = 1.25 * xTitleH + 1.125 * xLabelH;
}

void AutoScale() {
  Vars& v = vars();
  // A zero range leaves its factor 0: the chart is drawn without a plot, never with inf/NaN.
  const double xr = v.XMax - v.XMin, yr = v.YMax - v.YMin;
  const double xf = xr != 0 ? (v.ChartWidth - v.LeftBorder - v.RightBorder) / xr : 0;
  const double yf = yr != 0 ? (v.ChartHeight - v.TopBorder - v.BottomBorder) / yr : 0;
  v.XFactor = std::isfinite(xf) ? xf : 0;
  v.YFactor = std::isfinite(yf) ? yf : 0;
  // The division by a zero range fails, once for the chart; a drawing from the cache (a pop-up
  // taken away) does not repeat what its drawing from the database reported.
  if ((xr == 0 || yr == 0) && v.ChartFromDatabase) vb::Raise(vb::err::DivisionByZero);
}

void DrawGrid() {
  vb::Proc g(kModule, "DrawGrid");
  Vars& v = vars();
  v.PlotX0 = v.LeftBorder;
  v.PlotX1 = v.PlotX0 + (v.XMax - v.XMin) * v.XFactor;
  v.PlotY0 = v.TopBorder;
  v.PlotY1 = v.PlotY0 + (v.YMax - v.YMin) * v.YFactor;
  g.step([&] { Graph::SetPen(v.AxisPenWidth, v.GridColor); });
  g.step([&] { PlotLine(v.XMin, v.YMin, v.XMin, v.YMax, 0); });
  if (v.XStep != 0)
    g.step([&] {
      if (v.ChartBarMode != 1)
        ForSteps(v.XMin, v.XMax, v.XStep, [&](double x) { PlotLine(x, v.YMin, x, v.YMax, 0); });
      PlotLine(v.XMax, v.YMin, v.XMax, v.YMax, 0);
    });
  if (v.YStep != 0)
    g.step([&] {
      ForSteps(v.YMin, v.YMax, v.YStep, [&](double y) { PlotLine(v.XMin, y, v.XMax, y, 0); });
      PlotLine(v.XMin, v.YMax, v.XMax, v.YMax, 0);
    });
  Graph::RemovePen();
}

void LabelXYAxis() {
  vb::Proc g(kModule, "LabelXYAxis");
  Vars& v = vars();
  auto label = [&](const std::string& text, double xLeft, bool alignRight, double yCentre,
                   bool centreOnX) {
    SelectChartFont(v.TickLabelFont);
    Graph::SetTextColor(0);
    const double w = Graph::TextWd(text), h = Graph::TextHt(text);
    double x = centreOnX ? xLeft - w / 2 : (alignRight ? xLeft - w : xLeft);
    double y = centreOnX ? yCentre : yCentre - h / 2;
    Graph::TextOut(x, y, text);
    Graph::RemoveFont();
  };
  if (v.XStep != 0 && v.XLabelEvery != 0)
    g.step([&] {
      ForSteps(v.XMin, v.XMax, v.XLabelEvery * v.XStep, [&](double x) {
        Graph::SetPen(v.AxisPenWidth, v.GridColor);
        Graph::DrawLine(ChartX(x), v.ChartTop + v.PlotY0, ChartX(x),
                        v.ChartTop + v.PlotY1 + v.BottomBorder * v.TickFactor, 0);
        Graph::RemovePen();
        label(TickLabel(x, false), ChartX(x), false,
              v.ChartTop + v.ChartHeight - v.BottomBorder + v.BottomBorder * v.TickFactor, true);
      });
    });
  if (v.YStep != 0 && v.YLabelEvery != 0)
    g.step([&] {
      ForSteps(v.YMin, v.YMax, v.YLabelEvery * v.YStep, [&](double y) {
        Graph::SetPen(v.AxisPenWidth, v.GridColor);
        Graph::DrawLine(v.ChartLeft + v.PlotX0 - v.LeftBorder * v.TickFactor, ChartY(y),
                        v.ChartLeft + v.PlotX1, ChartY(y), 0);
        Graph::RemovePen();
        label(TickLabel(y, v.ChartTimeAxis),
              v.ChartLeft + v.LeftBorder - v.LeftBorder * v.TickFactor, true, ChartY(y), false);
      });
    });
  // Payload chart: the weight of y passengers at 200 lb, right of the plot.
  if (v.ChartPayloadUnits)
    g.step([&] {
      ForSteps(5, v.YMax, 5, [&](double y) {
        const std::string text = vb::NumberText(vb::Fix(y * 1000 / 5)) + " lbs";
        SelectChartFont(v.TickLabelFont);
        Graph::SetTextColor(0);
        const double h = Graph::TextHt(text);
        Graph::TextOut(v.ChartLeft + v.PlotX1 + h / 2, ChartY(y) - h / 2, text);
        Graph::RemoveFont();
      });
    });
}

namespace {

// Where the notes of the current chart stick out of the current ranges, in one direction.
int NotesOutside(bool xAxis) {
  Vars& v = vars();
  const int chart = v.CurrentChartNumber;
  if (chart < 0 || chart > kMaxCharts) return 0;
  int result = 0;
  const double xr = v.XMax - v.XMin, yr = v.YMax - v.YMin;
  const double xf = xr != 0 ? (v.ChartWidth - v.LeftBorder - v.RightBorder) / xr : 0;
  const double yf = yr != 0 ? (v.ChartHeight - v.TopBorder - v.BottomBorder) / yr : 0;
  for (const ChartLabel& l : v.ChartLabels[chart]) {
    Graph::SetFont(v.AxisTitleFont.FontName, v.AxisTitleFont.Bold, v.AxisTitleFont.Italic,
                   v.AxisTitleFont.Underline, false, l.Size, 0);
    const double w = xf != 0 ? Graph::TextWd(l.Text) / xf : 0;
    const double h = yf != 0 ? Graph::TextHt(l.Text) / yf : 0;
    Graph::RemoveFont();
    if (xAxis) {
      double left = l.X;
      if (l.Align == "Center")
        left = l.X - w / 2;
      else if (l.Align == "Right")
        left = l.X - w;
      if (left < v.XMin) result = -1;
      if (left + w > v.XMax) result = 1;
    } else {
      if (l.Y - h < v.YMin) result = -1;
      if (l.Y > v.YMax) result = 1;
    }
  }
  return result;
}

}  // namespace

int LabelsFit() {
  vb::Proc g(kModule, "LabelsFit");
  return g.value([&] { return NotesOutside(true); }, 0);
}

int LabelsFitY() {
  vb::Proc g(kModule, "LabelsFitY");
  return g.value([&] { return NotesOutside(false); }, 0);
}

}  // namespace Chart
