// Module Chart: the axis scales of a chart from the scale table, chosen by the larger of the
// two aircraft.
#include <charconv>
#include <cmath>

#include "charts/Chart.h"
#include "foundation/Registry.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Number.h"
#include "platform/runtime/Strings.h"
#include "platform/runtime/Trap.h"
#include "platform/ui/Hooks.h"

namespace Chart {

namespace {

constexpr std::string_view kModule = "Chart";

ScaleSource& Scales() {
  static DatabaseScales database;
  return vars().Scales ? *vars().Scales : database;
}

// The lookup's messages. A chart drawn again from its cache (a hover pop-up going away) does
// not show them again: a message box inside a repaint would keep coming back.
void Report(const std::string& prompt) {
  if (!vars().ChartFromDatabase) return;
  ui::Current().MessageBox(prompt, "ERROR", ui::Buttons::OK, ui::Icon::None);
}

std::string GraphName(const std::string& title, bool report) {
  static const char* const own[] = {
      "Block Fuel",
      "Block Time",
      "Corporate",
      "Utility",
      "Height Velocity",
      "Vne and Max Cruise Speed",
      "Weight-Altitude-Temperature Limits - Corporate/EMS Ops",
      "Weight-Altitude-Temperature Limits - Utility Ops",
      "Takeoff",
      "Max Takeoff Elevation",
      "Landing *Sea Level",
      "Max. Cruise Speed",
      "Max. Op. Spd. (VMO/MMO)",
      "Payload Range",
  };
  for (const char* t : own)
    if (title == t) return title;
  if (title == "Take-off/Landing Distance")
    return vars().XAxisTitle == "5000 Ft. Pressure Altitude"
               ? "Take-off/Landing Distance 5000 Ft. Pressure Altitude"
               : "Take-off/Landing Distance Sea Level";
  if (report) Report("Error loading graph data for chart " + title);
  return "Block Fuel";
}

// An aircraft number as the integer the view is keyed on; nothing when the text is not one.
std::optional<std::int64_t> AircraftNumber(const std::string& text) {
  double value = 0;
  if (!vb::TryParseNumber(text, value) || value != std::trunc(value) || std::abs(value) > 9e15)
    return std::nullopt;
  return static_cast<std::int64_t>(value);
}

int BiggerAircraft(const std::string& name, const std::string& acNum1, const std::string& acNum2) {
  vb::Proc g(kModule, "gFindBiggerAircraft");
  int group[2] = {-1, -1};
  long ymax[2] = {-1, -1}, xmax[2] = {-1, -1};
  const std::string numbers[2] = {vb::Trim(acNum1), vb::Trim(acNum2)};
  for (int k = 0; k < 2; ++k) {
    if (numbers[k].empty()) continue;
    g.step([&] {
      std::optional<double> found;
      if (auto n = AircraftNumber(numbers[k])) found = Scales().GroupOf(*n);
      if (!found) {
        Report("Error loading graph data for aircraft " + numbers[k]);
        return;
      }
      group[k] = vb::CInt(*found);
    });
  }
  for (int k = 0; k < 2; ++k) {
    if (group[k] == -1) continue;
    g.step([&] {
      std::optional<ScaleRow> row;
      row = Scales().ScaleFor(std::to_string(group[k]), name);
      if (!row) {
        Report("Error loading graph data for group" + std::to_string(group[k]));
        return;
      }
      const long y = vb::CLng(row->YMax), x = vb::CLng(row->XMax);
      ymax[k] = y;
      xmax[k] = x;
    });
  }
  // Ties go to the second aircraft.
  if (ymax[0] == ymax[1]) return xmax[0] > xmax[1] ? group[0] : group[1];
  return ymax[0] > ymax[1] ? group[0] : group[1];
}

}  // namespace

std::string GraphNameFromTitle(const std::string& title) {
  vb::Proc g(kModule, "GraphNameFromTitle");
  return g.value([&] { return GraphName(title, true); }, "Block Fuel");
}

int gFindBiggerAircraft(const std::string& title, const std::string& acNum1,
                        const std::string& acNum2) {
  return BiggerAircraft(GraphNameFromTitle(title), acNum1, acNum2);
}

void FindChartMinMax() {
  vb::Proc g(kModule, "FindChartMinMax");
  Vars& v = vars();
  std::string name = "Block Fuel";
  int group = -1;
  std::optional<ScaleRow> row;
  // The title's graph name is looked up (and an unknown title reported) once.
  g.step([&] { name = GraphName(v.ChartTitle, true); });
  const std::string& ac1 = Registry::RegSettings().Aircraft1;
  const std::string& ac2 = Registry::RegSettings().Aircraft2;
  // A drawing from the cache (a pop-up going away, a repaint) takes the row of the chart's last
  // drawing from the database, so that it reads nothing.
  const int chart =
      v.CurrentChartNumber >= 1 && v.CurrentChartNumber <= 16 ? v.CurrentChartNumber : 0;
  RememberedScale& remembered = v.RememberedScales[static_cast<size_t>(chart)];
  if (!v.ChartFromDatabase && remembered.valid && remembered.graphName == name &&
      remembered.acNum1 == ac1 && remembered.acNum2 == ac2) {
    row = remembered.row;
  } else {
    g.step([&] { group = BiggerAircraft(name, ac1, ac2); });
    g.step([&] {
      if (group != -1) row = Scales().ScaleFor(std::to_string(group), name);
    });
    remembered = RememberedScale{true, name, ac1, ac2, row};
  }
  if (!row) {
    // No row: 0-100 on both axes, no grid.
    v.XMin = 0;
    v.XMax = 100;
    v.YMin = 0;
    v.YMax = 100;
    return;
  }
  v.XMin = 0;
  v.XMax = v.ChartBarMode == 1 ? static_cast<double>(v.ChartSeriesCount) : row->XMax;
  v.YMin = 0;
  v.YMax = row->YMax;
  v.XStep = row->XScale;
  v.YStep = row->YScale;
  if (v.ChartTimeAxis) {
    // The table holds minutes; the chart shows hours.
    v.YStep = 0.5;
    v.YMax = v.YMax / 60;
  }
  // A step of 0 in the table makes the spacing a division failure: reported, and the spacing
  // keeps its default.
  g.step([&] { v.XLabelEvery = vb::Divide(row->XLabel, row->XScale); });
  g.step([&] { v.YLabelEvery = vb::Divide(row->YLabel, row->YScale); });
}

}  // namespace Chart
