// Writes the view drawings of the sample fleet (data/sample/ac.sql) as ASCII DXF files, one per
// aircraft and view, named <AcNum><View>.dxf. The files are committed in data/sample/drawings/;
// the build only loads them into dxf.mdb (data/sample/dxf.sql), it does not run this program.
//
// To regenerate them after a change here:
//   c++ -std=c++20 -O2 -o /tmp/make_sample_drawings tools/make_sample_drawings.cpp
//   /tmp/make_sample_drawings data/sample/drawings
//
// The aircraft are invented; their overall sizes follow the sample database (ACLength, ACWidth,
// DoorHeight, DoorWidth, CabinVol, the seats of AircraftOPS). Everything is full scale, in inches.
//
// Layers. Every outline, window, seat and label is on layer "0", so that it takes the layer of the
// aircraft it is merged for (Plane1 or Plane2) and its colour. Every dimension (the DIMENSION
// entity with its *Dn block, and the TEXT that carries its number) is on layer "DIM", which the
// program moves onto Dim1 or Dim2 by the same rule. Nothing else is in the files.
//
// Dimensions. The dimension's picture (extension lines, dimension line, arrowheads) is its
// anonymous block; its number is a separate TEXT entity on layer "DIM" (the DIMENSION's own text
// is a blank, which suppresses it), because the program evens out the height of, and converts to
// metric, the TEXT entities of the dimension layers. The number is the measure in decimal feet
// with one decimal and no unit mark ("51.4"), so that the metric conversion, which reads every
// number as feet, gives a true value in metres.
//
// Origins (the same for every aircraft of a view, so that overlaid drawings line up). The printed
// pages put each view's origin on a fixed page point and grow the view from there (the exterior
// views up and to the right, the floor plans downwards, the cabins about their middle), so these
// are the points the pages assume:
//   Top         nose at x = 0, the aircraft pointing to -x, tail towards +x, centreline y = 0;
//   Side        nose at x = 0, tail towards +x, ground at y = 0 (left side seen);
//   Front       centreline x = 0, ground at y = 0;
//   Interior    floor plan, cockpit towards +y, cabin towards -y (the program turns it by 90
//               degrees on screen): centreline x = 0; fixed-wing: a foot ahead of the plan's
//               forward end at y = 0, so that the whole plan lies below its origin; helicopters:
//               the forward cabin bulkhead (behind the cockpit) at y = 0;
//   Cabin       fixed-wing cabin cross-section looking forward: centreline x = 0, the middle of
//               the section at y = 0;
//   CabinFront  helicopter cabin cross-section looking forward: centreline x = 0, floor at y = 0;
//   CabinSide   cabin side section: forward cabin bulkhead at x = 0, aft towards +x, floor at y = 0,
//               with the dimensions above and behind it (the pages leave little room below).
// Helicopters share the exterior origins: fuselage nose at x = 0, so the main rotor disc reaches
// ahead of it to negative x.
//
// Entities: POLYLINE (outlines; a closed one repeats its first vertex, because the printed pages
// draw a polyline's segments only), LINE, CIRCLE (wheels, hubs, dashed rotor and propeller discs),
// TEXT and DIMENSION; SOLID arrowheads inside the dimension blocks. Curves are drawn as polylines,
// and every extreme point of a view is a polyline vertex or a dimension's definition point, because
// the program measures a drawing by the first point of each entity and the vertices of its
// polylines (a POLYLINE's own point is the origin, which lies inside every view).
//
// The files are DXF R12 (AC1009) throughout, with no entity of a later version, so that other DXF
// readers open them as well as ours.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "DxfR12.h"

namespace {

using dxfr12::Groups;
using dxfr12::P;

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180.0;

using Path = std::vector<P>;

std::string Feet(double inches) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", inches / 12.0);
  return buf;
}

class Drawing {
 public:
  explicit Drawing(double dimText) : th_(dimText) {}

  // Moves everything drawn from now on by `by`: a view drawn about a convenient point gets its
  // origin where the printed pages place the drawing's origin.
  void MoveOrigin(P by) { shift_ = by; }

  void Poly(Path pts, const char* ltype = nullptr) {
    for (P& p : pts) p = Shifted(p);
    PolyOn("0", pts, ltype);
  }

  // A closed outline: the first vertex is repeated at the end.
  void Closed(Path pts) {
    if (!pts.empty()) pts.push_back(pts.front());
    Poly(pts);
  }

  void Line(P a, P b) { LineOn(ents_, "0", Shifted(a), Shifted(b), false); }

  void Circle(P c, double r, const char* ltype = nullptr) {
    c = Shifted(c);
    ents_.g(0, "CIRCLE");
    ents_.g(8, "0");
    if (ltype) ents_.g(6, ltype);
    ents_.pt(10, c);
    ents_.g(40, r);
    Grow({c.x - r, c.y - r});
    Grow({c.x + r, c.y + r});
  }

  // A label of the drawing itself, centred on `at`.
  void Label(P at, const std::string& text) { TextOn("0", Shifted(at), th_, text, 0); }

  // Horizontal dimension of the x distance between a and b, its dimension line at y = yLine, its
  // number at the fraction `along` of the line from its left end (the middle unless said).
  void DimH(P a, P b, double yLine, double along = 0.5) {
    if (a.x > b.x) std::swap(a, b);
    yLine += shift_.y;
    a = Shifted(a);
    b = Shifted(b);
    Dim(a, b, {a.x, yLine}, {b.x, yLine}, 0, Feet(b.x - a.x), along);
  }

  // Vertical dimension of the y distance between a and b, its dimension line at x = xLine.
  void DimV(P a, P b, double xLine, double along = 0.5) {
    if (a.y > b.y) std::swap(a, b);
    xLine += shift_.x;
    a = Shifted(a);
    b = Shifted(b);
    Dim(a, b, {xLine, a.y}, {xLine, b.y}, 90, Feet(b.y - a.y), along);
  }

  std::string Dxf() const {
    Groups out;
    double x0 = min_.x, y0 = min_.y, x1 = max_.x, y1 = max_.y;
    dxfr12::Head head;
    head.extMin = {x0, y0};
    head.extMax = {x1, y1};
    head.limMin = {std::floor(x0 / 12) * 12, std::floor(y0 / 12) * 12};
    head.limMax = {std::ceil(x1 / 12) * 12, std::ceil(y1 / 12) * 12};
    head.ltScale = 1.0;
    head.dimTextH = th_;
    head.lineTypes = {{"CONTINUOUS", "Solid line", {}}, {"DASHED", "__  __  __  __", {12.0, -6.0}}};
    head.layers = {"0", "DIM"};
    head.fontFile = "txt";
    head.lastHeight = th_;
    dxfr12::WriteHeadAndTables(out, head);

    out.g(0, "SECTION");
    out.g(2, "BLOCKS");
    out.append(blocks_.str());
    out.g(0, "ENDSEC");

    out.g(0, "SECTION");
    out.g(2, "ENTITIES");
    out.append(ents_.str());
    out.g(0, "ENDSEC");
    out.g(0, "EOF");
    return out.str();
  }

 private:
  P Shifted(P p) const { return {p.x + shift_.x, p.y + shift_.y}; }

  void Grow(P p) {
    min_.x = std::min(min_.x, p.x);
    min_.y = std::min(min_.y, p.y);
    max_.x = std::max(max_.x, p.x);
    max_.y = std::max(max_.y, p.y);
  }

  // An R12 polyline: the POLYLINE head (its point is only the elevation), one VERTEX per point
  // and the SEQEND that closes the sequence.
  void PolyOn(const char* layer, const Path& pts, const char* ltype) {
    ents_.g(0, "POLYLINE");
    ents_.g(8, layer);
    if (ltype) ents_.g(6, ltype);
    ents_.i(66, 1);
    ents_.pt(10, {0, 0});
    ents_.i(70, 0);
    for (const P& p : pts) {
      ents_.g(0, "VERTEX");
      ents_.g(8, layer);
      ents_.pt(10, p);
      Grow(p);
    }
    ents_.g(0, "SEQEND");
    ents_.g(8, layer);
  }

  void LineOn(Groups& to, const char* layer, P a, P b, bool byBlock) {
    to.g(0, "LINE");
    to.g(8, layer);
    if (byBlock) to.i(62, 0);
    to.pt(10, a);
    to.pt(11, b);
    Grow(a);
    Grow(b);
  }

  void TextOn(const char* layer, P at, double h, const std::string& text, double rot) {
    ents_.g(0, "TEXT");
    ents_.g(8, layer);
    ents_.pt(10, at);
    ents_.g(40, h);
    ents_.g(1, text);
    if (rot != 0) ents_.g(50, rot);
    ents_.g(7, "STANDARD");
    ents_.i(72, 1);
    ents_.pt(11, at);
    Grow(at);
  }

  // Arrowhead with its tip at `tip`, pointing along the unit vector d.
  void Arrow(P tip, P d) {
    double al = th_, aw = th_ / 6;
    P base{tip.x - d.x * al, tip.y - d.y * al};
    P n{-d.y, d.x};
    blocks_.g(0, "SOLID");
    blocks_.g(8, "0");
    blocks_.i(62, 0);
    blocks_.pt(10, tip);
    blocks_.pt(11, {base.x + n.x * aw, base.y + n.y * aw});
    blocks_.pt(12, {base.x - n.x * aw, base.y - n.y * aw});
    blocks_.pt(13, {base.x - n.x * aw, base.y - n.y * aw});
  }

  // A linear dimension measuring from a to b, its dimension line from l1 to l2.
  void Dim(P a, P b, P l1, P l2, double angle, const std::string& text, double along) {
    std::string name = "*D" + std::to_string(++dims_);
    blocks_.g(0, "BLOCK");
    blocks_.g(8, "0");
    blocks_.g(2, name);
    blocks_.i(70, 1);
    blocks_.pt(10, {0, 0});
    blocks_.g(3, name);
    // Extension lines from a small gap off the measured point to a little past the line.
    for (auto [from, to] : {std::pair{a, l1}, std::pair{b, l2}}) {
      double dx = to.x - from.x, dy = to.y - from.y, len = std::hypot(dx, dy);
      if (len < th_ / 2) continue;
      dx /= len;
      dy /= len;
      P s{from.x + dx * th_ / 3, from.y + dy * th_ / 3};
      P e{to.x + dx * th_ / 2, to.y + dy * th_ / 2};
      LineOn(blocks_, "0", s, e, true);
    }
    LineOn(blocks_, "0", l1, l2, true);
    double dx = l2.x - l1.x, dy = l2.y - l1.y, len = std::hypot(dx, dy);
    P d{dx / len, dy / len};
    Arrow(l1, {-d.x, -d.y});
    Arrow(l2, d);
    blocks_.g(0, "ENDBLK");
    blocks_.g(8, "0");

    // The text stands above the dimension line (to its left for a vertical one), centred.
    P mid{l1.x + (l2.x - l1.x) * along, l1.y + (l2.y - l1.y) * along};
    P at = angle == 0 ? P{mid.x, mid.y + th_ * 0.4} : P{mid.x - th_ * 0.4, mid.y};
    P textMid = angle == 0 ? P{at.x, at.y + th_ / 2} : P{at.x - th_ / 2, at.y};
    ents_.g(0, "DIMENSION");
    ents_.g(8, "DIM");
    ents_.g(2, name);
    ents_.pt(10, l2);
    ents_.pt(11, textMid);
    ents_.i(70, 0);
    ents_.g(1, " ");
    ents_.pt(13, a);
    ents_.pt(14, b);
    ents_.g(50, angle);
    Grow(l2);
    TextOn("DIM", at, th_, text, angle);
  }

  double th_;
  P shift_;
  int dims_ = 0;
  Groups ents_, blocks_;
  P min_{std::numeric_limits<double>::max(), std::numeric_limits<double>::max()};
  P max_{std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest()};
};

// ---- shapes --------------------------------------------------------------------------------

Path Rect(double x0, double y0, double x1, double y1) {
  return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

// Rectangle with rounded corners (r), drawn counter-clockwise from the lower left.
Path RoundRect(double x0, double y0, double x1, double y1, double r, bool bottomRound = true) {
  Path p;
  auto corner = [&](double cx, double cy, double a0) {
    for (int i = 0; i <= 4; ++i) {
      double a = (a0 + 22.5 * i) * kDeg;
      p.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
  };
  if (bottomRound) {
    corner(x0 + r, y0 + r, 180);
    corner(x1 - r, y0 + r, 270);
  } else {
    p.push_back({x0, y0});
    p.push_back({x1, y0});
  }
  corner(x1 - r, y1 - r, 0);
  corner(x0 + r, y1 - r, 90);
  return p;
}

Path Ellipse(P c, double a, double b, int n = 32, double expo = 2) {
  Path p;
  for (int i = 0; i < n; ++i) {
    double t = 2 * kPi * i / n, ct = std::cos(t), st = std::sin(t);
    double x = std::copysign(std::pow(std::fabs(ct), 2 / expo), ct);
    double y = std::copysign(std::pow(std::fabs(st), 2 / expo), st);
    p.push_back({c.x + a * x, c.y + b * y});
  }
  return p;
}

// Symmetric airfoil section (four-digit thickness form), leading edge at le, chord along +x.
Path Airfoil(P le, double chord, double tc) {
  auto half = [&](double u) {
    return 5 * tc * chord *
           (0.2969 * std::sqrt(u) - 0.126 * u - 0.3516 * u * u + 0.2843 * u * u * u -
            0.1036 * u * u * u * u);
  };
  Path p;
  const int n = 10;
  for (int i = n; i >= 0; --i) {
    double u = 0.5 * (1 - std::cos(kPi * i / n));
    p.push_back({le.x + u * chord, le.y + half(u)});
  }
  for (int i = 1; i < n; ++i) {
    double u = 0.5 * (1 - std::cos(kPi * i / n));
    p.push_back({le.x + u * chord, le.y - half(u)});
  }
  return p;
}

// Thin closed outline around a polyline (blades, tubes), half its width on each side.
Path Thick(const Path& c, double half) {
  Path left, right;
  for (size_t i = 0; i < c.size(); ++i) {
    P a = c[i == 0 ? 0 : i - 1], b = c[i + 1 < c.size() ? i + 1 : i];
    double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
    P n{-dy / len * half, dx / len * half};
    left.push_back({c[i].x + n.x, c[i].y + n.y});
    right.push_back({c[i].x - n.x, c[i].y - n.y});
  }
  Path out = left;
  for (auto it = right.rbegin(); it != right.rend(); ++it) out.push_back(*it);
  return out;
}

// Zig-zag break line across a cut-away part, from (x0, y) to (x1, y).
Path BreakLine(double x0, double x1, double y, double amp) {
  double m = (x0 + x1) / 2;
  return {{x0, y}, {m - amp, y}, {m - amp / 2, y + amp}, {m + amp / 2, y - amp}, {m + amp, y},
          {x1, y}};
}

// ---- seats ---------------------------------------------------------------------------------

enum Facing { kFwd, kAft, kPort, kStbd };  // the way the occupant looks, in the floor plan

// Plan of a seat centred at c (width across the seat w, cushion depth d): cushion, back and, for
// armchairs, two armrests. The plan's forward direction is +y.
void SeatPlan(Drawing& d, P c, double w, double dep, Facing f, bool arms = true) {
  auto place = [&](double u, double v) {  // u across the seat, v towards where it faces
    switch (f) {
      case kFwd: return P{c.x + u, c.y + v};
      case kAft: return P{c.x - u, c.y - v};
      case kPort: return P{c.x - v, c.y + u};
      case kStbd: return P{c.x + v, c.y - u};
    }
    return c;
  };
  auto box = [&](double u0, double v0, double u1, double v1) {
    d.Closed({place(u0, v0), place(u1, v0), place(u1, v1), place(u0, v1)});
  };
  double arm = arms ? std::max(2.5, w * 0.13) : 0;
  double back = arms ? 6 : 4;
  box(-w / 2 + arm, -dep / 2, w / 2 - arm, dep / 2);
  box(-w / 2, -dep / 2 - back, w / 2, -dep / 2);
  if (arms) {
    box(-w / 2, -dep / 2, -w / 2 + arm, dep / 2 - 3);
    box(w / 2 - arm, -dep / 2, w / 2, dep / 2 - 3);
  }
}

// Seat seen from the front or back in a cross-section, centred at x = cx on a floor at y = y0.
void SeatFront(Drawing& d, double cx, double w, double y0, bool corporate) {
  double top = corporate ? 43 : 36;
  d.Closed(Rect(cx - w / 2, y0 + 11, cx + w / 2, y0 + 17));
  if (corporate) {
    d.Closed(RoundRect(cx - w / 2 + 1.5, y0 + 17, cx + w / 2 - 1.5, y0 + top, 3, false));
    d.Closed(Rect(cx - w / 2, y0 + 17, cx - w / 2 + 2.5, y0 + 24));
    d.Closed(Rect(cx + w / 2 - 2.5, y0 + 17, cx + w / 2, y0 + 24));
  } else {
    d.Closed(Rect(cx - w / 2 + 1, y0 + 17, cx + w / 2 - 1, y0 + top));
  }
  d.Line({cx - w / 2 + 2, y0 + 11}, {cx - w / 2 + 2, y0});
  d.Line({cx + w / 2 - 2, y0 + 11}, {cx + w / 2 - 2, y0});
}

// Seat in profile on a floor at y = 0, its front edge at x = f; `forward` when it faces -x.
void SeatSide(Drawing& d, double f, bool forward, bool corporate) {
  double s = forward ? 1 : -1;
  double top = corporate ? 43 : 36;
  auto q = [&](double u, double v) { return P{f + s * u, v}; };
  d.Closed({q(0, 12), q(0, 17), q(19, 16), q(19, 12)});
  d.Closed({q(19, 12), q(23, 12), q(26, top), q(22, top)});
  if (corporate) d.Closed({q(4, 17), q(18, 17), q(18, 23), q(4, 23)});
  d.Line(q(3, 12), q(3, 0));
  d.Line(q(16, 12), q(16, 0));
}

// ---- fixed-wing aircraft -------------------------------------------------------------------

struct FixedWing {
  int acNum;
  double L, span, H;
  // fuselage: nose and tail cone lengths, tail-end half width and heights
  double noseLen, tailStart, tailHalfW, tailTop, tailBot;
  // cabin section: half width a = cabinW / 2, half height b, centre yc above the floor, wall t,
  // superellipse exponent n
  double cabinW, cabinH, b, t, n;
  double zBottom;
  double xCabin0, cabinL, cockpitLen;
  double doorX, doorW, doorH;
  int windows;
  double winX0, winPitch, winW, winH, winRound, winZ;  // winZ: window centre above the floor
  // wing
  double wRootX, wRootC, wTipC, wSweep, wZ, wDihedral, wTc, wingletH;
  // horizontal tail (T: on the fin top; cruciform: on the fin at hZ; else on the fuselage)
  enum Tail { kT, kCruciform, kLow } tail;
  double hRootX, hRootC, hTipC, hSweep, hSpan, hZ, hDihedral;
  // vertical tail
  double vRootX, vRootC, vTipC, vSweep;
  // engines
  bool aftJets;
  double eX, eLen, eDia, eY, eZ, propDia;
  int blades;
  // landing gear
  double ngX, ngR, mgX, mgR, track;
  bool twinNose;
  // seats of the cabin section
  double seatX, seatW;

  double a() const { return cabinW / 2; }
  double yc() const { return cabinH - b; }
  double halfW() const { return a() + t; }
  double halfH() const { return b + t; }
  double zFloor() const { return zBottom + halfH() - yc(); }
  double zCentre() const { return zBottom + halfH(); }
  double zTopMid() const { return zBottom + 2 * halfH(); }
  double semi() const { return span / 2; }
  double yRoot() const { return halfW() * 0.92; }

  // Half width of the fuselage seen from above at station x.
  double W(double x) const {
    if (x <= 0) return 0;
    if (x < noseLen) {
      double u = 1 - x / noseLen;
      return halfW() * std::pow(1 - u * u, 0.65);
    }
    if (x <= tailStart) return halfW();
    double s = std::min(1.0, (x - tailStart) / (L - tailStart));
    return halfW() - (halfW() - tailHalfW) * std::pow(s, 1.5);
  }
  double zNose() const { return zCentre() - 0.2 * halfH(); }
  double ZTop(double x) const {
    if (x < noseLen * 1.1) {
      double u = std::clamp(1 - x / (noseLen * 1.1), 0.0, 1.0);
      return zNose() + (zTopMid() - zNose()) * std::pow(1 - u * u, 0.6);
    }
    if (x <= tailStart) return zTopMid();
    double s = std::min(1.0, (x - tailStart) / (L - tailStart));
    return zTopMid() - (zTopMid() - tailTop) * std::pow(s, 1.3);
  }
  double ZBot(double x) const {
    if (x < noseLen * 0.8) {
      double u = std::clamp(1 - x / (noseLen * 0.8), 0.0, 1.0);
      return zNose() - (zNose() - zBottom) * std::pow(1 - u * u, 0.6);
    }
    if (x <= tailStart - 30) return zBottom;
    double s = std::min(1.0, (x - (tailStart - 30)) / (L - tailStart + 30));
    return zBottom + (tailBot - zBottom) * std::pow(s, 1.2);
  }
  // Half width of the cabin section (inner wall) at height y above the floor.
  double InnerHalf(double y) const {
    double dy = std::min(1.0, std::fabs(y - yc()) / b);
    return a() * std::pow(1 - std::pow(dy, n), 1 / n);
  }
  // Outer half width of the fuselage section at height z above the ground.
  double OuterHalfAt(double z) const {
    double dy = std::min(1.0, std::fabs(z - zCentre()) / halfH());
    return halfW() * std::pow(1 - std::pow(dy, n), 1 / n);
  }
  double wTipX() const { return wRootX + (semi() - yRoot()) * std::tan(wSweep * kDeg); }
  double wTipZ() const { return wZ + (semi() - yRoot()) * std::tan(wDihedral * kDeg); }
  double finTipZ() const { return tail == kT ? H - 0.045 * hRootC : H; }
  double HZ() const { return tail == kT ? finTipZ() : hZ; }
  double finRootZ() const { return ZTop(vRootX) - 4; }
  double finTipX() const { return vRootX + (finTipZ() - finRootZ()) * std::tan(vSweep * kDeg); }
};

std::vector<double> Stations(const FixedWing& f) {
  std::vector<double> xs;
  for (int i = 0; i <= 12; ++i) xs.push_back(f.noseLen * (1 - std::cos(kPi / 2 * i / 12)));
  xs.push_back(f.tailStart - 30);
  xs.push_back(f.tailStart);
  for (int i = 1; i <= 10; ++i) xs.push_back(f.tailStart + (f.L - f.tailStart) * i / 10);
  return xs;
}

// Plan form of one side of a lifting surface (s = +1 or -1).
Path Planform(double rootX, double rootY, double rootC, double tipX, double tipY, double tipC,
              double s) {
  return {{rootX, s * rootY}, {tipX, s * tipY}, {tipX + tipC, s * tipY}, {rootX + rootC, s * rootY}};
}

void FixedTop(const FixedWing& f, Drawing& d) {
  std::vector<double> xs = Stations(f);
  Path body;
  for (double x : xs) body.push_back({x, f.W(x)});
  for (auto it = xs.rbegin(); it != xs.rend(); ++it) body.push_back({*it, -f.W(*it)});
  body.pop_back();  // the nose point only once
  d.Closed(body);

  // Windshield seen from above.
  double xa = f.noseLen * 0.55, xb = f.noseLen * 0.95;
  d.Closed({{xa, 0.35 * f.W(xa)}, {xb, 0.8 * f.W(xb)}, {xb, -0.8 * f.W(xb)}, {xa, -0.35 * f.W(xa)}});

  for (double s : {1.0, -1.0}) {
    double yr = f.yRoot(), tipX = f.wTipX();
    d.Closed(Planform(f.wRootX, yr, f.wRootC, tipX, f.semi(), f.wTipC, s));
    auto at = [&](double frac, double chordFrac) {
      double le = f.wRootX + frac * (tipX - f.wRootX);
      double c = f.wRootC + frac * (f.wTipC - f.wRootC);
      return P{le + chordFrac * c, s * (yr + frac * (f.semi() - yr))};
    };
    d.Poly({at(0, 0.74), at(0.6, 0.74), at(0.6, 1)});   // flap
    d.Poly({at(0.6, 0.74), at(0.95, 0.74), at(0.95, 1)});  // aileron

    // Horizontal tail.
    double hr = f.tail == FixedWing::kLow ? f.W(f.hRootX + f.hRootC * 0.5) : 0.0;
    double hTipX = f.hRootX + (f.hSpan / 2 - hr) * std::tan(f.hSweep * kDeg);
    d.Closed(Planform(f.hRootX, hr, f.hRootC, hTipX, f.hSpan / 2, f.hTipC, s));
    d.Line({f.hRootX + 0.7 * f.hRootC, s * hr}, {hTipX + 0.7 * f.hTipC, s * f.hSpan / 2 * 0.97});

    // Engines.
    double ey = s * f.eY;
    if (f.aftJets) {
      double x0 = f.eX, l = f.eLen, r = f.eDia / 2;
      d.Closed({{x0, ey - 0.9 * r}, {x0 + 0.1 * l, ey - r}, {x0 + 0.62 * l, ey - r},
                {x0 + l, ey - 0.7 * r}, {x0 + l, ey + 0.7 * r}, {x0 + 0.62 * l, ey + r},
                {x0 + 0.1 * l, ey + r}, {x0, ey + 0.9 * r}});
      double inner = ey - s * r;
      double p0 = x0 + 0.3 * l, p1 = x0 + 0.72 * l;
      d.Poly({{p0, inner}, {p0 + 10, s * f.W(p0 + 10)}});
      d.Poly({{p1, inner}, {p1 + 6, s * f.W(p1 + 6)}});
    } else {
      double x0 = f.eX, l = f.eLen, r = f.eDia / 2;
      d.Closed({{x0, ey - 0.8 * r}, {x0 + 0.15 * l, ey - r}, {x0 + 0.7 * l, ey - r},
                {x0 + l, ey - 0.25 * r}, {x0 + l, ey + 0.25 * r}, {x0 + 0.7 * l, ey + r},
                {x0 + 0.15 * l, ey + r}, {x0, ey + 0.8 * r}});
      // Spinner and propeller.
      Path spinner;
      for (int i = 0; i <= 6; ++i) {
        double a = kPi * i / 6;
        spinner.push_back({x0 - 0.12 * l * std::sin(a), ey + 0.55 * r * std::cos(a)});
      }
      d.Poly(spinner);
      double xp = x0 - 0.04 * l;
      d.Closed(Rect(xp - 3, ey - f.propDia / 2, xp + 3, ey + f.propDia / 2));
    }
  }
  // Fin seen from above.
  d.Closed(Airfoil({f.vRootX, 0}, f.vRootC, 0.1));

  double semi = f.semi();
  d.DimH({0, 0}, {f.L, 0}, -semi - 48);
  // Spans, dimensioned about the centreline, carry their number a quarter of the way along: two
  // aircraft overlaid on a page then do not print their spans over each other.
  d.DimV({f.wTipX(), -semi}, {f.wTipX(), semi}, -48, 0.25);
}

void FixedSide(const FixedWing& f, Drawing& d) {
  std::vector<double> xs = Stations(f);
  Path body;
  for (double x : xs) body.push_back({x, f.ZTop(x)});
  for (auto it = xs.rbegin(); it != xs.rend(); ++it) body.push_back({*it, f.ZBot(*it)});
  body.pop_back();
  d.Closed(body);

  // Windshield and the cockpit side window.
  double zl = f.zCentre() + 0.3 * f.halfH();
  double xa = 0;
  while (f.ZTop(xa) - 3 < zl + 2) xa += 1;
  double xb = f.noseLen * 0.95;
  Path ws;
  for (int i = 0; i <= 5; ++i) {
    double x = xa + (xb - xa) * i / 5;
    ws.push_back({x, f.ZTop(x) - 3});
  }
  ws.push_back({xb, zl});
  d.Closed(ws);
  d.Closed({{xb + 6, zl}, {xb + 6, f.ZTop(xb + 6) - 5}, {xb + 28, f.ZTop(xb + 28) - 7},
            {xb + 34, zl}});

  // Cabin windows and the door (left side).
  double zw = f.zFloor() + f.winZ;
  for (int i = 0; i < f.windows; ++i) {
    double cx = f.winX0 + i * f.winPitch;
    if (f.winRound > 0) {
      d.Closed(RoundRect(cx - f.winW / 2, zw - f.winH / 2, cx + f.winW / 2, zw + f.winH / 2,
                         f.winRound));
    } else {
      d.Closed(Ellipse({cx, zw}, f.winW / 2, f.winH / 2, 16));
    }
  }
  d.Closed(RoundRect(f.doorX, f.zFloor(), f.doorX + f.doorW, f.zFloor() + f.doorH, 5));

  // Wing: tip section, leading and trailing edges, winglet.
  double tx = f.wTipX(), tz = f.wTipZ();
  d.Closed(Airfoil({tx, tz}, f.wTipC, 0.11));
  // Wing-to-body fairing under the fuselage.
  double fb = f.zBottom;
  d.Poly({{f.wRootX - 24, fb}, {f.wRootX + 0.1 * f.wRootC, fb - 5}, {f.wRootX + 0.7 * f.wRootC, fb - 5},
          {f.wRootX + f.wRootC + 18, fb}});
  if (f.wingletH > 0) {
    double x0 = tx + 0.35 * f.wTipC, h = f.wingletH;
    d.Closed({{x0, tz}, {x0 + 0.7 * h, tz + h}, {x0 + 0.7 * h + 0.35 * f.wTipC, tz + h},
              {tx + f.wTipC, tz}});
  }

  // Fin with rudder line, horizontal tail.
  double rx = f.vRootX, rz = f.finRootZ(), tipX = f.finTipX(), tipZ = f.finTipZ();
  double rte = std::min(f.L, rx + f.vRootC), rtz = f.ZTop(rte) - 4;
  double rudderX = rx + 0.72 * f.vRootC;
  d.Closed({{rx, rz}, {tipX, tipZ}, {tipX + f.vTipC, tipZ}, {rte, rtz}});
  d.Line({rudderX, f.ZTop(rudderX) - 4}, {tipX + 0.72 * f.vTipC, tipZ});
  double hz = f.tail == FixedWing::kLow ? f.hZ + (f.hSpan / 2) * std::tan(f.hDihedral * kDeg) : f.HZ();
  double hx = f.tail == FixedWing::kLow
                  ? f.hRootX + (f.hSpan / 2) * std::tan(f.hSweep * kDeg)
                  : f.hRootX;
  double hc = f.tail == FixedWing::kLow ? f.hTipC : f.hRootC;
  d.Closed(Airfoil({hx, hz}, hc, 0.09));

  // Engines.
  if (f.aftJets) {
    double x0 = f.eX, l = f.eLen, r = f.eDia / 2, ez = f.eZ;
    d.Closed({{x0, ez - 0.9 * r}, {x0 + 0.1 * l, ez - r}, {x0 + 0.62 * l, ez - r},
              {x0 + l, ez - 0.7 * r}, {x0 + l, ez + 0.7 * r}, {x0 + 0.62 * l, ez + r},
              {x0 + 0.1 * l, ez + r}, {x0, ez + 0.9 * r}});
    d.Line({x0 + 0.1 * l, ez + 0.9 * r}, {x0 + 0.1 * l, ez - 0.9 * r});
  } else {
    double x0 = f.eX, l = f.eLen, r = f.eDia / 2, ez = f.eZ;
    d.Closed({{x0, ez - 0.8 * r}, {x0 + 0.15 * l, ez - 1.1 * r}, {x0 + 0.7 * l, ez - r},
              {x0 + l, ez - 0.1 * r}, {x0 + l, ez + 0.3 * r}, {x0 + 0.7 * l, ez + r},
              {x0 + 0.15 * l, ez + r}, {x0, ez + 0.8 * r}});
    Path spinner;
    for (int i = 0; i <= 6; ++i) {
      double a = kPi * i / 6;
      spinner.push_back({x0 - 0.12 * l * std::sin(a), ez + 0.55 * r * std::cos(a)});
    }
    d.Poly(spinner);
    double xp = x0 - 0.04 * l;
    d.Closed(Rect(xp - 3, ez - f.propDia / 2, xp + 3, ez + f.propDia / 2));
  }

  // Landing gear.
  d.Circle({f.ngX, f.ngR}, f.ngR);
  d.Circle({f.ngX, f.ngR}, f.ngR * 0.4);
  d.Closed(Thick({{f.ngX, f.ngR}, {f.ngX + 4, f.ZBot(f.ngX + 4)}}, 1.5));
  d.Circle({f.mgX, f.mgR}, f.mgR);
  d.Circle({f.mgX, f.mgR}, f.mgR * 0.4);
  double strutTop = f.aftJets ? f.wZ : f.eZ - f.eDia / 2;
  d.Closed(Thick({{f.mgX, f.mgR}, {f.mgX - 6, strutTop}}, 2));

  d.DimH({0, f.zNose()}, {f.L, (f.tailTop + f.tailBot) / 2}, -36);
  d.DimV({f.mgX, 0}, {tipX + f.vTipC, f.H}, f.L + 48);
}

void FixedFront(const FixedWing& f, Drawing& d) {
  double zc = f.zCentre();
  d.Closed(Ellipse({0, zc}, f.halfW(), f.halfH(), 40, f.n));
  double a = f.halfW(), b = f.halfH();
  for (double s : {1.0, -1.0}) {
    d.Closed({{s * 0.06 * a, zc + 0.35 * b}, {s * 0.72 * a, zc + 0.22 * b},
              {s * 0.62 * a, zc + 0.62 * b}, {s * 0.06 * a, zc + 0.78 * b}});

    // Wing with dihedral, winglet.
    double tr = f.wTc * f.wRootC, tt = 0.11 * f.wTipC;
    double yr = f.OuterHalfAt(f.wZ), semi = f.semi(), tz = f.wTipZ();
    d.Closed({{s * yr, f.wZ + tr / 2}, {s * semi, tz + tt / 2}, {s * semi, tz - tt / 2},
              {s * yr, f.wZ - tr / 2}});
    if (f.wingletH > 0) {
      double h = f.wingletH;
      d.Closed({{s * (semi - 6), tz + tt / 2}, {s * semi, tz}, {s * (semi - 0.12 * h), tz + h},
                {s * (semi - 0.12 * h - 3), tz + h}});
    }

    // Horizontal tail.
    double ht = 0.09 * f.hRootC;
    double hr = f.tail == FixedWing::kLow ? f.W(f.hRootX + f.hRootC / 2) : 0.06 * f.vRootC;
    double rise = (f.hSpan / 2) * std::tan(f.hDihedral * kDeg), hz = f.HZ();
    d.Closed({{s * hr, hz + ht / 2}, {s * f.hSpan / 2, hz + rise + ht / 4},
              {s * f.hSpan / 2, hz + rise - ht / 4}, {s * hr, hz - ht / 2}});

    // Engines.
    double ey = s * f.eY;
    if (f.aftJets) {
      d.Circle({ey, f.eZ}, f.eDia / 2);
      d.Circle({ey, f.eZ}, f.eDia * 0.41);
      d.Circle({ey, f.eZ}, f.eDia * 0.12);
      double inner = ey - s * f.eDia / 2, fus = s * f.OuterHalfAt(f.eZ);
      d.Poly({{inner, f.eZ + 5}, {fus, f.eZ + 8}});
      d.Poly({{inner, f.eZ - 5}, {fus, f.eZ - 8}});
    } else {
      double r = f.eDia / 2;
      d.Closed(Ellipse({ey, f.eZ}, r, r * 1.1, 24));
      d.Circle({ey, f.eZ}, r * 0.35);
      d.Circle({ey, f.eZ}, f.propDia / 2, "DASHED");
      for (int k = 0; k < f.blades; ++k) {
        double ang = (90 + 360.0 * k / f.blades + (s > 0 ? 0 : 180.0 / f.blades)) * kDeg;
        P u{std::cos(ang), std::sin(ang)}, nrm{-u.y, u.x};
        double r0 = r * 0.35, r1 = f.propDia / 2;
        d.Closed({{ey + u.x * r0 + nrm.x * 3, f.eZ + u.y * r0 + nrm.y * 3},
                  {ey + u.x * r1 + nrm.x * 2, f.eZ + u.y * r1 + nrm.y * 2},
                  {ey + u.x * r1 - nrm.x * 2, f.eZ + u.y * r1 - nrm.y * 2},
                  {ey + u.x * r0 - nrm.x * 3, f.eZ + u.y * r0 - nrm.y * 3}});
      }
    }

    // Main gear.
    double mx = s * f.track / 2, tw = f.mgR * 0.75;
    d.Closed(RoundRect(mx - tw / 2, 0, mx + tw / 2, 2 * f.mgR, 2));
    double strutTop = f.aftJets ? f.wZ + (f.track / 2 - yr) * std::tan(f.wDihedral * kDeg)
                                : f.eZ - f.eDia / 2;
    d.Closed(Thick({{mx, 2 * f.mgR}, {mx, strutTop}}, 2));
  }
  // Nose gear.
  double nw = f.ngR * 0.7;
  if (f.twinNose) {
    d.Closed(RoundRect(-nw - 1, 0, -1, 2 * f.ngR, 2));
    d.Closed(RoundRect(1, 0, nw + 1, 2 * f.ngR, 2));
  } else {
    d.Closed(RoundRect(-nw / 2, 0, nw / 2, 2 * f.ngR, 2));
  }
  d.Closed(Thick({{0, 2 * f.ngR}, {0, f.ZBot(f.ngX)}}, 1.5));

  // Fin.
  double fr = 0.05 * f.vRootC, ft = 0.05 * f.vTipC;
  d.Closed({{-fr, f.finRootZ()}, {-ft, f.finTipZ()}, {ft, f.finTipZ()}, {fr, f.finRootZ()}});

  d.DimH({-f.semi(), f.wTipZ()}, {f.semi(), f.wTipZ()}, -36, 0.25);
  d.DimV({f.track / 2, 0}, {0, f.H}, f.semi() + 48);
}

struct PlanItem {
  enum Kind { kSeat, kTable, kDivan, kCloset, kGalley, kLav, kPartition, kLabel } kind;
  double x = 0, y = 0, w = 0, h = 0;
  Facing facing = kFwd;
  const char* text = nullptr;
  bool arms = true;  // seats: armchair or plain utility seat
};

void Toilet(Drawing& d, P c) {
  d.Closed(Ellipse({c.x, c.y - 3}, 7, 9, 20));
  d.Closed(Rect(c.x - 8, c.y + 6, c.x + 8, c.y + 12));
}

void PlanItems(Drawing& d, const std::vector<PlanItem>& items, double halfCabin) {
  for (const PlanItem& it : items) {
    switch (it.kind) {
      case PlanItem::kSeat: SeatPlan(d, {it.x, it.y}, it.w, it.h, it.facing, it.arms); break;
      case PlanItem::kTable:
        d.Closed(RoundRect(it.x - it.w / 2, it.y - it.h / 2, it.x + it.w / 2, it.y + it.h / 2, 3));
        break;
      case PlanItem::kDivan: {
        // Along a side wall: back against the wall, cushions divided into places.
        double s = it.x < 0 ? -1 : 1, wall = s * halfCabin;
        double y0 = it.y - it.h / 2, y1 = it.y + it.h / 2;
        d.Closed(Rect(wall - s * 6, y0, wall, y1));
        d.Closed(Rect(wall - s * 6, y0, wall - s * (6 + it.w), y1));
        for (int k = 1; k < 3; ++k) {
          double y = y0 + it.h * k / 3;
          d.Line({wall - s * 6, y}, {wall - s * (6 + it.w), y});
        }
        break;
      }
      case PlanItem::kCloset:
        d.Closed(Rect(it.x - it.w / 2, it.y - it.h / 2, it.x + it.w / 2, it.y + it.h / 2));
        d.Line({it.x - it.w / 2, it.y - it.h / 2}, {it.x + it.w / 2, it.y + it.h / 2});
        break;
      case PlanItem::kGalley:
        d.Closed(Rect(it.x - it.w / 2, it.y - it.h / 2, it.x + it.w / 2, it.y + it.h / 2));
        d.Label({it.x, it.y - 3}, it.text);
        break;
      case PlanItem::kLav: Toilet(d, {it.x, it.y}); break;
      case PlanItem::kPartition: d.Line({it.x, it.y}, {it.w, it.h}); break;
      case PlanItem::kLabel: d.Label({it.x, it.y}, it.text); break;
    }
  }
}

// Floor plan outline common to all interiors: inner wall and skin from just ahead of the
// instrument panel to just behind the cabin, break lines at both cut ends, the cockpit divider,
// the door (or doors), the panel and the pilots' seats.
template <class HalfWidth>
void PlanShell(Drawing& d, HalfWidth outer, double xCabin0, double cabinL, double cockpitLen,
               double wall, double cabinHalf, double doorY0, double doorW, bool bothDoors,
               double pilotSeatW) {
  auto yOf = [&](double x) { return xCabin0 - x; };
  double xPanel = xCabin0 - cockpitLen;
  double xFront = xPanel - 12, xBack = xCabin0 + cabinL + 18;
  std::vector<double> xs;
  for (int i = 0; i <= 16; ++i) xs.push_back(xFront + (xBack - xFront) * i / 16);
  Path skinL, skinR;
  for (double x : xs) {
    skinL.push_back({-outer(x), yOf(x)});
    skinR.push_back({outer(x), yOf(x)});
  }
  d.Poly(skinL);
  d.Poly(skinR);
  d.Poly(BreakLine(-outer(xFront), outer(xFront), yOf(xFront), 4));
  d.Poly(BreakLine(-outer(xBack), outer(xBack), yOf(xBack), 4));

  // Inner wall: the cockpit follows the skin, the cabin is the cabin width.
  Path inner;
  auto innerHalf = [&](double x) { return std::min(cabinHalf, outer(x) - wall); };
  for (int i = 0; i <= 6; ++i) {
    double x = xPanel + cockpitLen * i / 6;
    inner.push_back({-innerHalf(x), yOf(x)});
  }
  inner.push_back({-cabinHalf, -cabinL});
  inner.push_back({cabinHalf, -cabinL});
  for (int i = 6; i >= 0; --i) {
    double x = xPanel + cockpitLen * i / 6;
    inner.push_back({innerHalf(x), yOf(x)});
  }
  d.Closed(inner);
  // Divider between cockpit and cabin, with its doorway.
  d.Line({-cabinHalf, 0}, {-cabinHalf * 0.45, 0});
  d.Line({cabinHalf * 0.45, 0}, {cabinHalf, 0});
  // Glareshield over the instrument panel.
  double yp = cockpitLen;
  d.Line({-innerHalf(xPanel) * 0.9, yp - 5}, {innerHalf(xPanel) * 0.9, yp - 5});

  // Doors: jambs across the wall and the door leaf in the wall.
  for (double s : {-1.0, 1.0}) {
    if (s > 0 && !bothDoors) continue;
    double y1 = doorY0 - doorW;
    double wi = s * cabinHalf, wo = s * (cabinHalf + wall);
    d.Line({wi, doorY0}, {wo, doorY0});
    d.Line({wi, y1}, {wo, y1});
    d.Line({(wi + wo) / 2, doorY0}, {(wi + wo) / 2, y1});
  }

  // Pilots' seats and the centre console.
  double sx = cabinHalf * 0.5 + 1, sy = cockpitLen - 34;
  SeatPlan(d, {-sx, sy}, pilotSeatW, 20, kFwd);
  SeatPlan(d, {sx, sy}, pilotSeatW, 20, kFwd);
  d.Closed(Rect(-5, sy - 12, 5, yp - 8));
}

void FixedInterior(const FixedWing& f, const std::vector<PlanItem>& items, Drawing& d) {
  // The origin stands a foot ahead of the plan's forward end (the break line ahead of the panel):
  // the pages hang the plan down from its origin.
  d.MoveOrigin({0, -(f.cockpitLen + 12 + 4 + 12)});
  PlanShell(d, [&](double x) { return f.W(x); }, f.xCabin0, f.cabinL, f.cockpitLen, f.t, f.a(),
            f.xCabin0 - f.doorX, f.doorW, false, f.seatW);
  PlanItems(d, items, f.a());
  double out = f.a() + f.t;
  d.DimV({out, -f.cabinL}, {out, 0}, out + 24);
  d.DimH({-f.a(), -f.cabinL}, {f.a(), -f.cabinL}, -f.cabinL - 42);
}

void FixedCabin(const FixedWing& f, Drawing& d) {
  double yc = f.yc();
  // The origin is the middle of the section, a little above its centre: the pages centre the
  // cabin on its origin, and the dimension below it takes more room than the roof above.
  d.MoveOrigin({0, -(yc + 4)});
  d.Closed(Ellipse({0, yc}, f.halfW(), f.halfH(), 48, f.n));
  // Inner wall above the floor, and the floor.
  double yFloorHalf = f.InnerHalf(0);
  Path inner;
  int n = 28;
  double t0 = -std::asin(std::pow(std::clamp(yc / f.b, 0.0, 1.0), f.n / 2));
  for (int i = 0; i <= n; ++i) {
    double t = t0 + (kPi - 2 * t0) * i / n;  // from the right floor corner over the top
    double ct = std::cos(t), st = std::sin(t);
    double x = f.a() * std::copysign(std::pow(std::fabs(ct), 2 / f.n), ct);
    double y = yc + f.b * std::copysign(std::pow(std::fabs(st), 2 / f.n), st);
    inner.push_back({x, std::max(0.0, y)});
  }
  inner.front() = {yFloorHalf, 0};
  inner.back() = {-yFloorHalf, 0};
  d.Closed(inner);
  // Floor structure below the floor line.
  d.Line({-yFloorHalf, -4}, {yFloorHalf, -4});
  // Windows in the side walls.
  for (double s : {1.0, -1.0}) {
    double y0 = f.winZ - f.winH / 2, y1 = y0 + f.winH;
    d.Poly({{s * f.InnerHalf(y0), y0}, {s * (f.InnerHalf(y0) + f.t * 0.6), y0},
            {s * (f.InnerHalf(y1) + f.t * 0.6), y1}, {s * f.InnerHalf(y1), y1}});
  }
  SeatFront(d, -f.seatX, f.seatW, 0, true);
  SeatFront(d, f.seatX, f.seatW, 0, true);

  d.DimH({-f.a(), yc}, {f.a(), yc}, yc - f.halfH() - 16);
  d.DimV({0, 0}, {0, f.cabinH}, 0);
}

// ---- helicopters ---------------------------------------------------------------------------

struct Helicopter {
  int acNum;
  double R, L, H;
  double mastX, hubZ, bladeZ, bladeChord, bladeAngle0;
  int blades;
  double Rt, ztr;  // tail rotor radius and hub height; its hub x follows from L
  double podLen, podHalfW, podBottom, roofZ, noseLen, zNose;
  double deckX0, deckX1, deckZ, deckHalfW;
  double floorZ, cabinX0, cabinL, cabinW, cabinH, cockpitLen;
  double doorX, doorW, doorH;
  double boomX0, boomX1, boomTop0, boomTop1, boomBot0, boomBot1, boomHalf0, boomHalf1;
  double finX0, finRootC, finTipC, finSweep, finTopZ, finBotZ;
  double stabX, stabC, stabSpan, stabZ;
  double skidTrack, skidX0, skidX1, crossX0, crossX1;

  double xt() const { return L - (R - mastX) - Rt; }
  double xFront() const { return mastX - R; }
  double finHalfT() const { return 4; }
  double W(double x) const {  // pod and boom half width seen from above
    if (x <= 0) return 0;
    if (x < noseLen) {
      double u = 1 - x / noseLen;
      return podHalfW * std::pow(1 - u * u, 0.55);
    }
    if (x <= podLen - 50) return podHalfW;
    if (x <= boomX0) {
      double s = (x - (podLen - 50)) / (boomX0 - (podLen - 50));
      return podHalfW - (podHalfW - boomHalf0) * std::pow(s, 1.4);
    }
    double s = std::min(1.0, (x - boomX0) / (boomX1 - boomX0));
    return boomHalf0 + (boomHalf1 - boomHalf0) * s;
  }
};

void HeliTop(const Helicopter& h, Drawing& d) {
  std::vector<double> xs;
  for (int i = 0; i <= 10; ++i) xs.push_back(h.noseLen * (1 - std::cos(kPi / 2 * i / 10)));
  for (double x : {h.podLen - 50, h.podLen - 25, h.boomX0, h.boomX1}) xs.push_back(x);
  Path body;
  for (double x : xs) body.push_back({x, h.W(x)});
  for (auto it = xs.rbegin(); it != xs.rend(); ++it) body.push_back({*it, -h.W(*it)});
  body.pop_back();
  d.Closed(body);

  // Canopy, engine deck with its exhausts.
  double xa = h.noseLen * 0.2, xb = h.noseLen * 0.95;
  d.Closed({{xa, 0.5 * h.W(xa)}, {xb, 0.85 * h.W(xb)}, {xb, -0.85 * h.W(xb)}, {xa, -0.5 * h.W(xa)}});
  d.Closed(RoundRect(h.deckX0, -h.deckHalfW, h.deckX1, h.deckHalfW, 10));
  for (double s : {1.0, -1.0}) {
    d.Closed(Rect(h.deckX1 - 24, s * h.deckHalfW, h.deckX1 - 6, s * (h.deckHalfW + 6)));
  }

  // Horizontal stabilizer, fin, tail rotor on the left side of the fin.
  for (double s : {1.0, -1.0}) {
    double in = h.W(h.stabX + h.stabC / 2);
    d.Closed(Rect(h.stabX, s * in, h.stabX + h.stabC, s * h.stabSpan / 2));
    d.Closed(Rect(h.stabX - 2, s * h.stabSpan / 2, h.stabX + h.stabC + 4, s * (h.stabSpan / 2 + 2)));
  }
  d.Closed(Airfoil({h.finX0, 0}, h.finSweep + h.finTipC, 0.12));
  double ty = -(h.finHalfT() + 12);
  d.Closed(Rect(h.xt() - h.Rt, ty - 2, h.xt() + h.Rt, ty + 2));
  d.Closed(Rect(h.xt() - 4, ty + 2, h.xt() + 4, -h.finHalfT()));

  // Skids and cross tubes.
  for (double s : {1.0, -1.0}) {
    double y = s * h.skidTrack / 2;
    d.Closed(Rect(h.skidX0 - 14, y - 2.5, h.skidX1 + 6, y + 2.5));
    for (double cx : {h.crossX0, h.crossX1}) {
      d.Closed(Rect(cx - 2, s * h.W(cx), cx + 2, y - s * 2.5));
    }
  }

  // Main rotor: disc, hub, blades.
  d.Circle({h.mastX, 0}, h.R, "DASHED");
  d.Circle({h.mastX, 0}, 18);
  for (int k = 0; k < h.blades; ++k) {
    double a = (h.bladeAngle0 + 360.0 * k / h.blades) * kDeg;
    P u{std::cos(a), std::sin(a)}, n{-u.y, u.x};
    double r0 = 20, r1 = h.R, c = h.bladeChord / 2;
    d.Closed({{h.mastX + u.x * r0 + n.x * c * 0.6, u.y * r0 + n.y * c * 0.6},
              {h.mastX + u.x * (r0 + 30) + n.x * c, u.y * (r0 + 30) + n.y * c},
              {h.mastX + u.x * r1 + n.x * c, u.y * r1 + n.y * c},
              {h.mastX + u.x * r1 - n.x * c, u.y * r1 - n.y * c},
              {h.mastX + u.x * (r0 + 30) - n.x * c, u.y * (r0 + 30) - n.y * c},
              {h.mastX + u.x * r0 - n.x * c * 0.6, u.y * r0 - n.y * c * 0.6}});
  }

  d.DimH({h.xFront(), 0}, {h.xt() + h.Rt, ty}, -h.R - 24);
  d.DimV({h.mastX, -h.R}, {h.mastX, h.R}, h.xFront() - 36, 0.25);
}

void HeliSide(const Helicopter& h, Drawing& d) {
  // Pod and boom profile.
  Path top, bot;
  for (int i = 0; i <= 10; ++i) {
    double t = kPi / 2 * i / 10;
    top.push_back({h.noseLen * (1 - std::cos(t)), h.zNose + (h.roofZ - h.zNose) * std::sin(t)});
  }
  top.push_back({h.podLen - 30, h.roofZ});
  top.push_back({h.boomX0, h.boomTop0});
  top.push_back({h.boomX1, h.boomTop1});
  for (int i = 0; i <= 8; ++i) {
    double t = kPi / 2 * i / 8;
    bot.push_back({0.6 * h.noseLen * (1 - std::cos(t)), h.zNose - (h.zNose - h.podBottom) * std::sin(t)});
  }
  bot.push_back({h.podLen - 60, h.podBottom});
  bot.push_back({h.podLen - 20, h.podBottom + 14});
  bot.push_back({h.boomX0, h.boomBot0});
  bot.push_back({h.boomX1, h.boomBot1});
  Path body = top;
  for (auto it = bot.rbegin(); it != bot.rend(); ++it) body.push_back(*it);
  body.pop_back();
  d.Closed(body);

  // Windshield, cockpit door with its window, cabin door with two windows.
  Path ws;
  for (int i = 2; i <= 7; ++i) {
    double t = kPi / 2 * i / 10;
    ws.push_back({h.noseLen * (1 - std::cos(t)) + 3, h.zNose + (h.roofZ - h.zNose) * std::sin(t) - 3});
  }
  ws.push_back({ws.back().x + 4, h.floorZ + 30});
  ws.push_back({ws.front().x + 5, h.floorZ + 24});
  d.Closed(ws);
  double cd0 = h.noseLen * 0.66, cd1 = h.cabinX0 - 4;
  d.Closed(RoundRect(cd0, h.floorZ + 2, cd1, h.roofZ - 6, 6));
  d.Closed(RoundRect(cd0 + 5, h.floorZ + 26, cd1 - 5, h.roofZ - 11, 4));
  d.Closed(RoundRect(h.doorX, h.floorZ + 1, h.doorX + h.doorW, h.floorZ + h.doorH, 5));
  double ww = (h.doorW - 18) / 2;
  for (int k = 0; k < 2; ++k) {
    double x0 = h.doorX + 6 + k * (ww + 6);
    d.Closed(RoundRect(x0, h.floorZ + 24, x0 + ww, h.floorZ + h.doorH - 6, 5));
  }

  // Engine cowling, mast, hub, blades.
  d.Poly({{h.deckX0, h.roofZ}, {h.deckX0 + 30, h.deckZ}, {h.deckX1 - 20, h.deckZ},
          {h.deckX1, h.roofZ + 6}});
  d.Closed(Rect(h.deckX1 - 22, h.roofZ + 6, h.deckX1 - 4, h.deckZ - 6));
  d.Closed(Rect(h.mastX - 5, h.deckZ, h.mastX + 5, h.hubZ - 8));
  d.Closed(RoundRect(h.mastX - 20, h.hubZ - 8, h.mastX + 20, h.H, 4));
  for (double s : {-1.0, 1.0}) {
    double tip = h.mastX + s * h.R, root = h.mastX + s * 20;
    d.Closed({{root, h.bladeZ + 1.5}, {tip, h.bladeZ - 4}, {tip, h.bladeZ - 7}, {root, h.bladeZ - 1.5}});
  }

  // Fin (upper and ventral), stabilizer, tail rotor.
  double fx = h.finX0;
  d.Closed({{fx, h.boomTop1 - 4}, {fx + h.finSweep, h.finTopZ}, {fx + h.finSweep + h.finTipC, h.finTopZ},
            {fx + h.finRootC, h.boomTop1 - 4}});
  d.Closed({{fx + 6, h.boomBot1 + 2}, {fx + h.finRootC * 0.6, h.finBotZ},
            {fx + h.finRootC * 0.9, h.finBotZ}, {fx + h.finRootC, h.boomBot1 + 4}});
  d.Closed(Airfoil({h.stabX, h.stabZ}, h.stabC, 0.12));
  d.Circle({h.xt(), h.ztr}, h.Rt, "DASHED");
  d.Circle({h.xt(), h.ztr}, 6);
  double a = 60 * kDeg;
  P u{std::cos(a), std::sin(a)};
  d.Closed(Thick({{h.xt() - u.x * h.Rt, h.ztr - u.y * h.Rt}, {h.xt() + u.x * h.Rt, h.ztr + u.y * h.Rt}}, 2.5));

  // Skid gear.
  double zs = 2.5;
  d.Closed(Thick({{h.skidX0 - 14, zs + 13}, {h.skidX0 - 6, zs + 4}, {h.skidX0, zs}, {h.skidX1, zs},
                  {h.skidX1 + 6, zs + 2}},
                 2.5));
  for (double cx : {h.crossX0, h.crossX1}) {
    d.Closed(Thick({{cx, zs + 2.5}, {cx + 4, h.podBottom}}, 2));
  }

  d.DimH({h.xFront(), h.bladeZ - 4}, {h.xt() + h.Rt, h.ztr}, -36);
  d.DimV({h.skidX1, 0}, {h.mastX + 20, h.H}, h.xt() + h.Rt + 48);
}

void HeliFront(const Helicopter& h, Drawing& d) {
  double w = h.podHalfW, zb = h.podBottom, zr = h.roofZ;
  Path pod = {{-0.72 * w, zb},        {-0.9 * w, zb + 8},          {-0.99 * w, zb + 24},
              {-w, h.floorZ + 26},    {-0.96 * w, zr - 18},        {-0.86 * w, zr - 6},
              {-0.7 * w, zr},         {0.7 * w, zr},               {0.86 * w, zr - 6},
              {0.96 * w, zr - 18},    {w, h.floorZ + 26},          {0.99 * w, zb + 24},
              {0.9 * w, zb + 8},      {0.72 * w, zb}};
  d.Closed(pod);
  for (double s : {1.0, -1.0}) {
    d.Closed({{s * 3, h.floorZ + 24}, {s * 0.85 * w, h.floorZ + 28}, {s * 0.8 * w, zr - 10},
              {s * 3, zr - 6}});
  }
  // Engine deck and its intakes, mast, hub.
  d.Poly({{-h.deckHalfW, zr}, {-0.85 * h.deckHalfW, h.deckZ}, {0.85 * h.deckHalfW, h.deckZ},
          {h.deckHalfW, zr}});
  for (double s : {1.0, -1.0}) d.Circle({s * 0.5 * h.deckHalfW, (zr + h.deckZ) / 2}, 6);
  d.Closed(Rect(-5, h.deckZ, 5, h.hubZ - 8));
  d.Closed(RoundRect(-20, h.hubZ - 8, 20, h.H, 4));
  for (double s : {-1.0, 1.0}) {
    d.Closed({{s * 20, h.bladeZ + 1.5}, {s * h.R, h.bladeZ - 4}, {s * h.R, h.bladeZ - 6},
              {s * 20, h.bladeZ - 1.5}});
  }
  // Fin behind, the tail rotor edge-on on the left side of the aircraft (the viewer's right).
  double ft = h.finHalfT();
  d.Closed(Rect(-ft, h.deckZ, ft, h.finTopZ));
  d.Closed(Rect(ft + 10, h.deckZ, ft + 14, h.ztr + h.Rt));
  for (double s : {1.0, -1.0}) {
    d.Closed(Rect(s * w * 0.98, h.stabZ - 2, s * h.stabSpan / 2, h.stabZ + 2));
  }
  // Skids end-on and the arched cross tube.
  for (double s : {1.0, -1.0}) {
    double x = s * h.skidTrack / 2;
    d.Circle({x, 2.5}, 2.5);
    d.Closed(Thick({{x, 5}, {x - s * 4, 14}, {x - s * 12, zb - 4}, {s * 0.7 * w, zb}}, 2));
  }

  // The rotor span just above the hub: on the exterior page the top view stands close above.
  d.DimH({-h.R, h.bladeZ - 4}, {h.R, h.bladeZ - 4}, h.H + 16, 0.25);
  d.DimV({h.skidTrack / 2, 0}, {20, h.H}, h.R + 36);
}

enum class HeliConfig { kCorporate, kEms, kUtility };

void HeliInterior(const Helicopter& h, HeliConfig cfg, const std::vector<PlanItem>& items,
                  Drawing& d) {
  double half = h.cabinW / 2, wall = h.podHalfW - half;
  PlanShell(d, [&](double x) { return h.W(x); }, h.cabinX0, h.cabinL, h.cockpitLen, wall, half,
            h.cabinX0 - h.doorX, h.doorW, true, 19);
  PlanItems(d, items, half);
  (void)cfg;
  d.DimV({h.podHalfW, -h.cabinL}, {h.podHalfW, 0}, h.podHalfW + 20);
  d.DimH({-half, -h.cabinL}, {half, -h.cabinL}, -h.cabinL - 36);
}

void Litter(Drawing& d, double x0, double y0, double x1, double y1, bool plan) {
  if (plan) {
    d.Closed(Rect(x0, y0, x1, y1));
    d.Closed(RoundRect(x0 + 2, y0 + 2, x1 - 2, y1 - 2, 3));
    d.Line({x0 + 2, y1 - 14}, {x1 - 2, y1 - 14});
  }
}

void HeliCabinFront(const Helicopter& h, HeliConfig cfg, Drawing& d) {
  double half = h.cabinW / 2, wall = h.podHalfW - half;
  d.Closed(RoundRect(-half - wall, -12, half + wall, h.cabinH + 7, 12));
  d.Closed(RoundRect(-half, 0, half, h.cabinH, 10, false));
  double rise = h.deckZ - h.roofZ;
  d.Poly({{-h.deckHalfW, h.cabinH + 7}, {-0.85 * h.deckHalfW, h.cabinH + 7 + rise},
          {0.85 * h.deckHalfW, h.cabinH + 7 + rise}, {h.deckHalfW, h.cabinH + 7}});
  for (double s : {1.0, -1.0}) {
    d.Closed(Rect(s * (half + wall), 1, s * (half + wall + 3), h.doorH));
  }
  switch (cfg) {
    case HeliConfig::kCorporate: {
      int n = h.cabinW > 66 ? 4 : 2;
      double sw = n == 4 ? 17 : 19;
      for (int k = 0; k < n; ++k) {
        double cx = n == 4 ? (k - 1.5) * 17 : (k - 0.5) * 26;
        SeatFront(d, cx, sw, 0, true);
      }
      break;
    }
    case HeliConfig::kEms: {
      for (double s : {1.0, -1.0}) SeatFront(d, s * 11, 18, 0, false);
      for (double s : {1.0, -1.0}) {
        double xc = s * (half - 13);
        d.Closed(Rect(xc - 11, 20, xc + 11, 26));
        d.Poly({{xc - 9, 26}, {xc - 7, 33}, {xc + 7, 33}, {xc + 9, 26}});
        d.Line({xc - 9, 20}, {xc - 9, 0});
        d.Line({xc + 9, 20}, {xc + 9, 0});
      }
      break;
    }
    case HeliConfig::kUtility:
      for (int k = 0; k < 4; ++k) SeatFront(d, (k - 1.5) * 17, 16, 0, false);
      break;
  }
  d.DimH({-half, 0}, {half, 0}, -24);
  d.DimV({half, 0}, {half - 10, h.cabinH}, half + wall + 16);
}

void HeliCabinSide(const Helicopter& h, HeliConfig cfg, Drawing& d) {
  double L = h.cabinL;
  // Floor and roof panels of the section, kept thin: the side-by-side cabin page stacks the two
  // aircraft's side sections two inches apart.
  d.Closed(RoundRect(-4, -4, L + 4, h.cabinH + 4, 8));
  d.Closed(RoundRect(0, 0, L, h.cabinH, 8, false));
  double xd = h.doorX - h.cabinX0;
  d.Closed(RoundRect(xd, 1, xd + h.doorW, h.doorH, 5));
  double ww = (h.doorW - 18) / 2;
  for (int k = 0; k < 2; ++k) {
    double x0 = xd + 6 + k * (ww + 6);
    d.Closed(RoundRect(x0, 23, x0 + ww, h.doorH - 6, 5));
  }
  switch (cfg) {
    case HeliConfig::kCorporate:
      SeatSide(d, 29, false, true);           // aft-facing row against the forward bulkhead
      SeatSide(d, L - 29, true, true);        // forward-facing row against the aft wall
      break;
    case HeliConfig::kEms: {
      SeatSide(d, 26, false, false);          // attendants' seats
      double x0 = 26, x1 = std::min(L - 4, x0 + 76);
      d.Closed(Rect(x0, 20, x1, 26));
      d.Poly({{x0 + 4, 26}, {x0 + 8, 33}, {x1 - 20, 33}, {x1 - 14, 30}, {x1 - 4, 31}, {x1 - 2, 26}});
      for (double x : {x0 + 6, x1 - 6}) d.Line({x, 20}, {x, 0});
      break;
    }
    case HeliConfig::kUtility:
      for (double f : {6.0, 40.0, 74.0}) SeatSide(d, f, true, false);
      break;
  }
  // The length is dimensioned above the section: below the floor the pages leave little room.
  d.DimH({0, h.cabinH}, {L, h.cabinH}, h.cabinH + 22);
  d.DimV({L, 0}, {L - 8, h.cabinH}, L + 18);
}

// ---- the fleet -----------------------------------------------------------------------------

FixedWing Aircraft101() {
  FixedWing f{};
  f.acNum = 101;
  f.L = 51.4 * 12; f.span = 53.2 * 12; f.H = 15.0 * 12;
  f.noseLen = 110; f.tailStart = 380; f.tailHalfW = 6; f.tailTop = 80; f.tailBot = 70;
  f.cabinW = 60; f.cabinH = 57.6; f.b = 36; f.t = 4; f.n = 2.4; f.zBottom = 26;
  f.xCabin0 = 150; f.cabinL = 15.6 * 12; f.cockpitLen = 60;
  f.doorX = 156; f.doorW = 2.0 * 12; f.doorH = 4.2 * 12;
  f.windows = 6; f.winX0 = 198; f.winPitch = 26; f.winW = 11; f.winH = 15; f.winRound = 0; f.winZ = 34;
  f.wRootX = 250; f.wRootC = 92; f.wTipC = 36; f.wSweep = 14; f.wZ = 34; f.wDihedral = 3.5;
  f.wTc = 0.13; f.wingletH = 30;
  f.tail = FixedWing::kT;
  f.hRootX = 544; f.hRootC = 56; f.hTipC = 30; f.hSweep = 20; f.hSpan = 18 * 12; f.hZ = 176;
  f.hDihedral = -2;
  f.vRootX = 480; f.vRootC = 110; f.vTipC = 62; f.vSweep = 38;
  f.aftJets = true; f.eX = 420; f.eLen = 96; f.eDia = 34; f.eY = 55; f.eZ = 90;
  f.ngX = 70; f.ngR = 9; f.mgX = 338; f.mgR = 11; f.track = 170; f.twinNose = false;
  f.seatX = 15; f.seatW = 19;
  return f;
}

std::vector<PlanItem> Cabin101() {
  using I = PlanItem;
  double sx = 15, w = 19, dp = 20;
  return {
      {I::kCloset, 20, -18, 18, 26},
      {I::kSeat, -sx, -48, w, dp, kAft},  {I::kSeat, sx, -48, w, dp, kAft},
      {I::kTable, -sx, -73, 16, 16},      {I::kTable, sx, -73, 16, 16},
      {I::kSeat, -sx, -98, w, dp, kFwd},  {I::kSeat, sx, -98, w, dp, kFwd},
      {I::kSeat, -sx, -132, w, dp, kFwd}, {I::kSeat, sx, -132, w, dp, kFwd},
      {I::kPartition, -30, -152, 6, -152},
      {I::kLav, -16, -172},
      {I::kCloset, 21, -170, 16, 30},
      {I::kLabel, 0, -182, 0, 0, kFwd, "LAV"},
  };
}

FixedWing Aircraft102() {
  FixedWing f{};
  f.acNum = 102;
  f.L = 68.6 * 12; f.span = 70.1 * 12; f.H = 20.3 * 12;
  f.noseLen = 150; f.tailStart = 520; f.tailHalfW = 8; f.tailTop = 96; f.tailBot = 84;
  f.cabinW = 86.4; f.cabinH = 72; f.b = 42; f.t = 5; f.n = 2.4; f.zBottom = 34;
  f.xCabin0 = 190; f.cabinL = 25.2 * 12; f.cockpitLen = 72;
  f.doorX = 196; f.doorW = 2.6 * 12; f.doorH = 5.8 * 12;
  f.windows = 8; f.winX0 = 252; f.winPitch = 33; f.winW = 13; f.winH = 17; f.winRound = 0; f.winZ = 36;
  f.wRootX = 330; f.wRootC = 140; f.wTipC = 48; f.wSweep = 28; f.wZ = 44; f.wDihedral = 3;
  f.wTc = 0.12; f.wingletH = 48;
  f.tail = FixedWing::kCruciform;
  f.hRootX = 680; f.hRootC = 78; f.hTipC = 38; f.hSweep = 32; f.hSpan = 25 * 12; f.hZ = 185;
  f.hDihedral = 0;
  f.vRootX = 630; f.vRootC = 150; f.vTipC = 84; f.vSweep = 42;
  f.aftJets = true; f.eX = 560; f.eLen = 130; f.eDia = 50; f.eY = 79; f.eZ = 112;
  f.ngX = 95; f.ngR = 11; f.mgX = 455; f.mgR = 14; f.track = 210; f.twinNose = true;
  f.seatX = 23; f.seatW = 22;
  return f;
}

std::vector<PlanItem> Cabin102() {
  using I = PlanItem;
  double sx = 23, w = 22, dp = 22;
  return {
      {I::kGalley, 25, -24, 36, 42, kFwd, "GALLEY"},
      {I::kSeat, -sx, -64, w, dp, kAft},  {I::kSeat, sx, -64, w, dp, kAft},
      {I::kTable, -sx, -92, 24, 20},      {I::kTable, sx, -92, 24, 20},
      {I::kSeat, -sx, -120, w, dp, kFwd}, {I::kSeat, sx, -120, w, dp, kFwd},
      {I::kDivan, -1, -184, 22, 76},
      {I::kSeat, sx, -156, w, dp, kAft},
      {I::kTable, sx, -184, 24, 20},
      {I::kSeat, sx, -212, w, dp, kFwd},
      // The lavatory and the baggage room behind it. The interior tab turns the plan a quarter
      // round and sets its labels upright, side by side along the cabin: the baggage room is
      // deep enough for its label written across it there.
      {I::kPartition, -43.2, -231, 12, -231},
      {I::kLav, -24, -244.5},
      {I::kCloset, 28, -244.5, 26, 24},
      {I::kLabel, 0, -244.5, 0, 0, kFwd, "LAV"},
      {I::kPartition, -43.2, -258, 43.2, -258},
      {I::kLabel, 0, -280.2, 0, 0, kFwd, "BAGGAGE"},
  };
}

FixedWing Aircraft103() {
  FixedWing f{};
  f.acNum = 103;
  f.L = 46.7 * 12; f.span = 57.9 * 12; f.H = 15.4 * 12;
  f.noseLen = 120; f.tailStart = 390; f.tailHalfW = 7; f.tailTop = 84; f.tailBot = 74;
  f.cabinW = 57.6; f.cabinH = 58.8; f.b = 34; f.t = 4; f.n = 2.6; f.zBottom = 30;
  f.xCabin0 = 150; f.cabinL = 19.0 * 12; f.cockpitLen = 64;
  f.doorX = 321; f.doorW = 2.2 * 12; f.doorH = 4.3 * 12;
  f.windows = 5; f.winX0 = 178; f.winPitch = 30; f.winW = 14; f.winH = 13; f.winRound = 5; f.winZ = 39;
  f.wRootX = 205; f.wRootC = 100; f.wTipC = 46; f.wSweep = 4; f.wZ = 40; f.wDihedral = 6;
  f.wTc = 0.15; f.wingletH = 0;
  f.tail = FixedWing::kLow;
  f.hRootX = 486; f.hRootC = 58; f.hTipC = 34; f.hSweep = 10; f.hSpan = 18 * 12; f.hZ = 86;
  f.hDihedral = 7;
  f.vRootX = 440; f.vRootC = 100; f.vTipC = 56; f.vSweep = 35;
  f.aftJets = false; f.eX = 140; f.eLen = 170; f.eDia = 34; f.eY = 96; f.eZ = 58;
  f.propDia = 7.7 * 12; f.blades = 4;
  f.ngX = 60; f.ngR = 9; f.mgX = 255; f.mgR = 13; f.track = 192; f.twinNose = false;
  f.seatX = 14.5; f.seatW = 18;
  return f;
}

std::vector<PlanItem> Cabin103() {
  using I = PlanItem;
  double sx = 14.5, w = 18, dp = 20;
  return {
      {I::kSeat, -sx, -22, w, dp, kAft},  {I::kSeat, sx, -22, w, dp, kAft},
      {I::kTable, -sx, -48, 14, 14},      {I::kTable, sx, -48, 14, 14},
      {I::kSeat, -sx, -74, w, dp, kFwd},  {I::kSeat, sx, -74, w, dp, kFwd},
      {I::kSeat, -sx, -106, w, dp, kFwd}, {I::kSeat, sx, -106, w, dp, kFwd},
      {I::kSeat, -sx, -138, w, dp, kFwd}, {I::kSeat, sx, -138, w, dp, kFwd},
      {I::kLav, 15, -178},
      {I::kPartition, -28.8, -204, 28.8, -204},
      {I::kLabel, 0, -218, 0, 0, kFwd, "BAGGAGE"},
  };
}

FixedWing Aircraft104() {
  FixedWing f{};
  f.acNum = 104;
  f.L = 29.8 * 12; f.span = 38.2 * 12; f.H = 10.5 * 12;
  f.noseLen = 90; f.tailStart = 240; f.tailHalfW = 5; f.tailTop = 66; f.tailBot = 58;
  f.cabinW = 48; f.cabinH = 48; f.b = 28; f.t = 3; f.n = 3; f.zBottom = 24;
  f.xCabin0 = 110; f.cabinL = 10.0 * 12; f.cockpitLen = 50;
  f.doorX = 180; f.doorW = 3.0 * 12; f.doorH = 3.6 * 12;
  f.windows = 2; f.winX0 = 128; f.winPitch = 28; f.winW = 18; f.winH = 14; f.winRound = 5; f.winZ = 38;
  f.wRootX = 130; f.wRootC = 66; f.wTipC = 42; f.wSweep = 2; f.wZ = 30; f.wDihedral = 6;
  f.wTc = 0.15; f.wingletH = 0;
  f.tail = FixedWing::kLow;
  f.hRootX = 308; f.hRootC = 42; f.hTipC = 30; f.hSweep = 5; f.hSpan = 13 * 12; f.hZ = 64;
  f.hDihedral = 0;
  f.vRootX = 280; f.vRootC = 70; f.vTipC = 40; f.vSweep = 30;
  f.aftJets = false; f.eX = 80; f.eLen = 120; f.eDia = 30; f.eY = 72; f.eZ = 50;
  f.propDia = 6.3 * 12; f.blades = 3;
  f.ngX = 40; f.ngR = 7.5; f.mgX = 175; f.mgR = 9.5; f.track = 144; f.twinNose = false;
  f.seatX = 12; f.seatW = 17;
  return f;
}

std::vector<PlanItem> Cabin104() {
  using I = PlanItem;
  double sx = 12, w = 17, dp = 19;
  return {
      {I::kSeat, -sx, -16, w, dp, kAft}, {I::kSeat, sx, -16, w, dp, kAft},
      {I::kSeat, -sx, -64, w, dp, kFwd}, {I::kSeat, sx, -64, w, dp, kFwd},
      {I::kPartition, -24, -88, 24, -88},
      {I::kLabel, 0, -106, 0, 0, kFwd, "BAGGAGE"},
  };
}

Helicopter Aircraft201() {
  Helicopter h{};
  h.acNum = 201;
  h.R = 45.9 * 12 / 2; h.L = 55.4 * 12; h.H = 14.8 * 12;
  h.mastX = 168; h.hubZ = 168; h.bladeZ = 166; h.bladeChord = 21; h.bladeAngle0 = 20; h.blades = 4;
  h.Rt = 8.5 * 12 / 2; h.ztr = 118;
  h.podLen = 330; h.podHalfW = 42; h.podBottom = 22; h.roofZ = 92; h.noseLen = 80; h.zNose = 50;
  h.deckX0 = 112; h.deckX1 = 292; h.deckZ = 114; h.deckHalfW = 30;
  h.floorZ = 30; h.cabinX0 = 100; h.cabinL = 8.6 * 12; h.cabinW = 72; h.cabinH = 4.4 * 12;
  h.cockpitLen = 70;
  h.doorX = 114; h.doorW = 6.2 * 12; h.doorH = 4.1 * 12;
  h.boomX0 = 340; h.boomX1 = 505; h.boomTop0 = 96; h.boomTop1 = 112; h.boomBot0 = 60;
  h.boomBot1 = 96; h.boomHalf0 = 16; h.boomHalf1 = 9;
  h.finX0 = 488; h.finRootC = 40; h.finTipC = 30; h.finSweep = 30; h.finTopZ = 166; h.finBotZ = 72;
  h.stabX = 440; h.stabC = 32; h.stabSpan = 110; h.stabZ = 102;
  h.skidTrack = 96; h.skidX0 = 48; h.skidX1 = 276; h.crossX0 = 104; h.crossX1 = 228;
  return h;
}

Helicopter Aircraft202() {
  Helicopter h{};
  h.acNum = 202;
  h.R = 36.1 * 12 / 2; h.L = 42.7 * 12; h.H = 11.9 * 12;
  h.mastX = 130; h.hubZ = 134; h.bladeZ = 132; h.bladeChord = 16; h.bladeAngle0 = 30; h.blades = 3;
  h.Rt = 5.8 * 12 / 2; h.ztr = 92;
  h.podLen = 250; h.podHalfW = 35; h.podBottom = 20; h.roofZ = 86; h.noseLen = 64; h.zNose = 46;
  h.deckX0 = 92; h.deckX1 = 226; h.deckZ = 103; h.deckHalfW = 24;
  h.floorZ = 27; h.cabinX0 = 80; h.cabinL = 6.8 * 12; h.cabinW = 58.8; h.cabinH = 4.3 * 12;
  h.cockpitLen = 60;
  h.doorX = 92; h.doorW = 4.6 * 12; h.doorH = 3.9 * 12;
  h.boomX0 = 258; h.boomX1 = 392; h.boomTop0 = 88; h.boomTop1 = 92; h.boomBot0 = 56;
  h.boomBot1 = 80; h.boomHalf0 = 13; h.boomHalf1 = 7;
  h.finX0 = 376; h.finRootC = 32; h.finTipC = 24; h.finSweep = 24; h.finTopZ = 128; h.finBotZ = 58;
  h.stabX = 330; h.stabC = 26; h.stabSpan = 84; h.stabZ = 84;
  h.skidTrack = 80; h.skidX0 = 40; h.skidX1 = 212; h.crossX0 = 80; h.crossX1 = 180;
  return h;
}

std::vector<PlanItem> Cabin201(HeliConfig cfg) {
  using I = PlanItem;
  std::vector<PlanItem> v;
  double L = 8.6 * 12;
  switch (cfg) {
    case HeliConfig::kCorporate:
      for (int k = 0; k < 4; ++k) {
        double x = (k - 1.5) * 17;
        v.push_back({I::kSeat, x, -17, 17, 19, kAft});
        v.push_back({I::kSeat, x, -L + 17, 17, 19, kFwd});
      }
      break;
    case HeliConfig::kEms:
      v.push_back({I::kSeat, -11, -16, 18, 18, kAft});
      v.push_back({I::kSeat, 11, -16, 18, 18, kAft});
      v.push_back({I::kCloset, 0, -86, 20, 30});
      break;
    case HeliConfig::kUtility:
      for (double y : {-14.0, -47.0, -80.0}) {
        for (int k = 0; k < 4; ++k) v.push_back({I::kSeat, (k - 1.5) * 17, y, 16, 17, kFwd, nullptr, false});
      }
      break;
  }
  return v;
}

std::vector<PlanItem> Cabin202() {
  using I = PlanItem;
  double L = 6.8 * 12;
  return {
      {I::kSeat, -13, -17, 19, 19, kAft}, {I::kSeat, 13, -17, 19, 19, kAft},
      {I::kSeat, -19, -L + 17, 18, 19, kFwd}, {I::kSeat, 0, -L + 17, 18, 19, kFwd},
      {I::kSeat, 19, -L + 17, 18, 19, kFwd},
  };
}

bool Write(const std::filesystem::path& dir, int acNum, const std::string& view, const Drawing& d) {
  std::filesystem::path file = dir / (std::to_string(acNum) + view + ".dxf");
  std::ofstream out(file, std::ios::binary);
  out << d.Dxf();
  out.close();
  if (!out) {
    std::cerr << "cannot write " << file << "\n";
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_sample_drawings <output folder>\n";
    return 2;
  }
  std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);
  bool ok = true;

  // Text heights: exterior views 9 in; floor plans 6 in; cross-sections 3 in (the interior view
  // shows them at twice their size beside the floor plans).
  const double ext = 9, plan = 6, section = 3;

  std::vector<std::pair<FixedWing, std::vector<PlanItem>>> jets = {
      {Aircraft101(), Cabin101()},
      {Aircraft102(), Cabin102()},
      {Aircraft103(), Cabin103()},
      {Aircraft104(), Cabin104()},
  };
  for (const auto& [f, cabin] : jets) {
    Drawing top(ext), side(ext), front(ext), interior(plan), sectionView(section);
    FixedTop(f, top);
    FixedSide(f, side);
    FixedFront(f, front);
    FixedInterior(f, cabin, interior);
    FixedCabin(f, sectionView);
    ok &= Write(dir, f.acNum, "Top", top);
    ok &= Write(dir, f.acNum, "Side", side);
    ok &= Write(dir, f.acNum, "Front", front);
    ok &= Write(dir, f.acNum, "Interior", interior);
    ok &= Write(dir, f.acNum, "Cabin", sectionView);
  }

  auto heli = [&](const Helicopter& h, HeliConfig cfg, const std::string& suffix,
                  const std::vector<PlanItem>& items) {
    Drawing interior(plan), cabinFront(section), cabinSide(section);
    HeliInterior(h, cfg, items, interior);
    if (cfg == HeliConfig::kEms) {
      double half = h.cabinW / 2;
      Litter(interior, -half + 2, -h.cabinL + 4, -half + 24, -h.cabinL + 80, true);
      Litter(interior, half - 24, -h.cabinL + 4, half - 2, -h.cabinL + 80, true);
    }
    HeliCabinFront(h, cfg, cabinFront);
    HeliCabinSide(h, cfg, cabinSide);
    ok &= Write(dir, h.acNum, "Interior" + suffix, interior);
    ok &= Write(dir, h.acNum, "CabinFront" + suffix, cabinFront);
    ok &= Write(dir, h.acNum, "CabinSide" + suffix, cabinSide);
  };
  for (const Helicopter& h : {Aircraft201(), Aircraft202()}) {
    Drawing top(ext), side(ext), front(ext);
    HeliTop(h, top);
    HeliSide(h, side);
    HeliFront(h, front);
    ok &= Write(dir, h.acNum, "Top", top);
    ok &= Write(dir, h.acNum, "Side", side);
    ok &= Write(dir, h.acNum, "Front", front);
  }
  Helicopter m24 = Aircraft201();
  heli(m24, HeliConfig::kCorporate, "", Cabin201(HeliConfig::kCorporate));
  heli(m24, HeliConfig::kEms, "EMS", Cabin201(HeliConfig::kEms));
  heli(m24, HeliConfig::kUtility, "Util", Cabin201(HeliConfig::kUtility));
  heli(Aircraft202(), HeliConfig::kCorporate, "", Cabin202());

  return ok ? 0 : 1;
}
