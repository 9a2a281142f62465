#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include "PrintingTestSupport.h"
#include "charts/Graph.h"
#include "platform/gdi/Color.h"
#include "printing/frmPlotPreview.h"

namespace {

using printingtest::PrintingTest;

constexpr gdi::Rgb kRed = 0x0000FF;
constexpr gdi::Rgb kBlue = 0xFF0000;

QColor At(PreviewPages& pages, int page, int x, int y) {
  return QColor(pages.page(page).pixel(x, y));
}

QString PageText(frmPlotPreview* w) { return w->findChild<QLabel*>("lblPage")->text(); }

void Box(gdi::Canvas& c, gdi::Rgb color, double x1, double y1, double x2, double y2) {
  c.selectBrush(gdi::Brush::Solid(color));
  c.selectPen({1, color});
  c.rectangle(x1, y1, x2, y2);
}

TEST_F(PrintingTest, ThePreviewPagesAreLetterPagesOnTheFormTarget) {
  PreviewPages& pages = Printing::Preview();
  EXPECT_EQ(pages.kind(), gdi::TargetKind::Form);
  EXPECT_EQ(pages.canvas().kind(), gdi::TargetKind::Form);
  EXPECT_EQ(pages.scaleWidth(), 580);  // 8.5 in at 68 px per inch, rounded up
  EXPECT_EQ(pages.scaleHeight(), 750);
  EXPECT_EQ(pages.resolution(), 96);
  EXPECT_EQ(pages.canvas().twipsPerPixelX(), 15);
  EXPECT_EQ(pages.pageCount(), 0);
  // Measuring text begins nothing.
  pages.canvas().textExtent("Measure");
  EXPECT_FALSE(pages.documentOpen());
  EXPECT_EQ(pages.pageCount(), 0);
}

TEST_F(PrintingTest, EveryPrintedPageGetsAPreviewPageOfItsOwn) {
  PreviewPages& pages = Printing::Preview();
  pages.startJob("Job");
  gdi::Canvas& c = pages.canvas();
  Box(c, kRed, 10, 10, 100, 100);
  EXPECT_EQ(pages.pageCount(), 1);
  pages.newPage();
  Box(c, kBlue, 200, 200, 300, 300);
  pages.endDoc();
  // The next document starts on a fresh page, never over an earlier one.
  Box(c, kRed, 400, 400, 500, 500);
  EXPECT_EQ(pages.pageCount(), 3);
  EXPECT_EQ(At(pages, 0, 50, 50), QColor(Qt::red));
  EXPECT_EQ(At(pages, 0, 250, 250), QColor(Qt::white));
  EXPECT_EQ(At(pages, 1, 50, 50), QColor(Qt::white));
  EXPECT_EQ(At(pages, 1, 250, 250), QColor(Qt::blue));
  EXPECT_EQ(At(pages, 2, 450, 450), QColor(Qt::red));
  EXPECT_EQ(At(pages, 2, 250, 250), QColor(Qt::white));
  // Cls empties the current page only.
  c.begin(true);
  EXPECT_EQ(At(pages, 2, 450, 450), QColor(Qt::white));
  EXPECT_EQ(At(pages, 0, 50, 50), QColor(Qt::red));
  pages.startJob("Next job");
  EXPECT_EQ(pages.pageCount(), 0);
  EXPECT_FALSE(pages.documentOpen());
}

TEST_F(PrintingTest, TheDrawingLayerDrawsOnThePreviewAt85Percent) {
  PreviewPages& pages = Printing::Preview();
  Graph::resetForTest();
  Graph::InitGraphics(pages.canvas(), false, false);
  EXPECT_EQ(Graph::TargetKind(), gdi::TargetKind::Form);
  Graph::SetPen(1, kRed);
  Graph::DrawLine(0, 100, 400, 100, 0);  // caller units: 85 px down, 0 to 340 px
  Graph::RemovePen();
  pages.refresh();
  EXPECT_EQ(At(pages, 0, 170, 85), QColor(Qt::red));
  EXPECT_EQ(At(pages, 0, 170, 100), QColor(Qt::white));
  EXPECT_EQ(At(pages, 0, 345, 85), QColor(Qt::white));
  Graph::resetForTest();
}

TEST_F(PrintingTest, ThePreviewWindowShowsTwoPagesAndClosesWithEscape) {
  MainForm::vars().PlotPreview = true;
  ASSERT_EQ(Printing::ShowPrinterDialog(), -1);
  QPointer<frmPlotPreview> w = qt.PreviewWindow();
  ASSERT_TRUE(w);
  EXPECT_TRUE(w->testAttribute(Qt::WA_DeleteOnClose));
  EXPECT_TRUE(w->windowFlags().testFlag(Qt::Tool));
  EXPECT_EQ(PageText(w), "No page");

  printer::PrintDevice& target = Printing::Target();
  Box(target.canvas(), kRed, 20, 20, 560, 60);
  target.refresh();
  EXPECT_EQ(PageText(w), "Page 1 of 1");
  target.newPage();
  Box(target.canvas(), kBlue, 20, 680, 560, 730);
  // Text through the drawing layer: on a form 0.2 in is a 20 px cell, at 85 % of caller units.
  Graph::resetForTest();
  Graph::InitGraphics(target.canvas(), false, false);
  Graph::SetFontInches("Arial", true, false, false, false, 0.2, 0);
  Graph::TextOut(100, 300, "Plot Preview Page 2");
  Graph::RemoveFont();
  Graph::resetForTest();
  target.endDoc();
  // The window follows the job to its last page.
  testsupport::PumpUntil([&] { return w && PageText(w) == "Page 2 of 2"; }, 2000);
  EXPECT_EQ(PageText(w), "Page 2 of 2");
  EXPECT_EQ(w->currentPage(), 1);
  auto* previous = w->findChild<QToolButton*>("cmdPreviousPage");
  auto* next = w->findChild<QToolButton*>("cmdNextPage");
  EXPECT_TRUE(previous->isEnabled());
  EXPECT_FALSE(next->isEnabled());

  // The page view shows the page at full size; the window scrolls when the screen is smaller.
  QWidget* view = w->findChild<QWidget*>("picPage");
  ASSERT_NE(view, nullptr);
  EXPECT_GE(view->width(), 580);
  EXPECT_GE(view->height(), 750);
  EXPECT_GE(w->width(), 580);
  auto* scroll = w->findChild<QScrollArea*>("scrPage");
  if (scroll->viewport()->height() < view->height()) {
    EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
  }
  QImage shown = view->grab().toImage();
  EXPECT_EQ(QColor(shown.pixel(8 + 300, 8 + 700)), QColor(Qt::blue));
  int dark = 0, darkOutside = 0;
  for (int y = 240; y < 290; ++y)
    for (int x = 60; x < 400; ++x) {
      const bool isDark = qGray(shown.pixel(8 + x, 8 + y)) < 128;
      const bool inCell = y >= 255 && y < 275 && x >= 85;
      (inCell ? dark : darkOutside) += isDark ? 1 : 0;
    }
  EXPECT_GT(dark, 200);
  EXPECT_EQ(darkOutside, 0);

  QTest::keyClick(w, Qt::Key_PageUp);
  EXPECT_EQ(PageText(w), "Page 1 of 2");
  shown = view->grab().toImage();
  EXPECT_EQ(QColor(shown.pixel(8 + 300, 8 + 40)), QColor(Qt::red));
  EXPECT_EQ(QColor(shown.pixel(8 + 300, 8 + 700)), QColor(Qt::white));
  QTest::keyClick(w, Qt::Key_PageUp);  // no page before the first
  EXPECT_EQ(w->currentPage(), 0);
  next->click();
  EXPECT_EQ(PageText(w), "Page 2 of 2");

  // The window is centred on the screen.
  const QRect screen = w->screen()->availableGeometry();
  EXPECT_LE(std::abs(w->geometry().center().x() - screen.center().x()), 40);

  const QString shots = testsupport::ScreenshotFolder();
  if (!shots.isEmpty()) {
    testsupport::Pump(200);
    w->grab().save(QDir(shots).filePath("plot-preview.png"));
  }

  QTest::keyClick(w, Qt::Key_A);  // other keys do nothing
  testsupport::Settle();
  ASSERT_TRUE(w);
  QTest::keyClick(w, Qt::Key_Escape);
  testsupport::PumpUntil([&] { return !w; }, 2000);
  EXPECT_FALSE(w);  // closed and deleted
  EXPECT_EQ(qt.PreviewWindow(), nullptr);
  EXPECT_EQ(Printing::Preview().pageCount(), 0);  // its drawing went with it

  // The next preview job gets a new, empty window.
  ASSERT_EQ(Printing::ShowPrinterDialog(), -1);
  frmPlotPreview* again = qt.PreviewWindow();
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(again->isVisible());
  EXPECT_EQ(Printing::Preview().pageCount(), 0);
  EXPECT_EQ(PageText(again), "No page");
}

}  // namespace
