#include "platform/gdi/QtCanvas.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <utility>

namespace gdi {

namespace {

// Windows faces and the installed families that stand for them, best first.
struct FaceChoice {
  const char* face;
  const char* families[3];
};
const FaceChoice kFaces[] = {
    {"Arial", {"Liberation Sans", "Arimo", "DejaVu Sans"}},
    {"MS Sans Serif", {"Liberation Sans", "Arimo", "DejaVu Sans"}},
    {"Times New Roman", {"Liberation Serif", "Tinos", "DejaVu Serif"}},
    {"Courier New", {"Liberation Mono", "Cousine", "DejaVu Sans Mono"}},
};

// Ascent + descent of a family per pixel of em size: a GDI height is a cell height, a Qt pixel
// size an em size.
double CellPerEm(const QString& family) {
  static QHash<QString, double> known;
  auto it = known.find(family);
  if (it != known.end()) return *it;
  QFont f(family);
  f.setPixelSize(200);
  QFontMetricsF fm(f);
  double ratio = (fm.ascent() + fm.descent()) / 200.0;
  if (!(ratio > 0.5 && ratio < 3)) ratio = 1.15;
  known.insert(family, ratio);
  return ratio;
}

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::BrushStyle HatchPattern(int hatch) {
  switch (hatch) {
    case kHatchHorizontal:
      return Qt::HorPattern;
    case kHatchVertical:
      return Qt::VerPattern;
    case kHatchFDiagonal:
      return Qt::FDiagPattern;
    case kHatchBDiagonal:
      return Qt::BDiagPattern;
    case kHatchCross:
      return Qt::CrossPattern;
    case kHatchDiagCross:
      return Qt::DiagCrossPattern;
    default:
      return Qt::SolidPattern;
  }
}

// GDI excludes the right and bottom edges of a box: the outline runs on the last pixels
// inside it.
QRectF GdiBox(double x1, double y1, double x2, double y2) {
  double left = std::min(x1, x2), right = std::max(x1, x2);
  double top = std::min(y1, y2), bottom = std::max(y1, y2);
  return QRectF(left, top, std::max(0.0, right - left - 1), std::max(0.0, bottom - top - 1));
}

}  // namespace

QString QtFamily(const std::string& face) {
  static QHash<QString, QString> chosen;
  const QString key = QString::fromStdString(face);
  auto it = chosen.find(key);
  if (it != chosen.end()) return *it;
  QString family = key;
  for (const FaceChoice& c : kFaces) {
    if (QString::compare(key, c.face, Qt::CaseInsensitive) != 0) continue;
    family = c.families[2];
    for (const char* f : c.families)
      if (QFontDatabase::hasFamily(f)) {
        family = f;
        break;
      }
    break;
  }
  chosen.insert(key, family);
  return family;
}

QFont ToQFont(const Font& font, int deviceDpi) {
  const QString family = QtFamily(font.face.empty() ? "MS Sans Serif" : font.face);
  QFont f(family);
  const double em = std::max(1, font.height) / CellPerEm(family);
  // Point size against the device's own resolution, so that fractional pixel sizes survive.
  f.setPointSizeF(em * 72.0 / deviceDpi);
  f.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  f.setStrikeOut(font.strikeout);
  f.setKerning(false);
  f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

// --- PainterCanvas ---

PainterCanvas::PainterCanvas(int logPixelsY) : Canvas(logPixelsY) {}

PainterCanvas::~PainterCanvas() = default;

std::unique_ptr<QPainter> PainterCanvas::openPainter() {
  return std::make_unique<QPainter>(device());
}

QPainter& PainterCanvas::painter() {
  if (!painter_) {
    painter_ = openPainter();
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, true);
  }
  return *painter_;
}

void PainterCanvas::endPainting() {
  if (painter_) {
    painter_->end();
    painter_.reset();
  }
}

void PainterCanvas::deviceChanged(int logPixelsY) {
  if (painter_) return;
  if (logPixelsY <= 0 || logPixelsY == dpi_) return;
  const bool defaultFont = state_.font == DefaultFont(dpi_);
  dpi_ = logPixelsY;
  if (defaultFont) state_.font = DefaultFont(dpi_);
  cachedValid_ = false;
}

void PainterCanvas::applyPenAndBrush(QPainter& p) {
  const Pen& pen = state_.pen;
  QPen qp(ToQColor(pen.color));
  if (pen.width <= 1) {
    qp.setWidth(0);               // cosmetic one-pixel pen
    qp.setCapStyle(Qt::FlatCap);  // GDI leaves out the last pixel of a line
  } else {
    qp.setWidth(pen.width);
    qp.setCapStyle(Qt::RoundCap);
    qp.setJoinStyle(Qt::RoundJoin);
  }
  switch (pen.style) {
    case PenStyle::Solid:
      break;
    case PenStyle::Dash:
      qp.setStyle(Qt::DashLine);
      break;
    case PenStyle::Dot:
      qp.setStyle(Qt::DotLine);
      break;
    case PenStyle::DashDot:
      qp.setStyle(Qt::DashDotLine);
      break;
    case PenStyle::DashDotDot:
      qp.setStyle(Qt::DashDotDotLine);
      break;
    case PenStyle::Null:
      qp.setStyle(Qt::NoPen);
      break;
  }
  p.setPen(qp);
  const Brush& b = state_.brush;
  if (b.style == Brush::Style::Hollow)
    p.setBrush(Qt::NoBrush);
  else if (b.style == Brush::Style::Solid)
    p.setBrush(QBrush(ToQColor(b.color)));
  else
    p.setBrush(QBrush(ToQColor(b.color), HatchPattern(b.hatch)));
  p.setBackgroundMode(state_.bkMode == kOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
  p.setBackground(QBrush(ToQColor(state_.bkColor)));
}

const QFont& PainterCanvas::currentQFont() {
  if (!cachedValid_ || !(cachedFont_ == state_.font)) {
    cachedFont_ = state_.font;
    cachedQFont_ = ToQFont(state_.font, device()->logicalDpiY());
    cachedValid_ = true;
  }
  return cachedQFont_;
}

void PainterCanvas::line(double x1, double y1, double x2, double y2) {
  if (x1 == x2 && y1 == y2) return;  // LineTo to the current point draws nothing
  QPainter& p = painter();
  applyPenAndBrush(p);
  p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PainterCanvas::rectangle(double x1, double y1, double x2, double y2) {
  QPainter& p = painter();
  applyPenAndBrush(p);
  p.drawRect(GdiBox(x1, y1, x2, y2));
}

void PainterCanvas::ellipse(double x1, double y1, double x2, double y2) {
  QPainter& p = painter();
  applyPenAndBrush(p);
  p.drawEllipse(GdiBox(x1, y1, x2, y2));
}

void PainterCanvas::polygon(const std::vector<Point>& points) {
  if (points.size() < 2) return;
  QPolygonF poly;
  for (const Point& pt : points) poly << QPointF(pt.x, pt.y);
  QPainter& p = painter();
  applyPenAndBrush(p);
  p.drawPolygon(poly, Qt::OddEvenFill);
}

void PainterCanvas::textOut(double x, double y, std::string_view text) {
  if (text.empty()) return;
  QPainter& p = painter();
  const QFont& font = currentQFont();
  p.setFont(font);
  QFontMetricsF fm(font, device());
  // One line: line breaks are drawn as blanks, never as new lines.
  QString s = ToQString(text);
  s.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  const double cell = std::max(1, state_.font.height);
  const double scale = cell / std::max(1.0, fm.ascent() + fm.descent());
  p.save();
  p.translate(x, y);
  if (state_.font.escapement != 0) p.rotate(-state_.font.escapement / 10.0);
  if (state_.bkMode == kOpaque)
    p.fillRect(QRectF(0, 0, fm.horizontalAdvance(s), cell), ToQColor(state_.bkColor));
  p.setPen(QPen(ToQColor(state_.textColor)));
  p.drawText(QPointF(0, fm.ascent() * scale), s);
  p.restore();
}

Extent PainterCanvas::textExtent(std::string_view text) {
  const std::vector<std::string_view> lines = TextLines(text);
  if (lines.empty()) return {};
  QFontMetricsF fm(currentQFont(), device());
  double widest = 0;
  for (std::string_view l : lines) widest = std::max(widest, fm.horizontalAdvance(ToQString(l)));
  return {std::ceil(widest),
          static_cast<double>(std::max(1, state_.font.height)) * static_cast<double>(lines.size())};
}

// --- PictureCanvas ---

PictureCanvas::PictureCanvas(int width, int height, Rgb backColor, TargetKind kind,
                             double devicePixelRatio)
    : PainterCanvas(kScreenDpi),
      kind_(kind),
      back_(backColor),
      width_(std::max(1, width)),
      height_(std::max(1, height)) {
  const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1;
  image_ = QImage(static_cast<int>(std::ceil(width_ * ratio)),
                  static_cast<int>(std::ceil(height_ * ratio)), QImage::Format_RGB32);
  image_.setDevicePixelRatio(ratio);
  // 96 dpi exactly, so that fonts given in points come out at screen sizes.
  const int dotsPerMeter = static_cast<int>(std::lround(kScreenDpi / 0.0254));
  image_.setDotsPerMeterX(dotsPerMeter);
  image_.setDotsPerMeterY(dotsPerMeter);
  image_.fill(ToQColor(back_));
}

PictureCanvas::~PictureCanvas() { endPainting(); }

void PictureCanvas::clear() {
  endPainting();
  // A picture handed out (image()) and still held is not copied only to be painted over: the
  // canvas paints on the one it handed out before, once no one holds that any more, or on a
  // new one. Two pictures take turns, and no memory is asked for anew per drawing.
  if (!image_.isDetached()) {
    if (spare_.isDetached() && spare_.size() == image_.size() &&
        spare_.format() == image_.format()) {
      std::swap(image_, spare_);
    } else {
      QImage fresh(image_.size(), image_.format());
      fresh.setDevicePixelRatio(image_.devicePixelRatio());
      fresh.setDotsPerMeterX(image_.dotsPerMeterX());
      fresh.setDotsPerMeterY(image_.dotsPerMeterY());
      spare_ = std::exchange(image_, std::move(fresh));
    }
  }
  image_.fill(ToQColor(back_));
}

const QImage& PictureCanvas::image() {
  endPainting();
  return image_;
}

Rgb PictureCanvas::pixel(int x, int y) {
  endPainting();
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return 0;
  return FromQColor(QColor(image_.pixel(x, y)));
}

bool PictureCanvas::savePng(const std::string& path) {
  return image().save(QString::fromStdString(path), "PNG");
}

// --- PrinterCanvas ---

PrinterCanvas::PrinterCanvas(QPagedPaintDevice& device)
    : PainterCanvas(device.logicalDpiY()), device_(device) {}

PrinterCanvas::~PrinterCanvas() { finish(); }

QPaintDevice* PrinterCanvas::device() { return &device_; }

double PrinterCanvas::width() const { return device_.width(); }

double PrinterCanvas::height() const { return device_.height(); }

bool PrinterCanvas::newPage() {
  painter();  // a page that had nothing drawn on it still counts
  return device_.newPage();
}

void PrinterCanvas::finish() { endPainting(); }

}  // namespace gdi
