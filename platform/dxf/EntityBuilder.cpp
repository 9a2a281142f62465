#include "platform/dxf/EntityBuilder.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>

#include "platform/dxf/EntityViews.h"

namespace dxf::reader {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// Whether v is the default of the field, bit for bit (a -0.0 is kept as read).
bool IsDefault(double v, double d) {
  return std::bit_cast<uint64_t>(v) == std::bit_cast<uint64_t>(d);
}
bool IsDefault(int v, int d) { return v == d; }
bool IsDefault(const SharedText& v, const SharedText& d) { return v == d; }

// Sets a field of the entity's rarely used block, allocating the block only for a value other
// than the default: most entities never need one.
template <class T, class V>
void Put(Entity& e, T EntityExtra::*field, V&& v) {
  if (!e.HasExtra() && IsDefault(v, EntityExtra::Defaults().*field)) return;
  e.EditExtra().*field = std::forward<V>(v);
}

// HATCH: the boundary loops become closed LWPOLYLINE children (arc edges as bulges or
// points); the pattern and the seed points are skipped.
bool BuildHatch(const Object& o, Values& vals, Entity& e) {
  bool inPaths = false, polyPath = false;
  Entity* loop = nullptr;
  int edgeType = 0;
  double ex[2] = {0, 0}, ey[2] = {0, 0}, r = 0, a0 = 0, a1 = 0, ratio = 1;
  bool ccw = true;
  // A vertex of the loop; one that repeats the last (where edges meet) only passes its bulge on.
  auto addPoint = [&](double x, double y, double bulge = 0) {
    if (!loop) return;
    auto& v = loop->Vertices.items();
    if (!v.empty() && std::fabs(v.back().X0 - x) < 1e-12 && std::fabs(v.back().Y0 - y) < 1e-12) {
      if (bulge != 0) v.back().Bulge = bulge;
      return;
    }
    loop->Vertices.Add(Vertex{x, y, bulge, 0});
  };
  auto flushEdge = [&] {
    if (!loop || edgeType == 0) return;
    if (edgeType == 1) {
      addPoint(ex[0], ey[0]);
      addPoint(ex[1], ey[1]);
    } else if (edgeType == 2 || edgeType == 3) {
      // Arc (2) or elliptic arc (3) about (ex0, ey0); angles in degrees, the sweep taken into
      // (0, 360] whatever the angles' size. A value that is not finite drops the hatch later.
      double sweep = std::fmod(a1 - a0, 360.0);
      if (!std::isfinite(sweep) || !std::isfinite(a0)) {
        edgeType = 0;
        return;
      }
      if (sweep < 0) sweep += 360;
      if (sweep == 0) sweep = 360;
      const double start = std::fmod(a0, 360.0) * std::numbers::pi / 180;
      const double turn = (ccw ? 1 : -1) * sweep * std::numbers::pi / 180;
      const double first = ccw ? start : -start;
      if (edgeType == 2) {
        // A circular arc stays exact: its points joined by bulges, quarter turns at most, so
        // that it is flattened by its size where it is drawn.
        const int pieces = static_cast<int>(std::ceil(sweep / 90));
        const double step = turn / pieces, bulge = std::tan(step / 4);
        for (int i = 0; i <= pieces; ++i) {
          const double a = first + step * i;
          addPoint(ex[0] + r * std::cos(a), ey[0] + r * std::sin(a), i < pieces ? bulge : 0);
        }
      } else {
        const double mx = ex[1], my = ey[1];
        const int n = std::max(4, static_cast<int>(sweep / 10));
        for (int i = 0; i <= n; ++i) {
          const double a = first + turn * i / n;
          const double c = std::cos(a), s = std::sin(a);
          addPoint(ex[0] + c * mx - s * my * ratio, ey[0] + c * my + s * mx * ratio);
        }
      }
    }
    edgeType = 0;
  };
  for (const Tag& p : o.groups) {
    int c = p.code;
    if (!inPaths) {
      switch (c) {
        case 8:
          e.LayerName = vals.SharedName(p.value);
          break;
        case 62:
          e.Color = vals.Int(p);
          break;
        case 6:
          e.LineType = vals.SharedName(p.value);
          break;
        case 2:
          Put(e, &EntityExtra::BlockName, vals.SharedBlockName(p.value));
          break;
        case 70:
          e.Flags = vals.Int(p);
          break;
        case 60:
          e.Invisible = vals.Int(p) == 1;
          break;
        case 67:
          e.PaperSpace = vals.Int(p) == 1;
          break;
        case 91:
          inPaths = true;
          break;
        default:
          break;
      }
      continue;
    }
    if (c == 92) {
      flushEdge();
      loop = &e.EditExtra().Children.emplace_back();
      loop->EntityType = "LWPOLYLINE";
      loop->Flags = 1;
      polyPath = (vals.Int(p) & 2) != 0;
      continue;
    }
    if (c == 75 || c == 76 || c == 98) {  // the boundary data is over
      flushEdge();
      break;
    }
    if (!loop) continue;
    if (polyPath) {
      if (c == 10)
        loop->Vertices.Add(Vertex{vals.Real(p), 0, 0, 0});
      else if (c == 20 && loop->Vertices.Count() > 0)
        loop->Vertices.items().back().Y0 = vals.Real(p);
      else if (c == 42 && loop->Vertices.Count() > 0)
        loop->Vertices.items().back().Bulge = vals.Real(p);
      continue;
    }
    switch (c) {
      case 72:
        flushEdge(), edgeType = vals.Int(p), ccw = true;
        break;
      case 10:
        ex[0] = vals.Real(p);
        break;
      case 20:
        ey[0] = vals.Real(p);
        break;
      case 11:
        ex[1] = vals.Real(p);
        break;
      case 21:
        ey[1] = vals.Real(p);
        break;
      case 40:
        r = vals.Real(p), ratio = r;
        break;
      case 50:
        a0 = vals.Real(p);
        break;
      case 51:
        a1 = vals.Real(p);
        break;
      case 73:
        ccw = vals.Int(p) != 0;
        break;
      case 97:
        flushEdge();
        break;
      default:
        break;
    }
  }
  flushEdge();
  if (vals.numbers.Bad()) return false;
  if (e.Color < 0) e.Color = -e.Color;
  if (e.Color > 256) e.Color = kByLayer;
  if (e.HasExtra()) {
    ChildList& loops = e.EditExtra().Children;
    for (Entity& l : loops) l.LayerName = e.LayerName;
    if (!loops.empty() && loops.front().Vertices.Count() > 0) {
      e.X0 = loops.front().Vertices.Item(1).X0;
      e.Y0 = loops.front().Vertices.Item(1).Y0;
    }
  }
  return true;
}

}  // namespace

// Fills an entity from the groups of the current object. False when a number is not finite.
bool BuildEntity(const Object& o, Values& vals, Entity& e) {
  vals.numbers.Begin(o);
  const std::string_view t = o.type;
  e.EntityType = vals.SharedType(t);
  const bool isText = t == "TEXT" || t == "ATTRIB" || t == "ATTDEF";
  const bool isMText = t == "MTEXT";
  const bool isInsert = t == "INSERT";
  const bool isPoly = t == "LWPOLYLINE" || t == "LEADER";
  const bool isSpline = t == "SPLINE";
  const bool isHatch = t == "HATCH";
  // Defaults of the groups a file may leave out.
  if (isInsert) {
    InsertView ins(e);
    ins.XScale = ins.YScale = 1;
    ins.Columns = ins.Rows = 1;
  }
  if (isText) e.g41 = 1;  // the width factor (TextView), set raw: a text needs no EntityExtra
  if (t == "ELLIPSE") {
    EllipseView el(e);
    el.StartParam = 0;
    el.EndParam = kTwoPi;
  }
  if (isMText) {
    MTextView m(e);
    m.Width = 0;
    m.LineSpacing = 1;
  }
  // These kinds hold points in the rarely used fields: they always have them, so that a merge
  // maps their corners.
  if (t == "SOLID" || t == "TRACE" || t == "3DFACE" || t == "DIMENSION") e.EditExtra();
  bool have11 = false, have50 = false;
  std::string mtext;
  std::vector<Vertex> fit;
  if (isHatch) return BuildHatch(o, vals, e);
  if (isPoly || isSpline) {
    // The vertices' block at its size from the start: a drawing holds many small polylines.
    size_t points = 0;
    for (const Tag& p : o.groups) points += p.code == 10;
    if (points > 0) e.Vertices.items().reserve(points);
  }
  for (const Tag& p : o.groups) {
    switch (p.code) {
      case 1:
        if (isMText)
          mtext += vals.Text(p.value);
        else
          e.Text = vals.Text(p.value);
        break;
      case 3:
        if (isMText) mtext += vals.Text(p.value);
        break;
      case 2:
        Put(e, &EntityExtra::BlockName, vals.SharedBlockName(p.value));
        break;
      case 6:
        e.LineType = vals.SharedName(p.value);
        break;
      case 7:
        Put(e, &EntityExtra::TextStyle, vals.SharedName(p.value));
        break;
      case 8:
        e.LayerName = vals.SharedName(p.value);
        break;
      case 10:
        if (isPoly || (isSpline)) {
          Vertex v;
          v.X0 = vals.Real(p);
          e.Vertices.Add(v);
        } else {
          e.X0 = vals.Real(p);
        }
        break;
      case 20:
        if ((isPoly || isSpline) && e.Vertices.Count() > 0)
          e.Vertices.items().back().Y0 = vals.Real(p);
        else if (!isPoly && !isSpline)
          e.Y0 = vals.Real(p);
        break;
      case 11:
        if (isSpline) {
          Vertex v;
          v.X0 = vals.Real(p);
          fit.push_back(v);
        } else {
          e.X1 = vals.Real(p), have11 = true;
        }
        break;
      case 21:
        if (isSpline && !fit.empty())
          fit.back().Y0 = vals.Real(p);
        else if (!isSpline)
          e.Y1 = vals.Real(p);
        break;
      case 12:
        Put(e, &EntityExtra::X2, vals.Real(p));
        break;
      case 22:
        Put(e, &EntityExtra::Y2, vals.Real(p));
        break;
      case 13:
        Put(e, &EntityExtra::X3, vals.Real(p));
        break;
      case 23:
        Put(e, &EntityExtra::Y3, vals.Real(p));
        break;
      case 39:
        Put(e, &EntityExtra::Thickness, vals.Real(p));
        break;
      case 40:
        e.g40 = vals.Real(p);
        break;
      case 41:
        e.g41 = vals.Real(p);
        break;
      case 42:
        if (isPoly && e.Vertices.Count() > 0)
          e.Vertices.items().back().Bulge = vals.Real(p);
        else if (!isPoly)
          Put(e, &EntityExtra::g42, vals.Real(p));
        break;
      case 43:
        if (isInsert) Put(e, &EntityExtra::g43, vals.Real(p));
        break;
      case 44:
        Put(e, &EntityExtra::g44, vals.Real(p));
        break;
      case 45:
        Put(e, &EntityExtra::g45, vals.Real(p));
        break;
      case 50:
        e.g50 = vals.Real(p), have50 = true;
        break;
      case 51:
        e.g51 = vals.Real(p);
        break;
      case 60:
        e.Invisible = vals.Int(p) == 1;
        break;
      case 62:
        e.Color = vals.Int(p);
        break;
      case 67:
        e.PaperSpace = vals.Int(p) == 1;
        break;
      case 70:
        e.Flags = vals.Int(p);
        break;
      case 71:
        Put(e, &EntityExtra::g71, vals.Int(p));
        break;
      case 72:
        Put(e, &EntityExtra::g72, static_cast<double>(vals.Int(p)));
        break;
      case 73:
        if (t != "ATTRIB" && t != "ATTDEF")
          Put(e, &EntityExtra::g73, static_cast<double>(vals.Int(p)));
        break;
      case 74:
        if (t == "ATTRIB" || t == "ATTDEF")
          Put(e, &EntityExtra::g73, static_cast<double>(vals.Int(p)));
        break;
      default:
        break;
    }
  }
  if (vals.numbers.Bad()) return false;
  if (e.Color < 0) e.Color = -e.Color;  // a negative entity colour only means "layer off"
  if (e.Color > 256) e.Color = kByLayer;
  if (e.LineType.empty()) e.LineType = "BYLAYER";
  if (e.HasExtra() && e.Extra().TextStyle.empty()) {
    e.EditExtra().TextStyle = EntityExtra::Defaults().TextStyle;
  }
  if (isText) {
    // Raw fields, not a TextView: a view over the entity would give every text an EntityExtra.
    if (!have11) e.X1 = e.X0, e.Y1 = e.Y0;                 // the alignment point
    if (e.g41 <= 0) e.g41 = 1;                             // the width factor
    if (t != "TEXT" && (e.Flags & 1)) e.Invisible = true;  // attribute flags
  }
  if (isMText) {
    e.Text = std::move(mtext);
    MTextView m(e);
    // The rotation: group 50 is in radians; the direction vector 11/21 wins when given.
    if (have11 && (m.DirX != 0 || m.DirY != 0)) {
      m.Rotation = std::atan2(m.DirY, m.DirX) * 180 / std::numbers::pi;
    } else if (have50) {
      m.Rotation = m.Rotation * 180 / std::numbers::pi;
    }
    if (m.Attachment < 1 || m.Attachment > 9) m.Attachment = 1;
  }
  if (isPoly && e.Vertices.Count() > 0) {
    e.X0 = e.Vertices.Item(1).X0;
    e.Y0 = e.Vertices.Item(1).Y0;
  }
  if (isSpline) {
    // Drawn through its fit points when it has them, else through its control points.
    if (!fit.empty()) e.Vertices.items() = std::move(fit);
    if (e.Vertices.Count() > 0) e.X0 = e.Vertices.Item(1).X0, e.Y0 = e.Vertices.Item(1).Y0;
  }
  if ((t == "SOLID" || t == "TRACE" || t == "3DFACE")) {
    if (!o.Has(13)) {
      EntityExtra& x = e.EditExtra();
      x.X3 = x.X2, x.Y3 = x.Y2;
    }
  }
  if (isInsert) {
    InsertView ins(e);
    if (ins.Columns < 1) ins.Columns = 1;
    if (ins.Rows < 1) ins.Rows = 1;
  }
  return true;
}

bool BuildVertex(const Object& o, Values& vals, Vertex& v) {
  vals.numbers.Begin(o);
  for (const Tag& p : o.groups) {
    if (p.code == 10)
      v.X0 = vals.Real(p);
    else if (p.code == 20)
      v.Y0 = vals.Real(p);
    else if (p.code == 42)
      v.Bulge = vals.Real(p);
    else if (p.code == 70)
      v.Flags = vals.Int(p);
  }
  return !vals.numbers.Bad();
}

}  // namespace dxf::reader
