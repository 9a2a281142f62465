#pragma once
// The fixture of the chart tests: errors trapped and counted (ERROR.LOG in a temporary
// folder), message boxes recorded, the drawing layer, the chart engine, the builders and the
// shared aircraft state reset.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "charts/Chart.h"
#include "charts/ChartBuilders.h"
#include "charts/Graph.h"
#include "drawings/CadFunctions.h"
#include "foundation/DBase.h"
#include "foundation/General.h"
#include "foundation/Globals.h"
#include "foundation/Registry.h"
#include "platform/gdi/RecordingCanvas.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/StateReset.h"
#include "platform/ui/FakeHooks.h"
#include "support/TestSupport.h"
#include "support/ErrorsGoOn.h"

namespace charttest {

class ChartFixture : public ::testing::Test {
 protected:
  testsupport::TempDir dir;
  testsupport::FakeClock clock;
  ui::ScopedFakeHooks hooks;

  void SetUp() override {
    vb::ResetProgramState();
    vb::ChDir(dir.path());
    testsupport::ReportErrorsAndGoOn();
  }
  void TearDown() override { vb::ResetProgramState(); }
  long errors() const { return General::vars().ErrorCount; }
};

using Op = gdi::RecordingCanvas::Op;

inline std::vector<gdi::RecordingCanvas::Record> Lines(const gdi::RecordingCanvas& c) {
  return c.only(Op::Line);
}

}  // namespace charttest
