// Colours of the main window: the colour names and scheme of the INI file, the plane colours
// carried to the drawing views and labels, and the colour picker's logic.
#include <gtest/gtest.h>

#include <algorithm>

#include "Fakes.h"
#include "MainWindowFixture.h"
#include "charts/Chart.h"
#include "drawings/CADGraph.h"
#include "drawings/PlaneColors.h"
#include "mainwindow/ColorPicker.h"
#include "mainwindow/ColorScheme.h"
#include "mainwindow/PlaneLabels.h"

namespace {

using namespace mwtest;
using MainForm::ColorFromName;
using MainForm::ColorScheme;
using MainForm::DarkenColor;

constexpr int32_t Rgb(int r, int g, int b) { return r + g * 256 + b * 65536; }

TEST(ColorFromNameTest, NamesAndNumbers) {
  struct Case {
    const char* text;
    int32_t rgb;
  };
  const Case cases[] = {
      {"White", Rgb(255, 255, 255)},
      {"PaleBlue", Rgb(206, 235, 255)},
      {"LightPaleYellow", Rgb(255, 255, 224)},
      {"BlackOrange", Rgb(128, 64, 64)},
      {"Magenta", Rgb(255, 0, 255)},
      {"Purple", Rgb(255, 0, 255)},
      {"BlackPurple", Rgb(64, 0, 64)},
      {"Transparent", -1},
      {"white", 0},  // names are case-sensitive
      {"abc", 0},
      {"", 0},
      {"&HFF0000", Rgb(0, 0, 255)},
      {"&hFF0000", Rgb(0, 0, 255)},  // the runtime's reader takes "&h" as well
      {"&HFF00", -256},              // four digits read as a 16-bit value
      {"255", Rgb(255, 0, 0)},
      {"  128 ", 128},
      {"2.5", 2},  // half to even
      {"3.5", 4},
      {"99999999999", 0},  // beyond 32 bits: no colour
  };
  for (const Case& c : cases) EXPECT_EQ(ColorFromName(c.text), c.rgb) << c.text;
}

TEST(ColorFromNameTest, DarkenStopsAtZero) {
  EXPECT_EQ(DarkenColor(Rgb(5, 100, 255)), Rgb(0, 90, 245));
  EXPECT_EQ(DarkenColor(0), 0);
  EXPECT_EQ(DarkenColor(Rgb(10, 10, 10)), 0);
}

TEST(ColorSchemeTest, FallbacksAndUnusableValues) {
  struct Case {
    const char *form, *bar, *heading, *menu;
    std::optional<ColorScheme> scheme;
  };
  const Case cases[] = {
      {"", "Red", "Red", "Red", std::nullopt},  // no form colour: no scheme at all
      {"PaleBlue", "", "", "",
       ColorScheme{Rgb(206, 235, 255), Rgb(196, 225, 245), Rgb(186, 215, 235), Rgb(206, 235, 255)}},
      {"abc", "", "", "", ColorScheme{0, 0, 0, 0}},
      {"PaleBlue", "Black", "Black", "Black",
       ColorScheme{Rgb(206, 235, 255), Rgb(196, 225, 245), Rgb(186, 215, 235), Rgb(206, 235, 255)}},
      {"White", "Red", "Blue", "Yellow",
       ColorScheme{Rgb(255, 255, 255), Rgb(255, 0, 0), Rgb(0, 0, 255), Rgb(255, 255, 0)}},
      {"White", "", "Green", "",
       ColorScheme{Rgb(255, 255, 255), Rgb(245, 245, 245), Rgb(0, 255, 0), Rgb(255, 255, 255)}},
      // Values that are no background: a negative form colour switches the scheme off, a
      // negative bar counts as not given, other high bits are dropped.
      {"Transparent", "", "", "", std::nullopt},
      {"&H8000000F", "", "", "", std::nullopt},
      {"White", "Transparent", "", "",
       ColorScheme{Rgb(255, 255, 255), Rgb(245, 245, 245), Rgb(235, 235, 235), Rgb(255, 255, 255)}},
      {"&H1FF0000", "", "", "",
       ColorScheme{Rgb(0, 0, 255), Rgb(0, 0, 245), Rgb(0, 0, 235), Rgb(0, 0, 255)}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MainForm::ResolveColorScheme(c.form, c.bar, c.heading, c.menu), c.scheme)
        << c.form << "/" << c.bar << "/" << c.heading << "/" << c.menu;
}

// The headings' text is black or white, whichever reads on the heading colour: at least the
// contrast ratio of 4.5 that accessible text needs, on every colour a scheme can give.
TEST(ColorSchemeTest, HeadingTextReadsOnEveryHeadingColour) {
  EXPECT_DOUBLE_EQ(MainForm::ContrastRatio(Rgb(255, 255, 255), 0), 21.0);
  EXPECT_DOUBLE_EQ(MainForm::ContrastRatio(Rgb(186, 215, 235), Rgb(186, 215, 235)), 1.0);
  struct Case {
    int32_t heading, text;
  };
  const Case cases[] = {
      {Rgb(186, 215, 235), 0},               // PaleBlue's heading colour: black
      {0x804000, Rgb(255, 255, 255)},        // the headings' own dark blue: white
      {Rgb(255, 255, 0), 0},                 // yellow
      {Rgb(0, 0, 255), Rgb(255, 255, 255)},  // blue
      {Rgb(128, 128, 128), 0},               // mid grey: black reads better
      {Rgb(255, 0, 0), 0},                   // red
  };
  for (const Case& c : cases)
    EXPECT_EQ(MainForm::ReadableTextColor(c.heading), c.text) << c.heading;
  for (int r = 0; r <= 255; r += 15)
    for (int g = 0; g <= 255; g += 15)
      for (int b = 0; b <= 255; b += 15) {
        const int32_t heading = Rgb(r, g, b);
        ASSERT_GE(MainForm::ContrastRatio(heading, MainForm::ReadableTextColor(heading)), 4.5)
            << r << "," << g << "," << b;
      }
}

class ColorsTest : public MainWindowTest {
 protected:
  FakeMainView view;
  RecordingViews cad;
  void SetUp() override {
    MainWindowTest::SetUp();
    Registry::LoadDefaults();
  }
  int32_t Back(Arr a, int i) { return view.backColor[{int(a), i}]; }
  int32_t Fore(Arr a, int i) { return view.foreColor[{int(a), i}]; }
  int Layer(int view, int position) {
    auto it = cad.layerColour.find({view, position});
    return it == cad.layerColour.end() ? -1 : it->second;
  }
};

TEST_F(ColorsTest, PlaneTwoColourLeavesPlaneOneLayerAlone) {
  Registry::RegSettings().DimColor = -1;
  MainForm::SetPlaneColor(view, cad, 2, Rgb(0, 128, 0));
  EXPECT_EQ(Registry::RegSettings().PlaneColor2, Rgb(0, 128, 0));
  for (int v = 2; v <= 5; ++v) {
    EXPECT_EQ(Layer(v, 6), CADGraph::CADColor(Rgb(0, 128, 0))) << v;
    EXPECT_EQ(Layer(v, 5), -1) << v;
    EXPECT_EQ(Layer(v, 3), CADGraph::CADColor(Rgb(255, 0, 0))) << "Dim1 follows plane 1";
    EXPECT_EQ(Layer(v, 4), CADGraph::CADColor(Rgb(0, 128, 0))) << "Dim2 follows plane 2";
  }
  EXPECT_EQ(cad.count("Redraw"), 5) << "each view, then the current one";
  // Both planes' labels are recoloured whichever plane changed; 60 as well.
  EXPECT_EQ(Back(Arr::lblData2, 49), Rgb(0, 128, 0));
  EXPECT_EQ(Back(Arr::lblData1, 48), Rgb(255, 0, 0));
  for (int i : {58, 59, 60}) {
    EXPECT_EQ(Fore(Arr::gen1Data2, i), Rgb(0, 128, 0)) << i;
    EXPECT_EQ(Fore(Arr::gen1Data1, i), Rgb(255, 0, 0)) << i;
  }
}

TEST_F(ColorsTest, DimensionsFollowThePlaneOrTheirOwnColour) {
  Registry::RegSettings().DimColor = -1;
  MainForm::SetPlaneColor(view, cad, 1, Rgb(255, 0, 0));
  EXPECT_EQ(Layer(3, 3), CADGraph::CADColor(Rgb(255, 0, 0)));
  Registry::RegSettings().DimColor = Rgb(0, 255, 255);
  MainForm::SetPlaneColor(view, cad, 1, Rgb(0, 0, 255));
  EXPECT_EQ(Layer(3, 3), CADGraph::CADColor(Rgb(0, 255, 255)));
  EXPECT_EQ(Layer(3, 4), CADGraph::CADColor(Rgb(0, 255, 255)));
  EXPECT_EQ(Layer(3, 5), CADGraph::CADColor(Rgb(0, 0, 255)));
}

TEST_F(ColorsTest, AnyPlaneNumberButOneIsPlaneTwo) {
  for (int plane : {0, 3, -1}) {
    Registry::LoadDefaults();
    MainForm::SetPlaneColor(view, cad, plane, Rgb(255, 255, 0));
    EXPECT_EQ(Registry::RegSettings().PlaneColor2, Rgb(255, 255, 0)) << plane;
    EXPECT_EQ(Registry::RegSettings().PlaneColor1, Rgb(255, 0, 0)) << plane;
  }
}

TEST_F(ColorsTest, AViewWithoutLayersStillLetsTheLabelsBeRecoloured) {
  cad.failing = {{2, 5}, {3, 5}};
  MainForm::SetPlaneColor(view, cad, 1, Rgb(0, 0, 255));
  EXPECT_EQ(General::vars().ErrorCount, 2);
  EXPECT_EQ(Layer(4, 5), CADGraph::CADColor(Rgb(0, 0, 255)));
  EXPECT_EQ(Back(Arr::lblData1, 48), Rgb(0, 0, 255));
}

TEST_F(ColorsTest, ThePickersColoursSurviveTheDrawingsColourIndex) {
  // A layer colour read back (LayerColor) is the colour the picker offered.
  for (int32_t c : Color::kCells) EXPECT_EQ(CADGraph::IndexColor(CADGraph::CADColor(c)), c) << c;
  // A colour no index stands for is drawn in index 7, while the labels keep the true colour.
  MainForm::SetPlaneColor(view, cad, 1, Rgb(1, 2, 3));
  EXPECT_EQ(Layer(2, 5), 7);
  EXPECT_EQ(Back(Arr::lblData1, 48), Rgb(1, 2, 3));
}

// A chart tab shown while a plane's colour changes is drawn again at once, notes included, so
// its lines and notes never keep the old colour beside the recoloured swatches.
TEST_F(ColorsTest, TheChartTabShownIsRedrawnInTheNewColour) {
  struct Case {
    int tab;
    bool redrawn;
  };
  for (Case c : {Case{0, false}, Case{1, false}, Case{2, false}, Case{5, false}, Case{6, true},
                 Case{10, true}, Case{13, true}}) {
    SCOPED_TRACE(c.tab);
    FakeMainView v;
    MainForm::vars().CurrentTab = c.tab;
    Chart::vars().ChartLabelsLoaded.fill(true);
    MainForm::SetPlaneColor(v, cad, 1, Rgb(0, 255, 0));
    EXPECT_EQ(std::count(v.calls.begin(), v.calls.end(), "ShowTabNo"), c.redrawn ? 1 : 0);
    EXPECT_EQ(Chart::vars().ChartLabelsLoaded[1], !c.redrawn);
    EXPECT_EQ(Chart::vars().ChartLabelsLoaded[16], !c.redrawn);
  }
}

// --- The picker's logic ---

int32_t Pick(const char* title, int32_t colour, bool option,
             std::function<void(Color::PickerModel&)> actions,
             Color::PickerModel* opened = nullptr) {
  Color::InstallPicker([&](Color::PickerModel& m) {
    if (opened) *opened = m;
    actions(m);
  });
  return Color::SelectColor(title, colour, option);
}

TEST_F(ColorsTest, PickerCases) {
  using M = Color::PickerModel;
  struct Case {
    const char* what;
    int32_t dimColor;
    int32_t start;
    bool option;
    std::function<void(M&)> actions;
    int32_t result;
  };
  const Case cases[] = {
      {"cancel after clicks keeps the input", 0, Rgb(255, 0, 0), false,
       [](M& m) {
         m.ClickCell(3);
         m.ClickCell(9);
         m.Cancel();
       },
       Rgb(255, 0, 0)},
      {"OK returns the sample", 0, Rgb(255, 0, 0), false,
       [](M& m) {
         m.ClickCell(8);
         m.Ok();
       },
       Rgb(255, 128, 0)},
      {"OK untouched returns the start", 0, Rgb(0, 0, 255), false, [](M& m) { m.Ok(); },
       Rgb(0, 0, 255)},
      {"double click chooses at once", 0, 0, false, [](M& m) { m.DoubleClickCell(15); },
       Rgb(255, 255, 255)},
      {"box checked after a click gives -1", 0, Rgb(0, 255, 0), true,
       [](M& m) {
         m.ClickCell(2);
         m.SetPlaneBoxChecked(true);
         m.Ok();
       },
       -1},
      {"opened on -1 and OK keeps -1", -1, -1, true, [](M& m) { m.Ok(); }, -1},
      {"opened on -1, a cell click clears the box", -1, -1, true,
       [](M& m) {
         m.ClickCell(1);
         EXPECT_FALSE(m.PlaneBoxChecked());
         m.Ok();
       },
       Rgb(255, 0, 0)},
      {"cancel on -1 keeps -1", -1, -1, true,
       [](M& m) {
         m.ClickCell(1);
         m.Cancel();
       },
       -1},
  };
  for (const Case& c : cases) {
    Registry::RegSettings().DimColor = c.dimColor;
    EXPECT_EQ(Pick("T", c.start, c.option, c.actions), c.result) << c.what;
  }
}

TEST_F(ColorsTest, PickerOpensWithItsTitleBoxAndSample) {
  Color::PickerModel opened;
  Registry::RegSettings().DimColor = -1;
  Pick(
      "Dims Color", -1, true, [](Color::PickerModel& m) { m.Cancel(); }, &opened);
  EXPECT_EQ(opened.Caption(), "Dims Color");
  EXPECT_TRUE(opened.PlaneBoxVisible());
  EXPECT_TRUE(opened.PlaneBoxChecked());
  EXPECT_EQ(opened.Sample(), -1);

  // Without the option the box is hidden and unchecked, whatever DimColor is.
  Pick(
      "Plane 1 Color", Rgb(0, 0, 255), false, [](Color::PickerModel& m) { m.Cancel(); }, &opened);
  EXPECT_FALSE(opened.PlaneBoxVisible());
  EXPECT_FALSE(opened.PlaneBoxChecked());
  EXPECT_EQ(opened.Sample(), Rgb(0, 0, 255));
  // With the option and a colour of its own the box starts unchecked.
  Registry::RegSettings().DimColor = Rgb(0, 0, 255);
  Pick(
      "Dims Color", Rgb(0, 0, 255), true, [](Color::PickerModel& m) { m.Cancel(); }, &opened);
  EXPECT_TRUE(opened.PlaneBoxVisible());
  EXPECT_FALSE(opened.PlaneBoxChecked());
}

}  // namespace
