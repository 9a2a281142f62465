#include <gtest/gtest.h>

#include <map>

#include "DrawingsTestSupport.h"
#include "drawings/CADGraph.h"

namespace {

namespace LN = CadFunctions::LayerName;
using drawingstest::Line;
using drawingstest::Text;

class ViewLayers : public drawingstest::RealViews {
 protected:
  // ACI by layer name, in position order.
  std::vector<std::pair<std::string, int>> layerColours(int view) {
    std::vector<std::pair<std::string, int>> out;
    for (const dxf::Layer& l : cad(view).Layers()) out.emplace_back(l.Name(), l.Color);
    return out;
  }
  // The layer and colour of each entity, in order.
  std::vector<std::string> entityLayers(int view) {
    std::vector<std::string> out;
    for (const dxf::Entity& e : cad(view).EntityList()) {
      out.push_back(e.LayerName + ":" + std::to_string(e.Color));
    }
    return out;
  }
  void merge(int view, std::string_view layer, const std::string& entities) {
    cad(view).SetCurrentLayerName(layer);
    cad(view).MergeDrawingText(drawingstest::DxfFile(entities));
    CadFunctions::SetToCurrentLayer(view);
  }
};

TEST_F(ViewLayers, SetUpGivesTheEightLayersInThePlaneAndDimensionColours) {
  struct Case {
    int32_t plane1, plane2, dims;
    int grid, dim1, dim2, p1, p2, dimA, dimB;
  };
  const Case cases[] = {
      // The first run's colours: red and blue, dimensions in the plane colours.
      {0x0000FF, 0xFF0000, -1, 253, 7, 7, 1, 5, 1, 5},
      {0x00C000, 0x808080, 0xFFFFFF, 253, 7, 7, 3, 9, 254, 254},
      // A colour outside the table draws in 7.
      {0x123456, 0xFF0000, -1, 253, 7, 7, 7, 5, 7, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::hex << c.plane1 << " " << c.plane2 << " " << c.dims);
    inputs.PlaneColor1 = c.plane1;
    inputs.PlaneColor2 = c.plane2;
    inputs.DimColor = c.dims;
    cad(3).ClearDrawing();
    CadFunctions::SetupNewDrawing(3);
    const std::vector<std::pair<std::string, int>> expected = {
        {"0", 7},         {"GRID", c.grid}, {"DIM1", c.dim1}, {"DIM2", c.dim2},
        {"PLANE1", c.p1}, {"PLANE2", c.p2}, {"DIMA", c.dimA}, {"DIMB", c.dimB}};
    EXPECT_EQ(layerColours(3), expected);
    EXPECT_EQ(cad(3).CurrentLayerName(), "PLANE1");
  }
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(ViewLayers, LayerColorGivesBackTheFirstColourOfTheRow) {
  struct Case {
    int32_t planeColour, reported;
  };
  const Case cases[] = {
      {0x0000C0, 0x0000FF}, {0xFFEBCE, 0xFF8080}, {0x404080, 0x0080FF},
      {0xFFFFFF, 0xFFFFFF}, {0x000000, 0x000000}, {0x123456, 0x000000},  // off the table: 7
  };
  inputs.CurrentDrawingTab = 4;
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::hex << c.planeColour);
    inputs.PlaneColor2 = c.planeColour;
    cad(4).ClearDrawing();
    CadFunctions::SetupNewDrawing(4);
    EXPECT_EQ(CadFunctions::LayerColor(CadFunctions::Layer::Plane2), c.reported);
  }
  // The current drawing view decides, not the last one set up.
  inputs.CurrentDrawingTab = 2;
  CadFunctions::InitDwgs();
  EXPECT_EQ(CadFunctions::LayerColor(CadFunctions::Layer::Plane1), 0x0000FF);
  EXPECT_EQ(CadFunctions::LayerColor(99), 0);  // no such layer: reported, black
  EXPECT_EQ(traps.errors.size(), 1u);
}

TEST_F(ViewLayers, EachMergeMovesItsEntitiesOntoItsAircraftsLayers) {
  CadFunctions::InitDwgs();
  const std::string file = Line("0", 0, 0, 1, 0) + Text("DIM", 0, 1, 1, "10'") +
                           Text("DIMA", 0, 2, 1, "A") + Text("DIMB", 0, 3, 1, "B") +
                           Line("WING", 0, 4, 1, 4);
  merge(2, LN::Plane1, file);
  EXPECT_EQ(entityLayers(2), (std::vector<std::string>{"PLANE1:256", "DIM1:256", "DIM1:256",
                                                       "DIMB:256", "WING:256"}));
  merge(2, LN::Plane2, file);
  // Plane 1's entities stay, its "DIMB" ones too; Plane 2's "DIMA" stays on "DimA" (in Plane 1's
  // dimension colour).
  EXPECT_EQ(entityLayers(2), (std::vector<std::string>{
                                 "PLANE1:256", "DIM1:256", "DIM1:256", "DIMB:256", "WING:256",
                                 "PLANE2:256", "DIM2:256", "DIMA:256", "DIM2:256", "WING:256"}));
  EXPECT_EQ(colour(2, LN::Dim1), 1);  // red
  EXPECT_EQ(colour(2, LN::Dim2), 5);  // blue
  EXPECT_EQ(colour(2, LN::DimA), 1);
  // The file's own layers come after the eight.
  EXPECT_EQ(cad(2).Layers().Item(9).Name(), "DIM");
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(ViewLayers, APageTemplatesOwnEntitiesKeepTheirLayers) {
  // A template loaded into CAD(0) and set up: its layer-"0" texts are not the aircraft's.
  cad(0).LoadDrawingText(drawingstest::DxfFile(Text("0", 1, 10, 0.2, "Page 1 of 2") +
                                               Text("DIM", 1, 9, 0.2, "Scale")));
  CadFunctions::SetupNewDrawing(0);
  merge(0, LN::Plane1, Line("0", 0, 0, 5, 0) + Text("DIM", 2, 1, 1, "5'"));
  EXPECT_EQ(entityLayers(0),
            (std::vector<std::string>{"0:256", "DIM:256", "PLANE1:256", "DIM1:256"}));
}

TEST_F(ViewLayers, AnEntityColourIsReplacedByTheLayersOnlyOnTheDimensionLayers) {
  CadFunctions::InitDwgs();
  std::string coloured = drawingstest::Groups(
      {{0, "LINE"}, {8, "DIM"}, {62, "3"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}});
  coloured += drawingstest::Groups(
      {{0, "LINE"}, {8, "0"}, {62, "3"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}});
  merge(3, LN::Plane2, coloured);
  EXPECT_EQ(entityLayers(3), (std::vector<std::string>{"DIM2:256", "PLANE2:3"}));
}

TEST_F(ViewLayers, AnEmptyDrawingKeepsItsDimensionLayersUncoloured) {
  CadFunctions::InitDwgs();
  cad(5).SetCurrentLayerName(LN::Plane2);
  CadFunctions::SetToCurrentLayer(5);
  EXPECT_EQ(colour(5, LN::Dim1), 7);
  EXPECT_EQ(colour(5, LN::Dim2), 7);
  // One entity is enough for both to take their colours.
  merge(5, LN::Plane2, Line("0", 0, 0, 1, 1));
  EXPECT_EQ(colour(5, LN::Dim1), 1);
  EXPECT_EQ(colour(5, LN::Dim2), 5);
}

TEST_F(ViewLayers, TheDimensionColourFollowsDimColor) {
  inputs.DimColor = 0x00FF00;
  CadFunctions::InitDwgs();
  merge(4, LN::Plane1, Line("DIM", 0, 0, 1, 1));
  EXPECT_EQ(colour(4, LN::Dim1), 3);
  EXPECT_EQ(colour(4, LN::Dim2), 3);
  EXPECT_EQ(colour(4, LN::DimA), 3);
}

TEST_F(ViewLayers, FixTextGivesEveryTextTheLargestHeightUnrotated) {
  std::string texts = drawingstest::Text("0", 0, 0, 0.1, "A") +
                      drawingstest::Text("0", 0, 1, 0.25, "B", "MTEXT") +
                      drawingstest::Groups({{0, "TEXT"},
                                            {8, "0"},
                                            {10, "0"},
                                            {20, "2"},
                                            {40, "0.15"},
                                            {50, "30"},
                                            {51, "15"},
                                            {1, "C"}}) +
                      drawingstest::Line("0", 0, 0, 1, 1);
  cad(5).MergeDrawingText(drawingstest::DxfFile(texts));
  CadFunctions::FixText(5);
  std::vector<std::vector<double>> got;
  for (const dxf::Entity& e : cad(5).EntityList()) got.push_back({e.g40, e.g50, e.g51});
  EXPECT_EQ(
      got, (std::vector<std::vector<double>>{{0.25, 0, 0}, {0.25, 0, 0}, {0.25, 0, 0}, {0, 0, 0}}));
  EXPECT_TRUE(traps.errors.empty());
}

}  // namespace
