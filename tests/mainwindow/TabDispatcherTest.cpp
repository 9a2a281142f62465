// Tab switching and the tab display dispatcher: pages, composing once, chart builders in table
// order and by class, the WAT options, and hiding the current tab.
#include <gtest/gtest.h>

#include "CompositionFakes.h"
#include "charts/Chart.h"
#include "mainwindow/TabDispatcher.h"

namespace {

using Strings = std::vector<std::string>;

struct FakeTabWindow : MainForm::TabWindow {
  Strings events;
  int selected = 0;
  std::function<void()> updateDisplay;
  int SelectedTab() noexcept override { return selected; }
  void SelectTab(int tab) noexcept override {
    selected = tab;
    events.push_back("select " + std::to_string(tab));
  }
  void SetTabShown(int tab, bool shown) noexcept override {
    events.push_back("tab " + std::to_string(tab) + (shown ? " shown" : " hidden"));
  }
  void SetBusyPointer(bool busy) noexcept override { events.push_back(busy ? "busy" : "arrow"); }
  void SetMenuEnabled(std::string_view item, bool enabled) noexcept override {
    events.push_back(std::string(item) + (enabled ? " on" : " off"));
  }
  void UpdateDisplay() override {
    events.push_back("UpdateDisplay");
    if (updateDisplay) updateDisplay();
  }
  std::array<bool, 14> pages{};
  void SetPageShown(int tab, bool shown) noexcept override {
    pages.at(static_cast<size_t>(tab)) = shown;
  }
  void HideAssumption(int tab) noexcept override {
    events.push_back("hide stcAssumption_" + std::to_string(tab));
  }
  void SetOptionVisible(std::string_view name, bool visible) override {
    events.push_back(std::string(name) + (visible ? " visible" : " hidden"));
  }
  void BuildChart(const ChartHover::PictureInfo& picture, int chart) override {
    events.push_back(std::string(picture.name) + " " + std::to_string(chart));
  }
};

class TabDispatch : public mwtest::CompositionTest {
 protected:
  FakeTabWindow window;
  MainForm::TabDispatcher dispatcher{window, controls, options};
  MainForm::Vars& v = MainForm::vars();

  void SetUp() override {
    CompositionTest::SetUp();
    Cache("101", "Top", Box(0, 10, 0, 5));
    Cache("102", "Top", Box(0, 12, 0, 6));
    // The plane toggles call the tab display back, as the window's hooks do.
    hooks.showTab = [this] { dispatcher.ShowTabNo(); };
  }
  void Show(int tab) {
    v.CurrentTab = tab;
    dispatcher.ShowTabNo();
  }
  Strings Charts() const {
    Strings out;
    for (const std::string& e : window.events) {
      if (e.rfind("chrt", 0) == 0) out.push_back(e);
    }
    return out;
  }
};

TEST_F(TabDispatch, DataTabsOnlyShowTheirPage) {
  for (int tab : {0, 1}) {
    window.events.clear();
    Show(tab);
    for (int i = 0; i < 14; ++i) EXPECT_EQ(window.pages[static_cast<size_t>(i)], i == tab);
    EXPECT_TRUE(window.events.empty());
    EXPECT_TRUE(fake.calls.empty());
  }
}

TEST_F(TabDispatch, ADrawingTabComposesOnceThenOnlyRedraws) {
  Show(2);
  EXPECT_TRUE(v.TabDrawn[2]);
  EXPECT_EQ(Merges().size(), 2u);
  // The re-applied visibility called the display back twice: nothing composed again.
  EXPECT_EQ(fake.count("CompleteDrawing"), 1);
  const int redraws = fake.count("Redraw");
  EXPECT_GE(redraws, 1);
  EXPECT_EQ(fake.calls.back().op, "Redraw");
  EXPECT_EQ(fake.calls.back().args, "2");

  fake.calls.clear();
  Show(2);
  EXPECT_EQ(Calls({"Merge", "Load", "AddLine", "CompleteDrawing", "Redraw"}),
            (Strings{"Redraw 2"}));
  for (int i = 0; i < 14; ++i) EXPECT_EQ(window.pages[static_cast<size_t>(i)], i == 2);

  // Marked dirty (the view emptied first), the next display composes it again.
  v.TabDrawn[2] = false;
  fake.calls.clear();
  Show(2);
  EXPECT_EQ(fake.count("CompleteDrawing"), 1);
  EXPECT_TRUE(traps.errors.empty());
}

TEST_F(TabDispatch, ChartTabsRunTheirBuildersInTableOrderEveryTime) {
  struct Case {
    int tab;
    int16_t cls;
    Strings charts;
  };
  const int16_t fw = MainForm::Class::FixedWing, heli = MainForm::Class::Helicopter;
  const std::vector<Case> cases = {
      {6, fw, {"chrtBlockFuel 1", "chrtBlockTime 2"}},
      {7, fw, {"chrtBalancedFieldLength 3"}},
      {8, fw, {"chrtTakeoffElevation 14", "chrtLanding 9"}},
      // Helicopters: the sea-level and 5000 ft landing charts in the same two pictures.
      {8, heli, {"chrtTakeoffElevation 11", "chrtLanding 10"}},
      {9, fw, {"chrtCruiseSpeed 8", "chrtOperatingSpeed 12"}},
      {10, heli, {"chrtPayload 13"}},
      {11, heli, {"chrtCeilingCorp 4", "chrtCeilingUtil 6"}},
      {12, heli, {"chrtCeilingHV 5", "chrtCeilingVNE 7"}},
      {13, heli, {"chrtWATCorp 15", "chrtWATUtil 16"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tab);
    Globals::vars().AircraftClass = c.cls;
    window.events.clear();
    Show(c.tab);
    EXPECT_EQ(window.events.front(), "hide stcAssumption_" + std::to_string(c.tab));
    EXPECT_EQ(Charts(), c.charts);
    Show(c.tab);
    EXPECT_EQ(Charts().size(), 2 * c.charts.size());
    EXPECT_TRUE(window.pages[static_cast<size_t>(c.tab)]);
  }
  // No drawing view is touched by a chart tab.
  EXPECT_EQ(fake.count("Redraw"), 0);
}

TEST_F(TabDispatch, WatTabShowsTheOptionsOfTheChartsThePairHasAndNeverHidesThem) {
  v.WATAAvailable = true;
  v.WATBAvailable = false;
  Show(13);
  Strings options;
  for (const std::string& e : window.events)
    if (e.rfind("optWAT", 0) == 0) options.push_back(e);
  EXPECT_EQ(options, (Strings{"optWATA visible"}));
  // Shown before the charts are drawn.
  EXPECT_EQ(window.events[1], "optWATA visible");
}

TEST_F(TabDispatch, TabClickMakesTheTabCurrentAndKeepsTheLastDrawingTab) {
  window.updateDisplay = [this] { dispatcher.ShowTabNo(); };
  Chart::vars().ChartLabelsLoaded.fill(true);
  window.selected = 2;
  dispatcher.TabStripClick();
  EXPECT_EQ(v.CurrentTab, 2);
  EXPECT_EQ(v.CurrentDrawingTab, 2);
  EXPECT_TRUE(v.TabDrawn[2]);
  window.events.clear();
  window.selected = 10;
  dispatcher.TabStripClick();
  EXPECT_EQ(v.CurrentTab, 10);
  EXPECT_EQ(v.CurrentDrawingTab, 2);
  for (int chart = 1; chart <= 16; ++chart)
    EXPECT_FALSE(Chart::vars().ChartLabelsLoaded[static_cast<size_t>(chart)]);
  EXPECT_EQ(window.events,
            (Strings{"busy", "mnuFilePlotScreen off", "mnuFileExport off", "UpdateDisplay",
                     "hide stcAssumption_10", "chrtPayload 13", "arrow"}));
  window.selected = 4;
  window.events.clear();
  dispatcher.TabStripClick();
  EXPECT_EQ(v.CurrentDrawingTab, 4);
  EXPECT_EQ(window.events[1], "mnuFilePlotScreen on");
  EXPECT_EQ(window.events[2], "mnuFileExport on");
}

TEST_F(TabDispatch, HidingTheCurrentTabSelectsTabZeroWithoutAnotherUpdate) {
  v.CurrentTab = 7;
  dispatcher.SetTabVisible(9, false);
  EXPECT_EQ(v.CurrentTab, 7);
  dispatcher.SetTabVisible(7, false);
  EXPECT_EQ(v.CurrentTab, 0);
  EXPECT_EQ(window.events, (Strings{"tab 9 hidden", "tab 7 hidden", "select 0",
                                    "mnuFilePlotScreen off", "mnuFileExport off"}));
  window.events.clear();
  dispatcher.SetTabVisible(7, true);
  EXPECT_EQ(window.events, (Strings{"tab 7 shown"}));
  EXPECT_EQ(v.CurrentTab, 0);
}

}  // namespace
