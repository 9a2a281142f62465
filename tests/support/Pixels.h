#pragma once
// Pixel counts over whole pictures, as the picture tests make them: a scan of the image's rows
// rather than a QColor per pixel, which made a 640 x 480 count take tens of milliseconds.
#include <QImage>

#include "platform/gdi/Color.h"

namespace testsupport {

// The number of pixels of `image` in `colour` (0x00BBGGRR), alpha left aside: what counting
// gdi::FromQColor(QColor(image.pixel(x, y))) == colour over every pixel gives.
inline int CountColour(const QImage& image, gdi::Rgb colour) {
  // pixel() reads premultiplied pixels unpremultiplied; so does this form.
  const QImage plain = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb wanted =
      qRgb(gdi::RedOf(colour), gdi::GreenOf(colour), gdi::BlueOf(colour)) & 0xFFFFFF;
  int n = 0;
  for (int y = 0; y < plain.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(plain.constScanLine(y));
    for (int x = 0; x < plain.width(); ++x) n += (line[x] & 0xFFFFFF) == wanted;
  }
  return n;
}

}  // namespace testsupport
