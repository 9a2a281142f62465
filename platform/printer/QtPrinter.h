#pragma once
// The program's current printer: one QPrinter for the whole run, a system printer through the
// print service or a PDF file, as the printer dialog last set it. The page is US Letter
// portrait with no margins, so that the printable area is the whole 8.5 x 11 inch page where
// the printer allows it. The printer's own copy count stays 1: the program prints its copies
// itself, one document each, and a print service that also honoured the count would multiply
// them.
//
// A document begins with the first drawing after startJob() or the last endDoc(). When the
// output is a file, every document of a job gets a file of its own: the first the name as
// chosen, the next ones numbered ("plot.pdf", "plot-2.pdf", "plot-3.pdf", ...), so that the
// copies of a job do not overwrite each other; a numbered name whose file exists is passed over
// for the next free one, so that no file the user did not name is replaced. A document that cannot begin (no printer, a
// file that cannot be written) raises a "Printer error" once; the rest of that document is
// dropped until endDoc().
#include <QImage>
#include <QPrinter>
#include <memory>
#include <vector>

#include "platform/printer/PrintDevice.h"

namespace printer {

// The file name of the n-th document (from 1) of a job printed to `file`: the name itself for
// the first, then "-n" before the suffix ("plot-2.pdf"; "plot" without a suffix: "plot-2").
QString NumberedFile(const QString& file, int n);

class QtPrinter final : public PrintDevice {
 public:
  // The system's default printer; with no print service a PDF file (chosen in the dialog).
  QtPrinter();
  ~QtPrinter() override;  // an open document is ended (sent or written)
  QtPrinter(const QtPrinter&) = delete;
  QtPrinter& operator=(const QtPrinter&) = delete;

  QPrinter& qprinter() { return printer_; }
  // Copy count 1, portrait, no margins; the paper size is kept (US Letter unless the user
  // chose another). Done at construction and after every printer dialog.
  void keepProgramPage();
  // The printer's name, or the output file when printing to a file; "" when neither is set.
  QString deviceName() const;
  // The files the documents of the current job went to (file output), in order.
  const std::vector<QString>& filesOfJob() const { return files_; }

  gdi::TargetKind kind() const override { return gdi::TargetKind::Printer; }
  double scaleWidth() const override;
  double scaleHeight() const override;
  int resolution() const override;
  void startJob(const QString& documentName) override;
  QString documentName() const override;
  gdi::Canvas& canvas() override;
  void paintPicture(const QImage& image, double x, double y, double width, double height) override;
  void beginDocument() override;
  void newPage() override;
  void endDoc() override;
  bool documentOpen() const override { return open_; }

 private:
  class Page;
  std::unique_ptr<QPainter> openDocument();

  QPrinter printer_;
  std::unique_ptr<Page> page_;
  QImage scratch_;    // where the drawings of a document that could not begin go
  QString baseFile_;  // the output file as chosen, for numbering
  bool jobStarted_ = false;
  bool open_ = false;
  bool failed_ = false;
  int documents_ = 0;  // documents begun in this job
  int nextNumber_ = 1;  // the number the next document's file would take
  std::vector<QString> files_;
};

}  // namespace printer
