#include <algorithm>

#include "ChartTestSupport.h"

namespace {

using charttest::ChartFixture;
using charttest::Op;
using gdi::RecordingCanvas;
using gdi::TargetKind;

// Charts on the drawing control, 400 wide: coordinates reach the canvas unrounded, 4 device
// units per layer unit.
class ChartPlot : public ChartFixture {
 protected:
  RecordingCanvas c{TargetKind::DrawingControl, 400, 300};
  Chart::Vars& v = Chart::vars();

  void Start(long legendMode = 1) {
    v.CurrentChartNumber = 1;
    v.ChartLabelsLoaded[1] = true;
    Chart::NewChart(c, 0, 0, 0, 100, 100, true);
    v.ChartTitle = "Title";
    v.XMax = 100;
    v.YMax = 100;
    v.FitChartLabels = false;
    v.ChartLegendMode = legendMode;
  }
  std::vector<gdi::RecordingCanvas::Record> SeriesLines(gdi::Rgb color) const {
    std::vector<gdi::RecordingCanvas::Record> out;
    for (const auto& r : c.only(Op::Line))
      if (r.state.pen.color == color) out.push_back(r);
    return out;
  }
  const gdi::RecordingCanvas::Record* Text(const std::string& t) const {
    for (const auto& r : c.records())
      if (r.op == Op::Text && r.text == t) return &r;
    return nullptr;
  }
  static double Dev(double layer) { return Graph::Device(layer); }
};

TEST_F(ChartPlot, OnePointDrawsItsMarkerButNoLine) {
  Start();
  Chart::NewSeries(0x0000FF, 0, 5, "", 0);
  Chart::AddPoint(50, 50.0);
  Chart::DrawChart();
  EXPECT_TRUE(SeriesLines(0x0000FF).empty());
  auto rects = c.only(Op::Rect);
  ASSERT_FALSE(rects.empty());
  EXPECT_EQ(rects.back().state.pen.color, 0x0000FFu);  // the square marker
}

TEST_F(ChartPlot, ASegmentWithAnEndOutsideTheRangesIsLeftOutWhole) {
  Start();
  Chart::NewSeries(0x0000FF, 0, 0, "", 0);
  for (auto [x, y] :
       std::vector<std::pair<double, double>>{{0, 50}, {40, 150}, {60, 50}, {100, 100}})
    Chart::AddPoint(x, y);
  Chart::DrawChart();
  auto lines = SeriesLines(0x0000FF);
  ASSERT_EQ(lines.size(), 1u);  // only 60,50 - 100,100; bounds included
  EXPECT_DOUBLE_EQ(lines[0].points[0].x, Dev(Chart::ChartX(60)));
  EXPECT_DOUBLE_EQ(lines[0].points[1].y, Dev(Chart::ChartY(100)));
}

TEST_F(ChartPlot, BarsStandInTheirUnitSlotsWithABlackOutline) {
  Start();
  v.ChartBarMode = 1;
  v.XMax = 3;
  for (int s = 0; s < 3; ++s) {
    Chart::NewSeries(0x00FF00, 0, 0, "", s == 1 ? 3 : 0);
    Chart::AddPoint(20.0 * (s + 1), std::nullopt);
  }
  Chart::DrawChart();
  std::vector<gdi::RecordingCanvas::Record> fills, outlines;
  for (const auto& r : c.only(Op::Rect)) {
    if (r.state.brush.color == 0x00FF00 && r.state.brush.style != gdi::Brush::Style::Hollow)
      fills.push_back(r);
    else if (r.state.pen.width == 3 && r.state.brush.style == gdi::Brush::Style::Hollow)
      outlines.push_back(r);
  }
  ASSERT_EQ(fills.size(), 3u);
  ASSERT_EQ(outlines.size(), 3u);
  const double from[] = {0.25, 1.25, 2.25}, to[] = {0.75, 1.75, 2.75};
  for (int s = 0; s < 3; ++s) {
    EXPECT_DOUBLE_EQ(fills[s].points[0].x, Dev(Chart::ChartX(from[s]))) << s;
    EXPECT_DOUBLE_EQ(fills[s].points[1].x, Dev(Chart::ChartX(to[s]))) << s;
    EXPECT_DOUBLE_EQ(fills[s].points[1].y, Dev(Chart::ChartY(20.0 * (s + 1)))) << s;
    EXPECT_DOUBLE_EQ(outlines[s].points[0].y, Dev(Chart::ChartY(0))) << s;
    EXPECT_EQ(outlines[s].state.pen.color, 0u);
  }
  EXPECT_EQ(fills[1].state.brush.style, gdi::Brush::Style::Hatched);
  EXPECT_EQ(fills[1].state.brush.hatch, 3);
}

TEST_F(ChartPlot, LegendModesWriteTheirLines) {
  // Mode 1: both lines of "A|B", the second 1.25 line heights lower.
  Start(1);
  Chart::NewSeries(0x0000FF, 0, 0, "A|B", 0);
  Chart::AddPoint(10, 10.0);
  Chart::DrawChart();
  const auto* a = Text("A");
  const auto* b = Text("B");
  ASSERT_TRUE(a && b);
  EXPECT_DOUBLE_EQ(b->points[0].y - a->points[0].y, 1.25 * a->state.font.height);
  EXPECT_DOUBLE_EQ(b->points[0].x, a->points[0].x);

  // Mode 3: the first line only, then a black box of the series fill and its outline.
  c.forget();
  Start(3);
  Chart::NewSeries(0x0000FF, 0, 0, "A|B", 5);
  Chart::AddPoint(10, 10.0);
  Chart::DrawChart();
  EXPECT_NE(Text("A"), nullptr);
  EXPECT_EQ(Text("B"), nullptr);
  EXPECT_EQ(Text("B - "), nullptr);
  auto rects = c.only(Op::Rect);
  ASSERT_GE(rects.size(), 2u);
  const auto& box = rects[rects.size() - 2];
  const auto& outline = rects.back();
  EXPECT_EQ(box.state.brush.style, gdi::Brush::Style::Hatched);
  EXPECT_EQ(box.state.brush.hatch, 5);
  EXPECT_EQ(box.state.brush.color, 0u);
  EXPECT_EQ(outline.state.brush.style, gdi::Brush::Style::Hollow);
  EXPECT_DOUBLE_EQ(outline.points[0].x, box.points[0].x);
}

TEST_F(ChartPlot, EachSeriesKeepsItsLegendRow) {
  Start(2);
  const char* names[] = {"one", "two", "", "four"};
  for (const char* n : names) {
    Chart::NewSeries(0x0000FF, 0, 0, n, 0);
    Chart::AddPoint(10, 10.0);
  }
  Chart::DrawChart();
  const auto* one = Text("one");
  const auto* four = Text("four");
  ASSERT_TRUE(one && four);
  EXPECT_DOUBLE_EQ(four->points[0].y - one->points[0].y, 1.5 * one->state.font.height * 3);
  EXPECT_EQ(four->state.textColor, 0x0000FFu);  // mode 2: in the series colour
}

TEST_F(ChartPlot, MarkerShapes) {
  struct Case {
    long type;
    size_t lines, ellipses, rects, texts;
  };
  const Case cases[] = {{0, 0, 0, 0, 0}, {1, 0, 0, 0, 1}, {2, 2, 0, 0, 0},
                        {3, 2, 0, 0, 0}, {4, 0, 1, 0, 0}, {5, 0, 0, 1, 0},
                        {6, 4, 0, 0, 0}, {7, 3, 0, 0, 0}, {8, 0, 0, 0, 0}};
  Start();
  for (const Case& k : cases) {
    c.forget();
    Chart::DrawMarker(50, 40, k.type, "(1,2)");
    EXPECT_EQ(c.only(Op::Line).size(), k.lines) << k.type;
    EXPECT_EQ(c.only(Op::Ellipse).size(), k.ellipses) << k.type;
    EXPECT_EQ(c.only(Op::Rect).size(), k.rects) << k.type;
    EXPECT_EQ(c.only(Op::Text).size(), k.texts) << k.type;
  }
  // r = ChartWidth x MarkerSize / 100 = 1: the plus has half-length 1 / .7.
  c.forget();
  Chart::DrawMarker(50, 40, 2, "");
  auto lines = c.only(Op::Line);
  EXPECT_NEAR(lines[0].points[1].x - lines[0].points[0].x, Dev(2 / 0.7), 1e-9);
  c.forget();
  Chart::DrawMarker(50, 40, 4, "");
  auto e = c.only(Op::Ellipse)[0];
  EXPECT_DOUBLE_EQ(e.points[0].x, Dev(49));
  EXPECT_DOUBLE_EQ(e.points[1].y, Dev(41));
  // A series marker of type 1 writes the point's values.
  c.forget();
  Chart::PlotMarker(2.5, 7, 1);
  EXPECT_EQ(c.only(Op::Text)[0].text, "(2.5,7)");
}

TEST_F(ChartPlot, TitlesAreCentredAndTheYTitleReadsUpwards) {
  Start();
  v.XAxisTitle = "Range";
  v.YAxisTitle = "Altitude";
  Chart::DrawChart();
  const auto* title = Text("Title");
  const auto* y = Text("Altitude");
  ASSERT_TRUE(title && y);
  EXPECT_EQ(title->state.font.weight, 700);
  EXPECT_EQ(title->state.font.height, 18);  // 10 pt at 96 dpi
  const double w = std::nearbyint(0.55 * 18 * 5);
  EXPECT_DOUBLE_EQ(title->points[0].x, Dev(50) - w / 2);
  EXPECT_EQ(y->state.font.escapement, 900);
  EXPECT_GT(y->points[0].y, Dev(v.ChartTop + v.TopBorder));
}

TEST_F(ChartPlot, MachLinesOnASpeedAxis) {
  Start();
  v.CurrentChartNumber = 8;
  v.ChartLabelsLoaded[8] = true;
  v.XMin = 300;
  v.XMax = 500;
  v.YMax = 50000;
  v.XStep = 50;
  v.YStep = 5000;
  Chart::DrawChart();
  c.forget();
  General::PlotMachSpeeds();
  auto lines = SeriesLines(0x404040);
  ASSERT_EQ(lines.size(), 12u);  // .60 to .85, two pieces each; .90 (516.6 kt) is off the axis
  // Mach .85 from 37000 ft to the right edge, at 37000 x (562.6 - 500) / (562.6 - 487.9) ft.
  const double a = 0.85 * 574, b = 0.85 * 661.9;
  const auto& slant = lines[11];
  EXPECT_NEAR(slant.points[0].x, Dev(Chart::ChartX(a)), 1e-9);
  EXPECT_NEAR(slant.points[1].x, Dev(Chart::ChartX(500)), 1e-9);
  EXPECT_NEAR(slant.points[1].y, Dev(Chart::ChartY(37000 * (b - 500) / (b - a))), 1e-9);
  EXPECT_NEAR(37000 * (b - 500) / (b - a), 31000, 100);
  // Mach .60 reaches the ground inside the axis.
  EXPECT_NEAR(lines[1].points[1].y, Dev(Chart::ChartY(0)), 1e-9);
  EXPECT_NE(Text(".85"), nullptr);
  EXPECT_EQ(Text(".90"), nullptr);
  EXPECT_NE(Text("M="), nullptr);
  EXPECT_EQ(Text(".60")->state.font, c.defaultFont());  // the target's own font
}

TEST_F(ChartPlot, BlockTimeTexts) {
  struct Case {
    vb::Variant text;
    bool empty;
    double hours;
  };
  const Case cases[] = {{vb::Variant("0:45"), false, 0.75},
                        {vb::Variant("2:30"), false, 2.5},
                        {vb::Variant("10:06"), false, 10.1},
                        {vb::Variant("2.5"), false, 2.5},
                        {vb::Variant::Null(), true, 0},
                        {vb::Variant(""), true, 0},
                        {vb::Variant(), true, 0}};
  for (const Case& k : cases) {
    vb::Variant h = General::TimeValue(k.text);
    EXPECT_EQ(h.isEmpty(), k.empty);
    if (!k.empty) {
      EXPECT_NEAR(h.toDouble(), k.hours, 1e-6);
    }
  }
  EXPECT_EQ(errors(), 0);
}

TEST_F(ChartPlot, DashedSeriesContinueTheirPatternAcrossPoints) {
  Start();
  Chart::NewSeries(0x0000FF, 1, 0, "", 0);
  for (double x : {0.0, 10.0, 20.0, 30.0}) Chart::AddPoint(x, 50.0);
  Chart::DrawChart();
  auto lines = SeriesLines(0x0000FF);
  ASSERT_GT(lines.size(), 3u);
  // No two dashes touch: the pattern does not restart at every point.
  for (size_t i = 1; i < lines.size(); ++i)
    EXPECT_GT(lines[i].points[0].x, lines[i - 1].points[1].x - 1e-9);
}

}  // namespace
