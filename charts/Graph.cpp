// Module Graph: the drawing layer over the bound canvas.
#include "charts/Graph.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "platform/runtime/Error.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Trap.h"

namespace Graph {

namespace {

constexpr std::string_view kModule = "Graph";

gdi::Canvas& Bound() {
  gdi::Canvas* t = vars().GraphTarget;
  if (!t) vb::Raise(vb::err::ObjectNotSet);
  return *t;
}

// VB's conversion to a 32-bit integer: nearest, halves to even; out of range is an overflow.
double ToDeviceInteger(double v) {
  if (!std::isfinite(v) || v > 2147483647.0 || v < -2147483648.0) vb::Raise(vb::err::Overflow);
  return std::nearbyint(v);
}

double Scaled(double value) {
  double v = value * vars().GraphScale / 100.0;
  if (!std::isfinite(v)) vb::Raise(vb::err::Overflow);
  return Bound().roundsCoordinates() ? ToDeviceInteger(v) : v;
}

int CellHeight(double cell) { return static_cast<int>(ToDeviceInteger(cell)); }

void SelectFont(const std::string& face, bool bold, bool italic, bool underline, bool strikeout,
                int cell, double angle) {
  gdi::Canvas& t = Bound();
  gdi::Font f;
  f.face = face;
  f.height = cell;
  f.weight = bold ? 700 : 400;
  f.italic = italic;
  f.underline = underline;
  f.strikeout = strikeout;
  f.escapement = static_cast<int>(ToDeviceInteger(angle * 10));
  vars().OldFonts.push_back(t.state().font);
  t.selectFont(f);
}

enum class Style { Dashed, DashDot, Dotted };

void Restart(LineStyleState& s, Style style) {
  s.PenDown = true;
  switch (style) {
    case Style::Dashed:
      s.PieceLeft = 1;
      break;
    case Style::DashDot:
      s.PieceLength = 1;
      s.PieceCount = 1;
      s.PieceLeft = 1;
      break;
    case Style::Dotted:
      s.PieceLeft = 0.25;
      s.DotCount = 0;
      break;
  }
}

void NextPiece(LineStyleState& s, Style style) {
  switch (style) {
    case Style::Dashed:
      s.PenDown = !s.PenDown;
      s.PieceLeft = 1;
      break;
    case Style::DashDot:
      s.PenDown = !s.PenDown;
      if (++s.PieceCount == 5) s.PieceCount = 1;
      s.PieceLength = s.PieceCount == 1 ? 1 : 0.25;
      s.PieceLeft = s.PieceLength;
      break;
    case Style::Dotted:
      s.DotCount = (s.DotCount + 1) % 3;
      s.PenDown = s.DotCount == 0;
      s.PieceLeft = 0.25;
      break;
  }
}

// Lays the pattern along the segment. A partial last piece is drawn when the pen is down and
// the rest of it carries into the next segment, for every style alike.
void StyledLine(LineStyleState& s, Style style, double x1, double y1, double x2, double y2) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
    vb::Raise(vb::err::Overflow);
  if (!s.hasLast || x1 != s.LastX || y1 != s.LastY) Restart(s, style);
  s.hasLast = true;
  s.LastX = x1;
  s.LastY = y1;
  const double length = Dist(x1, y1, x2, y2);
  if (length == 0) return;
  const double a = Ang(x1, y1, x2, y2);
  const double ca = std::cos(a), sa = std::sin(a);
  double cx = x1, cy = y1;
  // Every piece is at least .25 long; the bound keeps a rounding slip, or an absurdly long
  // segment, from looping for ever.
  const double limit = std::min(length / 0.25 * 2 + 16, 1e6);
  for (double n = 0; n < limit; ++n) {
    const double d = Dist(cx, cy, x2, y2);
    if (d < s.PieceLeft) {
      s.PieceLeft -= d;
      if (s.PenDown && d > 0) DrawLine(cx, cy, x2, y2, 0);
      cx = x2;
      cy = y2;
      break;
    }
    const double px = cx + s.PieceLeft * ca, py = cy + s.PieceLeft * sa;
    if (s.PenDown) DrawLine(cx, cy, px, py, 0);
    NextPiece(s, style);
    cx = px;
    cy = py;
    s.LastX = cx;
    s.LastY = cy;
  }
  s.LastX = x2;
  s.LastY = y2;
}

}  // namespace

using State = vb::ModuleState<Vars, vb::ResetOrder::Charts>;

Vars& vars() { return State::Get(); }

void resetForTest() { State::Reset(); }

gdi::Canvas* Target() { return vars().GraphTarget; }

gdi::TargetKind TargetKind() {
  return vars().GraphTarget ? vars().GraphTarget->kind() : gdi::TargetKind::Picture;
}

double Device(double value) { return Scaled(value); }

void InitGraphics(gdi::Canvas& target, bool percentMode, bool clear) {
  vb::Proc g(kModule, "InitGraphics");
  Vars& v = vars();
  g.step([&] {
    v.GraphTarget = &target;
    v.GraphToCAD = target.kind() == gdi::TargetKind::DrawingControl;
    v.OldPens.clear();
    v.OldBrushes.clear();
    v.OldFonts.clear();
  });
  g.step([&] { target.begin(clear); });
  g.step([&] {
    v.GraphWidth = target.width();
    v.GraphHeight = target.height();
  });
  g.step([&] {
    v.GraphPercentMode = percentMode;
    const gdi::TargetKind k = target.kind();
    if (percentMode)
      v.GraphScale = v.GraphWidth;
    else if (k == gdi::TargetKind::Printer || k == gdi::TargetKind::DrawingControl)
      v.GraphScale = 100;
    else
      v.GraphScale = 85;
  });
}

void SetPen(double width, gdi::Rgb color) {
  vb::Proc g(kModule, "SetPen");
  g.step([&] {
    gdi::Canvas& t = Bound();
    const int w = static_cast<int>(ToDeviceInteger(width));
    vars().OldPens.push_back(t.state().pen);
    t.selectPen({w < 1 ? 1 : w, color});
  });
}

void RemovePen() {
  vb::Proc g(kModule, "RemovePen");
  g.step([&] {
    Vars& v = vars();
    if (v.OldPens.empty() || !v.GraphTarget) return;  // nothing was set: nothing to put back
    v.GraphTarget->selectPen(v.OldPens.back());
    v.OldPens.pop_back();
  });
}

void SetBrush(gdi::Rgb color, long fillStyle) {
  vb::Proc g(kModule, "SetBrush");
  g.step([&] {
    gdi::Canvas& t = Bound();
    vars().OldBrushes.push_back(t.state().brush);
    t.selectBrush(fillStyle == 0 ? gdi::Brush::Solid(color)
                                 : gdi::Brush::Hatched(color, static_cast<int>(fillStyle)));
  });
}

void RemoveBrush() {
  vb::Proc g(kModule, "RemoveBrush");
  g.step([&] {
    Vars& v = vars();
    if (v.OldBrushes.empty() || !v.GraphTarget) return;
    v.GraphTarget->selectBrush(v.OldBrushes.back());
    v.OldBrushes.pop_back();
  });
}

void SetFont(const std::string& faceName, bool bold, bool italic, bool underline, bool strikeout,
             double size, double angle) {
  vb::Proc g(kModule, "SetFont");
  g.step([&] {
    const double dpi = Bound().logPixelsY();
    SelectFont(faceName, bold, italic, underline, strikeout,
               CellHeight(size * dpi / 72.0 * 20.0 / gdi::kScreenTwipsPerPixel), angle);
  });
  SetTextBgMode(1);
}

void SetFontInches(const std::string& faceName, bool bold, bool italic, bool underline,
                   bool strikeout, double heightInches, double angle) {
  vb::Proc g(kModule, "SetFontInches");
  g.step([&] {
    gdi::Canvas& t = Bound();
    const double cell =
        t.kind() == gdi::TargetKind::Form
            ? heightInches * 100
            : heightInches * 72 * gdi::kScreenTwipsPerPixel / t.twipsPerPixelY() * 2;
    SelectFont(faceName, bold, italic, underline, strikeout, CellHeight(cell), angle);
  });
  SetTextBgMode(1);
}

void RemoveFont() {
  vb::Proc g(kModule, "RemoveFont");
  g.step([&] {
    Vars& v = vars();
    if (v.OldFonts.empty() || !v.GraphTarget) return;
    v.GraphTarget->selectFont(v.OldFonts.back());
    v.OldFonts.pop_back();
  });
}

void MoveTo(double x, double y) {
  vb::Proc g(kModule, "MoveTo");
  g.step([&] {
    const double dx = Scaled(x), dy = Scaled(y);
    Bound().moveTo(dx, dy);
  });
}

void LineTo(double x, double y) {
  vb::Proc g(kModule, "LineTo");
  g.step([&] {
    const double dx = Scaled(x), dy = Scaled(y);
    Bound().lineTo(dx, dy);
  });
}

void DrawLine(double x1, double y1, double x2, double y2, long style) {
  vb::Proc g(kModule, "DrawLine");
  g.step([&] {
    switch (style) {
      case 0:
        MoveTo(x1, y1);
        LineTo(x2, y2);
        break;
      case 1:
        DrawDashedLine(x1, y1, x2, y2);
        break;
      case 2:
        DrawDottedLine(x1, y1, x2, y2);
        break;
      case 3:
        DrawDashDotLine(x1, y1, x2, y2);
        break;
      default:
        break;
    }
  });
}

void Rectangle(double x1, double y1, double x2, double y2) {
  vb::Proc g(kModule, "Rectangle");
  g.step([&] {
    const double a = Scaled(x1), b = Scaled(y1), c = Scaled(x2), d = Scaled(y2);
    Bound().rectangle(a, b, c, d);
  });
}

void Ellipse(double x1, double y1, double x2, double y2) {
  vb::Proc g(kModule, "Ellipse");
  g.step([&] {
    const double a = Scaled(x1), b = Scaled(y1), c = Scaled(x2), d = Scaled(y2);
    Bound().ellipse(a, b, c, d);
  });
}

void DrawCircle(double x, double y, double r) { Ellipse(x - r, y - r, x + r, y + r); }

void SetTextBgMode(long mode) {
  vb::Proc g(kModule, "SetTextBgMode");
  g.step([&] { Bound().setBkMode(static_cast<int>(mode)); });
}

void SetTextColor(gdi::Rgb color) {
  vb::Proc g(kModule, "SetTextColor");
  g.step([&] { Bound().setTextColor(color); });
}

void TextOut(double x, double y, std::string_view text) {
  vb::Proc g(kModule, "TextOut");
  g.step([&] {
    const double dx = Scaled(x), dy = Scaled(y);
    Bound().textOut(dx, dy, text);
  });
}

double TextWd(std::string_view text) {
  vb::Proc g(kModule, "TextWd");
  double w = 0;
  g.step([&] {
    if (vars().GraphScale == 0) return;
    w = Bound().textExtent(text).width * 100 / vars().GraphScale;
  });
  return w;
}

double TextHt(std::string_view text) {
  vb::Proc g(kModule, "TextHt");
  double h = 0;
  g.step([&] {
    if (vars().GraphScale == 0) return;
    h = Bound().textExtent(text).height * 100 / vars().GraphScale;
  });
  return h;
}

void DrawDashedLine(double x1, double y1, double x2, double y2) {
  vb::Proc g(kModule, "DrawDashedLine");
  g.step([&] { StyledLine(vars().Dashed, Style::Dashed, x1, y1, x2, y2); });
}

void DrawDashDotLine(double x1, double y1, double x2, double y2) {
  vb::Proc g(kModule, "DrawDashDotLine");
  g.step([&] { StyledLine(vars().DashDot, Style::DashDot, x1, y1, x2, y2); });
}

void DrawDottedLine(double x1, double y1, double x2, double y2) {
  vb::Proc g(kModule, "DrawDottedLine");
  g.step([&] { StyledLine(vars().Dotted, Style::Dotted, x1, y1, x2, y2); });
}

double Ang(double x1, double y1, double x2, double y2) {
  constexpr double pi = std::numbers::pi;
  const double dx = x2 - x1, dy = y2 - y1;
  if (std::abs(dx) < 0.01) return y2 > y1 ? pi / 2 : 3 * pi / 2;
  if (std::abs(dy) < 0.01) return x2 > x1 ? 0 : pi;
  if (x2 < x1 && y2 > y1) return pi - std::atan(dy / (x1 - x2));
  if (x2 < x1) return pi + std::atan(dy / dx);
  if (y2 < y1) return 2 * pi - std::atan((y1 - y2) / dx);
  return std::atan(dy / dx);
}

double Dist(double x1, double y1, double x2, double y2) {
  return std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
}

}  // namespace Graph
