// The sample drawings' texts fit where the drawings put them: a label standing inside a box (a
// closed four-sided outline, such as a galley's) stays inside it as the page draws it, in the
// face the drawings' text style maps to. (The interior tab, which turns the floor plans and sets
// their texts upright, is tested with the window.)
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

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
    const std::vector<testsupport::Rect> boxes = testsupport::Boxes(ctl);
    for (const dxf::Entity& e : ctl.EntityList()) {
      if (e.EntityType != "TEXT") continue;
      const std::optional<testsupport::Rect> box = testsupport::BoxOfText(boxes, e);
      if (!box) continue;
      ++labels;
      SCOPED_TRACE(entry.path().filename().string() + " \"" + e.Text + "\"");
      const std::optional<testsupport::Rect> ink =
          testsupport::TextInk(ctl, e, testsupport::AroundBox(*box));
      ASSERT_TRUE(ink.has_value());
      EXPECT_GE(ink->minX, box->minX);
      EXPECT_LE(ink->maxX, box->maxX);
      EXPECT_GE(ink->minY, box->minY);
      EXPECT_LE(ink->maxY, box->maxY);
    }
  }
  EXPECT_GT(labels, 0);  // the galley's label at least
}

}  // namespace
