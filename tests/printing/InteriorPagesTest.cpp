// The interior and cabin pages composed in CAD(0) from cached view drawings and printed: where
// each aircraft's drawing lands, at which scale, with which scale texts, and what else reaches
// the printer (no raster, no dimensions, the reference crosses when asked for).
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <sstream>
#include <utility>
#include <vector>

#include "DrawingPageFixture.h"
#include "printing/DrawingPages.h"
#include "printing/PageVectors.h"
#include "printing/frmPlotPreview.h"
#include "support/Pdf.h"

namespace {

namespace fs = std::filesystem;

using printingtest::kBlue;
using printingtest::kRed;

std::string Num(double v) { return std::to_string(v); }

// A LINE from (x1, y1) to (x2, y2) and back: the extents (which count first points only) are
// the box of the two points.
std::string Segment(double x1, double y1, double x2, double y2, const char* layer = "0") {
  auto one = [&](double a, double b, double c, double d) {
    return std::string("0\nLINE\n8\n") + layer + "\n10\n" + Num(a) + "\n20\n" + Num(b) +
           "\n11\n" + Num(c) + "\n21\n" + Num(d) + "\n";
  };
  return one(x1, y1, x2, y2) + one(x2, y2, x1, y1);
}
// Something the collection leaves in the page drawing, for the raster.
std::string Solid() {
  return "0\nSOLID\n8\n0\n10\n1\n20\n1\n11\n2\n21\n1\n12\n1\n22\n2\n13\n2\n23\n2\n";
}
std::string Dxf(const std::string& entities) {
  return "0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}

struct Seg {
  double x1, y1, x2, y2;
};

class InteriorPages : public printingtest::DrawingPageTest {
 protected:
  void SetUp() override {
    DrawingPageTest::SetUp();
    CadFunctions::vars().ShowDims = true;  // the pages hide the dimensions all the same
  }
  // A cached view drawing of an aircraft from its entities.
  void View(const std::string& acNum, const std::string& column, const std::string& entities) {
    Drawing(acNum, column, Dxf(entities));
  }
  void Ini(const std::string& text) {
    ASSERT_TRUE(vb::WriteFileAtomic(dir / "Tolvane.ini", text));
  }

  // The collected segments of the page in colour `color`.
  static std::vector<Seg> Lines(int32_t color) {
    std::vector<Seg> out;
    for (const CadFunctions::CadLine& l : CadFunctions::entityLists().CadLineList)
      if (l.Color == color) out.push_back({l.X1, l.Y1, l.X2, l.Y2});
    return out;
  }
  static bool HasLine(const std::vector<Seg>& lines, double x1, double y1, double x2, double y2) {
    return std::any_of(lines.begin(), lines.end(), [&](const Seg& s) {
      return std::fabs(s.x1 - x1) < 1e-4 && std::fabs(s.y1 - y1) < 1e-4 &&
             std::fabs(s.x2 - x2) < 1e-4 && std::fabs(s.y2 - y2) < 1e-4;
    });
  }
  std::vector<std::string> Records(std::string_view prefix) {
    std::vector<std::string> out;
    for (const std::string& l : rec.log())
      if (l.starts_with(prefix)) out.push_back(l);
    return out;
  }
};

TEST_F(InteriorPages, TheOverlaidFixedWingPageSharesEachViewsPointAtTwoScales) {
  Pair("101", "102", 1);
  // Interiors reaching 600 in below their origins (framed 990 x 660 in: 7 x 9 first fits at
  // 1:150) and a cabin of 60 x 60 in (framed 99 x 66: 3.75 x 5 at 1:30).
  View("101", "Interior", Segment(0, 0, 0, -600) + Segment(0, 0, 24, -12, "DIM") + Solid());
  View("102", "Interior", Segment(0, 0, 0, -300));
  View("101", "Cabin", Segment(-30, 0, 30, 60));
  // Plane 2 has no cabin drawing: its interior is merged all the same.
  CadFunctions::PrintInteriorAndCabin();

  // Two scales on one page, each named by its views.
  EXPECT_EQ(CadFunctions::printVars().PlotScaleText1, "Interior: Scale = 1:150");
  EXPECT_EQ(CadFunctions::printVars().PlotScaleText2, "Cabin: Scale = 1:30");
  EXPECT_DOUBLE_EQ(CadFunctions::printVars().PrintFactor, 1.0 / 150);
  EXPECT_DOUBLE_EQ(CadFunctions::printVars().CabinPrintFactor, 1.0 / 30);
  const auto red = Lines(kRed), blue = Lines(kBlue);
  EXPECT_TRUE(HasLine(red, 5.75, 9, 5.75, 5));        // 600 / 150 = 4 in below (5.75, 9)
  EXPECT_TRUE(HasLine(red, 1.25, 6, 3.25, 8));        // the cabin about (2.25, 6) at 1:30
  EXPECT_TRUE(HasLine(blue, 5.75, 9, 5.75, 7));       // the same point, the same scale
  EXPECT_EQ(blue.size(), 2u);
  // The dimension on Plane 1's dimension layer is not printed, though ShowDims is on.
  for (const CadFunctions::CadLine& l : CadFunctions::entityLists().CadLineList)
    EXPECT_FALSE(std::fabs(l.X2 - (5.75 + 24.0 / 150)) < 1e-4) << "a dimension line printed";

  EXPECT_EQ(Pictures(), 0);  // vectors alone, though the solid stayed in the drawing
  EXPECT_TRUE(Printed("\"Interior: Scale = 1:150\""));
  EXPECT_TRUE(Printed("\"Cabin: Scale = 1:30\""));
  EXPECT_EQ(ui.statusTexts, (std::vector<std::string>{"Printing Interior and Cabin page", ""}));
}

TEST_F(InteriorPages, TheOverlaidHelicopterPageReadsItsConfigurationAndSharesTheCabinScale) {
  Pair("201", "202", 2);
  MainForm::vars().InteriorConfig = 2;
  View("201", "InteriorEMS", Segment(0, 0, 0, -300));
  View("201", "CabinFrontEMS", Segment(0, 0, 170, 0));  // framed 187 wide: 1:40 in 5 x 5
  View("201", "CabinSideEMS", Segment(0, 0, 260, 0));   // framed 286 wide: 1:60
  // The corporate drawings are not this configuration's.
  View("201", "Interior", Segment(0, 0, 0, -3000));
  CadFunctions::PrintInteriorAndCabin();

  EXPECT_EQ(CadFunctions::printVars().PlotScaleText2, "Cabin: Scale = 1:60");
  const auto red = Lines(kRed);
  EXPECT_TRUE(HasLine(red, 2, 7, 2 + 170.0 / 60, 7));  // the front at the side's scale
  EXPECT_TRUE(HasLine(red, 1, 1, 1 + 260.0 / 60, 1));
  ASSERT_EQ(CadFunctions::printVars().PlotScaleText1.rfind("Interior: Scale = 1:", 0), 0u);
  const double n = std::stod(CadFunctions::printVars().PlotScaleText1.substr(20));
  EXPECT_TRUE(HasLine(red, 5.75, 7, 5.75, 7 - 300 / n));
  EXPECT_TRUE(Lines(kBlue).empty());  // Plane 2 has no EMS drawings
}

TEST_F(InteriorPages, TheReferenceCrossesFollowTheSettingAfterThePage) {
  Pair("201", "202", 2);
  View("201", "Interior", Segment(0, 0, 0, -300));
  CadFunctions::vars().ShowPlane1 = CadFunctions::vars().ShowPlane2 = false;
  CadFunctions::PrintInteriorAndCabin();
  const size_t page = Records("LINE").size();  // the template's own lines
  rec.forget();
  Ini("[Settings]\nShowRefPoint=True\n");
  CadFunctions::PrintInteriorAndCabin();
  // One cross per view (three views, two lines each), whatever is shown, after the page.
  const std::vector<std::string> lines = Records("LINE");
  ASSERT_EQ(lines.size(), page + 6);
  // The last one is the cabin side's horizontal line from (0.5, 1) to (6, 1).
  const Printing::PageMapping m = Printing::MappingFor(10200, 13200, false);
  const gdi::Point a = Printing::LinePoint(m, 0.5, 1), b = Printing::LinePoint(m, 6, 1);
  std::istringstream last(lines.back().substr(5));
  double x1, y1, x2, y2;
  last >> x1 >> y1 >> x2 >> y2;
  EXPECT_NEAR(x1, a.x, 1.0);
  EXPECT_NEAR(y1, a.y, 1.0);
  EXPECT_NEAR(x2, b.x, 1.0);
  EXPECT_NEAR(y2, b.y, 1.0);
}

TEST_F(InteriorPages, TheInteriorPageWithOnlyPlane2ShownFollowsPlane2) {
  Pair("101", "102", 1);
  View("101", "Interior", Segment(0, 0, 0, -6000));
  View("102", "Interior", Segment(0, 0, 0, -600));  // framed 990 x 660: 1:90 in 11 x 9
  Ini("[Print Locations]\nInteriorX2=6\nInteriorWd=abc\n");
  CadFunctions::vars().ShowPlane1 = false;
  CadFunctions::PrintInterior();
  EXPECT_EQ(CadFunctions::printVars().PlotScaleText1, "Scale = 1:90");
  EXPECT_EQ(CadFunctions::printVars().PlotScaleText2, "");
  EXPECT_TRUE(Lines(kRed).empty());
  EXPECT_TRUE(HasLine(Lines(kBlue), 6, 10.25, 6, 10.25 - 600.0 / 90));
  const auto& left = controls[0]->EntityList().items();
  EXPECT_TRUE(std::none_of(left.begin(), left.end(),
                           [](const dxf::Entity& e) { return e.LayerName == "PLANE1"; }));
}

TEST_F(InteriorPages, TheHelicopterCabinPagePrintsFrontsAtTheLargerScale) {
  Pair("201", "202", 2);
  View("201", "CabinFront", Segment(0, 0, 120, 0));  // framed 132: 1:30 in 5.5 x 6
  View("202", "CabinFront", Segment(0, 0, 120, 0));
  View("201", "CabinSide", Segment(0, 0, 240, 0));   // framed 264: 1:50
  CadFunctions::PrintCabin();
  EXPECT_EQ(CadFunctions::printVars().PlotScaleText1, "Scale = 1:50");
  EXPECT_EQ(CadFunctions::printVars().PlotScaleText2, "Scale = 1:50");
  EXPECT_TRUE(HasLine(Lines(kRed), 2.5, 7.5, 2.5 + 120.0 / 50, 7.5));
  EXPECT_TRUE(HasLine(Lines(kBlue), 6, 7.5, 6 + 120.0 / 50, 7.5));
  EXPECT_TRUE(HasLine(Lines(kRed), 1.2, 3.5, 1.2 + 240.0 / 50, 3.5));

  // To scale: the cabin scale for every view.
  Printing::vars().PrintScale = 150;
  Printing::vars().CabinPrintScale = 30;
  CadFunctions::PrintCabin();
  EXPECT_EQ(CadFunctions::printVars().PlotScaleText1, "Scale = 1:30");
  EXPECT_EQ(CadFunctions::printVars().PlotScaleText2, "Scale = 1:30");
  EXPECT_TRUE(HasLine(Lines(kRed), 2.5, 7.5, 6.5, 7.5));
  EXPECT_TRUE(HasLine(Lines(kRed), 1.2, 3.5, 9.2, 3.5));

  // An unusable cabin scale: the searched scales and their texts, nothing divided by zero.
  Printing::vars().CabinPrintScale = 0;
  CadFunctions::PrintCabin();
  EXPECT_EQ(CadFunctions::printVars().PlotScaleText1, "Scale = 1:50");
  EXPECT_EQ(CadFunctions::printVars().PlotScaleText2, "Scale = 1:50");
  EXPECT_TRUE(HasLine(Lines(kRed), 1.2, 3.5, 1.2 + 240.0 / 50, 3.5));
}

TEST_F(InteriorPages, TheFixedWingCabinPageHasNoSecondScale) {
  Pair("101", "102", 1);
  View("101", "Cabin", Segment(-30, 0, 30, 60));  // framed 99 x 66: 1:20 in 8.75 x 8
  CadFunctions::PrintCabin();
  EXPECT_EQ(CadFunctions::printVars().PlotScaleText1, "Scale = 1:20");
  EXPECT_EQ(CadFunctions::printVars().PlotScaleText2, "");
  EXPECT_DOUBLE_EQ(CadFunctions::printVars().PrintFactor, 1.0 / 20);
  EXPECT_EQ(CadFunctions::printVars().CabinPrintFactor, 0);  // not touched
  EXPECT_FALSE(Printed("1:0"));
  EXPECT_TRUE(HasLine(Lines(kRed), 2.5, 8.25, 5.5, 11.25));
}

TEST_F(InteriorPages, PreviewGetsTheSamePageAndThePrinterNothing) {
  Pair("101", "102", 1);
  View("101", "Interior", Segment(0, 0, 0, -600));
  MainForm::vars().PlotPreview = true;
  ASSERT_NE(Printing::ShowPrinterDialog(), 0);
  CadFunctions::PrintInterior();
  EXPECT_TRUE(rec.log().empty());
  ASSERT_EQ(Printing::Preview().pageCount(), 1);
  // Plane 1's interior runs down from (2.5, 10.25): 68 preview pixels per inch.
  const QImage& page = Printing::Preview().page(0);
  const int x = static_cast<int>((2.5 - 0.017) * 68), y = (11 - 8) * 68;
  bool drawn = false;
  for (int dx = -2; dx <= 2; ++dx) drawn = drawn || page.pixel(x + dx, y) != qRgb(255, 255, 255);
  EXPECT_TRUE(drawn);
}

// The sample pairs' interior pages with the program's templates and drawings, printed to PDF.
// With TOLVANE_PNG_DIR set, each page is kept there as a PNG for a person to look at.
class SampleInteriorPages : public InteriorPages {
 protected:
  void SetUp() override {
    InteriorPages::SetUp();
    for (const auto& entry : fs::directory_iterator(TOLVANE_SAMPLE_DRAWINGS))
      fs::copy_file(entry.path(), dir / "DXF" / entry.path().filename());
    Printing::InstallPrinter(nullptr);
  }
};

TEST_F(SampleInteriorPages, EveryInteriorPageOfTheSamplePairsPrintsBothAircraftOnThePage) {
  if (!testsupport::HavePopplerTools()) GTEST_SKIP() << "poppler-utils not installed";
  struct Pairing {
    const char *a1, *a2;
    int cls, config;
    const char* name;
    bool plane2Has;  // Plane 2 has drawings of this configuration
    bool crosses;    // with the reference crosses
  };
  const Pairing pairs[] = {{"101", "102", 1, 1, "jets", true, false},
                           {"201", "202", 2, 1, "helis_corporate", true, true},
                           {"201", "202", 2, 2, "helis_ems", false, false},
                           {"201", "202", 2, 3, "helis_utility", false, false}};
  const std::pair<void (*)(), const char*> pages[] = {
      {&CadFunctions::PrintInteriorAndCabin, "overlaid"},
      {&CadFunctions::PrintInterior, "interior"},
      {&CadFunctions::PrintCabin, "cabin"}};
  // Each pairing's file is handed to pdftotext as it is written and read once all are printed.
  std::vector<std::pair<const Pairing*, QString>> files;
  for (const Pairing& p : pairs) {
    SCOPED_TRACE(p.name);
    Pair(p.a1, p.a2, p.cls);
    MainForm::vars().InteriorConfig = p.config;
    Ini(p.crosses ? "[Settings]\nShowRefPoint=True\n" : "");
    const QString file = QString::fromStdString((dir / (std::string(p.name) + ".pdf")).string());
    dialog.AnswerPdf(file);
    ASSERT_NE(Printing::ShowPrinterDialog(), 0);
    int number = 0;
    for (const auto& [print, pageName] : pages) {
      SCOPED_TRACE(pageName);
      if (number++ > 0) Printing::Printer().newPage();
      print();
      // Every segment of the aircraft drawings lies on the page. The sample jets' interiors
      // reach 76 to 88 in above their origins, more than the 0.75 in the interior page leaves
      // above its page points (10.25 in): the drawings' origins belong at their front ends.
      const bool overflowsTop = p.cls == 1 && std::string_view(pageName) == "interior";
      for (const CadFunctions::CadLine& l : CadFunctions::entityLists().CadLineList) {
        if (overflowsTop || (l.Color != kRed && l.Color != kBlue)) continue;
        for (const auto& [x, y] : {std::pair{l.X1, l.Y1}, std::pair{l.X2, l.Y2}}) {
          EXPECT_TRUE(x >= 0 && x <= 8.5 && y >= 0 && y <= 11)
              << "(" << x << ", " << y << ") off the page";
        }
      }
      EXPECT_FALSE(Lines(kRed).empty());
      EXPECT_EQ(Lines(kBlue).empty(), !p.plane2Has);
    }
    Printing::Printer().endDoc();
    testsupport::PrefetchPdfText(file);
    files.emplace_back(&p, file);
  }
  for (const auto& [p, file] : files) {
    SCOPED_TRACE(p->name);
    for (int page = 1; page <= 3; ++page) {
      const QString text = testsupport::PdfPageText(file, page);
      EXPECT_TRUE(text.contains("Scale = 1:")) << text.toStdString();
      EXPECT_FALSE(text.contains("Scale = 1:0 ")) << text.toStdString();
      EXPECT_FALSE(text.contains("PlotScale")) << text.toStdString();
      printingtest::SavePageForLooking(file, page, 72,
                                       QString("interior_%1_%2.png").arg(p->name).arg(page));
    }
  }
}

}  // namespace
