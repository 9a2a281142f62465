// Flattening a composed page of 50,000 segments into the entity lists, and filling the
// placeholder texts of a page template.
#include <benchmark/benchmark.h>

#include <string>

#include "drawings/CadFunctions.h"
#include "drawings/DxfCadServices.h"
#include "drawings/PageDrawing.h"
#include "platform/dxfcontrol/DrawingControl.h"

namespace {

// A page of 25,000 lines, 139 circles (25,020 chords), 2,000 texts and 500 solids that stay,
// the kinds interleaved as merged drawings leave them.
dxf::Document Page() {
  dxf::Document doc;
  for (int i = 0; i < 25000; ++i) {
    dxf::Entity& e = doc.Entities.Add();
    e.EntityType = "LINE";
    e.LayerName = i % 2 ? "PLANE1" : "PLANE2";
    e.X0 = i * 0.001, e.Y0 = 1, e.X1 = i * 0.001, e.Y1 = 2;
    if (i % 180 == 0 && i / 180 < 139) {
      dxf::Entity& c = doc.Entities.Add();
      c.EntityType = "CIRCLE";
      c.LayerName = "DIM1";
      c.X0 = i * 0.001, c.g40 = 0.1;
    }
    if (i % 12 == 0 && i / 12 < 2000) {
      dxf::Entity& t = doc.Entities.Add();
      t.EntityType = "TEXT";
      t.Text = "12 ft";
      t.g40 = 0.1;
    }
    if (i % 50 == 0) doc.Entities.Add().EntityType = "SOLID";
  }
  return doc;
}

void BM_FlattenPage50kSegments(benchmark::State& state) {
  dxf::DrawingControl cad;
  CadFunctions::DxfCadServices services({&cad});
  CadFunctions::InstallServices(&services);
  CadFunctions::vars().ShowDims = true;
  const dxf::Document page = Page();
  for (auto _ : state) {
    state.PauseTiming();
    cad.Drawing() = page;
    state.ResumeTiming();
    CadFunctions::GetCADEntities(0);
    benchmark::DoNotOptimize(CadFunctions::CadLineCount());
  }
  state.counters["segments"] = static_cast<double>(CadFunctions::CadLineCount());
  state.counters["texts"] = static_cast<double>(CadFunctions::CadTextCount());
  state.counters["left"] = static_cast<double>(cad.EntityList().Count());
  CadFunctions::InstallServices(nullptr);
}
BENCHMARK(BM_FlattenPage50kSegments)->Unit(benchmark::kMillisecond);

// A template of 2,000 texts, a tenth of them page counters, the rest plain labels.
void BM_FillTemplateTexts(benchmark::State& state) {
  dxf::DrawingControl cad;
  CadFunctions::DxfCadServices services({&cad});
  CadFunctions::InstallServices(&services);
  dxf::Document page;
  for (int i = 0; i < 2000; ++i) {
    dxf::Entity& t = page.Entities.Add();
    t.EntityType = "TEXT";
    t.Text = i % 10 ? "Range" : "Page n of Pages";
  }
  for (auto _ : state) {
    state.PauseTiming();
    cad.Drawing() = page;
    state.ResumeTiming();
    CadFunctions::UpdateCADText();
  }
  CadFunctions::InstallServices(nullptr);
}
BENCHMARK(BM_FillTemplateTexts)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
