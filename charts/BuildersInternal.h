#pragma once
// Helpers shared by the chart builders' source files.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "charts/Chart.h"
#include "charts/ChartBuilders.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/Trap.h"

namespace ChartBuilders {
// Stores a qualifier label's caption and hands it to the main window's sink.
void SetQualifierCaption(const std::string& label, const std::string& caption);
}  // namespace ChartBuilders

namespace General::builders {

inline constexpr std::string_view kModule = "General";

// One of the two compared aircraft as the builders see it.
struct Plane {
  int number = 1;  // 1 or 2
  std::string acNum;
  gdi::Rgb color = 0;
  bool takesPart = false;  // chosen (number not empty) and shown
};
Plane PlaneOf(int number);
bool Helicopters();

// The builders' redraw flag: a Boolean or number that is not 0; Null, Empty and text are not.
bool IsTrue(const vb::Variant& value);
// A database value as a number; nothing for Null and Empty.
std::optional<double> NumberOf(const vb::Variant& value);
// Whether a value equals a selector or key text: numerically when both are numbers, else as
// text without regard to case. Null never matches.
bool SameKey(const vb::Variant& value, std::string_view text);

// Reads one aircraft's rows of a chart table (the module record, in displayOrder). `columns`
// are looked up first: a missing one is reported once and nothing is read. `row` gets the
// fields in the order of `columns`; a failing row is reported and the next row read.
void ForEachRow(vb::Proc& g, std::string_view table, const std::string& acNum,
                const std::vector<std::string_view>& columns,
                const std::function<void(const std::vector<adodb::Field>&)>& row);

// What a builder adds to the steps that every builder takes.
struct BuilderSpec {
  int chart;
  std::string_view procedure;  // trace name, "GraphBlockFuel", ...
  std::string_view key;        // qualifier key
  std::string_view title, xTitle, yTitle;
  bool bar = false;          // landing bar chart: bar mode, always from the database
  bool legend = true;        // legend mode 1
  bool speed = false;        // own scale lookup, wider title band, Mach lines
  bool reloadNotes = false;  // WAT: notes read on every call
};

// The builder protocol: chart number, NewChart, titles, bar mode, hover points cleared on a
// database read, `series` (told whether to read the database), the builder's settings, the
// qualifier while the notes are not loaded, DrawChart, Mach lines, notes, bar hover points.
void RunBuilder(const BuilderSpec& spec, gdi::Canvas& target, vb::Variant& redraw, double left,
                double top, double width, double height,
                const std::function<void(vb::Proc& g, bool fromDatabase)>& series);

}  // namespace General::builders
