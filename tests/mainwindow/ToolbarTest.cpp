// The toolbar module over recorded windows: the three states, the floating window's place and
// size, docking by maximising, the close box, dialogs lowering it, the timer's tracking and the
// buttons' commands.
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "mainwindow/ControlNames.h"
#include "mainwindow/ToolbarModule.h"

namespace {

namespace ctl = MainForm::ctl;

using namespace mwtest;

class FakeWindows : public Toolbar::Windows {
 public:
  bool strip = false, floating = false, titleBar = false, topmost = false, maximized = false;
  std::string caption = Toolbar::kFloatingCaption, tag = Toolbar::kFloatingCaption;
  Toolbar::Rect main{1500, 3000, 12000, 9000};
  Toolbar::Rect window{0, 0, 300, 300};
  int focus = 0;
  std::map<std::string, bool> checks;
  std::vector<std::string> calls;

  void SetStripVisible(bool v) override { strip = v; }
  bool FloatingVisible() override { return floating; }
  void SetFloatingVisible(bool v) override { floating = v; }
  void SetFloatingNormal() override { maximized = false; }
  std::string FloatingCaption() override { return caption; }
  void SetFloatingCaption(const std::string& c) override { caption = c; }
  std::string FloatingTag() override { return tag; }
  void SetFloatingTag(const std::string& t) override { tag = t; }
  void SetFloatingTitleBar(bool shown) override { titleBar = shown; }
  void SetFloatingTopmost(bool t) override {
    calls.push_back(t ? "topmost" : "notopmost");
    topmost = t;
  }
  Toolbar::Rect FloatingGeometry() override { return window; }
  void SetFloatingSize(int32_t w, int32_t h) override {
    window.width = w;
    window.height = h;
  }
  void MoveFloating(int32_t l, int32_t t) override {
    window.left = l;
    window.top = t;
  }
  Toolbar::Rect MainGeometry() override { return main; }
  void FocusMain() override { ++focus; }
  void SetMenuChecked(std::string_view item, bool c) override { checks[std::string(item)] = c; }
};

class ToolbarTest : public MainWindowTest {
 protected:
  FakeWindows w;
  Registry::Settings& reg = Registry::RegSettings();
  void SetUp() override {
    MainWindowTest::SetUp();
    Registry::LoadDefaults();
    Toolbar::Install(&w);
  }
  void Float() {
    reg.ToolbarDocked = false;
    Toolbar::ShowToolbar(true);
  }
};

TEST_F(ToolbarTest, DesignSizes) {
  EXPECT_EQ(Toolbar::kFloatingHeight, 905);
  EXPECT_EQ(Toolbar::kFloatingWidth, 5375);
  EXPECT_EQ(Toolbar::ButtonCaption(0, false), "AC1");
  EXPECT_EQ(Toolbar::ButtonCaption(0, true), "1");
  EXPECT_EQ(Toolbar::ButtonTooltip(1, false), "Show/Hide Aircraft #2");
  EXPECT_EQ(Toolbar::ButtonTooltip(1, true), "Show/Hide Plane #2");
  EXPECT_EQ(Toolbar::ButtonCaption(5, false), "");
  EXPECT_EQ(Toolbar::ButtonTooltip(9, true), "Pan (Move Around)");
  EXPECT_EQ(Toolbar::ButtonCaption(10, false), "");
}

TEST_F(ToolbarTest, ThreeStates) {
  struct Case {
    bool visible, docked;
    bool strip, floating;
  };
  const Case cases[] = {
      {false, true, false, false},
      {false, false, false, false},
      {true, true, true, false},
      {true, false, false, true},
  };
  for (const Case& c : cases) {
    w.strip = !c.strip;
    w.floating = !c.floating;
    reg.ToolbarVisible = c.visible;
    reg.ToolbarDocked = c.docked;
    if (c.visible) {
      // Showing only touches the state it shows; the other one was hidden by the last dock.
      Toolbar::DockToolbar(c.docked);
    }
    Toolbar::ShowToolbar(c.visible);
    EXPECT_EQ(w.strip, c.strip) << c.visible << c.docked;
    EXPECT_EQ(w.floating, c.floating) << c.visible << c.docked;
  }
}

TEST_F(ToolbarTest, FloatingWithTheDefaults) {
  Float();
  EXPECT_TRUE(w.floating);
  EXPECT_FALSE(w.strip);
  EXPECT_EQ(w.window, (Toolbar::Rect{1500 + 1000, 3000 + 500, 5375, 905}));
  EXPECT_EQ(w.caption, "Viewing Toolbar");
  EXPECT_TRUE(w.titleBar);
  EXPECT_TRUE(Toolbar::Topmost());
  EXPECT_GE(w.focus, 1);
}

TEST_F(ToolbarTest, MaximisingDocks) {
  Float();
  w.maximized = true;
  Toolbar::FloatingResized(true);
  EXPECT_TRUE(reg.ToolbarDocked);
  EXPECT_TRUE(w.checks[ctl::mnuViewToolbarDock]);
  EXPECT_FALSE(w.maximized);
  EXPECT_FALSE(w.floating);
  EXPECT_TRUE(w.strip);
  // Another resize does nothing.
  reg.ToolbarDocked = false;
  Toolbar::FloatingResized(false);
  EXPECT_FALSE(reg.ToolbarDocked);
}

TEST_F(ToolbarTest, DialogsLowerAndRaiseTheFloatingWindow) {
  Float();
  w.calls.clear();
  Toolbar::FormLoad();
  EXPECT_FALSE(Toolbar::Topmost());
  Toolbar::FormUnload();
  EXPECT_TRUE(Toolbar::Topmost());
  EXPECT_EQ(w.calls, (std::vector<std::string>{"notopmost", "topmost"}));

  // Docked: the dialog still lowers it, its closing changes nothing.
  reg.ToolbarDocked = true;
  Toolbar::DockToolbar(true);
  w.calls.clear();
  Toolbar::FormLoad();
  Toolbar::FormUnload();
  EXPECT_EQ(w.calls, (std::vector<std::string>{"notopmost"}));
  // Hidden: nothing at all.
  reg.ToolbarVisible = false;
  w.calls.clear();
  Toolbar::FormLoad();
  Toolbar::FormUnload();
  EXPECT_TRUE(w.calls.empty());
}

TEST_F(ToolbarTest, TheCloseBoxUnchecksShowButKeepsTheSetting) {
  Float();
  w.floating = false;
  Toolbar::FloatingClosed();
  EXPECT_FALSE(w.checks[ctl::mnuViewToolbarShow]);
  EXPECT_TRUE(reg.ToolbarVisible);
}

TEST_F(ToolbarTest, TheTimerRecordsTheOffsetOnlyWhileFloating) {
  Float();
  // The main window moves; the floating window stays where it is and its offset changes.
  w.main.left += 600;
  Toolbar::TrackPosition();
  EXPECT_EQ(reg.ToolbarX, 400);
  EXPECT_EQ(reg.ToolbarY, 500);
  w.window.left = w.main.left + 500;
  Toolbar::TrackPosition();
  EXPECT_EQ(reg.ToolbarX, 500);

  reg.ToolbarDocked = true;
  w.window.left += 1000;
  Toolbar::TrackPosition();
  EXPECT_EQ(reg.ToolbarX, 500) << "docked: unchanged";
  // Floating but never shown: no unplaced corner is taken for an offset.
  reg.ToolbarDocked = false;
  w.floating = false;
  Toolbar::TrackPosition();
  EXPECT_EQ(reg.ToolbarX, 500);
}

TEST_F(ToolbarTest, ButtonsRunTheirCommandAndGiveTheFocusBack) {
  CadFunctions::vars().ShowPlane1 = true;
  CadFunctions::vars().ShowGrid = false;
  MainForm::vars().CurrentDrawingTab = 4;
  const int before = w.focus;
  Toolbar::ButtonClick(0);
  EXPECT_FALSE(CadFunctions::vars().ShowPlane1);
  Toolbar::ButtonClick(3);
  EXPECT_TRUE(CadFunctions::vars().ShowGrid);
  Toolbar::ButtonClick(5);
  EXPECT_TRUE(CadFunctions::vars().ZoomWindowMode);
  Toolbar::ButtonClick(9);
  EXPECT_TRUE(CadFunctions::vars().PanMode);
  Toolbar::ButtonClick(12);  // no such button: only the focus
  EXPECT_EQ(w.focus, before + 5);
}

TEST_F(ToolbarTest, ShowTitleBarKeepsTheCaptionInTheTag) {
  Toolbar::ShowTitleBar(false);
  EXPECT_EQ(w.caption, "");
  EXPECT_EQ(w.tag, "Viewing Toolbar");
  EXPECT_FALSE(w.titleBar);
  Toolbar::ShowTitleBar(true);
  EXPECT_EQ(w.caption, "Viewing Toolbar");
  EXPECT_TRUE(w.titleBar);
}

}  // namespace
