#include <gtest/gtest.h>

#include <QPrinter>
#include <QWidget>

#include "PrintingTestSupport.h"
#include "platform/printer/RecordingPrinter.h"
#include "platform/runtime/Error.h"
#include "printing/frmPlotPreview.h"
#include "support/ErrorsGoOn.h"
#include "support/Pdf.h"
#include "support/TestSupport.h"

namespace {

using printer::DialogChoice;
using printer::PageRange;
using Printing::PrintOptions;
using printingtest::PrintingTest;

// What an earlier dialog may have left.
PrintOptions Earlier() {
  PrintOptions o;
  o.DeviceName = "Earlier";
  o.Copies = 4;
  o.Orientation = 2;
  o.PrintPageNums = true;
  o.FromPage = 2;
  o.ToPage = 3;
  return o;
}

TEST_F(PrintingTest, CancelChangesNothingAndStillWaits) {
  Choose("11", "22");
  Printing::vars().Options = Earlier();
  qt.CurrentPrinter().qprinter().setDocName("Before");
  Printing::vars().PrintPageCount = 9;
  QWidget owner;
  qt.SetMainWindow(&owner);
  EXPECT_EQ(Printing::ShowPrinterDialog(), 0);
  EXPECT_EQ(dialog.calls, 1);
  EXPECT_EQ(dialog.maxPageSeen, 9);  // the page count of the last job
  EXPECT_EQ(dialog.ownerSeen, &owner);
  EXPECT_TRUE(dialog.portraitWhenOpened);
  EXPECT_EQ(Printing::vars().Options, Earlier());
  EXPECT_EQ(qt.CurrentPrinter().documentName(), "Before");
  EXPECT_EQ(hooks.delays, std::vector<float>{0.1f});
  EXPECT_EQ(hooks.toolbar, (std::vector<std::string>{"load", "unload"}));
}

TEST_F(PrintingTest, OkKeepsTheChoicesAndLeavesOneCopyOnAPortraitPage) {
  Choose("11", "22");
  struct Case {
    DialogChoice choice;
    PrintOptions expected;
  };
  const Case cases[] = {
      // The dialog's initial range is the selection.
      {{"Office Laser", 1, false, PageRange::Selection, 0, 0},
       {"Office Laser", 1, 1, true, false, 2, 3, false}},
      // A page range sets From and To.
      {{"Office Laser", 3, true, PageRange::Pages, 4, 7},
       {"Office Laser", 3, 2, false, true, 4, 7, false}},
      // All pages leaves From and To as they were.
      {{"/tmp/plot.pdf", 2, true, PageRange::All, 0, 0},
       {"/tmp/plot.pdf", 2, 2, false, false, 2, 3, true}},
  };
  for (const Case& c : cases) {
    Printing::vars().Options = Earlier();
    hooks.delays.clear();
    dialog.answer = c.choice;
    EXPECT_EQ(Printing::ShowPrinterDialog(), 1) << c.choice.deviceName.toStdString();
    EXPECT_EQ(Printing::vars().Options, c.expected) << c.choice.deviceName.toStdString();
    QPrinter& qp = qt.CurrentPrinter().qprinter();
    // The program loops the copies itself; landscape is the screen plot's business.
    EXPECT_EQ(qp.copyCount(), 1);
    EXPECT_EQ(qp.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(qp.pageLayout().pageSize().id(), QPageSize::Letter);
    EXPECT_EQ(qp.docName(), "Maker A Jet One, Maker B Jet Two");
    EXPECT_EQ(hooks.delays, std::vector<float>{0.1f});
  }
  EXPECT_EQ(dialog.calls, 3);
  EXPECT_EQ(dialog.maxPageSeen, 0);  // no job yet
}

TEST_F(PrintingTest, TheJobTitleNamesTheAircraftChosen) {
  struct Case {
    const char *a1, *a2, *title;
  };
  // A plane not chosen adds nothing, not even the separator.
  const Case cases[] = {
      {"11", "22", "Maker A Jet One, Maker B Jet Two"},
      {"11", "", "Maker A Jet One"},
      {"", "22", "Maker B Jet Two"},
      {"", "", ""},
      {"99", "22", "N/A, Maker B Jet Two"},
  };
  dialog.answer = DialogChoice{"Office Laser", 1, false, PageRange::Selection, 0, 0};
  for (const Case& c : cases) {
    EXPECT_EQ(Printing::JobTitle(c.a1, c.a2), c.title);
    Choose(c.a1, c.a2);
    ASSERT_EQ(Printing::ShowPrinterDialog(), 1);
    EXPECT_EQ(qt.CurrentPrinter().documentName().toStdString(), c.title);
  }
}

TEST_F(PrintingTest, PreviewModeOpensTheWindowWithOneCopyAndNoDialog) {
  MainForm::vars().PlotPreview = true;
  Printing::vars().Options = Earlier();
  qt.CurrentPrinter().qprinter().setDocName("Before");
  EXPECT_EQ(Printing::ShowPrinterDialog(), -1);
  EXPECT_EQ(dialog.calls, 0);
  EXPECT_TRUE(hooks.delays.empty());
  EXPECT_TRUE(hooks.toolbar.empty());
  PrintOptions expected = Earlier();
  expected.Copies = 1;
  EXPECT_EQ(Printing::vars().Options, expected);
  EXPECT_EQ(qt.CurrentPrinter().documentName(), "Before");
  frmPlotPreview* w = qt.PreviewWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->parentWidget(), nullptr);  // no owner
  EXPECT_EQ(w->windowTitle(), " Plot Preview");
  EXPECT_EQ(&Printing::Target(), static_cast<printer::PrintDevice*>(&Printing::Preview()));
  // A second job keeps the open window and empties it.
  Printing::Target().canvas().lineTo(10, 10);
  EXPECT_EQ(Printing::Preview().pageCount(), 1);
  EXPECT_EQ(Printing::ShowPrinterDialog(), -1);
  EXPECT_EQ(qt.PreviewWindow(), w);
  EXPECT_EQ(Printing::Preview().pageCount(), 0);
}

// Without devices (no wiring) no dialog can be shown and nothing can be printed: each is
// reported as a failure, never taken for a job that ran.
TEST_F(PrintingTest, WithoutDevicesTheDialogAndThePrinterFailAndSaySo) {
  testsupport::ReportErrorsAndGoOn();
  Printing::InstallDevices(nullptr);
  Printing::vars().Options = Earlier();
  const long errors = General::vars().ErrorCount;
  EXPECT_EQ(Printing::ShowPrinterDialog(), 0);
  EXPECT_EQ(dialog.calls, 0);
  EXPECT_EQ(General::vars().ErrorCount, errors + 1);
  EXPECT_EQ(Printing::vars().Options, Earlier());
  try {
    Printing::Printer().beginDocument();
    ADD_FAILURE() << "a document began without a printer";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.number, printer::kPrinterError);
  }
  EXPECT_FALSE(Printing::PreviewOpen());
}

TEST_F(PrintingTest, OutsidePreviewThePagesGoToThePrinterOrTheOneInstalled) {
  EXPECT_EQ(&Printing::Target(), static_cast<printer::PrintDevice*>(&qt.CurrentPrinter()));
  printer::RecordingPrinter recording;
  Printing::InstallPrinter(&recording);
  EXPECT_EQ(&Printing::Target(), static_cast<printer::PrintDevice*>(&recording));
  Choose("11", "");
  dialog.answer = DialogChoice{"Office Laser", 2, false, PageRange::All, 0, 0};
  ASSERT_EQ(Printing::ShowPrinterDialog(), 1);
  EXPECT_EQ(recording.log(), std::vector<std::string>{"JOB Maker A Jet One"});
}

TEST_F(PrintingTest, ACopyLoopThroughTheDialogWritesLetterPdfsUnderTheJobTitle) {
  if (!testsupport::HavePopplerTools()) GTEST_SKIP() << "poppler-utils not installed";
  testsupport::TempDir dir;
  const QString file = QString::fromStdString((dir / "job.pdf").string());
  Choose("11", "22");
  dialog.outputFile = file;
  dialog.answer = DialogChoice{file, 2, false, PageRange::Selection, 0, 0};
  ASSERT_EQ(Printing::ShowPrinterDialog(), 1);
  EXPECT_EQ(Printing::vars().Options.DeviceName, file.toStdString());
  ASSERT_EQ(Printing::vars().Options.Copies, 2);
  printer::PrintDevice& p = Printing::Printer();
  for (int copy = 1; copy <= Printing::vars().Options.Copies; ++copy) {
    p.canvas().textOut(1200, 1200, "Page one");
    p.newPage();
    p.canvas().textOut(1200, 1200, "Page two");
    p.endDoc();
  }
  for (const QString& f : {file, QString::fromStdString((dir / "job-2.pdf").string())}) {
    const testsupport::PdfInfo info = testsupport::ReadPdfInfo(f);
    ASSERT_TRUE(info.ok) << f.toStdString();
    EXPECT_EQ(info.pages, 2);
    EXPECT_EQ(info.title, "Maker A Jet One, Maker B Jet Two");
    EXPECT_EQ(info.pageSizes, QStringList({"612 x 792 pts", "612 x 792 pts"}));
    EXPECT_TRUE(testsupport::PdfPageText(f, 2).contains("Page two"));
  }
}

}  // namespace
