#pragma once
// A program folder for the drawing pages: the sample aircraft database, an empty drawing
// database, a "DXF" cache folder the test fills with view drawings, a settings file, the page
// templates, the drawing controls wired in and a recording printer. The interior configuration
// is the window's (MainForm::vars().InteriorConfig). Plane 1 prints in red, Plane 2 in
// blue, both shown; the pair is 101 and 102 (fixed-wing) until a test chooses another.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "PrintingTestSupport.h"
#include "drawings/CadFunctions.h"
#include "drawings/DxfCadServices.h"
#include "drawings/PageDrawing.h"
#include "foundation/DBase.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/printer/RecordingPrinter.h"
#include "platform/runtime/Files.h"
#include "platform/ui/FakeHooks.h"
#include "printing/PagePrinting.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"
#include "support/ErrorsGoOn.h"

namespace printingtest {

constexpr int32_t kRed = 0x0000FF;
constexpr int32_t kBlue = 0xFF0000;

// DXF text of a view drawing: a rectangle of LINEs from its origin to (width, height), whose
// first points are its four corners (the points the extents count); with `solid` a SOLID in
// its lower left corner, which stays in the page drawing for the raster.
inline std::string RectangleDrawing(double width, double height, bool solid = false) {
  const auto line = [](double x1, double y1, double x2, double y2) {
    return "0\nLINE\n8\n0\n10\n" + std::to_string(x1) + "\n20\n" + std::to_string(y1) +
           "\n11\n" + std::to_string(x2) + "\n21\n" + std::to_string(y2) + "\n";
  };
  return "0\nSECTION\n2\nENTITIES\n" + line(0, 0, width, 0) + line(width, 0, width, height) +
         line(width, height, 0, height) + line(0, height, 0, 0) +
         (solid ? "0\nSOLID\n8\n0\n10\n0\n20\n0\n11\n1\n21\n0\n12\n0\n22\n1\n13\n1\n23\n1\n"
                : "") +
         "0\nENDSEC\n0\nEOF\n";
}

// The box of the collected lines of one colour, in page inches.
struct LineBox {
  int count = 0;
  double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
  void add(double x, double y) {
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
};
inline LineBox CollectedLines(int32_t colour) {
  LineBox box;
  for (const CadFunctions::CadLine& l : CadFunctions::entityLists().CadLineList) {
    if (l.Color != colour) continue;
    ++box.count;
    box.add(l.X1, l.Y1);
    box.add(l.X2, l.Y2);
  }
  return box;
}

class DrawingPageTest : public PrintingTest {
 protected:
  void SetUp() override {
    PrintingTest::SetUp();
    testsupport::ReportErrorsAndGoOn();
    General::vars().IniFileName = (dir / "Tolvane.ini").string();
    vb::SetProgramFolder(dir.path());
    std::string sql;
    ASSERT_TRUE(vb::ReadWholeFile(TOLVANE_SAMPLE_AC_SQL, sql));
    testsupport::BuildDatabase(dir / "ac.mdb", sql);
    DBase::vars().DBPath = (dir / "ac.mdb").string();
    // No rows: a drawing the cache lacks is simply missing.
    testsupport::BuildDatabase(
        dir / "dxf.mdb",
        "CREATE TABLE DXF (AcNum INTEGER PRIMARY KEY, Top TEXT, Front TEXT, Side TEXT, "
        "Interior TEXT, Cabin TEXT, CabinFront TEXT, CabinSide TEXT, InteriorEMS TEXT, "
        "CabinFrontEMS TEXT, CabinSideEMS TEXT, InteriorUtil TEXT, CabinFrontUtil TEXT, "
        "CabinSideUtil TEXT);");
    DBase::vars().DxfDBPath = (dir / "dxf.mdb").string();
    std::filesystem::create_directory(dir / "DXF");
    UseDrawingControls(TOLVANE_TEMPLATES);
    Registry::RegSettings().PlaneColor1 = kRed;
    Registry::RegSettings().PlaneColor2 = kBlue;
    Registry::RegSettings().DimColor = -1;
    CadFunctions::vars().ShowPlane1 = CadFunctions::vars().ShowPlane2 = true;
    Pair("101", "102", 1);
    Printing::vars().PrintPageNumber = 1;
    Printing::vars().PrintPageCount = 1;
    Printing::InstallPrinter(&rec);
  }
  void TearDown() override {
    vb::SetProgramFolder({});
    PrintingTest::TearDown();
  }
  void Pair(const char* a1, const char* a2, int aircraftClass) {
    Choose(a1, a2);
    Globals::vars().AircraftClass = static_cast<int16_t>(aircraftClass);
  }
  // A view drawing of an aircraft in the cache ("DXF/101Top.dxf").
  void Drawing(const std::string& acNum, const std::string& view, const std::string& dxf) {
    ASSERT_TRUE(vb::WriteFileAtomic(dir / "DXF" / (acNum + view + ".dxf"), dxf + "\r\n"));
  }
  void Settings(const std::string& printLocations) {
    ASSERT_TRUE(vb::WriteFileAtomic(dir / "Tolvane.ini", "[Print Locations]\r\n" + printLocations));
  }
  bool Printed(std::string_view part) {
    for (const std::string& l : rec.log())
      if (l.find(part) != std::string::npos) return true;
    return false;
  }
  int Pictures() {
    int n = 0;
    for (const std::string& l : rec.log()) n += l.starts_with("PICTURE");
    return n;
  }

  testsupport::TempDir dir;
  printer::RecordingPrinter rec;
};

}  // namespace printingtest
