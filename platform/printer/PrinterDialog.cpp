#include "platform/printer/PrinterDialog.h"

#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

namespace printer {

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
  QPrintDialog dialog(&printer, owner);
  dialog.setObjectName("PrintDialog");
  SetUpDialog(dialog, maxPage);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return ChoiceOf(printer);
}

}  // namespace printer
