#include <gtest/gtest.h>

#include <memory>

#include "PrintingTestSupport.h"
#include "drawings/CadFunctions.h"
#include "drawings/DxfCadServices.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/printer/RecordingPrinter.h"
#include "platform/ui/FakeHooks.h"
#include "printing/PagePrinting.h"
#include "printing/frmPlotPreview.h"
#include "support/Pdf.h"
#include "support/TestSupport.h"

namespace {

using printer::DialogChoice;
using printer::PageRange;

// A thick box of lines in the middle of the drawing.
constexpr const char* kViewDxf =
    "0\nSECTION\n2\nENTITIES\n"
    "0\nLINE\n8\n0\n10\n2\n20\n2\n11\n8\n21\n2\n"
    "0\nLINE\n8\n0\n10\n8\n20\n2\n11\n8\n21\n8\n"
    "0\nLINE\n8\n0\n10\n8\n20\n8\n11\n2\n21\n8\n"
    "0\nLINE\n8\n0\n10\n2\n20\n8\n11\n2\n21\n2\n"
    "0\nENDSEC\n0\nEOF\n";

class ScreenPlot : public printingtest::PrintingTest {
 protected:
  void SetUp() override {
    PrintingTest::SetUp();
    UseDrawingControls();
    for (int v = 2; v <= 5; ++v) {
      controls[v]->LoadDrawingText(kViewDxf);
      controls[v]->ZoomToWindow(0, 0, 10, 10);
    }
    Choose("11", "22");
  }
  std::vector<std::string> Pictures() {
    std::vector<std::string> out;
    for (const std::string& l : rec.log())
      if (l.starts_with("PICTURE") || l == "ENDDOC") out.push_back(l);
    return out;
  }

  printer::RecordingPrinter rec;
};

TEST_F(ScreenPlot, EveryCopyIsADocumentOfOneRasterWithItsStatusText) {
  Printing::InstallPrinter(&rec);
  dialog.answer = DialogChoice{"Printer", 2, false, PageRange::All, 0, 0};
  Printing::PlotScreen(4);
  // 10200 px wide: factor 1.5^4 = 5.0625, a picture of 2015 x 2608 painted over the page.
  const std::string picture = "PICTURE 0 0 10200.9375 13203 2015 2608";
  EXPECT_EQ(Pictures(), (std::vector<std::string>{picture, "ENDDOC", picture, "ENDDOC"}));
  EXPECT_EQ(ui.statusTexts, (std::vector<std::string>{"Plotting Side View", "",
                                                      "Plotting Side View", ""}));
  EXPECT_FALSE(ui.hourglass);
  EXPECT_EQ(Printing::vars().PrintPageNumber, 1);
  EXPECT_EQ(Printing::vars().PrintPageCount, 1);
  EXPECT_EQ(controls[4]->PlotMode, 4);
  EXPECT_EQ(controls[4]->PlotLandscape, 0);
  EXPECT_EQ(controls[4]->PlotSetting2C, 2);
  // The dialog's wait, then one per copy.
  EXPECT_EQ(hooks.delays, (std::vector<float>{0.1f, 0.1f, 0.1f}));
}

TEST_F(ScreenPlot, StatusTextPerTabLandscapeAndCancel) {
  Printing::InstallPrinter(&rec);
  const std::pair<int, const char*> tabs[] = {{2, "Plotting Top View"},
                                              {3, "Plotting Front View"},
                                              {4, "Plotting Side View"},
                                              {5, "Plotting Interior View"}};
  for (auto [tab, text] : tabs) EXPECT_EQ(Printing::PlotStatusText(tab), text);
  EXPECT_EQ(Printing::PlotStatusText(1), "");
  EXPECT_EQ(Printing::PlotStatusText(6), "");

  dialog.answer = DialogChoice{"Printer", 1, true, PageRange::All, 0, 0};
  Printing::PlotScreen(2);
  EXPECT_EQ(controls[2]->PlotLandscape, 1);
  EXPECT_EQ(Pictures().size(), 2u);  // the page itself stays portrait: the same picture size
  EXPECT_EQ(Pictures()[0], "PICTURE 0 0 10200.9375 13203 2015 2608");
  rec.forget();
  // A tab that shows no drawing plots nothing.
  Printing::PlotScreen(7);
  EXPECT_TRUE(Pictures().empty());
  // Cancel: nothing at all.
  dialog.answer.reset();
  ui.statusTexts.clear();
  rec.forget();
  Printing::PlotScreen(2);
  EXPECT_TRUE(rec.log().empty());
  EXPECT_TRUE(ui.statusTexts.empty());
}

TEST_F(ScreenPlot, PreviewModeOpensThePreviewAndStillPlotsOnThePrinter) {
  Printing::InstallPrinter(&rec);
  MainForm::vars().PlotPreview = true;
  Printing::PlotScreen(3);
  EXPECT_EQ(dialog.calls, 0);
  ASSERT_NE(qt.PreviewWindow(), nullptr);
  EXPECT_EQ(Printing::Preview().pageCount(), 0);  // the preview stays empty
  EXPECT_EQ(Pictures().size(), 2u);
}

TEST_F(ScreenPlot, APdfPageShowsTheViewAsDrawn) {
  if (!testsupport::HavePopplerTools()) GTEST_SKIP() << "poppler-utils not installed";
  testsupport::TempDir dir;
  const QString file = QString::fromStdString((dir / "plot.pdf").string());
  dialog.outputFile = file;
  dialog.answer = DialogChoice{file, 1, false, PageRange::All, 0, 0};
  Printing::PlotScreen(5);
  const testsupport::PdfInfo info = testsupport::ReadPdfInfo(file);
  ASSERT_TRUE(info.ok);
  EXPECT_EQ(info.pages, 1);
  const QImage page = testsupport::PdfPageImage(file, 1, 100);
  ASSERT_FALSE(page.isNull());
  // The square's thin edges show; its middle and the corners of the page stay white.
  int drawn = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) drawn += qGray(page.pixel(x, y)) < 235;
  EXPECT_GT(drawn, 400);
  EXPECT_GT(qGray(page.pixel(page.width() / 2, page.height() / 2)), 245);
  EXPECT_GT(qGray(page.pixel(3, 3)), 245);
  printingtest::SaveForLooking(page, "screen_plot.png");
}

}  // namespace
