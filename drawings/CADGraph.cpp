// Module CADGraph: the AutoCAD colour-index palette both ways, and the chart primitives as
// entities of a drawing control.
#include "drawings/CADGraph.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

#include "drawings/CadServices.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Trap.h"

namespace CADGraph {

namespace {

constexpr std::string_view kModule = "CadGraph";

struct ColourRow {
  int index;
  std::initializer_list<int32_t> colours;  // RGB, red in the low byte; the first is the index's own
};

// The colours the program offers and the index each is drawn in; the first row that lists a
// colour wins.
const ColourRow kPalette[] = {
    {7, {0x000000}},
    {1, {0x0000FF, 0x0000C0, 0x000080, 0x000040}},
    {3, {0x00FF00, 0x00C000, 0x008000, 0x004000}},
    {5, {0xFF0000, 0xC00000, 0x800000, 0x400000}},
    {6, {0xFF00FF, 0xC000C0, 0x800080, 0x400040}},
    {4, {0xFFFF00, 0xC0C000, 0x808000, 0x404000}},
    {2, {0x00FFFF, 0x00C0C0, 0x008080, 0x004040}},
    {9, {0x808080, 0xE0E0E0, 0xC0C0C0, 0x404040}},
    {30, {0x0080FF, 0xC0E0FF, 0x80C0FF, 0x0040C0, 0x004080, 0x404080}},
    {231, {0x8080FF, 0xC0C0FF}},
    {91, {0x80FF80, 0xC0FFC0}},
    {171, {0xFF8080, 0xFFEBCE}},
    {51, {0x80FFFF, 0xC0FFFF}},
    {211, {0xFF80FF, 0xFFC0FF}},
    {131, {0xFFFF80, 0xFFFFC0}},
    {254, {0xFFFFFF}},
};

constexpr int kDefaultIndex = 7;

// Characters, not bytes: a UTF-8 sequence ("°") is one character of the text.
long CharacterCount(std::string_view text) {
  long n = 0;
  for (unsigned char c : text) n += (c & 0xC0) != 0x80;
  return n;
}

dxf::DrawingControl& Bound() {
  dxf::DrawingControl* c = vars().Target;
  if (!c) vb::Raise(vb::err::ObjectNotSet);
  return *c;
}

// A new entity of the bound drawing, on its current layer.
dxf::Entity& Append(std::string_view type) {
  dxf::Entity& e = Bound().AppendEntity();
  e.EntityType = type;
  return e;
}

int PaletteIndex(int32_t colour) {
  for (const ColourRow& row : kPalette) {
    for (int32_t listed : row.colours) {
      if (listed == colour) return row.index;
    }
  }
  return kDefaultIndex;
}

int DimIndex(int32_t colour, int plane, int32_t planeColor1, int32_t planeColor2) {
  return PaletteIndex(CadFunctions::ShownDimColor(colour, plane, planeColor1, planeColor2));
}

}  // namespace

int CADColor(int32_t colour) {
  vb::Proc g(kModule, "CADColor");
  return PaletteIndex(colour);
}

int CADDimColor(int32_t colour, int plane, int32_t planeColor1, int32_t planeColor2) {
  vb::Proc g(kModule, "CADDimColor");
  int index = kDefaultIndex;
  g.step([&] { index = DimIndex(colour, plane, planeColor1, planeColor2); });
  return index;
}

int CADDimColor(int32_t colour, int plane) {
  vb::Proc g(kModule, "CADDimColor");
  int index = kDefaultIndex;
  g.step([&] {
    const CadFunctions::DrawingInputs inputs = CadFunctions::CurrentInputs();
    index = DimIndex(colour, plane, inputs.PlaneColor1, inputs.PlaneColor2);
  });
  return index;
}

int32_t IndexColor(int colourIndex) {
  if (colourIndex == kDefaultIndex) return 0;
  for (const ColourRow& row : kPalette) {
    if (row.index == colourIndex) return *row.colours.begin();
  }
  return 0;
}

using State = vb::ModuleState<Vars, vb::ResetOrder::Drawings>;

Vars& vars() { return State::Get(); }

void resetForTest() { State::Reset(); }

void BindTarget(dxf::DrawingControl* control) { vars().Target = control; }

void InitCADGraphics(bool clear) {
  vb::Proc g(kModule, "InitCADGraphics");
  Vars& v = vars();
  g.step([&] {
    const dxf::DrawingControl& c = Bound();
    v.CADAspect = c.Height() > 0 ? static_cast<double>(c.Width()) / c.Height() : 0;
  });
  g.step([&] {
    dxf::DrawingControl& c = Bound();
    if (c.EntityList().Count() == 0 || clear) c.NewDrawing();
  });
  v.InvertY = true;
  g.step([&] {
    const dxf::DrawingControl& c = Bound();
    v.GraphWidth = c.MaxX();
    v.GraphHeight = c.MaxY();
  });
  g.step([&] {
    dxf::DrawingControl& c = Bound();
    c.SetCurrentLayerName("0");
    c.FILLMODE = false;
  });
  v.CADBrushColor = -1;
  SetCADPen(1, 0);
}

void SetCADPen(double width, int32_t colour) {
  vb::Proc g(kModule, "SetCADPen");
  Vars& v = vars();
  v.CADPenWidth = width;
  v.CADPenColor = colour;
  g.step([&] {
    dxf::DrawingControl& c = Bound();
    c.PlotPenWidth = static_cast<float>(width);
    c.ForeColor = PaletteIndex(colour);
  });
}

void NoOpRemove() {}

void SetCADBrush(int32_t colour) {
  vb::Proc g(kModule, "SetCADBrush");
  vars().CADBrushColor = colour;
  g.step([&] {
    dxf::DrawingControl& c = Bound();
    c.CurrentColor = PaletteIndex(colour);
    c.FILLMODE = true;
  });
}

void RemoveCADBrush() {
  vb::Proc g(kModule, "RemoveCADBrush", vb::Trap::Silent, true);
  vars().CADBrushColor = -1;
}

void CADMoveTo(double x, double y) {
  vb::Proc g(kModule, "CADMoveTo");
  vars().CADPosX = x;
  vars().CADPosY = y;
}

void CADLineTo(double x, double y) {
  vb::Proc g(kModule, "CADLineTo");
  Vars& v = vars();
  g.step([&] {
    dxf::Entity& e = Append("LINE");
    e.X0 = v.CADPosX;
    e.Y0 = CADY(v.CADPosY);
    e.X1 = x;
    e.Y1 = CADY(y);
    e.Color = PaletteIndex(v.CADPenColor);
    e.LineType = "SOLID";
    if (v.CADPenWidth != 0) e.EditExtra().Thickness = v.CADPenWidth;  // else the default
  });
  v.CADPosX = x;
  v.CADPosY = y;
}

void CADLine(double x1, double y1, double x2, double y2) {
  vb::Proc g(kModule, "CADLine", vb::Trap::Silent, true);
  CADMoveTo(x1, y1);
  CADLineTo(x2, y2);
}

void CADRectangle(double x1, double y1, double x2, double y2) {
  vb::Proc g(kModule, "CADRectangle");
  const Vars& v = vars();
  if (v.CADBrushColor != -1) {
    // The fill colour reaches the SOLID as the control's CurrentColor, which SetCADBrush set.
    g.step([&] {
      dxf::Entity& e = Append("SOLID");
      e.X0 = x1;
      e.Y0 = CADY(y1);
      e.X1 = x1;
      e.Y1 = CADY(y2);
      dxf::EntityExtra& corners = e.EditExtra();
      corners.X2 = x2;
      corners.Y2 = CADY(y1);
      corners.X3 = x2;
      corners.Y3 = CADY(y2);
    });
  }
  CADLine(x1, y1, x2, y1);
  CADLine(x2, y1, x2, y2);
  CADLine(x2, y2, x1, y2);
  CADLine(x1, y2, x1, y1);
}

void CADEllipse(double x1, double y1, double x2, double y2) {
  vb::Proc g(kModule, "CADEllipse");
  const double xmin = std::min(x1, x2), xmax = std::max(x1, x2);
  const double ymin = std::min(y1, y2), ymax = std::max(y1, y2);
  // A box without width or height has no axis ratio: there is no ellipse to add.
  if (!(xmax > xmin) || !(ymax > ymin)) return;
  g.step([&] {
    const double a = (xmax - xmin) / 2, b = (ymax - ymin) / 2;
    const double r = (ymax - ymin) / (xmax - xmin);
    dxf::Entity& e = Append("ELLIPSE");
    e.X0 = (xmin + xmax) / 2;
    e.Y0 = CADY((ymin + ymax) / 2);
    if (r <= 1) {
      e.X1 = a;
      e.Y1 = 0;
      e.g40 = r;
    } else {
      e.X1 = 0;
      e.Y1 = b;
      e.g40 = 1 / r;
    }
    e.g41 = 0;
    e.EditExtra().g42 = 2 * std::numbers::pi;
    e.Color = PaletteIndex(vars().CADPenColor);
  });
}

void SetCADTextBgMode(int mode) {
  vb::Proc g(kModule, "SetCADTextBgMode", vb::Trap::Silent, true);
  vars().CADTextBgMode = mode;
}

void SetCADTextColor(int32_t colour) {
  vb::Proc g(kModule, "SetCADTextColor", vb::Trap::Silent, true);
  vars().CADTextACI = PaletteIndex(colour);
}

void CADText(double x, double y, std::string_view text) {
  vb::Proc g(kModule, "CADText");
  const Vars& v = vars();
  g.step([&] {
    const double h = CADTextHt(text);
    const double t = v.CADTextAngle * std::numbers::pi / 180;
    dxf::Entity& e = Append("TEXT");
    e.X0 = x + h * std::sin(t);
    e.Y0 = CADY(y + h * std::cos(t));
    e.EditExtra().TextStyle = v.CADTextStyle;
    e.g40 = v.CADTextSize;
    e.g50 = v.CADTextAngle;
    e.Color = v.CADTextACI;
    e.Text = text;
  });
}

double CADTextWd(std::string_view text) {
  vb::Proc g(kModule, "CADTextWd");
  return 0.75 * static_cast<double>(CharacterCount(text)) * vars().CADTextSize;
}

double CADTextHt(std::string_view /*text*/) {
  vb::Proc g(kModule, "CADTextHt");
  return vars().CADTextSize;
}

double CADY(double y) {
  const Vars& v = vars();
  return v.InvertY ? v.GraphHeight - y : y;
}

double AngPP(double x1, double y1, double x2, double y2) {
  vb::Proc g(kModule, "AngPP");
  const double dx = x1 - x2, dy = y1 - y2;
  if (std::abs(dx) < 0.01) return y1 > y2 ? 90 : 270;
  if (std::abs(dy) < 0.01) return x1 > x2 ? 0 : 180;
  double degrees = std::atan2(dy, dx) * 180 / std::numbers::pi;
  if (degrees < 0) degrees += 360;
  return degrees >= 360 ? 0 : degrees;
}

double CADAspect() { return vars().CADAspect; }

// --- DrawingCanvas ---

DrawingCanvas::DrawingCanvas(dxf::DrawingControl& control, int logPixelsY)
    : gdi::Canvas(logPixelsY), control_(control) {}

void DrawingCanvas::bind() { BindTarget(&control_); }

double DrawingCanvas::width() const { return width_; }
double DrawingCanvas::height() const { return height_; }

double DrawingCanvas::aspect() const {
  return control_.Height() > 0 ? static_cast<double>(control_.Width()) / control_.Height() : 0;
}

void DrawingCanvas::begin(bool clear) {
  gdi::Canvas::begin(clear);
  bind();
  InitCADGraphics(clear);
  width_ = vars().GraphWidth;
  height_ = vars().GraphHeight;
  // The back end starts like the canvas: black text in the surface's default font.
  SetCADTextColor(state_.textColor);
  selectFont(state_.font);
}

void DrawingCanvas::selectPen(const gdi::Pen& pen) {
  gdi::Canvas::selectPen(pen);
  bind();
  SetCADPen(pen.width, static_cast<int32_t>(pen.color));
}

void DrawingCanvas::selectBrush(const gdi::Brush& brush) {
  gdi::Canvas::selectBrush(brush);
  bind();
  if (brush.style == gdi::Brush::Style::Hollow)
    RemoveCADBrush();
  else
    SetCADBrush(static_cast<int32_t>(brush.color));
}

void DrawingCanvas::selectFont(const gdi::Font& font) {
  gdi::Canvas::selectFont(font);
  Vars& v = vars();
  v.CADTextSize = static_cast<double>(font.height) / logPixelsY();
  v.CADTextAngle = font.escapement / 10.0;
}

void DrawingCanvas::setBkMode(int mode) {
  gdi::Canvas::setBkMode(mode);
  SetCADTextBgMode(mode);
}

void DrawingCanvas::setTextColor(gdi::Rgb color) {
  gdi::Canvas::setTextColor(color);
  SetCADTextColor(static_cast<int32_t>(color));
}

void DrawingCanvas::rectangle(double x1, double y1, double x2, double y2) {
  bind();
  CADRectangle(x1, y1, x2, y2);
}

void DrawingCanvas::ellipse(double x1, double y1, double x2, double y2) {
  bind();
  CADEllipse(x1, y1, x2, y2);
}

void DrawingCanvas::polygon(const std::vector<gdi::Point>& points) {
  bind();
  if (points.size() < 2) return;
  if (vars().CADBrushColor != -1 && (points.size() == 3 || points.size() == 4)) {
    vb::Proc g(kModule, "CADPolygon");
    g.step([&] {
      // SOLID corners go 1-2-4-3 round the outline; a triangle repeats its last corner.
      const gdi::Point& p1 = points[0];
      const gdi::Point& p2 = points[1];
      const gdi::Point& p3 = points[2];
      const gdi::Point& p4 = points.size() == 4 ? points[3] : points[2];
      dxf::Entity& e = Append("SOLID");
      e.X0 = p1.x;
      e.Y0 = CADY(p1.y);
      e.X1 = p2.x;
      e.Y1 = CADY(p2.y);
      dxf::EntityExtra& corners = e.EditExtra();
      corners.X2 = p4.x;
      corners.Y2 = CADY(p4.y);
      corners.X3 = p3.x;
      corners.Y3 = CADY(p3.y);
    });
  }
  for (size_t i = 0; i < points.size(); ++i) {
    const gdi::Point& a = points[i];
    const gdi::Point& b = points[(i + 1) % points.size()];
    CADLine(a.x, a.y, b.x, b.y);
  }
}

void DrawingCanvas::textOut(double x, double y, std::string_view text) {
  bind();
  CADText(x, y, text);
}

gdi::Extent DrawingCanvas::textExtent(std::string_view text) {
  return {CADTextWd(text), CADTextHt(text)};
}

void DrawingCanvas::line(double x1, double y1, double x2, double y2) {
  bind();
  CADLine(x1, y1, x2, y2);
}

}  // namespace CADGraph
