// Composes the drawing tabs of the sample jets 101 and 102 on real drawing controls (the view of
// the tab a 900 x 600 on-screen control, the measuring control beside it), the way a tab switch
// does after the display update has emptied the views; then the redraw that a second visit, a
// toggle or a resize costs: the request alone (the view keeps its picture) and a full paint of
// the composed view.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <array>
#include <filesystem>
#include <memory>

#include "drawings/CadFunctions.h"
#include "drawings/ControlNames.h"
#include "drawings/DrawingTabs.h"
#include "drawings/DxfCadServices.h"
#include "foundation/General.h"
#include "foundation/Globals.h"
#include "mainwindow/MainForm.h"
#include "platform/dxfcontrol/DrawingWidget.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/Trap.h"
#include "CountingTraps.h"
#include "StartOptions.h"

#ifndef TOLVANE_SAMPLE_DRAWINGS
#error "TOLVANE_SAMPLE_DRAWINGS must name the folder of the sample drawings"
#endif

namespace {

namespace fs = std::filesystem;

using benchsupport::CountingTraps;

class Setup {
 public:
  Setup() {
    folder_ = fs::temp_directory_path() / "tolvane-bench-drawing-tabs";
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "DXF");
    // The cache as the drawing database fills it: aircraft number + view + ".dxf".
    for (const auto& entry : fs::directory_iterator(TOLVANE_SAMPLE_DRAWINGS)) {
      fs::copy_file(entry.path(), folder_ / "DXF" / entry.path().filename(),
                    fs::copy_options::overwrite_existing);
    }
    vb::SetProgramFolder(folder_);
    General::vars().IniFileName = (folder_ / "Tolvane.ini").string();
    vb::SetTrapHandler(&traps);
    CadFunctions::DxfCadServices::Controls c{};
    c[0] = &measuring_;
    for (int tab = 2; tab <= 5; ++tab) {
      views_[static_cast<size_t>(tab)] = std::make_unique<dxf::DrawingWidget>(nullptr, folder_);
      views_[static_cast<size_t>(tab)]->resize(900, 600);
      c[static_cast<size_t>(tab)] = views_[static_cast<size_t>(tab)].get();
    }
    services_ = std::make_unique<CadFunctions::DxfCadServices>(c);
    controls_ = std::make_unique<MainForm::DxfCompositionControls>(*services_);
    CadFunctions::InstallServices(services_.get());
    CadFunctions::SetDrawingInputsSource(
        [] { return CadFunctions::DrawingInputs{"101", "102", 0x0000FF, 0xFF0000, -1, 2}; });
    Globals::vars().AircraftClass = 1;
    auto& cv = CadFunctions::vars();
    cv.ShowPlane1 = cv.ShowPlane2 = cv.ShowDims = true;
  }
  ~Setup() {
    CadFunctions::resetForTest();
    vb::SetTrapHandler(nullptr);
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  void Compose(int tab) {
    CadFunctions::InitDwgs();
    MainForm::vars().TabDrawn.fill(false);
    MainForm::ComposeDrawingTab(tab, *controls_, options_);
  }
  dxf::DrawingWidget& View(int tab) { return *views_[static_cast<size_t>(tab)]; }
  CountingTraps traps;

 private:
  fs::path folder_;
  dxf::DrawingControl measuring_;
  std::array<std::unique_ptr<dxf::DrawingWidget>, 6> views_{};
  std::unique_ptr<CadFunctions::DxfCadServices> services_;
  std::unique_ptr<MainForm::DxfCompositionControls> controls_;
  StartOptions options_;
};

// Made in main once the application exists, and gone before it: the views are widgets.
Setup* theSetup = nullptr;
Setup& TheSetup() { return *theSetup; }

void BM_ComposeDrawingTab(benchmark::State& state) {
  Setup& s = TheSetup();
  const int tab = static_cast<int>(state.range(0));
  for (auto _ : state) s.Compose(tab);
  state.counters["entities"] = static_cast<double>(s.View(tab).EntityList().Count());
  state.counters["errors"] = static_cast<double>(s.traps.errors);
}
BENCHMARK(BM_ComposeDrawingTab)->DenseRange(2, 5)->Unit(benchmark::kMillisecond);

// A second visit of a composed tab: the dispatcher only asks the view to redraw.
void BM_RedrawRequest(benchmark::State& state) {
  Setup& s = TheSetup();
  s.Compose(2);
  s.View(2).show();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    CadFunctions::services().Redraw(2);
    QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_RedrawRequest)->Unit(benchmark::kMicrosecond);

// The paint of the composed top view at 900 x 600 (after a toggle, a zoom or a resize).
void BM_PaintComposedView(benchmark::State& state) {
  Setup& s = TheSetup();
  s.Compose(static_cast<int>(state.range(0)));
  QImage image(900, 600, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    s.View(static_cast<int>(state.range(0))).PaintView(painter, 900, 600);
  }
}
BENCHMARK(BM_PaintComposedView)->DenseRange(2, 5)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  auto setup = std::make_unique<Setup>();
  theSetup = setup.get();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  theSetup = nullptr;
  setup.reset();
  return 0;
}
