// Filling the placeholder texts of the general data page template for a pair of sample jets:
// 122 database fields, each read from the aircraft's joined record, as every printed data page
// does.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "drawings/CadFunctions.h"
#include "drawings/DxfCadServices.h"
#include "drawings/PageDrawing.h"
#include "foundation/DBase.h"
#include "foundation/General.h"
#include "foundation/Globals.h"
#include "platform/dxf/Reader.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/runtime/Files.h"
#include "support/Fixtures.h"

namespace {

dxf::Document page;

void BM_FillGeneralPageFields(benchmark::State& state) {
  dxf::DrawingControl cad;
  CadFunctions::DxfCadServices services({&cad});
  CadFunctions::InstallServices(&services);
  CadFunctions::SetDrawingInputsSource([] {
    CadFunctions::DrawingInputs in;
    in.Aircraft1 = "101";
    in.Aircraft2 = "102";
    return in;
  });
  for (auto _ : state) {
    state.PauseTiming();
    cad.Drawing() = page;
    state.ResumeTiming();
    CadFunctions::UpdateCADText();
  }
  CadFunctions::SetDrawingInputsSource({});
  CadFunctions::InstallServices(nullptr);
}
BENCHMARK(BM_FillGeneralPageFields)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  testsupport::TempDir dir;
  std::string sql, text;
  if (!vb::ReadWholeFile(TOLVANE_SAMPLE_AC_SQL, sql)) return 1;
  if (!vb::ReadWholeFile(TOLVANE_TEMPLATES "/General.dxf", text)) return 1;
  dxf::ReadDxf(text, page);
  testsupport::BuildDatabase(dir / "ac.mdb", sql);
  General::resetForTest();
  DBase::vars().DBPath = (dir / "ac.mdb").string();
  Globals::vars().AircraftClass = 1;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
