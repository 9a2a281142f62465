#pragma once
// Plane affine maps for the drawing: x' = a x + c y + e, y' = b x + d y + f.
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

}  // namespace dxf
