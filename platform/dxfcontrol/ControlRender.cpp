// The drawing control's painting, plotting and exports.
#include <QCoreApplication>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
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

// The threads that draw the bands, started when first needed and kept until the application
// ends: a thread started for each redraw cost more than a zoomed view takes to draw, and Qt keeps
// the fonts and glyphs it has prepared per thread, so that a new thread prepares them again.
class BandThreads {
 public:
  // The running threads, or nullptr when they cannot be had: no application to end them with,
  // or another thread is drawing bands now. A caller that got them calls Release() after Run().
  static BandThreads* Acquire() {
    std::lock_guard<std::mutex> lock(instanceLock());
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || app == stoppedFor()) return nullptr;
    BandThreads*& threads = instance();
    if (!threads) {
      // Deleted by Stop() only: threads still waiting when a process exits without ending its
      // application must not be destroyed.
      threads = new BandThreads;
      qAddPostRoutine(&BandThreads::Stop);
    }
    if (!threads->busy_.try_lock()) return nullptr;
    return threads;
  }
  void Release() { busy_.unlock(); }

  // Whether there are threads for n jobs (starts those missing; false when the system has no
  // more threads to give).
  bool Start(int n) {
    std::unique_lock<std::mutex> lock(lock_);
    try {
      while (static_cast<int>(threads_.size()) < n - 1) {
        const int k = static_cast<int>(threads_.size()) + 1;
        const long seen = generation_;
        threads_.emplace_back([this, k, seen] { work(k, seen); });
      }
    } catch (...) {
      return false;
    }
    return true;
  }
  // Runs job(k) for k from 0 to n - 1 side by side, 0 on the calling thread, and returns when
  // all have returned; after Start(n). Each job runs on a thread of its own.
  void Run(int n, const std::function<void(int)>& job) {
    {
      std::unique_lock<std::mutex> lock(lock_);
      job_ = &job;
      count_ = n;
      pending_ = n - 1;
      ++generation_;
    }
    wake_.notify_all();
    job(0);
    std::unique_lock<std::mutex> lock(lock_);
    done_.wait(lock, [this] { return pending_ == 0; });
    job_ = nullptr;
  }

 private:
  static std::mutex& instanceLock() {
    static std::mutex m;
    return m;
  }
  static BandThreads*& instance() {
    static BandThreads* threads = nullptr;
    return threads;
  }
  static QCoreApplication*& stoppedFor() {
    static QCoreApplication* app = nullptr;
    return app;
  }
  // Ends the threads while the application still exists (their fonts go with them); a later
  // redraw under a new application starts new ones.
  static void Stop() {
    std::lock_guard<std::mutex> lock(instanceLock());
    BandThreads* threads = instance();
    if (!threads) return;
    {
      std::lock_guard<std::mutex> idle(threads->busy_);  // no redraw is using them
      {
        std::lock_guard<std::mutex> l(threads->lock_);
        threads->stop_ = true;
      }
      threads->wake_.notify_all();
      for (std::thread& t : threads->threads_) t.join();
    }
    delete threads;
    instance() = nullptr;
    stoppedFor() = QCoreApplication::instance();
  }
  void work(int k, long seen) {
    for (;;) {
      const std::function<void(int)>* job = nullptr;
      {
        std::unique_lock<std::mutex> lock(lock_);
        wake_.wait(lock, [&] { return stop_ || generation_ != seen; });
        if (stop_) return;
        seen = generation_;
        if (k < count_) job = job_;
      }
      if (!job) continue;
      (*job)(k);
      {
        std::lock_guard<std::mutex> lock(lock_);
        --pending_;
      }
      done_.notify_all();
    }
  }

  std::mutex busy_;  // held by the caller between Acquire() and Release()
  std::mutex lock_;
  std::condition_variable wake_, done_;
  std::vector<std::thread> threads_;  // thread k - 1 runs job k
  const std::function<void(int)>* job_ = nullptr;
  int count_ = 0;
  int pending_ = 0;
  long generation_ = 0;
  bool stop_ = false;
};

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
  if (entities < 2000) return 1;  // handing out the bands would cost more than they save
  if (doc.Entities.Count() > static_cast<long>(UINT32_MAX)) return 1;  // bands number entities so
  const int cores = static_cast<int>(std::thread::hardware_concurrency());
  int bands = maxBands.load() > 0 ? maxBands.load() : std::clamp(cores, 1, 8);
  return std::clamp(bands, 1, std::clamp(image.height() / 32, 1, 32));
}

// A sink that draws nothing (for measuring).
class NoSink final : public Sink {
 public:
  void Polyline(const std::vector<Point>&, Rgb, double, const std::vector<double>&) override {}
  void Polygon(const std::vector<Point>&, Rgb) override {}
  void Text(const TextItem&) override {}
  void Dot(Point, Rgb, double) override {}
};

// Draws the drawing; false when a budget stopped it before everything was drawn. A large drawing
// on an image is drawn in horizontal bands on several threads: each band an image of its own
// over the same pixels, drawn by its own painter with the renderer clipped to the band, in the
// drawing's order within the band, so that each pixel comes out as in one pass. The entities
// are measured first (which bands each may reach), then the bands drawn.
bool Render(const Document& doc, QPainter& painter, const Affine& map, double w, double h,
            double penWidth, Rgb background, double seconds) {
  const QPainter::RenderHints fillHints = painter.renderHints();
  RenderOptions opt;
  opt.background = background;
  opt.penWidth = penWidth;
  opt.clipMinX = -2;
  opt.clipMinY = -2;
  opt.clipMaxX = w + 2;
  opt.clipMaxY = h + 2;
  opt.minTextHeight = 2.5;
  opt.maxSeconds = seconds;
  opt.fonts = &ScreenFonts();
  int bands = BandCount(doc, painter);
  BandThreads* threads = bands > 1 ? BandThreads::Acquire() : nullptr;
  if (threads && !threads->Start(bands)) {
    threads->Release();
    threads = nullptr;
  }
  if (!threads) {
    painter.fillRect(QRectF(0, 0, w, h), ToQColor(background));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    return RenderWith(doc, painter, map, opt);
  }

  QImage& image = *static_cast<QImage*>(painter.device());
  const double dpr = image.devicePixelRatio();
  const int rows = image.height();
  const qsizetype stride = image.bytesPerLine();
  uchar* const bits = image.bits();
  const QPainter::RenderHints hints =
      fillHints | QPainter::Antialiasing | QPainter::TextAntialiasing;
  painter.setRenderHints(hints);
  // One band per thread, and the entities measured in small shares, each thread taking the
  // next share or band when done with one: a thread that the system keeps waiting holds up
  // only what it has taken.
  const std::vector<Entity>& list = doc.Entities.items();
  const size_t n = list.size();
  const size_t pieces = static_cast<size_t>(bands);  // BandCount keeps bands to rows / 32
  const size_t shares = std::min<size_t>(n, 8 * static_cast<size_t>(bands));
  // The rows of each band, widened as the renderer's clip rectangle is.
  std::vector<int> rowTop(pieces + 1);
  std::vector<double> bandTop(pieces), bandBottom(pieces);
  for (size_t k = 0; k <= pieces; ++k) rowTop[k] = static_cast<int>(rows * k / pieces);
  for (size_t k = 0; k < pieces; ++k) {
    bandTop[k] = std::max(opt.clipMinY, rowTop[k] / dpr - 2);
    bandBottom[k] = std::min(opt.clipMaxY, rowTop[k + 1] / dpr + 2);
  }
  // reach[j * pieces + k]: the entities of share j that may reach band k, in order.
  std::vector<std::vector<std::uint32_t>> reach(shares * pieces);
  const auto start = std::chrono::steady_clock::now();
  std::atomic<size_t> nextShare{0}, nextBand{0};
  std::atomic<bool> complete{true};
  std::vector<std::exception_ptr> failures(static_cast<size_t>(bands));
  auto measure = [&](int t) {
    try {
      NoSink none;
      Renderer r(doc, none, map, opt);
      for (size_t j; (j = nextShare++) < shares;) {
        std::vector<std::uint32_t>* mine = &reach[j * pieces];
        for (size_t i = n * j / shares, last = n * (j + 1) / shares; i < last; ++i) {
          double x0, y0, x1, y1;
          if (r.DeviceBounds(list[i], x0, y0, x1, y1) && x1 >= opt.clipMinX &&
              x0 <= opt.clipMaxX && y1 >= opt.clipMinY && y0 <= opt.clipMaxY) {
            for (size_t k = 0; k < pieces; ++k) {
              if (y1 >= bandTop[k] && y0 <= bandBottom[k])
                mine[k].push_back(static_cast<std::uint32_t>(i));
            }
          }
        }
      }
    } catch (...) {
      failures[static_cast<size_t>(t)] = std::current_exception();
    }
  };
  auto draw = [&](int t) {
    try {
      for (size_t k; (k = nextBand++) < pieces;) {
        const int top = rowTop[k], bottom = rowTop[k + 1];
        RenderOptions o = opt;
        o.clipMinY = bandTop[k];
        o.clipMaxY = bandBottom[k];
        bool late = false;
        if (opt.maxSeconds > 0) {
          // The bands share the time of one redraw.
          const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
          o.maxSeconds = opt.maxSeconds - spent.count();
          late = !(o.maxSeconds > 0);
        }
        QImage part(bits, image.width(), rows, stride, image.format());
        part.setDevicePixelRatio(dpr);
        QPainter p(&part);
        // The band's rows only; the painter clips lines as it does on the whole image.
        const QRectF clip(0, top / dpr, image.width() / dpr, (bottom - top) / dpr);
        p.setClipRect(clip);
        p.setRenderHints(fillHints);
        p.fillRect(QRectF(0, 0, w, h), ToQColor(background));
        p.setRenderHints(hints);
        if (late) {
          complete = false;
          continue;
        }
        PainterSink sink(p, &clip);
        Renderer r(doc, sink, map, o);
        for (size_t j = 0; j < shares && !r.Truncated(); ++j) {
          for (std::uint32_t i : reach[j * pieces + k]) {
            if (r.Truncated()) break;
            r.Draw(list[i]);
          }
        }
        sink.Flush();
        if (r.Truncated()) complete = false;
      }
    } catch (...) {
      failures[static_cast<size_t>(t)] = std::current_exception();
    }
  };
  threads->Run(bands, measure);
  bool measured = true;
  for (const std::exception_ptr& failure : failures) measured = measured && !failure;
  if (measured) threads->Run(bands, draw);
  threads->Release();
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

bool DrawingControl::RenderToPicture(QPaintDevice& picture, bool reportCut,
                                     const std::optional<QRectF>& page) const {
  const double w = picture.width(), h = picture.height();
  if (w <= 0 || h <= 0) return true;
  QPainter painter(&picture);
  const double pen = std::max(1.0, static_cast<double>(PlotPenWidth));
  const Rgb white = MakeRgb(255, 255, 255);
  Affine map;
  if (PlotMode == 0) {
    // The 8.5 x 11 inch page (divided by the plot scale) over the whole picture, or over the
    // box given.
    double scale = PlotScale > 0 ? PlotScale : 1;
    double pw = 8.5 / scale, ph = 11 / scale;
    const QRectF box = page ? *page : QRectF(0, 0, w, h);
    map = {box.width() / pw, 0, 0, -box.height() / ph, box.x(), box.y() + box.height()};
  } else {
    map = FitWindow(view_.Displayed(), w, h, PlotLandscape == 1);
  }
  const bool complete = Render(doc_, painter, map, w, h, pen, white, kPictureSeconds);
  if (!complete && reportCut) reportTooBig();
  return complete;
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
  // The texts stand where the screen shows them.
  std::string bytes =
      WriteMetafile(doc_, view_.Displayed(), MakeRgb(255, 255, 255), &ScreenFonts());
  std::filesystem::path p = resolve(file);
  if (!vb::WriteFileAtomic(p, bytes)) {
    vb::Raise(vb::err::PathFileAccess, "Path/File access error: " + p.string());
  }
}

}  // namespace dxf
