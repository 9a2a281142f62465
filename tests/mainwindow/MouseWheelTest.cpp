// The mouse wheel: notches from wheel deltas, the general panel's scroll bar, the zoom of the
// current drawing view, and the application filter that routes the wheel of the main window.
#include <gtest/gtest.h>

#include <QWheelEvent>
#include <QWidget>

#include "CompositionFakes.h"
#include "WidgetSupport.h"
#include "mainwindow/MouseWheel.h"
#include "mainwindow/WheelFilter.h"
#include "platform/runtime/Error.h"

namespace {

using MouseWheel::NotchAccumulator;
using MouseWheel::ScrollBarValues;

TEST(MouseWheelNotches, DeltasBecomeWholeNotches) {
  struct Case {
    std::vector<int> deltas;
    std::vector<int> notches;
  };
  const std::vector<Case> cases = {
      {{120}, {1}},
      {{-120}, {-1}},
      {{240, -360}, {2, -3}},
      // Touchpad steps: three of 40 make one notch; eight of 15 too.
      {{40, 40, 40}, {0, 0, 1}},
      {{15, 15, 15, 15, 15, 15, 15, 15}, {0, 0, 0, 0, 0, 0, 0, 1}},
      {{-40, -40, -40, -40}, {0, 0, -1, 0}},
      {{100, 100, 100}, {0, 1, 1}},
      // Turning back drops what was kept for the other way.
      {{60, -60, -60}, {0, 0, -1}},
      {{0}, {0}},
  };
  for (const Case& c : cases) {
    NotchAccumulator acc;
    std::vector<int> got;
    for (int d : c.deltas) got.push_back(acc.Add(d));
    EXPECT_EQ(got, c.notches);
  }
}

struct FakeWheelWindow : MouseWheel::WheelWindow {
  ScrollBarValues bar{0, 0, 10, 1};
  std::vector<int32_t> set;
  ScrollBarValues ScrollBar() override { return bar; }
  void SetScrollValue(int32_t value) override {
    set.push_back(value);
    bar.value = value;
  }
};

class Wheel : public mwtest::CompositionTest {
 protected:
  FakeWheelWindow window;
  void SetUp() override {
    CompositionTest::SetUp();
    fake.views[3].window = {0, 0, 10, 10};
    MainForm::vars().CurrentDrawingTab = 3;
  }
};

TEST_F(Wheel, GeneralTabScrollsByTwoSmallChangesWithinTheRangeOnly) {
  MainForm::vars().CurrentTab = 1;
  struct Case {
    int32_t value, max, rotation;
    std::vector<int32_t> set;
  };
  for (const Case& c : std::vector<Case>{{0, 10, 1, {}},    // asks -2: ignored
                                         {0, 10, -1, {2}},  // backward notch moves down
                                         {9, 10, -1, {}},   // asks 11: ignored, not clamped
                                         {8, 10, -1, {10}},
                                         {6, 10, 3, {0}},
                                         {6, 10, 4, {}}}) {
    SCOPED_TRACE(std::to_string(c.value) + " " + std::to_string(c.rotation));
    window.set.clear();
    window.bar = {c.value, 0, c.max, 1};
    MouseWheel::MainFormMouseWheel(window, c.rotation);
    EXPECT_EQ(window.set, c.set);
  }
  EXPECT_TRUE(fake.calls.empty());
}

TEST_F(Wheel, OtherTabsZoomTheCurrentDrawingViewWhenAskedTo) {
  Registry::RegSettings().ZoomWithMouse = 1;
  for (int tab : {3, 10, 0}) {
    SCOPED_TRACE(tab);
    MainForm::vars().CurrentTab = tab;
    fake.views[3].window = {0, 0, 10, 10};
    fake.calls.clear();
    MouseWheel::MainFormMouseWheel(window, 1);
    EXPECT_EQ(fake.views[3].window, (CadFunctions::ViewWindow{0.5, 0.5, 9.5, 9.5}));
    MouseWheel::MainFormMouseWheel(window, -1);
    EXPECT_NEAR(fake.views[3].window.maxX - fake.views[3].window.minX, 9.9, 1e-5);
  }
  EXPECT_TRUE(window.set.empty());

  Registry::RegSettings().ZoomWithMouse = 0;
  fake.calls.clear();
  MouseWheel::MainFormMouseWheel(window, 1);
  EXPECT_TRUE(fake.calls.empty());
}

TEST_F(Wheel, RouterTakesTouchpadStepsAndLeavesWindowsWithoutAHandler) {
  MainForm::vars().CurrentTab = 1;
  window.bar = {4, 0, 10, 1};
  MouseWheel::WheelRouter router;
  EXPECT_TRUE(router.Deliver(-40, &window));
  EXPECT_TRUE(router.Deliver(-40, &window));
  EXPECT_TRUE(window.set.empty());
  EXPECT_TRUE(router.Deliver(-40, &window));
  EXPECT_EQ(window.set, (std::vector<int32_t>{6}));
  // A dialog in front: not taken, nothing reported.
  EXPECT_FALSE(router.Deliver(-120, nullptr));
  EXPECT_EQ(window.set.size(), 1u);
  EXPECT_EQ(router.Delivered(), 1);
  EXPECT_TRUE(traps.errors.empty());
}

struct BrokenWheelWindow : MouseWheel::WheelWindow {
  ScrollBarValues ScrollBar() override { vb::Raise(vb::err::ObjectNotSet); }
  void SetScrollValue(int32_t) override {}
};

TEST_F(Wheel, AFailureOnEveryNotchIsReportedOnce) {
  MainForm::vars().CurrentTab = 1;
  BrokenWheelWindow broken;
  MouseWheel::WheelRouter router;
  for (int i = 0; i < 20; ++i) router.Deliver(120, &broken);
  EXPECT_EQ(traps.errors.size(), 1u);
  EXPECT_EQ(traps.errors[0].number, vb::err::ObjectNotSet);
}

TEST_F(Wheel, RepeatingHandlerReportsAFailureAgainOnlyAfterARunWithoutIt) {
  vb::RepeatedFailureFilter filter;
  auto tick = [&](long error) {
    filter.Run([&] {
      vb::Proc g("MainForm", "Timer");
      g.step([&] {
        if (error) vb::Raise(error);
      });
    });
  };
  for (long error : {91L, 91L, 91L, 5L, 91L, 0L, 91L, 91L}) tick(error);
  std::vector<long> reported;
  for (const vb::Error& e : traps.errors) reported.push_back(e.number);
  // 91 three times: once; 5 new; 91 after a run without it (the 5 run): again; after the clean
  // run: again.
  EXPECT_EQ(reported, (std::vector<long>{91, 5, 91, 91}));
  EXPECT_EQ(vb::CurrentTrapHandler(), &traps);
}

// The display update's filter: each run is a list of failures (a number, and a text that
// makes two failures of one number differ). What any run since the last clean one reported
// unchanged is passed over; a run without failures forgets.
TEST_F(Wheel, DisplayUpdatesReportAnUnchangedFailureOnceUntilAnUpdateWithoutFailures) {
  vb::RepeatedFailureFilter filter(vb::RepeatedFailureFilter::Memory::UntilCleanRun);
  struct Failure {
    long number;
    const char* text;
  };
  const std::vector<std::vector<Failure>> runs = {
      {{53, "a"}, {53, "a"}, {53, "a"}, {5, "x"}},  // 53 for label after label: once
      {{53, "a"}, {5, "x"}},                        // unchanged: nothing
      {{91, "y"}},                                  // new: reported
      {{53, "a"}, {53, "b"}},                       // 53 "a" still known; "b" is new
      {},                                           // clean: forgets
      {{53, "a"}, {91, "y"}},                       // both again
  };
  for (const auto& run : runs)
    filter.Run([&] {
      vb::Proc g("DisplayUpdate", "PlaneLabels");
      for (const Failure& f : run) g.step([&] { vb::Raise(f.number, f.text); });
    });
  std::vector<std::string> reported;
  for (const vb::Error& e : traps.errors)
    reported.push_back(std::to_string(e.number) + e.description);
  EXPECT_EQ(reported, (std::vector<std::string>{"53a", "5x", "91y", "53b", "53a", "91y"}));
  EXPECT_EQ(vb::CurrentTrapHandler(), &traps);
}

TEST_F(Wheel, SyntheticWheelOverTheMainWindowScrollsOrZooms) {
  mwtest::QtApp();
  QWidget main;
  main.resize(400, 300);
  auto* child = new QWidget(&main);
  child->setGeometry(10, 10, 100, 100);
  QWidget other;
  MouseWheel::WheelFilter filter(&main, &window);
  filter.Hook();
  auto turn = [](QWidget* w, int delta) {
    QWheelEvent e(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta),
                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    return QCoreApplication::sendEvent(w, &e);
  };
  MainForm::vars().CurrentTab = 1;
  window.bar = {0, 0, 10, 1};
  turn(child, -120);
  EXPECT_EQ(window.set, (std::vector<int32_t>{2}));
  // Another window's wheel is not the main window's.
  turn(&other, -120);
  EXPECT_EQ(window.set.size(), 1u);

  MainForm::vars().CurrentTab = 2;
  Registry::RegSettings().ZoomWithMouse = 1;
  turn(child, 120);
  EXPECT_EQ(fake.views[3].window, (CadFunctions::ViewWindow{0.5, 0.5, 9.5, 9.5}));
  filter.UnHook();
  turn(child, -120);
  EXPECT_EQ(window.set.size(), 1u);
}

}  // namespace
