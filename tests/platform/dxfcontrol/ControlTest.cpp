#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "platform/dxf/DxfTestSupport.h"
#include "platform/dxf/Merge.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Trap.h"
#include "support/TestSupport.h"

namespace {

using dxf::DrawingControl;
using dxftest::File;
using dxftest::Groups;

std::string LineFile(const std::string& layer, double x0, double y0, double x1, double y1) {
  return File(Groups({{0, "LINE"},
                      {8, layer},
                      {10, std::to_string(x0)},
                      {20, std::to_string(y0)},
                      {11, std::to_string(x1)},
                      {21, std::to_string(y1)}}));
}

using testsupport::ErrorOf;

TEST(DxfControl, ClearDrawingLeavesLayerZero) {
  DrawingControl cad;
  cad.AddLayer("Plane1", 1);
  cad.AppendEntity().EntityType = "LINE";
  cad.SetCurrentLayerName("Plane1");
  cad.ClearDrawing();
  ASSERT_EQ(cad.Layers().Count(), 1);
  EXPECT_EQ(cad.Layers().Item(1).Name(), "0");
  EXPECT_EQ(cad.EntityList().Count(), 0);
  EXPECT_EQ(cad.CurrentLayerName(), "0");
  EXPECT_NE(cad.TextStyles().Find("STANDARD"), nullptr);
  EXPECT_DOUBLE_EQ(cad.MaxX(), 12);
  EXPECT_DOUBLE_EQ(cad.MaxY(), 9);
}

TEST(DxfControl, LayersUpperCaseAndFoundInAnyCase) {
  DrawingControl cad;
  cad.AddLayer("Grid", 253);
  cad.AddLayer("Dim1", 7);
  cad.AddLayer("plane1", 1);
  cad.AddLayer("PLANE1", 3);  // present: takes the colour only
  ASSERT_EQ(cad.Layers().Count(), 4);
  EXPECT_EQ(cad.Layers().Item(4).Name(), "PLANE1");
  EXPECT_EQ(cad.Layers().Item("Plane1").Color, 3);
  cad.Layers().Item("pLaNe1").Frozen = true;
  EXPECT_TRUE(cad.Layers().Item(4).Frozen);
  EXPECT_EQ(ErrorOf([&] { cad.Layers().Item(5); }), vb::err::SubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { cad.Layers().Item(0); }), vb::err::SubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([&] { cad.Layers().Item("nope"); }), vb::err::SubscriptOutOfRange);
  cad.SetCurrentLayerName("NewOne");  // unknown: created with ACI 7
  EXPECT_EQ(cad.CurrentLayerName(), "NEWONE");
  EXPECT_EQ(cad.Layers().Item(5).Color, 7);
}

TEST(DxfControl, AppendAndRemoveEntities) {
  DrawingControl cad;
  cad.SetCurrentLayerName("Plane2");
  for (int i = 0; i < 3; ++i) {
    dxf::Entity& e = cad.AppendEntity();
    EXPECT_EQ(e.EntityType, "");
    EXPECT_EQ(e.LayerName, "PLANE2");
    EXPECT_EQ(e.Color, 256);
    e.EntityType = "LINE";
    e.X0 = i;
  }
  cad.EntityList().Remove(2);
  ASSERT_EQ(cad.EntityList().Count(), 2);
  EXPECT_DOUBLE_EQ(cad.EntityList().Item(2).X0, 2);  // the later one moved down
  EXPECT_EQ(ErrorOf([&] { cad.EntityList().Remove(3); }), vb::err::SubscriptOutOfRange);
  cad.CurrentColor = 5;
  EXPECT_EQ(cad.AppendEntity().Color, 5);
}

TEST(DxfControl, LoadFromFolderAndFailuresKeepTheDrawing) {
  testsupport::TempDir dir;
  {
    std::ofstream(dir / "Top.dxf") << LineFile("Dim", 1, 2, 3, 4);
    std::ofstream(dir / "bad.dxf") << "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n";
  }
  DrawingControl cad(dir.path());
  int status = 0;
  cad.ReadStatus = [&] { ++status; };
  cad.LoadDrawingFile("top.DXF");  // found without regard to case
  EXPECT_EQ(status, 1);
  ASSERT_EQ(cad.EntityList().Count(), 1);
  EXPECT_EQ(cad.EntityList().Item(1).LayerName, "DIM");
  EXPECT_EQ(cad.Layers().Item(1).Name(), "0");
  EXPECT_EQ(ErrorOf([&] { cad.LoadDrawingFile("missing.dxf"); }), vb::err::FileNotFound);
  EXPECT_EQ(ErrorOf([&] { cad.LoadDrawingFile("bad.dxf"); }), 321);
  EXPECT_EQ(ErrorOf([&] { cad.MergeDrawingFile("bad.dxf", 0, 1, 1, 0, 0); }), 321);
  EXPECT_EQ(ErrorOf([&] { cad.LoadDrawingFile(""); }), vb::err::FileNotFound);
  EXPECT_EQ(cad.EntityList().Count(), 1);
  EXPECT_DOUBLE_EQ(cad.EntityList().Item(1).X1, 3);
}

TEST(DxfControl, MergeTransformPlacesPoints) {
  struct Case {
    const char* name;
    float rot, sx, sy, ox, oy;
    double x0, y0, x1, y1;  // where (0,0) and (10,5) land
  };
  const Case cases[] = {
      {"identity", 0, 1, 1, 0, 0, 0, 0, 10, 5},
      // A page merge (0, f, f, X/f, Y/f) puts the file's origin at (X, Y) = (4, 2).
      {"page origin", 0, 0.5f, 0.5f, 8, 4, 4, 2, 9, 4.5},
      {"rotated a quarter", 90, 1, 1, 20, 0, 20, 0, 15, 10},
      {"interior double", 0, 2, 2, 3, 1, 6, 2, 26, 12},
  };
  for (const Case& c : cases) {
    DrawingControl cad;
    cad.MergeDrawingText(LineFile("0", 0, 0, 10, 5), c.rot, c.sx, c.sy, c.ox, c.oy);
    ASSERT_EQ(cad.EntityList().Count(), 1) << c.name;
    const dxf::Entity& e = cad.EntityList().Item(1);
    EXPECT_NEAR(e.X0, c.x0, 1e-9) << c.name;
    EXPECT_NEAR(e.Y0, c.y0, 1e-9) << c.name;
    EXPECT_NEAR(e.X1, c.x1, 1e-9) << c.name;
    EXPECT_NEAR(e.Y1, c.y1, 1e-9) << c.name;
  }
}

TEST(DxfControl, MergeTransformsEachKind) {
  std::string ents =
      Groups({{0, "CIRCLE"}, {10, "1"}, {20, "0"}, {40, "2"}}) +
      Groups({{0, "ARC"}, {10, "0"}, {20, "0"}, {40, "1"}, {50, "0"}, {51, "90"}}) +
      Groups({{0, "TEXT"}, {10, "1"}, {20, "1"}, {40, "2"}, {50, "10"}, {1, "T"}}) +
      Groups({{0, "INSERT"}, {2, "B"}, {10, "1"}, {20, "0"}, {41, "2"}, {50, "5"}}) +
      Groups(
          {{0, "LWPOLYLINE"}, {90, "2"}, {10, "1"}, {20, "0"}, {42, "1"}, {10, "2"}, {20, "0"}}) +
      Groups({{0, "ELLIPSE"}, {10, "0"}, {20, "0"}, {11, "2"}, {21, "0"}, {40, "0.5"}});
  std::string blocks =
      Groups({{0, "BLOCK"}, {2, "B"}, {10, "0"}, {20, "0"}}) + Groups({{0, "ENDBLK"}});
  DrawingControl cad;
  cad.MergeDrawingText(File(ents, "", blocks), 90, 2, 2, 0, 0);
  const auto& l = cad.EntityList();
  EXPECT_NEAR(l.Item(1).X0, 0, 1e-9);
  EXPECT_NEAR(l.Item(1).Y0, 2, 1e-9);
  EXPECT_NEAR(l.Item(1).g40, 4, 1e-9);
  EXPECT_NEAR(l.Item(2).g50, 90, 1e-9);
  EXPECT_NEAR(l.Item(2).g51, 180, 1e-9);
  EXPECT_NEAR(l.Item(3).g40, 4, 1e-9);
  EXPECT_NEAR(l.Item(3).g50, 100, 1e-9);
  EXPECT_NEAR(l.Item(4).g41, 4, 1e-9);
  EXPECT_NEAR(l.Item(4).Extra().g42, 2, 1e-9);
  EXPECT_NEAR(l.Item(4).g50, 95, 1e-9);
  EXPECT_NEAR(l.Item(5).Vertices.Item(2).Y0, 4, 1e-9);
  EXPECT_NEAR(l.Item(5).Vertices.Item(1).Bulge, 1, 1e-9);
  EXPECT_NEAR(l.Item(6).X1, 0, 1e-9);
  EXPECT_NEAR(l.Item(6).Y1, 4, 1e-9);
  EXPECT_NEAR(l.Item(6).g40, 0.5, 1e-9);

  // A mirroring scale negates bulges; unequal scales turn a circle into an ellipse.
  dxf::Entity poly = l.Item(5);
  dxf::TransformEntity(poly, dxf::MergeTransform{0, -1, 1, 0, 0});
  EXPECT_NEAR(poly.Vertices.Item(1).Bulge, -1, 1e-12);
  dxf::Entity circle;
  circle.EntityType = "CIRCLE";
  circle.g40 = 1;
  dxf::TransformEntity(circle, dxf::MergeTransform{0, 3, 1, 0, 0});
  EXPECT_EQ(circle.EntityType, "ELLIPSE");
  EXPECT_NEAR(circle.X1, 3, 1e-12);
  EXPECT_NEAR(circle.g40, 1.0 / 3, 1e-12);
}

TEST(DxfControl, MergeLayerRules) {
  std::string tables =
      Groups({{0, "TABLE"}, {2, "LAYER"}}) + Groups({{0, "LAYER"}, {2, "0"}, {62, "7"}}) +
      Groups({{0, "LAYER"}, {2, "Dim"}, {62, "4"}, {70, "0"}}) +
      Groups({{0, "LAYER"}, {2, "plane1"}, {62, "2"}, {70, "1"}}) + Groups({{0, "ENDTAB"}});
  std::string ents = Groups({{0, "LINE"}, {8, "0"}}) + Groups({{0, "TEXT"}, {8, "dim"}}) +
                     Groups({{0, "LINE"}, {8, "Extra"}});
  DrawingControl cad;
  const char* standard[] = {"Grid", "Dim1", "Dim2", "Plane1", "Plane2", "DimA", "DimB"};
  for (const char* n : standard) cad.AddLayer(n, 5);
  cad.SetCurrentLayerName("Plane2");
  cad.MergeDrawingText(File(ents, tables), 0, 1, 1, 0, 0);
  const auto& l = cad.EntityList();
  EXPECT_EQ(l.Item(1).LayerName, "PLANE2");  // layer 0 -> current layer
  EXPECT_EQ(l.Item(2).LayerName, "DIM");     // others keep their layer
  EXPECT_EQ(l.Item(3).LayerName, "EXTRA");
  ASSERT_EQ(cad.Layers().Count(), 10);
  const char* want[] = {"0",      "GRID", "DIM1", "DIM2", "PLANE1",
                        "PLANE2", "DIMA", "DIMB", "DIM",  "EXTRA"};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(cad.Layers().Item(i + 1).Name(), want[i]);
  EXPECT_EQ(cad.Layers().Item("Plane1").Color, 5);  // existing layer keeps colour and flag
  EXPECT_FALSE(cad.Layers().Item("Plane1").Frozen);
  EXPECT_EQ(cad.Layers().Item("Dim").Color, 4);  // new layer brings the file's colour
}

TEST(DxfControl, MergeRenamesCollidingBlocks) {
  auto cabin = [](const std::string& seatLine) {
    std::string blocks =
        Groups({{0, "BLOCK"}, {2, "SEAT"}, {10, "0"}, {20, "0"}}) + seatLine +
        Groups({{0, "ENDBLK"}}) + Groups({{0, "BLOCK"}, {2, "*D1"}, {10, "0"}, {20, "0"}}) +
        Groups({{0, "LINE"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "0"}}) +
        Groups({{0, "ENDBLK"}}) + Groups({{0, "BLOCK"}, {2, "ROW"}, {10, "0"}, {20, "0"}}) +
        Groups({{0, "INSERT"}, {2, "SEAT"}, {10, "0"}, {20, "0"}}) + Groups({{0, "ENDBLK"}});
    std::string ents = Groups({{0, "INSERT"}, {2, "SEAT"}, {10, "2"}, {20, "3"}}) +
                       Groups({{0, "DIMENSION"}, {2, "*D1"}, {10, "35"}, {20, "10"}}) +
                       Groups({{0, "INSERT"}, {2, "ROW"}, {10, "0"}, {20, "0"}});
    return File(ents, "", blocks);
  };
  DrawingControl cad;
  cad.MergeDrawingText(cabin(Groups({{0, "LINE"}, {11, "1"}, {21, "1"}})));
  cad.MergeDrawingText(cabin(Groups({{0, "CIRCLE"}, {40, "1"}})), 0, 2, 2, 10, 0);
  ASSERT_EQ(cad.EntityList().Count(), 6);
  EXPECT_EQ(cad.EntityList().Item(1).Extra().BlockName, "SEAT");
  EXPECT_EQ(cad.EntityList().Item(4).Extra().BlockName, "SEAT$2");
  EXPECT_EQ(cad.EntityList().Item(5).Extra().BlockName, "*D1$2");
  EXPECT_EQ(cad.Blocks().Item("SEAT").Entities.Item(1).EntityType, "LINE");
  EXPECT_EQ(cad.Blocks().Item("SEAT$2").Entities.Item(1).EntityType, "CIRCLE");
  // A nested INSERT follows the rename.
  EXPECT_EQ(cad.Blocks().Item("ROW$2").Entities.Item(1).Extra().BlockName, "SEAT$2");
  // The first file's dimension block is untouched; the second took the transform.
  EXPECT_DOUBLE_EQ(cad.Blocks().Item("*D1").Entities.Item(1).X1, 1);
  EXPECT_DOUBLE_EQ(cad.Blocks().Item("*D1$2").Entities.Item(1).X0, 20);
  EXPECT_DOUBLE_EQ(cad.Blocks().Item("*D1$2").Entities.Item(1).X1, 22);
  EXPECT_EQ(ErrorOf([&] { cad.Blocks().Item("nope"); }), vb::err::SubscriptOutOfRange);
  EXPECT_TRUE(cad.MissingBlocks().empty());
  cad.MergeDrawingText(File(Groups({{0, "INSERT"}, {2, "NONE"}, {10, "5"}, {20, "5"}})));
  EXPECT_EQ(cad.MissingBlocks().count("NONE"), 1u);
}

TEST(DxfControl, ViewWindowNormalisingAndHistory) {
  DrawingControl cad;
  cad.SetSize(300, 100);  // aspect 3
  cad.WindowMinX = 10;
  cad.WindowMaxX = 0;  // reversed corners are swapped
  cad.WindowMinY = 0;
  cad.WindowMaxY = 10;
  cad.ApplyViewWindow();
  EXPECT_DOUBLE_EQ(cad.ViewMinX(), -10);  // widened to the aspect about the centre
  EXPECT_DOUBLE_EQ(cad.ViewMaxX(), 20);
  EXPECT_DOUBLE_EQ(cad.ViewMinY(), 0);
  EXPECT_DOUBLE_EQ(cad.ViewMaxY(), 10);
  cad.SetSize(100, 100);  // a resize derives the window again from the asked box
  EXPECT_DOUBLE_EQ(cad.ViewMinX(), 0);
  EXPECT_DOUBLE_EQ(cad.ViewMaxX(), 10);
  cad.ZoomToWindow(4, 6, 2, 2);
  EXPECT_DOUBLE_EQ(cad.ViewMinX(), 1);
  EXPECT_DOUBLE_EQ(cad.ViewMaxX(), 5);
  EXPECT_DOUBLE_EQ(cad.ViewMinY(), 2);
  EXPECT_DOUBLE_EQ(cad.ViewMaxY(), 6);
  cad.PanView(0, 0, 0, 0);  // only redisplays: no history entry
  EXPECT_EQ(cad.View().HistorySize(), 2u);
  cad.PanView(1, 1, 3, 0);
  EXPECT_DOUBLE_EQ(cad.ViewMinX(), 3);
  EXPECT_DOUBLE_EQ(cad.ViewMaxY(), 5);
  cad.PreviousView();
  EXPECT_DOUBLE_EQ(cad.ViewMinX(), 1);
  cad.PreviousView();
  EXPECT_DOUBLE_EQ(cad.ViewMaxX(), 10);
  cad.PreviousView();
  cad.PreviousView();  // empty history: nothing
  // Zero-size and non-finite windows are refused and change nothing.
  dxf::Window before = cad.View().Displayed();
  EXPECT_EQ(ErrorOf([&] { cad.ZoomToWindow(1, 1, 1, 5); }), vb::err::InvalidCall);
  EXPECT_EQ(ErrorOf([&] { cad.ZoomToWindow(0, 0, NAN, 5); }), vb::err::InvalidCall);
  EXPECT_EQ(cad.View().Displayed(), before);
  for (int i = 0; i < 30; ++i) cad.ZoomToWindow(0, 0, i + 1, i + 1);
  EXPECT_EQ(cad.View().HistorySize(), 20u);
  cad.SetSize(0, 0);  // a 0 x 0 control takes aspect 1
  EXPECT_DOUBLE_EQ(cad.ViewMaxX() - cad.ViewMinX(), cad.ViewMaxY() - cad.ViewMinY());
}

TEST(DxfControl, PixelToDrawingMapping) {
  DrawingControl cad;
  cad.SetSize(200, 100);
  cad.ZoomToWindow(0, 0, 20, 10);
  struct Case {
    double px, py, x, y;
  };
  const Case cases[] = {{0, 0, 0, 10}, {200, 100, 20, 0}, {50, 25, 5, 7.5}, {100, 50, 10, 5}};
  for (const Case& c : cases) {
    dxf::Point p = cad.View().PixelToDrawing(c.px, c.py);
    EXPECT_DOUBLE_EQ(p.x, c.x);
    EXPECT_DOUBLE_EQ(p.y, c.y);
    dxf::Point back = cad.View().DrawingToPixel(c.x, c.y);
    EXPECT_NEAR(back.x, c.px, 1e-9);
    EXPECT_NEAR(back.y, c.py, 1e-9);
  }
}

TEST(DxfControl, MeasuringControlHasAspectOneAndAHalf) {
  DrawingControl cad0;
  EXPECT_DOUBLE_EQ(static_cast<double>(cad0.Width()) / cad0.Height(), 1.5);
  EXPECT_EQ(cad0.ZoomStep, 15);
  EXPECT_EQ(cad0.PlotMode, 4);
  EXPECT_EQ(cad0.PlotPenWidth, 1);
  EXPECT_EQ(cad0.PlotScale, 1);
}

}  // namespace

namespace {

class CountingHandler : public vb::TrapHandler {
 public:
  bool HandlingOn() override { return true; }
  void TraceEntry(std::string_view, std::string_view) override {}
  void HandleError(std::string_view, std::string_view, const vb::Error& e) override {
    errors.push_back(e);
  }
  std::vector<vb::Error> errors;
};

TEST(DxfControl, MissingBlockReportedOnceAndMaxCorner) {
  CountingHandler handler;
  vb::SetTrapHandler(&handler);
  DrawingControl cad;
  std::string file = File(Groups({{0, "INSERT"}, {2, "NONE"}, {10, "5"}, {20, "5"}}) +
                          Groups({{0, "LINE"}, {10, "-3"}, {20, "1"}, {11, "30"}, {21, "2"}}));
  cad.LoadDrawingText(file);
  cad.MergeDrawingText(file);
  vb::SetTrapHandler(nullptr);
  ASSERT_EQ(handler.errors.size(), 1u);
  EXPECT_NE(handler.errors[0].description.find("NONE"), std::string::npos);
  // No limits in the file: the upper corner of the extents.
  EXPECT_DOUBLE_EQ(cad.MaxX(), 30);
  EXPECT_DOUBLE_EQ(cad.MaxY(), 5);
  cad.LoadDrawingText(File("", "", "", Groups({{9, "$LIMMAX"}, {10, "8.5"}, {20, "11"}})));
  EXPECT_DOUBLE_EQ(cad.MaxX(), 8.5);
  EXPECT_DOUBLE_EQ(cad.MaxY(), 11);
}

}  // namespace
