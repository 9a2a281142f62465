#include "platform/printer/QtPrinter.h"

#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>

#include "platform/gdi/QtCanvas.h"
#include "platform/runtime/Error.h"

namespace printer {

QString NumberedFile(const QString& file, int n) {
  if (n <= 1) return file;
  const qsizetype slash = file.lastIndexOf(QLatin1Char('/'));
  const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
  const QString tag = QStringLiteral("-") + QString::number(n);
  // A dot that starts the file name (".pdf") or sits in a folder name is no suffix.
  if (dot <= slash + 1) return file + tag;
  return file.left(dot) + tag + file.mid(dot);
}

// The printer page as a canvas: its painter is the printer's document, opened by the printer.
class QtPrinter::Page final : public gdi::PrinterCanvas {
 public:
  Page(QtPrinter& owner, QPrinter& printer) : PrinterCanvas(printer), owner_(owner) {}
  ~Page() override { endPainting(); }
  QPainter& open() { return painter(); }
  void close() { endPainting(); }
  void renew(int logPixelsY) { deviceChanged(logPixelsY); }

 protected:
  std::unique_ptr<QPainter> openPainter() override { return owner_.openDocument(); }

 private:
  QtPrinter& owner_;
};

QtPrinter::QtPrinter() : printer_(QPrinter::HighResolution), scratch_(1, 1, QImage::Format_RGB32) {
  printer_.setPageSize(QPageSize(QPageSize::Letter));
  keepProgramPage();
  page_ = std::make_unique<Page>(*this, printer_);
}

QtPrinter::~QtPrinter() {
  // The page goes first: ending its painter ends the document while the printer still exists.
  page_.reset();
}

void QtPrinter::keepProgramPage() {
  printer_.setFullPage(false);
  printer_.setCopyCount(1);
  printer_.setPageOrientation(QPageLayout::Portrait);
  printer_.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

QString QtPrinter::deviceName() const {
  if (!printer_.outputFileName().isEmpty()) return printer_.outputFileName();
  return printer_.printerName();
}

double QtPrinter::scaleWidth() const { return printer_.width(); }

double QtPrinter::scaleHeight() const { return printer_.height(); }

int QtPrinter::resolution() const { return printer_.resolution(); }

void QtPrinter::startJob(const QString& documentName) {
  endDoc();
  printer_.setDocName(documentName);
  baseFile_ = printer_.outputFileName();
  jobStarted_ = true;
  documents_ = 0;
  files_.clear();
}

QString QtPrinter::documentName() const { return printer_.docName(); }

gdi::Canvas& QtPrinter::canvas() { return *page_; }

std::unique_ptr<QPainter> QtPrinter::openDocument() {
  if (failed_) return std::make_unique<QPainter>(&scratch_);
  if (!jobStarted_) {
    // Printing with no dialog before it (the screen plot in preview mode): a job of its own.
    baseFile_ = printer_.outputFileName();
    jobStarted_ = true;
  }
  ++documents_;
  // The first document goes to the file the user chose (the dialog asked before replacing
  // it); the copies after it to the next numbers whose files do not exist, so that no file the
  // user did not name is replaced.
  if (documents_ == 1) nextNumber_ = 1;
  QString file = NumberedFile(baseFile_, nextNumber_);
  if (!baseFile_.isEmpty() && documents_ > 1) {
    while (QFileInfo::exists(file)) file = NumberedFile(baseFile_, ++nextNumber_);
  }
  if (!baseFile_.isEmpty()) printer_.setOutputFileName(file);
  page_->renew(printer_.logicalDpiY());
  auto painter = std::make_unique<QPainter>();
  open_ = true;
  if (!painter->begin(&printer_)) {
    failed_ = true;
    --documents_;  // its file is still free for the next document
    if (!baseFile_.isEmpty()) printer_.setOutputFileName(baseFile_);
    const QString where = !file.isEmpty()                     ? file
                          : !printer_.printerName().isEmpty() ? printer_.printerName()
                                                              : QStringLiteral("no printer chosen");
    vb::Raise(kPrinterError, "Printer error (" + where.toStdString() + ")");
  }
  if (!baseFile_.isEmpty()) files_.push_back(file);
  ++nextNumber_;
  // Qt's PDF engine keeps the pen and brush of the printer's last document while a new painter
  // starts with the defaults, so a first drawing in the default black would come out in the
  // last document's colour. Changing both once makes the painter hand its state to the engine.
  painter->setPen(Qt::white);
  painter->setPen(Qt::black);
  painter->setBrush(Qt::white);
  painter->setBrush(Qt::NoBrush);
  return painter;
}

void QtPrinter::paintPicture(const QImage& image, double x, double y, double width, double height) {
  QPainter& p = page_->open();
  if (failed_ || image.isNull()) return;
  p.drawImage(QRectF(x, y, width, height), image);
}

void QtPrinter::beginDocument() { page_->open(); }

void QtPrinter::newPage() {
  page_->open();
  if (!failed_) printer_.newPage();
}

void QtPrinter::endDoc() {
  if (!open_) return;
  page_->close();
  open_ = false;
  failed_ = false;
  if (!baseFile_.isEmpty()) printer_.setOutputFileName(baseFile_);
}

}  // namespace printer
