// The exterior drawing pages: the overlaid exterior page and the top, side and front pages side
// by side, composed from view drawings in the cache of a test program folder.
#include <gtest/gtest.h>

#include <QDir>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "DrawingPageFixture.h"
#include "printing/DrawingPages.h"
#include "printing/PrintCommands.h"
#include "platform/runtime/Trap.h"
#include "printing/ViewPages.h"
#include "printing/frmPlotPreview.h"
#include "support/Pdf.h"

namespace {

using printer::DialogChoice;
using printer::PageRange;
using printingtest::CollectedLines;
using printingtest::kBlue;
using printingtest::kRed;
using printingtest::LineBox;
using printingtest::RectangleDrawing;

class ExteriorPages : public printingtest::DrawingPageTest {};

// Framed as CAD(0) frames them (5 % margin, widened to 3:2), two rectangles of 100 x 50 and
// 200 x 50 span 220 x 146.7 in: 1:30 is the first scale at which they fit 7.5 x 6.5.
TEST_F(ExteriorPages, TheFixtureRunsTheProgramsWiring) { ExpectTheProgramsWiring(); }

TEST_F(ExteriorPages, TheTopPagePlacesEachPlaneAtItsPointAtOneScale) {
  Drawing("101", "Top", RectangleDrawing(100, 50, true));
  Drawing("102", "Top", RectangleDrawing(200, 50));
  CadFunctions::PrintTop();
  EXPECT_EQ(CadFunctions::printVars().PlotScaleText1, "Scale = 1:30");
  EXPECT_EQ(CadFunctions::printVars().PrintFactor, 1.0 / 30);
  EXPECT_TRUE(Printed("\"Scale = 1:30\""));
  const LineBox red = CollectedLines(kRed), blue = CollectedLines(kBlue);
  ASSERT_EQ(red.count, 4);
  ASSERT_EQ(blue.count, 4);
  EXPECT_NEAR(red.minX, 1.25, 1e-5);
  EXPECT_NEAR(red.minY, 7.6, 1e-5);
  EXPECT_NEAR(red.maxX, 1.25 + 100.0 / 30, 1e-4);
  EXPECT_NEAR(red.maxY, 7.6 + 50.0 / 30, 1e-4);
  EXPECT_NEAR(blue.minX, 1.25, 1e-5);
  EXPECT_NEAR(blue.minY, 3.5, 1e-5);
  EXPECT_NEAR(blue.maxX, 1.25 + 200.0 / 30, 1e-4);
  EXPECT_EQ(Pictures(), 1);  // the raster of what stays (the solid), then the vectors
  EXPECT_EQ(ui.statusTexts, (std::vector<std::string>{"Printing Top page", ""}));
  EXPECT_EQ(hooks.delays, (std::vector<float>{0.1f}));
  EXPECT_FALSE(controls[0]->Visible());
  EXPECT_EQ(General::vars().ErrorCount, 0);
}

// A print job measures a drawing file once for all its pages; the next job measures it afresh.
// The second page of the first job is printed after the drawing was changed behind the job's
// back (the same size and time): it keeps the scale the job measured.
TEST_F(ExteriorPages, AJobMeasuresADrawingOnceAndTheNextJobAfresh) {
  Drawing("101", "Top", RectangleDrawing(100, 50));
  Drawing("102", "Top", RectangleDrawing(200, 50));
  const std::filesystem::path file = dir / "DXF" / "101Top.dxf";
  dialog.answer = printer::DialogChoice{"Printer", 1, false, printer::PageRange::All};
  std::vector<std::string> scales;
  Printing::InstallPageRunner([&](Printing::PageRoutine) {
    CadFunctions::PrintTop();
    scales.push_back(CadFunctions::printVars().PlotScaleText1);
    if (scales.size() != 1) return;
    const auto written = std::filesystem::last_write_time(file);
    Drawing("101", "Top", RectangleDrawing(900, 50));  // as many characters as 100
    std::filesystem::last_write_time(file, written);
  });
  Printing::RunCommand(Printing::PrintCommand::InteriorSideBySide);  // two pages
  Printing::RunCommand(Printing::PrintCommand::Interior);            // one page
  EXPECT_EQ(scales, (std::vector<std::string>{"Scale = 1:30", "Scale = 1:30", "Scale = 1:140"}));
}

TEST_F(ExteriorPages, EachPageAndClassHasItsPagePointsAndTheSettingsMoveThem) {
  struct Case {
    void (*page)();
    const char* view;
    int aircraftClass;
    const char* settings;
    double x1, y1, x2, y2;
  } cases[] = {
      {CadFunctions::PrintTop, "Top", 1, "", 1.25, 7.6, 1.25, 3.5},
      {CadFunctions::PrintTop, "Top", 2, "", 2, 8.1, 2, 3.5},
      {CadFunctions::PrintSide, "Side", 1, "", 1.25, 7.5, 1.25, 3.5},
      {CadFunctions::PrintSide, "Side", 2, "", 3, 8.5, 3, 3.5},
      {CadFunctions::PrintFront, "Front", 1, "", 4.25, 7.25, 4.25, 2.65},
      {CadFunctions::PrintFront, "Front", 2, "", 4, 6, 4, 2},
      // 0 takes the default, any other number counts, negatives too; the class picks its keys.
      {CadFunctions::PrintTop, "Top", 1, "TopX1=2.5\r\nTopY1=0\r\nTopY2=-1\r\nTopHeliX2=7\r\n",
       2.5, 7.6, 1.25, -1},
      {CadFunctions::PrintFront, "Front", 2, "FrontHeliX2=5\r\nFrontX2=7\r\nFrontHeliY1=abc\r\n",
       4, 6, 5, 2},
  };
  for (const Case& c : cases) {
    Pair(c.aircraftClass == 2 ? "201" : "101", c.aircraftClass == 2 ? "202" : "102",
         c.aircraftClass);
    const std::string a1 = c.aircraftClass == 2 ? "201" : "101";
    const std::string a2 = c.aircraftClass == 2 ? "202" : "102";
    Drawing(a1, c.view, RectangleDrawing(10, 5));
    Drawing(a2, c.view, RectangleDrawing(10, 5));
    Settings(c.settings);
    c.page();
    const LineBox red = CollectedLines(kRed), blue = CollectedLines(kBlue);
    EXPECT_NEAR(red.minX, c.x1, 1e-5) << c.view << c.aircraftClass << c.settings;
    EXPECT_NEAR(red.minY, c.y1, 1e-5) << c.view << c.aircraftClass << c.settings;
    EXPECT_NEAR(blue.minX, c.x2, 1e-5) << c.view << c.aircraftClass << c.settings;
    EXPECT_NEAR(blue.minY, c.y2, 1e-5) << c.view << c.aircraftClass << c.settings;
    EXPECT_EQ(CadFunctions::printVars().PlotScaleText1, "Scale = 1:10");
  }
}

TEST_F(ExteriorPages, AHiddenPlaneOrAMissingDrawingAddsNothingToTheScale) {
  // CAD(0) holds a large drawing from before (the last page, or a measured view).
  Drawing("101", "Top", RectangleDrawing(5000, 50));
  Drawing("102", "Top", RectangleDrawing(100, 50));
  controls[0]->LoadDrawingText(RectangleDrawing(9000, 9000));
  CadFunctions::vars().ShowPlane1 = false;
  CadFunctions::PrintTop();
  EXPECT_EQ(CadFunctions::printVars().PlotScaleText1, "Scale = 1:20");  // Plane 2's alone
  EXPECT_EQ(CollectedLines(kRed).count, 0);
  EXPECT_EQ(CollectedLines(kBlue).count, 4);
  // Plane 1 shown but without a side drawing: Plane 2's drawing decides, and what CAD(0) held
  // does not count.
  CadFunctions::vars().ShowPlane1 = true;
  Drawing("102", "Side", RectangleDrawing(100, 50));
  controls[0]->LoadDrawingText(RectangleDrawing(9000, 9000));
  CadFunctions::PrintSide();
  EXPECT_EQ(CadFunctions::printVars().PlotScaleText1, "Scale = 1:20");
  EXPECT_EQ(CollectedLines(kRed).count, 0);
  EXPECT_EQ(CollectedLines(kBlue).count, 4);
  EXPECT_EQ(General::vars().ErrorCount, 0);  // a missing drawing is no error
  // Neither plane shown: the template alone, at the smallest scale.
  CadFunctions::vars().ShowPlane1 = CadFunctions::vars().ShowPlane2 = false;
  CadFunctions::PrintFront();
  EXPECT_EQ(CadFunctions::printVars().PlotScaleText1, "Scale = 1:10");
  EXPECT_EQ(CollectedLines(kRed).count + CollectedLines(kBlue).count, 0);
  EXPECT_TRUE(Printed("\"Front View\""));
}

TEST_F(ExteriorPages, AChosenScaleIsUsedEvenWhenTheDrawingsOverflow) {
  Drawing("101", "Top", RectangleDrawing(2000, 50));
  Drawing("102", "Top", RectangleDrawing(100, 50));
  Printing::vars().PrintScale = 150;
  CadFunctions::PrintTop();
  EXPECT_EQ(CadFunctions::printVars().PlotScaleText1, "Scale = 1:150");
  EXPECT_NEAR(CollectedLines(kRed).maxX, 1.25 + 2000.0 / 150, 1e-3);
  // A chosen scale keeps its decimals in its shortest form.
  Printing::vars().PrintScale = 62.3f;
  CadFunctions::PrintExterior();
  EXPECT_EQ(CadFunctions::printVars().PlotScaleText1, "Scale = 1:62.3");
}

TEST_F(ExteriorPages, AnUnusableFitBoxTakesItsDefault) {
  // A negative box would let no scale fit: the default box applies and the setting is
  // reported once, however often the page is printed.
  Settings("TopWd=-7.5\r\nTopHt=abc\r\n");
  Drawing("101", "Top", RectangleDrawing(100, 50));
  Drawing("102", "Top", RectangleDrawing(200, 50));
  CadFunctions::PrintTop();
  EXPECT_EQ(CadFunctions::printVars().PlotScaleText1, "Scale = 1:30");
  CadFunctions::PrintTop();
  EXPECT_EQ(General::vars().ErrorCount, 2);
}

TEST_F(ExteriorPages, PreviewPaintsNoRasterAndShowsTheVectors) {
  Drawing("101", "Side", RectangleDrawing(100, 50, true));
  Drawing("102", "Side", RectangleDrawing(100, 50));
  MainForm::vars().PlotPreview = true;
  ASSERT_NE(Printing::ShowPrinterDialog(), 0);
  CadFunctions::PrintSide();
  EXPECT_TRUE(rec.log().empty());
  ASSERT_EQ(Printing::Preview().pageCount(), 1);
  // Plane 1's bottom edge at y = 7.5 in: (11 - 7.5) x 68 px down the preview page, in red.
  const QImage& page = Printing::Preview().page(0);
  int red = 0;
  for (int y = 236; y <= 240; ++y) {
    const QColor c(page.pixel(2 * 68, y));
    red += c.red() > 150 && c.blue() < 100 && c.green() < 100;
  }
  EXPECT_GT(red, 0);
}

TEST_F(ExteriorPages, TheExteriorPageOverlaysBothPlanesAtEachViewsPoint) {
  struct Case {
    int aircraftClass;
    double side[2], top[2], front[2];
  } cases[] = {
      {1, {1.25, 8.75}, {1.25, 5.5}, {4.25, 1.25}},
      {2, {2, 8.5}, {2, 5}, {4, 1}},
  };
  for (const Case& c : cases) {
    const std::string a1 = c.aircraftClass == 2 ? "201" : "101";
    const std::string a2 = c.aircraftClass == 2 ? "202" : "102";
    Pair(a1.c_str(), a2.c_str(), c.aircraftClass);
    // Each view a different size, so that its lines tell which view they are.
    for (const std::string& a : {a1, a2}) {
      Drawing(a, "Side", RectangleDrawing(300, 100));
      Drawing(a, "Top", RectangleDrawing(200, 200));
      Drawing(a, "Front", RectangleDrawing(100, 50));
    }
    // The side view decides: framed it reaches 315 in right of its origin, over 7.5 in at 1:40.
    CadFunctions::PrintExterior();
    EXPECT_EQ(CadFunctions::printVars().PlotScaleText1, "Scale = 1:50") << c.aircraftClass;
    for (int32_t colour : {kRed, kBlue}) {
      std::vector<std::pair<double, double>> corners;  // lower left of each rectangle
      for (const CadFunctions::CadLine& l : CadFunctions::entityLists().CadLineList) {
        if (l.Color != colour) continue;
        corners.emplace_back(std::min(l.X1, l.X2), std::min(l.Y1, l.Y2));
      }
      ASSERT_EQ(corners.size(), 12u);
      // Lines in merge order: side, top, front; the first of each starts at its origin.
      EXPECT_NEAR(corners[0].first, c.side[0], 1e-5);
      EXPECT_NEAR(corners[0].second, c.side[1], 1e-5);
      EXPECT_NEAR(corners[4].first, c.top[0], 1e-5);
      EXPECT_NEAR(corners[4].second, c.top[1], 1e-5);
      EXPECT_NEAR(corners[8].first, c.front[0], 1e-5);
      EXPECT_NEAR(corners[8].second, c.front[1], 1e-5);
    }
  }
  // Only Plane 2 shown: its three views, nothing on Plane 1's layer.
  CadFunctions::vars().ShowPlane1 = false;
  CadFunctions::PrintExterior();
  EXPECT_EQ(CollectedLines(kRed).count, 0);
  EXPECT_EQ(CollectedLines(kBlue).count, 12);
  EXPECT_EQ(ui.statusTexts.front(), "Printing Exterior page");
}

// The steps as a page of vectors alone uses them: no raster, the aircraft's dimensions hidden.
TEST_F(ExteriorPages, APageOfVectorsAloneCanHideTheDimensions) {
  std::string drawing = RectangleDrawing(100, 50, true);
  drawing.insert(drawing.find("0\nENDSEC"), "0\nLINE\n8\nDIM\n10\n0\n20\n-10\n11\n100\n21\n-10\n");
  Drawing("101", "Interior", drawing);
  CadFunctions::vars().ShowDims = true;
  for (bool hide : {false, true}) {
    rec.forget();
    vb::Proc g("CadFunctions", "Test");
    Printing::LoadPageTemplate(g, "Interior.dxf");
    Printing::PlacePlane(g, 1, {{"Interior", 1.0 / 50, 2, 5}});
    Printing::PlacePlane(g, 2, {{"Interior", 1.0 / 50, 2, 5}});  // no drawing: nothing merged
    Printing::PrintComposedPage(g, {.paintRaster = false, .hideDims = hide});
    EXPECT_EQ(CollectedLines(kRed).count, hide ? 4 : 5) << hide;  // Dim1 takes Plane 1's colour
    EXPECT_EQ(CollectedLines(kBlue).count, 0);
    EXPECT_EQ(Pictures(), 0) << hide;  // the solid stays in the drawing, unprinted
    EXPECT_TRUE(Printed("LINE")) << hide;
  }
  EXPECT_EQ(General::vars().ErrorCount, 0);
}

TEST_F(ExteriorPages, AScaleFactorThatIsNoPositiveNumberMergesNothing) {
  Drawing("101", "Top", RectangleDrawing(100, 50));
  for (double factor : {0.0, -0.1, std::numeric_limits<double>::infinity(),
                        std::numeric_limits<double>::quiet_NaN()}) {
    vb::Proc g("CadFunctions", "Test");
    Printing::LoadPageTemplate(g, "Top.dxf");
    const long before = controls[0]->EntityList().Count();
    Printing::PlacePlane(g, 1, {{"Top", factor, 1, 1}});
    EXPECT_EQ(controls[0]->EntityList().Count(), before) << factor;
  }
  EXPECT_EQ(General::vars().ErrorCount, 4);  // each reported
}

// --- The sample aircraft on PDF pages ---

class SamplePages : public ExteriorPages {
 protected:
  // The sample drawings of the pair in the cache, as the drawing database would write them.
  void SampleDrawings(const std::string& a1, const std::string& a2) {
    for (const std::string& a : {a1, a2})
      for (const char* view : {"Top", "Side", "Front"}) {
        std::string text;
        ASSERT_TRUE(vb::ReadWholeFile(
            std::string(TOLVANE_SAMPLE_DRAWINGS) + "/" + a + view + ".dxf", text));
        Drawing(a, view, text);
      }
  }
  QString PrintToPdf(void (*page)(), const std::string& name) {
    const QString file = QString::fromStdString((dir / name).string());
    dialog.outputFile = file;
    dialog.answer = DialogChoice{file, 1, false, PageRange::All, 0, 0};
    Printing::InstallPrinter(nullptr);
    EXPECT_NE(Printing::ShowPrinterDialog(), 0);
    page();
    Printing::Printer().endDoc();
    return file;
  }
};

TEST_F(SamplePages, TheTopPageOfTheSampleJetsPrintsBothInsideThePageWithItsScale) {
  if (!testsupport::HavePopplerTools()) GTEST_SKIP() << "poppler-utils not installed";
  SampleDrawings("101", "102");
  const QString file = PrintToPdf(CadFunctions::PrintTop, "top.pdf");
  const std::string scale = CadFunctions::printVars().PlotScaleText1;
  const QString text = testsupport::PdfPageText(file, 1);
  EXPECT_TRUE(text.contains(QString::fromStdString(scale))) << text.toStdString();
  EXPECT_TRUE(text.contains("Swiftline 6, Sarrance 8")) << text.toStdString();
  for (int32_t colour : {kRed, kBlue}) {
    const LineBox box = CollectedLines(colour);
    ASSERT_GT(box.count, 0) << colour;
    EXPECT_GE(box.minX, 0) << colour;
    EXPECT_LE(box.maxX, 8.5) << colour;
    EXPECT_GE(box.minY, 0) << colour;
    EXPECT_LE(box.maxY, 11) << colour;
  }
  // The two aircraft do not overlap: Plane 1 above Plane 2.
  EXPECT_GT(CollectedLines(kRed).minY, CollectedLines(kBlue).maxY);
  const QImage image = testsupport::PdfPageImage(file, 1, 72);
  ASSERT_FALSE(image.isNull());
  printingtest::SaveForLooking(image, "top_jets.png");
}

// Every exterior page of a jet pair and of a helicopter pair, for a person to look at
// (TOLVANE_PNG_DIR); each page carries its scale and both aircraft in their colours.
TEST_F(SamplePages, EveryExteriorPageOfTheSamplePairsPrints) {
  if (!testsupport::HavePopplerTools()) GTEST_SKIP() << "poppler-utils not installed";
  struct PageCase {
    void (*page)();
    const char* name;
  } pages[] = {{CadFunctions::PrintExterior, "exterior"},
               {CadFunctions::PrintTop, "top"},
               {CadFunctions::PrintSide, "side"},
               {CadFunctions::PrintFront, "front"}};
  struct PairCase {
    const char *a1, *a2;
    int aircraftClass;
    const char* name;
  } pairs[] = {{"101", "102", 1, "jets"}, {"201", "202", 2, "helis"}};
  // Every page printed, then the files read: pdftotext reads each file while the next prints.
  struct Printed {
    std::string name;
    QString file;
    std::string scale;  // the scale text the page was printed with
  };
  std::vector<Printed> printed;
  for (const PairCase& pair : pairs) {
    Pair(pair.a1, pair.a2, pair.aircraftClass);
    SampleDrawings(pair.a1, pair.a2);
    for (const PageCase& p : pages) {
      const std::string name = std::string(p.name) + "_" + pair.name;
      const QString file = PrintToPdf(p.page, name + ".pdf");
      testsupport::PrefetchPdfText(file);
      EXPECT_GT(CollectedLines(kRed).count, 0) << name;
      EXPECT_GT(CollectedLines(kBlue).count, 0) << name;
      printed.push_back({name, file, CadFunctions::printVars().PlotScaleText1});
    }
  }
  for (const Printed& p : printed) {
    const QString text = testsupport::PdfPageText(p.file, 1);
    EXPECT_TRUE(text.contains(QString::fromStdString(p.scale))) << p.name;
    printingtest::SavePageForLooking(p.file, 1, 72, QString::fromStdString(p.name + ".png"));
  }
}

}  // namespace
