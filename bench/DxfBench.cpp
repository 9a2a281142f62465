// Reading a large DXF drawing and redrawing a 100,000-entity view offscreen.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <string>

#include "platform/dxf/Reader.h"
#include "platform/dxf/Render.h"
#include "platform/dxfcontrol/DrawingControl.h"

namespace {

void Pair(std::string& s, int code, const std::string& value) {
  s += std::to_string(code);
  s += '\n';
  s += value;
  s += '\n';
}

// A drawing of `count` entities (lines, polylines, circles, arcs, texts) on four layers: each
// entity on the next layer (`interleaved`, a new pen for every entity: the worst case), or the
// layers one after the other, as composed aircraft views are.
std::string MakeDrawing(int count, bool interleaved = true) {
  std::string s;
  s.reserve(static_cast<size_t>(count) * 200);
  s += "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n";
  for (int l = 0; l < 4; ++l) {
    Pair(s, 0, "LAYER");
    Pair(s, 2, "L" + std::to_string(l));
    Pair(s, 70, "0");
    Pair(s, 62, std::to_string(l + 1));
  }
  s += "0\nENDTAB\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n";
  for (int i = 0; i < count; ++i) {
    double x = (i % 400) * 2.5, y = (i / 400) * 2.5;
    std::string layer =
        "L" + std::to_string(interleaved ? i % 4 : static_cast<int>(4LL * i / count));
    switch (i % 5) {
      case 0:
        Pair(s, 0, "LINE");
        Pair(s, 8, layer);
        Pair(s, 10, std::to_string(x));
        Pair(s, 20, std::to_string(y));
        Pair(s, 30, "0.0");
        Pair(s, 11, std::to_string(x + 2));
        Pair(s, 21, std::to_string(y + 1.5));
        Pair(s, 31, "0.0");
        break;
      case 1:
        Pair(s, 0, "LWPOLYLINE");
        Pair(s, 8, layer);
        Pair(s, 90, "4");
        Pair(s, 70, "1");
        for (int k = 0; k < 4; ++k) {
          Pair(s, 10, std::to_string(x + (k == 1 || k == 2 ? 2 : 0)));
          Pair(s, 20, std::to_string(y + (k >= 2 ? 2 : 0)));
          if (k == 1) Pair(s, 42, "0.4");
        }
        break;
      case 2:
        Pair(s, 0, "CIRCLE");
        Pair(s, 8, layer);
        Pair(s, 10, std::to_string(x + 1));
        Pair(s, 20, std::to_string(y + 1));
        Pair(s, 40, "0.9");
        break;
      case 3:
        Pair(s, 0, "ARC");
        Pair(s, 8, layer);
        Pair(s, 10, std::to_string(x + 1));
        Pair(s, 20, std::to_string(y + 1));
        Pair(s, 40, "0.7");
        Pair(s, 50, "15.0");
        Pair(s, 51, "200.0");
        break;
      default:
        Pair(s, 0, "TEXT");
        Pair(s, 8, layer);
        Pair(s, 10, std::to_string(x));
        Pair(s, 20, std::to_string(y));
        Pair(s, 40, "0.4");
        Pair(s, 1, "T" + std::to_string(i));
        break;
    }
  }
  s += "0\nENDSEC\n0\nEOF\n";
  return s;
}

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

void RenderView(benchmark::State& state, bool zoomedIn, bool interleaved = true) {
  App();
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
}

void BM_Render100kWhole(benchmark::State& state) { RenderView(state, false); }
void BM_Render100kZoomed(benchmark::State& state) { RenderView(state, true); }
void BM_Render100kWholeByLayer(benchmark::State& state) { RenderView(state, false, false); }
BENCHMARK(BM_Render100kWhole)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Render100kWholeByLayer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Render100kZoomed)->Unit(benchmark::kMillisecond);

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
