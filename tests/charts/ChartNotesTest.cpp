// Chart notes: which notes are stored for a pair, where they are drawn, how they are pushed
// apart, and the hover points of the bar charts.
#include <cmath>

#include "BuilderTestSupport.h"
#include "charts/Graph.h"

namespace {

using charttest::BuilderFixture;
using gdi::RecordingCanvas;
using gdi::TargetKind;

class ChartNotes : public BuilderFixture {
 protected:
  // The stored notes of a chart as text: text, plane, x, y, size, align.
  std::vector<std::string> Stored(int chart) const {
    std::vector<std::string> out;
    for (const Chart::ChartLabel& l : v.ChartLabels[chart]) {
      const std::string plane = l.Color == charttest::kRed    ? "P1"
                                : l.Color == charttest::kBlue ? "P2"
                                                              : std::to_string(l.Color);
      out.push_back(l.Text + " " + plane + " " + gdi::ShortNumber(l.X) + " " +
                    gdi::ShortNumber(l.Y) + " " + gdi::ShortNumber(l.Size) + " " + l.Align);
    }
    return out;
  }
  void Load(int chart, std::string key, long barMode = 0, double xMax = 0) {
    v.CurrentChartNumber = chart;
    v.ChartBarMode = barMode;
    v.XMin = 0;
    v.XMax = xMax;
    General::LookupChartLabels(key);
  }
};

TEST_F(ChartNotes, TheNotesOfTheChosenAndShownPlanesAreStored) {
  v.FitChartLabels = false;  // the table's order
  struct Case {
    const char* what;
    std::string ac1, ac2;
    bool show1, show2;
    std::vector<std::string> stored;
  };
  const std::vector<std::string> plane1 = {
      "Lower note P1 1000 3000 8 Left", "Upper note P1 1000 3050 8 Center",  // size 0 -> 1
      "Right note P1 1400 6000 16 Right", "I P1 600 4500 8 Left",            // align Null
      "Beyond P1 2900 5000 8 Left"};
  std::vector<std::string> both = plane1;
  both.push_back("Plane two note P2 2000 8000 8 Left");
  const Case cases[] = {
      {"both planes (999's note skipped)", "101", "102", true, true, both},
      {"plane 2 hidden", "101", "102", true, false, plane1},
      {"only plane 2 chosen",
       "",
       "101",
       true,
       true,
       {"Lower note P2 1000 3000 8 Left", "Upper note P2 1000 3050 8 Center",
        "Right note P2 1400 6000 16 Right", "I P2 600 4500 8 Left", "Beyond P2 2900 5000 8 Left"}},
      {"plane 1 hidden", "101", "102", false, true, {"Plane two note P2 2000 8000 8 Left"}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Pair(k.ac1, k.ac2, 1);
    CadFunctions::vars().ShowPlane1 = k.show1;
    CadFunctions::vars().ShowPlane2 = k.show2;
    v.ChartLabelsLoaded[1] = false;
    Load(1, "BlockFuel");
    EXPECT_EQ(Stored(1), k.stored);
    EXPECT_TRUE(v.ChartLabelsLoaded[1]);
  }
  EXPECT_EQ(errors(), 0);
}

TEST_F(ChartNotes, BarChartNotesStandInTheirPlanesHalfInBlack) {
  FixedWingPair();
  struct Case {
    int locale;
    double size;
  };
  for (const Case& k : {Case{409, 8}, Case{1031, 10}}) {
    SCOPED_TRACE(k.locale);
    Globals::vars().UserGeoLCIDNumber = k.locale;
    Load(9, "Landing", 1, 4);
    const std::string s = gdi::ShortNumber(k.size);
    EXPECT_EQ(Stored(9),
              (std::vector<std::string>{
                  "n/a 0 3.4 0 " + s + " Center", "2,300 0 2.4 2300 " + s + " Center",
                  "2,500 0 0.4 2500 " + s + " Center", "2,900 0 1.4 2900 " + s + " Center"}));
  }
}

TEST_F(ChartNotes, KeysCompareWithoutCaseAndWatNotesFollowTheCategory) {
  HelicopterPair();
  Load(10, "Landing5000ft", 1, 4);  // stored as "Landing5000Ft"
  EXPECT_EQ(v.ChartLabels[10].size(), 2u);
  struct Case {
    int wat;
    const char* key;
    const char* stored;
    const char* text;
  };
  for (const Case& k : {Case{1, "WATCorp", "WATACorp", "WAT A note"},
                        Case{2, "WATCorp", "WATCorp", "WAT B note"}}) {
    Globals::vars().WATChart = k.wat;
    std::string key = k.key;
    v.CurrentChartNumber = 15;
    General::LookupChartLabels(key);
    EXPECT_EQ(key, k.stored);
    ASSERT_EQ(v.ChartLabels[15].size(), 1u);
    EXPECT_EQ(v.ChartLabels[15][0].Text, k.text);
  }
}

TEST_F(ChartNotes, SortingKeepsTheOrderOfEqualHeights) {
  auto& labels = v.ChartLabels[3];
  for (auto [text, y] : {std::pair{"A", 5.0}, {"B", 3.0}, {"C", 5.0}, {"D", 3.0}, {"E", 1.0}})
    labels.push_back({0, 0, y, text, 8, "Left"});
  General::SortChartLabels(3);
  std::string order;
  for (const auto& l : labels) order += l.Text;
  EXPECT_EQ(order, "EBDAC");
}

// Notes drawn on a chart whose plot maps chart units 1:1 to caller units, on a picture 1000
// pixels wide (10 pixels per caller unit), y = 100 at the top.
class NotePlacement : public ChartNotes {
 protected:
  RecordingCanvas c{TargetKind::Picture, 1000, 1000};
  double h = 0, wPerChar = 0;  // text height and width of one character, caller units

  void SetUp() override {
    ChartNotes::SetUp();
    Chart::SetDefaults();
    Graph::InitGraphics(c, true, false);
    v.CurrentChartNumber = 1;
    v.ChartLeft = v.ChartTop = v.PlotX0 = v.PlotY0 = 0;
    v.PlotX1 = v.PlotY1 = 100;
    v.XMin = v.YMin = 0;
    v.XFactor = v.YFactor = 1;
    const Chart::ChartFont& f = v.AxisTitleFont;
    Graph::SetFont(f.FontName, f.Bold, f.Italic, f.Underline, false, 8, 0);
    h = Graph::TextHt("X");
    wPerChar = Graph::TextWd("XXXXXXXXXX") / 10;
    Graph::RemoveFont();
  }
  // The device y of the top of each drawn note, in drawing order.
  std::vector<double> Drawn(const std::vector<Chart::ChartLabel>& notes) {
    v.ChartLabels[1] = notes;
    c.forget();
    General::AddChartLabels(1);
    std::vector<double> ys;
    for (const auto& r : c.only(charttest::Op::Text)) ys.push_back(r.points[0].y);
    return ys;
  }
  static double Device(double chartY) { return (100 - chartY) * 10; }
};

TEST_F(NotePlacement, OverlappingNotesArePushedApartWhenFitting) {
  struct Case {
    const char* what;
    bool fit;
    Chart::ChartLabel upper;
    double expectedY;  // chart y of the upper note as drawn; NaN = where the table puts it
  };
  const Chart::ChartLabel lower{0, 10, 20, "Lower", 8, "Left"};
  auto at = [&](double x, const char* text, const char* align = "Left") {
    return Chart::ChartLabel{0, x, 20 + 0.2 * h, text, 8, align};
  };
  // Pushed, the upper note stands on the lower one: a whole text height above it.
  const double pushed = 20 + h, kept = 20 + 0.2 * h;
  const Case cases[] = {
      {"same x, fitting", true, at(10, "Upper"), pushed},
      {"same x, not fitting", false, at(10, "Upper"), kept},
      {"beside it", true, at(10 + 5 * wPerChar + 1, "Upper"), kept},
      {"starting inside it", true, at(10 + 5 * wPerChar - 1, "Upper"), pushed},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    v.FitChartLabels = k.fit;
    const std::vector<double> ys = Drawn({lower, k.upper});
    ASSERT_EQ(ys.size(), 2u);
    EXPECT_NEAR(ys[0], Device(20), 1);
    EXPECT_NEAR(ys[1], Device(k.expectedY), 1);
  }
}

TEST_F(NotePlacement, AnIHasNoWidthAndACentredNoteCoversItsMiddle) {
  v.FitChartLabels = true;
  // Above an "I" at 10 a note starting at 10.3 keeps its place; above a "W" it is pushed.
  const Chart::ChartLabel next{0, 10.3, 20 + 0.2 * h, "Next", 8, "Left"};
  EXPECT_NEAR(Drawn({{0, 10, 20, "I", 8, "Left"}, next})[1], Device(20 + 0.2 * h), 1);
  EXPECT_NEAR(Drawn({{0, 10, 20, "W", 8, "Left"}, next})[1], Device(20 + h), 1);

  // A centred note four units wide at x 10 covers 8 to 12.
  const std::string text = "ABCD";
  const Chart::ChartFont& f = v.AxisTitleFont;
  Graph::SetFont(f.FontName, f.Bold, f.Italic, f.Underline, false, 8, 0);
  const double width = Graph::TextWd(text);
  Graph::RemoveFont();
  v.XFactor = width / 4;  // the text is 4 chart units wide
  const Chart::ChartLabel centred{0, 10, 20, text, 8, "Center"};
  struct Case {
    double x;
    bool pushed;
  };
  // "ZZ" is two units wide: from 6.9 it reaches 8.9, into the centred note (its left edge is
  // not rounded down to 6 first). Pushed, its foot stands on the centred note's head, half a
  // text height above 20.
  for (const Case& k : {Case{11.9, true}, Case{12.5, false}, Case{7.5, true}, Case{6.9, true},
                        Case{5.9, false}}) {
    SCOPED_TRACE(k.x);
    const double y = Drawn({centred, {0, k.x, 20 + 0.2 * h, "ZZ", 8, "Left"}})[1];
    EXPECT_NEAR(y, Device(k.pushed ? 20 + 1.5 * h : 20 + 0.2 * h), 1);
  }
  // Drawn centred on 10.
  Drawn({centred});
  const auto texts = c.only(charttest::Op::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_NEAR(texts[0].points[0].x, (10 * v.XFactor - width / 2) * 10, 1);
}

TEST_F(ChartNotes, BarChartHoverPointsComeFromTheNotes) {
  v.CurrentChartNumber = 9;
  Chart::SeriesCache& cache = v.ChartSeriesCache;
  cache.SetPoint(9, 1, 1, {0, 777});
  cache.Touch(9, 1).PointCount = 1;
  cache.Touch(9, 2).PointCount = 1;
  cache.SetSeriesCount(9, 2);
  v.ChartLabels[9] = {{0, 0.5, 100, "a", 8, "Center"},
                      {0, 0.9, 150, "b", 8, "Center"},
                      {0, 3.5, 300, "c", 8, "Center"}};
  General::AddPopupPointsFromLabels();
  EXPECT_EQ(cache.PointCount(9, 1), 2);
  EXPECT_EQ(cache.Point(9, 1, 1).Y, 100);
  EXPECT_EQ(cache.Point(9, 1, 2).Y, 150);
  EXPECT_EQ(cache.Point(9, 1, 2).X, 0);
  EXPECT_EQ(cache.PointCount(9, 2), 0);  // the cached bar is dropped
  EXPECT_EQ(cache.PointCount(9, 4), 1);
  EXPECT_EQ(cache.Series(9, 4)->Color, 0u);
  EXPECT_EQ(cache.SeriesCount(9), 4);  // so that the note over slot 4 can be hovered
}

TEST_F(ChartNotes, TheLandingChartsHoverPointsAfterABuild) {
  FixedWingPair();
  Build(9);
  const Chart::SeriesCache& cache = v.ChartSeriesCache;
  EXPECT_EQ(cache.PointCount(9, 1), 1);
  EXPECT_EQ(cache.Point(9, 1, 1).Y, 2500);
  EXPECT_EQ(cache.Point(9, 3, 1).Y, 2300);
  EXPECT_EQ(cache.Point(9, 4, 1).Y, 0);
  EXPECT_EQ(cache.SeriesCount(9), 4);
}

}  // namespace
