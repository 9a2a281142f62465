#pragma once
// The plane geometry the renderer and the page flattening share: affine maps
// (x' = a x + c y + e, y' = b x + d y + f), boxes, the arcs of bulged polyline sides and the
// pieces of a curve within a rectangle.
#include <algorithm>
#include <cmath>
#include <numbers>

namespace dxf {

struct Point {
  double x = 0, y = 0;
};

struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

  Point operator()(double x, double y) const { return {a * x + c * y + e, b * x + d * y + f}; }
  Point operator()(Point p) const { return (*this)(p.x, p.y); }
  // The linear part only (directions, axis vectors).
  Point Linear(double x, double y) const { return {a * x + c * y, b * x + d * y}; }
  double Det() const { return a * d - b * c; }
  // This map after `inner`: (this * inner)(p) = this(inner(p)).
  Affine operator*(const Affine& m) const {
    return {a * m.a + c * m.b, b * m.a + d * m.b,     a * m.c + c * m.d,
            b * m.c + d * m.d, a * m.e + c * m.f + e, b * m.e + d * m.f + f};
  }
  // The direction, in degrees, that the direction `deg` takes under the map.
  double MapAngle(double deg) const {
    double r = deg * std::numbers::pi / 180;
    Point v = Linear(std::cos(r), std::sin(r));
    return std::atan2(v.y, v.x) * 180 / std::numbers::pi;
  }
  // The mean length factor (the square root of |det|).
  double Scale() const { return std::sqrt(std::fabs(Det())); }

  static Affine Translate(double x, double y) { return {1, 0, 0, 1, x, y}; }
  static Affine Scaling(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
  static Affine Rotation(double deg) {
    double r = deg * std::numbers::pi / 180;
    double cs = std::cos(r), sn = std::sin(r);
    // Exact quarter turns keep exact coordinates.
    if (std::fmod(deg, 90.0) == 0) {
      cs = std::round(cs);
      sn = std::round(sn);
    }
    return {cs, sn, -sn, cs, 0, 0};
  }
};

// Clips the segment a-b to the square [lo, hi]^2 (Liang-Barsky); false when nothing is left or
// a point is not finite. Device back ends use it to keep far-off points within their number
// range.
inline bool ClipSegment(Point& a, Point& b, double lo, double hi) {
  if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y)) {
    return false;
  }
  double t0 = 0, t1 = 1;
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - lo, hi - a.x, a.y - lo, hi - a.y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0) {
      t0 = std::max(t0, r);
    } else {
      t1 = std::min(t1, r);
    }
    if (t0 > t1) return false;
  }
  const Point na{a.x + t0 * dx, a.y + t0 * dy}, nb{a.x + t1 * dx, a.y + t1 * dy};
  a = na;
  b = nb;
  return true;
}

// An axis-parallel box; an empty one has min > max, one that cannot be bounded infinite sides.
struct Box {
  double minX = 1, minY = 1, maxX = -1, maxY = -1;
  bool Empty() const { return !(minX <= maxX && minY <= maxY); }
  bool Unbounded() const {
    return std::isinf(minX) || std::isinf(minY) || std::isinf(maxX) || std::isinf(maxY);
  }
  // A point that is not finite makes the box unbounded.
  void Add(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) {
      *this = Whole();
    } else if (Empty()) {
      minX = maxX = x;
      minY = maxY = y;
    } else {
      minX = std::min(minX, x), maxX = std::max(maxX, x);
      minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
  }
  void Add(const Box& b) {
    if (b.Empty()) return;
    if (b.Unbounded()) {
      *this = Whole();
      return;
    }
    Add(b.minX, b.minY);
    Add(b.maxX, b.maxY);
  }
  // The box of b's image under m.
  void AddMapped(const Affine& m, const Box& b) {
    if (b.Empty()) return;
    if (b.Unbounded()) {
      *this = Whole();
      return;
    }
    for (double x : {b.minX, b.maxX}) {
      for (double y : {b.minY, b.maxY}) {
        const Point p = m(x, y);
        Add(p.x, p.y);
      }
    }
  }
  bool Contains(Point p) const { return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY; }
  static Box Whole() { return {-HUGE_VAL, -HUGE_VAL, HUGE_VAL, HUGE_VAL}; }
};

// Narrows [first, last] to the integers c for which the range [lo, hi] shifted by c·a overlaps
// [L, H], that is L - hi <= c·a <= H - lo; an empty result has first > last.
inline void Overlapping(double lo, double hi, double a, double L, double H, int& first, int& last) {
  if (a == 0) {
    if (!(L - hi <= 0 && 0 <= H - lo)) first = 1, last = 0;
    return;
  }
  double p = (L - hi) / a, q = (H - lo) / a;
  if (a < 0) std::swap(p, q);
  if (!std::isfinite(p) || !std::isfinite(q)) return;  // no narrowing that can be trusted
  double f = std::max(std::ceil(p - 1e-9 * (1 + std::fabs(p))), static_cast<double>(first));
  double l = std::min(std::floor(q + 1e-9 * (1 + std::fabs(q))), static_cast<double>(last));
  if (f > l) {
    first = 1, last = 0;
    return;
  }
  first = static_cast<int>(f);
  last = static_cast<int>(l);
}

// The copies of an array of `cols` by `rows` whose boxes may reach `clip`, copy (c, r) being the
// box `first` moved by c·du + r·dv: calls row(r, firstColumn, lastColumn) for every row r, in
// order, whose copies may reach it (the columns may be none), until it returns false. Only the
// rows whose span of copies reaches the clip are visited, so an array of millions of copies
// costs what its copies within the clip cost; an unbounded box narrows nothing.
template <class Row>
void ArrayRowsWithin(const Box& first, Point du, Point dv, int cols, int rows, const Box& clip,
                     Row&& row) {
  if (first.Empty() || cols < 1 || rows < 1) return;
  const bool narrow = !first.Unbounded();
  int r0 = 0, r1 = rows - 1;
  if (narrow) {
    Box span = first;
    const double along = static_cast<double>(cols - 1);
    span.Add(first.minX + along * du.x, first.minY + along * du.y);
    span.Add(first.maxX + along * du.x, first.maxY + along * du.y);
    Overlapping(span.minX, span.maxX, dv.x, clip.minX, clip.maxX, r0, r1);
    Overlapping(span.minY, span.maxY, dv.y, clip.minY, clip.maxY, r0, r1);
  }
  for (int r = r0; r <= r1; ++r) {
    int c0 = 0, c1 = cols - 1;
    if (narrow) {
      Overlapping(first.minX + r * dv.x, first.maxX + r * dv.x, du.x, clip.minX, clip.maxX, c0, c1);
      Overlapping(first.minY + r * dv.y, first.maxY + r * dv.y, du.y, clip.minY, clip.maxY, c0, c1);
    }
    if (!row(r, c0, c1)) return;
  }
}

// Whether a polyline vertex's bulge bends the side that starts there: not 0, and a number.
inline bool Bends(double bulge) { return bulge != 0 && std::isfinite(bulge); }

// The circle a bulged polyline side from a to b runs on. The bulge is the tangent of a quarter
// of the side's sweep, positive turning anticlockwise; the centre lies on the chord's normal at
// (1 - bulge^2) / (4 bulge) chords from the chord's middle, the radius is
// (1 + bulge^2) / (4 |bulge|) chords.
struct BulgeCircle {
  Point centre;
  double radius = 0;
};
inline BulgeCircle CircleOfBulge(Point a, Point b, double bulge) {
  const double dx = b.x - a.x, dy = b.y - a.y, b2 = bulge * bulge;
  const double along = (1 - b2) / (4 * bulge);
  return {{(a.x + b.x) / 2 - dy * along, (a.y + b.y) / 2 + dx * along},
          std::hypot(dx, dy) * (1 + b2) / (4 * std::fabs(bulge))};
}
// The sweep of a bulged side in radians.
inline double BulgeSweep(double bulge) { return 4 * std::atan(bulge); }

// The curve c + u cos t + v sin t: an ellipse, or a circle where u and v are square and of one
// length.
struct Curve {
  Point c, u, v;
  Point At(double t) const {
    const double cs = std::cos(t), sn = std::sin(t);
    return {c.x + u.x * cs + v.x * sn, c.y + u.y * cs + v.y * sn};
  }
  // Whether the rectangle lies inside the whole curve (all its corners do), so that no piece
  // of the curve can reach it.
  bool Encloses(const Box& r) const;
};

// The pieces of a curve, for t from t0 over `sweep` radians (at most a turn either way), that
// lie within a rectangle: the curve is cut where it crosses the lines of the rectangle's sides,
// and a piece is kept when its middle lies within. A piece runs over the offsets s0 to s1 from
// t0 in the sweep's sense (t = t0 + dir s), the pieces in order.
struct CurvePieces {
  struct Piece {
    double s0 = 0, s1 = 0;
  };
  double t0 = 0;   // where the offsets start: the given t0, or the crossing a whole turn starts at
  double dir = 1;  // +1 anticlockwise, -1 clockwise
  double len = 0;  // the length of the sweep
  int count = 0;
  Piece pieces[9];
  double T(double s) const { return t0 + dir * s; }
};
// With `wholeFromCrossing` a whole turn starts at a crossing, so that no piece is split where
// the curve closes.
CurvePieces PiecesWithin(const Curve& curve, double t0, double sweep, const Box& rect,
                         bool wholeFromCrossing);

}  // namespace dxf
