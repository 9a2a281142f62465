// The printed page over any drawing the reader accepts: as a page template (page inches), then
// merged as a view drawing onto the page at the scale that fits it and at ten thousand times
// that, each flattened into the page's lists and printed, raster and vectors, on the recording
// printer. Checks that the page keeps its bounds whatever the file asks for: no more segments
// and texts than a page collects, no point that is not finite or lies far off the page reaches
// the printer, and what was cut is reported once (a page that runs long is a timeout finding).
#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "drawings/DxfCadServices.h"
#include "drawings/PageDrawing.h"
#include "platform/dxf/Reader.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/printer/RecordingPrinter.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Trap.h"
#include "printing/PagePrinting.h"
#include "printing/Printing.h"

namespace {

using fuzzsupport::Check;

// Counts the reports; nothing is written anywhere.
struct Reports final : vb::TrapHandler {
  bool HandlingOn() override { return true; }
  void TraceEntry(std::string_view, std::string_view) override {}
  void HandleError(std::string_view, std::string_view, const vb::Error& e) override {
    cut += e.description.find("too big to print in full") != std::string::npos;
  }
  long cut = 0;
};

struct Page {
  // A printer of 100 pixels an inch: the raster is small, so that a run stays quick.
  printer::RecordingPrinter printer{850, 1100, 100};
  dxf::DrawingControl cad;
  CadFunctions::DxfCadServices services{CadFunctions::DxfCadServices::Controls{&cad}};
  Reports reports;
  Page() {
    // Smaller bounds than the program's, on the same paths, so that a run stays quick under
    // the sanitizers.
    CadFunctions::SetPageLimits({20'000, 2'000, 50'000, 200'000});
    CadFunctions::InstallServices(&services);
    Printing::InstallPrinter(&printer);
    vb::SetTrapHandler(&reports);
  }
};

Page& ThePage() {
  static Page* page = [] {
    static int argc = 1;
    static char name[] = "fuzz_page_print";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    new QGuiApplication(argc, argv);
    return new Page();
  }();
  return *page;
}

// Every coordinate the printer was given is a finite number within a page's reach of the page.
void CheckPrinted(Page& page) {
  long lines = 0;
  for (const std::string& entry : page.printer.log()) {
    if (entry.rfind("LINE ", 0) != 0) continue;
    ++lines;
    std::istringstream in(entry.substr(5));
    double v;
    while (in >> v) {
      Check(std::isfinite(v), "every printed coordinate is finite");
      // Page inches -11 .. 22 at 100 pixels an inch, with the line shift.
      Check(v > -1200 && v < 2400, "no printed point lies far off the page");
    }
  }
  Check(lines <= CadFunctions::PageLimitsInForce().Segments + 1000,
        "a page prints no more than its segments");
  page.printer.forget();
}

void PrintPage(Page& page) {
  page.reports.cut = 0;
  page.printer.beginDocument();
  {
    vb::Proc g("CadFunctions", "PrintPage");
    CadFunctions::GetCADEntities(0);
    const CadFunctions::EntityLists& lists = CadFunctions::entityLists();
    const CadFunctions::PageLimits& limits = CadFunctions::PageLimitsInForce();
    Check(static_cast<long>(lists.CadLineList.size()) <= limits.Segments,
          "a page collects no more segments than its bound");
    Check(static_cast<long>(lists.CadTextList.size()) <= limits.Texts,
          "a page collects no more texts than its bound");
    CadFunctions::PrintPageDrawing(g, &page.cad, true);
  }
  page.printer.endDoc();
  Check(page.reports.cut <= 1, "what a page's bounds cut is reported once");
  CheckPrinted(page);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  dxf::Document doc;
  try {
    dxf::ReadDxf(text, doc);
  } catch (const vb::Error&) {
    return 0;
  }
  Page& page = ThePage();
  // As a page template.
  try {
    page.cad.LoadDrawingText(text);
  } catch (const vb::Error&) {
    return 0;
  }
  PrintPage(page);
  // As a view drawing merged onto the page, its rough extents (the top-level entities' first
  // points) fitted into 7.5 inches with its origin at (1, 1), then ten thousand times larger.
  double lx = 0, ly = 0, hx = 1, hy = 1;
  for (const dxf::Entity& e : doc.Entities) {
    if (!std::isfinite(e.X0) || !std::isfinite(e.Y0)) continue;
    lx = std::min(lx, e.X0), hx = std::max(hx, e.X0);
    ly = std::min(ly, e.Y0), hy = std::max(hy, e.Y0);
  }
  const double fit = 7.5 / std::max(hx - lx, hy - ly);
  for (double factor : {fit, fit * 1e4}) {
    const float f = static_cast<float>(factor);
    if (!(f > 0) || !std::isfinite(f) || !std::isfinite(1 / f)) continue;
    page.cad.ClearDrawing();
    try {
      page.cad.MergeDrawingText(text, 0, f, f, static_cast<float>(1 / factor),
                                static_cast<float>(1 / factor));
    } catch (const vb::Error&) {
      continue;
    }
    PrintPage(page);
  }
  return 0;
}
