// Module Chart: the working set of series and points, the per-chart cache and the chart
// numbers and key words.
#include <cmath>

#include "charts/Chart.h"
#include "charts/Graph.h"
#include "foundation/Globals.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Number.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Trap.h"

namespace Chart {

namespace {

constexpr std::string_view kModule = "Chart";

bool ValidChart(int chart) { return chart >= 0 && chart <= kMaxCharts; }

}  // namespace

Vars::Vars() : ChartPoints(kMaxSeries + 1) {}

using State = vb::ModuleState<Vars, vb::ResetOrder::Charts>;

Vars& vars() { return State::Get(); }

void resetForTest() { State::Reset(); }

// --- SeriesCache ---

long SeriesCache::SeriesCount(int chart) const {
  return ValidChart(chart) ? charts_[chart].SeriesCount : 0;
}

void SeriesCache::SetSeriesCount(int chart, long count) {
  if (!ValidChart(chart)) vb::Raise(vb::err::SubscriptOutOfRange);
  charts_[chart].SeriesCount = count;
}

const CacheSeries* SeriesCache::Series(int chart, int s) const {
  if (!ValidChart(chart) || s < 1) return nullptr;
  const PerChart& c = charts_[chart];
  return s <= static_cast<int>(c.Series.size()) ? &c.Series[s - 1] : nullptr;
}

CacheSeries& SeriesCache::Touch(int chart, int s) {
  if (!ValidChart(chart) || s < 1 || s > kMaxSeries) vb::Raise(vb::err::SubscriptOutOfRange);
  PerChart& c = charts_[chart];
  if (static_cast<int>(c.Series.size()) < s) c.Series.resize(s);
  return c.Series[s - 1];
}

long SeriesCache::PointCount(int chart, int s) const {
  const CacheSeries* series = Series(chart, s);
  return series ? series->PointCount : 0;
}

ChartPoint SeriesCache::Point(int chart, int s, int p) const {
  const CacheSeries* series = Series(chart, s);
  if (!series || p < 1 || p > static_cast<int>(series->Points.size())) return {};
  return series->Points[p - 1];
}

void SeriesCache::SetPoint(int chart, int s, int p, ChartPoint point) {
  if (p < 1 || p > kMaxPoints) vb::Raise(vb::err::SubscriptOutOfRange);
  CacheSeries& series = Touch(chart, s);
  if (static_cast<int>(series.Points.size()) < p) series.Points.resize(p);
  series.Points[p - 1] = point;
}

void SeriesCache::Empty(int chart) {
  if (!ValidChart(chart)) return;
  charts_[chart].SeriesCount = 0;
  for (CacheSeries& s : charts_[chart].Series) s.PointCount = 0;
}

size_t SeriesCache::Bytes() const {
  size_t bytes = sizeof(*this);
  for (const PerChart& c : charts_)
    for (const CacheSeries& s : c.Series)
      bytes += sizeof(CacheSeries) + s.Name.capacity() + s.Points.capacity() * sizeof(ChartPoint);
  return bytes;
}

// --- Working set ---

void NewChart(gdi::Canvas& target, long barMode, double left, double top, double width,
              double height, bool redraw) {
  vb::Proc g(kModule, "NewChart");
  Vars& v = vars();
  // Only a whole-target chart drawn afresh erases the target.
  g.step([&] { Graph::InitGraphics(target, true, redraw && width == 100 && height == 100); });
  g.step([&] {
    const Graph::Vars& gv = Graph::vars();
    // The drawing control's aspect stretches the chart only while that control is the target.
    const double aspect = target.kind() == gdi::TargetKind::DrawingControl && target.aspect() > 0
                              ? target.aspect()
                              : 1;
    v.ChartLeft = left;
    v.ChartTop = top;
    v.ChartWidth = width * aspect;
    v.ChartHeight = gv.GraphWidth != 0 ? height * gv.GraphHeight / gv.GraphWidth : 0;
    v.ChartInset = !(left == 0 && top == 0 && width == 100 && height == 100);
  });
  g.step([&] {
    v.ChartBarMode = barMode;
    v.ChartSeriesCount = 0;
    for (int s = 1; s <= kMaxSeries; ++s) {
      v.ChartPointCount[s] = 0;
      v.SeriesColor[s] = 0;
      v.SeriesLineStyle[s] = 0;
      v.SeriesName[s].clear();
    }
    v.ChartFromDatabase = redraw;
    v.SeriesRefused = false;
  });
  // A chart read afresh from the database starts its cache empty, so that a series that has no
  // points this time never brings back the points of an earlier drawing.
  if (redraw) {
    g.step([&] {
      if (ValidChart(v.CurrentChartNumber)) v.ChartSeriesCache.Empty(v.CurrentChartNumber);
    });
  }
  SetDefaults();
  v.ChartPayloadUnits = false;
}

void NewSeries(gdi::Rgb color, long lineStyle, long marker, const std::string& name,
               long fillStyle) {
  vb::Proc g(kModule, "NewSeries");
  Vars& v = vars();
  // A series beyond the last slot is refused whole: reported once here, nothing of it stored
  // in the working set or the cache, and the points added to it go nowhere.
  const bool stored = g.step([&] {
    const long s = v.ChartSeriesCount + 1;
    v.SeriesRefused = s > kMaxSeries;
    if (v.SeriesRefused) vb::Raise(vb::err::SubscriptOutOfRange);
    v.ChartSeriesCount = s;
    v.SeriesColor[s] = color;
    v.SeriesMarker[s] = marker;
    v.SeriesName[s] = name;
    v.SeriesLineStyle[s] = lineStyle;
    v.SeriesFillStyle[s] = fillStyle;
    v.ChartPointCount[s] = 0;
    v.ChartPoints[s][0] = {};
    v.ChartPoints[s][1] = {};
  });
  if (!stored) return;
  g.step([&] {
    const int c = v.CurrentChartNumber;
    if (!ValidChart(c)) return;
    CacheSeries& cs = v.ChartSeriesCache.Touch(c, static_cast<int>(v.ChartSeriesCount));
    cs.Name = name;
    cs.Color = color;
    cs.LineStyle = lineStyle;
    cs.FillStyle = fillStyle;
    cs.Marker = marker;
  });
}

void AddPoint(double x, std::optional<double> y) {
  vb::Proc g(kModule, "AddPoint");
  Vars& v = vars();
  if (v.SeriesRefused) return;  // a point of a refused series; the refusal was reported
  long s = 0, n = 0;
  ChartPoint stored;
  bool ok = g.step([&] {
    s = v.ChartSeriesCount;
    if (s < 1 || s > kMaxSeries) vb::Raise(vb::err::SubscriptOutOfRange);
    n = v.ChartPointCount[s] + 1;
    if (n > kMaxPoints) vb::Raise(vb::err::SubscriptOutOfRange);
    // Bar mode: the one value of a bar is its Y, and X is 0. Line mode: a Null Y is 0. Either
    // way no value of an earlier chart survives in the slot.
    if (v.ChartBarMode == 1)
      stored = {0, vb::CSng(x)};
    else
      stored = {vb::CSng(x), y ? vb::CSng(*y) : 0.0f};
    v.ChartPoints[s][n] = stored;
    v.ChartPointCount[s] = n;
  });
  if (!ok) return;
  g.step([&] {
    const int c = v.CurrentChartNumber;
    if (!ValidChart(c)) return;
    CacheSeries& cs = v.ChartSeriesCache.Touch(c, static_cast<int>(s));
    cs.PointCount = n;
    v.ChartSeriesCache.SetPoint(c, static_cast<int>(s), static_cast<int>(n), stored);
    v.ChartSeriesCache.SetSeriesCount(c, s);
    cs.Color = v.SeriesColor[s];
  });
}

int ChartNumberFromPicture(ChartPicture picture) {
  const bool heli = Globals::vars().AircraftClass == Globals::Class::Helicopter;
  switch (picture) {
    case ChartPicture::BlockFuel:
      return 1;
    case ChartPicture::BlockTime:
      return 2;
    case ChartPicture::BalancedFieldLength:
      return 3;
    case ChartPicture::TakeoffElevation:
      return heli ? 11 : 14;
    case ChartPicture::Landing:
      return heli ? 10 : 9;
    case ChartPicture::CruiseSpeed:
      return 8;
    case ChartPicture::OperatingSpeed:
      return 12;
    case ChartPicture::Payload:
      return 13;
    case ChartPicture::CeilingCorp:
      return 4;
    case ChartPicture::CeilingUtil:
      return 6;
    case ChartPicture::CeilingHV:
      return 5;
    case ChartPicture::CeilingVNE:
      return 7;
    case ChartPicture::WATCorp:
      return 15;
    case ChartPicture::WATUtil:
      return 16;
    case ChartPicture::Other:
      break;
  }
  return 3;
}

std::string ChartKey(int chartNumber) {
  static const char* const keys[] = {
      "BlockFuel",  "BlockTime",        "Takeoff", "CeilingCorp",   "CeilingHV", "CeilingUtil",
      "CeilingVNE", "CruiseSpeed",      "Landing", "Landing5000ft", "LandingSL", "OperatingSpeed",
      "Payload",    "TakeoffElevation", "WATCorp", "WATUtil"};
  if (chartNumber >= 1 && chartNumber <= 16) return keys[chartNumber - 1];
  return "BalancedFieldLength";
}

}  // namespace Chart
