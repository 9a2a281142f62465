#pragma once
// The printer object every print routine draws through: the printer page (QtPrinter.h), the plot
// preview window's pages (the printing subsystem's) and a recording back end for tests
// (RecordingPrinter.h).
//
// Sizes are device pixels (the printer's ScaleMode of pixels): the printable area of the page,
// its origin at the top-left corner. A document begins with the first drawing, picture or new
// page after the last end of document; there is no explicit start. The canvas is one object
// for the device's whole life, so a drawing layer bound to it stays bound across pages and
// documents; what it draws goes to the current page.
#include <QImage>
#include <QString>

#include "platform/gdi/Canvas.h"

namespace printer {

// The number of the printer error VB raised (a document that cannot begin, no printer).
inline constexpr long kPrinterError = 482;

class PrintDevice {
 public:
  virtual ~PrintDevice() = default;

  // Printer for a printer page, Form for the preview window.
  virtual gdi::TargetKind kind() const = 0;
  // ScaleWidth and ScaleHeight: the printable area in device pixels.
  virtual double scaleWidth() const = 0;
  virtual double scaleHeight() const = 0;
  // Device pixels per inch (1200 on a PDF file, 96 on the preview window).
  virtual int resolution() const = 0;
  // TwipsPerPixelX and TwipsPerPixelY.
  double twipsPerPixel() const { return 1440.0 / resolution(); }

  // A new print job under this document name (the aircraft of the job); the document itself
  // begins with its first drawing. The preview window forgets the pages of the last job.
  virtual void startJob(const QString& documentName) = 0;
  virtual QString documentName() const = 0;

  // The surface of the current page; drawing on it begins the document when none is open.
  virtual gdi::Canvas& canvas() = 0;
  // PaintPicture: the image stretched over the box (device pixels) of the current page.
  virtual void paintPicture(const QImage& image, double x, double y, double width,
                            double height) = 0;
  // Begins a document when none is open, as the first drawing would: a page that draws nothing
  // still counts, and a document that could not begin says so now.
  virtual void beginDocument() = 0;
  // NewPage: the next page of the same document. With no document open one begins first, so
  // its empty first page counts.
  virtual void newPage() = 0;
  // EndDoc: ends the document (a printer job is sent, a file written). Nothing when none is open.
  virtual void endDoc() = 0;
  virtual bool documentOpen() const = 0;
  // Refresh: shows what has been drawn so far; nothing on a printer.
  virtual void refresh() {}
};

}  // namespace printer
