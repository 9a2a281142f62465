// A drawing page composed as the page printers do it: the top views of the two sample jets
// merged overlaid at one scale into the page template, flattened into the entity lists.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "DrawingsTestSupport.h"
#include "drawings/PageDrawing.h"
#include "platform/dxfcontrol/DrawingControl.h"

namespace {

namespace fs = std::filesystem;
namespace LN = CadFunctions::LayerName;
constexpr int32_t kRed = 0x0000FF, kBlue = 0xFF0000;

struct Box {
  double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
  void add(double x, double y) {
    minX = std::min(minX, x), maxX = std::max(maxX, x);
    minY = std::min(minY, y), maxY = std::max(maxY, y);
  }
};

// The box of what the lists hold.
Box ListBox() {
  Box b;
  for (const CadFunctions::CadLine& l : CadFunctions::entityLists().CadLineList) {
    b.add(l.X1, l.Y1);
    b.add(l.X2, l.Y2);
  }
  for (const CadFunctions::CadText& t : CadFunctions::entityLists().CadTextList) b.add(t.X, t.Y);
  return b;
}

class SamplePage : public drawingstest::RealViews {
 protected:
  const fs::path drawings = TOLVANE_SAMPLE_DRAWINGS;

  void SetUp() override {
    RealViews::SetUp();
    inputs.PlaneColor1 = kRed;
    inputs.PlaneColor2 = kBlue;
    inputs.DimColor = -1;
    v.ShowPlane1 = v.ShowPlane2 = v.ShowDims = true;
  }
  void TearDown() override {
    CadFunctions::ClearEntityLists();
    RealViews::TearDown();
  }
  // Both top views merged at 1:n with their origins at (x, y) of the page (n = 1, x = y = 0:
  // as drawn).
  void Merge(double n, double x, double y) {
    const float f = static_cast<float>(1 / n);
    const std::string files[] = {(drawings / "101Top.dxf").string(),
                                 (drawings / "102Top.dxf").string()};
    for (int plane : {1, 2}) {
      cad(0).SetCurrentLayerName(plane == 1 ? LN::Plane1 : LN::Plane2);
      cad(0).MergeDrawingFile(files[plane - 1], 0, f, f, static_cast<float>(x / f),
                              static_cast<float>(y / f));
      CadFunctions::SetToCurrentLayer(0);
    }
  }
};

TEST_F(SamplePage, TheTopViewsOfTwoJetsFlattenInsideThePageInThePlaneColours) {
  // Measure both drawings as drawn, then take the first scale 1:10, 1:20, ... at which they
  // fit the page inside a quarter-inch margin, centred on it.
  // (The page keeps only what can show on it: the drawings are measured merged at 1:1000 with
  // their origins at (4, 5), and taken back to their own units.)
  cad(0).ClearDrawing();
  CadFunctions::SetupNewDrawing(0);
  Merge(1000, 4, 5);
  CadFunctions::GetCADEntities(0);
  const Box small = ListBox();
  const Box drawn{(small.minX - 4) * 1000, (small.minY - 5) * 1000, (small.maxX - 4) * 1000,
                  (small.maxY - 5) * 1000};
  ASSERT_GT(CadFunctions::CadLineCount(), 100u);
  double n = 10;
  while ((drawn.maxX - drawn.minX) / n > 8 || (drawn.maxY - drawn.minY) / n > 10.5) n += 10;
  // The larger jet is 69 ft long and 70 ft across, dimensions included: 1:110.
  EXPECT_EQ(n, 110);
  const double x = 4.25 - (drawn.minX + drawn.maxX) / 2 / n;
  const double y = 5.5 - (drawn.minY + drawn.maxY) / 2 / n;

  cad(0).LoadDrawingFile((fs::path(TOLVANE_TEMPLATES) / "Top.dxf").string());
  const long templateEntities = cad(0).EntityList().Count();
  ASSERT_GT(templateEntities, 0);
  CadFunctions::SetupNewDrawing(0);
  CadFunctions::UpdateCADText();
  Merge(n, x, y);
  CadFunctions::GetCADEntities(0);
  EXPECT_TRUE(traps.errors.empty());

  const Box page = ListBox();
  EXPECT_GE(page.minX, 0);
  EXPECT_LE(page.maxX, 8.5);
  EXPECT_GE(page.minY, 0);
  EXPECT_LE(page.maxY, 11);
  std::map<int32_t, size_t> lineColours, textColours;
  for (const CadFunctions::CadLine& l : CadFunctions::entityLists().CadLineList)
    ++lineColours[l.Color];
  for (const CadFunctions::CadText& t : CadFunctions::entityLists().CadTextList)
    ++textColours[t.Color];
  // The frame of the template in black, each jet and its dimensions in its plane's colour.
  EXPECT_EQ(lineColours.size(), 3u);
  EXPECT_GT(lineColours[0], 0u);
  EXPECT_GT(lineColours[kRed], 50u);
  EXPECT_GT(lineColours[kBlue], 50u);
  EXPECT_EQ(lineColours[kRed], lineColours[kBlue]);  // the two drawings are drawn alike
  EXPECT_GT(textColours[0], 0u);
  EXPECT_GT(textColours[kRed] + textColours[kBlue], 0u);
  // What stays for the raster: no collected kind is left.
  std::set<std::string> left;
  for (const dxf::Entity& e : cad(0).EntityList()) left.insert(e.EntityType);
  for (const char* kind : {"TEXT", "LINE", "POLYLINE", "LWPOLYLINE", "CIRCLE"})
    EXPECT_EQ(left.count(kind), 0u) << kind;
}

}  // namespace
