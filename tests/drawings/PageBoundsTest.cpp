// The bounds of a page's flattening: what cannot show on the page is passed over, curves are cut
// by their size on the page, nothing far off or not finite reaches the lists, a page collects at
// most so much and says so; block references print each copy once, as vectors only.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <numbers>

#include "DrawingsTestSupport.h"
#include "drawings/PageDrawing.h"
#include "platform/dxf/EntityViews.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/runtime/Files.h"
#include "support/PeakMemory.h"
#include "support/QtApp.h"

namespace {

using CadFunctions::CadLine;
using CadFunctions::entityLists;
constexpr double kPi = std::numbers::pi;

class PageBounds : public drawingstest::RealViews {
 protected:
  void TearDown() override {
    CadFunctions::ClearEntityLists();
    RealViews::TearDown();
  }
  dxf::Entity& add(const std::string& type) {
    dxf::Entity& e = cad(0).EntityList().Add();
    e.EntityType = type;
    return e;
  }
  dxf::Entity& circle(double x, double y, double r) {
    dxf::Entity& e = add("CIRCLE");
    e.X0 = x, e.Y0 = y, e.g40 = r;
    return e;
  }
  dxf::Block& block(const std::string& name) {
    dxf::Block b;
    b.Name = name;
    return cad(0).Blocks().Add(b);
  }
  static dxf::Entity Line(double x0, double y0, double x1, double y1) {
    dxf::Entity e;
    e.EntityType = "LINE";
    e.X0 = x0, e.Y0 = y0, e.X1 = x1, e.Y1 = y1;
    return e;
  }
  dxf::Entity& insert(const std::string& name, double x, double y) {
    dxf::Entity& e = add("INSERT");
    e.EditExtra().BlockName = name;
    e.X0 = x, e.Y0 = y, e.g41 = 1, e.EditExtra().g42 = 1;
    return e;
  }
  const std::vector<CadLine>& lines() { return entityLists().CadLineList; }
  size_t Flatten() {
    cad(0).EntityList().items().shrink_to_fit();
    CadFunctions::GetCADEntities(0);
    return lines().size();
  }
};

TEST_F(PageBounds, CurvesAreCutByTheirSizeOnThePageAndOnlyWhereTheyShow) {
  struct Case {
    std::string name;
    double x, y, r;
    size_t chords;
  };
  const Case cases[] = {
      {"an inch: 2 degrees a chord", 4, 5, 1, 180},
      {"a hundredth of an inch: no chord under half a 1200 dpi pixel", 4, 5, 0.01, 151},
      {"a dot", 4, 5, 1e-6, 8},
      {"off the page", 40, 5, 1, 0},
      {"round the whole page", 4, 5, 1e300, 0},
      {"of radius 1e39 about the corner", 0, 0, 1e39, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cad(0).EntityList().Clear();
    circle(c.x, c.y, c.r);
    EXPECT_EQ(Flatten(), c.chords);
    EXPECT_FALSE(entityLists().Cut);
  }
  // A circle of radius 1000 whose rim crosses the page: only the piece that shows, chords within
  // a tenth of a thousandth of an inch of it, each end on the rim.
  cad(0).EntityList().Clear();
  circle(4.25, -995, 1000);
  const size_t n = Flatten();
  EXPECT_GT(n, 10u);
  EXPECT_LT(n, 2000u);
  for (const CadLine& l : lines()) {
    EXPECT_GE(l.X1, CadFunctions::kPageShowMinX - 1e-3);
    EXPECT_LE(l.X2, CadFunctions::kPageShowMaxX + 1e-3);
    EXPECT_NEAR(std::hypot(l.X1 - 4.25, l.Y1 + 995), 1000, 1e-3);
  }
  for (size_t i = 1; i < n; ++i) {
    const double mx = (lines()[i].X1 + lines()[i].X2) / 2, my = (lines()[i].Y1 + lines()[i].Y2) / 2;
    EXPECT_LT(1000 - std::hypot(mx - 4.25, my + 995), 2 * CadFunctions::kChordTolerance);
  }
}

TEST_F(PageBounds, FarAndNotFiniteSegmentsNeverReachThePrinter) {
  add("LINE").X1 = 1e30;  // from (0, 0) far along x: cut back
  dxf::Entity& nan = add("LINE");
  nan.X0 = NAN, nan.X1 = 1;
  dxf::Entity& off = add("LINE");  // wholly off the page
  off.X0 = 100, off.Y0 = 100, off.X1 = 200, off.Y1 = 100;
  ASSERT_EQ(Flatten(), 1u);
  EXPECT_EQ(lines()[0].X1, 0);
  EXPECT_LE(lines()[0].X2, 22);
  EXPECT_GT(lines()[0].X2, 9.5);
  // A bulge of 1e10 between two points on the page: the near-whole turn of a circle of radius
  // 3.5e10, printed where it shows, every point on the page.
  cad(0).EntityList().Clear();
  dxf::Entity& p = add("LWPOLYLINE");
  p.Vertices.Add({0, 0, 1e10});
  p.Vertices.Add({10, 10});
  Flatten();
  EXPECT_LT(lines().size(), 100u);
  // The same ten thousand times larger: a circle of radius 3.5e14 through (1, 1).
  cad(0).EntityList().Clear();
  dxf::Entity& q = add("LWPOLYLINE");
  q.Vertices.Add({1, 1, 1e10});
  q.Vertices.Add({100001, 100001});
  Flatten();
  EXPECT_LT(lines().size(), 100u);
  EXPECT_FALSE(entityLists().Cut);
  for (const CadLine& l : lines()) {
    for (float v : {l.X1, l.Y1, l.X2, l.Y2}) {
      EXPECT_TRUE(std::isfinite(v));
      EXPECT_LE(std::fabs(v), 22);
    }
  }
}

TEST_F(PageBounds, APageCollectsAtMostItsBoundsAndSaysItWasCut) {
  // Sixteen thousand circles of an inch on the page: 2.9 million chords asked for.
  dxf::Block& b = block("C");
  for (int i = 0; i < 160; ++i) {
    dxf::Entity c;
    c.EntityType = "CIRCLE";
    c.X0 = 1 + (i % 16) * 0.4, c.Y0 = 1 + (i / 16) * 0.8, c.g40 = 1;
    b.Entities.Add(c);
  }
  for (int i = 0; i < 100; ++i) insert("C", (i % 10) * 0.01, (i / 10) * 0.01);
  EXPECT_EQ(Flatten(), static_cast<size_t>(CadFunctions::kPageMaxSegments));
  EXPECT_TRUE(entityLists().Cut);
  EXPECT_TRUE(traps.errors.empty());  // the page printer reports it, once
  // Texts: at most so many, and so many characters.
  cad(0).EntityList().Clear();
  for (int i = 0; i < CadFunctions::kPageMaxTexts + 10; ++i) {
    dxf::Entity& t = add("TEXT");
    t.X0 = 1, t.Y0 = 1, t.g40 = 0.1, t.Text = "t";
  }
  Flatten();
  EXPECT_EQ(CadFunctions::CadTextCount(), static_cast<size_t>(CadFunctions::kPageMaxTexts));
  EXPECT_TRUE(entityLists().Cut);
  cad(0).EntityList().Clear();
  for (int i = 0; i < 3; ++i) {
    dxf::Entity& t = add("TEXT");
    t.X0 = 1, t.Y0 = 1, t.g40 = 0.1, t.Text = std::string(100000, 'W');
  }
  Flatten();
  EXPECT_EQ(CadFunctions::CadTextCount(), 2u);
  EXPECT_TRUE(entityLists().Cut);
  // A page within its bounds is not cut.
  cad(0).EntityList().Clear();
  circle(4, 4, 1);
  Flatten();
  EXPECT_FALSE(entityLists().Cut);
}

TEST_F(PageBounds, BlockCopiesOffThePageAreNotWorkedOut) {
  dxf::Block& b = block("B");
  b.Entities.Add(Line(0, 0, 0.5, 0.5));
  insert("B", 2, 2);       // shows
  insert("B", 500, 500);   // far off the page
  insert("B", -20, 3);     // off to the left
  EXPECT_EQ(Flatten(), 1u);
  EXPECT_FALSE(entityLists().Cut);
}

// A block reference's contents print once, as vectors, every copy of an array among them; the
// raster draws the reference without what the vectors print, and the block stays whole.
TEST_F(PageBounds, EveryCopyOfABlockPrintsOnceAsVectors) {
  dxf::Block& b = block("B");
  b.Entities.Add(Line(0, 0, 1, 0));
  dxf::Entity solid;
  solid.EntityType = "SOLID";
  solid.X0 = 0, solid.Y0 = 0.5, solid.X1 = 0.5, solid.Y1 = 0.5;
  solid.EditExtra().X2 = 0, solid.EditExtra().Y2 = 1, solid.EditExtra().X3 = 0.5,
  solid.EditExtra().Y3 = 1;
  b.Entities.Add(solid);
  dxf::Entity& ref = insert("B", 1, 1);
  dxf::InsertView array(ref);
  array.Columns = 3, array.Rows = 2, array.ColumnSpacing = 2, array.RowSpacing = 3;
  ASSERT_EQ(Flatten(), 6u);
  for (int row = 0; row < 2; ++row) {
    for (int col = 0; col < 3; ++col) {
      const CadLine& l = lines()[static_cast<size_t>(row * 3 + col)];
      EXPECT_FLOAT_EQ(l.X1, 1 + col * 2);
      EXPECT_FLOAT_EQ(l.Y1, 1 + row * 3);
      EXPECT_FLOAT_EQ(l.X2, 2 + col * 2);
    }
  }
  EXPECT_EQ(cad(0).Blocks().Item("B").Entities.Count(), 2);
  ASSERT_EQ(cad(0).EntityList().Count(), 1);
  EXPECT_FALSE(entityLists().RasterEmpty);
  // The page's raster, 100 pixels an inch: the solids of the six copies, none of the lines.
  cad(0).PlotMode = 0;
  QImage page(850, 1100, QImage::Format_RGB32);
  page.fill(Qt::white);
  cad(0).RenderToPicture(page);
  auto at = [&](double x, double y) { return page.pixel(static_cast<int>(x * 100), 1100 - static_cast<int>(y * 100)); };
  for (int row = 0; row < 2; ++row) {
    for (int col = 0; col < 3; ++col) {
      EXPECT_NE(at(1.25 + col * 2, 1.75 + row * 3), qRgb(255, 255, 255)) << col << " " << row;
      EXPECT_EQ(at(1.75 + col * 2, 1 + row * 3), qRgb(255, 255, 255)) << col << " " << row;
    }
  }
  // A reference whose block holds only what the vectors print leaves nothing to the raster.
  cad(0).EntityList().Clear();
  dxf::Block& lines = block("L");
  lines.Entities.Add(Line(0, 0, 1, 1));
  insert("L", 1, 1);
  EXPECT_EQ(Flatten(), 1u);
  EXPECT_TRUE(entityLists().RasterEmpty);
}

// Two blocks that refer to each other, only the first holding what the raster draws (a solid):
// the references inside the raster's copies are kept wherever the walk came into the loop, so
// the page's picture draws the solid of every nested copy, as the screen does.
TEST_F(PageBounds, BlocksReferringToEachOtherKeepTheirReferencesInThePicture) {
  auto ref = [](const std::string& name, double x, double y) {
    dxf::Entity e;
    e.EntityType = "INSERT";
    e.EditExtra().BlockName = name;
    e.X0 = x, e.Y0 = y, e.g41 = 1, e.EditExtra().g42 = 1;
    return e;
  };
  dxf::Entity solid;
  solid.EntityType = "SOLID";
  solid.X0 = 0, solid.Y0 = 0, solid.X1 = 0.5, solid.Y1 = 0;
  solid.EditExtra().X2 = 0, solid.EditExtra().Y2 = 0.5, solid.EditExtra().X3 = 0.5,
  solid.EditExtra().Y3 = 0.5;
  // B comes first in the drawing, and A meets B before its own solid: a walk from B's reference
  // to A comes back to B while A's answer is still open.
  block("B").Entities.Add(ref("A", 0, 2));
  dxf::Block& a = block("A");
  a.Entities.Add(ref("B", 2, 0));
  a.Entities.Add(solid);
  insert("A", 1, 1);
  Flatten();
  ASSERT_FALSE(entityLists().RasterEmpty);
  // The page's raster, 100 pixels an inch: A's solid at (1, 1), and again through B at (3, 3).
  cad(0).PlotMode = 0;
  QImage page(850, 1100, QImage::Format_RGB32);
  page.fill(Qt::white);
  cad(0).RenderToPicture(page);
  for (const double at : {1.25, 3.25, 5.25}) {
    EXPECT_NE(page.pixel(static_cast<int>(at * 100), 1100 - static_cast<int>(at * 100)),
              qRgb(255, 255, 255))
        << at;
  }
}

TEST_F(PageBounds, NestedReferencesAreExpandedAndABlockInsideItselfStops) {
  dxf::Block& inner = block("INNER");
  inner.Entities.Add(Line(0, 0, 1, 0));
  dxf::Block& outer = block("OUTER");
  dxf::Entity ref;
  ref.EntityType = "INSERT";
  ref.EditExtra().BlockName = "INNER";
  ref.X0 = 1, ref.g41 = 2, ref.EditExtra().g42 = 2;
  outer.Entities.Add(ref);
  insert("OUTER", 2, 3);
  ASSERT_EQ(Flatten(), 1u);
  EXPECT_FLOAT_EQ(lines()[0].X1, 3);
  EXPECT_FLOAT_EQ(lines()[0].Y1, 3);
  EXPECT_FLOAT_EQ(lines()[0].X2, 5);
  // A block holding six copies of itself: 6^16 copies asked for, a bounded number printed.
  cad(0).EntityList().Clear();
  dxf::Block& seat = block("SEAT");
  seat.Entities.Add(Line(0, 0, 0.01, 0.01));
  dxf::Entity self;
  self.EntityType = "INSERT";
  self.EditExtra().BlockName = "SEAT";
  self.X0 = 0.01, self.g41 = 1, self.EditExtra().g42 = 1, self.Flags = 3;
  self.EditExtra().g71 = 2;
  seat.Entities.Add(self);
  insert("SEAT", 4, 4);
  Flatten();
  EXPECT_TRUE(entityLists().Cut);
  EXPECT_LE(lines().size(), static_cast<size_t>(CadFunctions::kPageMaxBlockContents));
}

// A fuzz finding: a damaged block holding copies of itself with attributes, and dimensions of
// no block. The page's lists and its raster both stop at their bounds, quickly.
TEST_F(PageBounds, ABlockOfItselfWithAttributesStopsAtTheBoundsInLists) {
  testsupport::QtApp();
  std::string text;
  ASSERT_TRUE(vb::ReadWholeFile(std::string(TOLVANE_FIXTURES) +
                                    "/hostile/page_self_insert_attributes.dxf",
                                text));
  cad(0).LoadDrawingText(text);
  const double t0 = testsupport::ThreadSeconds();
  CadFunctions::GetCADEntities(0);
  EXPECT_TRUE(entityLists().Cut);
  EXPECT_LE(lines().size(), static_cast<size_t>(CadFunctions::kPageMaxSegments));
  cad(0).PlotMode = 0;
  QImage page(850, 1100, QImage::Format_RGB32);
  page.fill(Qt::white);
  EXPECT_FALSE(cad(0).RenderToPicture(page, false));  // the renderer's own bounds
  EXPECT_LT(testsupport::ThreadSeconds() - t0, 5.0);
}

}  // namespace
