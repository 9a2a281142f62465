// Flattening a composed page into the text and segment lists the page printers draw as vectors.
//
// The work is bounded whatever the drawing holds, as the renderer's is: what lies wholly off the
// page is passed over before it is worked out (block copies by the box of their block, curves by
// their own box), curves are cut into chords by their size on the page, segments that reach far
// beyond the page are cut back, and a page collects at most so many segments, texts and block
// contents. What a bound leaves out is reported once for the page; the page prints what fits.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "drawings/CadFunctions.h"
#include "drawings/PageDrawing.h"
#include "platform/dxf/EntityViews.h"
#include "platform/dxf/Geometry.h"
#include "platform/dxfcontrol/DrawingControl.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/StateReset.h"
#include "platform/runtime/Trap.h"

namespace CadFunctions {

namespace {

constexpr std::string_view kModule = "CadFunctions";
constexpr double kPi = std::numbers::pi;
constexpr double kTurn = 2 * kPi;
// A curve on the page is cut into chords of at most 2 degrees: 180 for a whole circle.
constexpr double kStep = kTurn / 180;
// Segments reaching further than a page beyond the sheet are cut back to this square.
constexpr double kFarLow = -11, kFarHigh = 22;
// The nesting limit of block references (a block that inserts itself stops there).
constexpr int kMaxDepth = 16;

EntityLists& lists() {
  static EntityLists l;
  return l;
}

PageLimits limits = kPageLimits;
void ResetLimits() { limits = kPageLimits; }
const vb::StateReset limitsReset(vb::ResetOrder::Drawings, &ResetLimits);

// The colour of a layer, by its name as the control reports it: the planes' layers and their
// dimension layers in the planes' colours, any other black.
int32_t LayerRgb(std::string_view layer, const DrawingInputs& in) {
  if (IsLayer(layer, LayerName::Plane1)) return in.PlaneColor1;
  if (IsLayer(layer, LayerName::Plane2)) return in.PlaneColor2;
  for (int plane : {1, 2})
    if (IsLayer(layer, plane == 1 ? LayerName::Dim1 : LayerName::Dim2))
      return ShownDimColor(in.DimColor, plane, in.PlaneColor1, in.PlaneColor2);
  return 0;
}

bool IsText(std::string_view t) { return t == "TEXT"; }
bool IsPolyline(std::string_view t) { return t == "POLYLINE" || t == "LWPOLYLINE"; }
// The kinds printed as vectors when a block reference holds them (every ellipse among them).
bool VectorKind(std::string_view t) {
  return IsText(t) || t == "LINE" || IsPolyline(t) || t == "CIRCLE" || t == "ELLIPSE";
}

// Boxes in page inches or block units.
using dxf::Box;

// Where something on the page can show.
constexpr Box kShown{kPageShowMinX, kPageShowMinY, kPageShowMaxX, kPageShowMaxY};

bool Misses(const Box& b) {
  return b.Empty() || b.maxX < kShown.minX || b.minX > kShown.maxX || b.maxY < kShown.minY ||
         b.minY > kShown.maxY;
}

// Whether the side from a to b is an arc: a side of no length is a segment of its own.
bool Bulged(const dxf::Vertex& a, const dxf::Vertex& b) {
  return dxf::Bends(a.Bulge) && !(a.X0 == b.X0 && a.Y0 == b.Y0);
}

// Spline frame points and face records are no part of a polyline's line.
bool Skipped(const dxf::Vertex& v) {
  return (v.Flags & 16) != 0 || ((v.Flags & 128) != 0 && (v.Flags & 64) == 0);
}

// How an entity is placed on the page: the map of its block copies, and the height factor and
// turn its texts take (the product of the references' y scales and the sum of their turns).
struct Placement {
  dxf::Affine map;
  double scaleY = 1;
  double rotation = 0;
};

// The walk's view of one page: where the texts and segments go, in which colour, and what the
// page's bounds still allow.
class Collector {
 public:
  Collector(EntityLists& out, const dxf::TextStyleList* styles, const DrawingInputs& inputs,
            dxf::BlockList* blocks)
      : out_(out), styles_(styles), inputs_(inputs), blocks_(blocks) {}

  // One entity that is collected, as a top-level entity or as a block's.
  void Add(const dxf::Entity& e, const Placement& place) {
    if (cut_) return;
    const std::string& t = e.EntityType;
    colour_ = LayerRgb(e.LayerName, inputs_);
    place_ = &place;
    if (IsText(t)) {
      AddText(e);
    } else if (t == "LINE") {
      Segment(place.map(e.X0, e.Y0), place.map(e.X1, e.Y1));
    } else if (IsPolyline(t)) {
      AddPolyline(e);
    } else if (t == "CIRCLE") {
      const dxf::CircleView c(e);
      Curve(c.Centre(), {c.Radius, 0}, {0, c.Radius}, 0, kTurn);
    } else if (t == "ELLIPSE") {
      AddEllipse(e);
    }
  }

  // A block reference and, through it, every copy of its block that may show: the contents are
  // collected on the reference's layer (`layer`, that of the outermost reference), nested
  // references expanded in turn.
  void Expand(vb::Proc& g, dxf::Entity& e, const Placement& outer, const dxf::SharedText& layer,
              int depth) {
    if (cut_ || depth >= kMaxDepth) return;
    dxf::Block* block = nullptr;
    if (!g.step([&] { block = FindBlock(dxf::InsertView(std::as_const(e)).Block); }) || !block)
      return;
    expanded_.insert(block);
    // The block's contents take the reference's layer whatever they hold and wherever its copies
    // lie: what the raster draws of them (fills, arcs, multi-line texts) prints in the
    // reference's colour as the vectors do.
    if (!Relabel(*block, layer)) return;
    const Box& inner = BlockBox(*block, 0);
    if (inner.Empty()) return;
    // The copies as the renderer draws them, every one that may show.
    const dxf::InsertView ins(std::as_const(e));
    int cols, rows;
    ins.ArraySize(cols, rows);
    const double sy = ins.YScale == 0 ? 1 : ins.YScale;
    Box first;
    first.AddMapped(outer.map * ins.CopyMap(*block, 0, 0), inner);
    dxf::Point du, dv;
    ins.Steps(outer.map, du, dv);
    dxf::ArrayRowsWithin(first, du, dv, cols, rows, kShown, [&](int row, int c0, int c1) {
      if (!Spend(1)) return false;  // each row looked at, as a copy is
      for (int col = c0; col <= c1 && !cut_; ++col) {
        Placement place{outer.map * ins.CopyMap(*block, col, row), outer.scaleY * sy,
                        outer.rotation + ins.Rotation};
        Box box;
        box.AddMapped(place.map, inner);
        if (Misses(box)) continue;
        if (!Spend(Weight(*block))) return false;
        for (dxf::Entity& item : block->Entities) {
          if (cut_) return false;
          if (item.EntityType == "INSERT")
            Expand(g, item, place, layer, depth + 1);
          else
            g.step([&] { Add(item, place); });
        }
      }
      return !cut_;
    });
  }

  // The blocks whose contents were collected, and whether a bound stopped the collection.
  const std::unordered_set<dxf::Block*>& Expanded() const { return expanded_; }
  bool Cut() const { return cut_; }

 private:
  // Work met through block references, within the page's bound: false, and the page cut, when
  // the bound is spent.
  bool Spend(long work) {
    contents_ += work;
    if (contents_ > limits.BlockContents) cut_ = true;
    return !cut_;
  }

  // Gives the block's entities the layer, unless the last reference walked to it gave them that
  // one already; the entities count as met.
  bool Relabel(dxf::Block& block, const dxf::SharedText& layer) {
    auto [it, first] = labels_.try_emplace(&block, layer);
    if (!first && std::string_view(it->second) == std::string_view(layer)) return true;
    it->second = layer;
    if (!Spend(static_cast<long>(block.Entities.Count()))) return false;
    for (dxf::Entity& item : block.Entities) item.LayerName = layer;
    return true;
  }

  // A block by name; a missing one is reported once for the page.
  dxf::Block* FindBlock(const std::string& name) {
    dxf::Block* b = Lookup(name);
    if (!b && missing_.insert(dxf::UpperName(name)).second)
      vb::Raise(vb::err::SubscriptOutOfRange, "Block \"" + name + "\" not found");
    return b;
  }
  // A block by name, the answers kept for the page (the list is searched by name).
  dxf::Block* Lookup(const std::string& name) {
    auto it = found_.find(name);
    if (it == found_.end()) it = found_.emplace(name, blocks_ ? blocks_->Find(name) : nullptr).first;
    return it->second;
  }

  // The box, in the block's own units, of what its contents print as vectors; a block that
  // reaches itself, or nests too deep, cannot be bounded.
  const Box& BlockBox(const dxf::Block& b, int depth) {
    static const Box whole = Box::Whole();
    auto it = boxes_.find(&b);
    if (it != boxes_.end()) return it->second;
    if (depth >= kMaxDepth) return whole;
    boxes_[&b] = whole;  // while it is measured
    Box box;
    for (const dxf::Entity& e : b.Entities) {
      EntityBox(e, box, depth);
      if (box.Unbounded()) break;
    }
    Box& done = boxes_[&b];
    done = box;
    return done;
  }

  void EntityBox(const dxf::Entity& e, Box& box, int depth) {
    const std::string& t = e.EntityType;
    if (t == "LINE") {
      box.Add(e.X0, e.Y0);
      box.Add(e.X1, e.Y1);
    } else if (IsPolyline(t)) {
      const auto& vs = e.Vertices.items();
      for (size_t i = 0; i < vs.size(); ++i) {
        box.Add(vs[i].X0, vs[i].Y0);
        const dxf::Vertex& next = vs[i + 1 < vs.size() ? i + 1 : 0];
        if (!Bulged(vs[i], next)) continue;
        // A bulged side stays within the circle of its arc.
        const dxf::BulgeCircle arc =
            dxf::CircleOfBulge({vs[i].X0, vs[i].Y0}, {next.X0, next.Y0}, vs[i].Bulge);
        box.Add(arc.centre.x - arc.radius, arc.centre.y - arc.radius);
        box.Add(arc.centre.x + arc.radius, arc.centre.y + arc.radius);
      }
    } else if (t == "CIRCLE") {
      const dxf::CircleView c(e);
      const double r = std::fabs(c.Radius);
      box.Add(c.CentreX - r, c.CentreY - r);
      box.Add(c.CentreX + r, c.CentreY + r);
    } else if (t == "ELLIPSE") {
      const dxf::EllipseView v(e);
      const double r = std::hypot(v.MajorX, v.MajorY) * std::max(1.0, std::fabs(v.Ratio));
      box.Add(v.CentreX - r, v.CentreY - r);
      box.Add(v.CentreX + r, v.CentreY + r);
    } else if (IsText(t)) {
      const dxf::TextView v(e);
      const double reach = TextReach(e);
      for (dxf::Point p : {v.Insertion(), v.Alignment()}) {
        box.Add(p.x - reach, p.y - reach);
        box.Add(p.x + reach, p.y + reach);
      }
    } else if (t == "INSERT") {
      const dxf::Block* b = Lookup(dxf::InsertView(e).Block);
      if (!b) return;
      // Nothing when the block's box is empty, all of the plane when it is unbounded.
      dxf::InsertView(e).AddCopiesBox(box, *b, BlockBox(*b, depth + 1));
    }
  }

  // The work a copy of the block asks for: its entities and their vertices (nested references
  // count when they are expanded).
  long Weight(const dxf::Block& b) {
    auto it = weights_.find(&b);
    if (it != weights_.end()) return it->second;
    long w = 0;
    for (const dxf::Entity& e : b.Entities) w += 1 + e.Vertices.Count();
    weights_.emplace(&b, w);
    return w;
  }

  // How far from its points a text may reach: its length in heights, and a margin.
  static double TextReach(const dxf::Entity& e) {
    const dxf::TextView v(e);
    const double h = std::fabs(v.Height > 0 ? v.Height : 0.2);
    return h * (static_cast<double>(e.Text.size()) + 2) * std::max(1.0, std::fabs(v.WidthFactor));
  }

  void AddText(const dxf::Entity& e) {
    const dxf::TextView v(e);
    CadText text;
    text.Height = v.Height * place_->scaleY;
    text.Angle = v.Rotation + place_->rotation;
    text.HAlign = static_cast<int>(v.HJust);
    text.VAlign = static_cast<int>(v.VJust);
    const double x = text.HAlign == 0 || text.HAlign == 5 ? v.X : v.AlignX;
    const double y = text.VAlign == 0 || text.VAlign == 3 ? v.Y : v.AlignY;
    const dxf::Point p = place_->map(x, y);
    // A text that cannot show on the page, or not at a size a printer can set, is passed over.
    if (!std::isfinite(text.Height) || !std::isfinite(text.Angle) ||
        std::fabs(text.Height) > kPageMaxTextHeight)
      return;
    const double reach =
        TextReach(e) * std::max(std::fabs(place_->scaleY), place_->map.Scale());
    Box box;
    box.Add(p.x - reach, p.y - reach);
    box.Add(p.x + reach, p.y + reach);
    if (Misses(box) || !(std::fabs(p.x) <= kFarReach && std::fabs(p.y) <= kFarReach)) return;
    if (static_cast<long>(out_.CadTextList.size()) >= limits.Texts ||
        characters_ + static_cast<long>(e.Text.size()) > limits.TextCharacters) {
      cut_ = true;
      return;
    }
    characters_ += static_cast<long>(e.Text.size());
    text.Font = e.Extra().TextStyle;
    if (styles_) {
      for (const dxf::TextStyle& s : *styles_) {
        if (!dxf::SameName(s.StyleName, e.Extra().TextStyle)) continue;
        const std::string& file = s.FontFileName;
        text.Font = file.substr(0, file.find('.'));
        break;
      }
    }
    text.Text = e.Text;
    text.X = p.x;
    text.Y = p.y;
    text.Color = colour_;
    out_.CadTextList.push_back(std::move(text));
  }

  // A polyline's sides, each bulge as its arc; a closed polyline also runs from its last vertex
  // back to the first.
  void AddPolyline(const dxf::Entity& e) {
    const dxf::Vertex* first = nullptr;
    const dxf::Vertex* prev = nullptr;
    for (const dxf::Vertex& v : e.Vertices) {
      if (cut_) return;
      if (Skipped(v)) continue;
      if (prev) Side(*prev, v);
      if (!first) first = &v;
      prev = &v;
    }
    if ((e.Flags & 1) != 0 && prev && first && prev != first) Side(*prev, *first);
  }

  // From vertex a to vertex b: straight, or the arc of a's bulge.
  void Side(const dxf::Vertex& a, const dxf::Vertex& b) {
    const dxf::Point pa{a.X0, a.Y0}, pb{b.X0, b.Y0};
    if (!Bulged(a, b)) {
      Segment(place_->map(pa), place_->map(pb));
      return;
    }
    const dxf::Point c = dxf::CircleOfBulge(pa, pb, a.Bulge).centre;
    const double ux = pa.x - c.x, uy = pa.y - c.y;
    CurveFrom(c, {ux, uy}, {-uy, ux}, 0, dxf::BulgeSweep(a.Bulge), &pa, &pb);
  }

  // An ellipse with its own major axis, ratio and parameter range.
  void AddEllipse(const dxf::Entity& e) {
    const dxf::EllipseView v(e);
    const dxf::Point major = v.Major();
    if (major.x == 0 && major.y == 0) return;
    const double ratio = v.Ratio;
    const dxf::Point minor{-major.y * ratio, major.x * ratio};
    double t0 = v.StartParam, t1 = v.EndParam;
    if (t1 <= t0) t1 += kTurn;
    if (t1 - t0 > kTurn) t1 = t0 + kTurn;
    Curve(v.Centre(), major, minor, t0, t1 - t0);
  }

  // The curve c + cos t u + sin t w of the entity's own units, for t from t0 over `sweep`.
  void Curve(dxf::Point c, dxf::Point u, dxf::Point w, double t0, double sweep) {
    CurveFrom(c, u, w, t0, sweep, nullptr, nullptr);
  }

  // The same; `start` and `end`, when given, are the curve's exact end points (a bulge's
  // vertices), which its first and last chords keep.
  void CurveFrom(dxf::Point c, dxf::Point u, dxf::Point w, double t0, double sweep,
                 const dxf::Point* start, const dxf::Point* end) {
    if (!(std::fabs(sweep) > 0) || !std::isfinite(sweep) || !std::isfinite(t0)) return;
    // On the page the curve is C + U cos t + W sin t.
    const dxf::Affine& m = place_->map;
    const dxf::Curve own{c, u, w}, page{m(c), m.Linear(u.x, u.y), m.Linear(w.x, w.y)};
    const dxf::Point C = page.c, U = page.u, W = page.v;
    const double hx = std::hypot(U.x, W.x), hy = std::hypot(U.y, W.y);
    Box box;
    box.Add(C.x - hx, C.y - hy);
    box.Add(C.x + hx, C.y + hy);
    if (Misses(box) || page.Encloses(kShown)) return;
    const double radius = std::max(std::hypot(U.x, U.y), std::hypot(W.x, W.y));
    const bool whole = std::fabs(std::fabs(sweep) - kTurn) < 1e-9;
    if (radius <= kLargeRadius) {
      // Chords of 2 degrees, fewer for a small curve.
      const int n = std::min(TwoDegreeChords(sweep, whole), LengthChords(radius, sweep, whole));
      const dxf::Point first = start ? *start : own.At(t0);
      dxf::Point from = first;
      for (int k = 1; k <= n && !cut_; ++k) {
        const dxf::Point to = k == n && end     ? *end
                              : k == n && whole ? first
                                                : own.At(t0 + sweep * k / n);
        Segment(m(from), m(to));
        from = to;
      }
      return;
    }
    // Much larger than the page: only the pieces that show, each with as many chords as its
    // size on the page asks for.
    const dxf::CurvePieces shown = dxf::PiecesWithin(page, t0, sweep, kShown, false);
    auto at = [&](double s) { return page.At(shown.T(s)); };
    for (int i = 0; i < shown.count && !cut_; ++i) {
      const double s0 = shown.pieces[i].s0, s1 = shown.pieces[i].s1;
      const int n = SizeChords(radius, s1 - s0, false);
      dxf::Point from = s0 == 0 && start ? m(*start) : at(s0);
      for (int k = 1; k <= n && !cut_; ++k) {
        const dxf::Point to = k < n ? at(s0 + (s1 - s0) * k / n)
                              : s1 == shown.len && end ? m(*end)
                                                       : at(s1);
        Segment(from, to);
        from = to;
      }
    }
  }

  static int TwoDegreeChords(double sweep, bool whole) {
    if (whole) return 180;
    return std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / kStep - 1e-9)));
  }

  // Chords no shorter than the shortest that still adds to a printed curve; at least 8 for a
  // whole turn, so that a dot of a circle stays round.
  static int LengthChords(double radius, double sweep, bool whole) {
    const int least = whole ? 8 : 1;
    const double n = std::ceil(std::fabs(sweep) * radius / kMinChord - 1e-9);
    if (!(n < 1e6)) return 1000000;
    return std::max(least, static_cast<int>(n));
  }

  // Chords that stay within the tolerance of a curve of this radius on the page.
  static int SizeChords(double radius, double sweep, bool whole) {
    const int least = whole ? 8 : 1;
    if (!(radius > kChordTolerance / 2)) return least;
    // The angle of a chord whose middle lies the tolerance inside the curve; for a curve far
    // larger than the tolerance 1 - q rounds to 1, and the series of the arc cosine holds.
    const double q = kChordTolerance / radius;
    const double step = q < 1e-6 ? 2 * std::sqrt(2 * q) : 2 * std::acos(1 - q);
    const double n = std::ceil(std::fabs(sweep) / step - 1e-9);
    if (!(n < 1e6)) return 1000000;
    return std::max(least, static_cast<int>(n));
  }

  // One segment in page inches: passed over when it cannot show, cut back when it reaches far
  // off the page.
  void Segment(dxf::Point a, dxf::Point b) {
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
      return;
    Box box;
    box.Add(a.x, a.y);
    box.Add(b.x, b.y);
    if (Misses(box)) return;
    if (box.minX < kFarLow || box.minY < kFarLow || box.maxX > kFarHigh || box.maxY > kFarHigh) {
      if (!dxf::ClipSegment(a, b, kFarLow, kFarHigh)) return;
    }
    if (static_cast<long>(out_.CadLineList.size()) >= limits.Segments) {
      cut_ = true;
      return;
    }
    out_.CadLineList.push_back({static_cast<float>(a.x), static_cast<float>(a.y),
                                static_cast<float>(b.x), static_cast<float>(b.y), colour_});
  }

  // Texts whose point lies further off than this cannot reach the page at a size they may have.
  static constexpr double kFarReach = 1000;
  // A curve of a larger radius (inches on the page) is flattened only where it shows.
  static constexpr double kLargeRadius =
      2 * ((kPageShowMaxX - kPageShowMinX) + (kPageShowMaxY - kPageShowMinY));

  EntityLists& out_;
  const dxf::TextStyleList* styles_;
  const DrawingInputs& inputs_;
  dxf::BlockList* blocks_;
  const Placement* place_ = nullptr;
  int32_t colour_ = 0;
  long contents_ = 0;    // block contents (entities, vertices, array rows) met over every copy
  long characters_ = 0;  // of the texts collected
  bool cut_ = false;
  std::unordered_map<std::string, dxf::Block*> found_;
  std::unordered_set<std::string> missing_;  // blocks reported missing, once each
  std::unordered_map<const dxf::Block*, Box> boxes_;
  std::unordered_map<const dxf::Block*, long> weights_;
  std::unordered_map<const dxf::Block*, dxf::SharedText> labels_;  // the layer each block has
  std::unordered_set<dxf::Block*> expanded_;
};

bool Collected(const dxf::Entity& e) {
  const std::string& t = e.EntityType;
  if (IsText(t) || t == "LINE" || IsPolyline(t) || t == "CIRCLE") return true;
  // Only a whole ellipse with its major axis along x; the others print with the raster.
  if (t != "ELLIPSE") return false;
  const dxf::EllipseView v(e);
  return v.StartParam == 0 && std::fabs(v.EndParam - 6.28318530717959) < 0.01 && v.MajorY == 0;
}

// Which block references still draw something in the raster once the collected contents have
// left their blocks. A block draws when it holds anything but plain references (an entity of
// another kind, a reference with attributes) or a reference to a block that draws. The answer
// is worked out once for every block, from the blocks that draw by their own entities up
// through the references to them, so that it is the same wherever a walk comes into blocks
// that refer to each other in a loop, and at whatever depth a block is met.
class RasterBlocks {
 public:
  explicit RasterBlocks(const dxf::BlockList& blocks) {
    std::unordered_map<std::string, std::vector<std::string>> referrers;  // block -> its referrers
    std::vector<std::string> reached;                                     // draws, referrers unseen
    for (const dxf::Block& b : blocks) {
      const std::string name = dxf::UpperName(b.Name);
      for (const dxf::Entity& e : b.Entities) {
        if (!DrawsByItself(e)) {
          referrers[dxf::UpperName(dxf::InsertView(e).Block)].push_back(name);
        } else if (draws_.insert(name).second) {
          reached.push_back(name);
        }
      }
    }
    while (!reached.empty()) {
      const std::string name = std::move(reached.back());
      reached.pop_back();
      const auto it = referrers.find(name);
      if (it == referrers.end()) continue;
      for (const std::string& referrer : it->second)
        if (draws_.insert(referrer).second) reached.push_back(referrer);
    }
  }
  bool Draws(const dxf::Entity& e) const {
    return DrawsByItself(e) || draws_.count(dxf::UpperName(dxf::InsertView(e).Block)) != 0;
  }

 private:
  static bool DrawsByItself(const dxf::Entity& e) {
    return e.EntityType != "INSERT" || !e.Extra().Children.empty();
  }
  std::unordered_set<std::string> draws_;  // upper-case names
};

// The references whose blocks were collected draw, in the raster, copies of those blocks
// without the kinds the vectors printed: the vectors do not print twice, and the blocks
// themselves stay whole for whatever else draws them (a dimension, a reference on a frozen
// layer). A copy holds the nested references of its block, pointed at the copies of their own
// blocks when those were collected too. Gives the copies' names.
std::vector<std::string> RasterCopies(dxf::DrawingControl& c,
                                      const std::unordered_set<dxf::Block*>& expanded) {
  std::vector<std::string> names;
  if (expanded.empty()) return names;
  dxf::BlockList& blocks = c.Blocks();
  std::unordered_map<std::string, std::string> copyOf;  // block name (upper case) -> copy's
  std::vector<dxf::Block> copies;
  int next = 0;
  auto freeName = [&] {
    std::string name;
    do name = "*VECTORS-PRINTED-" + std::to_string(++next);
    while (blocks.Find(name));
    return name;
  };
  for (const dxf::Block& b : blocks) {
    if (!expanded.count(const_cast<dxf::Block*>(&b))) continue;
    dxf::Block copy;
    copy.Name = freeName();
    copy.BaseX = b.BaseX, copy.BaseY = b.BaseY, copy.Flags = b.Flags, copy.LayerName = b.LayerName;
    for (const dxf::Entity& e : b.Entities)
      if (!VectorKind(e.EntityType)) copy.Entities.Add(e);
    copyOf[dxf::UpperName(b.Name)] = copy.Name;
    copies.push_back(std::move(copy));
  }
  auto retarget = [&](dxf::Entity& e) {
    if (e.EntityType != "INSERT") return;
    auto it = copyOf.find(dxf::UpperName(dxf::InsertView(std::as_const(e)).Block));
    if (it != copyOf.end()) dxf::InsertView(e).Block = it->second;
  };
  for (dxf::Block& copy : copies) {
    for (dxf::Entity& e : copy.Entities) retarget(e);
    names.push_back(copy.Name);
    blocks.Add(std::move(copy));
  }
  for (dxf::Entity& e : c.EntityList()) retarget(e);
  return names;
}

// A reference in a raster copy that draws nothing (its block held only what the vectors print,
// or only itself) goes: the raster would expand it, copy after copy, for nothing. Taking such
// references out changes no block's answer.
void DropEmptyReferences(dxf::BlockList& blocks, const std::vector<std::string>& copies,
                         const RasterBlocks& drawing) {
  for (const std::string& name : copies) {
    std::vector<dxf::Entity>& inner = blocks.Item(name).Entities.items();
    inner.erase(std::remove_if(inner.begin(), inner.end(),
                               [&](const dxf::Entity& e) { return !drawing.Draws(e); }),
                inner.end());
  }
}

// What a block reference added to a list: the entries [from, to) appended after the walk, which
// belong where the walk had come to `at` entries.
struct Span {
  size_t at, from, to;
};

// Moves each span's entries to their place; the spans come in the walk's order.
template <class T>
void IntoPlace(std::vector<T>& list, const std::vector<Span>& spans) {
  if (spans.empty() || spans.front().from == list.size()) return;  // nothing was added
  const size_t own = spans.front().from;  // the walk's own entries come first
  std::vector<T> placed;
  placed.reserve(list.size());
  size_t next = 0;
  for (const Span& s : spans) {
    for (; next < s.at; ++next) placed.push_back(std::move(list[next]));
    for (size_t i = s.from; i < s.to; ++i) placed.push_back(std::move(list[i]));
  }
  for (; next < own; ++next) placed.push_back(std::move(list[next]));
  list = std::move(placed);
}

// One pass over the drawing: what is collected or dropped leaves it, the rest closes up in its
// order (a stable partition, so a page of many thousand entities is walked in one go). The
// collected contents of the blocks the references drew leave those blocks too, so that the
// raster does not print them a second time.
void Walk(vb::Proc& g, dxf::DrawingControl& c, bool dims, EntityLists& out) {
  const DrawingInputs inputs = CurrentInputs();
  Collector collector(out, &c.TextStyles(), inputs, &c.Blocks());
  std::unordered_set<std::string> hidden;
  for (const dxf::Layer& l : c.Layers())
    if (!l.Visible()) hidden.insert(l.Name());
  const Placement top;
  std::vector<dxf::Entity>& items = c.EntityList().items();
  // Where each block reference stays in the drawing, and how much of each list the walk had
  // collected when it came to it.
  struct Reference {
    size_t at, lines, texts;
  };
  std::vector<Reference> references;
  size_t kept = 0;
  for (size_t i = 0; i < items.size(); ++i) {
    dxf::Entity& e = items[i];
    bool stays = true;
    if (!dims && (IsLayer(e.LayerName, LayerName::Dim1) || IsLayer(e.LayerName, LayerName::Dim2))) {
      stays = false;
    } else if (!hidden.empty() && hidden.count(e.LayerName)) {
      // A frozen layer is not printed: its entities stay in the drawing, which hides them.
    } else if (e.EntityType == "INSERT") {
      references.push_back({kept, out.CadLineList.size(), out.CadTextList.size()});
    } else if (Collected(e)) {
      g.step([&] { collector.Add(e, top); });
      stays = false;
    }
    if (!stays) continue;
    if (kept != i) items[kept] = std::move(e);
    ++kept;
  }
  items.erase(items.begin() + static_cast<std::ptrdiff_t>(kept), items.end());
  // The block references are expanded once the walk's own entities are collected: their copies,
  // which a few bytes of a file can multiply without end, take what the page's bounds leave,
  // never the drawings' own entities. Each reference's contents then take its place among them,
  // so that the lists hold everything in the order of the walk and what comes later prints over
  // what comes before, as on the screen.
  std::vector<Span> lineSpans, textSpans;
  for (const Reference& r : references) {
    const size_t lines = out.CadLineList.size(), texts = out.CadTextList.size();
    dxf::Entity& e = items[r.at];
    const dxf::SharedText layer = e.LayerName;
    collector.Expand(g, e, top, layer, 0);
    lineSpans.push_back({r.lines, lines, out.CadLineList.size()});
    textSpans.push_back({r.texts, texts, out.CadTextList.size()});
  }
  IntoPlace(out.CadLineList, lineSpans);
  IntoPlace(out.CadTextList, textSpans);

  const std::vector<std::string> copies = RasterCopies(c, collector.Expanded());
  // Which blocks draw in the raster, worked out once for the page, when a reference asks.
  std::optional<RasterBlocks> drawing;
  if (!copies.empty()) DropEmptyReferences(c.Blocks(), copies, drawing.emplace(c.Blocks()));
  out.RasterEmpty = true;
  for (const dxf::Entity& e : items) {
    if (!hidden.empty() && hidden.count(e.LayerName)) continue;
    if (e.EntityType == "INSERT" && !drawing) drawing.emplace(c.Blocks());
    if (e.EntityType != "INSERT" || drawing->Draws(e)) {
      out.RasterEmpty = false;
      break;
    }
  }
  out.Cut = collector.Cut();
}

}  // namespace

const EntityLists& entityLists() { return lists(); }

const PageLimits& PageLimitsInForce() { return limits; }
void SetPageLimits(const PageLimits& l) { limits = l; }

void ClearEntityLists() {
  EntityLists& l = lists();
  l.CadTextList.clear();
  l.CadLineList.clear();
  l.RasterEmpty = false;
  l.Cut = false;
}

int32_t vbDimColor(int32_t colour, int plane) {
  vb::Proc g(kModule, "vbDimColor");
  const DrawingInputs in = CurrentInputs();
  return ShownDimColor(colour, plane, in.PlaneColor1, in.PlaneColor2);
}

void AddEntity(const dxf::Entity& entity, double insertX, double insertY, double scaleX,
               double scaleY, double rotation, double baseX, double baseY) {
  vb::Proc g(kModule, "AddEntity");
  g.step([&] {
    EntityLists& l = lists();
    // The text styles of the view the lists belong to; without its control a text keeps its
    // style name as its font.
    const dxf::TextStyleList* styles = nullptr;
    if (IsText(entity.EntityType)) {
      try {
        styles = &services().Control(l.CadEntityViewIndex).TextStyles();
      } catch (const vb::Error&) {
        styles = nullptr;
      }
    }
    const DrawingInputs inputs = CurrentInputs();
    const Placement place{dxf::Affine::Translate(insertX, insertY) *
                              dxf::Affine::Rotation(rotation) *
                              dxf::Affine::Scaling(scaleX, scaleY) *
                              dxf::Affine::Translate(-baseX, -baseY),
                          scaleY, rotation};
    Collector(l, styles, inputs, nullptr).Add(entity, place);
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
