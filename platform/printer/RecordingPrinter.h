#pragma once
// A printer for tests: it prints nothing and keeps one log, in order, of what reached it:
//   "JOB <document name>"        startJob
//   "BEGIN"                      a document began (with the first drawing, picture or new page)
//   the canvas's records         as gdi::RecordingCanvas::lines() writes them ("LINE 0 0 10 10")
//   "PICTURE x y w h iw ih"      paintPicture: the box and the image's own size
//   "NEWPAGE", "ENDDOC"
// Its default page is US Letter at 1200 dpi with no margins: 10200 x 13200 pixels.
#include <string>
#include <vector>

#include "platform/gdi/RecordingCanvas.h"
#include "platform/printer/PrintDevice.h"

namespace printer {

class RecordingPrinter final : public PrintDevice {
 public:
  explicit RecordingPrinter(double width = 10200, double height = 13200, int dpi = 1200);
  ~RecordingPrinter() override;

  // Everything so far; forget() starts the log afresh.
  std::vector<std::string> log();
  void forget();
  // Documents begun and pages of the last one.
  int documents() const { return documents_; }
  int pagesOfDocument() const { return pages_; }

  gdi::TargetKind kind() const override { return gdi::TargetKind::Printer; }
  double scaleWidth() const override;
  double scaleHeight() const override;
  int resolution() const override { return dpi_; }
  void startJob(const QString& documentName) override;
  QString documentName() const override { return name_; }
  gdi::Canvas& canvas() override;
  void paintPicture(const QImage& image, double x, double y, double width, double height) override;
  void beginDocument() override;
  void newPage() override;
  void endDoc() override;
  bool documentOpen() const override { return open_; }

 private:
  class Page;
  void begin();
  void flush();

  int dpi_;
  std::unique_ptr<Page> page_;
  std::vector<std::string> log_;
  QString name_;
  bool open_ = false;
  int documents_ = 0;
  int pages_ = 0;
};

}  // namespace printer
