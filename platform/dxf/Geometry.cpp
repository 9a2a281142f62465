#include "platform/dxf/Geometry.h"

namespace dxf {

namespace {

constexpr double kTurn = 2 * std::numbers::pi;

}  // namespace

bool Curve::Encloses(const Box& r) const {
  // In the frame where the curve is the unit circle.
  const double det = u.x * v.y - v.x * u.y;
  if (!(det != 0) || !std::isfinite(det)) return false;
  for (double x : {r.minX, r.maxX}) {
    for (double y : {r.minY, r.maxY}) {
      const double px = x - c.x, py = y - c.y;
      const double qu = (px * v.y - py * v.x) / det, qv = (u.x * py - u.y * px) / det;
      if (!(qu * qu + qv * qv < 1)) return false;
    }
  }
  return true;
}

CurvePieces PiecesWithin(const Curve& curve, double t0, double sweep, const Box& rect,
                         bool wholeFromCrossing) {
  CurvePieces out;
  out.t0 = t0;
  out.dir = sweep < 0 ? -1 : 1;
  out.len = std::min(std::fabs(sweep), kTurn);
  const double dir = out.dir, len = out.len;
  const Point C = curve.c, U = curve.u, V = curve.v;
  // Where the curve crosses the lines of the rectangle's sides cuts it into pieces that are
  // wholly in or wholly out.
  double cuts[10];
  int n = 0;
  auto crossings = [&](double a, double b, double k) {
    // a cos t + b sin t = k
    const double amp = std::hypot(a, b);
    if (!(amp > 0)) return;
    const double q = k / amp;
    if (!(std::fabs(q) <= 1)) return;
    const double phi = std::atan2(b, a), d = std::acos(q);
    for (double tc : {phi + d, phi - d}) {
      double s = std::fmod(dir * (tc - t0), kTurn);
      if (s < 0) s += kTurn;
      if (s < len && n < 8) cuts[n++] = s;
    }
  };
  crossings(U.x, V.x, rect.minX - C.x);
  crossings(U.x, V.x, rect.maxX - C.x);
  crossings(U.y, V.y, rect.minY - C.y);
  crossings(U.y, V.y, rect.maxY - C.y);
  if (wholeFromCrossing && len >= kTurn && n > 0) {
    const double shift = cuts[0];
    out.t0 += dir * shift;
    for (int i = 0; i < n; ++i) cuts[i] = std::fmod(cuts[i] - shift + kTurn, kTurn);
  }
  cuts[n++] = 0;
  cuts[n++] = len;
  for (int i = 1; i < n; ++i) {  // ten values at most: an insertion sort
    for (int k = i; k > 0 && cuts[k - 1] > cuts[k]; --k) std::swap(cuts[k - 1], cuts[k]);
  }
  for (int i = 0; i + 1 < n; ++i) {
    const double s0 = cuts[i], s1 = cuts[i + 1];
    if (!(s1 > s0)) continue;
    if (!rect.Contains(curve.At(out.T((s0 + s1) / 2)))) continue;
    out.pieces[out.count++] = {s0, s1};
  }
  return out;
}

}  // namespace dxf
