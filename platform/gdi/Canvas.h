#pragma once
// A device-independent drawing surface with the behaviour of a Windows device context, in
// device units (pixels of the target). Every target starts like a fresh DC: a black solid pen
// one pixel wide, a hollow brush, the surface's default font, black text on a transparent
// background, the current point at (0, 0). Text is placed by the top-left corner of its cell
// and rotated about that corner, counter-clockwise, by the font's escapement.
//
// Back ends: a QImage picture and any QPaintDevice such as a printer (QtCanvas.h), a recording
// canvas for tests (RecordingCanvas.h), and the drawing-control back end that turns the same
// primitives into drawing entities, which the drawings subsystem provides by deriving from
// Canvas with kind() DrawingControl: begin(clear) prepares the control for a chart (a new
// drawing when `clear` is set or it holds no entity, layer "0", no fill, a black pen of width
// 1) and width()/height() then give the drawing's extent; aspect() is the control's width over
// its height; coordinates arrive unrounded with y downwards (the back end flips them); lines,
// rectangles (a filled one adds a SOLID), ellipses and texts become entities; textExtent() is
// the entity text size (0.75 x characters x height by height); selectFont() may set that size.
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/Color.h"

namespace gdi {

// The screen is taken as 96 dpi, 15 twips per pixel, whatever the monitor, so that layouts and
// printed output do not depend on the machine.
inline constexpr int kScreenDpi = 96;
inline constexpr int kScreenTwipsPerPixel = 15;

enum class TargetKind {
  Picture,         // a chart picture box (persistent drawing, like AutoRedraw)
  Form,            // a window drawn on directly (the plot preview window)
  Printer,         // the printer page, origin at the top-left of the printable area
  DrawingControl,  // the drawing control: primitives become drawing entities
};

// GDI background modes.
inline constexpr int kTransparent = 1;
inline constexpr int kOpaque = 2;

// GDI hatch styles (HS_*).
inline constexpr int kHatchHorizontal = 0;  // -----
inline constexpr int kHatchVertical = 1;    // |||||
inline constexpr int kHatchFDiagonal = 2;   // \\\\\ (top-left to bottom-right)
inline constexpr int kHatchBDiagonal = 3;   // ///// (bottom-left to top-right)
inline constexpr int kHatchCross = 4;       // +++++
inline constexpr int kHatchDiagCross = 5;   // xxxxx

// GDI pen styles (PS_*). The chart engine draws its patterned lines itself with solid pieces;
// the styles are there for the other drawings of the program.
enum class PenStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5 };

// Width 0 or 1 is the cosmetic one-pixel pen; wider pens have round caps and joins, as GDI's
// geometric default.
struct Pen {
  int width = 1;
  Rgb color = 0;
  PenStyle style = PenStyle::Solid;
  bool operator==(const Pen&) const = default;
};

struct Brush {
  enum class Style { Hollow, Solid, Hatched };
  Style style = Style::Hollow;
  Rgb color = 0;
  int hatch = 0;  // HS_* when hatched; hatch lines are 8 device pixels apart
  static Brush Hollow() { return {}; }
  static Brush Solid(Rgb c) { return {Style::Solid, c, 0}; }
  static Brush Hatched(Rgb c, int h) { return {Style::Hatched, c, h}; }
  bool operator==(const Brush&) const = default;
};

// A font by its cell height (ascent + descent, a positive CreateFont height) in device pixels.
struct Font {
  std::string face;
  int height = 0;
  int weight = 400;  // 700 = bold
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  int escapement = 0;  // tenths of a degree, counter-clockwise
  bool operator==(const Font&) const = default;
};

struct Point {
  double x = 0, y = 0;
};

struct Extent {
  double width = 0, height = 0;
};

// What a device context holds between calls.
struct DcState {
  Pen pen;
  Brush brush;
  Font font;
  int bkMode = kTransparent;
  Rgb textColor = 0;
  Rgb bkColor = 0xFFFFFF;
  Point current;
};

// The default font of a surface: "MS Sans Serif" 8 pt, as a cell height at that resolution.
Font DefaultFont(int logPixelsY);

class Canvas {
 public:
  explicit Canvas(int logPixelsY = kScreenDpi);
  virtual ~Canvas() = default;
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  // --- What the target is ---
  virtual TargetKind kind() const = 0;
  // Size of the drawing surface in device pixels (the printable area for a printer).
  virtual double width() const = 0;
  virtual double height() const = 0;
  // GetDeviceCaps(LOGPIXELSY): 96 on screen surfaces, the printer's dpi on the printer.
  int logPixelsY() const { return dpi_; }
  // Twips per device pixel: 15 on screen surfaces, 1440 / dpi on the printer.
  virtual double twipsPerPixelX() const;
  virtual double twipsPerPixelY() const;
  // Width / height of the drawing control (its drawing aspect); 0 for other targets.
  virtual double aspect() const { return 0; }
  // Whether coordinates reach the device as integers (GDI) or as given (drawing entities).
  virtual bool roundsCoordinates() const { return kind() != TargetKind::DrawingControl; }

  // --- Binding ---
  // Makes the surface ready for a new drawing: the DC state goes back to that of a fresh DC,
  // and a picture or form is erased first when `clear` is set. The printer keeps its page.
  virtual void begin(bool clear);
  // Erases the surface with its back colour (Cls); nothing on the printer.
  virtual void clear() {}

  // --- DC objects and text attributes ---
  const DcState& state() const { return state_; }
  virtual void selectPen(const Pen& pen) { state_.pen = pen; }
  virtual void selectBrush(const Brush& brush) { state_.brush = brush; }
  virtual void selectFont(const Font& font) { state_.font = font; }
  virtual void setBkMode(int mode) { state_.bkMode = mode; }
  virtual void setBkColor(Rgb color) { state_.bkColor = color; }
  virtual void setTextColor(Rgb color) { state_.textColor = color; }
  Font defaultFont() const { return DefaultFont(dpi_); }

  // --- Drawing, device units ---
  void moveTo(double x, double y) { state_.current = {x, y}; }
  // A line from the current point to (x, y) with the pen; (x, y) becomes the current point.
  void lineTo(double x, double y);
  // Outline with the pen, filled with the brush; the corners may come in any order. The right
  // and bottom edges lie just outside the filled area, as with GDI.
  virtual void rectangle(double x1, double y1, double x2, double y2) = 0;
  // The ellipse inscribed in the box.
  virtual void ellipse(double x1, double y1, double x2, double y2) = 0;
  // A closed polygon, outlined with the pen and filled with the brush.
  virtual void polygon(const std::vector<Point>& points) = 0;
  // One line of text (line breaks are not interpreted), the top-left of its cell at (x, y).
  virtual void textOut(double x, double y, std::string_view text) = 0;
  // DrawText's DT_CALCRECT measure in the current font, unrotated: the widest line and the
  // line count times the cell height; an empty text measures 0 by 0.
  virtual Extent textExtent(std::string_view text) = 0;

 protected:
  virtual void line(double x1, double y1, double x2, double y2) = 0;
  void resetState();

  DcState state_;
  int dpi_;
};

// The lines of a text as DrawText counts them: CR, LF and CR LF each end a line.
std::vector<std::string_view> TextLines(std::string_view text);

}  // namespace gdi
