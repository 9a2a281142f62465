#pragma once
// Helpers shared by the chart engine's source files.
#include <cmath>
#include <string>

#include "charts/Chart.h"

namespace Chart {

// No grid, tick or trimming loop runs more steps than this.
inline constexpr long kMaxSteps = 10000;

// Calls f(from), f(from + step), ... while the value does not pass `to`, counting steps by
// index so that no rounding of a running sum loses the last value; a value within 1e-9 of a
// step past `to` is taken as `to` itself. Nothing for a step that is not above 0.
template <class F>
void ForSteps(double from, double to, double step, F&& f) {
  if (!(step > 0) || !std::isfinite(from) || !std::isfinite(to)) return;
  const double tolerance = 1e-9 * step;
  for (long i = 0; i < kMaxSteps; ++i) {
    double x = from + static_cast<double>(i) * step;
    if (x > to + tolerance) break;
    if (x > to) x = to;
    f(x);
  }
}

void SelectChartFont(const ChartFont& font);

// Moves lo up and hi down by whole steps towards the data, while the notes still fit (`fits`:
// LabelsFit or LabelsFitY) and the span stays at least max(1, labelEvery) steps.
void TrimRange(double& lo, double& hi, double step, double labelEvery, double minData,
               double maxData, int (*fits)());

// The two legend lines of a series name in a legend mode: modes 3 and 4 add " - " to the name
// before it is split at its first "|". nameFirst is the name's own first line.
struct LegendLines {
  std::string first, second, nameFirst;
};
LegendLines SplitLegend(const std::string& name, long mode);

}  // namespace Chart
