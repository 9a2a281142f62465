#include "platform/dxf/Render.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/dxf/EntityViews.h"

namespace dxf {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kDeg = std::numbers::pi / 180;

}  // namespace

Renderer::Renderer(const Document& doc, Sink& sink, const Affine& toDevice, RenderOptions options)
    : doc_(doc), sink_(sink), toDevice_(toDevice), opt_(options) {
  clip_ = opt_.clipMaxX >= opt_.clipMinX && opt_.clipMaxY >= opt_.clipMinY;
  pts_.reserve(256);
  if (opt_.maxSeconds > 0) {
    deadline_ = std::chrono::steady_clock::now() +
                std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                    std::chrono::duration<double>(opt_.maxSeconds));
  }
}

namespace {

std::uint64_t Bits(double v) {
  std::uint64_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

int Slot(std::uint64_t b, int slots) {
  b ^= b >> 29;
  b *= 0x9E3779B97F4A7C15ull;
  return static_cast<int>(b >> 58) & (slots - 1);
}

// The device box of a local box under a map without a turn (m.b = m.c = 0): the corners' x and y
// come from the box's sides alone, the same values as mapping the four corners.
struct Unturned {
  double lx, ly, hx, hy;
};
Unturned MapUnturned(const Affine& m, double minX, double minY, double maxX, double maxY) {
  Unturned u{m.a * minX + m.e, m.d * minY + m.f, m.a * maxX + m.e, m.d * maxY + m.f};
  if (u.lx > u.hx) std::swap(u.lx, u.hx);
  if (u.ly > u.hy) std::swap(u.ly, u.hy);
  return u;
}

}  // namespace

void Renderer::sinCos(double t, double& sn, double& cs) {
  const std::uint64_t key = Bits(t);
  Trig& slot = sinCos_[Slot(key, kTrig)];
  if (!slot.known || slot.key != key) {
    slot.key = key;
    slot.known = true;
    slot.a = std::sin(t);
    slot.b = std::cos(t);
  }
  sn = slot.a;
  cs = slot.b;
}

double Renderer::sweepOf(double bulge) {
  const std::uint64_t key = Bits(bulge);
  Trig& slot = sweeps_[Slot(key, kTrig)];
  if (!slot.known || slot.key != key) {
    slot.key = key;
    slot.known = true;
    slot.a = BulgeSweep(bulge);
  }
  return slot.a;
}

double Renderer::scaleOf(const Affine& m) {
  if (!(m.a == scaleMap_.a && m.b == scaleMap_.b && m.c == scaleMap_.c && m.d == scaleMap_.d)) {
    scaleMap_ = m;
    scale_ = m.Scale();
  }
  return scale_;
}

bool Renderer::spend(size_t points) {
  points_ += static_cast<long>(points);
  if (points_ > opt_.maxPoints) truncated_ = true;
  return !truncated_;
}

bool Renderer::outOfTime() {
  // The clock is read every few hundred entities only.
  if (opt_.maxSeconds <= 0 || ++sinceClock_ < 256) return false;
  sinceClock_ = 0;
  if (std::chrono::steady_clock::now() > deadline_) truncated_ = true;
  return truncated_;
}

const Block* Renderer::findBlock(const std::string& name) {
  auto it = blocks_.find(name);
  if (it != blocks_.end()) return it->second;
  const Block* b = doc_.Blocks.Find(name);
  blocks_.emplace(name, b);
  if (!b && std::find(missing_.begin(), missing_.end(), name) == missing_.end()) {
    missing_.push_back(name);
  }
  return b;
}

const Layer* Renderer::findLayer(std::string_view name) {
  // Entities on one layer share one name block (the reader's, or the layer's own name): the
  // answers for the last few blocks are kept, the name's characters compared only on a miss.
  for (const LayerHit& hit : layerHits_) {
    if (hit.name.data() == name.data() && hit.name.size() == name.size()) return hit.layer;
  }
  const Layer* layer = doc_.Layers.Find(name);
  layerHits_[nextLayerHit_] = {name, layer};
  nextLayerHit_ = (nextLayerHit_ + 1) % kLayerHits;
  return layer;
}

namespace {

// The kinds the renderer draws, told apart once per entity instead of by a chain of string
// comparisons.
enum class Kind {
  Other, Line, LwPolyline, Polyline, Spline, Leader, Hatch, Circle, Arc, Ellipse, Solid, Trace,
  Face3d, Point, Text, Attrib, MText, Insert, Dimension
};

Kind KindOf(std::string_view t) {
  switch (t.size()) {
    case 3:
      return t == "ARC" ? Kind::Arc : Kind::Other;
    case 4:
      return t == "LINE" ? Kind::Line : t == "TEXT" ? Kind::Text : Kind::Other;
    case 5:
      return t == "POINT"   ? Kind::Point
             : t == "MTEXT" ? Kind::MText
             : t == "HATCH" ? Kind::Hatch
             : t == "SOLID" ? Kind::Solid
             : t == "TRACE" ? Kind::Trace
                            : Kind::Other;
    case 6:
      return t == "CIRCLE"   ? Kind::Circle
             : t == "INSERT" ? Kind::Insert
             : t == "ATTRIB" ? Kind::Attrib
             : t == "SPLINE" ? Kind::Spline
             : t == "LEADER" ? Kind::Leader
             : t == "3DFACE" ? Kind::Face3d
                             : Kind::Other;
    case 7:
      return t == "ELLIPSE" ? Kind::Ellipse : Kind::Other;
    case 8:
      return t == "POLYLINE" ? Kind::Polyline : Kind::Other;
    case 9:
      return t == "DIMENSION" ? Kind::Dimension : Kind::Other;
    case 10:
      return t == "LWPOLYLINE" ? Kind::LwPolyline : Kind::Other;
    default:
      return Kind::Other;
  }
}

}  // namespace

const Box& Renderer::blockBounds(const Block* b, int depth) {
  static const Box unbounded = Box::Whole();
  auto it = bounds_.find(b);
  if (it != bounds_.end()) return it->second;
  if (depth >= opt_.maxDepth) return unbounded;
  // While its entities are measured the block counts as unbounded, so that a block that
  // reaches itself (drawn inside itself down to the depth limit) is never culled by a bound that
  // does not hold.
  bounds_[b] = unbounded;
  Box box;
  for (const Entity& e : b->Entities) {
    entityBounds(e, box, depth + 1);
    if (box.Unbounded()) break;
  }
  Box& done = bounds_[b];  // references into the map stay valid as it grows
  done = box;
  return done;
}

void Renderer::entityBounds(const Entity& e, Box& box, int depth) {
  if (e.Invisible || e.PaperSpace) return;
  entityBoundsOf(e, static_cast<int>(KindOf(e.EntityType)), box, depth);
}

void Renderer::entityBoundsOf(const Entity& e, int kind, Box& box, int depth) {
  const Kind k = static_cast<Kind>(kind);
  auto addVertices = [&](const Entity& p) {
    const auto& vs = p.Vertices.items();
    for (size_t i = 0; i < vs.size(); ++i) {
      const Vertex& a = vs[i];
      box.Add(a.X0, a.Y0);
      if (!Bends(a.Bulge)) continue;
      // A bulged segment stays within the circle of its arc.
      const Vertex& b = vs[i + 1 < vs.size() ? i + 1 : 0];
      const BulgeCircle arc = CircleOfBulge({a.X0, a.Y0}, {b.X0, b.Y0}, a.Bulge);
      const double r = arc.radius;
      box.Add(arc.centre.x - r, arc.centre.y - r);
      box.Add(arc.centre.x + r, arc.centre.y + r);
    }
  };
  auto addText = [&](double height, double extra, size_t chars) {
    const TextView text(e);
    const double h = std::fabs(height > 0 ? height : 0.2);
    const double reach =
        h * (static_cast<double>(chars) + 2) * std::max(1.0, std::fabs(text.WidthFactor)) + extra;
    for (Point p : {text.Insertion(), text.Alignment()}) {
      box.Add(p.x - reach, p.y - reach);
      box.Add(p.x + reach, p.y + reach);
    }
  };
  if (k == Kind::Line) {
    box.Add(e.X0, e.Y0);
    box.Add(e.X1, e.Y1);
  } else if (k == Kind::LwPolyline || k == Kind::Polyline || k == Kind::Spline || k == Kind::Leader) {
    addVertices(e);
  } else if (k == Kind::Hatch) {
    for (const Entity& loop : e.Extra().Children) addVertices(loop);
  } else if (k == Kind::Circle || k == Kind::Arc) {
    const CircleView c(e);
    const double r = std::fabs(c.Radius);
    box.Add(c.CentreX - r, c.CentreY - r);
    box.Add(c.CentreX + r, c.CentreY + r);
  } else if (k == Kind::Ellipse) {
    const EllipseView el(e);
    const double len = std::hypot(el.MajorX, el.MajorY);
    box.Add(el.CentreX - len, el.CentreY - len);
    box.Add(el.CentreX + len, el.CentreY + len);
  } else if (k == Kind::Solid || k == Kind::Trace || k == Kind::Face3d) {
    const EntityExtra& x = e.Extra();
    box.Add(e.X0, e.Y0), box.Add(e.X1, e.Y1), box.Add(x.X2, x.Y2), box.Add(x.X3, x.Y3);
  } else if (k == Kind::Point) {
    box.Add(e.X0, e.Y0);
  } else if (k == Kind::Text || k == Kind::Attrib) {
    addText(TextView(e).Height, 0, e.Text.size());
  } else if (k == Kind::MText) {
    const MTextView mt(e);
    const double h = std::fabs(mt.Height > 0 ? mt.Height : 0.2);
    const double lines = 1 + static_cast<double>(std::count(e.Text.begin(), e.Text.end(), '\\'));
    addText(h, h * 2 * std::max(1.0, std::fabs(mt.LineSpacing)) * lines, e.Text.size());
  } else if (k == Kind::Insert || k == Kind::Dimension) {
    const Block* b = e.Extra().BlockName.empty() ? nullptr : findBlock(e.Extra().BlockName);
    if (b) {
      const Box& inner = blockBounds(b, depth);
      if (k == Kind::Dimension) {
        box.Add(inner);
      } else {
        InsertView(e).AddCopiesBox(box, *b, inner);  // nothing when empty, all when unbounded
      }
    }
    for (const Entity& a : e.Extra().Children) entityBounds(a, box, depth);
  }
}

bool Renderer::DeviceBounds(const Entity& e, double& minX, double& minY, double& maxX,
                            double& maxY) {
  Box local;
  entityBounds(e, local, 0);
  if (local.Empty()) return false;
  if (local.Unbounded()) {
    minX = minY = -HUGE_VAL;
    maxX = maxY = HUGE_VAL;
    return true;
  }
  const Affine& m = toDevice_;
  if (m.b == 0 && m.c == 0) {
    const Unturned u = MapUnturned(m, local.minX, local.minY, local.maxX, local.maxY);
    if (std::isfinite(u.lx) && std::isfinite(u.hx) && std::isfinite(u.ly) && std::isfinite(u.hy)) {
      minX = u.lx, minY = u.ly, maxX = u.hx, maxY = u.hy;
      return true;
    }
  }
  Box device;
  device.AddMapped(m, local);
  if (device.Empty()) return false;
  minX = device.minX, minY = device.minY, maxX = device.maxX, maxY = device.maxY;
  return true;
}

bool Renderer::boxCulled(const Affine& m, const Box& local) const {
  if (!clip_) return false;
  if (local.Empty()) return true;
  if (local.Unbounded()) return false;
  return boxCulled(m, local.minX, local.minY, local.maxX, local.maxY);
}

bool Renderer::large(const Affine& m, Point u, Point v) const {
  if (!clip_) return false;
  Point du = m.Linear(u.x, u.y), dv = m.Linear(v.x, v.y);
  double r = std::max(std::hypot(du.x, du.y), std::hypot(dv.x, dv.y));
  return r > 2 * ((opt_.clipMaxX - opt_.clipMinX) + (opt_.clipMaxY - opt_.clipMinY));
}

void Renderer::curve(const Affine& m, Point c, Point u, Point v, double t0, double sweep,
                     double devRadius, Rgb rgb, std::string_view lineType) {
  // In device units the curve is C + U cos t + V sin t.
  const Curve k{m(c), m.Linear(u.x, u.y), m.Linear(v.x, v.y)};
  const Box clip{opt_.clipMinX, opt_.clipMinY, opt_.clipMaxX, opt_.clipMaxY};
  if (k.Encloses(clip)) return;  // nothing of it shows
  const CurvePieces shown = PiecesWithin(k, std::fmod(t0, kTwoPi), sweep, clip, true);
  // Chords no further than a quarter pixel from the curve, as segmentsFor.
  const double step = devRadius > 0.5 ? std::sqrt(2 / devRadius) : kTwoPi / 4;
  for (int i = 0; i < shown.count; ++i) {
    const double s0 = shown.pieces[i].s0, s1 = shown.pieces[i].s1;
    const int pieces = static_cast<int>(std::clamp(std::ceil((s1 - s0) / step), 1.0, 2048.0));
    pts_.clear();
    for (int j = 0; j <= pieces; ++j) pts_.push_back(k.At(shown.T(s0 + (s1 - s0) * j / pieces)));
    emitChain(rgb, lineType, m);
  }
}

void Renderer::DrawAll() {
  for (const Entity& e : doc_.Entities) {
    if (truncated_) break;
    Draw(e);
  }
  sink_.Flush();
}

void Renderer::Draw(const Entity& e) {
  Context ctx;
  ctx.m = toDevice_;
  ctx.layer = "0";
  ctx.byBlockLineType = "CONTINUOUS";
  draw(e, ctx);
}

int Renderer::segmentsFor(double devRadius, double sweepRad) const {
  // Chords no further than a quarter pixel from the curve: the step angle is about
  // sqrt(8 * 0.25 / r) = sqrt(2 / r) for a radius of r pixels.
  double r = std::fabs(devRadius);
  if (!(r > 0.5)) return 4;
  double n = std::ceil(std::fabs(sweepRad) * std::sqrt(r / 2));
  if (!(n < 2048)) return 2048;
  return std::max(4, static_cast<int>(n));
}

void Renderer::arcPoints(const Affine& m, Point c, double r, double a0, double sweep) {
  if (a0 == 0) {
    arcFrom(m, c, r, 0, r, sweep);
  } else {
    double sn, cs;
    sinCos(a0, sn, cs);
    arcFrom(m, c, r * cs, r * sn, r, sweep);
  }
}

void Renderer::arcFrom(const Affine& m, Point c, double ux, double uy, double r, double sweep,
                       bool skipFirst) {
  int n = segmentsFor(r * scaleOf(m), sweep);
  // The points by a rotation recurrence: one sine and cosine per arc, not per point.
  const double step = sweep / n;
  double sn, cs;
  sinCos(step, sn, cs);
  for (int i = 0; i <= n; ++i) {
    if (i > 0 || !skipFirst) pts_.push_back(m(c.x + ux, c.y + uy));
    double nx = ux * cs - uy * sn;
    uy = ux * sn + uy * cs;
    ux = nx;
  }
}

bool Renderer::boxCulled(const Affine& m, double minX, double minY, double maxX,
                         double maxY) const {
  if (!clip_) return false;
  if (m.b == 0 && m.c == 0 && std::isfinite(minX) && std::isfinite(maxX) && std::isfinite(minY) &&
      std::isfinite(maxY)) {
    const Unturned u = MapUnturned(m, minX, minY, maxX, maxY);
    return u.hx < opt_.clipMinX || u.lx > opt_.clipMaxX || u.hy < opt_.clipMinY ||
           u.ly > opt_.clipMaxY;
  }
  const Point corners[4] = {m(minX, minY), m(maxX, minY), m(minX, maxY), m(maxX, maxY)};
  double lx = corners[0].x, hx = lx, ly = corners[0].y, hy = ly;
  for (const Point& p : corners) {
    lx = std::min(lx, p.x), hx = std::max(hx, p.x);
    ly = std::min(ly, p.y), hy = std::max(hy, p.y);
  }
  return hx < opt_.clipMinX || lx > opt_.clipMaxX || hy < opt_.clipMinY || ly > opt_.clipMaxY;
}

void Renderer::ellipsePoints(const Affine& m, Point c, Point major, double ratio, double t0,
                             double t1) {
  Point minor{-major.y * ratio, major.x * ratio};
  double len = std::hypot(major.x, major.y);
  int n = segmentsFor(len * m.Scale(), t1 - t0);
  for (int i = 0; i <= n; ++i) {
    double t = t0 + (t1 - t0) * i / n;
    double cs = std::cos(t), sn = std::sin(t);
    pts_.push_back(m(c.x + cs * major.x + sn * minor.x, c.y + cs * major.y + sn * minor.y));
  }
}

bool Renderer::boxInside(const Affine& m, const Box& local) const {
  if (m.b != 0 || m.c != 0 || local.Empty()) return false;
  const Unturned u = MapUnturned(m, local.minX, local.minY, local.maxX, local.maxY);
  return u.lx >= opt_.clipMinX && u.hx <= opt_.clipMaxX && u.ly >= opt_.clipMinY &&
         u.hy <= opt_.clipMaxY;
}

bool Renderer::culled() const {
  // The points of an entity whose bounds lie within the clip rectangle lie within it too.
  if (!clip_ || pts_.empty() || inside_) return false;
  double minX = pts_[0].x, maxX = minX, minY = pts_[0].y, maxY = minY;
  for (const Point& p : pts_) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  return maxX < opt_.clipMinX || minX > opt_.clipMaxX || maxY < opt_.clipMinY ||
         minY > opt_.clipMaxY;
}

const std::vector<double>& Renderer::dashFor(std::string_view lineType, const Affine& m) {
  if (lineType.empty() || lineType == "CONTINUOUS") return noDash_;
  double scale = m.Scale() * (doc_.Head.LtScale > 0 ? doc_.Head.LtScale : 1);
  if (lineType == dashName_ && scale == dashScale_) return dash_;
  dashName_ = std::string(lineType);
  dashScale_ = scale;
  dash_.clear();
  const LineType* lt = doc_.LineTypes.Find(lineType);
  if (!lt || lt->Elements.empty()) return dash_;
  for (double el : lt->Elements) {
    // Dashes and gaps never shrink below a couple of pixels, so a pattern stays visible.
    double len = std::fabs(el) * scale;
    len = std::max(len, el == 0 ? 1.0 : 2.0);
    dash_.push_back(el < 0 ? -len : len);
  }
  bool anyGap = false;
  for (double d : dash_) anyGap = anyGap || d < 0;
  if (!anyGap) dash_.clear();
  // A pattern that is tiny in pixels is drawn solid.
  double total = 0;
  for (double d : dash_) total += std::fabs(d);
  if (total < 4) dash_.clear();
  return dash_;
}

std::string Renderer::faceFor(std::string_view style) {
  if (style == faceStyle_ && !face_.empty()) return face_;
  faceStyle_ = std::string(style);
  const TextStyle* s = doc_.TextStyles.Find(style);
  face_ = FontFaceForFile(s ? s->FontFileName : std::string());
  return face_;
}

void Renderer::emitChain(Rgb rgb, std::string_view lineType, const Affine& m, bool closed) {
  if (pts_.empty()) return;
  if (closed && pts_.size() > 2) pts_.push_back(pts_.front());
  if (culled() || !spend(pts_.size())) return;
  if (pts_.size() == 1) {
    sink_.Dot(pts_[0], rgb, opt_.penWidth);
    return;
  }
  sink_.Polyline(pts_, rgb, opt_.penWidth, dashFor(lineType, m));
}

namespace {

// Kinds whose bounds are cheap to find and drawn only within them: skipped before anything is
// worked out for them when their bounds miss the clip rectangle.
bool CheaplyBounded(Kind k) {
  return k == Kind::Line || k == Kind::Circle || k == Kind::Arc || k == Kind::LwPolyline || k == Kind::Polyline ||
         k == Kind::Text || k == Kind::Attrib || k == Kind::MText || k == Kind::Point || k == Kind::Ellipse ||
         k == Kind::Spline || k == Kind::Leader || k == Kind::Solid || k == Kind::Trace || k == Kind::Face3d ||
         k == Kind::Hatch;
}

}  // namespace

void Renderer::draw(const Entity& e, const Context& ctx) {
  if (e.Invisible || e.PaperSpace || truncated_ || outOfTime()) return;
  const Kind k = KindOf(e.EntityType);
  inside_ = false;
  if (clip_ && CheaplyBounded(k)) {
    Box box;
    entityBoundsOf(e, static_cast<int>(k), box, ctx.depth);
    if (boxCulled(ctx.m, box)) return;
    inside_ = boxInside(ctx.m, box);
  }
  // Layer-"0" contents of a block take the enclosing INSERT's layer.
  std::string_view layerName = e.LayerName;
  if (ctx.depth > 0 && layerName == "0") layerName = ctx.layer;
  const Layer* layer = findLayer(layerName);
  if (layer && !layer->Visible()) return;
  // Effective colour: 1-255 itself, BYLAYER the layer's, BYBLOCK the INSERT's (top level: the
  // layer's).
  int layerAci = layer ? layer->Color : 7;
  Rgb rgb;
  if (e.Color >= 1 && e.Color <= 255) {
    rgb = AciDisplayRgb(e.Color, opt_.background);
  } else if (e.Color == kByBlock && ctx.depth > 0) {
    rgb = ctx.byBlock;
  } else {
    rgb = AciDisplayRgb(layerAci, opt_.background);
  }
  std::string_view lineType = e.LineType;
  if (lineType == "BYLAYER" || lineType.empty()) {
    lineType = layer ? std::string_view(layer->LineType) : std::string_view("CONTINUOUS");
  } else if (lineType == "BYBLOCK") {
    lineType = ctx.depth > 0 ? ctx.byBlockLineType : std::string_view("CONTINUOUS");
  }

  const Affine& m = ctx.m;
  pts_.clear();
  if (k == Kind::Line) {
    pts_.push_back(m(e.X0, e.Y0));
    pts_.push_back(m(e.X1, e.Y1));
    emitChain(rgb, lineType, m);
  } else if (k == Kind::LwPolyline || k == Kind::Polyline) {
    // What is left of the chain; a lone point is a dot only when it is the whole polyline.
    const bool cut = drawPolyline(e, ctx, (e.Flags & 1) != 0, rgb, lineType, true);
    if (pts_.size() > 1 || (!cut && !pts_.empty())) emitChain(rgb, lineType, m);
  } else if (k == Kind::Spline || k == Kind::Leader) {
    for (const Vertex& v : e.Vertices) pts_.push_back(m(v.X0, v.Y0));
    emitChain(rgb, lineType, m, k == Kind::Spline && (e.Flags & 1));
  } else if (k == Kind::Circle) {
    const CircleView c(e);
    const double r = c.Radius;
    if (r > 0 && !boxCulled(m, c.CentreX - r, c.CentreY - r, c.CentreX + r, c.CentreY + r)) {
      if (large(m, {r, 0}, {0, r})) {
        curve(m, c.Centre(), {r, 0}, {0, r}, 0, kTwoPi, r * m.Scale(), rgb, lineType);
      } else {
        arcPoints(m, c.Centre(), r, 0, kTwoPi);
        emitChain(rgb, lineType, m);
      }
    }
  } else if (k == Kind::Arc) {
    const ArcView a(e);
    const double r = a.Radius;
    double sweep = std::fmod(a.EndAngle - a.StartAngle, 360.0);
    if (sweep <= 0) sweep += 360;
    if (r > 0 && !boxCulled(m, a.CentreX - r, a.CentreY - r, a.CentreX + r, a.CentreY + r)) {
      if (large(m, {r, 0}, {0, r})) {
        curve(m, a.Centre(), {r, 0}, {0, r}, a.StartAngle * kDeg, sweep * kDeg, r * m.Scale(), rgb,
              lineType);
      } else {
        arcPoints(m, a.Centre(), r, a.StartAngle * kDeg, sweep * kDeg);
        emitChain(rgb, lineType, m);
      }
    }
  } else if (k == Kind::Ellipse) {
    const EllipseView el(e);
    double t0, t1;
    el.Range(t0, t1);
    double ratio = el.Ratio > 0 ? el.Ratio : 1;
    double len = std::hypot(el.MajorX, el.MajorY);
    if (len > 0 &&
        !boxCulled(m, el.CentreX - len, el.CentreY - len, el.CentreX + len, el.CentreY + len)) {
      const Point minor{-el.MajorY * ratio, el.MajorX * ratio};
      if (large(m, el.Major(), minor)) {
        curve(m, el.Centre(), el.Major(), minor, t0, t1 - t0, len * m.Scale(), rgb, lineType);
      } else {
        ellipsePoints(m, el.Centre(), el.Major(), ratio, t0, t1);
        emitChain(rgb, lineType, m);
      }
    }
  } else if (k == Kind::Solid || k == Kind::Trace) {
    // Points in the order 1-2-4-3; a triangle when 3 and 4 coincide.
    const EntityExtra& x = e.Extra();
    pts_ = {m(e.X0, e.Y0), m(e.X1, e.Y1), m(x.X3, x.Y3), m(x.X2, x.Y2)};
    if (x.X2 == x.X3 && x.Y2 == x.Y3) pts_.pop_back();
    if (!culled() && spend(pts_.size())) sink_.Polygon(pts_, rgb);
  } else if (k == Kind::Face3d) {
    const EntityExtra& x = e.Extra();
    pts_ = {m(e.X0, e.Y0), m(e.X1, e.Y1), m(x.X2, x.Y2)};
    if (x.X2 != x.X3 || x.Y2 != x.Y3) pts_.push_back(m(x.X3, x.Y3));
    emitChain(rgb, lineType, m, true);
  } else if (k == Kind::Point) {
    Point p = m(e.X0, e.Y0);
    pts_.push_back(p);
    if (!culled() && spend(1)) sink_.Dot(p, rgb, opt_.penWidth);
  } else if (k == Kind::Text || k == Kind::Attrib) {
    drawText(e, ctx, rgb);
  } else if (k == Kind::MText) {
    drawMText(e, ctx, rgb);
  } else if (k == Kind::Insert) {
    drawInsert(e, ctx, layer, rgb, lineType);
  } else if (k == Kind::Dimension) {
    // The dimension's picture is its block, drawn where it is defined.
    const Block* b = e.Extra().BlockName.empty() ? nullptr : findBlock(e.Extra().BlockName);
    if (b && !boxCulled(m, blockBounds(b, ctx.depth))) {
      drawBlock(b, m, ctx, rgb, layerName, lineType);
    }
  } else if (k == Kind::Hatch) {
    const bool fill = SameName(e.Extra().BlockName, "SOLID") && e.Extra().Children.size() == 1;
    for (const Entity& loop : e.Extra().Children) {
      pts_.clear();
      drawPolyline(loop, ctx, true, rgb, lineType, !fill);
      if (pts_.size() < 2) continue;
      if (fill) {
        if (!culled() && spend(pts_.size())) sink_.Polygon(pts_, rgb);
      } else {
        emitChain(rgb, lineType, m);
      }
    }
  }
  // ATTDEF, VIEWPORT, IMAGE and the rest are not drawn.
}

bool Renderer::drawPolyline(const Entity& e, const Context& ctx, bool closed, Rgb rgb,
                            std::string_view lineType, bool mayCut) {
  const Affine& m = ctx.m;
  const auto& vs = e.Vertices.items();
  // Spline frame points and polyface face records are not part of the drawn chain.
  auto skip = [](const Vertex& v) {
    return (v.Flags & 16) != 0 || ((v.Flags & 128) != 0 && (v.Flags & 64) == 0);
  };
  bool cut = false;
  // Room for n more points in the chain, checked before they are made: a chain that would
  // grow past kChainPoints goes to the sink so far (continued from its last point) or, for a
  // fill, stops the drawing; the pass's point budget counts the points still in the chain.
  auto room = [&](size_t n) {
    if (pts_.size() + n > kChainPoints) {
      if (!mayCut || pts_.empty()) {
        truncated_ = true;
        return false;
      }
      const Point last = pts_.back();
      emitChain(rgb, lineType, m);
      pts_.clear();
      pts_.push_back(last);
      cut = true;
    }
    if (points_ + static_cast<long>(pts_.size() + n) > opt_.maxPoints) truncated_ = true;
    return !truncated_;
  };
  const Vertex* prev = nullptr;
  const Vertex* start = nullptr;
  auto segment = [&](const Vertex& a, const Vertex& b) {
    if (!Bends(a.Bulge)) {
      if (room(1)) pts_.push_back(m(b.X0, b.Y0));
      return;
    }
    if (b.X0 - a.X0 == 0 && b.Y0 - a.Y0 == 0) return;
    const BulgeCircle arc = CircleOfBulge({a.X0, a.Y0}, {b.X0, b.Y0}, a.Bulge);
    const Point c = arc.centre;
    const double r = arc.radius;
    const double sweep = sweepOf(a.Bulge), devRadius = r * scaleOf(m);
    const Point u{a.X0 - c.x, a.Y0 - c.y}, v{-u.y, u.x};
    if (mayCut && large(m, u, v)) {
      // Far larger than the view: drawn as an arc entity of that size is, only where it
      // crosses the view, each visible piece a chain of its own; the chain goes on from b.
      if (pts_.size() > 1) emitChain(rgb, lineType, m);
      curve(m, c, u, v, 0, sweep, devRadius, rgb, lineType);
      pts_.clear();
      pts_.push_back(m(b.X0, b.Y0));
      cut = true;
      return;
    }
    // The arc's first point repeats a, which is already in the chain.
    if (room(static_cast<size_t>(segmentsFor(devRadius, sweep)))) {
      arcFrom(m, c, u.x, u.y, r, sweep, true);
    }
  };
  for (const Vertex& v : vs) {
    if (skip(v)) continue;
    if (truncated_ || outOfTime()) return cut;
    if (!prev) {
      pts_.push_back(m(v.X0, v.Y0));
      start = &v;
    } else {
      segment(*prev, v);
    }
    prev = &v;
  }
  if (closed && prev && start && prev != start) segment(*prev, *start);
  return cut;
}

void Renderer::drawInsert(const Entity& e, const Context& ctx, const Layer* layer, Rgb rgb,
                          std::string_view lineType) {
  std::string_view layerName =
      layer ? std::string_view(layer->Name()) : std::string_view(e.LayerName);
  if (ctx.depth > 0 && e.LayerName == "0") layerName = ctx.layer;
  const InsertView ins(e);
  int cols, rows;
  ins.ArraySize(cols, rows);
  const Block* b = findBlock(ins.Block);
  const Box* local = b ? &blockBounds(b, ctx.depth) : nullptr;
  if (b && !local->Empty()) {
    // Copy (c, r) is copy (0, 0) moved by c·du + r·dv in device units.
    const Affine m00 = ctx.m * ins.CopyMap(*b, 0, 0);
    Point du, dv;
    ins.Steps(ctx.m, du, dv);
    Box first = Box::Whole();  // without a clip rectangle, every copy
    if (clip_) {
      first = Box();
      first.AddMapped(m00, *local);
    }
    const Box clip{opt_.clipMinX, opt_.clipMinY, opt_.clipMaxX, opt_.clipMaxY};
    // Only the copies that can reach the clip rectangle; every row looked at counts against the
    // budget as a copy does, so that no array is too large to be passed over quickly.
    ArrayRowsWithin(first, du, dv, cols, rows, clip, [&](int r, int colFirst, int colLast) {
      if (++expanded_ > opt_.maxExpanded) {
        truncated_ = true;
        return false;
      }
      for (int c = colFirst; c <= colLast && !truncated_; ++c) {
        Affine m = m00;
        m.e += c * du.x + r * dv.x;
        m.f += c * du.y + r * dv.y;
        drawBlock(b, m, ctx, rgb, layerName, lineType);
      }
      return !truncated_;
    });
  }
  // The attributes stand in the drawing's own coordinates.
  for (const Entity& a : e.Extra().Children) {
    Context actx = ctx;
    actx.depth = ctx.depth + 1;
    actx.layer = layerName;
    actx.byBlock = rgb;
    actx.byBlockLineType = lineType;
    draw(a, actx);
  }
}

void Renderer::drawBlock(const Block* b, const Affine& m, const Context& ctx, Rgb rgb,
                         std::string_view layer, std::string_view lineType) {
  // Every copy counts against the budget, so that the loops of nested arrays end as soon as it
  // is spent.
  if (++expanded_ > opt_.maxExpanded) {
    truncated_ = true;
    return;
  }
  if (ctx.depth >= opt_.maxDepth) return;  // self-reference or absurd nesting
  Context inner;
  inner.m = m;
  inner.layer = layer;
  inner.byBlock = rgb;
  inner.byBlockLineType = lineType;
  inner.depth = ctx.depth + 1;
  for (const Entity& child : b->Entities) {
    if (++expanded_ > opt_.maxExpanded) {
      truncated_ = true;
      return;
    }
    draw(child, inner);
  }
}

void Renderer::drawText(const Entity& e, const Context& ctx, Rgb rgb) {
  if (e.Text.empty()) return;
  const TextView text(e);
  const Affine& m = ctx.m;
  int h = static_cast<int>(text.HJust), v = static_cast<int>(text.VJust);
  bool useSecond = h != 0 || v != 0;
  double angle = text.Rotation;
  TextItem item;
  Point anchor = text.Insertion();
  double height = text.Height > 0 ? text.Height : 0.2;
  if (h == 3 || h == 5) {
    // Aligned and fit: the text runs from the first to the second point.
    double dx = text.AlignX - text.X, dy = text.AlignY - text.Y;
    if (dx != 0 || dy != 0) {
      angle = std::atan2(dy, dx) / kDeg;
      Point a = m(text.Insertion()), b = m(text.Alignment());
      item.fitLength = std::hypot(b.x - a.x, b.y - a.y);
    }
    h = 0;
    v = 0;
  } else if (h == 4) {
    anchor = text.Alignment();
    h = 1;
    v = 2;
  } else if (useSecond) {
    anchor = text.Alignment();
  }
  double rad = angle * kDeg;
  double sinRad, cosRad;
  sinCos(rad, sinRad, cosRad);
  Point dir = m.Linear(cosRad, sinRad);
  Point up = m.Linear(-sinRad * height, cosRad * height);
  item.height = std::hypot(up.x, up.y);
  if (!(item.height > 0)) return;
  item.anchor = m(anchor.x, anchor.y);
  item.angle = std::atan2(opt_.deviceYDown ? -dir.y : dir.y, dir.x) / kDeg;
  double dirLen = std::hypot(dir.x, dir.y);
  item.widthFactor = (text.WidthFactor > 0 ? text.WidthFactor : 1) * dirLen * height / item.height;
  item.oblique = text.Oblique;
  item.hjust = std::clamp(h, 0, 2);
  item.rgb = rgb;
  if (clip_) {
    double reach =
        item.height * (static_cast<double>(e.Text.size()) + 2) * std::max(1.0, item.widthFactor);
    if (item.anchor.x + reach < opt_.clipMinX || item.anchor.x - reach > opt_.clipMaxX ||
        item.anchor.y + reach < opt_.clipMinY || item.anchor.y - reach > opt_.clipMaxY) {
      return;
    }
  }
  if (item.height >= opt_.minTextHeight) {  // a greeked text needs neither
    item.text = e.Text;
    item.face = faceFor(e.Extra().TextStyle);
  }
  emitText(item, e.Text.size(), std::clamp(v, 0, 3));
}

void Renderer::placeOnBaseline(TextItem& item, int vjust) {
  if (vjust < 1 || vjust > 3) return;
  if (!measured_ || item.face != measuredFace_) {
    measures_ = opt_.fonts ? opt_.fonts->Measure(item.face) : FaceMeasures{};
    measuredFace_ = item.face;
    measured_ = true;
  }
  const FaceMeasures& f = measures_;
  if (!(f.capHeight > 0) || !std::isfinite(f.descent)) return;
  // How far below the anchor the baseline lies, in the face's units and then scaled as the text
  // is: for a text by its bottom the descent above it, by its middle half the cap height below,
  // by its top the cap height below.
  const double below = vjust == 1 ? -f.descent : vjust == 2 ? f.capHeight / 2 : f.capHeight;
  const double k = item.height / f.capHeight, drop = k * below;
  // The text's downward axis in device units (exact for quarter turns); an oblique text leans,
  // and its anchor with it, along the baseline by the tangent of its angle.
  double sn, cs;
  if (std::fmod(item.angle, 90.0) == 0) {
    sn = std::round(std::sin(item.angle * kDeg));
    cs = std::round(std::cos(item.angle * kDeg));
  } else {
    sinCos(item.angle * kDeg, sn, cs);
  }
  const double downY = opt_.deviceYDown ? cs : -cs, alongY = opt_.deviceYDown ? -sn : sn;
  item.anchor.x += drop * sn;
  item.anchor.y += drop * downY;
  if (item.oblique != 0) {
    const double lean = -std::tan(item.oblique * kDeg) * k *
                        (item.widthFactor > 0 ? item.widthFactor : 1) * below;
    item.anchor.x += lean * cs;
    item.anchor.y += lean * alongY;
  }
}

void Renderer::emitText(TextItem& item, size_t chars, int vjust) {
  if (item.height >= opt_.minTextHeight) {
    placeOnBaseline(item, vjust);
    if (spend(4)) sink_.Text(item);
    return;
  }
  // A greeked text: a line of about its length along the baseline.
  double len = item.fitLength > 0
                   ? item.fitLength
                   : 0.6 * item.height * item.widthFactor * static_cast<double>(chars);
  double sn, cs;
  sinCos(item.angle * kDeg, sn, cs);
  double dx = cs, dy = opt_.deviceYDown ? -sn : sn;
  double start = item.hjust == 1 ? -len / 2 : item.hjust == 2 ? -len : 0;
  pts_.clear();
  pts_.push_back({item.anchor.x + dx * start, item.anchor.y + dy * start});
  pts_.push_back({item.anchor.x + dx * (start + len), item.anchor.y + dy * (start + len)});
  if (!culled() && spend(pts_.size())) sink_.Polyline(pts_, item.rgb, opt_.penWidth, noDash_);
}

void Renderer::drawMText(const Entity& e, const Context& ctx, Rgb rgb) {
  std::vector<std::string> lines = MTextLines(e.Text);
  if (lines.empty()) return;
  const MTextView mt(e);
  const Affine& m = ctx.m;
  double height = mt.Height > 0 ? mt.Height : 0.2;
  double spacing = height * 5.0 / 3.0 * (mt.LineSpacing > 0 ? mt.LineSpacing : 1);
  int att = std::clamp(mt.Attachment, 1, 9);
  int hjust = (att - 1) % 3, row = (att - 1) / 3;
  double block = height + spacing * static_cast<double>(lines.size() - 1);
  double top = row == 0 ? 0 : row == 1 ? block / 2 : block;  // block top above the anchor
  double rad = mt.Rotation * kDeg;
  Point dir{std::cos(rad), std::sin(rad)}, upUnit{-std::sin(rad), std::cos(rad)};
  Point devDir = m.Linear(dir.x, dir.y);
  Point devUp = m.Linear(upUnit.x * height, upUnit.y * height);
  TextItem item;
  item.height = std::hypot(devUp.x, devUp.y);
  if (!(item.height > 0)) return;
  item.angle = std::atan2(opt_.deviceYDown ? -devDir.y : devDir.y, devDir.x) / kDeg;
  item.widthFactor = std::hypot(devDir.x, devDir.y) * height / item.height;
  item.hjust = hjust;
  item.face = faceFor(e.Extra().TextStyle);
  item.rgb = rgb;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    double off = top - spacing * static_cast<double>(i);
    item.anchor = m(mt.X + upUnit.x * off, mt.Y + upUnit.y * off);
    item.text = lines[i];
    emitText(item, lines[i].size(), 3);  // each line stands by its top
  }
}

std::vector<std::string> MTextLines(const std::string& raw) {
  std::vector<std::string> lines(1);
  size_t i = 0, n = raw.size();
  auto skipTo = [&](char end) {
    size_t k = raw.find(end, i);
    i = k == std::string::npos ? n : k + 1;
  };
  while (i < n) {
    char c = raw[i];
    if (c == '{' || c == '}') {
      ++i;
      continue;
    }
    if (c != '\\' || i + 1 >= n) {
      lines.back() += c;
      ++i;
      continue;
    }
    char k = raw[i + 1];
    i += 2;
    switch (k) {
      case 'P':
        lines.emplace_back();
        break;
      case '~':
        lines.back() += ' ';
        break;
      case '\\':
      case '{':
      case '}':
        lines.back() += k;
        break;
      case 'A':
      case 'C':
      case 'c':
      case 'f':
      case 'F':
      case 'H':
      case 'h':
      case 'Q':
      case 'q':
      case 'T':
      case 't':
      case 'W':
      case 'w':
      case 'p':
        skipTo(';');
        break;
      case 'S': {
        size_t end = raw.find(';', i);
        std::string stack = raw.substr(i, end == std::string::npos ? std::string::npos : end - i);
        for (char& s : stack) {
          if (s == '^' || s == '#') s = '/';
        }
        lines.back() += stack;
        i = end == std::string::npos ? n : end + 1;
        break;
      }
      case 'L':
      case 'l':
      case 'O':
      case 'o':
      case 'K':
      case 'k':
        break;
      default:
        lines.back() += k;
        break;
    }
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

}  // namespace dxf
