// The sample drawings' texts fit where the drawings put them: a label standing inside a box (a
// closed four-sided outline, such as a galley's) stays inside it as the page draws it, in the
// face the drawings' text style maps to, and no text of a floor plan runs into another as the
// interior pages print it (as drawn, at their scale). (The interior tab, which turns the floor
// plans and sets their texts upright, is tested with the window.)
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/dxfcontrol/DrawingControl.h"
#include "support/QtApp.h"
#include "support/TextInk.h"

namespace {

namespace fs = std::filesystem;

TEST(SampleDrawings, ALabelInsideABoxStaysInsideIt) {
  testsupport::QtApp();
  int labels = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(TOLVANE_SAMPLE_DRAWINGS)) {
    if (entry.path().extension() != ".dxf") continue;
    dxf::DrawingControl ctl;
    ctl.LoadDrawingFile(entry.path().string());
    int inBoxes = 0;
    for (const std::string& out : testsupport::LabelsOutOfTheirBoxes(ctl, inBoxes))
      ADD_FAILURE() << entry.path().filename().string() << " " << out;
    labels += inBoxes;
  }
  EXPECT_GT(labels, 0);  // the galley's label at least
}

TEST(SampleDrawings, NoTwoTextsOfAFloorPlanRunIntoEachOther) {
  testsupport::QtApp();
  int plans = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(TOLVANE_SAMPLE_DRAWINGS)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".dxf" || name.find("Interior") == std::string::npos) continue;
    ++plans;
    dxf::DrawingControl ctl;
    ctl.LoadDrawingFile(entry.path().string());
    int texts = 0;
    for (const std::string& out : testsupport::OverlappingTexts(ctl, texts))
      ADD_FAILURE() << name << " " << out;
    EXPECT_GT(texts, 0) << name;  // its dimensions' numbers at least
  }
  EXPECT_EQ(plans, 8);  // 101 to 104, 201 in each of its three configurations, 202
}

}  // namespace
