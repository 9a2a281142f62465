#pragma once
// The vector half of a printed page: the texts and line segments collected from the page
// drawing, mapped from page inches (8.5 x 11, origin at the lower left, y up) onto the
// drawing layer's target (y down), with the legend and scale placeholders resolved on the way
// and a colour swatch after each legend text.
#include <functional>
#include <string>
#include <vector>

#include "platform/gdi/Canvas.h"
#include "platform/printer/PrintDevice.h"

namespace Printing {

// Page inches to drawing-layer units. On the printer 8.5 inches span 0.9984 of the printable
// width and 11 inches 0.9935 of its height; on the preview window both factors are 80 (68
// pixels per inch once the layer's 85 % window scale applies).
struct PageMapping {
  double xFactor = 0, yFactor = 0;
  bool operator==(const PageMapping&) const = default;
};
inline constexpr double kPageWidthInches = 8.5;
inline constexpr double kPageHeightInches = 11;
inline constexpr double kLineShiftX = -0.017;
inline constexpr double kLineShiftY = 0.0002;
inline constexpr double kPreviewFactor = 80;

PageMapping MappingFor(double graphWidth, double graphHeight, bool preview);
// A text's reference point: (X xF, (11 - Y) yF).
gdi::Point TextPoint(const PageMapping& m, double X, double Y);
// A line end: ((X - 0.017) xF, (11 - (Y + 0.0002)) yF).
gdi::Point LinePoint(const PageMapping& m, double X, double Y);
// Where the 8.5 x 11 inch page lies under the line mapping: the box, in drawing-layer units (the
// printer's pixels), from LinePoint(0, 11) to LinePoint(8.5, 0). The page's raster shows the
// page there, so that what the raster draws stands where the vectors print the same page point.
struct PageBox {
  double x = 0, y = 0, width = 0, height = 0;
};
PageBox RasterBox(const PageMapping& m);

// The top-left corner of a text cell w x h whose reference point is `at`, for the DXF
// justification codes (group 72: 1 centre, 2 right, any other left; group 73: 0 baseline,
// taken 0.75 of the cell below its top, 2 middle, 1 bottom and any other code the cell's
// bottom) and the angle in degrees, counter-clockwise. The offset from the reference point is
// turned with the text, about the reference point, so a rotated text keeps its justification.
gdi::Point TextTopLeft(gdi::Point at, double w, double h, int hAlign, int vAlign,
                       double angleDegrees);

// One collected text and one collected segment, in page inches.
struct PageText {
  std::string text;
  double x = 0, y = 0;
  std::string font;
  gdi::Rgb color = 0;
  double height = 0;
  double angle = 0;  // degrees, counter-clockwise
  int hAlign = 0;    // DXF group 72
  int vAlign = 0;    // DXF group 73
};
struct PageLine {
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  gdi::Rgb color = 0;
};

// What the placeholders are filled from.
struct LegendState {
  std::string Aircraft1, Aircraft2;  // aircraft numbers; "" = not chosen
  gdi::Rgb PlaneColor1 = 0, PlaneColor2 = 0;
  bool ShowPlane1 = false, ShowPlane2 = false;
  std::string PlotScaleText1, PlotScaleText2;
  // The AcName of an aircraft number (the aircraft database).
  std::function<std::string(const std::string& acNum)> AcName;
};

// Fills one placeholder in place. "Legend1" / "Legend2" become the plane's AcName followed by
// " -  " when both planes are chosen and shown, else the empty text; "PlotScale1" /
// "PlotScale2" become the scale texts. Returns the legend kind (1, 2) or 0 for no swatch.
int ResolvePlaceholder(std::string& text, const LegendState& state);

// Draws the texts, then the lines, on the device through the drawing layer (bound, not
// cleared). Placeholders are written back into `texts`. In preview the device is refreshed
// after every line (the preview window repaints coalesced). `legend` supplies the placeholder
// values; the mapping is that of the device (preview: 80).
void PrintEntities(printer::PrintDevice& device, bool preview, std::vector<PageText>& texts,
                   const std::vector<PageLine>& lines, const LegendState& legend);
// One further black line in page inches on the target the drawing layer is bound to, pen 2, no
// refresh.
void PlotPageLine(bool preview, double x1, double y1, double x2, double y2);

}  // namespace Printing
