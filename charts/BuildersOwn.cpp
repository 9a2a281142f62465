// The builders that read their tables row by row themselves, so that each line has its own
// style and legend name: block fuel and block time, balanced field length, the three landing
// bar charts and the maximum cruise speed.
#include "charts/BuildersInternal.h"

namespace General {

using namespace builders;

namespace {

// Adds a point for every row of one aircraft's table; rows without both values are left out.
// `time`: the Y column holds a block time as hours and minutes.
void ReadLine(vb::Proc& g, std::string_view table, const std::string& acNum, std::string_view x,
              std::string_view y, bool time = false) {
  ForEachRow(g, table, acNum, {x, y}, [&](const std::vector<adodb::Field>& f) {
    const std::optional<double> px = NumberOf(f[0].value());
    const std::optional<double> py = NumberOf(time ? TimeValue(f[1].value()) : f[1].value());
    if (px && py) Chart::AddPoint(*px, *py);
  });
}

// The block fuel and block time charts: per plane a long-range line (solid) and a maximum
// cruise line (dashed); the legend names stand once, on the first plane drawn.
void BlockChart(const BuilderSpec& spec, bool time, gdi::Canvas& target, vb::Variant& redraw,
                double left, double top, double width, double height) {
  RunBuilder(spec, target, redraw, left, top, width, height, [&](vb::Proc& g, bool fromDatabase) {
    const bool firstTakesPart = PlaneOf(1).takesPart;
    for (int n = 1; n <= 2; ++n) {
      const Plane p = PlaneOf(n);
      if (!p.takesPart) continue;
      const bool named = !Helicopters() && (n == 1 || !firstTakesPart);
      Chart::NewSeries(p.color, 0, 0, named ? "Long Range - Solid" : "", 0);
      if (fromDatabase)
        ReadLine(g, "ACDPLR", p.acNum, "LRR", time ? "LRBT" : "LRBF", time);
      else
        CopyPopupPointsToChart();
      Chart::NewSeries(p.color, 1, 0, named ? "Max Cr. - Dashed" : "", 0);
      if (fromDatabase)
        ReadLine(g, "ACDPMCS", p.acNum, "MCSR", time ? "MCSBT" : "MCSBF", time);
      else
        CopyPopupPointsToChart();
    }
    if (time) Chart::vars().ChartTimeAxis = Chart::vars().ChartSeriesCount != 0;
  });
}

// The two series of one plane on a landing bar chart, or its two placeholders.
struct BarPlane {
  long placeholderFill[2], placeholderStyle[2];
  const char* nameA;
  const char* nameB;
};

struct BarChart {
  BarPlane planes[2];
  // The value of series A (first) or B (second) of an aircraft: one bar, or none.
  std::function<void(vb::Proc& g, const std::string& acNum, bool seriesB)> bars;
};

void LandingChart(const BuilderSpec& spec, const BarChart& chart, gdi::Canvas& target,
                  vb::Variant& redraw, double left, double top, double width, double height) {
  RunBuilder(spec, target, redraw, left, top, width, height, [&](vb::Proc& g, bool) {
    const bool firstTakesPart = PlaneOf(1).takesPart;
    for (int n = 1; n <= 2; ++n) {
      const Plane p = PlaneOf(n);
      const BarPlane& b = chart.planes[n - 1];
      if (!p.takesPart) {
        // Placeholders keep the plane's two slots, so that Plane 2's bars stay in 3 and 4.
        for (int k = 0; k < 2; ++k)
          Chart::NewSeries(p.color, b.placeholderStyle[k], 0, "", b.placeholderFill[k]);
        continue;
      }
      const bool named = n == 1 || !firstTakesPart;
      Chart::NewSeries(p.color, 0, 0, named ? b.nameA : "", 3);
      chart.bars(g, p.acNum, false);
      Chart::NewSeries(p.color, n == 1 ? 2 : 0, 0, named ? b.nameB : "", 0);
      chart.bars(g, p.acNum, true);
    }
  });
}

// Charts 9: the first row of ACDPLD; an aircraft without a row gets a bar of 0.
void LandingBars(vb::Proc& g, const std::string& acNum, bool seriesB) {
  bool found = false;
  ForEachRow(g, "ACDPLD", acNum, {seriesB ? "MaxLWt" : "4Pax"},
             [&](const std::vector<adodb::Field>& f) {
               if (found) return;
               found = true;
               Chart::AddPoint(NumberOf(f[0].value()).value_or(0), 0.0);
             });
  if (!found) Chart::AddPoint(0, 0.0);
}

// Charts 10 and 11: the first ACDPToLD row of the altitude and the operation is the bar; an
// aircraft without any row gets a bar of 0, one whose rows match nothing gets none.
std::function<void(vb::Proc&, const std::string&, bool)> DistanceBars(std::string_view range) {
  return [range](vb::Proc& g, const std::string& acNum, bool takeoff) {
    bool anyRow = false, found = false;
    ForEachRow(g, "ACDPToLD", acNum, {"Range", "ToLd", "Distance"},
               [&](const std::vector<adodb::Field>& f) {
                 anyRow = true;
                 if (found || !SameKey(f[0].value(), range) ||
                     !SameKey(f[1].value(), takeoff ? "Takeoff" : "Landing"))
                   return;
                 found = true;
                 Chart::AddPoint(NumberOf(f[2].value()).value_or(0), 0.0);
               });
    if (!anyRow) Chart::AddPoint(0, 0.0);
  };
}

BuilderSpec BarSpec(int chart, std::string_view procedure, std::string_view key,
                    std::string_view title, std::string_view xTitle, std::string_view yTitle) {
  BuilderSpec spec{chart, procedure, key, title, xTitle, yTitle};
  spec.bar = true;
  spec.legend = false;
  return spec;
}

}  // namespace

void GraphBlockFuel(gdi::Canvas& target, vb::Variant& redraw, double left, double top, double width,
                    double height) {
  const BuilderSpec spec{
      1, "GraphBlockFuel", "BlockFuel", "Block Fuel", "Range (N. Mi.)", "Block Fuel (lbs.)"};
  BlockChart(spec, false, target, redraw, left, top, width, height);
}

void ChartBlockTime(gdi::Canvas& target, vb::Variant& redraw, double left, double top, double width,
                    double height) {
  const BuilderSpec spec{
      2, "ChartBlockTime", "BlockTime", "Block Time", "Range (N. Mi.)", "Block Time (Hrs.)"};
  BlockChart(spec, true, target, redraw, left, top, width, height);
}

void ChartBalancedFieldLength(gdi::Canvas& target, vb::Variant& redraw, double left, double top,
                              double width, double height) {
  const BuilderSpec spec{
      3,         "ChartBalancedFieldLength", "Takeoff",
      "Takeoff", "Range (N. Mi.)",           "FAR 25 Balanced Field Length (ft.)"};
  struct Line {
    const char* x;
    const char* y;
    long style;
    const char* name1;
    const char* name2;
  };
  static const Line lines[] = {
      {"TOFLR1", "TOFLSL1", 0, "Sea Level - Solid", "Sea Level - Solid"},
      {"TOFLR2", "TOFL5kFt", 1, "5000 ft - Dashed", "5000 ft - Dashed"},
      {"TOFLR3", "TOFLSL3", 2, "Take-Off Distance - Dotted|(Turboprop & Piston Only)",
       "Take-Off Distance - Dotted"},
  };
  // A printed page carries no legend names.
  const bool printer = target.kind() == gdi::TargetKind::Printer;
  RunBuilder(spec, target, redraw, left, top, width, height, [&](vb::Proc& g, bool fromDatabase) {
    const bool firstTakesPart = PlaneOf(1).takesPart;
    for (int n = 1; n <= 2; ++n) {
      const Plane p = PlaneOf(n);
      if (!p.takesPart) continue;
      const bool named = !printer && (n == 1 || !firstTakesPart);
      for (const Line& line : lines) {
        Chart::NewSeries(p.color, line.style, 0, named ? (n == 1 ? line.name1 : line.name2) : "",
                         0);
        if (fromDatabase)
          ReadLine(g, "ACDPTOFL", p.acNum, line.x, line.y);
        else
          CopyPopupPointsToChart();
      }
    }
  });
}

void ChartLanding(gdi::Canvas& target, vb::Variant& redraw, double left, double top, double width,
                  double height) {
  static const BarChart chart{
      {{{5, 0}, {0, 2}, "Passenger Wt. ", "Max Wt."}, {{5, 5}, {0, 0}, "4 Pass.", "Max Wt."}},
      LandingBars};
  LandingChart(BarSpec(9, "ChartLanding", "Landing", "Landing *Sea Level", "",
                       "Landing Runway Required (ft.)"),
               chart, target, redraw, left, top, width, height);
}

void ChartLanding5000Ft(gdi::Canvas& target, vb::Variant& redraw, double left, double top,
                        double width, double height) {
  static const BarChart chart{
      {{{5, 5}, {0, 0}, "Landing", "Take-off"}, {{5, 5}, {0, 0}, "Landing", "Take-off"}},
      DistanceBars("5000Ft")};
  LandingChart(BarSpec(10, "ChartLanding5000Ft", "Landing5000Ft", "Take-off/Landing Distance",
                       "5000 Ft. Pressure Altitude", "Distance - Ft"),
               chart, target, redraw, left, top, width, height);
}

void ChartLandingSL(gdi::Canvas& target, vb::Variant& redraw, double left, double top, double width,
                    double height) {
  static const BarChart chart{
      {{{3, 0}, {0, 2}, "Landing", "Take-off"}, {{5, 5}, {0, 0}, "Landing", "Take-off"}},
      DistanceBars("SL")};
  LandingChart(BarSpec(11, "ChartLandingSL", "LandingSL", "Take-off/Landing Distance", "Sea Level",
                       "Distance - Ft"),
               chart, target, redraw, left, top, width, height);
}

void ChartCruiseSpeed(gdi::Canvas& target, vb::Variant& redraw, double left, double top,
                      double width, double height) {
  BuilderSpec spec{8,
                   "ChartCruiseSpeed",
                   "CruiseSpeed",
                   "Max. Cruise Speed",
                   "True Air Speed (KTAS)",
                   "Altitude (ft.)"};
  spec.legend = false;
  spec.speed = true;
  RunBuilder(spec, target, redraw, left, top, width, height, [&](vb::Proc& g, bool fromDatabase) {
    for (int n = 1; n <= 2; ++n) {
      const Plane p = PlaneOf(n);
      if (!p.takesPart) continue;
      Chart::NewSeries(p.color, 0, 0, "", 0);
      if (fromDatabase)
        ReadLine(g, "ACDPMCS2", p.acNum, "MCSK", "MCSA");
      else
        CopyPopupPointsToChart();
    }
  });
}

}  // namespace General
