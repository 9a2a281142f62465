#include <gtest/gtest.h>

#include <fstream>

#include "DrawingsTestSupport.h"
#include "foundation/DBase.h"
#include "support/TestSupport.h"

namespace {

namespace LN = CadFunctions::LayerName;
using drawingstest::Line;
using drawingstest::Text;

class Visibility : public drawingstest::RealViews {
 protected:
  void SetUp() override {
    RealViews::SetUp();
    CadFunctions::InitDwgs();
    hooks.events.clear();
  }
};

TEST_F(Visibility, EnableDimsNeedsDimsAndNoOverlayOfTwoAircraft) {
  struct Case {
    bool dims;
    const char *plane1, *plane2;
    bool overlay;
    bool enabled;
  };
  const Case cases[] = {
      {false, "101", "102", false, false}, {false, "101", "", false, false},
      {true, "101", "102", true, false},   {true, "101", "102", false, true},
      {true, "101", "", true, true},  // one aircraft: the overlay choice does not matter
      {true, "", "102", true, true},       {true, "", "", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.dims << " '" << c.plane1 << "' '" << c.plane2 << "' overlay " << c.overlay);
    v.ShowDims = c.dims;
    inputs.Aircraft1 = c.plane1;
    inputs.Aircraft2 = c.plane2;
    hooks.overlay = {};
    hooks.overlay[4] = c.overlay;
    EXPECT_EQ(CadFunctions::EnableDims(4), c.enabled);
    EXPECT_EQ(CadFunctions::EnableDims(3), c.dims);  // view 3's overlay button is not selected
  }
}

TEST_F(Visibility, UpdateDimsShowsADimLayerOnlyWithItsPlaneAndDimsEnabled) {
  inputs.Aircraft1 = "101";
  inputs.Aircraft2 = "102";
  hooks.overlay[2] = true;  // the top view shows the two aircraft overlaid
  for (int dims = 0; dims < 2; ++dims) {
    for (int p1 = 0; p1 < 2; ++p1) {
      for (int p2 = 0; p2 < 2; ++p2) {
        SCOPED_TRACE(::testing::Message()
                     << "dims " << dims << " plane1 " << p1 << " plane2 " << p2);
        v.ShowDims = dims;
        v.ShowPlane1 = p1;
        v.ShowPlane2 = p2;
        CadFunctions::UpdateDims();
        EXPECT_TRUE(frozen(2, LN::Dim1));
        EXPECT_TRUE(frozen(2, LN::Dim2));
        for (int view = 3; view <= 5; ++view) {
          EXPECT_EQ(frozen(view, LN::Dim1), !(dims && p1)) << "view " << view;
          EXPECT_EQ(frozen(view, LN::Dim2), !(dims && p2)) << "view " << view;
        }
        // Neither the measuring view nor any other layer is touched.
        for (const dxf::Layer& l : cad(0).Layers()) EXPECT_FALSE(l.Frozen) << l.Name();
        EXPECT_FALSE(frozen(3, LN::Plane1));
        EXPECT_FALSE(frozen(3, LN::Grid));
      }
    }
  }
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(Visibility, ToggleDimsAppliesTheFlagAndReachesMenuAndToolbar) {
  v.ShowPlane1 = v.ShowPlane2 = true;
  CadFunctions::ToggleDims();
  EXPECT_TRUE(v.ShowDims);
  for (int view = 2; view <= 5; ++view) {
    EXPECT_FALSE(frozen(view, LN::Dim1));
    EXPECT_FALSE(frozen(view, LN::Dim2));
  }
  EXPECT_EQ(hooks.events, (std::vector<std::string>{"menu mnuViewShowDims 1", "bold 2 1"}));

  hooks.events.clear();
  CadFunctions::ToggleDims();
  EXPECT_FALSE(v.ShowDims);
  EXPECT_TRUE(frozen(3, LN::Dim1));
  EXPECT_TRUE(frozen(3, LN::Dim2));
  EXPECT_EQ(hooks.events, (std::vector<std::string>{"menu mnuViewShowDims 0", "bold 2 0"}));
}

TEST_F(Visibility, ToggleGridFreezesTheGridExactlyWhenHidden) {
  CadFunctions::ToggleGrid();
  EXPECT_TRUE(v.ShowGrid);
  for (int view = 2; view <= 5; ++view) EXPECT_FALSE(frozen(view, LN::Grid));
  EXPECT_EQ(hooks.events, (std::vector<std::string>{"menu mnuViewShowGrid 1", "bold 3 1"}));
  CadFunctions::ToggleGrid();
  for (int view = 2; view <= 5; ++view) EXPECT_TRUE(frozen(view, LN::Grid));
  EXPECT_FALSE(frozen(0, LN::Grid));
}

TEST_F(Visibility, TogglePlanesFreezeTheirLayersAndReachEveryControl) {
  v.ShowPlane1 = v.ShowPlane2 = true;
  v.ShowDims = true;
  CadFunctions::UpdateDims();
  CadFunctions::TogglePlane1();
  EXPECT_FALSE(v.ShowPlane1);
  for (int view = 2; view <= 5; ++view) {
    EXPECT_TRUE(frozen(view, LN::Plane1));
    EXPECT_TRUE(frozen(view, LN::Dim1));
    EXPECT_FALSE(frozen(view, LN::Plane2));
    EXPECT_FALSE(frozen(view, LN::Dim2));
  }
  EXPECT_EQ(hooks.events,
            (std::vector<std::string>{"menu mnuViewPlane1 0", "bold 0 0", "check 0 0", "showtab"}));

  hooks.events.clear();
  CadFunctions::TogglePlane2();
  EXPECT_FALSE(v.ShowPlane2);
  EXPECT_TRUE(frozen(2, LN::Plane2));
  EXPECT_TRUE(frozen(2, LN::Dim2));
  EXPECT_EQ(hooks.events,
            (std::vector<std::string>{"menu mnuViewPlane2 0", "bold 1 0", "check 1 0", "showtab"}));

  // Shown again, a plane's dimensions come back only where dimensions are enabled.
  v.ShowDims = false;
  CadFunctions::TogglePlane1();
  EXPECT_TRUE(v.ShowPlane1);
  EXPECT_FALSE(frozen(5, LN::Plane1));
  EXPECT_TRUE(frozen(5, LN::Dim1));
  v.ShowDims = true;
  inputs.Aircraft1 = "101";
  inputs.Aircraft2 = "102";
  hooks.overlay[5] = true;
  CadFunctions::TogglePlane2();
  EXPECT_FALSE(frozen(5, LN::Plane2));
  EXPECT_TRUE(frozen(5, LN::Dim2));  // overlaid pair: no dimensions in the interior view
  EXPECT_FALSE(frozen(4, LN::Dim2));
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(Visibility, TheStandardLayersAreFoundByNameBehindATemplatesOwnLayers) {
  // A page template with layers of its own, set up after loading: the standard layers come
  // after the template's.
  cad(2).LoadDrawingText(drawingstest::DxfFile(Line("BORDER", 0, 0, 8.5, 0)));
  CadFunctions::SetupNewDrawing(2);
  ASSERT_EQ(cad(2).Layers().Item(3).Name(), "GRID");
  v.ShowPlane1 = true;
  v.ShowDims = false;
  CadFunctions::UpdateDims();
  EXPECT_TRUE(frozen(2, LN::Dim1));
  EXPECT_FALSE(frozen(2, "BORDER"));
  EXPECT_FALSE(frozen(2, LN::Grid));
}

// A view without a control is reported; the toggle goes on with the other views and controls.
TEST_F(Visibility, AMissingControlIsReportedAndTheToggleGoesOn) {
  real->SetControl(3, nullptr);
  CadFunctions::TogglePlane1();
  ASSERT_EQ(traps.errors.size(), 2u);  // its plane layer and its dimension layer
  EXPECT_EQ(traps.errors[0].number, vb::err::ObjectNotSet);
  EXPECT_TRUE(v.ShowPlane1);
  EXPECT_FALSE(frozen(4, LN::Plane1));
  EXPECT_EQ(hooks.events.back(), "showtab");
}

TEST_F(Visibility, InitDwgsGivesEveryViewTheEightLayersAndMarksTheTabsNotDrawn) {
  cad(3).MergeDrawingText(drawingstest::DxfFile(Line("WING", 0, 0, 1, 1)));
  cad(3).Layers().Item(LN::Plane1).Frozen = true;
  CadFunctions::InitDwgs();
  const std::vector<std::string> standard = {"0",      "GRID",   "DIM1", "DIM2",
                                             "PLANE1", "PLANE2", "DIMA", "DIMB"};
  for (int view : {0, 2, 3, 4, 5}) {
    EXPECT_EQ(layerNames(view), standard) << "view " << view;
    EXPECT_EQ(cad(view).EntityList().Count(), 0);
    EXPECT_EQ(cad(view).CurrentLayerName(), "PLANE1");
  }
  EXPECT_FALSE(frozen(3, LN::Plane1));
  EXPECT_EQ(hooks.events, (std::vector<std::string>{"tabdrawn 2 0", "tabdrawn 3 0", "tabdrawn 4 0",
                                                    "tabdrawn 5 0"}));
}

TEST_F(Visibility, TheGridIsEightHundredLinesAFootApartHiddenUntilShown) {
  CadFunctions::MakeGrid(3);
  const dxf::EntityCollection& lines = cad(3).EntityList();
  ASSERT_EQ(lines.Count(), 800);
  EXPECT_EQ(v.GridSpacing, 1.0f);
  for (const dxf::Entity& e : lines) {
    ASSERT_EQ(e.EntityType, "LINE");
    ASSERT_EQ(e.LayerName, "GRID");
    ASSERT_EQ(e.Color, dxf::kByLayer);
  }
  const dxf::Entity& first = lines.Item(1);
  EXPECT_EQ(std::vector<double>({first.X0, first.Y0, first.X1, first.Y1}),
            std::vector<double>({-2400, -2400, -2400, 2400}));
  const dxf::Entity& lastVertical = lines.Item(400);
  EXPECT_EQ(lastVertical.X0, 2388);
  const dxf::Entity& firstHorizontal = lines.Item(401);
  EXPECT_EQ(std::vector<double>(
                {firstHorizontal.X0, firstHorizontal.Y0, firstHorizontal.X1, firstHorizontal.Y1}),
            std::vector<double>({-2400, -2400, 2400, -2400}));
  EXPECT_EQ(lines.Item(800).Y0, 2388);
  EXPECT_TRUE(frozen(3, LN::Grid));
  EXPECT_EQ(cad(3).CurrentLayerName(), "GRID");  // the caller sets the plane layer next

  v.ShowGrid = true;
  CadFunctions::MakeGrid(4);
  EXPECT_FALSE(frozen(4, LN::Grid));
}

class CadDims : public Visibility {
 protected:
  testsupport::TempDir dir;
  void SetUp() override {
    Visibility::SetUp();
    General::vars().IniFileName = (dir / "Tolvane.ini").string();
  }
  // The control upper-cases layer names: a file's "dimx" is "DIMX" there and holds "DIM".
  void load() {
    cad(2).ClearDrawing();
    cad(2).MergeDrawingText(drawingstest::DxfFile(
        Text("DIM", 0, 0, 6, "30") + Text("DIMB", 0, 0, 9, "12.5 ft") +
        Text("DIM1", 0, 0, 4, "Span 40") + Text("DIM", 0, 0, 2, "10", "MTEXT") +
        Text("dimx", 0, 0, 3, "7") + Text("PLANE1", 0, 0, 20, "100")));
  }
  void TearDown() override {
    DBase::vars().MetricUnits = false;
    Visibility::TearDown();
  }
  void ini(const std::string& text) { std::ofstream(dir / "Tolvane.ini") << text; }
  std::vector<std::string> texts() {
    std::vector<std::string> out;
    for (const dxf::Entity& e : cad(2).EntityList()) {
      out.push_back(e.Text + "@" + std::to_string(static_cast<int>(e.g40)));
    }
    return out;
  }
};

TEST_F(CadDims, DimensionTextsChangeOnlyWithUseMetricDims) {
  struct Case {
    const char* ini;
    bool metric;
    std::vector<std::string> expected;
  };
  const std::vector<std::string> unchanged = {"30@6", "12.5 ft@9", "Span 40@4",
                                              "10@2", "7@3",       "100@20"};
  const Case cases[] = {
      {"", true, unchanged},
      {"[Settings]\nUseMetricDims=False\n", true, unchanged},
      {"[Settings]\nUseMetricDims=True\n",
       false,
       {"30@9", "12.5 ft@9", "Span 40@9", "10@2", "7@9", "100@20"}},
      {"[Settings]\nUseMetricDims=true\n",
       true,
       {"9.1@9", "3.8 ft@9", "Span 12.2@9", "10@2", "2.1@9", "100@20"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ini);
    load();
    ini(c.ini);
    DBase::vars().MetricUnits = c.metric;
    CadFunctions::UpdateCADDims(2);
    EXPECT_EQ(texts(), c.expected);
  }
}

}  // namespace
