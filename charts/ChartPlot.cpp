// Module Chart: mapping chart values to the drawing layer, series lines and bars, markers,
// titles and legend; and the General module's constant-Mach lines and block-time reading.
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
  g.step([&] {
    Graph::SetFont(v.TitleFont.FontName, true, false, false, false, v.TitleFont.Size, 0);
    Graph::SetTextColor(0);
    const double w = Graph::TextWd(v.ChartTitle), h = Graph::TextHt(v.ChartTitle);
    Graph::TextOut(v.ChartLeft + v.ChartWidth / 2 - w / 2,
                   v.ChartTop + v.TitleSpacing * h / 2 - h / 2, v.ChartTitle);
  });
  Graph::RemoveFont();
}

void PrintXAxisTitle() {
  vb::Proc g(kModule, "PrintXAxisTitle");
  Vars& v = vars();
  g.step([&] {
    SelectChartFont(v.AxisTitleFont);
    Graph::SetTextColor(0);
    const double w = Graph::TextWd(v.XAxisTitle), h = Graph::TextHt(v.XAxisTitle);
    Graph::TextOut(
        v.ChartLeft + v.LeftBorder + (v.ChartWidth - v.LeftBorder - v.RightBorder) / 2 - w / 2,
        v.ChartTop + v.ChartHeight - h - h / 8, v.XAxisTitle);
  });
  Graph::RemoveFont();
}

void PrintYAxisTitle() {
  vb::Proc g(kModule, "PrintYAxisTitle");
  Vars& v = vars();
  g.step([&] {
    const ChartFont& f = v.AxisTitleFont;
    Graph::SetFont(f.FontName, f.Bold, f.Italic, f.Underline, false, f.Size, 90);
    Graph::SetTextColor(0);
    const double w = Graph::TextWd(v.YAxisTitle), h = Graph::TextHt(v.YAxisTitle);
    Graph::TextOut(
        v.ChartLeft + h / 8,
        v.ChartTop + v.TopBorder + (v.ChartHeight - v.TopBorder - v.BottomBorder) / 2 + w / 2,
        v.YAxisTitle);
  });
  Graph::RemoveFont();
}

void PrintLegend() {
  vb::Proc g(kModule, "PrintLegend");
  Vars& v = vars();
  const long mode = v.ChartLegendMode;
  for (int i = 1; i <= kMaxSeries; ++i) {
    if (v.SeriesName[i].empty()) continue;
    g.step([&] {
      SelectChartFont(v.LegendFont);
      Graph::SetTextColor(mode == 2 ? v.SeriesColor[i] : 0);
      const LegendLines lines = SplitLegend(v.SeriesName[i], mode);
      const double w = Graph::TextWd(lines.first), h = Graph::TextHt(lines.first);
      // Row i belongs to series i, from the vertical middle of the plot area down.
      const double y = v.ChartTop + v.TopBorder +
                       (v.ChartHeight - v.TopBorder - v.BottomBorder) / 2 + h / 2 +
                       1.5 * h * (i - 1);
      const double right = v.ChartLeft + v.ChartWidth;
      if (mode == 4) {
        const double x = right - w - h - h / 4;
        Graph::TextOut(x, y, lines.first);
        DrawMarker(x + w + h / 2, y + h / 2, v.SeriesMarker[i], "#");
      } else if (mode == 3) {
        const double x = right - w - h - h / 4;
        Graph::TextOut(x, y, lines.first);
        FilledBox(x + w, y, x + w + h, y + h, 0, v.SeriesFillStyle[i]);
        Graph::Rectangle(x + w, y, x + w + h, y + h);
      } else if (mode == 1 || mode == 2) {
        const double x = right - w - h / 4;
        Graph::TextOut(x, y, lines.first);
        if (!lines.second.empty()) Graph::TextOut(x, y + 1.25 * h, lines.second);
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
  g.step([&] {
    const Chart::ChartFont& f = v.LegendFont;
    Graph::SetFont(f.FontName, false, false, false, false, f.Size, 0);
    Graph::SetTextColor(0);
    const double w = Graph::TextWd("M="), h = Graph::TextHt("M=");
    Graph::TextOut(Chart::ChartX(574 * 0.55) - w / 2, Chart::ChartY(v.YMax) - h, "M=");
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
      Graph::TextOut(Chart::ChartX(a) - w / 2, Chart::ChartY(v.YMax) - h, text);
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
