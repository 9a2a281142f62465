#include <gtest/gtest.h>

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "PagePrintingFixture.h"
#include "charts/Chart.h"
#include "charts/ChartHover.h"
#include "charts/Graph.h"
#include "drawings/CadFunctions.h"
#include "drawings/DxfCadServices.h"
#include "drawings/PageDrawing.h"
#include "foundation/DBase.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/gdi/QtCanvas.h"
#include "platform/printer/RecordingPrinter.h"
#include "platform/runtime/Files.h"
#include "platform/ui/FakeHooks.h"
#include "printing/PagePrinting.h"
#include "printing/frmPlotPreview.h"
#include "support/Fixtures.h"
#include "support/Pdf.h"
#include "support/TestSupport.h"

namespace {


using printingtest::Line;
using printingtest::PagePrinting;
using printingtest::Solid;
using printingtest::Text;

TEST_F(PagePrinting, TheFixtureRunsTheProgramsWiring) {
  ExpectTheProgramsWiring();
  EXPECT_NE(CadFunctions::InstalledServices(), nullptr);
}

TEST_F(PagePrinting, TheRasterComesFirstThenTheTextsAndLines) {
  const std::string t = Template(
      "Fixture.dxf", Solid() + Text("Page n of Pages", 1, 10) + Text("AcNames", 1, 9.5) +
                         Line(1, 5, 7.5, 5));
  Printing::InstallPrinter(&rec);
  CadFunctions::PrintDXF(t);
  const std::vector<std::string> log = rec.log();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[0], "BEGIN");
  EXPECT_EQ(log[1], "PICTURE 0 0 10200 13200 1275 1650");  // factor 8 on 1200-dpi Letter
  EXPECT_TRUE(Has(log, "\"Page 1 of 1\""));
  EXPECT_TRUE(Has(log, "\"Swiftline 6, Sarrance 8\""));
  EXPECT_EQ(Only(log, "LINE ").size(), 1u);
  EXPECT_EQ(Only(log, "PICTURE").size(), 1u);
  // The texts and the line left the page drawing; the solid stayed for the raster.
  EXPECT_EQ(controls[0]->EntityList().Count(), 1);
  EXPECT_FALSE(controls[0]->Visible());
  EXPECT_EQ(controls[0]->PlotMode, 0);
  EXPECT_EQ(controls[0]->PlotScale, 1.0f);
  EXPECT_EQ(controls[0]->PlotSetting2C, 2);
}

// Every page of a job renders its raster afresh into the picture the pages share: the second
// page shows its own solid and nothing of the first page's, in the PDF as on paper.
TEST_F(PagePrinting, EachPageOfAJobPrintsItsOwnRaster) {
  if (!testsupport::HavePopplerTools()) GTEST_SKIP() << "poppler-utils not installed";
  // A one-inch square SOLID from (x, y) in page inches.
  const auto square = [](double x, double y) {
    auto n = [](double v) { return std::to_string(v); };
    return "0\nSOLID\n8\n0\n10\n" + n(x) + "\n20\n" + n(y) + "\n11\n" + n(x + 1) +
           "\n21\n" + n(y) + "\n12\n" + n(x) + "\n22\n" + n(y + 1) + "\n13\n" + n(x + 1) +
           "\n23\n" + n(y + 1) + "\n";
  };
  const std::string first = Template("First.dxf", square(1, 8));
  const std::string second = Template("Second.dxf", square(5, 2));
  const QString file = OpenPdfJob("rasters.pdf");
  CadFunctions::PrintDXF(first);
  Printing::Printer().newPage();
  CadFunctions::PrintDXF(second);
  Printing::Printer().endDoc();
  ASSERT_EQ(testsupport::PdfPageCount(file), 2);
  constexpr int kDpi = 20;
  // Dark at the middle of a square from (x, y) in, 11 - y - 0.5 in from the top.
  const auto darkAt = [&](const QImage& page, double x, double y) {
    return qGray(page.pixel(static_cast<int>((x + 0.5) * kDpi),
                            static_cast<int>((11 - y - 0.5) * kDpi))) < 128;
  };
  const QImage one = testsupport::PdfPageImage(file, 1, kDpi);
  const QImage two = testsupport::PdfPageImage(file, 2, kDpi);
  ASSERT_FALSE(one.isNull());
  ASSERT_FALSE(two.isNull());
  EXPECT_TRUE(darkAt(one, 1, 8));
  EXPECT_FALSE(darkAt(one, 5, 2));
  EXPECT_TRUE(darkAt(two, 5, 2));
  EXPECT_FALSE(darkAt(two, 1, 8));
}

// The raster and the vectors of a page go through one mapping of page inches onto the printer: a
// mark the raster draws (a black solid square) and one the vectors print (a red square outline,
// on Plane 1's layer) about the same page point stand within 0.005 in of each other at the
// page's four corners and its middle, in the PDF read back at 300 dpi. (The raster mark is
// black: the picture is stored with its colours at half resolution, so the middle of a
// coloured mark can move by half a picture pixel as a reader scales it.)
TEST_F(PagePrinting, TheRasterAndTheVectorsOfAPageStandInRegister) {
  if (!testsupport::HavePopplerTools()) GTEST_SKIP() << "poppler-utils not installed";
  auto n = [](double v) { return std::to_string(v); };
  auto line = [&](double x1, double y1, double x2, double y2) {
    return "0\nLINE\n8\nPLANE1\n10\n" + n(x1) + "\n20\n" + n(y1) + "\n11\n" + n(x2) +
           "\n21\n" + n(y2) + "\n";
  };
  // The points lie on the 150 dpi grid of the page's picture, so that the solids' edges fall on
  // its pixels' edges.
  const std::pair<double, double> marks[] = {{0.5, 0.5}, {8, 0.5}, {0.5, 10.5}, {8, 10.5},
                                             {4.24, 5.5}};
  std::string entities;
  for (const auto& [x, y] : marks) {
    const double s = 0.06, o = 0.12;
    entities += "0\nSOLID\n8\n0\n10\n" + n(x - s) + "\n20\n" + n(y - s) + "\n11\n" +
                n(x + s) + "\n21\n" + n(y - s) + "\n12\n" + n(x - s) + "\n22\n" + n(y + s) +
                "\n13\n" + n(x + s) + "\n23\n" + n(y + s) + "\n";
    entities += line(x - o, y - o, x + o, y - o) + line(x + o, y - o, x + o, y + o) +
                line(x + o, y + o, x - o, y + o) + line(x - o, y + o, x - o, y - o);
  }
  const std::string t = Template("Marks.dxf", entities);
  const QString file = OpenPdfJob("marks.pdf");
  CadFunctions::PrintDXF(t);
  Printing::Printer().endDoc();
  constexpr int kDpi = 300;
  const QImage page = testsupport::PdfPageImage(file, 1, kDpi);
  ASSERT_FALSE(page.isNull());
  printingtest::SaveForLooking(page, "register.png");
  if (!qEnvironmentVariableIsEmpty("TOLVANE_PNG_DIR"))
    QFile::copy(file, qEnvironmentVariable("TOLVANE_PNG_DIR") + "/register.pdf");
  // The centre of the red or the black ink within 0.3 in of the page point, weighted by how much
  // of it each pixel holds; in pixels of the 300 dpi picture.
  struct Centre {
    double x = 0, y = 0, weight = 0;
  };
  auto centreOf = [&](double x, double y, bool red) {
    Centre c;
    const int px = static_cast<int>(x * kDpi), py = static_cast<int>((11 - y) * kDpi);
    for (int j = py - 90; j <= py + 90; ++j) {
      for (int i = px - 90; i <= px + 90; ++i) {
        if (i < 0 || j < 0 || i >= page.width() || j >= page.height()) continue;
        const QColor p(page.pixel(i, j));
        const int w = red ? p.red() - std::max(p.green(), p.blue())
                          : 255 - std::max({p.red(), p.green(), p.blue()});
        if (w <= 0) continue;
        c.x += w * (i + 0.5), c.y += w * (j + 0.5), c.weight += w;
      }
    }
    if (c.weight > 0) c.x /= c.weight, c.y /= c.weight;
    return c;
  };
  for (const auto& [x, y] : marks) {
    SCOPED_TRACE(std::to_string(x) + ", " + std::to_string(y));
    const Centre raster = centreOf(x, y, false), vectors = centreOf(x, y, true);
    ASSERT_GT(raster.weight, 0);
    ASSERT_GT(vectors.weight, 0);
    const double apart = std::hypot(raster.x - vectors.x, raster.y - vectors.y) / kDpi;
    EXPECT_LT(apart, 0.005) << "raster (" << raster.x << ", " << raster.y << "), vectors ("
                            << vectors.x << ", " << vectors.y << ")";
  }
}

// A page template holding an array of many copies of a short line: every copy prints within the
// page's bounds; past them the page prints what fits and says once that it is too big to print
// in full.
TEST_F(PagePrinting, EveryCopyOfAnArrayPrintsAndAPageTooBigSaysSoOnce) {
  Printing::InstallPrinter(&rec);
  struct Case {
    const char* name;
    int cols, rows;
    double spacing;
    size_t lines;
    long reports;
  };
  const Case cases[] = {
      {"400 x 300", 400, 300, 0.02, 120000, 0},
      {"1000 x 1000", 1000, 1000, 0.008, static_cast<size_t>(CadFunctions::kPageMaxSegments), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto n = [](double v) { return std::to_string(v); };
    const std::string dxf =
        "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nDASH\n10\n0\n20\n0\n" +
        printingtest::Line(0, 0, 0.005, 0) + "0\nENDBLK\n0\nENDSEC\n" +
        "0\nSECTION\n2\nENTITIES\n0\nINSERT\n8\n0\n2\nDASH\n10\n0.25\n20\n0.5\n70\n" +
        std::to_string(c.cols) + "\n71\n" + std::to_string(c.rows) + "\n44\n" + n(c.spacing) +
        "\n45\n" + n(c.spacing) + "\n0\nENDSEC\n0\nEOF\n";
    ASSERT_TRUE(vb::WriteFileAtomic(dir / "Array.dxf", dxf));
    controls[0]->SetBaseFolder(dir.path());
    rec.forget();
    const long before = General::vars().ErrorCount;
    CadFunctions::PrintDXF("Array.dxf");
    EXPECT_EQ(CadFunctions::CadLineCount(), c.lines);
    EXPECT_EQ(Only(rec.log(), "LINE ").size(), c.lines);
    EXPECT_EQ(General::vars().ErrorCount - before, c.reports);
  }
}

// The two planes' fields stand side by side and the names between them: each field is filled
// from its own plane's record, however the fields take turns.
TEST_F(PagePrinting, FieldsOfBothPlanesTakingTurnsEachShowTheirOwnPlane) {
  const std::string t = Template(
      "Fixture.dxf", Text("AcName[1]", 1, 10) + Text("AcName[2]", 5, 10) +
                         Text("AcName[1]", 1, 9) + Text("AcNames", 1, 8) +
                         Text("AcName[2]", 5, 7) + Text("AcName[2]", 5, 6) +
                         Text("AcName[1]", 1, 5));
  Printing::InstallPrinter(&rec);
  CadFunctions::PrintDXF(t);
  std::map<double, std::string> left, right;  // by height on the page
  for (const CadFunctions::CadText& text : CadFunctions::entityLists().CadTextList)
    (text.X < 3 ? left : right)[text.Y] = text.Text;
  EXPECT_EQ(left, (std::map<double, std::string>{{10, "Swiftline 6"},
                                                  {9, "Swiftline 6"},
                                                  {8, "Swiftline 6, Sarrance 8"},
                                                  {5, "Swiftline 6"}}));
  EXPECT_EQ(right, (std::map<double, std::string>{
                       {10, "Sarrance 8"}, {7, "Sarrance 8"}, {6, "Sarrance 8"}}));
  // The fields left the database closed, as each field alone did.
  EXPECT_FALSE(DBase::vars().DBRecordset.isOpen());
  EXPECT_FALSE(DBase::vars().DBConnection.isOpen());
}

// Without the aircraft database every field is reported as failing to open it, as many times
// on a page of four fields as on four pages of one field each, and the page still prints.
TEST_F(PagePrinting, FieldsWithoutTheDatabaseAreReportedFieldByField) {
  DBase::vars().DBPath = (dir / "missing.mdb").string();
  const std::string one = Template("One.dxf", Text("AcName[1]", 1, 10));
  Printing::InstallPrinter(&rec);
  const long before = General::vars().ErrorCount;
  CadFunctions::PrintDXF(one);
  const long perField = General::vars().ErrorCount - before;
  ASSERT_GT(perField, 0);
  const std::string four =
      Template("Four.dxf", Text("AcName[1]", 1, 10) + Text("AcName[2]", 5, 10) +
                               Text("AcName[1]", 1, 9) + Text("AcName[2]", 5, 9));
  const long start = General::vars().ErrorCount;
  rec.forget();
  CadFunctions::PrintDXF(four);
  EXPECT_EQ(General::vars().ErrorCount - start, 4 * perField);
  EXPECT_FALSE(rec.log().empty());
  EXPECT_FALSE(DBase::vars().DBRecordset.isOpen());
}

TEST_F(PagePrinting, PreviewGetsTheTextsAndThePrinterNothing) {
  const std::string t = Template("Fixture.dxf", Solid() + Text("Page n of Pages", 1, 10) +
                                                    Line(1, 5, 7.5, 5));
  Printing::InstallPrinter(&rec);
  MainForm::vars().PlotPreview = true;
  ASSERT_NE(Printing::ShowPrinterDialog(), 0);
  CadFunctions::PrintDXF(t);
  EXPECT_TRUE(rec.log().empty());
  ASSERT_EQ(Printing::Preview().pageCount(), 1);
  // The line at y = 5 in: (11 - 5.0002) x 68 = 408 px down, black.
  const QImage& page = Printing::Preview().page(0);
  EXPECT_EQ(qGray(page.pixel(300, 408)), 0);
}

TEST_F(PagePrinting, AMissingTemplateIsReportedAndLeavesNoLeftoversOfTheLastPage) {
  const std::string t = Template("Fixture.dxf", Solid() + Text("Old page", 1, 10));
  Printing::InstallPrinter(&rec);
  CadFunctions::PrintDXF(t);
  rec.forget();
  CadFunctions::PrintDXF("Missing.dxf");
  const std::vector<std::string> log = rec.log();
  EXPECT_TRUE(Only(log, "PICTURE").empty());
  EXPECT_FALSE(Has(log, "Old page"));
  EXPECT_EQ(controls[0]->EntityList().Count(), 0);
  EXPECT_EQ(CadFunctions::CadTextCount(), 0u);
}

TEST_F(PagePrinting, AFixtureTemplatePrintsToPdfWithPageNumberNamesAndLegendSwatch) {
  if (!testsupport::HavePopplerTools()) GTEST_SKIP() << "poppler-utils not installed";
  const std::string t =
      Template("Fixture.dxf", Text("Page n of Pages", 1, 10) + Text("AcNames", 1, 9.5) +
                                  Text("Legend1", 1, 9, 0.3) + Text("PlotScale1", 1, 8) +
                                  Line(1, 5, 7.5, 5));
  CadFunctions::printVars().PlotScaleText1 = "Scale = 1:80";
  const QString file = OpenPdfJob("page.pdf");
  CadFunctions::PrintDXF(t);
  Printing::Printer().endDoc();
  const QString text = testsupport::PdfPageText(file, 1);
  EXPECT_TRUE(text.contains("Page 1 of 1")) << text.toStdString();
  EXPECT_TRUE(text.contains("Swiftline 6, Sarrance 8")) << text.toStdString();
  EXPECT_TRUE(text.contains("Swiftline 6 -")) << text.toStdString();
  EXPECT_TRUE(text.contains("Scale = 1:80")) << text.toStdString();
  const QImage page = testsupport::PdfPageImage(file, 1, 72);
  ASSERT_FALSE(page.isNull());
  printingtest::SaveForLooking(page, "fixture_page.png");
  // The swatch stands right of the legend text on the 9 in line: 2 in from the top, 0.3 in
  // high. Its middle is Plane 1's red.
  int red = 0;
  for (int y = 72 * 2 - 30; y < 72 * 2 + 10; ++y)
    for (int x = 72; x < 72 * 5; ++x) {
      const QColor c(page.pixel(x, y));
      red += c.red() > 200 && c.green() < 60 && c.blue() < 60;
    }
  EXPECT_GT(red, 50);
  // The line at 5 in from the bottom: 6 x 0.9935 in from the top on the printable height.
  int darkest = 255;
  for (int y = 72 * 6 - 6; y <= 72 * 6; ++y) darkest = std::min(darkest, qGray(page.pixel(72 * 4, y)));
  EXPECT_LT(darkest, 128);
}

// --- Data and chart pages with a recording chart drawer ---

std::vector<std::string> drawn;

void RecordChart(const Printing::PageChart& chart, gdi::Canvas& target) {
  drawn.push_back(std::string(chart.builder) + " " +
                  (target.kind() == gdi::TargetKind::Printer ? "printer" : "other") + " " +
                  std::to_string(chart.left) + " " + std::to_string(chart.top) + " " +
                  std::to_string(chart.width) + " " + std::to_string(chart.height));
}

TEST_F(PagePrinting, EveryPageHasItsStatusTemplateAndChartsInOrder) {
  Printing::InstallPrinter(&rec);
  Printing::InstallChartDrawer(&RecordChart);
  struct Case {
    void (*routine)();
    const char* status;
    const char* title;  // a text of the page's template
    std::vector<std::string> charts;
  };
  const Case cases[] = {
      {&CadFunctions::PrintAircraft, "Printing Aircraft page", "Model Number:", {}},
      {&CadFunctions::PrintGeneral, "Printing General page", "Ramp Weight:", {}},
      {&CadFunctions::PrintPayloadRange,
       "Printing Payload Range page",
       "Payload - Range",
       {"ChartPayload printer 10 25 75 60"}},
      {&CadFunctions::PrintBalancedFieldLength,
       "Printing Balanced Field Length page",
       "Balanced Field Length",
       {"ChartBalancedFieldLength printer 10 25 75 60"}},
      {&CadFunctions::PrintBlockFuelTime,
       "Printing Block Fuel/Time page",
       "Block",
       {"GraphBlockFuel printer 10 13 75 38", "ChartBlockTime printer 10 72 75 38"}},
      {&CadFunctions::PrintWAT,
       "Printing WAT page",
       "Weight - Altitude - Temperature",
       {"ChartWATCorp printer 10 11 75 28", "ChartWATUtil printer 10 53 75 23",
        "ChartLandingSL printer 10 93 35 21", "ChartLanding5000Ft printer 50 93 35 21"}},
      {&CadFunctions::PrintServiceCeiling,
       "Printing Service Ceiling page",
       "Ceiling",
       {"ChartCeilingCorp printer 5 12 39 38", "ChartCeilingUtil printer 46 12 39 38",
        "ChartCeilingHV printer 5 71 39 38", "ChartCeilingVNE printer 46 71 39 38"}},
      {&CadFunctions::PrintTakeoffLanding,
       "Printing Takeoff/Landing page",
       "Takeoff",
       {"ChartTakeoffElevation printer 10 13 75 38", "ChartLanding printer 10 72 75 38"}},
      {&CadFunctions::PrintFlightEnvelope,
       "Printing Flight Envelope page",
       "Flight Envelope",
       {"ChartCruiseSpeed printer 10 13 75 38", "ChartOperatingSpeed printer 10 72 75 38"}},
  };
  for (const Case& c : cases) {
    drawn.clear();
    ui.statusTexts.clear();
    hooks.delays.clear();
    rec.forget();
    c.routine();
    EXPECT_EQ(ui.statusTexts, (std::vector<std::string>{c.status, ""})) << c.status;
    EXPECT_FALSE(ui.hourglass) << c.status;
    EXPECT_EQ(hooks.delays, (std::vector<float>{0.1f})) << c.status;
    EXPECT_TRUE(Has(rec.log(), c.title)) << c.status;
    EXPECT_EQ(drawn, c.charts) << c.status;
  }
  // In preview no chart is drawn and nothing reaches the printer.
  MainForm::vars().PlotPreview = true;
  drawn.clear();
  rec.forget();
  CadFunctions::PrintWAT();
  EXPECT_TRUE(drawn.empty());
  EXPECT_TRUE(rec.log().empty());
}

TEST_F(PagePrinting, TheGeneralPageFollowsTheClassAndAFailureStillClearsTheStatus) {
  const std::pair<int, std::string_view> classes[] = {
      {0, "General.dxf"}, {1, "General.dxf"}, {2, "GeneralHeli.dxf"}};
  const Printing::DataPage& general = Printing::DataPageOf(Printing::PageRoutine::General);
  for (auto [cls, file] : classes) EXPECT_EQ(Printing::TemplateFor(general, cls), file);
  EXPECT_EQ(Printing::TemplateFor(Printing::DataPageOf(Printing::PageRoutine::PayloadRange), 2),
            "Payload.dxf");
  // No page drawing at all: every step fails and is reported, the charts are still drawn, the
  // status is cleared and the pointer restored.
  CadFunctions::InstallServices(nullptr);
  Printing::InstallPrinter(&rec);
  Printing::InstallChartDrawer(&RecordChart);
  drawn.clear();
  CadFunctions::PrintPayloadRange();
  EXPECT_EQ(ui.statusTexts, (std::vector<std::string>{"Printing Payload Range page", ""}));
  EXPECT_FALSE(ui.hourglass);
  EXPECT_EQ(drawn.size(), 1u);
}

// With metric units the general data page converts every figure whose unit turns metric, as the
// General tab does: the certified ceiling in metres, the helicopters' passenger area in cubic
// metres; a unit that stays imperial keeps its figure ("Cu. Ft." of the jets' passenger area).
TEST_F(PagePrinting, TheMetricGeneralPageConvertsEveryFigureWhoseUnitTurnsMetric) {
  struct Case {
    const char* aircraft1;
    const char* aircraft2;
    int aircraftClass;
    std::vector<std::vector<std::string>> lines;  // caption, unit, Plane 1, Plane 2
  };
  const Case cases[] = {
      {"101",
       "102",
       1,
       {{"Max Cert Alt.:", "M", "13,106", "13,716"},
        {"Passenger Area:", " Cu. Ft.", "235.0", "690.0"}}},
      {"201",
       "202",
       2,
       {{"Max Cert Alt.:", "M", "6,096", "5,486"},
        {"Passenger Area:", "Cu. M.", "5.1", "3.3"},
        {"Volume--      Total Pass Cabin:", "Cu. M.", "6.1", "4.0"}}},
  };
  DBase::vars().MetricUnits = true;
  Printing::InstallPrinter(&rec);
  const long errorsBefore = General::vars().ErrorCount;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.aircraft1);
    Pair(c.aircraft1, c.aircraft2, c.aircraftClass);
    CadFunctions::PrintGeneral();
    const std::vector<CadFunctions::CadText>& texts = CadFunctions::entityLists().CadTextList;
    for (const std::vector<std::string>& line : c.lines) {
      auto caption = std::find_if(texts.begin(), texts.end(),
                                  [&](const CadFunctions::CadText& t) { return t.Text == line[0]; });
      ASSERT_NE(caption, texts.end()) << line[0];
      // The texts of the caption's line, left to right.
      std::map<double, std::string> across;
      for (const CadFunctions::CadText& t : texts)
        if (std::abs(t.Y - caption->Y) < 0.01) across[t.X] = t.Text;
      std::vector<std::string> found;
      for (const auto& [x, text] : across) found.push_back(text);
      EXPECT_EQ(found, line);
    }
  }
  EXPECT_EQ(General::vars().ErrorCount, errorsBefore);
}

// The helicopter WAT page prints for either category over the same take-off and landing distance
// charts: their qualifiers under them tell their own charts apart (sea level, 5,000 ft) and name
// no category, so the category B page does not read "Category A" under its charts.
TEST_F(PagePrinting, TheWatPagesQualifiersBelongToTheirOwnCharts) {
  if (!testsupport::HavePopplerTools()) GTEST_SKIP() << "poppler-utils not installed";
  Pair("201", "202", 2);
  MainForm::vars().WATAAvailable = MainForm::vars().WATBAvailable = true;
  Printing::InstallChartDrawer(&RecordChart);
  for (const int wat : {1, 2}) {
    const std::string category = wat == 1 ? "A" : "B";
    SCOPED_TRACE("CAT " + category);
    Globals::vars().WATChart = wat;
    const QString file = OpenPdfJob("wat" + category + ".pdf");
    CadFunctions::PrintWAT();
    Printing::Printer().endDoc();
    const QString text = testsupport::PdfPageText(file, 1);
    EXPECT_TRUE(text.contains(QString::fromStdString("(CAT " + category + ")"))) << text.toStdString();
    EXPECT_FALSE(text.contains("Category")) << text.toStdString();
    EXPECT_TRUE(text.contains("Sea level, maximum gross weight")) << text.toStdString();
    EXPECT_TRUE(text.contains("5,000 ft pressure altitude, maximum gross weight"))
        << text.toStdString();
  }
}

TEST(ChartBoxes, PercentOfTheWidthAcrossAndDownPercentOfTheHeightForTheHeight) {
  // On a printable area of 8 x 10.5 in (in inches).
  const Printing::PageChart& bfl =
      Printing::DataPageOf(Printing::PageRoutine::BalancedFieldLength).charts[0];
  const Printing::Box b = Printing::ChartBox(bfl, 8, 10.5);
  EXPECT_NEAR(b.left, 0.8, 1e-12);
  EXPECT_NEAR(b.right, 6.8, 1e-12);
  EXPECT_NEAR(b.top, 2.0, 1e-12);
  EXPECT_NEAR(b.bottom, 8.3, 1e-12);
  const Printing::PageChart& time =
      Printing::DataPageOf(Printing::PageRoutine::BlockFuelTime).charts[1];
  const Printing::Box t = Printing::ChartBox(time, 8, 10.5);
  EXPECT_NEAR(t.top, 5.76, 1e-12);
  EXPECT_NEAR(t.bottom, 9.75, 1e-12);
  // The WAT bottom row passes 100 % (93 + 21) and still ends on a Letter page.
  const Printing::Box w =
      Printing::ChartBox(Printing::DataPageOf(Printing::PageRoutine::WAT).charts[2], 8.5, 11);
  EXPECT_LT(w.bottom, 11);
}

// --- The sample pairs on paper ---

TEST_F(PagePrinting, ChartPagesOfTheSamplePairsPrintTheirChartsInTheirBoxes) {
  if (!testsupport::HavePopplerTools()) GTEST_SKIP() << "poppler-utils not installed";
  struct PairCase {
    const char* a1;
    const char* a2;
    int aircraftClass;
    const char* tag;
    std::vector<std::string_view> withoutData;  // pages a job of this class does not print
  };
  const PairCase pairs[] = {
      {"101", "102", 1, "jets", {"PrintWAT", "PrintServiceCeiling"}},
      {"201", "202", 2, "helis",
       {"PrintBalancedFieldLength", "PrintTakeoffLanding", "PrintFlightEnvelope"}}};
  constexpr int kDpi = 60;
  const auto& pages = Printing::DataPages();
  const int count = static_cast<int>(pages.size());
  for (const PairCase& pc : pairs) {
    Pair(pc.a1, pc.a2, pc.aircraftClass);
    // Every data page as page k of one job, as a print of all pages numbers them; the file is
    // read once for its texts and once for its pictures.
    const QString file = OpenPdfJob(std::string(pc.tag) + ".pdf");
    Printing::vars().PrintPageCount = static_cast<int16_t>(count);
    for (int k = 0; k < count; ++k) {
      if (k > 0) Printing::Printer().newPage();
      Printing::vars().PrintPageNumber = static_cast<int16_t>(k + 1);
      Printing::PrintDataPage(pages[static_cast<size_t>(k)]);
    }
    Printing::Printer().endDoc();
    testsupport::PrefetchPdfText(file);
    const std::vector<QImage> images = testsupport::PdfPageImages(file, kDpi);
    ASSERT_EQ(images.size(), pages.size()) << pc.tag;
    for (int k = 0; k < count; ++k) {
      const Printing::DataPage& page = pages[static_cast<size_t>(k)];
      const std::string name =
          std::string(pc.tag) + "_" + std::string(Printing::RoutineName(page.routine));
      const QString text = testsupport::PdfPageText(file, k + 1);
      EXPECT_TRUE(text.contains(QString("Page %1 of %2").arg(k + 1).arg(count))) << name;
      const QImage& img = images[static_cast<size_t>(k)];
      ASSERT_FALSE(img.isNull()) << name;
      printingtest::SaveForLooking(img, QString::fromStdString(name + ".png"));
      const double W = 8.5 * kDpi, H = 11 * kDpi;
      const bool data = std::find(pc.withoutData.begin(), pc.withoutData.end(),
                                  Printing::RoutineName(page.routine)) == pc.withoutData.end();
      for (const Printing::PageChart& chart : page.charts) {
        const Printing::Box b = Printing::ChartBox(chart, W, H);
        int coloured = 0, dark = 0;
        for (int y = static_cast<int>(b.top) + 1; y < static_cast<int>(b.bottom) - 1; ++y)
          for (int x = static_cast<int>(b.left) + 1; x < static_cast<int>(b.right) - 1; ++x) {
            const QColor c(img.pixel(x, y));
            // Plane 1 red or Plane 2 blue, also where a thin line is blended with white.
            coloured += (c.red() - std::max(c.green(), c.blue()) > 80) ||
                        (c.blue() - std::max(c.green(), c.red()) > 80);
            dark += qGray(c.rgb()) < 100;
          }
        EXPECT_GT(dark, 50) << name << " " << chart.builder;  // axes, ticks and titles
        if (data) {
          EXPECT_GT(coloured, 5) << name << " " << chart.builder;  // the planes' series
        }
      }
    }
  }
}

TEST_F(PagePrinting, PrintingAChartPageLeavesTheScreensChartStateAsItWas) {
  // The payload chart drawn on a screen picture, with a hover point shown.
  gdi::PictureCanvas screen(600, 400);
  ChartBuilders::BuildChart(13, screen, true);
  ChartHover::vars().PopupSeries[13] = 1;
  ChartHover::vars().PopupPoint[13] = 2;
  const Chart::Vars before = Chart::vars();
  ASSERT_GT(before.ChartSeriesCache.SeriesCount(13), 0);
  Printing::InstallPrinter(&rec);
  Pair("101", "", 1);  // another pair on paper than on screen: other series
  CadFunctions::PrintPayloadRange();
  CadFunctions::PrintBlockFuelTime();
  const Chart::Vars& after = Chart::vars();
  EXPECT_EQ(after.CurrentChartNumber, before.CurrentChartNumber);
  EXPECT_EQ(after.ChartSeriesCount, before.ChartSeriesCount);
  for (int chart : {1, 2, 13}) {
    ASSERT_EQ(after.ChartSeriesCache.SeriesCount(chart), before.ChartSeriesCache.SeriesCount(chart));
    for (int s = 1; s <= before.ChartSeriesCache.SeriesCount(chart); ++s) {
      ASSERT_EQ(after.ChartSeriesCache.PointCount(chart, s),
                before.ChartSeriesCache.PointCount(chart, s));
      for (int p = 1; p <= before.ChartSeriesCache.PointCount(chart, s); ++p) {
        EXPECT_EQ(after.ChartSeriesCache.Point(chart, s, p).X,
                  before.ChartSeriesCache.Point(chart, s, p).X);
        EXPECT_EQ(after.ChartSeriesCache.Point(chart, s, p).Y,
                  before.ChartSeriesCache.Point(chart, s, p).Y);
      }
    }
    EXPECT_EQ(after.ChartHoverGeometry[chart].XFactor, before.ChartHoverGeometry[chart].XFactor);
    EXPECT_EQ(after.ChartLabels[chart].size(), before.ChartLabels[chart].size());
  }
  EXPECT_EQ(ChartHover::vars().PopupSeries[13], 1);
  EXPECT_EQ(ChartHover::vars().PopupPoint[13], 2);
  // The printer did get the charts.
  EXPECT_FALSE(Only(rec.log(), "LINE ").empty());
}

}  // namespace
