#pragma once
// Module Graph: the device-independent drawing layer. One target is bound at a time
// (InitGraphics); every primitive draws on it until the next bind. Coordinates are caller
// units, turned into device units by one factor: device = caller x GraphScale / 100, x and y
// alike. In percent mode GraphScale is the target width, so caller units are percent of the
// target's width on both axes. Pen widths are device pixels and never scaled.
//
// GDI targets get integer coordinates (nearest, halves to even); the drawing control gets them
// as they are. A value that cannot become a device coordinate (infinite, NaN, beyond 32 bits)
// is an overflow error, reported like any failing statement, and the primitive draws nothing.
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/Canvas.h"

namespace Graph {

// The pattern state of one styled-line routine; it lives for the whole run so that a polyline
// drawn segment by segment continues its pattern.
struct LineStyleState {
  bool hasLast = false;  // before the first call there is no end point
  double LastX = 0, LastY = 0;
  double PieceLeft = 0;
  bool PenDown = true;
  double PieceLength = 1;
  int PieceCount = 1;
  int DotCount = 0;
};

struct Vars {
  gdi::Canvas* GraphTarget = nullptr;
  bool GraphToCAD = false;
  double GraphScale = 100;
  bool GraphPercentMode = false;
  double GraphWidth = 0, GraphHeight = 0;
  // What each Set replaced, so that each Remove puts back exactly that.
  std::vector<gdi::Pen> OldPens;
  std::vector<gdi::Brush> OldBrushes;
  std::vector<gdi::Font> OldFonts;
  LineStyleState Dashed, DashDot, Dotted;
};
Vars& vars();
void resetForTest();

// Binds the target. Pictures and forms are erased first when `clear` is set; the printer never.
// GraphScale: the target width in percent mode; else 100 on the printer and the drawing
// control and 85 on pictures and forms.
void InitGraphics(gdi::Canvas& target, bool percentMode, bool clear);
gdi::Canvas* Target();
gdi::TargetKind TargetKind();  // Picture when nothing is bound

void SetPen(double width, gdi::Rgb color);
void RemovePen();
// fillStyle 0: solid; 1-5: the GDI hatch of that number.
void SetBrush(gdi::Rgb color, long fillStyle);
void RemoveBrush();
// Size in points: cell height = size x LOGPIXELSY / 72 x 20 / 15 (the screen's twips per
// pixel); angle in degrees, counter-clockwise. Leaves the text background transparent.
void SetFont(const std::string& faceName, bool bold, bool italic, bool underline, bool strikeout,
             double size, double angle);
// Height in inches: on the preview window (a form) the cell is inches x 100 pixels; on the
// printer inches x 72 x 15 / its twips per pixel x 2 (1.5 x inches x dpi).
void SetFontInches(const std::string& faceName, bool bold, bool italic, bool underline,
                   bool strikeout, double heightInches, double angle);
void RemoveFont();

void MoveTo(double x, double y);
void LineTo(double x, double y);
// style 0 solid, 1 dashed, 2 dotted, 3 dash-dot; any other style draws nothing.
void DrawLine(double x1, double y1, double x2, double y2, long style);
void Rectangle(double x1, double y1, double x2, double y2);
void Ellipse(double x1, double y1, double x2, double y2);
void DrawCircle(double x, double y, double r);
void SetTextBgMode(long mode);
void SetTextColor(gdi::Rgb color);
// The top-left corner of the text's cell at (x, y).
void TextOut(double x, double y, std::string_view text);
// Extent of the text in the current font, in caller units (0 when nothing is bound).
double TextWd(std::string_view text);
double TextHt(std::string_view text);

// Styled segments in caller units: dashed 1 on, 1 off; dash-dot 1 on, .25 off, .25 on, .25
// off; dotted .25 on, .5 off. A segment that starts where the routine's last one ended goes on
// with its pattern; one that starts elsewhere restarts it.
void DrawDashedLine(double x1, double y1, double x2, double y2);
void DrawDashDotLine(double x1, double y1, double x2, double y2);
void DrawDottedLine(double x1, double y1, double x2, double y2);

// Direction of the segment in radians, 0 to 2 pi, y downwards; nearly vertical (|dx| < .01)
// and nearly horizontal (|dy| < .01) segments snap to the axes.
double Ang(double x1, double y1, double x2, double y2);
double Dist(double x1, double y1, double x2, double y2);

// The device coordinate of a caller value for the bound target.
double Device(double value);

}  // namespace Graph
