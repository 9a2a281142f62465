#pragma once
// Printing's devices on Qt (Printing::Devices): the program's current printer, one QPrinter for
// its owner's whole life (a system printer through the print service, or a PDF file), the system
// printer dialog over it, the plot preview window and the scale dialogs. The dialogs are centred
// on, or owned by, the main window given. The main window holds the program's; a test holds its
// own. Going, it closes the preview window and ends a document the printer has open, so that what
// was printed is sent or written.
#include <QPointer>
#include <memory>

#include "platform/printer/PrinterDialog.h"
#include "platform/printer/QtPrinter.h"
#include "printing/Printing.h"

class QWidget;
class frmPlotPreview;

namespace Printing {

class QtDevices final : public Devices {
 public:
  explicit QtDevices(QWidget* mainWindow = nullptr);
  ~QtDevices() override;
  QtDevices(const QtDevices&) = delete;
  QtDevices& operator=(const QtDevices&) = delete;

  // The window the printer dialog is modal to and the scale dialogs are centred on.
  void SetMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }
  // The printer dialog; nullptr restores the system printer dialog.
  void InstallDialogRunner(printer::PrinterDialogRunner* runner);
  // The current printer, made on first use (a QPrinter wants the application to exist).
  printer::QtPrinter& CurrentPrinter();
  // The preview window while it is open (not once the user has closed it).
  frmPlotPreview* PreviewWindow() const;

  // --- Devices ---
  printer::PrintDevice& SystemPrinter() override { return CurrentPrinter(); }
  void KeepProgramPage() override { CurrentPrinter().keepProgramPage(); }
  std::optional<printer::DialogChoice> RunPrinterDialog(int maxPage) override;
  std::vector<std::string> FilesOfJob() override;
  void ShowPreview(PreviewPages& pages) override;
  bool PreviewOpen() override { return PreviewWindow() != nullptr; }
  void ShowScaleDialog(ScaleDialogKind kind) override;
  void EndOpenDocument() override;

 private:
  QWidget* mainWindow_;
  printer::QtPrinterDialogRunner systemDialog_;
  printer::PrinterDialogRunner* dialogRunner_ = &systemDialog_;
  std::unique_ptr<printer::QtPrinter> printer_;
  QPointer<frmPlotPreview> preview_;
};

}  // namespace Printing
