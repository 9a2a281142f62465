#include "platform/printer/RecordingPrinter.h"

namespace printer {

// The recording canvas, telling its printer when something is drawn.
class RecordingPrinter::Page final : public gdi::RecordingCanvas {
 public:
  Page(RecordingPrinter& owner, double width, double height, int dpi)
      : RecordingCanvas(gdi::TargetKind::Printer, width, height, dpi), owner_(owner) {}

  void rectangle(double x1, double y1, double x2, double y2) override {
    owner_.begin();
    RecordingCanvas::rectangle(x1, y1, x2, y2);
  }
  void ellipse(double x1, double y1, double x2, double y2) override {
    owner_.begin();
    RecordingCanvas::ellipse(x1, y1, x2, y2);
  }
  void polygon(const std::vector<gdi::Point>& points) override {
    owner_.begin();
    RecordingCanvas::polygon(points);
  }
  void textOut(double x, double y, std::string_view text) override {
    owner_.begin();
    RecordingCanvas::textOut(x, y, text);
  }

 protected:
  void line(double x1, double y1, double x2, double y2) override {
    owner_.begin();
    RecordingCanvas::line(x1, y1, x2, y2);
  }

 private:
  RecordingPrinter& owner_;
};

RecordingPrinter::RecordingPrinter(double width, double height, int dpi)
    : dpi_(dpi > 0 ? dpi : 1200), page_(std::make_unique<Page>(*this, width, height, dpi_)) {}

RecordingPrinter::~RecordingPrinter() = default;

std::vector<std::string> RecordingPrinter::log() {
  flush();
  return log_;
}

void RecordingPrinter::forget() {
  page_->forget();
  log_.clear();
}

double RecordingPrinter::scaleWidth() const { return page_->width(); }

double RecordingPrinter::scaleHeight() const { return page_->height(); }

void RecordingPrinter::startJob(const QString& documentName) {
  endDoc();
  name_ = documentName;
  flush();
  log_.push_back("JOB " + documentName.toStdString());
}

gdi::Canvas& RecordingPrinter::canvas() { return *page_; }

void RecordingPrinter::begin() {
  if (open_) return;
  open_ = true;
  ++documents_;
  pages_ = 1;
  flush();
  log_.push_back("BEGIN");
}

void RecordingPrinter::flush() {
  for (std::string& line : page_->lines()) log_.push_back(std::move(line));
  page_->forget();
}

void RecordingPrinter::paintPicture(const QImage& image, double x, double y, double width,
                                    double height) {
  begin();
  flush();
  log_.push_back("PICTURE " + gdi::ShortNumber(x) + " " + gdi::ShortNumber(y) + " " +
                 gdi::ShortNumber(width) + " " + gdi::ShortNumber(height) + " " +
                 std::to_string(image.width()) + " " + std::to_string(image.height()));
}

void RecordingPrinter::beginDocument() { begin(); }

void RecordingPrinter::newPage() {
  begin();
  flush();
  ++pages_;
  log_.push_back("NEWPAGE");
}

void RecordingPrinter::endDoc() {
  if (!open_) return;
  flush();
  open_ = false;
  log_.push_back("ENDDOC");
}

}  // namespace printer
