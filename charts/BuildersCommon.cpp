// The chart builder protocol shared by all sixteen builders, the main window's entry point, and
// the routines that keep the hover points in the per-chart cache.
#include <algorithm>
#include <cmath>
#include <map>

#include "charts/BuildersInternal.h"
#include "charts/Graph.h"
#include "drawings/CadFunctions.h"
#include "foundation/DBase.h"
#include "foundation/Globals.h"
#include "foundation/Registry.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Number.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Strings.h"

namespace ChartBuilders {

namespace {

struct State {
  Vars vars;
  std::map<std::string, std::string, std::less<>> captions;
};

State& state() {
  static State s;
  return s;
}

}  // namespace

Vars& vars() { return state().vars; }

void resetForTest() { state() = State{}; }

namespace {
const vb::StateReset stateReset(vb::ResetOrder::Charts, &resetForTest);
}  // namespace

std::string QualifierCaption(std::string_view label) {
  const auto& captions = state().captions;
  const auto it = captions.find(label);
  return it == captions.end() ? std::string() : it->second;
}

// Kept here so that the notes module and the main window see one store.
void SetQualifierCaption(const std::string& label, const std::string& caption) {
  state().captions[label] = caption;
  if (vars().QualifierSink) vars().QualifierSink(label, caption);
}

std::string QualifierLabel(int chartNumber) {
  static const char* const labels[] = {
      "lblBlockFuel", "lblBlockTime",        "lblTakeoff",          "lblCeilingCorp",
      "lblCeilingHV", "lblCeilingUtil",      "lblCeilingVNE",       "lblCruiseSpeed",
      "lblLanding",   "lblLanding",          "lblTakeoffElevation", "lblOperatingSpeed",
      "lblPayload",   "lblTakeoffElevation", "lblWATCorp",          "lblWATUtil"};
  if (chartNumber < 1 || chartNumber > 16) return {};
  return labels[chartNumber - 1];
}

void BuildChart(int chartNumber, gdi::Canvas& target, bool redraw) {
  vb::Variant flag(redraw);
  BuildChart(chartNumber, target, flag, 0, 0, 100, 100);
}

void BuildChart(int chartNumber, gdi::Canvas& target, vb::Variant& redraw, double left, double top,
                double width, double height) {
  if (General::Builder builder = General::BuilderFor(chartNumber))
    builder(target, redraw, left, top, width, height);
}

}  // namespace ChartBuilders

namespace General {

namespace builders {

Plane PlaneOf(int number) {
  const Registry::Settings& settings = Registry::RegSettings();
  const CadFunctions::Vars& cad = CadFunctions::vars();
  Plane plane;
  plane.number = number == 1 ? 1 : 2;
  plane.acNum = plane.number == 1 ? settings.Aircraft1 : settings.Aircraft2;
  plane.color =
      static_cast<gdi::Rgb>(plane.number == 1 ? settings.PlaneColor1 : settings.PlaneColor2);
  const bool shown = plane.number == 1 ? cad.ShowPlane1 : cad.ShowPlane2;
  plane.takesPart = !plane.acNum.empty() && shown;
  return plane;
}

bool Helicopters() { return Globals::vars().AircraftClass == Globals::Class::Helicopter; }

bool IsTrue(const vb::Variant& value) {
  if (value.isNull() || value.isEmpty() || !value.isNumber()) return false;
  return value.toDouble() != 0;
}

std::optional<double> NumberOf(const vb::Variant& value) {
  if (value.isNull() || value.isEmpty()) return std::nullopt;
  return value.toDouble();
}

bool SameKey(const vb::Variant& value, std::string_view text) {
  if (value.isNull()) return false;
  double wanted = 0;
  if (value.isNumber()) return vb::TryParseNumber(text, wanted) && value.toDouble() == wanted;
  const std::string own = value.toString();
  double ownNumber = 0;
  if (vb::TryParseNumber(own, ownNumber) && vb::TryParseNumber(text, wanted))
    return ownNumber == wanted;
  return vb::EqualsNoCase(own, text);
}

void ForEachRow(vb::Proc& g, std::string_view table, const std::string& acNum,
                const std::vector<std::string_view>& columns,
                const std::function<void(const std::vector<adodb::Field>&)>& row) {
  DBase::OpenGraphTable(table, acNum);
  DBase::Vars& d = DBase::vars();
  adodb::Recordset& rs = d.DBRecordset;
  if (!rs.isOpen()) {
    // The failure was reported by the open; nothing to read, nothing left open.
    d.DBConnection.close();
    return;
  }
  std::vector<adodb::Field> fields;
  const bool known = g.step([&] {
    for (std::string_view column : columns) fields.push_back(rs.fields(column));
  });
  if (known) {
    while (!rs.eof()) {
      g.step([&] { row(fields); });
      if (!g.step([&] { rs.moveNext(); })) break;
    }
  }
  DBase::CloseDatabase();
}

void RunBuilder(const BuilderSpec& spec, gdi::Canvas& target, vb::Variant& redraw, double left,
                double top, double width, double height,
                const std::function<void(vb::Proc& g, bool fromDatabase)>& series) {
  vb::Proc g(kModule, spec.procedure);
  Chart::Vars& v = Chart::vars();
  const int chart = spec.chart;
  v.CurrentChartNumber = chart;
  bool fromDatabase = IsTrue(redraw);
  g.step([&] { Chart::NewChart(target, 0, left, top, width, height, fromDatabase); });
  v.ChartTitle = std::string(spec.title);
  v.XAxisTitle = std::string(spec.xTitle);
  v.YAxisTitle = std::string(spec.yTitle);
  if (spec.bar) {
    v.ChartBarMode = 1;
    redraw = vb::Variant(true);
    fromDatabase = true;
  }
  if (fromDatabase) g.step([&] { ClearPopupPoints(chart); });
  g.step([&] { series(g, fromDatabase); });
  if (spec.legend) v.ChartLegendMode = 1;
  if (spec.speed) {
    g.step([&] { Chart::FindChartMinMax(); });
    v.TitleSpacing *= 1.5;
  }
  if (!v.ChartLabelsLoaded[chart])
    g.step([&] { UpdateQualifier(std::string(spec.key), ChartBuilders::QualifierLabel(chart)); });
  if (spec.reloadNotes) v.ChartLabelsLoaded[chart] = false;
  if (!v.LookupChartLabels) v.LookupChartLabels = LookupChartLabels;
  g.step([&] { Chart::DrawChart(); });
  if (spec.speed) g.step([&] { PlotMachSpeeds(); });
  // The notes of the chart just drawn, whatever picture or page it went to.
  g.step([&] { AddChartLabels(chart); });
  if (spec.bar) g.step([&] { AddPopupPointsFromLabels(); });
}

}  // namespace builders

Builder BuilderFor(int chartNumber) {
  static constexpr Builder table[] = {
      GraphBlockFuel,     ChartBlockTime,        ChartBalancedFieldLength,
      ChartCeilingCorp,   ChartCeilingHV,        ChartCeilingUtil,
      ChartCeilingVNE,    ChartCruiseSpeed,      ChartLanding,
      ChartLanding5000Ft, ChartLandingSL,        ChartOperatingSpeed,
      ChartPayload,       ChartTakeoffElevation, ChartWATCorp,
      ChartWATUtil};
  if (chartNumber < 1 || chartNumber > 16) return nullptr;
  return table[chartNumber - 1];
}

void RestoreChartSeries(int chart) {
  vb::Proc g(builders::kModule, "RestoreChartSeries");
  Chart::Vars& v = Chart::vars();
  g.step([&] {
    if (chart < 0 || chart > Chart::kMaxCharts) vb::Raise(vb::err::SubscriptOutOfRange);
    const Chart::SeriesCache& cache = v.ChartSeriesCache;
    const int n =
        static_cast<int>(std::clamp<long>(cache.SeriesCount(chart), 0, Chart::kMaxSeries));
    for (int s = 1; s <= n; ++s) {
      const Chart::CacheSeries* cs = cache.Series(chart, s);
      if (!cs) {
        v.ChartPointCount[s] = 0;
        continue;
      }
      const long count = std::clamp<long>(cs->PointCount, 0, Chart::kMaxPoints);
      v.ChartPointCount[s] = count;
      v.SeriesColor[s] = cs->Color;
      v.SeriesName[s] = cs->Name;
      v.SeriesLineStyle[s] = cs->LineStyle;
      v.SeriesFillStyle[s] = cs->FillStyle;
      v.SeriesMarker[s] = cs->Marker;
      for (long p = 1; p <= count; ++p)
        v.ChartPoints[s][p] = cache.Point(chart, s, static_cast<int>(p));
    }
    // The restored series are the chart's series, as if they had just been read.
    v.ChartSeriesCount = n;
  });
}

void ClearPopupPoints(int chart) {
  Chart::Vars& v = Chart::vars();
  for (int s = 1; s <= Chart::kMaxSeries; ++s) v.ChartPointCount[s] = 0;
  // Also the series count: a read that yields no series must not bring back old slots.
  if (chart >= 0 && chart <= Chart::kMaxCharts) v.ChartSeriesCache.Empty(chart);
}

void CopyPopupPointsToChart() {
  Chart::Vars& v = Chart::vars();
  const int chart = v.CurrentChartNumber;
  const long s = v.ChartSeriesCount;
  if (s < 1 || s > Chart::kMaxSeries) return;
  const long count = std::clamp<long>(v.ChartSeriesCache.PointCount(chart, static_cast<int>(s)), 0,
                                      Chart::kMaxPoints);
  v.ChartPointCount[s] = count;
  for (long p = 1; p <= count; ++p)
    v.ChartPoints[s][p] = v.ChartSeriesCache.Point(chart, static_cast<int>(s), static_cast<int>(p));
}

void Popups_Every_4_Pass() {
  vb::Proc g(builders::kModule, "Popups_Every_4_Pass");
  Chart::Vars& v = Chart::vars();
  const int chart = v.CurrentChartNumber;
  bool full = false;  // a series ran out of room; reported once
  for (long s = 1; s <= std::min<long>(v.ChartSeriesCount, Chart::kMaxSeries); ++s) {
    for (int level = 4; level <= 20; level += 4) {
      g.step([&] {
        auto& points = v.ChartPoints[s];
        for (long p = 2; p <= v.ChartPointCount[s]; ++p) {
          const Chart::ChartPoint before = points[p - 1], after = points[p];
          if (!(before.Y > level && after.Y < level)) continue;
          const long count = v.ChartPointCount[s];
          if (count >= Chart::kMaxPoints) {
            if (!full) {
              full = true;
              vb::Raise(vb::err::SubscriptOutOfRange);
            }
            return;
          }
          // Shift the tail up by one place, from the top down, and put the crossing at p.
          for (long k = count + 1; k > p; --k) points[k] = points[k - 1];
          const double x0 = before.X, y0 = before.Y, x1 = after.X, y1 = after.Y;
          points[p] = {vb::CSng(x0 + (x1 - x0) * (level - y0) / (y1 - y0)),
                       static_cast<float>(level)};
          v.ChartPointCount[s] = count + 1;
          if (chart >= 0 && chart <= Chart::kMaxCharts) {
            Chart::CacheSeries& cs = v.ChartSeriesCache.Touch(chart, static_cast<int>(s));
            cs.PointCount = count + 1;
            for (long k = p; k <= count + 1; ++k)
              v.ChartSeriesCache.SetPoint(chart, static_cast<int>(s), static_cast<int>(k),
                                          points[k]);
          }
        }
      });
    }
  }
}

}  // namespace General
