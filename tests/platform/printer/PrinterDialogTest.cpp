#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include "platform/printer/PrinterDialog.h"
#include "platform/printer/QtPrinter.h"
#include "support/QtApp.h"
#include "support/TestSupport.h"

namespace {

using printer::DialogChoice;
using printer::PageRange;

TEST(PrinterDialog, OffersTheSelectionAndNoPageNumbers) {
  testsupport::QtApp();
  QPrinter qp;
  struct Case {
    int maxPage, expectedMax;
  };
  for (Case c : {Case{0, 1}, Case{1, 1}, Case{9, 9}}) {
    QPrintDialog dialog(&qp);
    printer::SetUpDialog(dialog, c.maxPage);
    EXPECT_TRUE(dialog.testOption(QAbstractPrintDialog::PrintSelection));
    EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintPageRange));
    EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintCurrentPage));
    EXPECT_EQ(dialog.printRange(), QAbstractPrintDialog::Selection);
    EXPECT_EQ(dialog.minPage(), 1);
    EXPECT_EQ(dialog.maxPage(), c.expectedMax) << c.maxPage;
  }
}

TEST(PrinterDialog, TheChoiceIsReadOffThePrinter) {
  testsupport::QtApp();
  QPrinter qp;
  qp.setOutputFormat(QPrinter::PdfFormat);
  qp.setOutputFileName("/tmp/out.pdf");
  qp.setCopyCount(3);
  qp.setPageOrientation(QPageLayout::Landscape);
  qp.setPrintRange(QPrinter::PageRange);
  qp.setFromTo(2, 5);
  EXPECT_EQ(printer::ChoiceOf(qp), (DialogChoice{"/tmp/out.pdf", 3, true, PageRange::Pages, 2, 5}));
  qp.setPageOrientation(QPageLayout::Portrait);
  qp.setPrintRange(QPrinter::Selection);
  EXPECT_EQ(printer::ChoiceOf(qp),
            (DialogChoice{"/tmp/out.pdf", 3, false, PageRange::Selection, 0, 0}));
  qp.setPrintRange(QPrinter::AllPages);
  qp.setCopyCount(1);
  EXPECT_EQ(printer::ChoiceOf(qp), (DialogChoice{"/tmp/out.pdf", 1, false, PageRange::All, 0, 0}));
}

// The system dialog, answered by a timer while it runs modal.
class SystemDialog : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::QtApp(); }
  // Presses the dialog's button once it is open; saves a screenshot first when asked to.
  static void AnswerWith(bool ok) {
    QTimer::singleShot(50, [ok] {
      QWidget* w = QApplication::activeModalWidget();
      auto* dialog = qobject_cast<QPrintDialog*>(w);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->objectName(), "PrintDialog");
      // No page numbers can be chosen: the page range is there but disabled.
      for (const char* name : {"printRange", "from", "to"}) {
        if (QWidget* range = dialog->findChild<QWidget*>(name)) {
          EXPECT_FALSE(range->isEnabled()) << name;
        }
      }
      if (QWidget* selection = dialog->findChild<QWidget*>("printSelection")) {
        EXPECT_TRUE(selection->isEnabled());
      }
      const QString shots = testsupport::ScreenshotFolder();
      if (!shots.isEmpty()) {
        // With its options shown: copies, orientation and the range.
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
          if (b->text().contains("Options")) b->click();
        QCoreApplication::processEvents();
        dialog->grab().save(QDir(shots).filePath("printer-dialog.png"));
      }
      if (ok)
        dialog->accept();
      else
        dialog->reject();
    });
  }
  testsupport::TempDir dir;
};

TEST_F(SystemDialog, CancelReturnsNothing) {
  printer::QtPrinter p;
  AnswerWith(false);
  EXPECT_FALSE(printer::QtPrinterDialogRunner().run(p.qprinter(), 3, nullptr).has_value());
}

TEST_F(SystemDialog, OkReturnsTheChoiceWithTheSelectionRange) {
  printer::QtPrinter p;
  const QString file = QString::fromStdString((dir / "dialog.pdf").string());
  p.qprinter().setOutputFormat(QPrinter::PdfFormat);
  p.qprinter().setOutputFileName(file);
  AnswerWith(true);
  const std::optional<DialogChoice> choice =
      printer::QtPrinterDialogRunner().run(p.qprinter(), 2, nullptr);
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(choice->range, PageRange::Selection);
  EXPECT_EQ(choice->copies, 1);
  EXPECT_FALSE(choice->landscape);
  EXPECT_EQ(choice->deviceName, p.deviceName());
}

}  // namespace
