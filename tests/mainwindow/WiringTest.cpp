// The program's wiring: the main window installs every process-wide hook through it, and what it
// installs itself reads and sets the window's state.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "Fakes.h"
#include "MainWindowFixture.h"
#include "WidgetSupport.h"
#include "charts/Chart.h"
#include "drawings/PageDrawing.h"
#include "foundation/ChooseModel.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/Wiring.h"
#include "mainwindow/frmMain.h"
#include "printing/Printing.h"

namespace {

using mwtest::MainWindowTest;
using Names = std::vector<std::string_view>;

class WiringTest : public MainWindowTest {
 protected:
  void SetUp() override {
    mwtest::QtApp();
    MainWindowTest::SetUp();
  }
};

// Every hook the window has in force is one its wiring installed, and the window's wiring
// installs every hook of the program: a hook the window installed by itself, or one left out of
// the wiring, fails here.
TEST_F(WiringTest, TheWindowInstallsEveryHookOfTheProgramThroughTheWiring) {
  {
    MainForm::frmMain w(std::make_unique<mwtest::FakeAircraftData>());
    EXPECT_EQ(w.wiring().Report(), Wiring::ProgramHooks());
    EXPECT_EQ(Wiring::HooksInForce(), w.wiring().Report());
    EXPECT_EQ(w.wiring().Replaced(), Names{});
  }
  // Gone with the window: every module is back at its default.
  EXPECT_EQ(Wiring::HooksInForce(), Names{});
}

// An adapter left out stays at its module's default; a hook installed over the wiring's is told,
// and the wiring going leaves it in place.
TEST_F(WiringTest, AnAdapterLeftOutOrAHookInstalledOverTheWiringsIsTold) {
  ui::FakeHooks mine;
  Names inForce;
  {
    const Wiring::Installed wiring(Wiring::Adapters{.ui = &mine});
    Names expected{"ui"};
    for (std::string_view own : Wiring::StateHooks()) expected.push_back(own);
    EXPECT_EQ(wiring.Report(), expected);
    EXPECT_EQ(Wiring::HooksInForce(), expected);
    ui::FakeHooks other;
    ui::Install(&other);
    EXPECT_EQ(wiring.Replaced(), Names{"ui"});
    ui::Install(&mine);
    EXPECT_EQ(wiring.Replaced(), Names{});
    CadFunctions::SetPageInputsSource([] { return CadFunctions::PageInputs{}; });
    EXPECT_EQ(wiring.Replaced(), Names{"page inputs"});
    ui::Install(&other);
    inForce = Wiring::HooksInForce();
  }
  EXPECT_EQ(inForce.front(), "ui");
  // The two hooks installed over the wiring's stay; the rest are gone.
  EXPECT_EQ(Wiring::HooksInForce(), (Names{"ui", "page inputs"}));
  ui::Install(nullptr);
  CadFunctions::SetPageInputsSource({});
}

// What the wiring installs itself is the window's state: the drawing operations, the page
// routines, the print jobs and the selection dialog read it and set it there.
TEST_F(WiringTest, TheProgramsOwnHooksReadAndSetTheWindowsState) {
  const Wiring::Installed wiring(Wiring::Adapters{});
  Registry::Settings& reg = Registry::RegSettings();
  reg.Aircraft1 = "201";
  reg.Aircraft2 = "202";
  reg.PlaneColor1 = 0x112233;
  reg.PlaneColor2 = 0x445566;
  reg.DimColor = 0x778899;
  MainForm::Vars& v = MainForm::vars();
  v.CurrentTab = 12;
  v.CurrentDrawingTab = 4;
  v.InteriorConfig = 3;
  v.EMSInteriorAvailable = true;
  v.UtilityInteriorAvailable = true;
  v.WATAAvailable = true;
  v.PlotPreview = true;
  v.PrintFromCAD = true;
  Globals::vars().AircraftClass = Globals::Class::Helicopter;
  Printing::vars().PrintPageNumber = 2;
  Printing::vars().PrintPageCount = 7;

  const CadFunctions::DrawingInputs d = CadFunctions::CurrentInputs();
  EXPECT_EQ(d.Aircraft1, "201");
  EXPECT_EQ(d.Aircraft2, "202");
  EXPECT_EQ(d.PlaneColor1, 0x112233);
  EXPECT_EQ(d.PlaneColor2, 0x445566);
  EXPECT_EQ(d.DimColor, 0x778899);
  EXPECT_EQ(d.CurrentDrawingTab, 4);
  EXPECT_EQ(d.InteriorConfig, 3);
  EXPECT_TRUE(d.EMSInteriorAvailable && d.UtilityInteriorAvailable);

  const CadFunctions::PageInputs p = CadFunctions::CurrentPageInputs();
  EXPECT_EQ(p.PrintPageNumber, 2);
  EXPECT_EQ(p.PrintPageCount, 7);
  EXPECT_TRUE(p.WATAAvailable);
  EXPECT_FALSE(p.WATBAvailable);
  EXPECT_TRUE(p.PrintFromCAD);

  Printing::JobState& job = Printing::jobState();
  EXPECT_TRUE(job.PlotPreview());
  const Printing::JobInputs in = job.Inputs();
  EXPECT_EQ(in.AircraftClass, Globals::Class::Helicopter);
  EXPECT_EQ(in.CurrentTab, 12);
  EXPECT_TRUE(in.EMSInteriorAvailable && in.UtilityInteriorAvailable && in.WATAAvailable);
  EXPECT_FALSE(in.WATBAvailable);
  EXPECT_EQ(job.InteriorConfig(), 3);
  job.SetInteriorConfig(2);
  EXPECT_EQ(v.InteriorConfig, 2);
  EXPECT_EQ(CadFunctions::CurrentInputs().InteriorConfig, 2);

  chooseHooks().SetTabDrawn(4, true);
  EXPECT_TRUE(v.TabDrawn[4]);
  chooseHooks().SetTabDrawn(99, true);  // out of range: nothing

  // The dialog's note counts are those of the charts' label store.
  std::vector<Chart::ChartLabel>& notes = Chart::vars().ChartLabels[3];
  notes.assign(3, Chart::ChartLabel{});
  chooseHooks().SetChartLabelCount(3, 1);
  EXPECT_EQ(notes.size(), 1u);
  chooseHooks().SetChartLabelCount(3, 5);  // no notes to add: as it was
  EXPECT_EQ(notes.size(), 1u);
  chooseHooks().SetChartLabelCount(3, 0);
  EXPECT_TRUE(notes.empty());
  chooseHooks().SetChartLabelCount(0, 0);  // out of range: nothing
  chooseHooks().SetChartLabelCount(101, 0);
}

}  // namespace
