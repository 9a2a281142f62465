// A drawing page of a large drawing: the 100,000-entity bench drawing as Plane 1's top view
// (the sample jet 102 beside it), the Top page composed, flattened and printed to a PDF file,
// as File > Print Page > Exterior > Side by Side prints its first page; and the flattening
// alone. The counters give the segments and texts the page collected and the size of the PDF.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "DxfDrawings.h"
#include "drawings/CadFunctions.h"
#include "drawings/DxfCadServices.h"
#include "drawings/PageDrawing.h"
#include "foundation/DBase.h"
#include "foundation/General.h"
#include "foundation/Globals.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/Trap.h"
#include "CountingTraps.h"
#include "printing/DrawingPages.h"
#include "printing/Printing.h"
#include "printing/QtDevices.h"
#include "printing/ViewPages.h"
#include "support/Fixtures.h"

#ifndef TOLVANE_SAMPLE_DRAWINGS
#error "TOLVANE_SAMPLE_DRAWINGS must name the folder of the sample drawings"
#endif

namespace {

namespace fs = std::filesystem;

using benchsupport::CountingTraps;

// The print job's view of the window: no waits.
struct NoWaits final : Printing::Hooks {
  void Delay(float) override {}
};

class Setup {
 public:
  Setup() {
    fs::create_directories(dir_ / "DXF");
    fs::copy_file(fs::path(TOLVANE_SAMPLE_DRAWINGS) / "102Top.dxf", dir_ / "DXF" / "102Top.dxf");
    if (!vb::WriteFileAtomic(dir_ / "DXF" / "101Top.dxf", dxfbench::MakeDrawing(100000, false)))
      std::abort();
    std::string sql;
    if (!vb::ReadWholeFile(TOLVANE_SAMPLE_AC_SQL, sql)) std::abort();
    testsupport::BuildDatabase(dir_ / "ac.mdb", sql);
    vb::SetProgramFolder(dir_.path());
    General::vars().IniFileName = (dir_ / "Tolvane.ini").string();
    DBase::vars().DBPath = (dir_ / "ac.mdb").string();
    vb::SetTrapHandler(&traps);
    for (auto& c : controls_) c = std::make_unique<dxf::DrawingControl>(TOLVANE_TEMPLATES);
    services_ = std::make_unique<CadFunctions::DxfCadServices>(
        CadFunctions::DxfCadServices::Controls{controls_[0].get(), nullptr, controls_[2].get(),
                                               controls_[3].get(), controls_[4].get(),
                                               controls_[5].get()});
    CadFunctions::InstallServices(services_.get());
    CadFunctions::SetDrawingInputsSource(
        [] { return CadFunctions::DrawingInputs{"101", "102", 0x0000FF, 0xFF0000, -1, 2}; });
    Globals::vars().AircraftClass = 1;
    auto& cv = CadFunctions::vars();
    cv.ShowPlane1 = cv.ShowPlane2 = cv.ShowDims = true;
    Printing::InstallHooks(&hooks_);
    Printing::InstallDevices(&devices);
    QPrinter& printer = devices.CurrentPrinter().qprinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf().string()));
  }
  ~Setup() {
    Printing::resetForTest();
    CadFunctions::InstallServices(nullptr);
    CadFunctions::resetForTest();
    vb::SetTrapHandler(nullptr);
  }
  fs::path pdf() const { return dir_ / "top.pdf"; }
  CountingTraps traps;
  Printing::QtDevices devices;

 private:
  testsupport::TempDir dir_;
  std::array<std::unique_ptr<dxf::DrawingControl>, 6> controls_;
  std::unique_ptr<CadFunctions::DxfCadServices> services_;
  NoWaits hooks_;
};

Setup* setup = nullptr;

// Composing and flattening the page, without printing it.
void BM_FlattenTopPageOfLargeDrawing(benchmark::State& state) {
  for (auto _ : state) {
    vb::Proc g("CadFunctions", "PrintTop");
    const Printing::Extents e = Printing::MeasureView("Top");
    const double n = Printing::SearchScale(e, 7.5, 6.5);
    Printing::LoadPageTemplate(g, "Top.dxf");
    Printing::PlacePlane(g, 1, {{"Top", 1 / n, 1.25, 7.6}});
    Printing::PlacePlane(g, 2, {{"Top", 1 / n, 1.25, 3.5}});
    CadFunctions::UpdateCADDims(CadFunctions::kMeasuringView);
    CadFunctions::GetCADEntities(CadFunctions::kMeasuringView);
  }
  state.counters["segments"] = static_cast<double>(CadFunctions::CadLineCount());
  state.counters["texts"] = static_cast<double>(CadFunctions::CadTextCount());
  state.counters["errors"] = static_cast<double>(setup->traps.errors);
}
BENCHMARK(BM_FlattenTopPageOfLargeDrawing)->Unit(benchmark::kMillisecond);

// The whole page to a PDF file: measured, composed, flattened, raster and vectors printed, the
// document ended (the file written).
void BM_PrintTopPageOfLargeDrawingToPdf(benchmark::State& state) {
  for (auto _ : state) {
    setup->devices.CurrentPrinter().startJob("bench");
    CadFunctions::PrintTop();
    setup->devices.CurrentPrinter().endDoc();
  }
  state.counters["segments"] = static_cast<double>(CadFunctions::CadLineCount());
  state.counters["texts"] = static_cast<double>(CadFunctions::CadTextCount());
  state.counters["pdf_MB"] = static_cast<double>(QFileInfo(QString::fromStdString(
                                                     setup->pdf().string()))
                                                     .size()) /
                             1e6;
  state.counters["errors"] = static_cast<double>(setup->traps.errors);
}
BENCHMARK(BM_PrintTopPageOfLargeDrawingToPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  {
    Setup s;
    setup = &s;
    benchmark::RunSpecifiedBenchmarks();
    setup = nullptr;
  }
  benchmark::Shutdown();
  return 0;
}
