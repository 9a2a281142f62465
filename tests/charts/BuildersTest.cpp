// The sixteen builders against the test aircraft database: the series each one reads for each
// class of pair, the plane test, the legend names, and the redraw from the cache.
#include <algorithm>

#include "BuilderTestSupport.h"

namespace {

using charttest::BuilderFixture;
using gdi::RecordingCanvas;
using gdi::TargetKind;

class Builders : public BuilderFixture {};

bool Has(const std::vector<std::string>& lines, const std::string& part) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

TEST_F(Builders, EachBuilderReadsItsSeriesForEachClass) {
  struct Case {
    const char* what;
    bool helicopters;
    int watChart;
    int chart;
    std::vector<std::string> series;
  };
  const Case cases[] = {
      {"block fuel",
       false,
       2,
       1,
       {"P1 0 0 \"Long Range - Solid\" 4", "P1 1 0 \"Max Cr. - Dashed\" 4", "P2 0 0 \"\" 4",
        "P2 1 0 \"\" 4"}},
      // 102's last block time is Null: left out.
      {"block time",
       false,
       2,
       2,
       {"P1 0 0 \"Long Range - Solid\" 4", "P1 1 0 \"Max Cr. - Dashed\" 4", "P2 0 0 \"\" 3",
        "P2 1 0 \"\" 4"}},
      // 101's third line ends a row early (Null).
      {"balanced field length",
       false,
       2,
       3,
       {"P1 0 0 \"Sea Level - Solid\" 4", "P1 1 0 \"5000 ft - Dashed\" 4",
        "P1 2 0 \"Take-Off Distance - Dotted|(Turboprop & Piston Only)\" 3", "P2 0 0 \"\" 3",
        "P2 1 0 \"\" 3", "P2 2 0 \"\" 3"}},
      {"cruise speed", false, 2, 8, {"P1 0 0 \"\" 5", "P2 0 0 \"\" 5"}},
      // Bars: A hatched (3), B solid; Plane 1's B dotted; 102's Null weight is a bar of 0.
      {"landing",
       false,
       2,
       9,
       {"P1 0 3 \"Passenger Wt. \" 1", "P1 2 0 \"Max Wt.\" 1", "P2 0 3 \"\" 1", "P2 0 0 \"\" 1"}},
      {"operating speed", false, 2, 12, {"P1 0 0 \"\" 5"}},
      // 101: 22 -> 2 gets the five levels; 102 falls through 8 twice; 101's MLW line.
      {"payload", false, 2, 13, {"P1 0 0 \"\" 8", "P1 0 0 \"\" 2", "P2 0 0 \"\" 6"}},
      {"takeoff elevation", false, 2, 14, {"P1 0 0 \"\" 2", "P1 0 0 \"\" 2", "P2 0 0 \"\" 2"}},
      // 202 has no block rows: its series stay, empty, with no names (helicopters).
      {"heli block fuel",
       true,
       2,
       1,
       {"P1 0 0 \"\" 3", "P1 1 0 \"\" 3", "P2 0 0 \"\" 0", "P2 1 0 \"\" 0"}},
      {"heli block time",
       true,
       2,
       2,
       {"P1 0 0 \"\" 3", "P1 1 0 \"\" 3", "P2 0 0 \"\" 0", "P2 1 0 \"\" 0"}},
      // Groups 1, 2 and 5 in that order; group 21 never.
      {"heli ceiling corporate",
       true,
       2,
       4,
       {"P1 0 0 \"\" 2", "P1 0 0 \"\" 2", "P1 0 0 \"\" 2", "P2 0 0 \"\" 2"}},
      {"heli height velocity", true, 2, 5, {"P1 0 0 \"\" 3", "P1 0 0 \"\" 3"}},
      {"heli ceiling utility", true, 2, 6, {"P1 0 0 \"\" 2", "P2 0 0 \"\" 2"}},
      // Vne then Vh for 201; 202 has no Vh rows.
      {"heli vne", true, 2, 7, {"P1 0 0 \"\" 3", "P1 0 0 \"\" 3", "P2 0 0 \"\" 2"}},
      // 202 has no rows at all: bars of 0.
      {"heli landing 5000 ft",
       true,
       2,
       10,
       {"P1 0 3 \"Landing\" 1", "P1 2 0 \"Take-off\" 1", "P2 0 3 \"\" 1", "P2 0 0 \"\" 1"}},
      {"heli landing sea level",
       true,
       2,
       11,
       {"P1 0 3 \"Landing\" 1", "P1 2 0 \"Take-off\" 1", "P2 0 3 \"\" 1", "P2 0 0 \"\" 1"}},
      {"heli payload", true, 2, 13, {"P1 0 0 \"\" 3"}},
      {"heli WAT B corporate", true, 2, 15, {"P1 0 0 \"\" 2"}},
      {"heli WAT A corporate", true, 1, 15, {"P1 0 0 \"\" 2", "P1 0 0 \"\" 2", "P2 0 0 \"\" 2"}},
      {"heli WAT A utility", true, 1, 16, {"P1 0 0 \"\" 2"}},
      {"heli WAT B utility", true, 2, 16, {}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    if (k.helicopters)
      HelicopterPair();
    else
      FixedWingPair();
    Globals::vars().WATChart = k.watChart;
    Build(k.chart);
    EXPECT_EQ(v.CurrentChartNumber, k.chart);
    EXPECT_EQ(Series(), k.series);
  }
}

TEST_F(Builders, PointsComeInDisplayOrderWithTheirValues) {
  HelicopterPair();
  Build(4);  // group 1 of 201 at display orders 1 and 4
  EXPECT_EQ(Points(1), (std::vector<std::pair<float, float>>{{0, 20000}, {500, 14000}}));
  EXPECT_EQ(Points(3), (std::vector<std::pair<float, float>>{{0, 12000}, {500, 8000}}));
  Build(2);  // "1:20" and "2.5" (hours without a colon)
  ASSERT_EQ(Points(1).size(), 3u);
  EXPECT_FLOAT_EQ(Points(1)[1].second, 1 + 20 / 60.0f);
  EXPECT_FLOAT_EQ(Points(1)[2].second, 2.5f);
  Build(7);  // Vne rows, then Vh rows, of the same colour and style
  EXPECT_EQ(Points(1),
            (std::vector<std::pair<float, float>>{{150, 0}, {130, 10000}, {100, 20000}}));
  EXPECT_EQ(Points(2),
            (std::vector<std::pair<float, float>>{{140, 0}, {125, 10000}, {105, 18000}}));
  Build(11);  // the first matching row is the bar
  EXPECT_EQ(Points(1), (std::vector<std::pair<float, float>>{{0, 1700}}));
  FixedWingPair();
  Build(9);  // only 101's first row counts
  EXPECT_EQ(Points(1), (std::vector<std::pair<float, float>>{{0, 2500}}));
  EXPECT_EQ(Points(4), (std::vector<std::pair<float, float>>{{0, 0}}));
}

TEST_F(Builders, TitlesAndAxisKindsFollowTheChartAndTheClass) {
  FixedWingPair();
  const std::vector<std::string> payload = Build(13);
  EXPECT_TRUE(Has(payload, "\"Payload (Passengers at 200lbs)\""));
  EXPECT_TRUE(Has(payload, "\"1000 lbs\""));  // weights right of the plot
  EXPECT_TRUE(v.ChartPayloadUnits);
  const std::vector<std::string> cruise = Build(8);
  EXPECT_TRUE(Has(cruise, "\"Altitude (ft.)\""));
  EXPECT_FALSE(Has(cruise, "Alititude"));
  EXPECT_TRUE(Has(cruise, "\"M=\""));
  EXPECT_DOUBLE_EQ(v.TitleSpacing, 1.85 * 1.5);
  EXPECT_EQ(v.YMin, 0);
  EXPECT_GE(v.YMax, 40000);
  EXPECT_TRUE(Has(Build(2), "\"1:00\""));  // time axis
  EXPECT_TRUE(v.ChartTimeAxis);

  HelicopterPair();
  const std::vector<std::string> heli = Build(13);
  EXPECT_TRUE(Has(heli, "\"Payload - Lbs\""));
  EXPECT_FALSE(v.ChartPayloadUnits);
  EXPECT_TRUE(Has(Build(10), "\"5000 Ft. Pressure Altitude\""));
  EXPECT_EQ(v.ChartBarMode, 1);
  EXPECT_EQ(v.XMax, 4);  // one unit per bar slot
}

TEST_F(Builders, WithNoAircraftAChartStillHasItsTitlesAndQualifier) {
  Globals::vars().AircraftClass = 1;
  CadFunctions::vars().ShowPlane1 = CadFunctions::vars().ShowPlane2 = true;
  for (int chart : {1, 8, 2}) {
    SCOPED_TRACE(chart);
    const std::vector<std::string> lines = Build(chart);
    EXPECT_EQ(v.ChartSeriesCount, 0);
    EXPECT_TRUE(Has(lines, "\"Range (N. Mi.)\"") || Has(lines, "\"True Air Speed (KTAS)\""));
  }
  EXPECT_FALSE(v.ChartTimeAxis);         // block time with no series keeps the number axis
  EXPECT_TRUE(Has(Build(8), "\"M=\""));  // the Mach lines even without a plane
  EXPECT_EQ(ChartBuilders::QualifierCaption("lblBlockFuel"), "Block fuel qualifier");
  EXPECT_EQ(ChartBuilders::QualifierCaption("lblCruiseSpeed"), "Cruise speed qualifier");
  EXPECT_EQ(errors(), 0);
}

TEST_F(Builders, LegendNamesStandOnTheFirstPlaneThatTakesPart) {
  struct Case {
    const char* what;
    std::string ac1;
    bool show1;
    int chart;
    std::vector<std::string> series;
  };
  const Case cases[] = {
      // Plane 1 not chosen (its show flag still on) or hidden: the names go to Plane 2.
      {"block fuel, only plane 2",
       "",
       true,
       1,
       {"P2 0 0 \"Long Range - Solid\" 4", "P2 1 0 \"Max Cr. - Dashed\" 4"}},
      {"block fuel, plane 1 hidden",
       "101",
       false,
       1,
       {"P2 0 0 \"Long Range - Solid\" 4", "P2 1 0 \"Max Cr. - Dashed\" 4"}},
      {"field length, only plane 2",
       "",
       true,
       3,
       {"P2 0 0 \"Sea Level - Solid\" 3", "P2 1 0 \"5000 ft - Dashed\" 3",
        "P2 2 0 \"Take-Off Distance - Dotted\" 3"}},
      // Plane 1's placeholders keep slots 1 and 2.
      {"landing, only plane 2",
       "",
       true,
       9,
       {"P1 0 5 \"\" 0", "P1 2 0 \"\" 0", "P2 0 3 \"4 Pass.\" 1", "P2 0 0 \"Max Wt.\" 1"}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Pair(k.ac1, "102", 1);
    CadFunctions::vars().ShowPlane1 = k.show1;
    Build(k.chart);
    EXPECT_EQ(Series(), k.series);
  }
  // Plane 1 hidden on a bar chart: placeholders in its colour, no names on them.
  Pair("101", "", 1);
  Build(9);
  EXPECT_EQ(Series(),
            (std::vector<std::string>{"P1 0 3 \"Passenger Wt. \" 1", "P1 2 0 \"Max Wt.\" 1",
                                      "P2 0 5 \"\" 0", "P2 0 5 \"\" 0"}));
  Pair("201", "", 2);
  Build(11);
  EXPECT_EQ(Series()[2], "P2 0 5 \"\" 0");
  Pair("", "201", 2);
  Build(11);
  EXPECT_EQ(Series()[0], "P1 0 3 \"\" 0");
  EXPECT_EQ(Series()[1], "P1 2 0 \"\" 0");
}

TEST_F(Builders, APrintedFieldLengthChartCarriesNoLegendNames) {
  Pair("101", "", 1);
  Build(3, TargetKind::Printer);
  for (int s = 1; s <= v.ChartSeriesCount; ++s) EXPECT_EQ(v.SeriesName[s], "") << s;
  Build(3, TargetKind::Picture);
  EXPECT_EQ(v.SeriesName[3], "Take-Off Distance - Dotted|(Turboprop & Piston Only)");
}

TEST_F(Builders, FromTheCacheAChartDrawsTheSameWithoutTheDatabase) {
  struct Case {
    bool helicopters;
    int chart;
  };
  const Case cases[] = {{false, 1},  {false, 2},  {false, 3}, {false, 8}, {false, 12},
                        {false, 13}, {false, 14}, {true, 1},  {true, 4},  {true, 5},
                        {true, 6},   {true, 7},   {true, 13}};
  charttest::RememberedScales scales;
  v.Scales = &scales;
  const std::string database = DBase::vars().DBPath;
  int round = 0;
  for (const Case& k : cases) {
    SCOPED_TRACE(k.chart);
    if (k.helicopters)
      HelicopterPair();
    else
      FixedWingPair();
    DBase::vars().DBPath = database;
    RecordingCanvas first(TargetKind::Picture, 640, 480);
    long before = errors();
    ChartBuilders::BuildChart(k.chart, first, true);
    // What every drawing reports (a scale row with a grid step of 0), database or not.
    const long own = errors() - before;
    const std::vector<std::string> series = Series();
    before = errors();
    // Without a database any read would be reported.
    DBase::vars().DBPath = (dir / "gone.mdb").string();
    RecordingCanvas second(TargetKind::Picture, 640, 480);
    // false, Empty and Null all mean "from the cache".
    vb::Variant flag = round % 3 == 0   ? vb::Variant(false)
                       : round % 3 == 1 ? vb::Variant()
                                        : vb::Variant::Null();
    ++round;
    ChartBuilders::BuildChart(k.chart, second, flag, 0, 0, 100, 100);
    EXPECT_EQ(errors() - before, own);
    EXPECT_EQ(Series(), series);
    EXPECT_EQ(WithoutClear(second.lines()), WithoutClear(first.lines()));
  }
  v.Scales = nullptr;
}

TEST_F(Builders, BarChartsAlwaysReadTheDatabaseAndSayTrueBack) {
  FixedWingPair();
  Build(9);
  vb::Variant flag(false);
  RecordingCanvas c(TargetKind::Picture, 640, 480);
  DBase::vars().DBPath = (dir / "gone.mdb").string();
  const long before = errors();
  ChartBuilders::BuildChart(9, c, flag, 0, 0, 100, 100);
  EXPECT_EQ(flag, vb::Variant(true));
  EXPECT_GT(errors(), before);  // it went to the (now missing) database
}

TEST_F(Builders, ThePayloadCacheKeepsTheInsertedPoints) {
  FixedWingPair();
  Build(13);
  const long inserted = v.ChartPointCount[1];
  EXPECT_EQ(inserted, 8);
  RecordingCanvas c(TargetKind::Picture, 640, 480);
  ChartBuilders::BuildChart(13, c, false);
  EXPECT_EQ(v.ChartPointCount[1], inserted);
  EXPECT_EQ(v.ChartSeriesCache.PointCount(13, 1), inserted);
}

TEST_F(Builders, TheQualifierIsReadWhileTheNotesAreNotLoaded) {
  FixedWingPair();
  Build(1);
  Build(1);
  EXPECT_EQ(
      captions,
      (std::vector<std::pair<std::string, std::string>>{{"lblBlockFuel", "Block fuel qualifier"}}));
  v.ChartLabelsLoaded[1] = false;  // a new choice of aircraft
  Build(1);
  EXPECT_EQ(captions.size(), 2u);
  // No row for the graph: an empty qualifier.
  Build(2);
  EXPECT_EQ(ChartBuilders::QualifierCaption("lblBlockTime"), "");
  // Keys by class: the helicopter payload key, one key for both helicopter landing charts.
  HelicopterPair();
  for (int chart = 1; chart <= 16; ++chart) v.ChartLabelsLoaded[chart] = false;
  Build(13);
  EXPECT_EQ(ChartBuilders::QualifierCaption("lblPayload"), "Helicopter payload qualifier");
  Build(11);
  EXPECT_EQ(ChartBuilders::QualifierCaption("lblTakeoffElevation"), "Helicopter landing qualifier");
  Build(10);
  EXPECT_EQ(ChartBuilders::QualifierCaption("lblLanding"), "Helicopter landing qualifier");
  Build(1);
  EXPECT_EQ(ChartBuilders::QualifierCaption("lblBlockFuel"), "Helicopter block fuel qualifier");
  EXPECT_EQ(ChartBuilders::QualifierLabel(14), "lblTakeoffElevation");
  EXPECT_EQ(ChartBuilders::QualifierLabel(17), "");
}

TEST_F(Builders, WatChartsReadTheirNotesOnEveryCallAndTheQualifierAfterAClear) {
  HelicopterPair();
  Globals::vars().WATChart = 1;
  RecordingCanvas a(TargetKind::Picture, 640, 480);
  ChartBuilders::BuildChart(15, a, true);
  EXPECT_TRUE(Has(a.lines(), "\"WAT A note\""));
  EXPECT_EQ(ChartBuilders::QualifierCaption("lblWATCorp"), "WAT corporate qualifier");
  const size_t reads = captions.size();
  Globals::vars().WATChart = 2;  // no clearing of the loaded flag
  RecordingCanvas b(TargetKind::Picture, 640, 480);
  ChartBuilders::BuildChart(15, b, true);
  EXPECT_TRUE(Has(b.lines(), "\"WAT B note\""));
  EXPECT_FALSE(Has(b.lines(), "\"WAT A note\""));
  EXPECT_EQ(captions.size(), reads);  // the qualifier was not read again
  v.ChartLabelsLoaded[15] = false;
  Build(15);
  EXPECT_EQ(captions.size(), reads + 1);
}

TEST_F(Builders, OnAPrintedPageTheNotesAreThoseOfTheChartDrawn) {
  // The helicopter sea-level landing chart on a page of a fixed-wing pair's printout used to
  // take the notes of the picture's fixed-wing chart; now the chart drawn decides.
  HelicopterPair();
  RecordingCanvas page(TargetKind::Printer, 2000, 2600);
  vb::Variant flag(true);
  ChartBuilders::BuildChart(10, page, flag, 10, 93, 35, 21);
  EXPECT_TRUE(Has(page.lines(), "\"2,250\""));
  EXPECT_TRUE(Has(page.lines(), "\"2,900\""));
  EXPECT_FALSE(Has(page.lines(), "\"Assumptions\""));
}

TEST_F(Builders, ABuilderEntryPointOutsideTheChartsDrawsNothing) {
  FixedWingPair();
  RecordingCanvas c(TargetKind::Picture, 640, 480);
  ChartBuilders::BuildChart(0, c, true);
  ChartBuilders::BuildChart(17, c, true);
  EXPECT_TRUE(c.records().empty());
  EXPECT_EQ(General::BuilderFor(0), nullptr);
  EXPECT_EQ(General::BuilderFor(16), &General::ChartWATUtil);
}

TEST_F(Builders, AMissingColumnIsReportedOnceAndReadsNothing) {
  FixedWingPair();
  RecordingCanvas c(TargetKind::Picture, 640, 480);
  v.CurrentChartNumber = 14;
  Chart::NewChart(c, 0, 0, 0, 100, 100, true);
  General::LookupDataLines("ACDPMTE", 1, 0, "", "MTER", "NoSuchColumn", "GroupID", "", "", "", "");
  EXPECT_EQ(errors(), 1);
  EXPECT_EQ(v.ChartSeriesCount, 0);
  EXPECT_NE(testsupport::ReadText(dir / "ERROR.LOG").find("[General:LookupDataLines]"),
            std::string::npos);
  // A named first group gets its name on a fixed-wing pair only.
  General::LookupDataLines("ACDPMTE", 1, 1, "Named", "MTER", "MTEE", "GroupID", "", "", "", "");
  EXPECT_EQ(Series(), (std::vector<std::string>{"P1 1 0 \"Named\" 2", "P1 1 0 \"\" 2"}));
}

TEST_F(Builders, KeysFromTheProgramAreBoundNotJoinedIntoTheStatement) {
  FixedWingPair();
  General::UpdateQualifier("BlockFuel' OR '1'='1", "lblBlockFuel");
  EXPECT_EQ(errors(), 0);
  EXPECT_EQ(ChartBuilders::QualifierCaption("lblBlockFuel"), "");
  std::string key = "x' OR GRAPH <> '";
  v.CurrentChartNumber = 1;
  General::LookupChartLabels(key);
  EXPECT_EQ(errors(), 0);
  EXPECT_TRUE(v.ChartLabels[1].empty());
}

TEST_F(Builders, AMissingDatabaseIsReportedAndTheChartStillDrawn) {
  FixedWingPair();
  DBase::vars().DBPath = (dir / "gone.mdb").string();
  const std::vector<std::string> lines = Build(1);
  EXPECT_GT(errors(), 0);
  EXPECT_TRUE(Has(lines, "\"Block Fuel\""));
  EXPECT_EQ(Series(), (std::vector<std::string>{"P1 0 0 \"Long Range - Solid\" 0",
                                                "P1 1 0 \"Max Cr. - Dashed\" 0", "P2 0 0 \"\" 0",
                                                "P2 1 0 \"\" 0"}));
}

}  // namespace
