#pragma once
// A block-fuel chart of two planes (long range solid, max cruise dashed) for the picture, printer
// and timing checks.
#include <cmath>

#include "charts/Chart.h"

namespace charttest {

inline constexpr gdi::Rgb kPlane1 = 0x0000FF;  // red
inline constexpr gdi::Rgb kPlane2 = 0xFF0000;  // blue

// Fuel of plane `plane` at `range` nautical miles: a gentle curve that stays inside the axes.
inline double SampleFuel(int plane, bool maxCruise, double range) {
  const double base = plane == 1 ? 1500 : 2500;
  return base + range * (plane == 1 ? 4.2 : 5.1) * (maxCruise ? 1.12 : 1) +
         std::pow(range / 1000, 2) * 300;
}

inline void DrawSampleChart(gdi::Canvas& target, int pointsPerSeries = 25, double left = 0,
                            double top = 0, double width = 100, double height = 100) {
  Chart::Vars& v = Chart::vars();
  v.CurrentChartNumber = 1;
  v.ChartLabelsLoaded[1] = true;
  Chart::NewChart(target, 0, left, top, width, height, true);
  v.ChartTitle = "Block Fuel";
  v.XAxisTitle = "Range (N. Mi.)";
  v.YAxisTitle = "Block Fuel (lbs.)";
  v.ChartLegendMode = 1;
  v.XMax = 3000;
  v.XStep = 250;
  v.XLabelEvery = 2;
  v.YMax = 20000;
  v.YStep = 2000;
  v.YLabelEvery = 2;
  for (int plane = 1; plane <= 2; ++plane) {
    const gdi::Rgb color = plane == 1 ? kPlane1 : kPlane2;
    for (int cruise = 0; cruise < 2; ++cruise) {
      Chart::NewSeries(color, cruise ? 1 : 0, 0,
                       cruise ? "Max Cr. - Dashed" : (plane == 1 ? "Long Range - Solid" : ""), 0);
      const double last = plane == 1 ? 2600 : 2200;
      for (int i = 0; i < pointsPerSeries; ++i) {
        const double range = 200 + (last - 200) * i / std::max(1, pointsPerSeries - 1);
        Chart::AddPoint(range, SampleFuel(plane, cruise == 1, range));
      }
    }
  }
  Chart::DrawChart();
}

}  // namespace charttest
