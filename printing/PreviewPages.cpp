#include "printing/PreviewPages.h"

#include <QPainter>
#include <cmath>

#include "platform/gdi/QtCanvas.h"

namespace {

QImage BlankPage() {
  QImage page(PreviewPages::kPageWidth, PreviewPages::kPageHeight, QImage::Format_RGB32);
  const int dotsPerMeter = static_cast<int>(std::lround(gdi::kScreenDpi / 0.0254));
  page.setDotsPerMeterX(dotsPerMeter);
  page.setDotsPerMeterY(dotsPerMeter);
  page.fill(Qt::white);
  return page;
}

}  // namespace

// The window's drawing surface: whatever is drawn goes to the current page.
class PreviewPages::Surface final : public gdi::PainterCanvas {
 public:
  explicit Surface(PreviewPages& owner)
      : PainterCanvas(gdi::kScreenDpi), owner_(owner), scratch_(BlankPage()) {}
  ~Surface() override { endPainting(); }

  gdi::TargetKind kind() const override { return gdi::TargetKind::Form; }
  double width() const override { return kPageWidth; }
  double height() const override { return kPageHeight; }
  // Cls: the current page white again.
  void clear() override {
    endPainting();
    if (!owner_.pages_.empty()) owner_.pages_.back()->fill(Qt::white);
    owner_.changed();
  }
  QPainter& open() { return painter(); }
  void close() { endPainting(); }

 protected:
  // Before the first page exists (text measured ahead of any drawing) a blank page of the same
  // size answers.
  QPaintDevice* device() override {
    return owner_.pages_.empty() ? &scratch_ : owner_.pages_.back().get();
  }
  std::unique_ptr<QPainter> openPainter() override {
    owner_.begin();
    return PainterCanvas::openPainter();
  }

 private:
  PreviewPages& owner_;
  QImage scratch_;
};

PreviewPages::PreviewPages() : surface_(std::make_unique<Surface>(*this)) {}

PreviewPages::~PreviewPages() { surface_->close(); }

const QImage& PreviewPages::page(int index) {
  surface_->close();  // what the painter holds is on the page
  static const QImage blank = BlankPage();
  if (index < 0 || index >= pageCount()) return blank;
  return *pages_[static_cast<size_t>(index)];
}

void PreviewPages::discard() {
  dropPages();
  open_ = false;
}

void PreviewPages::dropPages() {
  surface_->close();
  pages_.clear();
  changed();
}

void PreviewPages::startJob(const QString& documentName) {
  name_ = documentName;
  discard();
}

gdi::Canvas& PreviewPages::canvas() { return *surface_; }

void PreviewPages::begin() {
  if (open_ && !pages_.empty()) return;
  open_ = true;
  addPage();
}

void PreviewPages::addPage() {
  surface_->close();  // the painter never outlives the page it was opened on
  pages_.push_back(std::make_unique<QImage>(BlankPage()));
  if (onPageStart_) onPageStart_();
  changed();
}

void PreviewPages::paintPicture(const QImage& image, double x, double y, double width,
                                double height) {
  if (image.isNull()) return;
  surface_->open().drawImage(QRectF(x, y, width, height), image);
  changed();
}

void PreviewPages::beginDocument() { begin(); }

void PreviewPages::newPage() {
  // An open document whose pages were dropped has no page to end: the next one is its first.
  const bool pageToEnd = !(open_ && pages_.empty());
  begin();
  if (pageToEnd) addPage();
}

void PreviewPages::endDoc() {
  surface_->close();  // the next drawing opens the painter again, on a new page
  open_ = false;
}

void PreviewPages::changed() {
  if (onChange_) onChange_();
}
