#include <gtest/gtest.h>

#include "DrawingsTestSupport.h"
#include "drawings/CADGraph.h"

namespace {

using Colours = drawingstest::Drawings;

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

}  // namespace
