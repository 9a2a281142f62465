// Reading a large DXF drawing and redrawing a 100,000-entity view offscreen.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <string>

#include "DxfDrawings.h"
#include "platform/dxf/Reader.h"
#include "platform/dxf/Render.h"
#include "platform/dxfcontrol/DrawingControl.h"

namespace {

using dxfbench::MakeDrawing;

QGuiApplication& App() {
  static int argc = 1;
  static char name[] = "bench_dxf";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
  return app;
}

void BM_ReadDxf20MB(benchmark::State& state) {
  // Enough entities for 20 MB, from the size of a sample.
  const double perEntity = static_cast<double>(MakeDrawing(10000).size()) / 10000;
  std::string text = MakeDrawing(static_cast<int>(20.5 * 1024 * 1024 / perEntity));
  for (auto _ : state) {
    dxf::Document doc;
    dxf::ReadStats st = dxf::ReadDxf(text, doc);
    benchmark::DoNotOptimize(st.entities);
  }
  state.counters["MB"] = static_cast<double>(text.size()) / (1024 * 1024);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadDxf20MB)->Unit(benchmark::kMillisecond);

// `bands` 1 draws in one pass on one thread, 0 in as many bands as there are cores. Times are
// wall-clock; CPU is that of the whole process (all the bands' threads).
void RenderView(benchmark::State& state, bool zoomedIn, bool interleaved = true, int bands = 0) {
  App();
  dxf::DrawingControl::SetRenderBands(bands);
  dxf::DrawingControl cad;
  cad.LoadDrawingText(MakeDrawing(100000, interleaved));
  cad.SetSize(1600, 1000);
  if (zoomedIn)
    cad.ZoomToWindow(200, 200, 300, 260);
  else
    cad.ZoomToWindow(0, 0, 1000, 625);
  QImage image(1600, 1000, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter p(&image);
    cad.PaintView(p, 1600, 1000);
  }
  state.counters["entities"] = static_cast<double>(cad.EntityList().Count());
  dxf::DrawingControl::SetRenderBands(0);
}

void BM_Render100kWhole(benchmark::State& state) { RenderView(state, false); }
void BM_Render100kZoomed(benchmark::State& state) { RenderView(state, true); }
void BM_Render100kWholeByLayer(benchmark::State& state) { RenderView(state, false, false); }
void BM_Render100kWholeOnePass(benchmark::State& state) { RenderView(state, false, true, 1); }
void BM_Render100kZoomedOnePass(benchmark::State& state) { RenderView(state, true, true, 1); }
void BM_Render100kZoomedBanded(benchmark::State& state) { RenderView(state, true, true, 8); }
BENCHMARK(BM_Render100kWhole)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_Render100kWholeByLayer)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_Render100kZoomed)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_Render100kWholeOnePass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Render100kZoomedOnePass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Render100kZoomedBanded)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// The renderer alone (layers, colours, blocks, curves, culling) into a sink that only counts.
class CountingSink : public dxf::Sink {
 public:
  void Polyline(const std::vector<dxf::Point>& pts, dxf::Rgb, double,
                const std::vector<double>&) override {
    n += pts.size();
  }
  void Polygon(const std::vector<dxf::Point>& pts, dxf::Rgb) override { n += pts.size(); }
  void Text(const dxf::TextItem&) override { ++n; }
  void Dot(dxf::Point, dxf::Rgb, double) override { ++n; }
  size_t n = 0;
};

void BM_Tessellate100k(benchmark::State& state) {
  dxf::Document doc;
  dxf::ReadDxf(MakeDrawing(100000), doc);
  dxf::ViewState view;
  view.SetPixelSize(1600, 1000);
  view.Show(0, 0, 1000, 625);
  dxf::RenderOptions opt;
  opt.clipMaxX = 1600;
  opt.clipMaxY = 1000;
  opt.minTextHeight = 2.5;
  for (auto _ : state) {
    CountingSink sink;
    dxf::Renderer r(doc, sink, view.ToPixels(), opt);
    r.DrawAll();
    benchmark::DoNotOptimize(sink.n);
  }
}
BENCHMARK(BM_Tessellate100k)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
