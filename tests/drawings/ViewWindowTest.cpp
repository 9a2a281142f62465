#include <gtest/gtest.h>

#include <cmath>

#include "DrawingsTestSupport.h"
#include "platform/ui/FakeHooks.h"

namespace {

using CadFunctions::Extents;
using CadFunctions::ViewWindow;
using drawingstest::Groups;
using drawingstest::Line;
using drawingstest::Text;

std::string Polyline(const std::string& type, const std::string& layer,
                     std::vector<std::pair<double, double>> points) {
  std::string out;
  if (type == "LWPOLYLINE") {
    out = Groups({{0, "LWPOLYLINE"}, {8, layer}, {90, std::to_string(points.size())}});
    for (auto [x, y] : points) out += Groups({{10, std::to_string(x)}, {20, std::to_string(y)}});
    return out;
  }
  out = Groups({{0, "POLYLINE"}, {8, layer}, {66, "1"}, {10, "0"}, {20, "0"}});
  for (auto [x, y] : points) {
    out += Groups({{0, "VERTEX"}, {8, layer}, {10, std::to_string(x)}, {20, std::to_string(y)}});
  }
  return out + Groups({{0, "SEQEND"}});
}

class Extent : public drawingstest::RealViews {
 protected:
  void load(int view, const std::string& entities) {
    cad(view).ClearDrawing();
    CadFunctions::SetupNewDrawing(view);
    cad(view).MergeDrawingText(drawingstest::DxfFile(entities));
  }
  std::vector<double> minMax(int view) {
    vb::Variant a, b, c, d;
    CadFunctions::GetMinMax(view, a, b, c, d);
    return {a.toDouble(), b.toDouble(), c.toDouble(), d.toDouble()};
  }
};

TEST_F(Extent, OnlyFirstPointsAndPolylineVerticesCountAndTheGridNever) {
  struct Case {
    const char* name;
    std::string entities;
    std::vector<double> expected;  // MinX, MaxX, MinY, MaxY
  };
  const Case cases[] = {
      {"end points of lines do not count",
       Line("0", 0, 0, 10, 5) + Line("0", 2, 1, 3, 8),
       {0, 2, 0, 1}},
      {"a light-weight polyline counts its vertices",
       Line("0", 1, 1, 1, 1) + Polyline("LWPOLYLINE", "0", {{4, -2}, {-3, 6}}),
       {-3, 4, -2, 6}},
      {"an R12 polyline counts its vertices",
       Polyline("POLYLINE", "0", {{5, 3}, {7, 9}}),
       {0, 7, 0, 9}},  // its own point (the origin) counts as well
      {"the grid never counts",
       Line("GRID", -2400, -2400, 0, 0) + Line("DIM", 3, 4, 0, 0) + Text("0", -1, 2, 1, "A"),
       {-1, 3, 0, 4}},  // measured from empty values: the origin counts
      {"nothing counted leaves the origin",
       Line("GRID", 1, 1, 2, 2),
       {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    load(0, c.entities);
    EXPECT_EQ(minMax(0), c.expected);
  }
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(Extent, GetMinMaxWidensTheValuesGivenAndWidenAccumulates) {
  load(0, Line("0", 10, 10, 0, 0) + Line("0", 12, 14, 0, 0));
  // The values given count: they are widened, never replaced.
  vb::Variant a(-50.0), b(11.0), c(13.0), d(50.0);
  CadFunctions::GetMinMax(0, a, b, c, d);
  EXPECT_EQ(std::vector<vb::Variant>({a, b, c, d}),
            std::vector<vb::Variant>({vb::Variant(-50.0), vb::Variant(12.0), vb::Variant(10.0),
                                      vb::Variant(50.0)}));
  // Empty values count as 0: a drawing away from the origin is measured from it.
  vb::Variant e, f, g, h;
  CadFunctions::GetMinMax(0, e, f, g, h);
  EXPECT_EQ(std::vector<vb::Variant>({e, f, g, h}),
            std::vector<vb::Variant>(
                {vb::Variant(0.0), vb::Variant(12.0), vb::Variant(0.0), vb::Variant(14.0)}));

  Extents all;
  Widen(all, CadFunctions::MeasureExtents(0));
  load(0, Line("0", -4, 20, 0, 0) + Line("0", -2, 15, 0, 0));
  Widen(all, CadFunctions::MeasureExtents(0));
  Widen(all, Extents{});  // an empty measurement adds nothing
  EXPECT_EQ(all, (Extents{false, -4, 12, 10, 20}));
  Extents origin{false, 0, 0, 0, 0};  // extents that start at the origin keep it
  Widen(origin, all);
  EXPECT_EQ(origin, (Extents{false, -4, 12, 0, 20}));
}

TEST_F(Extent, FramingAddsAMarginAndTakesTheShapeOfTheControl) {
  struct Case {
    std::string entities;
    double minX, maxX, minY, maxY;
  };
  // CAD(0) is 900 x 600 pixels: Width / Height = 1.5.
  const Case cases[] = {
      {Line("0", 0, 0, 5, 5) + Line("0", 10, 2, 0, 0), -0.5, 10.5, -2.6667, 4.6667},
      {Line("0", 0, 0, 5, 5) + Line("0", 2, 10, 0, 0), -7.25, 9.25, -0.5, 10.5},
      // Exactly the control's shape: the margin only.
      {Line("0", 0, 0, 5, 5) + Line("0", 15, 10, 0, 0), -0.75, 15.75, -0.5, 10.5},
      // Zero height: the height comes from the width.
      {Text("0", 0, 1, 1, "A") + Text("0", 11, 1, 1, "B"), -0.55, 11.55, 1 - 12.1 / 3,
       1 + 12.1 / 3},
      // A single point: a one-inch box about it, widened to the shape.
      {Text("0", 4, 3, 1, "X"), 3.25, 4.75, 2.5, 3.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entities);
    load(0, c.entities);
    vb::Variant a, b, d, e;
    ASSERT_TRUE(CadFunctions::GetCADMinMax(0, a, b, d, e));
    EXPECT_EQ(a.type(), vb::VarType::Single);
    EXPECT_NEAR(a.toDouble(), c.minX, 1e-4);
    EXPECT_NEAR(b.toDouble(), c.maxX, 1e-4);
    EXPECT_NEAR(d.toDouble(), c.minY, 1e-4);
    EXPECT_NEAR(e.toDouble(), c.maxY, 1e-4);
  }
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(Extent, ZoomAllShowsTheFramedExtentsAndLeavesAnEmptyDrawingAlone) {
  load(2, Line("0", 0, 0, 5, 5) + Line("0", 10, 2, 0, 0));
  cad(2).SetSize(900, 600);
  CadFunctions::ZoomAll(2);
  EXPECT_NEAR(cad(2).ViewMinX(), -0.5, 1e-4);
  EXPECT_NEAR(cad(2).ViewMaxY(), 4.6667, 1e-4);

  // Only the grid: nothing to measure, the window stays and nothing is reported.
  load(3, "");
  CadFunctions::MakeGrid(3);
  cad(3).ZoomToWindow(0, 0, 12, 8);
  const dxf::Window before = cad(3).View().Displayed();
  vb::Variant a(1.0f), b(2.0f), c(3.0f), d(4.0f);
  EXPECT_FALSE(CadFunctions::GetCADMinMax(3, a, b, c, d));
  EXPECT_EQ(a, vb::Variant(1.0f));
  CadFunctions::ZoomAll(3);
  EXPECT_EQ(cad(3).View().Displayed(), before);
  EXPECT_TRUE(traps.errors.empty());
}

using ViewCommands = Extent;

TEST_F(ViewCommands, ZoomCtrScalesTheHalfSizeAboutTheCentre) {
  struct Case {
    float percent;
    ViewWindow expected;
  };
  const Case cases[] = {
      {25, {.minX = 12.5, .minY = 6.25, .maxX = 87.5, .maxY = 43.75}},
      {-25, {.minX = -12.5, .minY = -6.25, .maxX = 112.5, .maxY = 56.25}},
      {10, {.minX = 5, .minY = 2.5, .maxX = 95, .maxY = 47.5}},
      {90, {.minX = 45, .minY = 22.5, .maxX = 55, .maxY = 27.5}},
      {100, {.minX = 45, .minY = 22.5, .maxX = 55, .maxY = 27.5}},  // ten notches: as 90
      {-500, {.minX = -250, .minY = -125, .maxX = 350, .maxY = 175}},
      {0, {.minX = 0, .minY = 0, .maxX = 100, .maxY = 50}},
  };
  inputs.CurrentDrawingTab = 3;
  cad(3).SetSize(200, 100);  // the shape of the window: it is displayed as asked
  for (const Case& c : cases) {
    SCOPED_TRACE(c.percent);
    cad(3).ZoomToWindow(0, 0, 100, 50);
    CadFunctions::ZoomCtr(c.percent);
    EXPECT_NEAR(cad(3).ViewMinX(), c.expected.minX, 1e-4);
    EXPECT_NEAR(cad(3).ViewMaxX(), c.expected.maxX, 1e-4);
    EXPECT_NEAR(cad(3).ViewMinY(), c.expected.minY, 1e-4);
    EXPECT_NEAR(cad(3).ViewMaxY(), c.expected.maxY, 1e-4);
  }
  CadFunctions::ZoomCtr(NAN);  // no number: nothing moves
  EXPECT_NEAR(cad(3).ViewMaxX(), 100, 1e-4);
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(ViewCommands, ZoomCommandsActOnTheCurrentDrawingTabWhateverIsShown) {
  inputs.CurrentDrawingTab = 5;
  for (int view : {2, 5}) {
    cad(view).SetSize(200, 200);
    cad(view).ZoomToWindow(-10, 0, 10, 20);
  }
  CadFunctions::ZoomIn();  // ZoomStep 15: 85 % of the width and height
  EXPECT_NEAR(cad(5).ViewMinX(), -8.5, 1e-4);
  EXPECT_NEAR(cad(5).ViewMaxY(), 18.5, 1e-4);
  CadFunctions::ZoomOut();  // 115 % of that
  EXPECT_NEAR(cad(5).ViewMaxX(), 8.5 * 1.15, 1e-4);
  CadFunctions::ZoomPrevious();
  EXPECT_NEAR(cad(5).ViewMinX(), -8.5, 1e-4);
  CadFunctions::ZoomPrevious();
  EXPECT_NEAR(cad(5).ViewMinX(), -10, 1e-4);
  EXPECT_NEAR(cad(2).ViewMinX(), -10, 1e-4);  // the other views stay
  EXPECT_EQ(cad(2).View().HistorySize(), 1u);
}

// One click sequence as the mouse handlers of the views hand it on.
struct Click {
  enum Kind { Arm, Down, Up, Move } kind;
  float x = 0, y = 0;
  const char* arm = "";  // "pan" or "window" for Arm
};

TEST_F(ViewCommands, TheTwoClickCommandsFollowTheirTableInOrder) {
  ui::ScopedFakeHooks ui;
  inputs.CurrentDrawingTab = 2;
  cad(2).SetSize(200, 100);
  cad(2).ZoomToWindow(0, 0, 100, 50);
  auto window = [&] {
    const dxf::Window& w = cad(2).View().Displayed();
    return std::vector<double>{w.MinX, w.MinY, w.MaxX, w.MaxY};
  };

  // Pan armed, then Zoom Window armed before any click: the pan comes first.
  CadFunctions::Pan();
  CadFunctions::ZoomWindow();
  EXPECT_EQ(cad(2).PickMode(), 2);
  CadFunctions::CadMouseDown(2);
  CadFunctions::CadMouseUp(2, 10, 10, true);  // start point
  EXPECT_TRUE(v.PanEndMode);
  EXPECT_FALSE(v.PanMode);
  CadFunctions::CadMouseMove(2, 30, 20);
  EXPECT_EQ(cad(2).RubberKind(), dxf::DrawingControl::Rubber::Line);
  EXPECT_EQ(ui.statusTexts.back(), "Select End Point for Pan");
  CadFunctions::CadMouseUp(2, 30, 20, true);  // end point: the drawing follows the pointer
  EXPECT_EQ(window(), (std::vector<double>{-20, -10, 80, 40}));
  EXPECT_EQ(cad(2).PickMode(), 0);
  EXPECT_TRUE(v.ZoomWindowMode);  // still armed, though picking is over
  CadFunctions::CadMouseMove(2, 0, 0);
  EXPECT_EQ(ui.statusTexts.back(), "Select First Corner for Window");

  CadFunctions::CadMouseUp(2, 0, 0, true);  // first corner
  EXPECT_TRUE(v.ZoomWindowEndMode);
  CadFunctions::CadMouseMove(2, 40, 20);
  EXPECT_EQ(cad(2).RubberKind(), dxf::DrawingControl::Rubber::Box);
  EXPECT_EQ(ui.statusTexts.back(), "Select Second Corner for Window");
  CadFunctions::CadMouseUp(2, 40, 20, true);
  EXPECT_EQ(window(), (std::vector<double>{0, 0, 40, 20}));
  CadFunctions::CadMouseMove(2, 5, 5);
  EXPECT_EQ(ui.statusTexts.back(), "");
  EXPECT_FALSE(v.PanMode || v.PanEndMode || v.ZoomWindowMode || v.ZoomWindowEndMode);
  EXPECT_FALSE(v.CadMouseDown);
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(ViewCommands, AZoomWindowOfNoSizeLeavesTheViewAndEndsTheCommand) {
  cad(2).SetSize(200, 100);
  cad(2).ZoomToWindow(0, 0, 100, 50);
  for (auto [x, y] : {std::pair<float, float>{10, 10}, {10, 30}, {40, 10}}) {
    SCOPED_TRACE(::testing::Message() << x << "," << y);
    CadFunctions::ZoomWindow();
    CadFunctions::CadMouseUp(2, 10, 10, true);
    CadFunctions::CadMouseUp(2, x, y, true);
    EXPECT_FALSE(v.ZoomWindowEndMode);
    EXPECT_EQ(cad(2).PickMode(), 0);
    EXPECT_EQ(cad(2).View().Displayed(), (dxf::Window{0, 0, 100, 50}));
  }
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(ViewCommands, APlainClickReCentresOnlyAfterAMouseDownAndWithPanWithMouse) {
  struct Case {
    bool mouseDown, panWithMouse;
    std::vector<double> expected;
  };
  const Case cases[] = {
      {true, true, {-10, 5, 30, 25}},  // the clicked point (10, 15) becomes the centre
      {true, false, {0, 0, 40, 20}},
      {false, true, {0, 0, 40, 20}},
  };
  cad(4).SetSize(200, 100);
  inputs.CurrentDrawingTab = 2;  // clicks act on the view they happen on
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.mouseDown << c.panWithMouse);
    cad(4).ZoomToWindow(0, 0, 40, 20);
    if (c.mouseDown) CadFunctions::CadMouseDown(4);
    CadFunctions::CadMouseUp(4, 10, 15, c.panWithMouse);
    const dxf::Window& w = cad(4).View().Displayed();
    EXPECT_EQ((std::vector<double>{w.MinX, w.MinY, w.MaxX, w.MaxY}), c.expected);
    EXPECT_FALSE(v.CadMouseDown);
  }
}

TEST_F(ViewCommands, ArmingShowsThePromptAndPicksOnTheCurrentView) {
  ui::ScopedFakeHooks ui;
  inputs.CurrentDrawingTab = 4;
  CadFunctions::Pan();
  EXPECT_TRUE(v.PanMode);
  EXPECT_FALSE(v.ZoomWindowMode);
  EXPECT_EQ(cad(4).PickMode(), 2);
  EXPECT_EQ(cad(2).PickMode(), 0);
  CadFunctions::ZoomWindow();
  EXPECT_TRUE(v.ZoomWindowMode);
  EXPECT_TRUE(v.PanMode);  // arming one command clears no flag of the other
  EXPECT_EQ(ui.statusTexts, (std::vector<std::string>{"Select Start Point for Pan",
                                                      "Select First Corner for Window"}));
}

}  // namespace
