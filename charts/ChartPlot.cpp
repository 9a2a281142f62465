// Module Chart: mapping chart values to the drawing layer, series lines and bars, markers,
// titles and legend; and the General module's constant-Mach lines and block-time reading.
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

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

void CheckSeries(int s) {
  if (s < 1 || s > kMaxSeries) vb::Raise(vb::err::SubscriptOutOfRange);
}

}  // namespace

LegendLines SplitLegend(const std::string& name, long mode) {
  LegendLines lines;
  std::string rest = name;
  lines.nameFirst = General::TakeLeft(rest, "|");
  rest = (mode == 3 || mode == 4) ? name + " - " : name;
  lines.first = General::TakeLeft(rest, "|");
  lines.second = rest;
  return lines;
}

double ChartX(double x) {
  const Vars& v = vars();
  return v.ChartLeft + v.PlotX0 + (x - v.XMin) * v.XFactor;
}

double ChartY(double y) {
  const Vars& v = vars();
  return v.ChartTop + v.PlotY1 - (y - v.YMin) * v.YFactor;
}

void PlotLine(double x1, double y1, double x2, double y2, long style) {
  const Vars& v = vars();
  auto inside = [&](double x, double y) {
    return x >= v.XMin && x <= v.XMax && y >= v.YMin && y <= v.YMax;
  };
  // A segment with an end outside the ranges is left out whole: no clipping.
  if (!inside(x1, y1) || !inside(x2, y2)) return;
  Graph::DrawLine(ChartX(x1), ChartY(y1), ChartX(x2), ChartY(y2), style);
}

void PlotRectangle(double x1, double y1, double x2, double y2) {
  Graph::Rectangle(ChartX(x1), ChartY(y1), ChartX(x2), ChartY(y2));
}

void FilledBox(double x1, double y1, double x2, double y2, gdi::Rgb color, long fillStyle) {
  vb::Proc g(kModule, "FilledBox");
  g.step([&] { Graph::SetPen(1, color); });
  g.step([&] { Graph::SetBrush(color, fillStyle); });
  g.step([&] { Graph::Rectangle(x1, y1, x2, y2); });
  Graph::RemoveBrush();
  Graph::RemovePen();
}

void PlotText(double x, double y, std::string_view text, std::string_view align) {
  vb::Proc g(kModule, "PlotText");
  g.step([&] {
    const double w = Graph::TextWd(text), h = Graph::TextHt(text);
    if (align == "Center")
      Graph::TextOut(ChartX(x) - w / 2, ChartY(y) - h / 2, text);
    else if (align == "Right")
      Graph::TextOut(ChartX(x) - w, ChartY(y) - h / 2, text);
    else
      Graph::TextOut(ChartX(x), ChartY(y), text);
  });
}

void PlotSeries(int s) {
  vb::Proc g(kModule, "PlotSeries");
  Vars& v = vars();
  g.step([&] {
    CheckSeries(s);
    const long count = v.ChartPointCount[s];
    if (count == 0) return;
    const auto& pts = v.ChartPoints[s];
    if (v.ChartBarMode == 1) {
      // One bar per series, in its own unit slot.
      const double x1 = (s - 1) + v.BarInset, x2 = s - v.BarInset;
      const double top = pts[1].Y;
      FilledBox(ChartX(x1), ChartY(v.YMin), ChartX(x2), ChartY(top), v.SeriesColor[s],
                v.SeriesFillStyle[s]);
      Graph::SetPen(v.SeriesPenWidth, 0);
      PlotRectangle(x1, v.YMin, x2, top);
      Graph::RemovePen();
      return;
    }
    Graph::SetPen(v.SeriesPenWidth, v.SeriesColor[s]);
    for (long p = 1; p < count; ++p)
      PlotLine(pts[p].X, pts[p].Y, pts[p + 1].X, pts[p + 1].Y, v.SeriesLineStyle[s]);
    Graph::RemovePen();
  });
}

void PlotMarkers(int s) {
  vb::Proc g(kModule, "PlotMarkers");
  Vars& v = vars();
  g.step([&] {
    CheckSeries(s);
    if (v.ChartBarMode == 1 || v.SeriesMarker[s] == 0 || v.ChartPointCount[s] == 0) return;
    Graph::SetPen(v.SeriesPenWidth, v.SeriesColor[s]);
    for (long p = 1; p <= v.ChartPointCount[s]; ++p)
      PlotMarker(v.ChartPoints[s][p].X, v.ChartPoints[s][p].Y, v.SeriesMarker[s]);
    Graph::RemovePen();
  });
}

void PlotMarker(double x, double y, long type) {
  // The point's values as single-precision number text.
  DrawMarker(ChartX(x), ChartY(y), type,
             "(" + vb::NumberText(x, 7) + "," + vb::NumberText(y, 7) + ")");
}

void DrawMarker(double px, double py, long type, std::string_view text) {
  vb::Proc g(kModule, "DrawMarker");
  Vars& v = vars();
  const double r = v.ChartWidth * v.MarkerSize / 100;
  auto plus = [&] {
    const double a = r / 0.7;
    Graph::DrawLine(px - a, py, px + a, py, 0);
    Graph::DrawLine(px, py - a, px, py + a, 0);
  };
  auto cross = [&] {
    Graph::DrawLine(px - r, py + r, px + r, py - r, 0);
    Graph::DrawLine(px - r, py - r, px + r, py + r, 0);
  };
  g.step([&] {
    switch (type) {
      case 1: {
        const ChartFont& f = v.MarkerFont;
        Graph::SetFont(f.FontName, f.Bold, f.Italic, f.Underline, false, f.Size, 0);
        Graph::SetTextColor(0);
        const double w = Graph::TextWd(text), h = Graph::TextHt(text);
        Graph::TextOut(px - w / 2, py - h / 2, text);
        Graph::RemoveFont();
        break;
      }
      case 2:
        plus();
        break;
      case 3:
        cross();
        break;
      case 4:
        Graph::DrawCircle(px, py, r);
        break;
      case 5:
        Graph::Rectangle(px - r, py - r, px + r, py + r);
        break;
      case 6:
        cross();
        plus();
        break;
      case 7:
        Graph::MoveTo(px - r, py + r);
        Graph::LineTo(px, py - r);
        Graph::LineTo(px + r, py + r);
        Graph::LineTo(px - r, py + r);
        break;
      default:
        break;
    }
  });
}

void PrintChartTitle() {
  vb::Proc g(kModule, "PrintChartTitle");
  Vars& v = vars();
  TitleLayout t;
  if (!g.step([&] { t = LayOutTitle(); })) return;
  g.step([&] {
    Graph::SetFont(v.TitleFont.FontName, true, false, false, false, t.size, 0);
    Graph::SetTextColor(0);
    for (size_t k = 0; k < t.lines.size(); ++k) {
      const double w = Graph::TextWd(t.lines[k]);
      Graph::TextOut(v.ChartLeft + v.ChartWidth / 2 - w / 2,
                     v.ChartTop + t.top + static_cast<double>(k) * t.lineHeight, t.lines[k]);
    }
  });
  Graph::RemoveFont();
}

namespace {

// Writes an axis title in the axis-title font at `angle`, at the place `place` gives for its
// width and height; where the text would not fit (`fits`), in the largest smaller size that does.
void AxisTitle(const std::string& text, double angle,
               const std::function<TextPlace(double w, double h)>& place,
               const std::function<bool(const TextPlace&)>& fits) {
  const ChartFont& f = vars().AxisTitleFont;
  double size = f.Size;
  Graph::SetFont(f.FontName, f.Bold, f.Italic, f.Underline, false, size, angle);
  TextPlace p = place(Graph::TextWd(text), Graph::TextHt(text));
  if (!fits(p)) {
    Graph::RemoveFont();
    size = FittingSize(f, size - 0.5, angle, [&] {
      return fits(place(Graph::TextWd(text), Graph::TextHt(text)));
    });
    Graph::SetFont(f.FontName, f.Bold, f.Italic, f.Underline, false, size, angle);
    p = place(Graph::TextWd(text), Graph::TextHt(text));
  }
  Graph::SetTextColor(0);
  Graph::TextOut(p.x, p.y, text);
}

}  // namespace

void PrintXAxisTitle() {
  vb::Proc g(kModule, "PrintXAxisTitle");
  Vars& v = vars();
  // Centred under the plot, at the bottom of the chart, and within the chart's width.
  g.step([&] {
    AxisTitle(
        v.XAxisTitle, 0,
        [&](double w, double h) {
          return TextPlace{
              v.ChartLeft + v.LeftBorder + (v.ChartWidth - v.LeftBorder - v.RightBorder) / 2 - w / 2,
              v.ChartTop + v.ChartHeight - h - h / 8, w, h};
        },
        [&](const TextPlace& p) {
          return p.x >= v.ChartLeft && p.x + p.w <= v.ChartLeft + v.ChartWidth;
        });
  });
  Graph::RemoveFont();
}

void PrintYAxisTitle() {
  vb::Proc g(kModule, "PrintYAxisTitle");
  Vars& v = vars();
  // Reading upwards, centred on the plot's height and no longer than it.
  const double plotHeight = v.ChartHeight - v.TopBorder - v.BottomBorder;
  g.step([&] {
    AxisTitle(
        v.YAxisTitle, 90,
        [&](double w, double h) {
          return TextPlace{v.ChartLeft + h / 8, v.ChartTop + v.TopBorder + plotHeight / 2 + w / 2,
                           w, h};
        },
        [&](const TextPlace& p) { return p.w <= plotHeight; });
  });
  Graph::RemoveFont();
}

void PrintLegend() {
  vb::Proc g(kModule, "PrintLegend");
  Vars& v = vars();
  const long mode = v.ChartLegendMode;
  // Series i takes the i-th row, empty names included, from the vertical middle of the plot
  // down; a second line adds its own height to the rows below it. A legend that would run
  // below the plot starts higher, so that it stays beside the plot.
  double h = 0;
  int last = 0;
  std::array<double, kMaxSeries + 2> rowTop{};
  const ChartFont& font = v.LegendFont;
  auto select = [&] {
    Graph::SetFont(font.FontName, font.Bold, font.Italic, font.Underline, false, v.LegendSize, 0);
  };
  g.step([&] {
    select();
    h = Graph::TextHt("A");
    Graph::RemoveFont();
    double offset = 0, bottom = 0;
    for (int i = 1; i <= kMaxSeries; ++i) {
      rowTop[i] = offset;
      offset += 1.5 * h;
      if (v.SeriesName[i].empty()) continue;
      last = i;
      const bool second =
          (mode == 1 || mode == 2) && !SplitLegend(v.SeriesName[i], mode).second.empty();
      bottom = rowTop[i] + h + (second ? 1.25 * h : 0);
      if (second) offset += 1.25 * h;
    }
    const double plotTop = v.ChartTop + v.TopBorder,
                 plotBottom = v.ChartTop + v.ChartHeight - v.BottomBorder;
    double start = plotTop + (plotBottom - plotTop) / 2 + h / 2;
    if (last > 0 && start + bottom > plotBottom) start = std::max(plotTop, plotBottom - bottom);
    for (int i = 1; i <= last; ++i) rowTop[i] += start;
  });
  for (int i = 1; i <= last; ++i) {
    if (v.SeriesName[i].empty()) continue;
    g.step([&] {
      select();
      Graph::SetTextColor(mode == 2 ? v.SeriesColor[i] : 0);
      const LegendLines lines = SplitLegend(v.SeriesName[i], mode);
      const double w = Graph::TextWd(lines.first), lh = Graph::TextHt(lines.first);
      const double y = rowTop[i];
      const double right = v.ChartLeft + v.ChartWidth;
      if (mode == 4) {
        const double x = right - w - lh - lh / 4;
        Graph::TextOut(x, y, lines.first);
        DrawMarker(x + w + lh / 2, y + lh / 2, v.SeriesMarker[i], "#");
      } else if (mode == 3) {
        const double x = right - w - lh - lh / 4;
        Graph::TextOut(x, y, lines.first);
        FilledBox(x + w, y, x + w + lh, y + lh, 0, v.SeriesFillStyle[i]);
        Graph::Rectangle(x + w, y, x + w + lh, y + lh);
      } else if (mode == 1 || mode == 2) {
        // Both lines start where the wider one keeps clear of the chart's edge.
        const double x = right - std::max(w, Graph::TextWd(lines.second)) - lh / 4;
        Graph::TextOut(x, y, lines.first);
        if (!lines.second.empty()) Graph::TextOut(x, y + 1.25 * lh, lines.second);
      }
    });
    Graph::RemoveFont();
  }
}

}  // namespace Chart

namespace General {

void PlotMachSpeeds() {
  vb::Proc g("General", "PlotMachSpeeds");
  Chart::Vars& v = Chart::vars();
  // The labels stand side by side above the plot; one that would touch the one before it is
  // left out (its line is drawn all the same).
  double keptRight = -1e300;
  auto fits = [&](double left, double right, double h) {
    if (left < keptRight + h / 4) return false;
    keptRight = right;
    return true;
  };
  g.step([&] {
    const Chart::ChartFont& f = v.LegendFont;
    Graph::SetFont(f.FontName, false, false, false, false, f.Size, 0);
    Graph::SetTextColor(0);
    const double w = Graph::TextWd("M="), h = Graph::TextHt("M=");
    const double x = Chart::ChartX(574 * 0.55) - w / 2;
    if (fits(x, x + w, h)) Graph::TextOut(x, Chart::ChartY(v.YMax) - h, "M=");
  });
  Graph::RemoveFont();
  // M = .60, .65, ... .90, counted by index. The speed of sound is 661.9 kt at sea level and
  // 574 kt from 37000 ft up.
  for (int i = 0; i <= 6; ++i) {
    const double m = 0.60 + 0.05 * i;
    const double a = m * 574, b = m * 661.9;
    if (!(a < v.XMax)) continue;
    g.step([&] {
      Graph::SetPen(v.AxisPenWidth, 0x404040);
      Chart::PlotLine(a, v.YMax, a, 37000, 0);
      if (b > v.XMax)
        Chart::PlotLine(a, 37000, v.XMax, 37000 * (b - v.XMax) / (b - a), 0);
      else
        Chart::PlotLine(a, 37000, b, 0, 0);
      // The label in the target's own font: the legend font has been released.
      const std::string text = General::FixStr(m, 2);
      const double w = Graph::TextWd(text), h = Graph::TextHt(text);
      const double x = Chart::ChartX(a) - w / 2;
      if (fits(x, x + w, h)) Graph::TextOut(x, Chart::ChartY(v.YMax) - h, text);
    });
    Graph::RemovePen();
  }
}

vb::Variant TimeValue(const vb::Variant& text) {
  vb::Proc g("General", "TimeValue");
  vb::Variant result;
  g.step([&] {
    if (text.isNull() || text.isEmpty()) return;
    const std::string t = text.toString();
    if (vb::Trim(t).empty()) return;
    const long colon = vb::InStr(t, ":");
    // A time written without a colon is read as hours.
    if (colon == 0)
      result = vb::Val(t);
    else
      result = vb::Val(vb::Left(t, colon - 1)) + General::Value(t, ":") / 60.0;
  });
  return result;
}

}  // namespace General
