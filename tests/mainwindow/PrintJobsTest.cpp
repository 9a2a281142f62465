// The print commands of the File menu end to end: the program on the sample databases and page
// templates, a menu item triggered, the pages printed to a PDF file and read back with the
// poppler tools.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPrinter>
#include <QTabBar>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

#include "PrintJobsFixture.h"
#include "mainwindow/ControlNames.h"
#include "mainwindow/frmMain.h"
#include "platform/printer/PrinterDialog.h"
#include "printing/PrintCommands.h"
#include "printing/Printing.h"
#include "printing/QtDevices.h"
#include "printing/ScaleDialogs.h"
#include "printing/frmPlotPreview.h"
#include "support/Pdf.h"

namespace {

namespace ctl = MainForm::ctl;
using namespace mwtest;

TEST_F(PrintJobs, JetsPrintAllPagesNumberedAndTheStatusBarNamesTheFile) {
  Start("101", "102");
  const long errors = General::vars().ErrorCount;
  const QString file = Print(ctl::mnuFilePrintAllOverlaid, "jets-all");
  EXPECT_EQ(Status(), "Printed to " + file.toStdString());
  const QString side = Print(ctl::mnuFilePrintAllSideBySide, "jets-side-by-side");
  ExpectNumbered(file, 9);
  ExpectNumbered(side, 12);
  EXPECT_EQ(General::vars().ErrorCount, errors);
  // The page titles follow the lists: aircraft first, payload-range last.
  EXPECT_TRUE(testsupport::PdfPageText(file, 9).contains("Payload"));
  const char* shots = std::getenv("TOLVANE_SCREENSHOT_DIR");
  if (shots)
    for (int k = 1; k <= 9; ++k)
      testsupport::PdfPageImage(file, k, 50)
          .save(QString(shots) + QString("/jets-all-%1.png").arg(k));
}

TEST_F(PrintJobs, HelicoptersPrintEveryInteriorAndBothWATCharts) {
  Start("201", "202");
  ASSERT_TRUE(MainForm::vars().EMSInteriorAvailable);
  ASSERT_TRUE(MainForm::vars().UtilityInteriorAvailable);
  ASSERT_TRUE(MainForm::vars().WATAAvailable);
  ASSERT_TRUE(MainForm::vars().WATBAvailable);
  // The interior tab shows the EMS interior: the job still prints each configuration once.
  MainForm::vars().InteriorConfig = 2;
  const int watChart = Globals::vars().WATChart;
  const QString side = Print(ctl::mnuFilePrintAllSideBySide, "helis-side-by-side");
  EXPECT_EQ(MainForm::vars().InteriorConfig, 2);
  EXPECT_EQ(Globals::vars().WATChart, watChart);
  const QString all = Print(ctl::mnuFilePrintAllOverlaid, "helis-all");
  const QString wat = Print(ctl::mnuFilePrintWAT, "helis-wat");
  ExpectNumbered(side, 16);
  ExpectNumbered(all, 11);
  // Pages 4 to 6: the corporate, EMS and utility interiors; 10 and 11: WAT A and WAT B.
  EXPECT_TRUE(testsupport::PdfPageText(all, 4).contains("(Corporate)"));
  EXPECT_TRUE(testsupport::PdfPageText(all, 5).contains("(EMS)"));
  EXPECT_TRUE(testsupport::PdfPageText(all, 6).contains("(Utility)"));
  EXPECT_TRUE(testsupport::PdfPageText(all, 10).contains(" A)"));
  EXPECT_TRUE(testsupport::PdfPageText(all, 11).contains(" B)"));
  ExpectNumbered(wat, 2);
  if (const char* shots = std::getenv("TOLVANE_SCREENSHOT_DIR"))
    for (int k = 1; k <= 16; ++k)
      testsupport::PdfPageImage(side, k, 40)
          .save(QString(shots) + QString("/helis-side-%1.png").arg(k));
}

TEST_F(PrintJobs, EveryCopyIsAFileOfItsOwn) {
  Start("101", "102");
  const QString file = Print(ctl::mnuFilePrintExteriorSideBySide, "copies", 3);
  const QString second = printer::NumberedFile(file, 2), third = printer::NumberedFile(file, 3);
  ExpectNumbered(file, 3);
  ExpectNumbered(second, 3);
  ExpectNumbered(third, 3);
  EXPECT_EQ(Status(), "Printed to " + file.toStdString() + ", " + second.toStdString() + ", " +
                          third.toStdString());
}

TEST_F(PrintJobs, EveryPrintPageItemPrintsItsPages) {
  Printing::InstallScaleDialogRunner([](Printing::ScaleDialogKind) {
    Printing::vars().PrintScale = 80;
    Printing::vars().CabinPrintScale = 30;
  });
  struct Item {
    const char* name;
    int pages;
  };
  const Item jets[] = {{ctl::mnuFilePrintExteriorScaleOverlaid, 1},
                       {ctl::mnuFilePrintExteriorScaleSideBySide, 3},
                       {ctl::mnuFilePrintInteriorScaleOverlaid, 1},
                       {ctl::mnuFilePrintInteriorScaleSideBySide, 2},
                       {ctl::mnuFilePrintAircraft, 1},
                       {ctl::mnuFilePrintGeneral, 1},
                       {ctl::mnuFilePrintExteriorOverlaid, 1},
                       {ctl::mnuFilePrintInteriorOverlaid, 1},
                       {ctl::mnuFilePrintInteriorSideBySide, 2},
                       {ctl::mnuFilePrintBlockFuelTime, 1},
                       {ctl::mnuFilePrintBalancedFieldLength, 1},
                       {ctl::mnuFilePrintTakeoffLanding, 1},
                       {ctl::mnuFilePrintFlightEnvelope, 1},
                       {ctl::mnuFilePrintPayloadRange, 1}};
  // Each list printed item after item, then its files read.
  auto printAll = [&](auto& items, const std::string& prefix) {
    std::vector<QString> files;
    for (const Item& i : items) files.push_back(Print(i.name, prefix + i.name));
    size_t k = 0;
    for (const Item& i : items) ExpectNumbered(files[k++], i.pages);
  };
  Start("101", "102");
  printAll(jets, "jets-");
  EXPECT_EQ(Printing::vars().PrintScale, 0);
  // The pages to scale carry the chosen scale; the ordinary exterior page a scale of its own.
  auto pageText = [&](const char* item, int page) {
    return testsupport::PdfPageText(
               QString::fromStdString((dir / "jets-").string()) + item + ".pdf", page)
        .simplified();
  };
  EXPECT_TRUE(pageText(ctl::mnuFilePrintExteriorScaleOverlaid, 1).contains("Scale = 1:80"));
  for (int page = 1; page <= 3; ++page)
    EXPECT_TRUE(pageText(ctl::mnuFilePrintExteriorScaleSideBySide, page).contains("Scale = 1:80"))
        << page;
  // The interior to scale: the interior at its scale, the cabin at the cabin scale.
  const QString overlaid = pageText(ctl::mnuFilePrintInteriorScaleOverlaid, 1);
  EXPECT_TRUE(overlaid.contains("Interior: Scale = 1:80") &&
              overlaid.contains("Cabin: Scale = 1:30"))
      << overlaid.toStdString();
  EXPECT_TRUE(pageText(ctl::mnuFilePrintInteriorScaleSideBySide, 1).contains("Scale = 1:80"));
  EXPECT_TRUE(pageText(ctl::mnuFilePrintInteriorScaleSideBySide, 2).contains("Scale = 1:30"));
  EXPECT_FALSE(pageText(ctl::mnuFilePrintExteriorOverlaid, 1).contains("Scale = 1:80"));
  EXPECT_TRUE(pageText(ctl::mnuFilePrintExteriorOverlaid, 1).contains("Scale = 1:"));

  // One aircraft: the plain items.
  window->close();
  window.reset();
  Start("101", "");
  const Item jet[] = {{ctl::mnuFilePrintAll, 9},
                      {ctl::mnuFilePrintExterior, 1},
                      {ctl::mnuFilePrintInterior, 1}};
  printAll(jet, "jet-");

  window->close();
  window.reset();
  Start("201", "202");
  const Item helis[] = {{ctl::mnuFilePrintServiceCeiling, 1},
                        {ctl::mnuFilePrintHVCruiseSpeed, 1},
                        {ctl::mnuFilePrintTakeoffLanding, 1},
                        {ctl::mnuFilePrintExteriorSideBySide, 3}};
  printAll(helis, "helis-");
}

TEST_F(PrintJobs, PrintCurrentPagePrintsThePageOfEveryTab) {
  for (auto [a1, a2] : {std::pair{"101", "102"}, std::pair{"201", "202"}}) {
    Start(a1, a2);
    auto* tabs = window->findChild<QTabBar*>(ctl::SSTab);
    // Every tab printed, then the files read.
    std::vector<QString> pages;
    std::vector<std::pair<int, QString>> plots;
    for (int tab = 0; tab < tabs->count(); ++tab) {
      if (!tabs->isTabVisible(tab)) continue;
      SelectTab(tab);
      // Plot Screen is offered on the drawing tabs only.
      EXPECT_EQ(Item(ctl::mnuFilePlotScreen)->isEnabled(), tab >= 2 && tab <= 5) << tab;
      pages.push_back(Print(ctl::mnuFilePrint, std::string(a1) + "-tab" + std::to_string(tab)));
      if (tab >= 2 && tab <= 5)
        plots.emplace_back(
            tab, Print(ctl::mnuFilePlotScreen, std::string(a1) + "-plot" + std::to_string(tab)));
    }
    for (const QString& file : pages) ExpectNumbered(file, 1);
    for (const auto& [tab, plot] : plots) EXPECT_EQ(Pages(plot), 1) << tab;
    window->close();
    window.reset();
  }
}

TEST_F(PrintJobs, WhileAJobRunsThePrintItemsAreDisabledAndTheWindowTakesNoInput) {
  Start("101", "102");
  auto* tabs = window->findChild<QTabBar*>(ctl::SSTab);
  SelectTab(1);
  bool checked = false;
  int jobsSeen = 0;
  QTimer::singleShot(0, window.get(), [&] {
    checked = true;
    EXPECT_TRUE(Printing::JobRunning());
    for (const char* item : {ctl::mnuFilePrint, ctl::mnuFilePrintAircraft,
                             ctl::mnuFilePrintAllOverlaid, "mnuFilePrintPage_action"})
      EXPECT_FALSE(Item(item)->isEnabled()) << item;
    // A click on another tab and a close do nothing while the pages are composed.
    Mouse(tabs, QEvent::MouseButtonPress);
    Mouse(tabs, QEvent::MouseButtonRelease);
    window->close();
    EXPECT_TRUE(window->isVisible());
    jobsSeen = dialog.calls;
    Item(ctl::mnuFilePrintAircraft)->trigger();
  });
  Print(ctl::mnuFilePrintAllOverlaid, "busy");
  EXPECT_TRUE(checked);
  EXPECT_EQ(jobsSeen, 1);
  EXPECT_EQ(dialog.calls, 1);
  EXPECT_EQ(MainForm::vars().CurrentTab, 1);
  EXPECT_FALSE(Printing::JobRunning());
  for (const char* item : {ctl::mnuFilePrint, ctl::mnuFilePrintAircraft,
                           ctl::mnuFilePrintAllOverlaid, "mnuFilePrintPage_action"})
    EXPECT_TRUE(Item(item)->isEnabled()) << item;
  EXPECT_FALSE(Item(ctl::mnuFilePlotScreen)->isEnabled());  // tab 1 shows no drawing
}

TEST_F(PrintJobs, PreviewShowsEveryPageOfPrintAll) {
  Start("101", "102");
  MainForm::vars().PlotPreview = true;
  Print(ctl::mnuFilePrintAllOverlaid, "preview");
  EXPECT_EQ(dialog.calls, 0);
  frmPlotPreview* preview = window->printingDevices().PreviewWindow();
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(Printing::Preview().pageCount(), 9);
  // The preview window shown and painted: what is pending is handled, without waiting for more.
  testsupport::Settle();
  const char* shots = std::getenv("TOLVANE_SCREENSHOT_DIR");
  for (int page : {0, 3, 8}) {
    preview->showPage(page);
    testsupport::Settle();
    EXPECT_EQ(preview->currentPage(), page);
    if (shots) preview->grab().save(QString(shots) + QString("/preview-%1.png").arg(page + 1));
  }
  MainForm::vars().PlotPreview = false;
}

// The user closes the preview while Print All waits in the event loop between its pages: the
// later pages open the window again, from the page under way on.
TEST_F(PrintJobs, APreviewClosedDuringPrintAllOpensAgainForTheLaterPages) {
  Start("101", "102");
  MainForm::vars().PlotPreview = true;
  frmPlotPreview* closed = nullptr;
  QPointer<frmPlotPreview> closing;
  QTimer user;
  QObject::connect(&user, &QTimer::timeout, [&] {
    if (closed || Printing::Preview().pageCount() != 3 ||
        !window->printingDevices().PreviewWindow())
      return;
    closing = closed = window->printingDevices().PreviewWindow();
    closed->close();
  });
  user.start(0);
  Print(ctl::mnuFilePrintAllOverlaid, "preview-closed");
  user.stop();
  ASSERT_NE(closed, nullptr) << "the window was not closed while the job ran";
  frmPlotPreview* preview = window->printingDevices().PreviewWindow();
  ASSERT_NE(preview, nullptr);
  EXPECT_NE(preview, closed);
  EXPECT_TRUE(preview->isVisible());
  // Pages 3 to 9: the third had only begun when the window closed.
  EXPECT_EQ(Printing::Preview().pageCount(), 7);
  EXPECT_TRUE(PumpUntil([&] { return !closing; }));
  EXPECT_EQ(window->printingDevices().PreviewWindow(), preview);
  EXPECT_EQ(Printing::Preview().pageCount(), 7);
  MainForm::vars().PlotPreview = false;
}

}  // namespace

namespace {

// The aircraft database deleted while the program runs: two Print All jobs print their nine
// pages each to whole files, each failure is reported once, and the program goes on.
TEST_F(PrintJobs, WithTheAircraftDatabaseDeletedPrintAllTwiceStillPrintsWholeFiles) {
  Start("101", "102");
  const long before = General::vars().ErrorCount;
  std::filesystem::remove(dir / "ac.mdb");
  const QString first = Print(ctl::mnuFilePrintAllOverlaid, "first");
  const QString second = Print(ctl::mnuFilePrintAllOverlaid, "second");
  ExpectNumbered(first, 9);
  ExpectNumbered(second, 9);
  EXPECT_LT(General::vars().ErrorCount - before, 50);
  EXPECT_EQ(Status(), "The print job had errors, logged in " + General::ErrorLogFile() +
                          "; written: " + second.toStdString());
  // The window still answers: a tab switch displays.
  SelectTab(1);
}

}  // namespace
