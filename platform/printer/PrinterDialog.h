#pragma once
// The printer dialog: what it returns and who shows it. The program shows the system dialog
// (QPrintDialog) through QtPrinterDialogRunner; tests put a runner of their own in its place
// and answer OK or Cancel without a modal loop.
#include <optional>

#include "platform/printer/DialogChoice.h"

class QPrinter;
class QPrintDialog;
class QWidget;

namespace printer {

// The choices the dialog left on the printer it set up.
DialogChoice ChoiceOf(const QPrinter& printer);

class PrinterDialogRunner {
 public:
  virtual ~PrinterDialogRunner() = default;
  // Shows the dialog over `printer` (the program's current printer, which it sets up as the
  // user chooses: printer or file, paper, copies, orientation) with pages 1 to maxPage; the
  // choices on OK, nothing when the user cancels or the dialog fails.
  virtual std::optional<DialogChoice> run(QPrinter& printer, int maxPage, QWidget* owner) = 0;
};

// The selection range offered and chosen, no page numbers and no current page, pages 1 to
// maxPage (at least 1).
void SetUpDialog(QPrintDialog& dialog, int maxPage);

// The system printer dialog, modal to its owner.
class QtPrinterDialogRunner final : public PrinterDialogRunner {
 public:
  std::optional<DialogChoice> run(QPrinter& printer, int maxPage, QWidget* owner) override;
};

}  // namespace printer
