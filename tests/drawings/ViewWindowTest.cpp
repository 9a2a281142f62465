#include <gtest/gtest.h>

#include "DrawingsTestSupport.h"
#include "platform/ui/FakeHooks.h"

namespace {

using CadFunctions::EntityPoints;
using CadFunctions::ViewWindow;
using ViewCommands = drawingstest::Drawings;

EntityPoints Entity(const char* layer, const char* type, double x, double y,
                    std::vector<std::pair<double, double>> vertices = {}) {
  return {layer, type, x, y, std::move(vertices)};
}

TEST_F(ViewCommands, ZoomCtrScalesTheHalfSizeAboutTheCentreWithinNinetyPercent) {
  struct Case {
    float percent;
    ViewWindow expected;
  };
  const Case cases[] = {
      {10, {.minX = 5, .minY = 2.5, .maxX = 95, .maxY = 47.5}},
      {-10, {.minX = -5, .minY = -2.5, .maxX = 105, .maxY = 52.5}},
      {25, {.minX = 12.5, .minY = 6.25, .maxX = 87.5, .maxY = 43.75}},
      {90, {.minX = 45, .minY = 22.5, .maxX = 55, .maxY = 27.5}},
      {100, {.minX = 45, .minY = 22.5, .maxX = 55, .maxY = 27.5}},  // ten wheel notches
      {250, {.minX = 45, .minY = 22.5, .maxX = 55, .maxY = 27.5}},
      {-500, {.minX = -45, .minY = -22.5, .maxX = 145, .maxY = 72.5}},  // as -90
  };
  inputs.CurrentDrawingTab = 3;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.percent);
    fake.views[3].window = {.minX = 0, .minY = 0, .maxX = 100, .maxY = 50};
    CadFunctions::ZoomCtr(c.percent);
    const ViewWindow& w = fake.views[3].window;
    EXPECT_FLOAT_EQ(w.minX, c.expected.minX);
    EXPECT_FLOAT_EQ(w.maxX, c.expected.maxX);
    EXPECT_FLOAT_EQ(w.minY, c.expected.minY);
    EXPECT_FLOAT_EQ(w.maxY, c.expected.maxY);
  }
  EXPECT_EQ(fake.count("ApplyViewWindow"), 7);
  EXPECT_TRUE(fake.views[2].window == (ViewWindow{0, 0, 1, 1}));  // other views untouched
}

TEST_F(ViewCommands, ZoomInAndOutUseTheViewsZoomStep) {
  inputs.CurrentDrawingTab = 5;
  fake.views[5].window = {.minX = -10, .minY = 0, .maxX = 10, .maxY = 20};
  CadFunctions::ZoomIn();  // 15 %: 85 % of the width and height
  EXPECT_FLOAT_EQ(fake.views[5].window.minX, -8.5);
  EXPECT_FLOAT_EQ(fake.views[5].window.maxY, 18.5);
  fake.views[5].window = {.minX = -10, .minY = 0, .maxX = 10, .maxY = 20};
  CadFunctions::ZoomOut();
  EXPECT_FLOAT_EQ(fake.views[5].window.maxX, 11.5);
  EXPECT_FLOAT_EQ(fake.views[5].window.minY, -1.5);
  CadFunctions::ZoomPrevious();
  EXPECT_EQ(fake.calls.back().op, "PreviousView");
  EXPECT_EQ(fake.calls.back().args, "5");
}

TEST_F(ViewCommands, PanAndZoomWindowArmTheirCommandOnTheCurrentView) {
  ui::ScopedFakeHooks ui;
  inputs.CurrentDrawingTab = 4;
  CadFunctions::Pan();
  EXPECT_TRUE(v.PanMode);
  EXPECT_FALSE(v.ZoomWindowMode);
  EXPECT_EQ(fake.views[4].pickMode, 2);
  CadFunctions::ZoomWindow();
  EXPECT_TRUE(v.ZoomWindowMode);
  EXPECT_TRUE(v.PanMode);  // arming one command clears no flag of the other
  EXPECT_EQ(ui.statusTexts, (std::vector<std::string>{"Select Start Point for Pan",
                                                      "Select First Corner for Window"}));
}

TEST_F(ViewCommands, GetMinMaxWidensFromTheOriginAndSkipsTheGrid) {
  fake.views[0].entities = {
      Entity("PLANE1", "LINE", 3, 4),
      Entity("GRID", "LINE", -2400, -2400),
      Entity("Grid", "LINE", 2400, 2400),
      Entity("DIM1", "LWPOLYLINE", 5, 6, {{7, 1}, {2, 9}}),
      // Only a light-weight polyline counts its vertices.
      Entity("0", "POLYLINE", 1, 1, {{99, 99}}),
  };
  vb::Variant minX, maxX, minY, maxY;  // empty: count as 0
  CadFunctions::GetMinMax(0, minX, maxX, minY, maxY);
  EXPECT_EQ(minX, vb::Variant(0.0));
  EXPECT_EQ(maxX, vb::Variant(7.0));
  EXPECT_EQ(minY, vb::Variant(0.0));
  EXPECT_EQ(maxY, vb::Variant(9.0));

  // Values from an earlier measurement are widened, not reset.
  fake.views[0].entities = {Entity("PLANE2", "TEXT", -1, 2)};
  CadFunctions::GetMinMax(0, minX, maxX, minY, maxY);
  EXPECT_EQ(minX, vb::Variant(-1.0));
  EXPECT_EQ(maxX, vb::Variant(7.0));
  EXPECT_EQ(maxY, vb::Variant(9.0));
}

TEST_F(ViewCommands, GetMinMaxOfAnEmptyDrawingIsTheOriginAndBadInputChangesNothing) {
  vb::Variant minX, maxX, minY, maxY;
  CadFunctions::GetMinMax(2, minX, maxX, minY, maxY);
  EXPECT_EQ(minX, vb::Variant(0.0));
  EXPECT_EQ(maxY, vb::Variant(0.0));

  fake.views[2].entities = {Entity("PLANE1", "LINE", 5, 5)};
  vb::Variant bad = vb::Variant::Null(), keep(1.0);
  CadFunctions::GetMinMax(2, bad, keep, minY, maxY);
  EXPECT_EQ(traps.errors.size(), 1u);
  EXPECT_TRUE(bad.isNull());
  EXPECT_EQ(keep, vb::Variant(1.0));
  EXPECT_EQ(maxY, vb::Variant(0.0));
}

TEST_F(ViewCommands, WholeViewOperationsGoToTheServices) {
  CadFunctions::SetupNewDrawing(5);
  CadFunctions::MakeGrid(2);
  CadFunctions::SetToCurrentLayer(3);
  CadFunctions::FixText(4);
  CadFunctions::UpdateCADDims(5);
  CadFunctions::ZoomAll(2);
  std::vector<std::string> got;
  for (const auto& call : fake.calls) got.push_back(call.op + "(" + call.args + ")");
  EXPECT_EQ(got,
            (std::vector<std::string>{"SetupNewDrawing(5)", "MakeGrid(2)", "SetToCurrentLayer(3)",
                                      "FixText(4)", "UpdateCADDims(5)", "ZoomAll(2)"}));
}

}  // namespace
