// Every page a print of all pages gives for a sample pair of each aircraft class, printed through
// the program's own pipeline (templates, placeholders, drawings, charts, vector pass) into one PDF
// document per pair: each page is US Letter, carries its page number of the job and both
// aircraft names, keeps no placeholder text, and has no two words printed over each other.
//
// To look at the pages, name a folder in TOLVANE_PNG_DIR: each page is also written there as a
// PNG (<pair>_<page number>_<routine>.png). Without it no page is rendered.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <cmath>
#include <string>
#include <vector>

#include "PagePrintingFixture.h"
#include "printing/DrawingPages.h"
#include "support/Pdf.h"

namespace {

using printingtest::PagePrinting;

struct PageCase {
  const char* routine;
  void (*print)();
  int watChart = 2;        // 1 WAT A, 2 WAT B
  int interiorConfig = 1;  // 1 corporate, 2 EMS, 3 utility
};

struct PairCase {
  const char* tag;
  const char* a1;
  const char* a2;
  int aircraftClass;
  const char* names;  // what "AcNames" becomes
  const char* name1;
  const char* name2;
  std::vector<PageCase> pages;
};

std::vector<PageCase> DrawingPages(int config) {
  return {{"PrintInteriorAndCabin", &CadFunctions::PrintInteriorAndCabin, 2, config},
          {"PrintInterior", &CadFunctions::PrintInterior, 2, config},
          {"PrintCabin", &CadFunctions::PrintCabin, 2, config}};
}

std::vector<PairCase> Pairs() {
  namespace CF = CadFunctions;
  PairCase jets{"jets",
                "101",
                "102",
                1,
                "Swiftline 6, Sarrance 8",
                "Swiftline 6",
                "Sarrance 8",
                {{"PrintAircraft", &CF::PrintAircraft},
                 {"PrintGeneral", &CF::PrintGeneral},
                 {"PrintPayloadRange", &CF::PrintPayloadRange},
                 {"PrintBalancedFieldLength", &CF::PrintBalancedFieldLength},
                 {"PrintBlockFuelTime", &CF::PrintBlockFuelTime},
                 {"PrintTakeoffLanding", &CF::PrintTakeoffLanding},
                 {"PrintFlightEnvelope", &CF::PrintFlightEnvelope},
                 {"PrintExterior", &CF::PrintExterior},
                 {"PrintTop", &CF::PrintTop},
                 {"PrintSide", &CF::PrintSide},
                 {"PrintFront", &CF::PrintFront}}};
  for (const PageCase& p : DrawingPages(1)) jets.pages.push_back(p);
  // The smaller fixed-wing pair: its drawings print at larger scales.
  PairCase props = jets;
  props.tag = "props";
  props.a1 = "103";
  props.a2 = "104";
  props.names = "Kestrane T12, Corlan 6T";
  props.name1 = "Kestrane T12";
  props.name2 = "Corlan 6T";
  PairCase helis{"helis",
                 "201",
                 "202",
                 2,
                 "M24 Solenne, EH-7 Tarrow",
                 "M24 Solenne",
                 "EH-7 Tarrow",
                 {{"PrintAircraft", &CF::PrintAircraft},
                  {"PrintGeneral", &CF::PrintGeneral},
                  {"PrintPayloadRange", &CF::PrintPayloadRange},
                  {"PrintBlockFuelTime", &CF::PrintBlockFuelTime},
                  {"PrintWAT", &CF::PrintWAT, 1},
                  {"PrintWAT", &CF::PrintWAT, 2},
                  {"PrintServiceCeiling", &CF::PrintServiceCeiling},
                  {"PrintExterior", &CF::PrintExterior},
                  {"PrintTop", &CF::PrintTop},
                  {"PrintSide", &CF::PrintSide},
                  {"PrintFront", &CF::PrintFront}}};
  for (int config : {1, 2, 3})
    for (const PageCase& p : DrawingPages(config)) helis.pages.push_back(p);
  return {jets, props, helis};
}

// Texts the program replaces on every page it prints.
const char* const kPlaceholders[] = {"AcNames", "Page n of Pages", "Qualifier:", "Legend1",
                                     "Legend2", "PlotScale1",      "PlotScale2", "(CAT)",
                                     "(WAT)",   "(CORP/EMS/UTIL)", "[1]",        "[2]"};

bool ChartOrDrawingPage(std::string_view routine) {
  return routine != "PrintAircraft" && routine != "PrintGeneral";
}

// Where the aircraft drawings of a page may print: inside the border, under the baseline of the
// header's names and scales (10.28) and above the top of the footer's legends (page inches).
constexpr double kDrawMinX = 0.25, kDrawMaxX = 8.25, kDrawMinY = 0.45, kDrawMaxY = 10.25;

// The points of the page's collected lines and texts in the planes' colours (its aircraft
// drawings) that lie outside that area, as "x, y".
std::vector<std::string> DrawingOutsideItsArea() {
  std::vector<std::string> outside;
  auto check = [&](double x, double y) {
    if (x < kDrawMinX || x > kDrawMaxX || y < kDrawMinY || y > kDrawMaxY)
      outside.push_back(std::to_string(x) + ", " + std::to_string(y));
  };
  const auto plane = [](int32_t colour) {
    return colour == static_cast<int32_t>(0x0000FF) || colour == static_cast<int32_t>(0xFF0000);
  };
  for (const CadFunctions::CadLine& l : CadFunctions::entityLists().CadLineList) {
    if (!plane(l.Color)) continue;
    check(l.X1, l.Y1);
    check(l.X2, l.Y2);
  }
  for (const CadFunctions::CadText& t : CadFunctions::entityLists().CadTextList)
    if (plane(t.Color)) check(t.X, t.Y);
  return outside;
}

// Two words overlap when their boxes share more than a sliver: a third of the smaller word's
// height across and a fifth of the narrower word's width along.
bool Overlap(const testsupport::PdfWord& a, const testsupport::PdfWord& b) {
  const double across = std::min(a.yMax, b.yMax) - std::max(a.yMin, b.yMin);
  const double along = std::min(a.xMax, b.xMax) - std::max(a.xMin, b.xMin);
  const double h = std::min(a.yMax - a.yMin, b.yMax - b.yMin);
  const double w = std::min(a.xMax - a.xMin, b.xMax - b.xMin);
  return across > h / 3 && along > w / 5;
}

// The words printed over each other, as "word at (x, y) and word at (x, y)".
std::vector<std::string> OverlappingWords(const std::vector<testsupport::PdfWord>& words) {
  std::vector<std::string> found;
  auto where = [](const testsupport::PdfWord& w) {
    return "\"" + w.text.toStdString() + "\" at (" + std::to_string(w.xMin) + ", " +
           std::to_string(w.yMin) + ")";
  };
  for (size_t a = 0; a < words.size(); ++a)
    for (size_t b = a + 1; b < words.size(); ++b)
      if (Overlap(words[a], words[b])) found.push_back(where(words[a]) + " and " + where(words[b]));
  return found;
}

TEST_F(PagePrinting, WordsPrintedOverEachOtherAreFound) {
  if (!testsupport::HavePopplerTools()) GTEST_SKIP() << "poppler-utils not installed";
  const std::string t = Template("Fixture.dxf", printingtest::Text("Apart", 1, 10, 0.1) +
                                                    printingtest::Text("Below", 1, 9.8, 0.1) +
                                                    printingtest::Text("Crowded", 4, 10, 0.1) +
                                                    printingtest::Text("Crowded", 4.1, 10.02, 0.1));
  const QString file = OpenPdfJob("overlap.pdf");
  CadFunctions::PrintDXF(t);
  Printing::Printer().endDoc();
  const std::vector<std::string> found = OverlappingWords(testsupport::PdfPageWords(file, 1));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_NE(found[0].find("Crowded"), std::string::npos);
}

TEST_F(PagePrinting, EveryPageOfBothClassesPrintsCleanlyToPdf) {
  if (!testsupport::HavePopplerTools()) GTEST_SKIP() << "poppler-utils not installed";
  UseSampleDrawings();
  // With the dimensions shown: their numbers must find room on the pages too.
  CadFunctions::vars().ShowDims = true;
  const QByteArray pngDir = qgetenv("TOLVANE_PNG_DIR");
  const std::vector<PairCase> pairs = Pairs();
  // Each pair's document is printed, then read: the poppler tools read one document while the
  // next one prints.
  std::vector<QString> files;
  for (const PairCase& pair : pairs) {
    Pair(pair.a1, pair.a2, pair.aircraftClass);
    // What the display update finds for the pair: both WAT charts, and a helicopter pair's EMS
    // and utility interiors.
    MainForm::Vars& window = MainForm::vars();
    window.WATAAvailable = window.WATBAvailable = true;
    window.EMSInteriorAvailable = window.UtilityInteriorAvailable = pair.aircraftClass == 2;
    const QString file = OpenPdfJob(std::string(pair.tag) + ".pdf");
    const int count = static_cast<int>(pair.pages.size());
    Printing::vars().PrintPageCount = static_cast<int16_t>(count);
    for (int i = 0; i < count; ++i) {
      const PageCase& page = pair.pages[static_cast<size_t>(i)];
      if (i > 0) Printing::Printer().newPage();
      Printing::vars().PrintPageNumber = static_cast<int16_t>(i + 1);
      window.InteriorConfig = page.interiorConfig;
      Globals::vars().WATChart = page.watChart;
      page.print();
      // The charts are drawn on the printer directly: only a drawing page's lists hold anything in
      // the planes' colours.
      const std::vector<std::string> outside = DrawingOutsideItsArea();
      EXPECT_TRUE(outside.empty()) << pair.tag << " page " << i + 1 << " " << page.routine << ": "
                                   << outside.size() << " points outside, e.g. " << outside.front();
    }
    Printing::Printer().endDoc();
    testsupport::PrefetchPdfText(file, true);
    files.push_back(file);
    // The documents themselves too, for comparing the pages of two builds.
    if (!pngDir.isEmpty())
      QFile::copy(file, QString::fromLocal8Bit(pngDir) + "/" + QFileInfo(file).fileName());
  }

  for (size_t p = 0; p < pairs.size(); ++p) {
    const PairCase& pair = pairs[p];
    const QString& file = files[p];
    const int count = static_cast<int>(pair.pages.size());
    const testsupport::PdfInfo info = testsupport::ReadPdfInfo(file);
    ASSERT_EQ(info.pages, count) << pair.tag;
    for (int i = 0; i < count; ++i) {
      const PageCase& page = pair.pages[static_cast<size_t>(i)];
      const std::string name =
          std::string(pair.tag) + " page " + std::to_string(i + 1) + " " + page.routine;
      EXPECT_EQ(info.pageSizes.value(i), "612 x 792 pts") << name;
      const QString text = testsupport::PdfPageText(file, i + 1);
      EXPECT_TRUE(text.contains(QString("Page %1 of %2").arg(i + 1).arg(count))) << name;
      EXPECT_TRUE(text.contains(pair.names)) << name << "\n" << text.toStdString();
      for (const char* placeholder : kPlaceholders)
        EXPECT_FALSE(text.contains(placeholder)) << name << ": " << placeholder;
      if (ChartOrDrawingPage(page.routine)) {
        // Both legends, each with its swatch after the name.
        EXPECT_TRUE(text.contains(QString(pair.name1) + " -")) << name;
        EXPECT_TRUE(text.contains(QString(pair.name2) + " -")) << name;
      }
      const std::vector<testsupport::PdfWord> words = testsupport::PdfPageWords(file, i + 1);
      EXPECT_GT(words.size(), 5u) << name;
      for (const std::string& pair : OverlappingWords(words)) ADD_FAILURE() << name << ": " << pair;
      if (!pngDir.isEmpty()) {
        const QImage img = testsupport::PdfPageImage(file, i + 1, 100);
        printingtest::SaveForLooking(
            img,
            QString("%1_%2_%3.png").arg(pair.tag).arg(i + 1, 2, 10, QChar('0')).arg(page.routine));
      }
    }
  }
}

}  // namespace
