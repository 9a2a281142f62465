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
#include "support/ErrorsGoOn.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"

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

// A pair of the sample database and the charts it shows.
struct SamplePair {
  const char* name;
  const char* ac1;
  const char* ac2;
  int aircraftClass;  // 1 fixed-wing, 2 helicopter
  int watChart;       // 1 WAT A, 2 WAT B
  std::vector<int> charts;
};

// The sample aircraft database (data/sample/ac.sql) in the test's folder, both planes shown in
// red and blue, the user's country the United States; Choose picks a pair.
class SampleDatabaseFixture : public ChartFixture {
 protected:
  void SetUp() override {
    ChartFixture::SetUp();
    std::string sql;
    ASSERT_TRUE(vb::ReadWholeFile(TOLVANE_SAMPLE_AC_SQL, sql));
    testsupport::BuildDatabase(dir / "ac.mdb", sql);
    DBase::vars().DBPath = (dir / "ac.mdb").string();
    Registry::RegSettings().PlaneColor1 = 0x0000FF;
    Registry::RegSettings().PlaneColor2 = 0xFF0000;
    CadFunctions::vars().ShowPlane1 = CadFunctions::vars().ShowPlane2 = true;
    Globals::vars().UserGeoLCIDNumber = 409;
  }
  // The pair (class 1 fixed-wing, 2 helicopter) and the WAT chart; every chart's notes and
  // qualifier are read again.
  void Choose(const char* ac1, const char* ac2, int aircraftClass, int watChart = 1) {
    Registry::RegSettings().Aircraft1 = ac1;
    Registry::RegSettings().Aircraft2 = ac2;
    Globals::vars().AircraftClass = static_cast<int16_t>(aircraftClass);
    Globals::vars().WATChart = watChart;
    for (int chart = 1; chart <= 16; ++chart) Chart::vars().ChartLabelsLoaded[chart] = false;
  }
  void Choose(const SamplePair& pair) {
    Choose(pair.ac1, pair.ac2, pair.aircraftClass, pair.watChart);
  }
};

using Op = gdi::RecordingCanvas::Op;

inline std::vector<gdi::RecordingCanvas::Record> Lines(const gdi::RecordingCanvas& c) {
  return c.only(Op::Line);
}

}  // namespace charttest
