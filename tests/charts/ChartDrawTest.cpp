#include <algorithm>

#include "ChartTestSupport.h"

namespace {

using charttest::ChartFixture;
using charttest::Op;
using gdi::RecordingCanvas;
using gdi::TargetKind;

class ChartDraw : public ChartFixture {
 protected:
  Chart::Vars& v = Chart::vars();

  // A line chart on the target with the builder's ranges and one series through `points`.
  void Build(RecordingCanvas& c, std::vector<std::pair<double, double>> points, double xMax = 1000,
             double xStep = 100, double yMax = 100, double yStep = 10) {
    Chart::NewChart(c, 0, 0, 0, 100, 100, true);
    v.ChartTitle = "T";
    v.XAxisTitle = "X";
    v.YAxisTitle = "Y";
    v.XMax = xMax;
    v.XStep = xStep;
    v.YMax = yMax;
    v.YStep = yStep;
    Chart::NewSeries(0x0000FF, 0, 0, "Plane 1", 0);
    for (auto [x, y] : points) Chart::AddPoint(x, y);
  }

  static std::vector<std::string> Texts(const RecordingCanvas& c) {
    std::vector<std::string> out;
    for (const auto& r : c.only(Op::Text)) out.push_back(r.text);
    return out;
  }
  static bool HasText(const RecordingCanvas& c, const std::string& t) {
    auto texts = Texts(c);
    return std::find(texts.begin(), texts.end(), t) != texts.end();
  }
  static void ExpectFinite(const RecordingCanvas& c) {
    for (const auto& r : c.records())
      for (const auto& p : r.points) {
        EXPECT_TRUE(std::isfinite(p.x));
        EXPECT_TRUE(std::isfinite(p.y));
      }
  }
};

TEST_F(ChartDraw, PenWidthsByTarget) {
  struct Case {
    TargetKind kind;
    double axis;
    int axisPx, seriesPx;
  };
  const Case cases[] = {{TargetKind::Picture, 1.5, 2, 3}, {TargetKind::Printer, 3.5, 4, 7}};
  for (const Case& k : cases) {
    RecordingCanvas c(k.kind, 400, 300);
    Build(c, {{100, 10}, {200, 20}});
    EXPECT_EQ(v.AxisPenWidth, k.axis);
    EXPECT_EQ(v.SeriesPenWidth, 2 * k.axis);
    c.forget();
    Chart::DrawChart();
    bool axis = false, series = false;
    for (const auto& r : c.only(Op::Line)) {
      if (r.state.pen.color == 0xC0C0C0) axis = axis || r.state.pen.width == k.axisPx;
      if (r.state.pen.color == 0x0000FF) {
        EXPECT_EQ(r.state.pen.width, k.seriesPx);
        series = true;
      }
    }
    EXPECT_TRUE(axis);
    EXPECT_TRUE(series);
  }
}

TEST_F(ChartDraw, BordersComeFromTheTextSizes) {
  RecordingCanvas c(TargetKind::Picture, 400, 300);  // 8 pt: cell 14 = 3.5 units; 10 pt: 4.5
  v.FitChartLabels = false;
  Build(c, {{100, 10}, {200, 20}});
  Chart::DrawChart();
  EXPECT_DOUBLE_EQ(v.LeftBorder, 1.75 * 3.5 + 1.125 * 5.75);  // widest tick label "100"
  EXPECT_DOUBLE_EQ(v.RightBorder, 19.25 + 3.5 + 3.5);         // "Plane 1 - " and its box
  EXPECT_DOUBLE_EQ(v.TopBorder, 1.85 * 4.5);
  EXPECT_DOUBLE_EQ(v.BottomBorder, 1.25 * 3.5 + 1.125 * 3.5);
  EXPECT_DOUBLE_EQ(v.XFactor, (100 - v.LeftBorder - v.RightBorder) / 1000);
  EXPECT_DOUBLE_EQ(v.YFactor, (75 - v.TopBorder - v.BottomBorder) / 100);
  EXPECT_DOUBLE_EQ(v.PlotX1, v.LeftBorder + 1000 * v.XFactor);
  // An empty title still reserves its band.
  Build(c, {{100, 10}, {200, 20}});
  v.ChartTitle = "";
  Chart::DrawChart();
  EXPECT_DOUBLE_EQ(v.TopBorder, 1.85 * 0.01 * 100);
}

TEST_F(ChartDraw, RangesTrimTowardsTheDataWhileTheNotesFit) {
  struct Case {
    const char* what;
    double minData, maxData;
    bool fit;
    std::vector<Chart::ChartLabel> notes;
    double xMin, xMax;
  };
  const std::vector<Case> cases = {
      {"trimmed", 120, 380, true, {}, 100, 400},
      {"fit off", 120, 380, false, {}, 0, 1000},
      {"a note left of the data keeps its step", 120, 380, true, {{0, 50, 50, "n"}}, 0, 400},
      {"a note right of the data keeps its step", 120, 380, true, {{0, 420, 50, "n"}}, 100, 500},
      {"the span keeps a label spacing", 950, 990, true, {}, 800, 1000},
      {"data beyond XMax never push XMin past it", 1200, 1300, true, {}, 800, 1000},
  };
  for (const Case& k : cases) {
    RecordingCanvas c(TargetKind::Picture, 400, 300);
    v.CurrentChartNumber = 1;
    v.FitChartLabels = k.fit;
    v.ChartLabels[1] = k.notes;
    v.ChartLabelsLoaded[1] = true;
    Build(c, {{k.minData, 50}, {k.maxData, 60}});
    Chart::DrawChart();
    EXPECT_EQ(v.XMin, k.xMin) << k.what;
    EXPECT_EQ(v.XMax, k.xMax) << k.what;
    EXPECT_GT(v.XFactor, 0) << k.what;
    EXPECT_FALSE(c.only(Op::Line).empty()) << k.what;  // drawn with its grid
  }
  EXPECT_EQ(errors(), 0);
}

TEST_F(ChartDraw, SpeedChartsRunFromTheGroundToFortyThousandFeet) {
  for (int chart : {8, 12}) {
    RecordingCanvas c(TargetKind::Picture, 400, 300);
    v.CurrentChartNumber = chart;
    v.ChartLabelsLoaded[chart] = true;
    Build(c, {{400, 20000}, {500, 30000}}, 600, 50, 50000, 5000);
    v.YMin = 0;
    Chart::DrawChart();
    EXPECT_LE(v.XMin, 574 * 0.55) << chart;  // the Mach .55 speed stays on the axis
    EXPECT_EQ(v.YMin, 0);
    EXPECT_GE(v.YMax, 40000);
  }
}

TEST_F(ChartDraw, TickLabelsAndTheTimeAxis) {
  struct Case {
    double value;
    bool time;
    const char* text;
  };
  const Case cases[] = {{0, true, "0:00"},     {2.5, true, "2:30"}, {1.25, true, "1:15"},
                        {5, true, "5:00"},     {0.1, true, "0:06"}, {2.9999999, true, "3:00"},
                        {1000, false, "1000"}, {0.5, false, ".5"},  {1.23456, false, "1.2346"},
                        {-2.5, false, "-2.5"}, {0, false, "0"}};
  for (const Case& k : cases) EXPECT_EQ(Chart::TickLabel(k.value, k.time), k.text) << k.value;
}

TEST_F(ChartDraw, GridLinesAreCountedByIndex) {
  RecordingCanvas c(TargetKind::Printer, 400, 300);
  v.FitChartLabels = false;
  Build(c, {{0.1, 1}, {0.2, 2}}, 0.3, 0.1, 3, 1);
  v.XLabelEvery = 1;
  Chart::DrawChart();
  // 0, .1, .2, .3 and the right edge: the last line survives 3 x .1 > .3.
  int verticals = 0;
  for (const auto& r : c.only(Op::Line))
    if (r.state.pen.color == 0xC0C0C0 && r.points[0].x == r.points[1].x &&
        r.points[0].y != r.points[1].y)
      ++verticals;
  EXPECT_GE(verticals, 1 + 5);  // left axis, 4 grid lines, right edge, (plus tick lines)
  auto texts = Texts(c);
  EXPECT_NE(std::find(texts.begin(), texts.end(), ".3"), texts.end());
}

TEST_F(ChartDraw, AZeroRangeDrawsNoGridAndNoNonsense) {
  RecordingCanvas c(TargetKind::Picture, 400, 300);
  Build(c, {{5, 5}, {5, 6}}, 0, 100, 100, 10);
  v.XMin = 0;  // XMax = XMin = 0 but YMax set: the scale table is not asked
  Chart::DrawChart();
  EXPECT_EQ(v.LeftBorder, 0);
  EXPECT_EQ(v.XFactor, 0);
  EXPECT_FALSE(HasText(c, "0"));  // no tick labels: no grid was drawn
  ExpectFinite(c);
  EXPECT_EQ(errors(), 1);  // the division by the zero range, reported once
}

TEST_F(ChartDraw, AStepOfZeroLeavesOutThatAxisGridAndLabels) {
  RecordingCanvas c(TargetKind::Picture, 400, 300);
  Build(c, {{100, 10}, {200, 20}}, 1000, 0, 100, 10);
  Chart::DrawChart();
  EXPECT_FALSE(HasText(c, "1000"));
  EXPECT_TRUE(HasText(c, "20"));  // Y keeps its labels (trimmed to 0-30)
  EXPECT_EQ(v.XMin, 0);           // and X is not trimmed
  EXPECT_EQ(v.XMax, 1000);
}

TEST_F(ChartDraw, ScreenOnlyPartsStayOffThePrinter) {
  struct Case {
    TargetKind kind;
    bool background, assumptions, hover;
  };
  const Case cases[] = {{TargetKind::Picture, true, true, true},
                        {TargetKind::Form, true, false, false},
                        {TargetKind::Printer, false, false, false},
                        {TargetKind::DrawingControl, false, false, false}};
  for (const Case& k : cases) {
    Chart::resetForTest();
    RecordingCanvas c(k.kind, 400, 300);
    v.CurrentChartNumber = 6;
    Build(c, {{100, 10}, {200, 20}});
    Chart::DrawChart();
    auto rects = c.only(Op::Rect);
    const bool white = !rects.empty() && rects[0].state.brush.style == gdi::Brush::Style::Solid &&
                       rects[0].state.brush.color == 0xFFFFFF;
    EXPECT_EQ(white, k.background) << static_cast<int>(k.kind);
    EXPECT_EQ(HasText(c, "Assumptions"), k.assumptions) << static_cast<int>(k.kind);
    EXPECT_EQ(v.ChartHoverGeometry[6].XFactor != 0, k.hover) << static_cast<int>(k.kind);
  }
}

TEST_F(ChartDraw, PrintingKeepsTheScreenHoverGeometry) {
  RecordingCanvas screen(TargetKind::Picture, 400, 300);
  v.CurrentChartNumber = 6;
  Build(screen, {{100, 10}, {200, 20}});
  Chart::DrawChart();
  const Chart::HoverGeometry before = v.ChartHoverGeometry[6];
  RecordingCanvas printer(TargetKind::Printer, 5100, 6600, 600);
  Chart::NewChart(printer, 0, 10, 10, 80, 30, true);
  v.XMax = 500;
  v.YMax = 50;
  Chart::DrawChart();
  EXPECT_EQ(v.ChartHoverGeometry[6].XFactor, before.XFactor);
  EXPECT_EQ(v.ChartHoverGeometry[6].ChartTop, before.ChartTop);
}

TEST_F(ChartDraw, NotesAreLoadedOnceThroughTheNotesModule) {
  int loads = 0;
  std::string asked;
  v.LookupChartLabels = [&](std::string& key) {
    ++loads;
    asked = key;
    v.ChartLabelsLoaded[v.CurrentChartNumber] = true;
  };
  v.CurrentChartNumber = 13;
  RecordingCanvas c(TargetKind::Picture, 400, 300);
  for (int i = 0; i < 3; ++i) {
    Build(c, {{100, 10}});
    Chart::DrawChart();
  }
  EXPECT_EQ(loads, 1);
  EXPECT_EQ(asked, "Payload");
}

TEST_F(ChartDraw, AnInsetChartIsFramedAndPayloadWeightsStandRightOfThePlot) {
  RecordingCanvas c(TargetKind::Picture, 400, 300);
  Chart::NewChart(c, 0, 10, 10, 80, 50, true);
  v.XMax = 1000;
  v.XStep = 100;
  v.YMax = 12;
  v.YStep = 1;
  v.ChartPayloadUnits = true;
  Chart::NewSeries(0x0000FF, 0, 0, "Plane 1", 0);
  Chart::AddPoint(100, 10.0);
  Chart::DrawChart();
  EXPECT_TRUE(HasText(c, "1000 lbs"));
  EXPECT_TRUE(HasText(c, "2000 lbs"));
  EXPECT_FALSE(HasText(c, "3000 lbs"));
  bool frame = false;
  for (const auto& r : c.only(Op::Rect))
    frame = frame || (r.state.pen.width == 2 && r.state.pen.color == 0 &&
                      r.state.brush.style == gdi::Brush::Style::Hollow);
  EXPECT_TRUE(frame);
}

}  // namespace
