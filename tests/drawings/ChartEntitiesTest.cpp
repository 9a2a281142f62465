// The chart back end on a drawing control: each primitive as the entities it adds, the y flip,
// the text measures and the segment angle.
#include <gtest/gtest.h>

#include <numbers>

#include "DrawingsTestSupport.h"
#include "drawings/CADGraph.h"
#include "platform/dxfcontrol/DrawingControl.h"

namespace {

class ChartEntities : public drawingstest::Drawings {
 protected:
  dxf::DrawingControl cad;
  CADGraph::Vars& g = CADGraph::vars();

  void SetUp() override {
    Drawings::SetUp();
    CADGraph::BindTarget(&cad);
  }
  const dxf::EntityCollection& entities() const { return cad.EntityList(); }
  std::vector<std::string> types() const {
    std::vector<std::string> out;
    for (const dxf::Entity& e : entities()) out.push_back(e.EntityType);
    return out;
  }
};

TEST_F(ChartEntities, InitialisationPreparesANewDrawingOnLayerZero) {
  cad.SetSize(900, 450);
  cad.SetCurrentLayerName("Plane1");
  cad.FILLMODE = true;
  CADGraph::InitCADGraphics(false);  // an empty drawing is made new whatever `clear` says
  EXPECT_DOUBLE_EQ(CADGraph::CADAspect(), 2.0);
  EXPECT_TRUE(g.InvertY);
  EXPECT_EQ(g.GraphWidth, 12);  // a new drawing reaches to (12, 9)
  EXPECT_EQ(g.GraphHeight, 9);
  EXPECT_EQ(cad.CurrentLayerName(), "0");
  EXPECT_FALSE(cad.FILLMODE);
  EXPECT_EQ(g.CADBrushColor, -1);
  EXPECT_EQ(g.CADPenWidth, 1);
  EXPECT_EQ(g.CADPenColor, 0);
  EXPECT_EQ(cad.ForeColor, 7);
  EXPECT_EQ(CADGraph::CADY(0), 9);
  EXPECT_EQ(CADGraph::CADY(9), 0);
  EXPECT_EQ(CADGraph::CADY(2.5), 6.5);
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(ChartEntities, ADrawingWithEntitiesKeepsThemUnlessCleared) {
  cad.SetCurrentLayerName("Plane1");
  cad.AppendEntity().EntityType = "LINE";
  CADGraph::InitCADGraphics(false);
  CADGraph::CADLine(1, 1, 2, 2);
  ASSERT_EQ(entities().Count(), 2);
  EXPECT_EQ(entities().Item(1).LayerName, "PLANE1");
  EXPECT_EQ(entities().Item(2).LayerName, "0");  // the chart's entities go onto layer "0"
  CADGraph::InitCADGraphics(true);
  EXPECT_EQ(entities().Count(), 0);
}

TEST_F(ChartEntities, ALineTakesThePenAndFlipsY) {
  CADGraph::InitCADGraphics(true);
  CADGraph::SetCADPen(3, 0x0000FF);
  EXPECT_EQ(cad.PlotPenWidth, 3);
  EXPECT_EQ(cad.ForeColor, 1);
  CADGraph::CADMoveTo(1, 2);
  CADGraph::CADLineTo(3, 4.5);
  CADGraph::CADLineTo(5, 4.5);  // a line-to goes on from where the last one ended
  ASSERT_EQ(entities().Count(), 2);
  const dxf::Entity& a = entities().Item(1);
  EXPECT_EQ(a.EntityType, "LINE");
  EXPECT_EQ(a.LayerName, "0");
  EXPECT_EQ(a.Color, 1);
  EXPECT_EQ(a.LineType, "SOLID");
  EXPECT_EQ(a.Extra().Thickness, 3);
  EXPECT_EQ(a.X0, 1);
  EXPECT_EQ(a.Y0, 7);
  EXPECT_EQ(a.X1, 3);
  EXPECT_EQ(a.Y1, 4.5);
  const dxf::Entity& b = entities().Item(2);
  EXPECT_EQ(b.X0, 3);
  EXPECT_EQ(b.Y0, 4.5);
  EXPECT_EQ(b.X1, 5);
}

TEST_F(ChartEntities, ARectangleIsASolidAndFourLinesWithABrushFourLinesWithout) {
  CADGraph::InitCADGraphics(true);
  CADGraph::SetCADBrush(0xFF0000);
  EXPECT_TRUE(cad.FILLMODE);
  EXPECT_EQ(cad.CurrentColor, 5);
  CADGraph::CADRectangle(1, 1, 3, 2);
  EXPECT_EQ(types(), (std::vector<std::string>{"SOLID", "LINE", "LINE", "LINE", "LINE"}));
  const dxf::Entity& s = entities().Item(1);
  EXPECT_EQ(s.Color, 5);  // the brush reaches the SOLID as the control's current colour
  EXPECT_EQ(std::vector<double>(
                {s.X0, s.Y0, s.X1, s.Y1, s.Extra().X2, s.Extra().Y2, s.Extra().X3, s.Extra().Y3}),
            std::vector<double>({1, 8, 1, 7, 3, 8, 3, 7}));
  // The outline runs round the box: (1,1) (3,1) (3,2) (1,2), flipped.
  std::vector<double> corners;
  for (long i = 2; i <= 5; ++i) {
    corners.push_back(entities().Item(i).X0);
    corners.push_back(entities().Item(i).Y0);
    EXPECT_EQ(entities().Item(i).Color, 7);  // the pen: black
  }
  EXPECT_EQ(corners, (std::vector<double>{1, 8, 3, 8, 3, 7, 1, 7}));
  CADGraph::RemoveCADBrush();
  CADGraph::CADRectangle(1, 1, 3, 2);
  EXPECT_EQ(entities().Count(), 9);
  EXPECT_TRUE(cad.FILLMODE);  // the brush went, the control's fill mode stays
}

TEST_F(ChartEntities, AnEllipseLiesAlongTheLongerSideOfItsBox) {
  CADGraph::InitCADGraphics(true);
  CADGraph::SetCADPen(1, 0x00FF00);
  struct Case {
    double x1, y1, x2, y2;
    double cx, cy, ax, ay, ratio;
  };
  const Case cases[] = {
      {0, 0, 2, 1, 1, 8.5, 1, 0, 0.5},   // 2 wide, 1 tall
      {0, 0, 1, 2, 0.5, 8, 0, 1, 0.5},   // 1 wide, 2 tall
      {3, 4, 1, 2, 2, 6, 1, 0, 1},       // corners in any order; a circle
  };
  for (const Case& c : cases) {
    cad.EntityList().Clear();
    CADGraph::CADEllipse(c.x1, c.y1, c.x2, c.y2);
    ASSERT_EQ(entities().Count(), 1);
    const dxf::Entity& e = entities().Item(1);
    EXPECT_EQ(e.EntityType, "ELLIPSE");
    EXPECT_EQ(e.X0, c.cx);
    EXPECT_EQ(e.Y0, c.cy);
    EXPECT_EQ(e.X1, c.ax);
    EXPECT_EQ(e.Y1, c.ay);
    EXPECT_EQ(e.g40, c.ratio);
    EXPECT_EQ(e.g41, 0);
    EXPECT_DOUBLE_EQ(e.Extra().g42, 2 * std::numbers::pi);
    EXPECT_EQ(e.Color, 3);
  }
  // A box without width or without height has no ellipse, and that is no error.
  cad.EntityList().Clear();
  CADGraph::CADEllipse(1, 1, 1, 3);
  CADGraph::CADEllipse(1, 1, 3, 1);
  CADGraph::CADEllipse(2, 2, 2, 2);
  EXPECT_EQ(entities().Count(), 0);
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(ChartEntities, ATextHangsOneHeightBelowItsCorner) {
  CADGraph::InitCADGraphics(true);
  CADGraph::SetCADTextColor(0xFF0000);
  g.CADTextSize = 0.2;
  g.CADTextStyle = "STANDARD";
  CADGraph::CADText(1, 1, "Range");
  g.CADTextAngle = 90;  // turned a quarter: the cell hangs to the right of its corner
  CADGraph::CADText(1, 1, "Up");
  ASSERT_EQ(entities().Count(), 2);
  const dxf::Entity& a = entities().Item(1);
  EXPECT_EQ(a.EntityType, "TEXT");
  EXPECT_EQ(a.Text, "Range");
  EXPECT_DOUBLE_EQ(a.X0, 1);
  EXPECT_DOUBLE_EQ(a.Y0, 7.8);
  EXPECT_EQ(a.g40, 0.2);
  EXPECT_EQ(a.g50, 0);
  EXPECT_EQ(a.Color, 5);
  EXPECT_EQ(a.Extra().TextStyle, "STANDARD");
  EXPECT_EQ(a.LayerName, "0");
  const dxf::Entity& b = entities().Item(2);
  EXPECT_DOUBLE_EQ(b.X0, 1.2);
  EXPECT_NEAR(b.Y0, 8, 1e-12);
  EXPECT_EQ(b.g50, 90);
}

TEST_F(ChartEntities, TextMeasuresThreeQuartersOfTheHeightPerCharacter) {
  g.CADTextSize = 0.2;
  EXPECT_NEAR(CADGraph::CADTextWd("ABCD"), 0.6, 1e-12);
  EXPECT_NEAR(CADGraph::CADTextWd("10\u00B0"), 0.45, 1e-12);  // "°" is one character
  EXPECT_EQ(CADGraph::CADTextWd(""), 0.0);
  EXPECT_DOUBLE_EQ(CADGraph::CADTextHt("anything at all"), 0.2);
  g.CADTextSize = 0;  // no font given: texts measure nothing
  EXPECT_EQ(CADGraph::CADTextWd("ABCD"), 0.0);
  EXPECT_EQ(CADGraph::CADTextHt("ABCD"), 0.0);
}

TEST(CADGraphAngle, TheDirectionFromTheSecondPointToTheFirst) {
  struct Case {
    double x1, y1, x2, y2, degrees;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 270},     {0, 0, -1, 0, 0},     {0, 0, 1, 0, 180},  {0, 0, -1, 1, 315},
      {0, 1, 0, 0, 90},      {1, 1, 0, 0, 45},     {-1, 1, 0, 0, 135}, {-1, -1, 0, 0, 225},
      {0.005, 1, 0, 0, 90},  {1, 0.005, 0, 0, 0},  {2, 1, 0, 0, 26.565051177077990},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(CADGraph::AngPP(c.x1, c.y1, c.x2, c.y2), c.degrees, 1e-9)
        << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
  }
}

TEST_F(ChartEntities, WithoutAControlEachPrimitiveReportsAndAddsNothing) {
  CADGraph::BindTarget(nullptr);
  CADGraph::InitCADGraphics(true);
  CADGraph::CADLine(0, 0, 1, 1);  // skips its failure without a report
  CADGraph::CADRectangle(0, 0, 1, 1);
  CADGraph::CADText(0, 0, "x");
  ASSERT_FALSE(traps.errors.empty());
  for (const vb::Error& e : traps.errors) EXPECT_EQ(e.number, 91);
  EXPECT_EQ(entities().Count(), 0);
}

TEST_F(ChartEntities, TheCanvasHandsItsObjectsToTheBackEnd) {
  cad.SetSize(800, 400);
  CADGraph::DrawingCanvas canvas(cad);
  cad.AppendEntity().EntityType = "LINE";
  canvas.begin(false);
  EXPECT_EQ(entities().Count(), 1);  // kept: not cleared
  EXPECT_EQ(canvas.kind(), gdi::TargetKind::DrawingControl);
  EXPECT_FALSE(canvas.roundsCoordinates());
  EXPECT_EQ(canvas.aspect(), 2);
  canvas.begin(true);
  EXPECT_EQ(entities().Count(), 0);
  EXPECT_EQ(canvas.width(), 12);
  EXPECT_EQ(canvas.height(), 9);
  canvas.selectPen({2, 0x0000FF});
  canvas.moveTo(1, 1);
  canvas.lineTo(2, 1.5);
  canvas.selectBrush(gdi::Brush::Solid(0x00FF00));
  canvas.rectangle(0, 0, 1, 1);
  canvas.selectBrush(gdi::Brush::Hollow());
  canvas.rectangle(0, 0, 1, 1);
  canvas.ellipse(0, 0, 2, 1);
  gdi::Font font = canvas.defaultFont();  // 8 points: 14 pixels at 96 dpi
  font.escapement = 900;
  canvas.selectFont(font);
  canvas.setTextColor(0xFF0000);
  canvas.textOut(1, 1, "Range");
  EXPECT_EQ(types(), (std::vector<std::string>{"LINE", "SOLID", "LINE", "LINE", "LINE", "LINE",
                                               "LINE", "LINE", "LINE", "LINE", "ELLIPSE", "TEXT"}));
  const dxf::Entity& line = entities().Item(1);
  EXPECT_EQ(line.Color, 1);
  EXPECT_EQ(line.Extra().Thickness, 2);
  EXPECT_EQ(line.Y0, 8);
  EXPECT_EQ(line.Y1, 7.5);
  EXPECT_EQ(entities().Item(2).Color, 3);
  const dxf::Entity& text = entities().Item(12);
  EXPECT_DOUBLE_EQ(text.g40, 14.0 / 96);
  EXPECT_EQ(text.g50, 90);
  EXPECT_EQ(text.Color, 5);
  EXPECT_DOUBLE_EQ(canvas.textExtent("ABCD").width, 0.75 * 4 * 14.0 / 96);
  EXPECT_DOUBLE_EQ(canvas.textExtent("ABCD").height, 14.0 / 96);
}

TEST_F(ChartEntities, ACanvasDrawsOnItsOwnControlWhateverWasBoundSince) {
  dxf::DrawingControl other;
  CADGraph::DrawingCanvas a(cad), b(other);
  a.begin(true);
  b.begin(true);
  a.rectangle(0, 0, 1, 1);
  EXPECT_EQ(cad.EntityList().Count(), 4);
  EXPECT_EQ(other.EntityList().Count(), 0);
}

}  // namespace
