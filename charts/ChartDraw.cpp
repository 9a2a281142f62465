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

constexpr std::string_view kAssumptions = "Assumptions";

// Steps at which tick labels are kept when all of them would not fit: every label, every 2nd,
// 5th, 10th, 20th ...
long LabelThinning(long index) {
  static constexpr long kFirst[] = {1, 2, 5};
  long factor = 1;
  while (index >= 3) {
    index -= 3;
    factor *= 10;
  }
  return kFirst[index] * factor;
}

// The smallest thinning at which every kept label clears the next kept one: `gap(a, b)` is the
// room between labels a and b (a before b), which must be at least `room`.
long Thinning(size_t count, double room, const std::function<double(size_t, size_t)>& gap) {
  for (long k = 0;; ++k) {
    const long every = LabelThinning(k);
    if (static_cast<size_t>(every) >= count) return every;
    bool clear = true;
    for (size_t i = 0; clear && i + every < count; i += every) clear = gap(i, i + every) >= room;
    if (clear) return every;
  }
}

// The pieces of a title between the places where a line may break: after a blank (not one
// before a dash), after a hyphen or a slash inside a word.
std::vector<std::string> TitlePieces(const std::string& text) {
  std::vector<std::string> pieces;
  std::string piece;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i], next = i + 1 < text.size() ? text[i + 1] : ' ';
    piece += c;
    if ((c == ' ' && next != ' ' && next != '-') || ((c == '-' || c == '/') && next != ' ')) {
      pieces.push_back(piece);
      piece.clear();
    }
  }
  if (!piece.empty()) pieces.push_back(piece);
  return pieces;
}

// The title broken into lines no wider than `width`, in the font selected; a piece wider than
// that stands on a line of its own. `fits` tells whether every line fits.
std::vector<std::string> WrapTitle(const std::string& text, double width, bool& fits) {
  std::vector<std::string> lines;
  std::string line;
  for (const std::string& piece : TitlePieces(text)) {
    if (!line.empty() && Graph::TextWd(vb::RTrim(line + piece)) > width) {
      lines.push_back(vb::RTrim(line));
      line.clear();
    }
    line += piece;
  }
  if (!vb::RTrim(line).empty()) lines.push_back(vb::RTrim(line));
  fits = true;
  for (const std::string& l : lines) fits = fits && Graph::TextWd(l) <= width;
  return lines;
}

}  // namespace

std::optional<TextPlace> AssumptionsCaption() {
  if (!OnScreenPicture()) return std::nullopt;
  const Vars& v = vars();
  Graph::SetFont(v.LegendFont.FontName, false, false, false, false, v.LegendFont.Size, 0);
  const double w = Graph::TextWd(kAssumptions), h = Graph::TextHt(kAssumptions);
  Graph::RemoveFont();
  return TextPlace{v.ChartLeft + v.ChartWidth - v.TitleSpacing / 4 - w,
                   v.ChartTop + v.TitleSpacing * h / 2 - h / 2, w, h};
}

void SelectChartFont(const ChartFont& f) {
  Graph::SetFont(f.FontName, f.Bold, f.Italic, f.Underline, false, f.Size, 0);
}

void WithFont(const ChartFont& f, double size, double angle, const std::function<void()>& work) {
  Graph::SetFont(f.FontName, f.Bold, f.Italic, f.Underline, false, size, angle);
  work();
  Graph::RemoveFont();
}

double FittingSize(const ChartFont& f, double size, double angle,
                   const std::function<bool()>& fits) {
  for (double s = size;; s -= 0.5) {
    s = std::max(s, 1.0);
    bool ok = false;
    WithFont(f, s, angle, [&] { ok = fits(); });
    if (ok || s <= 1) return s;
  }
}

TitleLayout LayOutTitle() {
  const Vars& v = vars();
  TitleLayout t;
  ChartFont font = v.TitleFont;  // the title is always bold, plain otherwise
  font.Bold = true;
  font.Italic = font.Underline = false;
  t.size = font.Size;
  double w = 0, h = 0;
  WithFont(font, t.size, 0, [&] {
    w = Graph::TextWd(v.ChartTitle);
    h = Graph::TextHt(v.ChartTitle);
  });
  t.lines = {v.ChartTitle};
  if (h == 0) {  // an empty title still keeps a thin band
    t.lineHeight = 0.01 * v.ChartWidth;
    t.band = v.TitleSpacing * t.lineHeight;
    return t;
  }
  // One line centred over the chart, clear of its edges and of the caption.
  const std::optional<TextPlace> caption = AssumptionsCaption();
  const double left = v.ChartLeft + v.ChartWidth / 2 - w / 2;
  const double top = v.TitleSpacing * h / 2 - h / 2;
  const bool clearOfCaption = !caption || left + w + h / 4 <= caption->x ||
                              v.ChartTop + top >= caption->y + caption->h ||
                              v.ChartTop + top + h <= caption->y;
  if (left >= v.ChartLeft && left + w <= v.ChartLeft + v.ChartWidth && clearOfCaption) {
    t.top = top;
    t.lineHeight = h;
    t.band = v.TitleSpacing * h;
    return t;
  }
  // Lines under the caption across the chart's width: in the title's size when that takes at
  // most two lines, else in the largest size down to six tenths of it that does; failing that,
  // in the largest size at which every line fits.
  const double width = v.ChartWidth - v.TitleSpacing / 2;
  bool placed = false;
  for (double s = font.Size; !placed && s >= 0.6 * font.Size; s -= 0.5)
    WithFont(font, s, 0, [&] {
      bool fits = false;
      t.lines = WrapTitle(v.ChartTitle, width, fits);
      placed = fits && t.lines.size() <= 2;
      if (placed) t.size = s;
    });
  if (!placed)
    t.size = FittingSize(font, 0.6 * font.Size, 0, [&] {
      bool fits = false;
      t.lines = WrapTitle(v.ChartTitle, width, fits);
      return fits;
    });
  WithFont(font, t.size, 0, [&] { t.lineHeight = Graph::TextHt(v.ChartTitle); });
  double tickH = 0;
  WithFont(v.TickLabelFont, v.TickLabelFont.Size, 0, [&] { tickH = Graph::TextHt("1"); });
  const double margin = (v.TitleSpacing - 1) / 2 * t.lineHeight;
  t.top = caption ? caption->y - v.ChartTop + caption->h + t.lineHeight / 8 : margin;
  // Below the lines the title's own margin and room for the top tick label, which stands half
  // above the plot.
  t.band = t.top + static_cast<double>(t.lines.size()) * t.lineHeight + margin + tickH / 2;
  return t;
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
    v.LegendSize = v.LegendFont.Size;
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
      const std::optional<TextPlace> caption = AssumptionsCaption();
      Graph::SetFont(v.LegendFont.FontName, false, false, false, false, v.LegendFont.Size, 0);
      Graph::SetTextColor(0);
      Graph::TextOut(caption->x, caption->y, kAssumptions);
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
  double xTitleH = 0, yTitleH = 0, xLabelH = 0, yLabelW = 0;
  double legendW = 0, legendH = 0;
  g.step([&] {
    SelectChartFont(v.AxisTitleFont);
    xTitleH = Graph::TextHt(v.XAxisTitle);
    yTitleH = Graph::TextHt(v.YAxisTitle);
    Graph::RemoveFont();
    // An empty title still keeps a thin band.
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
  // The legend's room: every line the legend writes, which is every named series, whether it
  // has points or not. A legend that would take more than two fifths of the chart is written
  // smaller, in the largest size that keeps it to that.
  auto legend = [&] {
    legendW = legendH = 0;
    for (int s = 1; s <= kMaxSeries; ++s) {
      if (v.SeriesName[s].empty()) continue;
      LegendLines lines = SplitLegend(v.SeriesName[s], v.ChartLegendMode);
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
    return legendW + legendH <= 0.4 * v.ChartWidth;
  };
  g.step([&] {
    v.LegendSize = v.LegendFont.Size;
    if (v.ChartPayloadUnits) {
      // The widest weight label, and never less than "1000 lbs".
      WithFont(v.LegendFont, v.LegendSize, 0, [&] {
        legendW = Graph::TextWd("1000 lbs");
        ForSteps(5, v.YMax, 5, [&](double y) {
          legendW = std::max(legendW, Graph::TextWd(PayloadWeight(y)));
        });
      });
    } else if (v.ChartLegendMode != 0) {
      v.LegendSize = FittingSize(v.LegendFont, v.LegendSize, 0, legend);
    }
  });
  v.LeftBorder = 1.75 * yTitleH + 1.125 * yLabelW;
  if (v.ChartPayloadUnits)
    v.RightBorder = legendW + v.LeftBorder / 4;
  else if (v.ChartLegendMode != 0 && legendH > 0)
    v.RightBorder = legendW + legendH;
  else
    v.RightBorder = v.LeftBorder / 2;
  g.step([&] { v.TopBorder = LayOutTitle().band; });
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

std::string PayloadWeight(double passengers) {
  return vb::NumberText(vb::Fix(passengers * 1000 / 5)) + " lbs";
}

void LabelXYAxis() {
  vb::Proc g(kModule, "LabelXYAxis");
  Vars& v = vars();
  const ChartFont& font = v.TickLabelFont;
  // The labels of one axis, measured.
  struct Label {
    double at = 0;
    std::string text;
    TextPlace place;
  };
  auto measure = [&](double from, double to, double step, const std::function<std::string(double)>& text) {
    std::vector<Label> labels;
    ForSteps(from, to, step, [&](double at) { labels.push_back({at, text(at), {}}); });
    WithFont(font, font.Size, 0, [&] {
      for (Label& l : labels) l.place = {0, 0, Graph::TextWd(l.text), Graph::TextHt(l.text)};
    });
    return labels;
  };
  auto write = [&](const Label& l) {
    SelectChartFont(font);
    Graph::SetTextColor(0);
    Graph::TextOut(l.place.x, l.place.y, l.text);
    Graph::RemoveFont();
  };
  auto tick = [&](double x1, double y1, double x2, double y2) {
    Graph::SetPen(v.AxisPenWidth, v.GridColor);
    Graph::DrawLine(x1, y1, x2, y2, 0);
    Graph::RemovePen();
  };
  // Labels closer than a quarter of their height to the next are thinned out.
  auto across = [](const std::vector<Label>& l) {
    return Thinning(l.size(), l.empty() ? 0 : l[0].place.h / 4, [&](size_t a, size_t b) {
      return l[b].place.x - (l[a].place.x + l[a].place.w);
    });
  };
  auto upwards = [](const std::vector<Label>& l) {
    return Thinning(l.size(), l.empty() ? 0 : l[0].place.h / 4, [&](size_t a, size_t b) {
      return l[a].place.y - (l[b].place.y + l[b].place.h);
    });
  };
  const double left = v.ChartLeft, right = v.ChartLeft + v.ChartWidth;
  std::vector<Label> xs, ys;
  long xEvery = 1, yEvery = 1;
  if (v.XStep != 0 && v.XLabelEvery != 0)
    g.step([&] {
      xs = measure(v.XMin, v.XMax, v.XLabelEvery * v.XStep,
                   [](double x) { return TickLabel(x, false); });
      // Centred under its tick, and inside the chart.
      for (Label& l : xs) {
        l.place.x = std::clamp(ChartX(l.at) - l.place.w / 2, left, right - l.place.w);
        l.place.y = v.ChartTop + v.ChartHeight - v.BottomBorder + v.BottomBorder * v.TickFactor;
      }
      xEvery = across(xs);
    });
  if (v.YStep != 0 && v.YLabelEvery != 0)
    g.step([&] {
      ys = measure(v.YMin, v.YMax, v.YLabelEvery * v.YStep,
                   [&](double y) { return TickLabel(y, v.ChartTimeAxis); });
      // Right-aligned left of the plot, centred on its tick.
      for (Label& l : ys) {
        l.place.x = v.ChartLeft + v.LeftBorder - v.LeftBorder * v.TickFactor - l.place.w;
        l.place.y = ChartY(l.at) - l.place.h / 2;
      }
      yEvery = upwards(ys);
    });
  for (size_t i = 0; i < xs.size(); ++i)
    g.step([&] {
      tick(ChartX(xs[i].at), v.ChartTop + v.PlotY0, ChartX(xs[i].at),
           v.ChartTop + v.PlotY1 + v.BottomBorder * v.TickFactor);
      if (i % xEvery == 0) write(xs[i]);
    });
  // The lowest Y label gives way to the first X label where the two would meet in the corner.
  const bool cornerTaken = !xs.empty() && !ys.empty() && [&] {
    const TextPlace &a = xs[0].place, &b = ys[0].place;
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
  }();
  for (size_t i = 0; i < ys.size(); ++i)
    g.step([&] {
      tick(v.ChartLeft + v.PlotX0 - v.LeftBorder * v.TickFactor, ChartY(ys[i].at),
           v.ChartLeft + v.PlotX1, ChartY(ys[i].at));
      if (i % yEvery == 0 && !(i == 0 && cornerTaken)) write(ys[i]);
    });
  // Payload chart: the weight of y passengers at 200 lb, right of the plot.
  if (v.ChartPayloadUnits)
    g.step([&] {
      std::vector<Label> weights = measure(5, v.YMax, 5, PayloadWeight);
      for (Label& l : weights) {
        l.place.x = v.ChartLeft + v.PlotX1 + l.place.h / 2;
        l.place.y = ChartY(l.at) - l.place.h / 2;
      }
      const long every = upwards(weights);
      for (size_t i = 0; i < weights.size(); i += every) write(weights[i]);
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
