// The guard every procedure opens with, as a mouse move over a chart or a drawing runs it: the
// trace entry with the trace switched off and one step that does not fail.
#include <benchmark/benchmark.h>

#include "foundation/General.h"
#include "platform/runtime/Trap.h"

namespace {

void BM_TracedProcedureWithTheTraceOff(benchmark::State& state) {
  General::resetForTest();
  General::vars().ErrorHandlingOn = 1;
  General::vars().TraceEnabled = false;
  int n = 0;
  for (auto _ : state) {
    vb::Proc g("ChartHover", "ChartPicture_MouseMove");
    g.step([&] { ++n; });
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(BM_TracedProcedureWithTheTraceOff);

void BM_ValueStep(benchmark::State& state) {
  General::resetForTest();
  vb::Proc g("Mod", "Proc");
  int n = 0;
  for (auto _ : state) benchmark::DoNotOptimize(g.value([&] { return ++n; }));
}
BENCHMARK(BM_ValueStep);

}  // namespace

BENCHMARK_MAIN();
