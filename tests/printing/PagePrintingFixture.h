#pragma once
// The fixture of the page printing tests: the sample aircraft database, the drawing controls and
// services of the program wired in with a fake window, Plane 1 red and Plane 2 blue, both shown;
// and small page templates of a test's own.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "PrintingTestSupport.h"
#include "charts/Chart.h"
#include "charts/ChartBuilders.h"
#include "charts/ChartHover.h"
#include "charts/Graph.h"
#include "drawings/CadFunctions.h"
#include "drawings/DxfCadServices.h"
#include "drawings/PageDrawing.h"
#include "foundation/DBase.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/gdi/Canvas.h"
#include "platform/printer/RecordingPrinter.h"
#include "platform/runtime/Files.h"
#include "platform/ui/FakeHooks.h"
#include "printing/PagePrinting.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"
#include "support/ErrorsGoOn.h"

namespace printingtest {

// DXF text of a page: TEXT entities (text, x, y, height) and LINE entities, and a SOLID when
// asked for (something the collection leaves for the raster).
inline std::string Text(const std::string& text, double x, double y, double h = 0.2) {
  return "0\nTEXT\n8\n0\n10\n" + std::to_string(x) + "\n20\n" + std::to_string(y) + "\n40\n" +
         std::to_string(h) + "\n1\n" + text + "\n";
}
inline std::string Line(double x1, double y1, double x2, double y2) {
  return "0\nLINE\n8\n0\n10\n" + std::to_string(x1) + "\n20\n" + std::to_string(y1) + "\n11\n" +
         std::to_string(x2) + "\n21\n" + std::to_string(y2) + "\n";
}
inline std::string Solid() {
  return "0\nSOLID\n8\n0\n10\n1\n20\n1\n11\n2\n21\n1\n12\n1\n22\n2\n13\n2\n23\n2\n";
}
inline std::string Page(const std::string& entities) {
  return "0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}

class PagePrinting : public PrintingTest {
 protected:
  static constexpr gdi::Rgb kRed = 0x0000FF;
  static constexpr gdi::Rgb kBlue = 0xFF0000;

  void SetUp() override {
    PrintingTest::SetUp();
    // Failing steps are reported and the procedure goes on, as in the program.
    testsupport::ReportErrorsAndGoOn();
    std::string sql;
    ASSERT_TRUE(vb::ReadWholeFile(TOLVANE_SAMPLE_AC_SQL, sql));
    testsupport::BuildDatabase(dir / "ac.mdb", sql);
    DBase::vars().DBPath = (dir / "ac.mdb").string();
    Globals::vars().UserGeoLCIDNumber = 409;
    UseDrawingControls(TOLVANE_TEMPLATES);
    Registry::RegSettings().PlaneColor1 = static_cast<int32_t>(kRed);
    Registry::RegSettings().PlaneColor2 = static_cast<int32_t>(kBlue);
    Registry::RegSettings().DimColor = -1;
    CadFunctions::vars().ShowPlane1 = CadFunctions::vars().ShowPlane2 = true;
    Pair("101", "102", 1);
    Printing::vars().PrintPageNumber = 1;
    Printing::vars().PrintPageCount = 1;
  }
  void TearDown() override {
    if (!savedProgramFolder.empty()) vb::SetProgramFolder(savedProgramFolder);
    PrintingTest::TearDown();
  }
  void Pair(const char* a1, const char* a2, int aircraftClass) {
    Choose(a1, a2);
    Globals::vars().AircraftClass = static_cast<int16_t>(aircraftClass);
    for (int chart = 1; chart <= 16; ++chart) Chart::vars().ChartLabelsLoaded[chart] = false;
  }
  // The sample drawing database as the drawing pages read it: copied into the test folder, which
  // is the program folder (the drawings are cached in its DXF folder).
  void UseSampleDrawings() {
    std::filesystem::copy_file(TOLVANE_SAMPLE_DXF_DB, dir / "dxf.mdb");
    DBase::vars().DxfDBPath = (dir / "dxf.mdb").string();
    savedProgramFolder = vb::ProgramFolder();
    vb::SetProgramFolder(dir.path());
  }
  // A print job into the PDF file `name` of the test folder, opened through the printer dialog.
  QString OpenPdfJob(const std::string& name) {
    const QString file = QString::fromStdString((dir / name).string());
    dialog.AnswerPdf(file);
    EXPECT_NE(Printing::ShowPrinterDialog(), 0);
    return file;
  }
  // A page template of our own in the test folder.
  std::string Template(const std::string& name, const std::string& entities) {
    EXPECT_TRUE(vb::WriteFileAtomic(dir / name, Page(entities)));
    controls[0]->SetBaseFolder(dir.path());
    return name;
  }
  static std::vector<std::string> Only(const std::vector<std::string>& log,
                                       std::string_view prefix) {
    std::vector<std::string> out;
    for (const std::string& l : log)
      if (l.starts_with(prefix)) out.push_back(l);
    return out;
  }
  static bool Has(const std::vector<std::string>& log, std::string_view part) {
    for (const std::string& l : log)
      if (l.find(part) != std::string::npos) return true;
    return false;
  }

  testsupport::TempDir dir;
  std::filesystem::path savedProgramFolder;
  printer::RecordingPrinter rec;
};

}  // namespace printingtest
