#include <numbers>

#include "ChartTestSupport.h"

namespace {

using charttest::ChartFixture;
using charttest::Op;
using gdi::RecordingCanvas;
using gdi::TargetKind;

class GraphTest : public ChartFixture {};

struct Seg {
  double x1, y1, x2, y2;
};

std::vector<Seg> Segments(const RecordingCanvas& c) {
  std::vector<Seg> out;
  for (const auto& r : c.only(Op::Line))
    out.push_back({r.points[0].x, r.points[0].y, r.points[1].x, r.points[1].y});
  return out;
}

void ExpectSegments(const RecordingCanvas& c, const std::vector<Seg>& expected) {
  std::vector<Seg> got = Segments(c);
  ASSERT_EQ(got.size(), expected.size());
  for (size_t i = 0; i < got.size(); ++i) {
    EXPECT_NEAR(got[i].x1, expected[i].x1, 1e-9) << i;
    EXPECT_NEAR(got[i].y1, expected[i].y1, 1e-9) << i;
    EXPECT_NEAR(got[i].x2, expected[i].x2, 1e-9) << i;
    EXPECT_NEAR(got[i].y2, expected[i].y2, 1e-9) << i;
  }
}

TEST_F(GraphTest, ScaleFollowsTheTargetAndTheMode) {
  struct Case {
    TargetKind kind;
    bool percent;
    double x, y;
    double deviceX, deviceY;
    double scale;
  };
  const Case cases[] = {
      {TargetKind::Picture, true, 50, 50, 200, 200, 400},  // y is scaled by the width too
      {TargetKind::Picture, false, 100, 20, 85, 17, 85},
      {TargetKind::Form, false, 100, 20, 85, 17, 85},
      {TargetKind::Printer, false, 100, 20, 100, 20, 100},
      {TargetKind::Printer, true, 10, 10, 40, 40, 400},
      {TargetKind::DrawingControl, false, 1.234, 5.5, 1.234, 5.5, 100},  // not rounded
      {TargetKind::Picture, true, 0.625, 0.375, 2, 2, 400},  // halves to even: 2.5 -> 2, 1.5 -> 2
  };
  for (const Case& k : cases) {
    RecordingCanvas c(k.kind, 400, 300);
    Graph::InitGraphics(c, k.percent, false);
    EXPECT_EQ(Graph::vars().GraphScale, k.scale);
    EXPECT_EQ(Graph::vars().GraphWidth, 400);
    EXPECT_EQ(Graph::vars().GraphHeight, 300);
    Graph::TextOut(k.x, k.y, "t");
    auto texts = c.only(Op::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].points[0].x, k.deviceX) << static_cast<int>(k.kind);
    EXPECT_EQ(texts[0].points[0].y, k.deviceY) << static_cast<int>(k.kind);
  }
  EXPECT_EQ(errors(), 0);
}

TEST_F(GraphTest, BindingClearsOnlyPicturesAskedToClearAndLeavesNoDotAtTheOrigin) {
  RecordingCanvas c(TargetKind::Picture, 400, 300);
  Graph::InitGraphics(c, true, true);
  EXPECT_EQ(c.lines(), std::vector<std::string>{"CLEAR"});
  RecordingCanvas p(TargetKind::Printer, 400, 300);
  Graph::InitGraphics(p, true, true);
  EXPECT_TRUE(p.lines().empty());
}

TEST_F(GraphTest, PenBrushAndFontSetsAreUndoneInOrder) {
  RecordingCanvas c(TargetKind::Picture, 400, 300);
  Graph::InitGraphics(c, true, false);
  Graph::RemovePen();  // nothing set: nothing happens
  Graph::RemoveBrush();
  Graph::RemoveFont();
  EXPECT_TRUE(c.lines().empty());
  Graph::SetPen(1.5, 0x0000FF);  // halves to even: 2
  Graph::SetPen(2.5, 0x00FF00);  // 2
  Graph::SetPen(0, 0xFF0000);    // width 0 is the one-pixel pen
  Graph::RemovePen();
  Graph::RemovePen();
  Graph::RemovePen();
  Graph::SetBrush(0x0000FF, 0);
  Graph::SetBrush(0x00FF00, 3);
  Graph::RemoveBrush();
  Graph::RemoveBrush();
  const std::vector<std::string> expected = {
      "PEN 2 #ff0000",       "PEN 2 #00ff00", "PEN 1 #0000ff",       "PEN 2 #00ff00",
      "PEN 2 #ff0000",       "PEN 1 #000000", "BRUSH #ff0000 solid", "BRUSH #00ff00 hatch 3",
      "BRUSH #ff0000 solid", "BRUSH hollow",
  };
  EXPECT_EQ(c.lines(), expected);
  EXPECT_EQ(errors(), 0);
}

TEST_F(GraphTest, FontCellHeightsFollowTheTargetResolution) {
  struct Case {
    TargetKind kind;
    int dpi;
    double points;
    double angle;
    int cell;
    int escapement;
  };
  const Case cases[] = {
      {TargetKind::Picture, 96, 8, 0, 14, 0},     // 8 x 16 / 9 = 14.2
      {TargetKind::Picture, 96, 10, 0, 18, 0},    // 17.8
      {TargetKind::Picture, 96, 9, 90, 16, 900},  // exactly 16
      {TargetKind::Printer, 600, 8, 0, 89, 0},    // 8 x 600 / 54 = 88.9
      {TargetKind::Printer, 600, 10, 0, 111, 0},  // 111.1
  };
  for (const Case& k : cases) {
    RecordingCanvas c(k.kind, 400, 300, k.dpi);
    Graph::InitGraphics(c, true, false);
    Graph::SetFont("Arial", true, false, true, false, k.points, k.angle);
    EXPECT_EQ(c.state().font.height, k.cell) << k.dpi << " " << k.points;
    EXPECT_EQ(c.state().font.escapement, k.escapement);
    EXPECT_EQ(c.state().font.weight, 700);
    EXPECT_TRUE(c.state().font.underline);
    EXPECT_EQ(c.state().bkMode, gdi::kTransparent);
  }
  // Inches: the preview window 100 px per inch, the printer 1.5 x dpi per inch.
  RecordingCanvas form(TargetKind::Form, 539, 750);
  Graph::InitGraphics(form, false, false);
  Graph::SetFontInches("Arial", false, false, false, false, 0.125, 0);
  EXPECT_EQ(form.state().font.height, 12);  // 12.5 -> 12
  RecordingCanvas printer(TargetKind::Printer, 5100, 6600, 600);
  Graph::InitGraphics(printer, false, false);
  Graph::SetFontInches("Arial", false, false, false, false, 0.125, 0);
  EXPECT_EQ(printer.state().font.height, 112);  // 112.5 -> 112
  Graph::RemoveFont();
  EXPECT_EQ(printer.state().font, printer.defaultFont());
}

TEST_F(GraphTest, TextExtentsComeBackInCallerUnits) {
  RecordingCanvas c(TargetKind::Picture, 400, 300);
  Graph::InitGraphics(c, true, false);
  Graph::SetFont("Arial", false, false, false, false, 9, 0);  // cell 16
  EXPECT_DOUBLE_EQ(Graph::TextHt("A"), 16 * 100.0 / 400);
  EXPECT_DOUBLE_EQ(Graph::TextWd("ABCD"), 35 * 100.0 / 400);  // round(.55 x 16 x 4) = 35
  EXPECT_EQ(Graph::TextWd(""), 0);
  EXPECT_EQ(Graph::TextHt(""), 0);
  // A zero-width target gives a zero scale: extents are 0, never a division failure.
  RecordingCanvas empty(TargetKind::Picture, 0, 0);
  Graph::InitGraphics(empty, true, false);
  EXPECT_EQ(Graph::TextWd("ABCD"), 0);
  EXPECT_EQ(errors(), 0);
}

TEST_F(GraphTest, AngCoversEveryQuadrantAndSnapsToTheAxes) {
  constexpr double pi = std::numbers::pi;
  struct Case {
    double x1, y1, x2, y2, angle;
  };
  const Case cases[] = {
      {0, 0, 0.005, 5, pi / 2},  {0, 0, -3, -3, 5 * pi / 4}, {0, 0, 0, -2, 3 * pi / 2},
      {0, 0, 4, 0.001, 0},       {0, 0, -4, 0, pi},          {0, 0, 1, 1, pi / 4},
      {0, 0, -1, 1, 3 * pi / 4}, {0, 0, 1, -1, 7 * pi / 4},  {0, 0, 0, 0, 3 * pi / 2},
  };
  for (const Case& k : cases)
    EXPECT_NEAR(Graph::Ang(k.x1, k.y1, k.x2, k.y2), k.angle, 1e-12)
        << k.x1 << "," << k.y1 << " " << k.x2 << "," << k.y2;
  EXPECT_DOUBLE_EQ(Graph::Dist(1, 1, 4, 5), 5);
}

// The styled lines on the drawing control, where coordinates arrive unrounded at scale 100.
class StyledLines : public GraphTest {
 protected:
  RecordingCanvas c{TargetKind::DrawingControl, 100, 100};
  void SetUp() override {
    GraphTest::SetUp();
    Graph::InitGraphics(c, false, false);
  }
};

TEST_F(StyledLines, EachStyleLaysItsPattern) {
  struct Case {
    long style;
    std::vector<Seg> segments;
  };
  const std::vector<Case> cases = {
      {0, {{0, 0, 3, 0}}},
      {1, {{0, 0, 1, 0}, {2, 0, 3, 0}}},
      {2, {{0, 0, .25, 0}, {.75, 0, 1, 0}, {1.5, 0, 1.75, 0}, {2.25, 0, 2.5, 0}}},
      {3, {{0, 0, 1, 0}, {1.25, 0, 1.5, 0}, {1.75, 0, 2.75, 0}}},
      {4, {}},
      {-1, {}},
  };
  for (const Case& k : cases) {
    Graph::resetForTest();
    c.forget();
    Graph::InitGraphics(c, false, false);
    Graph::DrawLine(0, 0, 3, 0, k.style);
    SCOPED_TRACE(k.style);
    ExpectSegments(c, k.segments);
  }
}

TEST_F(StyledLines, ASegmentStartingAtTheLastEndContinuesThePattern) {
  Graph::DrawDashedLine(0, 0, 1.5, 0);    // drawn 0-1, blank from 1
  Graph::DrawDashedLine(1.5, 0, 3.5, 0);  // blank to 2, drawn 2-3, blank from 3
  ExpectSegments(c, {{0, 0, 1, 0}, {2, 0, 3, 0}});
  c.forget();
  Graph::DrawDashedLine(0, 1, 1.5, 1);  // elsewhere: restarts with the pen down
  ExpectSegments(c, {
                        {0, 1, 1, 1},
                    });
  c.forget();
  Graph::DrawDashedLine(1.5, 1, 1.5, 3);  // vertical, continuing: blank .5, drawn 1
  ExpectSegments(c, {{1.5, 1.5, 1.5, 2.5}});
}

TEST_F(StyledLines, ADottedPieceCutByTheSegmentEndCarriesOn) {
  Graph::DrawDottedLine(0, 0, 0.1, 0);  // .1 of the first dot drawn
  Graph::DrawDottedLine(0.1, 0, 1, 0);  // the dot's last .15, blank .5, a dot at .75
  ExpectSegments(c, {{0, 0, .1, 0}, {.1, 0, .25, 0}, {.75, 0, 1, 0}});
}

TEST_F(StyledLines, ZeroLengthAndNonFiniteSegmentsDrawNothing) {
  Graph::DrawDashedLine(2, 2, 2, 2);
  Graph::DrawDashDotLine(1, 1, 1, 1);
  EXPECT_TRUE(Segments(c).empty());
  EXPECT_EQ(errors(), 0);
  const double nan = std::nan(""), inf = HUGE_VAL;
  Graph::DrawDashedLine(0, 0, nan, 1);
  Graph::DrawDottedLine(0, 0, inf, 0);
  Graph::DrawDashDotLine(-inf, 0, 0, 0);
  Graph::MoveTo(nan, 0);
  Graph::Rectangle(0, 0, inf, 1);
  EXPECT_TRUE(c.only(Op::Line).empty());
  EXPECT_TRUE(c.only(Op::Rect).empty());
  EXPECT_EQ(errors(), 5);  // each reported as an overflow, none hangs
}

TEST_F(GraphTest, ShapesAndTextReachTheDeviceScaled) {
  RecordingCanvas c(TargetKind::Picture, 200, 100);
  Graph::InitGraphics(c, true, false);
  Graph::Rectangle(10, 10, 20, 15);
  Graph::DrawCircle(50, 25, 5);
  Graph::SetTextColor(0x0000FF);
  Graph::SetTextBgMode(2);
  Graph::TextOut(1, 2, "x");
  const std::vector<std::string> expected = {"RECT 20 20 40 30", "ELLIPSE 90 40 110 60",
                                             "TEXTCOLOR #ff0000", "BKMODE 2",
                                             "TEXT 2 4 \"x\" #ff0000"};
  EXPECT_EQ(c.lines(), expected);
}

TEST_F(GraphTest, NothingBoundIsReportedNotACrash) {
  Graph::MoveTo(1, 1);
  Graph::SetPen(1, 0);
  EXPECT_EQ(Graph::TextWd("abc"), 0);
  EXPECT_EQ(errors(), 3);
}

}  // namespace
