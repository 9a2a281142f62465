#pragma once
// Module CADGraph: colours of the drawing control (AutoCAD colour indexes), and the chart back
// end that turns the chart layer's primitives into entities of a drawing control.
//
// The back end draws on one bound drawing control. Coordinates arrive in the drawing's units,
// unrounded, with y downwards as on a picture; CADY flips them onto the drawing's upward axis
// (GraphHeight - y). Every entity goes onto the control's current layer, which InitCADGraphics
// makes "0": a line is a LINE in the pen's colour and width, a rectangle four LINEs (and a SOLID
// in the brush colour first when a brush is set), an ellipse an ELLIPSE, a text a TEXT.
//
// DrawingCanvas is the same back end as a canvas of kind DrawingControl, so that the chart
// layer (Graph) and every chart builder can draw onto a drawing control as onto any target.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/Canvas.h"

namespace dxf {
class DrawingControl;
}

namespace CADGraph {

// The colour index of an RGB colour (red in the low byte): the index whose colour row lists
// it; 7 for any colour no row lists.
int CADColor(int32_t colour);
// The colour index of a dimension layer: for colour -1 that of the plane's colour (PlaneColor1
// for plane 1, PlaneColor2 for any other plane), otherwise that of the colour itself.
int CADDimColor(int32_t colour, int plane);
int CADDimColor(int32_t colour, int plane, int32_t planeColor1, int32_t planeColor2);
// The RGB colour of a colour index; 0 (black) for 7 and every index without a colour of its own.
int32_t IndexColor(int colourIndex);

// --- The chart back end ---

// Its module state.
struct Vars {
  dxf::DrawingControl* Target = nullptr;  // the control every primitive draws on
  bool InvertY = false;                   // y flip on (set by InitCADGraphics)
  double CADAspect = 0;                   // the control's Width / Height; 0 until initialised
  double CADPenWidth = 0;                 // written to each line's Thickness
  int32_t CADPenColor = 0;                // RGB of lines and ellipses
  int32_t CADBrushColor = -1;             // RGB fill of rectangles; -1 = no fill
  double CADPosX = 0, CADPosY = 0;        // current point, unflipped
  int CADTextACI = 7;                     // colour index of texts
  int CADTextBgMode = 0;                  // kept; no entity depends on it
  std::string CADTextStyle;               // text style name of each TEXT
  double CADTextSize = 0;                 // text height, drawing units
  double CADTextAngle = 0;                // text angle, degrees
  double GraphWidth = 0, GraphHeight = 0;  // the drawing's extent (MaxX, MaxY)
};
Vars& vars();
void resetForTest();

// Binds the control the primitives draw on (nullptr: none; every primitive then reports
// error 91 and draws nothing).
void BindTarget(dxf::DrawingControl* control);

// Prepares the bound control for a chart: CADAspect from its size; a new drawing when `clear`
// is set or the drawing holds no entity; the y flip on; GraphWidth / GraphHeight from the
// drawing's MaxX / MaxY; current layer "0" and FILLMODE off; no brush; a black pen of width 1.
void InitCADGraphics(bool clear);
void SetCADPen(double width, int32_t colour);
// Stands for RemovePen and RemoveFont on the drawing control: nothing to release.
void NoOpRemove();
// The fill of later rectangles; the control's CurrentColor takes it and FILLMODE goes on.
void SetCADBrush(int32_t colour);
// No fill for later rectangles; FILLMODE keeps its value.
void RemoveCADBrush();
void CADMoveTo(double x, double y);
// A LINE from the current point to (x, y), which becomes the current point (as with any
// line-to, so that a polyline drawn point by point stays joined).
void CADLineTo(double x, double y);
void CADLine(double x1, double y1, double x2, double y2);
void CADRectangle(double x1, double y1, double x2, double y2);
// The ELLIPSE inscribed in the box, its major axis along x or y; a box without width or height
// adds nothing.
void CADEllipse(double x1, double y1, double x2, double y2);
void SetCADTextBgMode(int mode);
void SetCADTextColor(int32_t colour);
// A TEXT whose cell has its top-left corner at (x, y): the insertion point one text height
// below it (turned with the text angle).
void CADText(double x, double y, std::string_view text);
// The width of a text in drawing units: 0.75 x the current text height per character.
double CADTextWd(std::string_view text);
// The current text height in drawing units; the text itself is not measured.
double CADTextHt(std::string_view text);
// The flipped y: GraphHeight - y while InvertY, else y.
double CADY(double y);
// The direction from (x2, y2) towards (x1, y1) in degrees, 0 <= angle < 360, anticlockwise
// from +x; differences below 0.01 snap to the axes (two equal points give 270).
double AngPP(double x1, double y1, double x2, double y2);
// The drawing aspect (control width / height) InitCADGraphics recorded; 0 until it ran.
double CADAspect();

// The back end as a canvas over one drawing control. begin() binds the control and runs
// InitCADGraphics; the DC objects and text attributes reach the back end as they are selected
// (a hollow brush removes the fill); a font gives the text height (its cell height at the
// canvas's resolution, in inches) and angle.
class DrawingCanvas : public gdi::Canvas {
 public:
  explicit DrawingCanvas(dxf::DrawingControl& control, int logPixelsY = gdi::kScreenDpi);
  // The drawing's extent as begin() found it (MaxX, MaxY): the entities a chart adds do not
  // move it while the chart is drawn.

  gdi::TargetKind kind() const override { return gdi::TargetKind::DrawingControl; }
  double width() const override;
  double height() const override;
  double aspect() const override;

  void begin(bool clear) override;
  void selectPen(const gdi::Pen& pen) override;
  void selectBrush(const gdi::Brush& brush) override;
  void selectFont(const gdi::Font& font) override;
  void setBkMode(int mode) override;
  void setTextColor(gdi::Rgb color) override;
  void rectangle(double x1, double y1, double x2, double y2) override;
  void ellipse(double x1, double y1, double x2, double y2) override;
  // The outline as LINEs, closed; filled with a SOLID first when a brush is set and the
  // polygon has three or four corners.
  void polygon(const std::vector<gdi::Point>& points) override;
  void textOut(double x, double y, std::string_view text) override;
  gdi::Extent textExtent(std::string_view text) override;

  dxf::DrawingControl& control() { return control_; }

 protected:
  void line(double x1, double y1, double x2, double y2) override;

 private:
  // Makes this canvas's control the bound one (another canvas may have drawn in between).
  void bind();

  dxf::DrawingControl& control_;
  double width_ = 0, height_ = 0;
};

}  // namespace CADGraph
