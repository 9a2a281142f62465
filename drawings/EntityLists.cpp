// Flattening a composed page into the text and segment lists the page printers draw as vectors.
#include <cmath>
#include <numbers>
#include <set>
#include <string_view>
#include <unordered_set>

#include "drawings/CadFunctions.h"
#include "drawings/PageDrawing.h"
#include "platform/dxf/EntityViews.h"
#include "platform/dxf/Geometry.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Trap.h"

namespace CadFunctions {

namespace {

constexpr std::string_view kModule = "CadFunctions";
constexpr double kPi = std::numbers::pi;
// Curves are cut into chords of 2 degrees: 180 for a whole circle.
constexpr double kStep = 2 * kPi / 180;

EntityLists& lists() {
  static EntityLists l;
  return l;
}

// The colour of a layer, by its name as the control reports it (upper case).
int32_t LayerRgb(std::string_view layer, const DrawingInputs& in) {
  if (layer == "PLANE1") return in.PlaneColor1;
  if (layer == "PLANE2") return in.PlaneColor2;
  if (layer == "DIM1") return in.DimColor == -1 ? in.PlaneColor1 : in.DimColor;
  if (layer == "DIM2") return in.DimColor == -1 ? in.PlaneColor2 : in.DimColor;
  return 0;
}

// The walk's view of one entity being added: where it goes and in which colour.
class Collector {
 public:
  Collector(EntityLists& out, const dxf::TextStyleList* styles, const DrawingInputs& inputs)
      : out_(out), styles_(styles), inputs_(inputs) {}

  void Add(const dxf::Entity& e, const dxf::Affine& place, double scaleY, double rotation) {
    const std::string& t = e.EntityType;
    colour_ = LayerRgb(e.LayerName, inputs_);
    place_ = place;
    if (t == "TEXT") {
      AddText(e, scaleY, rotation);
    } else if (t == "LINE") {
      Segment({e.X0, e.Y0}, {e.X1, e.Y1});
    } else if (t == "POLYLINE" || t == "LWPOLYLINE") {
      AddPolyline(e);
    } else if (t == "CIRCLE") {
      const dxf::CircleView c(e);
      Curve(c.Centre(), {c.Radius, 0}, {0, c.Radius}, 0, 2 * kPi);
    } else if (t == "ELLIPSE") {
      AddEllipse(e);
    }
  }

 private:
  void AddText(const dxf::Entity& e, double scaleY, double rotation) {
    const dxf::TextView v(e);
    CadText text;
    text.Font = e.Extra().TextStyle;
    if (styles_) {
      for (const dxf::TextStyle& s : *styles_) {
        if (!dxf::SameName(s.StyleName, e.Extra().TextStyle)) continue;
        const std::string& file = s.FontFileName;
        text.Font = file.substr(0, file.find('.'));
        break;
      }
    }
    text.Height = v.Height * scaleY;
    text.Angle = v.Rotation + rotation;
    text.Text = e.Text;
    text.HAlign = static_cast<int>(v.HJust);
    text.VAlign = static_cast<int>(v.VJust);
    const double x = text.HAlign == 0 || text.HAlign == 5 ? v.X : v.AlignX;
    const double y = text.VAlign == 0 || text.VAlign == 3 ? v.Y : v.AlignY;
    const dxf::Point p = place_(x, y);
    text.X = p.x;
    text.Y = p.y;
    text.Color = colour_;
    out_.CadTextList.push_back(std::move(text));
  }

  // A polyline's segments, each bulge as its arc; a closed polyline also runs from its last
  // vertex back to the first. Spline frame points and face records are no part of the line.
  void AddPolyline(const dxf::Entity& e) {
    auto skip = [](const dxf::Vertex& v) {
      return (v.Flags & 16) != 0 || ((v.Flags & 128) != 0 && (v.Flags & 64) == 0);
    };
    const dxf::Vertex* first = nullptr;
    const dxf::Vertex* prev = nullptr;
    for (const dxf::Vertex& v : e.Vertices) {
      if (skip(v)) continue;
      if (prev) Side(*prev, v);
      if (!first) first = &v;
      prev = &v;
    }
    if ((e.Flags & 1) != 0 && prev && first && prev != first) Side(*prev, *first);
  }

  // From vertex a to vertex b: straight, or the arc of a's bulge (tan of a quarter of the
  // included angle; positive turns anticlockwise).
  void Side(const dxf::Vertex& a, const dxf::Vertex& b) {
    const dxf::Point pa{a.X0, a.Y0}, pb{b.X0, b.Y0};
    if (a.Bulge == 0 || !std::isfinite(a.Bulge) || (pa.x == pb.x && pa.y == pb.y)) {
      Segment(pa, pb);
      return;
    }
    const double bulge = a.Bulge, b2 = bulge * bulge;
    const double dx = pb.x - pa.x, dy = pb.y - pa.y;
    const double along = (1 - b2) / (4 * bulge);
    const dxf::Point c{(pa.x + pb.x) / 2 - dy * along, (pa.y + pb.y) / 2 + dx * along};
    const double sweep = 4 * std::atan(bulge);
    const int n = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / kStep - 1e-9)));
    const double ux = pa.x - c.x, uy = pa.y - c.y;
    dxf::Point from = pa;
    for (int k = 1; k <= n; ++k) {
      dxf::Point to = pb;
      if (k < n) {
        const double t = sweep * k / n, cs = std::cos(t), sn = std::sin(t);
        to = {c.x + ux * cs - uy * sn, c.y + ux * sn + uy * cs};
      }
      Segment(from, to);
      from = to;
    }
  }

  // An ellipse with its own major axis, ratio and parameter range.
  void AddEllipse(const dxf::Entity& e) {
    const dxf::EllipseView v(e);
    const dxf::Point major = v.Major();
    if (major.x == 0 && major.y == 0) return;
    const double ratio = v.Ratio;
    const dxf::Point minor{-major.y * ratio, major.x * ratio};
    double t0 = v.StartParam, t1 = v.EndParam;
    if (t1 <= t0) t1 += 2 * kPi;
    if (t1 - t0 > 2 * kPi) t1 = t0 + 2 * kPi;
    Curve(v.Centre(), major, minor, t0, t1);
  }

  // The chords of c + cos t u + sin t w from t0 to t1; a whole turn is 180 chords and ends
  // where it started.
  void Curve(dxf::Point c, dxf::Point u, dxf::Point w, double t0, double t1) {
    const bool whole = std::fabs(t1 - t0 - 2 * kPi) < 1e-9;
    const int n =
        whole ? 180 : std::max(1, static_cast<int>(std::ceil((t1 - t0) / kStep - 1e-9)));
    auto at = [&](double t) {
      const double cs = std::cos(t), sn = std::sin(t);
      return dxf::Point{c.x + u.x * cs + w.x * sn, c.y + u.y * cs + w.y * sn};
    };
    const dxf::Point start = at(t0);
    dxf::Point from = start;
    for (int k = 1; k <= n; ++k) {
      const dxf::Point to = whole && k == n ? start : at(t0 + (t1 - t0) * k / n);
      Segment(from, to);
      from = to;
    }
  }

  void Segment(dxf::Point a, dxf::Point b) {
    const dxf::Point pa = place_(a), pb = place_(b);
    out_.CadLineList.push_back({static_cast<float>(pa.x), static_cast<float>(pa.y),
                                static_cast<float>(pb.x), static_cast<float>(pb.y), colour_});
  }

  EntityLists& out_;
  const dxf::TextStyleList* styles_;
  const DrawingInputs& inputs_;
  dxf::Affine place_;
  int32_t colour_ = 0;
};

// The placement of a block's entity: its base point to the origin, scaled, turned about the
// insertion point, moved there. Top-level entities pass unchanged.
dxf::Affine Placement(double insertX, double insertY, double scaleX, double scaleY,
                      double rotation, double baseX, double baseY) {
  return dxf::Affine::Translate(insertX, insertY) * dxf::Affine::Rotation(rotation) *
         dxf::Affine::Scaling(scaleX, scaleY) * dxf::Affine::Translate(-baseX, -baseY);
}

bool Collected(const dxf::Entity& e) {
  const std::string& t = e.EntityType;
  if (t == "TEXT" || t == "LINE" || t == "POLYLINE" || t == "LWPOLYLINE" || t == "CIRCLE")
    return true;
  // Only a whole ellipse with its major axis along x; the others print with the raster.
  return t == "ELLIPSE" && e.g41 == 0 && std::fabs(e.Extra().g42 - 6.28318530717959) < 0.01 &&
         e.Y1 == 0;
}

// One pass over the drawing: what is collected or dropped leaves it, the rest closes up in its
// order (a stable partition, so a page of many thousand entities is walked in one go).
void Walk(vb::Proc& g, dxf::DrawingControl& c, bool dims, EntityLists& out) {
  const DrawingInputs inputs = CurrentInputs();
  Collector collector(out, &c.TextStyles(), inputs);
  std::unordered_set<std::string> hidden;
  for (const dxf::Layer& l : c.Layers())
    if (!l.Visible()) hidden.insert(l.Name());
  std::set<std::string> missing;  // blocks reported missing, once each
  const dxf::Affine identity;
  std::vector<dxf::Entity>& items = c.EntityList().items();
  size_t kept = 0;
  for (size_t i = 0; i < items.size(); ++i) {
    dxf::Entity& e = items[i];
    bool stays = true;
    if ((e.LayerName == "DIM1" || e.LayerName == "DIM2") && !dims) {
      stays = false;
    } else if (!hidden.empty() && hidden.count(e.LayerName)) {
      // A frozen layer is not printed: its entities stay in the drawing, which hides them.
    } else if (e.EntityType == "INSERT") {
      g.step([&] {
        dxf::Block* block = c.Blocks().Find(e.Extra().BlockName);
        if (!block) {
          if (!missing.insert(dxf::UpperName(e.Extra().BlockName)).second) return;
          vb::Raise(vb::err::SubscriptOutOfRange,
                    "Block \"" + e.Extra().BlockName + "\" not found");
        }
        const dxf::InsertView ins(e);
        const double sx = ins.XScale, sy = ins.YScale;
        const dxf::Affine place =
            Placement(ins.X, ins.Y, sx, sy, ins.Rotation, block->BaseX, block->BaseY);
        for (dxf::Entity& inner : block->Entities) {
          inner.LayerName = e.LayerName;
          collector.Add(inner, place, sy, ins.Rotation);
        }
      });
    } else if (Collected(e)) {
      g.step([&] { collector.Add(e, identity, 1, 0); });
      stays = false;
    }
    if (!stays) continue;
    if (kept != i) items[kept] = std::move(e);
    ++kept;
  }
  items.erase(items.begin() + static_cast<std::ptrdiff_t>(kept), items.end());
}

}  // namespace

const EntityLists& entityLists() { return lists(); }

void ClearEntityLists() {
  EntityLists& l = lists();
  l.CadTextList.clear();
  l.CadLineList.clear();
}

int32_t vbDimColor(int32_t colour, int plane) {
  vb::Proc g(kModule, "vbDimColor");
  if (colour != -1) return colour;
  const DrawingInputs in = CurrentInputs();
  return plane == 1 ? in.PlaneColor1 : in.PlaneColor2;
}

void AddEntity(const dxf::Entity& entity, double insertX, double insertY, double scaleX,
               double scaleY, double rotation, double baseX, double baseY) {
  vb::Proc g(kModule, "AddEntity");
  g.step([&] {
    EntityLists& l = lists();
    // The text styles of the view the lists belong to; without its control a text keeps its
    // style name as its font.
    const dxf::TextStyleList* styles = nullptr;
    if (entity.EntityType == "TEXT") {
      try {
        styles = &services().Control(l.CadEntityViewIndex).TextStyles();
      } catch (const vb::Error&) {
        styles = nullptr;
      }
    }
    const DrawingInputs inputs = CurrentInputs();
    Collector(l, styles, inputs)
        .Add(entity, Placement(insertX, insertY, scaleX, scaleY, rotation, baseX, baseY), scaleY,
             rotation);
  });
}

void GetCADEntities(int view) {
  vb::Proc g(kModule, "GetCADEntities");
  EntityLists& l = lists();
  l.CadEntityViewIndex = view;
  ClearEntityLists();
  if (CurrentPageInputs().PrintFromCAD) return;
  const bool dims = EnableDims(view);
  g.step([&] { Walk(g, services().Control(view), dims, l); });
}

}  // namespace CadFunctions
