// Draws a full chart of two planes' series (two series each) onto a 640 x 480 picture.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "charts/Chart.h"
#include "foundation/General.h"
#include "platform/gdi/QtCanvas.h"
#include "SampleChart.h"

static void BM_ChartOnPicture(benchmark::State& state) {
  gdi::PictureCanvas picture(640, 480);
  const int points = static_cast<int>(state.range(0));
  for (auto _ : state) charttest::DrawSampleChart(picture, points);
  state.SetItemsProcessed(state.iterations() * 4 * points);
}
BENCHMARK(BM_ChartOnPicture)->Arg(25)->Arg(250)->Arg(1000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  General::resetForTest();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
}
