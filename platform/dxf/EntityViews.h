#pragma once
// Readable names for the group-code fields of an Entity, one view per kind. A view holds
// references to the entity's own fields: reading or writing through it reads or writes the
// entity. Over a const entity the view's fields are const.
//
//   dxf::CircleView c(e);        // e is a CIRCLE
//   if (c.Radius > 0) ... c.Centre() ...
//
// The raw fields (X0, g40, Flags, ...) stay the storage and the reader's and writer's terms;
// these views are the names the drawing code reads them by. A view over a non-const entity
// that names a field of EntityExtra (a text's justification, an insert's scales) gives the
// entity that block: read a drawing through const views.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <type_traits>

#include "platform/dxf/Document.h"
#include "platform/dxf/Geometry.h"

namespace dxf {

namespace detail {
// T, or const T when the entity E is const.
template <class E, class T>
using FieldOf = std::conditional_t<std::is_const_v<E>, const T, T>;
// The entity's rarely used fields: read-only (the defaults when it has none) over a const
// entity, allocated for writing over a non-const one.
template <class E>
auto& ExtraOf(E& e) {
  if constexpr (std::is_const_v<E>)
    return e.Extra();
  else
    return e.EditExtra();
}
}  // namespace detail

// CIRCLE: centre 10/20, radius 40.
template <class E>
struct CircleView {
  using Real = detail::FieldOf<E, double>;
  explicit CircleView(E& e) : CentreX(e.X0), CentreY(e.Y0), Radius(e.g40) {}
  Real& CentreX;
  Real& CentreY;
  Real& Radius;
  Point Centre() const { return {CentreX, CentreY}; }
};
template <class E>
CircleView(E&) -> CircleView<E>;

// ARC: centre 10/20, radius 40, start and end angle 50/51 in degrees, counter-clockwise from
// the start to the end.
template <class E>
struct ArcView {
  using Real = detail::FieldOf<E, double>;
  explicit ArcView(E& e)
      : CentreX(e.X0), CentreY(e.Y0), Radius(e.g40), StartAngle(e.g50), EndAngle(e.g51) {}
  Real& CentreX;
  Real& CentreY;
  Real& Radius;
  Real& StartAngle;
  Real& EndAngle;
  Point Centre() const { return {CentreX, CentreY}; }
};
template <class E>
ArcView(E&) -> ArcView<E>;

// ELLIPSE: centre 10/20, the end of the major axis relative to the centre 11/21, the ratio of
// the minor to the major axis 40, start and end parameters 41/42 in radians.
template <class E>
struct EllipseView {
  using Real = detail::FieldOf<E, double>;
  explicit EllipseView(E& e)
      : CentreX(e.X0),
        CentreY(e.Y0),
        MajorX(e.X1),
        MajorY(e.Y1),
        Ratio(e.g40),
        StartParam(e.g41),
        EndParam(detail::ExtraOf(e).g42) {}
  Real& CentreX;
  Real& CentreY;
  Real& MajorX;
  Real& MajorY;
  Real& Ratio;
  Real& StartParam;
  Real& EndParam;
  Point Centre() const { return {CentreX, CentreY}; }
  Point Major() const { return {MajorX, MajorY}; }
  // The parameter range drawn: from the start to the end parameter counter-clockwise, at most
  // once round; parameters too large to be angles draw the whole ellipse.
  void Range(double& t0, double& t1) const {
    constexpr double kTurn = 2 * std::numbers::pi;
    t0 = StartParam, t1 = EndParam;
    if (t1 <= t0) t1 += kTurn;
    if (!(t1 > t0) || t1 - t0 > kTurn || !(std::fabs(t0) <= 1e9)) {
      if (!(std::fabs(t0) <= 1e9)) t0 = 0;
      t1 = t0 + kTurn;
    }
  }
};
template <class E>
EllipseView(E&) -> EllipseView<E>;

// TEXT, ATTRIB and ATTDEF: the insertion point 10/20, the alignment point 11/21 (used when a
// justification is set), height 40, width factor 41, rotation 50 and oblique angle 51 in
// degrees, the mirror flags 71 (TEXT), the horizontal justification 72 (0 left, 1 centre,
// 2 right, 3 aligned, 4 middle, 5 fit) and the vertical one 73 (74 for attributes; 0 baseline,
// 1 bottom, 2 middle, 3 top). The tag of an attribute is group 2, its flags group 70.
template <class E>
struct TextView {
  using Real = detail::FieldOf<E, double>;
  using Int = detail::FieldOf<E, int>;
  using Str = detail::FieldOf<E, SharedText>;
  explicit TextView(E& e)
      : X(e.X0),
        Y(e.Y0),
        AlignX(e.X1),
        AlignY(e.Y1),
        Height(e.g40),
        WidthFactor(e.g41),
        Rotation(e.g50),
        Oblique(e.g51),
        Mirror(detail::ExtraOf(e).g71),
        HJust(detail::ExtraOf(e).g72),
        VJust(detail::ExtraOf(e).g73),
        Tag(detail::ExtraOf(e).BlockName),
        AttributeFlags(e.Flags) {}
  Real& X;
  Real& Y;
  Real& AlignX;
  Real& AlignY;
  Real& Height;
  Real& WidthFactor;
  Real& Rotation;
  Real& Oblique;
  Int& Mirror;
  Real& HJust;
  Real& VJust;
  Str& Tag;
  Int& AttributeFlags;
  Point Insertion() const { return {X, Y}; }
  Point Alignment() const { return {AlignX, AlignY}; }
};
template <class E>
TextView(E&) -> TextView<E>;

// MTEXT: the insertion point 10/20, the direction vector 11/21 (zero when the file gave a
// rotation instead), character height 40, reference width 41, line spacing factor 44, the
// rotation in degrees (the reader turns the file's radians or direction into it) and the
// attachment point 71 (1-9: top, middle, bottom rows of left, centre, right).
template <class E>
struct MTextView {
  using Real = detail::FieldOf<E, double>;
  using Int = detail::FieldOf<E, int>;
  explicit MTextView(E& e)
      : X(e.X0),
        Y(e.Y0),
        DirX(e.X1),
        DirY(e.Y1),
        Height(e.g40),
        Width(e.g41),
        LineSpacing(detail::ExtraOf(e).g44),
        Rotation(e.g50),
        Attachment(detail::ExtraOf(e).g71) {}
  Real& X;
  Real& Y;
  Real& DirX;
  Real& DirY;
  Real& Height;
  Real& Width;
  Real& LineSpacing;
  Real& Rotation;
  Int& Attachment;
  Point Insertion() const { return {X, Y}; }
};
template <class E>
MTextView(E&) -> MTextView<E>;

// INSERT: the insertion point 10/20, scales 41/42/43, rotation 50 in degrees, the array of
// Columns (70) by Rows (71) copies spaced ColumnSpacing (44) and RowSpacing (45) apart in the
// block's rotated frame, the block name 2.
template <class E>
struct InsertView {
  using Real = detail::FieldOf<E, double>;
  using Int = detail::FieldOf<E, int>;
  using Str = detail::FieldOf<E, SharedText>;
  explicit InsertView(E& e)
      : X(e.X0),
        Y(e.Y0),
        XScale(e.g41),
        YScale(detail::ExtraOf(e).g42),
        ZScale(detail::ExtraOf(e).g43),
        Rotation(e.g50),
        Columns(e.Flags),
        Rows(detail::ExtraOf(e).g71),
        ColumnSpacing(detail::ExtraOf(e).g44),
        RowSpacing(detail::ExtraOf(e).g45),
        Block(detail::ExtraOf(e).BlockName) {}
  Real& X;
  Real& Y;
  Real& XScale;
  Real& YScale;
  Real& ZScale;
  Real& Rotation;
  Int& Columns;
  Int& Rows;
  Real& ColumnSpacing;
  Real& RowSpacing;
  Str& Block;
  Point Insertion() const { return {X, Y}; }
  // The copies the reference draws, columns by rows: every copy, a count below 1 counting as 1.
  // Those who draw them pass over the copies that cannot show (ArrayRowsWithin) and keep to
  // their own budgets.
  void ArraySize(int& cols, int& rows) const {
    cols = std::max(static_cast<int>(Columns), 1);
    rows = std::max(static_cast<int>(Rows), 1);
  }
  // Where the copy (column, row) of block b lies: the base point to the origin, scaled (a scale
  // of 0, as a freshly appended reference has, counts as 1), moved to its place in the array,
  // turned about the insertion point and moved there.
  Affine CopyMap(const dxf::Block& b, int column, int row) const {
    const double sx = XScale == 0 ? 1 : XScale, sy = YScale == 0 ? 1 : YScale;
    return Affine::Translate(X, Y) * Affine::Rotation(Rotation) *
           Affine::Translate(column * ColumnSpacing, row * RowSpacing) * Affine::Scaling(sx, sy) *
           Affine::Translate(-b.BaseX, -b.BaseY);
  }
  // The steps from one column's copy to the next and from one row's to the next, under `outer`
  // (the map the reference is drawn by): copy (c, r) is copy (0, 0) moved by c·du + r·dv.
  void Steps(const Affine& outer, Point& du, Point& dv) const {
    const Affine frame = outer * Affine::Translate(X, Y) * Affine::Rotation(Rotation);
    du = frame.Linear(ColumnSpacing, 0);
    dv = frame.Linear(0, RowSpacing);
  }
  // Adds to `box` the box of every copy of block b, whose own box is `inner`: the copies lie
  // between those at the array's four corners.
  void AddCopiesBox(Box& box, const dxf::Block& b, const Box& inner) const {
    int cols, rows;
    ArraySize(cols, rows);
    for (int col : {0, cols - 1})
      for (int row : {0, rows - 1}) box.AddMapped(CopyMap(b, col, row), inner);
  }
};
template <class E>
InsertView(E&) -> InsertView<E>;

}  // namespace dxf
