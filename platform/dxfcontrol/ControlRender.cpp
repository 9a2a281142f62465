// The drawing control's painting, plotting and exports.
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <atomic>
#include <barrier>
#include <exception>
#include <thread>
#include <vector>

#include "platform/dxf/Render.h"
#include "platform/dxf/Wmf.h"
#include "platform/dxf/Writer.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/dxfcontrol/PainterSink.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/Trap.h"

namespace dxf {

namespace {

// The window fitted into a w x h device keeping its aspect, centred, y flipped; `landscape`
// turns the drawing a quarter counter-clockwise first.
Affine FitWindow(const Window& win, double w, double h, bool landscape) {
  double ww = win.Width(), wh = win.Height();
  if (landscape) std::swap(ww, wh);
  double s = std::min(w / ww, h / wh);
  double offX = (w - ww * s) / 2, offY = (h - wh * s) / 2;
  if (!landscape) {
    return {s, 0, 0, -s, offX - win.MinX * s, offY + win.MaxY * s};
  }
  // Device right = (MaxY - y)·s, device down = (MaxX - x)·s.
  return {0, -s, -s, 0, offX + win.MaxY * s, offY + win.MaxX * s};
}

// The longest a redraw of the screen may take, and a plot or bitmap: a drawing that asks for
// more is drawn as far as it goes in that time, and said so once.
constexpr double kScreenSeconds = 0.5;
constexpr double kPictureSeconds = 10;

// Draws the drawing with one painter; false when a budget stopped it.
bool RenderWith(const Document& doc, QPainter& painter, const Affine& map,
                const RenderOptions& opt) {
  PainterSink sink(painter);
  Renderer r(doc, sink, map, opt);
  r.DrawAll();
  return !r.Truncated();
}

std::atomic<int> maxBands{0};  // 0: as many as the processor has cores (eight at most)

// The number of horizontal bands to draw side by side: several only for a large drawing painted
// straight onto an image (the screen's cache, a bitmap); Qt 6 draws texts onto images on any
// thread.
int BandCount(const Document& doc, QPainter& painter) {
  QPaintDevice* device = painter.device();
  if (!device || device->devType() != QInternal::Image) return 1;
  const QImage& image = *static_cast<QImage*>(device);
  const QImage::Format f = image.format();
  if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32_Premultiplied &&
      f != QImage::Format_RGB888) {
    return 1;
  }
  if (!painter.worldTransform().isIdentity() || painter.hasClipping()) return 1;
  long entities = doc.Entities.Count();
  for (const Block& b : doc.Blocks) entities += b.Entities.Count();
  if (entities < 2000) return 1;  // starting threads would cost more than they save
  const int cores = static_cast<int>(std::thread::hardware_concurrency());
  int bands = maxBands.load() > 0 ? maxBands.load() : std::clamp(cores, 1, 8);
  return std::clamp(bands, 1, std::max(1, image.height() / 32));
}

// A sink that draws nothing (for measuring).
class NoSink final : public Sink {
 public:
  void Polyline(const std::vector<Point>&, Rgb, double, const std::vector<double>&) override {}
  void Polygon(const std::vector<Point>&, Rgb) override {}
  void Text(const TextItem&) override {}
  void Dot(Point, Rgb, double) override {}
};

// Whether a sample of the drawing's entities says that few of them reach the view (a view
// zoomed into a large drawing): one pass draws those sooner than threads can start.
bool FewInView(const Document& doc, const Affine& map, const RenderOptions& opt) {
  constexpr size_t kSample = 512;
  constexpr size_t kEnough = 4000;  // entities in view worth drawing in bands
  const std::vector<Entity>& list = doc.Entities.items();
  const size_t step = std::max<size_t>(1, list.size() / kSample);
  NoSink none;
  Renderer r(doc, none, map, opt);
  size_t seen = 0;
  for (size_t i = 0; i < list.size(); i += step) {
    double x0, y0, x1, y1;
    if (r.DeviceBounds(list[i], x0, y0, x1, y1) && x1 >= opt.clipMinX && x0 <= opt.clipMaxX &&
        y1 >= opt.clipMinY && y0 <= opt.clipMaxY) {
      ++seen;
    }
  }
  return seen * step < kEnough;
}

// Draws the drawing; false when a budget stopped it before everything was drawn. A large drawing
// on an image is drawn in horizontal bands on several threads: each band an image of its own
// over the same pixels, drawn by its own painter with the renderer clipped to the band, in the
// drawing's order within the band, so that each pixel comes out as in one pass.
bool Render(const Document& doc, QPainter& painter, const Affine& map, double w, double h,
            double penWidth, Rgb background, double seconds) {
  painter.fillRect(QRectF(0, 0, w, h), ToQColor(background));
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  RenderOptions opt;
  opt.background = background;
  opt.penWidth = penWidth;
  opt.clipMinX = -2;
  opt.clipMinY = -2;
  opt.clipMaxX = w + 2;
  opt.clipMaxY = h + 2;
  opt.minTextHeight = 2.5;
  opt.maxSeconds = seconds;
  int bands = BandCount(doc, painter);
  // A number of bands set (tests, benchmarks) is kept whatever the view shows.
  if (bands > 1 && maxBands.load() == 0 && FewInView(doc, map, opt)) bands = 1;
  if (bands <= 1) return RenderWith(doc, painter, map, opt);

  QImage& image = *static_cast<QImage*>(painter.device());
  const double dpr = image.devicePixelRatio();
  const int rows = image.height();
  const qsizetype stride = image.bytesPerLine();
  uchar* const bits = image.bits();
  const QPainter::RenderHints hints = painter.renderHints();
  // First each band measures its share of the entities, then, once all are measured, draws
  // those that reach it, in the drawing's order.
  const std::vector<Entity>& list = doc.Entities.items();
  const size_t n = list.size();
  std::vector<double> lowY(n), highY(n);
  std::barrier measured(bands);
  std::atomic<bool> complete{true}, failed{false};
  std::vector<std::exception_ptr> failures(static_cast<size_t>(bands));
  auto band = [&](int k) {
    const int top = rows * k / bands, bottom = rows * (k + 1) / bands;
    RenderOptions o = opt;
    o.clipMinY = std::max(opt.clipMinY, top / dpr - 2);
    o.clipMaxY = std::min(opt.clipMaxY, bottom / dpr + 2);
    QImage part(bits, image.width(), rows, stride, image.format());
    part.setDevicePixelRatio(dpr);
    bool measuredOk = false, arrived = false;
    try {
      QPainter p(&part);
      p.setRenderHints(hints);
      // The band's rows only; the painter clips lines as it does on the whole image.
      const QRectF clip(0, top / dpr, image.width() / dpr, (bottom - top) / dpr);
      p.setClipRect(clip);
      PainterSink sink(p, &clip);
      Renderer r(doc, sink, map, o);
      const size_t first = n * static_cast<size_t>(k) / static_cast<size_t>(bands);
      const size_t last = n * static_cast<size_t>(k + 1) / static_cast<size_t>(bands);
      for (size_t i = first; i < last; ++i) {
        double x0, y0, x1, y1;
        if (r.DeviceBounds(list[i], x0, y0, x1, y1)) {
          lowY[i] = y0, highY[i] = y1;
        } else {
          lowY[i] = 1, highY[i] = -1;  // draws nothing
        }
      }
      measuredOk = true;
      arrived = true;
      measured.arrive_and_wait();
      if (failed) return;  // another band could not measure its share
      for (size_t i = 0; i < n && !r.Truncated(); ++i) {
        if (highY[i] >= o.clipMinY && lowY[i] <= o.clipMaxY && lowY[i] <= highY[i]) {
          r.Draw(list[i]);
        }
      }
      sink.Flush();
      if (r.Truncated()) complete = false;
    } catch (...) {
      failures[static_cast<size_t>(k)] = std::current_exception();
      if (!measuredOk) failed = true;
      // Every band arrives once, or the others would wait for ever.
      if (!arrived) measured.arrive_and_wait();
    }
  };
  std::vector<std::thread> threads;
  threads.reserve(static_cast<size_t>(bands - 1));
  for (int k = 1; k < bands; ++k) threads.emplace_back(band, k);
  band(0);
  for (std::thread& t : threads) t.join();
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
  return complete;
}

}  // namespace

void DrawingControl::SetRenderBands(int bands) { maxBands = std::max(0, bands); }

void DrawingControl::reportTooBig() const {
  // Once per drawing: every later redraw of the same drawing stops at the same place.
  if (tooBigReported_) return;
  tooBigReported_ = true;
  vb::TrapHandler* handler = vb::CurrentTrapHandler();
  if (handler && handler->HandlingOn()) {
    handler->HandleError(
        "DXFControl", "Redraw",
        vb::Error{vb::err::Overflow,
                  "The drawing is too big to draw in full; part of it is left out"});
  }
}

void DrawingControl::PaintView(QPainter& painter, int width, int height, double penWidth) const {
  ViewState v = view_;
  v.SetPixelSize(width, height);
  if (!Render(doc_, painter, v.ToPixels(), width, height, penWidth, BackgroundColor,
              kScreenSeconds)) {
    reportTooBig();
  }
}

void DrawingControl::RenderToPicture(QPaintDevice& picture) const {
  const double w = picture.width(), h = picture.height();
  if (w <= 0 || h <= 0) return;
  QPainter painter(&picture);
  const double pen = std::max(1.0, static_cast<double>(PlotPenWidth));
  const Rgb white = MakeRgb(255, 255, 255);
  Affine map;
  if (PlotMode == 0) {
    // The 8.5 x 11 inch page (divided by the plot scale) over the whole picture.
    double scale = PlotScale > 0 ? PlotScale : 1;
    double pw = 8.5 / scale, ph = 11 / scale;
    map = {w / pw, 0, 0, -h / ph, 0, h};
  } else {
    map = FitWindow(view_.Displayed(), w, h, PlotLandscape == 1);
  }
  if (!Render(doc_, painter, map, w, h, pen, white, kPictureSeconds)) reportTooBig();
}

void DrawingControl::SaveBitmap(std::string_view file) const {
  int w = std::max(1, width_), h = std::max(1, height_);
  QImage image(w, h, QImage::Format_RGB888);
  {
    QPainter painter(&image);
    const Rgb white = MakeRgb(255, 255, 255);
    ViewState v = view_;
    v.SetPixelSize(w, h);
    if (!Render(doc_, painter, v.ToPixels(), w, h, 1, white, kPictureSeconds)) reportTooBig();
  }
  std::filesystem::path p = resolve(file);
  if (!image.save(QString::fromStdString(p.string()), "BMP")) {
    vb::Raise(vb::err::PathFileAccess, "Path/File access error: " + p.string());
  }
}

void DrawingControl::SaveDxf(std::string_view file) const {
  std::string text = WriteDxfR12(doc_);
  std::filesystem::path p = resolve(file);
  if (!vb::WriteFileAtomic(p, text)) {
    vb::Raise(vb::err::PathFileAccess, "Path/File access error: " + p.string());
  }
}

void DrawingControl::SaveMetafile(std::string_view file) const {
  std::string bytes = WriteMetafile(doc_, view_.Displayed(), MakeRgb(255, 255, 255));
  std::filesystem::path p = resolve(file);
  if (!vb::WriteFileAtomic(p, bytes)) {
    vb::Raise(vb::err::PathFileAccess, "Path/File access error: " + p.string());
  }
}

}  // namespace dxf
