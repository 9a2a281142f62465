// Flattening a page drawing into the text and segment lists: what is collected and what stays,
// curves cut into chords, block contents placed by their references, colours by layer.
#include <gtest/gtest.h>

#include <QImage>
#include <chrono>
#include <cmath>
#include <numbers>

#include "DrawingsTestSupport.h"
#include "drawings/CadFunctions.h"
#include "drawings/PageDrawing.h"
#include "platform/dxf/EntityViews.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "support/QtApp.h"

namespace {

using CadFunctions::CadLine;
using CadFunctions::CadText;
using CadFunctions::entityLists;
constexpr double kPi = std::numbers::pi;
constexpr int32_t kRed = 0x0000FF, kBlue = 0xFF0000;

class EntityLists : public drawingstest::RealViews {
 protected:
  CadFunctions::PageInputs page;

  void SetUp() override {
    RealViews::SetUp();
    CadFunctions::SetPageInputsSource([this] { return page; });
    inputs.PlaneColor1 = kRed;
    inputs.PlaneColor2 = kBlue;
  }
  void TearDown() override {
    CadFunctions::ClearEntityLists();
    RealViews::TearDown();
  }
  dxf::Entity& add(const std::string& type, const std::string& layer = "0") {
    dxf::Entity& e = cad(0).EntityList().Add();
    e.EntityType = type;
    e.LayerName = dxf::UpperName(layer);
    return e;
  }
  dxf::Entity& line(double x0, double y0, double x1, double y1, const std::string& layer = "0") {
    dxf::Entity& e = add("LINE", layer);
    e.X0 = x0, e.Y0 = y0, e.X1 = x1, e.Y1 = y1;
    return e;
  }
  dxf::Entity& text(double x, double y, double height, const std::string& t,
                    const std::string& layer = "0") {
    dxf::Entity& e = add("TEXT", layer);
    e.X0 = x, e.Y0 = y, e.g40 = height, e.Text = t;
    return e;
  }
  dxf::Entity& polyline(std::vector<dxf::Vertex> vertices, int flags = 0) {
    dxf::Entity& e = add("LWPOLYLINE");
    for (const dxf::Vertex& v : vertices) e.Vertices.Add(v);
    e.Flags = flags;
    return e;
  }
  std::vector<std::string> types() {
    std::vector<std::string> out;
    for (const dxf::Entity& e : cad(0).EntityList()) out.push_back(e.EntityType);
    return out;
  }
  const std::vector<CadLine>& lines() { return entityLists().CadLineList; }
  const std::vector<CadText>& texts() { return entityLists().CadTextList; }
  // Every segment end lies at `radius` from `centre`.
  void ExpectOnCircle(double cx, double cy, double radius) {
    for (const CadLine& l : lines()) {
      EXPECT_NEAR(std::hypot(l.X1 - cx, l.Y1 - cy), radius, 1e-5);
      EXPECT_NEAR(std::hypot(l.X2 - cx, l.Y2 - cy), radius, 1e-5);
    }
  }
  // Each segment starts where the one before ended.
  void ExpectChained() {
    for (size_t i = 1; i < lines().size(); ++i) {
      EXPECT_FLOAT_EQ(lines()[i].X1, lines()[i - 1].X2) << i;
      EXPECT_FLOAT_EQ(lines()[i].Y1, lines()[i - 1].Y2) << i;
    }
  }
};

TEST_F(EntityLists, AnEmptyDrawingGivesEmptyLists) {
  CadFunctions::GetCADEntities(0);
  EXPECT_EQ(CadFunctions::CadTextCount(), 0u);
  EXPECT_EQ(CadFunctions::CadLineCount(), 0u);
  EXPECT_EQ(entityLists().CadEntityViewIndex, 0);
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(EntityLists, WithPrintFromCadTheListsStayEmptyAndTheDrawingWhole) {
  line(1, 2, 3, 4, "Plane1");
  text(0, 0, 0.1, "kept");
  page.PrintFromCAD = true;
  CadFunctions::GetCADEntities(0);
  EXPECT_EQ(CadFunctions::CadLineCount(), 0u);
  EXPECT_EQ(CadFunctions::CadTextCount(), 0u);
  EXPECT_EQ(types(), (std::vector<std::string>{"LINE", "TEXT"}));
}

TEST_F(EntityLists, EachKindIsCollectedOrLeftAsItsRuleSays) {
  struct Case {
    std::string name;
    std::function<void()> build;
    size_t segments, texts;
    std::vector<std::string> left;
  };
  const Case cases[] = {
      {"line", [&] { line(1, 2, 3, 4); }, 1, 0, {}},
      {"text", [&] { text(1, 1, 0.1, "x"); }, 0, 1, {}},
      {"circle", [&] { add("CIRCLE").g40 = 1; }, 180, 0, {}},
      {"whole ellipse along x",
       [&] {
         dxf::Entity& e = add("ELLIPSE");
         e.X0 = 3, e.Y0 = 3, e.X1 = 2, e.g40 = 0.5, e.g41 = 0, e.EditExtra().g42 = 2 * kPi;
       },
       180,
       0,
       {}},
      {"half ellipse",
       [&] {
         dxf::Entity& e = add("ELLIPSE");
         e.X1 = 2, e.g40 = 0.5, e.g41 = 0, e.EditExtra().g42 = kPi;
       },
       0,
       0,
       {"ELLIPSE"}},
      {"ellipse along y",
       [&] {
         dxf::Entity& e = add("ELLIPSE");
         e.Y1 = 2, e.g40 = 0.5, e.g41 = 0, e.EditExtra().g42 = 2 * kPi;
       },
       0,
       0,
       {"ELLIPSE"}},
      {"polyline of 4",
       [&] {
         polyline({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
       },
       3,
       0,
       {}},
      {"polyline of 1",
       [&] {
         polyline({{0, 0}});
       },
       0,
       0,
       {}},
      {"closed polyline of 4",
       [&] {
         polyline({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, 1);
       },
       4,
       0,
       {}},
      {"R12 polyline",
       [&] {
         add("POLYLINE").Vertices.Add({0, 0}), add("POLYLINE");
       },
       0,
       0,
       {}},
      {"others stay",
       [&] {
         add("SOLID");
         add("MTEXT");
         add("ARC");
         add("POINT");
       },
       0,
       0,
       {"SOLID", "MTEXT", "ARC", "POINT"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cad(0).EntityList().Clear();
    c.build();
    CadFunctions::GetCADEntities(0);
    EXPECT_EQ(CadFunctions::CadLineCount(), c.segments);
    EXPECT_EQ(CadFunctions::CadTextCount(), c.texts);
    EXPECT_EQ(types(), c.left);
  }
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(EntityLists, ALineOnPlaneOneIsOneSegmentInPlaneOnesColour) {
  line(1, 2, 3, 4, "Plane1");
  CadFunctions::GetCADEntities(0);
  ASSERT_EQ(lines().size(), 1u);
  EXPECT_EQ(lines()[0], (CadLine{1, 2, 3, 4, kRed}));
  EXPECT_EQ(cad(0).EntityList().Count(), 0);
}

TEST_F(EntityLists, ACircleIsCutIntoOneHundredEightyChords) {
  add("CIRCLE").g40 = 1;
  CadFunctions::GetCADEntities(0);
  ASSERT_EQ(lines().size(), 180u);
  EXPECT_FLOAT_EQ(lines()[0].X1, 1);
  EXPECT_FLOAT_EQ(lines()[0].Y1, 0);
  EXPECT_NEAR(lines()[44].X2, 0, 1e-6);  // the 45th ends a quarter turn on
  EXPECT_FLOAT_EQ(lines()[44].Y2, 1);
  EXPECT_FLOAT_EQ(lines()[179].X2, 1);  // the last ends where the first began
  EXPECT_FLOAT_EQ(lines()[179].Y2, 0);
  ExpectOnCircle(0, 0, 1);
  ExpectChained();
}

TEST_F(EntityLists, AnEllipseKeepsItsAxisItsTurnAndItsRange) {
  // Whole, along x: (centre x + a cos t, centre y + b sin t).
  dxf::Entity& whole = add("ELLIPSE");
  whole.X0 = 1, whole.Y0 = 1, whole.X1 = 2, whole.g40 = 0.5, whole.EditExtra().g42 = 2 * kPi;
  CadFunctions::GetCADEntities(0);
  ASSERT_EQ(lines().size(), 180u);
  EXPECT_FLOAT_EQ(lines()[0].X1, 3);
  EXPECT_FLOAT_EQ(lines()[44].Y2, 2);  // b = 1 at a quarter turn
  ExpectChained();
  // Inside a block every ellipse is collected, with its own axis (here along y) and its own
  // range (a quarter, from 0 to pi / 2: 45 chords).
  cad(0).EntityList().Clear();
  dxf::Block b;
  b.Name = "E";
  dxf::Entity quarter;
  quarter.EntityType = "ELLIPSE";
  quarter.Y1 = 2, quarter.g40 = 0.5, quarter.g41 = 0, quarter.EditExtra().g42 = kPi / 2;
  b.Entities.Add(quarter);
  cad(0).Blocks().Add(b);
  dxf::Entity& ref = add("INSERT");
  ref.EditExtra().BlockName = "E", ref.g41 = 1, ref.EditExtra().g42 = 1;
  CadFunctions::GetCADEntities(0);
  ASSERT_EQ(lines().size(), 45u);
  // Major axis (0, 2), minor (-1, 0): from (0, 2) to (-1, 0).
  EXPECT_NEAR(lines()[0].X1, 0, 1e-6);
  EXPECT_FLOAT_EQ(lines()[0].Y1, 2);
  EXPECT_FLOAT_EQ(lines()[44].X2, -1);
  EXPECT_NEAR(lines()[44].Y2, 0, 1e-6);
  ExpectChained();
}

TEST_F(EntityLists, ABulgeIsAnArcAndAClosedPolylineClosesWithIt) {
  // Bulge 1 is a half circle turning anticlockwise from (0, 0) to (2, 0): through (1, -1).
  polyline({{0, 0, 1}, {2, 0}});
  CadFunctions::GetCADEntities(0);
  ASSERT_EQ(lines().size(), 90u);
  ExpectOnCircle(1, 0, 1);
  ExpectChained();
  EXPECT_FLOAT_EQ(lines()[44].X2, 1);
  EXPECT_FLOAT_EQ(lines()[44].Y2, -1);
  EXPECT_FLOAT_EQ(lines()[89].X2, 2);
  // Closed, the way back from (2, 0) to (0, 0) takes (2, 0)'s bulge: the other half.
  cad(0).EntityList().Clear();
  polyline({{0, 0, 1}, {2, 0, 1}}, 1);
  CadFunctions::GetCADEntities(0);
  ASSERT_EQ(lines().size(), 180u);
  ExpectOnCircle(1, 0, 1);
  ExpectChained();
  EXPECT_FLOAT_EQ(lines()[134].Y2, 1);
  EXPECT_FLOAT_EQ(lines()[179].X2, 0);
  EXPECT_FLOAT_EQ(lines()[179].Y2, 0);
}

// A block of one line (0, 0)-(1, 1) and one text at (1, 2), height 0.2.
class BlockReferences : public EntityLists {
 protected:
  void SetUp() override {
    EntityLists::SetUp();
    dxf::Block b;
    b.Name = "B";
    dxf::Entity l;
    l.EntityType = "LINE";
    l.X1 = 1, l.Y1 = 1;
    b.Entities.Add(l);
    dxf::Entity t;
    t.EntityType = "TEXT";
    t.X0 = 1, t.Y0 = 2, t.g40 = 0.2, t.Text = "in block";
    b.Entities.Add(t);
    cad(0).Blocks().Add(b);
  }
  dxf::Entity& insert(double x, double y, double sx, double sy, double rotation,
                      const std::string& layer = "0") {
    dxf::Entity& e = add("INSERT", layer);
    e.EditExtra().BlockName = "B";
    e.X0 = x, e.Y0 = y, e.g41 = sx, e.EditExtra().g42 = sy, e.g50 = rotation;
    return e;
  }
};

TEST_F(BlockReferences, ContentsArePlacedByTheReferenceWhichStays) {
  struct Case {
    std::string name;
    double x, y, sx, sy, rotation, baseX, baseY;
    CadLine segment;
    double textX, textY, height, angle;
  };
  const Case cases[] = {
      {"scaled", 2, 3, 2, 0.5, 0, 0, 0, {2, 3, 4, 3.5, 0}, 4, 4, 0.1, 0},
      {"turned a quarter", 2, 3, 1, 1, 90, 0, 0, {2, 3, 1, 4, 0}, 0, 4, 0.2, 90},
      {"from a base point", 0, 0, 1, 1, 0, 1, 1, {-1, -1, 0, 0, 0}, 0, 1, 0.2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cad(0).EntityList().Clear();
    cad(0).Blocks().Item("B").BaseX = c.baseX;
    cad(0).Blocks().Item("B").BaseY = c.baseY;
    insert(c.x, c.y, c.sx, c.sy, c.rotation);
    CadFunctions::GetCADEntities(0);
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_NEAR(lines()[0].X1, c.segment.X1, 1e-6);
    EXPECT_NEAR(lines()[0].Y1, c.segment.Y1, 1e-6);
    EXPECT_NEAR(lines()[0].X2, c.segment.X2, 1e-6);
    EXPECT_NEAR(lines()[0].Y2, c.segment.Y2, 1e-6);
    ASSERT_EQ(texts().size(), 1u);
    EXPECT_NEAR(texts()[0].X, c.textX, 1e-9);
    EXPECT_NEAR(texts()[0].Y, c.textY, 1e-9);
    EXPECT_DOUBLE_EQ(texts()[0].Height, c.height);
    EXPECT_EQ(texts()[0].Angle, c.angle);
    EXPECT_EQ(types(), (std::vector<std::string>{"INSERT"}));
  }
}

TEST_F(BlockReferences, ContentsTakeTheLayerOfEachReferenceInTurn) {
  insert(0, 0, 1, 1, 0, "Plane1");
  insert(5, 0, 1, 1, 0, "Plane2");
  CadFunctions::GetCADEntities(0);
  ASSERT_EQ(lines().size(), 2u);
  EXPECT_EQ(lines()[0].Color, kRed);
  EXPECT_EQ(lines()[1].Color, kBlue);
  EXPECT_EQ(texts()[0].Color, kRed);
  EXPECT_EQ(texts()[1].Color, kBlue);
  // The block's own entities keep the layer of the last reference walked.
  EXPECT_EQ(cad(0).Blocks().Item("B").Entities.Item(1).LayerName, "PLANE2");
}

// A block of what the raster draws alone (a solid, an arc, a multi-line text on a layer of their
// own), referenced on Plane 2's layer: its contents take Plane 2's layer, as those of a block
// with a line among them do, and the page's picture draws them in Plane 2's colour.
TEST_F(BlockReferences, ABlockOfFillsAloneTakesTheLayerOfItsReference) {
  testsupport::QtApp();
  CadFunctions::SetupNewDrawing(0);
  cad(0).AddLayer("FILLS", 3);  // green
  for (const bool withLine : {false, true}) {
    SCOPED_TRACE(withLine ? "with a line" : "fills alone");
    const std::string name = withLine ? "FILLSLINE" : "FILLS";
    dxf::Block b;
    b.Name = name;
    dxf::Entity solid;
    solid.EntityType = "SOLID";
    solid.LayerName = "FILLS";
    solid.X0 = 0, solid.Y0 = 0, solid.X1 = 1, solid.Y1 = 0;
    solid.EditExtra().X2 = 0, solid.EditExtra().Y2 = 1;
    solid.EditExtra().X3 = 1, solid.EditExtra().Y3 = 1;
    b.Entities.Add(solid);
    dxf::Entity arc;
    arc.EntityType = "ARC";
    arc.LayerName = "FILLS";
    arc.X0 = 0.5, arc.Y0 = 0.5, arc.g40 = 0.4, arc.g50 = 0, arc.g51 = 180;
    b.Entities.Add(arc);
    dxf::Entity mtext;
    mtext.EntityType = "MTEXT";
    mtext.LayerName = "FILLS";
    mtext.X0 = 0, mtext.Y0 = 2, mtext.g40 = 0.2, mtext.Text = "fills";
    b.Entities.Add(mtext);
    if (withLine) {
      dxf::Entity l;
      l.EntityType = "LINE";
      l.LayerName = "FILLS";
      l.X0 = 0, l.Y0 = -0.5, l.X1 = 1, l.Y1 = -0.5;
      b.Entities.Add(l);
    }
    cad(0).Blocks().Add(b);
    cad(0).EntityList().Clear();
    insert(2, 3, 1, 1, 0, "Plane2").EditExtra().BlockName = name;
    CadFunctions::GetCADEntities(0);
    for (const dxf::Entity& e : cad(0).Blocks().Item(name).Entities)
      EXPECT_EQ(e.LayerName, "PLANE2") << e.EntityType;
    EXPECT_EQ(lines().size(), withLine ? 1u : 0u);
    for (const CadLine& l : lines()) EXPECT_EQ(l.Color, kBlue);
    ASSERT_FALSE(entityLists().RasterEmpty);
    // The page's picture, 100 pixels an inch: the solid's middle, 2.5 in across and 3.5 in up,
    // is Plane 2's blue.
    cad(0).PlotMode = 0;
    QImage page(850, 1100, QImage::Format_RGB32);
    page.fill(Qt::white);
    cad(0).RenderToPicture(page);
    EXPECT_EQ(QColor(page.pixel(250, 1100 - 350)), QColor(0, 0, 255));
  }
}

// A page whose Plane 1 is drawn by block references, overlaid with Plane 2's own lines: the
// references' contents take their places in the walk, so Plane 2's lines, coming after, print
// over Plane 1's where they coincide, as on the screen.
TEST_F(BlockReferences, ContentsTakeTheirReferencesPlaceInTheLists) {
  insert(0, 0, 1, 1, 0, "Plane1");  // the block's line (0, 0)-(1, 1) and its text at (1, 2)
  line(0, 0, 1, 1, "Plane2");
  text(1, 2, 0.2, "own", "Plane2");
  insert(3, 0, 1, 1, 0, "Plane1");
  line(5, 5, 6, 6, "Plane2");
  CadFunctions::GetCADEntities(0);
  ASSERT_EQ(lines().size(), 4u);
  const int32_t lineColours[] = {kRed, kBlue, kRed, kBlue};
  const float lineStarts[] = {0, 0, 3, 5};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(lines()[i].Color, lineColours[i]) << i;
    EXPECT_EQ(lines()[i].X1, lineStarts[i]) << i;
  }
  ASSERT_EQ(texts().size(), 3u);
  EXPECT_EQ(texts()[0].Text, "in block");
  EXPECT_EQ(texts()[0].Color, kRed);
  EXPECT_EQ(texts()[1].Text, "own");
  EXPECT_EQ(texts()[2].Text, "in block");
  EXPECT_EQ(texts()[2].X, 4);
}

// The page's bound still goes first to the drawings' own entities: a reference that asks for far
// more than a page holds, standing before Plane 2's lines, leaves every one of them printed, in
// their place after it.
TEST_F(BlockReferences, AReferenceAskingTooMuchLeavesTheEntitiesAfterItTheirRoom) {
  dxf::Block many;
  many.Name = "MANY";
  for (int i = 0; i < 1000; ++i) {
    dxf::Entity c;
    c.EntityType = "CIRCLE";
    c.X0 = 4, c.Y0 = 5, c.g40 = 1 + i * 0.001;
    many.Entities.Add(c);
  }
  cad(0).Blocks().Add(many);
  for (int i = 0; i < 10; ++i) insert(i * 0.01, 0, 1, 1, 0, "Plane1").EditExtra().BlockName = "MANY";
  for (int i = 0; i < 1000; ++i) line(1, 1 + i * 0.005, 7, 1 + i * 0.005, "Plane2");
  CadFunctions::GetCADEntities(0);
  EXPECT_TRUE(entityLists().Cut);
  ASSERT_EQ(lines().size(), static_cast<size_t>(CadFunctions::kPageMaxSegments));
  const size_t own = lines().size() - 1000;
  for (size_t i = 0; i < own; ++i) ASSERT_EQ(lines()[i].Color, kRed) << i;
  for (size_t i = own; i < lines().size(); ++i) ASSERT_EQ(lines()[i].Color, kBlue) << i;
  EXPECT_EQ(lines().back().Y1, static_cast<float>(1 + 999 * 0.005));
}

// Every copy of an array prints, however many, up to the page's bounds; past them the page is
// cut (and reported once by the page printer). An array much larger than the page costs only
// its copies on the page.
TEST_F(BlockReferences, EveryCopyOfAnArrayPrintsUpToThePagesBounds) {
  dxf::Block dash;
  dash.Name = "DASH";
  dxf::Entity l;
  l.EntityType = "LINE";
  l.X1 = 0.005;
  dash.Entities.Add(l);
  cad(0).Blocks().Add(dash);
  struct Case {
    std::string name;
    int cols, rows;
    double spacing;
    size_t segments;
    bool cut;
  };
  const Case cases[] = {
      {"400 x 300 on the page", 400, 300, 0.02, 120000, false},
      {"20,000 x 1 on the page", 20000, 1, 0.0004, 20000, false},
      {"1000 x 1000: more segments than a page holds", 1000, 1000, 0.008,
       static_cast<size_t>(CadFunctions::kPageMaxSegments), true},
      {"30,000 x 30,000 an inch apart: 10 x 12 of them on the page and round it", 30000, 30000, 1,
       120, false},
      {"32,767 x 32,767 all on the page", 32767, 32767, 1e-6,
       static_cast<size_t>(CadFunctions::kPageMaxSegments), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cad(0).EntityList().Clear();
    dxf::Entity& ref = insert(0.25, 0.5, 1, 1, 0, "Plane1");
    ref.EditExtra().BlockName = "DASH";
    dxf::InsertView array(ref);
    array.Columns = c.cols, array.Rows = c.rows;
    array.ColumnSpacing = c.spacing, array.RowSpacing = c.spacing;
    const auto t0 = std::chrono::steady_clock::now();
    CadFunctions::GetCADEntities(0);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_EQ(lines().size(), c.segments);
    EXPECT_EQ(entityLists().Cut, c.cut);
    EXPECT_LT(seconds, 10.0);  // a guard against a walk over every copy, not a measure
    EXPECT_TRUE(traps.errors.empty());
  }
  // The last copy of the 20,000: its column's place along the row.
  cad(0).EntityList().Clear();
  dxf::Entity& ref = insert(0.25, 0.5, 1, 1, 0, "Plane1");
  ref.EditExtra().BlockName = "DASH";
  dxf::InsertView(ref).Columns = 20000;
  dxf::InsertView(ref).ColumnSpacing = 0.0004;
  CadFunctions::GetCADEntities(0);
  ASSERT_EQ(lines().size(), 20000u);
  EXPECT_FLOAT_EQ(lines().back().X1, static_cast<float>(0.25 + 19999 * 0.0004));
}

TEST_F(BlockReferences, AMissingBlockIsReportedOnceAndAddsNothing) {
  insert(0, 0, 1, 1, 0).EditExtra().BlockName = "NOWHERE";
  insert(1, 0, 1, 1, 0).EditExtra().BlockName = "nowhere";
  insert(2, 0, 1, 1, 0);
  CadFunctions::GetCADEntities(0);
  ASSERT_EQ(traps.errors.size(), 1u);
  EXPECT_NE(traps.errors[0].description.find("NOWHERE"), std::string::npos);
  EXPECT_EQ(lines().size(), 1u);  // the third reference's block is there
  EXPECT_EQ(cad(0).EntityList().Count(), 3);
}

TEST_F(EntityLists, ATextKeepsItsCodesAndTakesItsPointFromThem) {
  struct Case {
    int h, v;
    double x, y;
  };
  // X0, Y0 = (1, 2); X1, Y1 = (5, 6).
  const Case cases[] = {{0, 0, 1, 2}, {1, 0, 5, 2}, {5, 0, 1, 2}, {2, 3, 5, 2},
                        {4, 2, 5, 6}, {0, 1, 1, 6}, {3, 0, 5, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.h) + "/" + std::to_string(c.v));
    cad(0).EntityList().Clear();
    dxf::Entity& e = text(1, 2, 0.1, "t");
    e.X1 = 5, e.Y1 = 6, e.EditExtra().g72 = c.h, e.EditExtra().g73 = c.v, e.g50 = 30;
    CadFunctions::GetCADEntities(0);
    ASSERT_EQ(texts().size(), 1u);
    EXPECT_EQ(texts()[0], (CadText{"t", c.x, c.y, "txt", 0, 0.1, 30, c.h, c.v}));
  }
}

TEST_F(EntityLists, TheFontIsTheStylesFontFileOrElseTheStyleName) {
  dxf::TextStyle title, plain;
  title.StyleName = "TITLE";
  title.FontFileName = "arial.ttf";
  plain.StyleName = "PLAIN";
  plain.FontFileName = "txt";
  cad(0).TextStyles().Add(title);
  cad(0).TextStyles().Add(plain);
  text(0, 0, 0.1, "a").EditExtra().TextStyle = "TITLE";
  text(0, 0, 0.1, "b").EditExtra().TextStyle = "Title";  // style names match in any case
  text(0, 0, 0.1, "c").EditExtra().TextStyle = "PLAIN";
  text(0, 0, 0.1, "d").EditExtra().TextStyle = "NOSUCH";
  CadFunctions::GetCADEntities(0);
  ASSERT_EQ(texts().size(), 4u);
  EXPECT_EQ(texts()[0].Font, "arial");
  EXPECT_EQ(texts()[1].Font, "arial");
  EXPECT_EQ(texts()[2].Font, "txt");
  EXPECT_EQ(texts()[3].Font, "NOSUCH");
}

TEST_F(EntityLists, ColoursComeFromTheLayerAlone) {
  struct Case {
    std::string layer;
    int32_t dimColour;
    int32_t expected;
  };
  const Case cases[] = {
      {"Plane1", -1, kRed},  {"Plane2", -1, kBlue}, {"Dim1", -1, kRed},   {"Dim2", -1, kBlue},
      {"Dim1", 255, 255},    {"Dim2", 255, 255},    {"0", -1, 0},         {"Grid", -1, 0},
      {"DimA", -1, 0},       {"Other", 255, 0},
  };
  v.ShowDims = true;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layer + " " + std::to_string(c.dimColour));
    cad(0).EntityList().Clear();
    inputs.DimColor = c.dimColour;
    line(0, 0, 1, 1, c.layer).Color = 3;  // the entity's own colour is not looked at
    text(0, 0, 0.1, "t", c.layer);
    CadFunctions::GetCADEntities(0);
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_EQ(lines()[0].Color, c.expected);
    EXPECT_EQ(texts()[0].Color, c.expected);
  }
  inputs.DimColor = -1;
  EXPECT_EQ(CadFunctions::vbDimColor(-1, 1), kRed);
  EXPECT_EQ(CadFunctions::vbDimColor(-1, 2), kBlue);
  EXPECT_EQ(CadFunctions::vbDimColor(-1, 7), kBlue);
  EXPECT_EQ(CadFunctions::vbDimColor(0x123456, 1), 0x123456);
}

TEST_F(EntityLists, DimensionsGoWithoutShowDimsAndFrozenLayersStayUnprinted) {
  auto build = [&] {
    cad(0).EntityList().Clear();
    line(0, 0, 1, 0, "Dim1");
    text(0, 0, 0.1, "12 ft", "Dim2");
    add("SOLID", "Dim1");
    line(0, 0, 1, 1, "Plane1");
  };
  build();
  v.ShowDims = false;
  CadFunctions::GetCADEntities(0);
  EXPECT_EQ(lines().size(), 1u);
  EXPECT_EQ(texts().size(), 0u);
  EXPECT_TRUE(cad(0).EntityList().Count() == 0);  // the dimensions are gone, SOLID and all
  // With ShowDims, view 0 shows them, even with both aircraft chosen and an overlay selected.
  build();
  v.ShowDims = true;
  inputs.Aircraft1 = "101";
  inputs.Aircraft2 = "102";
  hooks.overlay[0] = true;
  CadFunctions::GetCADEntities(0);
  EXPECT_EQ(lines().size(), 2u);
  EXPECT_EQ(texts().size(), 1u);
  EXPECT_EQ(types(), (std::vector<std::string>{"SOLID"}));
  // A frozen layer prints nothing: its entities stay in the drawing, which hides them.
  build();
  cad(0).Layers().Add("Dim1").Frozen = true;
  cad(0).Layers().Add("Dim2").Frozen = true;
  CadFunctions::GetCADEntities(0);
  EXPECT_EQ(lines().size(), 1u);
  EXPECT_EQ(texts().size(), 0u);
  EXPECT_EQ(types(), (std::vector<std::string>{"LINE", "TEXT", "SOLID"}));
}

TEST_F(EntityLists, WhatStaysKeepsItsOrder) {
  add("SOLID").X0 = 1;
  line(0, 0, 1, 1);
  add("MTEXT").Text = "2";
  text(0, 0, 0.1, "t");
  add("SOLID").X0 = 3;
  CadFunctions::GetCADEntities(0);
  EXPECT_EQ(types(), (std::vector<std::string>{"SOLID", "MTEXT", "SOLID"}));
  EXPECT_EQ(cad(0).EntityList().Item(1).X0, 1);
  EXPECT_EQ(cad(0).EntityList().Item(3).X0, 3);
}

TEST_F(EntityLists, TheListsHoldAsManyEntriesAsThePageHasWithoutAnyError) {
  // 334 circles on the page: 60,120 segments, more than the 50,000 a fixed list would take; and
  // 6,000 texts, more than 5,000.
  for (int i = 0; i < 334; ++i) {
    dxf::Entity& c = add("CIRCLE", "Plane2");
    c.X0 = 1 + (i % 20) * 0.3, c.Y0 = 1 + (i / 20) * 0.5, c.g40 = 1;
  }
  for (int i = 0; i < 6000; ++i) text((i % 80) * 0.1, (i / 80) * 0.14, 0.1, "t" + std::to_string(i));
  CadFunctions::GetCADEntities(0);
  EXPECT_EQ(CadFunctions::CadLineCount(), 60120u);
  EXPECT_EQ(CadFunctions::CadTextCount(), 6000u);
  EXPECT_EQ(texts()[5000].Text, "t5000");
  EXPECT_EQ(lines().back().Color, kBlue);
  EXPECT_TRUE(traps.errors.empty());
  EXPECT_EQ(cad(0).EntityList().Count(), 0);
  // The next page starts the lists afresh.
  line(0, 0, 1, 1);
  CadFunctions::GetCADEntities(0);
  EXPECT_EQ(CadFunctions::CadLineCount(), 1u);
  EXPECT_EQ(CadFunctions::CadTextCount(), 0u);
}

TEST_F(EntityLists, AddEntityPlacesOneEntityIntoTheLists) {
  CadFunctions::ClearEntityLists();
  dxf::Entity e;
  e.EntityType = "LINE";
  e.LayerName = "PLANE2";
  e.X1 = 1;
  CadFunctions::AddEntity(e, 2, 3, 2, 2, 0);
  e.EntityType = "ARC";  // no kind of its own in the lists
  CadFunctions::AddEntity(e, 0, 0, 1, 1, 0);
  ASSERT_EQ(lines().size(), 1u);
  EXPECT_EQ(lines()[0], (CadLine{2, 3, 4, 3, kBlue}));
}

TEST_F(EntityLists, AViewWithoutAControlIsReported) {
  CadFunctions::GetCADEntities(1);
  ASSERT_EQ(traps.errors.size(), 1u);
  EXPECT_EQ(traps.errors[0].number, 91);
  EXPECT_EQ(entityLists().CadEntityViewIndex, 1);
}

}  // namespace
