// Every chart of the sample fleet on a 640 x 480 picture, for a pair of jets and a pair of
// helicopters: drawn without errors or messages, both planes' colours on it. With the
// environment variable TOLVANE_CHART_PNG_DIR set, the pictures are also written there as PNGs
// to be looked at.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "ChartTestSupport.h"
#include "charts/ChartBuilders.h"
#include "drawings/CadFunctions.h"
#include "foundation/Globals.h"
#include "platform/gdi/GuiApp.h"
#include "platform/gdi/QtCanvas.h"
#include "support/Fixtures.h"
#include "support/Pixels.h"

namespace {


constexpr gdi::Rgb kRed = 0x0000FF, kBlue = 0xFF0000;

class SampleCharts : public charttest::SampleDatabaseFixture {
 protected:
  static int Count(const QImage& img, gdi::Rgb colour) {
    return testsupport::CountColour(img, colour);
  }
};

TEST_F(SampleCharts, EveryChartOfAJetPairAndAHelicopterPairDraws) {
  const charttest::SamplePair pairs[] = {
      {"jets", "101", "102", 1, 2, {1, 2, 3, 8, 9, 12, 13, 14}},
      {"helicopters", "201", "202", 2, 1, {1, 2, 4, 5, 6, 7, 10, 11, 13, 15, 16}},
      {"helicopters-watb", "201", "202", 2, 2, {15, 16}},
  };
  const char* folder = std::getenv("TOLVANE_CHART_PNG_DIR");
  if (folder) std::filesystem::create_directories(folder);
  for (const charttest::SamplePair& pair : pairs) {
    Choose(pair);
    for (int chart : pair.charts) {
      SCOPED_TRACE(std::string(pair.name) + " " + Chart::ChartKey(chart));
      gdi::PictureCanvas picture(640, 480);
      ChartBuilders::BuildChart(chart, picture, true);
      EXPECT_EQ(errors(), 0);
      EXPECT_TRUE(hooks.boxes.empty());
      const QImage& img = picture.image();
      EXPECT_GT(Count(img, kRed), 40);
      EXPECT_GT(Count(img, kBlue), 40);
      if (folder) {
        char name[128];
        std::snprintf(name, sizeof name, "%s-%02d-%s.png", pair.name, chart,
                      Chart::ChartKey(chart).c_str());
        EXPECT_TRUE(picture.savePng((std::filesystem::path(folder) / name).string()));
      }
    }
  }
}

// One plane only, or one hidden: only that plane's colour; and a drawing from the cache gives the
// picture the database gave.
TEST_F(SampleCharts, OnePlaneAndTheCacheDrawTheSamePictures) {
  struct Case {
    const char* what;
    const char* ac1;
    const char* ac2;
    int aircraftClass;
    bool show1, show2;
    std::vector<int> charts;
  };
  const std::vector<int> jets = {1, 2, 3, 8, 9, 12, 13, 14};
  const std::vector<int> helicopters = {1, 2, 4, 5, 6, 7, 10, 11, 13, 15, 16};
  const Case cases[] = {
      {"only plane 2, jets", "", "102", 1, true, true, jets},
      {"plane 2 hidden, jets", "101", "102", 1, true, false, jets},
      {"only plane 1, helicopters", "201", "", 2, true, true, helicopters},
      {"plane 1 hidden, helicopters", "201", "202", 2, false, true, helicopters},
  };
  for (const Case& k : cases) {
    Choose(k.ac1, k.ac2, k.aircraftClass);
    CadFunctions::vars().ShowPlane1 = k.show1;
    CadFunctions::vars().ShowPlane2 = k.show2;
    const bool first = k.show1 && *k.ac1;
    for (int chart : k.charts) {
      SCOPED_TRACE(std::string(k.what) + " " + Chart::ChartKey(chart));
      gdi::PictureCanvas picture(640, 480);
      ChartBuilders::BuildChart(chart, picture, true);
      const QImage fromDatabase = picture.image().copy();
      EXPECT_GT(Count(fromDatabase, first ? kRed : kBlue), 40);
      EXPECT_EQ(Count(fromDatabase, first ? kBlue : kRed), 0);
      ChartBuilders::BuildChart(chart, picture, false);
      EXPECT_TRUE(picture.image() == fromDatabase);
    }
  }
  EXPECT_EQ(errors(), 0);
  EXPECT_TRUE(hooks.boxes.empty());
}

// How long the charts of one tab take, from the database and from the cache. Reported, never
// judged: no test fails on a time.
TEST_F(SampleCharts, TheChartsOfOneTabDrawQuickly) {
  struct Tab {
    const char* name;
    const char* ac1;
    const char* ac2;
    int aircraftClass;
    int charts[2];
  };
  const Tab tabs[] = {{"block fuel/time (jets)", "101", "102", 1, {1, 2}},
                      {"flight envelope (jets)", "101", "102", 1, {8, 12}},
                      {"WAT (helicopters)", "201", "202", 2, {15, 16}}};
  for (const Tab& t : tabs) {
    Choose(t.ac1, t.ac2, t.aircraftClass);
    gdi::PictureCanvas first(640, 480), second(640, 480);
    auto draw = [&](bool redraw) {
      ChartBuilders::BuildChart(t.charts[0], first, redraw);
      ChartBuilders::BuildChart(t.charts[1], second, redraw);
    };
    draw(true);  // notes and qualifiers loaded once, as after the tab's first showing
    constexpr int kRounds = 5;  // enough for an average; bench/ChartTabBench measures closely
    for (bool redraw : {true, false}) {
      const auto start = std::chrono::steady_clock::now();
      for (int i = 0; i < kRounds; ++i) draw(redraw);
      const double ms =
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count() /
          kRounds;
      std::cout << t.name << " tab, " << (redraw ? "from the database" : "from the cache") << ": "
                << ms << " ms\n";
    }
  }
  EXPECT_EQ(errors(), 0);
}

}  // namespace
