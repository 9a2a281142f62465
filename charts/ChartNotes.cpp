// Chart notes and qualifiers: the one-line qualifier of each chart ("Graph Qualifier"), the
// notes placed at chart coordinates ("Graph Notes") in the label store, drawn over the chart and
// pushed apart where they would overlap, and the hover points of the bar charts.
#include <algorithm>
#include <cmath>

#include "charts/BuildersInternal.h"
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
  // Extents in chart units; the left edge floored for the overlap test.
  std::vector<double> h(n, 0), w(n, 0), a(n, 0), y(n, 0);
  for (size_t i = 0; i < n; ++i) {
    const Chart::ChartLabel& l = labels[i];
    y[i] = l.Y;
    g.step([&] {
      select(l.Size);
      const double th = Graph::TextHt(l.Text), tw = Graph::TextWd(l.Text);
      Graph::RemoveFont();
      h[i] = v.YFactor != 0 ? th / v.YFactor : 0;
      w[i] = v.XFactor != 0 ? tw / v.XFactor : 0;
      double x0 = l.X;
      if (l.Align == "Center")
        x0 -= w[i] / 2;
      else if (l.Align == "Right")
        x0 -= w[i];
      if (l.Text == "I") w[i] = 0;
      a[i] = std::floor(x0);
    });
  }
  if (v.FitChartLabels) {
    for (size_t i = 1; i < n; ++i)
      for (size_t j = i; j-- > 0;) {
        const bool sideways =
            (a[i] < a[j] && a[i] + w[i] > a[j]) || (a[i] >= a[j] && a[i] < a[j] + w[j]);
        if (y[i] < y[j] + 0.75 * h[j] && sideways) y[i] = y[j] + 0.75 * h[j];
      }
  }
  for (size_t i = 0; i < n; ++i) {
    const Chart::ChartLabel& l = labels[i];
    g.step([&] {
      Graph::SetTextColor(l.Color);
      select(l.Size);
      Chart::PlotText(l.X, y[i], l.Text, l.Align);
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
