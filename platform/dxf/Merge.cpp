#include "platform/dxf/Merge.h"

#include <cmath>
#include <map>
#include <numbers>
#include <set>
#include <string>
#include <utility>

#include "platform/dxf/EntityViews.h"

namespace dxf {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2 * std::numbers::pi;

void MapPoint(const Affine& m, double& x, double& y) {
  Point p = m(x, y);
  x = p.x;
  y = p.y;
}

double NormalizeDegrees(double a) {
  a = std::fmod(a, 360.0);
  if (a < 0) a += 360;
  return a;
}

double NormalizeRadians(double a) {
  a = std::fmod(a, kTwoPi);
  if (a < 0) a += kTwoPi;
  return a;
}

// A circle (full when `arc` is false) under unequal scales: the image of a circle under S·R is
// an ellipse with axes along x and y.
void CircleToEllipse(Entity& e, const Affine& m, bool arc) {
  const ArcView a(e);
  const double r = a.Radius;
  const double cx = a.CentreX, cy = a.CentreY;
  const double startAngle = a.StartAngle, endAngle = a.EndAngle;
  Point c = m(cx, cy);
  // Axis lengths of the image: the scale factors along x and y of the plain S (S·R·circle is
  // S·circle), which equal the row norms of the matrix.
  double lx = std::hypot(m.a, m.c) * r, ly = std::hypot(m.b, m.d) * r;
  bool xMajor = lx >= ly;
  double major = xMajor ? lx : ly, minor = xMajor ? ly : lx;
  double t0 = 0, t1 = kTwoPi;
  if (arc) {
    auto param = [&](double deg) {
      double rad = deg * kPi / 180;
      Point q = m(cx + r * std::cos(rad), cy + r * std::sin(rad));
      double dx = q.x - c.x, dy = q.y - c.y;
      // Coordinates in the ellipse's own frame (major axis first).
      double u = xMajor ? dx : dy, v = xMajor ? dy : -dx;
      return NormalizeRadians(std::atan2(v / (minor > 0 ? minor : 1), u / major));
    };
    t0 = param(startAngle);
    t1 = param(endAngle);
    if (m.Det() < 0) std::swap(t0, t1);
  }
  e.EntityType = "ELLIPSE";
  a.StartAngle = a.EndAngle = 0;  // the storage the ellipse does not use
  EllipseView el(e);
  el.CentreX = c.x;
  el.CentreY = c.y;
  el.MajorX = xMajor ? major : 0;
  el.MajorY = xMajor ? 0 : major;
  el.Ratio = major > 0 ? minor / major : 1;
  el.StartParam = t0;
  el.EndParam = t1;
}

void TransformWith(Entity& e, const Affine& m) {
  const std::string& t = e.EntityType;
  const double det = m.Det();
  const bool mirror = det < 0;
  const double lx = std::hypot(m.a, m.c), ly = std::hypot(m.b, m.d);
  const bool uniform = std::fabs(lx - ly) <= 1e-12 * std::max(lx, ly) &&
                       std::fabs(m.a * m.c + m.b * m.d) <= 1e-12 * std::max(1.0, lx * ly);
  const double s = m.Scale();

  if (t == "CIRCLE" || t == "ARC") {
    if (!uniform) {
      CircleToEllipse(e, m, t == "ARC");
      return;
    }
    ArcView a(e);
    MapPoint(m, a.CentreX, a.CentreY);
    a.Radius *= s;
    if (t == "ARC") {
      double a0 = NormalizeDegrees(m.MapAngle(a.StartAngle));
      double a1 = NormalizeDegrees(m.MapAngle(a.EndAngle));
      if (mirror) std::swap(a0, a1);
      a.StartAngle = a0;
      a.EndAngle = a1;
    }
    return;
  }
  if (t == "ELLIPSE") {
    EllipseView el(e);
    Point major = m.Linear(el.MajorX, el.MajorY);
    Point minorv = m.Linear(-el.MajorY * el.Ratio, el.MajorX * el.Ratio);
    MapPoint(m, el.CentreX, el.CentreY);
    double lm = std::hypot(major.x, major.y), ln = std::hypot(minorv.x, minorv.y);
    // Exact for uniform scales; with unequal scales the axes are approximated.
    if (ln > lm && lm > 0) {
      // The minor axis became the longer one: turn the frame by a quarter.
      el.MajorX = minorv.x;
      el.MajorY = minorv.y;
      el.Ratio = lm / ln;
      el.StartParam -= kPi / 2;
      el.EndParam -= kPi / 2;
    } else {
      el.MajorX = major.x;
      el.MajorY = major.y;
      el.Ratio = lm > 0 ? ln / lm : el.Ratio;
    }
    if (mirror) {
      double t0 = -el.EndParam, t1 = -el.StartParam;
      el.StartParam = t0;
      el.EndParam = t1;
    }
    bool whole = std::fabs(el.EndParam - el.StartParam) >= kTwoPi - 1e-12;
    if (!whole) {
      el.StartParam = NormalizeRadians(el.StartParam);
      el.EndParam = NormalizeRadians(el.EndParam);
    }
    return;
  }
  if (t == "TEXT" || t == "ATTRIB" || t == "ATTDEF") {
    // The fields of a TextView, read raw: a view over the entity would give every text an
    // EntityExtra, and none of these lives there.
    MapPoint(m, e.X0, e.Y0);                      // the insertion point
    MapPoint(m, e.X1, e.Y1);                      // the alignment point
    e.g40 *= ly;                                  // the height
    if (ly > 0) e.g41 *= lx / ly;                 // the width factor
    e.g50 = NormalizeDegrees(m.MapAngle(e.g50));  // the rotation
    return;
  }
  if (t == "MTEXT") {
    MTextView mt(e);
    MapPoint(m, mt.X, mt.Y);
    if (mt.DirX != 0 || mt.DirY != 0) {
      Point dir = m.Linear(mt.DirX, mt.DirY);
      mt.DirX = dir.x;
      mt.DirY = dir.y;
    }
    mt.Height *= ly;
    mt.Width *= lx;
    mt.Rotation = NormalizeDegrees(m.MapAngle(mt.Rotation));
    return;
  }
  if (t == "INSERT") {
    InsertView ins(e);
    MapPoint(m, ins.X, ins.Y);
    // The block is drawn at ins + R(rot)·diag(sx, sy)·(p - base). Under the map its x axis
    // turns to the mapped direction; a mirroring map flips its y axis, which negates the y scale.
    ins.Rotation = NormalizeDegrees(m.MapAngle(ins.Rotation));
    if (mirror) ins.YScale = -ins.YScale;
    ins.XScale *= lx;
    ins.YScale *= ly;
    ins.ColumnSpacing *= lx;
    ins.RowSpacing *= ly;
    for (Entity& a : e.EditExtra().Children) TransformWith(a, m);
    return;
  }
  if (t == "HATCH") {
    MapPoint(m, e.X0, e.Y0);
    if (e.HasExtra()) {
      for (Entity& loop : e.EditExtra().Children) TransformWith(loop, m);
    }
    return;
  }
  // Points 10-13 of everything else (LINE, POINT, SOLID, TRACE, 3DFACE, DIMENSION, polylines'
  // own point, unknown kinds), and the vertices of polylines, splines and leaders. Points 12
  // and 13 of an entity without an EntityExtra are the unused defaults of a kind that has none
  // (the kinds that use them always have one): they stay.
  MapPoint(m, e.X0, e.Y0);
  MapPoint(m, e.X1, e.Y1);
  if (e.HasExtra() || t == "SOLID" || t == "TRACE" || t == "3DFACE" || t == "DIMENSION") {
    EntityExtra& x = e.EditExtra();
    MapPoint(m, x.X2, x.Y2);
    MapPoint(m, x.X3, x.Y3);
  }
  for (Vertex& v : e.Vertices) {
    MapPoint(m, v.X0, v.Y0);
    if (mirror) v.Bulge = -v.Bulge;
  }
}

// Collects the names of blocks referenced by INSERTs (DIMENSIONs apart) anywhere in a document.
void CollectInsertNames(const EntityCollection& list, std::set<std::string>& names) {
  for (const Entity& e : list) {
    if (e.EntityType == "INSERT") names.insert(UpperName(e.Extra().BlockName));
  }
}

void RenameRefs(EntityCollection& list, const std::map<std::string, std::string>& renames) {
  for (Entity& e : list) {
    if (e.EntityType != "INSERT" && e.EntityType != "DIMENSION") continue;
    auto it = renames.find(UpperName(e.Extra().BlockName));
    if (it != renames.end()) e.EditExtra().BlockName = it->second;
  }
}

std::string FreeName(const Document& into, const Document& from, const std::string& name,
                     const std::set<std::string>& taken) {
  for (int n = 2;; ++n) {
    std::string candidate = name + "$" + std::to_string(n);
    std::string upper = UpperName(candidate);
    if (!into.Blocks.Find(candidate) && !from.Blocks.Find(candidate) && !taken.count(upper)) {
      return candidate;
    }
  }
}

}  // namespace

void TransformEntity(Entity& e, const MergeTransform& t) { TransformWith(e, t.ToAffine()); }

void MergeDocument(Document& into, Document from, const MergeTransform& t,
                   std::string_view currentLayer) {
  const Affine m = t.ToAffine();
  const std::string current = UpperName(currentLayer.empty() ? "0" : currentLayer);

  // Dimension blocks are drawn where they are defined, so the transform goes into their
  // geometry. A block that INSERTs use as well is copied for the dimensions first.
  if (!t.IsIdentity()) {
    std::set<std::string> inserted;
    CollectInsertNames(from.Entities, inserted);
    for (const Block& b : from.Blocks) CollectInsertNames(b.Entities, inserted);
    std::map<std::string, std::string> baked;  // original upper name -> baked block name
    std::set<std::string> taken;
    for (Entity& e : from.Entities) {
      if (e.EntityType != "DIMENSION" || e.Extra().BlockName.empty()) continue;
      std::string key = UpperName(e.Extra().BlockName);
      auto done = baked.find(key);
      if (done != baked.end()) {
        e.EditExtra().BlockName = done->second;
        continue;
      }
      Block* b = from.Blocks.Find(e.Extra().BlockName);
      if (!b) continue;
      Block* target = b;
      if (inserted.count(key)) {
        Block copy = *b;
        copy.Name = FreeName(into, from, b->Name, taken);
        taken.insert(UpperName(copy.Name));
        target = &from.Blocks.Add(std::move(copy));
      }
      const MergeTransform toOrigin{0, 1, 1, -target->BaseX, -target->BaseY};
      for (Entity& inner : target->Entities) {
        if (target->BaseX != 0 || target->BaseY != 0) TransformEntity(inner, toOrigin);
        TransformWith(inner, m);
      }
      target->BaseX = target->BaseY = 0;
      baked[key] = target->Name;
      e.EditExtra().BlockName = target->Name;
    }
  }

  // Block names that collide are renamed; references inside the merged file follow.
  std::map<std::string, std::string> renames;
  std::set<std::string> taken;
  for (Block& b : from.Blocks) {
    if (into.Blocks.Find(b.Name)) {
      std::string fresh = FreeName(into, from, b.Name, taken);
      taken.insert(UpperName(fresh));
      renames[UpperName(b.Name)] = fresh;
    }
  }
  if (!renames.empty()) {
    for (Block& b : from.Blocks) {
      auto it = renames.find(UpperName(b.Name));
      RenameRefs(b.Entities, renames);
      if (it != renames.end()) b.Name = it->second;
    }
    RenameRefs(from.Entities, renames);
  }

  // Layers of the merged file that the drawing lacks, in the file's order.
  for (const Layer& l : from.Layers) {
    if (l.Name() == "0" || into.Layers.Find(l.Name())) continue;
    into.Layers.items().push_back(l);
  }
  into.Layers.Add(current);

  for (const TextStyle& s : from.TextStyles) into.TextStyles.Add(s);
  for (const LineType& l : from.LineTypes) into.LineTypes.Add(l);
  for (Block& b : from.Blocks) {
    for (const Entity& e : b.Entities) into.Layers.Add(e.LayerName);
    into.Blocks.Add(std::move(b));
  }

  into.Entities.items().reserve(into.Entities.items().size() + from.Entities.items().size());
  for (Entity& e : from.Entities) {
    if (!t.IsIdentity()) TransformWith(e, m);
    if (e.LayerName == "0") e.LayerName = current;
    if (e.HasExtra()) {
      for (Entity& child : e.EditExtra().Children) {
        if (child.LayerName == "0") child.LayerName = e.LayerName;
      }
    }
    into.Layers.Add(e.LayerName);
    into.Entities.Add(std::move(e));
  }
}

}  // namespace dxf
