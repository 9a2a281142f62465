// The chart picture host: the persistent chart image, its repaint, the rebuilds and the hover.
#include "mainwindow/ChartPicture.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "charts/ChartBuilders.h"
#include "foundation/Globals.h"
#include "mainwindow/ControlNames.h"
#include "platform/gdi/QtCanvas.h"

namespace MainForm {

namespace {

// The form places the assumption box 480 twips below the top of the chart pictures.
constexpr int kAssumptionBoxTop = 480 / gdi::kScreenTwipsPerPixel;
constexpr gdi::Rgb kAssumptionBack = gdi::RGB(255, 255, 224);

// The size of an image in screen pixels, whatever its device pixel ratio.
QSize ScreenSize(const QImage& image) { return image.deviceIndependentSize().toSize(); }

// A canvas over a copy of an image: the pop-up is drawn on it, the original stays untouched.
class ImageCanvas final : public gdi::PainterCanvas {
 public:
  explicit ImageCanvas(const QImage& image) : PainterCanvas(gdi::kScreenDpi), image_(image) {}
  ~ImageCanvas() override {
    endPainting();
    ChartHover::ReleaseGraphTarget(this);
  }
  gdi::TargetKind kind() const override { return gdi::TargetKind::Picture; }
  double width() const override { return ScreenSize(image_).width(); }
  double height() const override { return ScreenSize(image_).height(); }
  void clear() override {
    endPainting();
    image_.fill(Qt::white);
  }
  QImage Finish() {
    endPainting();
    return image_;
  }

 protected:
  QPaintDevice* device() override { return &image_; }

 private:
  QImage image_;
};

// The canvas of a widget goes with the drawing layer's binding to it.
struct ReleasingDelete {
  void operator()(gdi::PictureCanvas* canvas) const {
    ChartHover::ReleaseGraphTarget(canvas);
    delete canvas;
  }
};

}  // namespace

// The assumption box: the chart's assumption text in the legend font on a pale yellow ground,
// sized from that font. The mouse passes through it to the pictures below.
class AssumptionBox final : public QWidget {
 public:
  explicit AssumptionBox(QWidget* parent) : QWidget(parent), probe_(1, 1) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setVisible(false);
  }
  ~AssumptionBox() override { ChartHover::ReleaseGraphTarget(&probe_); }

  // Draws the text and gives the box its size; the caller places it.
  void SetText(const std::string& text) {
    text_ = text;
    const gdi::Extent size = ChartHover::AssumptionBoxSize(probe_, text);
    const int w = std::max(1, static_cast<int>(size.width));
    const int h = std::max(1, static_cast<int>(size.height));
    gdi::PictureCanvas canvas(w, h, kAssumptionBack, gdi::TargetKind::Picture,
                              devicePixelRatioF());
    ChartHover::DrawAssumptionBox(canvas, text);
    image_ = canvas.image();
    ChartHover::ReleaseGraphTarget(&canvas);
    ChartHover::ReleaseGraphTarget(&probe_);
    resize(w, h);
    update();
  }
  const std::string& Text() const { return text_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.drawImage(0, 0, image_);
  }

 private:
  gdi::PictureCanvas probe_;
  std::string text_;
  QImage image_;
};

ChartPicture::ChartPicture(std::string pictureName, QWidget* parent)
    : QWidget(parent), name_(std::move(pictureName)), picture_(ChartHover::PictureFromName(name_)) {
  setObjectName(QString::fromStdString(name_));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

ChartPicture::~ChartPicture() {
  delete box_.data();
  if (canvas_) ChartHover::ReleaseGraphTarget(canvas_.get());
}

int ChartPicture::Tab() const {
  const ChartHover::PictureInfo* info = ChartHover::Find(picture_);
  return info ? info->tab : 0;
}

int ChartPicture::ChartNumber() const {
  return picture_ == Chart::ChartPicture::Other ? 0 : Chart::ChartNumberFromPicture(picture_);
}

void ChartPicture::Rebuild(bool fromDatabase) {
  rebuildPending_ = false;
  // Nothing of the hover survives a new drawing: the chart's state says nothing is shown.
  ErasePopup();
  if (const int chart = ChartNumber(); chart > 0) ChartHover::vars().PopupPoint[chart] = 0;
  // Drawn at the screen's device pixel ratio: as sharp as the drawings beside it.
  const int w = std::max(1, width()), h = std::max(1, height());
  const double ratio = devicePixelRatioF();
  if (!canvas_ || canvas_->width() != w || canvas_->height() != h ||
      canvas_->devicePixelRatio() != ratio) {
    if (canvas_) ChartHover::ReleaseGraphTarget(canvas_.get());
    canvas_.reset(new gdi::PictureCanvas(w, h, 0xFFFFFF, gdi::TargetKind::Picture, ratio));
  }
  if (picture_ == Chart::ChartPicture::Other)
    canvas_->clear();
  else
    ChartBuilders::BuildChart(ChartNumber(), *canvas_, fromDatabase);
  chartImage_ = canvas_->image();
  captionKnown_ = false;
  // The assumption text is read with the chart, so that opening the box reads nothing.
  const std::string group =
      ChartHover::ReportGroup(picture_, Globals::vars().AircraftClass, Globals::vars().WATChart);
  if (fromDatabase || group != assumptionGroup_) {
    assumptionText_ = ChartHover::AssumptionText(group);
    assumptionGroup_ = group;
  }
  update();
}

QWidget* ChartPicture::AssumptionBoxWidget() const { return box_.data(); }

std::string ChartPicture::AssumptionBoxText() const { return box_ ? box_->Text() : std::string(); }

void ChartPicture::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QImage& shown = ShownImage();
  // White where no opaque picture covers the widget (before the first drawing, a size change).
  if (shown.isNull() || shown.hasAlphaChannel() ||
      !QRect(QPoint(0, 0), ScreenSize(shown)).contains(event->rect()))
    p.fillRect(event->rect(), Qt::white);
  if (!shown.isNull()) p.drawImage(0, 0, shown);
}

void ChartPicture::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!DrawnForScreen()) ScheduleRebuild();
}

void ChartPicture::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!DrawnForScreen()) ScheduleRebuild();
}

bool ChartPicture::DrawnForScreen() const {
  return ScreenSize(chartImage_) == size() && chartImage_.devicePixelRatio() == devicePixelRatioF();
}

// Resizes come in bursts: the picture is drawn again once, after the last of them, and only
// while it can be seen (its tab is current); a Rebuild in between makes it unnecessary.
void ChartPicture::ScheduleRebuild() {
  if (rebuildPending_) return;
  rebuildPending_ = true;
  QTimer::singleShot(0, this, [this] {
    if (!rebuildPending_) return;
    rebuildPending_ = false;
    if (isVisible() && !DrawnForScreen()) Rebuild(true);
  });
}

void ChartPicture::mouseMoveEvent(QMouseEvent* event) {
  if (chartImage_.isNull() || rebuildPending_) return;
  General::ChartMouseMove(*this, event->position().x(), event->position().y());
}

void ChartPicture::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  General::ChartMouseLeave(*this);
}

double ChartPicture::ScaleWidth() const { return ScreenSize(chartImage_).width(); }

ChartHover::CaptionExtent ChartPicture::Caption() {
  if (!captionKnown_ && canvas_) {
    caption_ = ChartHover::MeasureCaption(*canvas_);
    captionKnown_ = true;
  }
  return caption_;
}

void ChartPicture::ShowPopup(int s, int p) {
  if (p == ChartHover::kAssumptionBox) {
    ShowAssumptionBox();
    return;
  }
  ImageCanvas copy(chartImage_);
  General::DrawChartPopup(copy, ChartNumber(), s, p);
  popupImage_ = copy.Finish();
  popupShown_ = true;
  update();
}

void ChartPicture::ErasePopup() {
  if (box_) box_->setVisible(false);
  if (!popupShown_) return;
  popupShown_ = false;
  popupImage_ = QImage();
  update();
}

void ChartPicture::ShowAssumptionBox() {
  // The box lies over the picture's parent, so that a text wider than the picture can still be
  // read; a picture without a parent holds it itself.
  QWidget* host = parentWidget() ? parentWidget() : this;
  if (!box_)
    box_ = new AssumptionBox(host);
  else if (box_->parentWidget() != host)
    box_->setParent(host);
  box_->setObjectName(QString::fromStdString(ctl::stcAssumption_ + name_));
  box_->SetText(assumptionText_);
  const QRect picture = host == this ? rect() : geometry();
  const int left = std::max(0, picture.right() + 1 - box_->width());
  box_->move(left, picture.top() + kAssumptionBoxTop);
  box_->raise();
  box_->setVisible(true);
}

// --- QualifierLabel ---

namespace {

// The smallest size a qualifier is written in.
constexpr double kSmallestQualifierPoints = 5;

}  // namespace

QualifierLabel::QualifierLabel(QWidget* parent) : QLabel(parent), base_(font()) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

void QualifierLabel::SetQualifier(const QString& text) {
  setText(text);
  Fit();
}

void QualifierLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Fit();
}

void QualifierLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  // A font given from outside (the window's own font) is the one to fit from.
  if (event->type() == QEvent::FontChange && !fitting_) {
    base_ = font();
    Fit();
  }
}

void QualifierLabel::Fit() {
  if (fitting_) return;
  fitting_ = true;
  const QString shown = text();
  const QRectF area = contentsRect();
  QFont f = base_;
  bool wrap = QFontMetricsF(f).horizontalAdvance(shown) > area.width();
  if (wrap) {
    // Lines as the label breaks them, in the largest size whose lines fit its height.
    double size = f.pointSizeF() > 0 ? f.pointSizeF() : QFontInfo(f).pointSizeF();
    for (;; size -= 0.5) {
      f.setPointSizeF(std::max(size, kSmallestQualifierPoints));
      const QRectF need = QFontMetricsF(f).boundingRect(
          QRectF(0, 0, area.width(), 1e6), Qt::TextWordWrap | Qt::AlignHCenter, shown);
      if ((need.height() <= area.height() && need.width() <= area.width()) ||
          size <= kSmallestQualifierPoints)
        break;
    }
  }
  setWordWrap(wrap);
  setFont(f);
  fitting_ = false;
}

}  // namespace MainForm
