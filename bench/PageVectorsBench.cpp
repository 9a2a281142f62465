// The vector pass of a printed page with the largest line list a page may collect (50000
// segments) onto the open plot preview window, which refreshes after every line.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <vector>

#include "printing/PageVectors.h"
#include "printing/Printing.h"
#include "printing/QtDevices.h"
#include "printing/frmPlotPreview.h"

namespace {

std::vector<Printing::PageLine> ManyLines() {
  std::vector<Printing::PageLine> lines;
  for (int i = 0; i < 50000; ++i) {
    const float y = 0.5f + static_cast<float>(i % 1000) / 100.0f;
    lines.push_back({0.5f, y, 8.0f, y + 0.01f, static_cast<gdi::Rgb>(i % 2 ? 0x0000FF : 0)});
  }
  return lines;
}

Printing::LegendState NoLegend() { return {}; }

class PreviewHooks final : public Printing::Hooks {
 public:
  void Delay(float) override {}
};
class PreviewMode final : public Printing::JobState {
 public:
  bool PlotPreview() override { return true; }
};

void BM_LinesIntoTheOpenPreview(benchmark::State& state) {
  PreviewHooks hooks;
  Printing::InstallHooks(&hooks);
  PreviewMode preview;
  Printing::InstallJobState(&preview);
  Printing::QtDevices devices;
  Printing::InstallDevices(&devices);
  Printing::ShowPrinterDialog();  // opens the preview window
  const std::vector<Printing::PageLine> lines = ManyLines();
  std::vector<Printing::PageText> texts;
  for (auto _ : state) {
    Printing::PrintEntities(Printing::Preview(), true, texts, lines, NoLegend());
    QApplication::processEvents();
  }
  Printing::resetForTest();
}
BENCHMARK(BM_LinesIntoTheOpenPreview)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
