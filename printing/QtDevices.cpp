#include "printing/QtDevices.h"

#include "printing/ScaleDialogs.h"
#include "printing/frmPlotPreview.h"

namespace Printing {

QtDevices::QtDevices(QWidget* mainWindow) : mainWindow_(mainWindow) {}

QtDevices::~QtDevices() {
  if (frmPlotPreview* w = preview_) delete w;
  printer_.reset();  // an open document is ended: sent, or its file written
}

void QtDevices::InstallDialogRunner(printer::PrinterDialogRunner* runner) {
  dialogRunner_ = runner ? runner : &systemDialog_;
}

printer::QtPrinter& QtDevices::CurrentPrinter() {
  if (!printer_) printer_ = std::make_unique<printer::QtPrinter>();
  return *printer_;
}

frmPlotPreview* QtDevices::PreviewWindow() const {
  frmPlotPreview* w = preview_.data();
  return w && w->isOpen() ? w : nullptr;
}

std::optional<printer::DialogChoice> QtDevices::RunPrinterDialog(int maxPage) {
  return dialogRunner_->run(CurrentPrinter().qprinter(), maxPage, mainWindow_);
}

std::vector<std::string> QtDevices::FilesOfJob() {
  std::vector<std::string> files;
  if (!printer_) return files;
  for (const QString& f : printer_->filesOfJob()) files.push_back(f.toStdString());
  return files;
}

// Shown modeless with no owner. A window the user has closed is left to delete itself.
void QtDevices::ShowPreview(PreviewPages& pages) {
  if (!preview_ || !preview_->isOpen()) preview_ = new frmPlotPreview(pages);
  preview_->show();
  preview_->raise();
}

void QtDevices::ShowScaleDialog(ScaleDialogKind kind) {
  // Made for one showing and gone with it, so every showing starts from the default texts.
  if (kind == ScaleDialogKind::Single) {
    frmScale dialog(mainWindow_);
    dialog.exec();
  } else {
    frmScale2 dialog(mainWindow_);
    dialog.exec();
  }
}

void QtDevices::EndOpenDocument() {
  if (printer_ && printer_->documentOpen()) printer_->endDoc();
}

}  // namespace Printing
