// The data-line charts: every line comes straight from one chart table, one series per line
// group of each plane (service ceilings, height-velocity, Vne, WAT limits, maximum takeoff
// elevation, maximum operating speed and payload-range).
#include <cmath>

#include "charts/BuildersInternal.h"
#include "foundation/Globals.h"

namespace General {

using namespace builders;

void LookupDataLines(std::string_view table, int plane, long lineStyle,
                     const std::string& seriesName, std::string_view xColumn,
                     std::string_view yColumn, std::string_view groupColumn,
                     std::string_view filterColumn1, std::string_view filterValue1,
                     std::string_view filterColumn2, std::string_view filterValue2) {
  vb::Proc g(kModule, "LookupDataLines");
  const Plane p = PlaneOf(plane == 1 ? 1 : 2);
  const bool grouped = !groupColumn.empty();
  struct Row {
    int group;
    double x, y;
  };
  std::vector<Row> rows;
  std::vector<std::string_view> columns = {xColumn, yColumn};
  if (grouped) columns.push_back("GroupID");
  if (!filterColumn1.empty()) columns.push_back(filterColumn1);
  if (!filterColumn2.empty()) columns.push_back(filterColumn2);
  // One pass over the rows buckets them by group; the series then come in ascending group
  // order with their points in displayOrder, as a scan per group would give them.
  ForEachRow(g, table, p.acNum, columns, [&](const std::vector<adodb::Field>& f) {
    size_t next = 2;
    int group = 1;
    if (grouped) {
      const std::optional<double> id = NumberOf(f[next++].value());
      if (!id || *id != std::trunc(*id) || *id < 1 || *id > 20) return;
      group = static_cast<int>(*id);
    }
    if (!filterColumn1.empty() && !SameKey(f[next++].value(), filterValue1)) return;
    if (!filterColumn2.empty() && !SameKey(f[next++].value(), filterValue2)) return;
    const std::optional<double> x = NumberOf(f[0].value()), y = NumberOf(f[1].value());
    // A point without both values cannot be placed: it is left out, not drawn at 0.
    if (!x || !y) return;
    rows.push_back({group, *x, *y});
  });
  for (int group = 1; group <= 20; ++group) {
    bool started = false;
    for (const Row& row : rows) {
      if (row.group != group) continue;
      if (!started) {
        const std::string name = group == 1 && !Helicopters() ? seriesName : std::string();
        Chart::NewSeries(p.color, lineStyle, 0, name, 0);
        started = true;
      }
      Chart::AddPoint(row.x, row.y);
    }
  }
}

namespace {

// A data-line chart: `read` reads one plane's series from the database and `afterRead` runs
// once after both; from the cache the chart's series come back whole. `settings` runs after
// the series either way.
void DataLineChart(const BuilderSpec& spec, gdi::Canvas& target, vb::Variant& redraw, double left,
                   double top, double width, double height,
                   const std::function<void(int plane)>& read,
                   const std::function<void()>& afterRead = {},
                   const std::function<void()>& settings = {}) {
  RunBuilder(spec, target, redraw, left, top, width, height, [&](vb::Proc& g, bool fromDatabase) {
    if (fromDatabase) {
      for (int plane = 1; plane <= 2; ++plane)
        if (PlaneOf(plane).takesPart) g.step([&] { read(plane); });
      if (afterRead) g.step(afterRead);
    } else {
      RestoreChartSeries(spec.chart);
    }
    if (settings) settings();
  });
}

// One grouped table, X and Y columns, no selectors.
std::function<void(int)> Grouped(std::string_view table, std::string_view x, std::string_view y) {
  return [=](int plane) { LookupDataLines(table, plane, 0, "", x, y, "GroupID", "", "", "", ""); };
}

std::string_view WatCategory() { return Globals::vars().WATChart == 1 ? "WAT A" : "WAT B"; }

}  // namespace

void ChartCeilingCorp(gdi::Canvas& target, vb::Variant& redraw, double left, double top,
                      double width, double height) {
  const BuilderSpec spec{4,           "ChartCeilingCorp", "CeilingCorp",
                         "Corporate", "Range (N. Mi.)",   "Pressure Altitude - Ft"};
  DataLineChart(spec, target, redraw, left, top, width, height,
                Grouped("ACDPSrvClngCorp", "Range", "Altitude"));
}

void ChartCeilingHV(gdi::Canvas& target, vb::Variant& redraw, double left, double top, double width,
                    double height) {
  const BuilderSpec spec{5,           "ChartCeilingHV",        "CeilingHV", "Height Velocity",
                         "KTS (IAS)", "Wheel/Skid Height - Ft"};
  DataLineChart(spec, target, redraw, left, top, width, height,
                Grouped("ACDPHv", "Velocity", "Height"));
}

void ChartCeilingUtil(gdi::Canvas& target, vb::Variant& redraw, double left, double top,
                      double width, double height) {
  const BuilderSpec spec{6,         "ChartCeilingUtil", "CeilingUtil",
                         "Utility", "Payload (Lbs)",    "Pressure Altitude - Ft"};
  DataLineChart(spec, target, redraw, left, top, width, height,
                Grouped("ACDPSrvClngUtil", "Payload", "Altitude"));
}

void ChartCeilingVNE(gdi::Canvas& target, vb::Variant& redraw, double left, double top,
                     double width, double height) {
  const BuilderSpec spec{
      7,           "ChartCeilingVNE",       "CeilingVNE", "Vne and Max Cruise Speed",
      "KTS (TAS)", "Pressure Altitude - Ft"};
  DataLineChart(spec, target, redraw, left, top, width, height, [](int plane) {
    LookupDataLines("ACDPVne", plane, 0, "", "Speed", "Altitude", "", "VneVh", "Vne", "", "");
    LookupDataLines("ACDPVne", plane, 0, "", "Speed", "Altitude", "", "VneVh", "Vh", "", "");
  });
}

void ChartOperatingSpeed(gdi::Canvas& target, vb::Variant& redraw, double left, double top,
                         double width, double height) {
  BuilderSpec spec{12,
                   "ChartOperatingSpeed",
                   "OperatingSpeed",
                   "Max. Op. Spd. (VMO/MMO)",
                   "True Air Speed (KTAS)",
                   "Altitude (ft.)"};
  spec.legend = false;
  spec.speed = true;
  DataLineChart(spec, target, redraw, left, top, width, height, Grouped("ACDPMOS", "MOSK", "MCSA"));
}

void ChartPayload(gdi::Canvas& target, vb::Variant& redraw, double left, double top, double width,
                  double height) {
  const bool heli = Helicopters();
  const BuilderSpec spec{13,
                         "ChartPayload",
                         "Payload",
                         "Payload Range",
                         "Range (N. Mi.)",
                         heli ? "Payload - Lbs" : "Payload (Passengers at 200lbs)"};
  DataLineChart(
      spec, target, redraw, left, top, width, height,
      [](int plane) {
        LookupDataLines("ACDPPR", plane, 0, "", "PRR", "PRP", "GroupID", "", "", "", "");
        LookupDataLines("ACDPMLW", plane, 0, "", "MLWR", "MLWP", "GroupID", "", "", "", "");
      },
      [] { Popups_Every_4_Pass(); },
      // The weight of the passengers right of the plot, for all but helicopters.
      [heli] { Chart::vars().ChartPayloadUnits = !heli; });
}

void ChartTakeoffElevation(gdi::Canvas& target, vb::Variant& redraw, double left, double top,
                           double width, double height) {
  const BuilderSpec spec{14,
                         "ChartTakeoffElevation",
                         "TakeoffElevation",
                         "Max Takeoff Elevation",
                         "Range (N. Mi.)",
                         "Elevation (ft.)"};
  DataLineChart(spec, target, redraw, left, top, width, height, Grouped("ACDPMTE", "MTER", "MTEE"));
}

void ChartWATCorp(gdi::Canvas& target, vb::Variant& redraw, double left, double top, double width,
                  double height) {
  BuilderSpec spec{15,           "ChartWATCorp",
                   "WATCorp",    "Weight-Altitude-Temperature Limits - Corporate/EMS Ops",
                   "Range (NM)", "Pressure Altitude - Ft"};
  spec.reloadNotes = true;
  const std::string category(WatCategory());
  DataLineChart(spec, target, redraw, left, top, width, height, [&](int plane) {
    LookupDataLines("ACDPWAT", plane, 0, "", "X", "Y", "GroupID", "CAT", category, "OpNum", "3");
  });
}

void ChartWATUtil(gdi::Canvas& target, vb::Variant& redraw, double left, double top, double width,
                  double height) {
  BuilderSpec spec{16,
                   "ChartWATUtil",
                   "WATUtil",
                   "Weight-Altitude-Temperature Limits - Utility Ops",
                   "Payload Lbs.",
                   "Pressure Altitude - Ft"};
  spec.reloadNotes = true;
  const std::string category(WatCategory());
  DataLineChart(spec, target, redraw, left, top, width, height, [&](int plane) {
    LookupDataLines("ACDPWAT", plane, 0, "", "X", "Y", "GroupID", "CAT", category, "OpNum", "6");
  });
}

}  // namespace General
