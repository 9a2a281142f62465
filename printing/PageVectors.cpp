#include "printing/PageVectors.h"

#include <cmath>
#include <numbers>

#include "charts/Chart.h"
#include "charts/Graph.h"
#include "platform/runtime/Trap.h"

namespace Printing {

namespace {

constexpr std::string_view kModule = "CadFunctions";
constexpr double kSwatchWidth = 1.5;  // text heights

}  // namespace

PageMapping MappingFor(double graphWidth, double graphHeight, bool preview) {
  if (preview) return {kPreviewFactor, kPreviewFactor};
  return {0.9984 * graphWidth / kPageWidthInches, 0.9935 * graphHeight / kPageHeightInches};
}

gdi::Point TextPoint(const PageMapping& m, double X, double Y) {
  return {X * m.xFactor, (kPageHeightInches - Y) * m.yFactor};
}

gdi::Point LinePoint(const PageMapping& m, double X, double Y) {
  return {(X + kLineShiftX) * m.xFactor, (kPageHeightInches - (Y + kLineShiftY)) * m.yFactor};
}

PageBox RasterBox(const PageMapping& m) {
  const gdi::Point topLeft = LinePoint(m, 0, kPageHeightInches);
  const gdi::Point bottomRight = LinePoint(m, kPageWidthInches, 0);
  return {topLeft.x, topLeft.y, bottomRight.x - topLeft.x, bottomRight.y - topLeft.y};
}

gdi::Point TextTopLeft(gdi::Point at, double w, double h, int hAlign, int vAlign,
                       double angleDegrees) {
  const double dx = hAlign == 1 ? -w / 2 : hAlign == 2 ? -w : 0;
  // Unlike the screen and the metafile, whose texts the renderer sets on their baselines by the
  // face's measures, the page places a text's cell: the drawing layer prints a text by the
  // top-left of its cell and knows only the cell's size, and the page templates are laid out so.
  const double dy = vAlign == 2 ? -h / 2 : vAlign == 0 ? -0.75 * h : -h;
  if (angleDegrees == 0) return {at.x + dx, at.y + dy};
  // The cell's own x axis runs along (cos a, -sin a) and its downward axis along (sin a, cos a)
  // in the layer's y-down units: the offset is turned with the text.
  const double a = angleDegrees * std::numbers::pi / 180;
  const double c = std::cos(a), s = std::sin(a);
  return {at.x + dx * c + dy * s, at.y - dx * s + dy * c};
}

int ResolvePlaceholder(std::string& text, const LegendState& st) {
  int kind = 0;
  if (text == "Legend1" || text == "Legend2") {
    const bool first = text == "Legend1";
    // A legend needs both planes: with one missing or hidden there is nothing to tell apart.
    if (!st.Aircraft1.empty() && !st.Aircraft2.empty() && st.ShowPlane1 && st.ShowPlane2) {
      const std::string& acNum = first ? st.Aircraft1 : st.Aircraft2;
      text = (st.AcName ? st.AcName(acNum) : std::string()) + " -  ";
      kind = first ? 1 : 2;
    } else {
      text.clear();
    }
  }
  if (text == "PlotScale1")
    text = st.PlotScaleText1;
  else if (text == "PlotScale2")
    text = st.PlotScaleText2;
  return kind;
}

void PrintEntities(printer::PrintDevice& device, bool preview, std::vector<PageText>& texts,
                   const std::vector<PageLine>& lines, const LegendState& legend) {
  vb::Proc g(kModule, "PrintCADEntities");
  g.step([&] { Graph::InitGraphics(device.canvas(), false, false); });
  const Graph::Vars& gv = Graph::vars();
  const PageMapping m = MappingFor(gv.GraphWidth, gv.GraphHeight, preview);

  for (PageText& t : texts) {
    int kind = 0;
    g.step([&] { kind = ResolvePlaceholder(t.text, legend); });
    Graph::SetTextColor(t.color);
    Graph::SetFontInches(t.font, false, false, false, false, t.height, t.angle);
    const double w = Graph::TextWd(t.text), h = Graph::TextHt(t.text);
    const gdi::Point at =
        TextTopLeft(TextPoint(m, t.x, t.y), w, h, t.hAlign, t.vAlign, t.angle);
    Graph::TextOut(at.x, at.y, t.text);
    Graph::RemoveFont();
    if (kind == 0) continue;
    const double sx1 = at.x + w, sy1 = at.y, sx2 = sx1 + kSwatchWidth * h, sy2 = sy1 + h;
    Chart::FilledBox(sx1, sy1, sx2, sy2, kind == 1 ? legend.PlaneColor1 : legend.PlaneColor2, 0);
    Graph::SetPen(2, 0);
    Graph::DrawLine(sx1, sy1, sx1, sy2, 0);
    Graph::DrawLine(sx1, sy2, sx2, sy2, 0);
    Graph::DrawLine(sx2, sy2, sx2, sy1, 0);
    Graph::DrawLine(sx2, sy1, sx1, sy1, 0);
    Graph::RemovePen();
  }

  for (const PageLine& l : lines) {
    const gdi::Point a = LinePoint(m, l.x1, l.y1), b = LinePoint(m, l.x2, l.y2);
    Graph::SetPen(2, l.color);
    Graph::DrawLine(a.x, a.y, b.x, b.y, 0);
    Graph::RemovePen();
    if (preview) g.step([&] { device.refresh(); });
  }
}

void PlotPageLine(bool preview, double x1, double y1, double x2, double y2) {
  vb::Proc g(kModule, "PlotCADLine");
  const Graph::Vars& gv = Graph::vars();
  const PageMapping m = MappingFor(gv.GraphWidth, gv.GraphHeight, preview);
  const gdi::Point a = LinePoint(m, x1, y1), b = LinePoint(m, x2, y2);
  Graph::SetPen(2, 0);
  Graph::DrawLine(a.x, a.y, b.x, b.y, 0);
  Graph::RemovePen();
}

}  // namespace Printing
