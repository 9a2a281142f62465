#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "platform/dxf/Geometry.h"

namespace {

constexpr double kPi = std::numbers::pi;

TEST(DxfGeometry, BulgedSidesRunOnTheirCircle) {
  struct Case {
    dxf::Point a, b;
    double bulge;
    dxf::Point centre;
    double radius, sweep;
  } cases[] = {
      {{0, 0}, {2, 0}, 1, {1, 0}, 1, kPi},             // half circle, anticlockwise
      {{0, 0}, {2, 0}, -1, {1, 0}, 1, -kPi},           // half circle, clockwise
      {{1, 0}, {0, 1}, std::tan(kPi / 8), {0, 0}, 1, kPi / 2},  // quarter circle
      {{0, 0}, {4, 0}, 0.5, {2, 1.5}, 2.5, 4 * std::atan(0.5)},  // less than half
      {{3, 3}, {3, 5}, -3, {3 - 4.0 / 3, 4}, 5.0 / 3, 4 * std::atan(-3.0)},  // more than half
  };
  for (const Case& c : cases) {
    const dxf::BulgeCircle arc = dxf::CircleOfBulge(c.a, c.b, c.bulge);
    EXPECT_NEAR(arc.centre.x, c.centre.x, 1e-12) << c.bulge;
    EXPECT_NEAR(arc.centre.y, c.centre.y, 1e-12) << c.bulge;
    EXPECT_NEAR(arc.radius, c.radius, 1e-12) << c.bulge;
    EXPECT_NEAR(dxf::BulgeSweep(c.bulge), c.sweep, 1e-12) << c.bulge;
    // Both ends lie on the circle, and turning a by the sweep about the centre reaches b.
    EXPECT_NEAR(std::hypot(c.a.x - arc.centre.x, c.a.y - arc.centre.y), arc.radius, 1e-12);
    EXPECT_NEAR(std::hypot(c.b.x - arc.centre.x, c.b.y - arc.centre.y), arc.radius, 1e-12);
    const double t = std::atan2(c.a.y - arc.centre.y, c.a.x - arc.centre.x) + c.sweep;
    EXPECT_NEAR(arc.centre.x + arc.radius * std::cos(t), c.b.x, 1e-12);
    EXPECT_NEAR(arc.centre.y + arc.radius * std::sin(t), c.b.y, 1e-12);
  }
  EXPECT_FALSE(dxf::Bends(0));
  EXPECT_FALSE(dxf::Bends(NAN));
  EXPECT_FALSE(dxf::Bends(HUGE_VAL));
  EXPECT_TRUE(dxf::Bends(-1e-9));
}

TEST(DxfGeometry, BoxesOfPointsAndMappedBoxes) {
  dxf::Box box;
  EXPECT_TRUE(box.Empty());
  box.AddMapped(dxf::Affine::Rotation(90), box);
  EXPECT_TRUE(box.Empty());
  box.Add(1, 2);
  box.Add(-3, 5);
  EXPECT_FALSE(box.Empty());
  EXPECT_EQ(box.minX, -3);
  EXPECT_EQ(box.maxY, 5);
  dxf::Box turned;
  turned.AddMapped(dxf::Affine::Rotation(90), box);  // (x, y) -> (-y, x)
  EXPECT_EQ(turned.minX, -5);
  EXPECT_EQ(turned.maxX, -2);
  EXPECT_EQ(turned.minY, -3);
  EXPECT_EQ(turned.maxY, 1);
  // A point that is not finite, or an unbounded box, leaves nothing that can be culled.
  dxf::Box far = box;
  far.Add(NAN, 0);
  EXPECT_TRUE(far.Unbounded());
  dxf::Box mapped;
  mapped.AddMapped(dxf::Affine::Scaling(0, 0), dxf::Box::Whole());
  EXPECT_TRUE(mapped.Unbounded());
  box.Add(dxf::Box::Whole());
  EXPECT_TRUE(box.Unbounded());
}

// A circle of radius 10 about the origin and a rectangle across its rightmost point: the part of
// the circle within the rectangle is the arc of |y| <= 1.
TEST(DxfGeometry, PiecesOfACurveWithinARectangle) {
  const dxf::Curve circle{{0, 0}, {10, 0}, {0, 10}};
  const dxf::Box rect{9, -1, 11, 1};
  const double half = std::asin(0.1);
  auto expectWithin = [&](const dxf::CurvePieces& p) {
    for (int i = 0; i < p.count; ++i) {
      for (int k = 0; k <= 8; ++k) {
        const double s = p.pieces[i].s0 + (p.pieces[i].s1 - p.pieces[i].s0) * k / 8;
        const dxf::Point q = circle.At(p.T(s));
        EXPECT_TRUE(q.x >= 9 - 1e-9 && q.y >= -1 - 1e-9 && q.y <= 1 + 1e-9) << s;
      }
    }
  };
  // A whole turn from t = 0 is cut where it closes; started at a crossing it is one piece.
  dxf::CurvePieces p = dxf::PiecesWithin(circle, 0, 2 * kPi, rect, false);
  ASSERT_EQ(p.count, 2);
  EXPECT_NEAR(p.pieces[0].s0, 0, 1e-12);
  EXPECT_NEAR(p.pieces[0].s1, half, 1e-12);
  EXPECT_NEAR(p.pieces[1].s0, 2 * kPi - half, 1e-12);
  EXPECT_NEAR(p.pieces[1].s1, 2 * kPi, 1e-12);
  expectWithin(p);
  p = dxf::PiecesWithin(circle, 0, 2 * kPi, rect, true);
  ASSERT_EQ(p.count, 1);
  EXPECT_NEAR(p.pieces[0].s1 - p.pieces[0].s0, 2 * half, 1e-12);
  expectWithin(p);
  // Clockwise from a quarter turn: the offsets run the other way.
  p = dxf::PiecesWithin(circle, kPi / 2, -kPi, rect, false);
  ASSERT_EQ(p.count, 1);
  EXPECT_EQ(p.dir, -1);
  EXPECT_NEAR(p.pieces[0].s0, kPi / 2 - half, 1e-12);
  EXPECT_NEAR(p.pieces[0].s1, kPi / 2 + half, 1e-12);
  expectWithin(p);
  // An arc that stays away from the rectangle, and one that never crosses it.
  EXPECT_EQ(dxf::PiecesWithin(circle, kPi / 2, kPi, rect, false).count, 0);
  EXPECT_EQ(dxf::PiecesWithin(circle, 0, 2 * kPi, {20, 20, 30, 30}, true).count, 0);
  // A rectangle inside the circle: the curve passes round it.
  EXPECT_TRUE(circle.Encloses({-1, -1, 1, 1}));
  EXPECT_FALSE(circle.Encloses(rect));
  EXPECT_FALSE((dxf::Curve{{0, 0}, {0, 0}, {0, 0}}.Encloses({-1, -1, 1, 1})));  // no size
}

}  // namespace
