// The proportional layout of the main window and the general panel's scroll rule.
#include <gtest/gtest.h>

#include <optional>

#include "CompositionFakes.h"
#include "mainwindow/ControlNames.h"
#include "mainwindow/ProportionalLayout.h"

namespace {

namespace ctl = MainForm::ctl;

using MainForm::DesignSize;
using MainForm::LayoutRect;
using MainForm::ManagedControl;
using MainForm::ProportionalLayout;
using MainForm::ScrollBarSetting;

constexpr int32_t kSbh = 300;
const DesignSize kDesign{10000, 8300, kSbh};

// A frame, a SCROLLME panel inside it, a label on that panel and a plain button.
ProportionalLayout Sample() {
  return ProportionalLayout(kDesign, {
                                         {ctl::framGeneral, {150, 720, 9300, 6810}, false, -1},
                                         {"framScroll_0", {0, 100, 9000, 12000}, true, 0},
                                         {"lblData1_3", {2000, 850, 3000, 250}, false, 1},
                                         {"cmdOk", {1000, 2300, 1200, 600}, false, -1},
                                     });
}

TEST(Layout, LoadSizeLeavesEveryControlWhereItWasDesigned) {
  const ProportionalLayout layout = Sample();
  const auto rects = layout.Arrange(kDesign.width, kDesign.height);
  ASSERT_TRUE(rects);
  for (size_t i = 0; i < rects->size(); ++i) EXPECT_EQ((*rects)[i], layout.Controls()[i].design);
}

TEST(Layout, HalfHeightScalesBelowTheStatusBand) {
  const auto rects = Sample().Arrange(kDesign.width * 2, kDesign.height / 2);
  ASSERT_TRUE(rects);
  // ry = (4150 - 300) / (8300 - 300) = 0.48125, not one half.
  const LayoutRect ok = (*rects)[3];
  EXPECT_EQ(ok.left, 2000);
  EXPECT_EQ(ok.width, 2400);
  EXPECT_EQ(ok.top, 962 + kSbh);  // 2000 x 0.48125 = 962.5, halves to even
  EXPECT_EQ(ok.height, 289);      // 600 x 0.48125 = 288.75
}

TEST(Layout, ScrollMePanelsAndTheirChildrenKeepTopAndHeight) {
  for (int32_t height : {kDesign.height / 2, kDesign.height * 3}) {
    const auto rects = Sample().Arrange(kDesign.width / 2, height);
    ASSERT_TRUE(rects);
    const LayoutRect panel = (*rects)[1], label = (*rects)[2];
    EXPECT_EQ(panel.top, 100);
    EXPECT_EQ(panel.height, 12000);
    EXPECT_EQ(panel.width, 4500);
    EXPECT_EQ(label.top, 850);
    EXPECT_EQ(label.height, 250);
    EXPECT_EQ(label.left, 1000);
    // The frame itself is no SCROLLME control: it scales.
    EXPECT_NE((*rects)[0].height, 6810);
  }
}

// The band at the top of the form keeps its height; a control inside a container scales from
// its container's top, not from the band.
TEST(Layout, ControlsInAContainerScaleFromItsTop) {
  const ProportionalLayout layout(kDesign,
                                  {{"framDisplay_2", {0, 600, 9000, 7700}, false, -1},
                                   {"optSideOverlay_2", {6600, 7000, 1200, 255}, false, 0}});
  const auto rects = layout.Arrange(kDesign.width, kDesign.height / 2);
  ASSERT_TRUE(rects);
  // ry = 0.48125: the page from the band's bottom, its button from the page's top.
  EXPECT_EQ((*rects)[0].top, 144 + kSbh);  // (600 - 300) x 0.48125 = 144.4
  EXPECT_EQ((*rects)[1].top, 3369);        // 7000 x 0.48125 = 3368.75
  EXPECT_LE((*rects)[1].top + (*rects)[1].height, (*rects)[0].height);
}

TEST(Layout, DegenerateSizesLeaveTheLayoutAlone) {
  const ProportionalLayout layout = Sample();
  EXPECT_FALSE(layout.Arrange(0, 5000));
  EXPECT_FALSE(layout.Arrange(5000, kSbh));
  EXPECT_FALSE(layout.Arrange(5000, 10));
  EXPECT_FALSE(ProportionalLayout({1000, kSbh, kSbh}, {}).Arrange(1000, 1000));
}

TEST(Layout, ScrollRuleUsesThePanelOfTheClassInForce) {
  struct Case {
    int32_t g, s0, s1;
    int16_t cls;
    ScrollBarSetting expected;
  };
  const ScrollBarSetting hidden{};
  // At value 0 the panels stand 100 below the frame's top: Max is the whole number of steps
  // that brings the panel's bottom into the frame, (height + 100 - G) / 100 rounded up.
  const std::vector<Case> cases = {
      // A helicopter panel of 5000 in a 3000 frame: at Max 21 its bottom is at 3000.
      {3000, 5000, 1000, 2, {true, true, 21, 2, 270}},
      // G - 100 equal to the panel: the test is strictly less, the bar stays hidden.
      {3000, 2900, 1000, 2, hidden},
      // One twip beyond the frame still takes a step.
      {3000, 2901, 1000, 2, {true, true, 1, 1, 270}},
      // LargeChange is never 0.
      {3000, 3400, 0, 2, {true, true, 5, 1, 270}},
      // A part step rounds up: 2.5 and 3.5 steps take 3 and 4.
      {3000, 3150, 0, 2, {true, true, 3, 1, 270}},
      {3000, 3250, 0, 2, {true, true, 4, 1, 270}},
      // LargeChange 25 / 10 = 2.5 rounds to 2 (halves to even).
      {3000, 5400, 0, 2, {true, true, 25, 2, 270}},
      // Fixed-wing: its own panel, even when the hidden helicopter panel is taller.
      {3000, 9000, 4000, 1, {true, true, 11, 1, 270}},
      {3000, 9000, 2000, 1, hidden},
      {3000, 1000, 8000, 0, {true, true, 51, 5, 270}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.g) + " " + std::to_string(c.s0) + " " + std::to_string(c.s1) +
                 " class " + std::to_string(c.cls));
    EXPECT_EQ(MainForm::ScrollRule(c.g, c.s0, c.s1, c.cls), c.expected);
  }
}

TEST(Layout, ScrollValueMovesBothPanels) {
  EXPECT_EQ(MainForm::PanelTop(0), 100);
  EXPECT_EQ(MainForm::PanelTop(1), 0);
  EXPECT_EQ(MainForm::PanelTop(5), -400);
  EXPECT_EQ(MainForm::PanelTop(327), -32600);
}

struct FakeLayoutWindow : MainForm::LayoutWindow {
  bool minimized = false;
  int32_t width = kDesign.width, height = kDesign.height;
  std::vector<std::pair<int, LayoutRect>> placed;
  std::optional<ScrollBarSetting> bar;
  int32_t general = 3000;
  bool Minimized() override { return minimized; }
  int32_t FormWidth() override { return width; }
  int32_t FormHeight() override { return height; }
  void Place(int index, const LayoutRect& rect) override {
    if (index == 0) general = rect.height;
    placed.push_back({index, rect});
  }
  int32_t GeneralHeight() override { return general; }
  int32_t PanelHeight(int panel) override { return panel == 0 ? 12000 : 4000; }
  void SetScrollBar(const ScrollBarSetting& s) override { bar = s; }
};

class FormResize : public mwtest::CompositionTest {};

TEST_F(FormResize, PlacesEveryControlThenTheBarThenRedrawsTheDrawingView) {
  FakeLayoutWindow w;
  MainForm::vars().CurrentTab = 3;
  Globals::vars().AircraftClass = 2;
  MainForm::FormResize(w, Sample());
  ASSERT_EQ(w.placed.size(), 4u);
  ASSERT_TRUE(w.bar);
  // The frame as placed: 6810 high, panel 0 12000: Max 53, LargeChange 5.
  EXPECT_EQ(*w.bar, (ScrollBarSetting{true, true, 53, 5, 270}));
  EXPECT_EQ(Calls({"PanView"}), (std::vector<std::string>{"PanView 3,0,0,0,0"}));

  // Not on a drawing tab: no view is touched.
  fake.calls.clear();
  MainForm::vars().CurrentTab = 1;
  MainForm::FormResize(w, Sample());
  EXPECT_TRUE(fake.calls.empty());
}

TEST_F(FormResize, MinimisedOrDegenerateWindowIsLeftAsItIs) {
  FakeLayoutWindow w;
  w.minimized = true;
  MainForm::FormResize(w, Sample());
  w.minimized = false;
  w.height = 100;
  MainForm::FormResize(w, Sample());
  EXPECT_TRUE(w.placed.empty());
  EXPECT_FALSE(w.bar);
}

TEST_F(FormResize, ActivationAppliesTheSameRule) {
  FakeLayoutWindow w;
  Globals::vars().AircraftClass = 1;
  MainForm::ActivateScrollRule(w);
  ASSERT_TRUE(w.bar);
  EXPECT_EQ(*w.bar, (ScrollBarSetting{true, true, 11, 1, 270}));
}

}  // namespace
