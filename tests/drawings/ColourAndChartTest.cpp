#include <gtest/gtest.h>

#include "DrawingsTestSupport.h"
#include "drawings/CADGraph.h"

namespace {

using Colours = drawingstest::Drawings;
using ChartPrimitives = drawingstest::Drawings;

TEST(CADColor, ListedColoursGiveTheirIndexAnyOtherSeven) {
  struct Case {
    int32_t rgb;
    int index;
  };
  const Case cases[] = {
      {0x000000, 7},   {0x0000FF, 1},   {0x000040, 1},   {0x00C000, 3},  {0xFF0000, 5},
      {0x400040, 6},   {0xC0C000, 4},   {0x008080, 2},   {0xE0E0E0, 9},  {0x404080, 30},
      {0xC0C0FF, 231}, {0x80FF80, 91},  {0xFFEBCE, 171}, {0xC0FFFF, 51}, {0xFF80FF, 211},
      {0xFFFFC0, 131}, {0xFFFFFF, 254}, {0x0000FE, 7},   {0x123456, 7},  {-1, 7},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CADGraph::CADColor(c.rgb), c.index) << std::hex << c.rgb;
  }
}

TEST(CADColor, AnIndexGivesBackTheFirstColourOfItsRow) {
  EXPECT_EQ(CADGraph::IndexColor(CADGraph::CADColor(0x0000C0)), 0x0000FF);
  EXPECT_EQ(CADGraph::IndexColor(CADGraph::CADColor(0xFFEBCE)), 0xFF8080);
  EXPECT_EQ(CADGraph::IndexColor(7), 0x000000);
  EXPECT_EQ(CADGraph::IndexColor(253), 0x000000);  // the grid's grey has no colour of its own
  EXPECT_EQ(CADGraph::IndexColor(254), 0xFFFFFF);
}

TEST_F(Colours, DimColourMinusOneFollowsThePlaneAnyOtherPlaneIsPlaneTwo) {
  inputs.PlaneColor1 = 0x00FF00;  // 3
  inputs.PlaneColor2 = 0xFF00FF;  // 6
  EXPECT_EQ(CADGraph::CADDimColor(-1, 1), 3);
  EXPECT_EQ(CADGraph::CADDimColor(-1, 2), 6);
  EXPECT_EQ(CADGraph::CADDimColor(-1, 0), 6);
  EXPECT_EQ(CADGraph::CADDimColor(-1, 7), 6);
  EXPECT_EQ(CADGraph::CADDimColor(0xFFFFFF, 1), 254);
  EXPECT_EQ(CADGraph::CADDimColor(0x0000FF, 2), 1);
  EXPECT_EQ(CADGraph::CADDimColor(-1, 1, 0xFF0000, 0x0000FF), 5);
  EXPECT_EQ(CADGraph::CADDimColor(-1, 2, 0xFF0000, 0x0000FF), 1);
}

TEST_F(Colours, DefaultsAreThoseOfAFirstRun) {
  CadFunctions::SetDrawingInputsSource({});
  EXPECT_EQ(CADGraph::CADDimColor(-1, 1), 1);  // red Plane 1
  EXPECT_EQ(CADGraph::CADDimColor(-1, 2), 5);  // blue Plane 2
}

TEST_F(Colours, LayerColorReadsTheCurrentViewsLayer) {
  inputs.CurrentDrawingTab = 3;
  fake.views[3].colourIndex[5] = 30;
  fake.views[2].colourIndex[5] = 1;
  EXPECT_EQ(CadFunctions::LayerColor(5), 0x0080FF);
  EXPECT_EQ(CadFunctions::LayerColor(6), 0x000000);  // index 7
}

TEST_F(ChartPrimitives, TextWidthIsThreeQuartersOfTheHeightPerCharacter) {
  fake.textSize = 0.2;
  EXPECT_NEAR(CADGraph::CADTextWd("ABCD"), 0.6, 1e-12);
  EXPECT_NEAR(CADGraph::CADTextWd("10\u00B0"), 0.45, 1e-12);  // "°" is one character
  EXPECT_EQ(CADGraph::CADTextWd(""), 0.0);
  EXPECT_DOUBLE_EQ(CADGraph::CADTextHt("anything at all"), 0.2);
  fake.textSize = 0;  // nothing sets a text size yet: texts measure nothing
  EXPECT_EQ(CADGraph::CADTextWd("ABCD"), 0.0);
  EXPECT_EQ(CADGraph::CADTextHt("ABCD"), 0.0);
}

TEST_F(ChartPrimitives, EachPrimitiveReachesTheServicesWithItsArguments) {
  fake.aspect = 1.5;
  CADGraph::InitCADGraphics(true);
  CADGraph::SetCADPen(2, 0x0000FF);
  CADGraph::SetCADBrush(0xFF0000);
  CADGraph::CADMoveTo(1, 2);
  CADGraph::CADLineTo(3, 4.5);
  CADGraph::CADRectangle(0, 0, 2, 1);
  CADGraph::CADEllipse(0, 0, 1, 2);
  CADGraph::RemoveCADBrush();
  CADGraph::NoOpRemove();
  CADGraph::SetCADTextBgMode(1);
  CADGraph::SetCADTextColor(0);
  CADGraph::CADText(1, 1, "Range");
  std::vector<std::string> got;
  for (const auto& call : fake.calls) got.push_back(call.op + "(" + call.args + ")");
  EXPECT_EQ(got, (std::vector<std::string>{
                     "InitCADGraphics(1)", "SetCADPen(2,255)", "SetCADBrush(16711680)",
                     "CADMoveTo(1,2)", "CADLineTo(3,4.5)", "CADRectangle(0,0,2,1)",
                     "CADEllipse(0,0,1,2)", "RemoveCADBrush()", "SetCADTextBgMode(1)",
                     "SetCADTextColor(0)", "CADText(1,1,Range)"}));
  EXPECT_DOUBLE_EQ(CADGraph::CADAspect(), 1.5);
}

}  // namespace
