// Chart notes and qualifiers: the one-line qualifier of each chart ("Graph Qualifier"), the
// notes placed at chart coordinates ("Graph Notes") in the label store, drawn over the chart and
// pushed apart where they would overlap, and the hover points of the bar charts.
#include <algorithm>
#include <cmath>

#include "charts/BuildersInternal.h"
#include "charts/ChartInternal.h"
#include "charts/Graph.h"
#include "foundation/DBase.h"
#include "foundation/Globals.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Number.h"
#include "platform/runtime/Strings.h"

namespace General {

using namespace builders;

namespace {

constexpr const char* kQualifierSql = "SELECT * FROM \"Graph Qualifier\" WHERE GRAPH = ?1";
constexpr const char* kNotesSql = "SELECT * FROM \"Graph Notes\" WHERE GRAPH = ?1";

// New module connection and recordset on a statement, the graph name bound. False when either
// could not be opened (reported); nothing is left open then.
bool OpenModuleQuery(vb::Proc& g, const char* sql, const std::string& graph) {
  DBase::Vars& d = DBase::vars();
  d.DBConnection = adodb::Connection();
  d.DBRecordset = adodb::Recordset();
  if (!g.step([&] { d.DBConnection.open(DBase::ConnectionString(d.DBPath)); })) return false;
  if (!g.step([&] { d.DBRecordset.open(sql, d.DBConnection, {vb::Variant(graph)}); })) {
    d.DBConnection.close();
    return false;
  }
  return true;
}

std::string TextOf(const vb::Variant& value) {
  return value.isNull() || value.isEmpty() ? std::string() : value.toString();
}

}  // namespace

void UpdateQualifier(const std::string& graph, const std::string& label) {
  vb::Proc g(kModule, "UpdateQualifier");
  std::string name = graph;
  if (vb::EqualsNoCase(graph, "LandingSL") || vb::EqualsNoCase(graph, "Landing5000Ft"))
    name = "LandingHeli";
  else if (Helicopters())
    name = graph + "Heli";
  if (!OpenModuleQuery(g, kQualifierSql, name)) return;  // the label keeps its caption
  std::string caption;
  const bool read = g.step([&] {
    const adodb::Recordset& rs = DBase::vars().DBRecordset;
    if (!rs.eof()) caption = TextOf(rs.fields("Notes").value());
  });
  DBase::CloseDatabase();
  if (read) ChartBuilders::SetQualifierCaption(label, caption);
}

void LookupChartLabels(std::string& graph) {
  vb::Proc g(kModule, "LookupChartLabels");
  Chart::Vars& v = Chart::vars();
  const int chart = v.CurrentChartNumber;
  if (chart < 0 || chart > Chart::kMaxCharts) return;
  // WAT A has notes of its own; WAT B's are stored under the plain keys.
  if (Globals::vars().WATChart == 1) {
    if (vb::EqualsNoCase(graph, "WATCorp"))
      graph = "WATACorp";
    else if (vb::EqualsNoCase(graph, "WATUtil"))
      graph = "WATAUtil";
  }
  std::vector<Chart::ChartLabel>& labels = v.ChartLabels[chart];
  labels.clear();
  const Plane planes[2] = {PlaneOf(1), PlaneOf(2)};
  const bool localSize =
      vb::EqualsNoCase(graph, "Landing") && Globals::vars().UserGeoLCIDNumber != 409;
  if (OpenModuleQuery(g, kNotesSql, graph)) {
    adodb::Recordset& rs = DBase::vars().DBRecordset;
    std::vector<adodb::Field> f;
    const bool known = g.step([&] {
      for (const char* column : {"AcNum", "NotesX", "NotesY", "Notes", "Align", "Size"})
        f.push_back(rs.fields(column));
    });
    bool full = false;
    while (known && !rs.eof()) {
      g.step([&] {
        const vb::Variant& acNum = f[0].value();
        const Plane* owner = nullptr;
        for (const Plane& p : planes)
          if (!owner && p.takesPart && SameKey(acNum, p.acNum)) owner = &p;
        if (!owner) return;
        const std::optional<double> x = NumberOf(f[1].value()), y = NumberOf(f[2].value());
        if (!x || !y) return;  // a note without a place is not drawn
        Chart::ChartLabel label;
        label.Text = TextOf(f[3].value());
        label.Align = f[4].value().isNull() ? std::string("Left") : TextOf(f[4].value());
        double size = NumberOf(f[5].value()).value_or(1);
        if (size == 0) size = 1;
        label.Size = localSize ? 10 : size * v.AxisTitleFont.Size;
        if (v.ChartBarMode == 1) {
          // A bar chart's note stands in its plane's half, x in percent of that half.
          label.Color = 0;
          label.X = (owner->number == 1 ? *x : 50 + *x) * (v.XMax - v.XMin) / 100;
        } else {
          label.Color = owner->color;
          label.X = *x;
        }
        label.Y = *y;
        if (static_cast<int>(labels.size()) >= Chart::kMaxLabels) {
          if (!full) {
            full = true;
            vb::Raise(vb::err::SubscriptOutOfRange);
          }
          return;
        }
        labels.push_back(std::move(label));
      });
      if (!g.step([&] { rs.moveNext(); })) break;
    }
    DBase::CloseDatabase();
  }
  // Sorted once here as well, so that the range trimming of every drawing, the first one
  // included, meets the notes in the order they are drawn in.
  if (v.FitChartLabels) SortChartLabels(chart);
  v.ChartLabelsLoaded[chart] = true;
}

void SortChartLabels(int chart) {
  if (chart < 0 || chart > Chart::kMaxCharts) return;
  std::vector<Chart::ChartLabel>& labels = Chart::vars().ChartLabels[chart];
  std::stable_sort(
      labels.begin(), labels.end(),
      [](const Chart::ChartLabel& a, const Chart::ChartLabel& b) { return a.Y < b.Y; });
}

void AddChartLabels(int chart) {
  vb::Proc g(kModule, "AddChartLabels");
  Chart::Vars& v = Chart::vars();
  if (chart < 0 || chart > Chart::kMaxCharts) return;
  if (v.FitChartLabels) SortChartLabels(chart);
  const std::vector<Chart::ChartLabel>& labels = v.ChartLabels[chart];
  const size_t n = labels.size();
  const Chart::ChartFont& font = v.AxisTitleFont;
  auto select = [&](double size) {
    Graph::SetFont(font.FontName, font.Bold, font.Italic, font.Underline, false, size, 0);
  };
  // The plot, in layer units: every note stays inside it.
  const double plotLeft = v.ChartLeft + v.PlotX0, plotRight = v.ChartLeft + v.PlotX1;
  const double plotTop = v.ChartTop + v.PlotY0, plotBottom = v.ChartTop + v.PlotY1;
  auto inside = [](double at, double size, double lo, double hi) {
    return std::max(lo, std::min(at, hi - size));
  };
  // Where each note goes (layer units): at its point, placed by its alignment as PlotText
  // places it, and inside the plot; a note wider or taller than the plot is written in the
  // largest smaller size that fits. A bar's value stands over its bar, clear of the outline and
  // no wider than the bar's slot (where there is no room above the bar, under the outline,
  // inside the bar, no wider than the bar).
  const double clearance =
      Graph::vars().GraphScale != 0 ? (v.SeriesPenWidth / 2 + 1) * 100 / Graph::vars().GraphScale
                                    : 0;
  const double slot = v.XFactor, bar = (1 - 2 * static_cast<double>(v.BarInset)) * v.XFactor;
  std::vector<Chart::TextPlace> box(n);
  std::vector<double> size(n);
  for (size_t i = 0; i < n; ++i) {
    const Chart::ChartLabel& l = labels[i];
    size[i] = l.Size;
    g.step([&] {
      double tw = 0, th = 0;
      auto fit = [&](double width, double height) {
        size[i] = Chart::FittingSize(font, size[i], 0, [&] {
          tw = Graph::TextWd(l.Text);
          th = Graph::TextHt(l.Text);
          return tw <= width && th <= height;
        });
      };
      const double plotWidth = plotRight - plotLeft, plotHeight = plotBottom - plotTop;
      select(l.Size);
      tw = Graph::TextWd(l.Text);
      th = Graph::TextHt(l.Text);
      Graph::RemoveFont();
      if (tw > plotWidth || th > plotHeight) fit(plotWidth, plotHeight);
      const bool left = l.Align != "Center" && l.Align != "Right";
      double y = Chart::ChartY(l.Y) - (left ? 0 : th / 2);
      if (v.ChartBarMode == 1) {
        if (tw > slot) fit(std::min(slot, plotWidth), plotHeight);
        y = Chart::ChartY(l.Y) - th - clearance;
        if (y < plotTop) {
          if (tw > bar - 2 * clearance) fit(bar - 2 * clearance, plotHeight);
          y = Chart::ChartY(l.Y) + clearance;
        }
      }
      const double x = Chart::ChartX(l.X) - (l.Align == "Center" ? tw / 2 : l.Align == "Right" ? tw : 0);
      box[i] = {inside(x, tw, plotLeft, plotRight), inside(y, th, plotTop, plotBottom), tw, th};
    });
  }
  // Pushed apart: a note that overlaps one below it (sideways and in height) is moved up to
  // stand on it. A note that is exactly "I" counts as having no width.
  if (v.FitChartLabels) {
    auto width = [&](size_t i) { return labels[i].Text == "I" ? 0.0 : box[i].w; };
    for (size_t i = 1; i < n; ++i) {
      for (size_t round = 0; round < n; ++round) {
        bool moved = false;
        for (size_t j = i; j-- > 0;) {
          const double ai = box[i].x, aj = box[j].x;
          const bool sideways =
              (ai < aj && ai + width(i) > aj) || (ai >= aj && ai < aj + width(j));
          const bool level = box[i].y < box[j].y + box[j].h && box[j].y < box[i].y + box[i].h;
          if (sideways && level) {
            box[i].y = box[j].y - box[i].h;
            moved = true;
          }
        }
        if (!moved) break;
      }
      box[i].y = inside(box[i].y, box[i].h, plotTop, plotBottom);
    }
  }
  for (size_t i = 0; i < n; ++i) {
    const Chart::ChartLabel& l = labels[i];
    g.step([&] {
      Graph::SetTextColor(l.Color);
      select(size[i]);
      Graph::TextOut(box[i].x, box[i].y, l.Text);
    });
    Graph::RemoveFont();
  }
}

void AddPopupPointsFromLabels() {
  vb::Proc g(kModule, "AddPopupPointsFromLabels");
  Chart::Vars& v = Chart::vars();
  const int chart = v.CurrentChartNumber;
  if (chart < 0 || chart > Chart::kMaxCharts) return;
  Chart::SeriesCache& cache = v.ChartSeriesCache;
  // The cached bars give way to one point per note, in the bar slot under the note.
  for (int s = 1; s <= Chart::kMaxSeries; ++s)
    if (cache.Series(chart, s)) cache.Touch(chart, s).PointCount = 0;
  long highest = 0;
  for (const Chart::ChartLabel& l : v.ChartLabels[chart]) {
    g.step([&] {
      const int s = l.X < 1 ? 1 : l.X < 2 ? 2 : l.X < 3 ? 3 : 4;
      const long m = cache.PointCount(chart, s) + 1;
      cache.SetPoint(chart, s, static_cast<int>(m), {0, vb::CSng(l.Y)});
      Chart::CacheSeries& cs = cache.Touch(chart, s);
      cs.PointCount = m;
      cs.Color = 0;
      highest = std::max<long>(highest, s);
    });
  }
  // A note over a slot that got no bar must still be found by the hover.
  cache.SetSeriesCount(chart, std::max(cache.SeriesCount(chart), highest));
}

}  // namespace General
