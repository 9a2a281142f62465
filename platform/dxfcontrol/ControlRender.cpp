// The drawing control's painting, plotting and exports.
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

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

// Draws the drawing; false when a budget stopped it before everything was drawn.
bool Render(const Document& doc, QPainter& painter, const Affine& map, double w, double h,
            double penWidth, Rgb background, double seconds) {
  painter.fillRect(QRectF(0, 0, w, h), ToQColor(background));
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  PainterSink sink(painter);
  RenderOptions opt;
  opt.background = background;
  opt.penWidth = penWidth;
  opt.clipMinX = -2;
  opt.clipMinY = -2;
  opt.clipMaxX = w + 2;
  opt.clipMaxY = h + 2;
  opt.minTextHeight = 2.5;
  opt.maxSeconds = seconds;
  Renderer r(doc, sink, map, opt);
  r.DrawAll();
  return !r.Truncated();
}

}  // namespace

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
