#include "platform/dxfcontrol/PainterSink.h"

#include <QFontMetricsF>
#include <QPolygonF>
#include <QVector>
#include <algorithm>
#include <cmath>
#include <mutex>
#include <unordered_map>

namespace dxf {

namespace {
// Fonts are laid out at this pixel size and scaled to the text height.
constexpr int kLayoutPixels = 100;
// Coordinates are kept within this many pixels: the raster engine's fixed-point arithmetic
// overflows far beyond it, and nothing out there is visible.
constexpr double kFar = 1e6;
// A batch of solid lines is drawn once it holds this many lines, or lines this many pixels long
// together (about 30 ms of the raster engine's work): the renderer reads its clock between
// entities, and sees the time the lines take only once they are drawn, so that a redraw of many
// long lines keeps its time budget.
constexpr size_t kBatchLines = 65536;
constexpr double kBatchPixels = 1 << 20;

// Qt's raster engine returns with the upper halves of the AVX registers in use, and on x86-64
// every SSE instruction after that runs several times slower (measured: the renderer's own
// work took 3.5 times as long once Qt had drawn). Clearing that state after each call into Qt
// restores the speed; it is skipped on processors without AVX.
inline void AfterQt() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  static const bool hasAvx = __builtin_cpu_supports("avx");
  if (hasAvx) asm volatile("vzeroupper" ::: "memory");
#endif
}

bool Near(const Point& p) { return std::fabs(p.x) <= kFar && std::fabs(p.y) <= kFar; }

// Sutherland-Hodgman clipping of a polygon to the square [-kFar, kFar]^2: exact inside it.
std::vector<Point> ClipPolygon(const std::vector<Point>& in) {
  std::vector<Point> cur = in, next;
  for (int edge = 0; edge < 4; ++edge) {
    auto inside = [edge](const Point& p) {
      switch (edge) {
        case 0:
          return p.x >= -kFar;
        case 1:
          return p.x <= kFar;
        case 2:
          return p.y >= -kFar;
        default:
          return p.y <= kFar;
      }
    };
    auto cross = [edge](const Point& a, const Point& b) {
      double bound = (edge % 2 == 0) ? -kFar : kFar;
      double t = edge < 2 ? (bound - a.x) / (b.x - a.x) : (bound - a.y) / (b.y - a.y);
      return Point{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
    };
    next.clear();
    for (size_t i = 0; i < cur.size(); ++i) {
      const Point& a = cur[i];
      const Point& b = cur[(i + 1) % cur.size()];
      if (inside(b)) {
        if (!inside(a)) next.push_back(cross(a, b));
        next.push_back(b);
      } else if (inside(a)) {
        next.push_back(cross(a, b));
      }
    }
    cur.swap(next);
    if (cur.empty()) break;
  }
  return cur;
}
}  // namespace

PainterSink::PainterSink(QPainter& painter, const QRectF* clip) : p_(painter), linePainter_(&painter) {
  p_.setBrush(Qt::NoBrush);
  QPaintDevice* device = p_.device();
  if (device) span_ = std::max(1.0, static_cast<double>(device->width() + device->height()));
  if (device && device->devType() == QInternal::Image && p_.worldTransform().isIdentity() &&
      p_.compositionMode() == QPainter::CompositionMode_SourceOver && p_.opacity() == 1 &&
      (clip || !p_.hasClipping())) {
    image_ = static_cast<QImage*>(device);
    hasClip_ = clip != nullptr;
    if (clip) clip_ = *clip;
  }
}

void PainterSink::Flush() {
  if (lines_.empty()) return;
  linePainter_->drawLines(lines_.data(), static_cast<int>(lines_.size()));
  lines_.clear();
  batchPixels_ = 0;
  AfterQt();
}

QPen PainterSink::makePen(Rgb rgb, double width, const std::vector<double>& dash) {
  QPen pen(ToQColor(rgb));
  pen.setWidthF(width);
  pen.setCosmetic(true);
  // Batched segments meet without joins; round ends close the corners of wide plot pens.
  pen.setCapStyle(width > 1.5 ? Qt::RoundCap : Qt::FlatCap);
  pen.setJoinStyle(width > 1.5 ? Qt::RoundJoin : Qt::MiterJoin);
  if (!dash.empty()) {
    // Qt's dash pattern counts in pen widths and needs dash/gap pairs.
    QVector<qreal> pattern;
    const double w = width > 0 ? width : 1;
    bool wantDash = true;  // Qt wants dash, gap, dash, gap, ...
    for (double d : dash) {
      const bool gap = d < 0;
      const double len = std::max(0.01, std::fabs(d) / w);
      if (gap != wantDash) {
        pattern.push_back(len);
        wantDash = !wantDash;
      } else if (pattern.isEmpty()) {
        pattern.push_back(0.01);
        pattern.push_back(len);
      } else {
        pattern.back() += len;
      }
    }
    if (pattern.size() % 2) pattern.push_back(0.01);
    pen.setDashPattern(pattern);
  }
  return pen;
}

QPainter& PainterSink::penPainter(Rgb rgb, double width) {
  constexpr size_t kPenPainters = 16;
  ++penClock_;
  size_t oldest = 0;
  for (size_t i = 0; i < penPainters_.size(); ++i) {
    PenPainter& pp = penPainters_[i];
    if (pp.rgb == rgb && pp.width == width) {
      pp.used = penClock_;
      return *pp.painter;
    }
    if (pp.used < penPainters_[oldest].used) oldest = i;
  }
  if (penPainters_.size() >= kPenPainters) {
    // The least recently used painter takes the new pen.
    PenPainter& reused = penPainters_[oldest];
    reused.rgb = rgb;
    reused.width = width;
    reused.used = penClock_;
    reused.painter->setPen(makePen(rgb, width, {}));
    AfterQt();
    return *reused.painter;
  }
  PenPainter added;
  added.rgb = rgb;
  added.width = width;
  added.used = penClock_;
  added.image = std::make_unique<QImage>(image_->bits(), image_->width(), image_->height(),
                                         image_->bytesPerLine(), image_->format());
  added.image->setDevicePixelRatio(image_->devicePixelRatio());
  added.painter = std::make_unique<QPainter>(added.image.get());
  added.painter->setRenderHints(p_.renderHints());
  if (hasClip_) added.painter->setClipRect(clip_);
  added.painter->setBrush(Qt::NoBrush);
  added.painter->setPen(makePen(rgb, width, {}));
  AfterQt();
  penPainters_.push_back(std::move(added));
  return *penPainters_.back().painter;
}

void PainterSink::setPen(Rgb rgb, double width, const std::vector<double>& dash) {
  if (havePen_ && rgb == penRgb_ && width == penWidth_ && dash == penDash_) return;
  Flush();
  havePen_ = true;
  penRgb_ = rgb;
  penWidth_ = width;
  penDash_ = dash;
  if (dash.empty() && image_) {
    linePainter_ = &penPainter(rgb, width);
    return;
  }
  linePainter_ = &p_;
  if (dash.empty()) {
    // Solid pens are kept, so switching between layer colours builds no new pen.
    for (auto& [key, pen] : solidPens_) {
      if (key.first == rgb && key.second == width) {
        p_.setPen(pen);
        AfterQt();
        return;
      }
    }
  }
  pen_ = makePen(rgb, width, dash);
  p_.setPen(pen_);
  AfterQt();
  if (dash.empty() && solidPens_.size() < 64)
    solidPens_.emplace_back(std::make_pair(rgb, width), pen_);
}

void PainterSink::Polyline(const std::vector<Point>& pts, Rgb rgb, double width,
                           const std::vector<double>& dash) {
  if (pts.size() < 2) return;
  setPen(rgb, width, dash);
  bool near = true;
  for (const Point& p : pts) near = near && Near(p);
  if (dash.empty() || !near) {
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
      Point a = pts[i], b = pts[i + 1];
      if (!near && !ClipSegment(a, b, -kFar, kFar)) continue;
      lines_.emplace_back(a.x, a.y, b.x, b.y);
      // What the device shows of the line is at most as long as the device is wide and high.
      batchPixels_ += std::min(std::fabs(b.x - a.x) + std::fabs(b.y - a.y), span_);
    }
    if (lines_.size() >= kBatchLines || batchPixels_ >= kBatchPixels) Flush();
    return;
  }
  // A dash pattern runs along the whole chain.
  buf_.resize(pts.size());
  for (size_t i = 0; i < pts.size(); ++i) buf_[i] = QPointF(pts[i].x, pts[i].y);
  linePainter_->drawPolyline(buf_.data(), static_cast<int>(buf_.size()));
  AfterQt();
}

void PainterSink::Polygon(const std::vector<Point>& pts, Rgb rgb) {
  if (pts.size() < 3) return;
  bool near = true;
  for (const Point& p : pts) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
    near = near && Near(p);
  }
  if (!near) {
    std::vector<Point> clipped = ClipPolygon(pts);
    if (clipped.size() >= 3) Polygon(clipped, rgb);
    return;
  }
  Flush();
  QColor c = ToQColor(rgb);
  p_.setPen(QPen(c, 1));  // the outline keeps thin fills visible
  p_.setBrush(c);
  havePen_ = false;
  buf_.resize(pts.size());
  for (size_t i = 0; i < pts.size(); ++i) buf_[i] = QPointF(pts[i].x, pts[i].y);
  p_.drawPolygon(buf_.data(), static_cast<int>(buf_.size()), Qt::WindingFill);
  p_.setBrush(Qt::NoBrush);
  AfterQt();
}

void PainterSink::Dot(Point p, Rgb rgb, double width) {
  if (!Near(p)) return;
  setPen(rgb, std::max(1.0, width), {});
  Flush();
  linePainter_->drawPoint(QPointF(p.x, p.y));
  AfterQt();
}

namespace {

// A face measured at the layout size: cap height and descent in pixels of that size.
struct MeasuredFace {
  QFont font;
  double capHeight = 1, descent = 0;
};

// Faces measured once for the whole program (looking a face up is slow), shared by the sinks
// and the measures of every thread.
MeasuredFace Measured(const std::string& face) {
  static std::mutex sharedLock;
  static std::map<std::string, MeasuredFace> shared;
  std::lock_guard<std::mutex> lock(sharedLock);
  if (auto known = shared.find(face); known != shared.end()) return known->second;
  MeasuredFace m;
  m.font = QFont(QString::fromStdString(face));
  m.font.setPixelSize(kLayoutPixels);
  m.font.setStyleHint(QFont::SansSerif);
  QFontMetricsF fm(m.font);
  m.capHeight = fm.capHeight() > 0 ? fm.capHeight() : fm.ascent() * 0.7;
  m.descent = fm.descent();
  if (shared.size() < 256) shared.emplace(face, m);
  return m;
}

class ScreenFontMeasures final : public FontMeasures {
 public:
  FaceMeasures Measure(const std::string& face) const override {
    const MeasuredFace m = Measured(face);
    return {m.capHeight, m.descent};
  }
};

}  // namespace

const FontMeasures& ScreenFonts() {
  static const ScreenFontMeasures fonts;
  return fonts;
}

PainterSink::FontInfo& PainterSink::font(const std::string& face) {
  auto it = fonts_.find(face);
  if (it != fonts_.end()) return it->second;
  const MeasuredFace m = Measured(face);
  FontInfo info;
  info.font = m.font;
  info.capHeight = m.capHeight;
  return fonts_.emplace(face, info).first->second;
}

double PainterSink::advance(FontInfo& fi, const std::string& face, const std::string& text,
                            const QString& s) {
  // Texts are laid out at one size whatever the view, so their advances are kept from one
  // redraw to the next (per thread: the band threads live as long as the program).
  thread_local std::unordered_map<std::string, double> known;
  std::string key;
  key.reserve(face.size() + 1 + text.size());
  key.append(face).push_back('\n');
  key.append(text);
  if (auto it = known.find(key); it != known.end()) return it->second;
  if (!fi.metrics) fi.metrics.emplace(fi.font);
  const double w = fi.metrics->horizontalAdvance(s);
  if (known.size() >= 50000) known.clear();
  known.emplace(std::move(key), w);
  return w;
}

void PainterSink::Text(const TextItem& t) {
  if (t.text.empty() || !(t.height > 0) || t.height > kFar || !Near(t.anchor)) return;
  Flush();
  FontInfo& fi = font(t.face);
  QString s = QString::fromUtf8(t.text.data(), static_cast<qsizetype>(t.text.size()));
  double w = advance(fi, t.face, t.text, s);
  double k = t.height / fi.capHeight;
  double kx = k * (t.widthFactor > 0 ? t.widthFactor : 1);
  if (t.fitLength > 0 && w > 0) kx = t.fitLength / w;
  // The anchor is on the baseline: at its start, middle or end.
  double x = t.hjust == 1 ? -w / 2 : t.hjust == 2 ? -w : 0;
  p_.save();
  p_.translate(t.anchor.x, t.anchor.y);
  p_.rotate(-t.angle);
  p_.scale(kx, k);
  if (t.oblique != 0) p_.shear(-std::tan(t.oblique * 3.14159265358979 / 180), 0);
  p_.setFont(fi.font);
  p_.setPen(ToQColor(t.rgb));
  p_.drawText(QPointF(x, 0), s);
  p_.restore();  // the pen and brush come back with it
  AfterQt();
}

}  // namespace dxf
