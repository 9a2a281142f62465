#include <map>

#include "ChartTestSupport.h"
#include "foundation/Registry.h"

namespace {

using charttest::ChartFixture;
using gdi::RecordingCanvas;
using gdi::TargetKind;

class FakeScales : public Chart::ScaleSource {
 public:
  std::map<std::int64_t, double> groups;
  std::map<std::pair<std::string, std::string>, Chart::ScaleRow> rows;
  std::vector<std::int64_t> askedAircraft;
  std::vector<std::pair<std::string, std::string>> askedRows;

  std::optional<double> GroupOf(std::int64_t acNum) override {
    askedAircraft.push_back(acNum);
    auto it = groups.find(acNum);
    if (it == groups.end()) return std::nullopt;
    return it->second;
  }
  std::optional<Chart::ScaleRow> ScaleFor(const std::string& group,
                                          const std::string& name) override {
    askedRows.push_back({group, name});
    auto it = rows.find({group, name});
    if (it == rows.end()) return std::nullopt;
    return it->second;
  }
};

class ChartScale : public ChartFixture {
 protected:
  FakeScales scales;
  Chart::Vars& v = Chart::vars();
  RecordingCanvas c{TargetKind::Picture, 400, 300};

  void SetUp() override {
    ChartFixture::SetUp();
    v.Scales = &scales;
    scales.groups = {{101, 3}, {202, 5}, {303, 3}, {404, 7}};
    scales.rows[{"3", "Block Fuel"}] = {3000, 250, 500, 40000, 5000, 10000};
    scales.rows[{"5", "Block Fuel"}] = {2000, 250, 500, 45000, 5000, 10000};
    scales.rows[{"7", "Block Fuel"}] = {3000, 250, 500, 40000, 5000, 10000};
    scales.rows[{"3", "Block Time"}] = {3000, 250, 500, 360, 30, 60};
    scales.rows[{"3", "Take-off/Landing Distance Sea Level"}] = {4, 1, 1, 3000, 500, 1000};
    scales.rows[{"3", "Take-off/Landing Distance 5000 Ft. Pressure Altitude"}] = {4,    1,   1,
                                                                                  5000, 500, 1000};
    scales.rows[{"3", "Payload Range"}] = {3000, 0, 500, 20, 2, 4};
  }
  void TearDown() override {
    v.Scales = nullptr;
    ChartFixture::TearDown();
  }
  std::vector<std::string> Prompts() const {
    std::vector<std::string> out;
    for (const auto& b : hooks.boxes) {
      EXPECT_EQ(b.title, "ERROR");
      EXPECT_EQ(b.buttons, ui::Buttons::OK);
      out.push_back(b.prompt);
    }
    return out;
  }
  void Lookup(const std::string& title, const std::string& ac1, const std::string& ac2,
              bool redraw = true, const std::string& xTitle = "") {
    Chart::NewChart(c, 0, 0, 0, 100, 100, redraw);
    v.ChartTitle = title;
    v.XAxisTitle = xTitle;
    Registry::RegSettings().Aircraft1 = ac1;
    Registry::RegSettings().Aircraft2 = ac2;
    Chart::FindChartMinMax();
  }
};

TEST_F(ChartScale, TheBiggerAircraftsGroupWins) {
  struct Case {
    const char* ac1;
    const char* ac2;
    int group;
  };
  const Case cases[] = {
      {"101", "202", 5},                     // YMax 40000 against 45000
      {"202", "101", 5}, {"101", "404", 7},  // equal YMax and XMax: the second aircraft's group
      {"404", "101", 3}, {"101", "", 3},     // one aircraft only
      {"", "202", 5},    {" 202 ", "", 5},  {"", "", -1},
  };
  for (const Case& k : cases)
    EXPECT_EQ(Chart::gFindBiggerAircraft("Block Fuel", k.ac1, k.ac2), k.group)
        << k.ac1 << " / " << k.ac2;
  EXPECT_TRUE(Prompts().empty());
}

TEST_F(ChartScale, MissingRowsAreReportedAndLoseTheComparison) {
  EXPECT_EQ(Chart::gFindBiggerAircraft("Block Fuel", "999", "101"), 3);
  EXPECT_EQ(Chart::gFindBiggerAircraft("Block Time", "202", "101"), 3);  // no row for group 5
  // A number that is not a number never reaches the database.
  EXPECT_EQ(Chart::gFindBiggerAircraft("Block Fuel", "101", "1 OR 1=1"), 3);
  const std::vector<std::string> expected = {"Error loading graph data for aircraft 999",
                                             "Error loading graph data for group5",
                                             "Error loading graph data for aircraft 1 OR 1=1"};
  EXPECT_EQ(Prompts(), expected);
  for (std::int64_t n : scales.askedAircraft) EXPECT_TRUE(n == 999 || n == 101 || n == 202);
}

TEST_F(ChartScale, ARowSetsRangesStepsAndLabelSpacing) {
  Lookup("Block Fuel", "101", "");
  EXPECT_EQ(v.XMin, 0);
  EXPECT_EQ(v.XMax, 3000);
  EXPECT_EQ(v.YMax, 40000);
  EXPECT_EQ(v.XStep, 250);
  EXPECT_EQ(v.YStep, 5000);
  EXPECT_EQ(v.XLabelEvery, 2);
  EXPECT_EQ(v.YLabelEvery, 2);
  // Block time: minutes in the table, hours on the chart, half-hour grid.
  Lookup("Block Time", "101", "");
  v.ChartTimeAxis = true;
  Chart::FindChartMinMax();
  EXPECT_EQ(v.YMax, 6);
  EXPECT_EQ(v.YStep, 0.5);
}

TEST_F(ChartScale, TheLandingChartsShareATitleButNotARow) {
  Lookup("Take-off/Landing Distance", "101", "", true, "Sea Level");
  EXPECT_EQ(v.YMax, 3000);
  Lookup("Take-off/Landing Distance", "101", "", true, "5000 Ft. Pressure Altitude");
  EXPECT_EQ(v.YMax, 5000);
  EXPECT_TRUE(Prompts().empty());
}

TEST_F(ChartScale, AnUnknownTitleIsReportedOnceAndReadsTheBlockFuelRow) {
  Lookup("No Such Chart", "101", "");
  EXPECT_EQ(Prompts(),
            std::vector<std::string>{"Error loading graph data for chart No Such Chart"});
  EXPECT_EQ(v.YMax, 40000);
  EXPECT_EQ(Chart::GraphNameFromTitle("block fuel"), "Block Fuel");  // exact match only
}

TEST_F(ChartScale, ADrawingFromTheCacheTakesTheRowOfTheLastDatabaseDrawing) {
  v.CurrentChartNumber = 1;
  Lookup("Block Fuel", "101", "202");
  EXPECT_EQ(v.YMax, 45000);
  const size_t asked = scales.askedAircraft.size() + scales.askedRows.size();
  scales.rows.clear();  // the database would give nothing now
  Lookup("Block Fuel", "101", "202", false);
  EXPECT_EQ(scales.askedAircraft.size() + scales.askedRows.size(), asked);
  EXPECT_EQ(v.YMax, 45000);
  // Another pair is looked up, even from the cache.
  Lookup("Block Fuel", "101", "", false);
  EXPECT_GT(scales.askedAircraft.size() + scales.askedRows.size(), asked);
  EXPECT_EQ(v.YMax, 100);
}

TEST_F(ChartScale, NoRowGivesZeroToHundredWithoutGrid) {
  Lookup("Max. Cruise Speed", "101", "");
  EXPECT_EQ(v.XMax, 100);
  EXPECT_EQ(v.YMax, 100);
  EXPECT_EQ(v.XStep, 0);
  EXPECT_EQ(v.YStep, 0);
  EXPECT_EQ(Prompts().size(), 1u);  // the missing row of group 3
}

TEST_F(ChartScale, ARedrawFromTheCacheRepeatsNoMessage) {
  Lookup("Max. Cruise Speed", "999", "", false);
  EXPECT_TRUE(Prompts().empty());
  EXPECT_EQ(v.XMax, 100);
}

TEST_F(ChartScale, AZeroStepInTheTableIsReportedAndKeepsTheDefaultSpacing) {
  Lookup("Payload Range", "101", "");  // XScale 0
  EXPECT_EQ(v.XLabelEvery, 2);
  EXPECT_EQ(v.YLabelEvery, 2);
  EXPECT_EQ(errors(), 1);
  EXPECT_EQ(v.XMax, 3000);
}

TEST_F(ChartScale, ABarChartTakesOneUnitPerSeries) {
  Chart::NewChart(c, 0, 0, 0, 100, 100, true);
  v.ChartBarMode = 1;
  v.ChartTitle = "Take-off/Landing Distance";
  v.XAxisTitle = "Sea Level";
  Registry::RegSettings().Aircraft1 = "101";
  for (int s = 0; s < 4; ++s) {
    Chart::NewSeries(0, 0, 0, "", 0);
    Chart::AddPoint(1000, std::nullopt);
  }
  Chart::DrawChart();  // no ranges set: the scale table gives them
  EXPECT_EQ(v.XMax, 4);
  EXPECT_EQ(v.YMax, 3000);
  EXPECT_EQ(v.XLabelEvery, 1);
}

// A scale row whose maximum is 0 gives an axis from 0 to 0: the chart cannot be scaled. That is
// reported once through the common handler, and the chart is drawn empty, without a plot; a
// drawing of it from the cache (a pop-up taken away) does not report it again.
TEST_F(ChartScale, AZeroRangeFromTheTableIsReportedOnceAndDrawsAnEmptyChart) {
  scales.rows[{"3", "Block Fuel"}] = {0, 250, 500, 40000, 5000, 10000};
  scales.rows[{"3", "Block Time"}] = {3000, 250, 500, 0, 30, 60};
  for (const char* title : {"Block Fuel", "Block Time"}) {
    SCOPED_TRACE(title);
    const long before = errors();
    for (bool fromDatabase : {true, false}) {
      v.CurrentChartNumber = 1;
      v.ChartLabelsLoaded[1] = true;
      Chart::NewChart(c, 0, 0, 0, 100, 100, fromDatabase);
      v.ChartTitle = title;
      Registry::RegSettings().Aircraft1 = "101";
      Chart::NewSeries(0x0000FF, 0, 0, "", 0);
      Chart::AddPoint(100, 1000.0);
      Chart::DrawChart();
      EXPECT_EQ(errors(), before + 1) << fromDatabase;
      EXPECT_TRUE(v.XFactor == 0 || v.YFactor == 0);
    }
  }
  EXPECT_TRUE(Prompts().empty());
}

}  // namespace
