#include "platform/printer/PrinterDialog.h"

#include <QComboBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <algorithm>

namespace printer {

namespace {

// Qt's dialog on Linux keeps its "Pages from ... to" range enabled whatever the options say,
// and enables it again whenever it is shown or another printer is picked: the program asks
// for no page numbers, so the range is disabled after each of those. The controls are found by
// the names Qt gives them; where there are none, nothing changes.
class ProgramPrintDialog final : public QPrintDialog {
 public:
  ProgramPrintDialog(QPrinter* printer, QWidget* owner) : QPrintDialog(printer, owner) {
    if (auto* printers = findChild<QComboBox*>("printers"))
      connect(printers, &QComboBox::currentIndexChanged, this,
              [this] { QTimer::singleShot(0, this, [this] { DisablePageNumbers(); }); });
  }
  void setVisible(bool visible) override {
    QPrintDialog::setVisible(visible);
    if (visible) DisablePageNumbers();
  }

 private:
  void DisablePageNumbers() {
    for (const char* name : {"printRange", "from", "to"})
      if (auto* w = findChild<QWidget*>(name)) w->setEnabled(false);
  }
};

}  // namespace

DialogChoice ChoiceOf(const QPrinter& printer) {
  DialogChoice c;
  c.deviceName =
      printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
  c.copies = printer.copyCount();
  c.landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
  switch (printer.printRange()) {
    case QPrinter::Selection:
      c.range = PageRange::Selection;
      break;
    case QPrinter::PageRange:
      c.range = PageRange::Pages;
      c.fromPage = printer.fromPage();
      c.toPage = printer.toPage();
      break;
    default:
      c.range = PageRange::All;
      break;
  }
  return c;
}

void SetUpDialog(QPrintDialog& dialog, int maxPage) {
  // First: setting the pages offers the page range again.
  dialog.setMinMax(1, std::max(1, maxPage));
  dialog.setOption(QAbstractPrintDialog::PrintSelection, true);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  dialog.setPrintRange(QAbstractPrintDialog::Selection);
}

std::optional<DialogChoice> QtPrinterDialogRunner::run(QPrinter& printer, int maxPage,
                                                       QWidget* owner) {
  ProgramPrintDialog dialog(&printer, owner);
  dialog.setObjectName("PrintDialog");
  SetUpDialog(dialog, maxPage);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return ChoiceOf(printer);
}

}  // namespace printer
