#pragma once
// The raster half of a printed page: the hidden picture (PlotPicture) that a drawing control
// renders a page or a view into, a fraction of the printer's resolution, stretched back over the
// printable area from its top-left corner. Page templates and drawing pages halve the raster
// until it is at most 2000 pixels wide; the screen plot divides by 1.5 until it is at most 2500.
#include <QImage>
#include <QRectF>
#include <optional>

#include "platform/printer/PrintDevice.h"

namespace dxf {
class DrawingControl;
}

namespace Printing {

// Printer pixels per picture pixel for a printable width in pixels: 1, doubled while the
// picture would be wider than 2000 pixels (2000 -> 1, 2001 -> 2, 4001 -> 4).
double RasterFactor2000(double widthPx);
// The same by factors of 1.5 to at most 2500 pixels (2501 -> 1.5, 3751 -> 2.25).
double RasterFactor2500(double widthPx);

// The picture for a printable area of width x height device pixels at factor f:
// ceil(width / f) x ceil(height / f) pixels, white. An empty area gives a null image.
QImage PlotPicture(double width, double height, double factor);

// Renders the control (its plot settings as the caller set them) into the white picture for
// the device at factor f and paints it with PaintPlotPicture. `page`, when given, is the box of
// the device (its pixels) where a page printed as a page template (PlotMode 0) lies: the page is
// rendered into that part of the picture, so that, stretched over the printable area, every page
// point of the raster stands where the vectors print it. The picture is kept for the next page of
// its size rather than made afresh per page; ReleasePlotPicture gives it back at the end of a
// job. False when the render's budget left part of the drawing out; that is reported by the
// control unless `reportCut` is false.
bool PrintPlotPicture(const dxf::DrawingControl& control, printer::PrintDevice& device,
                      double factor, bool reportCut = true,
                      const std::optional<QRectF>& page = std::nullopt);
void ReleasePlotPicture();

// Paints the picture at (0, 0), picture pixels x f wide and high: the raster covers the
// printable area from its top-left corner. A null picture paints nothing.
void PaintPlotPicture(printer::PrintDevice& device, const QImage& picture, double factor);

}  // namespace Printing
