// The shared steps of the drawing pages: the scale search, the chosen scale, the
// "Print Locations" settings.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "foundation/General.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/StateReset.h"
#include "platform/ui/FakeHooks.h"
#include "printing/PagePrinting.h"
#include "printing/ViewPages.h"
#include "support/TestSupport.h"
#include "support/ErrorsGoOn.h"

namespace {

using Printing::Extents;

Extents Box(double minX, double maxX, double minY, double maxY) {
  return Extents{false, minX, maxX, minY, maxY};
}

// A view reaching `x` to the right of and `y` above its origin.
Extents Reach(double x, double y) { return Box(0, x, 0, y); }

TEST(ScaleSearch, TheFirstMultipleOfTenAtWhichTheBoxFits) {
  struct Case {
    Extents extents;
    double width, height;
    double n;
  } cases[] = {
      {Box(0, 600, 0, 400), 7.5, 6.5, 80},     // 7.5 x 5 at 1:80: a width equal to the box fits
      {Box(-300, 300.1, 0, 1), 7.5, 6.5, 90},  // a hair wider: the next scale
      {Box(0, 75, 0, 65), 7.5, 6.5, 10},       // at most 10 x the box: the smallest scale
      {Box(0, 1, 0, 1), 7.5, 6.5, 10},
      {Box(0, 10, 0, 975), 6.75, 9.75, 100},   // the height decides
      {Extents{}, 7.5, 6.5, 10},               // nothing measured: the smallest scale
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Printing::SearchScale(c.extents, c.width, c.height), c.n)
        << c.extents.maxX - c.extents.minX << " x " << c.extents.maxY - c.extents.minY;
  }
}

TEST(ScaleSearch, IsBoundedWhateverTheFitTest) {
  // No box can hold this, and a box of no size holds nothing: the search stops at its largest
  // scale instead of running on.
  EXPECT_EQ(Printing::SearchScale(Box(0, 1e300, 0, 1), 7.5, 6.5), Printing::kLargestScale);
  EXPECT_EQ(Printing::SearchScale(Box(0, 1, 0, 1), -1, 6.5), Printing::kLargestScale);
  EXPECT_EQ(Printing::SearchScale([](double) { return false; }), Printing::kLargestScale);
  int trials = 0;
  EXPECT_EQ(Printing::SearchScale([&](double f) { return ++trials, f <= 1.0 / 30; }), 30);
  EXPECT_EQ(trials, 3);
}

TEST(ScaleSearch, TheExteriorTestLimitsTheFarEdgesOfSideAndFrontAndTheWholeTopView) {
  const Extents small = Reach(10, 10);
  struct Case {
    const char* what;
    Extents side, top, front;
    double n;
  } cases[] = {
      {"side reaching 600 in", Reach(600, 10), small, small, 80},  // 7.5 fits exactly
      {"side reaching 601 in", Reach(601, 10), small, small, 90},
      {"front 300 in high", small, small, Reach(10, 300), 100},  // 3.33 > 3.25 at 1:90
      {"side 325 in high", Reach(10, 325), small, small, 100},
      {"front reaching 750 in", small, small, Reach(750, 10), 100},
      {"top 750 in wide", small, Box(-375, 375, 0, 10), small, 100},
      {"top 551 in long", small, Box(0, 10, -300, 251), small, 110},
      // Parts left of or below the origin do not count for side and front.
      {"side reaching far left", Box(-5000, 10, -5000, 10), small, small, 10},
      {"no drawings", Extents{}, Extents{}, Extents{}, 10},
      {"only a top view", Extents{}, Box(0, 150, 0, 10), Extents{}, 20},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Printing::SearchScale([&](double f) {
                return Printing::ExteriorFits(c.side, c.top, c.front, f);
              }),
              c.n)
        << c.what;
  }
}

TEST(ScaleSearch, AChosenScaleReplacesTheComputedOneOnlyWhenItIsAPositiveNumber) {
  EXPECT_EQ(Printing::ChosenScale(80, 150), 150);
  EXPECT_EQ(Printing::ChosenScale(80, 62.5), 62.5);
  EXPECT_EQ(Printing::ChosenScale(80, 0), 80);
  EXPECT_EQ(Printing::ChosenScale(80, -5), 80);
  EXPECT_EQ(Printing::ChosenScale(80, std::numeric_limits<double>::quiet_NaN()), 80);
  EXPECT_EQ(Printing::ChosenScale(80, std::numeric_limits<double>::infinity()), 80);
}

// --- "Print Locations" in a settings file of the test ---

class PrintLocations : public ::testing::Test {
 protected:
  void SetUp() override {
    vb::ResetProgramState();
    testsupport::ReportErrorsAndGoOn();
    General::vars().IniFileName = (dir / "Tolvane.ini").string();
    vb::SetProgramFolder(dir.path());  // where the reports are logged
    ui::Install(&ui);
  }
  void TearDown() override {
    ui::Install(nullptr);
    vb::SetProgramFolder({});
    vb::ResetProgramState();
  }
  void Settings(const std::string& lines) {
    ASSERT_TRUE(vb::WriteFileAtomic(dir / "Tolvane.ini", "[Print Locations]\r\n" + lines));
  }
  testsupport::TempDir dir;
  ui::FakeHooks ui;
};

TEST_F(PrintLocations, APagePointTakesItsDefaultOnlyForZeroMissingOrNoNumber) {
  Settings("TopX1=2.5\r\nTopY1=-1\r\nTopX2=0\r\nTopY2=abc\r\nTopHeliX1=\r\nFrontX1=1e999\r\n");
  EXPECT_EQ(Printing::PrintLocation("TopX1", 1.25), 2.5);
  EXPECT_EQ(Printing::PrintLocation("TopY1", 7.6), -1);  // negatives are used as they stand
  EXPECT_EQ(Printing::PrintLocation("TopX2", 1.25), 1.25);
  EXPECT_EQ(Printing::PrintLocation("TopY2", 3.5), 3.5);
  EXPECT_EQ(Printing::PrintLocation("TopHeliX1", 2), 2);
  EXPECT_EQ(Printing::PrintLocation("TopHeliY1", 8.1), 8.1);  // missing
  EXPECT_EQ(Printing::PrintLocation("FrontX1", 4.25), 4.25);  // no finite number
  EXPECT_EQ(General::vars().ErrorCount, 0);
}

TEST_F(PrintLocations, AFitBoxTakesOnlyAPositiveSizeAndReportsAnUnusableOneOnce) {
  Settings("TopWd=8\r\nTopHt=0\r\nSideWd=-3\r\nSideHt=abc\r\nFrontWd=\r\n");
  EXPECT_EQ(Printing::PrintLocationSize("TopWd", 7.5), 8);
  EXPECT_EQ(Printing::PrintLocationSize("TopHt", 6.5), 6.5);    // 0 means the default
  EXPECT_EQ(Printing::PrintLocationSize("FrontWd", 8), 8);      // empty
  EXPECT_EQ(Printing::PrintLocationSize("FrontHt", 9), 9);      // missing
  EXPECT_EQ(General::vars().ErrorCount, 0);
  EXPECT_EQ(Printing::PrintLocationSize("SideWd", 6.75), 6.75);  // negative: no scale could fit
  EXPECT_EQ(General::vars().ErrorCount, 1);
  EXPECT_EQ(Printing::PrintLocationSize("SideHt", 9.75), 9.75);  // no number
  EXPECT_EQ(General::vars().ErrorCount, 2);
  // The next pages use the defaults again without a further report.
  for (int page = 0; page < 3; ++page) {
    EXPECT_EQ(Printing::PrintLocationSize("SideWd", 6.75), 6.75);
    EXPECT_EQ(Printing::PrintLocationSize("SideHt", 9.75), 9.75);
  }
  EXPECT_EQ(General::vars().ErrorCount, 2);
  // A changed setting is read afresh and, when unusable again, reported again.
  Settings("SideWd=-4\r\nSideHt=7\r\n");
  EXPECT_EQ(Printing::PrintLocationSize("SideWd", 6.75), 6.75);
  EXPECT_EQ(Printing::PrintLocationSize("SideHt", 9.75), 7);
  EXPECT_EQ(General::vars().ErrorCount, 3);
}

}  // namespace
