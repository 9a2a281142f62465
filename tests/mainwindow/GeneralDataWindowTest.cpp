// The general-data tab in the Qt main window on the offscreen platform, with the program's
// wiring: the figures and units of View > Metric, and the unit column's blank underscores.
#include <QAction>
#include <QLabel>
#include <string>

#include "WidgetsFixture.h"
#include "mainwindow/ControlNames.h"
#include "mainwindow/frmMain.h"

namespace {

namespace ctl = MainForm::ctl;
using namespace mwtest;

class GeneralData : public SamplePairRun {
 protected:
  std::string Text(const std::string& label) {
    auto* l = w->findChild<QLabel*>(QString::fromStdString(label));
    EXPECT_NE(l, nullptr) << label;
    return l ? l->text().toStdString() : std::string();
  }
  // View > Metric, to metric units or back (the choice is kept for the next run).
  void Metric(bool on) {
    w->findChild<QAction*>(ctl::mnuViewMetric)->trigger();
    ASSERT_TRUE(Await([on] { return DBase::vars().MetricUnits == on; }));
  }
};

// With metric units a row's figure is converted whenever its unit caption turns metric: the
// certified ceiling in metres, the helicopters' passenger area in cubic metres (inside their
// cabins, not bigger than them).
TEST_F(GeneralData, MetricUnitsConvertEveryFigureWhoseUnitTurnsMetric) {
  struct Row {
    const char* value;  // Plane 1's data label
    const char* unit;
    std::string imperial, metric, metricUnit;
  };
  struct Pair {
    const char* aircraft1;
    const char* aircraft2;
    std::vector<Row> rows;
  };
  const Pair pairs[] = {
      {"101", "102", {{"gen0Data1_46", "gen0Units_46", "43,000", "13,106", "M"}}},
      {"201",
       "202",
       {{"gen0Data1_44", "gen0Units_44", "20,000", "6,096", "M"},
        {"gen0Data1_34", "gen0Units_34", "215.0", "6.1", "Cu. M."},
        {"gen0Data1_45", "gen0Units_45", "180.0", "5.1", "Cu. M."}}},
  };
  for (const Pair& p : pairs) {
    SCOPED_TRACE(p.aircraft1);
    Start(p.aircraft1, p.aircraft2);
    for (const Row& r : p.rows) EXPECT_EQ(Text(r.value), r.imperial) << r.value;
    Metric(true);
    for (const Row& r : p.rows) {
      EXPECT_EQ(Text(r.value), r.metric) << r.value;
      EXPECT_EQ(Text(r.unit), std::string(15 - r.metricUnit.size(), '_') + r.metricUnit)
          << r.unit;
    }
    Metric(false);
    for (const Row& r : p.rows) EXPECT_EQ(Text(r.value), r.imperial) << r.value;
    Close();
  }
}

// A row in the unit of the padded unit caption above it shows blank underscores in the unit
// column, in either unit system; a row with no unit shows nothing there.
TEST_F(GeneralData, RowsUnderAPaddedUnitShowBlankUnderscores) {
  const std::string blank(15, '_');
  Start("101", "102");
  for (bool metric : {false, true}) {
    SCOPED_TRACE(metric ? "metric" : "imperial");
    if (metric) Metric(true);
    for (const char* unit : {"gen1Units_1", "gen1Units_9", "gen1Units_15", "gen1Units_21",
                             "gen1Units_27", "gen1Units_39", "gen0Units_1", "gen0Units_40"})
      EXPECT_EQ(Text(unit), blank) << unit;
    for (const char* unit : {"gen1Units_16", "gen1Units_23", "gen1Units_32", "gen0Units_43"})
      EXPECT_EQ(Text(unit), "") << unit;
  }
}

}  // namespace
