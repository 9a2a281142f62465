// The composition of the drawing tabs: the merge argument lists of every exterior and interior
// case, the measurements behind the side-by-side places, and the visibility applied again.
#include <gtest/gtest.h>

#include "CompositionFakes.h"
#include "drawings/DrawingMouse.h"
#include "drawings/DrawingTabs.h"

namespace {

using mwtest::CompositionTest;
using Strings = std::vector<std::string>;

class DrawingTabs : public CompositionTest {
 protected:
  void SetUp() override {
    CompositionTest::SetUp();
    // Top views: Plane 1 40.5 wide from -10; Plane 2 reaching 50.5 right and 12.5 up.
    Cache("101", "Top", Box(-10, 30.5, -5, 20));
    Cache("102", "Top", Box(-8, 50.5, -3, 12.5));
    for (const char* view : {"Front", "Side"}) {
      Cache("101", view, Box(-1, 1, -1, 1));
      Cache("102", view, Box(-1, 1, -1, 1));
    }
    Cache("101", "Interior", Box(-20, 40, 0, 10));
    Cache("102", "Interior", Box(-15, 60, 0, 10));
    Cache("101", "Cabin", Box(-5, 5, 0, 8));
    Cache("102", "Cabin", Box(-6, 6, 0, 8));
  }
  void Compose(int tab) { MainForm::ComposeDrawingTab(tab, controls, options); }
  // Layer choices, merges and the remapping after them on the composed view.
  Strings PlaneSteps(int tab) const {
    Strings out;
    const std::string v = std::to_string(tab);
    for (const auto& c : fake.calls) {
      if ((c.op == "SetCurrentLayer" && c.args.rfind(v + ",Plane", 0) == 0) || c.op == "Merge" ||
          (c.op == "SetToCurrentLayer" && c.args == v)) {
        out.push_back(c.op + " " + c.args);
      }
    }
    return out;
  }
};

TEST_F(DrawingTabs, ExteriorMergeArgumentsForEveryPlacement) {
  struct Case {
    int tab;
    bool overlay;
    int hidden;  // plane hidden: 0 none
    Strings merges;
    Strings loads;
  };
  const std::vector<Case> cases = {
      // Top: Plane 2 right of Plane 1 by Plane 1's width, 40.5 to the even 40.
      {2, false, 0, {"Merge 2,101Top.dxf", "Merge 2,102Top.dxf,0,1,1,40,0"}, {"Load 0,101Top.dxf"}},
      {2, true, 0, {"Merge 2,101Top.dxf", "Merge 2,102Top.dxf,0,1,1,0,0"}, {}},
      {2, false, 2, {"Merge 2,101Top.dxf", "Merge 2,102Top.dxf,0,1,1,0,0"}, {}},
      {2, false, 1, {"Merge 2,101Top.dxf", "Merge 2,102Top.dxf,0,1,1,0,0"}, {}},
      // Front: by the mean of both top views' right ends, (30.5 + 50.5) / 2 = 40.5 to 40.
      {3,
       false,
       0,
       {"Merge 3,101Front.dxf", "Merge 3,102Front.dxf,0,1,1,40,0"},
       {"Load 0,101Top.dxf", "Load 0,102Top.dxf"}},
      {3, true, 0, {"Merge 3,101Front.dxf", "Merge 3,102Front.dxf,0,1,1,0,0"}, {}},
      {3, false, 1, {"Merge 3,101Front.dxf", "Merge 3,102Front.dxf,0,1,1,0,0"}, {}},
      // Side: Plane 1 above Plane 2 by Plane 2's top view height, 12.5 to the even 12.
      {4,
       false,
       0,
       {"Merge 4,101Side.dxf,0,1,1,0,12", "Merge 4,102Side.dxf"},
       {"Load 0,102Top.dxf"}},
      {4, true, 0, {"Merge 4,101Side.dxf,0,1,1,0,0", "Merge 4,102Side.dxf"}, {}},
      {4, false, 2, {"Merge 4,101Side.dxf,0,1,1,0,0", "Merge 4,102Side.dxf"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("tab " + std::to_string(c.tab) + (c.overlay ? " overlay" : " side by side") +
                 " hidden " + std::to_string(c.hidden));
    fake.calls.clear();
    options = {};
    if (c.overlay) options.Overlay(c.tab);
    auto& cv = CadFunctions::vars();
    cv.ShowPlane1 = c.hidden != 1;
    cv.ShowPlane2 = c.hidden != 2;
    MainForm::vars().TabDrawn.fill(false);
    Compose(c.tab);
    EXPECT_EQ(Merges(), c.merges);
    EXPECT_EQ(Loads(), c.loads);
    const std::string v = std::to_string(c.tab);
    // Each plane on its layer, remapped after its merge.
    EXPECT_EQ(PlaneSteps(c.tab),
              (Strings{"SetCurrentLayer " + v + ",Plane1", c.merges[0], "SetToCurrentLayer " + v,
                       "SetCurrentLayer " + v + ",Plane2", c.merges[1], "SetToCurrentLayer " + v}));
    EXPECT_TRUE(MainForm::vars().TabDrawn[static_cast<size_t>(c.tab)]);
    EXPECT_EQ(fake.count("CompleteDrawing"), 1);
    EXPECT_TRUE(traps.errors.empty());
  }
}

// Side by side, a top view that does not reach the origin is measured from it (the extents start
// from empty values, which count as 0): Plane 2 stands clear of all of Plane 1, not inside it.
TEST_F(DrawingTabs, TopViewsAwayFromTheOriginAreMeasuredFromIt) {
  struct Case {
    const char* name;
    int tab;
    CadFunctions::Extents top1, top2;
    Strings merges;
  };
  const std::vector<Case> cases = {
      // 1017 from the origin, not the drawing's own width 669.
      {"top, Plane 1 at X 348..1017",
       2,
       Box(348, 1017, 10, 50),
       Box(-8, 50.5, -3, 12.5),
       {"Merge 2,101Top.dxf", "Merge 2,102Top.dxf,0,1,1,1017,0"}},
      // Both right ends left of the origin: (0 + 0) / 2, not (-100 + -50) / 2.
      {"front, both left of the origin",
       3,
       Box(-900, -100, -5, 5),
       Box(-800, -50, -5, 5),
       {"Merge 3,101Front.dxf", "Merge 3,102Front.dxf,0,1,1,0,0"}},
      // Plane 2's top view below the origin: 0, not -20.
      {"side, Plane 2 below the origin",
       4,
       Box(-10, 30, -5, 20),
       Box(-8, 50, -300, -20),
       {"Merge 4,101Side.dxf,0,1,1,0,0", "Merge 4,102Side.dxf"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Cache("101", "Top", c.top1);
    Cache("102", "Top", c.top2);
    fake.calls.clear();
    MainForm::vars().TabDrawn.fill(false);
    Compose(c.tab);
    EXPECT_EQ(Merges(), c.merges);
  }
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(DrawingTabs, ExteriorStepsRunInOrderEndingWithTheVisibility) {
  Compose(2);
  Strings ops;
  for (const auto& c : fake.calls) {
    if (ops.empty() || ops.back() != c.op) ops.push_back(c.op);
  }
  // Measure, grid, the planes, zoom (the window applied), completion, visibility again.
  const Strings head(ops.begin(), ops.begin() + 12);
  EXPECT_EQ(head, (Strings{"Load", "SetCurrentLayer", "AddLine", "SetLayerFrozen",
                           "SetCurrentLayer", "Merge", "SetToCurrentLayer", "SetCurrentLayer",
                           "Merge", "SetToCurrentLayer", "ApplyViewWindow", "CompleteDrawing"}));
  EXPECT_EQ(hooks.events, (Strings{"check 0 1", "showtab", "check 1 1", "showtab"}));
}

TEST_F(DrawingTabs, AMissingDrawingAddsNothingToTheMeasurement) {
  // CAD(0) still holds Plane 1's top view from an earlier measurement.
  controls.LoadDrawingFile(0, (dir / "DXF" / "101Top.dxf").string());
  std::filesystem::remove(dir / "DXF" / "102Top.dxf");
  fake.calls.clear();
  Compose(4);
  EXPECT_EQ(Merges(), (Strings{"Merge 4,101Side.dxf,0,1,1,0,0", "Merge 4,102Side.dxf"}));
  EXPECT_TRUE(Loads().empty());

  // Plane 1's top view missing on the top tab: Plane 2 goes on the origin.
  std::filesystem::remove(dir / "DXF" / "101Top.dxf");
  Cache("102", "Top", Box(-8, 50.5, -3, 12.5));
  fake.calls.clear();
  Compose(2);
  EXPECT_EQ(Merges(), (Strings{"Merge 2,102Top.dxf,0,1,1,0,0"}));
  EXPECT_TRUE(Loads().empty());
}

TEST_F(DrawingTabs, OnlyPlaneOneChosenIsMergedAloneAndNotMoved) {
  Registry::RegSettings().Aircraft2.clear();
  Compose(4);
  EXPECT_EQ(Merges(), (Strings{"Merge 4,101Side.dxf,0,1,1,0,0"}));
  EXPECT_TRUE(Loads().empty());
  EXPECT_EQ(PlaneSteps(4), (Strings{"SetCurrentLayer 4,Plane1", "Merge 4,101Side.dxf,0,1,1,0,0",
                                    "SetToCurrentLayer 4"}));
}

TEST_F(DrawingTabs, HiddenPlaneStaysHiddenInAViewComposedAfresh) {
  for (int tab : {2, 3, 4, 5}) {
    SCOPED_TRACE(tab);
    hooks.events.clear();
    CadFunctions::vars().ShowPlane2 = false;
    fake.views.clear();
    Compose(tab);
    EXPECT_FALSE(CadFunctions::vars().ShowPlane2);
    EXPECT_TRUE(CadFunctions::vars().ShowPlane1);
    for (int view = 2; view <= 5; ++view) {
      EXPECT_TRUE(fake.frozen(view, "Plane2"));
      EXPECT_TRUE(fake.frozen(view, "Dim2"));
      EXPECT_FALSE(fake.frozen(view, "Plane1"));
    }
    EXPECT_EQ(hooks.events, (Strings{"check 0 1", "showtab", "check 1 0", "showtab"}));
  }
}

TEST_F(DrawingTabs, HelicopterInteriorPlacesForEveryViewAndConfiguration) {
  Globals::vars().AircraftClass = MainForm::Class::Helicopter;
  Registry::RegSettings().Aircraft1 = "201";
  Registry::RegSettings().Aircraft2 = "202";
  // The pair has a configuration to choose: the helicopter frame's buttons are shown.
  MainForm::vars().EMSInteriorAvailable = true;
  struct Config {
    int32_t config;
    std::string suffix;
  };
  const std::vector<Config> configs = {{1, ""}, {2, "EMS"}, {3, "Util"}, {0, "Util"}, {4, "Util"}};
  for (const Config& cfg : configs) {
    for (const char* ac : {"201", "202"}) {
      Cache(ac, (cfg.suffix.empty() ? "Interior" : "Interior" + cfg.suffix));
      Cache(ac, "CabinFront" + cfg.suffix);
      Cache(ac, "CabinSide" + cfg.suffix);
    }
  }
  struct View {
    const char* button;
    bool floor, cabin, side;
  };
  const std::vector<View> views = {{"optHeliInterior", true, false, false},
                                   {"optHeliCabin", false, true, false},
                                   {"optHeliCabinSide", false, false, true},
                                   {"optHeliAll", true, true, true}};
  for (const Config& cfg : configs) {
    for (const View& vw : views) {
      for (bool overlay : {true, false}) {
        SCOPED_TRACE("config " + std::to_string(cfg.config) + " " + vw.button +
                     (overlay ? " overlay" : " side by side"));
        fake.calls.clear();
        options = {};
        options.Select(vw.button,
                       {"optHeliInterior", "optHeliCabin", "optHeliCabinSide", "optHeliAll"});
        if (overlay) options.Overlay(5);
        MainForm::vars().InteriorConfig = cfg.config;
        Compose(5);
        const std::string floor = cfg.suffix.empty() ? "Interior" : "Interior" + cfg.suffix;
        const std::string cabin = "CabinFront" + cfg.suffix, side = "CabinSide" + cfg.suffix;
        Strings expected;
        for (const char* ac : {"201", "202"}) {
          const bool p1 = std::string(ac) == "201";
          const std::string at = "Merge 5," + std::string(ac);
          if (vw.floor)
            expected.push_back(at + floor + ".dxf,90,1,1," + (p1 && !overlay ? "120" : "0") + ",0");
          if (vw.cabin)
            expected.push_back(at + cabin + ".dxf,0,2,2," + (p1 && !overlay ? "-190" : "-25") +
                               ",100");
          if (vw.side)
            expected.push_back(at + side + ".dxf,0,2,2,120," + (p1 && !overlay ? "190" : "100"));
        }
        EXPECT_EQ(Merges(), expected);
        // Side by side, the floor plans are measured to see whether the fixed place clears.
        const Strings measured = {"Load 0,201" + floor + ".dxf", "Load 0,202" + floor + ".dxf"};
        EXPECT_EQ(Loads(), vw.floor && !overlay ? measured : Strings{});
      }
    }
  }
  EXPECT_TRUE(traps.errors.empty());
}

// A helicopter pair without an EMS or utility interior shows the fixed-wing frame: its buttons
// choose among the corporate views ("View All" all three), whatever the hidden helicopter
// buttons hold.
TEST_F(DrawingTabs, AHelicopterWithoutConfigurationsFollowsTheFixedWingButtons) {
  Globals::vars().AircraftClass = MainForm::Class::Helicopter;
  Registry::RegSettings().Aircraft1 = "202";
  Registry::RegSettings().Aircraft2.clear();
  MainForm::vars().InteriorConfig = 1;
  for (const char* view : {"Interior", "CabinFront", "CabinSide"}) Cache("202", view);
  struct Case {
    const char* button;
    Strings merges;
  };
  const std::vector<Case> cases = {
      {"optInterior", {"Merge 5,202Interior.dxf,90,1,1,120,0"}},
      {"optCabin", {"Merge 5,202CabinFront.dxf,0,2,2,-190,100"}},
      {"optBothInterior",
       {"Merge 5,202Interior.dxf,90,1,1,120,0", "Merge 5,202CabinFront.dxf,0,2,2,-190,100",
        "Merge 5,202CabinSide.dxf,0,2,2,120,190"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    fake.calls.clear();
    options = {};  // the hidden helicopter buttons keep "Cross Section"
    options.Select(c.button, {"optInterior", "optCabin", "optBothInterior"});
    Compose(5);
    EXPECT_EQ(options.visible["fraInterior"], true);
    EXPECT_EQ(options.visible["fraInteriorHeli"], false);
    EXPECT_EQ(Merges(), c.merges);
  }
  EXPECT_TRUE(traps.errors.empty());
}

// Side by side, the floor plans are merged a quarter turn round (x, y to -y, x), and Plane 1's
// plan must stand clear to the right of Plane 2's as placed: its offset is measured across the
// turned plans. A helicopter's plan keeps its fixed place 120 unless the plans would meet there.
TEST_F(DrawingTabs, SideBySideFloorPlansStandClearAfterTheirTurn) {
  struct Case {
    const char* name;
    int32_t aircraftClass;
    CadFunctions::Extents plan1, plan2;
    int hidden;
    int offset;  // Plane 1's X place
  };
  using CF = CadFunctions::Extents;
  const CF jet1 = Box(-36, 36, -324, 0), jet2 = Box(-60, 60, -456, 0);
  const CF heli1 = Box(-48, 72, -144, 96), heli2 = Box(-36, 60, -132, 84);
  const CF shortPlan = Box(-30, 30, -80, 0);
  const std::vector<Case> cases = {
      // Turned, the jets span X 0..324 and 0..456: Plane 1 from 456 x 1.2. Measured across
      // the unturned widths, (60 - -36) x 1.2 = 115 would put it inside Plane 2's plan.
      {"long jets", MainForm::Class::FixedWing, jet1, jet2, 0, 547},
      {"jets, Plane 2 hidden", MainForm::Class::FixedWing, jet1, jet2, 2, 120},
      // Turned, the helicopters span -96..144 and -84..132: 120 would overlap.
      {"long helicopters", MainForm::Class::Helicopter, heli1, heli2, 0, 274},
      // Turned, 0..80 each: (80 - 0) x 1.2 = 96 clears, so the fixed 120 holds.
      {"short helicopters", MainForm::Class::Helicopter, shortPlan, shortPlan, 0, 120},
      {"helicopters, Plane 2 hidden", MainForm::Class::Helicopter, heli1, heli2, 2, 120},
  };
  Registry::RegSettings().Aircraft1 = "301";
  Registry::RegSettings().Aircraft2 = "302";
  MainForm::vars().InteriorConfig = 1;
  MainForm::vars().UtilityInteriorAvailable = true;  // the helicopters' buttons are shown
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Globals::vars().AircraftClass = c.aircraftClass;
    Cache("301", "Interior", c.plan1);
    Cache("302", "Interior", c.plan2);
    fake.calls.clear();
    options = {};
    const bool heli = c.aircraftClass == MainForm::Class::Helicopter;
    if (heli) {
      options.Select("optHeliInterior",
                     {"optHeliInterior", "optHeliCabin", "optHeliCabinSide", "optHeliAll"});
    } else {
      options.Select("optInterior", {"optInterior", "optCabin", "optBothInterior"});
    }
    auto& cv = CadFunctions::vars();
    cv.ShowPlane1 = true;
    cv.ShowPlane2 = c.hidden != 2;
    Compose(5);
    EXPECT_EQ(Merges(), (Strings{"Merge 5,301Interior.dxf,90,1,1," + std::to_string(c.offset) +
                                     ",0",
                                 "Merge 5,302Interior.dxf,90,1,1,0,0"}));
    if (c.hidden) continue;
    // The turned plans as placed: Plane 1's left end right of Plane 2's right end.
    EXPECT_GT(c.offset - c.plan1.maxY, -c.plan2.minY);
  }
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(DrawingTabs, FixedWingInteriorMergeArguments) {
  struct Case {
    const char* button;
    bool overlay;
    int hidden;
    Strings merges;
    Strings loads;
  };
  const Strings both = {"Load 0,101Interior.dxf", "Load 0,102Interior.dxf"};
  const Strings cabins = {"Load 0,101Cabin.dxf", "Load 0,102Cabin.dxf"};
  const std::vector<Case> cases = {
      // Floor plan: Plane 1 right of Plane 2 as the plans are turned, both spanning X -10..0:
      // (0 - -10) x 1.2.
      {"optInterior",
       false,
       0,
       {"Merge 5,101Interior.dxf,90,1,1,12,0", "Merge 5,102Interior.dxf,90,1,1,0,0"},
       both},
      {"optInterior",
       true,
       0,
       {"Merge 5,101Interior.dxf,90,1,1,0,0", "Merge 5,102Interior.dxf,90,1,1,0,0"},
       {}},
      // Side by side with a plane hidden: the fixed place 120, nothing measured.
      {"optInterior",
       false,
       2,
       {"Merge 5,101Interior.dxf,90,1,1,120,0", "Merge 5,102Interior.dxf,90,1,1,0,0"},
       {}},
      // Cross section: (-6 - 5) x 1.2 - 120 = -133.2; measured whatever is hidden.
      {"optCabin",
       false,
       0,
       {"Merge 5,101Cabin.dxf,0,2,2,-133,200", "Merge 5,102Cabin.dxf,0,2,2,-120,200"},
       cabins},
      {"optCabin",
       false,
       2,
       {"Merge 5,101Cabin.dxf,0,2,2,-133,200", "Merge 5,102Cabin.dxf,0,2,2,-120,200"},
       cabins},
      {"optCabin",
       true,
       0,
       {"Merge 5,101Cabin.dxf,0,2,2,-120,200", "Merge 5,102Cabin.dxf,0,2,2,-120,200"},
       {}},
      // View All: the cabin widens the floor plan's extents, (-15 - 40) x 1.2 - 120 = -186.
      {"optBothInterior",
       false,
       0,
       {"Merge 5,101Interior.dxf,90,1,1,12,0", "Merge 5,101Cabin.dxf,0,2,2,-186,200",
        "Merge 5,102Interior.dxf,90,1,1,0,0", "Merge 5,102Cabin.dxf,0,2,2,-120,200"},
       {"Load 0,101Interior.dxf", "Load 0,102Interior.dxf", "Load 0,101Cabin.dxf",
        "Load 0,102Cabin.dxf"}},
      {"optBothInterior",
       true,
       0,
       {"Merge 5,101Interior.dxf,90,1,1,0,0", "Merge 5,101Cabin.dxf,0,2,2,-120,200",
        "Merge 5,102Interior.dxf,90,1,1,0,0", "Merge 5,102Cabin.dxf,0,2,2,-120,200"},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.button) + (c.overlay ? " overlay" : " side by side") + " hidden " +
                 std::to_string(c.hidden));
    fake.calls.clear();
    options = {};
    options.Select(c.button, {"optInterior", "optCabin", "optBothInterior"});
    if (c.overlay) options.Overlay(5);
    auto& cv = CadFunctions::vars();
    cv.ShowPlane1 = c.hidden != 1;
    cv.ShowPlane2 = c.hidden != 2;
    Compose(5);
    EXPECT_EQ(Merges(), c.merges);
    EXPECT_EQ(Loads(), c.loads);
    EXPECT_EQ(fake.count("FixText"), 2);
    EXPECT_TRUE(fake.frozen(5, "DimA"));
    EXPECT_TRUE(fake.frozen(5, "DimB"));
    EXPECT_TRUE(MainForm::vars().TabDrawn[5]);
  }
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(DrawingTabs, InteriorOptionsFollowTheInteriorsThePairHas) {
  struct Case {
    bool ems, util;
    bool corp, emsShown, utilShown, heliFrame;
  };
  for (const Case& c : std::vector<Case>{{false, false, false, false, false, false},
                                         {true, false, true, true, false, true},
                                         {false, true, true, false, true, true},
                                         {true, true, true, true, true, true}}) {
    SCOPED_TRACE(std::to_string(c.ems) + std::to_string(c.util));
    MainForm::vars().EMSInteriorAvailable = c.ems;
    MainForm::vars().UtilityInteriorAvailable = c.util;
    Compose(5);
    EXPECT_EQ(options.visible["optCorp"], c.corp);
    EXPECT_EQ(options.visible["optEMS"], c.emsShown);
    EXPECT_EQ(options.visible["optUtil"], c.utilShown);
    EXPECT_EQ(options.visible["fraInteriorHeli"], c.heliFrame);
    EXPECT_EQ(options.visible["fraInterior"], !c.heliFrame);
  }
}

TEST_F(DrawingTabs, SideBySideButtonsOfTheTabs) {
  EXPECT_EQ(MainForm::SideBySideButton(2), 3);
  EXPECT_EQ(MainForm::SideBySideButton(3), 5);
  EXPECT_EQ(MainForm::SideBySideButton(4), 7);
  EXPECT_EQ(MainForm::SideBySideButton(5), 1);
}

}  // namespace

namespace {

class DrawingMouse : public mwtest::CompositionTest {
 protected:
  CadFunctions::Vars& cv = CadFunctions::vars();
};

TEST_F(DrawingMouse, SecondClickOnAnotherViewLeavesNoViewWaiting) {
  MainForm::vars().CurrentDrawingTab = 2;
  CadFunctions::Pan();
  EXPECT_EQ(fake.views[2].pickMode, 2);
  MainForm::CAD_MouseDown(2);
  MainForm::CAD_MouseUp(2, 1, 1);
  EXPECT_TRUE(cv.PanEndMode);
  EXPECT_EQ(fake.views[2].pickMode, 2);
  // The user went to the front tab for the second click.
  MainForm::CAD_MouseDown(3);
  MainForm::CAD_MouseUp(3, 4, 5);
  EXPECT_FALSE(cv.PanEndMode);
  EXPECT_EQ(Calls({"PanView"}), (Strings{"PanView 3,4,5,1,1"}));
  for (int view = 2; view <= 5; ++view) EXPECT_EQ(fake.views[view].pickMode, 0) << view;
}

TEST_F(DrawingMouse, CommandsStillArmedKeepTheirPick) {
  MainForm::vars().CurrentDrawingTab = 2;
  CadFunctions::Pan();
  CadFunctions::ZoomWindow();
  MainForm::CAD_MouseUp(2, 1, 1);  // pan start
  MainForm::CAD_MouseUp(2, 2, 2);  // pan end; the zoom window is still armed
  EXPECT_TRUE(cv.ZoomWindowMode);
  EXPECT_EQ(Calls({"SetPickMode"}),
            (Strings{"SetPickMode 2,2", "SetPickMode 2,2", "SetPickMode 2,0"}));
  MainForm::CAD_MouseUp(2, 3, 3);
  MainForm::CAD_MouseUp(2, 6, 7);
  EXPECT_EQ(Calls({"ZoomToWindow"}), (Strings{"ZoomToWindow 2,3,3,6,7"}));
}

TEST_F(DrawingMouse, PlainClickRecentresOnlyWithPanWithMouse) {
  fake.views[4].window = {0, 0, 10, 10};
  for (uint8_t pan : {0, 1}) {
    fake.calls.clear();
    Registry::RegSettings().PanWithMouse = pan;
    MainForm::CAD_MouseDown(4);
    MainForm::CAD_MouseUp(4, 8, 2);
    EXPECT_FALSE(cv.CadMouseDown);
    EXPECT_EQ(Calls({"PanView", "SetPickMode"}), pan ? Strings{"PanView 4,5,5,8,2"} : Strings{});
  }
}

}  // namespace
