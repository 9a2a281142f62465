#include "printing/PageRaster.h"

#include <QPainter>
#include <cmath>

#include "platform/dxfcontrol/DrawingControl.h"

namespace Printing {

namespace {

// The largest picture the raster allows; beyond it Qt could not allocate the image anyway.
constexpr double kMaxPicturePixels = 20000;

double Factor(double widthPx, double limit, double step) {
  double f = 1;
  if (!std::isfinite(widthPx)) return f;
  while (widthPx / f > limit) f *= step;
  return f;
}

}  // namespace

double RasterFactor2000(double widthPx) { return Factor(widthPx, 2000, 2); }

double RasterFactor2500(double widthPx) { return Factor(widthPx, 2500, 1.5); }

namespace {

// The picture's size in pixels; an empty size where there is no picture.
QSize PictureSize(double width, double height, double factor) {
  if (!(factor > 0) || !(width > 0) || !(height > 0)) return {};
  const double w = std::ceil(width / factor), h = std::ceil(height / factor);
  if (w > kMaxPicturePixels || h > kMaxPicturePixels) return {};
  return {static_cast<int>(w), static_cast<int>(h)};
}

// The picture of the last raster printed, kept for the next page of its size: a fresh picture
// of 8 to 21 MB has its memory handed out and cleared by the system again on every page.
QImage& KeptPicture() {
  static QImage picture;
  return picture;
}

}  // namespace

QImage PlotPicture(double width, double height, double factor) {
  const QSize size = PictureSize(width, height, factor);
  if (size.isEmpty()) return {};
  QImage picture(size, QImage::Format_RGB32);
  picture.fill(Qt::white);
  return picture;
}

bool PrintPlotPicture(const dxf::DrawingControl& control, printer::PrintDevice& device,
                      double factor, bool reportCut, const std::optional<QRectF>& page) {
  const QSize size = PictureSize(device.scaleWidth(), device.scaleHeight(), factor);
  if (size.isEmpty()) return true;
  QImage& picture = KeptPicture();
  if (picture.size() != size) picture = QImage(size, QImage::Format_RGB32);
  picture.fill(Qt::white);
  std::optional<QRectF> inPicture;
  if (page)
    inPicture = QRectF(page->x() / factor, page->y() / factor, page->width() / factor,
                       page->height() / factor);
  const bool complete = control.RenderToPicture(picture, reportCut, inPicture);
  PaintPlotPicture(device, picture, factor);
  return complete;
}

void ReleasePlotPicture() { KeptPicture() = QImage(); }

void PaintPlotPicture(printer::PrintDevice& device, const QImage& picture, double factor) {
  if (picture.isNull()) return;
  device.paintPicture(picture, 0, 0, picture.width() * factor, picture.height() * factor);
}

}  // namespace Printing
