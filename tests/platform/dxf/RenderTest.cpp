#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "platform/dxf/DxfTestSupport.h"
#include "platform/dxf/Reader.h"
#include "platform/dxf/Render.h"
#include "platform/dxf/ViewState.h"

namespace {

using dxf::RecordingSink;
using dxftest::File;
using dxftest::Groups;

using Item = RecordingSink::Item;

// Renders a DXF text in drawing units (identity map, y up) and returns what was drawn.
std::vector<Item> Record(const std::string& text) {
  dxf::Document d;
  dxf::ReadDxf(text, d);
  RecordingSink sink;
  dxf::RenderOptions opt;
  opt.deviceYDown = false;
  dxf::Renderer r(d, sink, dxf::Affine{}, opt);
  r.DrawAll();
  return sink.items;
}

void ExpectPoint(const dxf::Point& p, double x, double y, const char* what) {
  EXPECT_NEAR(p.x, x, 1e-9) << what;
  EXPECT_NEAR(p.y, y, 1e-9) << what;
}

const std::string kLayers =
    Groups({{0, "TABLE"}, {2, "LAYER"}}) + Groups({{0, "LAYER"}, {2, "0"}, {62, "7"}}) +
    Groups({{0, "LAYER"}, {2, "PLANE1"}, {62, "1"}, {70, "0"}}) +
    Groups({{0, "LAYER"}, {2, "FROZEN"}, {62, "3"}, {70, "1"}}) +
    Groups({{0, "LAYER"}, {2, "OFF"}, {62, "-4"}, {70, "0"}}) + Groups({{0, "ENDTAB"}});

const std::string kSeat =
    Groups({{0, "BLOCK"}, {2, "SEAT"}, {10, "0"}, {20, "0"}}) +
    Groups({{0, "LINE"}, {8, "0"}, {62, "0"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}}) +
    Groups({{0, "ENDBLK"}});

TEST(DxfRender, FrozenAndOffLayersEmitNothing) {
  auto items = Record(File(Groups({{0, "LINE"}, {8, "FROZEN"}, {11, "1"}}) +
                               Groups({{0, "LINE"}, {8, "OFF"}, {11, "1"}}) +
                               Groups({{0, "INSERT"}, {8, "FROZEN"}, {2, "SEAT"}}) +
                               Groups({{0, "TEXT"}, {8, "FROZEN"}, {40, "1"}, {1, "x"}}),
                           kLayers, kSeat));
  EXPECT_TRUE(items.empty());
}

TEST(DxfRender, ColoursResolveByLayerAndByBlock) {
  auto items = Record(
      File(Groups({{0, "LINE"}, {8, "PLANE1"}, {11, "1"}}) +                 // BYLAYER: red
               Groups({{0, "LINE"}, {8, "PLANE1"}, {62, "5"}, {11, "1"}}) +  // own: blue
               Groups({{0, "LINE"}, {8, "0"}, {11, "1"}}) +           // ACI 7: black on paper
               Groups({{0, "INSERT"}, {8, "PLANE1"}, {2, "SEAT"}}) +  // BYBLOCK -> layer red
               Groups({{0, "INSERT"}, {8, "PLANE1"}, {62, "3"}, {2, "SEAT"}}),  // BYBLOCK -> green
           kLayers, kSeat));
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[0].rgb, dxf::MakeRgb(255, 0, 0));
  EXPECT_EQ(items[1].rgb, dxf::MakeRgb(0, 0, 255));
  EXPECT_EQ(items[2].rgb, dxf::MakeRgb(0, 0, 0));
  EXPECT_EQ(items[3].rgb, dxf::MakeRgb(255, 0, 0));
  EXPECT_EQ(items[4].rgb, dxf::MakeRgb(0, 255, 0));
}

TEST(DxfRender, InsertTransformsAndNesting) {
  std::string blocks =
      kSeat + Groups({{0, "BLOCK"}, {2, "ROW"}, {10, "1"}, {20, "0"}}) +
      Groups({{0, "INSERT"}, {2, "SEAT"}, {10, "1"}, {20, "0"}, {41, "3"}, {42, "3"}}) +
      Groups({{0, "ENDBLK"}}) + Groups({{0, "BLOCK"}, {2, "LOOP"}, {10, "0"}, {20, "0"}}) +
      Groups({{0, "LINE"}, {11, "1"}}) + Groups({{0, "INSERT"}, {2, "LOOP"}, {10, "1"}}) +
      Groups({{0, "ENDBLK"}});
  auto items = Record(
      File(Groups({{0, "INSERT"}, {2, "SEAT"}, {10, "2"}, {20, "3"}, {41, "2"}, {42, "0.5"}}) +
               Groups({{0, "INSERT"}, {2, "SEAT"}, {10, "10"}, {20, "3"}, {50, "90"}}) +
               Groups({{0, "INSERT"}, {2, "ROW"}, {10, "0"}, {20, "0"}}) +
               Groups({{0, "INSERT"}, {2, "NONE"}, {10, "5"}, {20, "5"}}) +
               Groups({{0, "INSERT"},
                       {2, "SEAT"},
                       {10, "0"},
                       {20, "0"},
                       {70, "2"},
                       {71, "2"},
                       {44, "10"},
                       {45, "20"}}) +
               Groups({{0, "INSERT"}, {2, "LOOP"}}),
           kLayers, blocks));
  ASSERT_GE(items.size(), 7u + 16u);
  ExpectPoint(items[0].pts[0], 2, 3, "scaled insert start");
  ExpectPoint(items[0].pts[1], 4, 3.5, "scaled insert end");
  ExpectPoint(items[1].pts[0], 10, 3, "rotated insert start");
  ExpectPoint(items[1].pts[1], 9, 4, "rotated insert end");
  ExpectPoint(items[2].pts[0], 0, 0, "nested insert start");  // base point (1,0) moved away
  ExpectPoint(items[2].pts[1], 3, 3, "nested insert end");
  // The missing block draws nothing; the array draws 2 x 2 copies.
  ExpectPoint(items[3].pts[0], 0, 0, "array 1");
  ExpectPoint(items[4].pts[0], 10, 0, "array 2");
  ExpectPoint(items[5].pts[0], 0, 20, "array 3");
  ExpectPoint(items[6].pts[0], 10, 20, "array 4");
  // A block that inserts itself stops at the depth limit.
  EXPECT_EQ(items.size(), 7u + 16u);
}

TEST(DxfRender, NestedArraysAreBounded) {
  // A block holding a 300 x 300 array of itself would ask for 90000^16 copies.
  std::string blocks =
      Groups({{0, "BLOCK"}, {2, "BOMB"}, {10, "0"}, {20, "0"}}) + Groups({{0, "LINE"}, {11, "1"}}) +
      Groups({{0, "INSERT"}, {2, "BOMB"}, {70, "300"}, {71, "300"}, {44, "1"}, {45, "1"}}) +
      Groups({{0, "ENDBLK"}});
  dxf::Document d;
  dxf::ReadDxf(File(Groups({{0, "INSERT"}, {2, "BOMB"}}), "", blocks), d);
  struct Counter : dxf::Sink {
    void Polyline(const std::vector<dxf::Point>&, dxf::Rgb, double,
                  const std::vector<double>&) override {
      ++n;
    }
    void Polygon(const std::vector<dxf::Point>&, dxf::Rgb) override {}
    void Text(const dxf::TextItem&) override {}
    void Dot(dxf::Point, dxf::Rgb, double) override {}
    long n = 0;
  } sink;
  dxf::RenderOptions opt;
  opt.maxExpanded = 100000;
  dxf::Renderer r(d, sink, dxf::Affine{}, opt);
  r.DrawAll();
  EXPECT_GT(sink.n, 0);
  EXPECT_LE(sink.n, 100000);
}

// Every copy of an array is drawn, however many, within the budget; the copies that cannot
// reach the clip rectangle cost nothing, so an array of a billion copies is passed over at once.
TEST(DxfRender, ArraysDrawEveryCopyThatCanShow) {
  const std::string block = Groups({{0, "BLOCK"}, {2, "SQ"}, {10, "0"}, {20, "0"}}) +
                            Groups({{0, "SOLID"},
                                    {10, "0"}, {20, "0"}, {11, "0.001"}, {21, "0"},
                                    {12, "0"}, {22, "0.001"}, {13, "0.001"}, {23, "0.001"}}) +
                            Groups({{0, "ENDBLK"}});
  struct Counter : dxf::Sink {
    void Polyline(const std::vector<dxf::Point>&, dxf::Rgb, double,
                  const std::vector<double>&) override {}
    void Polygon(const std::vector<dxf::Point>&, dxf::Rgb) override { ++n; }
    void Text(const dxf::TextItem&) override {}
    void Dot(dxf::Point, dxf::Rgb, double) override {}
    long n = 0;
  };
  struct Case {
    const char* name;
    const char* cols;
    const char* rows;
    const char* spacing;
    long copies;
    bool truncated;
  };
  const Case cases[] = {
      {"20,000 x 1", "20000", "1", "0.0005", 20000, false},
      {"400 x 300", "400", "300", "0.02", 120000, false},
      {"30,000 x 30,000 an inch apart, 11 x 11 of them within the clip", "30000", "30000", "1",
       121, false},
      {"32,767 x 32,767 in one place: the budget stops it", "32767", "32767", "0", -1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dxf::Document d;
    dxf::ReadDxf(File(Groups({{0, "INSERT"},
                              {2, "SQ"},
                              {70, c.cols},
                              {71, c.rows},
                              {44, c.spacing},
                              {45, c.spacing}}),
                      "", block),
                 d);
    Counter sink;
    dxf::RenderOptions opt;
    opt.deviceYDown = false;
    opt.clipMinX = opt.clipMinY = -0.5;
    opt.clipMaxX = opt.clipMaxY = 10.5;
    dxf::Renderer r(d, sink, dxf::Affine{}, opt);
    r.DrawAll();
    if (c.copies >= 0) {
      EXPECT_EQ(sink.n, c.copies);
    }
    EXPECT_LE(sink.n, opt.maxExpanded);
    EXPECT_EQ(r.Truncated(), c.truncated);
  }
}

TEST(DxfRender, DimensionDrawsItsBlock) {
  std::string blocks = Groups({{0, "BLOCK"}, {2, "*D1"}, {70, "1"}, {10, "0"}, {20, "0"}}) +
                       Groups({{0, "LINE"}, {10, "0"}, {20, "10"}, {11, "35"}, {21, "10"}}) +
                       Groups({{0, "TEXT"}, {10, "17"}, {20, "11"}, {40, "2"}, {1, "35"}}) +
                       Groups({{0, "ENDBLK"}});
  auto items =
      Record(File(Groups({{0, "DIMENSION"}, {8, "PLANE1"}, {2, "*D1"}, {10, "35"}, {20, "10"}}),
                  kLayers, blocks));
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].kind, Item::kPolyline);
  ExpectPoint(items[0].pts[1], 35, 10, "dimension line");
  EXPECT_EQ(items[0].rgb, dxf::MakeRgb(255, 0, 0));  // layer-0 contents take the DIM's layer
  EXPECT_EQ(items[1].kind, Item::kText);
  EXPECT_EQ(items[1].text.text, "35");
}

TEST(DxfRender, SolidOrderTextAndCurves) {
  auto items =
      Record(File(Groups({{0, "SOLID"},
                          {10, "0"},
                          {20, "0"},
                          {11, "1"},
                          {21, "0"},
                          {12, "0"},
                          {22, "1"},
                          {13, "1"},
                          {23, "1"}}) +
                  Groups({{0, "TEXT"},
                          {10, "1"},
                          {20, "2"},
                          {40, "0.5"},
                          {50, "30"},
                          {72, "2"},
                          {73, "3"},
                          {11, "5"},
                          {21, "6"},
                          {1, "R"},
                          {41, "0.75"}}) +
                  Groups({{0, "LWPOLYLINE"},
                          {90, "2"},
                          {70, "0"},
                          {10, "0"},
                          {20, "0"},
                          {42, "1"},
                          {10, "2"},
                          {20, "0"}}) +
                  Groups({{0, "LWPOLYLINE"}, {90, "0"}}) +
                  Groups({{0, "LWPOLYLINE"}, {90, "1"}, {10, "4"}, {20, "4"}}) +
                  Groups({{0, "ARC"}, {10, "0"}, {20, "0"}, {40, "2"}, {50, "0"}, {51, "90"}}) +
                  Groups({{0, "MTEXT"},
                          {10, "0"},
                          {20, "10"},
                          {40, "1"},
                          {71, "1"},
                          {1, "{\\fArial|b0;Galley}\\PAft"}})));
  ASSERT_EQ(items.size(), 7u);
  // SOLID: points 1-2-4-3, so the quad is not a bow tie.
  ASSERT_EQ(items[0].kind, Item::kPolygon);
  ExpectPoint(items[0].pts[0], 0, 0, "solid 1");
  ExpectPoint(items[0].pts[1], 1, 0, "solid 2");
  ExpectPoint(items[0].pts[2], 1, 1, "solid 4");
  ExpectPoint(items[0].pts[3], 0, 1, "solid 3");
  const dxf::TextItem& t = items[1].text;
  // Justified by its second point, top right: placed on its baseline, a cap height below the
  // point across the text's turn.
  ExpectPoint(t.anchor, 5 + 0.5 * std::sin(std::numbers::pi / 6),
              6 - 0.5 * std::cos(std::numbers::pi / 6), "justified text at its second point");
  EXPECT_NEAR(t.height, 0.5, 1e-12);
  EXPECT_NEAR(t.angle, 30, 1e-9);
  EXPECT_EQ(t.hjust, 2);
  EXPECT_NEAR(t.widthFactor, 0.75, 1e-12);
  // Bulge 1: a half circle from (0,0) to (2,0) counter-clockwise, passing (1,-1).
  const auto& arc = items[2].pts;
  ExpectPoint(arc.front(), 0, 0, "bulge start");
  ExpectPoint(arc.back(), 2, 0, "bulge end");
  double lowest = 0;
  for (const auto& p : arc) lowest = std::min(lowest, p.y);
  EXPECT_NEAR(lowest, -1, 1e-3);
  // No vertices: nothing; one vertex: a dot.
  EXPECT_EQ(items[3].kind, Item::kDot);
  ExpectPoint(items[4].pts.front(), 2, 0, "arc start");
  ExpectPoint(items[4].pts.back(), 0, 2, "arc end");
  EXPECT_EQ(items[5].text.text, "Galley");
  EXPECT_EQ(items[6].text.text, "Aft");
  EXPECT_NEAR(items[6].text.anchor.y, 10 - 5.0 / 3.0 - 1, 1e-9);  // the second line's baseline
}

// A face whose cap height is 0.7 and descent 0.3 of its em.
struct FakeFonts : dxf::FontMeasures {
  dxf::FaceMeasures Measure(const std::string& face) const override {
    asked.push_back(face);
    return {0.7, 0.3};
  }
  mutable std::vector<std::string> asked;
};

TEST(DxfRender, TextsStandOnTheirBaselines) {
  // Each text 1 high at (1, 1); on the device 10 pixels high at (10, -10), y down.
  auto text = [](const std::string& vjust, const std::string& more = "") {
    return Groups({{0, "TEXT"}, {10, "1"}, {20, "1"}, {11, "1"}, {21, "1"}, {40, "1"}, {1, "A"},
                   {73, vjust}}) +
           more;
  };
  const std::string entities = text("0") + text("1") + text("2") + text("3") +
                               text("3", Groups({{50, "90"}})) + text("3", Groups({{51, "45"}})) +
                               Groups({{0, "MTEXT"}, {10, "1"}, {20, "1"}, {40, "1"}, {71, "1"},
                                       {1, "A"}});
  dxf::Document d;
  dxf::ReadDxf(File(entities), d);
  RecordingSink sink;
  FakeFonts fonts;
  dxf::RenderOptions opt;
  opt.fonts = &fonts;
  dxf::Renderer(d, sink, dxf::Affine::Scaling(10, -10), opt).DrawAll();
  ASSERT_EQ(sink.items.size(), 7u);
  const struct {
    double x, y;
    const char* what;
  } expected[] = {
      {10, -10, "baseline"},
      {10, -10 - 10 * 0.3 / 0.7, "bottom: the descent below the baseline"},
      {10, -5, "middle: half the cap height above it"},
      {10, 0, "top: the cap height above it"},
      {20, -10, "top, turned a quarter: the baseline to the text's right"},
      {0, 0, "top, leaning 45 degrees: the baseline a cap height back along it"},
      {10, 0, "an MTEXT line by its top"},
  };
  for (size_t i = 0; i < 7; ++i) {
    ASSERT_EQ(sink.items[i].kind, Item::kText) << i;
    ExpectPoint(sink.items[i].text.anchor, expected[i].x, expected[i].y, expected[i].what);
  }
  EXPECT_FALSE(fonts.asked.empty());
  EXPECT_LE(fonts.asked.size(), 1u) << "a face is measured once a pass";
}

TEST(DxfRender, ClosedPolylinesAndLineTypes) {
  std::string tables =
      Groups({{0, "TABLE"}, {2, "LTYPE"}}) +
      Groups({{0, "LTYPE"}, {2, "DASHED"}, {73, "2"}, {40, "0.75"}, {49, "0.5"}, {49, "-0.25"}}) +
      Groups({{0, "ENDTAB"}}) + Groups({{0, "TABLE"}, {2, "LAYER"}}) +
      Groups({{0, "LAYER"}, {2, "HID"}, {62, "2"}, {70, "0"}, {6, "DASHED"}}) +
      Groups({{0, "ENDTAB"}});
  std::string header = Groups({{9, "$LTSCALE"}, {40, "2"}});
  dxf::Document d;
  dxf::ReadDxf(File(Groups({{0, "LWPOLYLINE"},
                            {8, "HID"},
                            {90, "3"},
                            {70, "1"},
                            {10, "0"},
                            {20, "0"},
                            {10, "1"},
                            {20, "0"},
                            {10, "1"},
                            {20, "1"}}) +
                        Groups({{0, "POLYLINE"}, {66, "1"}, {70, "0"}}) +
                        Groups({{0, "VERTEX"}, {10, "0"}, {20, "0"}}) +
                        Groups({{0, "VERTEX"}, {10, "5"}, {20, "0"}, {70, "16"}}) +
                        Groups({{0, "VERTEX"}, {10, "2"}, {20, "0"}}) + Groups({{0, "SEQEND"}}),
                    tables, "", header),
               d);
  RecordingSink sink;
  dxf::RenderOptions opt;
  opt.deviceYDown = false;
  dxf::Renderer r(d, sink, dxf::Affine::Scaling(10, 10), opt);
  r.DrawAll();
  ASSERT_EQ(sink.items.size(), 2u);
  const auto& closed = sink.items[0];
  ASSERT_EQ(closed.pts.size(), 4u);  // the closing side is drawn
  ExpectPoint(closed.pts.back(), 0, 0, "closed back to the start");
  // Pattern x $LTSCALE x the map's scale, in device units.
  ASSERT_EQ(closed.dash.size(), 2u);
  EXPECT_NEAR(closed.dash[0], 10, 1e-9);
  EXPECT_NEAR(closed.dash[1], -5, 1e-9);
  // A spline frame vertex (flag 16) is not part of the drawn chain.
  ASSERT_EQ(sink.items[1].pts.size(), 2u);
  ExpectPoint(sink.items[1].pts[1], 20, 0, "frame point skipped");
  EXPECT_TRUE(sink.items[1].dash.empty());  // layer 0 is continuous
}

TEST(DxfRender, ScreenMapKeepsTextUpright) {
  dxf::Document d;
  dxf::ReadDxf(File(Groups({{0, "TEXT"}, {10, "1"}, {20, "1"}, {40, "1"}, {50, "90"}, {1, "U"}})),
               d);
  dxf::ViewState v;
  v.SetPixelSize(100, 100);
  v.Show(0, 0, 10, 10);
  RecordingSink sink;
  dxf::Renderer r(d, sink, v.ToPixels());
  r.DrawAll();
  ASSERT_EQ(sink.items.size(), 1u);
  EXPECT_NEAR(sink.items[0].text.angle, 90, 1e-9);  // still reads upwards on screen
  EXPECT_NEAR(sink.items[0].text.height, 10, 1e-9);
  ExpectPoint(sink.items[0].text.anchor, 10, 90, "anchor in pixels");
}

}  // namespace
