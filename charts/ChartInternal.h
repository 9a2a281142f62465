#pragma once
// Helpers shared by the chart engine's source files.
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

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

// The weight label of the payload chart: y passengers at 200 lb ("1000 lbs" for 5).
std::string PayloadWeight(double passengers);

// Where a text goes, in layer units: its top-left corner and its size.
struct TextPlace {
  double x = 0, y = 0, w = 0, h = 0;
};

// The "Assumptions" caption in the top right corner of a chart on a screen picture; nothing on
// other targets, which do not show it.
std::optional<TextPlace> AssumptionsCaption();

// The chart title in its band. One line centred over the chart when it fits there beside the
// caption; otherwise lines broken at blanks, hyphens and slashes under the caption, each within
// the chart's width, in the title font or, where that takes more than two lines, a smaller one.
struct TitleLayout {
  double size = 0;                 // points
  std::vector<std::string> lines;  // empty for an empty title
  double top = 0;                  // top of the first line, from ChartTop
  double lineHeight = 0;
  double band = 0;  // the title band: TopBorder
};
TitleLayout LayOutTitle();

// Runs `work` with the font selected at that size and angle (its face, bold, italic and
// underline), and removes it after.
void WithFont(const ChartFont& font, double size, double angle, const std::function<void()>& work);

// The largest size, from `size` down in half points, at which `fits` holds for the font of
// that size (selected while `fits` runs); never below one point.
double FittingSize(const ChartFont& font, double size, double angle,
                   const std::function<bool()>& fits);

}  // namespace Chart
