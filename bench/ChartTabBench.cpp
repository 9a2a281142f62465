// Draws every chart of one chart tab for a pair of sample jets onto 640 x 480 pictures: the
// block fuel / block time tab (two charts) and the payload-range tab, read from the sample
// database (what a tab switch costs) and redrawn from the per-chart cache (what a repaint costs).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <filesystem>

#include "charts/Chart.h"
#include "charts/ChartBuilders.h"
#include "drawings/CadFunctions.h"
#include "foundation/DBase.h"
#include "foundation/General.h"
#include "foundation/Globals.h"
#include "foundation/Registry.h"
#include "platform/gdi/QtCanvas.h"
#include "support/Fixtures.h"

namespace {

void ChooseSampleJets() {
  Registry::RegSettings().Aircraft1 = "101";
  Registry::RegSettings().Aircraft2 = "102";
  Registry::RegSettings().PlaneColor1 = 0x0000FF;
  Registry::RegSettings().PlaneColor2 = 0xFF0000;
  Globals::vars().AircraftClass = 1;
  CadFunctions::vars().ShowPlane1 = CadFunctions::vars().ShowPlane2 = true;
  Globals::vars().UserGeoLCIDNumber = 409;
}

void DrawTab(benchmark::State& state, std::initializer_list<int> charts) {
  const bool fromDatabase = state.range(0) != 0;
  gdi::PictureCanvas picture(640, 480);
  for (int chart : charts) ChartBuilders::BuildChart(chart, picture, true);  // fill the cache
  for (auto _ : state) {
    for (int chart : charts) {
      if (fromDatabase) Chart::vars().ChartLabelsLoaded[chart] = false;
      ChartBuilders::BuildChart(chart, picture, fromDatabase);
    }
  }
}

void BM_BlockFuelTimeTab(benchmark::State& state) { DrawTab(state, {1, 2}); }
void BM_PayloadRangeTab(benchmark::State& state) { DrawTab(state, {13}); }
BENCHMARK(BM_BlockFuelTimeTab)->ArgName("database")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PayloadRangeTab)->ArgName("database")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  testsupport::TempDir dir;
  std::string sql;
  if (!vb::ReadWholeFile(TOLVANE_SAMPLE_AC_SQL, sql)) return 1;
  testsupport::BuildDatabase(dir / "ac.mdb", sql);
  General::resetForTest();
  DBase::vars().DBPath = (dir / "ac.mdb").string();
  ChooseSampleJets();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
