// Drawings that ask for unbounded work: each reads and draws with work bounded by what the view
// shows. Several of them were found by fuzzing the reader and the renderer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "platform/dxf/DxfTestSupport.h"
#include "platform/dxf/HostileDrawings.h"
#include "platform/dxf/Reader.h"
#include "platform/dxf/Render.h"
#include "platform/dxf/ViewState.h"
#include "platform/dxf/Writer.h"

namespace {

using dxf::RecordingSink;
using dxftest::BlockInsideItself;
using dxftest::BulgedGridPolyline;
using dxftest::File;
using dxftest::Groups;
using dxftest::HatchWithArcEdge;
using dxftest::HugeCircleAndArc;
using dxftest::NestedArraysOfOneCircle;
using Item = RecordingSink::Item;

struct Drawn {
  std::vector<Item> items;
  long points = 0;
  bool truncated = false;
};

// Draws a drawing as the screen does: a 900 x 600 view of the window, clipped to it.
Drawn DrawOnScreen(const dxf::Document& d, dxf::Window w = {0, 0, 12, 9},
                   dxf::RenderOptions opt = {}) {
  dxf::ViewState v;
  v.SetPixelSize(900, 600);
  v.Show(w.MinX, w.MinY, w.MaxX, w.MaxY);
  opt.clipMinX = -2, opt.clipMinY = -2, opt.clipMaxX = 902, opt.clipMaxY = 602;
  RecordingSink sink;
  dxf::Renderer r(d, sink, v.ToPixels(), opt);
  r.DrawAll();
  Drawn out;
  out.items = std::move(sink.items);
  for (const Item& i : out.items) out.points += static_cast<long>(i.pts.size());
  out.truncated = r.Truncated();
  return out;
}

dxf::Document Read(const std::string& text) {
  dxf::Document d;
  dxf::ReadDxf(text, d);
  return d;
}

TEST(HostileDrawings, HatchArcEdgesWithAnyAnglesReadAsABoundedLoop) {
  // Huge angles once made the sweep normalising loop run for ever, overflowed the point count
  // or asked for billions of points.
  const struct {
    const char* start;
    const char* end;
  } cases[] = {{"0", "-1e300"}, {"0", "1e300"}, {"1e20", "-1e20"}, {"-1e300", "1e300"},
               {"0", "-360"},   {"10", "730"},  {"0", "1e17"},     {"1e308", "-1e308"}};
  for (const auto& c : cases) {
    for (bool ccw : {true, false}) {
      const std::string what = std::string(c.start) + " to " + c.end + (ccw ? " ccw" : " cw");
      dxf::Document d = Read(HatchWithArcEdge(c.start, c.end, ccw));
      ASSERT_EQ(d.Entities.Count(), 1) << what;
      ASSERT_EQ(d.Entities.Item(1).Extra().Children.size(), 1u) << what;
      const auto& loop = d.Entities.Item(1).Extra().Children[0].Vertices;
      EXPECT_GE(loop.Count(), 2) << what;
      EXPECT_LE(loop.Count(), 8) << what;
      for (const dxf::Vertex& v : loop) {
        EXPECT_TRUE(std::isfinite(v.X0) && std::isfinite(v.Y0) && std::isfinite(v.Bulge)) << what;
        EXPECT_LE(std::fabs(v.Bulge), 1.0) << what;
      }
      Drawn drawn = DrawOnScreen(d, {-10, -10, 10, 10});
      EXPECT_FALSE(drawn.truncated) << what;
      EXPECT_LT(drawn.points, 2000) << what;
    }
  }
}

TEST(HostileDrawings, HatchArcEdgesDrawOnTheirCircle) {
  // A quarter from 0 to 90 degrees, counter-clockwise; clockwise the same angles turn the other
  // way (to -90 degrees).
  for (bool ccw : {true, false}) {
    dxf::Document d = Read(HatchWithArcEdge("0", "90", ccw));
    RecordingSink sink;
    dxf::RenderOptions opt;
    opt.deviceYDown = false;
    dxf::Renderer r(d, sink, dxf::Affine::Scaling(20, 20), opt);  // 100 pixels of radius
    r.DrawAll();
    ASSERT_EQ(sink.items.size(), 1u);
    const auto& pts = sink.items[0].pts;
    ASSERT_GT(pts.size(), 10u) << "the arc is flattened by its size on the target";
    // The points of the arc's inside lie on the circle in the quadrant the arc turns through;
    // none in the other one.
    int onArc = 0;
    for (const dxf::Point& p : pts) {
      const bool on = std::fabs(std::hypot(p.x, p.y) - 100) < 0.3;
      const bool inside = p.x > 1 && std::fabs(p.y) > 1;
      if (!on || !inside) continue;
      EXPECT_EQ(p.y > 0, ccw) << p.x << ", " << p.y;
      ++onArc;
    }
    EXPECT_GE(onArc, 8);
  }
}

TEST(HostileDrawings, NestedArraysOfAHugeCircleDrawOnlyWhatTheViewShows) {
  // The view lies deep inside every copy: nothing of any circle is in it.
  dxf::Document inside = Read(NestedArraysOfOneCircle("0", "1e9"));
  Drawn none = DrawOnScreen(inside);
  EXPECT_EQ(none.points, 0);

  // Every copy's rim crosses the window's left edge region: only those pieces are drawn, a few
  // points each, within the budget.
  dxf::Document rim = Read(NestedArraysOfOneCircle("-1e9", "1e9"));
  dxf::RenderOptions opt;
  opt.maxExpanded = 100000;
  Drawn some = DrawOnScreen(rim, {-400, -300, 500, 300}, opt);
  ASSERT_FALSE(some.items.empty());
  for (const Item& i : some.items) {
    ASSERT_EQ(i.kind, Item::kPolyline);
    EXPECT_LE(i.pts.size(), 8u) << "a visible piece of a huge circle needs few points";
  }
  EXPECT_LE(some.points, 8 * 100000);
}

TEST(HostileDrawings, ACircleFarLargerThanTheViewIsFlattenedWhereItIsSeen) {
  // A circle of radius 1e7 whose rim passes through the middle of a 12 x 9 window.
  dxf::Document d = Read(HugeCircleAndArc());
  Drawn drawn = DrawOnScreen(d);
  ASSERT_EQ(drawn.items.size(), 2u);
  dxf::ViewState v;
  v.SetPixelSize(900, 600);
  v.Show(0, 0, 12, 9);
  for (const Item& i : drawn.items) {
    EXPECT_GE(i.pts.size(), 2u);
    EXPECT_LE(i.pts.size(), 16u);
    // The piece spans the view: from beyond one edge to beyond the other.
    const dxf::Point a = i.pts.front(), b = i.pts.back();
    const double spanX = std::fabs(a.x - b.x), spanY = std::fabs(a.y - b.y);
    EXPECT_GT(std::max(spanX, spanY), 590);
  }
  // The vertical rim at x = 6, the horizontal one at y = 4.5.
  const dxf::Point mid = v.DrawingToPixel(6, 4.5);
  EXPECT_NEAR(drawn.items[0].pts[0].x, mid.x, 0.5);
  EXPECT_NEAR(drawn.items[1].pts[0].y, mid.y, 0.5);
}

// Counts what reaches the device, keeping nothing: the longest chain and the points in all.
struct CountingSink : dxf::Sink {
  void Polyline(const std::vector<dxf::Point>& pts, dxf::Rgb, double,
                const std::vector<double>&) override {
    count(pts);
  }
  void Polygon(const std::vector<dxf::Point>& pts, dxf::Rgb) override { count(pts); }
  void Text(const dxf::TextItem&) override {}
  void Dot(dxf::Point, dxf::Rgb, double) override { ++points; }
  void count(const std::vector<dxf::Point>& pts) {
    points += static_cast<long>(pts.size());
    longest = std::max(longest, pts.size());
  }
  long points = 0;
  size_t longest = 0;
};

TEST(HostileDrawings, BulgesOfHugeArcsAreFlattenedWhereTheViewSeesThem) {
  // A closed polyline through a 200 x 100 grid, every bulge an arc of nearly a whole turn on a
  // circle billions of units across: near its vertices each arc runs along its chord's line,
  // out of the view, and comes back in on the far side. On the screen each arc is drawn where
  // it crosses the view, a few points a piece, as a circle of that size is.
  dxf::Document d = Read(BulgedGridPolyline(200, 100));
  const dxf::Window w{-10, -10, 210, 110};
  Drawn drawn = DrawOnScreen(d, w);
  EXPECT_FALSE(drawn.truncated);
  ASSERT_GT(drawn.items.size(), 20000u);
  for (const Item& i : drawn.items) {
    ASSERT_EQ(i.kind, Item::kPolyline);
    ASSERT_LE(i.pts.size(), 16u);
  }
  EXPECT_LT(drawn.points, 20000 * 16);
  // Every row of the grid is drawn as a line across the view.
  dxf::ViewState v;
  v.SetPixelSize(900, 600);
  v.Show(w.MinX, w.MinY, w.MaxX, w.MaxY);
  for (int row = 0; row < 100; ++row) {
    const double y = v.DrawingToPixel(0, row).y;
    bool across = false;
    for (const Item& i : drawn.items) {
      const dxf::Point a = i.pts.front(), b = i.pts.back();
      across = across || (std::fabs(a.y - y) < 1 && std::fabs(b.y - y) < 1 && std::fabs(a.x - b.x) > 100);
    }
    EXPECT_TRUE(across) << "row " << row;
  }

  // Without a clip rectangle every arc is flattened whole: the chain goes to the device in
  // pieces of bounded size, and the point budget stops the drawing while the points are made.
  CountingSink sink;
  dxf::RenderOptions opt;
  opt.maxPoints = 3000000;
  dxf::Renderer r(d, sink, v.ToPixels(), opt);
  r.DrawAll();
  EXPECT_TRUE(r.Truncated());
  EXPECT_GT(sink.points, 0);
  EXPECT_LE(sink.points, opt.maxPoints);
  EXPECT_LE(sink.longest, size_t{1} << 20);
}

TEST(HostileDrawings, ABlockInsideItselfStopsAtTheCopyBudget) {
  // Found by fuzzing: a block whose ENDBLK was damaged holds an array of 6 copies of itself,
  // which nested down to the depth limit asks for 6^16 copies.
  dxf::Document d = Read(BlockInsideItself());
  const dxf::RenderOptions defaults;
  Drawn drawn = DrawOnScreen(d);
  EXPECT_TRUE(drawn.truncated) << "the drawing says it was not drawn in full";
  EXPECT_GT(drawn.items.size(), 0u);
  EXPECT_LE(static_cast<long>(drawn.items.size()), defaults.maxExpanded);
}

TEST(HostileDrawings, ArrayCopiesOutsideTheViewAreSkippedAndTheRestDrawnAsBefore) {
  // A 1000 x 100 array of unit squares, rotated, of which the view sees a few dozen.
  std::string blocks = Groups({{0, "BLOCK"}, {2, "SQ"}, {10, "0"}, {20, "0"}}) +
                       Groups({{0, "LWPOLYLINE"},
                               {90, "4"},
                               {70, "1"},
                               {10, "0"},
                               {20, "0"},
                               {10, "0.5"},
                               {20, "0"},
                               {10, "0.5"},
                               {20, "0.5"},
                               {10, "0"},
                               {20, "0.5"}}) +
                       Groups({{0, "ENDBLK"}});
  dxf::Document d = Read(File(Groups({{0, "INSERT"},
                                      {2, "SQ"},
                                      {10, "-500"},
                                      {20, "-135"},
                                      {50, "10"},
                                      {70, "1000"},
                                      {71, "100"},
                                      {44, "1"},
                                      {45, "1"}}),
                              "", blocks));
  Drawn culled = DrawOnScreen(d);
  dxf::RenderOptions all;
  all.maxExpanded = 1000000;
  // The same with the copies culled one by one after flattening (a clip that skips nothing
  // before): draw without the array narrowing by putting the window in a huge clip, then keep
  // what falls in the screen.
  dxf::ViewState v;
  v.SetPixelSize(900, 600);
  v.Show(0, 0, 12, 9);
  RecordingSink sink;
  dxf::Renderer r(d, sink, v.ToPixels(), all);
  r.DrawAll();
  std::vector<Item> visible;
  for (const Item& i : sink.items) {
    bool in = false;
    for (const dxf::Point& p : i.pts)
      in = in || (p.x >= -2 && p.x <= 902 && p.y >= -2 && p.y <= 602);
    if (in) visible.push_back(i);
  }
  ASSERT_GT(visible.size(), 20u);
  EXPECT_LT(culled.items.size(), 400u);
  // Every square the view shows is drawn, at the same place.
  size_t found = 0;
  for (const Item& want : visible) {
    for (const Item& got : culled.items) {
      if (got.pts.size() == want.pts.size() && std::fabs(got.pts[0].x - want.pts[0].x) < 1e-6 &&
          std::fabs(got.pts[0].y - want.pts[0].y) < 1e-6) {
        ++found;
        break;
      }
    }
  }
  EXPECT_EQ(found, visible.size());
}

TEST(HostileDrawings, AnEllipseOfAnyParametersWritesAsABoundedPolyline) {
  // Found by fuzzing: an end parameter of 1e33 radians asked the R12 writer for an integer point
  // count out of range (and as many points).
  const struct {
    const char* start;
    const char* end;
  } cases[] = {{"0", "1111111111111111111111111111111110"}, {"1e300", "-1e300"}, {"-1e20", "0"}};
  for (const auto& c : cases) {
    dxf::Document d = Read(File(Groups({{0, "ELLIPSE"},
                                        {10, "6"},
                                        {20, "2"},
                                        {11, "2"},
                                        {21, "0"},
                                        {40, "0.5"},
                                        {41, c.start},
                                        {42, c.end}})));
    ASSERT_EQ(d.Entities.Count(), 1) << c.end;
    dxf::Document back = Read(dxf::WriteDxfR12(d));
    ASSERT_EQ(back.Entities.Count(), 1) << c.end;
    EXPECT_EQ(back.Entities.Item(1).EntityType, "POLYLINE");
    EXPECT_GE(back.Entities.Item(1).Vertices.Count(), 8) << c.end;
    EXPECT_LE(back.Entities.Item(1).Vertices.Count(), 80) << c.end;
    EXPECT_LT(DrawOnScreen(d).points, 2000) << c.end;
  }
}

TEST(HostileDrawings, ATextWithANulCodeWritesADrawingThatReadsBack) {
  // Found by fuzzing: "\U+0000" decoded to a NUL character, which the R12 writer wrote into the
  // file, and a file holding a NUL byte does not read.
  dxf::Document d =
      Read(File(Groups({{0, "TEXT"}, {10, "1"}, {20, "1"}, {40, "0.5"}, {1, "A\\U+0000B"}})));
  ASSERT_EQ(d.Entities.Count(), 1);
  EXPECT_EQ(d.Entities.Item(1).Text, "AB");
  d.Entities.Item(1).Text = std::string("C\0D", 3);  // set by code, not read
  const std::string written = dxf::WriteDxfR12(d);
  EXPECT_EQ(written.find('\0'), std::string::npos);
  dxf::Document back = Read(written);
  ASSERT_EQ(back.Entities.Count(), 1);
  EXPECT_EQ(back.Entities.Item(1).Text, "CD");
}

}  // namespace
