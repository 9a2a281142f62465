#include <gtest/gtest.h>

#include "DrawingsTestSupport.h"

namespace {

using CadFunctions::Layer::Dim1;
using CadFunctions::Layer::Dim2;
using CadFunctions::Layer::Grid;
using CadFunctions::Layer::Plane1;
using CadFunctions::Layer::Plane2;
using Visibility = drawingstest::Drawings;

TEST_F(Visibility, UpdateDimsFreezesEachDimLayerByDimsAndItsPlane) {
  for (int dims = 0; dims < 2; ++dims) {
    for (int p1 = 0; p1 < 2; ++p1) {
      for (int p2 = 0; p2 < 2; ++p2) {
        SCOPED_TRACE(::testing::Message()
                     << "dims " << dims << " plane1 " << p1 << " plane2 " << p2);
        v.ShowDims = dims;
        v.ShowPlane1 = p1;
        v.ShowPlane2 = p2;
        CadFunctions::UpdateDims();
        for (int view = 2; view <= 5; ++view) {
          EXPECT_EQ(fake.frozen(view, Dim1), !(dims && p1)) << "view " << view;
          EXPECT_EQ(fake.frozen(view, Dim2), !(dims && p2)) << "view " << view;
        }
        // Neither the measuring view nor any other layer is touched.
        EXPECT_TRUE(fake.views[0].frozen.empty());
        for (int view = 2; view <= 5; ++view) {
          EXPECT_EQ(fake.views[view].frozen.size(), 2u);
        }
      }
    }
  }
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(Visibility, ToggleDimsAppliesTheFlagAndReachesMenuAndToolbar) {
  v.ShowPlane1 = v.ShowPlane2 = true;
  inputs.CurrentDrawingTab = 4;
  CadFunctions::ToggleDims();
  EXPECT_TRUE(v.ShowDims);
  for (int view = 2; view <= 5; ++view) {
    EXPECT_FALSE(fake.frozen(view, Dim1));
    EXPECT_FALSE(fake.frozen(view, Dim2));
  }
  EXPECT_EQ(fake.calls.back().op, "Redraw");
  EXPECT_EQ(fake.calls.back().args, "4");
  EXPECT_EQ(hooks.events, (std::vector<std::string>{"menu mnuViewShowDims 1", "bold 2 1"}));

  hooks.events.clear();
  CadFunctions::ToggleDims();
  EXPECT_FALSE(v.ShowDims);
  EXPECT_TRUE(fake.frozen(3, Dim1));
  EXPECT_TRUE(fake.frozen(3, Dim2));
  EXPECT_EQ(hooks.events, (std::vector<std::string>{"menu mnuViewShowDims 0", "bold 2 0"}));
}

TEST_F(Visibility, ToggleGridFreezesTheGridExactlyWhenHidden) {
  CadFunctions::ToggleGrid();
  EXPECT_TRUE(v.ShowGrid);
  for (int view = 2; view <= 5; ++view) EXPECT_FALSE(fake.frozen(view, Grid));
  EXPECT_EQ(hooks.events, (std::vector<std::string>{"menu mnuViewShowGrid 1", "bold 3 1"}));
  CadFunctions::ToggleGrid();
  for (int view = 2; view <= 5; ++view) EXPECT_TRUE(fake.frozen(view, Grid));
  EXPECT_EQ(fake.count("Redraw"), 2);
}

TEST_F(Visibility, TogglePlanesFreezeTheirLayersAndReachEveryControl) {
  v.ShowPlane1 = v.ShowPlane2 = true;
  v.ShowDims = true;
  CadFunctions::TogglePlane1();
  EXPECT_FALSE(v.ShowPlane1);
  for (int view = 2; view <= 5; ++view) {
    EXPECT_TRUE(fake.frozen(view, Plane1));
    EXPECT_TRUE(fake.frozen(view, Dim1));
    EXPECT_FALSE(fake.views[view].frozen.count(Plane2));
  }
  EXPECT_EQ(hooks.events,
            (std::vector<std::string>{"menu mnuViewPlane1 0", "bold 0 0", "check 0 0", "showtab"}));

  hooks.events.clear();
  CadFunctions::TogglePlane2();
  EXPECT_FALSE(v.ShowPlane2);
  EXPECT_TRUE(fake.frozen(2, Plane2));
  EXPECT_TRUE(fake.frozen(2, Dim2));
  EXPECT_EQ(hooks.events,
            (std::vector<std::string>{"menu mnuViewPlane2 0", "bold 1 0", "check 1 0", "showtab"}));

  // Shown again, a plane's dimensions come back only while dimensions are on.
  v.ShowDims = false;
  CadFunctions::TogglePlane1();
  EXPECT_TRUE(v.ShowPlane1);
  EXPECT_FALSE(fake.frozen(5, Plane1));
  EXPECT_TRUE(fake.frozen(5, Dim1));
  v.ShowDims = true;
  CadFunctions::TogglePlane2();
  EXPECT_FALSE(fake.frozen(5, Plane2));
  EXPECT_FALSE(fake.frozen(5, Dim2));
}

// A drawing control that fails to redraw.
struct FailingRedraw : CadFunctions::FakeCadServices {
  void Redraw(int) override { vb::Raise(vb::err::ObjectNotSet); }
};

TEST_F(Visibility, AFailingControlIsReportedAndTheToggleGoesOn) {
  FailingRedraw failing;
  CadFunctions::InstallServices(&failing);
  CadFunctions::TogglePlane1();
  ASSERT_EQ(traps.errors.size(), 1u);
  EXPECT_EQ(traps.errors[0].number, vb::err::ObjectNotSet);
  EXPECT_TRUE(v.ShowPlane1);
  EXPECT_EQ(hooks.events.back(), "showtab");
}

TEST_F(Visibility, InitDwgsSetsUpTheViewsAndMarksTheDrawingTabsNotDrawn) {
  fake.views[3].frozen[Plane1] = true;
  CadFunctions::InitDwgs();
  EXPECT_EQ(fake.count("InitDwgs"), 1);
  EXPECT_FALSE(fake.frozen(3, Plane1));
  EXPECT_EQ(hooks.events, (std::vector<std::string>{"tabdrawn 2 0", "tabdrawn 3 0", "tabdrawn 4 0",
                                                    "tabdrawn 5 0"}));
}

TEST_F(Visibility, WithNothingInstalledTheDefaultsServe) {
  CadFunctions::resetForTest();
  // The default fake takes the calls; no main window is needed.
  v.ShowDims = v.ShowPlane1 = true;
  CadFunctions::UpdateDims();
  EXPECT_FALSE(CadFunctions::DefaultServices().frozen(2, Dim1));
  EXPECT_TRUE(CadFunctions::DefaultServices().frozen(2, Dim2));
  CadFunctions::TogglePlane2();
  EXPECT_FALSE(CadFunctions::DefaultServices().frozen(2, Dim2));
  EXPECT_TRUE(hooks.events.empty());
  EXPECT_EQ(&CadFunctions::services(), &CadFunctions::DefaultServices());
}

}  // namespace
