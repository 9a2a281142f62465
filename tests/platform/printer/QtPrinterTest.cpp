#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>

#include "platform/gdi/QtCanvas.h"
#include "platform/printer/QtPrinter.h"
#include "platform/runtime/Error.h"
#include "support/Pdf.h"
#include "support/QtApp.h"
#include "support/TestSupport.h"

namespace {

using printer::QtPrinter;
using testsupport::TempDir;

class QtPrinterTest : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::QtApp(); }
  QString File(const std::string& name) const {
    return QString::fromStdString((dir / name).string());
  }
  // A printer writing PDF files.
  static void ToFile(QtPrinter& p, const QString& file) {
    p.qprinter().setOutputFormat(QPrinter::PdfFormat);
    p.qprinter().setOutputFileName(file);
  }
  static void Write(QtPrinter& p, double x, double y, const char* text) {
    gdi::Font f = p.canvas().defaultFont();
    f.face = "Arial";
    f.height = 200;
    p.canvas().selectFont(f);
    p.canvas().textOut(x, y, text);
  }
  TempDir dir;
};

TEST(NumberedFile, TheFirstDocumentKeepsTheNameTheNextOnesAreNumbered) {
  struct Case {
    const char* file;
    int n;
    const char* expected;
  };
  const Case cases[] = {
      {"/tmp/plot.pdf", 1, "/tmp/plot.pdf"},     {"/tmp/plot.pdf", 2, "/tmp/plot-2.pdf"},
      {"/tmp/plot.pdf", 12, "/tmp/plot-12.pdf"}, {"/tmp/plot", 2, "/tmp/plot-2"},
      {"/tmp/a.b/plot", 3, "/tmp/a.b/plot-3"},   {"/tmp/.pdf", 2, "/tmp/.pdf-2"},
      {"plot.v1.pdf", 2, "plot.v1-2.pdf"},       {"", 2, "-2"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(printer::NumberedFile(c.file, c.n).toStdString(), c.expected) << c.file << " " << c.n;
}

TEST_F(QtPrinterTest, ThePageIsLetterPortraitWithNoMarginsAndOneCopy) {
  QtPrinter p;
  ToFile(p, File("a.pdf"));
  EXPECT_EQ(p.resolution(), 1200);
  EXPECT_EQ(p.scaleWidth(), 10200);   // 8.5 in
  EXPECT_EQ(p.scaleHeight(), 13200);  // 11 in
  EXPECT_DOUBLE_EQ(p.twipsPerPixel(), 1.2);
  EXPECT_EQ(p.canvas().kind(), gdi::TargetKind::Printer);
  EXPECT_EQ(p.canvas().width(), 10200);
  EXPECT_EQ(p.canvas().logPixelsY(), 1200);
  EXPECT_EQ(p.qprinter().copyCount(), 1);
  EXPECT_EQ(p.qprinter().pageLayout().orientation(), QPageLayout::Portrait);

  // What a dialog may leave behind is undone; the paper stays.
  p.qprinter().setCopyCount(4);
  p.qprinter().setPageOrientation(QPageLayout::Landscape);
  p.qprinter().setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Point);
  p.keepProgramPage();
  EXPECT_EQ(p.qprinter().copyCount(), 1);
  EXPECT_EQ(p.qprinter().pageLayout().orientation(), QPageLayout::Portrait);
  EXPECT_EQ(p.scaleWidth(), 10200);
  EXPECT_EQ(p.scaleHeight(), 13200);
  EXPECT_EQ(p.qprinter().pageLayout().pageSize().id(), QPageSize::Letter);
  EXPECT_EQ(p.deviceName(), File("a.pdf"));
}

TEST_F(QtPrinterTest, ADocumentTakesTheResolutionThePrinterHasWhenItBegins) {
  QtPrinter p;
  ToFile(p, File("dpi.pdf"));
  p.canvas().lineTo(10, 10);
  p.endDoc();
  EXPECT_EQ(p.canvas().logPixelsY(), 1200);
  EXPECT_DOUBLE_EQ(p.canvas().twipsPerPixelX(), 1.2);
  // Another printer, another resolution: the next document and its default font follow it.
  p.qprinter().setResolution(600);
  p.canvas().begin(false);
  p.canvas().lineTo(10, 10);
  EXPECT_EQ(p.canvas().logPixelsY(), 600);
  EXPECT_DOUBLE_EQ(p.canvas().twipsPerPixelX(), 2.4);
  EXPECT_EQ(p.canvas().state().font, gdi::DefaultFont(600));
  EXPECT_EQ(p.scaleWidth(), 5100);
  p.endDoc();
}

TEST_F(QtPrinterTest, TwoPagesMakeOneLetterPdfUnderTheJobTitle) {
  if (!testsupport::HavePopplerTools()) GTEST_SKIP() << "poppler-utils not installed";
  const QString file = File("job.pdf");
  {
    QtPrinter p;
    ToFile(p, file);
    p.startJob("Maker A Jet One, Maker B Jet Two");
    EXPECT_FALSE(p.documentOpen());
    Write(p, 1200, 1200, "FIRST PAGE");
    EXPECT_TRUE(p.documentOpen());
    p.canvas().moveTo(0, 0);
    p.canvas().lineTo(10200, 13200);
    p.newPage();
    Write(p, 1200, 6000, "SECOND PAGE");
    p.endDoc();
    EXPECT_FALSE(p.documentOpen());
    EXPECT_EQ(p.filesOfJob(), std::vector<QString>{file});
  }
  const testsupport::PdfInfo info = testsupport::ReadPdfInfo(file);
  ASSERT_TRUE(info.ok);
  EXPECT_EQ(info.pages, 2);
  EXPECT_EQ(info.title, "Maker A Jet One, Maker B Jet Two");
  EXPECT_EQ(info.pageSizes, QStringList({"612 x 792 pts", "612 x 792 pts"}));
  EXPECT_TRUE(testsupport::PdfPageText(file, 1).contains("FIRST PAGE"));
  EXPECT_FALSE(testsupport::PdfPageText(file, 1).contains("SECOND"));
  EXPECT_TRUE(testsupport::PdfPageText(file, 2).contains("SECOND PAGE"));
}

TEST_F(QtPrinterTest, EveryCopyOfAJobGoesToAFileOfItsOwn) {
  if (!testsupport::HavePopplerTools()) GTEST_SKIP() << "poppler-utils not installed";
  const QString file = File("copies.pdf");
  QtPrinter p;
  ToFile(p, file);
  p.startJob("Copies");
  for (int copy = 1; copy <= 3; ++copy) {
    Write(p, 1200, 1200, "PAGE ONE");
    p.newPage();
    Write(p, 1200, 1200, "PAGE TWO");
    p.endDoc();
    // Between documents the printer shows the name as chosen (the next dialog offers it).
    EXPECT_EQ(p.qprinter().outputFileName(), file);
  }
  const std::vector<QString> expected = {file, File("copies-2.pdf"), File("copies-3.pdf")};
  EXPECT_EQ(p.filesOfJob(), expected);
  for (const QString& f : expected) {
    const testsupport::PdfInfo info = testsupport::ReadPdfInfo(f);
    EXPECT_EQ(info.pages, 2) << f.toStdString();
    EXPECT_EQ(info.title, "Copies") << f.toStdString();
  }
  // A new job starts the numbering again: its first document replaces the first file.
  p.startJob("Again");
  Write(p, 1200, 1200, "AGAIN");
  p.endDoc();
  EXPECT_EQ(p.filesOfJob(), std::vector<QString>{file});
  EXPECT_EQ(testsupport::ReadPdfInfo(file).title, "Again");
  EXPECT_FALSE(QFileInfo::exists(File("copies-4.pdf")));
}

TEST_F(QtPrinterTest, ADocumentStartsWithBlackTextWhateverTheLastOneEndedWith) {
  if (!testsupport::HavePopplerTools()) GTEST_SKIP() << "poppler-utils not installed";
  const QString file = File("colours.pdf");
  QtPrinter p;
  ToFile(p, file);
  p.startJob("Colours");
  // The first document ends with a blue pen and blue text.
  p.canvas().selectPen({20, 0xFF0000});
  p.canvas().moveTo(1200, 6000);
  p.canvas().lineTo(9000, 6000);
  p.canvas().setTextColor(0xFF0000);
  Write(p, 1200, 1200, "BLUE");
  p.endDoc();
  // The next one writes black text first.
  p.canvas().setTextColor(0);
  Write(p, 1200, 1200, "BLACK");
  p.endDoc();
  const QImage page = testsupport::PdfPageImage(File("colours-2.pdf"), 1, 100);
  ASSERT_FALSE(page.isNull());
  int blue = 0, black = 0;
  for (int y = 90; y < 200; ++y)
    for (int x = 90; x < 600; ++x) {
      const QColor c(page.pixel(x, y));
      blue += c.blue() - std::max(c.red(), c.green()) > 80;
      black += qGray(c.rgb()) < 60;
    }
  EXPECT_EQ(blue, 0);
  EXPECT_GT(black, 100);
}

TEST_F(QtPrinterTest, NothingDrawnWritesNoDocument) {
  QtPrinter p;
  ToFile(p, File("none.pdf"));
  p.startJob("Nothing");
  p.endDoc();
  p.endDoc();
  EXPECT_FALSE(QFileInfo::exists(File("none.pdf")));
  EXPECT_TRUE(p.filesOfJob().empty());
  // A new page alone begins a document: its empty first page counts.
  p.newPage();
  p.endDoc();
  EXPECT_EQ(testsupport::ReadPdfInfo(File("none.pdf")).pages,
            testsupport::HavePopplerTools() ? 2 : 0);
}

TEST_F(QtPrinterTest, APictureIsStretchedOverItsBoxFromThePrintableTopLeft) {
  if (!testsupport::HavePopplerTools()) GTEST_SKIP() << "poppler-utils not installed";
  const QString file = File("picture.pdf");
  {
    QtPrinter p;
    ToFile(p, file);
    QImage red(20, 30, QImage::Format_RGB32);
    red.fill(QColor(255, 0, 0));
    p.paintPicture(red, 0, 0, 5100, 6600);  // the top-left quarter of the page
    EXPECT_TRUE(p.documentOpen());
    p.endDoc();
  }
  const QImage page = testsupport::PdfPageImage(file, 1, 20);  // 170 x 220 px
  // Red or white within a step of rounding in the PDF's colours.
  auto near = [](QRgb pixel, QColor c) {
    return std::abs(qRed(pixel) - c.red()) <= 2 && std::abs(qGreen(pixel) - c.green()) <= 2 &&
           std::abs(qBlue(pixel) - c.blue()) <= 2;
  };
  const QColor red(255, 0, 0), white(255, 255, 255);
  ASSERT_FALSE(page.isNull());
  EXPECT_EQ(page.width(), 170);
  EXPECT_EQ(page.height(), 220);
  EXPECT_TRUE(near(page.pixel(2, 2), red));
  EXPECT_TRUE(near(page.pixel(80, 105), red));
  EXPECT_TRUE(near(page.pixel(90, 105), white));
  EXPECT_TRUE(near(page.pixel(80, 115), white));
}

TEST_F(QtPrinterTest, ADocumentThatCannotBeginRaisesAPrinterErrorOnce) {
  QtPrinter p;
  const QString file = File("missing-folder/out.pdf");
  ToFile(p, file);
  p.startJob("Fails");
  EXPECT_EQ(testsupport::ErrorOf([&] { p.canvas().lineTo(100, 100); }), printer::kPrinterError);
  // The rest of that document goes nowhere, silently.
  EXPECT_EQ(testsupport::ErrorOf([&] { p.canvas().lineTo(200, 100); }), 0);
  EXPECT_EQ(testsupport::ErrorOf([&] { p.newPage(); }), 0);
  EXPECT_EQ(
      testsupport::ErrorOf([&] { p.paintPicture(QImage(2, 2, QImage::Format_RGB32), 0, 0, 9, 9); }),
      0);
  EXPECT_TRUE(p.documentOpen());
  p.endDoc();
  EXPECT_FALSE(p.documentOpen());
  EXPECT_TRUE(p.filesOfJob().empty());
  EXPECT_EQ(p.qprinter().outputFileName(), file);
  // Once the folder is there the next document prints.
  QDir().mkpath(File("missing-folder"));
  EXPECT_EQ(testsupport::ErrorOf([&] { p.canvas().lineTo(100, 100); }), 0);
  p.endDoc();
  EXPECT_TRUE(QFileInfo::exists(File("missing-folder/out.pdf")));
}

}  // namespace
